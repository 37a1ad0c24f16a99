#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes a component's smoke test with kestrix-cli, compiles it with Free Pascal against the
# LCL with heaptrc, runs it and decides the result.
#
#   smoke_check.sh CLI DEFINITION.cd OUT EXPECT LCL-UNITS -- FPC FPC-ARGUMENTS...
#
# LCL-UNITS is the folder of the LCL's compiled units: a program that says it needs windows
# and timers is built with its gtk2 widget set and runs on a virtual X server (with_xvfb.sh),
# any other with nogui. EXPECT is "pass" (exit status 0, no FAIL line), "compiles" (not
# run), or the text a FAIL line must hold (exit status 1). A run must leave a heap report of
# 0 unfreed blocks.
set -u
cli=$1 definition=$2 out=$3 expect=$4 lcl=$5
shift 6
here=$(dirname "$0")
rm -rf "$out" && mkdir -p "$out/units" || exit 1
program=$("$cli" --settings "$out/Kestrix.ini" smoke "$definition" -o "$out") || exit 1
widgets=nogui
run=""
if grep -q "Needs a widget set with windows" "$program"; then
  widgets=gtk2
  run="$here/with_xvfb.sh"
  if [ ! -d "$lcl/gtk2" ]; then
    echo "smoke_check.sh: the program needs windows, and the LCL's gtk2 widget set is not" \
         "in $lcl (install lcl-gtk2, scripts/setup does); skipped"
    exit 77
  fi
fi
echo "widget set: $widgets"
"$@" -Fu"$lcl/$widgets" -gh -FU"$out/units" -o"$out/smoke" "$program" >"$out/build.log" 2>&1 || {
  grep -E "Error|Fatal" "$out/build.log"; exit 1; }
[ "$expect" = compiles ] && exit 0
# heaptrc's report goes to a file: this Free Pascal writes none to standard error.
HEAPTRC="log=$out/heap.log" $run "$out/smoke" >"$out/run.log" 2>&1
status=$?
cat "$out/run.log"
[ $status -eq 77 ] && exit 77
grep "unfreed memory blocks" "$out/heap.log" 2>/dev/null
grep -q "^0 unfreed memory blocks" "$out/heap.log" 2>/dev/null || {
  echo "smoke_check.sh: the heap report does not show 0 unfreed memory blocks"; exit 1; }
if [ "$expect" = pass ]; then
  [ $status -eq 0 ] && ! grep -q "^FAIL" "$out/run.log" && grep -q "^All .* checks passed" "$out/run.log"
else
  [ $status -eq 1 ] && grep -F "FAIL $expect" "$out/run.log" >/dev/null
fi
