#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Makes docs/screenshot.png, the README's picture of the program: the main
# window with its frame, a photo fitted to it, and the picker beside it, in
# an ordinary folder (/home/anna/Pictures/Airshow). The folder lives in a
# private mount namespace, so nothing is written outside the repository.
#
# Usage: scripts/screenshot.sh [OUTPUT.png]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
output=${1:-$root/docs/screenshot.png}
./scripts/build.sh

testdata=$root/tests/data/third_party

# Inside its own mount namespace (as root, or mapped to root), /home is an
# empty temporary folder for the length of the run.
as_root=(unshare --mount)
[ "$(id -u)" -eq 0 ] || as_root=(unshare --map-root-user --mount)

"${as_root[@]}" bash -s "$root" "$testdata" "$output" <<'INSIDE'
set -euo pipefail
root=$1 testdata=$2 output=$3
work=$(mktemp -d)
trap 'cd /; umount /home || true; rm -rf "$work"' EXIT
mount --bind "$work" /home
folder=/home/anna/Pictures/Airshow
mkdir -p "$folder"
cp "$testdata/pillow/exif_gps_typeerror.jpg" "$folder/Spitfire.jpg"
cp "$testdata/pillow/xmp_test.jpg" "$folder/Brooch.jpg"
cp "$testdata/pillow/hopper.jpg" "$folder/Hopper.jpg"
cp "$testdata/pillow/drawing.wmf" "$folder/Programme.wmf"
cd "$folder"
"$root/tests/support/with-x-server.sh" 1280x720x24 60 bash -c '
  set -euo pipefail
  openbox --sm-disable >/dev/null 2>&1 &
  sleep 1
  QT_QPA_PLATFORM=xcb LANG=ru_RU.UTF-8 "$0" Spitfire.jpg &
  viewer=$!
  main=""
  for _ in $(seq 100); do
    main=$(xdotool search --onlyvisible --name "^Lumarin - " | head -n1 || true)
    [ -n "$main" ] && break
    sleep 0.1
  done
  [ -n "$main" ] || { echo "the viewer did not show the photo" >&2; exit 1; }
  picker=""
  for _ in $(seq 50); do
    picker=$(xdotool search --onlyvisible --pid "$viewer" | grep -vx "$main" | head -n1 || true)
    [ -n "$picker" ] && break
    sleep 0.1
  done
  # A window shaped like the photo, the picker beside it.
  xdotool windowsize --sync "$main" 780 620 windowmove --sync "$main" 4 30
  xdotool windowmove --sync "$picker" 800 30
  xdotool windowactivate --sync "$main" key ctrl+w
  sleep 1
  import -window root "$1"
  # Only the part of the screen the two windows and their frames cover.
  convert "$1" -trim +repage -bordercolor "#000000" -border 0 "$1"
  kill "$viewer"
' "$root/build/src/lumarin" "$output"
INSIDE
echo "written: $output"
