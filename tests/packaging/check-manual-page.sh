#!/usr/bin/env bash
# The manual page renders without a warning. That it lists every command, option
# and exit code of hcdtool --help is checked with the documentation and the
# completion, against the one command table (tests/docs/check-command-table.py).
#
#   check-manual-page.sh PAGE HCDTOOL
set -euo pipefail
page=$1
hcdtool=$2
for tool in groff man; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
fail() { echo "FAIL: $*" >&2; exit 1; }

warnings=$(groff -ww -z -man "$page" 2>&1) || fail "groff failed: $warnings"
[ -z "$warnings" ] || fail "groff warns: $warnings"
warnings=$(MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null) || fail "man -l failed"
[ -z "$warnings" ] || fail "man -l warns: $warnings"

echo "manual page renders cleanly"
