#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds a fuzz target with clang, libFuzzer, ASan and UBSan in build-fuzz/,
# and runs it for SECONDS (default 600) seeded from the real-world test
# pictures. TARGET is "load" (the whole loading path, the default) or
# "metafile" (the metafile renderer alone). Findings are written to
# build-fuzz/findings/.
#
# Usage: scripts/fuzz.sh [SECONDS] [TARGET]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
target=${2:-load}
case "$target" in
  load|metafile) ;;
  *) echo "usage: $0 [SECONDS] [load|metafile]" >&2; exit 2 ;;
esac
./scripts/install-deps.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLUMARIN_FUZZ=ON -DLUMARIN_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz -j 2 --target "lumarin-$target-fuzzer" lumarin-metafile
corpus=build-fuzz/corpus-$target
mkdir -p "$corpus" build-fuzz/findings
if [ "$target" = metafile ]; then
  find tests/data -type f \( -name '*.emf' -o -name '*.wmf' \) -exec cp -n {} "$corpus"/ \;
else
  find tests/data -type f ! -name '*.md' ! -name '*.png' -exec cp -n {} "$corpus"/ \;
fi
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export LSAN_OPTIONS=suppressions=$PWD/fuzz/leaks.supp
"./build-fuzz/fuzz/lumarin-$target-fuzzer" "$corpus" -max_total_time="$seconds" -rss_limit_mb=4096 \
  -timeout=10 -max_len=1048576 -artifact_prefix=build-fuzz/findings/ -print_final_stats=1
