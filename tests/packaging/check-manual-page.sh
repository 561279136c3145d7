#!/usr/bin/env bash
# The manual page renders without a warning, and says everything hcdtool --help
# says: every command as an item of its own whose tag shows each option of the
# command's synopsis, and every global option. The page may say more (commands
# still to come are described ahead of them); --help saying more fails.
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

# The page's text with troff's escaped minus signs as plain ones; each item tag
# (the line after .TP) on its own.
text=$(sed 's/\\-/-/g' "$page")
tags=$(awk '/^\.TP/ { getline; print }' <<<"$text")

help=$("$hcdtool" --help)
commands=$(sed -n 's/^  \([a-z][a-z-]*\)\( .*\)\{0,1\}$/\1/p' <<<"$help")
[ -n "$commands" ] || fail "no command found in hcdtool --help"
for command in $commands; do
  tag=$(grep -E "^\.BR? $command( |$)" <<<"$tags") || fail "the page has no item for '$command'"
  synopsis=$(sed -n "s/^  $command //p" <<<"$help")
  for option in $(grep -oE -- '--[a-z][a-z-]*' <<<"$synopsis" || true); do
    grep -qE -- "$option([^a-z-]|$)" <<<"$tag" || fail "the page's '$command' lacks $option"
  done
done
for option in $(sed -n '/^Options:/,/^$/p' <<<"$help" | grep -oE -- '(^| )--?[a-z][a-z-]*'); do
  grep -qE -- "(^|[^a-z-])$option([^a-z-]|$)" <<<"$text" || fail "the page lacks the option $option"
done
for code in $(grep -oE '(^|[ ;])[0-9] [a-z]' <<<"$(sed -n '/^Exit codes:/,$p' <<<"$help")" |
  grep -oE '[0-9]'); do
  grep -qE "^\.B $code$" <<<"$text" || fail "the page's EXIT STATUS lacks $code"
done
echo "manual page renders cleanly and covers: $(echo $commands)"
