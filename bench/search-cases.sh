#!/usr/bin/env bash
# Times zarn-find, ripgrep and GNU grep on the same searches of the corpus: each case is one hyperfine
# call with the three commands, whose medians summary.sh compares. Before timing, each command runs once
# with its output counted, so that summary.sh can check that all three found the lines kx-corpus planted.
#
# Every command's output goes through a pipe (grep stops at the first match when its output is
# /dev/null). All cases but rare-i match letter case exactly: zarn-find gets -c, the others no -i.
set -euo pipefail
# shellcheck source=bench/lib.sh
source "$(dirname "$0")/lib.sh"
mkdir -p "$results"

rare=$(kx_manifest "$big_manifest" rare_word)
common=$(kx_manifest "$big_manifest" common_word)
[[ -n $rare && -n $common ]] || kx_fail "no corpus manifest in $kx_dir; run bench/corpus.sh first"
zf=$(printf '%q' "$zarn_find")
big=$(printf '%q' "$big_file")
tree=$(printf '%q' "$tree_dir")

# run_case NAME TITLE EXPECTED-LINES ZARN-FIND-COMMAND RG-COMMAND GREP-COMMAND
run_case() {
  local name=$1 title=$2 expected=$3
  shift 3
  local tools=(zarn-find rg grep) commands=("$@") timed=() i count
  kx_say "$title"
  printf '%s\n' "$title" > "$results/$name.title"
  printf 'expected %s\n' "$expected" > "$results/$name.counts"
  for i in 0 1 2; do
    count=$( (bash -c "${commands[i]}" || true) | wc -l)
    printf '%s %s\n' "${tools[i]}" "$count" >> "$results/$name.counts"
    printf '  %-9s %8s lines  $ %s\n' "${tools[i]}" "$count" "${commands[i]}"
    timed+=(--command-name "${tools[i]}" "${commands[i]} | cat > /dev/null")
  done
  hyperfine --shell=bash --style basic --warmup "$kx_warmup" --runs "$kx_runs" \
    --export-json "$results/$name.json" "${timed[@]}"
}

big_size=$(kx_size "$kx_big_bytes")
tree_files=$(kx_manifest "$tree_manifest" files)

run_case rare "rare literal, $big_size file" "$(kx_manifest "$big_manifest" rare_lines)" \
  "$zf -c $big '*.*' $rare" \
  "rg -F -n -j1 $rare $big" \
  "grep -F -n $rare $big"

run_case common "common word on 10% of the lines, $big_size file" \
  "$(kx_manifest "$big_manifest" common_lines)" \
  "$zf -c $big '*.*' $common" \
  "rg -F -n -j1 $common $big" \
  "grep -F -n $common $big"

run_case rare-i "rare literal ignoring case, $big_size file" "$(kx_manifest "$big_manifest" rare_lines)" \
  "$zf $big '*.*' $rare" \
  "rg -i -F -n -j1 $rare $big" \
  "grep -i -F -n $rare $big"

run_case tree "rare literal, tree of $tree_files files" \
  "$(kx_manifest "$tree_manifest" rare_lines)" \
  "$zf -c -s $tree '*.*' $rare" \
  "rg -F -n -j1 $rare $tree" \
  "grep -r -F -n $rare $tree"
