# shellcheck shell=bash disable=SC2034
# Settings and helpers shared by the benchmark scripts; sourced by them, never run by itself.
#
# Settings (environment):
#   KX_BENCH_DIR          where the corpus and the results live   (default /tmp/kestrix-bench)
#   KX_BENCH_BUILD        the build folder with the programs       (default build/release)
#   KX_BENCH_BIG_BYTES    size of the big file, K/M/G allowed      (default 1G)
#   KX_BENCH_TREE_FILES   number of files in the tree              (default 20000)
#   KX_BENCH_RUNS         timed runs per command                   (default 5)
#   KX_BENCH_WARMUP       untimed runs per command before those    (default 1)
#   KX_BENCH_ABORT_RUNS   stops timed by kx-abort-latency          (default 20)

shopt -s inherit_errexit

kx_repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

kx_dir=${KX_BENCH_DIR:-/tmp/kestrix-bench}
kx_build=${KX_BENCH_BUILD:-build/release}
case $kx_build in /*) ;; *) kx_build=$kx_repo/$kx_build ;; esac
kx_runs=${KX_BENCH_RUNS:-5}
kx_warmup=${KX_BENCH_WARMUP:-1}
kx_abort_runs=${KX_BENCH_ABORT_RUNS:-20}
kx_tree_files=${KX_BENCH_TREE_FILES:-20000}

# The programs.
zarn_find=$kx_build/tools/zarn-find/zarn-find
kx_corpus=$kx_build/bench/kx-corpus
kx_peak_rss=$kx_build/bench/kx-peak-rss
kx_abort_latency=$kx_build/bench/kx-abort-latency
kx_desktop_bench=$kx_build/bench/desktop/kx-desktop-bench

# The corpus: the big file alone in its folder, the tree, and beside each the manifest kx-corpus printed
# (written last, so a manifest means a complete corpus).
big_file=$kx_dir/big/corpus.txt
big_manifest=$kx_dir/big.manifest
tree_dir=$kx_dir/tree
tree_manifest=$kx_dir/tree.manifest
results=$kx_dir/results

# Bytes from a size such as 1G, 64M, 512K or 1000.
kx_bytes() {
  local size=$1
  case $size in
    *[Gg]) echo $(( ${size%?} << 30 )) ;;
    *[Mm]) echo $(( ${size%?} << 20 )) ;;
    *[Kk]) echo $(( ${size%?} << 10 )) ;;
    *) echo $(( size )) ;;
  esac
}
kx_big_bytes=$(kx_bytes "${KX_BENCH_BIG_BYTES:-1G}")

# The value of KEY in a manifest (the first one when KEY repeats); empty when absent.
kx_manifest() {
  sed -n "s/^$2=//p" "$1" 2>/dev/null | head -n 1
}

kx_say() { printf '\n== %s\n' "$*"; }
kx_fail() { printf 'bench: %s\n' "$*" >&2; exit 1; }

# A number of bytes as MiB with one decimal; kx_size switches to GiB from 1 GiB on.
kx_mib() { awk -v b="$1" 'BEGIN { printf "%.1f MiB", b / 1048576 }'; }
kx_size() {
  awk -v b="$1" 'BEGIN {
    if (b >= 1073741824) printf "%.1f GiB", b / 1073741824; else printf "%.1f MiB", b / 1048576 }'
}

# The machine's name in bench/results: KX_BENCH_MACHINE, or its cores and processor model as a slug.
kx_machine() {
  local name=${KX_BENCH_MACHINE:-"$(nproc)core-$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)"}
  echo "$name" | tr '[:upper:]' '[:lower:]' | sed 's/([^)]*)//g; s/[^a-z0-9]\{1,\}/-/g; s/^-//; s/-$//'
}

# Starts a section of RECORD (a Markdown file, created with a title when new) for one run of COMMAND: the
# time, the commit and a code block the run's output goes into.
kx_begin_record() {
  local record=$1 command=$2 commit
  mkdir -p "$(dirname "$record")"
  [ -f "$record" ] || printf '# Benchmark results, %s\n' "$(basename "$record" .md)" >"$record"
  commit=$(git -C "$kx_repo" rev-parse --short HEAD)
  git -C "$kx_repo" diff --quiet HEAD -- . ':!bench/results' || commit="$commit with uncommitted changes"
  printf '\n## %s, commit %s\n\n`%s`\n\n```\n' "$(date -u '+%H:%M UTC')" "$commit" "$command" >>"$record"
}
