#!/usr/bin/env bash
# Every test of the project: the native build's unit tests, then the same tests built for Windows and
# run under Wine with a Japanese locale, then the Windows-only tests of the program itself.
# Ends with one line "N passed, N failed"; exits non-zero on any failure or build error.
set -uo pipefail
cd "$(dirname "$0")"
root=$(pwd)

source cmake/script-lib.sh

build_errors=0
build() {
  local preset=$1
  log "configure and build: $preset"
  if build_preset "$preset" "build/$preset" "build-$preset.log"; then
    rm -f "build-$preset.log"
  else
    build_errors=$((build_errors + 1)); return 1
  fi
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

# Wine's programs of the test prefix end with the run, whoever started them.
cleanup() { WINEPREFIX=$root/build/mingw/wineprefix wineserver -k 2>/dev/null; true; }
trap cleanup EXIT

install=(build windows wine display package)
[ "${TARVIK_SANITIZE:-0}" = 1 ] && install+=(sanitize)
cmake/install-deps.sh "${install[@]}" || { echo "could not install the build tools"; echo "0 passed, 1 failed"; exit 1; }

# Results of an earlier run must not be counted when a build fails this time.
rm -rf build/linux/test-results build/mingw/test-results build/sanitize/test-results

extra_passed=0; extra_failed=0
# A check that is a whole script rather than a test program counts as one test.
run_script_check() {
  local name=$1; shift
  log "check: $name"
  if "$@"; then extra_passed=$((extra_passed + 1)); else echo "FAILED: $name"; extra_failed=$((extra_failed + 1)); fi
}

run_script_check "install-deps.sh runs each row's whole check" tests/cmake/install_deps_test.sh
build linux && run_tests linux

if build mingw; then
  # ctest starts a virtual display when DISPLAY is unset, and readies the Wine prefix.
  run_tests mingw
  # Layout tests under Wine measure text in the pinned fonts; without them they fail for no visible reason.
  if ! grep -qs '<testsuites[^>]* failures="0"' build/mingw/test-results/wine_fonts.xml; then
    log "Wine does not draw Japanese in the pinned font IPAGothic: the layout tests under Wine and the"
    echo "pictures measure another font. See cmake/wine-fonts.sh and the wine_fonts test's output above."
  fi
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
