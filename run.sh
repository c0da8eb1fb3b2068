#!/usr/bin/env bash
# Builds tarvik.exe when needed and starts it under Wine, as Jw_cad would: in a scratch program folder
# (build/run/) beside a copy of the sample exchange file examples/JWC_TEMP.TXT.
# With a display the dialog is the user's. Without one the script starts Xvfb, picks a text style, saves a
# screenshot of the dialog to build/run/dialog.png and confirms with Enter. Either way it then prints the
# exchange file that the program left behind (converted to UTF-8 for the terminal) and draws it with
# jwc-render into build/run/result.svg and result.png, with the sample's text styles and scale.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
build_dir=${TARVIK_BUILD_DIR:-build/mingw}
run_dir=$root/build/run

source cmake/script-lib.sh

install_missing() {
  local groups=(windows wine pictures)
  # Without a display: a virtual one, driven by xdotool.
  [ -n "${DISPLAY:-}" ] || groups+=(display)
  cmake/install-deps.sh "${groups[@]}"
}

build() {
  log "building tarvik.exe and jwc-render.exe in $build_dir"
  build_preset mingw "$build_dir" "$build_dir/run-build.log" -- --target tarvik jwc-render
}

# The exchange file as text: UTF-8 when it carries a byte-order mark, otherwise Shift_JIS (code page 932).
print_exchange_file() {
  local file=$run_dir/JWC_TEMP.TXT
  echo "--- $file"
  if [ ! -f "$file" ]; then
    echo "(no exchange file)"
  elif [ "$(head -c 3 "$file" | od -An -tx1 | tr -d ' ')" = efbbbf ]; then
    tail -c +4 "$file" | tr -d '\r'
  else
    iconv -f CP932 -t UTF-8 "$file" | tr -d '\r'
  fi
}

# The exchange file that the program left behind, drawn by jwc-render (under Wine, as the program ran)
# with the text styles, scale and axis angle of the sample the host wrote, as Jw_cad would draw it.
# librsvg turns it into PNG: ImageMagick's own SVG reader mirrors texts drawn with per-glyph positions.
draw_result() {
  local render=$build_dir/src/render/jwc-render.exe
  [[ $render = /* ]] || render=$root/$render
  [ -f "$run_dir/JWC_TEMP.TXT" ] || return 0
  if ! (cd "$run_dir" && "$wine" "$render" JWC_TEMP.TXT result.svg --host ../../examples/JWC_TEMP.TXT) >/dev/null 2>&1 ||
    [ ! -f "$run_dir/result.svg" ]; then
    echo "jwc-render could not draw the result" >&2
    return 1
  fi
  rsvg-convert -b white -o "$run_dir/result.png" "$run_dir/result.svg"
  log "picture of the result (jwc-render --host examples/JWC_TEMP.TXT): $run_dir/result.svg, $run_dir/result.png"
}

program_pid=
session=
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  [ -n "$session" ] && cmake/wine-session.sh stop >/dev/null
  true
}
trap cleanup EXIT

install_missing
build

rm -rf "$run_dir"
mkdir -p "$run_dir"
cp "$build_dir/tarvik.exe" examples/JWC_TEMP.TXT "$run_dir/"

export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix-run}
# The test programs' Wine settings: Japanese code page, quiet, and the fonts that window frames need.
wine=$root/cmake/wine-run.sh

# Wine leaves window frames to the window manager; on a bare virtual display it draws them itself.
frames_by_wine() {
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$1" /f >/dev/null 2>&1 || true
}

if [ -n "${DISPLAY:-}" ]; then
  [ -f "$WINEPREFIX/system.reg" ] && frames_by_wine Y
  log "starting tarvik.exe in $run_dir"
  (cd "$run_dir" && "$wine" ./tarvik.exe)
  print_exchange_file
  draw_result
  exit 0
fi

# No display: a virtual one, driven by xdotool.
session=1
cmake/wine-session.sh start >/dev/null
use_prefix_display
frames_by_wine N

log "starting tarvik.exe in $run_dir on the virtual display $DISPLAY"
(cd "$run_dir" && exec "$wine" ./tarvik.exe) >/dev/null 2>&1 &
program_pid=$!

window=
for _ in $(seq 1 120); do
  window=$(xdotool search --name '^tarvik' 2>/dev/null | head -1) || true
  [ -n "$window" ] && break
  sleep 0.5
done
if [ -z "$window" ]; then
  echo "the dialog did not appear" >&2
  exit 1
fi
sleep 1
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
# Focus starts on ComboBox1; two Tabs reach the text-style list, Down twice picks text style No1.
xdotool key --delay 150 Tab Tab Down Down
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$run_dir/dialog.png"
log "screenshot of the dialog: $run_dir/dialog.png"
xdotool key Return

for _ in $(seq 1 60); do
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.5
done
if kill -0 "$program_pid" 2>/dev/null; then
  echo "the dialog did not close" >&2
  exit 1
fi
program_pid=
print_exchange_file
draw_result
