#!/usr/bin/env bash
# Every test of the project: the native build's unit tests, then the same tests built for Windows and
# run under Wine with a Japanese locale, then the Windows-only tests of the program itself.
# Ends with one line "N passed, N failed"; exits non-zero on any failure or build error.
set -uo pipefail
cd "$(dirname "$0")"
root=$(pwd)

log() { printf '\n=== %s\n' "$*"; }

install_missing() {
  local need=()
  command -v cmake >/dev/null || need+=(cmake)
  command -v g++ >/dev/null || need+=(g++)
  [ -d /usr/src/googletest ] || need+=(googletest)
  command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64-posix)
  command -v i686-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-i686-posix)
  { command -v wine >/dev/null && [ -x /usr/lib/wine/wine64 ]; } || need+=(wine64 wine)
  command -v Xvfb >/dev/null || need+=(xvfb)
  command -v python3 >/dev/null || need+=(python3)
  command -v xdotool >/dev/null || need+=(xdotool)
  fc-list 2>/dev/null | grep -qi 'ipagothic\|noto sans cjk' || need+=(fonts-ipafont-gothic fontconfig)
  [ -f /usr/share/i18n/SUPPORTED ] || need+=(locales)
  if [ ${#need[@]} -gt 0 ]; then
    log "installing ${need[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq && apt-get install -y -qq "${need[@]}" >/dev/null || return 1
  fi
  # Japanese for Wine's code page 932; German so that the number texts are shown not to follow a
  # locale whose decimal separator is a comma.
  local missing=0
  for name in ja_JP de_DE; do
    if ! locale -a 2>/dev/null | grep -qi "^$name.utf8$"; then
      log "generating the $name.UTF-8 locale"
      sed -i "s/^# *\($name.UTF-8 UTF-8\)/\1/" /etc/locale.gen
      grep -q "^$name.UTF-8 UTF-8" /etc/locale.gen || echo "$name.UTF-8 UTF-8" >> /etc/locale.gen
      missing=1
    fi
  done
  if [ "$missing" = 1 ]; then locale-gen >/dev/null || return 1; fi
}

build_errors=0
build() {
  local preset=$1
  log "configure and build: $preset"
  if ! cmake --preset "$preset" >"build-$preset.log" 2>&1; then
    cat "build-$preset.log"; build_errors=$((build_errors + 1)); return 1
  fi
  if ! cmake --build --preset "$preset" >>"build-$preset.log" 2>&1; then
    grep -E 'error|Error|warning' "build-$preset.log" | head -50; build_errors=$((build_errors + 1)); return 1
  fi
  if grep -q 'warning:' "build-$preset.log"; then
    echo "compiler warnings in the $preset build:"; grep 'warning:' "build-$preset.log" | sort -u | head -20
    build_errors=$((build_errors + 1)); return 1
  fi
  rm -f "build-$preset.log"
}

# Failures that ctest saw but no result file shows.
ctest_failed_without_results=0
run_tests() {
  local preset=$1
  mkdir -p "build/$preset/test-results"
  log "tests: $preset"
  local out; out=$(ctest --preset "$preset" 2>&1); echo "$out" | tail -40
  # A program that crashed or could not start leaves no result file, and one that failed only after
  # writing it (a leak report at exit, a crash in a destructor) leaves one without failures: either
  # way ctest's verdict counts.
  while read -r name; do
    [ -n "$name" ] || continue
    local xml="build/$preset/test-results/$name.xml"
    if [ ! -s "$xml" ] || grep -m1 -o '<testsuites[^>]*>' "$xml" | grep -q ' failures="0".* errors="0"'; then
      ctest_failed_without_results=$((ctest_failed_without_results + 1))
    fi
  done < <(echo "$out" | sed -n 's/^ *[0-9]*\/[0-9]* Test *#[0-9]*: \([^ ]*\) .*\*\*\*.*/\1/p')
}

start_display() {
  if [ -z "${DISPLAY:-}" ]; then
    Xvfb :93 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=:93
    sleep 1
  fi
}

prepare_wine() {
  # The same loader, prefix and settings as the test programs get from ctest.
  local wine="$root/cmake/wine-run.sh"
  export WINEPREFIX="$root/build/mingw/wineprefix"
  # A prefix left by another Wine installation (e.g. one that had 32-bit support) cannot start
  # programs any more: make it anew.
  if [ -f "$WINEPREFIX/system.reg" ] && ! "$wine" cmd /c exit >/dev/null 2>&1; then
    log "the Wine prefix does not start programs: making it anew"
    wineserver -k 2>/dev/null; rm -rf "$WINEPREFIX"
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    log "creating the Wine prefix"
    "$wine" wineboot -i >/dev/null 2>&1
  fi
  # Start the server and Wine's own services here, detached from ctest: a service started by the
  # first test program would inherit ctest's output pipe and keep ctest waiting until its timeout.
  wineserver -p >/dev/null 2>&1 </dev/null || true
  "$wine" wineboot >/dev/null 2>&1 </dev/null
}

xvfb_pid=
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; wineserver -k 2>/dev/null; true; }
trap cleanup EXIT

install_missing || { echo "could not install the build tools"; echo "0 passed, 1 failed"; exit 1; }

# Results of an earlier run must not be counted when a build fails this time.
rm -rf build/linux/test-results build/mingw/test-results build/sanitize/test-results

build linux && run_tests linux
extra_passed=0; extra_failed=0
# A check that is a whole script rather than a test program counts as one test.
run_script_check() {
  local name=$1; shift
  log "check: $name"
  if "$@"; then extra_passed=$((extra_passed + 1)); else echo "FAILED: $name"; extra_failed=$((extra_failed + 1)); fi
}

if build mingw; then
  start_display
  prepare_wine
  run_tests mingw
  # The release package as a Jw_cad user gets it, unpacked and run through its batch file.
  run_script_check "release packages" ./package.sh
  run_script_check "package run through the batch file under Wine" tests/jwcad/zip_e2e.sh
fi
if [ "${TARVIK_SANITIZE:-0}" = 1 ] && build sanitize; then run_tests sanitize; fi

passed=0; failed=0; skipped=0
presets=(linux mingw)
[ "${TARVIK_SANITIZE:-0}" = 1 ] && presets+=(sanitize)
for xml in $(for p in "${presets[@]}"; do ls build/$p/test-results/*.xml 2>/dev/null; done); do
  [ -f "$xml" ] || continue
  head=$(grep -m1 -o '<testsuites[^>]*>' "$xml")
  attr() { echo "$head" | sed -n "s/.* $1=\"\([0-9]*\)\".*/\1/p"; }
  t=$(attr tests); f=$(attr failures); e=$(attr errors); d=$(attr disabled)
  t=${t:-0}; f=${f:-0}; e=${e:-0}; d=${d:-0}
  # The top element carries no count of skipped tests; each skipped case says so itself.
  s=$(grep -c 'result="skipped"' "$xml")
  passed=$((passed + t - f - e - d - s)); failed=$((failed + f + e)); skipped=$((skipped + s))
done
passed=$((passed + extra_passed))
failed=$((failed + extra_failed + ctest_failed_without_results + build_errors))
echo
[ "$skipped" -eq 0 ] || echo "$skipped skipped (neither passed nor failed)"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
