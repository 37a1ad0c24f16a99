#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Compiles one Pascal unit with Free Pascal for a CTest check and decides the
# result.
#
#   fpc_check.sh --fpc FPC --out DIR --source FILE [--search DIR]...
#                [--expect REGEX]... -- FPC-ARGUMENTS...
#
# DIR is emptied first and receives everything the compiler writes, so checks
# running in parallel never share an output directory and a stale .ppu can
# never stand in for a unit that no longer compiles.  Every error is printed
# together with the source line it points at (looked up beside FILE and in the
# --search directories).
#
# Without --expect the check passes when the unit compiles.  With --expect
# the unit is known not to compile (a Delphi unit or member the LCL lacks):
# the check passes only when compilation fails, every error matches one of
# the expressions (matched against "message | source line"), and every
# expression still matches some error, so that a new error and a gap the LCL
# has since closed both show up as failures.
set -u

fpc=""
out=""
source=""
search=""
expects=""
nl='
'
while [ $# -gt 0 ]; do
  case "$1" in
    --fpc) fpc=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    --source) source=$2; shift 2 ;;
    --search) search="$search$2$nl"; shift 2 ;;
    --expect) expects="$expects$2$nl"; shift 2 ;;
    --) shift; break ;;
    *) echo "fpc_check.sh: unknown argument $1" >&2; exit 2 ;;
  esac
done
if [ -z "$fpc" ] || [ -z "$out" ] || [ -z "$source" ]; then
  echo "fpc_check.sh: --fpc, --out and --source are required" >&2
  exit 2
fi
if [ ! -f "$source" ]; then
  echo "Pascal check: source file $source does not exist" >&2
  exit 1
fi

rm -rf "$out" && mkdir -p "$out" || exit 1
search="$(dirname "$source")$nl$search"

echo "$fpc $* $source"
log="$out/fpc.log"
(cd "$out" && "$fpc" "$@" "$source") >"$log" 2>&1
rc=$?

# Errors the compiler reports, one per line, with the offending source line
# appended; the driver's own closing lines say nothing about the unit.
errors="$out/errors.txt"
: >"$errors"
grep -E '(Error|Fatal): ' "$log" |
  grep -v -E 'Fatal: (Compilation aborted|There were [0-9]+ errors? compiling module)' |
  grep -v -E 'Error: .* returned an error exitcode' |
  while IFS= read -r line; do
    text=""
    loc=$(printf '%s\n' "$line" | sed -n 's/^\([^(]*\)(\([0-9][0-9]*\)[,)].*/\1 \2/p')
    if [ -n "$loc" ]; then
      file=${loc% *}
      num=${loc##* }
      printf '%s' "$search" | while IFS= read -r dir; do
        if [ -n "$dir" ] && [ -f "$dir/$(basename "$file")" ]; then
          sed -n "${num}p" "$dir/$(basename "$file")" | tr -d '\r'
          break
        fi
      done >"$out/srcline.txt"
      text=$(sed 's/^ *//' "$out/srcline.txt")
    fi
    printf '%s | %s\n' "$line" "$text"
  done >"$errors"

cat "$log"
if [ -s "$errors" ]; then
  echo "--- errors with their source lines"
  cat "$errors"
fi

if [ -z "$expects" ]; then
  if [ $rc -ne 0 ]; then
    echo "FAILED: $(basename "$source") does not compile (fpc exit status $rc)"
    exit 1
  fi
  exit 0
fi

if [ $rc -eq 0 ]; then
  echo "FAILED: $(basename "$source") compiles, but these errors were expected:"
  printf '%s' "$expects" | sed 's/^/  /'
  exit 1
fi
if [ ! -s "$errors" ]; then
  echo "FAILED: fpc exit status $rc without a reported error"
  exit 1
fi
status=0
while IFS= read -r err; do
  hit=""
  while IFS= read -r re; do
    if [ -n "$re" ] && printf '%s\n' "$err" | grep -q -E -e "$re"; then
      hit=yes
      break
    fi
  done <<EOF
$expects
EOF
  if [ -z "$hit" ]; then
    echo "FAILED: unexpected error: $err"
    status=1
  fi
done <"$errors"
while IFS= read -r re; do
  if [ -n "$re" ] && ! grep -q -E -e "$re" "$errors"; then
    echo "FAILED: expected error no longer occurs: $re"
    status=1
  fi
done <<EOF
$expects
EOF
if [ $status -eq 0 ]; then
  echo "OK: $(basename "$source") fails only with the expected errors"
fi
exit $status
