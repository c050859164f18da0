#!/usr/bin/env bash
# Makes sure what a build or test step needs is there. The arguments are
# Debian package names, but each is looked for as what it provides: its
# commands, GoogleTest, CLI11 and nlohmann-json as CMake finds them, clang's
# fuzzer and sanitizer run-time as clang links it. So a machine whose tools came from elsewhere (a
# source build, another distribution, another package manager) passes
# without any package manager being asked. What is missing is installed with
# apt-get when the machine has it and this runs as root; otherwise the
# script names what is missing and fails, so no step goes on without it.
set -euo pipefail

have() { command -v "$1" >/dev/null 2>&1; }

# A scratch folder for the probes that build something, removed on exit.
scratch=
cleanup() { if [ -n "$scratch" ]; then rm -rf "$scratch"; fi; }
trap cleanup EXIT
make_scratch() {
  if [ -z "$scratch" ]; then
    scratch=$(mktemp -d "${TMPDIR:-/tmp}/banalyse-ensure.XXXXXX")
  fi
}

# True when CMake finds a package the way the project's CMakeLists.txt asks:
# `cmake_finds NAME 'find_package(...)'`.
cmake_finds() {
  have cmake || return 1
  make_scratch
  local dir=$scratch/$1
  mkdir -p "$dir"
  cat >"$dir/CMakeLists.txt" <<EOF
cmake_minimum_required(VERSION 3.20)
project(probe LANGUAGES CXX)
$2
EOF
  cmake -S "$dir" -B "$dir/build" >/dev/null 2>&1
}

# True when clang++ links a fuzz target with the sanitizers the fuzz build uses.
clang_runtime_found() {
  have clang++ || return 1
  make_scratch
  local dir=$scratch/fuzz
  mkdir -p "$dir"
  echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' \
    >"$dir/probe.cc"
  clang++ -fsanitize=fuzzer,address,undefined "$dir/probe.cc" -o "$dir/probe" >/dev/null 2>&1
}

# What each package gives the project, and how to tell it is there.
describe() {
  case $1 in
    g++) echo "g++ (a C++20 compiler: g++, or the one CXX names)" ;;
    libgtest-dev) echo "libgtest-dev (GoogleTest, found by CMake's find_package(GTest))" ;;
    libcli11-dev) echo "libcli11-dev (CLI11, found by CMake's find_package(CLI11))" ;;
    nlohmann-json3-dev) echo "nlohmann-json3-dev (nlohmann-json, found by CMake's find_package(nlohmann_json))" ;;
    g++-mingw-w64-x86-64) echo "g++-mingw-w64-x86-64 (the x86_64-w64-mingw32-g++ cross compiler)" ;;
    libclang-rt-*-dev) echo "$1 (clang's fuzzer and sanitizer run-time)" ;;
    clang) echo "clang (clang++)" ;;
    clang-tidy) echo "clang-tidy (clang-tidy and run-clang-tidy)" ;;
    wine) echo "wine (wine, wineboot, wineserver)" ;;
    wine64) echo "wine64 (Wine for 64-bit programs)" ;;
    chromium) echo "chromium (or set BANALYSE_CHROMIUM to a Chromium binary)" ;;
    *) echo "$1" ;;
  esac
}

present() {
  case $1 in
    libgtest-dev) cmake_finds gtest 'find_package(GTest REQUIRED)' ;;
    libcli11-dev) cmake_finds cli11 'find_package(CLI11 CONFIG REQUIRED)' ;;
    nlohmann-json3-dev) cmake_finds json 'find_package(nlohmann_json 3 CONFIG REQUIRED)' ;;
    libclang-rt-*-dev) clang_runtime_found ;;
    g++) have "${CXX:-g++}" ;;
    clang) have clang++ ;;
    clang-tidy) have clang-tidy && have run-clang-tidy ;;
    g++-mingw-w64-x86-64) have x86_64-w64-mingw32-g++ ;;
    wine) have wine && have wineboot && have wineserver ;;
    wine64) have wine64 || [ -x /usr/lib/wine/wine64 ] ;;
    *) have "$1" ;;
  esac
}

missing=()
for package in "$@"; do
  present "$package" || missing+=("$package")
done
((${#missing[@]} == 0)) && exit 0

if have apt-get && [ "$(id -u)" = 0 ]; then
  echo "Installing ${missing[*]} ..."
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
  exit 0
fi
echo "Missing:" >&2
for package in "${missing[@]}"; do
  echo "  $(describe "$package")" >&2
done
if have apt-get; then
  echo "Install them with: sudo apt-get install ${missing[*]}" >&2
else
  echo "Install them with your system's package manager (the names above are Debian's)," >&2
  echo "or build with CMake alone, as the README says." >&2
fi
exit 1
