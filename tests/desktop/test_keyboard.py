"""The keyboard of every window, as Windows dialogs and Qt's own item views define
it: a radio group stops Tab at its checked buttons and its arrow keys choose within
it, the endpoint choices and the hints beside them being one group; Tab visits
named controls only; the holiday list's Home, End and Delete go by rows; a
character a field does not take is refused where it is typed, and said so; a file
chosen from the menu whose place says no kind is asked about; the pickers are named
by a label with a mnemonic and tell their range; what the holiday dialog adds and
removes is announced to a screen reader."""

import os
import shutil
import sys
import tempfile

sys.dont_write_bytecode = True

import hcd  # noqa: E402
from hcd import DesktopTestCase, click, find, replace_text, summary, text_of  # noqa: E402

RATE = "Max Messages Per Sec."
SYSTEM_PROXY = "System default proxy setting"
UNACCEPTABLE = ("Unacceptable Character", "You can only type a number here.")
# What Qt marks as focused besides the control that has the keys.
PARTS = ("page tab", "list item", "table cell")
ANNOUNCEMENTS = ("object:property-change:accessible-name", "object:state-changed:showing")
ACCESSIBLE_TABLE_WARNING = "QAccessibleTable::child: Invalid index"


def focus_in(window):
    """The control of the window that has the keyboard focus, or None; the current
    tab for the tab bar."""
    import pyatspi
    import screen
    focused = [node for node in screen.walk(window)
               if screen.has_state(node, pyatspi.STATE_FOCUSED)
               and screen.role_name(node) not in PARTS]
    if not focused:
        return None
    node = focused[-1]
    if node.getRole() == pyatspi.ROLE_PAGE_TAB_LIST:
        for tab in screen.children(node):
            if screen.has_state(tab, pyatspi.STATE_SELECTED):
                return tab
    return node


def describe(node):
    import screen
    return None if node is None else (screen.role_name(node), node.name)


def checked(node):
    import pyatspi
    import screen
    return screen.has_state(node, pyatspi.STATE_CHECKED)


def enabled(node):
    import pyatspi
    import screen
    return screen.has_state(node, pyatspi.STATE_ENABLED)


