#!/usr/bin/env bash
# Runs one Windows program under Wine as a Japanese user would have it: ANSI code page 932,
# a private prefix under the build folder, no first-start dialogs, no debug noise.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/mingw/wineprefix}
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)

# Without a display of its own, the virtual one that cmake/wine-session.sh started for this prefix.
source "$here/cmake/script-lib.sh"
use_prefix_display

# The same fonts on every machine (see wine-fonts.sh); a new prefix is made first so that they can go in.
source "$here/cmake/wine-fonts.sh"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wine" wineboot -i >/dev/null 2>&1 </dev/null
fi
pin_wine_fonts || echo "wine-run: the fonts of $WINEPREFIX could not be pinned" >&2

exec "$wine" "$@"
