"""What a person at an ssh prompt runs into beyond the plain edit: a stray Escape
does not throw changes away, the title says that something changed, a command that
only shows other rows does not say rows were removed, names that would turn the
screen around are shown escaped, the status line fits 80 columns and F1 tells the
rest, a terminal too small says so and comes back, and one without an alternate
screen is wiped on exit."""

import os
import sys

sys.dont_write_bytecode = True

import hcdterm  # noqa: E402
from hcdterm import TerminalTestCase, wait_for  # noqa: E402

RATE = "Max Messages Per Sec."


class Cases(TerminalTestCase):
    def open_holidays(self, path):
        tool = self.start("edit", "--handler", path)
        tool.sheet()
        tool.alt("Holiday setting")
        tool.wait_for_status("Currency:")
        tool.type("G")
        tool.wait_for_text("2025-12-26")
        return tool

    def test_escape_in_holiday_setting_asks_only_when_rows_changed(self):
        path = self.copy_example("handler.xml")
        before = self.read(path)
        tool = self.open_holidays(path)
        # Another currency shown, a year typed: nothing the dialog keeps changed.
        tool.keys("Down")
        tool.wait_for_text(">USD")
        tool.focus("Year")
        tool.type("2031")
        tool.keys("Escape")
        tool.wait_until_gone("Add holiday of year")
        self.assertNotIn("*handler.xml", tool.text())
        # A row removed: Escape asks, No keeps the dialog with the row gone.
        tool.alt("Holiday setting")
        tool.wait_for_status("Currency:")
        tool.type("G")
        tool.focus("Holiday")
        tool.keys("DC")
        tool.wait_for_status("1 holiday removed")
        tool.keys("Escape")
        tool.wait_for_text("Discard changes?")
        tool.type("n")
        tool.wait_until_gone("Discard changes?")
        self.assertIn("Add holiday of year", tool.text())
        # OK hands the change to the sheet, whose title now says so; Cancel, a
        # button, leaves at once.
        tool.keys("M-o")
        tool.wait_until_gone("Add holiday of year")
        tool.wait_for_text("*handler.xml")
        tool.keys("Escape")
        tool.wait_for_text("Discard changes?")
        tool.keys("Enter")  # No
        tool.wait_until_gone("Discard changes?")
        tool.keys("M-c")
        self.assertEqual(tool.wait(), 1)
        self.assertEqual(self.read(path), before)

    def test_a_new_currency_shows_its_rows_and_says_none_removed(self):
        path = self.copy_example("handler.xml")
        tool = self.open_holidays(path)
        tool.alt("New currency...")
        tool.wait_for_text("\u250c New currency")
        tool.type("CHF")
        tool.keys("Enter")
        tool.wait_until_gone("\u250c New currency")
        tool.wait_for_text(">CHF")
        self.assertNotIn("removed", tool.status())
        # A currency added is a change of the calendar.
        tool.discard()
        tool.wait_until_gone("Add holiday of year")
        tool.keys("Escape")
        self.assertEqual(tool.wait(), 1)

    def test_names_that_reorder_the_screen_are_shown_escaped(self):
        folder = self.folder
        name = "a\u202eb\u2066.xml"
        path = os.path.join(folder, name)
        with open(os.path.join(hcdterm.EXAMPLES, "handler.xml"), "rb") as f:
            data = f.read()
        with open(path, "wb") as f:
            f.write(data)
        tool = self.start("edit", "--handler", path, cwd=folder)
        tool.sheet()
        shown = "a\\xE2\\x80\\xAEb\\xE2\\x81\\xA6.xml"
        self.assertIn(shown + " \u2014 Handler Properties", tool.text())
        # The chooser's list, in the configuration's folder.
        tool.alt("Holiday setting")
        tool.wait_for_status("Currency:")
        tool.type("G")
        tool.alt("Import...")
        tool.wait_for_text("File name:")
        tool.wait_for_text(shown)
        self.assertNotIn("\u202e", tool.text())
        self.assertNotIn("\u2066", tool.text())
        self.assertTrue(tool.status().startswith("File name:"), tool.status())
        tool.keys("Escape")
        tool.wait_until_gone("File name:")
        tool.keys("Escape")
        tool.wait_until_gone("Add holiday of year")
        tool.keys("Escape")
        self.assertEqual(tool.wait(), 1)

    def test_at_80_columns_the_status_line_fits_and_f1_tells_every_key(self):
        path = self.copy_example("handler.xml")
        tool = self.start("edit", "--handler", path, width=80, height=24)
        tool.sheet()
        tool.focus(RATE)
        status = tool.lines()[-1]
        self.assertTrue(status.rstrip().endswith("F1 keys"), status)
        self.assertTrue(status.startswith(" " + RATE + ": type a whole number"), status)
        tool.keys("F1")
        tool.wait_for_text("Keys")
        for key in ("Tab next", "Enter OK", "Esc cancel", "Alt+letter jump"):
            self.assertIn(key, tool.text())
        tool.keys("Enter")
        tool.wait_until_gone("Alt+letter jump")
        # A push button: Enter presses it, and the status line says so.
        tool.focus("Holiday setting")
        self.assertIn("Holiday setting", tool.status())
        tool.keys("F1")
        tool.wait_for_text("Enter press")
        tool.keys("Enter")
        tool.wait_until_gone("Enter press")
        tool.keys("Escape")
        self.assertEqual(tool.wait(), 1)

    def test_the_dynamic_page_fits_80_columns(self):
        path = self.copy_example("dynamic.xml")
        tool = self.start("edit", "--dynamic", path, width=80, height=24)
        tool.sheet()
        group = next(line for line in tool.lines() if "Instrument" in line)
        # The group's frame ends inside the sheet's: nothing to scroll to.
        self.assertTrue(group.rstrip().endswith("\u2510\u2502"), group)
        self.assertNotIn("\u25b6", tool.text())
        tool.keys("Escape")
        self.assertEqual(tool.wait(), 1)

    def test_too_small_a_terminal_says_so_and_the_edit_comes_back(self):
        path = self.copy_example("handler.xml")
        tool = self.start("edit", "--handler", path, width=80, height=24)
        tool.sheet()
        tool.focus("TargetCompID")
        tool.resize(20, 5)
        tool.wait_for_text("Terminal too small")
        tool.type("x")  # refused unseen: nothing is typed
        tool.keys("Enter")
        tool.resize(80, 24)
        tool.wait_for_text("[   OK   ]")
        tool.wait_for_status("TargetCompID:")
        self.assertEqual(tool.field_text("TargetCompID:"), "KELBMK")
        self.assertTrue(tool.running())
        x, y = tool.cursor()
        self.assertEqual(tool.lines()[y][x - 6:x], "KELBMK")
        tool.keys("Escape")
        self.assertEqual(tool.wait(), 1)

    def test_a_view_that_grows_back_shows_the_page_not_blank_rows(self):
        path = self.copy_example("handler.xml")
        tool = self.start("edit", "--handler", path, width=80, height=24)
        tool.sheet()
        tool.focus("Holiday setting")
        tool.resize(42, 12)
        wait_for("the page laid out for 42x12", lambda: len(tool.lines()) == 12)
        tool.wait_for_text("Holiday setting")
        # The scroll marks keep off the title.
        title = tool.lines()[0]
        self.assertIn("handler.xml", title)
        self.assertNotIn("\u25b2", title[:title.index("\u2500")])
        tool.resize(80, 24)
        wait_for("the page laid out for 80x24", lambda: len(tool.lines()) == 24)
        # What comes into sight is the page above the focus, which stays in sight.
        tool.wait_for_text("TargetCompID:")
        tool.wait_for_status("Holiday setting:")
        self.assertIn("Holiday setting", tool.text())
        tool.keys("Escape")
        self.assertEqual(tool.wait(), 1)

    def test_without_an_alternate_screen_the_page_is_wiped_on_exit(self):
        for term in ("vt100", "vt220", "linux", "ansi"):
            with self.subTest(term=term):
                path = self.copy_example("handler.xml")
                tool = self.start("edit", "--handler", path, env={"TERM": term})
                tool.sheet()
                tool.keys("Escape")
                self.assertEqual(tool.wait(), 1)
                wait_for("the page to leave the screen",
                         lambda: "Proxy Setting" not in tool.text())

if __name__ == "__main__":
    hcdterm.main()
