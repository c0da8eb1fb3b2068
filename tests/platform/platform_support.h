// What the platform layer's tests share: the UTF-8 byte-order mark, the characters that differ between
// the platforms, and bytes and code units shown in hexadecimal for failure messages.
#pragma once

#include <cstdio>
#include <string>

namespace platform_support {

// The UTF-8 byte-order mark.
inline const std::string kUtf8Bom = "\xEF\xBB\xBF";

// What the ANSI code page's decoder makes of a byte it cannot decode, and the path separator.
#ifdef _WIN32
// MultiByteToWideChar's default character for code page 932 is the katakana middle dot.
constexpr char16_t kAnsiReplacement = 0x30FB;
constexpr char16_t kSeparator = u'\\';
#else
constexpr char16_t kAnsiReplacement = 0xFFFD;
constexpr char16_t kSeparator = u'/';
#endif

// The bytes as two hexadecimal digits each.
inline std::string Hex(const std::string& bytes) {
  std::string out;
  char cell[4];
  for (unsigned char byte : bytes) {
    std::snprintf(cell, sizeof cell, "%02X ", byte);
    out += cell;
  }
  return out;
}

// The code units as four hexadecimal digits each.
inline std::string Hex(const std::u16string& text) {
  std::string out;
  char cell[6];
  for (char16_t unit : text) {
    std::snprintf(cell, sizeof cell, "%04X ", static_cast<unsigned>(unit));
    out += cell;
  }
  return out;
}

}  // namespace platform_support
