// Contracts of the platform layer: encodings found by the byte-order mark, code page 932 both ways,
// invalid input that must not stop a read, whole-file writes that never leave a partial file, and the
// file-system questions. The same tests run natively (iconv) and under Wine (code page 932).
#include "platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "test_support.h"
#include "text_codecs.h"
#include "write_failures.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

namespace fs = std::filesystem;
using platform::TextEncoding;
using test_support::ReadBytes;
using test_support::FolderEntries;
using test_support::TempDir;
using test_support::WriteBytes;

const std::string kUtf8Bom = "\xEF\xBB\xBF";

#ifdef _WIN32
// MultiByteToWideChar's default character for code page 932 is the katakana middle dot.
constexpr char16_t kAnsiReplacement = 0x30FB;
constexpr char16_t kSeparator = u'\\';
#else
constexpr char16_t kAnsiReplacement = 0xFFFD;
constexpr char16_t kSeparator = u'/';
#endif

std::string Hex(const std::string& bytes) {
  std::string out;
  char cell[4];
  for (unsigned char byte : bytes) {
    std::snprintf(cell, sizeof cell, "%02X ", byte);
    out += cell;
  }
  return out;
}

std::string Hex(const std::u16string& text) {
  std::string out;
  char cell[6];
  for (char16_t unit : text) {
    std::snprintf(cell, sizeof cell, "%04X ", static_cast<unsigned>(unit));
    out += cell;
  }
  return out;
}

const char* Name(platform::ReadFailure failure) {
  switch (failure) {
    case platform::ReadFailure::None:
      return "None";
    case platform::ReadFailure::Missing:
      return "Missing";
    case platform::ReadFailure::Unreadable:
      return "Unreadable";
    case platform::ReadFailure::TooLarge:
      return "TooLarge";
  }
  return "?";
}

const char* Name(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Ansi:
      return "Ansi";
    case TextEncoding::Utf8:
      return "Utf8";
    case TextEncoding::Utf16LE:
      return "Utf16LE";
    case TextEncoding::Utf16BE:
      return "Utf16BE";
  }
  return "?";
}


// Code page 932: Japanese text of every kind decodes to the right UTF-16 and encodes back to the
// very same bytes, on Linux through iconv and on Windows through the system's ANSI code page.
TEST(AnsiCodePage, ShiftJisRoundTripsByteForByte) {
  struct Case {
    const char* what;
    std::string bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {"ASCII record", "ch 100 200 1 0\r\n", u"ch 100 200 1 0\r\n"},
      {"kanji with trail bytes 0x40 and 0x5C", "\x90\xA1\x96\x40\x95\x5C\x83\x5C", u"寸法表ソ"},
      {"hiragana and kanji", "\x82\xD0\x82\xE7\x82\xAA\x82\xC8\x8A\xBF\x8E\x9A", u"ひらがな漢字"},
      {"full-width letters and digits", "\x82\x60\x82\x61\x82\x50\x82\x51", u"ＡＢ１２"},
      {"half-width katakana and voicing marks", "\xB1\xB2\xB3\xB6\xDE\xDF", u"ｱｲｳｶﾞﾟ"},
      {"code page 932 extensions", "\x87\x40\x87\x54\x81\x60\x81\x61\x81\xCA", u"①Ⅰ～∥￢"},
      {"text record from the host", "cn\"$<\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E>\r\n",
       u"cn\"$<ＭＳ ゴシック>\r\n"},
      {"backslash and tilde stay ASCII", "C:\\jww\\a~b", u"C:\\jww\\a~b"},
      {"empty", "", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.what) + ": " + Hex(c.bytes));
    EXPECT_EQ(Hex(platform::DecodeAnsi(c.bytes)), Hex(c.text));
    EXPECT_EQ(Hex(platform::EncodeAnsi(c.text)), Hex(c.bytes));
  }
}

