"""A private desktop for tests that drive hcdtool's real windows.

Each Desktop starts its own X server (Xvfb -displayfd picks a free display), a
window manager (openbox) and a session bus on which the accessibility bus and its
registry start, as on a desktop a person uses; the user's own display and buses are
never touched. Controls are found through AT-SPI by role and name, as a screen
reader finds them, and driven with real key and mouse events through the X server
(xdotool).

Waiting is always bounded: for a window through the accessibility tree, for a helper
with a retry at a human pace, never a tight poll.
"""

import contextlib
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

# Long enough for a loaded machine running an AddressSanitizer build.
WAIT_SECONDS = float(os.environ.get("HCD_DESKTOP_WAIT", "60"))
PACE_SECONDS = 0.1


class DesktopError(Exception):
    pass


def wait_for(what, attempt, timeout=WAIT_SECONDS, pace=PACE_SECONDS):
    """Calls attempt() until it answers something true, and returns that; raises
    DesktopError naming `what` once timeout seconds have passed."""
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            answer = attempt()
            if answer:
                return answer
        except DesktopError:
            raise
        except Exception as error:  # the tree changes under a walk: try again
            last_error = error
        if time.monotonic() > deadline:
            detail = f" (last error: {last_error})" if last_error else ""
            raise DesktopError(f"gave up waiting for {what}{detail}")
        time.sleep(pace)


def _read_line(fd, timeout):
    line = b""
    deadline = time.monotonic() + timeout
    while not line.endswith(b"\n"):
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([fd], [], [], left)[0]:
            break
        chunk = os.read(fd, 256)
        if not chunk:
            break
        line += chunk
    return line.decode().strip()


class Desktop:
    """The private desktop; use as a context manager. `env` is the environment
    every program started on it gets."""

    def __init__(self, width=1024, height=768):
        self.width = width
        self.height = height
        self.processes = []
        self.root = None
        self.env = None
        self.display = None

    # -- start and stop ------------------------------------------------------

    def __enter__(self):
        try:
            self._start()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()

    def _start(self):
        self.root = tempfile.mkdtemp(prefix="hcd-desktop-")
        runtime = os.path.join(self.root, "runtime")
        os.mkdir(runtime, 0o700)
        env = {k: v for k, v in os.environ.items()
               if k not in ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS",
                            "AT_SPI_BUS_ADDRESS", "SESSION_MANAGER", "XAUTHORITY",
                            "QT_QPA_PLATFORM", "QT_SCALE_FACTOR", "XDG_SESSION_TYPE",
                            "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION")}
        for name in ("home", "config", "cache", "data"):
            os.mkdir(os.path.join(self.root, name))
        env.update({
            "HOME": os.path.join(self.root, "home"),
            "XDG_RUNTIME_DIR": runtime,
            "XDG_CONFIG_HOME": os.path.join(self.root, "config"),
            "XDG_CACHE_HOME": os.path.join(self.root, "cache"),
            "XDG_DATA_HOME": os.path.join(self.root, "data"),
            "LANG": "C.UTF-8",
            "LC_ALL": "C.UTF-8",
            "NO_AT_BRIDGE": "0",
            "QT_QPA_PLATFORM": "xcb",
            "QT_ACCESSIBILITY": "1",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
        })
        self.env = env
        self._start_x_server()
        self._start_session_bus()
        self._start_window_manager()
        self._start_accessibility_bus()
        # The test process itself is the screen reader: it reads the same tree.
        for name in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR", "HOME",
                     "XDG_CONFIG_HOME", "XDG_CACHE_HOME"):
            os.environ[name] = env[name]

    def _spawn(self, args, **kwargs):
        process = subprocess.Popen(args, env=self.env, stdin=subprocess.DEVNULL,
                                   start_new_session=True, **kwargs)
        self.processes.append(process)
        return process

    def _start_x_server(self):
        read_end, write_end = os.pipe()
        try:
            self._spawn(["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp",
                         "-screen", "0", f"{self.width}x{self.height}x24"],
                        pass_fds=[write_end], stdout=subprocess.DEVNULL,
                        stderr=subprocess.DEVNULL)
        finally:
            os.close(write_end)
        number = _read_line(read_end, 30)
        os.close(read_end)
        if not number.isdigit():
            raise DesktopError("Xvfb did not start")
        self.display = ":" + number
        self.env["DISPLAY"] = self.display

    def _start_session_bus(self):
        read_end, write_end = os.pipe()
        try:
            self._spawn(["dbus-daemon", "--session", "--nofork",
                         f"--print-address={write_end}"],
                        pass_fds=[write_end], stdout=subprocess.DEVNULL,
                        stderr=subprocess.DEVNULL)
        finally:
            os.close(write_end)
        address = _read_line(read_end, 30)
        os.close(read_end)
        if not address:
            raise DesktopError("the session bus did not start")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address

    def _start_window_manager(self):
        # Two clients connecting to Xvfb at the same moment sometimes fail here: a
        # window manager that died at once is started again.
        def running():
            manager = self.processes[-1]
            if manager.poll() is not None:
                self.processes.remove(manager)
                self._spawn(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
                return False
            return self.run_quietly(["xdotool", "get_desktop"]) == 0

        self._spawn(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL,
                    stderr=subprocess.DEVNULL)
        wait_for("the window manager", running)

    def _start_accessibility_bus(self):
        ask = ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
               "/org/a11y/bus", "org.a11y.Bus.GetAddress"]
        wait_for("the accessibility bus", lambda: self.run_quietly(ask) == 0)

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                # Each helper leads a process group of its own, which holds what the
                # bus started for it (the accessibility bus and its registry).
                with contextlib.suppress(ProcessLookupError):
                    os.killpg(process.pid, signal.SIGTERM)
                try:
                    process.wait(10)
                except subprocess.TimeoutExpired:
                    with contextlib.suppress(ProcessLookupError):
                        os.killpg(process.pid, signal.SIGKILL)
                    process.wait()
            else:
                with contextlib.suppress(ProcessLookupError):
                    os.killpg(process.pid, signal.SIGTERM)
        self.processes.clear()
        if self.root:
            shutil.rmtree(self.root, ignore_errors=True)
            self.root = None

    # -- helpers -----------------------------------------------------------------

    def run_quietly(self, args):
        return subprocess.run(args, env=self.env, stdin=subprocess.DEVNULL,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=30).returncode

    def xdotool(self, *args):
        """Runs xdotool on this display; a connection refused at the same moment as
        another client's is tried again."""
        def attempt():
            done = subprocess.run(["xdotool", *args], env=self.env, stdin=subprocess.DEVNULL,
                                  capture_output=True, text=True, timeout=30)
            if done.returncode == 0:
                return done.stdout or True
            if "Can't open display" in done.stderr or "Failed creating" in done.stderr:
                return False
            raise DesktopError(f"xdotool {' '.join(args)}: {done.stderr.strip()}")
        return wait_for("xdotool " + " ".join(args), attempt, timeout=20)

    def key(self, *keys):
        for key in keys:
            self.xdotool("key", "--clearmodifiers", key)
            time.sleep(0.15)

    def type(self, text):
        self.xdotool("type", "--delay", "30", "--clearmodifiers", text)
        time.sleep(0.15)

    def click_at(self, x, y):
        # One run, so the click lands where the pointer went (--sync would wait for a
        # move that never comes when the pointer is there already).
        self.xdotool("mousemove", str(x), str(y), "click", "1")
        time.sleep(0.15)
