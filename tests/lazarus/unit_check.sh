#!/bin/sh
# Writes a definition's units for the Lazarus target with kestrix-cli (the component unit and
# its property editor units) and compiles them with Free Pascal against the LCL and IDEIntf,
# with no compatibility unit:
#
#   unit_check.sh CLI DEFINITION.cd OUT -- FPC FPC-ARGUMENTS...
set -u
cli=$1 definition=$2 out=$3
shift 4
rm -rf "$out" && mkdir -p "$out/units" || exit 1
settings="$out/Kestrix.ini"
unit=$("$cli" --settings "$settings" unit "$definition" --target lazarus -o "$out") || exit 1
for editors in $("$cli" --settings "$settings" show "$definition" | sed -n 's/^ *EditorUnit: \([A-Za-z0-9_][A-Za-z0-9_]*\)$/\1/p' | sort -u); do
  "$cli" --settings "$settings" --yes editors "$definition" --unit "$editors" --target lazarus \
    -o "$out" >/dev/null || exit 1
done
"$@" -FU"$out/units" "$unit" >"$out/build.log" 2>&1 || { grep -E "Error|Fatal" "$out/build.log"; exit 1; }
echo "compiled $unit"
