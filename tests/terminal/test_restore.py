"""The terminal is left as it was found on every way out, and nothing is saved that
OK did not save: Ctrl+C, SIGTERM, a hang-up (the ssh connection dropped, with the
terminal still there to look at, and with the terminal gone), a crash; Ctrl+Z stops
the edit and fg brings it back, drawn anew."""

import os
import signal
import sys
import time

sys.dont_write_bytecode = True

import hcdterm  # noqa: E402
from hcdterm import TerminalTestCase, Tool, wait_for  # noqa: E402

RATE = "Max Messages Per Sec."


class Restore(TerminalTestCase):
    def editing(self):
        """An edit with a change typed in and not saved."""
        path = self.copy_example("handler.xml")
        before = self.read(path)
        tool = self.start("edit", "--handler", path)
        tool.sheet()
        tool.focus(RATE)
        tool.replace_text("45")
        tool.wait_for_text("45 ")
        return path, before, tool

    def assertNothingLeft(self, path, before):
        self.assertEqual(self.read(path), before)
        self.assertEqual(os.listdir(os.path.dirname(path)), [os.path.basename(path)])

    def test_signals_that_end_the_edit(self):
        cases = [("Ctrl+C", lambda tool: tool.keys("C-c"), 130),
                 ("SIGTERM", lambda tool: os.kill(tool.pid(), signal.SIGTERM), 143),
                 ("SIGHUP", lambda tool: os.kill(tool.pid(), signal.SIGHUP), 129)]
        for name, send, code in cases:
            with self.subTest(way=name):
                path, before, tool = self.editing()
                send(tool)
                self.assertEqual(tool.wait(), code)
                self.assertRestored(tool)
                self.assertNothingLeft(path, before)
                self.assertIn("is unchanged", tool.text())

    def test_crash_signals_leave_the_terminal_as_it_was(self):
        for crash in (signal.SIGSEGV, signal.SIGABRT, signal.SIGQUIT):
            with self.subTest(signal=crash.name):
                path, before, tool = self.editing()
                os.kill(tool.pid(), crash)
                # The signal's own end, or a sanitizer's report of it.
                self.assertNotEqual(tool.wait(), 0)
                self.assertRestored(tool)
                self.assertNothingLeft(path, before)
                # The alternate screen is left: nothing of the page stays on it.
                wait_for("the page to leave the screen", lambda: RATE not in tool.text())

    def test_a_terminal_that_goes_away_ends_the_edit(self):
        path, before, tool = self.editing()
        pid = tool.pid()
        tool.hang_up()
        wait_for("hcdtool to end", lambda: not _alive(pid), timeout=15)
        self.assertNothingLeft(path, before)

    def test_ctrl_z_stops_and_fg_draws_again(self):
        path = self.copy_example("handler.xml")
        before = self.read(path)
        tool = Tool(width=120, height=40, shell=True)
        self.tools.append(tool)
        tool.wait_for_text("$")
        tool.type("stty -g > before; HCDTOOL_UI=terminal " +
                  f"'{hcdterm.HCDTOOL}' edit --handler '{path}'")
        tool.keys("Enter")
        tool.sheet()
        tool.focus(RATE)
        tool.keys("C-z")
        tool.wait_for_text("Stopped")
        tool.type("stty -g > stopped; fg")
        tool.keys("Enter")
        tool.wait_for_text("[   OK   ]")
        tool.wait_for_status(RATE + ":")
        tool.replace_text("46")
        tool.wait_for_text("46 ")
        tool.discard()
        tool.wait_for_text("not saved")
        # The word the shell prints is not the one typed, so it shows once it ran.
        tool.type("stty -g > after; echo modes-no''ted")
        tool.keys("Enter")
        tool.wait_for_text("modes-noted")
        folder = tool.terminal.folder
        read = lambda name: open(os.path.join(folder, name)).read()  # noqa: E731
        self.assertEqual(read("stopped"), read("before"))
        self.assertEqual(read("after"), read("before"))
        self.assertEqual(self.read(path), before)


def _alive(pid):
    try:
        os.kill(pid, 0)
    except ProcessLookupError:
        return False
    with open(f"/proc/{pid}/stat") as f:
        return f.read().split(")")[-1].split()[0] != "Z"


if __name__ == "__main__":
    hcdterm.main()
