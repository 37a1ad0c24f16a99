#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the IDE's interface packages once per test run, for the design-time packages to
# require, without writing into the installed Lazarus:
#
#   ideintf_setup.sh LAZBUILD LAZARUS-ROOT DIR
#
# DIR becomes a Lazarus directory of links to LAZARUS-ROOT, except for the packages lazbuild
# compiles here (BuildIntf and FreeType, which Debian ships as source only, and IDEIntf,
# which uses them): those are copies, so their units are written under DIR. Each is compiled without
# its dependencies (-d): lazbuild would otherwise rebuild the installed LCL's package units.
set -eu
lazbuild=$1 root=$2 dir=$3
mkdir -p "$dir/components"
for entry in "$root"/*; do
  [ "$(basename "$entry")" = components ] || ln -sfn "$entry" "$dir/$(basename "$entry")"
done
for entry in "$root"/components/*; do
  name=$(basename "$entry")
  case $name in
    buildintf|freetype|ideintf) [ -d "$dir/components/$name" ] || cp -R "$entry" "$dir/components/" ;;
    *) ln -sfn "$entry" "$dir/components/$name" ;;
  esac
done
start=$(date +%s)
# folder:package, in the order they use each other
for package in buildintf:buildintf freetype:freetypelaz ideintf:ideintf; do
  "$lazbuild" -q -d --pcp="$dir/config" --lazarusdir="$dir" --ws=nogui \
    "$dir/components/${package%%:*}/${package#*:}.lpk" >"$dir/${package#*:}.log" 2>&1 || {
    grep -E "Error|Fatal" "$dir/${package#*:}.log"; exit 1; }
done
echo "IDEIntf ready in $(($(date +%s) - start)) s"
