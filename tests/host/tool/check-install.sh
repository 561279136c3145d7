#!/usr/bin/env bash
# Installs the build into an empty prefix and runs the installed hcdtool from an
# unrelated folder, with no environment help: it must find its module and
# libraries through its own run path, in the private folder (relative to the
# prefix) given as the second argument.
set -euo pipefail
build_dir=$1
private_dir=$2
prefix=$(mktemp -d)
elsewhere=$(mktemp -d)
trap 'rm -rf "$prefix" "$elsewhere"' EXIT
cmake --install "$build_dir" --prefix "$prefix" >/dev/null
cd "$elsewhere"
unset LD_LIBRARY_PATH
out=$("$prefix/bin/hcdtool" info)
grep -qx 'name: KELO' <<<"$out"
grep -qx "module: $prefix/$private_dir/HCDKELO.hcd" <<<"$out"
if ldd "$prefix/bin/hcdtool" | grep -q "$build_dir"; then
  echo "installed hcdtool still refers to the build tree" >&2
  exit 1
fi
echo "installed hcdtool works from $elsewhere"
