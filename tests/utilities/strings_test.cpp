// 0-based text access, blank stripping, the half-width test, the full-width conversion of value texts and
// trailing-zero removal, all counted in UTF-16 code units.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <set>
#include <string>

#include "MyFunc.h"

namespace {

using testing::PrintToString;

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(TextLen, CountsCodeUnits) {
  EXPECT_EQ(TextLen(u""), 0);
  EXPECT_EQ(TextLen(u"abc"), 3);
  EXPECT_EQ(TextLen(u"寸法"), 2);
  EXPECT_EQ(TextLen(u"a\U0001F600"), 3);  // outside the BMP: two units
}

TEST(CharAt, OneCodeUnitAndNothingOutsideTheText) {
  struct Case {
    std::u16string text;
    int32_t index;
    std::u16string expected;
  };
  // clang-format off
  const Case cases[] = {
      {u"ABC", 0, u"A"}, {u"ABC", 2, u"C"}, {u"寸法", 1, u"法"},
      {u"\U0001F600", 0, std::u16string(1, u'\xD83D')},
      // callers never pass these; they must not read outside the text
      {u"ABC", 3, u""}, {u"ABC", -1, u""}, {u"", 0, u""}, {u"ABC", kMax, u""}, {u"ABC", kMin, u""},
  };
  // clang-format on
  for (const Case& c : cases)
    EXPECT_EQ(CharAt(c.text, c.index), c.expected) << PrintToString(c.text) << " " << c.index;
}

TEST(FindText, SoughtTextComesFirst) {
  struct Case {
    std::u16string sought, text;
    int32_t expected;
  };
  // clang-format off
  const Case cases[] = {
      {u"E", u"1.25", -1}, {u"0", u"100", 1}, {u"100", u"0", -1}, {u"abc", u"xxabcabc", 2},
      {u"abc", u"abc", 0}, {u"abcd", u"abc", -1}, {u"A", u"abc", -1},  // case matters {u"法", u"寸法値", 1},
      // an empty sought text is never found
      {u"", u"abc", -1}, {u"", u"", -1}, {u"x", u"", -1},
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(FindText(c.sought, c.text), c.expected)
        << PrintToString(c.sought) << " in " << PrintToString(c.text);
  }
}

TEST(TextFromAndSubText, ClampInsteadOfFailing) {
  struct Case {
    int32_t index, count;
    std::u16string sub, from;
  };
  const std::u16string text = u"ABCDE";
  // clang-format off
  const Case cases[] = {
      {0, 5, u"ABCDE", u"ABCDE"}, {1, 2, u"BC", u"BCDE"}, {2, 3, u"CDE", u"CDE"}, {3, 5, u"DE", u"DE"},
      {2, kMax, u"CDE", u"CDE"},
      // start beyond the end
      {5, 1, u"", u""}, {7, 1, u"", u""}, {kMax, kMax, u"", u""},
      // negative start raised to 0
      {-2, 2, u"AB", u"ABCDE"}, {kMin, 3, u"ABC", u"ABCDE"},
      // nothing asked for
      {0, 0, u"", u"ABCDE"}, {0, -1, u"", u"ABCDE"}, {2, kMin, u"", u"CDE"},
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(SubText(text, c.index, c.count), c.sub) << c.index << ", " << c.count;
    EXPECT_EQ(TextFrom(text, c.index), c.from) << c.index;
  }
  EXPECT_EQ(SubText(u"", 0, 3), u"");
  EXPECT_EQ(TextFrom(u"", 0), u"");
}

TEST(StripSpaces, DropsBlanksFullWidthBlanksAndControls) {
  struct Case {
    std::u16string text, expected;
  };
  // clang-format off
  const Case cases[] = {
      {u" \u3000\t\r\n  ", u""}, {u"寸法 値", u"寸法値"}, {u"", u""}, {u"abc", u"abc"},
      {std::u16string(u"\0a\x1F" u"b c\u3000d", 8), u"abcd"},
      // only U+0000 to U+001F count as controls; other spaces are kept
      {u"\x7F", u"\x7F"}, {u"a\u00A0b", u"a\u00A0b"}, {u"a\u2003b", u"a\u2003b"},
  };
  // clang-format on
  for (const Case& c : cases) EXPECT_EQ(StripSpaces(c.text), c.expected) << PrintToString(c.text);
}

TEST(IsBlank, NothingButWhatStripSpacesDrops) {
  struct Case {
    std::u16string text;
    bool blank;
  };
  // clang-format off
  const Case cases[] = {
      {u"", true}, {u" ", true}, {u"\u3000", true}, {u" \u3000\t\r\n  ", true},
      {std::u16string(u"\0\x1F", 2), true}, {u"\x01\x10\x1F", true},
      {u"!", false}, {u"  a  ", false}, {u"\u3000\u3001", false}, {std::u16string(u"\0x", 2), false},
      // the neighbours of the blanks and other spaces are text
      {u"\x7F", false}, {u"\u00A0", false}, {u"\u2003", false}, {u"\u2FFF", false}, {u"\u3001", false},
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(IsBlank(c.text), c.blank) << PrintToString(c.text);
    EXPECT_EQ(IsBlank(c.text), StripSpaces(c.text).empty()) << PrintToString(c.text);
  }
}

TEST(IsHalfWidth, AsciiAndHalfWidthKatakana) {
  struct Case {
    std::u16string character;
    bool expected;
  };
  // clang-format off
  const Case cases[] = {
      {u"A", true}, {u"\uFF71", true}, {u"\uFF21", false}, {u"\u30A2", false}, {u"", false},
      // the bounds of both ranges
      {u" ", true}, {u"\x1F", false}, {u"~", true}, {u"\x7F", false}, {u"\uFF60", false}, {u"\uFF61", true},
      {u"\uFF9F", true}, {u"\uFFA0", false}, {u"\u00B0", false}, {u"\t", false}, {u"\U0001F600", false},
      // the whole text is compared with the one-character bounds
      {u"AB", true}, {u"~A", false}, {u"\uFF9F" u"A", false}, {u"\uFF61" u"A", true},
  };
  // clang-format on
  for (const Case& c : cases) EXPECT_EQ(IsHalfWidth(c.character), c.expected) << PrintToString(c.character);
}

TEST(SurrogateKind, FirstCodeUnit) {
  struct Case {
    char16_t unit;
    int32_t expected;
  };
  const Case cases[] = {{u'A', 0},      {u'\xD7FF', 0}, {u'\xD800', 1}, {u'\xDBFF', 1},
                        {u'\xDC00', 2}, {u'\xDFFF', 2}, {u'\xE000', 0}, {u'\xFFFF', 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(SurrogateKind(std::u16string(1, c.unit)), c.expected) << static_cast<int>(c.unit);
    EXPECT_EQ(SurrogateKind(std::u16string(1, c.unit) + u"A"), c.expected) << static_cast<int>(c.unit);
  }
  EXPECT_EQ(SurrogateKind(u"\U0001F600"), 1);
  EXPECT_EQ(SurrogateKind(u""), 0);  // callers never pass it; it must not read outside the text
}

TEST(ToFullWidth, ValueTextsAndKana) {
  struct Case {
    std::u16string text, expected;
  };
  // clang-format off
  const Case cases[] = {
      {u"12.5mm", u"１２．５ｍｍ"}, {u"-1,234.568", u"－１，２３４．５６８"}, {u"", u""},
      // the three exceptions and the blank
      {u"\\", u"￥"}, {u"\"", u"\u201D"}, {u"'", u"\u2019"}, {u" ", u"\u3000"},
      // voiced and semi-voiced pairs
      {u"ｶﾞｽ", u"ガス"}, {u"ﾊﾟｲﾌﾟ", u"パイプ"}, {u"ｳﾞ", u"ヴ"}, {u"ﾎﾟﾝﾌﾟ", u"ポンプ"},
      // marks outside a pair stand alone
      {u"ｱﾞ", u"ア゛"}, {u"ﾞｶ", u"゛カ"}, {u"ﾞ", u"゛"}, {u"ﾟ", u"\u00B0"}, {u"ｶﾟ", u"カ\u00B0"},
      {u"ｶﾞﾞ", u"ガ゛"}, {u"ﾊﾞﾟ", u"バ\u00B0"}, {u"ｶ", u"カ"}, {u"ｶﾞｶ", u"ガカ"},
      // everything else passes unchanged
      {u"寸法Ａあ", u"寸法Ａあ"}, {u"\t\x7F\u3000", u"\t\x7F\u3000"}, {u"\U0001F600", u"\U0001F600"},
      {u"\uFF60\uFFA0", u"\uFF60\uFFA0"},
  };
  // clang-format on
  for (const Case& c : cases) EXPECT_EQ(ToFullWidth(c.text), c.expected) << PrintToString(c.text);
}

TEST(ToFullWidth, EveryAsciiCharacter) {
  for (char16_t c = 0x21; c <= 0x7E; ++c) {
    char16_t expected = static_cast<char16_t>(c + 0xFEE0);
    if (c == u'"') expected = u'\u201D';
    if (c == u'\'') expected = u'\u2019';
    if (c == u'\\') expected = u'\uFFE5';
    EXPECT_EQ(ToFullWidth(std::u16string(1, c)), std::u16string(1, expected)) << static_cast<int>(c);
  }
}

// The full-width katakana block puts each voiced kana one code point after its base and each
// semi-voiced kana two after it, which checks the pair table independently of how it is written.
TEST(ToFullWidth, EveryVoicedPair) {
  const std::u16string voicedBases = u"ｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾊﾋﾌﾍﾎ";
  const std::u16string semiVoicedBases = u"ﾊﾋﾌﾍﾎ";
  for (const char16_t base : voicedBases) {
    const std::u16string plain = ToFullWidth(std::u16string(1, base));
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ(ToFullWidth(std::u16string{base, u'ﾞ'}), std::u16string(1, static_cast<char16_t>(plain[0] + 1)))
        << static_cast<int>(base);
  }
  for (const char16_t base : semiVoicedBases) {
    const std::u16string plain = ToFullWidth(std::u16string(1, base));
    EXPECT_EQ(ToFullWidth(std::u16string{base, u'ﾟ'}), std::u16string(1, static_cast<char16_t>(plain[0] + 2)))
        << static_cast<int>(base);
  }
  EXPECT_EQ(ToFullWidth(u"ｳﾞ"), u"\u30F4");
  // No other half-width character forms a pair with either mark.
  int pairs = 0;
  for (char16_t base = 0xFF61; base <= 0xFF9F; ++base) {
    for (const char16_t mark : {u'ﾞ', u'ﾟ'}) {
      const std::u16string converted = ToFullWidth(std::u16string{base, mark});
      if (converted.size() == 1) {
        ++pairs;
      } else {
        EXPECT_EQ(converted, ToFullWidth(std::u16string(1, base)) + ToFullWidth(std::u16string(1, mark)))
            << static_cast<int>(base) << " " << static_cast<int>(mark);
      }
    }
  }
  EXPECT_EQ(pairs, 26);
}

TEST(ToFullWidth, EveryHalfWidthKatakana) {
  // Distinct full-width results, all outside the half-width range, with the two marks and the
  // punctuation at their known places.
  std::set<char16_t> results;
  for (char16_t c = 0xFF61; c <= 0xFF9F; ++c) {
    const std::u16string converted = ToFullWidth(std::u16string(1, c));
    ASSERT_EQ(converted.size(), 1u) << static_cast<int>(c);
    EXPECT_FALSE(IsHalfWidth(converted)) << static_cast<int>(c);
    results.insert(converted[0]);
    if (c >= 0xFF71 && c <= 0xFF9D) {
      EXPECT_TRUE(converted[0] >= 0x30A1 && converted[0] <= 0x30F3) << static_cast<int>(c);
    }
  }
  EXPECT_EQ(results.size(), 63u);
  EXPECT_EQ(ToFullWidth(u"｡｢｣､･ｦｰﾝﾞﾟ"), u"。「」、・ヲーン\u309B\u00B0");
  EXPECT_EQ(ToFullWidth(u"ｧｨｩｪｫｬｭｮｯ"), u"ァィゥェォャュョッ");
  EXPECT_EQ(ToFullWidth(u"ｱｲｳｴｵﾅﾆﾇﾈﾉﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜ"), u"アイウエオナニヌネノマミムメモヤユヨラリルレロワ");
}

TEST(TrimTrailingZeros, FractionZerosOnly) {
  struct Case {
    std::u16string text, expected;
  };
  // clang-format off
  const Case cases[] = {
      {u"1.500", u"1.5"}, {u"2.000", u"2"}, {u"3.", u"3"}, {u"0.0", u"0"}, {u"-0.500", u"-0.5"},
      {u".50", u".5"}, {u"10.0", u"10"}, {u"1.05", u"1.05"}, {u"12,345.500", u"12,345.5"},
      // without a point nothing changes, whatever the zeros
      {u"100", u"100"}, {u"1000", u"1000"}, {u"0", u"0"}, {u"", u""}, {u"１２．５００", u"１２．５００"},
      // the exponent part (upper-case E only) is kept as it is
      {u"1.2300E+05", u"1.23E+05"}, {u"1.000E5", u"1E5"}, {u"100E50", u"100E50"}, {u"1.2E0", u"1.2E0"},
      {u"1.2300e+05", u"1.2300e+05"}, {u"1.2300e+00", u"1.2300e+"},
  };
  // clang-format on
  for (const Case& c : cases) EXPECT_EQ(TrimTrailingZeros(c.text), c.expected) << PrintToString(c.text);
}

}  // namespace
