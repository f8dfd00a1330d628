#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds the loader's fuzz target with clang, libFuzzer, ASan and UBSan in
# build-fuzz/, and runs it for SECONDS (default 600) seeded from the
# real-world test pictures. Findings are written to build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
./scripts/install-deps.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLUMARIN_FUZZ=ON -DLUMARIN_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz -j 2 --target lumarin-load-fuzzer lumarin-metafile
mkdir -p build-fuzz/corpus build-fuzz/findings
find ../shared/testdata tests/data -type f ! -name '*.md' ! -name '*.png' -exec cp -n {} build-fuzz/corpus/ \;
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
./build-fuzz/fuzz/lumarin-load-fuzzer build-fuzz/corpus -max_total_time="$seconds" -rss_limit_mb=4096 \
  -timeout=10 -max_len=1048576 -artifact_prefix=build-fuzz/findings/ -print_final_stats=1
