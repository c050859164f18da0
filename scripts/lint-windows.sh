#!/usr/bin/env bash
# Lints the files only the Windows build compiles, platform/*_windows.cc,
# as the mingw-w64 cross compiler sees it. `make lint` runs it:
#   scripts/lint-windows.sh BUILD_DIR 'CMAKE_FLAGS' CPPCHECK_FLAGS...
# BUILD_DIR is configured (not built) for Windows, so its compile commands
# carry the mingw-w64 target (_WIN32, <windows.h>). clang-tidy reads the file
# through them with the checks of .clang-tidy; cppcheck for 64-bit Windows.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
read -r -a cmake_flags <<<"$2"
shift 2
files=(platform/*_windows.cc)
cross=x86_64-w64-mingw32-g++

cmake -S . -B "$build" --no-warn-unused-cli -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DBANALYSE_TESTS=OFF "${cmake_flags[@]}" >/dev/null

# clang finds the mingw-w64 C headers by itself but not the cross compiler's
# C++ library headers (it does not take Debian's "12-win32" for a version),
# and adds the build machine's /usr/include after them. So both come from the
# cross compiler's own search list: its C++ folders, and the root of its C
# headers (the last folder) as the only system root.
mapfile -t search < <(echo | "$cross" -x c++ -E -v - 2>&1 |
  sed -n '/<[.][.][.]> search starts/,/End of search/s/^ //p')
if ((${#search[@]} == 0)); then
  echo "lint-windows.sh: $cross gave no header search list" >&2
  exit 1
fi
tidy_args=(--extra-arg=--sysroot="$(realpath "${search[-1]}/..")")
for dir in "${search[@]}"; do
  case $dir in
    */c++ | */c++/*) tidy_args+=(--extra-arg=-isystem"$dir") ;;
  esac
done

echo "clang-tidy and cppcheck for Windows: ${files[*]}"
if ! clang-tidy -p "$build" --quiet "${tidy_args[@]}" "${files[@]}" >"$build/clang-tidy.log" 2>&1; then
  grep -v "warnings.* generated" "$build/clang-tidy.log"
  exit 1
fi
cppcheck --project="$build/compile_commands.json" --platform=win64 \
  "${files[@]/#/--file-filter=}" "$@"
