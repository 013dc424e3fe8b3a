#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package as a player's system would get it: built from this build
# folder, unpacked into a temporary folder, its control fields and files
# checked, its desktop entry and AppStream metadata validated, and the
# unpacked program started through its command link to its first window
# (a first run, with an empty home folder) on a private X server, and lintian
# on the package.
# Usage: test_package.sh BUILD_FOLDER VERSION APP_ID
set -euo pipefail

build=$1
version=$2
app_id=$3
for tool in dpkg-deb cpack appstreamcli desktop-file-validate Xvfb xdotool xprop; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: needs $tool (tools/setup.sh installs it)"
    exit 77
  fi
done

work=$(mktemp -d)
display_pid=
game_pid=
cleanup() {
  [ -z "$game_pid" ] || kill "$game_pid" 2>/dev/null || true
  [ -z "$display_pid" ] || kill "$display_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Build it (everything is built already: this only installs and packs).
cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack failed"; }
debs=("$work"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, got: ${debs[*]}"
deb=${debs[0]}

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = zumirak ] || fail "package name: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "version $(field Version), project $version"
[ "$(field Section)" = games ] || fail "section: $(field Section)"
depends=$(field Depends)
# Worked out from what the program and its modules link, plus the font.
names=$(echo "$depends" | tr ',|' '\n\n' | sed 's/(.*//; s/ //g')
for needed in fonts-ipafont-gothic libc6 libqt6widgets6 libsdl2-2.0-0; do
  grep -qx -- "$needed" <<<"$names" || fail "Depends lacks $needed: $depends"
done
# The mixer needs SDL2 alone.
! grep -q -- mixer <<<"$names" || fail "Depends names a mixer library: $depends"
[[ $(field Description) == *ズミラク* ]] || fail "no Japanese line in the description"

# The files, exactly.
root=$work/root
dpkg-deb --extract "$deb" "$root"
private=usr/lib/games/zumirak
data=usr/share/games/zumirak
expected=(
  usr/games/zumirak "$private"/zumirak
  "$data"/Back1.wav "$data"/Hit1.wav "$data"/No1.wav "$data"/Win1.wav
  "$data"/Back5.gif "$data"/B_Push.shp "$data"/D_Push.shp "$data"/M_Push.shp
  "$data"/S_Push.shp "$data"/Help/Help.htm "$data"/Help/Help_en.htm "$data"/Readme.txt "$data"/Readme_en.txt
  usr/share/applications/"$app_id".desktop
  usr/share/metainfo/"$app_id".metainfo.xml
  usr/share/mime/packages/"$app_id".xml
  usr/share/icons/hicolor/scalable/apps/"$app_id".svg
  usr/share/man/man6/zumirak.6.gz
  usr/share/doc/zumirak/copyright usr/share/doc/zumirak/changelog.gz
)
for size in 16 24 32 48 64 128 256; do
  expected+=(usr/share/icons/hicolor/${size}x${size}/apps/"$app_id".png)
done
# Modules of the program may lie beside it; nothing else may.
actual=$(cd "$root" && find . \( -type f -o -type l \) ! -path "./$private/*.so" | sed 's|^\./||' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
[ "$actual" = "$wanted" ] || fail "files differ from the expected list:
$(diff <(echo "$wanted") <(echo "$actual"))"
[ -L "$root/usr/games/zumirak" ] || fail "the command is no link"
[ "$(readlink -f "$root/usr/games/zumirak")" = "$root/$private/zumirak" ] || fail "the command points elsewhere"
for size in 16 24 32 48 64 128 256; do
  kind=$(file "$root/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
  [[ $kind == *"PNG image data, $size x $size,"* ]] || fail "the ${size}-pixel icon is not ${size} x ${size}: $kind"
done

# The validators, on what the package holds.
desktop=$root/usr/share/applications/$app_id.desktop
# desktop-file-validate before 0.27 (Debian 12) does not know SingleMainWindow,
# a key of the format's version 1.5 that lintian knows: only that is let pass.
desktop-file-validate "$desktop" >"$work/desktop.log" 2>&1 || true
if grep -v 'key "SingleMainWindow"' "$work/desktop.log"; then fail "desktop-file-validate"; fi
grep -qx "Icon=$app_id" "$desktop" || fail "the desktop entry names another icon"
# The stage file type the entry opens is the one the package registers.
mime=$root/usr/share/mime/packages/$app_id.xml
stage_type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$mime")
grep -q 'pattern="\*\.zumirak"' "$mime" || fail "the stage file type has no *.zumirak pattern"
grep -qx "MimeType=$stage_type;" "$desktop" || fail "the desktop entry does not open $stage_type"
grep -q '^Exec=zumirak %f$' "$desktop" || fail "the desktop entry passes no file"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" >"$work/appstream.log" 2>&1 ||
  { cat "$work/appstream.log"; fail "appstreamcli validate"; }
if grep -E '^(E|W):' "$work/appstream.log"; then fail "appstreamcli reports errors or warnings"; fi
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/$app_id.metainfo.xml" ||
  fail "the metadata has no release $version"

# The changelog speaks of this version.
changelog_version=$(gzip -dc "$root/usr/share/doc/zumirak/changelog.gz" | sed -n '1s/^zumirak (\(.*\)).*/\1/p')
[ "$changelog_version" = "$version" ] || fail "the changelog's latest version is '$changelog_version', not $version"

# The unpacked program, started as the command, on a first run.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
display_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=:$(head -n1 "$work/display")
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/runtime \
  QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy "$root/usr/games/zumirak" &
game_pid=$!
windows=$(timeout 30 xdotool search --sync --onlyvisible --pid "$game_pid") ||
  fail "the program showed no window"
window=${windows%%$'\n'*}
title=$(xdotool getwindowname "$window")
[ "$title" = "ﾕｰｻﾞ登録" ] || fail "first window: '$title', not the new-user window"
# The desktop matches the window to its entry by the class.
wm_class=$(xprop -id "$window" WM_CLASS | sed -n 's/.*, "\(.*\)"$/\1/p')
grep -qx "StartupWMClass=$wm_class" "$desktop" ||
  fail "window class '$wm_class' differs from the desktop entry's $(grep StartupWMClass "$desktop")"
kill "$game_pid"
wait "$game_pid" 2>/dev/null || true
game_pid=
# Debian's own checks. Last, so that without lintian everything else has
# been checked before the skip.
if ! command -v lintian >/dev/null; then
  echo "SKIP: lintian is not installed (tools/setup.sh installs it); every other check passed"
  exit 77
fi
lintian --pedantic --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || true
cat "$work/lintian.log"
if grep -qE '^(E|W):' "$work/lintian.log"; then fail "lintian reports errors or warnings"; fi
echo "PASS: $(basename "$deb"), $(stat -c %s "$deb") bytes, installed size $(field Installed-Size) KiB"
echo "Depends: $depends"
