#!/usr/bin/env bash
# Builds the Debian packages from this build with scripts/package, then checks them
# as an administrator would meet them: the file list against the layout, the
# declared dependencies, lintian, and the unpacked copy's hcdtool run from an
# unrelated folder with no environment at all, first without the Qt package and
# then with it; then the Qt package's desktop files as a desktop meets them, the
# validators' word on them, and the editor opened through them on an X server of
# the test's own, as a file manager and as the application menu open it.
#
#   check-package.sh SOURCE_DIR BUILD_DIR PRIVATE_DIR VERSION
#
# With HCD_DESKTOP_SCREENSHOT=FILE.png, the window opened from the menu is also
# captured into FILE.png (needs ImageMagick's import).
set -euo pipefail
src=$1
build=$2
private=$3
version=$4
for tool in dpkg-deb dpkg-shlibdeps lintian cpack desktop-file-validate appstreamcli \
  update-mime-database update-desktop-database gio python3 Xvfb xdotool dex; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

scratch=$(mktemp -d)
# The processes this script started and that may still run: the X server, its
# window manager, a menu launch.
xvfb_pid="" wm_pid="" menu_pid=""
cleanup() {
  local pid
  for pid in $menu_pid $wm_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$scratch"
}
trap cleanup EXIT
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
    for f in HCDKELO.hcd libhcd_props.so libhcd_services.so libhcd_string.so libhcd_text.so \
             libhcd_files.so libhcd_ui.so libhcd_ui_scripted.so libhcd_ui_terminal.so; do
      echo "/usr/$private/$f"
    done
    echo /usr/share/bash-completion/completions/hcdtool
    echo /usr/share/doc/hcdkelo/changelog.gz
    echo /usr/share/doc/hcdkelo/copyright
    (cd "$src/examples" && find . -type f | sed 's|^\.|/usr/share/doc/hcdkelo/examples|')
    echo /usr/share/doc/hcdkelo/README.md
    (cd "$src/docs" && find . -type f | sed 's|^\.|/usr/share/doc/hcdkelo/docs|')
    echo /usr/share/man/man1/hcdtool.1.gz
  } | sort
)
app=org.example.hcdkelo.hcdtool
expected_qt=$(
  {
    printf '%s\n' "/usr/$private/libhcd_ui_qt.so" /usr/share/doc/hcdkelo-qt/changelog.gz \
      /usr/share/doc/hcdkelo-qt/copyright "/usr/share/applications/$app.desktop" \
      /usr/share/mime/packages/hcdkelo.xml "/usr/share/metainfo/$app.metainfo.xml" \
      "/usr/share/icons/hicolor/scalable/apps/$app.svg" /usr/share/lintian/overrides/hcdkelo-qt
    for size in 16 22 24 32 48 64 128 256; do
      echo "/usr/share/icons/hicolor/${size}x$size/apps/$app.png"
    done
  } | sort
)
diff <(echo "$expected_tool") <(files "$tool_deb") || fail "hcdkelo's files differ from the layout"
diff <(echo "$expected_qt") <(files "$qt_deb") || fail "hcdkelo-qt's files differ from the layout"

# The manual page sends the reader to documents the package holds, where it says.
manual=$(dpkg-deb --fsys-tarfile "$tool_deb" | tar -xO ./usr/share/man/man1/hcdtool.1.gz | gzip -dc)
named=$(sed 's/\\-/-/g; s/\\f[BIRP]//g' <<<"$manual" | grep -o '/usr/share/doc/hcdkelo/[^ ]*\.md' | sort -u)
[ -n "$named" ] || fail "the manual page names no document under /usr/share/doc/hcdkelo"
while read -r doc; do
  grep -qx "$doc" <<<"$expected_tool" || fail "the manual page names $doc, which hcdkelo lacks"
done <<<"$named"

