#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds Lumarin and runs its benchmark; prints one table of figures and
# ratios. The pictures it needs are made once, in build/bench-data.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh -DLUMARIN_BENCH=ON
./build/bench/lumarin-bench build/bench-data