// ASCII runs of every length between multi-byte characters, so that a run copied directly and a
// stretch handed to the converter meet at every possible place, and a trail byte that looks like
// ASCII is never taken for one.
TEST(AnsiCodePage, AsciiRunsOfEveryLengthBetweenJapanese) {
  std::string allBytes;
  std::u16string allText;
  for (int run = 0; run <= 40; ++run) {
    const std::string a(static_cast<std::size_t>(run), 'a');
    const std::u16string wideA(static_cast<std::size_t>(run), u'a');
    const std::string bytes = "\xB1" + a + "\x96\x40" + a + "\x83\x5C" + a;
    const std::u16string text = u"ｱ" + wideA + u"法" + wideA + u"ソ" + wideA;
    SCOPED_TRACE("run of " + std::to_string(run));
    EXPECT_EQ(Hex(platform::DecodeAnsi(bytes)), Hex(text));
    EXPECT_EQ(Hex(platform::EncodeAnsi(text)), Hex(bytes));
    allBytes += bytes;
    allText += text;
  }
  // The same pieces as one long text, many times over.
  std::string longBytes;
  std::u16string longText;
  for (int i = 0; i < 200; ++i) {
    longBytes += allBytes;
    longText += allText;
  }
  EXPECT_TRUE(platform::DecodeAnsi(longBytes) == longText);
  EXPECT_TRUE(platform::EncodeAnsi(longText) == longBytes);
}

// Invalid bytes: each becomes the converter's replacement (or the code point that the system's own
// table gives it) and the text after it is intact.
TEST(AnsiCodePage, InvalidBytesDoNotStopDecoding) {
  struct Case {
    const char* what;
    std::string bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {"lone lead byte at the end", "ab\x81", std::u16string(u"ab") + kAnsiReplacement},
      {"lone lead byte at the end after kanji", "\x96\x40\x81", std::u16string(u"法") + kAnsiReplacement},
#ifdef _WIN32
      // Windows' table gives the undefined single bytes code points of their own.
      {"0xFF", "x\xFFy", u"x\uF8F3y"},
      {"0x80 and 0xA0", "\x80\xA0", u"\u0080\uF8F0"},
      {"lead byte before DEL", "Q\x81\x7FQ", u"Q\u30FBQ"},
#else
      {"0xFF", "x\xFFy", u"x\uFFFDy"},
      {"0x80 and 0xA0", "\x80\xA0", u"\uFFFD\uFFFD"},
      {"lead byte before DEL", "Q\x81\x7FQ", u"Q\uFFFD\u007FQ"},
      {"lead byte before a blank", "A\x81 B\x96\x40", u"A\uFFFD B法"},
#endif
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.what) + ": " + Hex(c.bytes));
    EXPECT_EQ(Hex(platform::DecodeAnsi(c.bytes)), Hex(c.text));
  }
}

// Characters outside code page 932 become what the converter makes of them; the rest is kept.
TEST(AnsiCodePage, UnrepresentableCharactersAreReplaced) {
  struct Case {
    std::u16string text;
    std::string bytes;
  };
  const Case cases[] = {
#ifdef _WIN32
      {u"a\u00E9b", "aeb"},  // best fit
      {u"x\U0001F600y", "x??y"},
      {u"x\xD800y", "x?y"},
#else
      {u"a\u00E9b", "a?b"},
      {u"x\U0001F600y", "x?y"},
      {u"x\xD800y", "x?y"},
      {u"\u00E9\u00E9\u00E9\u5BF8", "???\x90\xA1"},
#endif
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Hex(c.text));
    EXPECT_EQ(Hex(platform::EncodeAnsi(c.text)), Hex(c.bytes));
  }
}

TEST(Utf8, DecodesWithOneReplacementPerMaximalSubpart) {
  struct Case {
    const char* what;
    std::string bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {"ASCII", "hq\r\n", u"hq\r\n"},
      {"two, three and four bytes", "\xC3\xA9\xE5\xAF\xB8\xF0\x9F\x98\x80", u"é寸\U0001F600"},
      {"longer than the ASCII fast path", "0123456789abcdef\xE5\xAF\xB8-0123456789",
       u"0123456789abcdef寸-0123456789"},
      // invalid sequences
      {"lead byte before ASCII", "a\xC3(b", u"a\uFFFD(b"},
      {"cut off at the end", "ab\xE5\xAF", u"ab\uFFFD"},
      {"stray continuation bytes", "\x80\xBFz", u"\uFFFD\uFFFDz"},
      {"overlong", "\xC0\xAF\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"encoded surrogate", "\xED\xA0\x80x", u"\uFFFD\uFFFD\uFFFDx"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"0xFE and 0xFF", "\xFE\xFFz", u"\uFFFD\uFFFDz"},
      {"four-byte lead cut by another lead", "\xF0\x9F\xE5\xAF\xB8", u"\uFFFD寸"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.what) + ": " + Hex(c.bytes));
    EXPECT_EQ(Hex(platform::DecodeUtf8(c.bytes)), Hex(c.text));
  }
}

