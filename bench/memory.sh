#!/usr/bin/env bash
# The peak resident size of zarn-find while it finds the common word in the big file (one finding in ten
# lines, all kept by the control) and writes them all with --tsv, next to the size of that file. The goal is
# a peak below the size of the file. For scale, also the peak of the rare-literal search (few findings).
set -euo pipefail
# shellcheck source=bench/lib.sh
source "$(dirname "$0")/lib.sh"
mkdir -p "$results"

rare=$(kx_manifest "$big_manifest" rare_word)
common=$(kx_manifest "$big_manifest" common_word)
[ -n "$rare" ] || kx_fail "no corpus manifest in $kx_dir; run bench/corpus.sh first"
tsv=$kx_dir/findings.tsv
trap 'rm -f "$tsv" "$results/rss.kib"' EXIT

peak_kib() {
  "$kx_peak_rss" "$results/rss.kib" "$@" > /dev/null
  cat "$results/rss.kib"
}

kx_say "memory: peak resident size of zarn-find"
echo "  \$ $zarn_find -c --tsv $tsv $big_file '*.*' $common"
tsv_peak=$(peak_kib "$zarn_find" -c --tsv "$tsv" "$big_file" '*.*' "$common")
tsv_bytes=$(stat -c %s "$tsv")
findings=$(( $(wc -l < "$tsv") - 1 ))
rare_peak=$(peak_kib "$zarn_find" -c "$big_file" '*.*' "$rare")

{
  printf '%-44s %s\n' "common word, --tsv ($findings findings):" "peak RSS $(kx_mib $(( tsv_peak * 1024 )))"
  printf '%-44s %s\n' "size of the --tsv file:" "$(kx_mib "$tsv_bytes")"
  awk -v p="$(( tsv_peak * 1024 ))" -v t="$tsv_bytes" 'BEGIN {
    verdict = p < t ? "below the file: ok" : "NOT below the file"
    printf "%-44s %.2f (%s)\n", "peak RSS / --tsv size:", p / t, verdict }'
  printf '%-44s %s\n' "rare literal (for scale):" "peak RSS $(kx_mib $(( rare_peak * 1024 )))"
} | tee "$results/memory.txt" | sed 's/^/  /'
