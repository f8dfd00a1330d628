#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Measures how faithfully a build of the metafile helper draws: each WMF/EMF
# file is converted by HELPER to SVG and by LibreOffice to PNG, and
# tools/metafile-compare tells how many pixels differ once both are trimmed
# and scaled to the same 400 × 400 box. LibreOffice is only the yardstick
# here: it is installed when missing, but Lumarin never needs it.
#
# Usage: scripts/compare-metafiles.sh [--pictures DIR] HELPER [FILES or FOLDERS...]
#   HELPER       the lumarin-metafile binary to measure (any build of it)
#   FILES        .wmf/.emf files, or folders whose .wmf/.emf files are taken;
#                by default the EMF samples and the WMF/EMF files of the
#                imaging library's set in tests/data/third_party
#   --pictures   writes DIR/<name>.png per file: ours | LibreOffice | the
#                differing pixels in red
#
# One line per file: name, share of differing pixels, class -- agree (< 5 %),
# close (< 15 %), differ (>= 15 %), blank (ours, libreoffice or both),
# failed (the helper failed) or unmeasured (LibreOffice could not draw it);
# then a table of the classes per folder.
#
# LibreOffice puts a metafile on an A4 page at its own size, so a small
# picture fills only a few dozen pixels of the 794 × 1123 PNG it writes, too
# few to judge at 400 px. Its PNG export takes a pixel size, which makes it
# draw the vectors again at that resolution (not a scaled-up raster): the
# page is drawn once as is to find the ink, then again large enough that the
# ink's longer side reaches about 800 px, and only the ink is kept. Its SVG
# export was not used: that would put Qt SVG's drawing on both sides of the
# comparison, and Qt SVG lacks features (clip paths) that export relies on.
#
# LibreOffice's drawings do not depend on the helper, so they are kept in
# build-compare/libreoffice/, one PNG per file content (SHA-256); delete the
# folder to draw them again.
set -euo pipefail

usage() {
  echo "usage: $0 [--pictures DIR] HELPER [FILES or FOLDERS...]" >&2
  exit 2
}

pictures=""
while [ $# -gt 0 ]; do
  case "$1" in
    --pictures) [ $# -ge 2 ] || usage; pictures=$(realpath -m "$2"); shift 2 ;;
    -h|--help) usage ;;
    --) shift; break ;;
    -*) usage ;;
    *) break ;;
  esac
