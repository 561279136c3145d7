#!/usr/bin/env bash
# Bash completion of hcdtool, loaded as bash-completion loads it: each case is a
# command line with the cursor at its end, and the completions it must give.
#
#   check-completion.sh COMPLETION_FILE HCDTOOL
#
# The labels and currencies come from the built hcdtool, found first on the path.
set -uo pipefail
completion=$(realpath "$1")
PATH=$(dirname "$(realpath "$2")"):$PATH
export PATH
framework=/usr/share/bash-completion/bash_completion
[ -r "$framework" ] || { echo "skipped: bash-completion is not installed"; exit 77; }

files=$(mktemp -d)
trap 'rm -rf "$files"' EXIT
mkdir "$files/configs"
touch "$files/handler.xml" "$files/notes.txt" "$files/change.script" "$files/gbp.ics"

# A fresh bash per case, so that no case leaves state for the next.
complete_line() {
  (
    cd "$files" || exit 1
    bash --norc --noprofile -c '
      source "$1" >/dev/null 2>&1
      source "$2"
      read -ra COMP_WORDS <<<"$3"
      [[ $3 == *" " ]] && COMP_WORDS+=("")
      COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
      COMP_LINE=$3
      COMP_POINT=${#COMP_LINE}
      _hcdtool hcdtool "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
      printf "%s\n" "${COMPREPLY[@]}" | sort | tr "\n" " "
    ' _ "$framework" "$completion" "$1"
  )
}

failures=0
check() {
  local line=$1 expected=$2 got
  got=$(complete_line "$line")
  got=${got% }
  if [ "$got" != "$expected" ]; then
    echo "FAIL: '$line<Tab>' gives '$got', not '$expected'" >&2
    failures=$((failures + 1))
  fi
}

check "hcdtool su" "summary"
check "hcdtool ch" "check-change choose-field"
check "hcdtool --mo" "--module"
check "hcdtool --no" "--no-pager"
check "hcdtool --module x.hcd in" "info"
check "hcdtool summary --" "--dynamic --handler --help --json --static"
check "hcdtool summary --static --" "--help --json"
check "hcdtool edit --handler " "configs handler.xml"
check "hcdtool edit " "configs handler.xml"
check "hcdtool edit --" "--dynamic --handler --help --script --static --ui"
check "hcdtool edit handler.xml --ui " "qt terminal"
check "hcdtool choose-field --ui t" "terminal"
check "hcdtool choose-field --" "--help --party --script --ui"
check "hcdtool edit --handler handler.xml --script " "change.script configs"
check "hcdtool describe-persist --version " ""
check "hcdtool validate-field --" "--help --json --party"
check "hcdtool import-holidays handler.xml GBP " "configs gbp.ics"
check "hcdtool tour --out " "configs"
check "hcdtool sh" "show"
check "hcdtool show " "configs handler.xml"
check "hcdtool show handler.xml --" "--currency --dynamic --handler --help --json --no-pager --static --textconv --year"
check "hcdtool show handler.xml --year " ""
check "hcdtool diff --" "--color --detailed-exitcode --dynamic --git --handler --help --json --no-pager --quiet --static"
check "hcdtool plan --" "--color --detailed-exitcode --git --help --json --no-pager --quiet"
check "hcdtool diff a b --color=a" "--color=always --color=auto"
check "hcdtool set --q" "--quiet"
# Outside a repository no branch or tag is offered, only HEAD.
check "hcdtool plan --git " "HEAD"
check "hcdtool diff handler.xml " "configs handler.xml"
check "hcdtool git" "git-setup"
check "hcdtool git-setup " "configs"
check "hcdtool get handler.xml --" "--currencies --dynamic --handler --help --json --labels --static"
check "hcdtool set --" "--color --dry-run --help --json --kind --quiet --stdin"
check "hcdtool apply --" "--color --dry-run --dynamic --handler --help --json --kind --quiet --static"
check "hcdtool set configs --kind " "dynamic handler static"
check "hcdtool remove-holidays --kind " "handler"
# Labels of the file's page, as typed in any case, escaped for the shell; set's with
# their "=" to go on with.
check "hcdtool get handler.xml max" 'Max\ Messages\ Per\ Sec.'
check "hcdtool get handler.xml Pa" "Password"
check "hcdtool set handler.xml Max" 'Max\ Messages\ Per\ Sec.='
check "hcdtool set handler.xml Port=1 pas" "Password="
# Currencies of the calendar of the file on the command line.
check "hcdtool add-holidays handler.xml --currency G" "GBP"
check "hcdtool show handler.xml --year 2026 --currency " "EUR GBP USD"
check "hcdtool export-holidays handler.xml " "EUR GBP USD"
[ "$failures" -eq 0 ] || exit 1
echo "completion cases pass"
