// The portable half of the platform layer's text handling, shared by platform_posix.cpp and
// platform_win.cpp: UTF-8 and UTF-16 codecs and the byte-order-mark decision for whole files.
#pragma once

#include <string>
#include <string_view>

#include "platform.h"

namespace platform::detail {

inline constexpr char16_t kReplacementCharacter = 0xFFFD;

std::u16string DecodeUtf8(std::string_view bytes);
std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian);

// The whole content of a file that was read: the encoding named by its byte-order mark and the text
// without the mark. Files without a mark go through DecodeAnsi.
ReadTextResult DecodeFileContent(const std::string& bytes);

// The bytes that WriteTextFile puts into the file for `text`.
std::string EncodeFileContent(const std::u16string& text, bool utf8WithBom);

}  // namespace platform::detail
