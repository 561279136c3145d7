"""The holiday calendar, as a person keeps it: pick a currency, fill a year, import
an official calendar and export the result through the real file chooser, OK, OK:
the calendar is saved."""

import os
import shutil
import sys

sys.dont_write_bytecode = True

import hcd  # noqa: E402
from hcd import DesktopTestCase, click, find, replace_text, run_tool  # noqa: E402

CALENDAR = os.path.join(hcd.EXAMPLES, "calendars", "england-and-wales-2022-2023.ics")


class HolidayDialog(DesktopTestCase):
    def open_dialog(self, path):
        import pyatspi
        tool = self.start("edit", "--handler", path)
        click(find(tool.sheet(), pyatspi.ROLE_PUSH_BUTTON, "Holiday setting"))
        return tool, tool.window("Holiday setting")

    def choose_file(self, tool, name):
        """Types the name into the file chooser that has just opened (its name field
        has the focus), and accepts it."""
        import screen
        hcd.wait_for("the file chooser", lambda: [
            window for window in screen.windows(tool.app)
            if window.name != "Holiday setting" and not window.name.endswith("Properties")])
        hcd.desktop().type(name)
        hcd.desktop().key("Return")

    def acknowledge(self, tool, expected):
        box, said = tool.message_box()
        self.assertIn(expected, said)
        hcd.desktop().key("Return")
        hcd.wait_for("the message box to close", tool.no_message_box)

    def save(self, tool, dialog):
        """OK on the holiday dialog, then on the sheet, by mouse: the file is saved."""
        import pyatspi
        import screen
        click(find(dialog, pyatspi.ROLE_PUSH_BUTTON, "OK"))
        hcd.wait_for("the holiday dialog to close", lambda: all(
            window.name != "Holiday setting" for window in screen.windows(tool.app)))
        click(find(tool.sheet(), pyatspi.ROLE_PUSH_BUTTON, "OK"))
        code, out, err = tool.wait()
        self.assertEqual(code, 0, err)

    def test_a_year_an_import_and_an_export_are_saved_with_the_calendar(self):
        import pyatspi
        import screen
        path = self.copy_example("handler.xml")
        folder = os.path.dirname(path)
        # The file chooser opens in the configuration's folder: bare names do.
        shutil.copyfile(CALENDAR, os.path.join(folder, "official.ics"))
        tool, dialog = self.open_dialog(path)
        click(find(find(dialog, pyatspi.ROLE_LIST, "Currency"), pyatspi.ROLE_LIST_ITEM, "GBP"))
        replace_text(find(dialog, pyatspi.ROLE_SPIN_BUTTON, "Year"), "2027")
        click(find(dialog, pyatspi.ROLE_PUSH_BUTTON, "Add holiday of year"))
        click(find(dialog, pyatspi.ROLE_PUSH_BUTTON, "Import..."))
        self.choose_file(tool, "official.ics")
        self.acknowledge(tool, "GBP")
        # The longest remark is shown whole: its column is as wide as it needs.
        longest = "Bank Holiday for the State Funeral of Queen Elizabeth II"
        holidays = find(dialog, pyatspi.ROLE_TABLE, "Holiday")
        remark = find(holidays, pyatspi.ROLE_TABLE_COLUMN_HEADER, "Remark", showing_only=False)
        self.assertGreaterEqual(screen.extents(remark)[2], 5 * len(longest))
        click(find(dialog, pyatspi.ROLE_PUSH_BUTTON, "Export..."))
        self.choose_file(tool, "exported.csv")
        self.acknowledge(tool, "exported.csv")
        exported = os.path.join(folder, "exported.csv")
        self.assertTrue(os.path.exists(exported))
        # Enter would press the button that has the focus: Export again.
        self.save(tool, dialog)

        again = os.path.join(self.folder, "saved.csv")
        code, out, err = run_tool("export-holidays", path, "GBP", again)
        self.assertEqual(code, 0, err)
        saved = self.read(again).decode()
        self.assertEqual(saved, self.read(exported).decode())
        # The rules do not know the jubilee; the year filled is there, weekends too.
        self.assertIn("2022-06-03", saved)
        self.assertIn("2027-12-25", saved)
        self.assertIn("2027-01-02", saved)
        self.assertIn("2025-12-26", saved)  # what the file held before

    def test_a_new_currency_is_typed_in_its_window_filled_and_saved(self):
        import pyatspi
        import screen
        path = self.copy_example("handler.xml")
        tool, dialog = self.open_dialog(path)
        click(find(dialog, pyatspi.ROLE_PUSH_BUTTON, "New currency..."))
        asked = tool.window("New currency")
        # The code field has the focus: typing and Enter are all it takes.
        hcd.wait_for("the code field to take the keys", lambda: screen.has_state(
            find(asked, pyatspi.ROLE_TEXT, "Currency"), pyatspi.STATE_FOCUSED))
        hcd.desktop().type("X")
        hcd.desktop().key("Return")
        self.acknowledge(tool, "at least two characters")
        replace_text(find(tool.window("New currency"), pyatspi.ROLE_TEXT, "Currency"), "CHF")
        hcd.desktop().key("Return")
        hcd.wait_for("the New currency window to close", lambda: all(
            window.name != "New currency" for window in screen.windows(tool.app)))
        currencies = find(dialog, pyatspi.ROLE_LIST, "Currency")
        chosen = find(currencies, pyatspi.ROLE_LIST_ITEM, "CHF")
        hcd.wait_for("CHF to be selected",
                     lambda: screen.has_state(chosen, pyatspi.STATE_SELECTED))
        replace_text(find(dialog, pyatspi.ROLE_SPIN_BUTTON, "Year"), "2027")
        click(find(dialog, pyatspi.ROLE_PUSH_BUTTON, "Add holiday of year"))
        self.save(tool, dialog)

        exported = os.path.join(self.folder, "chf.csv")
        code, out, err = run_tool("export-holidays", path, "CHF", exported)
        self.assertEqual(code, 0, err)
        self.assertIn("2027-01-02", self.read(exported).decode())

    def test_the_file_chooser_opens_in_the_folder_last_used(self):
        import pyatspi
        first = self.copy_example("handler.xml")
        second = self.copy_example("handler.xml")
        for path, name in ((first, "first.csv"), (second, "second.csv")):
            tool, dialog = self.open_dialog(path)
            click(find(dialog, pyatspi.ROLE_PUSH_BUTTON, "Export..."))
            self.choose_file(tool, name)
            self.acknowledge(tool, name)
            hcd.desktop().key("Escape")
            hcd.desktop().key("Escape")
            self.assertEqual(tool.wait()[0], 1)
        # The first export went to its configuration's folder; the second to the
        # folder last used, not to its own.
        self.assertEqual(sorted(os.listdir(os.path.dirname(first))),
                         ["first.csv", "handler.xml", "second.csv"])
        self.assertEqual(os.listdir(os.path.dirname(second)), ["handler.xml"])


if __name__ == "__main__":
    hcd.main()
