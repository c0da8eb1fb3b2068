// UTF-8 and UTF-16 conversion and the byte-order-mark decision, the same on every platform, so that
// only the ANSI code page and the file system differ between the Windows and the Linux build.
#include "text_codecs.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>

#include "system_error.h"

namespace platform {
namespace detail {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEBom = "\xFF\xFE";
constexpr std::string_view kUtf16BEBom = "\xFE\xFF";

// True when the eight bytes at `p` are all below 0x80.
inline bool EightAsciiBytes(const unsigned char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return (word & 0x8080808080808080ULL) == 0;
}

struct ByteOrderMark {
  TextEncoding encoding = TextEncoding::Ansi;
  std::size_t size = 0;  // bytes of the mark, 0 without one
};

ByteOrderMark MarkAtStart(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) return {TextEncoding::Utf8, kUtf8Bom.size()};
  if (bytes.starts_with(kUtf16LEBom)) return {TextEncoding::Utf16LE, kUtf16LEBom.size()};
  if (bytes.starts_with(kUtf16BEBom)) return {TextEncoding::Utf16BE, kUtf16BEBom.size()};
  return {};
}

}  // namespace

std::u16string DecodeUtf8(std::string_view bytes) {
  // No byte yields more than one code unit (four bytes give a surrogate pair), so one allocation is
  // enough; the string is cut to its real length at the end.
  std::u16string text(bytes.size(), u'\0');
  char16_t* out = text.data();
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* const end = in + bytes.size();
  while (in < end) {
    while (end - in >= 8 && EightAsciiBytes(in)) {
      for (int i = 0; i < 8; ++i) out[i] = in[i];
      in += 8;
      out += 8;
    }
    if (in == end) break;
    const unsigned lead = *in++;
    if (lead < 0x80) {
      *out++ = static_cast<char16_t>(lead);
      continue;
    }
    // The ranges of the second byte exclude overlong forms, encoded surrogates and values past
    // U+10FFFF, so that an invalid sequence is cut at its maximal subpart and replaced once.
    int continuation = 0;
    char32_t code = 0;
    unsigned low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      continuation = 1;
      code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      continuation = 2;
      code = lead & 0x0F;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      continuation = 3;
      code = lead & 0x07;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      *out++ = kReplacementCharacter;
      continue;
    }
    int taken = 0;
    while (taken < continuation && in < end && *in >= low && *in <= high) {
      code = (code << 6) | (*in++ & 0x3Fu);
      ++taken;
      low = 0x80;
      high = 0xBF;
    }
    if (taken < continuation) {
      *out++ = kReplacementCharacter;
    } else if (code >= 0x10000) {
      code -= 0x10000;
      *out++ = static_cast<char16_t>(0xD800 + (code >> 10));
      *out++ = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
      *out++ = static_cast<char16_t>(code);
    }
  }
  text.resize(static_cast<std::size_t>(out - text.data()));
  return text;
}

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  // Surrogates are kept as they come, paired or not: the text is counted in code units anyway.
  const std::size_t units = bytes.size() / 2;
  std::u16string text(units + bytes.size() % 2, u'\0');
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  const int highByte = bigEndian ? 0 : 1;
  for (std::size_t i = 0; i < units; ++i, in += 2) {
    text[i] = static_cast<char16_t>((in[highByte] << 8) | in[1 - highByte]);
  }
  if (bytes.size() % 2 != 0) text[units] = kReplacementCharacter;  // half a code unit at the end
  return text;
}

namespace {

std::u16string Decode(TextEncoding encoding, std::string_view bytes) {
  switch (encoding) {
    case TextEncoding::Utf8:
      return DecodeUtf8(bytes);
    case TextEncoding::Utf16LE:
      return DecodeUtf16(bytes, false);
    case TextEncoding::Utf16BE:
      return DecodeUtf16(bytes, true);
    case TextEncoding::Ansi:
      break;
  }
  return DecodeAnsi(bytes);
}

}  // namespace

namespace {

bool IsUtf16(TextEncoding encoding) {
  return encoding == TextEncoding::Utf16LE || encoding == TextEncoding::Utf16BE;
}

// The units a decoder makes room for: one per byte, or one per two bytes of UTF-16 (and one for an odd
// byte at the end). No decoder gives more.
std::size_t RoomFor(std::size_t bytes, bool utf16) { return utf16 ? bytes / 2 + bytes % 2 : bytes; }

// Where the next piece of `rest` ends: after about `pieceBytes` bytes, and never where it would decode
// to more than `maxUnits` units; 0 when not even one piece fits. A code unit of UTF-16 stands alone, so
// any even place will do. In the other encodings a line feed byte is a character of its own, never part
// of another, and the next byte begins a new one: cut there, the pieces decode to what the whole
// decodes to.
std::size_t PieceEnd(std::string_view rest, bool utf16, std::size_t pieceBytes, std::size_t maxUnits) {
  std::size_t cut = rest.size();
  if (rest.size() > pieceBytes) {
    if (utf16) {
      cut = pieceBytes - pieceBytes % 2;
    } else {
      const std::size_t feed = rest.find('\n', pieceBytes - 1);
      if (feed != std::string_view::npos) cut = feed + 1;
    }
  }
  if (RoomFor(cut, utf16) <= maxUnits) return cut;
  if (utf16) return 2 * maxUnits;  // below cut, so it cannot overflow
  // No line feed between the size wanted and the limit: the last one within the limit, if any.
  const std::size_t feed = maxUnits == 0 ? std::string_view::npos : rest.rfind('\n', maxUnits - 1);
  return feed == std::string_view::npos ? 0 : feed + 1;
}

}  // namespace

