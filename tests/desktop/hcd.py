"""hcdtool on a private Desktop: starting it, finding its windows as a screen
reader does, acting on them with real keys and clicks, and reading what it saved
with hcdtool itself."""

import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

sys.dont_write_bytecode = True

from desktop import Desktop, DesktopError, wait_for  # noqa: E402

HCDTOOL = os.environ["HCDTOOL"]
EXAMPLES = os.environ["HCD_EXAMPLES"]

_desktop = None


def desktop():
    return _desktop


def start_desktop(width=1024, height=768):
    global _desktop
    _desktop = Desktop(width, height).__enter__()
    return _desktop


def stop_desktop():
    global _desktop
    if _desktop is not None:
        _desktop.close()
        _desktop = None


# Imported once the desktop's bus is there: pyatspi connects when imported.
def _screen():
    import screen
    return screen


def _pyatspi():
    import pyatspi
    return pyatspi


def run_tool(*args):
    """hcdtool run to its end without a window; (exit code, stdout, stderr)."""
    done = subprocess.run([HCDTOOL, *args], capture_output=True, text=True, timeout=120,
                          env={**os.environ, "QT_QPA_PLATFORM": "offscreen"})
    return done.returncode, done.stdout, done.stderr


def summary(kind, path):
    code, out, err = run_tool("summary", kind, path)
    if code != 0:
        raise AssertionError(f"summary of {path} failed: {err}")
    return out.splitlines()[0]


class Tool:
    """One run of hcdtool that opens windows on the desktop."""

    def __init__(self, *args, env=None, attempts=3):
        self.args = args
        self.process = None
        self.app = None
        self.output = None
        extra = env or {}
        for attempt in range(attempts):
            # Started in the desktop's home, so that nothing it writes where it runs
            # lands among the sources.
            self.process = subprocess.Popen(
                [HCDTOOL, *args], env={**desktop().env, **extra}, stdin=subprocess.DEVNULL,
                stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                cwd=desktop().env["HOME"])
            try:
                self.app = self._registered()
                return
            except _ExitedEarly:
                out, err = self.process.communicate()
                # Two X clients connecting at the same moment sometimes fail on a busy
                # machine: the display is tried again, anything else is reported.
                if "display" in err.lower() and attempt + 1 < attempts:
                    time.sleep(0.5)
                    continue
                self.output = (self.process.returncode, out, err)
                return

    def _registered(self):
        screen = _screen()

        def attempt():
            if self.process.poll() is not None:
                raise _ExitedEarly()
            return screen.application_now(self.process.pid)
        try:
            return wait_for(f"hcdtool {' '.join(self.args)} on the accessibility bus", attempt)
        except _ExitedEarly:
            raise

    def window(self, name, **kwargs):
        if self.app is None:
            raise AssertionError(f"hcdtool ended before it showed a window: {self.output}")
        return _screen().find_window(self.app, name, **kwargs)

    def sheet(self):
        return self.window(lambda title: title.endswith("Properties"))

    def message_box(self):
        """The message box in front, and what it says."""
        pyatspi = _pyatspi()
        box = self.window(lambda title: True, roles=(pyatspi.ROLE_ALERT,))
        return box, self.message_text(box)

    def no_message_box(self):
        pyatspi = _pyatspi()
        return not any(w.getRole() == pyatspi.ROLE_ALERT for w in _screen().windows(self.app))

    @staticmethod
    def message_text(box):
        pyatspi = _pyatspi()
        screen = _screen()
        return "\n".join(node.name for node in screen.walk(box)
                         if node.getRole() == pyatspi.ROLE_LABEL and node.name)

    def wait(self, timeout=60):
        """Waits for the end; (exit code, stdout, stderr)."""
        if self.output is None:
            try:
                out, err = self.process.communicate(timeout=timeout)
            except subprocess.TimeoutExpired:
                self.process.kill()
                out, err = self.process.communicate()
                raise AssertionError(f"hcdtool did not end: {err}")
            self.output = (self.process.returncode, out, err)
        return self.output

    def running(self):
        return self.output is None and self.process.poll() is None

    def kill(self):
        if self.process is not None and self.process.poll() is None:
            self.process.kill()
            self.process.communicate()


class _ExitedEarly(DesktopError):
    """The program ended before it showed up on the accessibility bus."""


# -- acting as a user ---------------------------------------------------------------

def scale():
    return float(desktop().env.get("QT_SCALE_FACTOR", "1"))


def click(node, scale_factor=1.0):
    """A mouse click in the middle of the control (AT-SPI gives Qt's coordinates,
    which are scaled down by QT_SCALE_FACTOR)."""
    x, y = _screen().centre(node)
    desktop().click_at(int(x * scale_factor), int(y * scale_factor))


def replace_text(node, text, scale_factor=1.0):
    """Clicks into the field, selects all it holds and types the text over it."""
    click(node, scale_factor)
    desktop().key("ctrl+a")
    if text:
        desktop().type(text)
    else:
        desktop().key("BackSpace")


def find(root, role, name=None, **kwargs):
    return _screen().find(root, role, name, **kwargs)


def text_of(node):
    return _screen().text(node)


class DesktopTestCase(unittest.TestCase):
    """Tests of one file share one desktop; each gets a scratch folder."""

    @classmethod
    def setUpClass(cls):
        if desktop() is None:
            start_desktop()

    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="hcd-journey-")
        self.tools = []

    def tearDown(self):
        for tool in self.tools:
            tool.kill()
        shutil.rmtree(self.folder, ignore_errors=True)

    def copy_example(self, name, as_name=None):
        """A copy of the example in a folder of its own, so that a run left open by a
        failure holds nobody else's file."""
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


def main():
    try:
        unittest.main(verbosity=2, warnings="ignore")
    finally:
        stop_desktop()
