#!/usr/bin/env bash
# Builds the Debian packages from this build with scripts/package, then checks them
# as an administrator would meet them: the file list against the layout, the
# declared dependencies, lintian, and the unpacked copy's hcdtool run from an
# unrelated folder with no environment at all, first without the Qt package and
# then with it.
#
#   check-package.sh SOURCE_DIR BUILD_DIR PRIVATE_DIR VERSION
set -euo pipefail
src=$1
build=$2
private=$3
version=$4
for tool in dpkg-deb dpkg-shlibdeps lintian cpack; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$src/scripts/package" --from "$build" --out "$scratch/debs" >"$scratch/package.log" 2>&1 ||
  fail "scripts/package: $(cat "$scratch/package.log")"
arch=$(dpkg --print-architecture)
tool_deb=$scratch/debs/hcdkelo_${version}_${arch}.deb
qt_deb=$scratch/debs/hcdkelo-qt_${version}_${arch}.deb
[ -f "$tool_deb" ] && [ -f "$qt_deb" ] || fail "packages missing: $(ls "$scratch/debs")"

# The file list is exactly the layout: hcdtool alone on the search path, the rest
# in the private folder or under share/.
files() { dpkg-deb -c "$1" | awk '$1 !~ /^d/ { sub(/^\.\//, "/", $6); print $6 }' | sort; }
expected_tool=$(
  {
    echo /usr/bin/hcdtool
    for f in HCDKELO.hcd libhcd_props.so libhcd_services.so libhcd_string.so libhcd_ui.so \
             libhcd_ui_scripted.so; do
      echo "/usr/$private/$f"
    done
    echo /usr/share/bash-completion/completions/hcdtool
    echo /usr/share/doc/hcdkelo/changelog.gz
    echo /usr/share/doc/hcdkelo/copyright
    (cd "$src/examples" && find . -type f | sed 's|^\.|/usr/share/doc/hcdkelo/examples|')
    echo /usr/share/man/man1/hcdtool.1.gz
  } | sort
)
expected_qt=$(printf '%s\n' "/usr/$private/libhcd_ui_qt.so" /usr/share/doc/hcdkelo-qt/changelog.gz \
  /usr/share/doc/hcdkelo-qt/copyright | sort)
diff <(echo "$expected_tool") <(files "$tool_deb") || fail "hcdkelo's files differ from the layout"
diff <(echo "$expected_qt") <(files "$qt_deb") || fail "hcdkelo-qt's files differ from the layout"

# Dependencies: found by dpkg-shlibdeps; Qt only in the Qt package, which the tool
# package recommends and which needs the tool package of the same version.
tool_depends=$(dpkg-deb -f "$tool_deb" Depends)
qt_depends=$(dpkg-deb -f "$qt_deb" Depends)
grep -q 'libpugixml' <<<"$tool_depends" || fail "hcdkelo does not depend on pugixml: $tool_depends"
if grep -qi 'qt' <<<"$tool_depends"; then fail "hcdkelo depends on Qt: $tool_depends"; fi
[ "$(dpkg-deb -f "$tool_deb" Recommends)" = hcdkelo-qt ] || fail "hcdkelo does not recommend hcdkelo-qt"
grep -q "hcdkelo (= $version)" <<<"$qt_depends" || fail "hcdkelo-qt does not depend on hcdkelo: $qt_depends"
grep -q 'libqt6widgets6' <<<"$qt_depends" || fail "hcdkelo-qt does not depend on Qt Widgets: $qt_depends"

# lintian: no error, and every warning is one docs/packaging.md explains.
lintian_status=0
lintian_out=$(lintian "$tool_deb" "$qt_deb" 2>&1) || lintian_status=$?
if [ "$lintian_status" -ne 0 ] || grep -q '^E: ' <<<"$lintian_out"; then
  echo "$lintian_out" >&2
  fail "lintian reports errors (exit $lintian_status)"
fi
while read -r tag; do
  [ -n "$tag" ] || continue
  grep -q -- "\`$tag\`" "$src/docs/packaging.md" ||
    fail "lintian warning $tag is not explained in docs/packaging.md"
done < <(sed -n 's/^W: [^:]*: \([a-z0-9-]*\).*/\1/p' <<<"$lintian_out" | sort -u)

# The unpacked copy, without the Qt package, from an unrelated folder, with an
# empty environment: it finds its module and libraries through its run path.
root=$scratch/root
mkdir "$root" "$scratch/elsewhere"
dpkg-deb -x "$tool_deb" "$root"
hcdtool=$root/usr/bin/hcdtool
examples=$root/usr/share/doc/hcdkelo/examples
cd "$scratch/elsewhere"
run() { env -i "$hcdtool" "$@"; }

info=$(run info)
grep -qx 'name: KELO' <<<"$info" || fail "info: $info"
grep -qx "module: $root/usr/$private/HCDKELO.hcd" <<<"$info" || fail "info names another module: $info"
grep -qx "FileVersionNumber: $version" <<<"$info" || fail "info shows another version: $info"
[ "$(run --version)" = "hcdtool $version" ] || fail "--version is not $version"

summary=$(run summary --handler "$examples/handler.xml")
[ "$(sed -n 2p <<<"$summary")" = 11 ] || fail "summary: $summary"
grep -q '^Configuration Version=1|' <<<"$summary" || fail "summary: $summary"

cp "$examples/handler.xml" "$scratch/handler.xml"
run edit --handler "$scratch/handler.xml" --script "$examples/scripts/handler-edit.script" \
  2>"$scratch/edit.err" || fail "scripted edit: $(cat "$scratch/edit.err")"
[ "$(run check-change --handler "$examples/handler.xml" "$scratch/handler.xml")" = 0 ] ||
  fail "the scripted edit changed nothing that needs a restart"

set +e
run edit --handler "$scratch/handler.xml" 2>"$scratch/noqt.err"
status=$?
set -e
[ "$status" -eq 3 ] || fail "edit without the Qt package exited $status"
grep -q 'install the package hcdkelo-qt' "$scratch/noqt.err" ||
  fail "edit without the Qt package says: $(cat "$scratch/noqt.err")"

# With the Qt package beside it, the windows come up (off screen).
dpkg-deb -x "$qt_deb" "$root"
env -i QT_QPA_PLATFORM=offscreen "$hcdtool" tour --out "$scratch/tour" >"$scratch/tour.out" 2>&1 ||
  fail "tour with the Qt package: $(cat "$scratch/tour.out")"
ls "$scratch/tour"/*.png >/dev/null 2>&1 || fail "tour rendered no page"
grep -qF "edit with $examples/scripts/handler-edit.script" "$scratch/tour.out" ||
  fail "tour did not use the installed examples: $(cat "$scratch/tour.out")"
echo "packages of $version checked: layout, dependencies, lintian, unpacked hcdtool"
