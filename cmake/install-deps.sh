#!/usr/bin/env bash
# The one place that knows which Debian packages each part of the work needs. Usage:
#   cmake/install-deps.sh GROUP...
# Groups: build (native build and unit tests), windows (the x86-64 cross build and its tests), wine
# (running them), display (a virtual display and the fonts the dialog is drawn with), package (the
# release zips), pictures (screenshots, SVG to PNG), bench (Google Benchmark), sanitize (clang with its
# sanitizers and libFuzzer).
# Installs only what is missing, with one package-list update before the first install; generates the
# locales the tests run in. Needs root when anything is missing.
set -euo pipefail

# Each row: GROUP, a shell test that holds when the package is there, the package.
rows=(
  'build|command -v cmake|cmake'
  'build|command -v g++|g++'
  'build|command -v make|make'
  'build|[ -d /usr/src/googletest ]|googletest'
  'build|[ -f /usr/share/i18n/SUPPORTED ]|locales'
  'windows|command -v cmake|cmake'
  'windows|command -v make|make'
  'windows|command -v x86_64-w64-mingw32-g++-posix|g++-mingw-w64-x86-64-posix'
  'windows|[ -d /usr/src/googletest ]|googletest'
  'wine|command -v wine && [ -x /usr/lib/wine/wine64 ]|wine64 wine'
  'wine|[ -f /usr/share/wine/fonts/marlett.ttf ]|fonts-wine'
  'wine|[ -f /usr/share/i18n/SUPPORTED ]|locales'
  'display|command -v Xvfb|xvfb'
  'display|command -v xdotool|xdotool'
  'display|command -v fc-list|fontconfig'
  "display|fc-list :lang=ja 2>/dev/null | grep -q .|fonts-ipafont-gothic"
  'package|command -v i686-w64-mingw32-g++-posix|g++-mingw-w64-i686-posix'
  'package|command -v unzip|unzip'
  'package|command -v python3|python3'
  'pictures|[ -x /usr/bin/import ]|imagemagick'
  'pictures|command -v rsvg-convert|librsvg2-bin'
  'bench|[ -f /usr/include/benchmark/benchmark.h ]|libbenchmark-dev'
  'sanitize|command -v clang++|clang'
  'sanitize|ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a|libclang-rt-dev'
)
known='build windows wine display package pictures bench sanitize'

[ $# -gt 0 ] || { echo "usage: $0 GROUP... (groups: $known)" >&2; exit 2; }
need=()
locales=()
for group in "$@"; do
  case " $known " in *" $group "*) ;; *) echo "$0: unknown group '$group' (groups: $known)" >&2; exit 2 ;; esac
  for row in "${rows[@]}"; do
    IFS='|' read -r row_group check packages <<<"$row"
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
