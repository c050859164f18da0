#!/usr/bin/env bash
# baitcheck's figure for docs/performance.md: the time to check a folder of
# bench bait files (bench/make_baits.cc), beside banalyse's time on the same
# folder, each the median of several runs, and baitcheck's peak memory.
#
#   bench/baitcheck.sh BUILD WORK
#
# BUILD is a Release build configured with BANALYSE_BENCH=ON (`make bench`
# makes one in build/bench). WORK receives the game folder and the raw
# measurements. Environment: BENCH_BAITCHECK_SIZE (default 10000),
# BENCH_BAITCHECK_RUNS (default 7), BENCH_SEED (default 2024).
set -euo pipefail
export LC_ALL=C

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: $0 BUILD WORK}" && pwd)
mkdir -p "${2:?usage: $0 BUILD WORK}"
work=$(cd "$2" && pwd)
size=${BENCH_BAITCHECK_SIZE:-10000}
runs=${BENCH_BAITCHECK_RUNS:-7}
seed=${BENCH_SEED:-2024}

need=()
command -v hyperfine >/dev/null || need+=(hyperfine)
[ -x /usr/bin/time ] || need+=(time)
((${#need[@]} == 0)) || "$root/scripts/ensure-packages.sh" "${need[@]}"
for program in banalyse baitcheck bench/make_baits; do
  [ -x "$build/$program" ] || { echo "baitcheck.sh: $build/$program not found" >&2; exit 1; }
done

game=$work/baitcheck-$size
if [ ! -d "$game/tackle/baits" ]; then
  rm -rf "$game"
  "$build/bench/make_baits" "$size" "$seed" "$game" >/dev/null
fi
# Every timed run starts with the bait files in the page cache.
warm="cat '$game'/tackle/baits/* >/dev/null"
median() { sed -n 's/.*"median": *\([0-9.eE+-]*\).*/\1/p' "$1" | head -n 1; }

# baitcheck reports findings (the bench files hold keys the game ignores),
# so its exit status is 1; banalyse starts each run without old reports.
cd "$game"
hyperfine --style basic --runs "$runs" --prepare "$warm" -i \
  --export-json "$work/baitcheck-time.json" "'$build/baitcheck' >/dev/null" >/dev/null
hyperfine --style basic --runs "$runs" \
  --prepare "$warm; rm -f banalyse.txt baithook.htm" \
  --export-json "$work/banalyse-time.json" "'$build/banalyse' >/dev/null" >/dev/null
sh -c "$warm"
/usr/bin/time -v "$build/baitcheck" >"$work/baitcheck-out.txt" 2>"$work/baitcheck-memory.txt" || true

checker=$(median "$work/baitcheck-time.json")
tool=$(median "$work/banalyse-time.json")
peak=$(awk '/Maximum resident set size/ { printf "%.1f", $NF / 1024 }' "$work/baitcheck-memory.txt")
echo "N = $size bait files, median of $runs runs:"
awk -v c="$checker" -v t="$tool" -v n="$size" -v p="$peak" 'BEGIN {
  printf "  baitcheck  %.3f s (%.1f us per file), peak memory %s MiB\n", c, c / n * 1e6, p
  printf "  banalyse   %.3f s (%.1f us per file)\n", t, t / n * 1e6
  printf "  baitcheck / banalyse: %.3f\n", c / t
}'
echo "  baitcheck's summary: $(tail -n 1 "$work/baitcheck-out.txt")"
