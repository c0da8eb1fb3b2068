# What the project's shell scripts share; sourced by test.sh, run.sh, package.sh, tests/jwcad/zip_e2e.sh
# and cmake/wine-run.sh.

# A heading in the script's output.
log() { printf '\n=== %s\n' "$*"; }

# build_preset PRESET DIR LOGFILE [CONFIGURE-ARGS...] [-- BUILD-ARGS...]: configures one CMake preset into
# DIR (configured once; later calls only build) and builds it, quiet while it works. On failure, or when the compiler warned (the project builds without
# warnings), it shows what went wrong and returns non-zero; the log stays in LOGFILE either way.
build_preset() {
  local preset=$1 dir=$2 logfile=$3; shift 3
  local configure=() build=()
  while [ $# -gt 0 ] && [ "$1" != -- ]; do configure+=("$1"); shift; done
  [ $# -gt 0 ] && shift
  build=("$@")
  mkdir -p "$(dirname "$logfile")"
  if ! cmake --preset "$preset" -B "$dir" "${configure[@]}" >"$logfile" 2>&1; then
    cat "$logfile" >&2; echo "configuring $preset failed" >&2; return 1
  fi
  if ! cmake --build "$dir" -j2 "${build[@]}" >>"$logfile" 2>&1; then
    grep -E 'error|Error' "$logfile" | head -40 >&2; echo "building $preset failed" >&2; return 1
  fi
  if grep -q 'warning:' "$logfile"; then
    echo "compiler warnings in the $preset build:" >&2; grep 'warning:' "$logfile" | sort -u | head -20 >&2
    return 1
  fi
}

# The virtual display that cmake/wine-session.sh started for $WINEPREFIX, when DISPLAY is not set.
use_prefix_display() {
  local file=${WINEPREFIX%/}.display number
  if [ -z "${DISPLAY:-}" ] && [ -f "$file" ]; then
    read -r number _ <"$file"
    export DISPLAY=:$number
  fi
}
