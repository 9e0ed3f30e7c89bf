#!/usr/bin/env bash
# Makes sure the corpus is under KX_BENCH_DIR: writes the big file and the tree with kx-corpus unless a
# complete one of the asked size and of the generator's format is already there, then reads every byte of
# it once so that all benchmarks run from the page cache.
set -euo pipefail
# shellcheck source=bench/lib.sh
source "$(dirname "$0")/lib.sh"

format=$("$kx_corpus" --format)

big_is_current() {
  [ -f "$big_manifest" ] && [ -f "$big_file" ] &&
    [ "$(kx_manifest "$big_manifest" format)" = "$format" ] &&
    [ "$(kx_manifest "$big_manifest" bytes)" = "$kx_big_bytes" ] &&
    [ "$(stat -c %s "$big_file")" = "$kx_big_bytes" ]
}

tree_is_current() {
  [ -f "$tree_manifest" ] && [ -d "$tree_dir" ] &&
    [ "$(kx_manifest "$tree_manifest" format)" = "$format" ] &&
    [ "$(kx_manifest "$tree_manifest" files)" = "$kx_tree_files" ] &&
    [ "$(find "$tree_dir" -type f | wc -l)" = "$kx_tree_files" ]
}

# Fails early when the file system cannot take what is about to be written (plus the --tsv file of the
# memory benchmark, about a seventh of the big file).
check_room() {
  local needed=$1 available
  available=$(df --output=avail -B1 "$kx_dir" | tail -n 1)
  [ "$available" -gt "$needed" ] ||
    kx_fail "not enough room in $kx_dir: need about $(kx_mib "$needed"), have $(kx_mib "$available")"
}

mkdir -p "$kx_dir"
big_needed=0 tree_needed=0
big_is_current || big_needed=$(( kx_big_bytes + kx_big_bytes / 4 ))
tree_is_current || tree_needed=$(( kx_tree_files * 16 * 1024 ))
check_room $(( big_needed + tree_needed + (64 << 20) ))

if [ "$big_needed" -eq 0 ]; then
  kx_say "big file: reusing $big_file"
else
  kx_say "big file: writing $(kx_size "$kx_big_bytes") to $big_file"
  rm -f "$big_manifest"
  rm -rf "$(dirname "$big_file")"
  mkdir -p "$(dirname "$big_file")"
  "$kx_corpus" big "$big_file" --bytes "$kx_big_bytes" > "$big_manifest.part"
  mv "$big_manifest.part" "$big_manifest"
fi
grep -v '^rare_line_numbers=' "$big_manifest" | sed 's/^/  /'

if [ "$tree_needed" -eq 0 ]; then
  kx_say "tree: reusing $tree_dir"
else
  kx_say "tree: writing $kx_tree_files files to $tree_dir"
  rm -f "$tree_manifest"
  rm -rf "$tree_dir"
  "$kx_corpus" tree "$tree_dir" --files "$kx_tree_files" > "$tree_manifest.part"
  mv "$tree_manifest.part" "$tree_manifest"
fi
grep -v '^rare_at=' "$tree_manifest" | sed 's/^/  /'

kx_say "warming the page cache"
cat "$big_file" > /dev/null
find "$tree_dir" -type f -exec cat {} + > /dev/null
echo "  read $(kx_size $(( kx_big_bytes + $(kx_manifest "$tree_manifest" bytes) )))"
