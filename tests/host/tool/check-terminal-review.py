#!/usr/bin/env python3
"""A review as a person sees it in a terminal: diff and plan run on a pseudo-terminal,
in colour and through a pager as git shows a diff, and as they are into a pipe.

    check-terminal-review.py HCDTOOL EXAMPLES
"""

import datetime
import fcntl
import os
import pty
import select
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import termios
import time
import unittest

HCDTOOL = EXAMPLES = None

RED_OLD = b'\x1b[31m"30"\x1b[m'
GREEN_NEW = b'\x1b[32m"20"\x1b[m'


def base_environment(**extra):
    """The environment of a run: none of the machine's pager or colour settings."""
    env = {k: v for k, v in os.environ.items()
           if k not in ("PAGER", "HCDTOOL_PAGER", "LESS", "LV", "NO_COLOR")}
    env["TERM"] = "xterm"
    env.update(extra)
    return env


def on_terminal(args, env, keys=None, rows=24, columns=80, timeout=60):
    """Runs hcdtool with a terminal as its controlling terminal, stdin, stdout and
    stderr; when keys is (TRIGGER, BYTES), types BYTES once TRIGGER has been shown.
    Gives (exit status, everything the terminal received)."""
    pid, fd = pty.fork()
    if pid == 0:
        fcntl.ioctl(0, termios.TIOCSWINSZ, struct.pack("HHHH", rows, columns, 0, 0))
        os.execve(HCDTOOL, [HCDTOOL, *args], env)
    out = b""
    typed = keys is None
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        ready, _, _ = select.select([fd], [], [], 0.5)
        if not ready:
            continue
        try:
            chunk = os.read(fd, 65536)
        except OSError:
            break
        if not chunk:
            break
        out += chunk
        if not typed and keys[0] in out:
            os.write(fd, keys[1])
            typed = True
    else:
        os.kill(pid, signal.SIGKILL)
        os.waitpid(pid, 0)
        os.close(fd)
        raise AssertionError(f"{args}: no end within {timeout} s; the terminal shows:\n{out!r}")
    os.close(fd)
    _, status = os.waitpid(pid, 0)
    return os.waitstatus_to_exitcode(status), out


def holidays(count):
    """A holiday table text of count dates."""
    day = datetime.date(2030, 1, 1)
    text = ""
    for _ in range(count):
        text += f"{day.isoformat()}|Customize|"
        day += datetime.timedelta(days=1)
    return text


