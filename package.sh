#!/usr/bin/env bash
# Builds the release packages that Jw_cad users unpack: dist/tarvik-<version>-win64.zip and
# dist/tarvik-<version>-win32.zip, each holding a folder tarvik/ with tarvik.exe, every batch file of
# jwcad/, the user guide and the licence. The version is the one project() declares in CMakeLists.txt.
# Fails when a build fails or warns, or when a program imports a DLL that not every Windows has.
# Tools speak English here so that their output can be read (a Japanese LANG translates it).
export LC_ALL=C.UTF-8
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)

# Release builds live in folders of their own, without the test programs, so that a developer's
# incremental build or its test settings never leak into a package.
build_root=$root/build
dist=$root/dist
stage=$build_root/package-stage
guide_name='はじめにお読みください.txt'
# Every batch file in jwcad/ is one way to call the program; all of them ship.
mapfile -t batch_files < <(cd "$root/jwcad" && LC_ALL=C ls -- *.bat)

# DLLs the program may import: only the known DLLs, which Windows always loads from its own folder, so that
# no DLL placed beside the program (in a download folder, say) is loaded before wWinMain restricts the
# search; plus COMCTL32, which the manifest binds to the system's side-by-side common controls 6.
allowed_dlls='KERNEL32.DLL USER32.DLL GDI32.DLL COMDLG32.DLL IMM32.DLL ADVAPI32.DLL SHELL32.DLL SHLWAPI.DLL
OLE32.DLL OLEAUT32.DLL MSVCRT.DLL COMCTL32.DLL'

source "$root/cmake/script-lib.sh"
fail() { echo "package.sh: $*" >&2; exit 1; }

"$root/cmake/install-deps.sh" windows package || fail "could not install the build tools"

# build PRESET FOLDER: configures and builds the target tarvik; fails on errors and on warnings.
build() {
  local preset=$1 dir=$2 logfile=$2/package-build.log
  log "build $preset in ${dir#"$root"/}"
  build_preset "$preset" "$dir" "$logfile" -DTARVIK_BUILD_TESTS=OFF -- --target tarvik || fail "building $preset failed"
  [ -f "$dir/tarvik.exe" ] || fail "$preset: no tarvik.exe in ${dir#"$root"/}"
}

