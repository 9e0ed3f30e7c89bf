#!/usr/bin/env bash
# The desktop program against 200,000 findings, offscreen (kx-desktop-bench): how soon the findings reach
# the grid after the scan, the longest pass of the event loop while they stream in, and the grid's memory;
# then the hit viewer with lines of megabytes: the longest pass of the event loop on a double click and on
# maximising the window.
set -euo pipefail
# shellcheck source=bench/lib.sh
source "$(dirname "$0")/lib.sh"
mkdir -p "$results"

kx_say "desktop program: 200,000 findings into the results grid (offscreen)"
QT_QPA_PLATFORM=offscreen "$kx_desktop_bench" 2>/dev/null | tee "$results/desktop.txt" | sed 's/^/  /'
