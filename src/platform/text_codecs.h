// The portable half of the platform layer's text handling, shared by platform_posix.cpp and
// platform_win.cpp: UTF-8 and UTF-16 codecs and the byte-order-mark decision for whole files.
#pragma once

#include <cstddef>
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

// The same content decoded in pieces of about `pieceBytes` bytes, each handed to `piece` as soon as it
// is decoded (see ReadTextFileInPieces); the result's text stays empty.
inline constexpr std::size_t kTextPieceBytes = std::size_t{1} << 20;
ReadTextResult DecodeFileContentInPieces(const std::string& bytes, const TextPiece& piece,
                                         std::size_t pieceBytes = kTextPieceBytes);

// The bytes that WriteTextFile puts into the file for `text`.
std::string EncodeFileContent(const std::u16string& text, bool utf8WithBom);

}  // namespace platform::detail
