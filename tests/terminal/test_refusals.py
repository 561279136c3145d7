"""What refuses a save while the window is open says why in a message box and keeps
the window, with everything typed in it and the cursor on the field to fix; once the
cause is gone, OK saves."""

import sys

sys.dont_write_bytecode = True

import hcdterm  # noqa: E402
from hcdterm import TerminalTestCase, summary  # noqa: E402

RATE = "Max Messages Per Sec."


class Refusals(TerminalTestCase):
    def open_handler(self):
        path = self.copy_example("handler.xml")
        tool = self.start("edit", "--handler", path)
        tool.sheet()
        return path, tool

    def test_an_empty_sender_comp_id_keeps_the_window_with_the_cursor_on_it(self):
        path, tool = self.open_handler()
        before = self.read(path)
        tool.focus(RATE)
        tool.replace_text("45")
        tool.focus("SenderCompID")
        tool.replace_text("")
        tool.keys("Enter")
        tool.wait_for_text("SenderCompID can not be empty")
        self.assertIn("Warning:", tool.text())
        tool.keys("Enter")
        tool.wait_until_gone("SenderCompID can not be empty")
        self.assertTrue(tool.running())
        self.assertEqual(self.read(path), before)
        # The window names the field, and the cursor sits in it, after its label.
        tool.wait_for_status("SenderCompID:")
        label_x, label_y = tool.find("SenderCompID:")
        cursor_x, cursor_y = tool.cursor()
        self.assertEqual(cursor_y, label_y)
        self.assertGreater(cursor_x, label_x + len("SenderCompID:"))
        self.assertEqual(tool.field_text(RATE + ":"), "45")
        tool.type("BANK02")
        tool.wait_for_text("BANK02")
        tool.keys("Enter")
        self.assertEqual(tool.wait(), 0)
        saved = summary("--handler", path)
        self.assertIn("SID=BANK02", saved)
        self.assertIn("Max Message Per Second=45", saved)

    def test_an_empty_rate_names_itself_and_a_negative_one_is_kept(self):
        path, tool = self.open_handler()
        tool.focus(RATE)
        tool.replace_text("")
        tool.keys("Enter")
        tool.wait_for_text('"Max Messages Per Sec." takes a whole number')
        tool.keys("Enter")
        tool.wait_for_status(RATE + ":")
        tool.type(" -3")
        tool.keys("Enter")
        self.assertEqual(tool.wait(), 0)
        self.assertIn("Max Message Per Second=-3", summary("--handler", path))

    def test_a_file_made_read_only_while_open_keeps_the_edit(self):
        path, tool = self.open_handler()
        before = self.read(path)
        tool.focus(RATE)
        tool.replace_text("45")
        hcdterm.os.chmod(path, 0o444)
        tool.keys("Enter")
        tool.wait_for_text("read-only")
        tool.keys("Enter")
        tool.wait_until_gone("read-only")
        self.assertTrue(tool.running())
        self.assertEqual(self.read(path), before)
        hcdterm.os.chmod(path, 0o644)
        tool.keys("M-o")
        self.assertEqual(tool.wait(), 0)
        self.assertIn("Max Message Per Second=45", summary("--handler", path))

    def test_a_file_changed_behind_the_edit_is_overwritten_only_after_yes(self):
        path, tool = self.open_handler()
        tool.focus(RATE)
        tool.replace_text("45")
        with open(path, "ab") as other_program:
            other_program.write(b"<!-- changed by another program -->\n")
        behind = self.read(path)
        for answer in ("n", "y"):
            tool.keys("M-o")
            tool.wait_for_text("another program")
            # No has the focus: Enter pressed once too often keeps the other change.
            self.assertIn("[ Yes ]  < No >", tool.text())
            tool.type(answer)  # a message box's buttons answer their letters
            tool.wait_until_gone("another program")
            if answer == "n":
                self.assertTrue(tool.running())
                self.assertEqual(self.read(path), behind)
        self.assertEqual(tool.wait(), 0)
        self.assertNotIn(b"another program", self.read(path))
        self.assertIn("Max Message Per Second=45", summary("--handler", path))


if __name__ == "__main__":
    hcdterm.main()
