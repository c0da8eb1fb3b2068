// The exchange-file reader: which rule takes each line, by keyword and field count, and how a text is
// split into lines.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "JwwGaibu.h"
#include "reader_support.h"
#include "test_support.h"

namespace {

using reader_support::Kinds;
using reader_support::Read;
using test_support::Utf8;
using namespace std::string_literals;

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

}  // namespace
