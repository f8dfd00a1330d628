#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The viewer started with no display at all says so in one line and exits
# with status 1 (Qt alone would print a page and abort).
# Usage: no-display.sh LUMARIN
set -uo pipefail
output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1" 2>&1)
status=$?
printf '%s\n' "$output"
[ "$status" -eq 1 ] || { echo "FAIL: exit status $status, not 1" >&2; exit 1; }
[ "$(printf '%s\n' "$output" | wc -l)" -eq 1 ] || { echo "FAIL: more than one line" >&2; exit 1; }
