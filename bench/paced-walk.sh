#!/usr/bin/env bash
# Runs zarn-find with the control's own pace (--pace: the pause after every folder entry that
# ThreadPriority asks for, at -p 4: 1 ms) once on the tree, to show what the pauses cost next to the tree
# case of search-cases.sh, where zarn-find walks without them. One run is enough: the pauses dominate.
set -euo pipefail
# shellcheck source=bench/lib.sh
source "$(dirname "$0")/lib.sh"
mkdir -p "$results"

rare=$(kx_manifest "$tree_manifest" rare_word)
[ -n "$rare" ] || kx_fail "no tree manifest in $kx_dir; run bench/corpus.sh first"
kx_say "rare literal, tree, zarn-find --pace -p 4 (with the pauses), one run"
echo "  \$ $zarn_find --pace -c -s -p 4 $tree_dir '*.*' $rare"
start=$EPOCHREALTIME
lines=$( ("$zarn_find" --pace -c -s -p 4 "$tree_dir" '*.*' "$rare" || true) | wc -l)
end=$EPOCHREALTIME
seconds=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }')
entries=$(( $(kx_manifest "$tree_manifest" files) + $(kx_manifest "$tree_manifest" folders) ))
printf 'seconds %s\nlines %s\nexpected %s\nentries %s\n' "$seconds" "$lines" \
  "$(kx_manifest "$tree_manifest" rare_lines)" "$entries" > "$results/tree-paced.txt"
echo "  $seconds s, $lines lines, $entries files and folders"
