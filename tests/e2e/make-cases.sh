#!/bin/bash
# Writes the end-to-end cases; every expected byte below is typed out by hand.
#   tests/e2e/make-cases.sh [FOLDER]
# writes them into FOLDER, by default the folder this script lives in (the
# committed cases). The e2e tests run it into a temporary folder and compare
# what it writes with the committed files, so the two cannot drift apart.
set -euo pipefail
E=${1:-$(dirname "${BASH_SOURCE[0]}")}
if [ ! -d "$E" ]; then
  echo "make-cases.sh: no folder $E" >&2
  exit 1
fi
E=$(cd "$E" && pwd)
# shellcheck source=tests/e2e/page-text.sh
source "$(dirname "${BASH_SOURCE[0]}")/page-text.sh"
BANNER='Tarnlure 2 bait analyser
Loading baits... please wait...'
T=$'\t'
LOGHDR="${T}${T}Size${T}${T}Hook size${T}${T}Weight${T}${T}Min fish"

# row NAME CLASS SIZES H1 H2 H3 H4
row() { printf '%s\n' "$L$1$X" "$L$2$X" "$C$3$X" "$C$4$X" "$C$5$X" "$C$6$X" "$C$7$X" "</tr>"; }
defrow() { row "$1" Insect 1 16 "see small" 12 "see small"; }
defblock() { printf '%s\n' "$1" "$LOGHDR" "${T}${T}1${T}${T}16${T}${T}${T}0${T}${T}0 lb, 0 oz, 1 dr" "5 Pieces${T}${T}${T}11${T}${T}${T}5${T}${T}5 lb, 0 oz, 1 dr" " "; }
page() { printf '%s\n' "$HEAD"; cat; printf '%s\n' "$FOOT"; }

rm -rf "$E"/{empty,missing-dir,defaults,worked-examples,sorting,sort-declines,second-run}

# --- empty bait folder
d="$E"/empty; mkdir -p "$d"/game/tackle/baits; : > "$d"/game/tackle/baits/.keep
printf '%sSORTING\nWRITING HTM\n' "$BANNER" > "$d"/stdout.txt
page < /dev/null > "$d"/baithook.htm

# --- no bait folder at all
d="$E"/missing-dir; mkdir -p "$d"/game/tackle; : > "$d"/game/tackle/.keep
cp "$E"/empty/stdout.txt "$E"/empty/baithook.htm "$d"/

# --- files without any recognised content take every default
d="$E"/defaults; mkdir -p "$d"/game/tackle/baits
: > "$d"/game/tackle/baits/empty.tkl
printf 'just some words\nno sections = here\n' > "$d"/game/tackle/baits/garbage.tkl
printf '%stackle/baits/empty.tkl\ntackle/baits/garbage.tkl\nSORTING\nWRITING HTM\n' "$BANNER" > "$d"/stdout.txt
{ defrow "Unknown bait"; defrow "Unknown bait"; } | page > "$d"/baithook.htm
{ defblock "Unknown bait"; defblock "Unknown bait"; } > "$d"/banalyse.txt

