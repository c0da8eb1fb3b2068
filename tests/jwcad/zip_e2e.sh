#!/usr/bin/env bash
# The release package as a Jw_cad user meets it, under Wine: unpack the win64 zip into a folder whose
# path holds blanks and Japanese, write JWC_TEMP.TXT and the settings files there as the host and an
# earlier run would, and start every batch file of the zip through cmd from another folder. A batch file
# that opens the dialog gets Enter (drawing commands must appear in the exchange file) and then Escape
# (nothing may change); a quick one must draw without a dialog exactly what Enter drew for the same
# settings, and leave the settings alone. A row file that hands over (REM #h/NAME.BAT) is followed by
# NAME.BAT on a new exchange file of two points, as Jw_cad would start it: the row's next dimension.
# Usage: tests/jwcad/zip_e2e.sh [path/to/tarvik-x.y.z-win64.zip]   (default: the newest in dist/,
# made by ./package.sh when there is none). Exits non-zero on the first failed check.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
started=$(date +%s)

say() { printf '%s\n' "$*"; }
ok() { printf '  ok    %s\n' "$*"; }
fail() { printf '  FAIL  %s\n' "$*"; exit 1; }

"$root/cmake/install-deps.sh" wine display package || fail "could not install the tools this check needs"

zip=${1:-}
if [ -z "$zip" ]; then
  zip=$(ls -t "$root"/dist/tarvik-*-win64.zip 2>/dev/null | head -1)
  if [ -z "$zip" ]; then
    say "no package in dist/: running ./package.sh"
    "$root/package.sh" >/dev/null || fail "./package.sh failed"
    zip=$(ls -t "$root"/dist/tarvik-*-win64.zip 2>/dev/null | head -1)
  fi
fi
[ -f "$zip" ] || fail "no package at '$zip'"
say "package: ${zip#"$root"/}"

