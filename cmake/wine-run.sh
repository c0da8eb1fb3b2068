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
if [ -z "${DISPLAY:-}" ] && [ -f "${WINEPREFIX%/}.display" ]; then
  read -r number _ <"${WINEPREFIX%/}.display"
  export DISPLAY=:$number
fi

# Debian's Wine looks for its own fonts under a data-folder path that it cannot resolve, so the fonts of
# fonts-wine are never loaded and window captions draw their buttons as the letters "0 1 r" in some other
# font. Marlett in the prefix's own Fonts folder, which Wine always reads, draws them as Windows does.
marlett=/usr/share/wine/fonts/marlett.ttf
fonts=$WINEPREFIX/drive_c/windows/Fonts
if [ -d "$fonts" ] && [ ! -f "$fonts/marlett.ttf" ] && [ -f "$marlett" ]; then
  cp "$marlett" "$fonts/marlett.ttf" 2>/dev/null
fi

exec "$wine" "$@"
