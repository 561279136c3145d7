"""A currency of 95,000 holidays in the terminal: End and Home go to the last and
first row, Delete removes the row with the focus and then the next, "Remove All"
empties the list, and each says what it did on the status line."""

import os
import sys

sys.dont_write_bytecode = True

import hcdterm  # noqa: E402
from hcdterm import TerminalTestCase, write_many_holidays  # noqa: E402

ROWS = 95000
LAST = "2230-02-06"  # the 95,000th day from 1970-01-01
BEFORE_LAST = "2230-02-05"


class BigList(TerminalTestCase):
    def test_end_delete_twice_and_remove_all(self):
        path = os.path.join(self.folder, "handler.xml")
        write_many_holidays(path, ROWS)
        tool = self.start("edit", "--handler", path)
        tool.sheet()
        tool.alt("Holiday setting")
        tool.wait_for_status("Currency:")
        tool.type("G")
        tool.wait_for_text(f"-/{ROWS}")  # no row current before the list has the focus
        tool.focus("Holiday")
        tool.keys("End")
        tool.wait_for_text(f"{ROWS}/{ROWS}")
        self.assertIn(">" + LAST, tool.text().replace(" ", ""))
        # Nothing is selected yet: Delete takes the row with the focus, then the
        # row that takes its place.
        tool.keys("DC")
        tool.wait_for_status("1 holiday removed")
        tool.wait_for_text(f"{ROWS - 1}/{ROWS - 1}")
        tool.keys("DC")
        tool.wait_for_text(f"{ROWS - 2}/{ROWS - 2}")
        self.assertNotIn(BEFORE_LAST, tool.text())
        tool.keys("Home")
        tool.wait_for_text(f"1/{ROWS - 2}")
        self.assertIn(">1970-01-01", tool.text().replace(" ", ""))
        tool.alt("Remove All")
        tool.wait_for_status(f"All {ROWS - 2} holidays removed")
        tool.keys("M-o")
        tool.wait_until_gone("Remove All")
        tool.keys("M-o")  # Enter would press "Holiday setting", which has the focus
        self.assertEqual(tool.wait(), 0)
        # The calendar saved holds none of the 95,000 days any more.
        self.assertNotIn(b"2100-01-01", self.read(path))
        self.assertLess(os.path.getsize(path), 10000)


if __name__ == "__main__":
    hcdterm.main()
