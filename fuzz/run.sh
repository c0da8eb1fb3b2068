#!/usr/bin/env bash
# Builds every fuzz/*_fuzz.cpp with clang's libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer
# into build/fuzz/, then runs each for the given number of seconds on a corpus seeded from tests/data
# and examples/. Usage: fuzz/run.sh [seconds per target, default 60] [target name ...]
#
# The portable sources of src/ are compiled into one archive per folder; each target links the
# archives and takes only the objects it needs, so a target does not depend on folders it never calls
# (a source that does not compile yet is left out with a warning instead of stopping every target).
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${1:-60}
shift || true
wanted=("$@")

cxx=${CXX_FUZZ:-clang++}
out=$root/build/fuzz
mkdir -p "$out/obj" "$out/artifacts"
flags=(-std=c++20 -g -O1 -fno-omit-frame-pointer -fsanitize=fuzzer-no-link,address,undefined
       -fno-sanitize-recover=undefined -Wall -Wextra)
includes=()
for folder in utilities platform host_exchange program dimension_tool render; do includes+=(-I"$root/src/$folder"); done

newest_header=$(find "$root/src" -name '*.h' -printf '%T@\n' | sort -n | tail -1)

# compile SOURCE OBJECT: only when the object is missing or older than its source or any header.
compile() {
  local source=$1 object=$2
  if [ -f "$object" ] && [ "$object" -nt "$source" ]; then
    local object_time; object_time=$(stat -c %Y "$object")
    if [ "${newest_header%.*}" -le "$object_time" ]; then return 0; fi
  fi
  "$cxx" "${flags[@]}" "${includes[@]}" -c "$source" -o "$object"
}

archives=()
for folder in render dimension_tool program host_exchange utilities platform; do
  objects=()
  for source in "$root"/src/$folder/*.cpp; do
    [ -f "$source" ] || continue
    # Windows sources, and programs with their own main.
    case "$source" in *_win.cpp | *_main.cpp | *_bench.cpp) continue ;; esac
    object=$out/obj/${folder}_$(basename "${source%.cpp}").o
    if compile "$source" "$object"; then
      objects+=("$object")
    else
      echo "warning: $source does not compile; targets that need it will not link" >&2
      rm -f "$object"
    fi
  done
  archive=$out/lib$folder.a
  rm -f "$archive"
  if [ ${#objects[@]} -gt 0 ]; then
    ar rcs "$archive" "${objects[@]}"
    archives+=("$archive")
  fi
done

status=0
for source in "$root"/fuzz/*_fuzz.cpp; do
  [ -f "$source" ] || continue
  name=$(basename "${source%.cpp}")
  if [ ${#wanted[@]} -gt 0 ] && [[ ! " ${wanted[*]} " =~ " $name " ]]; then continue; fi

  echo "=== build $name"
  if ! "$cxx" "${flags[@]}" -fsanitize=fuzzer "${includes[@]}" "$source" \
      -Wl,--start-group "${archives[@]}" -Wl,--end-group -o "$out/$name"; then
    echo "error: $name did not build" >&2
    status=1
    continue
  fi

  corpus=$out/corpus/$name
  mkdir -p "$corpus"
  for seed in "$root"/tests/data/* "$root"/examples/*; do
    [ -f "$seed" ] && cp -n "$seed" "$corpus/" 2>/dev/null
  done
  # The renderer's input is an exchange file too: it shares the reader's keywords.
  words=${name%_fuzz}
  [ "$words" = render ] && words=exchange_reader
  dictionary=()
  [ -f "$root/fuzz/$words.dict" ] && dictionary=(-dict="$root/fuzz/$words.dict")

  echo "=== run $name for $seconds s"
  log=$out/$name.log
  "$out/$name" "$corpus" "${dictionary[@]}" -max_total_time="$seconds" -max_len=65536 -timeout=25 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$out/artifacts/$name-" >"$log" 2>&1
  result=$?
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$log"
  if [ $result -ne 0 ]; then
    echo "error: $name found a problem (exit $result); see $log and $out/artifacts/" >&2
    grep -E 'ERROR|SUMMARY|artifact' "$log" | head -10 >&2
    status=1
  else
    echo "$name: nothing found"
  fi
done
exit $status
