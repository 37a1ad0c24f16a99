#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes a definition's units for the Lazarus target with kestrix-cli (the component unit and
# its property editor units) and compiles them with Free Pascal against the LCL and IDEIntf,
# with no compatibility unit:
#
#   unit_check.sh CLI DEFINITION.cd OUT [--stand-ins DIR] -- FPC FPC-ARGUMENTS...
#
# With --stand-ins, the property editor units come from DIR instead.
set -u
cli=$1 definition=$2 out=$3 stand_ins=""
shift 3
[ "$1" = --stand-ins ] && { stand_ins=$2; shift 2; }
shift
rm -rf "$out" && mkdir -p "$out/units" || exit 1
settings="$out/Kestrix.ini"
unit=$("$cli" --settings "$settings" unit "$definition" --target lazarus -o "$out") || exit 1
editor_units() {
  [ -n "$stand_ins" ] || "$cli" --settings "$settings" show "$definition" |
    sed -n 's/^ *EditorUnit: \([A-Za-z0-9_][A-Za-z0-9_]*\)$/\1/p' | sort -u
}
for editors in $(editor_units); do
  "$cli" --settings "$settings" --yes editors "$definition" --unit "$editors" --target lazarus \
    -o "$out" >/dev/null || exit 1
done
"$@" ${stand_ins:+-Fu"$stand_ins"} -FU"$out/units" "$unit" >"$out/build.log" 2>&1 || {
  grep -E "Error|Fatal" "$out/build.log"; exit 1; }
echo "compiled $unit"
