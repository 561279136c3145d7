"""A real terminal emulator for tests that drive hcdtool in a terminal: tmux, each
test on a server of its own (`tmux -L`), so that tests may run side by side and the
user's own tmux is never touched. Keys are sent as tmux sends a person's keys, and
the screen, the cursor and the attributes of each cell are read back.

Waiting is always bounded, at a human pace, never a tight poll."""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

# Long enough for a loaded machine running an AddressSanitizer build.
WAIT_SECONDS = float(os.environ.get("HCD_TERMINAL_WAIT", "60"))
PACE_SECONDS = 0.05
HERE = os.path.dirname(os.path.abspath(__file__))
PYTHON = "/usr/bin/python3"


class TerminalError(Exception):
    pass


def wait_for(what, attempt, timeout=WAIT_SECONDS, pace=PACE_SECONDS):
    """Calls attempt() until it answers something true, and returns that; raises
    TerminalError naming `what` once timeout seconds have passed."""
    deadline = time.monotonic() + timeout
    while True:
        answer = attempt()
        if answer:
            return answer
        if time.monotonic() > deadline:
            raise TerminalError(f"gave up waiting for {what}")
        time.sleep(pace)


def _terminal_type():
    """A description tmux's own terminal matches, which the system has."""
    for name in ("tmux-256color", "screen-256color", "screen"):
        if subprocess.run(["infocmp", name], capture_output=True).returncode == 0:
            return name
    return "screen"


_SGR = re.compile(r"\x1b\[([0-9;]*)m")


class Cell:
    __slots__ = ("char", "underline", "reverse", "bold", "dim")

    def __init__(self, char, underline, reverse, bold, dim):
        self.char = char
        self.underline = underline
        self.reverse = reverse
        self.bold = bold
        self.dim = dim


def parse_attributes(line):
    """The cells of one line of `capture-pane -e`, with the attributes that mark
    things without colour."""
    cells = []
    state = {"underline": False, "reverse": False, "bold": False, "dim": False}
    position = 0
    while position < len(line):
        match = _SGR.match(line, position)
        if match:
            codes = [int(code) if code else 0 for code in match.group(1).split(";")]
            i = 0
            while i < len(codes):
                code = codes[i]
                if code == 0:
                    state = dict.fromkeys(state, False)
                elif code == 1:
                    state["bold"] = True
                elif code == 2:
                    state["dim"] = True
                elif code == 4:
                    state["underline"] = True
                elif code == 7:
                    state["reverse"] = True
                elif code == 22:
                    state["bold"] = state["dim"] = False
                elif code == 24:
                    state["underline"] = False
                elif code == 27:
                    state["reverse"] = False
                elif code in (38, 48):
                    i += 2 if i + 1 < len(codes) and codes[i + 1] == 5 else 4
                i += 1
            position = match.end()
            continue
        if line[position] == "\x1b":  # another sequence: not a cell
            end = re.compile(r"\x1b[\[\]()][0-9;?]*[A-Za-z]?").match(line, position)
            position = end.end() if end else position + 1
            continue
        cells.append(Cell(line[position], **state))
        position += 1
    return cells