# --- worked examples of sizes, hook sizes, classes and escaping
d="$E"/worked-examples; mkdir -p "$d"/game/tackle/baits; b="$d"/game/tackle/baits
printf '[Header]\r\nName=Sweetcorn\r\n[BAIT]\r\nAdjustsize=3\r\nWeight=2\r\nAdjWeight=0.5\r\nMinsize=256\r\nAddsize=128\r\n[Class]\r\nClassType=2\r\n' > "$b"/a-three-sizes.tkl
printf '[Header]\nName=Caster\n[Bait]\nAdjustsize=11\nadjhooksize=-0.1\n[Class]\nClassType=6\n' > "$b"/b-eleven-sizes.tkl
printf '[Header]\nName=Bread flake\n[bait]\nhooksize=10.9\nadjhooksize=-0.5\nAdjustsize=2\n[Class]\nClassType=10\n' > "$b"/c-half-steps.tkl
printf '[Header]\nName=Groundbait mix\n[bait]\nType=5\nHookbait=0\nAdjustsize=4\n[Class]\nClassType=0\n' > "$b"/d-not-hook.tkl
printf '[Header]\nName=Odd one\n[Class]\nClassType=11\n' > "$b"/e-odd-class.tkl
printf '[Header]\nName=Prawn "<i>King</i>" & co\n[Class]\nClassType=7\n' > "$b"/f-markup.tkl
printf '%s' "$BANNER" > "$d"/stdout.txt
printf 'tackle/baits/%s\n' a-three-sizes.tkl b-eleven-sizes.tkl c-half-steps.tkl d-not-hook.tkl e-odd-class.tkl f-markup.tkl >> "$d"/stdout.txt
printf 'SORTING\nWRITING HTM\n' >> "$d"/stdout.txt
{
  row "Bread flake" Processed 2 10 10 8 8
  row "Caster" "Flying insect" 11 16 15 15 14
  row "Groundbait mix" "" 4 N.A N.A N.A N.A
  row "Odd one" "" 1 16 "see small" 12 "see small"
  row "Prawn &quot;&lt;i&gt;King&lt;/i&gt;&quot; &amp; co" Shellfish 1 16 "see small" 12 "see small"
  row "Sweetcorn" Seed 3 16 14 12 10
} | page > "$d"/baithook.htm
{
  printf '%s\n' "Sweetcorn" "$LOGHDR" \
    "${T}${T}1${T}${T}16${T}${T}${T}2${T}${T}1 lb, 0 oz, 0 dr" \
    "${T}${T}2${T}${T}15${T}${T}${T}2${T}${T}1 lb, 8 oz, 0 dr" \
    "${T}${T}3${T}${T}14${T}${T}${T}3${T}${T}2 lb, 0 oz, 0 dr" \
    "5 Pieces${T}${T}${T}1${T}${T}${T}9${T}${T}8 lb, 8 oz, 0 dr" " "
  printf '%s\n' "Caster" "$LOGHDR" \
    "${T}${T}1${T}${T}16${T}${T}${T}0${T}${T}0 lb, 0 oz, 1 dr" \
    "${T}${T}2${T}${T}15${T}${T}${T}1${T}${T}1 lb, 0 oz, 1 dr" \
    "${T}${T}3${T}${T}15${T}${T}${T}2${T}${T}2 lb, 0 oz, 1 dr" \
    "${T}${T}4${T}${T}15${T}${T}${T}3${T}${T}3 lb, 0 oz, 1 dr" \
    "${T}${T}5${T}${T}15${T}${T}${T}4${T}${T}4 lb, 0 oz, 1 dr" \
    "${T}${T}6${T}${T}15${T}${T}${T}5${T}${T}5 lb, 0 oz, 1 dr" \
    "${T}${T}7${T}${T}15${T}${T}${T}6${T}${T}6 lb, 0 oz, 1 dr" \
    "${T}${T}8${T}${T}15${T}${T}${T}7${T}${T}7 lb, 0 oz, 1 dr" \
    "${T}${T}9${T}${T}15${T}${T}${T}8${T}${T}8 lb, 0 oz, 1 dr" \
    "${T}${T}10${T}${T}15${T}${T}${T}9${T}${T}9 lb, 0 oz, 1 dr" \
    "${T}${T}11${T}${T}14${T}${T}${T}10${T}${T}10 lb, 0 oz, 1 dr" \
    "5 Pieces${T}${T}${T}10${T}${T}${T}55${T}${T}55 lb, 0 oz, 1 dr" " "
  printf '%s\n' "Bread flake" "$LOGHDR" \
    "${T}${T}1${T}${T}10${T}${T}${T}0${T}${T}0 lb, 0 oz, 1 dr" \
    "${T}${T}2${T}${T}10${T}${T}${T}1${T}${T}1 lb, 0 oz, 1 dr" \
    "5 Pieces${T}${T}${T}5${T}${T}${T}10${T}${T}10 lb, 0 oz, 1 dr" " "
  printf '%s\n' "Groundbait mix" "$LOGHDR" \
    "${T}${T}1${T}${T}16${T}${T}${T}0${T}${T}0 lb, 0 oz, 1 dr" \
    "${T}${T}2${T}${T}15${T}${T}${T}1${T}${T}1 lb, 0 oz, 1 dr" \
    "${T}${T}3${T}${T}14${T}${T}${T}2${T}${T}2 lb, 0 oz, 1 dr" \
    "${T}${T}4${T}${T}13${T}${T}${T}3${T}${T}3 lb, 0 oz, 1 dr" \
    "5 Pieces${T}${T}${T}-4${T}${T}${T}20${T}${T}20 lb, 0 oz, 1 dr" " "
  defblock "Odd one"
  defblock 'Prawn "<i>King</i>" & co'
} > "$d"/banalyse.txt

