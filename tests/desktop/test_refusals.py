"""What refuses a save while the window is open says why in a message box and
keeps the window with everything typed in it; once the cause is gone, OK saves.
What refuses the edit before a window opens is shown in a message box too when
nobody reads standard error."""

import os
import sys

sys.dont_write_bytecode = True

import hcd  # noqa: E402
from hcd import DesktopTestCase, click, find, replace_text, summary, text_of  # noqa: E402

RATE = "Max Messages Per Sec."


class Refusals(DesktopTestCase):
    def open_handler(self):
        path = self.copy_example("handler.xml")
        tool = self.start("edit", "--handler", path)
        return path, tool, tool.sheet()

    def assert_still_open(self, tool, sheet, rate):
        import pyatspi
        hcd.wait_for("the message box to close", tool.no_message_box)
        self.assertTrue(tool.running())
        self.assertEqual(text_of(find(sheet, pyatspi.ROLE_TEXT, RATE)), rate)

    def test_a_refused_value_keeps_the_window_until_it_is_fixed(self):
        import pyatspi
        path, tool, sheet = self.open_handler()
        replace_text(find(sheet, pyatspi.ROLE_TEXT, RATE), "45")
        replace_text(find(sheet, pyatspi.ROLE_TEXT, "SenderCompID"), "")
        click(find(sheet, pyatspi.ROLE_PUSH_BUTTON, "OK"))
        box, said = tool.message_box()
        self.assertEqual(box.name, "hcdtool")
        self.assertIn("SenderCompID can not be empty", said)
        hcd.desktop().key("Return")
        sheet = tool.sheet()
        self.assert_still_open(tool, sheet, "45")
        # The refusal put the focus on the field to fix.
        hcd.desktop().type("BANK02")
        hcd.desktop().key("Return")
        code, out, err = tool.wait()
        self.assertEqual(code, 0, err)
        saved = summary("--handler", path)
        self.assertIn("SID=BANK02", saved)
        self.assertIn("Max Message Per Second=45", saved)

    def test_the_rate_takes_whole_numbers_as_typed_and_names_itself_when_empty(self):
        import pyatspi
        path, tool, sheet = self.open_handler()
        rate = find(sheet, pyatspi.ROLE_TEXT, RATE)
        # The letters and the dot are refused as they are typed; the final blank
        # shows the typing has been taken in.
        replace_text(rate, "4x5. ")
        hcd.wait_for("the typing to arrive", lambda: text_of(rate).endswith(" "))
        self.assertEqual(text_of(rate), "45 ")
        replace_text(rate, "")
        click(find(sheet, pyatspi.ROLE_PUSH_BUTTON, "OK"))
        box, said = tool.message_box()
        self.assertEqual(said, '"Max Messages Per Sec." takes a whole number from -2147483648 '
                               'to 2147483647.')
        hcd.desktop().key("Return")
        # A rate of no messages, or fewer, is stored as it is.
        replace_text(find(tool.sheet(), pyatspi.ROLE_TEXT, RATE), " -3")
        hcd.desktop().key("Return")
        code, out, err = tool.wait()
        self.assertEqual(code, 0, err)
        self.assertIn("Max Message Per Second=-3", summary("--handler", path))

    def test_a_file_made_read_only_while_open_keeps_the_edit_until_it_can_be_saved(self):
        import pyatspi
        path, tool, sheet = self.open_handler()
        before = self.read(path)
        replace_text(find(sheet, pyatspi.ROLE_TEXT, RATE), "45")
        os.chmod(path, 0o444)
        click(find(sheet, pyatspi.ROLE_PUSH_BUTTON, "OK"))
        box, said = tool.message_box()
        self.assertIn("read-only", said)
        self.assertIn(path, said)
        hcd.desktop().key("Return")
        self.assert_still_open(tool, tool.sheet(), "45")
        self.assertEqual(self.read(path), before)
        os.chmod(path, 0o644)
        click(find(tool.sheet(), pyatspi.ROLE_PUSH_BUTTON, "OK"))
        code, out, err = tool.wait()
        self.assertEqual(code, 0, err)
        self.assertIn("Max Message Per Second=45", summary("--handler", path))

    def test_a_file_changed_behind_the_edit_is_overwritten_only_after_yes(self):
        import pyatspi
        path, tool, sheet = self.open_handler()
        replace_text(find(sheet, pyatspi.ROLE_TEXT, RATE), "45")
        with open(path, "ab") as other_program:
            other_program.write(b"<!-- changed by another program -->\n")
        behind = self.read(path)
        for answer in ("No", "Yes"):
            click(find(tool.sheet(), pyatspi.ROLE_PUSH_BUTTON, "OK"))
            box, said = tool.message_box()
            self.assertIn("was changed by another program", said)
            click(find(box, pyatspi.ROLE_PUSH_BUTTON, answer))
            if answer == "No":
                self.assert_still_open(tool, tool.sheet(), "45")
                self.assertEqual(self.read(path), behind)
        code, out, err = tool.wait()
        self.assertEqual(code, 0, err)
        self.assertNotIn(b"another program", self.read(path))
        self.assertIn("Max Message Per Second=45", summary("--handler", path))

    def test_an_edit_refused_before_its_window_says_so_in_a_message_box(self):
        read_only = self.copy_example("handler.xml", "read-only.xml")
        os.chmod(read_only, 0o444)
        linked = self.copy_example("handler.xml", "linked.xml")
        os.link(linked, os.path.join(self.folder, "second-name.xml"))
        held = self.copy_example("handler.xml", "held.xml")
        first = self.start("edit", "--handler", held)
        first.sheet()
        for path, reason in ((read_only, "read-only"), (linked, "hard links"),
                             (held, "another edit holds it")):
            with self.subTest(reason=reason):
                # Standard error is a pipe here, as for a program started from a desktop.
                tool = self.start("edit", "--handler", path)
                box, said = tool.message_box()
                self.assertIn(reason, said)
                self.assertIn(path, said)
                hcd.desktop().key("Return")
                code, out, err = tool.wait()
                self.assertEqual(code, 3, err)
                self.assertIn(reason, err)
        hcd.desktop().key("Escape")
        self.assertEqual(first.wait()[0], 1)


if __name__ == "__main__":
    hcd.main()