# Dependencies: found by dpkg-shlibdeps; Qt only in the Qt package, which the tool
# package recommends and which needs the tool package of the same version.
tool_depends=$(dpkg-deb -f "$tool_deb" Depends)
qt_depends=$(dpkg-deb -f "$qt_deb" Depends)
grep -q 'libpugixml' <<<"$tool_depends" || fail "hcdkelo does not depend on pugixml: $tool_depends"
grep -q 'libncursesw6' <<<"$tool_depends" || fail "hcdkelo does not depend on ncursesw: $tool_depends"
if grep -qi 'qt' <<<"$tool_depends"; then fail "hcdkelo depends on Qt: $tool_depends"; fi
[ "$(dpkg-deb -f "$tool_deb" Recommends)" = hcdkelo-qt ] || fail "hcdkelo does not recommend hcdkelo-qt"
grep -q "hcdkelo (= $version)" <<<"$qt_depends" || fail "hcdkelo-qt does not depend on hcdkelo: $qt_depends"
grep -q 'libqt6widgets6' <<<"$qt_depends" || fail "hcdkelo-qt does not depend on Qt Widgets: $qt_depends"

# lintian: no error and no warning; its informational notes may stay, and an
# override that silences a warning must be one docs/packaging.md explains.
lintian_status=0
lintian_out=$(lintian --show-overrides "$tool_deb" "$qt_deb" 2>&1) || lintian_status=$?
if [ "$lintian_status" -ne 0 ] || grep -q '^[EW]: ' <<<"$lintian_out"; then
  echo "$lintian_out" >&2
  fail "lintian reports errors or warnings (exit $lintian_status)"
fi
while read -r tag; do
  grep -q -- "\`$tag\`" "$src/docs/packaging.md" ||
    fail "the lintian override of $tag is not explained in docs/packaging.md"
done < <(sed -n 's/^O: [^:]*: \([a-z0-9-]*\).*/\1/p' <<<"$lintian_out" | sort -u)

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
run edit --ui qt --handler "$scratch/handler.xml" 2>"$scratch/noqt.err"
status=$?
set -e
[ "$status" -eq 3 ] || fail "edit --ui qt without the Qt package exited $status"
grep -q 'install the package hcdkelo-qt' "$scratch/noqt.err" ||
  fail "edit --ui qt without the Qt package says: $(cat "$scratch/noqt.err")"

# Without Qt, the pages show in a terminal: the package's own terminal backend
# loads (in a terminal of script's, whose TERM it refuses, so nothing waits).
if command -v script >/dev/null; then
  script -q -e -c "env -i TERM=dumb '$hcdtool' edit --ui terminal --handler '$scratch/handler.xml'" \
    /dev/null </dev/null >"$scratch/terminal.out" 2>&1 && fail "a dumb terminal was not refused"
  grep -q 'TERM=dumb cannot move the cursor' "$scratch/terminal.out" ||
    fail "edit in a dumb terminal says: $(cat "$scratch/terminal.out")"
fi

# With the Qt package beside it, the windows come up (off screen).
dpkg-deb -x "$qt_deb" "$root"
env -i QT_QPA_PLATFORM=offscreen "$hcdtool" tour --out "$scratch/tour" >"$scratch/tour.out" 2>&1 ||
  fail "tour with the Qt package: $(cat "$scratch/tour.out")"
