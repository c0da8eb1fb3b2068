#!/usr/bin/env bash
# The one place that knows which Debian packages each part of the work needs. Usage:
#   cmake/install-deps.sh GROUP...
# Groups: build (native build and unit tests), windows (the x86-64 cross build and its tests), wine
# (running them, with the Japanese font they are drawn in), display (a virtual display, xdotool), package (the
# release zips), pictures (screenshots, SVG to PNG), bench (Google Benchmark), sanitize (clang with its
# sanitizers and libFuzzer).
# Installs only what is missing, with one package-list update before the first install; generates the
# locales the tests run in. Needs root when anything is missing.
set -euo pipefail

# Each row: GROUP|PACKAGES|CHECK, where CHECK is a shell test that holds when the packages are there. The
# check comes last because it is the only field that may itself hold a "|" (a pipe).
rows=(
  'build|cmake|command -v cmake'
  'build|g++|command -v g++'
  'build|make|command -v make'
  'build|googletest|[ -d /usr/src/googletest ]'
  'build|locales|[ -f /usr/share/i18n/SUPPORTED ]'
  'windows|cmake|command -v cmake'
  'windows|make|command -v make'
  'windows|g++-mingw-w64-x86-64-posix|command -v x86_64-w64-mingw32-g++-posix'
  'windows|googletest|[ -d /usr/src/googletest ]'
  'wine|wine64 wine|command -v wine && [ -x /usr/lib/wine/wine64 ]'
  'wine|fonts-wine|[ -f /usr/share/wine/fonts/marlett.ttf ]'
  'wine|locales|[ -f /usr/share/i18n/SUPPORTED ]'
  # The Japanese font pinned for every program under Wine (cmake/wine-fonts.sh says why this one).
  'wine|fonts-ipafont-gothic|[ -f /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf ]'
  'display|xvfb|command -v Xvfb'
  'display|xdotool|command -v xdotool'
  'display|fontconfig|command -v fc-list'
  'package|g++-mingw-w64-i686-posix|command -v i686-w64-mingw32-g++-posix'
  'package|unzip|command -v unzip'
  'package|python3|command -v python3'
  'pictures|imagemagick|[ -x /usr/bin/import ]'
  'pictures|librsvg2-bin|command -v rsvg-convert'
  'bench|libbenchmark-dev|[ -f /usr/include/benchmark/benchmark.h ]'
  'sanitize|clang|command -v clang++'
  'sanitize|libclang-rt-dev|ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a'
)
known='build windows wine display package pictures bench sanitize'

# One row as "GROUP<tab>PACKAGES<tab>CHECK": read takes the rest of the line into its last name, so a "|"
# inside the check stays part of it.
parse_row() {
  local group packages check
  IFS='|' read -r group packages check <<<"$1"
  printf '%s\t%s\t%s\n' "$group" "$packages" "$check"
}

# --rows: every row as it is parsed, for the test that holds the parsing to the rows as written.
if [ "${1:-}" = --rows ]; then
  for row in "${rows[@]}"; do parse_row "$row"; done
  exit 0
fi

[ $# -gt 0 ] || { echo "usage: $0 GROUP... (groups: $known)" >&2; exit 2; }
need=()
locales=()
for group in "$@"; do
  case " $known " in *" $group "*) ;; *) echo "$0: unknown group '$group' (groups: $known)" >&2; exit 2 ;; esac
  for row in "${rows[@]}"; do
    IFS=$'\t' read -r row_group packages check < <(parse_row "$row")
    [ "$row_group" = "$group" ] || continue
    bash -c "$check" >/dev/null 2>&1 && continue
    for package in $packages; do
      case " ${need[*]} " in *" $package "*) ;; *) need+=("$package") ;; esac
    done
  done
  # Wine runs with code page 932; the number texts are shown not to follow a locale whose decimal
  # separator is a comma.
  case $group in wine) locales+=(ja_JP) ;; build) locales+=(ja_JP de_DE) ;; esac
done

if [ ${#need[@]} -gt 0 ]; then
  echo "=== installing ${need[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  # Others may hold the package lock on a shared machine: wait for it rather than fail.
  apt-get -o DPkg::Lock::Timeout=600 update -qq
  apt-get -o DPkg::Lock::Timeout=600 install -y -qq "${need[@]}" >/dev/null
fi

missing=0
for name in "${locales[@]}"; do
  locale -a 2>/dev/null | grep -qi "^$name.utf8$" && continue
  echo "=== generating the $name.UTF-8 locale" >&2
  sed -i "s/^# *\($name.UTF-8 UTF-8\)/\1/" /etc/locale.gen
  grep -q "^$name.UTF-8 UTF-8" /etc/locale.gen || echo "$name.UTF-8 UTF-8" >>/etc/locale.gen
  missing=1
done
if [ "$missing" = 1 ]; then locale-gen >/dev/null; fi
