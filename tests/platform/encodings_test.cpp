// Text conversions of the platform layer: code page 932 both ways, on Linux through iconv and under Wine
// through the system's ANSI code page, and UTF-8 both ways, with invalid input that must not stop them.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "platform.h"
#include "platform_support.h"

namespace {

using platform_support::Hex;
using platform_support::kAnsiReplacement;

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

}  // namespace
