"""The field chooser, as a person uses it: pick a field with the mouse or the
keyboard, OK, and the name is printed."""

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


if __name__ == "__main__":
    hcd.main()
