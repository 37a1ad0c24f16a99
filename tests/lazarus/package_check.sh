#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes a component's Lazarus packages with kestrix-cli and builds both with lazbuild, the
# run-time one first (-d: the installed LCL's packages stay as they are):
#
#   package_check.sh CLI DEFINITION.cd OUT LAZBUILD LAZARUS-DIR [--icon IMAGE]
set -u
cli=$1 definition=$2 out=$3 lazbuild=$4 lazarus=$5
shift 5
rm -rf "$out" && mkdir -p "$out" || exit 1
design=$("$cli" --settings "$out/Kestrix.ini" package "$definition" -o "$out" "$@") || exit 1
for package in "$out"/runtime/*_rt.lpk "$design"; do
  "$lazbuild" -q -d --pcp="$out/config" --lazarusdir="$lazarus" --ws=nogui "$package" \
    >"$out/lazbuild.log" 2>&1 || { grep -E "Error|Fatal" "$out/lazbuild.log"; exit 1; }
  echo "built $package"
done
