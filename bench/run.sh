#!/usr/bin/env bash
# The benchmark behind `make bench`. For each catalogue size it measures the
# tool's wall time (median of several runs), its peak resident memory and the
# time of the I/O floor on the same game folder, then prints a table and
# draws time per bait against size.
#
#   bench/run.sh BUILD WORK
#
# BUILD is a Release build configured with BANALYSE_BENCH=ON. WORK receives
# the game folders, the reference reports, the raw measurements, results.txt,
# results.md and bench.png; a game folder is made again only when its size,
# its seed or the generator changed.
#
# Environment: BENCH_SIZES (default "1000 10000 100000"), BENCH_RUNS (timed
# runs of each program for each size, in the same order; default "10 7 3"),
# BENCH_SEED (default 2024).
set -euo pipefail
export LC_ALL=C

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
mkdir -p "$2"
work=$(cd "$2" && pwd)
tool=$build/banalyse
floor=$build/bench/floor
generator=$build/bench/make_baits
read -r -a sizes <<<"${BENCH_SIZES:-1000 10000 100000}"
read -r -a runs <<<"${BENCH_RUNS:-10 7 3}"
seed=${BENCH_SEED:-2024}
reports=(banalyse.txt baithook.htm)
started=$SECONDS

need=()
command -v hyperfine >/dev/null || need+=(hyperfine)
command -v gnuplot >/dev/null || need+=(gnuplot-nox)
[ -x /usr/bin/time ] || need+=(time)
command -v strace >/dev/null || need+=(strace)
((${#need[@]} == 0)) || "$root/scripts/ensure-packages.sh" "${need[@]}"

# Measured runs get a higher priority where we may give it (as root), so
# that other work on the machine disturbs them less; the tool and the floor
# are treated alike.
priority=()
if [ "$(id -u)" = 0 ]; then
  priority=(nice -n -10)
fi

# The median time of a hyperfine JSON export, in seconds.
median() { sed -n 's/.*"median": *\([0-9.eE+-]*\).*/\1/p' "$1" | head -n 1; }

# The median of the times of program $1 in the runs file $2.
median_of() {
  awk -v program="$1" '$1 == program { print $2 }' "$2" | sort -g |
    awk '{ time[NR] = $1 } END { print (NR % 2) ? time[(NR + 1) / 2] : (time[NR / 2] + time[NR / 2 + 1]) / 2 }'
}

# How many times the trace in $1 shows report $2 opened.
opens() { grep -c "openat(.*\"$2\"" "$1" || true; }

# The fragments are recomputed by the floor from the reports' shape; here the
# tool's own opens of each report, as the system saw them, must match the
# floor's in number, and the floor's reports must equal the tool's.
check_floor() {
  local reference=$1 trace=$work/trace
  rm -f "${reports[@]}"
  strace -f -qq -e trace=openat -o "$trace.tool" "$tool" >/dev/null
  rm -f "${reports[@]}"
  strace -f -qq -e trace=openat -o "$trace.floor" "$floor" "$reference" >/dev/null
  for report in "${reports[@]}"; do
    local by_tool by_floor
    by_tool=$(opens "$trace.tool" "$report")
    by_floor=$(opens "$trace.floor" "$report")
    if [ "$by_tool" != "$by_floor" ] || ! cmp -s "$report" "$reference/$report"; then
      echo "bench: the floor does not repeat the tool's appends to $report" \
        "($by_tool opens by the tool, $by_floor by the floor)" >&2
      exit 1
    fi
    echo "  $report: $by_tool open-append-close cycles, the same for tool and floor"
  done
}

same_reports() {
  for report in "${reports[@]}"; do
    cmp -s "$report" "$1/$report" || {
      echo "bench: $2 wrote a different $report in $PWD" >&2
      exit 1
    }
  done
}

results=$work/results.txt
: >"$results"
for i in "${!sizes[@]}"; do
  n=${sizes[$i]}
  count=${runs[$i]:-3}
  folder=$work/game-$n
  reference=$work/reference-$n
  stamp="$n $seed $(cksum <"$root/bench/make_baits.cc")"
  if [ "$(cat "$folder.stamp" 2>/dev/null)" != "$stamp" ]; then
    rm -rf "$folder" "$folder.stamp"
    "$generator" "$n" "$seed" "$folder" | sed 's/^/  /'
    echo "$stamp" >"$folder.stamp"
  fi
  cd "$folder"
  echo "N = $n: $count timed runs each"

  # One run under /usr/bin/time for the peak memory; its reports are the
  # reference the floor repeats.
  rm -f "${reports[@]}"
  "${priority[@]}" /usr/bin/time -v -o "$work/time-$n.txt" "$tool" >/dev/null
  rss_kib=$(sed -n 's/^[[:space:]]*Maximum resident set size (kbytes): //p' "$work/time-$n.txt")
  rm -rf "$reference"
  mkdir -p "$reference"
  mv "${reports[@]}" "$reference/"
  if ((i == 0)); then
    check_floor "$reference"
  fi

  # Timed runs, the tool and the floor in turn, so that a change in the
  # machine's load falls on both alike. Every run starts with no reports, as
  # the first run in a folder does: the log grows with each run, and the page
  # is rebuilt anyway. And every run starts with the bait files in the page
  # cache: this machine's memory manager pages out file data left untouched
  # for about a minute, which at the largest size made runs wait for the
  # disk at random. Each run's reports must equal the reference.
  prepare="sh -c 'rm -f ${reports[*]} && find tackle/baits -type f -exec cat {} + >/dev/null'"
  runs_file=$work/runs-$n.txt
  : >"$runs_file"
  for ((round = 1; round <= count; ++round)); do
    for program in tool floor; do
      if [ "$program" = tool ]; then command=$tool; else command="$floor $reference"; fi
      "${priority[@]}" hyperfine -N --style none --runs 1 --prepare "$prepare" \
        --export-json "$work/run.json" "$command" >/dev/null
      echo "$program $(median "$work/run.json")" >>"$runs_file"
      same_reports "$reference" "$program"
    done
  done
  tool_s=$(median_of tool "$runs_file")
  floor_s=$(median_of floor "$runs_file")
  echo "$n $tool_s $floor_s $rss_kib" >>"$results"
  printf '  tool %.3f s, floor %.3f s (medians)\n' "$tool_s" "$floor_s"
done
cd "$work"

# results.txt: N, tool and floor medians in seconds, peak memory in KiB.
table() {
  awk -v md="$1" '
    BEGIN {
      if (md) {
        print "| N | tool (s) | floor (s) | tool/floor | µs per bait | floor µs per bait | peak memory (MiB) |"
        print "|---:|---:|---:|---:|---:|---:|---:|"
      } else {
        print "       N  tool (s) floor (s) tool/floor  µs per bait  floor µs/bait  peak memory (MiB)"
      }
    }
    {
      row = md ? "| %d | %.3f | %.3f | %.3f | %.1f | %.1f | %.1f |\n" \
               : "%8d %9.3f %9.3f %10.3f %12.1f %14.1f %18.1f\n"
      printf row, $1, $2, $3, $2 / $3, $2 / $1 * 1e6, $3 / $1 * 1e6, $4 / 1024
    }' "$results"
}
echo
table "" | tee "$work/table.txt"
table 1 >"$work/results.md"

# The targets, where the sizes they speak of were measured.
awk '
  { tool[$1] = $2; floor[$1] = $3; rss[$1] = $4 }
  function verdict(ok) { return ok ? "met" : "MISSED" }
  END {
    print ""
    for (n = 10000; n <= 100000; n *= 10) {
      if (n in tool) {
        printf "tool/floor at N = %d: %.3f (target 1.05 at most): %s\n", n, tool[n] / floor[n],
               verdict(tool[n] / floor[n] <= 1.05)
      }
    }
    if ((10000 in tool) && (100000 in tool)) {
      growth = (tool[100000] / 100000) / (tool[10000] / 10000)
      printf "µs per bait, N = 100000 against N = 10000: %.3f times (target 1.05 at most): %s\n",
             growth, verdict(growth <= 1.05)
    }
    if (100000 in rss) {
      printf "peak memory at N = 100000: %.1f MiB (target 64 at most): %s\n", rss[100000] / 1024,
             verdict(rss[100000] <= 64 * 1024)
    }
  }' "$results"

gnuplot -e "results='$results'; output='$work/bench.png'" "$root/bench/plot.gp"
echo
echo "Results: $work/table.txt, $work/results.md"
echo "Plot:    $work/bench.png"
echo "Took $((SECONDS - started)) s."
