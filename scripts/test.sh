#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds Lumarin and runs every test: unit and widget tests offscreen, the
# end-to-end tests against the real binary under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
# Any warning fails the build here, as it does in CI.
./scripts/build.sh -DLUMARIN_WERROR=ON
cd build
ctest --output-on-failure -j 2 "$@"