TEST(Utf8, EncodesLoneSurrogatesAsReplacement) {
  struct Case {
    std::u16string text;
    std::string bytes;
  };
  const Case cases[] = {
      {u"hq\r\n", "hq\r\n"},
      {u"é寸ｱ", "\xC3\xA9\xE5\xAF\xB8\xEF\xBD\xB1"},
      {u"\U0001F600", "\xF0\x9F\x98\x80"},
      {u"a\xD83Dz", "a\xEF\xBF\xBDz"},
      {u"\xDE00\xD83D", "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {u"\xD83D", "\xEF\xBF\xBD"},
      {u"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Hex(c.text));
    EXPECT_EQ(Hex(platform::EncodeUtf8(c.text)), Hex(c.bytes));
  }
}

// The byte-order mark alone decides the encoding and is not part of the text; whatever follows it,
// valid or not, is read to the end.
TEST(ReadTextFile, EncodingFollowsTheByteOrderMark) {
  struct Case {
    const char* what;
    std::string bytes;
    TextEncoding encoding;
    std::u16string text;
  };
  const Case cases[] = {
      {"UTF-8", kUtf8Bom + "hq\r\n\xE5\xAF\xB8\xE6\xB3\x95\r\n", TextEncoding::Utf8, u"hq\r\n寸法\r\n"},
      {"UTF-16 LE", std::string("\xFF\xFEh\0q\0\xF8\x5B", 8), TextEncoding::Utf16LE, u"hq寸"},
      {"UTF-16 BE", std::string("\xFE\xFF\0h\0q\x5B\xF8", 8), TextEncoding::Utf16BE, u"hq寸"},
      {"no mark: code page 932", "hq\r\n\x90\xA1\x96\x40\xB1\r\n", TextEncoding::Ansi, u"hq\r\n寸法ｱ\r\n"},
      {"UTF-16 LE surrogate pair", std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), TextEncoding::Utf16LE,
       u"\U0001F600"},
      {"a UTF-16 mark after the UTF-8 one is text", kUtf8Bom + "\xFF\xFE", TextEncoding::Utf8,
       u"\uFFFD\uFFFD"},
      // empty input
      {"empty file", "", TextEncoding::Ansi, u""},
      {"UTF-8 mark only", kUtf8Bom, TextEncoding::Utf8, u""},
      {"UTF-16 LE mark only", "\xFF\xFE", TextEncoding::Utf16LE, u""},
      {"UTF-16 BE mark only", "\xFE\xFF", TextEncoding::Utf16BE, u""},
      // invalid content
      {"UTF-8 invalid byte", kUtf8Bom + "a\xC3(b\r\n", TextEncoding::Utf8, u"a\uFFFD(b\r\n"},
      {"UTF-16 LE odd length", std::string("\xFF\xFEz\0y", 5), TextEncoding::Utf16LE, u"z\uFFFD"},
      {"UTF-16 BE odd length", std::string("\xFE\xFF\0zy", 5), TextEncoding::Utf16BE, u"z\uFFFD"},
      {"code page 932 lone lead byte", "hq\r\n\x81", TextEncoding::Ansi,
       std::u16string(u"hq\r\n") + kAnsiReplacement},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.what) + ": " + Hex(c.bytes));
    WriteBytes(dir.path() / "JWC_TEMP.TXT", c.bytes);
    const platform::ReadTextResult read = platform::ReadTextFile(dir.file("JWC_TEMP.TXT"));
    EXPECT_TRUE(read.ok);
    EXPECT_STREQ(Name(read.encoding), Name(c.encoding));
    EXPECT_EQ(Hex(read.text), Hex(c.text));
  }
}

TEST(ReadTextFile, ReadsTheHostsExchangeFile) {
  const platform::ReadTextResult read =
      platform::ReadTextFile((test_support::DataDir() / "host_one_line_selection.txt").u16string());
  ASSERT_TRUE(read.ok);
  EXPECT_EQ(read.encoding, TextEncoding::Ansi);
  // 389 bytes, six of the characters in two bytes each.
  EXPECT_EQ(read.text.size(), 383u);
  EXPECT_EQ(read.text.substr(0, 10), u"hq\r\nfile=\r");
  EXPECT_NE(read.text.find(u"\r\ncn\"$<ＭＳ ゴシック>\r\n#\r\n -5000 0 5000 0\r\n"), std::u16string::npos);
}

