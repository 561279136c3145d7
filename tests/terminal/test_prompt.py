"""The question `set --stdin` asks at a terminal: the typing is not shown, the value
is asked for twice and two that differ change nothing, and the terminal's modes come
back however the question ends: Ctrl+C, a signal that ends the process (also when
run by sh, which puts back no modes of its own), Ctrl+Z, after which it asks again."""

import os
import signal
import subprocess
import sys

sys.dont_write_bytecode = True

import hcdterm  # noqa: E402
from hcdterm import TerminalTestCase, Terminal, wait_for  # noqa: E402

ASKED = "Value for Password (not shown):"
AGAIN = "The same again, to be sure:"
SECRET = "Hunter2secret"


def echoes(pid):
    tty = os.readlink(f"/proc/{pid}/fd/0")
    done = subprocess.run(["stty", "-a", "-F", tty], capture_output=True, text=True,
                          check=True)
    return "-echo " not in done.stdout.replace("\n", " ")


class Prompt(TerminalTestCase):
    def new_tree(self):
        return os.path.dirname(self.copy_example("handler.xml"))

    def asking(self, folder):
        tool = self.start("set", folder, "--stdin", "Password")
        tool.wait_for_text(ASKED)
        pid = tool.pid()
        wait_for("the typing to be hidden", lambda: not echoes(pid))
        return tool, pid

    def assertUnchanged(self, folder):
        with open(os.path.join(folder, "handler.xml"), "rb") as f:
            with open(os.path.join(hcdterm.EXAMPLES, "handler.xml"), "rb") as example:
                self.assertEqual(f.read(), example.read())

    def test_a_signal_at_the_question_puts_the_modes_back(self):
        cases = [("Ctrl+C", lambda tool, pid: tool.keys("C-c"), 130)]
        for sig in (signal.SIGTERM, signal.SIGHUP, signal.SIGQUIT, signal.SIGALRM,
                    signal.SIGUSR1):
            cases.append((sig.name, lambda tool, pid, sig=sig: os.kill(pid, sig), 128 + sig))
        for name, send, code in cases:
            with self.subTest(way=name):
                folder = self.new_tree()
                tool, pid = self.asking(folder)
                send(tool, pid)
                self.assertEqual(tool.wait(), code)
                self.assertRestored(tool)
                self.assertUnchanged(folder)

    def test_ctrl_c_under_sh_puts_the_modes_back(self):
        folder = self.new_tree()
        terminal = Terminal(["sh", "-c", '"$0" set "$1" --stdin Password', hcdterm.HCDTOOL,
                             folder], width=120, height=30)
        self.tools.append(terminal)
        terminal.wait_for_text(ASKED)
        terminal.keys("C-c")
        self.assertEqual(terminal.exit_code(), 130)
        before, after = terminal.modes()
        self.assertEqual(after, before, "the terminal's modes were not put back")
        self.assertUnchanged(folder)

    def test_ctrl_z_shows_the_typing_and_the_question_comes_again(self):
        # sh, which keeps no modes of its own for a stopped job, so that the modes seen
        # while it is stopped are the ones the question left.
        folder = self.new_tree()
        shell = Terminal([], width=120, height=40, shell=True)
        self.tools.append(shell)
        shell.wait_for_text("$")
        shell.type("exec sh -i")
        shell.keys("Enter")
        # The word the shell prints is not the one typed, so it shows once it ran.
        shell.type("echo sh-rea''dy")
        shell.keys("Enter")
        shell.wait_for_text("sh-ready")
        shell.type(f"stty -g > before; '{hcdterm.HCDTOOL}' set '{folder}' --stdin Password")
        shell.keys("Enter")
        shell.wait_for_text(ASKED)
        shell.keys("C-z")
        shell.wait_for_text("Stopped")
        shell.type("stty -g > stopped; fg")
        shell.keys("Enter")
        wait_for("the question again", lambda: shell.text().count(ASKED) == 2)
        # Two values that differ: nothing is changed.
        shell.type(SECRET)
        shell.keys("Enter")
        shell.wait_for_text(AGAIN)
        shell.type(SECRET + "x")
        shell.keys("Enter")
        shell.wait_for_text("differ; nothing was changed")
        shell.type("stty -g > after; echo modes-no''ted")
        shell.keys("Enter")
        shell.wait_for_text("modes-noted")
        read = lambda name: open(os.path.join(shell.folder, name)).read()  # noqa: E731
        self.assertEqual(read("stopped"), read("before"))
        self.assertEqual(read("after"), read("before"))
        self.assertNotIn(SECRET[:4], shell.text())
        self.assertUnchanged(folder)

    def test_the_value_typed_twice_is_set_and_never_shown(self):
        folder = self.new_tree()
        tool, pid = self.asking(folder)
        tool.type(SECRET)
        tool.keys("Enter")
        tool.wait_for_text(AGAIN)
        tool.type(SECRET)
        tool.keys("Enter")
        self.assertEqual(tool.wait(), 0)
        self.assertIn("Password: changed", tool.text())
        self.assertNotIn(SECRET[:4], tool.text())
        self.assertRestored(tool)


if __name__ == "__main__":
    hcdterm.main()
