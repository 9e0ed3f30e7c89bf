#!/usr/bin/env bash
# The desktop program against generated findings, offscreen (kx-desktop-bench), for each count in
# KX_BENCH_DESKTOP_FINDINGS (default "200000 1000000"): how soon the findings reach the grid after the
# scan and the time per thousand findings against the first count, the longest pass of the event loop,
# the memory of the store and the grid against the report, scrolling and selecting at the end of the grid;
# then the hit viewer with lines of megabytes: the longest pass of the event loop on a double click and on
# maximising the window.
set -euo pipefail
# shellcheck source=bench/lib.sh
source "$(dirname "$0")/lib.sh"
mkdir -p "$results"

read -r -a counts <<< "${KX_BENCH_DESKTOP_FINDINGS:-200000 1000000}"
: > "$results/desktop.txt"
first=""
for count in "${counts[@]}"; do
  kx_say "desktop program: $count findings into the results grid (offscreen)"
  QT_QPA_PLATFORM=offscreen "$kx_desktop_bench" "$count" --no-viewer 2>/dev/null | tee -a "$results/desktop.txt" |
    sed 's/^/  /'
  per=$(tail -n 5 "$results/desktop.txt" | sed -n 's/^show all at end: .*, \([0-9.]*\) ms per 1000 findings .*/\1/p')
  [ -n "$first" ] || first=$per
  ratio=$(awk -v a="$per" -v b="$first" 'BEGIN { printf "%.2f", a / b }')
  echo "time per finding at $count findings / at ${counts[0]}: $ratio" | tee -a "$results/desktop.txt" | sed 's/^/  /'
done
kx_say "desktop program: the hit viewer with lines of megabytes (offscreen)"
QT_QPA_PLATFORM=offscreen "$kx_desktop_bench" --viewer 2>/dev/null | tee -a "$results/desktop.txt" | sed 's/^/  /'
