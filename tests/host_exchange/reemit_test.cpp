// Entity re-emission: loaded entities written back with their own or replaced attributes, polylines
// kept together by S_EntAllp, the closing return to the host's current layer, and the Escape abort
// through a key state the test answers itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "JwwGaibu.h"
#include "output_lines.h"

namespace {

using Lines = std::vector<std::u16string>;
// An exchange file, one record per entry.
using File = std::vector<std::u16string_view>;

// A model that read `lines` as the exchange file and was made ready for output, as the dialog does.
TJGdata Loaded(const File& lines) {
  TJGdata jg;
  jg.ReadTempText(CrLfText(lines));
  jg.S_Init();
  return jg;
}

// Entities of every kind, a block among them, and two polylines around a circle. The host's current
// layer is group 1, layer 2; a width record makes widths part of the output.
const File kEveryKind = {
    u"hcc 5 6 7 8 9 1 2 3 4 5",
    u"lg1",
    u"ly2",
    u"lc3",
    u"lt2",
    u"lw1",
    u"cn2",
    u"cc1",
    u"cn\"$ＭＳ 明朝",
    u"pn4",
    u"z1",
    u"0 0 100 0",
    u"ci 50 50 10",
    u"ly3",
    u"ci 0 0 5 0 90 1 0",
    u"cs 10 20 1 0 \"Hello World",
    u"pt 1 2",
    u"z2",
    u"pt 3 4 2 45 5",
    u"msg",
    u"0 0 30 0",
    u"cs 15 1 1 0 \"30",
    u"BL 5 5 blk",
    u"lc10 255",
    u"sl 0 0 1 1",
    u"sl 0 0 1 0 1 1",
    u"sl 0 0 2 0 2 2 0 2",
    u"sc 0 0 5 1 0 0 360 0",
    u"se 0 0 5 1 0 0 360 100",
    u"lc7",
    u"so 0 0 5 1 0 0 360 2",
    u"sg 0 0 5 1 0 0 360 3",
    u"lc1",
    u"pl",
    u"0 0 1 0",
    u"1 0 1 1",
    u"#",
    u"ci 9 9 1",
    u"pl",
    u"2 2 3 3",
    u"#",
};

// What every entity up to the last solid writes with nothing replaced: each attribute once, when it
// first takes a new value, the flags just before their entity, the block not at all.
const Lines kUpToTheSolids = {
    u"lg1",
    u"ly2",
    u"lc3",
    u"lt2",
    u"lw1",
    u"z1",
    u"0 0 100 0",
    u"ci 50 50 10",
    u"ly3",
    u"ci 0 0 5 0 90 1 0",
    u"cn2",
    u"cc1",
    u"cn\"$ＭＳ 明朝",
    u"cs 10 20 1 0 \"Hello World",
    u"pn4",
    u"pt 1 2",
    u"z2",
    u"pt 3 4 2 45 5",
    u"msg",
    u"0 0 30 0",
    u"cs 15 1 1 0 \"30",
    u"lc10 255",
    u"sl 0 0 1 1",
    u"sl 0 0 1 0 1 1",
    u"sl 0 0 2 0 2 2 0 2",
    u"sc 0 0 5 1 0 0 360 0",
    u"se 0 0 5 1 0 0 360 100",
    u"lc7",
    u"so 0 0 5 1 0 0 360 2",
    u"sg 0 0 5 1 0 0 360 3",
};

Lines Concat(Lines head, std::initializer_list<std::u16string_view> tail) {
  for (auto line : tail) head.emplace_back(line);
  return head;
}

TEST(ReemitRoundTrip, EntAllWritesEveryEntityInReadingOrderAndReturnsToTheCurrentLayer) {
  TJGdata jg = Loaded(kEveryKind);
  ASSERT_EQ(jg.EntN, 19);
  jg.S_EntAll(-1, -1, -1, -1, -1, -1, -1, -1);
  // Polyline lines are plain lines here, in their reading order around the circle.
  EXPECT_EQ(OutputLines(jg),
            Concat(kUpToTheSolids, {u"lc1", u"0 0 1 0", u"1 0 1 1", u"ci 9 9 1", u"2 2 3 3", u"ly2"}));
}

TEST(ReemitRoundTrip, EntAllpWritesFreeEntitiesFirstThenEachPolylineInCurveOrder) {
  TJGdata jg = Loaded(kEveryKind);
  jg.S_EntAllp(-1, -1, -1, -1, -1, -1, -1, -1);
  EXPECT_EQ(OutputLines(jg), Concat(kUpToTheSolids, {u"lc1", u"ci 9 9 1", u"pl", u"0 0 1 0", u"1 0 1 1", u"#",
                                                     u"pl", u"2 2 3 3", u"#", u"ly2"}));
}

TEST(ReemitRoundTrip, EveryKindWithEveryAttributeReplaced) {
  TJGdata jg = Loaded(kEveryKind);
  jg.S_EntAllp(4, 5, 6, 3, 8, 2, 1, 255);
  // Colour 6 covers lines, points and solids alike, so after the first entity only the texts' free
  // style and code and the flags are written between entities.
  EXPECT_EQ(OutputLines(jg), (Lines{u"lg4",
                                    u"ly5",
                                    u"lc6",
                                    u"lt3",
                                    u"lw8",
                                    u"z1",
                                    u"0 0 100 0",
                                    u"ci 50 50 10",
                                    u"ci 0 0 5 0 90 1 0",
                                    u"cn0 3 3 0 2",
                                    u"cc1",
                                    u"cn\"$ＭＳ 明朝",
                                    u"cs 10 20 1 0 \"Hello World",
                                    u"pn6",
                                    u"pt 1 2",
                                    u"z2",
                                    u"pt 3 4 2 45 5",
                                    u"msg",
                                    u"0 0 30 0",
                                    u"cs 15 1 1 0 \"30",
                                    u"sl 0 0 1 1",
                                    u"sl 0 0 1 0 1 1",
                                    u"sl 0 0 2 0 2 2 0 2",
                                    u"sc 0 0 5 1 0 0 360 0",
                                    u"se 0 0 5 1 0 0 360 100",
                                    u"so 0 0 5 1 0 0 360 2",
                                    u"sg 0 0 5 1 0 0 360 3",
                                    u"ci 9 9 1",
                                    u"pl",
                                    u"0 0 1 0",
                                    u"1 0 1 1",
                                    u"#",
                                    u"pl",
                                    u"2 2 3 3",
                                    u"#",
                                    u"lg1",
                                    u"ly2"}));
}

TEST(ReemitRoundTrip, WhatIsWrittenReadsBackAsTheSameEntities) {
  TJGdata first = Loaded(kEveryKind);
  first.S_EntAllp(-1, -1, -1, -1, -1, -1, -1, -1);
  TJGdata second;
  second.ReadTempText(CrLfText(OutputLines(first)));
  // The block is not written; everything else comes back, the polylines with their own numbers.
  EXPECT_EQ(second.EntN, first.EntN - 1);
  EXPECT_EQ(second.EntLineN, 4);
  EXPECT_EQ(second.EntLine[1].CrvNo, 1);
  EXPECT_EQ(second.EntLine[2].CrvNo, 1);
  EXPECT_EQ(second.EntLine[3].CrvNo, 2);
  EXPECT_EQ(second.EntDimN, 1);
  EXPECT_EQ(second.EntDim[0].txt.st, u"30");
  EXPECT_EQ(second.EntText[0].fo, u"ＭＳ 明朝");
  EXPECT_EQ(second.EntSldGN, 1);
  EXPECT_EQ(second.EntSldG[0].Color, 255);
  EXPECT_EQ(second.EntSldG[0].att.Col, 7);
  EXPECT_EQ(second.EntMark[0].att.Attr, 2);
}

// --- replacement parameters ---

struct ReplacementCase {
  const char* what;
  File file;
  int32_t a[8];
  Lines expected;
};

void RunReplacements(const std::vector<ReplacementCase>& cases) {
  for (const auto& c : cases) {
    TJGdata jg = Loaded(c.file);
    jg.S_EntAll(c.a[0], c.a[1], c.a[2], c.a[3], c.a[4], c.a[5], c.a[6], c.a[7]);
    EXPECT_EQ(OutputLines(jg), c.expected) << c.what;
  }
}

TEST(ReemitReplacement, LayerGroupAndLayerOutsideZeroToFifteenKeepTheEntitysOwn) {
  const File file = {u"lg1", u"ly2", u"0 0 1 0", u"lg5", u"ly6", u"ci 0 0 1"};
  RunReplacements({
      {"a1 -1, a2 16: own",
       file,
       {-1, 16, -1, -1, -1, -1, -1, -1},
       {u"lg1", u"ly2", u"lc1", u"lt1", u"0 0 1 0", u"lg5", u"ly6", u"ci 0 0 1", u"lg1", u"ly2"}},
      {"a1 3: every entity in group 3, own layers",
       file,
       {3, -1, -1, -1, -1, -1, -1, -1},
       {u"lg3", u"ly2", u"lc1", u"lt1", u"0 0 1 0", u"ly6", u"ci 0 0 1", u"lg1", u"ly2"}},
      {"a1 15, a2 0: the top group and layer 0",
       file,
       {15, 0, -1, -1, -1, -1, -1, -1},
       {u"lgF", u"ly0", u"lc1", u"lt1", u"0 0 1 0", u"ci 0 0 1", u"lg1", u"ly2"}},
      {"a1 -2 is no sentinel but out of range: own",
       file,
       {-2, -2, -1, -1, -1, -1, -1, -1},
       {u"lg1", u"ly2", u"lc1", u"lt1", u"0 0 1 0", u"lg5", u"ly6", u"ci 0 0 1", u"lg1", u"ly2"}},
  });
}

TEST(ReemitReplacement, ColourLineTypeAndWidthReachTheKindsTheyApplyTo) {
  // A line, a point, a 2-point solid and an se solid take the width; a 3-point solid does not.
  const File file = {u"lw2",
                     u"lc3",
                     u"lt4",
                     u"pn6",
                     u"0 0 1 0",
                     u"pt 5 5",
                     u"lc10 99",
                     u"sl 0 0 1 1",
                     u"lw7",
                     u"sl 0 0 1 0 1 1",
                     u"se 0 0 5 1 0 0 360 0"};
  RunReplacements({
      {"nothing replaced",
       file,
       {-1, -1, -1, -1, -1, -1, -1, -1},
       {u"lg0", u"ly0", u"lc3", u"lt4", u"lw2", u"0 0 1 0", u"pn6", u"pt 5 5", u"lc10 99", u"sl 0 0 1 1",
        u"sl 0 0 1 0 1 1", u"lw7", u"se 0 0 5 1 0 0 360 0"}},
      {"colour 5, line type 2, width 9",
       file,
       {-1, -1, 5, 2, 9, -1, -1, -1},
       {u"lg0", u"ly0", u"lc5", u"lt2", u"lw9", u"0 0 1 0", u"pn5", u"pt 5 5", u"sl 0 0 1 1",
        u"sl 0 0 1 0 1 1", u"se 0 0 5 1 0 0 360 0"}},
      {"colour 10 with solid value 255",
       file,
       {-1, -1, 10, -1, -1, -1, -1, 255},
       {u"lg0", u"ly0", u"lc10", u"lt4", u"lw2", u"0 0 1 0", u"pn10", u"pt 5 5", u"lc10 255", u"sl 0 0 1 1",
        u"sl 0 0 1 0 1 1", u"lw7", u"se 0 0 5 1 0 0 360 0"}},
      {"width out of range is passed on and clamped by the writer",
       file,
       {-1, -1, -1, -1, 30001, -1, -1, -1},
       {u"lg0", u"ly0", u"lc3", u"lt4", u"lw0", u"0 0 1 0", u"pn6", u"pt 5 5", u"lc10 99", u"sl 0 0 1 1",
        u"sl 0 0 1 0 1 1", u"se 0 0 5 1 0 0 360 0"}},
  });
}

TEST(ReemitReplacement, SolidColourRule) {
  // One solid with an ordinary colour, then one with colour 10 and its value.
  const File file = {u"lc4", u"sl 0 0 1 1", u"lc10 4660", u"sl 0 0 2 2"};
  RunReplacements({
      {"own: colour number, then the value",
       file,
       {-1, -1, -1, -1, -1, -1, -1, -1},
       {u"lg0", u"ly0", u"lc4", u"sl 0 0 1 1", u"lc10 4660", u"sl 0 0 2 2"}},
      {"a3 10: the value a8 for both",
       file,
       {-1, -1, 10, -1, -1, -1, -1, 255},
       {u"lg0", u"ly0", u"lc10 255", u"sl 0 0 1 1", u"sl 0 0 2 2"}},
      {"a3 10 with a8 out of range: the writer's 0",
       file,
       {-1, -1, 10, -1, -1, -1, -1, -7},
       {u"lg0", u"ly0", u"lc10 0", u"sl 0 0 1 1", u"sl 0 0 2 2"}},
      {"another a3: that colour number, a8 ignored",
       file,
       {-1, -1, 6, -1, -1, -1, -1, 255},
       {u"lg0", u"ly0", u"lc6", u"sl 0 0 1 1", u"sl 0 0 2 2"}},
  });
}

TEST(ReemitReplacement, TextColourMakesFreeStyleAndCodeReplacesTheTexts) {
  // Style 3 is 4 wide, 5 high, gap 0.5, colour 7; the dimension's line is pen 2.
  const File file = {u"hcw 1 1 4 1 1 1 1 1 1 1",
                     u"hch 1 1 5 1 1 1 1 1 1 1",
                     u"hcd 0 0 0.5 0 0 0 0 0 0 0",
                     u"hcc 1 1 7 1 1 1 1 1 1 1",
                     u"cn3",
                     u"cc2",
                     u"lc2",
                     u"ch 0 0 1 0 \"A B",
                     u"msg",
                     u"0 0 10 0",
                     u"cs 5 1 1 0 \"10"};
  RunReplacements({
      {"own style and code",
       file,
       {-1, -1, -1, -1, -1, -1, -1, -1},
       {u"lg0", u"ly0", u"cn3", u"cc2", u"cn\"$<ＭＳ ゴシック>", u"ch 0 0 1 0 \"A B", u"lc2", u"lt1", u"msg",
        u"0 0 10 0", u"cs 5 1 1 0 \"10"}},
      {"text colour 5: free style with the style's sizes",
       file,
       {-1, -1, -1, -1, -1, 5, -1, -1},
       {u"lg0", u"ly0", u"cn0 4 5 0.5 5", u"cc2", u"cn\"$<ＭＳ ゴシック>", u"ch 0 0 1 0 \"A B", u"lc2",
        u"lt1", u"msg", u"0 0 10 0", u"cs 5 1 1 0 \"10"}},
      {"code 6 for both texts",
       file,
       {-1, -1, -1, -1, -1, -1, 6, -1},
       {u"lg0", u"ly0", u"cn3", u"cc6", u"cn\"$<ＭＳ ゴシック>", u"ch 0 0 1 0 \"A B", u"lc2", u"lt1", u"msg",
        u"0 0 10 0", u"cs 5 1 1 0 \"10"}},
      {"code 12 passed on, the writer makes it 0",
       file,
       {-1, -1, -1, -1, -1, -1, 12, -1},
       {u"lg0", u"ly0", u"cn3", u"cc0", u"cn\"$<ＭＳ ゴシック>", u"ch 0 0 1 0 \"A B", u"lc2", u"lt1", u"msg",
        u"0 0 10 0", u"cs 5 1 1 0 \"10"}},
      {"colour and line type replaced for the dimension's line only",
       file,
       {-1, -1, 8, 3, -1, -1, -1, -1},
       {u"lg0", u"ly0", u"cn3", u"cc2", u"cn\"$<ＭＳ ゴシック>", u"ch 0 0 1 0 \"A B", u"lc8", u"lt3", u"msg",
        u"0 0 10 0", u"cs 5 1 1 0 \"10"}},
  });
}

TEST(ReemitReplacement, PointsAndMarksTakeTheColourAsPointColour) {
  const File file = {u"pn2", u"pt 1 1", u"pt 2 2 3 0 4"};
  RunReplacements({
      {"own", file, {-1, -1, -1, -1, -1, -1, -1, -1}, {u"lg0", u"ly0", u"pn2", u"pt 1 1", u"pt 2 2 3 0 4"}},
      {"colour 9",
       file,
       {-1, -1, 9, -1, -1, -1, -1, -1},
       {u"lg0", u"ly0", u"pn9", u"pt 1 1", u"pt 2 2 3 0 4"}},
  });
}

// --- what is and is not written ---

TEST(ReemitSelection, SpecialSelections) {
  struct Case {
    const char* what;
    File file;
    Lines all;
    Lines allp;
  };
  const Case cases[] = {
      {"a block insertion writes nothing", {u"BL 5 5 blk"}, {u"lg0", u"ly0"}, {u"lg0", u"ly0"}},
      {"empty selection with bz", {u"bz"}, {u"bz", u"lg0", u"ly0"}, {u"bz", u"lg0", u"ly0"}},
      {"empty selection in the host's layer A-F", {u"lgA", u"lyF"}, {u"lgA", u"lyF"}, {u"lgA", u"lyF"}},
      {"bz comes before everything",
       {u"0 0 1 0", u"bz"},
       {u"bz", u"lg0", u"ly0", u"lc1", u"lt1", u"0 0 1 0"},
       {u"bz", u"lg0", u"ly0", u"lc1", u"lt1", u"0 0 1 0"}},
      {"a polyline of one line",
       {u"pl", u"0 0 1 0", u"#"},
       {u"lg0", u"ly0", u"lc1", u"lt1", u"0 0 1 0"},
       {u"lg0", u"ly0", u"lc1", u"lt1", u"pl", u"0 0 1 0", u"#"}},
      {"a curve number without lines writes nothing",
       {u"pl", u"#", u"pl", u"0 0 1 0", u"#"},
       {u"lg0", u"ly0", u"lc1", u"lt1", u"0 0 1 0"},
       {u"lg0", u"ly0", u"lc1", u"lt1", u"pl", u"0 0 1 0", u"#"}},
      {"flags of a later polyline line stand inside the polyline",
       {u"pl", u"0 0 1 0", u"z1", u"1 0 1 1", u"#"},
       {u"lg0", u"ly0", u"lc1", u"lt1", u"0 0 1 0", u"z1", u"1 0 1 1"},
       {u"lg0", u"ly0", u"lc1", u"lt1", u"pl", u"0 0 1 0", u"z1", u"1 0 1 1", u"#"}},
      {"an empty text leaves its flag for the next entity",
       {u"z1", u"ch 0 0 1 0 \"", u"0 0 1 0"},
       {u"lg0", u"ly0", u"cn1", u"cc0", u"cn\"$<ＭＳ ゴシック>", u"z1", u"lc1", u"lt1", u"0 0 1 0"},
       {u"lg0", u"ly0", u"cn1", u"cc0", u"cn\"$<ＭＳ ゴシック>", u"z1", u"lc1", u"lt1", u"0 0 1 0"}},
      {"flags 8 and 16 write z5 only",
       {u"z4", u"z5", u"0 0 1 0"},
       {u"lg0", u"ly0", u"lc1", u"lt1", u"z5", u"0 0 1 0"},
       {u"lg0", u"ly0", u"lc1", u"lt1", u"z5", u"0 0 1 0"}},
  };
  for (const auto& c : cases) {
    TJGdata all = Loaded(c.file);
    all.S_EntAll(-1, -1, -1, -1, -1, -1, -1, -1);
    EXPECT_EQ(OutputLines(all), c.all) << c.what << " (S_EntAll)";
    TJGdata allp = Loaded(c.file);
    allp.S_EntAllp(-1, -1, -1, -1, -1, -1, -1, -1);
    EXPECT_EQ(OutputLines(allp), c.allp) << c.what << " (S_EntAllp)";
  }
}

TEST(ReemitSelection, OutputIsAppendedAndTheLayerIsWrittenOnlyWhenItDiffers) {
  TJGdata jg = Loaded({u"lg2", u"ly3", u"0 0 1 0"});
  jg.SendMem(u"h#before");
  jg.S_EntAll(-1, -1, -1, -1, -1, -1, -1, -1);
  EXPECT_EQ(OutputLines(jg), (Lines{u"h#before", u"lg2", u"ly3", u"lc1", u"lt1", u"0 0 1 0"}));
  // A second run changes no attribute, so only the line itself is written again.
  jg.S_EntAll(-1, -1, -1, -1, -1, -1, -1, -1);
  EXPECT_EQ(jg.t_MemN, 7);
  EXPECT_EQ(jg.t_Mem[6], u"0 0 1 0");
}

// Polylines whose lines carry different attributes and arrive out of curve order can be built by
// insertion; the reader itself closes a polyline at every attribute record.
TEST(ReemitPolyline, GroupsByCurveNumberWithEachLinesAttributesInside) {
  TJGdata jg;
  jg.A_Line(0, 0, 1, 0);  // curve 2
  jg.A_Col(3, 0);
  jg.A_Line(5, 5, 6, 6);  // free
  jg.A_Line(1, 0, 1, 1);  // curve 1
  jg.A_Col(4, 0);
  jg.A_Line(2, 0, 2, 1);  // curve 2
  jg.A_Line(3, 0, 3, 1);  // curve 1
  jg.EntLine[0].CrvNo = 2;
  jg.EntLine[2].CrvNo = 1;
  jg.EntLine[3].CrvNo = 2;
  jg.EntLine[4].CrvNo = 1;
  jg.S_Init();
  jg.S_EntAllp(-1, -1, -1, -1, -1, -1, -1, -1);
  EXPECT_EQ(OutputLines(jg), (Lines{u"lg0", u"ly0", u"lc3", u"lt1", u"5 5 6 6",              // the free line
                                    u"pl", u"1 0 1 1", u"lc4", u"3 0 3 1", u"#",             // curve 1
                                    u"lc1", u"pl", u"0 0 1 0", u"lc4", u"2 0 2 1", u"#"}));  // curve 2
}

TEST(ReemitPolyline, EntLineCrvOpensAndClosesThroughTheCallersNumber) {
  TJGdata jg;
  jg.A_Line(0, 0, 1, 0);
  jg.A_Line(1, 0, 1, 1);
  jg.A_Line(2, 2, 3, 3);
  jg.EntLine[0].CrvNo = 7;
  jg.EntLine[1].CrvNo = 7;
  jg.S_Init();
  int32_t open = 0;
  jg.S_EntLineCrv(0, -1, -1, -1, -1, -1, true, open);
  EXPECT_EQ(open, 7);
  jg.S_EntLineCrv(1, -1, -1, -1, -1, -1, false, open);
  EXPECT_EQ(open, 0);
  // A free line neither opens nor closes a polyline, whatever it is told.
  jg.S_EntLineCrv(2, -1, -1, -1, -1, -1, false, open);
  EXPECT_EQ(open, 0);
  EXPECT_EQ(OutputLines(jg),
            (Lines{u"lg0", u"ly0", u"lc1", u"lt1", u"pl", u"0 0 1 0", u"1 0 1 1", u"#", u"2 2 3 3"}));
}

TEST(ReemitSelection, IndexEntriesThatNameNoEntityAreSkipped) {
  TJGdata jg = Loaded({u"0 0 1 0"});
  jg.SetEntNo(1, 5);   // no such line
  jg.SetEntNo(99, 0);  // no such kind
  jg.SetEntNo(4, -1);
  jg.S_EntAll(-1, -1, -1, -1, -1, -1, -1, -1);
  EXPECT_EQ(OutputLines(jg), (Lines{u"lg0", u"ly0", u"lc1", u"lt1", u"0 0 1 0"}));
  TJGdata p = Loaded({u"pl", u"0 0 1 0", u"#"});
  p.SetEntNo(1, 3);
  p.S_EntAllp(-1, -1, -1, -1, -1, -1, -1, -1);
  EXPECT_EQ(OutputLines(p), (Lines{u"lg0", u"ly0", u"lc1", u"lt1", u"pl", u"0 0 1 0", u"#"}));
}

TEST(ReemitSelection, ManyEntitiesPastTheEscapePollingPointsAreAllWritten) {
  // The key is sampled at positions 0, 100, 200 ...; without it held, every entity is written.
  TJGdata jg;
  for (int i = 0; i < 250; ++i) jg.A_Line(0, i, 1, i);
  for (int i = 0; i < 250; ++i) jg.EntLine[static_cast<size_t>(i)].CrvNo = 1 + i / 100;
  jg.S_Init();
  jg.S_EntAllp(-1, -1, -1, -1, -1, -1, -1, -1);
  const Lines out = OutputLines(jg);
  // lg, ly, lc, lt, then three polylines of 100, 100 and 50 lines, each with its pl and #.
  ASSERT_EQ(out.size(), 4u + 250u + 6u);
  EXPECT_EQ(out[4], u"pl");
  EXPECT_EQ(out[5], u"0 0 1 0");
  EXPECT_EQ(out[105], u"#");
  EXPECT_EQ(out.back(), u"#");
}

// --- the Escape abort ---

// A key state that is up for the first `upSamples` samples and held from then on; it counts them.
struct Keyboard {
  int upSamples;
  int samples = 0;
  std::function<bool()> State() {
    return [this] { return samples++ >= upSamples; };
  }
};

using Reemission = void (TJGdata::*)(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t);

// `lines` lines on layer group 3, the host's current group being 0; the lines given a curve number
// by `curve` form polylines.
TJGdata LinesOnGroupThree(int count, const std::function<int32_t(int)>& curve) {
  TJGdata jg;
  jg.A_LGrp(3);
  for (int i = 0; i < count; ++i) jg.A_Line(0, i, 1, i);
  for (int i = 0; i < count; ++i) jg.EntLine[static_cast<size_t>(i)].CrvNo = curve(i);
  jg.S_Init();
  return jg;
}

TEST(ReemitAbort, WhereTheKeyIsSampledAndWhatAnAbortLeaves) {
  const auto free = [](int) { return 0; };
  const auto tens = [](int i) { return 1 + i / 10; };                   // 25 polylines of 10 lines
  const auto gaps = [](int i) { return i < 5 ? 1 : (i < 8 ? 4 : 9); };  // numbers 1, 4, 9
  struct Case {
    const char* what;
    Reemission run;
    int lines;
    std::function<int32_t(int)> curve;
    int upSamples;
    int samples;   // how often the key was sampled
    Lines output;  // what the buffer holds afterwards
  };
  const Lines threeFreeLines = {u"lg3", u"ly0", u"lc1", u"lt1", u"0 0 1 0", u"0 1 1 1", u"0 2 1 2", u"lg0", u"ly0"};
  const Case cases[] = {
      // Every 100 entities: positions 0, 100, 200.
      {"S_EntAll, never held", &TJGdata::S_EntAll, 250, free, 1000, 3, {}},
      // Nothing written yet: the emptied buffer takes the host's layer as S_Init left it to be written.
      {"S_EntAll, held at the start", &TJGdata::S_EntAll, 250, free, 0, 1, {u"lg0", u"ly0"}},
      // The buffer is emptied; the group written last was 3, so the host's 0 is written again, and
      // with a new group its layer.
      {"S_EntAll, held at entity 200", &TJGdata::S_EntAll, 250, free, 2, 3, {u"lg0", u"ly0"}},
      {"S_EntAll, three lines never held", &TJGdata::S_EntAll, 3, free, 1000, 1, threeFreeLines},
      {"S_EntAllp, three lines never held", &TJGdata::S_EntAllp, 3, free, 1000, 1, threeFreeLines},
      // Three samples in the first pass, then one per curve number.
      {"S_EntAllp, never held", &TJGdata::S_EntAllp, 250, tens, 1000, 3 + 25, {}},
      {"S_EntAllp, held at the start", &TJGdata::S_EntAllp, 250, tens, 0, 1, {u"lg0", u"ly0"}},
      {"S_EntAllp, held before polyline 7", &TJGdata::S_EntAllp, 250, tens, 3 + 6, 3 + 7, {u"lg0", u"ly0"}},
      // Curve numbers without lines are sampled too.
      {"S_EntAllp, numbers with gaps", &TJGdata::S_EntAllp, 10, gaps, 1000, 1 + 9, {}},
      {"S_EntAllp, held at an empty number", &TJGdata::S_EntAllp, 10, gaps, 1 + 2, 1 + 3, {u"lg0", u"ly0"}},
  };
  for (const auto& c : cases) {
    TJGdata jg = LinesOnGroupThree(c.lines, c.curve);
    Keyboard keyboard{c.upSamples};
    jg.EscapeKeyState = keyboard.State();
    (jg.*c.run)(-1, -1, -1, -1, -1, -1, -1, -1);
    EXPECT_EQ(keyboard.samples, c.samples) << c.what;
    if (c.upSamples >= c.samples) {
      // Not aborted: every line is written, and the run ends on the host's own layer.
      const Lines out = OutputLines(jg);
      EXPECT_EQ(std::count_if(out.begin(), out.end(), [](const auto& l) { return l.rfind(u"0 ", 0) == 0; }),
                c.lines)
          << c.what;
      EXPECT_EQ(out.back(), u"ly0") << c.what;
      if (!c.output.empty()) {
        EXPECT_EQ(out, c.output) << c.what;
      }
    } else {
      EXPECT_EQ(OutputLines(jg), c.output) << c.what;
    }
  }
}

TEST(ReemitAbort, AnAbortEmptiesWhatWasAlreadyThereAndBz) {
  for (const Reemission run : {&TJGdata::S_EntAll, &TJGdata::S_EntAllp}) {
    TJGdata jg = Loaded({u"bz", u"lg2", u"ly5", u"0 0 1 0"});
    jg.SendMem(u"h#before");
    jg.EscapeKeyState = [] { return true; };
    (jg.*run)(-1, -1, -1, -1, -1, -1, -1, -1);
    // "bz" and what the caller had appended are gone; the host's layer follows as after S_Init.
    EXPECT_EQ(OutputLines(jg), (Lines{u"lg2", u"ly5"}));
  }
}

TEST(ReemitAbort, AnAbortAfterAPolylineWasWrittenReturnsToTheHostsLayer) {
  // Polyline 1 on group 3 layer 4; the key is held when polyline 2 is reached.
  TJGdata jg;
  jg.A_LGrp(3);
  jg.A_Lay(4);
  jg.A_Line(0, 0, 1, 0);
  jg.A_Lay(0);
  jg.A_Line(5, 5, 6, 6);
  jg.EntLine[0].CrvNo = 1;
  jg.EntLine[1].CrvNo = 2;
  jg.CurLGrp = 3;
  jg.S_Init();
  Keyboard keyboard{2};
  jg.EscapeKeyState = keyboard.State();
  jg.S_EntAllp(-1, -1, -1, -1, -1, -1, -1, -1);
  EXPECT_EQ(keyboard.samples, 3);
  // The group last written is the host's, the layer is not.
  EXPECT_EQ(OutputLines(jg), Lines{u"ly0"});
}

}  // namespace