class Keyboard(DesktopTestCase):
    def wait_focus(self, window, role_name, name):
        return hcd.wait_for(f"the focus on the {role_name} {name!r}",
                            lambda: describe(focus_in(window)) == (role_name, name),
                            timeout=10)

    def open_holiday_dialog(self, path=None):
        import pyatspi
        tool = self.start("edit", "--handler", path or self.copy_example("handler.xml"))
        click(find(tool.sheet(), pyatspi.ROLE_PUSH_BUTTON, "Holiday setting"))
        return tool, tool.window("Holiday setting")

    def fill_year(self, dialog, currency, year):
        """Shows the currency, fills the year and answers the holiday list, its row
        count and how many rows the year added."""
        import pyatspi
        click(find(find(dialog, pyatspi.ROLE_LIST, "Currency"), pyatspi.ROLE_LIST_ITEM, currency))
        replace_text(find(dialog, pyatspi.ROLE_SPIN_BUTTON, "Year"), str(year))
        holidays = find(dialog, pyatspi.ROLE_TABLE, "Holiday")
        table = holidays.queryTable()
        before = table.nRows
        click(find(dialog, pyatspi.ROLE_PUSH_BUTTON, "Add holiday of year"))
        rows = hcd.wait_for(f"the rows of {year}", lambda: table.nRows if table.nRows > before
                            else 0)
        return holidays, table, rows, rows - before

    def close_holiday_dialog(self, tool):
        hcd.desktop().key("Escape")
        hcd.desktop().key("Escape")
        code, out, err = tool.wait()
        self.assertEqual(code, 1, err)
        self.assertNotIn(ACCESSIBLE_TABLE_WARNING, err)
        return err

    def test_a_radio_group_is_one_tab_stop_and_its_arrows_choose_within_it(self):
        import pyatspi
        path = self.copy_example("handler.xml")
        before = self.read(path)
        tool = self.start("edit", "--handler", path)
        sheet = tool.sheet()
        proxy = find(sheet, pyatspi.ROLE_RADIO_BUTTON, "Proxy:")
        system = find(sheet, pyatspi.ROLE_RADIO_BUTTON, SYSTEM_PROXY)
        address = find(sheet, pyatspi.ROLE_TEXT, "Address")
        self.wait_focus(sheet, "check box", "Enable Proxy")
        # Tab enters the group on its checked button, not on its first.
        hcd.desktop().key("Tab")
        self.wait_focus(sheet, "radio button", "Proxy:")
        # Each arrow moves and checks, as a click does (the page then disables the
        # address), and wraps at the ends of the group instead of leaving it.
        for key, now, other, address_enabled in (
                ("Down", system, proxy, False), ("Down", proxy, system, True),
                ("Up", system, proxy, False), ("Up", proxy, system, True),
                ("Right", system, proxy, False), ("Left", proxy, system, True)):
            with self.subTest(key=key, to=now.name):
                hcd.desktop().key(key)
                self.wait_focus(sheet, "radio button", now.name)
                hcd.wait_for(f"{now.name} to be checked", lambda: checked(now), timeout=10)
                self.assertFalse(checked(other))
                hcd.wait_for("the page to hear of the click",
                             lambda: enabled(address) == address_enabled, timeout=10)
        # The next Tab leaves the group for the field after it, and Shift+Tab comes
        # back to the checked button.
        hcd.desktop().key("Tab")
        self.wait_focus(sheet, "text", "Address")
        hcd.desktop().key("shift+Tab")
        self.wait_focus(sheet, "radio button", "Proxy:")
        hcd.desktop().key("Escape")
        self.assertEqual(tool.wait()[0], 1)
        self.assertEqual(self.read(path), before)

    def test_the_endpoint_choices_are_one_group_that_stops_tab_where_checked(self):
        import pyatspi
        path = self.copy_example("handler.xml")
        before = self.read(path)
        tool = self.start("edit", "--handler", path)
        sheet = tool.sheet()
        choice = {name: find(sheet, pyatspi.ROLE_RADIO_BUTTON, name)
                  for name in ("Default URL", "Production", "Testing", "User-defined URL:")}
        host = find(sheet, pyatspi.ROLE_TEXT, "Host URL")
        click(find(sheet, pyatspi.ROLE_TEXT, RATE))
        self.wait_focus(sheet, "text", RATE)
        # The example chooses the default endpoint, for testing: Tab stops at those
        # two choices only, then leaves the group for the next field that takes keys.
        for name in ("Default URL", "Testing"):
            hcd.desktop().key("Tab")
            self.wait_focus(sheet, "radio button", name)
        hcd.desktop().key("Tab")
        self.wait_focus(sheet, "text", "Username")
        hcd.desktop().key("shift+Tab")
        self.wait_focus(sheet, "radio button", "Testing")
        # The arrows go round all four, clicking each (the page then enables what the
        # choice needs), and pass over the choices the page disabled.
        for key, now, host_enabled in (("Down", "User-defined URL:", True),
                                       ("Down", "Default URL", False),
                                       ("Down", "Production", False),
                                       ("Up", "Default URL", False),
                                       ("Up", "User-defined URL:", True)):
            with self.subTest(key=key, to=now):
                hcd.desktop().key(key)
                self.wait_focus(sheet, "radio button", now)
                hcd.wait_for(f"{now} to be checked", lambda: checked(choice[now]), timeout=10)
                hcd.wait_for("the page to hear of the click",
                             lambda: enabled(host) == host_enabled, timeout=10)
        self.assertFalse(checked(choice["Default URL"]))
        self.assertTrue(checked(choice["Production"]))
        self.assertFalse(checked(choice["Testing"]))
        hcd.desktop().key("Escape")
        self.assertEqual(tool.wait()[0], 1)
        self.assertEqual(self.read(path), before)

    def tab_round(self, window, limit=60):
        """The controls Tab visits from the focused one until it is back there."""
        import screen
        start = hcd.wait_for("a control with the focus", lambda: focus_in(window))
        first = (describe(start), screen.extents(start))
        stops = [describe(start)]
        previous = first
        for _ in range(limit):
            hcd.desktop().key("Tab")

            def moved():
                node = focus_in(window)
                here = (describe(node), screen.extents(node)) if node is not None else None
                return here if here is not None and here != previous else None
            previous = hcd.wait_for(f"Tab to move on from {previous[0]}", moved, timeout=10)
            if previous == first:
                return stops
            stops.append(previous[0])
        self.fail(f"Tab did not come back round: {stops}")

    def test_tab_visits_named_controls_only_and_comes_back_round(self):
        import pyatspi
        tool = self.start("edit", "--handler", self.copy_example("handler.xml"))
        sheet = tool.sheet()
        stops = self.tab_round(sheet)
        with self.subTest(window="handler page"):
            self.assertIn(("page tab list", "KEL Benchmark Adiministration Configuration"), stops)
            self.assertIn(("push button", "OK"), stops)
            self.assertEqual([stop for stop in stops if stop[0] == "filler" or not stop[1]], [])
        click(find(sheet, pyatspi.ROLE_PUSH_BUTTON, "Holiday setting"))
        dialog = tool.window("Holiday setting")
        stops = self.tab_round(dialog)
        with self.subTest(window="holiday dialog"):
            # A picker is one stop: Tab leaves it, the arrows move within it.
            self.assertEqual(stops.count(("spin button", "Date")), 1)
            self.assertEqual(stops.count(("spin button", "Year")), 1)
            self.assertEqual([stop for stop in stops if stop[0] == "filler" or not stop[1]], [])
        self.close_holiday_dialog(tool)

    def test_the_holiday_lists_keys_go_by_rows_and_delete_takes_the_focused_row(self):
        import pyatspi
        tool, dialog = self.open_holiday_dialog()
        holidays, table, rows, added = self.fill_year(dialog, "USD", 2030)

        def selected(wanted):
            return hcd.wait_for(f"rows {wanted} selected",
                                lambda: list(table.getSelectedRows()) == wanted, timeout=10)
        # From a cell of the remark column End and Home still go to the last and the
        # first row.
        click(table.getAccessibleAt(2, 1))
        selected([2])
        hcd.desktop().key("End")
        selected([rows - 1])
        hcd.desktop().key("Home")
        selected([0])
        hcd.desktop().key("Down", "Down", "Down")
        selected([3])
        # Ctrl+Space leaves the focus frame on the row without selecting it: Delete
        # takes that row, then selects the one after it, so a second Delete goes on.
        hcd.desktop().key("ctrl+space")
        selected([])
        third, fourth, fifth = (table.getAccessibleAt(row, 0).name for row in (3, 4, 5))
        hcd.desktop().key("Delete")
        hcd.wait_for("the focused row to go", lambda: table.nRows == rows - 1, timeout=10)
        selected([3])
        self.assertEqual(table.getAccessibleAt(3, 0).name, fourth)
        hcd.desktop().key("Delete")
        hcd.wait_for("the next row to go", lambda: table.nRows == rows - 2, timeout=10)
        selected([3])
        self.assertEqual(table.getAccessibleAt(3, 0).name, fifth)
        names = {table.getAccessibleAt(row, 0).name for row in range(table.nRows)}
        self.assertNotIn(third, names)
        self.assertNotIn(fourth, names)
        # At the end of the list the new last row takes the selection.
        hcd.desktop().key("End", "Delete")
        hcd.wait_for("the last row to go", lambda: table.nRows == rows - 3, timeout=10)
        selected([rows - 4])
        self.close_holiday_dialog(tool)

    def test_a_character_the_rate_does_not_take_is_refused_where_it_is_typed_and_said(self):
        import pyatspi
        import screen
        path = self.copy_example("handler.xml")
        tool = self.start("edit", "--handler", path)
        sheet = tool.sheet()
        rate = find(sheet, pyatspi.ROLE_TEXT, RATE)
        events = screen.EventLog(*ANNOUNCEMENTS)
        try:
            replace_text(rate, "1e")
            tip = hcd.wait_for("the tip at the rate", lambda: [
                window for window in screen.windows(tool.app)
                if window.getRole() == pyatspi.ROLE_TOOL_TIP
                and all(part in window.name for part in UNACCEPTABLE)])[0]
            x, y, w, h = screen.extents(tip)
            rx, ry, rw, rh = screen.extents(rate)
            self.assertLess(abs(y - (ry + rh)), 3 * rh, "the tip is at the field")
            events.wait_for("the refusal to be announced", lambda kind, role, name, _:
                            role == pyatspi.ROLE_NOTIFICATION and name is not None
                            and UNACCEPTABLE[1] in name)
            hcd.desktop().type("3")
            hcd.wait_for("the typing to arrive", lambda: text_of(rate) == "13", timeout=10)
            # A paste holding such a character is refused whole, with the same tip.
            click(find(sheet, pyatspi.ROLE_TEXT, "Username"))
            hcd.desktop().key("ctrl+a", "ctrl+c")
            click(rate)
            hcd.desktop().key("End")
            events.seen.clear()
            hcd.desktop().key("ctrl+v")
            events.wait_for("the refused paste to be announced", lambda kind, role, name, _:
                            role == pyatspi.ROLE_NOTIFICATION and name is not None
                            and UNACCEPTABLE[1] in name)
            self.assertEqual(text_of(rate), "13")
        finally:
            events.close()
        hcd.desktop().key("Return")
        code, out, err = tool.wait()
        self.assertEqual(code, 0, err)
        self.assertIn("Max Message Per Second=13", summary("--handler", path))

    def test_a_file_chosen_from_the_menu_outside_a_tree_is_asked_about(self):
        import pyatspi
        import screen
        folder = tempfile.mkdtemp(dir=self.folder)
        path = os.path.join(folder, "eur-desk.xml")
        shutil.copyfile(os.path.join(hcd.EXAMPLES, "static.xml"), path)
        # As the desktop entry starts it: no file and no kind.
        tool = self.start("edit")

        def choose(path):
            hcd.wait_for("the file chooser", lambda: [
                window for window in screen.windows(tool.app)
                if window.getRole() in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_FILE_CHOOSER)
                and window.name != "Kind of configuration"])
            hcd.desktop().type(path)
            hcd.desktop().key("Return")
            return tool.window("Kind of configuration")
        question = choose(path)
        self.assertIn("eur-desk.xml", "\n".join(
            node.name for node in screen.walk(question) if node.getRole() == pyatspi.ROLE_LABEL))
        ok = find(question, pyatspi.ROLE_PUSH_BUTTON, "OK")
        # Nothing is taken for granted: OK waits for a choice, and Cancel goes back to
        # the chooser.
        self.assertFalse(enabled(ok))
        self.wait_focus(question, "radio button", "Handler configuration")
        hcd.desktop().key("Escape")
        question = choose(path)
        # Down moves to the record set and chooses it; Enter opens its page.
        self.wait_focus(question, "radio button", "Handler configuration")
        hcd.desktop().key("Down")
        self.wait_focus(question, "radio button", "Static record set")
        hcd.wait_for("OK to be enabled", lambda: enabled(find(question, pyatspi.ROLE_PUSH_BUTTON,
                                                                   "OK")), timeout=10)
        hcd.desktop().key("Return")
        sheet = tool.sheet()
        self.assertEqual(sheet.name, "eur-desk.xml \u2014 Record Set Properties")
        replace_text(find(sheet, pyatspi.ROLE_TEXT, "Currency"), "CHF")
        hcd.desktop().key("Return")
        code, out, err = tool.wait()
        self.assertEqual(code, 0, err)
        self.assertIn("Currency=CHF", summary("--static", path))
        # Cancel in the chooser after all ends the edit with nothing written.
        tool = self.start("edit")
        choose(path)
        hcd.desktop().key("Escape")
        hcd.wait_for("the chooser again", lambda: [
            window for window in screen.windows(tool.app) if window.name != "Kind of configuration"])
        hcd.desktop().key("Escape")
        code, out, err = tool.wait()
        self.assertEqual(code, 1, err)
        self.assertIn("not edited", err)

    def test_the_pickers_are_named_by_a_label_with_a_mnemonic_and_tell_their_range(self):
        import datetime
        import pyatspi
        import screen
        from test_accessibility import Audit
        tool, dialog = self.open_holiday_dialog()
        audit = Audit("holiday setting dialog")
        audit.look(dialog)
        audit.probe(tool)
        this_year = datetime.date.today().year
        for name, low, high, value in (("Year", 2010, 2099, this_year),
                                       ("Date", None, None, None)):
            with self.subTest(picker=name):
                picker = find(dialog, pyatspi.ROLE_SPIN_BUTTON, name)
                labels = screen.labelled_by(picker)
                self.assertEqual([label.name.rstrip(": ") for label in labels], [name])
                self.assertTrue(audit.captions.get(f"spin button {labels[0].name}"),
                                f"no mnemonic reaches {name}: {audit.captions}")
                numbers = picker.queryValue()
                self.assertGreater(numbers.maximumValue, numbers.minimumValue)
                self.assertGreaterEqual(numbers.currentValue, numbers.minimumValue)
                self.assertLessEqual(numbers.currentValue, numbers.maximumValue)
                if low is not None:
                    self.assertEqual((numbers.minimumValue, numbers.maximumValue), (low, high))
                    self.assertEqual(numbers.currentValue, value)
        self.close_holiday_dialog(tool)

    def test_what_the_holiday_dialog_adds_and_removes_is_announced(self):
        import pyatspi
        import screen
        tool, dialog = self.open_holiday_dialog()
        events = screen.EventLog(*ANNOUNCEMENTS)

        def announced(text):
            return events.wait_for(f"{text!r} to be announced", lambda kind, role, name, _:
                                   role == pyatspi.ROLE_NOTIFICATION and name == text)
        try:
            holidays, table, rows, added = self.fill_year(dialog, "GBP", 2027)
            announced(f"{added} holidays added")
            click(table.getAccessibleAt(0, 0))
            hcd.desktop().key("Delete")
            announced("1 holiday removed")
            click(table.getAccessibleAt(0, 0))
            hcd.desktop().key("shift+Down", "shift+Down")
            click(find(dialog, pyatspi.ROLE_PUSH_BUTTON, "Remove"))
            announced("3 holidays removed")
            click(find(dialog, pyatspi.ROLE_PUSH_BUTTON, "Remove All"))
            announced(f"All {rows - 4} holidays removed")
            # Showing another currency is no change of the calendar: nothing is said.
            events.seen.clear()
            click(find(find(dialog, pyatspi.ROLE_LIST, "Currency"), pyatspi.ROLE_LIST_ITEM,
                       "USD"))
            hcd.wait_for("the rows of USD", lambda: table.nRows > 0, timeout=10)
            self.assertEqual([event for event in events.pump()
                              if event[1] == pyatspi.ROLE_NOTIFICATION and event[2]], [])
        finally:
            events.close()
        self.close_holiday_dialog(tool)

    def test_the_holiday_list_emptied_and_refilled_leaves_no_warning(self):
        import pyatspi
        tool, dialog = self.open_holiday_dialog()
        holidays, table, rows, added = self.fill_year(dialog, "USD", 2031)
        currencies = find(dialog, pyatspi.ROLE_LIST, "Currency")
        # A screen reader reads the cells by the count it read before the list was
        # refilled with fewer rows, then emptied.
        for change in (lambda: click(find(currencies, pyatspi.ROLE_LIST_ITEM, "GBP")),
                       lambda: click(find(dialog, pyatspi.ROLE_PUSH_BUTTON, "Remove All"))):
            children, count = holidays.childCount, table.nRows
            change()
            hcd.wait_for("the rows to change", lambda: table.nRows < count, timeout=20)
            self.assertIsNone(holidays.getChildAtIndex(children - 1))
            self.assertIsNone(table.getAccessibleAt(count - 1, 0))
        err = self.close_holiday_dialog(tool)
        self.assertNotIn("QAccessible", err)


if __name__ == "__main__":
    hcd.main()