scratch=$(mktemp -d)
wine_pid=
dialog=
cleanup() {
  # A dialog left open by a failed check belongs to this run: end its process by the id its window gives.
  local pid
  if [ -n "$dialog" ] && pid=$(xdotool getwindowpid "$dialog" 2>/dev/null); then kill "$pid" 2>/dev/null; fi
  [ -n "$wine_pid" ] && kill "$wine_pid" 2>/dev/null
  "$root/cmake/wine-session.sh" stop >/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

# A display of our own unless one is given, and the prefix made and running.
export WINEPREFIX=${WINEPREFIX:-$root/build/mingw/wineprefix}
"$root/cmake/wine-session.sh" start >/dev/null || fail "Wine could not be readied"
source "$root/cmake/script-lib.sh"
use_prefix_display

# ---- Unpack where blanks and Japanese test every path the program and the batch file build
parent="$scratch/ジェイ ダブリュー"
mkdir -p "$parent"
unzip -q "$zip" -d "$parent" || fail "unzip"
folder="$parent/tarvik"
for f in tarvik.exe 'はじめにお読みください.txt' LICENSE; do
  [ -f "$folder/$f" ] || fail "the package has no tarvik/$f"
done
cmp -s "$folder/LICENSE" "$root/LICENSE" || fail "the package's LICENSE differs from the repository's"

ok "unpacked into $folder"
mapfile -t batch_files < <(cd "$root/jwcad" && LC_ALL=C ls -- *.bat)
[ ${#batch_files[@]} -gt 0 ] || fail "no batch files in jwcad/"
for bat in "${batch_files[@]}"; do
  cmp -s "$folder/$bat" "$root/jwcad/$bat" || fail "$bat in the package is missing or differs from jwcad/$bat"
done
[ "$(cd "$folder" && LC_ALL=C ls -- *.bat | tr '\n' ' ')" = "${batch_files[*]} " ] || fail "the package holds other batch files than jwcad/"
ok "batch files byte for byte as in jwcad/: ${batch_files[*]}"

# ---- The exchange file as Jw_cad writes it: Shift_JIS, CR LF, the header of a real file, four points.
# Scale 100 for every layer group; style 1 is 2 mm wide with no gap. The horizontal dimension gets the
# vertical one's points turned a quarter turn clockwise; the aligned one gets the vertical one's, one
# above the other, where it must draw the vertical dimension byte for byte.
exchange=$folder/JWC_TEMP.TXT
write_exchange() {  # write_exchange vertical|horizontal|aligned|next-vertical|next-horizontal
  local points='hp1 0 0;hp2 0 1000;hp3 500 300;hp4 600 400'
  [ "$1" = horizontal ] && points='hp1 0 0;hp2 1000 0;hp3 300 -500;hp4 400 -600'
  # A continuation's two points, as "#1-" makes Jw_cad write the first.
  [ "$1" = next-vertical ] && points='hp1- 0 2500;hp2 700 1800'
  [ "$1" = next-horizontal ] && points='hp1- 2500 0;hp2 1800 -700'
  LC_ALL=C awk -v points="$points" '
    { sub(/\r$/, ""); print $0 "\r" }
    /^hn / { n = split(points, p, ";"); for (i = 1; i <= n; i++) print p[i] "\r" }
  ' "$root/tests/data/host_one_line_selection.txt" > "$exchange"
  grep -q $'^hp2 ' "$exchange" || fail "could not build the exchange file"
  cp "$exchange" "$scratch/exchange.before"
}

# The settings of an earlier confirmed run, one file for each dimension: text style No1 chosen,
# everything else at its default; its scale and points (lines 23 to 31) are those of another drawing,
# so that a save shows.
settings_files='selvan.dat selvan_h.dat selvan_a.dat'
for name in $settings_files; do
  {
    printf '\xEF\xBB\xBF'
    for line in 50 50 0 0 1 3 2 1 '' '' 0.5 2 2 3 15 2 0 0 0 0 0 0 0 1 0 0 0 0 0 0 0; do
      printf '%s\r\n' "$line"
    done
  } > "$folder/$name"
done

# run_batch BAT KEY: starts the batch file as the host does and waits for cmd to end. KEY "none": the
# program must end by itself without a dialog; otherwise it waits for the dialog and presses KEY. cmd
# runs in another folder, so the program must find its files beside itself.
run_batch() {
  local bat=$1 key=$2 batch window
  dialog=
  batch=$(printf 'Z:%s' "$(printf '%s' "$folder/$bat" | tr '/' '\\')")
  (cd "$scratch" && exec "$root/cmake/wine-run.sh" cmd /c "$batch" >"$scratch/cmd.out" 2>&1) &
  wine_pid=$!
  if [ "$key" = none ]; then
    for _ in $(seq 600); do
      kill -0 "$wine_pid" 2>/dev/null || break
      if window=$(xdotool search --onlyvisible --name '^tarvik' 2>/dev/null | head -1) && [ -n "$window" ]; then
        dialog=$window
        fail "$bat opened a window ($(xdotool getwindowname "$window")) instead of drawing"
      fi
      sleep 0.1
    done
    kill -0 "$wine_pid" 2>/dev/null && fail "$bat has not ended within 60 s"
    wait "$wine_pid"
    ok "$bat ended by itself without a window (exit code $?)"
    wine_pid=
    return
  fi
  window=$(timeout 60 xdotool search --sync --onlyvisible --name '^tarvik' 2>/dev/null | head -1)
  [ -n "$window" ] || fail "the dialog did not appear within 60 s"
  dialog=$window
  ok "dialog shown: $(xdotool getwindowname "$window")"
  sleep 1
  # Jw_cad reads the exchange file back when the batch file ends, so it must still run here.
  kill -0 "$wine_pid" 2>/dev/null || fail "the batch file ended while the dialog is open"
  ok "the batch file waits for the dialog"
  xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
  xdotool key --clearmodifiers "$key"
  for _ in $(seq 300); do
    kill -0 "$wine_pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$wine_pid" 2>/dev/null; then
    fail "cmd has not ended 30 s after $key (dialog still open?)"
  fi
  wait "$wine_pid"
  local rc=$?
  wine_pid=
  ok "$key closed the dialog, the batch file ended (exit code $rc)"
  if xdotool search --onlyvisible --name '^tarvik' >/dev/null 2>&1; then
    fail "the dialog is still open after the batch file ended: the call must wait for it"
  fi
}

# check_answer vertical|horizontal: the exchange file holds the dimension, in the host's encoding.
check_answer() {
cmp -s "$exchange" "$scratch/exchange.before" && fail "JWC_TEMP.TXT is unchanged"
ok "JWC_TEMP.TXT rewritten"
bytes=$(LC_ALL=C od -An -c -N3 "$exchange" | tr -d ' ')
[ "$bytes" != '357273277' ] || fail "the answer carries a UTF-8 byte-order mark; the host wrote Shift_JIS"
[ "$(LC_ALL=C grep -c $'[^\r]$' "$exchange")" = 0 ] || fail "a line of the answer does not end in CR LF"
answer=$(tr -d '\r' < "$exchange" | iconv -f CP932 -t UTF-8)
say "  answer (${#answer} characters):"
printf '%s\n' "$answer" | sed 's/^/        /'
expect_line() {  # expect_line WHAT REGEX
  printf '%s\n' "$answer" | grep -Eq "$2" || fail "no $1 in the answer (pattern $2)"
  ok "$1: $(printf '%s\n' "$answer" | grep -E -m1 "$2")"
}
[ "$(printf '%s\n' "$answer" | head -1)" != hq ] || fail "the answer is the empty result hq"
# Scale 100: the gap of 2 mm is 200, the overshoot 2 mm is 200.
if [ "$1" = horizontal ]; then
  expect_line "extension line at point 1" '^0 -200 0 -700$'
  expect_line "extension line at point 2" '^1000 -200 1000 -700$'
  expect_line "dimension line" '^0 -500 1000 -500$'
  expect_line "value text 1000 at point 4, read from left to right" '^cs 400 -600 10 0 "1000$'
  expect_line "leader from the middle of the dimension line" '^500 -500 '
else
  expect_line "extension line at point 1" '^200 0 700 0$'
  expect_line "extension line at point 2" '^200 1000 700 1000$'
  expect_line "dimension line" '^500 0 500 1000$'
  expect_line "value text 1000 at point 4" '^cs 600 400 [^ ]+ [^ ]+ "1000$'
  expect_line "leader from the middle of the dimension line" '^500 500 '
fi
expect_line "text style No1 chosen" '^cn1$'
[ "$(printf '%s\n' "$answer" | grep -E '^cn[0-9]+$' | tail -1)" = cn2 ] || fail "the host's text style 2 is not restored at the end"
ok "the host's text style cn2 restored at the end"
expect_line "attribute line before the drawing commands" '^z3$'
lines4=$(printf '%s\n' "$answer" | grep -Ec '^-?[0-9.eE+-]+ -?[0-9.eE+-]+ -?[0-9.eE+-]+ -?[0-9.eE+-]+$')
[ "$lines4" -ge 9 ] || fail "expected at least 9 lines (2 extension, dimension, leader, horizontal, 4 arrow strokes), found $lines4"
ok "$lines4 line records"
}

# Each batch file by its call: the dimension it draws, its settings file, and whether the dialog opens.
run=0
for bat in "${batch_files[@]}"; do
  call=$(tr -d '\r' < "$folder/$bat" | tail -1)
  orientation=vertical settings=$folder/selvan.dat
  case "$call" in
    *' /horizontal'*) orientation=horizontal settings=$folder/selvan_h.dat ;;
    *' /aligned'*) orientation=aligned settings=$folder/selvan_a.dat ;;
  esac
  geometry=$orientation
  [ "$orientation" = aligned ] && geometry=vertical
  if [[ $call == *' /next'* ]]; then
    say "$bat: run as the continuation of a row (below)"
    continue
  fi
  if [[ $call == *' /quick'* ]]; then
    # Drawn as Enter drew it with the same settings (the dialog batch files come first in the list).
    run=$((run + 1)); say "run $run: $bat, $orientation, without the dialog"
    write_exchange "$orientation"
    cp "$settings" "$scratch/settings.before"
    run_batch "$bat" none
    check_answer "$geometry"
    [ -f "$scratch/answer.$orientation" ] || fail "no dialog run of the $orientation dimension to compare with"
    cmp -s "$exchange" "$scratch/answer.$orientation" || fail "$bat drew otherwise than Enter in the dialog"
    ok "byte for byte what Enter in the dialog wrote"
    cmp -s "$settings" "$scratch/settings.before" || fail "$bat changed ${settings##*/}"
    ok "${settings##*/} unchanged"
    # A row file hands over to its two-point file, which Jw_cad starts next with the two new points.
    next=$(tr -d '\r' < "$folder/$bat" | sed -n 's|^REM #h/||p')
    [ -n "$next" ] || continue
    [ -f "$folder/$next" ] || fail "$bat hands over to $next, which the package does not hold"
    run=$((run + 1)); say "run $run: $next continues the row of $bat"
    write_exchange "next-$geometry"
    run_batch "$next" none
    cmp -s "$exchange" "$scratch/exchange.before" && fail "JWC_TEMP.TXT is unchanged"
    answer=$(tr -d '\r' < "$exchange" | iconv -f CP932 -t UTF-8)
    if [ "$geometry" = horizontal ]; then
      expect_line "dimension line from the row's end, on the row's line" '^1000 -500 2500 -500$'
      expect_line "value text 1500 at the second point" '^cs 1800 -700 10 0 "1500$'
    else
      expect_line "dimension line from the row's end, on the row's line" '^500 1000 500 2500$'
      expect_line "value text 1500 at the second point" '^cs 700 1800 [^ ]+ [^ ]+ "1500$'
    fi
    cmp -s "$settings" "$scratch/settings.before" || fail "$next changed ${settings##*/}"
    ok "${settings##*/} unchanged"
    continue
  fi

  run=$((run + 1)); say "run $run: $bat, $orientation, Enter"
  write_exchange "$orientation"
  cp "$settings" "$scratch/settings.before"
  run_batch "$bat" Return
  check_answer "$geometry"
  if [ "$orientation" = aligned ]; then
    cmp -s "$exchange" "$scratch/answer.vertical" || fail "$bat drew otherwise than the vertical dimension"
    ok "byte for byte the vertical dimension of the same points"
  fi
  cp "$exchange" "$scratch/answer.$orientation"
  cmp -s "$settings" "$scratch/settings.before" && fail "${settings##*/} was not written after Enter"
  [ "$(LC_ALL=C grep -c '' "$settings")" = 31 ] || fail "${settings##*/} has $(grep -c '' "$settings") lines, not 31"
  saved=$(tr -d '\r' < "$settings" | sed -n '5p;24p;28,31p' | tr '\n' ' ')
  expected='1 100 0 1000 500 300 '
  [ "$geometry" = horizontal ] && expected='1 100 1000 0 300 -500 '
  [ "$saved" = "$expected" ] || fail "${settings##*/} lines 5, 24, 28-31 are '$saved', not the style, scale and points of this run"
  ok "${settings##*/} rewritten: 31 lines, style 1, scale 100, points 2 and 3 of this run"

  run=$((run + 1)); say "run $run: $bat, Escape"
  write_exchange "$orientation"
  for name in $settings_files; do cp "$folder/$name" "$scratch/$name.before"; done
  run_batch "$bat" Escape
  cmp -s "$exchange" "$scratch/exchange.before" || fail "JWC_TEMP.TXT changed after Escape"
  ok "JWC_TEMP.TXT unchanged"
  for name in $settings_files; do
    cmp -s "$folder/$name" "$scratch/$name.before" || fail "$name changed after Escape"
  done
  ok "$settings_files unchanged"
done

say "zip_e2e: all checks passed in $(( $(date +%s) - started )) s"