class Terminal:
    """One tmux server with one pane of the given size, running `command` through
    run_in_pane.py; use as a context manager."""

    def __init__(self, command, width=200, height=60, env=None, cwd=None, shell=False):
        self.socket = f"hcd-{os.getpid()}-{id(self)}"
        self.folder = tempfile.mkdtemp(prefix="hcd-terminal-")
        self.width = width
        self.height = height
        self.term = _terminal_type()
        config = os.path.join(self.folder, "tmux.conf")
        with open(config, "w") as f:
            f.write(f'set -g default-terminal "{self.term}"\n'
                    "set -g status off\n"
                    "set -g remain-on-exit on\n"
                    "set -g escape-time 0\n"
                    "set -g history-limit 0\n")
        # The pane's own terminal type and size, never the ones the tests run under.
        environment = {k: v for k, v in os.environ.items()
                       if not k.startswith("TMUX") and k not in
                       ("DISPLAY", "WAYLAND_DISPLAY", "TERM", "COLUMNS", "LINES", "NO_COLOR")}
        environment.update({"LANG": "C.UTF-8", "LC_ALL": "C.UTF-8"})
        environment.update({k: v for k, v in (env or {}).items() if k != "TERM"})
        self.env = environment
        if shell:
            rc = os.path.join(self.folder, "bashrc")
            with open(rc, "w") as f:
                f.write("PS1='$ '\n")
            argv = ["bash", "--noprofile", "--rcfile", rc, "-i"]
        else:
            # tmux gives the pane its own TERM whatever the environment says; a test
            # that wants another sets it on the command.
            term = ["env", f"TERM={env['TERM']}"] if env and "TERM" in env else []
            argv = [PYTHON, os.path.join(HERE, "run_in_pane.py"), self.folder, *term, *command]
        self._tmux("-f", config, "new-session", "-d", "-s", "t", "-x", str(width),
                   "-y", str(height), "-c", cwd or self.folder,
                   *[arg for name, value in environment.items()
                     for arg in ("-e", f"{name}={value}")],
                   " ".join(_quote(a) for a in argv))

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def _tmux(self, *args, check=True):
        done = subprocess.run(["tmux", "-L", self.socket, *args], capture_output=True,
                              text=True, env={"PATH": os.environ.get("PATH", "/usr/bin:/bin"),
                                              "HOME": self.folder, "TMUX_TMPDIR": self.folder})
        if check and done.returncode != 0:
            raise TerminalError(f"tmux {' '.join(args[:2])} failed: {done.stderr.strip()}")
        return done.stdout

    def close(self):
        pid = self.pid(wait=False)
        self._tmux("kill-server", check=False)
        if pid:
            # The command ends with its pane; one still there is a hang.
            deadline = time.monotonic() + 10
            while time.monotonic() < deadline and _alive(pid):
                time.sleep(0.05)
            if _alive(pid):
                os.kill(pid, signal.SIGKILL)
        shutil.rmtree(self.folder, ignore_errors=True)

    # -- what the run noted ---------------------------------------------------------

    def _noted(self, name):
        try:
            with open(os.path.join(self.folder, name)) as f:
                return f.read().strip()
        except FileNotFoundError:
            return None

    def pid(self, wait=True):
        if wait:
            return int(wait_for("the command to start", lambda: self._noted("pid")))
        noted = self._noted("pid")
        return int(noted) if noted else None

    def exit_code(self, timeout=WAIT_SECONDS):
        return int(wait_for("the command to end", lambda: self._noted("code"), timeout=timeout))

    def modes(self):
        """The terminal's modes before and after the command."""
        self.exit_code()
        return self._noted("stty-before"), self._noted("stty-after")

    def running(self):
        return self._noted("code") is None

    # -- the screen -----------------------------------------------------------------

    def lines(self):
        text = self._tmux("capture-pane", "-p", "-t", "t")
        lines = text.split("\n")[:self.height]
        return lines + [""] * (self.height - len(lines))

    def text(self):
        return "\n".join(self.lines())

    def cells(self):
        text = self._tmux("capture-pane", "-p", "-e", "-t", "t")
        return [parse_attributes(line) for line in text.split("\n")[:self.height]]

    def cursor(self):
        x, y = self._tmux("display-message", "-p", "-t", "t",
                          "#{cursor_x} #{cursor_y}").split()
        return int(x), int(y)

    def status(self):
        """The status line: the last line of the screen."""
        return self.lines()[-1].strip()

    def wait_for_text(self, text, timeout=WAIT_SECONDS):
        return wait_for(f"{text!r} on the screen:\n{self.text()}",
                        lambda: text in self.text(), timeout=timeout)

    def wait_for_status(self, text, timeout=WAIT_SECONDS):
        return wait_for(f"{text!r} on the status line (it says {self.status()!r})",
                        lambda: text in self.status(), timeout=timeout)

    def wait_until_gone(self, text, timeout=WAIT_SECONDS):
        return wait_for(f"{text!r} to leave the screen", lambda: text not in self.text(),
                        timeout=timeout)

    def find(self, text):
        """(x, y) of the text on the screen, or None."""
        for y, line in enumerate(self.lines()):
            x = line.find(text)
            if x >= 0:
                return x, y
        return None

    def mnemonic(self, caption):
        """The underlined letter of the caption as the screen shows it, upper case."""
        for row in self.cells():
            line = "".join(cell.char for cell in row)
            at = line.find(caption)
            if at < 0:
                continue
            for cell in row[at:at + len(caption)]:
                if cell.underline and cell.char.isalnum():
                    return cell.char.upper()
        raise TerminalError(f"no mnemonic shown in {caption!r}:\n{self.text()}")

    # -- keys -----------------------------------------------------------------------

    def keys(self, *keys):
        """tmux key names: Tab, BTab, Enter, Escape, Up, NPage, C-c, M-h, DC..."""
        for key in keys:
            self._tmux("send-keys", "-t", "t", key)
            time.sleep(0.02)

    def type(self, text):
        self._tmux("send-keys", "-t", "t", "-l", text)

    def paste(self, text):
        """Text pasted into the terminal, as a bracketed paste."""
        self._tmux("set-buffer", "-b", "paste", text)
        self._tmux("paste-buffer", "-p", "-b", "paste", "-t", "t")

    def resize(self, width, height):
        self._tmux("resize-window", "-t", "t", "-x", str(width), "-y", str(height))
        self.width = width
        self.height = height

    def hang_up(self):
        """The terminal goes away, as when an ssh connection drops."""
        self._tmux("kill-server", check=False)


def _quote(text):
    return "'" + text.replace("'", "'\\''") + "'"


def _alive(pid):
    try:
        os.kill(pid, 0)
    except ProcessLookupError:
        return False
    # A child of the wrapper reaped by nobody yet still counts as gone.
    try:
        with open(f"/proc/{pid}/stat") as f:
            return f.read().split(")")[-1].split()[0] != "Z"
    except OSError:
        return False