ReadTextResult DecodeFileContent(const std::string& bytes, std::size_t maxUnits) {
  const ByteOrderMark mark = MarkAtStart(bytes);
  const std::string_view content = std::string_view(bytes).substr(mark.size);
  if (RoomFor(content.size(), IsUtf16(mark.encoding)) > maxUnits) return TooLargeToHold();
  ReadTextResult result = ReadSucceeded();
  result.encoding = mark.encoding;
  result.text = Decode(mark.encoding, content);
  return result;
}

ReadTextResult DecodeFileContentInPieces(const std::string& bytes, const TextPiece& piece,
                                         std::size_t pieceBytes, std::size_t maxUnits) {
  const ByteOrderMark mark = MarkAtStart(bytes);
  ReadTextResult result = ReadSucceeded();
  result.encoding = mark.encoding;
  std::string_view rest = std::string_view(bytes).substr(mark.size);
  const bool utf16 = IsUtf16(result.encoding);
  pieceBytes = std::max<std::size_t>(pieceBytes, 2);
  while (!rest.empty()) {
    const std::size_t cut = PieceEnd(rest, utf16, pieceBytes, maxUnits);
    if (cut == 0) return TooLargeToHold();
    const std::string_view part = rest.substr(0, cut);
    rest.remove_prefix(cut);
    if (!piece(Decode(result.encoding, part))) break;
  }
  return result;
}

std::string EncodeFileContent(const std::u16string& text, bool utf8WithBom) {
  if (!utf8WithBom) return EncodeAnsi(text);
  std::string bytes(kUtf8Bom);
  bytes += EncodeUtf8(text);
  return bytes;
}

}  // namespace detail

// Memory for the bytes or the text may run out, most of all in a 32-bit process: the read fails then,
// it does not throw.
ReadTextResult ReadTextFile(const std::u16string& path, std::size_t maxBytes) {
  try {
    std::string bytes;
    ReadTextResult read = detail::ReadFileBytes(path, bytes, maxBytes);
    if (!read.ok) return read;
    return detail::DecodeFileContent(bytes);
  } catch (const std::bad_alloc&) {
    return TooLargeToHold();
  } catch (const std::length_error&) {
    return TooLargeToHold();
  }
}

ReadTextResult ReadTextFileInPieces(const std::u16string& path, const TextPiece& piece,
                                    std::size_t maxUnits) {
  try {
    std::string bytes;
    ReadTextResult read = detail::ReadFileBytes(path, bytes);
    if (!read.ok) return read;
    return detail::DecodeFileContentInPieces(bytes, piece, detail::kTextPieceBytes, maxUnits);
  } catch (const std::bad_alloc&) {
    return TooLargeToHold();
  } catch (const std::length_error&) {
    return TooLargeToHold();
  }
}

ReadTextResult TooLargeToHold() {
  return detail::ReadFailed(ReadFailure::TooLarge, detail::OutOfMemoryText());
}

WriteResult WriteTextFile(const std::u16string& path, const std::u16string& text, bool utf8WithBom) {
  return WriteFileBytes(path, detail::EncodeFileContent(text, utf8WithBom));
}

std::u16string DecodeUtf8(const std::string& bytes) { return detail::DecodeUtf8(bytes); }

std::string EncodeUtf8(const std::u16string& text) {
  using detail::IsHighSurrogate;
  using detail::IsLowSurrogate;
  const std::size_t units = text.size();
  // Sized exactly first, so that a long text is encoded without reallocations.
  std::size_t size = 0;
  for (std::size_t i = 0; i < units; ++i) {
    const char16_t unit = text[i];
    if (unit < 0x80) {
      size += 1;
    } else if (unit < 0x800) {
      size += 2;
    } else if (IsHighSurrogate(unit) && i + 1 < units && IsLowSurrogate(text[i + 1])) {
      size += 4;
      ++i;
    } else {
      size += 3;  // the rest of the plane, and a lone surrogate as U+FFFD
    }
  }
  std::string bytes(size, '\0');
  auto* out = reinterpret_cast<unsigned char*>(bytes.data());
  for (std::size_t i = 0; i < units; ++i) {
    char32_t code = text[i];
    if (code < 0x80) {
      *out++ = static_cast<unsigned char>(code);
      continue;
    }
    if (IsHighSurrogate(code) && i + 1 < units && IsLowSurrogate(text[i + 1])) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00u);
    } else if (IsHighSurrogate(code) || IsLowSurrogate(code)) {
      code = detail::kReplacementCharacter;
    }
    if (code < 0x800) {
      *out++ = static_cast<unsigned char>(0xC0 | (code >> 6));
    } else if (code < 0x10000) {
      *out++ = static_cast<unsigned char>(0xE0 | (code >> 12));
      *out++ = static_cast<unsigned char>(0x80 | ((code >> 6) & 0x3F));
    } else {
      *out++ = static_cast<unsigned char>(0xF0 | (code >> 18));
      *out++ = static_cast<unsigned char>(0x80 | ((code >> 12) & 0x3F));
      *out++ = static_cast<unsigned char>(0x80 | ((code >> 6) & 0x3F));
    }
    *out++ = static_cast<unsigned char>(0x80 | (code & 0x3F));
  }
  return bytes;
}

}  // namespace platform
