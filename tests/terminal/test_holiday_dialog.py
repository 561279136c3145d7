"""The holiday calendar in a terminal, as a person keeps it over ssh: pick a
currency, fill a year, bring in a new currency, import an official calendar by
typing its path and export the result through the terminal's file chooser, OK, OK:
the calendar is saved."""

import os
import shutil
import sys

sys.dont_write_bytecode = True

import hcdterm  # noqa: E402
from hcdterm import TerminalTestCase, run_tool  # noqa: E402

# A message box's OK, which has the focus.
MESSAGE_OK = "< OK >"
CALENDAR = os.path.join(hcdterm.EXAMPLES, "calendars", "england-and-wales-2022-2023.ics")


class HolidayDialog(TerminalTestCase):
    def open_dialog(self, path, **kwargs):
        tool = self.start("edit", "--handler", path, **kwargs)
        tool.sheet()
        tool.alt("Holiday setting")
        tool.wait_for_text("Add holiday of year")
        tool.wait_for_status("Currency:")
        return tool

    def acknowledge(self, tool, expected):
        """The message box says `expected`; Enter closes it."""
        tool.wait_for_text(MESSAGE_OK)
        self.assertIn(expected, tool.text())
        tool.keys("Enter")
        tool.wait_until_gone(MESSAGE_OK)

    def save(self, tool):
        tool.keys("M-o")  # a dialog's own OK is served its O first
        tool.wait_until_gone("Add holiday of year")
        # Enter would press the button that has the focus: Holiday setting again.
        tool.keys("M-o")
        self.assertEqual(tool.wait(), 0)

    def test_a_year_an_import_and_an_export_are_saved_with_the_calendar(self):
        path = self.copy_example("handler.xml")
        folder = os.path.dirname(path)
        shutil.copyfile(CALENDAR, os.path.join(folder, "official.ics"))
        tool = self.open_dialog(path)
        tool.type("G")  # the currency list finds GBP by its letter
        tool.wait_for_text("2025-12-26")
        tool.focus("Year")
        tool.type("2027")
        tool.alt("Add holiday of year")
        tool.wait_for_status("holidays added")
        tool.alt("Import...")
        tool.wait_for_text("File name:")
        # The path typed in full, as a person at a shell would.
        tool.type(os.path.join(folder, "official.ics"))
        tool.keys("Enter")
        self.acknowledge(tool, "GBP")
        tool.alt("Export...")
        tool.wait_for_text("Save As")
        tool.replace_text("exported.csv")
        tool.keys("Enter")
        self.acknowledge(tool, "exported.csv")
        exported = os.path.join(folder, "exported.csv")
        self.assertTrue(os.path.exists(exported))
        self.save(tool)

        again = os.path.join(self.folder, "saved.csv")
        code, out, err = run_tool("export-holidays", path, "GBP", again)
        self.assertEqual(code, 0, err)
        saved = self.read(again).decode()
        self.assertEqual(saved, self.read(exported).decode())
        self.assertIn("2022-06-03", saved)  # the jubilee, which the rules do not know
        self.assertIn("2027-12-25", saved)
        self.assertIn("2027-01-02", saved)
        self.assertIn("2025-12-26", saved)  # what the file held before

    def test_a_new_currency_is_typed_in_its_window_filled_and_saved(self):
        path = self.copy_example("handler.xml")
        tool = self.open_dialog(path)
        tool.alt("New currency...")
        tool.wait_for_text("New currency")
        tool.wait_for_status("Currency:")
        tool.type("X")
        tool.keys("Enter")
        self.acknowledge(tool, "at least two characters")
        tool.replace_text("CHF")
        tool.keys("Enter")
        tool.wait_for_text(">CHF")
        tool.focus("Year")
        tool.type("2027")
        tool.alt("Add holiday of year")
        tool.wait_for_status("holidays added")
        self.save(tool)
        exported = os.path.join(self.folder, "chf.csv")
        code, out, err = run_tool("export-holidays", path, "CHF", exported)
        self.assertEqual(code, 0, err)
        self.assertIn("2027-01-02", self.read(exported).decode())

    def test_the_file_chooser_completes_a_path_with_tab_and_lists_the_folder(self):
        path = self.copy_example("handler.xml")
        folder = os.path.dirname(path)
        os.mkdir(os.path.join(folder, "calendars"))
        shutil.copyfile(CALENDAR, os.path.join(folder, "calendars", "official-2022.ics"))
        tool = self.open_dialog(path)
        tool.type("G")
        tool.alt("Import...")
        tool.wait_for_text("File name:")
        tool.wait_for_text("calendars/")  # the folder list, in the configuration's folder
        tool.type("cal")
        tool.keys("Tab")
        tool.wait_for_text("calendars/")
        tool.keys("Tab")
        tool.wait_for_text("calendars/official-2022.ics")
        tool.keys("Enter")
        self.acknowledge(tool, "GBP")
        # A file that is there already is replaced only after a yes. The chooser
        # opens in the folder last chosen in.
        kept = os.path.join(folder, "calendars", "GBP-holidays.ics")
        with open(kept, "w") as f:
            f.write("kept\n")
        tool.alt("Export...")
        tool.wait_for_text("Save As")
        tool.keys("Enter")  # the name it suggests: GBP-holidays.ics
        tool.wait_for_text("already exists")
        self.assertIn("[ Yes ]  < No >", tool.text())
        tool.keys("Enter")  # No, the default
        tool.wait_until_gone("already exists")
        tool.wait_for_text("Save As")
        tool.keys("Escape")
        tool.wait_until_gone("Save As")
        with open(kept) as f:
            self.assertEqual(f.read(), "kept\n")
        # The import is thrown away only after a yes; the sheet then holds no change.
        tool.discard()
        tool.wait_until_gone("Add holiday of year")
        tool.keys("Escape")
        self.assertEqual(tool.wait(), 1)


if __name__ == "__main__":
    hcdterm.main()