// A caller must tell a file that is not there from one that is there but cannot be read (a settings
// file it must then not overwrite), and show the system's reason for either.
TEST(ReadTextFile, FailsForWhatIsNoReadableFileAndSaysWhy) {
  TempDir dir;
  fs::create_directory(dir.path() / "folder");
  WriteBytes(dir.path() / "file.txt", "hq\r\n");
  using platform::ReadFailure;
  struct Case {
    const char* what;
    std::u16string path;
    ReadFailure failure;
  };
  std::vector<Case> cases = {
      {"missing file", dir.file("missing.txt"), ReadFailure::Missing},
      {"file in a missing folder", dir.file("missing") + kSeparator + u"JWC_TEMP.TXT", ReadFailure::Missing},
      {"a file taken for a folder", dir.file("file.txt") + kSeparator + u"x", ReadFailure::Missing},
      {"empty name", u"", ReadFailure::Missing},
      {"name with a NUL", dir.file("a") + u'\0' + u"b", ReadFailure::Missing},
      {"folder", dir.file("folder"), ReadFailure::Unreadable},
  };
#ifndef _WIN32
  ASSERT_EQ(mkfifo((dir.path() / "pipe").c_str(), 0600), 0);
  cases.push_back({"named pipe", dir.file("pipe"), ReadFailure::Unreadable});
#endif
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const platform::ReadTextResult read = platform::ReadTextFile(c.path);
    EXPECT_FALSE(read.ok);
    EXPECT_STREQ(Name(read.failure), Name(c.failure));
    EXPECT_FALSE(read.reason.empty());
    EXPECT_TRUE(read.text.empty());
  }
  const platform::ReadTextResult read = platform::ReadTextFile(dir.file("file.txt"));
  EXPECT_TRUE(read.ok);
  EXPECT_STREQ(Name(read.failure), "None");
  EXPECT_TRUE(read.reason.empty());
}

// A text that would need more code units than a string holds is refused as TooLarge, never thrown for.
// With the limit brought down: the whole content fits exactly when the decoder's room for it does, and
// decoded in pieces no piece is longer than the limit and the pieces still join up to the whole text,
// unless a stretch up to a line feed (in UTF-16: one code unit) is longer than the limit.
TEST(ReadTextFileInPieces, NeverDecodesMoreThanTheLimitAtOnce) {
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"code page 932", "hq\r\nch 1 2 \x90\xA1\x96\x40\n\n0 0 1 0\r0 0 2 0\r\nlast"},
      {"UTF-8", kUtf8Bom + "ab\n\xE5\xAF\xB8\xE6\xB3\x95" + "cd\r\n\n\xF0\x9F\x98\x80"},
      {"UTF-16 LE, odd length", std::string("\xFF\xFEh\0q\0\r\0\n\0\xF8\x5B\x3D\xD8\x00\xDE\n\0z", 19)},
      {"UTF-16 BE", std::string("\xFE\xFF\0h\0q\0\r\0\n\x5B\xF8\0\n", 14)},
  };
  for (const Case& c : cases) {
    const platform::ReadTextResult whole = platform::detail::DecodeFileContent(c.bytes);
    const bool utf16 = whole.encoding == TextEncoding::Utf16LE || whole.encoding == TextEncoding::Utf16BE;
    const std::string_view content = std::string_view(c.bytes).substr(whole.encoding == TextEncoding::Ansi ? 0
                                                                      : utf16                              ? 2
                                                                              : 3);
    // The longest stretch the decoder must take in one: up to and with a line feed, or one code unit.
    std::size_t longest = 0;
    if (utf16) {
      longest = content.empty() ? 0 : 1;
    } else {
      for (std::size_t start = 0; start < content.size();) {
        const std::size_t feed = content.find('\n', start);
        const std::size_t end = feed == std::string_view::npos ? content.size() : feed + 1;
        longest = std::max(longest, end - start);
        start = end;
      }
    }
    const std::size_t room = utf16 ? (content.size() + 1) / 2 : content.size();
    for (std::size_t maxUnits = 0; maxUnits <= room + 1; ++maxUnits) {
      SCOPED_TRACE(std::string(c.what) + ", at most " + std::to_string(maxUnits) + " units");
      const platform::ReadTextResult limited = platform::detail::DecodeFileContent(c.bytes, maxUnits);
      EXPECT_EQ(limited.ok, room <= maxUnits);
      EXPECT_STREQ(Name(limited.failure), limited.ok ? "None" : "TooLarge");
      EXPECT_EQ(Hex(limited.text), limited.ok ? Hex(whole.text) : "");
      for (std::size_t pieceBytes = 1; pieceBytes <= c.bytes.size() + 1; ++pieceBytes) {
        SCOPED_TRACE("pieces of " + std::to_string(pieceBytes) + " bytes");
        std::u16string joined;
        const platform::ReadTextResult pieces = platform::detail::DecodeFileContentInPieces(
            c.bytes,
            [&](std::u16string_view piece) {
              EXPECT_LE(piece.size(), maxUnits);
              joined.append(piece);
              return true;
            },
            pieceBytes, maxUnits);
        EXPECT_EQ(pieces.ok, longest <= maxUnits);
        EXPECT_STREQ(Name(pieces.failure), pieces.ok ? "None" : "TooLarge");
        EXPECT_EQ(whole.text.substr(0, joined.size()), joined);
        EXPECT_EQ(pieces.reason.empty(), pieces.ok);
        EXPECT_EQ(joined.size() == whole.text.size(), pieces.ok);
      }
    }
  }
}

