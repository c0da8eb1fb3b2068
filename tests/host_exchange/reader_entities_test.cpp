// The exchange file's entity records: the polyline and dimension state that carries from line to line,
// the colours entities take, and solids whose corners coincide.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "JwwGaibu.h"
#include "reader_support.h"
#include "test_support.h"

namespace {

using reader_support::Kinds;
using reader_support::Read;
using test_support::Utf8;

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

}  // namespace
