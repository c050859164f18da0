#!/usr/bin/env bash
# Runs the Windows build of banalyse under Wine in every golden game folder,
# tests/e2e/*/ (shared with the Linux end-to-end tests) and tests/windows/*/
# (names outside ASCII), and compares byte for byte:
#   console output  with stdout.txt as it is: the console gets the same bytes
#                   on every platform, so no CR may appear;
#   baithook.htm    with the expected page, every "\n" widened to "\r\n": the
#                   page is deleted and rebuilt, so every byte is this run's;
#   banalyse.txt    with the expected log, of which the part that the game
#                   folder starts with keeps its bytes (a log left by a Linux
#                   run has LF line ends, and appending never rewrites it),
#                   and only what the runs append is widened.
# Nothing is skipped: a missing tool or program fails the run and says why.
#
# Wine runs in the C.UTF-8 locale: it then reads the Linux file names as
# UTF-8 and uses Windows-1252 as the ANSI code page, in which the expected
# console output of tests/windows/ shows the file names. A folder with a file
# `locale` runs in the locale it names instead: Wine takes its ANSI code page
# from the locale's name (pl_PL.UTF-8 gives 1250, as on a Polish Windows),
# whether or not the system has that locale installed.
#
# Usage: tests/windows/run-under-wine.sh BANALYSE_EXE BUILD_DIR
# The Wine prefix is BUILD_DIR/wine-prefix, made on the first run and reused
# after (delete it to start afresh); each game folder runs in a fresh copy
# under BUILD_DIR/wine-runs/.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
usage="usage: $0 BANALYSE_EXE BUILD_DIR"
exe=$(realpath -m "${1:?$usage}")
build=$(mkdir -p "${2:?$usage}" && cd "$2" && pwd)

fail_setup() {
  echo "run-under-wine: $*" >&2
  exit 1
}
# shellcheck source=tests/windows/wine-session.sh
source "$(dirname "$0")/wine-session.sh"
command -v x86_64-w64-mingw32-objdump >/dev/null ||
  fail_setup "x86_64-w64-mingw32-objdump not found; install: sudo apt-get install g++-mingw-w64-x86-64"
[ -f "$exe" ] || fail_setup "$exe not found; build it with: make windows"

# One file that runs on a bare Windows imports only system DLLs.
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
for dll in $imports; do
  case "${dll,,}" in
    kernel32.dll | msvcrt.dll | ucrtbase.dll | api-ms-win-crt-*.dll) ;;
    *) fail_setup "$exe needs $dll, which a bare Windows lacks: link it statically" ;;
  esac
done

started=$(date +%s%3N)
# One Wine server for all the runs (or the one left running in this prefix);
# it and everything it runs end with us.
start_wine_session "$build"
booted=$(date +%s%3N)

widen() { perl -pe 's/\n/\r\n/'; }

# same WHAT EXPECTED ACTUAL: true when the two files hold the same bytes.
same() {
  cmp -s "$2" "$3" && return 0
  echo "  $1 differs; expected (<) and got (>), as characters:"
  diff <(od -An -c "$2") <(od -An -c "$3") | head -n 12 | sed 's/^/    /'
  return 1
}

# runCase FOLDER: true when every run succeeded and every file matched.
runCase() {
  local expected=$1 name run runs locale status=0
  name=$(basename "$expected")
  run=$build/wine-runs/$name
  rm -rf "$run"
  mkdir -p "$run"
  cp -R "$expected/game" "$run/game"
  runs=1
  [ -f "$expected/runs" ] && runs=$(<"$expected/runs")
  locale=C.UTF-8
  [ -f "$expected/locale" ] && locale=$(<"$expected/locale")
  for ((i = 1; i <= runs; i++)); do
    if ! (cd "$run/game" && LC_ALL=$locale wine "$exe" >"$run/stdout" 2>"$run/stderr"); then
      echo "  run $i of $runs exited with status $?: $(head -c 300 "$run/stderr")"
      return 1
    fi
  done
  same "the console output" "$expected/stdout.txt" "$run/stdout" || status=1
  same "the error output" /dev/null "$run/stderr" || status=1
  widen <"$expected/baithook.htm" >"$run/expected-baithook.htm"
  same "baithook.htm" "$run/expected-baithook.htm" "$run/game/baithook.htm" || status=1
  if [ -f "$expected/banalyse.txt" ]; then
    local kept=0
    if [ -f "$expected/game/banalyse.txt" ]; then
      kept=$(stat -c %s "$expected/game/banalyse.txt")
      cmp -s -n "$kept" "$expected/game/banalyse.txt" "$expected/banalyse.txt" || {
        echo "  the expected banalyse.txt does not begin with the game folder's"
        return 1
      }
    fi
    { head -c "$kept" "$expected/banalyse.txt"; tail -c +"$((kept + 1))" "$expected/banalyse.txt" | widen; } \
      >"$run/expected-banalyse.txt"
    same "banalyse.txt" "$run/expected-banalyse.txt" "$run/game/banalyse.txt" || status=1
  elif [ -e "$run/game/banalyse.txt" ]; then
    echo "  banalyse.txt was written, but no log was expected"
    status=1
  fi
  return "$status"
}

passed=0
failed=()
for expected in "$root"/tests/e2e/*/ "$root"/tests/windows/*/; do
  expected=${expected%/}
  [ -d "$expected/game" ] || continue
  if runCase "$expected"; then
    passed=$((passed + 1))
    echo "ok    ${expected#"$root"/}"
  else
    failed+=("${expected#"$root"/}")
    echo "FAIL  ${expected#"$root"/}"
  fi
done
finished=$(date +%s%3N)

seconds() { printf '%d.%d' $(($1 / 1000)) $(($1 % 1000 / 100)); }
echo "Wine: $passed passed, ${#failed[@]} failed in $(seconds $((finished - started))) s" \
  "($(seconds $((booted - started))) s of it to start Wine)"
((${#failed[@]} == 0)) || {
  echo "Failed: ${failed[*]}" >&2
  exit 1
}
((passed > 0)) || fail_setup "no game folders found under tests/e2e or tests/windows"