ls "$scratch/tour"/*.png >/dev/null 2>&1 || fail "tour rendered no page"
grep -qF "edit with $examples/scripts/handler-edit.script" "$scratch/tour.out" ||
  fail "tour did not use the installed examples: $(cat "$scratch/tour.out")"
# The desktop files of the Qt package, as validators see them: no error, no warning,
# not even a hint.
share=$root/usr/share
entry=$share/applications/$app.desktop
mime_xml=$share/mime/packages/hcdkelo.xml
validated=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $validated"
[ -z "$validated" ] || fail "desktop-file-validate: $validated"
# The metainfo file alone, then the tree, which adds what it points to (the entry).
for command in "validate --no-net $share/metainfo/$app.metainfo.xml" "validate-tree --no-net $root"; do
  # shellcheck disable=SC2086
  validated=$(appstreamcli $command 2>&1) || fail "appstreamcli $command: $validated"
  if grep -qE '^ *[EW]: ' <<<"$validated"; then fail "appstreamcli $command: $validated"; fi
done
grep -qx "Exec=hcdtool edit %f" "$entry" || fail "the desktop entry does not run hcdtool edit %f"
# The AppStream screenshot is one of docs/images, and the release the packages'.
python3 - "$share/metainfo/$app.metainfo.xml" "$src/docs/images" "$version" <<'PY' ||
import os, sys, xml.etree.ElementTree as ET
component = ET.parse(sys.argv[1]).getroot()
images = [i.text.rsplit("/", 1)[-1] for i in component.iter("image")]
assert images and all(os.path.isfile(os.path.join(sys.argv[2], i)) for i in images), images
assert component.find("releases/release").get("version") == sys.argv[3]
PY
  fail "the AppStream data names no screenshot of docs/images, or another release"

# The MIME type is the one the entry opens, and it has the glob handler.xml.
mime_type=$(
  python3 - "$mime_xml" <<'PY'
import sys, xml.etree.ElementTree as ET
ns = "{http://www.freedesktop.org/standards/shared-mime-info}"
types = ET.parse(sys.argv[1]).getroot().findall(ns + "mime-type")
assert len(types) == 1
assert [g.get("pattern") for g in types[0].findall(ns + "glob")] == ["handler.xml"]
print(types[0].get("type"))
PY
) || fail "$mime_xml declares other than one type with the glob handler.xml"
[ "$(sed -n 's/^MimeType=//p' "$entry")" = "$mime_type;" ] ||
  fail "the entry's MimeType= is not $mime_type: $(grep MimeType= "$entry")"

# And a desktop agrees: with the databases that installing the package builds,
# built here in the unpacked copy above the system's own, handler.xml and a
# configuration by its content alone are of that type, which opens with the entry.
# (Both remark that the unpacked copy is not where desktops look: the test points
# XDG_DATA_DIRS at it below.)
update-mime-database "$share/mime" >"$scratch/databases.out" 2>&1 &&
  update-desktop-database "$share/applications" >>"$scratch/databases.out" 2>&1 ||
  fail "building the MIME and desktop databases: $(cat "$scratch/databases.out")"
mkdir -p "$scratch/home/runtime" "$scratch/tree/bank01/static"
chmod 700 "$scratch/home/runtime"
cp "$examples/handler.xml" "$scratch/tree/bank01/handler.xml"
cp "$examples/static.xml" "$scratch/unnamed"
cp "$examples/static.xml" "$scratch/loose.xml"
desktop_env=(env -i "HOME=$scratch/home" "PATH=$root/usr/bin:/usr/bin:/bin"
  "XDG_DATA_HOME=$scratch/home/data" "XDG_CONFIG_HOME=$scratch/home/config"
  "XDG_DATA_DIRS=$share:/usr/share" "XDG_CONFIG_DIRS=$scratch/home/no-config"
  "XDG_RUNTIME_DIR=$scratch/home/runtime" GIO_USE_VFS=local "DBUS_SESSION_BUS_ADDRESS=disabled:")
content_type() {
  "${desktop_env[@]}" gio info -a standard::content-type "$1" |
    sed -n 's/^ *standard::content-type: //p'
}
for file in "$scratch/tree/bank01/handler.xml" "$scratch/unnamed"; do
  [ "$(content_type "$file")" = "$mime_type" ] ||
    fail "$file is of type $(content_type "$file"), not $mime_type"
done
"${desktop_env[@]}" gio mime "$mime_type" | sed -n 1p | grep -q ": $app.desktop$" ||
  fail "$app.desktop does not open $mime_type: $("${desktop_env[@]}" gio mime "$mime_type")"

# The windows, on an X server of the test's own, with a window manager so that a
# window shown takes the focus as on a desktop.
Xvfb -displayfd 9 -nolisten tcp -screen 0 1024x768x24 9>"$scratch/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
[ -s "$scratch/display" ] || fail "Xvfb did not start"
desktop_env+=("DISPLAY=:$(head -n 1 "$scratch/display")" QT_QPA_PLATFORM=xcb)
if command -v openbox >/dev/null; then
  "${desktop_env[@]}" openbox --sm-disable >/dev/null 2>&1 &
  wm_pid=$!
fi
x() { "${desktop_env[@]}" timeout 60 xdotool "$@"; }
# The window of that title, once shown. A title may name the file before it, and
# ends with the tool's name ("handler.xml — Handler Properties — hcdtool"); outside
# a UTF-8 locale xdotool reads the dashes as something else.
# xdotool gives up on the whole search when a window it is looking at goes away
# (an X error: BadWindow), as short-lived windows do while a program starts, so
# the search is asked again until the window shows or a minute has passed.
window() {
  local found deadline=$((SECONDS + 60))
  while [ "$SECONDS" -lt "$deadline" ]; do
    found=$(x search --onlyvisible --name "^([^ ]+ [^ ]+ )?$1( [^ ]+ hcdtool)?\$" 2>/dev/null |
      sed -n 1p) || true
    [ -n "$found" ] && { echo "$found"; return 0; }
    sleep 0.2
  done
  return 1
}
# Typing on a window, as a user does once it is in front.
keys() {
  x windowactivate --sync "$1" 2>/dev/null || x windowfocus --sync "$1"
  shift
  x "$@"
}
command_line() { tr '\0' ' ' <"/proc/$(x getwindowpid "$1")/cmdline"; }

# A file manager opens handler.xml with the default application of its type.
"${desktop_env[@]}" gio open "$scratch/tree/bank01/handler.xml" >"$scratch/opened.out" 2>&1 ||
  fail "gio open: $(cat "$scratch/opened.out")"
sheet=$(window "Handler Properties") || fail "no window opened from the file manager"
[ "$(command_line "$sheet")" = "hcdtool edit $scratch/tree/bank01/handler.xml " ] ||
  fail "the file manager ran: $(command_line "$sheet")"
pid=$(x getwindowpid "$sheet")
x windowclose "$sheet"
for _ in $(seq 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then fail "closing the window did not end hcdtool"; fi
grep -q "not saved" "$scratch/opened.out" || fail "closing the window: $(cat "$scratch/opened.out")"
cmp -s "$examples/handler.xml" "$scratch/tree/bank01/handler.xml" || fail "closing the window saved"

# The application menu starts it without a file: a file chooser asks for one.
menu() {
  "${desktop_env[@]}" dex --wait "$entry" >"$scratch/menu.out" 2>&1 &
  menu_pid=$!
  keys "$(window Open)" type --delay 5 "$1"
  x key Return
}
menu "$scratch/tree/bank01/handler.xml"
sheet=$(window "Handler Properties") || fail "no page after the file chooser: $(cat "$scratch/menu.out")"
[ "$(command_line "$sheet")" = "hcdtool edit " ] || fail "the menu ran: $(command_line "$sheet")"
if [ -n "${HCD_DESKTOP_SCREENSHOT:-}" ]; then
  x windowactivate --sync "$sheet" 2>/dev/null || true
  sleep 1
  "${desktop_env[@]}" import -frame -window "$sheet" "$HCD_DESKTOP_SCREENSHOT" ||
    fail "cannot capture the window into $HCD_DESKTOP_SCREENSHOT"
fi
x windowclose "$sheet"
wait "$menu_pid" || true
menu_pid=""
grep -q "not saved" "$scratch/menu.out" || fail "the menu's edit: $(cat "$scratch/menu.out")"

# A chosen file whose place says no kind is asked about: nobody at a menu can give
# an option. Down chooses the record set, Enter opens its page.
menu "$scratch/loose.xml"
question=$(window "Kind of configuration") || fail "no question for a file outside a tree"
keys "$question" key Down Return
sheet=$(window "Record Set Properties") || fail "no page after the question: $(cat "$scratch/menu.out")"
x windowclose "$sheet"
wait "$menu_pid" || true
menu_pid=""
grep -q "not saved" "$scratch/menu.out" || fail "the loose file's edit: $(cat "$scratch/menu.out")"
cmp -s "$examples/static.xml" "$scratch/loose.xml" || fail "the file closed unsaved changed"

echo "packages of $version checked: layout, dependencies, lintian, unpacked hcdtool," \
  "desktop entry, MIME type, AppStream data, windows opened through them"
