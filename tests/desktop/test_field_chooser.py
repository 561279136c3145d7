"""The field chooser, as a person uses it: pick a field with the mouse or the
keyboard, OK, and the name is printed; Enter with none picked says so."""

import sys

sys.dont_write_bytecode = True

import hcd  # noqa: E402
from hcd import DesktopTestCase, click, find  # noqa: E402


class FieldChooser(DesktopTestCase):
    def chooser(self, *args):
        import pyatspi
        tool = self.start("choose-field", *args)
        window = tool.window("Select Field")
        return tool, window, find(window, pyatspi.ROLE_LIST, "Select Field")

    def test_a_field_picked_with_the_mouse_is_printed(self):
        import pyatspi
        tool, window, fields = self.chooser("--party")
        click(find(fields, pyatspi.ROLE_LIST_ITEM, "PARTY_ROLE"))
        click(find(window, pyatspi.ROLE_PUSH_BUTTON, "OK"))
        self.assertEqual(tool.wait(), (0, "PARTY_ROLE\n", ""))

    def test_a_field_picked_with_the_keyboard_is_printed(self):
        import pyatspi
        import screen
        tool, window, fields = self.chooser()
        # The list has the focus from the start: no click needed.
        self.assertTrue(screen.has_state(fields, pyatspi.STATE_FOCUSED))
        hcd.desktop().key("End", "Return")
        self.assertEqual(tool.wait(), (0, "BENCHMK_SUB_REQ_TYPE\n", ""))

    def test_ok_without_a_field_keeps_the_chooser_and_escape_prints_nothing(self):
        import pyatspi
        tool, window, fields = self.chooser()
        click(find(window, pyatspi.ROLE_PUSH_BUTTON, "OK"))
        self.assertTrue(tool.running())
        hcd.desktop().key("Escape")
        self.assertEqual(tool.wait(), (0, "\n", ""))

    def test_enter_with_no_field_chosen_says_so_and_space_chooses_the_current_row(self):
        import pyatspi
        import screen
        tool, window, fields = self.chooser()
        # The first row is current from the start, and nothing is chosen yet.
        rows = [node for node in screen.children(fields)
                if node.getRole() == pyatspi.ROLE_LIST_ITEM]
        first = rows[0].name
        current = hcd.wait_for("a current row", lambda: [
            row.name for row in rows if screen.has_state(row, pyatspi.STATE_FOCUSED)])
        self.assertEqual(current, [first])
        self.assertEqual([row.name for row in rows
                          if screen.has_state(row, pyatspi.STATE_SELECTED)], [])
        # Enter chooses nothing, and says so where a screen reader hears it.
        hcd.desktop().key("Return")
        said = hcd.wait_for("Enter to be answered", lambda: [
            node.name for node in screen.walk(window)
            if node.getRole() == pyatspi.ROLE_NOTIFICATION and node.name])
        self.assertEqual(said,
                         ["Nothing chosen: Choose an item with the arrow keys or Space first."])
        self.assertTrue(tool.running())
        hcd.desktop().key("space", "Return")
        self.assertEqual(tool.wait(), (0, first + "\n", ""))


if __name__ == "__main__":
    hcd.main()
