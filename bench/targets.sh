#!/usr/bin/env bash
# zarn-find against ripgrep on one thread (-j1) and on its default threads, in wall time and in processor
# time (user + system), on the searches a daily tool is judged by: the corpus tree, the headers of
# /usr/include (a common word), and the rare word in the big file, also while the other cores are busy (a
# niced `yes` per core but one). One hyperfine call per case; output through a pipe; medians for wall
# time, means for processor time (hyperfine reports no median of those).
set -euo pipefail
# shellcheck source=bench/lib.sh
source "$(dirname "$0")/lib.sh"
mkdir -p "$results"

rare=$(kx_manifest "$big_manifest" rare_word)
tree_rare=$(kx_manifest "$tree_manifest" rare_word)
[[ -n $rare && -n $tree_rare ]] || kx_fail "no corpus manifest in $kx_dir; run bench/corpus.sh first"
zf=$(printf '%q' "$zarn_find")
big=$(printf '%q' "$big_file")
tree=$(printf '%q' "$tree_dir")
include=/usr/include
include_word=struct

# target_case NAME TITLE ZARN-FIND-COMMAND RG-J1-COMMAND [RG-COMMAND]
target_case() {
  local name=$1 title=$2
  shift 2
  local tools=(zarn-find rg-j1 rg) commands=("$@") timed=() i
  kx_say "$title"
  printf '%s\n' "$title" > "$results/target-$name.title"
  for i in "${!commands[@]}"; do
    printf '  %-9s $ %s\n' "${tools[i]}" "${commands[i]}"
    timed+=(--command-name "${tools[i]}" "${commands[i]} | cat > /dev/null")
  done
  hyperfine --shell=bash --style basic --warmup "$kx_warmup" --runs "$kx_runs" \
    --export-json "$results/target-$name.json" "${timed[@]}"
}

# Busy cores for the length of a command: one niced `yes` for every processor but one.
with_busy_cores() {
  local busy=() n
  for ((n = 1; n < $(nproc); n++)); do
    nice -n 19 yes > /dev/null &
    busy+=($!)
  done
  "$@" || true
  kill "${busy[@]}" 2>/dev/null || true
  wait "${busy[@]}" 2>/dev/null || true
}

target_case tree "rare literal, tree of $(kx_manifest "$tree_manifest" files) files" \
  "$zf -c -s $tree '*.*' $tree_rare" "rg -F -n -j1 $tree_rare $tree" "rg -F -n $tree_rare $tree"
if [ -d "$include" ]; then
  target_case include "common word '$include_word' in $include/**/*.h" \
    "$zf -c -s $include '*.h' $include_word" "rg -F -n -j1 -g '*.h' $include_word $include" \
    "rg -F -n -g '*.h' $include_word $include"
fi
target_case big "rare literal, $(kx_size "$kx_big_bytes") file" \
  "$zf -c $big '*.*' $rare" "rg -F -n -j1 $rare $big"
with_busy_cores target_case big-busy "rare literal, $(kx_size "$kx_big_bytes") file, other cores busy" \
  "$zf -c $big '*.*' $rare" "rg -F -n -j1 $rare $big"

# The table: wall-time medians and processor-time means, with the ratios zarn-find / ripgrep.
median() { jq -r --arg tool "$2" '.results[] | select(.command == $tool) | .median // empty' "$1"; }
cpu() { jq -r --arg tool "$2" '.results[] | select(.command == $tool) | .user + .system' "$1"; }
ms() { [ -n "$1" ] && awk -v s="$1" 'BEGIN { printf "%.0f ms", s * 1000 }' || echo -; }
ratio() { [[ -n $1 && -n $2 ]] && awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }' || echo -; }
kx_say "targets: wall-time medians, processor-time means (user + system), ratios zarn-find / ripgrep"
printf '%-48s %9s %9s %9s %7s %7s   %9s %9s %7s\n' case zarn-find rg-j1 rg /rg-j1 /rg \
  'cpu zarn' 'cpu rg-j1' '/rg-j1'
for name in tree include big big-busy; do
  json=$results/target-$name.json
  [ -f "$json" ] || continue
  zarn=$(median "$json" zarn-find) one=$(median "$json" rg-j1) all=$(median "$json" rg)
  zarn_cpu=$(cpu "$json" zarn-find) one_cpu=$(cpu "$json" rg-j1)
  printf '%-48s %9s %9s %9s %7s %7s   %9s %9s %7s\n' "$(cat "$results/target-$name.title")" \
    "$(ms "$zarn")" "$(ms "$one")" "$(ms "$all")" "$(ratio "$zarn" "$one")" "$(ratio "$zarn" "$all")" \
    "$(ms "$zarn_cpu")" "$(ms "$one_cpu")" "$(ratio "$zarn_cpu" "$one_cpu")"
done
