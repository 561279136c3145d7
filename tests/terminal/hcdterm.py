"""hcdtool in a terminal: starting it in a pane of its own, moving about its pages
as a person does (by Tab, with the status line naming the field reached), and
reading what it saved with hcdtool itself."""

import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

sys.dont_write_bytecode = True

from terminal import Terminal, TerminalError, wait_for  # noqa: E402,F401

HCDTOOL = os.environ["HCDTOOL"]
EXAMPLES = os.environ["HCD_EXAMPLES"]
# Escape waits this long for a letter that would make it Alt with the letter.
ESCAPE_WAIT = 1.0


def run_tool(*args, env=None):
    """hcdtool run to its end without a window; (exit code, stdout, stderr)."""
    done = subprocess.run([HCDTOOL, *args], capture_output=True, text=True, timeout=120,
                          stdin=subprocess.DEVNULL,
                          env={**os.environ, "QT_QPA_PLATFORM": "offscreen", **(env or {})})
    return done.returncode, done.stdout, done.stderr


def summary(kind, path):
    code, out, err = run_tool("summary", kind, path)
    if code != 0:
        raise AssertionError(f"summary of {path} failed: {err}")
    return out.splitlines()[0]


def write_many_holidays(path, count, currency="GBP"):
    """A handler configuration whose currency holds `count` holidays, one a day from
    1970 on."""
    import datetime
    day = datetime.date(1970, 1, 1)
    entries = []
    for n in range(count):
        entries.append(f"{(day + datetime.timedelta(days=n)).isoformat()}|Customize|")
    with open(os.path.join(EXAMPLES, "handler.xml"), encoding="iso-8859-1") as f:
        xml = f.read()
    start = xml.index(f'<Property Name="CurrencyTable_{currency}"')
    end = xml.index("</Property>", start) + len("</Property>")
    xml = (xml[:start] + f'<Property Name="CurrencyTable_{currency}" Type="String">'
           + "".join(entries) + "</Property>" + xml[end:])
    with open(path, "w", encoding="iso-8859-1") as f:
        f.write(xml)


class Tool:
    """hcdtool running in a terminal of its own."""

    def __init__(self, *args, width=200, height=60, env=None, cwd=None, shell=False):
        """With `shell`, an interactive shell instead, at whose prompt ("$ ") the
        test types its own command lines."""
        self.terminal = Terminal([HCDTOOL, *args], width=width, height=height,
                                 env={"HCDTOOL_UI": "terminal", "PS1": "$ ", **(env or {})},
                                 cwd=cwd, shell=shell)

    def __getattr__(self, name):
        return getattr(self.terminal, name)

    def close(self):
        self.terminal.close()

    def sheet(self):
        """Waits for the property sheet: its OK and Cancel."""
        self.terminal.wait_for_text("[   OK   ]")
        return self

    def focus(self, name, limit=60):
        """Tab until the status line names the field; the names on the way."""
        seen = []
        for _ in range(limit):
            status = self.terminal.status()
            if status.startswith(name + ":"):
                return seen
            seen.append(status.split(":")[0])
            before = status
            self.terminal.keys("Tab")
            wait_for("the focus to move", lambda: self.terminal.status() != before or
                     before == "", timeout=5)
        raise TerminalError(f"Tab never reached {name!r}; it went through {seen}")

    def focus_back(self, name, limit=60):
        for _ in range(limit):
            if self.terminal.status().startswith(name + ":"):
                return
            before = self.terminal.status()
            self.terminal.keys("BTab")
            wait_for("the focus to move", lambda: self.terminal.status() != before, timeout=5)
        raise TerminalError(f"Shift+Tab never reached {name!r}")

    def replace_text(self, text):
        """Empties the focused edit box and types the text."""
        self.terminal.keys("End")
        for _ in range(4):
            self.terminal._tmux("send-keys", "-t", "t", "-N", "20", "BSpace")
        if text:
            self.terminal.type(text)

    def alt(self, caption):
        """Alt with the letter the screen shows underlined in the caption."""
        self.terminal.keys("M-" + self.terminal.mnemonic(caption).lower())

    def field_text(self, label):
        """What the screen shows right of a label, up to two blanks."""
        at = self.terminal.find(label)
        if at is None:
            raise TerminalError(f"no {label!r} on the screen:\n{self.terminal.text()}")
        x, y = at
        rest = self.terminal.lines()[y][x + len(label):]
        return rest.strip().split("  ")[0]

    def discard(self):
        """Escape on something changed, and Yes to "Discard changes?"."""
        self.terminal.keys("Escape")
        self.terminal.wait_for_text("Discard changes?")
        self.terminal.type("y")
        self.terminal.wait_until_gone("Discard changes?")

    def wait(self, timeout=60):
        return self.terminal.exit_code(timeout=timeout)


class TerminalTestCase(unittest.TestCase):
    """Each test gets a scratch folder and closes the terminals it started."""

    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="hcd-terminal-journey-")
        self.tools = []

    def tearDown(self):
        for tool in self.tools:
            tool.close()
        shutil.rmtree(self.folder, ignore_errors=True)

    def copy_example(self, name, as_name=None):
        folder = tempfile.mkdtemp(dir=self.folder)
        target = os.path.join(folder, as_name or name)
        shutil.copyfile(os.path.join(EXAMPLES, name), target)
        return target

    def start(self, *args, **kwargs):
        tool = Tool(*args, **kwargs)
        self.tools.append(tool)
        return tool

    @staticmethod
    def read(path):
        with open(path, "rb") as f:
            return f.read()

    def assertRestored(self, tool):
        before, after = tool.modes()
        self.assertTrue(before)
        self.assertEqual(after, before, "the terminal's modes were not put back")


def main():
    unittest.main(verbosity=2, warnings="ignore")
