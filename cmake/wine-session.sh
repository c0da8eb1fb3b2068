#!/usr/bin/env bash
# Readies Wine for the Windows test programs, and ends what it started. Usage:
#   cmake/wine-session.sh start   a virtual display when DISPLAY is unset, and the prefix made and running
#   cmake/wine-session.sh stop    ends the virtual display and Wine when start began the display
# ctest runs both around the Windows tests; the display number goes to a file beside the prefix, where
# cmake/wine-run.sh finds it.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/mingw/wineprefix}
wine=$here/cmake/wine-run.sh
display_file=${WINEPREFIX%/}.display

# The virtual display that start began for this prefix, when it still runs: "NUMBER PID".
own_display() {
  [ -f "$display_file" ] || return 1
  local n pid
  read -r n pid <"$display_file"
  [ "$(ps -o comm= -p "$pid" 2>/dev/null)" = Xvfb ] && echo "$n $pid"
}

start_display() {
  [ -z "${DISPLAY:-}" ] || return 0
  local running
  if running=$(own_display); then
    export DISPLAY=:${running%% *}
    return 0
  fi
  # Other virtual displays may be running on this machine: take the first number without a lock file.
  local n=99
  while [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  # Its own session and no inherited output, so that ctest does not wait for it to end.
  setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
  local pid=$!
  for _ in $(seq 1 50); do
    [ -S "/tmp/.X11-unix/X$n" ] && break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null || { echo "wine-session: Xvfb did not start on :$n" >&2; return 1; }
  echo "$n $pid" >"$display_file"
  export DISPLAY=:$n
  echo "wine-session: virtual display :$n"
}

prepare_prefix() {
  # A prefix left by another Wine installation (e.g. one that had 32-bit support) cannot start
  # programs any more: make it anew.
  if [ -f "$WINEPREFIX/system.reg" ] && ! "$wine" cmd /c exit >/dev/null 2>&1 </dev/null; then
    echo "wine-session: the Wine prefix does not start programs: making it anew"
    wineserver -k 2>/dev/null; rm -rf "$WINEPREFIX"
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine-session: creating the Wine prefix $WINEPREFIX"
    "$wine" wineboot -i >/dev/null 2>&1 </dev/null
  fi
  # The server and Wine's own services start here, detached: a service started by the first test
  # program would inherit ctest's output pipe and keep ctest waiting until its timeout.
  wineserver -p >/dev/null 2>&1 </dev/null || true
  "$wine" wineboot >/dev/null 2>&1 </dev/null
}

case ${1:-} in
  start)
    mkdir -p "$(dirname "$WINEPREFIX")"
    start_display && prepare_prefix
    ;;
  stop)
    # Only a display that start began, and only while it is still that Xvfb.
    running=$(own_display) || { rm -f "$display_file"; exit 0; }
    read -r n pid <<<"$running"
    # Wine's programs hold the display open; they end with it.
    wineserver -k 2>/dev/null
    kill "$pid" 2>/dev/null
    rm -f "$display_file"
    echo "wine-session: virtual display :$n ended"
    ;;
  *)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
