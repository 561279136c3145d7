#!/usr/bin/env python3
"""Checks everything that lists hcdtool's commands against the one command table,
as `hcdtool --help` prints it:

- the usage lines of docs/hcdtool.md and of the README;
- a "### COMMAND SYNOPSIS" heading in docs/hcdtool.md per command, its synopsis the
  table's, and its list of the commands that take --json;
- an item in the manual page per command whose tag shows every option of the
  synopsis, and every global option and exit code of --help;
- the bash completion: every command, each command's options exactly (with --help),
  and the global options.

    check-command-table.py ROOT HCDTOOL

Exit 77 (skipped) for what cannot be checked here: without bash-completion the
completion is left out and said so.
"""
import pathlib
import re
import subprocess
import sys


def help_table(tool):
    text = subprocess.run([tool, "--help"], check=True, capture_output=True, text=True).stdout
    lines = text.split("\n")
    usage = []
    for line in lines:
        m = re.match(r"^(?:Usage:|      ) (hcdtool .*)$", line)
        if m:
            usage.append(m.group(1))
        elif usage:
            break
    options = []
    commands = {}
    section = None
    for line in lines:
        if line in ("Options:", "Commands:"):
            section = line
            continue
        if section == "Options:":
            options += re.findall(r"(?:^  |, )(--?[a-z][a-z-]*)", line)
            if not line:
                section = None
        elif section == "Commands:":
            m = re.match(r"^  ([a-z][a-z-]*)(?: (.*))?$", line)
            if m:
                commands[m.group(1)] = m.group(2) or ""
            elif not line:
                section = None
    codes = re.findall(r"(?:Exit codes: |; )(\d) ", text)
    return usage, sorted(set(options)), commands, codes


def troff_plain(text):
    return text.replace(r"\-", "-").replace(r"\fI", "").replace(r"\fP", "").replace(r"\fB", "")


def check_docs(root, usage, commands, fail):
    reference = (root / "docs" / "hcdtool.md").read_text(encoding="utf-8")
    block = re.search(r"```\n(hcdtool .*?)\n```", reference, re.S)
    if not block or block.group(1).split("\n") != usage:
        fail(f"docs/hcdtool.md: the usage block is not --help's usage lines {usage}")
    headings = dict(re.findall(r"^### ([a-z][a-z-]*)(?: (.*))?$", reference, re.M))
    for name, synopsis in commands.items():
        if name not in headings:
            fail(f"docs/hcdtool.md: no '### {name}' heading")
        elif headings[name] != synopsis:
            fail(f"docs/hcdtool.md: '### {name} {headings[name]}' is not --help's "
                 f"'{name} {synopsis}'")
    for name in headings:
        if name not in commands:
            fail(f"docs/hcdtool.md: '### {name}' is no command of --help")
    listed = re.search(r"Every command that answers a question \((.*?)\) takes `--json`", reference,
                       re.S)
    named = set(re.findall(r"`([a-z][a-z-]*)`", listed.group(1))) if listed else set()
    for name, synopsis in commands.items():
        if ("--json" in synopsis) != (name in named):
            fail(f"docs/hcdtool.md: the commands said to take --json disagree with --help "
                 f"about '{name}'")
    readme = (root / "README.md").read_text(encoding="utf-8")
    if usage[0] not in readme:
        fail(f"README.md: does not show the usage line '{usage[0]}'")


def check_manual(root, options, commands, codes, fail):
    page = troff_plain((root / "packaging" / "hcdtool.1.in").read_text(encoding="utf-8"))
    lines = page.split("\n")
    tags = [lines[i + 1] for i, line in enumerate(lines[:-1]) if line.startswith(".TP")]
    for name, synopsis in commands.items():
        tag = next((t for t in tags if re.match(rf"^\.BR? {re.escape(name)}( |$)", t)), None)
        if tag is None:
            fail(f"manual page: no item for '{name}'")
            continue
        for option in re.findall(r"--[a-z][a-z-]*", synopsis):
            if not re.search(rf"{re.escape(option)}([^a-z-]|$)", tag):
                fail(f"manual page: the item of '{name}' lacks {option}")
    for option in options:
        if not re.search(rf"(^|[^a-z-]){re.escape(option)}([^a-z-]|$)", page, re.M):
            fail(f"manual page: lacks the option {option}")
    for code in codes:
        if not re.search(rf"^\.B {code}$", page, re.M):
            fail(f"manual page: EXIT STATUS lacks {code}")


def complete(completion, line):
    script = r'''
      source /usr/share/bash-completion/bash_completion >/dev/null 2>&1
      source "$1"
      read -ra COMP_WORDS <<<"$2"
      [[ $2 == *" " ]] && COMP_WORDS+=("")
      COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
      COMP_LINE=$2
      COMP_POINT=${#COMP_LINE}
      _hcdtool hcdtool "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
      printf "%s\n" "${COMPREPLY[@]}"
    '''
    done = subprocess.run(["bash", "--norc", "--noprofile", "-c", script, "_", completion, line],
                          capture_output=True, text=True, cwd="/")
    return sorted(w for w in done.stdout.split("\n") if w)


def check_completion(root, options, commands, fail):
    completion = str(root / "packaging" / "hcdtool.bash-completion")
    listed = complete(completion, "hcdtool ")
    if listed != sorted(commands):
        fail(f"completion: the commands are {listed}, --help's {sorted(commands)}")
    offered = complete(completion, "hcdtool --")
    if offered != [o for o in options if o.startswith("--")]:
        fail(f"completion: the global options are {offered}, --help's {options}")
    for name, synopsis in commands.items():
        wanted = sorted(set(re.findall(r"--[a-z][a-z-]*", synopsis)) | {"--help"})
        got = complete(completion, f"hcdtool {name} --")
        if got != wanted:
            fail(f"completion: '{name} --' offers {got}, --help's synopsis {wanted}")


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    root = pathlib.Path(sys.argv[1]).resolve()
    usage, options, commands, codes = help_table(sys.argv[2])
    failures = []
    fail = failures.append
    if not commands or not usage:
        fail("no command table found in hcdtool --help")
    else:
        check_docs(root, usage, commands, fail)
        check_manual(root, options, commands, codes, fail)
        if pathlib.Path("/usr/share/bash-completion/bash_completion").exists():
            check_completion(root, options, commands, fail)
        else:
            print("note: bash-completion is not installed: the completion is not checked")
    for failure in failures:
        print("FAIL: " + failure)
    print(f"{len(commands)} commands checked against --help: "
          f"{'all agree' if not failures else str(len(failures)) + ' disagreements'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
