# Pins the fonts of a Wine prefix, so that the dialog measured by the tests and drawn in the pictures looks
# the same on every machine. Sourced by cmake/wine-run.sh; needs WINEPREFIX and `wine` set.
#
# Japanese: IPAGothic (Debian's fonts-ipafont-gothic). Its glyphs have the advance widths of MS Gothic, the
# face behind Windows' Japanese UI fonts (MS UI Gothic is MS Gothic with narrower kana), so a line that
# fits here fits on a Japanese Windows. Without the pin Wine takes the first font that has a glyph, which
# on a machine with ImageMagick is Ghostscript's Droid Sans Fallback, wider than any Windows UI font.
# Latin: Wine's own Tahoma and Marlett from fonts-wine. Debian's Wine looks for them under a data-folder
# path it cannot resolve, so without copies in the prefix window captions draw their buttons as "0 1 r"
# and Tahoma falls back to whatever fontconfig offers.

wine_fonts_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
wine_font_files=(
  /usr/share/wine/fonts/marlett.ttf
  /usr/share/wine/fonts/tahoma.ttf
  /usr/share/wine/fonts/tahomabd.ttf
  /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf
  /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf
)

# What the pin consists of; a prefix pinned with anything else is pinned again.
wine_fonts_stamp() {
  { cat "$wine_fonts_here/wine-fonts.reg"; printf '%s\n' "${wine_font_files[@]}"; } | cksum | cut -d' ' -f1
}

# Copies the fonts into the prefix's Fonts folder (Wine always reads it) and imports the substitutions
# and links, once per prefix. Returns non-zero, saying what is missing, when a font file is not there.
pin_wine_fonts() {
  local fonts=$WINEPREFIX/drive_c/windows/Fonts stamp_file=$WINEPREFIX/.tarvik-fonts
  local stamp; stamp=$(wine_fonts_stamp)
  [ -f "$stamp_file" ] && [ "$(cat "$stamp_file")" = "$stamp" ] && return 0
  [ -d "$fonts" ] || return 1
  local file missing=0
  for file in "${wine_font_files[@]}"; do
    if [ -f "$file" ]; then cp -f "$file" "$fonts/"; else echo "wine-fonts: $file is missing" >&2; missing=1; fi
  done
  [ "$missing" = 0 ] || return 1
  local reg; reg=$(mktemp --suffix=.reg)
  # regedit reads Japanese value names only from a UTF-16 file.
  { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$wine_fonts_here/wine-fonts.reg"; } >"$reg"
  "$wine" regedit /S "$(winepath_of "$reg")" >/dev/null 2>&1 </dev/null
  local status=$?
  rm -f "$reg"
  [ "$status" = 0 ] || { echo "wine-fonts: regedit could not import the font settings" >&2; return 1; }
  echo "$stamp" >"$stamp_file"
}

# A Unix path as Wine's Z: drive shows it.
winepath_of() { printf 'Z:%s' "${1//\//\\}"; }
