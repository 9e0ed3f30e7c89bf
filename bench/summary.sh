#!/usr/bin/env bash
# Prints the table of the search benchmarks from the results that search-cases.sh and paced-walk.sh left:
# the median time of each tool per case, the ratios zarn-find/rg and zarn-find/grep of those medians
# (below 1: zarn-find was faster), and the lines each tool printed against the lines kx-corpus planted.
# Exits 1 when a tool printed a different number of lines.
set -euo pipefail
# shellcheck source=bench/lib.sh
source "$(dirname "$0")/lib.sh"

median() { jq -r --arg tool "$2" '.results[] | select(.command == $tool) | .median' "$1"; }
count() { sed -n "s/^$2 //p" "$1"; }
duration() { awk -v s="$1" 'BEGIN { if (s < 1) printf "%.1f ms", s * 1000; else printf "%.3f s", s }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

mismatch=0
runs=$(jq '.results[0].times | length' "$results/rare.json" 2>/dev/null || echo "?")
kx_say "summary: medians of $runs runs per command, ratios of the medians"
printf '%-56s %11s %11s %11s %8s %9s   %s\n' case zarn-find rg grep zarn/rg zarn/grep \
  'lines: zarn-find rg grep (planted)'
for name in rare common rare-i tree; do
  json=$results/$name.json counts=$results/$name.counts
  [[ -f $json && -f $counts ]] || continue
  zarn=$(median "$json" zarn-find) rg=$(median "$json" rg) grep=$(median "$json" grep)
  expected=$(count "$counts" expected)
  found="$(count "$counts" zarn-find) $(count "$counts" rg) $(count "$counts" grep)"
  verdict=ok
  [ "$found" = "$expected $expected $expected" ] || { verdict=MISMATCH; mismatch=1; }
  printf '%-56s %11s %11s %11s %8s %9s   %s (%s) %s\n' "$(cat "$results/$name.title")" \
    "$(duration "$zarn")" "$(duration "$rg")" "$(duration "$grep")" "$(ratio "$zarn" "$rg")" \
    "$(ratio "$zarn" "$grep")" "$found" "$expected" "$verdict"
done

paced=$results/tree-paced.txt
if [ -f "$paced" ]; then
  seconds=$(count "$paced" seconds) entries=$(count "$paced" entries)
  lines=$(count "$paced" lines) expected=$(count "$paced" expected)
  verdict=ok
  [ "$lines" = "$expected" ] || { verdict=MISMATCH; mismatch=1; }
  echo
  printf 'zarn-find --pace -p 4 on the tree, one run: %s, %s lines (%s) %s\n' "$(duration "$seconds")" \
    "$lines" "$expected" "$verdict"
  if [ -f "$results/tree.json" ]; then
    unpaced=$(median "$results/tree.json" zarn-find)
    awk -v p="$seconds" -v n="$unpaced" -v e="$entries" 'BEGIN {
      printf "  the pauses: %.1f s more than zarn-find without them, %.2f ms for each of %d files and folders\n",
             p - n, (p - n) * 1000 / e, e }'
  fi
fi
exit "$mismatch"
