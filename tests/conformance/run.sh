#!/usr/bin/env bash
# Our profile reader and number rules against the platform's own, asked
# under Wine: random profile files and numeric texts, one Wine process that
# answers them all (tests/conformance/profile_probe.cc), and a comparison
# answer by answer (tests/conformance/conformance_main.cc).
#
#   run.sh check TOOL PROBE BUILD_DIR
#       The differential test (`make test-conformance`), in
#       BUILD_DIR/conformance-run. A fresh seed each run unless
#       CONFORMANCE_SEED is set; CONFORMANCE_FILES (3000), CONFORMANCE_NUMBERS
#       (3000) and CONFORMANCE_EXTRA (random requests per file beyond the
#       tool's 38, 4) size it. Fails on any answer that differs, and on any
#       fixed case of a known difference that no longer holds.
#   run.sh record TOOL PROBE BUILD_DIR
#       Records tests/conformance/corpus afresh (`make conformance-corpus`):
#       200 files of a fixed seed with the platform's answers, which
#       `make test` replays without Wine.
#   run.sh best-fit GENERATOR BUILD_DIR
#       Writes platform/cp1252_best_fit.inc afresh (`make best-fit-table`).
#
# TOOL is the Linux banalyse_conformance, PROBE and GENERATOR the Windows
# profile_probe.exe and best_fit_table.exe. Wine runs in the C.UTF-8 locale,
# where its ANSI code page is Windows-1252, the one the Linux build decodes
# UTF-16 files into. The Wine prefix is BUILD_DIR/wine-prefix, shared with
# tests/windows/run-under-wine.sh.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
usage="usage: $0 check|record TOOL PROBE BUILD_DIR, or $0 best-fit GENERATOR BUILD_DIR"
mode=${1:?$usage}

fail_setup() {
  echo "conformance: $*" >&2
  exit 1
}

# shellcheck source=tests/windows/wine-session.sh
source "$(dirname "$0")/../windows/wine-session.sh"

# probe_run PROBE FOLDER JOB ANSWERS...: the probe on each job in FOLDER.
probe_run() {
  local probe=$1 folder=$2
  shift 2
  (cd "$folder" && wine "$probe" "$@")
}

case "$mode" in
  check | record)
    tool=$(realpath -m "${2:?$usage}")
    probe=$(realpath -m "${3:?$usage}")
    build=$(mkdir -p "${4:?$usage}" && cd "$4" && pwd)
    [ -x "$tool" ] || fail_setup "$tool not found; build it with: make conformance-tool"
    [ -f "$probe" ] || fail_setup "$probe not found; build it with: make windows"
    ;;
  best-fit)
    generator=$(realpath -m "${2:?$usage}")
    build=$(mkdir -p "${3:?$usage}" && cd "$3" && pwd)
    [ -f "$generator" ] || fail_setup "$generator not found; build it with: make windows"
    ;;
  *) fail_setup "$usage" ;;
esac

started=$(date +%s)
start_wine_session "$build"

case "$mode" in
  check)
    seed=${CONFORMANCE_SEED:-$(od -An -N6 -tu8 /dev/urandom | tr -d ' ')}
    echo "conformance: seed $seed (to replay: make test-conformance CONFORMANCE_SEED=$seed)"
    run=$build/conformance-run
    rm -rf "$run"
    "$tool" generate "$run" "$seed" "${CONFORMANCE_FILES:-3000}" \
      "${CONFORMANCE_NUMBERS:-3000}" "${CONFORMANCE_EXTRA:-4}"
    probe_run "$probe" "$run" job.txt answers.txt known-job.txt known-answers.txt
    status=0
    "$tool" compare "$run" "$run/differences.txt" || status=$?
    echo "conformance: $(($(date +%s) - started)) s in all; files and answers in $run"
    exit "$status"
    ;;
  record)
    run=$build/conformance-corpus
    rm -rf "$run"
    "$tool" generate "$run" 1 200 300 8
    probe_run "$probe" "$run" job.txt answers.txt known-job.txt known-answers.txt
    corpus=$root/tests/conformance/corpus
    rm -rf "$corpus"
    mkdir -p "$corpus"
    cp -R "$run"/files "$run"/known "$run"/job.txt "$run"/answers.txt "$run"/known-job.txt \
      "$run"/known-answers.txt "$corpus"/
    echo "conformance: recorded $(grep -c '^F' "$corpus/job.txt") files in $corpus"
    "$tool" compare "$corpus" >/dev/null ||
      echo "conformance: our reader differs from the recording; make test shows where"
    ;;
  best-fit)
    table=$root/platform/cp1252_best_fit.inc
    wine "$generator" >"$table.new"
    mv "$table.new" "$table"
    echo "conformance: wrote $table"
    ;;
esac
