// Reading text files whole or in pieces: the encoding found by the byte-order mark, files that cannot
// be read told apart, the limit on a text's length, and a file another program holds for a moment.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform.h"
#include "platform_support.h"
#include "test_support.h"
#include "text_codecs.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace {

namespace fs = std::filesystem;
using platform::TextEncoding;
using platform_support::Hex;
using platform_support::kAnsiReplacement;
using platform_support::kSeparator;
using platform_support::kUtf8Bom;
using test_support::TempDir;
using test_support::WriteBytes;

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

}  // namespace
