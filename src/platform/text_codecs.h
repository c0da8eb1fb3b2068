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

// Decodes a file as its bytes are read, chunk after chunk, into the pieces of ReadTextFileInPieces:
// the byte-order mark is taken from the start of the first bytes, and what a chunk ends with that
// cannot be cut there yet waits for the next.
class TextPieceDecoder {
 public:
  explicit TextPieceDecoder(const TextPiece& piece) : piece_(piece) {}

  // The next bytes of the file; false once `piece` has asked to stop.
  bool Add(std::string_view bytes);
  // The end of the file: what is left is decoded and handed over.
  void Finish();
  TextEncoding encoding() const { return encoding_; }

 private:
  void TakeByteOrderMark();
  // Decodes the first `size` bytes waiting and hands their text over.
  void Decode(std::size_t size);

  const TextPiece& piece_;
  std::string waiting_;  // bytes read but not decoded yet
  std::string rest_;     // the bytes after a cut, while the ones before it are decoded
  bool marked_ = false;  // the byte-order mark has been looked for
  bool stopped_ = false;
  TextEncoding encoding_ = TextEncoding::Ansi;
};

// Files are read in chunks of this many bytes for ReadTextFileInPieces.
inline constexpr std::size_t kTextChunkBytes = std::size_t{1} << 20;

// The content of a file already read, handed to a TextPieceDecoder in chunks of `chunkBytes`: what
// ReadTextFileInPieces does with a file that reads as `bytes`.
ReadTextResult DecodeFileContentInPieces(const std::string& bytes, const TextPiece& piece,
                                         std::size_t chunkBytes = kTextChunkBytes);

// The bytes that WriteTextFile puts into the file for `text`.
std::string EncodeFileContent(const std::u16string& text, bool utf8WithBom);

}  // namespace platform::detail
