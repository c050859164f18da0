#!/usr/bin/env bash
# Makes sure the Debian packages named as arguments are installed. As root it
# installs the missing ones with apt-get; otherwise it names them and fails,
# so that no build or test step goes on without what it needs.
set -euo pipefail
missing=()
for package in "$@"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
((${#missing[@]} == 0)) && exit 0
if [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null; then
  echo "Installing ${missing[*]} ..."
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
else
  echo "Missing packages: ${missing[*]}" >&2
  echo "Install them with: sudo apt-get install ${missing[*]}" >&2
  exit 1
fi
