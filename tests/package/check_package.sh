#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds the Debian package, unpacks it into a fresh root and checks that it
# would work on a user's machine: every library of both programs resolves,
# the dependencies name what they load, the desktop entry and metainfo are
# valid, Debian's own checker (lintian) finds nothing to warn about, and the
# program opened on a metafile from its desktop entry ("Open With") shows it
# (the converter is found where the package puts it).
#
# Usage: check_package.sh BUILD-DIR TESTDATA-DIR
set -euo pipefail

build=$1
testdata=$2
with_x_server="$(cd "$(dirname "$0")/../support" && pwd)/with-x-server.sh"
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >/dev/null
deb="$work/out/lumarin_1.1.6_amd64.deb"
[ -f "$deb" ] || fail "no $(basename "$deb")"

root="$work/root"
dpkg -x "$deb" "$root"
viewer="$root/usr/bin/lumarin"
helper="$root/usr/libexec/lumarin/lumarin-metafile"
for binary in "$viewer" "$helper"; do
  [ -x "$binary" ] || fail "$binary missing"
  if ldd "$binary" | grep -q "not found"; then
    ldd "$binary" | grep "not found" >&2
    fail "unresolved libraries in $binary"
  fi
done

# Run as the superuser, lintian says it would rather not be: not a finding.
findings=$(lintian "$deb" 2>&1 | grep -E '^[EW]: ' || true)
[ -z "$findings" ] || fail "lintian: $findings"

depends=$(dpkg-deb -f "$deb" Depends)
for wanted in libqt6widgets6 libqt6svg6 qt6-qpa-plugins fonts-symbola; do
  [[ "$depends" == *"$wanted"* ]] || fail "Depends lacks $wanted: $depends"
done
# The helper draws EMF+ itself: no converter library comes along.
[[ "$depends" != *libemf2svg* ]] || fail "Depends names libemf2svg: $depends"

desktop="$root/usr/share/applications/org.lumarin.Lumarin.desktop"
desktop-file-validate "$desktop" || fail "desktop entry invalid"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.lumarin.Lumarin.metainfo.xml" >/dev/null \
  || fail "metainfo invalid"
for size in 16x16 32x32 48x48 scalable; do
  ls "$root/usr/share/icons/hicolor/$size/apps/org.lumarin.Lumarin."* >/dev/null || fail "no $size icon"
done

# Open a metafile with it the way a file manager's "Open With" does: the
# desktop entry's command with the file in place of %f.
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ "$exec_line" = "lumarin %f" ] || fail "unexpected Exec line: $exec_line"
mkdir "$work/pictures"
cp "$testdata/pillow/drawing.wmf" "$work/pictures/"
command=${exec_line/\%f/$work/pictures/drawing.wmf}
export PATH="$root/usr/bin:$PATH"
(
  cd "$work"
  "$with_x_server" 1024x768x24 120 bash -c '
    QT_QPA_PLATFORM=xcb '"$command"' & pid=$!
    for i in $(seq 100); do
      win=$(xdotool search --onlyvisible --name "^Lumarin" 2>/dev/null | head -n1) && [ -n "$win" ] && break
      sleep 0.1
    done
    [ -n "$win" ] || { echo "no window" >&2; kill $pid; exit 1; }
    for i in $(seq 50); do
      title=$(xdotool getwindowname "$win")
      [[ "$title" == *drawing.wmf ]] && break
      sleep 0.1
    done
    errors=$(xdotool search --onlyvisible --name "^Ошибка$" 2>/dev/null || true)
    kill $pid
    [[ "$title" == *drawing.wmf && -z "$errors" ]] || { echo "metafile not shown: $title" >&2; exit 1; }
  '
) || fail "the installed program did not show a metafile"

echo "package ok: $(basename "$deb")"
