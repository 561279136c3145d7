#!/usr/bin/env bash
# Fails, naming each, when a file or folder path that a document names in backticks
# no longer exists in the source tree. Paths are relative to the tree's root; a word
# with a wildcard, or one that names no folder of the tree, is not a path.
set -euo pipefail
doc=$1
root=$2
missing=0
checked=0
while IFS= read -r word; do
  case $word in /* | *'*'* | *'<'* | *' '*) continue ;; esac
  first=${word%%/*}
  [[ -d $root/$first ]] || continue
  checked=$((checked + 1))
  if [[ ! -e $root/$word ]]; then
    echo "$doc names $word, which does not exist" >&2
    missing=1
  fi
done < <(grep -o '`[^`]*/[^`]*`' "$doc" | tr -d '`' | sort -u)
if ((checked == 0)); then
  echo "$doc names no path at all: the check found nothing to check" >&2
  exit 1
fi
exit $missing
