# Sourced by the scripts that run our Windows programs under Wine
# (tests/windows/*-under-wine.sh, tests/conformance/run.sh).
#
# start_wine_session BUILD_DIR: checks that Wine is there (fail_setup, which
# the sourcing script defines, says what is missing), takes the prefix
# BUILD_DIR/wine-prefix (made on its first use and reused after), and starts
# one Wine server for everything the script runs, or reuses the one left
# running in that prefix; it ends with the script. Wine runs in the C.UTF-8
# locale, so it reads Linux file names as UTF-8 and takes Windows-1252 as
# its ANSI code page unless a run sets LC_ALL itself.
start_wine_session() {
  local program
  for program in wine wineboot wineserver; do
    command -v "$program" >/dev/null ||
      fail_setup "$program not found; install Wine with: sudo apt-get install wine wine64"
  done
  export WINEPREFIX=$1/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  export LC_ALL=C.UTF-8
  unset LANGUAGE DISPLAY
  mkdir -p "$WINEPREFIX"
  wineserver -p 2>/dev/null || true
  trap 'wineserver -k 2>/dev/null || true' EXIT
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
  fi
}
