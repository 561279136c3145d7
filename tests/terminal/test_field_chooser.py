"""The field chooser in a terminal: letters find a field, Enter takes it and the
name is printed; Escape prints an empty line."""

import sys

sys.dont_write_bytecode = True

import hcdterm  # noqa: E402
from hcdterm import TerminalTestCase  # noqa: E402


class FieldChooser(TerminalTestCase):
    def choose(self, *keys, text=None):
        # The name is printed on the terminal once the chooser has left it.
        tool = self.start("choose-field")
        tool.wait_for_text("Select Field")
        tool.wait_for_status("Select Field:")
        if text:
            tool.type(text)
        tool.keys(*keys)
        return tool

    def test_letters_find_a_field_and_enter_takes_it(self):
        tool = self.choose("Enter", text="BENCH")
        self.assertEqual(tool.wait(), 0)
        tool.wait_for_text("BENCHMARK")
        printed = [line for line in tool.lines() if line.strip()]
        self.assertTrue(printed[-1].startswith("BENCHMARK"), tool.text())
        self.assertRestored(tool)

    def test_a_row_is_current_from_the_start_and_enter_with_none_chosen_is_refused(self):
        tool = self.choose()
        self.assertIn("nothing chosen", tool.status())
        x, y = tool.cursor()
        first = tool.lines()[y][x:].split()[0]
        self.assertTrue(first.startswith(">"), tool.lines()[y])
        tool.keys("Enter")
        tool.wait_for_status("Refused: Select Field:")
        self.assertTrue(tool.running())
        tool.keys("Down")  # chooses the current row
        tool.wait_for_status("Select Field: Up Down")
        tool.keys("Enter")
        self.assertEqual(tool.wait(), 0)
        tool.wait_for_text(first[1:])
        self.assertRestored(tool)

    def test_escape_chooses_nothing(self):
        tool = self.choose("Escape")
        self.assertEqual(tool.wait(), 0)
        self.assertEqual([line for line in tool.lines() if line.strip()], [])
        self.assertRestored(tool)


if __name__ == "__main__":
    hcdterm.main()
