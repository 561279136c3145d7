"""A terminal made smaller while a page is edited: the page is laid out again and
scrolls, what was typed stays, the field with the focus stays in sight, and the
edit saves."""

import sys

sys.dont_write_bytecode = True

import hcdterm  # noqa: E402
from hcdterm import TerminalTestCase, summary  # noqa: E402


class Resize(TerminalTestCase):
    def test_from_200x60_to_80x24_mid_edit(self):
        path = self.copy_example("handler.xml")
        tool = self.start("edit", "--handler", path, width=200, height=60)
        tool.sheet()
        tool.focus("TargetCompID")
        tool.replace_text("KEL")
        tool.wait_for_text("KEL ")
        tool.resize(80, 24)
        hcdterm.wait_for("the page laid out for 80x24",
                         lambda: len(tool.lines()) == 24 and "TargetCompID:" in tool.text()
                         and tool.status().startswith("TargetCompID:"))
        self.assertTrue(all(len(line.rstrip()) <= 80 for line in tool.lines()))
        x, y = tool.cursor()
        self.assertLess(x, 80)
        self.assertLess(y, 23)
        # What was typed is there, and the edit goes on where it was.
        tool.type("BMK")
        tool.wait_for_text("KELBMK")
        # The other side of the page comes into sight as the focus goes there.
        tool.focus("Max Messages Per Sec.")
        tool.wait_for_text("Max Messages Per Sec.:")
        tool.keys("Enter")
        self.assertEqual(tool.wait(), 0)
        self.assertIn("TID=KELBMK", summary("--handler", path))
        self.assertRestored(tool)

    def test_80x24_from_the_start(self):
        path = self.copy_example("handler.xml")
        tool = self.start("edit", "--handler", path, width=80, height=24)
        tool.sheet()
        # The far corner of the page comes into sight as the focus goes there.
        seen = tool.focus("Holiday setting")
        self.assertIn("Enable Proxy", seen)
        tool.wait_for_text("Holiday setting")
        x, y = tool.cursor()
        self.assertEqual(tool.lines()[y][x:x + len("Holiday setting")], "Holiday setting")
        tool.keys("Escape")
        self.assertEqual(tool.wait(), 1)


if __name__ == "__main__":
    hcdterm.main()