// Decoded piece by piece, a file's content is the same text: whatever the encoding, wherever the pieces
// are cut, and with characters of two bytes, invalid bytes and a lead byte just before a line feed.
TEST(ReadTextFileInPieces, PiecesJoinUpToTheWholeText) {
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"code page 932", "hq\r\nch 1 2 1 0 \"\x90\xA1\x96\x40\x95\x5C\r\n\xB1\xB2\n\n0 0 1 0\r0 0 2 0\r\n"},
      {"code page 932, invalid bytes", "a\x81\nb\x81\r\n\xFF\x80\x85\n\x90"},
      {"UTF-8", kUtf8Bom + "hq\r\nch 1 2 1 0 \"\xE5\xAF\xB8\xE6\xB3\x95\r\n\xF0\x9F\x98\x80\n0 0 1 0\r\n"},
      {"UTF-8, invalid bytes", kUtf8Bom + "a\xE5\xAF\nb\xC3(\r\n\xED\xA0\x80\n\xF4"},
      {"UTF-16 LE", std::string("\xFF\xFEh\0q\0\r\0\n\0\xF8\x5B\x3D\xD8\x00\xDE\n\0z\0y", 21)},
      {"UTF-16 BE", std::string("\xFE\xFF\0h\0q\0\r\0\n\x5B\xF8\xD8\x3D\xDE\x00\0\n\0z", 20)},
      {"no line feed at all", "0 0 1 0\r0 0 2 0\r\x90\xA1"},
      {"empty", ""},
      {"UTF-8 mark only", kUtf8Bom},
  };
  for (const Case& c : cases) {
    const platform::ReadTextResult whole = platform::detail::DecodeFileContent(c.bytes);
    for (std::size_t pieceBytes = 1; pieceBytes <= c.bytes.size() + 1; ++pieceBytes) {
      SCOPED_TRACE(std::string(c.what) + ", pieces of " + std::to_string(pieceBytes) + " bytes");
      std::u16string joined;
      const platform::ReadTextResult pieces = platform::detail::DecodeFileContentInPieces(
          c.bytes,
          [&](std::u16string_view piece) {
            joined.append(piece);
            return true;
          },
          pieceBytes);
      EXPECT_TRUE(pieces.ok);
      EXPECT_STREQ(Name(pieces.encoding), Name(whole.encoding));
      EXPECT_TRUE(pieces.text.empty());
      EXPECT_EQ(Hex(joined), Hex(whole.text));
    }
  }
}

TEST(ReadTextFileInPieces, ReadsAFileOfManyPiecesAndStopsWhenAsked) {
  std::string bytes;
  for (int i = 0; bytes.size() < 3 * platform::detail::kTextPieceBytes; ++i) {
    bytes += "ch " + std::to_string(i) + " 0 1 0 \"\x90\xA1\x96\x40 " +
             std::string(static_cast<std::size_t>(i % 97), 'x') + "\r\n";
  }
  TempDir dir;
  WriteBytes(dir.path() / "JWC_TEMP.TXT", bytes);
  const platform::ReadTextResult whole = platform::ReadTextFile(dir.file("JWC_TEMP.TXT"));
  std::u16string joined;
  int count = 0;
  const platform::ReadTextResult read =
      platform::ReadTextFileInPieces(dir.file("JWC_TEMP.TXT"), [&](std::u16string_view piece) {
        joined.append(piece);
        ++count;
        return true;
      });
  EXPECT_TRUE(read.ok);
  EXPECT_EQ(read.encoding, TextEncoding::Ansi);
  EXPECT_GE(count, 3);
  EXPECT_TRUE(joined == whole.text);

  // Returning false stops the decoding: no further piece is handed over.
  count = 0;
  EXPECT_TRUE(platform::ReadTextFileInPieces(dir.file("JWC_TEMP.TXT"), [&](std::u16string_view) {
                ++count;
                return false;
              }).ok);
  EXPECT_EQ(count, 1);
}

