#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts components on Lazarus's palette the way a user does from the command line: writes each
# definition's packages with kestrix-cli, adds them to a copy of the Lazarus tree made for this
# run (the installed tree is never changed) and rebuilds the IDE with them. The IDE must link
# and list every design-time package among the packages it starts with.
#
#   ide_check.sh CLI LAZBUILD LAZARUS-ROOT WORK DEFINITION.cd...
set -eu
cli=$1 lazbuild=$2 root=$3 work=$4
shift 4
start=$(date +%s)
lazarus=$work/lazarus config=$work/config
rm -rf "$work" && mkdir -p "$lazarus"
# The root is often a link (/usr/lib/lazarus/default): copy what it holds, never the link, or
# the build would write into the installed tree. Links inside the tree are relative and stay.
cp -R "$root/." "$lazarus"
rm -f "$lazarus/lazarus"  # the installed IDE's binary: only the one built here may pass
designs=""
for definition in "$@"; do
  name=$(basename "$definition" .cd)
  design=$("$cli" --quiet --settings "$work/Kestrix.ini" package "$definition" -o "$work/$name")
  "$lazbuild" -q --pcp="$config" --lazarusdir="$lazarus" \
    --add-package-link="$(ls "$work/$name"/runtime/*_rt.lpk)" >"$work/$name.log" 2>&1 || {
    cat "$work/$name.log"; exit 1; }
  designs="$designs $design"
done
# shellcheck disable=SC2086 # one argument per package
"$lazbuild" --pcp="$config" --lazarusdir="$lazarus" --add-package $designs --build-ide= \
  >"$work/ide.log" 2>&1 || { grep -E "Error|Fatal" "$work/ide.log"; exit 1; }
[ -x "$lazarus/lazarus" ] || { echo "the IDE was not linked"; exit 1; }
for design in $designs; do
  package=$(basename "$design" .lpk)
  grep -qx "$package," "$config/staticpackages.inc" || {
    echo "$package is not among the IDE's packages"; exit 1; }
done
echo "IDE built with$designs in $(($(date +%s) - start)) s"
