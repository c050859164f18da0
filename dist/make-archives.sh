#!/usr/bin/env bash
# Packs the two release archives, each a folder of the same name holding the
# two programs, the players' README and the demo game folder:
#   banalyse-VERSION-windows-x86_64.zip     banalyse.exe, baitcheck.exe, README.txt and
#                                           checks.md (CR LF)
#   banalyse-VERSION-linux-x86_64.tar.gz    banalyse, baitcheck, README.txt, checks.md
# (checks.md explains each code that baitcheck reports.)
# VERSION is the one in CMakeLists.txt's project(), as CMake wrote it into
# the Linux build folder; nothing else names it.
#
# Usage: dist/make-archives.sh LINUX_BUILD_DIR WINDOWS_EXE OUT_DIR
# (baitcheck is taken from beside banalyse in each build.)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
usage="usage: $0 LINUX_BUILD_DIR WINDOWS_EXE OUT_DIR"
linux_build=${1:?$usage}
windows_exe=${2:?$usage}
out=${3:?$usage}

windows_checker=$(dirname "$windows_exe")/baitcheck.exe
for file in "$linux_build/banalyse" "$linux_build/baitcheck" "$linux_build/banalyse-version.txt" \
  "$windows_exe" "$windows_checker"; do
  [ -f "$file" ] || { echo "make-archives: $file not found; run make release windows" >&2; exit 1; }
done
version=$(<"$linux_build/banalyse-version.txt")
[[ $version =~ ^[0-9]+(\.[0-9]+)*$ ]] || { echo "make-archives: odd version '$version'" >&2; exit 1; }

rm -rf "$out"
mkdir -p "$out"
out=$(cd "$out" && pwd)
staging=$out/staging

# stage NAME PROGRAM...: the folder NAME with the programs and the demo in it.
stage() {
  local folder=$staging/$1
  shift
  mkdir -p "$folder"
  cp "$@" "$folder/"
  cp -R "$root/examples/demo" "$folder/demo"
  echo "$folder"
}

windows=banalyse-$version-windows-x86_64
folder=$(stage "$windows" "$windows_exe" "$windows_checker")
perl -pe 's/\n/\r\n/' "$root/dist/README.txt" >"$folder/README.txt"
perl -pe 's/\n/\r\n/' "$root/docs/checks.md" >"$folder/checks.md"
(cd "$staging" && cmake -E tar cf "$out/$windows.zip" --format=zip "$windows")

linux=banalyse-$version-linux-x86_64
folder=$(stage "$linux" "$linux_build/banalyse" "$linux_build/baitcheck")
cp "$root/dist/README.txt" "$root/docs/checks.md" "$folder/"
(cd "$staging" && cmake -E tar czf "$out/$linux.tar.gz" "$linux")

rm -rf "$staging"
echo "Release $version:"
for archive in "$out"/*; do
  echo "  $archive ($(stat -c %s "$archive") bytes)"
done
