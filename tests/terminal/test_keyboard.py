"""The keyboard model both backends share, through real keys in a terminal: radio
groups are one Tab stop whose arrows choose, Tab goes round the named controls in
the template's order, lists go to their first and last row and Delete removes the
row with the focus, a character a number field does not take is refused where it is
typed and said, Enter, Escape, Space and Alt with a letter (or Escape and then the
letter) do what they do in a Windows dialog, and the holiday commands say what they
did."""

import sys
import time

sys.dont_write_bytecode = True

import hcdterm  # noqa: E402
from hcdterm import ESCAPE_WAIT, TerminalTestCase, summary, wait_for  # noqa: E402

RATE = "Max Messages Per Sec."
SYSTEM_PROXY = "System default proxy setting"


class Keyboard(TerminalTestCase):
    def open_handler(self, **kwargs):
        path = self.copy_example("handler.xml")
        tool = self.start("edit", "--handler", path, **kwargs)
        tool.sheet()
        return path, tool

    def open_holidays(self):
        path, tool = self.open_handler()
        tool.alt("Holiday setting")
        tool.wait_for_status("Currency:")
        tool.type("G")
        tool.wait_for_text("2025-12-26")
        return path, tool

    def test_a_radio_group_is_one_tab_stop_whose_arrows_choose(self):
        path, tool = self.open_handler()
        tool.focus("Enable Proxy")
        tool.keys("Tab")
        # The checked button is the group's stop; the other is not one.
        tool.wait_for_status("Proxy:")
        tool.keys("Tab")
        tool.wait_for_status("Address:")
        tool.keys("BTab")
        tool.wait_for_status("Proxy:")
        # Down goes round the group and chooses, as a click would: the address and
        # port are given up with the proxy of one's own.
        tool.keys("Down")
        tool.wait_for_status(SYSTEM_PROXY + ":")
        tool.wait_for_text("(*) " + SYSTEM_PROXY)
        self.assertIn("( ) Proxy:", tool.text())
        tool.keys("Tab")
        tool.wait_for_status(RATE + ":")  # Address and Port are disabled now
        tool.keys("BTab")
        tool.wait_for_status(SYSTEM_PROXY + ":")
        tool.keys("Down")
        tool.wait_for_status("Proxy:")  # round to the first, never out of the group
        tool.wait_for_text("(*) Proxy:")
        tool.keys("Up")
        tool.wait_for_text("(*) " + SYSTEM_PROXY)
        tool.keys("Enter")
        self.assertEqual(tool.wait(), 0)
        self.assertIn("Use IE Proxy Setting=Yes", summary("--handler", path))

    def test_the_endpoint_choices_are_one_group_whose_arrows_choose(self):
        path, tool = self.open_handler()
        tool.focus("Default URL")
        # Of the four, Tab stops at the checked ones only: the kind and its endpoint.
        tool.keys("Tab")
        tool.wait_for_status("Testing:")
        tool.keys("Tab")
        wait_for("the focus to leave the group", lambda: not tool.status().startswith("Testing"))
        self.assertFalse(tool.status().startswith(("User-defined URL", "Production")),
                         tool.status())
        tool.keys("BTab")
        tool.wait_for_status("Testing:")
        # The arrows go round the four over the hints beside them, choosing.
        tool.keys("Up")
        tool.wait_for_text("(*) Production")
        self.assertIn("( ) Testing", tool.text())
        tool.keys("Down", "Down")
        tool.wait_for_text("(*) User-defined URL:")
        # The endpoints are given up with the default URL: Down passes them.
        tool.keys("Down")
        tool.wait_for_status("Default URL:")
        tool.wait_for_text("(*) Default URL")
        tool.keys("Down")
        tool.wait_for_status("Production:")
        tool.keys("Enter")
        self.assertEqual(tool.wait(), 0)
        self.assertIn("Using Default URL=Yes|Using Test Environement=No", summary("--handler", path))

    def test_ctrl_w_k_and_u_delete_as_readline_does(self):
        path, tool = self.open_handler()
        tool.focus("TargetCompID")
        tool.keys("End")
        tool.type(" two words")
        tool.wait_for_text("KELBMK two words")
        field = lambda: tool.field_text("TargetCompID:")  # noqa: E731
        tool.keys("C-w")
        wait_for("the word to go", lambda: field() == "KELBMK two")
        tool.keys("Home", "Right", "Right", "Right", "C-k")
        wait_for("the rest of the line to go", lambda: field() == "KEL")
        tool.keys("C-u")
        wait_for("the start of the line to go", lambda: "KEL" not in field())
        tool.type("NEW")
        tool.keys("Enter")
        self.assertEqual(tool.wait(), 0)
        self.assertIn("TID=NEW", summary("--handler", path))

    def test_tab_goes_round_the_named_controls_and_shift_tab_back(self):
        path, tool = self.open_handler()
        first = tool.status().split(":")[0]
        names = [first]
        while True:
            before = tool.status()
            tool.keys("Tab")
            wait_for("the focus to move", lambda: tool.status() != before, timeout=5)
            name = tool.status().split(":")[0]
            if name == first:
                break
            names.append(name)
            self.assertLess(len(names), 40, names)
        self.assertTrue(all(names), f"a Tab stop without a name: {names}")
        self.assertEqual(len(names), len(set(names)), names)
        self.assertNotIn(SYSTEM_PROXY, names)  # not the checked one of its group
        for earlier, later in [("Enable Proxy", "Proxy"), ("Proxy", "Address"),
                               ("Address", "Port"), ("Port", RATE), (RATE, "Username"),
                               ("Username", "Password"), ("SenderCompID", "TargetCompID"),
                               ("Holiday setting", "OK"), ("OK", "Cancel")]:
            self.assertLess(names.index(earlier), names.index(later), names)
        self.assertEqual(names[-2:], ["OK", "Cancel"])
        back = [first]
        for _ in range(len(names)):
            before = tool.status()
            tool.keys("BTab")
            wait_for("the focus to move", lambda: tool.status() != before, timeout=5)
            back.append(tool.status().split(":")[0])
        self.assertEqual(back[1:], list(reversed(names)))
        tool.keys("Escape")
        self.assertEqual(tool.wait(), 1)

    def test_lists_go_to_their_ends_and_delete_removes_the_focused_row_then_the_next(self):
        path, tool = self.open_holidays()
        tool.focus("Holiday")
        tool.keys("End")
        tool.wait_for_text("5/5")
        self.assertIn(">2025-12-26", tool.text().replace(" ", ""))
        tool.keys("Home")
        tool.wait_for_text("1/5")
        self.assertIn(">2025-01-01", tool.text().replace(" ", ""))
        # Nothing selected yet: Delete takes the row with the focus; the row now in
        # its place is current and selected, so Delete again takes it too.
        tool.keys("Up")  # a key that finds the row current selects it all the same
        tool.keys("DC")
        tool.wait_for_status("1 holiday removed")
        tool.wait_for_text("1/4")
        self.assertNotIn("2025-01-01", tool.text())
        tool.keys("DC")
        tool.wait_for_text("1/3")
        self.assertNotIn("2025-04-18", tool.text())
        # Shift stretches the selection: two rows go at once.
        tool.keys("S-Down")
        tool.keys("DC")
        tool.wait_for_status("2 holidays removed")
        tool.wait_for_text("1/1")
        tool.discard()
        tool.wait_until_gone("Add holiday of year")
        tool.keys("Escape")
        self.assertEqual(tool.wait(), 1)

    def test_typing_in_a_list_finds_the_row_that_begins_so(self):
        path, tool = self.open_holidays()
        tool.focus("Holiday")
        # The dates begin alike: the letters typed one after the other are one prefix.
        tool.type("2025-12-2")
        tool.wait_for_text("4/5")
        self.assertIn(">2025-12-25", tool.text().replace(" ", ""))
        # In the currencies' list box, a letter chooses the currency it begins.
        tool.focus_back("Currency")
        tool.type("U")
        tool.wait_for_text(">USD")
        tool.keys("Escape")
        tool.wait_until_gone("Add holiday of year")
        tool.keys("Escape")
        self.assertEqual(tool.wait(), 1)

    def test_a_password_shows_as_stars_and_is_saved(self):
        path, tool = self.open_handler()
        before = self.read(path)
        shown = tool.field_text("Password:")
        self.assertTrue(shown and set(shown) == {"*"}, shown)
        tool.focus("Password")
        tool.replace_text("Secr3t!")
        tool.wait_for_text("*******  ")
        self.assertEqual(tool.field_text("Password:"), "*******")
        self.assertNotIn("Secr3t", tool.text())
        tool.keys("Enter")
        self.assertEqual(tool.wait(), 0)
        self.assertNotEqual(self.read(path), before)
        self.assertNotIn(b"Secr3t", self.read(path))

    def test_a_character_a_number_does_not_take_is_refused_and_said(self):
        path, tool = self.open_handler()
        tool.focus(RATE)
        tool.replace_text("")
        tool.type("1e3")
        tool.wait_for_text("13 ")
        self.assertEqual(tool.field_text(RATE + ":"), "13")
        self.assertIn("Unacceptable Character: You can only type a number here.", tool.status())
        # A paste holding such a character is refused whole.
        tool.paste("4x5")
        tool.wait_for_status("Unacceptable Character")
        self.assertEqual(tool.field_text(RATE + ":"), "13")
        tool.paste("7")
        tool.wait_for_text("137 ")
        tool.keys("Enter")
        self.assertEqual(tool.wait(), 0)
        self.assertIn("Max Message Per Second=137", summary("--handler", path))

    def test_alt_and_escape_then_a_letter_reach_a_control_and_never_type(self):
        path, tool = self.open_handler()
        tool.focus(RATE)
        rate = tool.field_text(RATE + ":")
        sender = tool.mnemonic("SenderCompID").lower()
        tool.keys("M-" + sender)
        tool.wait_for_status("SenderCompID:")
        self.assertEqual(tool.field_text(RATE + ":"), rate)
        self.assertEqual(tool.field_text("SenderCompID:"), "BANK01")
        # Escape, then the letter: Alt for a terminal that sends none.
        tool.keys("Escape")
        time.sleep(ESCAPE_WAIT / 4)
        tool.type(tool.mnemonic("Max Messages Per Sec.").lower())
        tool.wait_for_status(RATE + ":")
        self.assertTrue(tool.running())
        self.assertEqual(tool.field_text(RATE + ":"), rate)
        # Every caption shows a letter of its own.
        letters = {}
        for caption in ["Enable Proxy", SYSTEM_PROXY, "Address:", "Port:", "Default URL",
                        "Production", "Testing", "User-defined URL:", "Username:",
                        "Password:", "SenderCompID:", "TargetCompID:", "Holiday setting",
                        "Suppress output during bank holiday", RATE]:
            letters[caption] = tool.mnemonic(caption)
        self.assertEqual(len(set(letters.values())), len(letters), letters)
        self.assertNotIn("O", letters.values())  # the sheet's OK
        self.assertNotIn("C", letters.values())  # and Cancel
        tool.keys("Escape")
        self.assertEqual(tool.wait(), 1)

    def test_space_toggles_and_enter_presses_the_focused_button(self):
        path, tool = self.open_handler()
        suppress = "Suppress output during bank holiday"
        tool.focus(suppress)
        tool.keys("Space")
        tool.wait_for_text("[ ] " + suppress)
        tool.keys("Tab")
        # The button went with the box: Tab passes it for OK.
        tool.wait_for_status("OK")
        tool.keys("BTab")
        tool.keys("Space")
        tool.wait_for_text("[x] " + suppress)
        tool.keys("Tab")
        tool.wait_for_status("Holiday setting:")
        tool.keys("Enter")
        tool.wait_for_text("Add holiday of year")
        # Enter in the dialog presses its default button, OK; Escape on the sheet
        # cancels it.
        tool.keys("Enter")
        tool.wait_until_gone("Add holiday of year")
        tool.keys("Escape")
        self.assertEqual(tool.wait(), 1)

    def test_the_holiday_commands_say_what_they_did(self):
        path, tool = self.open_holidays()
        tool.focus("Year")
        tool.type("2031")
        tool.alt("Add holiday of year")
        tool.wait_for_status("holidays added")
        added = int(tool.status().split()[0])
        self.assertGreater(added, 100)  # the rule holidays and the weekends
        tool.alt("Remove All")
        tool.wait_for_status(f"All {added + 5} holidays removed")
        tool.discard()
        tool.wait_until_gone("Add holiday of year")
        tool.keys("Escape")
        self.assertEqual(tool.wait(), 1)

    def test_the_pickers_are_named_by_labels_of_their_own_that_alt_reaches(self):
        path, tool = self.open_holidays()
        # The letters the Qt backend shows: the pickers' labels are served like the
        # template's own, so "Add holiday of year" leaves Y to "Year:".
        letters = {caption: tool.mnemonic(caption)
                   for caption in ("Date:", "Year:", "Add holiday of year")}
        self.assertEqual(letters, {"Date:": "D", "Year:": "Y", "Add holiday of year": "H"})
        for name in ("Year", "Date"):
            with self.subTest(picker=name):
                tool.alt(name + ":")
                tool.wait_for_status(name + ":")
                x, y = tool.cursor()
                label_x, label_y = tool.find(name + ":")
                # The cursor sits in the picker, under its label.
                self.assertTrue(label_y < y <= label_y + 2 and label_x <= x < label_x + 10,
                                (x, y, label_x, label_y))
                self.assertRegex(tool.lines()[y][label_x:], r"^\d{4}")
        tool.keys("Escape")
        tool.wait_until_gone("Add holiday of year")
        tool.keys("Escape")
        self.assertEqual(tool.wait(), 1)

    def test_the_year_picker_steps_the_part_under_the_cursor(self):
        path, tool = self.open_holidays()
        tool.focus("Year")
        self.assertIn("from 2010 to 2099", tool.status())  # the range it takes
        tool.type("2031")
        tool.wait_for_text("2031")
        tool.keys("+")
        tool.wait_for_text("2032")
        tool.keys("Down")
        tool.keys("Down")
        tool.wait_for_text("2030")
        tool.type("1999")  # before the dialog's first year: refused, and said
        tool.wait_for_status("Out of range")
        tool.focus("Date")
        tool.keys("Home")
        tool.type("2024-02-30".replace("-", ""))
        tool.wait_for_text("2024-02-30 ?")  # no such day: marked, not taken
        tool.keys("Left", "Left")
        tool.type("29")
        tool.wait_for_text("2024-02-29")
        self.assertNotIn("2024-02-29 ?", tool.text())
        tool.keys("Escape")
        tool.wait_until_gone("Add holiday of year")
        tool.keys("Escape")
        self.assertEqual(tool.wait(), 1)


if __name__ == "__main__":
    hcdterm.main()
