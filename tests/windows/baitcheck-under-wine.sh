#!/usr/bin/env bash
# Runs the Windows build of baitcheck under Wine, as a modder on Windows
# runs it, and compares byte for byte:
#   in every golden game folder tests/baitcheck/*/game: the text output with
#     stdout.txt, and the exit status with what its last line implies;
#   in the demo game folder: a clean run, "12 files, 0 with findings, ...";
#   when the Linux program is given: the CSV and JSON of every golden folder
#     with the Linux program's, which the Linux tests read with Python;
#   an unknown option: status 2 and one line on standard error.
# The console gets the same bytes on every platform, so no CR may appear in
# the text output; the CSV ends its records in CR LF on both.
#
# Usage: tests/windows/baitcheck-under-wine.sh BAITCHECK_EXE BUILD_DIR [LINUX_BAITCHECK]
# The Wine prefix is BUILD_DIR/wine-prefix (shared with run-under-wine.sh);
# each folder runs in a fresh copy under BUILD_DIR/wine-runs/.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
usage="usage: $0 BAITCHECK_EXE BUILD_DIR [LINUX_BAITCHECK]"
exe=$(realpath -m "${1:?$usage}")
build=$(mkdir -p "${2:?$usage}" && cd "$2" && pwd)
linux=${3:+$(realpath -m "$3")}

fail_setup() {
  echo "baitcheck-under-wine: $*" >&2
  exit 1
}
# shellcheck source=tests/windows/wine-session.sh
source "$(dirname "$0")/wine-session.sh"
command -v x86_64-w64-mingw32-objdump >/dev/null ||
  fail_setup "x86_64-w64-mingw32-objdump not found; install: sudo apt-get install g++-mingw-w64-x86-64"
[ -f "$exe" ] || fail_setup "$exe not found; build it with: make windows"
[ -z "$linux" ] || [ -x "$linux" ] || fail_setup "$linux not found; build it with: make release"

# One file that runs on a bare Windows imports only system DLLs.
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
for dll in $imports; do
  case "${dll,,}" in
    kernel32.dll | msvcrt.dll | ucrtbase.dll | api-ms-win-crt-*.dll) ;;
    *) fail_setup "$exe needs $dll, which a bare Windows lacks: link it statically" ;;
  esac
done

start_wine_session "$build"

# same WHAT EXPECTED ACTUAL: true when the two files hold the same bytes.
same() {
  cmp -s "$2" "$3" && return 0
  echo "  $1 differs; expected (<) and got (>):"
  diff "$2" "$3" | head -n 12 | sed 's/^/    /'
  return 1
}

# check NAME GAME EXPECTED_STDOUT: runs the program in a copy of GAME.
check() {
  local name=$1 game=$2 expected=$3 run status=0 want=1 got=0
  run=$build/wine-runs/baitcheck-$name
  rm -rf "$run"
  mkdir -p "$run"
  cp -R "$game" "$run/game"
  (cd "$run/game" && wine "$exe" >"$run/stdout" 2>"$run/stderr") || got=$?
  same "the output" "$expected" "$run/stdout" || status=1
  same "the error output" /dev/null "$run/stderr" || status=1
  [[ $(tail -n 1 "$expected") == *" 0 findings" ]] && want=0
  [ "$got" = "$want" ] || {
    echo "  exit status $got, expected $want"
    status=1
  }
  if [ -n "$linux" ]; then
    for format in csv json; do
      (cd "$run/game" && wine "$exe" --format=$format >"$run/windows.$format" 2>/dev/null) || true
      (cd "$run/game" && "$linux" --format=$format >"$run/linux.$format" 2>/dev/null) || true
      same "the $format output" "$run/linux.$format" "$run/windows.$format" || status=1
    done
  fi
  return "$status"
}

passed=0
failed=()
record() {
  if "$@"; then
    passed=$((passed + 1))
    echo "ok    baitcheck $2"
  else
    failed+=("$2")
    echo "FAIL  baitcheck $2"
  fi
}

for golden in "$root"/tests/baitcheck/*/; do
  golden=${golden%/}
  [ -d "$golden/game" ] || continue
  record check "$(basename "$golden")" "$golden/game" "$golden/stdout.txt"
done
printf '12 files, 0 with findings, 0 findings\n' >"$build/wine-runs/demo-expected.txt"
record check demo "$root/examples/demo" "$build/wine-runs/demo-expected.txt"

usage_error() {
  local got=0
  (cd "$build/wine-runs" && wine "$exe" --frob >/dev/null 2>"$build/wine-runs/usage-stderr") || got=$?
  printf 'baitcheck: The following argument was not expected: --frob (see baitcheck --help)\n' \
    >"$build/wine-runs/usage-expected"
  same "the usage error" "$build/wine-runs/usage-expected" "$build/wine-runs/usage-stderr" &&
    [ "$got" = 2 ]
}
record usage_error "usage-error"

echo "Wine: baitcheck $passed passed, ${#failed[@]} failed"
((${#failed[@]} == 0)) || {
  echo "Failed: ${failed[*]}" >&2
  exit 1
}
