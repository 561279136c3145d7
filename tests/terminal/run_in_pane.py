"""Runs a command in a terminal pane as a shell would, and notes what the tests
need to know of the run in a folder: the terminal's modes before and after
(`stty -g`), the command's process id, and its exit status.

    run_in_pane.py FOLDER COMMAND [ARGS...]

The wrapper itself outlives Ctrl+C sent to the pane (it takes it and does nothing),
so that it can still note the modes after the command ended; then it stays, so that
the pane keeps what the command left on it until the test is done with it."""

import os
import signal
import subprocess
import sys
import time


def stty():
    done = subprocess.run(["stty", "-g"], stdin=sys.stdin, capture_output=True, text=True)
    return done.stdout.strip()


def write(folder, name, text):
    path = os.path.join(folder, name)
    with open(path + ".part", "w") as f:
        f.write(text + "\n")
    os.replace(path + ".part", path)


def main():
    folder, command = sys.argv[1], sys.argv[2:]
    write(folder, "stty-before", stty())
    # A handler, not SIG_IGN: what a handler does is not inherited by the command.
    signal.signal(signal.SIGINT, lambda *_: None)
    process = subprocess.Popen(command)
    write(folder, "pid", str(process.pid))
    while True:
        try:
            code = process.wait()
            break
        except InterruptedError:
            continue
    write(folder, "stty-after", stty())
    write(folder, "code", str(code if code >= 0 else 128 - code))
    # Until the test closes the terminal: a pane whose program ended may lose the
    # last of its output to the notice that it has.
    signal.signal(signal.SIGINT, signal.SIG_DFL)
    while True:
        time.sleep(3600)


if __name__ == "__main__":
    main()
