#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Installs every Debian 12 package that building, running and testing Lumarin
# needs. Safe to run again: when everything is present it only checks.
set -euo pipefail

packages=(
  # toolchain
  cmake ninja-build g++ pkg-config
  # Qt 6 widgets, SVG drawing, the platform's own translations (Yes/No labels)
  qt6-base-dev qt6-svg-dev qt6-translations-l10n libgl-dev libxkbcommon-dev
  # the keyboard's layouts, read from the X server to match keys as letters
  libxkbcommon-x11-dev
  # the face the metafile helper draws symbol fonts' characters in
  fonts-symbola
  # JPEG decoding at any DCT scale, a few rows at a time
  libjpeg62-turbo-dev
  # tests
  libgtest-dev
  # end-to-end tests: a real X server, input, screenshots, fonts with Cyrillic
  xvfb xdotool x11-utils x11-xkb-utils x11-apps imagemagick libxcb-xkb-dev
  fonts-dejavu-core openbox
  # the slow-disk scenario: a file system whose reads wait
  fuse3 libfuse3-dev
  # packaging: .deb dependencies, desktop entry and metainfo checks
  dpkg-dev file desktop-file-utils appstream lintian
  # the fuzz target: clang with libFuzzer and the sanitizers
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