TEST(ReadTextFileInPieces, HandsNothingOverForWhatIsNoReadableFile) {
  TempDir dir;
  fs::create_directory(dir.path() / "folder");
  for (const std::u16string& path : {dir.file("missing.txt"), dir.file("folder"), std::u16string()}) {
    bool called = false;
    const platform::ReadTextResult read = platform::ReadTextFileInPieces(path, [&](std::u16string_view) {
      called = true;
      return true;
    });
    EXPECT_FALSE(read.ok);
    EXPECT_FALSE(called);
  }
}

#ifdef _WIN32
// Another program's hold on a file: open without any sharing, as the host holds the file it writes.
// (A byte-range lock is the other kind of hold, but Wine does not refuse reads of a locked range.)
class FileHold {
 public:
  explicit FileHold(const fs::path& file)
      : handle_(CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr)) {}
  ~FileHold() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  FileHold(const FileHold&) = delete;
  FileHold& operator=(const FileHold&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

// A file held by another program for a moment is read on a later try, as a replacement is written;
// held throughout, the read fails after about half a second as a file that is there but cannot be
// read, with the system's reason, never as a missing one.
TEST(ReadTextFile, ReadsAFileLetGoOfWithinAMomentAndSaysWhyWhenNot) {
  for (const int heldMs : {200, 0}) {  // 0: throughout the read
    SCOPED_TRACE(heldMs);
    TempDir dir;
    const fs::path file = dir.path() / "selvan.dat";
    WriteBytes(file, "50\r\n60\r\n");
    auto hold = std::make_unique<FileHold>(file);
    ASSERT_TRUE(hold->valid());
    std::thread release;
    if (heldMs > 0) {
      release = std::thread([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(heldMs));
        hold.reset();
      });
    }
    const platform::ReadTextResult read = platform::ReadTextFile(file.u16string());
    if (release.joinable()) release.join();
    if (heldMs > 0) {
      EXPECT_TRUE(read.ok) << test_support::Utf8(read.reason);
      EXPECT_EQ(read.text, u"50\r\n60\r\n");
    } else {
      EXPECT_FALSE(read.ok);
      EXPECT_STREQ(Name(read.failure), "Unreadable");
      EXPECT_FALSE(read.reason.empty());
      EXPECT_FALSE(platform::RemoveFile(file.u16string()));  // in use
    }
  }
}
#endif

TEST(WriteTextFile, WritesBothEncodingsAndReadsThemBack) {
  struct Case {
    std::u16string text;
    bool utf8WithBom;
    std::string bytes;
  };
  const Case cases[] = {
      {u"hq\r\n", false, "hq\r\n"},
      {u"hq\r\n", true, kUtf8Bom + "hq\r\n"},
      {u"mj 0 0 \"寸法ｱ\r\n", false, "mj 0 0 \"\x90\xA1\x96\x40\xB1\r\n"},
      {u"mj 0 0 \"寸法ｱ\r\n", true, kUtf8Bom + "mj 0 0 \"\xE5\xAF\xB8\xE6\xB3\x95\xEF\xBD\xB1\r\n"},
      {u"\U0001F600\r\n", true, kUtf8Bom + "\xF0\x9F\x98\x80\r\n"},
      {u"", true, kUtf8Bom},
      {u"", false, ""},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(Hex(c.text) + (c.utf8WithBom ? "as UTF-8" : "in the ANSI code page"));
    ASSERT_TRUE(platform::WriteTextFile(dir.file("out.txt"), c.text, c.utf8WithBom));
    EXPECT_EQ(Hex(ReadBytes(dir.path() / "out.txt")), Hex(c.bytes));
    const platform::ReadTextResult read = platform::ReadTextFile(dir.file("out.txt"));
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.encoding, c.utf8WithBom ? TextEncoding::Utf8 : TextEncoding::Ansi);
    EXPECT_EQ(Hex(read.text), Hex(c.text));
    EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"out.txt"});
  }
}

