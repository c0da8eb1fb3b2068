// The portable half of the platform layer's text handling, shared by platform_posix.cpp and
// platform_win.cpp: UTF-8 and UTF-16 codecs, the byte-order-mark decision for whole files, and the
// reading of text files over each platform's byte reader.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "platform.h"

namespace platform::detail {

inline constexpr char16_t kReplacementCharacter = 0xFFFD;

// The halves of a surrogate pair, which every converter must keep together.
constexpr bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// A read that went well, and one that failed for `failure` with the system's `reason`.
inline ReadTextResult ReadSucceeded() {
  ReadTextResult result;
  result.ok = true;
  result.failure = ReadFailure::None;
  return result;
}
inline ReadTextResult ReadFailed(ReadFailure failure, std::u16string reason) {
  ReadTextResult result;
  result.failure = failure;
  result.reason = std::move(reason);
  return result;
}

// The whole content of a file, or its first `maxBytes` bytes, read into `bytes` the platform's own way
// (on Windows with other writers shut out, tried again while another program holds the file); the
// result says whether and why not, its text stays empty. ReadTextFile and ReadTextFileInPieces decode
// the bytes. Throws only what allocating `bytes` throws.
ReadTextResult ReadFileBytes(const std::u16string& path, std::string& bytes,
                             std::size_t maxBytes = kWholeFile);

std::u16string DecodeUtf8(std::string_view bytes);
std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian);

// The whole content of a file that was read: the encoding named by its byte-order mark and the text
// without the mark. Files without a mark go through DecodeAnsi. TooLarge, with nothing decoded, when the
// text might need more than `maxUnits` units (the decoders make room for one unit per byte, or per two
// bytes of UTF-16).
ReadTextResult DecodeFileContent(const std::string& bytes, std::size_t maxUnits = kLongestText);

// The same content decoded in pieces of about `pieceBytes` bytes and at most `maxUnits` units, each
// handed to `piece` as soon as it is decoded (see ReadTextFileInPieces); the result's text stays empty.
inline constexpr std::size_t kTextPieceBytes = std::size_t{1} << 20;
ReadTextResult DecodeFileContentInPieces(const std::string& bytes, const TextPiece& piece,
                                         std::size_t pieceBytes = kTextPieceBytes,
                                         std::size_t maxUnits = kLongestText);

// The bytes that WriteTextFile puts into the file for `text`.
std::string EncodeFileContent(const std::u16string& text, bool utf8WithBom);

}  // namespace platform::detail