# --- name order: case folded, underscore before letters, equal names stable
d="$E"/sorting; mkdir -p "$d"/game/tackle/baits; b="$d"/game/tackle/baits
printf '[Header]\nName=worm\n' > "$b"/a-worm.tkl
printf '[Header]\nName=_Maggot\n' > "$b"/B-maggot.TKL
printf '[Header]\nName=Bloodworm\n[bait]\nType=2\n' > "$b"/c-bloodworm.tkl
printf '[Header]\nName=apple\n' > "$b"/D-apple.tkl
printf '[Header]\nName=Apple\n' > "$b"/e-apple.Tkl
printf '[Header]\nName=WORM\n[bait]\nType=4\n' > "$b"/F-worm.tkl
printf '[Header]\nName=not a bait file\n' > "$b"/g-notes.txt
printf '%s' "$BANNER" > "$d"/stdout.txt
printf 'tackle/baits/%s\n' a-worm.tkl B-maggot.TKL c-bloodworm.tkl D-apple.tkl e-apple.Tkl F-worm.tkl >> "$d"/stdout.txt
printf 'SORTING\nWRITING HTM\n' >> "$d"/stdout.txt
{ defrow _Maggot; defrow Apple; defrow apple; defrow Bloodworm; defrow WORM; defrow worm; } | page > "$d"/baithook.htm
{ defblock worm; defblock _Maggot; defblock Bloodworm; defblock apple; defblock Apple; defblock WORM; } > "$d"/banalyse.txt

# --- fewer than two baits of type 1 or 2: rows stay in reverse scan order
d="$E"/sort-declines; mkdir -p "$d"/game/tackle/baits; b="$d"/game/tackle/baits
printf '[Header]\nName=Worm\n[bait]\nType=3\n' > "$b"/a.tkl
printf '[Header]\nName=bread\n[bait]\nType=1\n' > "$b"/b.tkl
printf '[Header]\nName=Caster\n[bait]\nType=0\n' > "$b"/c.tkl
printf '%stackle/baits/a.tkl\ntackle/baits/b.tkl\ntackle/baits/c.tkl\nSORTING\nWRITING HTM\n' "$BANNER" > "$d"/stdout.txt
{ defrow Caster; defrow bread; defrow Worm; } | page > "$d"/baithook.htm
{ defblock Worm; defblock bread; defblock Caster; } > "$d"/banalyse.txt

# --- a second run rebuilds the page and extends the log
d="$E"/second-run; mkdir -p "$d"/game/tackle/baits; b="$d"/game/tackle/baits
printf '[Header]\nName=Lobworm\n[bait]\nAdjustsize=2\n' > "$b"/lobworm.tkl
printf 'an old page that must go\n' > "$d"/game/baithook.htm
printf 'a line from an older run\n' > "$d"/game/banalyse.txt
echo 2 > "$d"/runs
printf '%stackle/baits/lobworm.tkl\nSORTING\nWRITING HTM\n' "$BANNER" > "$d"/stdout.txt
row Lobworm Insect 2 16 15 12 11 | page > "$d"/baithook.htm
lob() { printf '%s\n' "Lobworm" "$LOGHDR" \
    "${T}${T}1${T}${T}16${T}${T}${T}0${T}${T}0 lb, 0 oz, 1 dr" \
    "${T}${T}2${T}${T}15${T}${T}${T}1${T}${T}1 lb, 0 oz, 1 dr" \
    "5 Pieces${T}${T}${T}6${T}${T}${T}10${T}${T}10 lb, 0 oz, 1 dr" " "; }
{ printf 'a line from an older run\n'; lob; lob; } > "$d"/banalyse.txt
