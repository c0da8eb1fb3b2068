// The tokeniser of the exchange file's record lines, and every field that a record reads as a number.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "JwwGaibu.h"
#include "MyFunc.h"
#include "reader_support.h"
#include "test_support.h"

namespace {

using reader_support::Read;
using test_support::Utf8;

// ---------------------------------------------------------------------------------------------------
// Tokeniser. An "lgn" record joins all its fields with single blanks into the layer-group name, so the
// name shows how a line was split: how many fields, and what each holds.

TEST(ReaderTokeniser, SplitsAtBlanksAndTabsUntilAQuoteOrEquals) {
  struct Case {
    std::u16string_view line;
    std::u16string_view name;
  };
  const Case cases[] = {
      {u"lgnA B", u"A B"},
      {u"lgnA    B", u"A B"},                       // a run of blanks separates once
      {u"lgnA\tB", u"A B"},                         // a tab separates too
      {u"lgnA \t \tB", u"A B"},
      {u"   lgnA", u"A"},                           // leading blanks are skipped
      {u"lgnA ", u"A "},                            // a trailing blank leaves an empty counted field
      {u"lgnA  \t ", u"A "},
      {u"lgn\"A  B\tC", u"A  BC"},                  // after a quote: blanks kept, tabs dropped
      {u"lgnA \"B  \"C", u"A B  \"C"},              // a quote after a blank starts no new field; a second is kept
      {u"lgnA=B  C", u"A=B  C"},                    // "=" is kept and stops splitting
      {u"lgn=\"x", u"=\"x"},                        // once off, a quote is an ordinary character
      {u"lgnA\x01\x1F B\x7F", u"A B\x7F"},          // controls are dropped, DEL is not a control here
      {u"lgnA\rB", u"AB"},
      {u"lgn\uFF21\u3000\uFF22 C", u"\uFF21\u3000\uFF22 C"},  // the full-width blank never separates
      {u"lgn\uFF76\uFF9E\uFF7D", u"\uFF76\uFF9E\uFF7D"},      // half-width katakana kept as they are
      {u"lgn\U0001F600 \U00020BB7x", u"\U0001F600 \U00020BB7x"},  // surrogate pairs stay whole
      {u"lgn\xD800 x", u"\xD800 x"},                // a lone surrogate is kept too
      {u"lgn", u""},
  };
  for (const Case& c : cases) {
    TJGdata jg;
    jg.ReadTempLine(std::u16string(c.line));
    EXPECT_EQ(jg.LGrpName[0], std::u16string(c.name)) << "line [" << Utf8(c.line) << "]";
  }
}

// The samples of the record format, each read into the entity or setting that shows its fields.
TEST(ReaderTokeniser, TextQuoteFontAndFileSamples) {
  TJGdata jg;
  Read(jg, {u"ch 100 200 1 0 \"Plan A = 1", u"cn\"$\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF",
            u"file=C:\\drawings\\plan 1.jww"});
  ASSERT_EQ(jg.EntTextN, 1);
  const TJwwEntText& t = jg.EntText[0];
  EXPECT_EQ(t.x1, 100.0);
  EXPECT_EQ(t.y1, 200.0);
  EXPECT_EQ(t.x2, 1.0);
  EXPECT_EQ(t.y2, 0.0);
  EXPECT_EQ(Utf8(t.st), "Plan A = 1");
  EXPECT_EQ(Utf8(jg.w_Font), Utf8(u"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF"));
  EXPECT_EQ(Utf8(jg.ZumenFile), "C:\\drawings\\plan 1.jww");
}

TEST(ReaderTokeniser, FontWithoutQuoteKeepsOnlyTheFirstWord) {
  TJGdata jg;
  jg.ReadTempLine(u"cn$\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF");
  EXPECT_EQ(Utf8(jg.w_Font), Utf8(u"\uFF2D\uFF33"));
  EXPECT_EQ(Utf8(jg.CurFont), Utf8(u"\uFF2D\uFF33"));
}

// Blank and empty lines.
TEST(ReaderTokeniser, EmptyAndBlankLinesChangeNothing) {
  for (std::u16string_view line : {u"", u" ", u"   \t  ", u"\t", u"\x01\x02", u"\""}) {
    TJGdata jg;
    jg.ReadTempLine(std::u16string(line));
    jg.ReadTempText(std::u16string(line) + u"\r\n");
    EXPECT_EQ(jg.EntN, 0) << "line [" << Utf8(line) << "]";
    EXPECT_TRUE(jg.LGrpName[0].empty());
  }
  TJGdata jg;
  jg.ReadTempLine(u"hk 30 ");
  EXPECT_EQ(jg.Jikukaku, 30.0);
}

// More fields than the host's table of 400 would hold: nothing is cut.
TEST(ReaderTokeniser, LinesWithManyFieldsAreReadWhole) {
  std::u16string line = u"lgnG";
  std::u16string expected = u"G";
  for (int i = 0; i < 1000; ++i) {
    const std::u16string word = u"w" + std::u16string(1, static_cast<char16_t>(u'a' + i % 26));
    line += u" " + word;
    expected += u" " + word;
  }
  TJGdata jg;
  jg.ReadTempLine(line);
  EXPECT_EQ(jg.LGrpName[0], expected);
}

// A field that a dropped control character splits is copied; the fields after it, which make the
// table grow, must leave that copy where its view points (the address sanitizer catches a slip).
TEST(ReaderTokeniser, SplitFieldSurvivesTheTableGrowing) {
  TJGdata jg;
  jg.ReadTempLine(u"hs 1 2 3 4 5 6 7 8 9 10 11 12 13 14 1\x1A" u"5 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30");
  EXPECT_EQ(jg.LGrpScale[14], 15.0);
  EXPECT_EQ(jg.LGrpScale[15], 16.0);
  TJGdata names;
  std::u16string line = u"lgn\x01" u"A\x01" u"B";
  for (int i = 0; i < 200; ++i) line += u" C\x01" u"D";
  names.ReadTempLine(line);
  EXPECT_EQ(names.LGrpName[0].substr(0, 8), u"AB CD CD");
  EXPECT_EQ(names.LGrpName[0].size(), 2u + 200u * 3u);
}

// The "hrgb" record keeps the first 356 values, one per RGB entry, and drops the rest.
TEST(ReaderTokeniser, RgbRecordKeepsWhatFits) {
  std::u16string line = u"hrgb";
  for (int i = 1; i <= 500; ++i) {
    const std::string number = std::to_string(i);
    line += u" " + std::u16string(number.begin(), number.end());
  }
  TJGdata jg;
  jg.ReadTempLine(line);
  EXPECT_EQ(jg.RGB[0], 1);
  EXPECT_EQ(jg.RGB[355], 356);

  TJGdata shortRecord;
  shortRecord.ReadTempLine(u"hrgb 1 2 3 4 5 6 7 8");
  EXPECT_EQ(shortRecord.RGB[7], 8);
  EXPECT_EQ(shortRecord.RGB[8], 0);
  TJGdata tooShort;
  tooShort.ReadTempLine(u"hrgb 1 2 3 4 5 6 7");
  EXPECT_EQ(tooShort.RGB[0], 0);
}

// ---------------------------------------------------------------------------------------------------
// Number fields. Every field that a rule reads as a number must give exactly what TextToFloat or
// TextToInt gives for the same text, in every rule and at every place in the line: the reader converts
// the common forms itself, so each form below is fed through each rule that reads a number.

// The field texts: plain forms the host writes, and every other form the conversions define.
const std::u16string_view kNumberTexts[] = {
    // Plain decimals, integers and the limits of the integer range.
    u"0", u"1", u"-1", u"7", u"-7", u"-0", u"-0.0", u"00", u"007", u"-007", u"00012.5000", u"1.5", u"-0.25",
    u"2.5", u"0.1", u"0.30000000000000004", u"7306.10278372591", u"-2989.07922912206", u"123456789",
    u"-123456789", u"999999999", u"1000000000", u"1234567890", u"2147483647", u"2147483648", u"-2147483648",
    u"-2147483649", u"12345678901", u"99999999999", u"0000000000012", u"9007199254740993",
    u"18446744073709551616",
    // Digits missing on one side of the point.
    u".5", u"-.5", u"+.5", u"5.", u"-5.", u".", u"-.", u"+.", u"..5", u"1..2", u"1.2.", u"1.2.3",
    // Signs.
    u"+7", u"+0", u"+1.5", u"-", u"+", u"--1", u"+-1", u"-+1", u"1-", u"-1-", u"1+",
    // Exponents.
    u"1e3", u"1E3", u"1e+3", u"1E+3", u"1E-3", u"-1e3", u"1e0", u"1e-0", u"1e", u"1E", u"1E+", u"1e-", u"e3",
    u".e3", u"1.e3", u".5e1", u"1e3.5", u"1e400", u"-1e400", u"1E308", u"1.7976931348623157E308",
    u"1.7976931348623159E308", u"1e-400", u"-1e-400", u"4.9e-324", u"2.4703282292062327e-324",
    u"2.2250738585072011e-308", u"1e-12", u"1e-13",
    // Hexadecimal, which only TextToInt reads.
    u"$1F", u"$1f", u"-$1F", u"+$10", u"$", u"$G", u"$FFFFFFFF", u"$80000000", u"-$80000000", u"$100000000",
    u"$000000001", u"x10", u"X10", u"0x10", u"0X10", u"-0x10", u"0x", u"x", u"0xG", u"$-1",
    // Long texts: at and past the length that the reader converts without a copy.
    u"123456789012345678901234567890123456789012345678", u"1234567890123456789012345678901234567890123456789",
    u"-12345678901234567890123456789012345678901234567", u"0.000000000000000000000000000000000000000000001",
    u"0.0000000000000000000000000000000000000000000001",
    u"1.00000000000000011102230246251565404236316680908203125",
    u"1.000000000000000111022302462515654042363166809082031250000001",
    u"9999999999999999999999999999999999999999999999999",
    // Blanks: leading ones are skipped, a trailing one spoils the number (fields after a quote keep them).
    u"", u" ", u" 12", u"  -3.5", u"12 ", u" 1e3", u"1 2", u" $1F",
    // Not numbers at all.
    u"abc", u"1,5", u"1_000", u"\uFF11", u"\uFF0D1", u"inf", u"INF", u"nan", u"NaN", u"Infinity", u"1\u00A0",
    u"\u0661", u"1d", u"1f", u"0b1", u"1e3e3"};

bool HasBlank(std::u16string_view text) { return text.find(u' ') != std::u16string_view::npos; }

// One place in a record where a number is read. `line` has a "#" where the field goes; the field is
// placed after a double quote when it must keep its blanks, which is possible only at the end of a
// line. `read` returns what the model holds for that place, or NaN when the record was not applied.
struct NumberPlace {
  std::u16string_view line;
  bool integer;
  double (*read)(const TJGdata&);
};

constexpr double kNotApplied = std::numeric_limits<double>::quiet_NaN();

template <typename T, typename Field>
double First(int32_t count, const std::vector<T>& table, Field field) {
  return count == 1 ? static_cast<double>(table[0].*field) : kNotApplied;
}

const NumberPlace kNumberPlaces[] = {
    // Reals.
    {u"hk #", false, [](const TJGdata& j) { return j.Jikukaku; }},
    {u"hs # 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16", false, [](const TJGdata& j) { return j.LGrpScale[0]; }},
    {u"hs 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 #", false, [](const TJGdata& j) { return j.LGrpScale[15]; }},
    {u"hzs # 297", false, [](const TJGdata& j) { return j.ZumenXsize; }},
    {u"hzs 420 #", false, [](const TJGdata& j) { return j.ZumenYsize; }},
    {u"hcw 1 2 3 4 5 6 7 8 9 #", false, [](const TJGdata& j) { return j.Mojisyu[10].W; }},
    {u"hch 1 # 3 4 5 6 7 8 9 10", false, [](const TJGdata& j) { return j.Mojisyu[2].H; }},
    {u"hcd 1 2 3 4 5 6 7 8 9 #", false, [](const TJGdata& j) { return j.Mojisyu[10].D; }},
    {u"hn # 2 3 4", false, [](const TJGdata& j) { return j.AreaX1; }},
    {u"hn 1 2 3 #", false, [](const TJGdata& j) { return j.AreaY2; }},
    {u"hp1 # 2", false, [](const TJGdata& j) { return j.IPointN == 1 ? j.IPoints[1].x : kNotApplied; }},
    {u"hp1 1 #", false, [](const TJGdata& j) { return j.IPointN == 1 ? j.IPoints[1].y : kNotApplied; }},
    {u"cn0 # 2 3 4", false, [](const TJGdata& j) { return j.w_MjsW == j.CurMjsW ? j.w_MjsW : kNotApplied; }},
    {u"cn0 1 2 # 4", false, [](const TJGdata& j) { return j.w_MjsD == j.CurMjsD ? j.w_MjsD : kNotApplied; }},
    {u"ci 1 2 #", false, [](const TJGdata& j) { return First(j.EntCircN, j.EntCirc, &TJwwEntCircle::cr); }},
    {u"ci # 2 3 4 5 6 7", false,
     [](const TJGdata& j) { return First(j.EntArcN, j.EntArc, &TJwwEntArc::cx); }},
    {u"ci 1 2 3 4 5 6 #", false,
     [](const TJGdata& j) { return First(j.EntArcN, j.EntArc, &TJwwEntArc::ka); }},
    {u"ch # 2 3 4 t", false, [](const TJGdata& j) { return First(j.EntTextN, j.EntText, &TJwwEntText::x1); }},
    {u"c2 1 2 3 # t", false, [](const TJGdata& j) { return First(j.EntTextN, j.EntText, &TJwwEntText::y2); }},
    {u"pt # 2", false, [](const TJGdata& j) { return First(j.EntPntN, j.EntPnt, &TJwwEntPnt::px); }},
    {u"pt 1 #", false, [](const TJGdata& j) { return First(j.EntPntN, j.EntPnt, &TJwwEntPnt::py); }},
    {u"pt 1 2 3 # 5", false,
     [](const TJGdata& j) { return First(j.EntMarkN, j.EntMark, &TJwwEntMark::ang); }},
    {u"BL # 2 n", false, [](const TJGdata& j) { return First(j.EntBlkN, j.EntBlk, &TJwwEntBlk::px); }},
    {u"sl 1 2 3 #", false, [](const TJGdata& j) { return First(j.EntSld2N, j.EntSld2, &TJwwEntSld2::y2); }},
    {u"sc 1 2 3 4 5 6 # 8", false,
     [](const TJGdata& j) { return First(j.EntSldCN, j.EntSldC, &TJwwEntSldC::da); }},
    {u"so 1 2 3 4 5 6 7 #", false,
     [](const TJGdata& j) { return First(j.EntSldON, j.EntSldO, &TJwwEntSldD::ri); }},
    {u"# 2 3 4", false, [](const TJGdata& j) { return First(j.EntLineN, j.EntLine, &TJwwEntLine::x1); }},
    {u"1 2 3 #", false, [](const TJGdata& j) { return First(j.EntLineN, j.EntLine, &TJwwEntLine::y2); }},
    {u"msg\r\n1 # 3 4", false, [](const TJGdata& j) { return j.EntN == 0 ? j.EntSunLine.y1 : kNotApplied; }},
    // Integers.
    {u"hcc 1 2 3 4 5 6 7 8 9 #", true, [](const TJGdata& j) { return static_cast<double>(j.Mojisyu[10].C); }},
    {u"hrgb # 2 3 4 5 6 7 8", true, [](const TJGdata& j) { return static_cast<double>(j.RGB[0]); }},
    {u"hrgb 1 2 3 4 5 6 7 #", true, [](const TJGdata& j) { return static_cast<double>(j.RGB[7]); }},
    {u"lg2 #", true, [](const TJGdata& j) { return static_cast<double>(j.LGrpStat[2]); }},
    {u"ly3 #", true, [](const TJGdata& j) { return static_cast<double>(j.LayStat[3]); }},
    {u"lc10 #", true, [](const TJGdata& j) { return static_cast<double>(j.w_SlCol); }},
    {u"cn0 1 2 3 #", true, [](const TJGdata& j) { return j.w_MjsC == j.CurMjsC ? j.w_MjsC : kNotApplied; }},
    {u"pt 1 2 3 4 #", true, [](const TJGdata& j) { return First(j.EntMarkN, j.EntMark, &TJwwEntMark::cod); }},
    {u"sc 1 2 3 4 5 6 7 #", true,
     [](const TJGdata& j) { return First(j.EntSldCN, j.EntSldC, &TJwwEntSldC::fl); }},
    {u"se 1 2 3 4 5 6 7 #", true,
     [](const TJGdata& j) { return First(j.EntSldEN, j.EntSldE, &TJwwEntSldC::fl); }},
    // The number that follows a keyword inside the first field.
    {u"lc#", true, [](const TJGdata& j) { return j.w_Col == j.CurCol ? j.w_Col : kNotApplied; }},
    {u"lt#", true, [](const TJGdata& j) { return j.w_Ltp == j.CurLtp ? j.w_Ltp : kNotApplied; }},
    {u"lw#", true, [](const TJGdata& j) { return j.w_Wid == j.CurWid ? j.w_Wid : kNotApplied; }},
    {u"cn#", true, [](const TJGdata& j) { return j.w_Mjs == j.CurMjs ? j.w_Mjs : kNotApplied; }},
    {u"pn#", true, [](const TJGdata& j) { return static_cast<double>(j.w_PtCol); }},
    {u"hhp#", true, [](const TJGdata& j) { return static_cast<double>(j.w_IPNo); }},
};

// The line for `place` with `text` as its field, or nothing when that text cannot stand there: a text
// with blanks, or an empty one, survives tokenising only as the last field, after a quote.
std::optional<std::u16string> PlaceNumber(std::u16string_view place, std::u16string_view text) {
  const size_t at = place.find(u'#');
  const bool last = at + 1 == place.size();
  const bool inKeyword = at > 0 && place[at - 1] != u' ' && place[at - 1] != u'\n';
  if ((HasBlank(text) || text.empty()) && !last) return std::nullopt;
  // "cn" followed by "$" is the font record, not a text style.
  if (place.starts_with(u"cn#") && text.starts_with(u'$')) return std::nullopt;
  std::u16string line(place.substr(0, at));
  if (HasBlank(text) || (text.empty() && !inKeyword)) line += u'"';
  line.append(text);
  line.append(place.substr(at + 1));
  return line;
}

TEST(ReaderNumbers, EveryNumberFieldReadsAsTextToFloatOrTextToIntReadsIt) {
  for (const NumberPlace& place : kNumberPlaces) {
    for (std::u16string_view text : kNumberTexts) {
      const std::optional<std::u16string> line = PlaceNumber(place.line, text);
      if (!line) continue;
      TJGdata jg;
      jg.ReadTempText(*line + u"\r\n");
      const double expected = place.integer ? static_cast<double>(TextToInt(std::u16string(text)))
                                            : TextToFloat(std::u16string(text));
      const double got = place.read(jg);
      EXPECT_EQ(got, expected) << "line [" << Utf8(*line) << "]";
      EXPECT_EQ(std::signbit(got), std::signbit(expected)) << "line [" << Utf8(*line) << "]";
    }
  }
}

// The indicated-point number goes through TextToInt too, and only 1..99 are kept. Texts with "-" are
// left out: there "-" is the suffix that says how the point was given.
TEST(ReaderNumbers, IndicatedPointNumberReadsAsTextToIntReadsIt) {
  for (std::u16string_view text : kNumberTexts) {
    if (HasBlank(text) || text.find(u'-') != std::u16string_view::npos) continue;
    TJGdata jg;
    jg.ReadTempText(u"hp" + std::u16string(text) + u" 5 6\r\n");
    const int32_t k = TextToInt(std::u16string(text));
    const int32_t expected = k >= 1 && k <= 99 ? k : 0;
    int32_t given = 0;
    for (size_t i = 0; i < jg.IPoints.size(); ++i) {
      if (jg.IPoints[i].flg) given = static_cast<int32_t>(i);
    }
    EXPECT_EQ(given, expected) << "line [hp" << Utf8(text) << " 5 6]";
    EXPECT_EQ(jg.IPointN, expected ? 1 : 0) << "line [hp" << Utf8(text) << " 5 6]";
  }
}

}  // namespace