done
[ $# -ge 1 ] || usage
helper=$(realpath "$1")
shift
[ -x "$helper" ] || { echo "$0: $helper is not an executable" >&2; exit 2; }
inputs=()
for arg in "$@"; do
  inputs+=("$(realpath "$arg")")
done

cd "$(dirname "$0")/.."
testdata=$(realpath tests/data/third_party)
if [ ${#inputs[@]} -eq 0 ]; then
  inputs=("$testdata/libemf2svg/samples" "$testdata"/pillow/*.[wWeE][mM][fF])
fi

started=$SECONDS

if ! dpkg-query -W -f='${Status}' libreoffice-draw-nogui 2>/dev/null | grep -q 'install ok installed'; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get install -y --no-install-recommends libreoffice-draw-nogui
fi

cmake -S . -B build-compare -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLUMARIN_COMPARE=ON -DLUMARIN_BUILD_TESTS=OFF >/dev/null
cmake --build build-compare -j 2 --target lumarin-metafile-compare >/dev/null
compare=$PWD/build-compare/tools/metafile-compare/lumarin-metafile-compare

cache=$PWD/build-compare/libreoffice
mkdir -p "$cache"
[ -z "$pictures" ] || mkdir -p "$pictures"
work=$(mktemp -d /tmp/lumarin-compare.XXXXXX)
trap 'rm -rf "$work"' EXIT

# The files, in the order given, folders sorted by name.
files=()
for input in "${inputs[@]}"; do
  if [ -d "$input" ]; then
    while IFS= read -r -d '' f; do files+=("$f"); done \
      < <(find "$input" -maxdepth 1 -type f \( -iname '*.wmf' -o -iname '*.emf' \) -print0 | sort -z)
  else
    files+=("$input")
  fi
done
[ ${#files[@]} -gt 0 ] || { echo "$0: no WMF or EMF files" >&2; exit 2; }

# The ink's longer side LibreOffice is asked to reach, and the largest
# enlargement asked for (a 12 × A4 page is 130 M pixels, about 1 GiB).
ink_side=800
max_scale=12
reference_of() { echo "$cache/$1-ink$ink_side.png"; }
unmeasured_of() { echo "$cache/$1-ink$ink_side.failed"; }

# soffice OUTDIR [FILTER-OPTIONS] FILES...; a private profile, so it runs as
# root and beside any other LibreOffice.
soffice_png() {
  local outdir=$1 options=$2
  shift 2
  timeout 600 soffice -env:UserInstallation="file://$work/profile" --headless \
    --convert-to "png${options:+:draw_png_Export:$options}" --outdir "$outdir" "$@" \
    >>"$work/soffice.log" 2>&1 || true
}

# LibreOffice's drawings of the files not yet in the cache: all of them once
# as is, then again grouped by the enlargement they need.
declare -A hash_of ext_of
mkdir -p "$work/first"
missing=0
for f in "${files[@]}"; do
  hash=$(sha256sum "$f" | cut -d' ' -f1)
  ext=${f##*.}
  hash_of[$f]=$hash
  ext_of[$f]=${ext,,}
  if [ ! -e "$(reference_of "$hash")" ] && [ ! -e "$(unmeasured_of "$hash")" ] \
     && [ ! -e "$work/first/$hash.${ext,,}" ]; then
    cp "$f" "$work/first/$hash.${ext,,}"
    missing=$((missing + 1))
  fi
done
if [ $missing -gt 0 ]; then
  echo "Drawing $missing file(s) with LibreOffice (kept in $cache)..." >&2
  soffice_png "$work/first" "" "$work/first"/*.[ew]mf
  declare -A groups
  for source in "$work/first"/*.[ew]mf; do
    name=$(basename "$source")
    hash=${name%.*}
    if [ ! -s "$work/first/$hash.png" ]; then
      touch "$(unmeasured_of "$hash")"
      continue
    fi
    if ! sizes=$("$compare" --crop "$work/first/$hash.png" "$work/first/$hash-ink.png"); then
      touch "$(unmeasured_of "$hash")"
      continue
    fi
    read -r ink_w ink_h page_w page_h <<<"$sizes"
    longer=$((ink_w > ink_h ? ink_w : ink_h))
    scale=1
    [ "$longer" -eq 0 ] || scale=$(((ink_side + longer - 1) / longer))
    [ "$scale" -le "$max_scale" ] || scale=$max_scale
    if [ "$scale" -le 1 ]; then
      mv "$work/first/$hash-ink.png" "$(reference_of "$hash")"
    else
      groups["$((page_w * scale)) $((page_h * scale))"]+=" $name"
    fi
  done
  for size in "${!groups[@]}"; do
    read -r width height <<<"$size"
    dir=$work/large-$width
    mkdir -p "$dir"
    sources=()
    for name in ${groups[$size]}; do sources+=("$work/first/$name"); done
    soffice_png "$dir" "{\"PixelWidth\":{\"type\":\"long\",\"value\":\"$width\"},\"PixelHeight\":{\"type\":\"long\",\"value\":\"$height\"}}" "${sources[@]}"
    for name in ${groups[$size]}; do
      hash=${name%.*}
      if [ -s "$dir/$hash.png" ] && "$compare" --crop "$dir/$hash.png" "$dir/$hash-ink.png" >/dev/null; then
        mv "$dir/$hash-ink.png" "$(reference_of "$hash")"
      else
        touch "$(unmeasured_of "$hash")"
      fi
      rm -f "$dir/$hash.png"
    done
  done
fi

# Our drawings, compared.
group_of() {
  local dir
  dir=$(dirname "$1")
  case "$dir" in
    "$testdata"/*) echo "${dir#"$testdata"/}" ;;
    *) basename "$dir" ;;
  esac
}
classes=(agree close differ blank failed unmeasured)
declare -A count
groups_seen=()
for f in "${files[@]}"; do
  group=$(group_of "$f")
  name=$group/$(basename "$f")
  [[ " ${groups_seen[*]} " == *" $group "* ]] || groups_seen+=("$group")
  hash=${hash_of[$f]}
  reference=$(reference_of "$hash")
  svg=$work/ours.svg
  share=""
  label=""
  if ! timeout 20 "$helper" "${ext_of[$f]}" <"$f" >"$svg" 2>/dev/null; then
    class=failed
  elif [ ! -e "$reference" ]; then
    class=unmeasured
  else
    sheet=""
    [ -z "$pictures" ] || sheet=$pictures/${name//\//_}.png
    if ! result=$("$compare" "$svg" "$reference" ${sheet:+"$sheet"}); then
      class=failed
    else
      case "$result" in
        "blank: ours") class=blank; label="blank (ours)" ;;
        "blank: reference") class=blank; label="blank (libreoffice)" ;;
        "blank: both") class=blank; label="blank (both)" ;;
        *)
          share=$result
          percent=${result%\%}
          if awk -v p="$percent" 'BEGIN { exit !(p < 5) }'; then class=agree
          elif awk -v p="$percent" 'BEGIN { exit !(p < 15) }'; then class=close
          else class=differ
          fi ;;
      esac
    fi
  fi
  printf '%-36s %8s  %s\n' "$name" "$share" "${label:-$class}"
  count[$group.$class]=$((${count[$group.$class]:-0} + 1))
done

echo
printf '%-16s' folder
for c in "${classes[@]}" total; do printf ' %10s' "$c"; done
echo
for group in "${groups_seen[@]}"; do
  printf '%-16s' "$group"
  total=0
  for c in "${classes[@]}"; do
    n=${count[$group.$c]:-0}
    total=$((total + n))
    printf ' %10s' "$n"
  done
  printf ' %10s\n' "$total"
done
echo
echo "${#files[@]} file(s) in $((SECONDS - started)) s${pictures:+; pictures in $pictures}"
