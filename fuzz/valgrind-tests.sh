#!/bin/sh
# Runs every test executable of a build that does not link Qt under valgrind's
# memcheck, each executable once with all its tests (the fuzz replayers with their
# corpora), with ctest's environment. The programs a test starts (hcdtool and the
# module it loads) run under memcheck too; system tools do not. Errors and definite
# or indirect leaks in any of these processes fail the executable; the logs, one per
# process, are kept in BUILD_DIR/valgrind/NAME/. valgrind.supp beside this script
# holds the only suppressions: reads by the test framework itself.
#
#   fuzz/valgrind-tests.sh [BUILD_DIR]     BUILD_DIR defaults to build/default
#
# The build must be an ordinary one (no sanitizers): valgrind cannot run beside them.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/default}" && pwd)
command -v valgrind >/dev/null || { echo "valgrind is not installed" >&2; exit 2; }
mkdir -p "$build/valgrind"
(cd "$build" && ctest --show-only=json-v1) >"$build/valgrind/tests.json"

python3 - "$build" "$root/fuzz/valgrind.supp" <<'PY'
import json, os, re, shutil, subprocess, sys, time

build, suppressions = sys.argv[1], sys.argv[2]
tests = json.load(open(os.path.join(build, "valgrind", "tests.json")))["tests"]

# One run per executable: a GoogleTest binary runs all its tests at once, any other
# test runs with its own arguments.
runs = {}
for test in tests:
    command = test.get("command") or []
    if not command:
        continue
    executable = command[0]
    properties = {p["name"]: p["value"] for p in test.get("properties", [])}
    environment = properties.get("ENVIRONMENT", [])
    workdir = properties.get("WORKING_DIRECTORY", build)
    gtest = any(arg.startswith("--gtest_filter") for arg in command[1:])
    key = executable if gtest else test["name"]
    run = runs.setdefault(key, {"command": [executable] if gtest else command,
                                "environment": environment, "workdir": workdir, "tests": 0})
    run["tests"] += 1

def is_elf(path):
    try:
        with open(path, "rb") as f:
            return f.read(4) == b"\x7fELF"
    except OSError:
        return False

def links_qt(path):
    out = subprocess.run(["ldd", path], capture_output=True, text=True).stdout
    return "libQt6" in out

failed = 0
print(f"{'executable':<32} {'tests':>5} {'seconds':>8}  result")
for key, run in sorted(runs.items(), key=lambda item: os.path.basename(item[1]["command"][0])):
    executable = run["command"][0]
    name = os.path.basename(executable) if key == executable else key
    if not is_elf(executable):
        print(f"{name:<32} {run['tests']:>5} {'':>8}  skipped: not an executable")
        continue
    if links_qt(executable):
        print(f"{name:<32} {run['tests']:>5} {'':>8}  skipped: links Qt")
        continue
    logs = os.path.join(build, "valgrind", name)
    shutil.rmtree(logs, ignore_errors=True)
    os.makedirs(logs)
    env = dict(os.environ)
    for assignment in run["environment"]:
        variable, _, value = assignment.partition("=")
        env[variable] = value
    command = ["valgrind", "--tool=memcheck", "--error-exitcode=99", "--leak-check=full",
               "--show-leak-kinds=definite,indirect", "--errors-for-leak-kinds=definite,indirect",
               "--track-origins=yes", "--suppressions=" + suppressions,
               "--trace-children=yes", "--trace-children-skip=/usr/*,/bin/*",
               "--log-file=" + os.path.join(logs, "%p.log")] + run["command"]
    started = time.monotonic()
    result = subprocess.run(command, cwd=run["workdir"], env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    seconds = time.monotonic() - started
    processes = errors = suppressed = 0
    with_errors = []
    for log in sorted(os.listdir(logs)):
        with open(os.path.join(logs, log), errors="replace") as f:
            for line in f:
                found = re.search(r"ERROR SUMMARY: (\d+) errors .*suppressed: (\d+)", line)
                if found:
                    processes += 1
                    errors += int(found.group(1))
                    suppressed += int(found.group(2))
                    if int(found.group(1)):
                        with_errors.append(os.path.join(logs, log))
    summary = f"{processes} processes, {errors} errors, {suppressed} suppressed"
    if result.returncode == 0 and errors == 0:
        verdict = "clean (" + summary + ")"
    else:
        failed = 1
        where = with_errors[0] if with_errors else logs
        verdict = f"FAILED: exit {result.returncode} ({summary}), see {where}"
    print(f"{name:<32} {run['tests']:>5} {seconds:>8.1f}  {verdict}", flush=True)
sys.exit(failed)
PY