class Review(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="hcd-terminal-review-")
        with open(os.path.join(EXAMPLES, "handler.xml"), "rb") as f:
            handler = f.read()
        self.old = self.write("old/h/handler.xml", handler)
        rate = b'"MaxMessagePerSec" Type="Int">'
        self.new = self.write("new/h/handler.xml", handler.replace(rate + b"30", rate + b"20"))
        # Some 4,000 lines of review: more than any pipe holds and a screen shows.
        table = b'"CurrencyTable_EUR" Type="String">'
        start = handler.index(table) + len(table)
        end = handler.index(b"<", start)
        self.long = self.write("long/h/handler.xml", handler[:start] +
                               holidays(4000).encode() + handler[end:])

    def tearDown(self):
        shutil.rmtree(self.folder)

    def write(self, relative, data):
        path = os.path.join(self.folder, relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
        return path

    def test_colour_on_a_terminal_only_unless_told(self):
        diff = ["diff", self.old, self.new]
        cases = [
            # (arguments, environment, on a terminal, coloured)
            (diff, {}, True, True),
            (diff, {"NO_COLOR": "1"}, True, False),
            # An empty NO_COLOR is not set.
            (diff, {"NO_COLOR": ""}, True, True),
            (diff, {"TERM": "dumb"}, True, False),
            (diff + ["--color=never"], {}, True, False),
            (diff + ["--color=always"], {"NO_COLOR": "1"}, True, True),
            (diff, {}, False, False),
            (diff + ["--color=auto"], {}, False, False),
            (diff + ["--color"], {}, False, True),
            (diff + ["--color=always"], {}, False, True),
        ]
        for args, extra, terminal, coloured in cases:
            with self.subTest(args=args[3:], env=extra, terminal=terminal):
                env = base_environment(HCDTOOL_PAGER="cat", **extra)
                if terminal:
                    status, out = on_terminal(args, env)
                else:
                    run = subprocess.run([HCDTOOL, *args], capture_output=True, env=env,
                                         timeout=60)
                    status, out = run.returncode, run.stdout
                self.assertEqual(status, 1, out)
                self.assertEqual(RED_OLD in out and GREEN_NEW in out, coloured, out)
                if not coloured:
                    self.assertNotIn(b"\x1b", out)
        # The holidays as git colours a diff: a section's header cyan, an added line green.
        status, out = on_terminal(["diff", self.old, self.long], base_environment(HCDTOOL_PAGER="cat"))
        self.assertEqual(status, 1)
        self.assertIn(b"\x1b[36mholidays EUR:\x1b[m", out)
        self.assertIn(b"\x1b[32m+ 2030-01-01 Customize\x1b[m", out)
        # A JSON document is never painted.
        run = subprocess.run([HCDTOOL, "diff", "--json", "--color=always", self.old, self.new],
                             capture_output=True, env=base_environment(), timeout=60)
        self.assertNotIn(b"\x1b", run.stdout)
        bad = subprocess.run([HCDTOOL, "plan", "--color=sometimes", self.folder, self.folder],
                             capture_output=True, env=base_environment(), timeout=60)
        self.assertEqual(bad.returncode, 2)

    def test_the_pager_runs_on_a_terminal_only(self):
        marker = "sed s/^/paged:/"
        diff = ["diff", self.old, self.new]
        cases = [
            # (arguments, environment, on a terminal, paged)
            (diff, {"HCDTOOL_PAGER": marker}, True, True),
            (diff, {"PAGER": marker}, True, True),
            (diff, {"HCDTOOL_PAGER": marker, "PAGER": "false"}, True, True),
            (["plan", os.path.dirname(os.path.dirname(self.old)),
              os.path.dirname(os.path.dirname(self.new))], {"PAGER": marker}, True, True),
            (["show", self.old], {"PAGER": marker}, True, True),
            (diff + ["--no-pager"], {"PAGER": marker}, True, False),
            (["--no-pager"] + diff, {"PAGER": marker}, True, False),
            (diff, {"PAGER": marker, "HCDTOOL_PAGER": ""}, True, False),
            (diff, {"PAGER": "cat"}, True, False),
            (diff + ["--quiet"], {"PAGER": marker}, True, False),
            (diff, {"PAGER": marker}, False, False),
        ]
        for args, extra, terminal, paged in cases:
            with self.subTest(args=args, env=extra, terminal=terminal):
                env = base_environment(**extra)
                if terminal:
                    status, out = on_terminal(args, env)
                else:
                    run = subprocess.run([HCDTOOL, *args], capture_output=True, env=env,
                                         timeout=60)
                    status, out = run.returncode, run.stdout
                self.assertEqual(status, 0 if args[0] in ("plan", "show") else 1, out)
                self.assertEqual(b"paged:" in out, paged, out)
                if paged:
                    # Every line went through it.
                    for line in out.replace(b"\r\n", b"\n").splitlines():
                        self.assertTrue(line.startswith(b"paged:"), out)

    def test_less_gets_git_options_unless_the_person_set_their_own(self):
        show = "printenv LESS; printenv LV; cat >/dev/null"
        status, out = on_terminal(["diff", self.old, self.new],
                                  base_environment(HCDTOOL_PAGER=show))
        self.assertEqual(status, 1, out)
        self.assertEqual(out.replace(b"\r\n", b"\n"), b"FRX\n-c\n")
        status, out = on_terminal(["diff", self.old, self.new],
                                  base_environment(HCDTOOL_PAGER=show, LESS="-S", LV="-x"))
        self.assertEqual(out.replace(b"\r\n", b"\n"), b"-S\n-x\n")

    def test_a_pager_quit_early_ends_nothing_but_the_output(self):
        # head reads three lines and goes, as a person who pressed q: the rest of the
        # output is dropped, the exit status is diff's own, and nothing failed.
        status, out = on_terminal(["diff", self.old, self.long],
                                  base_environment(HCDTOOL_PAGER="head -n 3"))
        self.assertEqual(status, 1, out)
        self.assertNotIn(b"cannot write", out)
        self.assertEqual(len(out.replace(b"\r\n", b"\n").splitlines()), 3, out)

    def test_a_pager_that_fails_or_cannot_run(self):
        # A pager that fails may have shown nothing: that is no success.
        status, out = on_terminal(["diff", self.old, self.new],
                                  base_environment(HCDTOOL_PAGER="false"))
        self.assertEqual(status, 3, out)
        self.assertIn(b'hcdtool: the pager false ended with status 1', out)
        # One that cannot be started leaves the output on the terminal, as git does.
        status, out = on_terminal(["diff", self.old, self.new],
                                  base_environment(HCDTOOL_PAGER="no-such-pager-here"))
        self.assertEqual(status, 1, out)
        self.assertIn(b"changed ", out)
        self.assertIn(GREEN_NEW, out)

    @unittest.skipUnless(shutil.which("less"), "less is not installed")
    def test_less_shows_a_long_review_until_q(self):
        # The default pager, as a person meets it: the first screen, in colour, until q.
        status, out = on_terminal(["diff", self.old, self.long], base_environment(),
                                  keys=(b"2030-01-10", b"q"))
        self.assertEqual(status, 1, out)
        self.assertIn(b"\x1b[32m+ 2030-01-01 Customize", out)
        self.assertNotIn(b"2030-12-31", out)
        self.assertNotIn(b"cannot write", out)
        # Short enough for one screen: less -F shows it and quits by itself.
        status, out = on_terminal(["diff", self.old, self.new], base_environment())
        self.assertEqual(status, 1, out)
        self.assertIn(GREEN_NEW, out)

    def test_an_interrupt_waits_for_the_pager(self):
        # SIGTERM while the pager shows the review: the run waits until the pager has
        # ended, so the terminal is the person's again, then ends as SIGTERM does.
        pager = "cat; sleep 1; echo pager-done"
        pid, fd = pty.fork()
        if pid == 0:
            os.execve(HCDTOOL, [HCDTOOL, "show", self.long],
                      base_environment(HCDTOOL_PAGER=pager))
        out = b""
        signalled = False
        while True:
            try:
                chunk = os.read(fd, 65536)
            except OSError:
                break
            if not chunk:
                break
            out += chunk
            if not signalled and b"Holiday setting" in out:
                os.kill(pid, signal.SIGTERM)
                signalled = True
        os.close(fd)
        _, status = os.waitpid(pid, 0)
        self.assertTrue(os.WIFSIGNALED(status) and os.WTERMSIG(status) == signal.SIGTERM, status)
        self.assertIn(b"pager-done", out)


if __name__ == "__main__":
    HCDTOOL, EXAMPLES = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1])
