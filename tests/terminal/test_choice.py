"""Which user interface edit and choose-field use, and the clear line when none can
be: the terminal when no display answers and standard input and output are a
terminal; `--ui` and HCDTOOL_UI to choose; a terminal that cannot address the cursor,
no terminal at all, or an offscreen Qt edit without a script refused at once, in one
line, never a window waited on forever."""

import os
import subprocess
import sys

sys.dont_write_bytecode = True

import hcdterm  # noqa: E402
from hcdterm import TerminalTestCase  # noqa: E402

# Ended this long after it started, a command has certainly not waited for anybody.
HANG = 30


def run_without_terminal(*args, env):
    environment = {k: v for k, v in os.environ.items()
                   if k not in ("DISPLAY", "WAYLAND_DISPLAY", "HCDTOOL_UI", "QT_QPA_PLATFORM")}
    environment.update(env)
    done = subprocess.run([hcdterm.HCDTOOL, *args], capture_output=True, text=True,
                          stdin=subprocess.PIPE, timeout=HANG, env=environment)
    return done.returncode, done.stdout, done.stderr


class Choice(TerminalTestCase):
    def test_without_a_display_or_a_terminal_no_window_can_be_opened(self):
        path = self.copy_example("handler.xml")
        before = self.read(path)
        cases = [
            ({}, ["edit", "--handler", path], "no display is set"),
            ({}, ["choose-field"], "no display is set"),
            ({"QT_QPA_PLATFORM": "offscreen"}, ["edit", "--handler", path],
             "QT_QPA_PLATFORM=offscreen shows no window"),
            ({"QT_QPA_PLATFORM": "offscreen"}, ["edit", "--handler", path, "--ui", "qt"],
             "QT_QPA_PLATFORM=offscreen shows no window to anybody"),
            ({"QT_QPA_PLATFORM": "minimal", "HCDTOOL_UI": "qt"}, ["choose-field"],
             "QT_QPA_PLATFORM=minimal shows no window to anybody"),
            ({}, ["edit", "--handler", path, "--ui", "qt"],
             "no display is set (DISPLAY); edit with --ui terminal"),
            ({}, ["edit", "--handler", path, "--ui", "terminal"],
             "standard input and output are not both a terminal"),
        ]
        for env, args, said in cases:
            with self.subTest(args=args, env=env):
                code, out, err = run_without_terminal(*args, env=env)
                self.assertEqual(code, 3, err)
                self.assertEqual(out, "")
                self.assertEqual(err.count("\n"), 1, err)
                self.assertTrue(err.startswith("hcdtool: "), err)
                self.assertIn(said, err)
                self.assertNotIn("QT_QPA_PLATFORM=offscreen to", err)
        self.assertEqual(self.read(path), before)

    def test_a_ui_nobody_named_is_a_usage_error(self):
        path = self.copy_example("handler.xml")
        for env, args, said in [
            ({}, ["edit", path, "--ui", "gtk"], "--ui takes qt or terminal"),
            ({"HCDTOOL_UI": "curses"}, ["edit", path], "HCDTOOL_UI takes qt or terminal"),
            ({}, ["edit", path, "--ui", "terminal", "--script", path], "exclude each other"),
        ]:
            with self.subTest(args=args, env=env):
                code, out, err = run_without_terminal(*args, env=env)
                self.assertEqual(code, 2, err)
                self.assertIn(said, err)

    def test_in_a_terminal_without_a_display_the_pages_show_in_it(self):
        path = self.copy_example("dynamic.xml")
        tool = self.start("edit", "--dynamic", path, env={"HCDTOOL_UI": ""})
        tool.sheet()
        tool.wait_for_status("Security ID:")
        tool.keys("Escape")
        self.assertEqual(tool.wait(), 1)

    def test_a_terminal_that_cannot_address_the_cursor_is_refused(self):
        path = self.copy_example("dynamic.xml")
        for term, said in [("dumb", "TERM=dumb cannot move the cursor"),
                           ("no-such-terminal", "is not described on this system")]:
            with self.subTest(term=term):
                tool = self.start("edit", "--dynamic", path, env={"TERM": term})
                self.assertEqual(tool.wait(), 3)
                tool.wait_for_text(said)
                self.assertRestored(tool)


if __name__ == "__main__":
    hcdterm.main()
