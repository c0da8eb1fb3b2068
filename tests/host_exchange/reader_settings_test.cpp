// The exchange file's records that set rather than draw: the header, the indicated points, the layer
// tables and the working attributes, with the host's current settings taken from the first of each.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "JwwGaibu.h"
#include "reader_support.h"
#include "test_support.h"

namespace {

using reader_support::Read;
using test_support::Utf8;

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

}  // namespace
