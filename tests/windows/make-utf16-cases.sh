#!/bin/bash
# Writes the two UTF-16 cases of the Windows run; every expected byte below is
# typed out by hand. One bait file, saved as UTF-16 with its mark, whose name
# holds letters outside Windows-1252: the Windows program reads it in the
# system's ANSI code page, so the name's bytes depend on the locale Wine runs
# in (the file `locale` of a case; C.UTF-8, code page 1252, without one).
set -e
W=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/e2e/page-text.sh
source "$W/../e2e/page-text.sh"
T=$'\t'

# writeCase FOLDER NAME_BYTES: the game folder and what a run in it gives.
writeCase() {
  local d=$W/$1 name=$2
  rm -rf "$d"
  mkdir -p "$d/game/tackle/baits"
  # "Łosoś pellet (€2) 鯉" in UTF-16LE with its mark.
  { printf '\xFF\xFE'; printf '[Header]\r\nName=\xC5\x81oso\xC5\x9B pellet (\xE2\x82\xAC2) \xE9\xAF\x89\r\n' |
    iconv -f UTF-8 -t UTF-16LE; } >"$d/game/tackle/baits/salmon.tkl"
  printf 'Tarnlure 2 bait analyser\nLoading baits... please wait...tackle/baits/salmon.tkl\nSORTING\nWRITING HTM\n' >"$d/stdout.txt"
  printf '%s\n' "$HEAD" "$L$name$X" "${L}Insect$X" "${C}1$X" "${C}16$X" "${C}see small$X" \
    "${C}12$X" "${C}see small$X" "</tr>" "$FOOT" >"$d/baithook.htm"
  printf '%s\n' "$name" "${T}${T}Size${T}${T}Hook size${T}${T}Weight${T}${T}Min fish" \
    "${T}${T}1${T}${T}16${T}${T}${T}0${T}${T}0 lb, 0 oz, 1 dr" \
    "5 Pieces${T}${T}${T}11${T}${T}${T}5${T}${T}5 lb, 0 oz, 1 dr" " " >"$d/banalyse.txt"
}

# Code page 1252: Ł and ś become their look-alikes L and s, € is 0x80, and
# 鯉, which has none, "?".
writeCase utf16-bait $'Losos pellet (\x802) ?'
# Code page 1250 (a Polish Windows): Ł is 0xA3, ś 0x9C, € 0x80, 鯉 "?".
writeCase utf16-bait-cp1250 $'\xA3oso\x9C pellet (\x802) ?'
echo pl_PL.UTF-8 >"$W/utf16-bait-cp1250/locale"