TEST(WriteTextFile, ReplacesAnExistingFileWhole) {
  TempDir dir;
  const fs::path file = dir.path() / "JWC_TEMP.TXT";
  WriteBytes(file, std::string(10000, 'x') + "\r\nhp1 0 0\r\n");
  ASSERT_TRUE(platform::WriteTextFile(file.u16string(), u"hq\r\n", false));
  EXPECT_EQ(ReadBytes(file), "hq\r\n");
  EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"JWC_TEMP.TXT"});
}

// The bytes go in as they are, NUL and bytes of no encoding included, and whatever stood there before
// is gone, longer or shorter.
TEST(WriteFileBytes, ReplacesAnExistingFileWithExactlyTheBytes) {
  struct Case {
    const char* what;
    std::string before;
    std::string bytes;
  };
  const Case cases[] = {
      {"shorter over longer", std::string(10000, 'x') + "\r\n", "<svg/>"},
      {"longer over shorter", "<svg/>", std::string(70000, 'y')},
      {"NUL and high bytes", "old", std::string("\0\xFF\xFE\x80\0", 5)},
      {"nothing over something", "old", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const fs::path file = dir.path() / "out.svg";
    WriteBytes(file, c.before);
    ASSERT_TRUE(platform::WriteFileBytes(file.u16string(), c.bytes));
    EXPECT_EQ(Hex(ReadBytes(file)), Hex(c.bytes));
    EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"out.svg"});
  }
}

// A write that cannot happen says why and leaves nothing behind: no temporary file, whichever call failed,
// and the target as it was.
TEST(WriteFileBytes, EveryFailureSaysWhyAndLeavesNothingBehind) {
  const test_support::UnreadableBytes unreadable(1 << 16);
  ASSERT_TRUE(unreadable.valid());
  const std::string longerThanAllowed(64, 'x');
  struct Case {
    const char* what;
    std::string target;     // under the scratch folder; a folder when it ends in "/"
    std::string_view bytes;
    bool blocked;           // test_support::WriteBlocker on the target
  };
  const Case cases[] = {
      {"create: the folder does not exist", "missing/JWC_TEMP.TXT", "hq\r\n", false},
      {"write: bytes the process cannot read", "JWC_TEMP.TXT", unreadable.view(), false},
      {"rename: the target is a folder", "folder/", "hq\r\n", false},
#ifdef _WIN32
      {"rename: the target is held open", "JWC_TEMP.TXT", "hq\r\n", true},
#else
      {"write: the file may not grow", "JWC_TEMP.TXT", longerThanAllowed, true},
#endif
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const bool folderTarget = c.target.ends_with('/');
    const fs::path target = dir.path() / fs::path(folderTarget ? c.target.substr(0, c.target.size() - 1) : c.target);
    if (folderTarget) {
      fs::create_directory(target);
    } else if (fs::exists(target.parent_path())) {
      WriteBytes(target, "host's file");
    }
    const std::vector<std::string> before = FolderEntries(dir.path());
    platform::WriteResult result;
    {
      std::optional<test_support::WriteBlocker> blocker;
      if (c.blocked) blocker.emplace(target);
      result = platform::WriteFileBytes(target.u16string(), c.bytes);
    }
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.reason.empty()) << "no reason given";
    EXPECT_EQ(FolderEntries(dir.path()), before) << "a temporary file stayed";
    if (folderTarget) {
      EXPECT_TRUE(fs::is_empty(target));
    } else if (fs::exists(target)) {
      EXPECT_EQ(ReadBytes(target), "host's file");
    }
  }
  EXPECT_FALSE(platform::WriteTextFile(u"", u"hq\r\n", true).ok) << "empty name";
}

#ifdef _WIN32
// A scanner or indexer that holds the target for a moment delays the replacement; it does not fail it.
TEST(WriteFileBytes, ReplacesATargetThatIsLetGoOfWithinAMoment) {
  TempDir dir;
  const fs::path target = dir.path() / "JWC_TEMP.TXT";
  WriteBytes(target, "host's file");
  auto blocker = std::make_unique<test_support::WriteBlocker>(target);
  std::thread release([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    blocker.reset();
  });
  const platform::WriteResult result = platform::WriteFileBytes(target.u16string(), "hq\r\n");
  release.join();
  EXPECT_TRUE(result.ok) << test_support::Utf8(result.reason);
  EXPECT_EQ(ReadBytes(target), "hq\r\n");
  EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"JWC_TEMP.TXT"});
}
#endif

