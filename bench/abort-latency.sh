#!/usr/bin/env bash
# How long CZarnCtrl::Abort takes to stop a search in the middle of the big file (kx-abort-latency).
set -euo pipefail
# shellcheck source=bench/lib.sh
source "$(dirname "$0")/lib.sh"
mkdir -p "$results"

[ -f "$big_manifest" ] || kx_fail "no corpus manifest in $kx_dir; run bench/corpus.sh first"
kx_say "stop latency: Abort during a search of $big_file, $kx_abort_runs stops"
"$kx_abort_latency" "$big_file" --runs "$kx_abort_runs" | tee "$results/abort-latency.txt" | sed 's/^/  /'
