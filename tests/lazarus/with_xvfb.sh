#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command with DISPLAY on a virtual X server of its own, stopped afterwards:
#
#   with_xvfb.sh COMMAND ARGUMENTS...
#
# The server takes the first free display from a number that depends on the process, so that
# checks running in parallel, and people's own servers, keep theirs. Exits with 77 (CTest's
# skip) when Xvfb is not installed; otherwise with the command's status.
set -u
if ! command -v Xvfb >/dev/null 2>&1; then
  echo "with_xvfb.sh: Xvfb is not installed, so nothing that needs windows runs here" \
       "(install xvfb, scripts/setup does); skipped"
  exit 77
fi
work=$(mktemp -d) || exit 1
server=""
stop() {
  [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
  rm -rf "$work"
}
trap stop EXIT
trap 'exit 130' INT TERM
display=$((200 + $$ % 300))
tries=0
while :; do
  if [ ! -e "/tmp/.X$display-lock" ] && [ ! -e "/tmp/.X11-unix/X$display" ]; then
    Xvfb ":$display" -nolisten tcp -screen 0 1280x1024x24 >"$work/xvfb.log" 2>&1 &
    server=$!
    # Ready once its socket is there; gone when another server took the display first.
    waited=0
    while kill -0 "$server" 2>/dev/null && [ ! -S "/tmp/.X11-unix/X$display" ] &&
          [ $waited -lt 100 ]; do
      sleep 0.1
      waited=$((waited + 1))
    done
    if kill -0 "$server" 2>/dev/null && [ -S "/tmp/.X11-unix/X$display" ]; then
      break
    fi
    kill "$server" 2>/dev/null
    server=""
  fi
  tries=$((tries + 1))
  if [ $tries -ge 50 ]; then
    echo "with_xvfb.sh: Xvfb did not start on any of 50 displays from :$((display - 49))"
    cat "$work/xvfb.log" 2>/dev/null
    exit 1
  fi
  display=$((display + 1))
done
DISPLAY=":$display" "$@"
