#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command with DISPLAY on a virtual X server of its own, stopped afterwards:
#
#   with_xvfb.sh COMMAND ARGUMENTS...
#
# The server chooses a free display itself and names it only once it accepts connections
# (-displayfd), so that checks running in parallel, and people's own servers, keep theirs and
# no program starts before the server is ready. Exits with 77 (CTest's skip) when Xvfb is not
# installed; otherwise with the command's status.
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
Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$work/display" >"$work/xvfb.log" 2>&1 &
server=$!
waited=0
while kill -0 "$server" 2>/dev/null && [ ! -s "$work/display" ] && [ $waited -lt 300 ]; do
  sleep 0.1
  waited=$((waited + 1))
done
display=$(cat "$work/display" 2>/dev/null)
if [ -z "$display" ]; then
  echo "with_xvfb.sh: Xvfb did not start"
  cat "$work/xvfb.log"
  exit 1
fi
DISPLAY=":$display" "$@"
