// The core's UTF-16 texts at the wide-character Win32 calls, and the one way a program's windows make
// their fonts.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>

#include "unique_handle_win.h"

inline const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

inline std::u16string WindowText(HWND window) {
  std::u16string text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, u'\0');
  const int length =
      GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(std::max(length, 0)));
  return text;
}

// `pixels` high at 96 DPI, scaled to `dpi`.
inline unique_font MakeFont(const wchar_t* face, int pixels, BYTE charset, UINT dpi) {
  return unique_font(CreateFontW(-MulDiv(pixels, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI), 0, 0, 0,
                                 FW_NORMAL, FALSE, FALSE, FALSE, charset, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face));
}
