#!/usr/bin/env python3
"""Runs every console example of the documentation and compares its output, as cram
does, so that a doc that drifts from the tool fails.

    run-doc-examples.py ROOT HCDTOOL [DOC...]

Without DOCs it takes README.md, docs/*.md and packaging/*.1.in under ROOT, so that a
doc or an example added later is run without being listed anywhere.

An example is a ```console block of a Markdown file, or an .EX/.EE block of the
manual page whose first line starts with "$ ". Each "$ COMMAND" line is run by bash,
stdout and stderr together, and the lines under it, up to the next "$ " line or the
end of the block, are the output it must give:

- a line "..." stands for any number of lines (none included);
- a line ending in " (re)" is a Python regular expression the whole line must match;
- a command that exits with another status than 0 ends its output with a line
  "[STATUS]", as cram writes it.

The examples of one doc run in order, in one scratch folder holding a copy of
examples/ (so examples/handler.xml is there), with `hcdtool` on PATH and
`scripts/run` running it, HOME in the scratch folder, TZ=UTC, a git that reads no
configuration of the machine, and no terminal. A line "$ cd DIR" changes the folder
the next commands run in. A failure names the doc, the line of the command, and the
difference.
"""
import difflib
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

TIMEOUT = 120


class Example:
    def __init__(self, doc, line, command, expected):
        self.doc = doc
        self.line = line
        self.command = command
        self.expected = expected


def troff_text(line):
    for escape, text in ((r"\-", "-"), (r"\(dq", '"'), (r"\e", "\\"), (r"\(aq", "'"),
                         (r"\(->", "\u2192"), (r"\&", "")):
        line = line.replace(escape, text)
    return line


def blocks(path):
    """(line number of each block line, text) per example block of the doc."""
    lines = path.read_text(encoding="utf-8").split("\n")
    manual = path.name.endswith((".1", ".1.in"))
    found = []
    current = None
    for number, line in enumerate(lines, start=1):
        if current is None:
            if (not manual and line.strip() == "```console") or (manual and line == ".EX"):
                current = []
            continue
        if (not manual and line.strip() == "```") or (manual and line == ".EE"):
            if current and (not manual or current[0][1].startswith("$ ")):
                found.append(current)
            current = None
            continue
        current.append((number, troff_text(line) if manual else line))
    return found


def examples(path):
    found = []
    for block in blocks(path):
        for number, text in block:
            if text.startswith("$ "):
                found.append(Example(path, number, text[2:], []))
            elif found and found[-1].line >= block[0][0]:
                found[-1].expected.append(text)
    return found


def matches(expected, actual):
    """Whether the actual lines fit the expected ones, "..." and " (re)" lines included."""
    def fit(e, a):
        if e == len(expected):
            return a == len(actual)
        line = expected[e]
        if line == "...":
            return any(fit(e + 1, k) for k in range(a, len(actual) + 1))
        if a == len(actual):
            return False
        if line.endswith(" (re)"):
            ok = re.fullmatch(line[:-5], actual[a]) is not None
        else:
            ok = line == actual[a]
        return ok and fit(e + 1, a + 1)
    return fit(0, 0)


def scratch_for(root, tool, folder):
    shutil.copytree(root / "examples", folder / "examples", symlinks=True)
    bin_folder = folder / ".bin"
    bin_folder.mkdir()
    (bin_folder / "hcdtool").symlink_to(tool)
    scripts = folder / "scripts"
    scripts.mkdir()
    run = scripts / "run"
    # As the project's scripts/run, less the build: hcdtool, or its tour without
    # arguments.
    run.write_text('#!/bin/sh\n[ $# -gt 0 ] || set -- tour\nexec hcdtool "$@"\n')
    run.chmod(0o755)
    env = {
        "PATH": f"{bin_folder}:{os.environ.get('PATH', '/usr/bin:/bin')}",
        "HOME": str(folder),
        "TZ": "UTC",
        "LANG": "C.UTF-8",
        "LC_ALL": "C.UTF-8",
        "TERM": "dumb",
        "GIT_CONFIG_NOSYSTEM": "1",
        "GIT_AUTHOR_NAME": "Reviewer",
        "GIT_AUTHOR_EMAIL": "reviewer@bank.example",
        "GIT_COMMITTER_NAME": "Reviewer",
        "GIT_COMMITTER_EMAIL": "reviewer@bank.example",
        "GIT_AUTHOR_DATE": "2026-01-05T09:00:00Z",
        "GIT_COMMITTER_DATE": "2026-01-05T09:00:00Z",
        "QT_QPA_PLATFORM": "offscreen",
    }
    return env


def run_doc(root, tool, doc):
    failures = []
    count = 0
    with tempfile.TemporaryDirectory(prefix="doc-examples-") as name:
        folder = pathlib.Path(name)
        env = scratch_for(root, tool, folder)
        cwd = folder
        for example in examples(doc):
            count += 1
            where = f"{doc.relative_to(root)}:{example.line}"
            command = example.command
            cd = re.fullmatch(r"cd\s+(\S+)", command.strip())
            if cd:
                target = (cwd / cd.group(1)).resolve()
                if target.is_dir():
                    cwd = target
                    actual = []
                else:
                    actual = [f"bash: cd: {cd.group(1)}: No such file or directory", "[1]"]
            else:
                try:
                    done = subprocess.run(["bash", "-c", command], cwd=cwd, env=env,
                                          stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                          stderr=subprocess.STDOUT, timeout=TIMEOUT)
                    output = done.stdout.decode("utf-8", errors="backslashreplace")
                    actual = output.split("\n")
                    if actual and actual[-1] == "":
                        actual.pop()
                    if done.returncode != 0:
                        actual.append(f"[{done.returncode}]")
                except subprocess.TimeoutExpired:
                    actual = [f"(no end after {TIMEOUT} s)"]
            if not matches(example.expected, actual):
                diff = "\n".join(difflib.unified_diff(example.expected, actual, "documented",
                                                      "actual", lineterm=""))
                failures.append(f"{where}: $ {command}\n{diff}")
    return count, failures


def main():
    if len(sys.argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    root = pathlib.Path(sys.argv[1]).resolve()
    tool = pathlib.Path(sys.argv[2]).resolve()
    docs = [pathlib.Path(d).resolve() for d in sys.argv[3:]] or (
        [root / "README.md"] + sorted((root / "docs").glob("*.md")) +
        sorted((root / "packaging").glob("*.1.in")))
    total = 0
    failures = []
    for doc in docs:
        count, failed = run_doc(root, tool, doc)
        total += count
        failures += failed
    for failure in failures:
        print("FAIL: " + failure + "\n")
    print(f"{total - len(failures)} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