// A reader that asks for at most n bytes gets the file's first n bytes, and the whole of a shorter file.
TEST(ReadTextFile, ReadsNoFurtherThanAskedFor) {
  TempDir dir;
  WriteBytes(dir.path() / "selvan.dat", kUtf8Bom + "50\r\n60\r\n" + std::string(100000, '7'));
  struct Case {
    std::size_t maxBytes;
    std::u16string text;
  };
  const Case cases[] = {
      {0, u""},
      {5, u"50"},
      {12, u"50\r\n60\r\n7"},  // the byte-order mark counts
      {platform::kWholeFile, u"50\r\n60\r\n" + std::u16string(100000, u'7')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.maxBytes);
    const platform::ReadTextResult read = platform::ReadTextFile(dir.file("selvan.dat"), c.maxBytes);
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.text, c.text);
  }
}

// Names past MAX_PATH (260) and in the range 248 to 259 that Win32 treats apart, in every call.
TEST(FileSystem, LongPathsWorkForEveryFileOperation) {
  for (std::size_t length : {250u, 300u}) {
    SCOPED_TRACE(length);
    TempDir dir;
    const std::size_t room = length - dir.path().u16string().size() - std::string("/JWC_TEMP.TXT").size();
    const fs::path nested = dir.path() / std::string(room / 2, 'a') / std::string(room - room / 2 - 2, 'b');
    std::error_code error;
    fs::create_directories(nested, error);
    ASSERT_FALSE(error) << error.message();
    const std::u16string file = (nested / "JWC_TEMP.TXT").u16string();
    ASSERT_EQ(file.size(), length);
    EXPECT_TRUE(platform::WriteTextFile(file, u"hq\r\n", false).ok);
    EXPECT_TRUE(platform::FileExists(file));
    EXPECT_EQ(platform::ReadTextFile(file).text, u"hq\r\n");
    EXPECT_TRUE(platform::RemoveFile(file));
    EXPECT_FALSE(platform::FileExists(file));
  }
}

TEST(FileSystem, FileExistsOnlyForRegularFiles) {
  TempDir dir;
  WriteBytes(dir.path() / "file.txt", "hq\r\n");
  fs::create_directory(dir.path() / "folder");
  struct Case {
    const char* what;
    std::u16string path;
    bool exists;
  };
  std::vector<Case> cases = {
      {"file", dir.file("file.txt"), true},
      {"folder", dir.file("folder"), false},
      {"folder with separator", dir.folder(), false},
      {"missing", dir.file("missing.txt"), false},
      {"empty name", u"", false},
      {"name with a NUL", dir.file("file.txt") + u'\0', false},
  };
#ifndef _WIN32
  fs::create_symlink(dir.path() / "file.txt", dir.path() / "link-to-file");
  fs::create_directory_symlink(dir.path() / "folder", dir.path() / "link-to-folder");
  fs::create_symlink(dir.path() / "missing.txt", dir.path() / "dangling");
  cases.push_back({"link to a file", dir.file("link-to-file"), true});
  cases.push_back({"link to a folder", dir.file("link-to-folder"), false});
  cases.push_back({"dangling link", dir.file("dangling"), false});
#endif
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(platform::FileExists(c.path), c.exists);
  }
}

TEST(FileSystem, RemoveFileDeletesOnlyFiles) {
  TempDir dir;
  fs::create_directory(dir.path() / "folder");
  struct Case {
    const char* what;
    std::string create;  // file to create first, if any
    std::u16string path;
    bool removed;
  };
  std::vector<Case> cases = {
      {"existing file", "file.txt", dir.file("file.txt"), true},
      {"missing file", "", dir.file("missing.txt"), false},
      {"folder", "", dir.file("folder"), false},
      {"file in a missing folder", "", dir.file("missing") + kSeparator + u"file.txt", false},
      {"empty name", "", u"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (!c.create.empty()) WriteBytes(dir.path() / c.create, "x");
    EXPECT_EQ(platform::RemoveFile(c.path), c.removed);
    if (!c.create.empty()) {
      EXPECT_EQ(fs::exists(dir.path() / c.create), !c.removed);
    }
    EXPECT_TRUE(fs::is_directory(dir.path() / "folder"));
  }
}

TEST(FileSystem, ProgramFolderHoldsTheRunningProgram) {
  const std::u16string folder = platform::ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), kSeparator);
  EXPECT_TRUE(fs::is_directory(fs::path(folder)));
#ifdef _WIN32
  EXPECT_TRUE(fs::is_regular_file(fs::path(folder + u"platform_tests.exe")));
#else
  EXPECT_TRUE(fs::is_regular_file(fs::path(folder + u"platform_tests")));
#endif
}

}  // namespace
