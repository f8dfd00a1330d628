#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds Lumarin and starts it in the current folder.
set -euo pipefail
here=$(pwd)
"$(dirname "$0")/build.sh"
cd "$here"
exec "$(dirname "$0")/../build/src/lumarin"
