#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Runs a command against an X server of its own, so that tests run side by
# side never share a display.
#
# Usage: with-x-server.sh [--openbox] SCREEN SECONDS COMMAND [ARG...]
#   --openbox  also run the openbox window manager, so windows get frames,
#              focus and a close box as on a user's desktop
#   SCREEN   the screen's geometry and depth, e.g. 1280x1024x24
#   SECONDS  how long the command may run before it and all it started are
#            stopped (keep it below the test's own timeout)
#
# The server picks a free display number itself and reports it once it
# listens (-displayfd): two servers started at once cannot pick the same one,
# as they can with xvfb-run -a. Nothing started here outlives the run: the
# command runs in a process group of its own, which is ended together with
# the server when the command returns, times out, or this script is stopped;
# a watchdog does the same if this script is killed outright.
set -euo pipefail

window_manager=false
if [ "${1:-}" = "--openbox" ]; then
  window_manager=true
  shift
fi
if [ $# -lt 3 ]; then
  echo "usage: $0 [--openbox] SCREEN SECONDS COMMAND [ARG...]" >&2
  exit 2
fi
screen=$1
seconds=$2
shift 2

work=$(mktemp -d)
server=""
group=""
watchdog=""

stop_all() {
  trap - EXIT TERM INT HUP
  if [ -n "$watchdog" ]; then kill "$watchdog" 2>/dev/null || true; fi
  if [ -n "$group" ]; then
    kill -TERM -- "-$group" 2>/dev/null || true
    for _ in $(seq 20); do
      kill -0 -- "-$group" 2>/dev/null || break
      sleep 0.1
    done
    kill -KILL -- "-$group" 2>/dev/null || true
  fi
  if [ -n "$server" ]; then
    kill -TERM "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap stop_all EXIT
trap 'exit 143' TERM INT HUP

mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset \
  3>"$work/display" >"$work/server.log" 2>&1 </dev/null &
server=$!
number=""
if ! read -r -t 30 number <"$work/display" || [ -z "$number" ]; then
  echo "with-x-server: the X server did not start:" >&2
  cat "$work/server.log" >&2
  exit 1
fi
export DISPLAY=":$number"

if $window_manager; then
  # Openbox runs its start-up command once it manages windows; a window
  # mapped before then may never be shown. It ends with the server.
  openbox --sm-disable --startup "touch $work/managing" >/dev/null 2>&1 </dev/null &
  for _ in $(seq 100); do
    [ -e "$work/managing" ] && break
    sleep 0.05
  done
fi

# timeout(1) makes itself the leader of a new process group, so the group
# holds the command and everything it starts.
timeout --kill-after=5 "$seconds" "$@" &
group=$!

# If this script is killed without a chance to clean up (SIGKILL from a
# test runner's own timeout), the watchdog ends what it left behind.
(
  exec </dev/null >/dev/null 2>&1
  while kill -0 $$ 2>/dev/null; do sleep 1; done
  kill -KILL -- "-$group" "$server" 2>/dev/null || true
) &
watchdog=$!

status=0
wait "$group" || status=$?
if [ "$status" -eq 124 ]; then
  echo "with-x-server: stopped after $seconds s: $*" >&2
fi
exit "$status"
