// The exchange-file reader: the tokeniser, every record rule with its field counts, the state that
// carries from line to line, and whole files in each encoding the host writes.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <initializer_list>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "JwwGaibu.h"
#include "MyFunc.h"
#include "output_lines.h"
#include "platform.h"
#include "test_support.h"

namespace {

using test_support::TempDir;
using test_support::Utf8;
using test_support::WriteBytes;
using namespace std::string_literals;

// The lines as one text with CR LF after each, read the way OpenTempFile hands a file over.
void Read(TJGdata& jg, std::initializer_list<std::u16string_view> lines) { jg.ReadTempText(CrLfText(lines)); }

std::string Utf16Bytes(std::u16string_view text, bool bigEndian) {
  std::string bytes;
  for (char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

std::vector<int32_t> Kinds(const TJGdata& jg) {
  std::vector<int32_t> kinds;
  for (int32_t i = 0; i < jg.EntN; ++i) kinds.push_back(jg.EntNo[static_cast<size_t>(i)].yn);
  return kinds;
}

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
// Dispatch: which rule takes a line, by keyword and field count. A keyword with too few fields goes on
// to the later rules, so four fields of anything become a line (kind 1).

TEST(ReaderDispatch, KeywordAndFieldCountChooseTheEntityKind) {
  struct Case {
    std::u16string_view line;
    std::vector<int32_t> kinds;
  };
  const Case cases[] = {
      {u"0 0 10 0", {1}},
      {u"x 0 10 0", {1}},
      {u"1 2 3", {}},
      {u"1 2 3 4 5", {}},
      {u"ci 0 0 5", {2}},
      {u"ci 0 0", {}},
      {u"ci 0 0 5 0", {}},
      {u"ci 0 0 5 0 90 1 0", {3}},
      {u"ci 0 0 5 0 90 1", {}},
      {u"ci 0 0 5 0 90 1 0 9", {3}},
      {u"CI 0 0 5", {1}},  // keywords are case-sensitive
      {u"ch 0 0 1 0 \"a", {4}},
      {u"ch 0 0 1 0 \"", {4}},
      {u"ch 0 0 1 0", {}},
      {u"ch 0 0 1", {1}},
      {u"c2 0 0 1 0 a b c", {4}},
      {u"cx 0 0 1 0 a", {}},
      {u"pt 1 2", {5}},
      {u"pt 1 2 3", {1}},
      {u"pt 1 2 3 4", {}},
      {u"pt 1 2 3 4 5", {6}},
      {u"pt 1 2 3 4 5 6", {6}},
      {u"BL 1 2 door", {8}},
      {u"BL 1 2", {}},
      {u"bl 1 2 3", {1}},
      {u"sl 0 0 1 1", {9}},
      {u"sl 0 0 1", {1}},
      {u"sl 0 0 1 1 2", {}},
      {u"sl 0 0 1 0 1 1", {10}},
      {u"sl 0 0 1 0 1 1 0", {}},
      {u"sl 0 0 1 0 1 1 0 1", {11}},
      {u"sl 0 0 1 0 1 1 0 1 9", {11}},
      {u"sc 0 0 1 1 0 0 360 1", {12}},
      {u"se 0 0 1 1 0 0 360 1", {13}},
      {u"so 0 0 1 1 0 0 360 0.5", {14}},
      {u"sg 0 0 1 1 0 0 360 0.5", {15}},
      {u"sc 0 0 1 1 0 0 360", {}},
      {u"sg 0 0 1", {1}},
      {u"sx 0 0 1 1 0 0 360 1", {}},
      // Header and attribute records never become lines when they fit their rule...
      {u"hk 1 2 3", {}},
      {u"hzs 1 2 3", {}},
      {u"hp1 0 0 0", {}},
      {u"hp100 0 0 0", {}},  // out of range: dropped, not passed on
      {u"hhp5 0 0 0", {}},
      {u"lg1 2 3 4", {}},
      {u"lgn a b c", {}},
      {u"cn1 2 3 4", {}},
      {u"cc1 2 3 4", {}},
      {u"z1 2 3 4", {}},
      {u"pn1 2 3 4", {}},
      {u"pl 1 2 3", {}},
      {u"msg 1 2 3", {}},
      {u"# 1 2 3", {}},
      {u"bz 1 2 3", {}},
      {u"afile= 1 2 3", {}},
      // ...but do when they are short of fields.
      {u"hs 1 2 3", {1}},
      {u"hn 1 2 3", {1}},
      {u"hcw 1 2 3", {1}},
      {u"hrgb 1 2 3", {1}},
      {u"hp1 0", {}},
  };
  for (const Case& c : cases) {
    TJGdata jg;
    jg.ReadTempLine(std::u16string(c.line));
    EXPECT_EQ(Kinds(jg), c.kinds) << "line [" << Utf8(c.line) << "]";
  }
}

TEST(ReaderDispatch, EntNoIndexesEachKindFromZero) {
  TJGdata jg;
  Read(jg, {u"0 0 1 0", u"ci 0 0 1", u"0 1 1 1", u"ci 0 0 2", u"pt 1 1"});
  const std::vector<std::pair<int32_t, int32_t>> expected = {{1, 0}, {2, 0}, {1, 1}, {2, 1}, {5, 0}};
  ASSERT_EQ(jg.EntN, 5);
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(jg.EntNo[i].yn, expected[i].first) << "entry " << i;
    EXPECT_EQ(jg.EntNo[i].no, expected[i].second) << "entry " << i;
  }
  EXPECT_EQ(jg.EntLine[1].y2, 1.0);
  EXPECT_EQ(jg.EntCirc[1].cr, 2.0);
}

TEST(ReaderDispatch, TextKeywordsGiveTheirTextKind) {
  const std::u16string_view keywords[] = {u"ch", u"cv", u"cs", u"cr", u"co", u"cp", u"ct", u"ck", u"cz", u"c2"};
  for (int32_t kind = 0; kind < 10; ++kind) {
    TJGdata jg;
    jg.ReadTempLine(std::u16string(keywords[kind]) + u" 1 2 3 4 \"t");
    ASSERT_EQ(jg.EntTextN, 1) << Utf8(keywords[kind]);
    EXPECT_EQ(jg.EntText[0].no, kind) << Utf8(keywords[kind]);
  }
}

// The fields of each entity record, in their order.
TEST(ReaderDispatch, EntityFieldsAreReadInOrder) {
  TJGdata jg;
  Read(jg, {u"ci 1 2 3 4 5 6 7", u"BL 1.5 -2 \uFF24oor x", u"sc 1 2 3 4 5 6 7 8", u"so 1 2 3 4 5 6 7 8.5",
            u"se 9 8 7 6 5 4 3 2", u"sg 9 8 7 6 5 4 3 2.5", u"pt 1 2 3 45 7"});
  const TJwwEntArc& a = jg.EntArc[0];
  EXPECT_EQ(std::vector<double>({a.cx, a.cy, a.cr, a.sa, a.ea, a.he, a.ka}),
            std::vector<double>({1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(jg.EntBlk[0].px, 1.5);
  EXPECT_EQ(jg.EntBlk[0].py, -2.0);
  EXPECT_EQ(Utf8(jg.EntBlk[0].nam), Utf8(u"\uFF24oor"));
  const TJwwEntSldC& c = jg.EntSldC[0];
  EXPECT_EQ(std::vector<double>({c.cx, c.cy, c.cr, c.he, c.ka, c.sa, c.da}), std::vector<double>({1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(c.fl, 8);
  EXPECT_EQ(jg.EntSldE[0].cx, 9.0);
  EXPECT_EQ(jg.EntSldE[0].fl, 2);
  const TJwwEntSldD& o = jg.EntSldO[0];
  EXPECT_EQ(std::vector<double>({o.cx, o.cy, o.cr, o.he, o.ka, o.sa, o.da, o.ri}),
            std::vector<double>({1, 2, 3, 4, 5, 6, 7, 8.5}));
  EXPECT_EQ(jg.EntSldG[0].ri, 2.5);
  const TJwwEntMark& m = jg.EntMark[0];
  EXPECT_EQ(std::vector<double>({m.px, m.py, m.bai, m.ang}), std::vector<double>({1, 2, 3, 45}));
  EXPECT_EQ(m.cod, 7);
}

// Fields that are not numbers read as 0 and the record still applies.
TEST(ReaderDispatch, NonNumericFieldsReadAsZero) {
  TJGdata jg;
  Read(jg, {u"ci abc 2 1e", u"hk 1,5", u"hzs x 300"});
  ASSERT_EQ(jg.EntCircN, 1);
  EXPECT_EQ(jg.EntCirc[0].cx, 0.0);
  EXPECT_EQ(jg.EntCirc[0].cy, 2.0);
  EXPECT_EQ(jg.EntCirc[0].cr, 0.0);
  EXPECT_EQ(jg.Jikukaku, 0.0);
  EXPECT_EQ(jg.ZumenXsize, 0.0);
  EXPECT_EQ(jg.ZumenYsize, 300.0);
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

// ---------------------------------------------------------------------------------------------------
// Header records.

TEST(ReaderHeader, RecordsSetTheirDocumentFields) {
  struct Case {
    std::u16string_view line;
    std::function<double(const TJGdata&)> field;
    double expected;
  };
  const Case cases[] = {
      {u"hk 30", [](const TJGdata& j) { return j.Jikukaku; }, 30},
      {u"hk", [](const TJGdata& j) { return j.Jikukaku; }, 0},
      {u"hs 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16", [](const TJGdata& j) { return j.LGrpScale[0]; }, 1},
      {u"hs 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16", [](const TJGdata& j) { return j.LGrpScale[15]; }, 16},
      {u"hs 5 2 3 4 5 6 7 8 9 10 11 12 13 14 15", [](const TJGdata& j) { return j.LGrpScale[0]; }, 1},
      {u"hzs 420 297", [](const TJGdata& j) { return j.ZumenXsize; }, 420},
      {u"hzs 420 297", [](const TJGdata& j) { return j.ZumenYsize; }, 297},
      {u"hzs 420", [](const TJGdata& j) { return j.ZumenXsize; }, 1189},
      {u"hcw 1 2 3 4 5 6 7 8 9 10", [](const TJGdata& j) { return j.Mojisyu[10].W; }, 10},
      {u"hch 1 2 3 4 5 6 7 8 9 10", [](const TJGdata& j) { return j.Mojisyu[4].H; }, 4},
      {u"hcd 1 2 3 4 5 6 7 8 9 10.5", [](const TJGdata& j) { return j.Mojisyu[10].D; }, 10.5},
      {u"hcc 1 2 3 4 5 6 7 8 9 10", [](const TJGdata& j) { return j.Mojisyu[1].C; }, 1},
      {u"hcc 1 2 3 4 5 6 7 8 9 1.5", [](const TJGdata& j) { return j.Mojisyu[10].C; }, 0},
      {u"hcw 1 2 3 4 5 6 7 8 9", [](const TJGdata& j) { return j.Mojisyu[1].W; }, 3},
      {u"hn 1 2 3 4", [](const TJGdata& j) { return j.AreaX1 + 10 * j.AreaY1 + 100 * j.AreaX2 + 1000 * j.AreaY2; },
       4321},
      {u"bz", [](const TJGdata& j) { return j.Zusun ? 1.0 : 0.0; }, 1},
      {u"bz x", [](const TJGdata& j) { return j.Zusun ? 1.0 : 0.0; }, 1},
      {u"bzz", [](const TJGdata& j) { return j.Zusun ? 1.0 : 0.0; }, 0},
      {u"HK 30", [](const TJGdata& j) { return j.Jikukaku; }, 0},
  };
  for (const Case& c : cases) {
    TJGdata jg;
    jg.ReadTempLine(std::u16string(c.line));
    EXPECT_EQ(c.field(jg), c.expected) << "line [" << Utf8(c.line) << "]";
  }
}

TEST(ReaderHeader, FileNameIsTheFieldAfterItsFirstFiveCharacters) {
  struct Case {
    std::u16string_view line;
    std::u16string_view name;
  };
  const Case cases[] = {
      {u"file=", u""},
      {u"file=D:\\a b\\c.jww", u"D:\\a b\\c.jww"},
      {u"  file=x", u"x"},
      {u"xfile=abc", u"=abc"},  // "file=" anywhere; the first five characters are dropped
      {u"a b file=c", u""},     // only the first field is looked at
  };
  for (const Case& c : cases) {
    TJGdata jg;
    jg.ReadTempLine(std::u16string(c.line));
    EXPECT_EQ(Utf8(jg.ZumenFile), Utf8(c.name)) << "line [" << Utf8(c.line) << "]";
  }
}

// ---------------------------------------------------------------------------------------------------
// Indicated points.

TEST(ReaderPoints, FourIndicatedPointsAndNothingElse) {
  TJGdata jg;
  Read(jg, {u"hp1 0 0", u"hp2 1000 0", u"hp3 1000 500", u"hp4 1200 800"});
  EXPECT_EQ(jg.IPointN, 4);
  const double xs[] = {0, 1000, 1000, 1200};
  const double ys[] = {0, 0, 500, 800};
  for (int k = 1; k <= 4; ++k) {
    EXPECT_TRUE(jg.IPoints[static_cast<size_t>(k)].flg) << k;
    EXPECT_EQ(jg.IPoints[static_cast<size_t>(k)].x, xs[k - 1]) << k;
    EXPECT_EQ(jg.IPoints[static_cast<size_t>(k)].y, ys[k - 1]) << k;
    EXPECT_EQ(jg.IPoints[static_cast<size_t>(k)].sta, 0) << k;
  }
  EXPECT_FALSE(jg.IPoints[0].flg);
  EXPECT_FALSE(jg.IPoints[5].flg);
  const TJGdata fresh;
  EXPECT_EQ(jg.EntN, 0);
  EXPECT_EQ(jg.w_IPNo, fresh.w_IPNo);
  EXPECT_EQ(jg.w_FlgLGrp, fresh.w_FlgLGrp);
  EXPECT_EQ(jg.CurLGrp, fresh.CurLGrp);
}

TEST(ReaderPoints, SuffixGivesTheWayThePointWasGiven) {
  struct Case {
    std::u16string_view line;
    int32_t number;  // 0: dropped
    int32_t sta;
  };
  const Case cases[] = {
      {u"hp1 5 6", 1, 0},   {u"hp2- 5 6", 2, 1},   {u"hp12ln 5 6", 12, 2}, {u"hp3ci 5 6", 3, 3},
      {u"hp4ch 5 6", 4, 4}, {u"hp99 5 6", 99, 0},  {u"hp0 5 6", 0, 0},     {u"hp100 5 6", 0, 0},
      {u"hp 5 6", 0, 0},    {u"hpx 5 6", 0, 0},    {u"hp-1 5 6", 0, 0},
      {u"hp5-ln 5 6", 0, 0},  // "ln" overrides "-": the code becomes "5-", not a number
      {u"hp$A 5 6", 10, 0},   // the number goes through TextToInt, hexadecimal included
      {u"hp7ci 5 6 7", 7, 3},
  };
  for (const Case& c : cases) {
    TJGdata jg;
    jg.ReadTempLine(std::u16string(c.line));
    EXPECT_EQ(jg.IPointN, c.number ? 1 : 0) << "line [" << Utf8(c.line) << "]";
    if (c.number == 0) continue;
    const TJwwIndPoint& p = jg.IPoints[static_cast<size_t>(c.number)];
    EXPECT_TRUE(p.flg) << "line [" << Utf8(c.line) << "]";
    EXPECT_EQ(p.x, 5.0) << "line [" << Utf8(c.line) << "]";
    EXPECT_EQ(p.y, 6.0) << "line [" << Utf8(c.line) << "]";
    EXPECT_EQ(p.sta, c.sta) << "line [" << Utf8(c.line) << "]";
  }
}

TEST(ReaderPoints, APointGivenTwiceCountsTwiceAndKeepsTheLastValues) {
  TJGdata jg;
  Read(jg, {u"hp1 1 1", u"hp1 2 3"});
  EXPECT_EQ(jg.IPointN, 2);
  EXPECT_EQ(jg.IPoints[1].x, 2.0);
  EXPECT_EQ(jg.IPoints[1].y, 3.0);
}

TEST(ReaderPoints, PointNumberForTheNextEntity) {
  struct Case {
    std::u16string_view line;
    int32_t number;
  };
  const Case cases[] = {
      {u"hhp5", 5},   {u"hhp5ln", 5}, {u"hhp5ci", 5},  {u"hhp5ch", 5}, {u"hhp5-", 0},
      {u"hhp12 1", 12}, {u"hhp", 0},   {u"hhpln", 0},  {u"hhp5chx", 5},
      {u"hhp5lnci", 0},  // the later "ci" overrides: "5ln" is no number
  };
  for (const Case& c : cases) {
    TJGdata jg;
    jg.ReadTempLine(std::u16string(c.line));
    EXPECT_EQ(jg.w_IPNo, c.number) << "line [" << Utf8(c.line) << "]";
  }
}

// ---------------------------------------------------------------------------------------------------
// Attribute records and the host's current settings.

TEST(ReaderAttributes, LayerGroupAndLayerAreOneHexDigit) {
  struct Case {
    std::u16string_view line;
    int32_t value;
  };
  const Case cases[] = {{u"lg0", 0}, {u"lg3", 3}, {u"lgA", 10}, {u"lgf", 15}, {u"lgZ", 0},
                        {u"lg12", 1}, {u"lg", 0},  {u"lg-", 0},  {u"lg ", 0}, {u"lg\uFF11", 0}};
  for (const Case& c : cases) {
    TJGdata jg;
    jg.ReadTempLine(std::u16string(c.line));
    EXPECT_EQ(jg.w_LGrp, c.value) << "line [" << Utf8(c.line) << "]";
    EXPECT_EQ(jg.CurLGrp, c.value) << "line [" << Utf8(c.line) << "]";
    EXPECT_FALSE(jg.w_FlgLGrp);
    std::u16string layerLine(c.line);
    layerLine[1] = u'y';
    jg.ReadTempLine(layerLine);
    EXPECT_EQ(jg.w_Lay, c.value) << "line [" << Utf8(layerLine) << "]";
    EXPECT_EQ(jg.CurLay, c.value) << "line [" << Utf8(layerLine) << "]";
    EXPECT_FALSE(jg.w_FlgLay);
  }
}

TEST(ReaderAttributes, FirstRecordOfEachKindIsTheCurrentSetting) {
  TJGdata jg;
  Read(jg, {u"lg3", u"lgA", u"ly2", u"ly5", u"lc4", u"lc6", u"lt2", u"lt3", u"lw7", u"lw1", u"cn5", u"cn6"});
  EXPECT_EQ(jg.CurLGrp, 3);
  EXPECT_EQ(jg.w_LGrp, 10);
  EXPECT_EQ(jg.CurLay, 2);
  EXPECT_EQ(jg.w_Lay, 5);
  EXPECT_EQ(jg.CurCol, 4);
  EXPECT_EQ(jg.w_Col, 6);
  EXPECT_EQ(jg.CurLtp, 2);
  EXPECT_EQ(jg.w_Ltp, 3);
  EXPECT_EQ(jg.CurWid, 7);
  EXPECT_EQ(jg.w_Wid, 1);
  EXPECT_TRUE(jg.WidF);
  EXPECT_EQ(jg.CurMjs, 5);
  EXPECT_EQ(jg.w_Mjs, 6);
  // The four flags the reader does not use stay as they were.
  EXPECT_TRUE(jg.w_FlgMbs && jg.w_FlgFont && jg.w_FlgPCol && jg.w_FlgSCol);
}

TEST(ReaderAttributes, NumbersAfterTheKeywordAreDecimalWithoutLimit) {
  struct Case {
    std::u16string_view line;
    std::function<int32_t(const TJGdata&)> field;
    int32_t expected;
  };
  const Case cases[] = {
      {u"lc123", [](const TJGdata& j) { return j.w_Col; }, 123},
      {u"lc-2", [](const TJGdata& j) { return j.w_Col; }, -2},
      {u"lcx", [](const TJGdata& j) { return j.w_Col; }, 0},
      {u"lt9", [](const TJGdata& j) { return j.w_Ltp; }, 9},
      {u"lw25", [](const TJGdata& j) { return j.w_Wid; }, 25},
      {u"lw", [](const TJGdata& j) { return j.WidF ? 1 : 0; }, 1},
      {u"cn12", [](const TJGdata& j) { return j.w_Mjs; }, 12},
      {u"pn3", [](const TJGdata& j) { return j.w_PtCol; }, 3},
      {u"pn", [](const TJGdata& j) { return j.w_PtCol; }, 0},
      {u"cc7", [](const TJGdata& j) { return j.w_Mbs; }, 7},
      {u"cc8", [](const TJGdata& j) { return j.w_Mbs; }, 8},
      {u"cc9", [](const TJGdata& j) { return j.w_Mbs; }, 0},
      {u"cc12", [](const TJGdata& j) { return j.w_Mbs; }, 1},
      {u"cc", [](const TJGdata& j) { return j.w_Mbs; }, 0},
      {u"cc-1", [](const TJGdata& j) { return j.w_Mbs; }, 0},
      {u"lc10 123456", [](const TJGdata& j) { return j.w_SlCol; }, 123456},
      {u"lc10 123456", [](const TJGdata& j) { return j.w_Col; }, 10},
      {u"lc10", [](const TJGdata& j) { return j.w_SlCol; }, 0},
      {u"lc3 9", [](const TJGdata& j) { return j.w_SlCol; }, 0},
      {u"lc3 9", [](const TJGdata& j) { return j.w_Col; }, 3},
      {u"lg2 7", [](const TJGdata& j) { return j.LGrpStat[2]; }, 7},
      {u"lgn2 7", [](const TJGdata& j) { return j.LGrpStat[2] + j.w_LGrp; }, 0},
  };
  for (const Case& c : cases) {
    TJGdata jg;
    jg.ReadTempLine(std::u16string(c.line));
    EXPECT_EQ(c.field(jg), c.expected) << "line [" << Utf8(c.line) << "]";
  }
}

TEST(ReaderAttributes, LayerStatesAndNamesGoToTheCurrentGroupAndLayer) {
  TJGdata jg;
  Read(jg, {u"lg2 1", u"lgn\u5E73\u9762 \u56F3", u"ly3 5", u"lyn\u58C1", u"lyB", u"lyn", u"lgF 2", u"lyA 9"});
  EXPECT_EQ(jg.LGrpStat[2], 1);
  EXPECT_EQ(Utf8(jg.LGrpName[2]), Utf8(u"\u5E73\u9762 \u56F3"));
  EXPECT_EQ(jg.LayStat[2 * 16 + 3], 5);
  EXPECT_EQ(Utf8(jg.LayName[2 * 16 + 3]), Utf8(u"\u58C1"));
  EXPECT_TRUE(jg.LayName[2 * 16 + 11].empty());
  EXPECT_EQ(jg.LGrpStat[15], 2);
  EXPECT_EQ(jg.LayStat[15 * 16 + 10], 9);
}

// The writer's S_ operations may leave any value in w_LGrp and w_Lay; reading again must stay in bounds.
TEST(ReaderAttributes, OutOfRangeWorkingLayerIsNotWrittenPastTheTables) {
  TJGdata jg;
  jg.w_LGrp = 40;
  jg.w_Lay = -3;
  Read(jg, {u"lgn x", u"lyn y", u"ly1 4"});
  for (const auto& name : jg.LGrpName) EXPECT_TRUE(name.empty());
  for (const auto& name : jg.LayName) EXPECT_TRUE(name.empty());
  for (int32_t state : jg.LayStat) EXPECT_EQ(state, 0);
}

TEST(ReaderAttributes, FreeSizeTextStyle) {
  TJGdata jg;
  Read(jg, {u"cn0 2.5 2.5 0.5 3", u"cn0 1 1 0 1"});
  EXPECT_EQ(jg.CurMjs, 0);
  EXPECT_EQ(jg.CurMjsW, 2.5);
  EXPECT_EQ(jg.CurMjsH, 2.5);
  EXPECT_EQ(jg.CurMjsD, 0.5);
  EXPECT_EQ(jg.CurMjsC, 3);
  EXPECT_EQ(jg.w_Mjs, 0);
  EXPECT_EQ(jg.w_MjsW, 1.0);
  EXPECT_EQ(jg.w_MjsH, 1.0);
  EXPECT_EQ(jg.w_MjsD, 0.0);
  EXPECT_EQ(jg.w_MjsC, 1);

  // A numbered style, or a free size with too few fields, leaves the four values alone.
  TJGdata other;
  Read(other, {u"cn4 9 9 9 9", u"cn0 8 8 8"});
  EXPECT_EQ(other.CurMjs, 4);
  EXPECT_EQ(other.CurMjsW, 2.0);
  EXPECT_EQ(other.w_Mjs, 0);
  EXPECT_EQ(other.w_MjsW, 2.0);
  EXPECT_EQ(other.w_MjsC, 1);
}

TEST(ReaderAttributes, CurrentFontIsTheFirstNonEmptyName) {
  TJGdata jg;
  Read(jg, {u"cn$", u"cn\"$A B", u"cn\"$C"});
  EXPECT_EQ(Utf8(jg.CurFont), "A B");
  EXPECT_EQ(Utf8(jg.w_Font), "C");
  EXPECT_TRUE(jg.w_FlgMjs) << "a font record is not a text style record";
  EXPECT_EQ(jg.CurMjs, 1);
}

TEST(ReaderAttributes, FlagRecordsSetBitsUntilTheNextEntity) {
  TJGdata jg;
  Read(jg, {u"z1", u"z3", u"z3", u"z5", u"z6", u"Z2"});
  EXPECT_EQ(jg.w_Attr, 1 | 4 | 16);
  Read(jg, {u"z2", u"z2", u"hhp7", u"0 0 10 0", u"0 0 20 0"});
  ASSERT_EQ(jg.EntLineN, 2);
  EXPECT_EQ(jg.EntLine[0].att.Attr, 1 | 2 | 4 | 16);
  EXPECT_EQ(jg.EntLine[0].att.IPNo, 7);
  EXPECT_EQ(jg.EntLine[1].att.Attr, 0);
  EXPECT_EQ(jg.EntLine[1].att.IPNo, 0);
}

// ---------------------------------------------------------------------------------------------------
// Polyline and dimension state.

TEST(ReaderState, PolylineNumbersItsLines) {
  TJGdata jg;
  Read(jg, {u"pl", u"0 0 1 0", u"1 0 1 1", u"#", u"2 2 3 3", u"pl", u"4 4 5 5", u"lc2", u"6 6 7 7", u"pl",
            u"8 8 9 9", u"ci 0 0 1", u"9 9 0 0"});
  const int32_t expected[] = {1, 1, 0, 2, 0, 3, 0};
  ASSERT_EQ(jg.EntLineN, 7);
  for (size_t i = 0; i < 7; ++i) EXPECT_EQ(jg.EntLine[i].CrvNo, expected[i]) << "line " << i;
  EXPECT_EQ(jg.w_CrvNo, 3);
}

TEST(ReaderState, HeldLineAndCsTextMakeADimension) {
  TJGdata jg;
  Read(jg, {u"lc5", u"msg", u"z3", u"0 0 100 0", u"cn3", u"lc7", u"cs 50 5 1 0 \"100"});
  EXPECT_EQ(jg.EntLineN, 0);
  EXPECT_EQ(jg.EntTextN, 0);
  ASSERT_EQ(jg.EntDimN, 1);
  EXPECT_EQ(Kinds(jg), std::vector<int32_t>({7}));
  const TJwwEntDim& d = jg.EntDim[0];
  EXPECT_EQ(d.lin.x1, 0.0);
  EXPECT_EQ(d.lin.y1, 0.0);
  EXPECT_EQ(d.lin.x2, 100.0);
  EXPECT_EQ(d.lin.y2, 0.0);
  EXPECT_EQ(d.lin.CrvNo, 0);
  EXPECT_EQ(d.lin.att.Col, 5);   // the attributes in force when the line was read
  EXPECT_EQ(d.lin.att.Attr, 4);
  EXPECT_EQ(d.att.Col, 7);       // the dimension itself: those in force at its text
  EXPECT_EQ(d.att.Attr, 0);
  EXPECT_EQ(Utf8(d.txt.st), "100");
  EXPECT_EQ(d.txt.no, 2);
  EXPECT_EQ(d.txt.x1, 50.0);
  EXPECT_EQ(d.txt.y1, 5.0);
  EXPECT_EQ(d.txt.cn, 3);
  EXPECT_EQ(d.txt.att.Col, 2);   // the colour of text style 3
  EXPECT_EQ(d.txt.mw, 3.0);
  EXPECT_FALSE(jg.w_DimFl);
}

TEST(ReaderState, SecondHeldLineReplacesTheFirst) {
  TJGdata jg;
  Read(jg, {u"msg", u"0 0 1 0", u"0 0 2 0", u"cs 0 0 1 0 \"2"});
  ASSERT_EQ(jg.EntDimN, 1);
  EXPECT_EQ(jg.EntDim[0].lin.x2, 2.0);
  EXPECT_EQ(jg.EntLineN, 0);
}

TEST(ReaderState, CsTextWithoutHeldLineTakesWhatEntSunLineHolds) {
  TJGdata jg;
  Read(jg, {u"msg", u"cs 0 0 1 0 \"a"});
  ASSERT_EQ(jg.EntDimN, 1);
  EXPECT_EQ(jg.EntDim[0].lin.x2, 1.0);
  EXPECT_EQ(jg.EntDim[0].lin.att.Col, 1);
  Read(jg, {u"msg", u"5 5 9 9", u"cs 0 0 1 0 \"b", u"msg", u"cs 0 0 1 0 \"c"});
  ASSERT_EQ(jg.EntDimN, 3);
  EXPECT_EQ(jg.EntDim[2].lin.x2, 9.0);
}

TEST(ReaderState, DimensionIsCancelledByOtherRecords) {
  struct Case {
    std::u16string_view cancel;
  };
  const Case cases[] = {{u"#"}, {u"pl"}, {u"ci 0 0 1"}, {u"ch 0 0 1 0 \"x"}, {u"pt 1 1"}, {u"sl 0 0 1 1"}};
  for (const Case& c : cases) {
    TJGdata jg;
    Read(jg, {u"msg", u"0 0 100 0", c.cancel, u"cs 0 0 1 0 \"t"});
    EXPECT_EQ(jg.EntDimN, 0) << "after [" << Utf8(c.cancel) << "]";
    EXPECT_EQ(jg.EntTextN, c.cancel.starts_with(u"ch") ? 2 : 1) << "after [" << Utf8(c.cancel) << "]";
    EXPECT_EQ(jg.EntLineN, 0) << "the held line is dropped, after [" << Utf8(c.cancel) << "]";
  }
  // Attribute records do not cancel it.
  TJGdata jg;
  Read(jg, {u"msg", u"0 0 100 0", u"lc3", u"cn2", u"z1", u"cs 0 0 1 0 \"t"});
  EXPECT_EQ(jg.EntDimN, 1);
}

// Which records open and close the polyline and the pending dimension.
TEST(ReaderState, EffectOfEachRecordOnPolylineAndDimension) {
  struct Case {
    std::u16string_view line;
    bool crv;  // starting from both set
    bool dim;
  };
  const Case cases[] = {
      {u"lg1", false, true},  {u"ly1", false, true},  {u"lc1", false, true},   {u"lt1", false, true},
      {u"lw1", false, true},  {u"cn$x", false, true}, {u"cn1", false, true},   {u"cc1", false, true},
      {u"pn1", false, true},  {u"pl", true, false},   {u"msg", false, true},   {u"#", false, false},
      {u"hk 1", true, true},  {u"lgn a", true, true}, {u"lyn a", true, true},  {u"z1", true, true},
      {u"hp1 0 0", true, true}, {u"hhp1", true, true}, {u"bz", true, true},    {u"0 0 1 1", true, true},
      {u"ci 0 0 1", false, false}, {u"ci 0 0 1 0 1 1 0", false, false}, {u"ch 0 0 1 0 x", false, false},
      {u"pt 0 0", false, false}, {u"pt 0 0 1 0 1", false, false},     {u"BL 0 0 b", false, false},
      {u"sl 0 0 1 1", false, false}, {u"sl 0 0 1 0 1 1", false, false}, {u"sl 0 0 1 0 1 1 0 1", false, false},
      {u"sc 0 0 1 1 0 0 1 1", false, false}, {u"sg 0 0 1 1 0 0 1 1", false, false},
      {u"nothing", true, true},
  };
  for (const Case& c : cases) {
    TJGdata jg;
    jg.w_CrvFl = true;
    jg.w_DimFl = true;
    jg.w_Attr = 3;
    jg.w_IPNo = 4;
    jg.ReadTempLine(std::u16string(c.line));
    EXPECT_EQ(jg.w_CrvFl, c.crv) << "line [" << Utf8(c.line) << "]";
    EXPECT_EQ(jg.w_DimFl, c.dim) << "line [" << Utf8(c.line) << "]";
    if (jg.EntN > 0 || c.line == u"0 0 1 1") {
      // Every entity, and the held line, consumes the per-entity state.
      EXPECT_EQ(jg.w_Attr, 0) << "line [" << Utf8(c.line) << "]";
      EXPECT_EQ(jg.w_IPNo, 0) << "line [" << Utf8(c.line) << "]";
    }
  }
}

// ---------------------------------------------------------------------------------------------------
// Colours that entities take.

TEST(ReaderColours, TextsTakeTheStyleColourPointsThePointColourSolidsTheExtendedColour) {
  TJGdata jg;
  Read(jg, {u"hcc 11 12 13 14 15 16 17 18 19 20", u"lc10 4242", u"pn6", u"cn3", u"cc5", u"cn\"$F",
            u"ch 1 2 3 4 \"s t", u"cn0 1.5 2.5 0.25 9", u"cv 0 0 1 0 \"u", u"cn11", u"ch 0 0 1 0 \"v",
            u"pt 1 1", u"pt 1 1 2 0 3", u"sl 0 0 1 1", u"sc 0 0 1 1 0 0 1 1", u"ci 0 0 1"});
  ASSERT_EQ(jg.EntTextN, 3);
  const TJwwEntText& t = jg.EntText[0];
  EXPECT_EQ(t.att.Col, 13);
  EXPECT_EQ(t.cn, 3);
  EXPECT_EQ(t.cc, 5);
  EXPECT_EQ(t.mw, 3.0);
  EXPECT_EQ(Utf8(t.fo), "F");
  EXPECT_EQ(Utf8(t.st), "s t");
  const TJwwEntText& free = jg.EntText[1];
  EXPECT_EQ(free.att.Col, 9);
  EXPECT_EQ(free.cn, 0);
  EXPECT_EQ(free.mw, 1.5);
  EXPECT_EQ(free.mh, 2.5);
  EXPECT_EQ(free.md, 0.25);
  EXPECT_EQ(free.no, 1);
  // Style 11 is outside the ten: the free-size values in force are used.
  EXPECT_EQ(jg.EntText[2].att.Col, 9);
  EXPECT_EQ(jg.EntText[2].cn, 11);
  EXPECT_EQ(jg.EntText[2].mw, 1.5);
  EXPECT_EQ(jg.EntPnt[0].att.Col, 6);
  EXPECT_EQ(jg.EntMark[0].att.Col, 6);
  EXPECT_EQ(jg.EntSld2[0].att.Col, 10);
  EXPECT_EQ(jg.EntSld2[0].Color, 4242);
  EXPECT_EQ(jg.EntSldC[0].Color, 4242);
  EXPECT_EQ(jg.EntCirc[0].att.Col, 10);
}

// ---------------------------------------------------------------------------------------------------
// Solids: coinciding corners reduce a solid to fewer points.

TEST(ReaderSolids, CoincidingCornersReduceTheSolid) {
  struct Case {
    std::u16string_view line;
    int32_t kind;
    std::vector<double> points;
  };
  const Case cases[] = {
      {u"sl 1 2 3 4", 9, {1, 2, 3, 4}},
      // Three points.
      {u"sl 0 0 0 0 5 5", 9, {0, 0, 5, 5}},             // P1 = P2
      {u"sl 0 0 5 5 5 5", 9, {0, 0, 5, 5}},             // P2 = P3
      {u"sl 0 0 1e-12 0 5 5", 9, {0, 0, 5, 5}},         // within the tolerance
      {u"sl 0 0 1e-11 0 5 5", 10, {0, 0, 1e-11, 0, 5, 5}},
      {u"sl 0 0 1 0 0 0", 10, {0, 0, 1, 0, 0, 0}},      // P3 = P1 is not reduced
      {u"sl 0 0 1 0 1 1", 10, {0, 0, 1, 0, 1, 1}},
      // Four points.
      {u"sl 0 0 0 0 0 0 7 7", 9, {0, 0, 7, 7}},         // P1 = P2 = P3
      {u"sl 0 0 5 5 5 5 5 5", 9, {0, 0, 5, 5}},         // P2 = P3 = P4
      {u"sl 0 0 0 0 5 5 5 5", 9, {0, 0, 5, 5}},         // P1 = P2, P3 = P4
      {u"sl 0 0 1 0 1 1 0 0", 10, {0, 0, 1, 0, 1, 1}},  // P4 = P1
      {u"sl 0 0 1 0 1 1 1 0", 10, {0, 0, 1, 0, 1, 1}},  // P4 = P2
      {u"sl 0 0 1 0 1 1 1 1", 10, {0, 0, 1, 0, 1, 1}},  // P4 = P3
      {u"sl 0 0 1 0 0 0 1 1", 10, {0, 0, 1, 0, 1, 1}},  // P3 = P1
      {u"sl 0 0 1 0 1 0 1 1", 10, {0, 0, 1, 0, 1, 1}},  // P3 = P2
      {u"sl 0 0 0 0 1 0 1 1", 10, {0, 0, 1, 0, 1, 1}},  // P2 = P1
      {u"sl 0 0 1 0 1 1 0 1", 11, {0, 0, 1, 0, 1, 1, 0, 1}},
      {u"sl 0 0 1 0 1 1 0 1 99", 11, {0, 0, 1, 0, 1, 1, 0, 1}},
  };
  for (const Case& c : cases) {
    TJGdata jg;
    jg.w_SlCol = 77;
    jg.ReadTempLine(std::u16string(c.line));
    ASSERT_EQ(Kinds(jg), std::vector<int32_t>({c.kind})) << "line [" << Utf8(c.line) << "]";
    std::vector<double> points;
    int32_t colour = 0;
    if (c.kind == 9) {
      const auto& s = jg.EntSld2[0];
      points = {s.x1, s.y1, s.x2, s.y2};
      colour = s.Color;
    } else if (c.kind == 10) {
      const auto& s = jg.EntSld3[0];
      points = {s.x1, s.y1, s.x2, s.y2, s.x3, s.y3};
      colour = s.Color;
    } else {
      const auto& s = jg.EntSld4[0];
      points = {s.x1, s.y1, s.x2, s.y2, s.x3, s.y3, s.x4, s.y4};
      colour = s.Color;
    }
    EXPECT_EQ(points, c.points) << "line [" << Utf8(c.line) << "]";
    EXPECT_EQ(colour, 77) << "line [" << Utf8(c.line) << "]";
  }
}

// ---------------------------------------------------------------------------------------------------
// Splitting a text into lines.

TEST(ReaderText, SplitsAtEachKindOfLineBreakAndStopsAtNul) {
  struct Case {
    std::u16string text;
    int32_t lines;
  };
  const Case cases[] = {
      {u"0 0 1 0\r\n0 0 2 0\r\n", 2},
      {u"0 0 1 0\n0 0 2 0", 2},
      {u"0 0 1 0\r0 0 2 0\r", 2},
      {u"0 0 1 0\r\r\n\n0 0 2 0\n\r", 2},
      {u"0 0 1 0\n\n\n", 1},
      {u"0 0 1 0\n0 0 2 0\0\n0 0 3 0\n"s, 2},
      {u"0 0 1 0\0"s, 1},
      {u"\0" u"0 0 1 0"s, 0},
      {u"", 0},
      {u"\r\n", 0},
      {u"0 0 1\r0", 0},  // a lone CR ends the line; it does not join the fields
  };
  for (const Case& c : cases) {
    TJGdata jg;
    jg.ReadTempText(c.text);
    EXPECT_EQ(jg.EntLineN, c.lines) << "text [" << Utf8(c.text) << "]";
  }
}

TEST(ReaderText, CrLfEndsOnlyOneLine) {
  TJGdata jg;
  jg.ReadTempText(u"msg\r\n0 0 1 0\r\ncs 0 0 1 0 \"x\r\n");
  EXPECT_EQ(jg.EntDimN, 1);
}

// ---------------------------------------------------------------------------------------------------
// Whole files.

// The file as Jw_cad wrote it for a one-line selection (Shift_JIS, CR LF).
TEST(ReaderFile, RealHostFileOfOneLineSelection) {
  TJGdata jg;
  const auto path = (test_support::DataDir() / "host_one_line_selection.txt").u16string();
  EXPECT_TRUE(jg.OpenTempFile(path));
  EXPECT_FALSE(jg.MojiCode);
  EXPECT_TRUE(jg.ZumenFile.empty());
  EXPECT_EQ(jg.Jikukaku, 0.0);
  for (int j = 0; j < 16; ++j) EXPECT_EQ(jg.LGrpScale[j], 100.0) << j;
  const double widths[] = {2, 2.5, 3, 4, 5, 6, 7, 8, 9, 10};
  const double gaps[] = {0, 0, 0.5, 0.5, 0.5, 0.5, 1, 1, 1, 1};
  const int32_t colours[] = {1, 1, 2, 2, 3, 3, 4, 4, 5, 5};
  for (int k = 1; k <= 10; ++k) {
    EXPECT_EQ(jg.Mojisyu[k].W, widths[k - 1]) << k;
    EXPECT_EQ(jg.Mojisyu[k].H, widths[k - 1]) << k;
    EXPECT_EQ(jg.Mojisyu[k].D, gaps[k - 1]) << k;
    EXPECT_EQ(jg.Mojisyu[k].C, colours[k - 1]) << k;
  }
  EXPECT_EQ(jg.AreaX1, 7306.10278372591);
  EXPECT_EQ(jg.AreaY1, -2989.07922912206);
  EXPECT_EQ(jg.AreaX2, 7306.10278372591);
  EXPECT_EQ(jg.AreaY2, -2989.07922912206);
  EXPECT_EQ(jg.CurLGrp, 0);
  EXPECT_EQ(jg.CurLay, 0);
  EXPECT_EQ(jg.CurCol, 2);
  EXPECT_EQ(jg.CurLtp, 1);
  EXPECT_EQ(jg.CurMjs, 2);
  // The quote between "cn" and "$" keeps the blank inside the name.
  EXPECT_EQ(Utf8(jg.CurFont), Utf8(u"<\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF>"));
  EXPECT_EQ(Utf8(jg.w_Font), Utf8(jg.CurFont));
  EXPECT_EQ(jg.IPointN, 0);
  ASSERT_EQ(Kinds(jg), std::vector<int32_t>({1}));
  const TJwwEntLine& line = jg.EntLine[0];
  EXPECT_EQ(line.x1, -5000.0);
  EXPECT_EQ(line.y1, 0.0);
  EXPECT_EQ(line.x2, 5000.0);
  EXPECT_EQ(line.y2, 0.0);
  EXPECT_EQ(line.att.Col, 2);
  EXPECT_EQ(line.att.Ltp, 1);
  EXPECT_EQ(line.CrvNo, 0);
}

// Japanese texts, fonts and layer names in the ANSI code page (Shift_JIS), as bytes. "表" and "ソ"
// have 0x5C (a backslash in ASCII) as their second byte; half-width katakana are single bytes.
TEST(ReaderFile, ShiftJisFileReadsIntoTheRightTexts) {
  TempDir dir;
  const std::string bytes =
      "lg1\r\n"
      "lgn\x95\xBD\x96\xCA\x90\x7D\r\n"                     // 平面図
      "ly2\r\n"
      "lyn\x95\xC7\x20\x83\x5C\x83\x74\x83\x40\r\n"         // 壁 ソファ
      "cn\"$\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9\r\n"       // ＭＳ 明朝
      "ch 1 2 1 0 \"\x90\xA1\x96\x40\x95\x5C\x8E\xA6\r\n"   // 寸法表示
      "cs 0 0 1 0 \"\xB6\xDE\xBD\x8A\xC7\r\n"               // ｶﾞｽ管
      "BL 0 0 \x83\x5C\x83\x74\x83\x40\r\n";                // ソファ
  WriteBytes(dir.path() / "JWC_TEMP.TXT", bytes);
  TJGdata jg;
  EXPECT_TRUE(jg.OpenTempFile(dir.file("JWC_TEMP.TXT")));
  EXPECT_FALSE(jg.MojiCode);
  EXPECT_EQ(Utf8(jg.LGrpName[1]), Utf8(u"\u5E73\u9762\u56F3"));
  EXPECT_EQ(Utf8(jg.LayName[1 * 16 + 2]), Utf8(u"\u58C1 \u30BD\u30D5\u30A1"));
  EXPECT_EQ(Utf8(jg.CurFont), Utf8(u"\uFF2D\uFF33 \u660E\u671D"));
  ASSERT_EQ(jg.EntTextN, 2);
  EXPECT_EQ(Utf8(jg.EntText[0].st), Utf8(u"\u5BF8\u6CD5\u8868\u793A"));
  EXPECT_EQ(Utf8(jg.EntText[0].fo), Utf8(u"\uFF2D\uFF33 \u660E\u671D"));
  EXPECT_EQ(Utf8(jg.EntText[1].st), Utf8(u"\uFF76\uFF9E\uFF7D\u7BA1"));
  ASSERT_EQ(jg.EntBlkN, 1);
  EXPECT_EQ(Utf8(jg.EntBlk[0].nam), Utf8(u"\u30BD\u30D5\u30A1"));
}

TEST(ReaderFile, EncodingFollowsTheByteOrderMark) {
  struct Case {
    const char* what;
    std::string bytes;
    bool mojiCode;
    int32_t lines;
  };
  const Case cases[] = {
      {"UTF-8 with mark", "\xEF\xBB\xBF" "ch 0 0 1 0 \"\xE5\xAF\xB8\r\n0 0 1 1\r\n", true, 1},
      {"UTF-8 mark only", "\xEF\xBB\xBF", true, 0},
      {"ANSI, no mark", "ch 0 0 1 0 \"\x90\xA1\r\n0 0 1 1\r\n", false, 1},
      {"UTF-16 LE", "\xFF\xFE" + Utf16Bytes(u"ch 0 0 1 0 \"\u5BF8\r\n0 0 1 1", false), false, 1},
      {"UTF-16 BE", "\xFE\xFF" + Utf16Bytes(u"ch 0 0 1 0 \"\u5BF8\n0 0 1 1\r\n", true), false, 1},
      {"UTF-16 LE mark only", "\xFF\xFE", false, 0},
      {"empty", "", false, 0},
  };
  for (const Case& c : cases) {
    TempDir dir;
    WriteBytes(dir.path() / "JWC_TEMP.TXT", c.bytes);
    TJGdata jg;
    EXPECT_TRUE(jg.OpenTempFile(dir.file("JWC_TEMP.TXT"))) << c.what;
    EXPECT_EQ(jg.MojiCode, c.mojiCode) << c.what;
    EXPECT_EQ(jg.EntLineN, c.lines) << c.what;
    if (c.lines == 0) {
      EXPECT_EQ(jg.EntN, 0) << c.what;
      continue;
    }
    ASSERT_EQ(jg.EntTextN, 1) << c.what;
    EXPECT_EQ(Utf8(jg.EntText[0].st), Utf8(u"\u5BF8")) << c.what;
  }
}

// What a read leaves in the model, as one text: every entity in EntNo order with its fields, the
// indicated points and the working state.
std::string Described(const TJGdata& jg) {
  std::u16string out;
  auto add = [&](double value) { out += FloatToText(value) + u' '; };
  auto attr = [&](const TJwwEntAttr& at) {
    for (int32_t v : {at.IPNo, at.LGrp, at.Lay, at.Col, at.Ltp, at.Wid, at.Attr}) add(v);
  };
  for (int32_t i = 0; i < jg.EntN; ++i) {
    const TJwwEntNo& e = jg.EntNo[static_cast<size_t>(i)];
    const auto no = static_cast<size_t>(e.no);
    out += u"\n" + IntToText(e.yn) + u": ";
    switch (e.kind()) {
      case EntityKind::Line:
        attr(jg.EntLine[no].att);
        for (double v : {jg.EntLine[no].x1, jg.EntLine[no].y1, jg.EntLine[no].x2, jg.EntLine[no].y2}) add(v);
        add(jg.EntLine[no].CrvNo);
        break;
      case EntityKind::Circle:
        attr(jg.EntCirc[no].att);
        for (double v : {jg.EntCirc[no].cx, jg.EntCirc[no].cy, jg.EntCirc[no].cr}) add(v);
        break;
      case EntityKind::Text:
        attr(jg.EntText[no].att);
        for (double v : {jg.EntText[no].x1, jg.EntText[no].y1, jg.EntText[no].x2, jg.EntText[no].y2}) add(v);
        out += jg.EntText[no].fo + u"|" + jg.EntText[no].st;
        break;
      case EntityKind::Dimension:
        for (double v : {jg.EntDim[no].lin.x1, jg.EntDim[no].lin.x2, jg.EntDim[no].txt.x1}) add(v);
        out += jg.EntDim[no].txt.st;
        break;
      default:
        break;
    }
  }
  for (size_t k = 1; k < jg.IPoints.size(); ++k) {
    if (jg.IPoints[k].flg) {
      out += u"\nhp" + IntToText(static_cast<int32_t>(k)) + u" " + FloatToText(jg.IPoints[k].x);
    }
  }
  out += u"\n" + jg.LayName[17] + u"|" + jg.w_Font + u"|";
  out += IntToText(jg.w_Col) + u"|" + IntToText(jg.w_CrvNo);
  return Utf8(out);
}

// A file of several megabytes is decoded and parsed a piece at a time; the model must be just what
// parsing its whole text gives, in each encoding, with lines that run over from one piece into the
// next (in UTF-16 the pieces are cut anywhere, and lone CRs give pieces no place to cut), and with a
// NUL in a late piece that ends the text there.
TEST(ReaderFile, LargeFileReadsAsItsWholeTextDoes) {
  std::u16string text =
      u"hq\r\nly1\r\nlyn\u58C1 \u30BD\u30D5\u30A1\r\ncn\"$<\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF>\r\n";
  for (int i = 0; text.size() < 2'500'000; ++i) {
    const std::u16string n = IntToText(i);
    const std::u16string lineBreak = i % 50 < 10 ? u"\r" : (i % 7 == 0 ? u"\n" : u"\r\n");
    switch (i % 6) {
      case 0:
        text += u"-" + n + u".125 " + n + u"0.5 1 2" + lineBreak;
        break;
      case 1:
        text += u"ch " + n + u" 0 1 0 \"\u5BF8\u6CD5 " + std::u16string(static_cast<size_t>(i % 89), u'x') +
                lineBreak;
        break;
      case 2:
        text += u"lc" + IntToText(i % 9) + lineBreak + u"ci 1 2 " + n + lineBreak;
        break;
      case 3:
        text += u"msg" + lineBreak + u"0 0 " + n + u" 0" + lineBreak + u"cs 1 2 1 0 \"" + n + lineBreak;
        break;
      case 4:
        text += u"pl" + lineBreak + u"0 0 1 " + n + lineBreak + u"1 " + n + u" 2 2" + lineBreak + u"#" +
                lineBreak;
        break;
      default:
        text += u"hp" + IntToText(i % 99 + 1) + u" " + n + u" 0" + lineBreak;
        break;
    }
  }
  std::u16string withNul = text;
  withNul.insert(withNul.size() - 1000, 1, u'\0');
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"code page 932", platform::EncodeAnsi(text)},
      {"UTF-8", "\xEF\xBB\xBF" + platform::EncodeUtf8(text)},
      {"UTF-16 LE", "\xFF\xFE" + Utf16Bytes(text, false)},
      {"UTF-16 BE", "\xFE\xFF" + Utf16Bytes(text, true)},
      {"code page 932 with a NUL", platform::EncodeAnsi(withNul)},
      {"UTF-16 LE with a NUL", "\xFF\xFE" + Utf16Bytes(withNul, false)},
  };
  for (const Case& c : cases) {
    TempDir dir;
    WriteBytes(dir.path() / "JWC_TEMP.TXT", c.bytes);
    TJGdata read;
    EXPECT_TRUE(read.OpenTempFile(dir.file("JWC_TEMP.TXT"))) << c.what;
    TJGdata whole;
    whole.ReadTempText(platform::ReadTextFile(dir.file("JWC_TEMP.TXT")).text);
    EXPECT_GT(read.EntN, 50000) << c.what;
    EXPECT_TRUE(Described(read) == Described(whole)) << c.what;
    // A limit that every line keeps to changes nothing, however many more pieces it cuts the text into.
    TJGdata limited;
    EXPECT_TRUE(limited.ReadTempFile(dir.file("JWC_TEMP.TXT"), 4096).ok) << c.what;
    EXPECT_TRUE(Described(limited) == Described(whole)) << c.what;
  }
}

TEST(ReaderFile, MissingFileOrFolderReadsNothingAndSaysWhy) {
  TempDir dir;
  struct Case {
    std::u16string name;
    platform::ReadFailure failure;
  };
  const Case cases[] = {
      {dir.file("JWC_TEMP.TXT"), platform::ReadFailure::Missing},
      {u"", platform::ReadFailure::Missing},
      {dir.folder(), platform::ReadFailure::Unreadable},
  };
  for (const Case& c : cases) {
    TJGdata jg;
    jg.MojiCode = true;
    const platform::ReadTextResult read = jg.ReadTempFile(c.name);
    EXPECT_EQ(read.failure, c.failure) << Utf8(c.name);
    EXPECT_FALSE(read.reason.empty()) << Utf8(c.name);
    EXPECT_FALSE(jg.OpenTempFile(c.name)) << Utf8(c.name);
    EXPECT_FALSE(jg.MojiCode) << Utf8(c.name);
    EXPECT_EQ(jg.EntN, 0);
    EXPECT_EQ(jg.CurCol, 1);
  }
}

// A line longer than the text a string can hold (2^29 - 1 code units in a 32-bit program) fails the
// read as TooLarge instead of throwing; shown with the limit brought down to 64. In the ANSI code page
// and UTF-8 the decoder finds it, in UTF-16 (whose pieces are cut anywhere) the reader's joining of a
// line's pieces. The records before it stay read; MojiCode does not claim a read that failed.
TEST(ReaderFile, ALineLongerThanTheLimitFailsTheReadAsTooLarge) {
  const std::u16string longText = u"ch 0 0 1 0 \"" + std::u16string(60, u'x');  // 72 units
  struct Case {
    const char* what;
    std::u16string text;
    std::size_t maxUnits;
    bool ok;
  };
  const Case cases[] = {
      {"long line in the middle", u"0 0 1 0\r\n" + longText + u"\r\n0 0 2 0\r\n", 64, false},
      {"long last line without a line end", u"0 0 1 0\r\n" + longText, 64, false},
      {"long line ended by a lone CR", u"0 0 1 0\r\n" + longText + u"\r0 0 2 0\n", 64, false},
      {"the same lines within the limit", u"0 0 1 0\r\n" + longText + u"\r\n0 0 2 0\r\n", 74, true},
  };
  for (const Case& c : cases) {
    struct Encoded {
      const char* encoding;
      std::string bytes;
    };
    const Encoded files[] = {
        {"code page 932", platform::EncodeAnsi(c.text)},
        {"UTF-8", "\xEF\xBB\xBF" + platform::EncodeUtf8(c.text)},
        {"UTF-16 LE", "\xFF\xFE" + Utf16Bytes(c.text, false)},
    };
    for (const Encoded& file : files) {
      SCOPED_TRACE(std::string(c.what) + ", " + file.encoding);
      TempDir dir;
      WriteBytes(dir.path() / "JWC_TEMP.TXT", file.bytes);
      TJGdata jg;
      const platform::ReadTextResult read = jg.ReadTempFile(dir.file("JWC_TEMP.TXT"), c.maxUnits);
      EXPECT_EQ(read.ok, c.ok);
      EXPECT_EQ(read.failure, c.ok ? platform::ReadFailure::None : platform::ReadFailure::TooLarge);
      EXPECT_EQ(read.reason.empty(), c.ok);
      EXPECT_EQ(jg.EntLineN, c.ok ? 2 : 1);
      EXPECT_EQ(jg.EntTextN, c.ok ? 1 : 0);
      EXPECT_EQ(jg.MojiCode, c.ok && std::string(file.encoding) == "UTF-8");
    }
  }
}

TEST(ReaderFile, ReadingASecondFileAddsToTheModel) {
  TempDir dir;
  WriteBytes(dir.path() / "a.txt", "hp1 1 2\r\n0 0 1 0\r\n");
  WriteBytes(dir.path() / "b.txt", "\xEF\xBB\xBFhp2 3 4\r\n0 0 2 0\r\n");
  TJGdata jg;
  EXPECT_TRUE(jg.OpenTempFile(dir.file("a.txt")));
  EXPECT_TRUE(jg.OpenTempFile(dir.file("b.txt")));
  EXPECT_TRUE(jg.MojiCode);
  EXPECT_EQ(jg.EntLineN, 2);
  EXPECT_EQ(jg.IPointN, 2);
  EXPECT_TRUE(jg.IPoints[1].flg);
  EXPECT_TRUE(jg.IPoints[2].flg);
  WriteBytes(dir.path() / "c.txt", "0 0 3 0\r\n");
  EXPECT_TRUE(jg.OpenTempFile(dir.file("c.txt")));
  EXPECT_FALSE(jg.MojiCode);
  EXPECT_EQ(jg.EntLineN, 3);
}

}  // namespace