# check_exe FILE OBJDUMP FORMAT: the right machine, and imports only from the allowed DLLs.
check_exe() {
  local exe=$1 objdump=$2 format=$3
  # grep -q would stop reading early and, under pipefail, fail the pipe when objdump is cut off.
  LC_ALL=C "$objdump" -f "$exe" | grep "file format $format" >/dev/null || fail "$exe is not $format"
  local dlls bad=()
  dlls=$(LC_ALL=C "$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p' | tr -d '\r')
  [ -n "$dlls" ] || fail "$exe: no import table found"
  for dll in $dlls; do
    local upper=${dll^^}
    case " $(echo $allowed_dlls) " in
      *" $upper "*) ;;
      *) bad+=("$dll") ;;
    esac
  done
  echo "  $(basename "$(dirname "$exe")")/$(basename "$exe") imports: $(echo $dlls)"
  [ ${#bad[@]} -eq 0 ] || fail "$exe imports DLLs that not every Windows has: ${bad[*]}"
}

# check_manifest FILE: the embedded manifest still asks for common controls 6 (without it COMCTL32 would be
# looked up like any other DLL, and the dialog would lose the system's look).
check_manifest() {
  local exe=$1
  python3 - "$exe" <<'PY' || fail "$exe: its manifest does not request the common controls version 6"
import re, sys
data = open(sys.argv[1], "rb").read()
manifest = re.search(rb"<assembly\b.*?</assembly>", data, re.S)
sys.exit(0 if manifest and re.search(
    rb'name="Microsoft\.Windows\.Common-Controls"\s+version="6\.0\.0\.0"', manifest.group()) else 1)
PY
  echo "  $(basename "$(dirname "$exe")")/$(basename "$exe") manifest: common controls 6"
}

# check_hardening FILE OBJDUMP FLAGS...: the header flags that the build sets on purpose (ASLR, DEP,
# high-entropy or large addresses) and the stack protector's check compiled in.
check_hardening() {
  local exe=$1 objdump=$2; shift 2
  local header missing=()
  header=$(LC_ALL=C "$objdump" -p "$exe")
  for flag in "$@"; do
    grep -E "^[[:space:]]+$flag\$" <<<"$header" >/dev/null || missing+=("$flag")
  done
  LC_ALL=C "$objdump" -t "$exe" | grep -F '__stack_chk_fail' >/dev/null || missing+=("stack protector")
  echo "  $(basename "$(dirname "$exe")")/$(basename "$exe") hardening: $* stack protector"
  [ ${#missing[@]} -eq 0 ] || fail "$exe lacks: ${missing[*]}"
}

# pack ARCH EXE STRIP: stages tarvik/ and writes dist/tarvik-<version>-ARCH.zip.
pack() {
  local arch=$1 exe=$2 strip=$3 folder=$stage/$1/tarvik
  rm -rf "$stage/$arch"; mkdir -p "$folder"
  cp "$exe" "$folder/tarvik.exe"
  # Symbols only make the download bigger; the build folder keeps the unstripped program.
  "$strip" --strip-all "$folder/tarvik.exe"
  # The batch files and the guide are copied byte for byte: Shift_JIS and UTF-8 with BOM, all CR LF.
  local bat entries=(tarvik/ tarvik/tarvik.exe)
  for bat in "${batch_files[@]}"; do
    cp "$root/jwcad/$bat" "$folder/$bat"
    entries+=("tarvik/$bat")
  done
  cp "$root/jwcad/$guide_name" "$folder/$guide_name"
  entries+=("tarvik/$guide_name")
  # The licence asks to travel with every copy; the guide says so in Japanese.
  cp "$root/LICENSE" "$folder/LICENSE"
  entries+=("tarvik/LICENSE")
  local zipfile=$dist/tarvik-$version-$arch.zip
  rm -f "$zipfile"
  # Python's zipfile marks a non-ASCII name as UTF-8 (flag bit 11), which Windows' own extraction and
  # the usual Japanese archivers honour; Info-ZIP's zip on Linux leaves the flag off. The entries get
  # the time of the last commit, so the same sources give the same archive.
  python3 - "$zipfile" "$stage/$arch" "$stamp" "${entries[@]}" <<'PY'
import os, sys, time, zipfile
target, base, stamp, names = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4:]
when = time.gmtime(stamp)[:6]
with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
    for name in names:
        info = zipfile.ZipInfo(name, when)
        if name.endswith("/"):
            info.external_attr = (0o40755 << 16) | 0x10
            archive.writestr(info, b"")
        else:
            info.external_attr = 0o100644 << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(os.path.join(base, name), "rb") as source:
                archive.writestr(info, source.read())
PY
  unzip -tq "$zipfile" >/dev/null || fail "$zipfile does not test clean"
  local listed expected
  listed=$(unzip -Z1 "$zipfile" | sort)
  expected=$(printf '%s\n' "${entries[@]}" | sort)
  [ "$listed" = "$expected" ] || fail "$zipfile holds: $listed"
  for bat in "${batch_files[@]}"; do
    cmp -s "$root/jwcad/$bat" <(unzip -p "$zipfile" "tarvik/$bat") || fail "$zipfile: $bat changed"
  done
  cmp -s "$root/LICENSE" <(unzip -p "$zipfile" tarvik/LICENSE) || fail "$zipfile: LICENSE changed"
}

build mingw "$build_root/package-win64"
build mingw32 "$build_root/package-win32"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build_root/package-win64/CMakeCache.txt")
version32=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build_root/package-win32/CMakeCache.txt")
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+ ]] || fail "no project version in the configured build (found '$version')"
[ "$version" = "$version32" ] || fail "the two builds disagree on the version: $version and $version32"
stamp=$(git -C "$root" log -1 --format=%ct 2>/dev/null || date +%s)

log "checking the programs"
check_exe "$build_root/package-win64/tarvik.exe" x86_64-w64-mingw32-objdump pei-x86-64
check_exe "$build_root/package-win32/tarvik.exe" i686-w64-mingw32-objdump pei-i386
check_manifest "$build_root/package-win64/tarvik.exe"
check_manifest "$build_root/package-win32/tarvik.exe"
check_hardening "$build_root/package-win64/tarvik.exe" x86_64-w64-mingw32-objdump \
  DYNAMIC_BASE NX_COMPAT HIGH_ENTROPY_VA
check_hardening "$build_root/package-win32/tarvik.exe" i686-w64-mingw32-objdump \
  DYNAMIC_BASE NX_COMPAT 'large address aware'

log "packing version $version"
mkdir -p "$dist"
pack win64 "$build_root/package-win64/tarvik.exe" x86_64-w64-mingw32-strip
pack win32 "$build_root/package-win32/tarvik.exe" i686-w64-mingw32-strip

echo
for arch in win64 win32; do
  exe=$stage/$arch/tarvik/tarvik.exe zipfile=$dist/tarvik-$version-$arch.zip
  printf '%s  %s bytes (tarvik.exe %s bytes)\n' "${zipfile#"$root"/}" "$(stat -c %s "$zipfile")" "$(stat -c %s "$exe")"
done
