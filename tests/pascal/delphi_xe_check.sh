#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks what kestrix-cli writes for today's Delphi with Free Pascal: every
# unit of "all --target delphi-xe" (component, registration and property
# editor units) is compiled in Delphi mode after its uses clauses lose their
# unit scopes ("Vcl.Forms" becomes "Forms"), the one step between the output
# and what Free Pascal and the LCL call these units, and Winapi.Windows
# becomes WinTypes, WinProcs.
#
#   delphi_xe_check.sh (--cli KESTRIX-CLI --definition FILE.cd | --source UNIT.pas) --out DIR
#                      --driver FPC_CHECK.SH --fpc FPC [--units DIR]...
#                      [--expect-in UNIT --expect REGEX...] -- FPC-ARGUMENTS...
#
# --source checks one unit written before (a golden file) instead.
# --units are the folders of units the definition names beside the generated
# ones (hand-written property editors), in today's Delphi's spelling too.
# --expect passes to the check (fpc_check.sh) of the unit --expect-in names
# (its file name without .pas; default the component unit's); the
# registration unit uses every other unit, so it is not compiled then.
set -u

cli=""
definition=""
source=""
out=""
driver=""
fpc=""
units=""
expects=""
expect_in=""
nl='
'
while [ $# -gt 0 ]; do
  case "$1" in
    --cli) cli=$2; shift 2 ;;
    --definition) definition=$2; shift 2 ;;
    --source) source=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    --driver) driver=$2; shift 2 ;;
    --fpc) fpc=$2; shift 2 ;;
    --units) units="$units$2$nl"; shift 2 ;;
    --expect) expects="$expects$2$nl"; shift 2 ;;
    --expect-in) expect_in=$2; shift 2 ;;
    --) shift; break ;;
    *) echo "delphi_xe_check.sh: unknown argument $1" >&2; exit 2 ;;
  esac
done
if { [ -z "$definition" ] && [ -z "$source" ]; } || [ -z "$out" ] || [ -z "$driver" ] ||
   [ -z "$fpc" ]; then
  echo "delphi_xe_check.sh: --definition (with --cli) or --source, --out, --driver and --fpc" \
       "are required" >&2
  exit 2
fi

rm -rf "$out" && mkdir -p "$out/generated" "$out/units" || exit 1
if [ -n "$definition" ]; then
  # "all" fails for an editor that needs a form to edit in, and writes the rest.
  if ! "$cli" --settings "$out/Kestrix.ini" --quiet all "$definition" -o "$out/generated" \
         --target delphi-xe; then
    echo "note: kestrix-cli all failed; checking the units it wrote"
  fi
else
  cp "$source" "$out/generated/" || exit 1
fi
if ! ls "$out/generated"/*.pas >/dev/null 2>&1; then
  echo "FAILED: no unit written"
  exit 1
fi

# The scopes in front of a unit name, in the lines of a uses clause (from
# "uses" to the first ";"). Windows, which only Windows has, becomes the two
# halves Delphi 1 had, which compat/pascal declares.
unscope() {
  sed -E -e '/^uses( |$)/,/;/ s/(^|[ ,])Winapi\.Windows([,;])/\1WinTypes, WinProcs\2/g' \
    -e '/^uses( |$)/,/;/ s/(^|[ ,])(Winapi|System|Vcl|Data|Bde|Web)\.(Win\.)?([A-Za-z_])/\1\4/g' \
    "$1" >"$2"
}
for file in "$out/generated"/*.pas; do
  unscope "$file" "$out/units/$(basename "$file")"
done
printf '%s' "$units" | while IFS= read -r dir; do
  [ -n "$dir" ] || continue
  for file in "$dir"/*.pas; do
    [ -f "$file" ] && unscope "$file" "$out/units/$(basename "$file")"
  done
done

if grep -q -i -w -E 'WinTypes|WinProcs|DsgnIntf' "$out/generated"/*.pas; then
  echo "FAILED: a Delphi 1-3 unit name in the output:"
  grep -n -i -w -E 'WinTypes|WinProcs|DsgnIntf' "$out/generated"/*.pas
  exit 1
fi

status=0
if [ -z "$expect_in" ]; then
  # The component unit: the registration unit's name without "reg".
  for file in "$out/generated"/*reg.pas; do
    expect_in=$(basename "$file" reg.pas)
  done
fi
for file in "$out/units"/*.pas; do
  name=$(basename "$file" .pas)
  # Only what was generated is checked here; the units beside it are compiled as they are used.
  [ -f "$out/generated/$name.pas" ] || continue
  expect_args=""
  case "$name" in
    *reg)
      if [ -n "$expects" ]; then
        echo "skipped: $name.pas uses a unit that is expected not to compile"
        continue
      fi
      ;;
  esac
  if [ -n "$expects" ] && [ "$name" = "$expect_in" ]; then
    printf '%s' "$expects" > "$out/expects.txt"
    while IFS= read -r re; do
      [ -n "$re" ] && expect_args="$expect_args${nl}--expect${nl}$re"
    done <"$out/expects.txt"
  fi
  # Word splitting on new lines only, so that an expression keeps its blanks.
  old_ifs=$IFS
  IFS=$nl
  # shellcheck disable=SC2086
  sh "$driver" --fpc "$fpc" --out "$out/fpc/$name" --source "$file" $expect_args \
    -- "$@" "-Fu$out/units" "-FU$out/fpc/$name" || status=1
  IFS=$old_ifs
done
exit $status
