// Whole confirmed runs, golden: the host's exchange file in, the dialog's values set, OK, and every line
// of the exchange file that the tool wrote back compared with a table derived by hand from the
// construction's formulas (numbers within 1e-9, everything else exactly).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "JwwGaibu.h"
#include "construction.h"
#include "golden_support.h"
#include "platform.h"
#include "test_support.h"

namespace {

using golden::Concat;
using golden::ExpectLines;
using golden::Host;
using golden::kCurrentSettings;
using golden::Lines;
using golden::RunOk;
using golden::SelectStyle1;
using test_support::Utf8;

const Lines kTenStyles = {"hcw 2 2.5 3 4 5 6 7 8 9 10", "hch 2 2.5 3 4 5 6 7 8 9 10",
                          "hcd 0 0 0.5 0.5 0.5 0.5 1 1 1 1"};

// P1 = (0, 0), P2 = (0, 1000), P3 = (500, 300), scale 1: gap 2 beside each measured point, overshoot 2
// beyond the dimension line at x = 500.
const Lines kExtensionLinesP1P2 = {"z3", "2 0 502 0", "z3", "2 1000 502 1000"};

// Line arrows of length 3 at 15 degrees: tips at S = (500, 0) and E = (500, 1000), strokes inside the
// line, one attribute line alone between the ends.
const Lines kArrowAtS = {"z3", "500 0 499.223542864692 2.89777747886721", "z3",
                         "500 0 500.776457135308 2.8977774788672"};
const Lines kArrowAtE1000 = {"z3", "500 1000 500.776457135308 997.102222521133", "z3",
                             "500 1000 499.223542864692 997.102222521133"};

// The worked run: axis angle 0, scale 1, the dialog's defaults with text style 1 (width 3, gap 0).
// The host's file is Shift_JIS as Jw_cad writes it, so the result is Shift_JIS too.
TEST(GoldenRun, WorkedRunAtAxisAngleZero) {
  std::u16string text;
  for (const std::string& line : Host().Records()) text += platform::DecodeUtf8(line) + u"\r\n";
  const golden::RunResult run = RunOk(platform::EncodeAnsi(text), SelectStyle1);

  ExpectLines(run.outputLines,
              Concat({kCurrentSettings,
                      kExtensionLinesP1P2,
                      {"z3", "500 0 500 1000",            // dimension line S to E
                       "cn1", "cc0",                      // text style 1, base code 0
                       "z3", "cs 600 400 0 10 \"1000",    // value at P4, reading upwards
                       "z3", "500 500 600.5 406.5",       // leader from M to the upper end H2
                       "z3", "600.5 399.5 600.5 406.5"},  // horizontal line: span 6 + 2 * 0.5
                      kArrowAtS,
                      {"z3"},
                      kArrowAtE1000,
                      {"cn2"}}));  // the host's text style again
  EXPECT_EQ(run.exchangeAfter.substr(0, 3), "lg0") << "no byte-order mark for a Shift_JIS host file";
  const std::string end = "\r\ncn2\r\n";
  ASSERT_GE(run.exchangeAfter.size(), end.size());
  EXPECT_EQ(run.exchangeAfter.substr(run.exchangeAfter.size() - end.size()), end);
  EXPECT_TRUE(run.ui.messages.empty());
  EXPECT_EQ(run.ui.statuses, (std::vector<std::u16string>{u"処理中です", u"ファイル生成中です"}));
  ASSERT_TRUE(run.settingsExist);
  const std::string settingsStart =
      "\xEF\xBB\xBF"
      "120\r\n80\r\n0\r\n0\r\n1\r\n";
  EXPECT_EQ(run.settingsAfter.substr(0, settingsStart.size()), settingsStart)
      << "position from Finish, markers 0 and 0, style 1";
}

// Axis angle 30: "vertical" is 120 degrees; the value turns to 300 degrees so that it never reads
// leftwards. The horizontal line reaches past M on neither side and H2 lies before M, so the leader
// goes to H1.
TEST(GoldenRun, AxisAngle30) {
  Host host;
  host.axis = "hk 30";
  host.points = {"hp1 100 50", "hp2 -300 900", "hp3 400 400", "hp4 700 300"};
  const golden::RunResult run = RunOk(host.Utf8File(), SelectStyle1);
  ExpectLines(run.outputLines, Concat({kCurrentSettings,
                                       {"z3",
                                        "101.732050807569 51 478.286496469846 268.403810567666",
                                        "z3",
                                        "-298.267949192431 901 10.2256998614596 1079.10889132455",
                                        "z3",
                                        "476.554445662277 267.403810567666 8.49364905389081 1078.10889132455",
                                        "cn1",
                                        "cc0",
                                        "z3",
                                        "cs 700 300 5 -8.66025403784439 \"936.122",
                                        "z3",
                                        "242.524047358084 672.756350946109 699.316987298108 300.183012701892",
                                        "z3",
                                        "699.316987298108 300.183012701892 705.066987298108 290.223720558371",
                                        "z3",
                                        "476.554445662277 267.403810567666 474.433125318717 269.525130911225",
                                        "z3",
                                        "476.554445662277 267.403810567666 475.777988526969 270.301588046533",
                                        "z3",
                                        "z3",
                                        "8.49364905389081 1078.10889132455 10.6149693974505 1075.98757098099",
                                        "z3",
                                        "8.49364905389081 1078.10889132455 9.27010618919837 1075.21111384569",
                                        "cn2"}}));
}

// Axis angle 200: the text direction 290 becomes 110 and then 290 again. P3 lies on the negative side
// of both measured points in the axis frame, so both extension lines leave them that way.
TEST(GoldenRun, AxisAngle200) {
  Host host;
  host.axis = "hk 200";
  host.points = {"hp1 100 50", "hp2 -300 900", "hp3 400 400", "hp4 700 300"};
  const golden::RunResult run = RunOk(host.Utf8File(), SelectStyle1);
  ExpectLines(run.outputLines,
              Concat({kCurrentSettings,
                      {"z3",
                       "101.879385241572 50.6840402866513 479.273883404563 188.044404193809",
                       "z3",
                       "-298.120614758428 900.684040286651 159.298037911582 1067.17081445668",
                       "z3",
                       "477.394498162991 187.360363907158 157.418652670011 1066.48677417003",
                       "cn1",
                       "cc0",
                       "z3",
                       "cs 700 300 3.42020143325669 -9.39692620785908 \"935.547",
                       "z3",
                       "317.406575416501 626.923569038595 699.359143617944 300.29883623873",
                       "z3",
                       "699.359143617944 300.29883623873 703.292375266189 289.492371099692",
                       "z3",
                       "477.394498162991 187.360363907158 475.673768853938 189.817820040025",
                       "z3",
                       "477.394498162991 187.360363907158 477.133030934748 190.348948001433",
                       "z3",
                       "z3",
                       "157.418652670011 1066.48677417003 159.139381979064 1064.02931803717",
                       "z3",
                       "157.418652670011 1066.48677417003 157.680119898254 1063.49819007576",
                       "cn2"}}));
}

// The current layer group 2 has the scale 100: every paper size becomes 100 times longer (gap and
// overshoot 200, arrows 300, the value's margin 50 and its span 7.5 * 100). P2 lies to the right of
// P3, so its extension line runs leftwards.
TEST(GoldenRun, LayerGroupScale100) {
  Host host;
  host.scales = "hs 1 1 100 1 1 1 1 1 1 1 1 1 1 1 1 1";
  host.group = "lg2";
  host.points = {"hp1 0 0", "hp2 8000 10000", "hp3 5000 2000", "hp4 6000 4000"};
  const golden::RunResult run = RunOk(host.Utf8File(), SelectStyle1);
  ExpectLines(run.outputLines, Concat({{"lg2", "ly0", "lc2", "pn2", "lt1", "cn\"$<ＭＳ ゴシック>"},
                                       {"z3",
                                        "200 0 5200 0",
                                        "z3",
                                        "7800 10000 4800 10000",
                                        "z3",
                                        "5000 0 5000 10000",
                                        "cn1",
                                        "cc0",
                                        "z3",
                                        "cs 6000 4000 0 10 \"10000",
                                        "z3",
                                        "5000 5000 6050 4800",
                                        "z3",
                                        "6050 3950 6050 4800",
                                        "z3",
                                        "5000 0 4922.35428646924 289.777747886721",
                                        "z3",
                                        "5000 0 5077.64571353076 289.77774788672",
                                        "z3",
                                        "z3",
                                        "5000 10000 5077.64571353076 9710.22225211328",
                                        "z3",
                                        "5000 10000 4922.35428646924 9710.22225211328",
                                        "cn2"}}));
}

// Each extension line runs from the gap beside its measured point to the overshoot beyond the
// dimension line, on P3's side in the axis frame; P3 straight above the points counts as the + side.
TEST(GoldenRun, ExtensionLinesLeaveOnPoint3sSide) {
  struct Case {
    const char* p3;
    Lines extensionLines;  // gap 1, overshoot 3
  };
  const Case cases[] = {
      {"hp3 500 300", {"z3", "1 0 503 0", "z3", "1 1000 503 1000"}},
      {"hp3 -500 300", {"z3", "-1 0 -503 0", "z3", "-1 1000 -503 1000"}},
      {"hp3 0 300", {"z3", "1 0 3 0", "z3", "1 1000 3 1000"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.p3);
    Host host;
    host.points = {"hp1 0 0", "hp2 0 1000", c.p3, "hp4 600 400"};
    const golden::RunResult run = RunOk(host.Utf8File(), [](DialogValues& values) {
      values.textStyle = 1;
      values.extensionGap = u"1";
      values.extensionOvershoot = u"3";
    });
    const auto first = static_cast<std::ptrdiff_t>(kCurrentSettings.size());
    const auto count = static_cast<std::ptrdiff_t>(c.extensionLines.size());
    ASSERT_GE(run.outputLines.size(), kCurrentSettings.size() + c.extensionLines.size());
    ExpectLines(Lines(run.outputLines.begin() + first, run.outputLines.begin() + first + count),
                c.extensionLines);
  }
}

// The value's direction: the axis angle plus 90, brought into 0..180 and then turned half round when
// above 90.0000000001, so that it never reads leftwards or upside down.
TEST(GoldenRun, TextDirectionFollowsTheAxisAngle) {
  struct Case {
    const char* axis;
    const char* direction;  // the direction vector of the "cs" line
    bool exact = false;     // byte for byte: a direction turned a full circle differs only in its last digits
  };
  const Case cases[] = {
      {"hk 0", "0 10"},                                     // 90
      {"hk 30", "5 -8.66025403784439"},                     // 120 -> 300
      {"hk 90", "10 0", true},                              // 180 -> 0
      {"hk 180", "0 10"},                                   // 270 -> 90
      {"hk 200", "3.42020143325669 -9.39692620785908"},     // 290 -> 110 -> 290
      {"hk 270", "10 0"},                                   // 360 -> 0
      {"hk -30", "5 8.66025403784439"},                     // 60
      {"hk 0.05", "0.00872664515234912 -9.9999961922825"},  // 90.05 -> 270.05
      {"hk 0.00000000005", "0 10"},                         // 90.00000000005 stays
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.axis);
    Host host;
    host.axis = c.axis;
    host.points = {"hp1 0 0", "hp2 700 1000", "hp3 500 300", "hp4 600 400"};
    const golden::RunResult run = RunOk(host.Utf8File(), SelectStyle1);
    Lines text;
    for (const std::string& line : run.outputLines) {
      if (line.rfind("cs ", 0) == 0) text.push_back(line.substr(0, line.find('"') + 1));
    }
    const Lines expected = {std::string("cs 600 400 ") + c.direction + " \""};
    if (c.exact) {
      EXPECT_EQ(text, expected);
    } else {
      ExpectLines(text, expected);
    }
  }
}

// A dimension of 5 is shorter than two arrows (2 * 3 * cos 15 = 5.7956): both turn outwards, and the
// dimension line runs on reversedOvershoot beyond each end first; an overshoot of 1e-10 or less is no line.
TEST(GoldenRun, ReversedArrowsWithAndWithoutOvershoot) {
  Host host;
  host.points = {"hp1 0 0", "hp2 0 5", "hp3 10 2", "hp4 20 2"};
  const Lines before = Concat({kCurrentSettings,
                               {"z3", "2 0 12 0", "z3", "2 5 12 5", "z3", "10 0 10 5", "cn1", "cc0", "z3",
                                "cs 20 2 0 10 \"5", "z3", "10 2.5 20.5 1.5", "z3", "20.5 1.5 20.5 4"}});
  const Lines startStrokes = {"z3", "10 0 10.7764571353076 -2.89777747886721", "z3",
                              "10 0 9.22354286469243 -2.8977774788672"};
  const Lines endStrokes = {"z3", "10 5 9.22354286469243 7.8977774788672", "z3",
                            "10 5 10.7764571353076 7.89777747886721"};
  struct Case {
    const char16_t* reversedOvershoot;
    Lines startOvershoot, endOvershoot;
  };
  const Case cases[] = {
      {u"2", {"z3", "10 0 10 -2"}, {"z3", "10 5 10 7"}},
      {u"0", {}, {}},
      {u"1e-10", {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.reversedOvershoot));
    const std::u16string reversedOvershoot = c.reversedOvershoot;
    const golden::RunResult run = RunOk(host.Utf8File(), [&](DialogValues& values) {
      values.textStyle = 1;
      values.reversedOvershoot = reversedOvershoot;
    });
    ExpectLines(
        run.outputLines,
        Concat({before, c.startOvershoot, startStrokes, {"z3"}, c.endOvershoot, endStrokes, {"cn2"}}));
  }
}

// Layer group 3 at scale 100: two line arrows take 2 * 3 * cos 15 * 100 = 579.6 against a dimension of
// 500, so both turn outwards. The dimension line runs on 1.5 * 100 beyond each end and the strokes of
// 300 lie outside it. The value 500 spans 4.5 * 100 with a margin of 50: H1 = (950, 50), H2 = (950, 600),
// and H2 lies beyond M = (300, 250) along the text, so the leader goes to H1.
TEST(GoldenRun, ReversedArrowsAtScale100) {
  Host host;
  host.scales = "hs 1 1 1 100 1 1 1 1 1 1 1 1 1 1 1 1";
  host.group = "lg3";
  host.points = {"hp1 0 0", "hp2 0 500", "hp3 300 200", "hp4 900 100"};
  const golden::RunResult run = RunOk(host.Utf8File(), [](DialogValues& values) {
    values.textStyle = 1;
    values.reversedOvershoot = u"1.5";
  });
  ExpectLines(run.outputLines,
              Concat({{"lg3", "ly0", "lc2", "pn2", "lt1", "cn\"$<ＭＳ ゴシック>"},
                      {"z3", "200 0 500 0", "z3", "200 500 500 500", "z3", "300 0 300 500", "cn1", "cc0",
                       "z3", "cs 900 100 0 10 \"500", "z3", "300 250 950 50", "z3", "950 50 950 600"},
                      {"z3", "300 0 300 -150", "z3", "300 0 377.645713530756 -289.777747886721", "z3",
                       "300 0 222.354286469243 -289.77774788672"},
                      {"z3"},
                      {"z3", "300 500 300 650", "z3", "300 500 222.354286469243 789.77774788672", "z3",
                       "300 500 377.645713530756 789.777747886721"},
                      {"cn2"}}));
}

// Value block of the worked geometry with a span of 6 (the text 1000 in style 1).
const Lines kWorkedValueBlock = {"z3", "500 0 500 1000",         "cn1", "cc0",
                                 "z3", "cs 600 400 0 10 \"1000", "z3",  "500 500 600.5 406.5",
                                 "z3", "600.5 399.5 600.5 406.5"};

// Point markers are written as marker commands with the magnification as typed and the direction out
// of the line: 270 at S and, through the cut pi of the line angle, 90.0000000000001 at E.
TEST(GoldenRun, PointMarkersAtBothEndsAndMixedEnds) {
  const golden::RunResult both = RunOk(Host().Utf8File(), [](DialogValues& values) {
    values.textStyle = 1;
    values.startMarker = 7;  // ●
    values.endMarker = 4;    // ○
    values.markerScale = u"2";
  });
  ExpectLines(both.outputLines,
              Concat({kCurrentSettings,
                      kExtensionLinesP1P2,
                      kWorkedValueBlock,
                      {"z3", "pt 500 0 2 270 7", "z3", "z3", "pt 500 1000 2 90.0000000000001 4", "cn2"}}));

  // The second triangle keeps its own code 11; the end is a line arrow whose strokes ignore markerScale.
  const golden::RunResult mixed = RunOk(Host().Utf8File(), [](DialogValues& values) {
    values.textStyle = 1;
    values.startMarker = 11;
    values.endMarker = 0;
    values.markerScale = u"1.5";
  });
  ExpectLines(mixed.outputLines, Concat({kCurrentSettings,
                                         kExtensionLinesP1P2,
                                         kWorkedValueBlock,
                                         {"z3", "pt 500 0 1.5 270 11", "z3"},
                                         kArrowAtE1000,
                                         {"cn2"}}));
}

// Axis angle 30 with point markers: "▲" (7.5) and "～" (1.25 * sqrt 2) at magnification 1.5 take 13.9
// together against a dimension of 936.1, so they stay inside. Each marker points out of the line (300
// degrees at S, 120 at E) and carries the magnification as typed. The value keeps its prefix, the unit
// and the suffix with its leading blank: span 11 * 1.5 + 1.5 + 2 * 3 = 24, so with d = 1 the horizontal
// line runs 26 along 300 degrees, and the leader goes to H1.
TEST(GoldenRun, AxisAngle30WithPointMarkers) {
  Host host;
  host.axis = "hk 30";
  host.points = {"hp1 100 50", "hp2 -300 900", "hp3 400 400", "hp4 700 300"};
  const golden::RunResult run = RunOk(host.Utf8File(), [](DialogValues& values) {
    values.textStyle = 1;
    values.startMarker = 6;  // ▲
    values.endMarker = 8;    // ～
    values.markerScale = u"1.5";
    values.valueToUnderline = u"1";
    values.unitText = true;
    values.prefix = u"L=";
    values.suffix = u" 参考";
  });
  ExpectLines(run.outputLines, Concat({kCurrentSettings,
                                       {"z3",
                                        "101.732050807569 51 478.286496469846 268.403810567666",
                                        "z3",
                                        "-298.267949192431 901 10.2256998614596 1079.10889132455",
                                        "z3",
                                        "476.554445662277 267.403810567666 8.49364905389081 1078.10889132455",
                                        "cn1",
                                        "cc0",
                                        "z3",
                                        "cs 700 300 5 -8.66025403784439 \"L=936.122mm 参考",
                                        "z3",
                                        "242.524047358084 672.756350946109 698.633974596216 300.366025403784",
                                        "z3",
                                        "698.633974596216 300.366025403784 711.633974596216 277.849364905389",
                                        "z3",
                                        "pt 476.554445662277 267.403810567666 1.5 300 6",
                                        "z3",
                                        "z3",
                                        "pt 8.49364905389081 1078.10889132455 1.5 120 8",
                                        "cn2"}}));
}

// Two triangles of 7.5 at scale 100 take 1500 together: a dimension of exactly 1500 keeps them inside;
// 1499 reverses both, with the overshoot of 2 * 100 and the angles turned by 180. Line arrows keep their
// size whatever the magnification: two of 3 * cos 15 * 100 = 289.8 fit in 1500 also at magnification 5.
TEST(GoldenRun, MarkersReverseOnlyWhenLongerThanTheDimension) {
  struct Case {
    const char* p2;
    Lines tail;  // the end markers and the restored text style
    int32_t marker = 1;
    const char16_t* magnification = u"1";
  };
  const Case cases[] = {
      {"hp2 0 1500", {"z3", "pt 500 0 1 270 1", "z3", "z3", "pt 500 1500 1 90.0000000000001 1", "cn2"}},
      {"hp2 0 1499",
       {"z3", "500 0 500 -200", "z3", "pt 500 0 1 89.9999999999999 1", "z3", "z3", "500 1499 500 1699", "z3",
        "pt 500 1499 1 270 1", "cn2"}},
      {"hp2 0 1500",
       {"z3", "500 0 422.354286469243 289.777747886721", "z3", "500 0 577.645713530757 289.777747886721",
        "z3", "z3", "500 1500 577.645713530757 1210.22225211328", "z3",
        "500 1500 422.354286469243 1210.22225211328", "cn2"},
       0,
       u"5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.p2);
    Host host;
    host.scales = "hs 100 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1";
    host.points = {"hp1 0 0", c.p2, "hp3 500 300", "hp4 600 400"};
    const golden::RunResult run = RunOk(host.Utf8File(), [&c](DialogValues& values) {
      values.textStyle = 1;
      values.startMarker = c.marker;
      values.endMarker = c.marker;
      values.markerScale = c.magnification;
    });
    ASSERT_GE(run.outputLines.size(), c.tail.size());
    ExpectLines(
        Lines(run.outputLines.end() - static_cast<std::ptrdiff_t>(c.tail.size()), run.outputLines.end()),
        c.tail);
  }
}

// "寸法図形化": the dimension line and the value become one dimension entity; no attribute line, no
// base code and no separate line come before it.
TEST(GoldenRun, OneDimensionEntity) {
  const golden::RunResult run = RunOk(Host().Utf8File(), [](DialogValues& values) {
    values.textStyle = 1;
    values.dimensionEntity = true;
  });
  ExpectLines(run.outputLines, Concat({kCurrentSettings,
                                       kExtensionLinesP1P2,
                                       {"cn1", "msg", "500 0 500 1000", "cs 600 400 0 10 \"1000", "z3",
                                        "500 500 600.5 406.5", "z3", "600.5 399.5 600.5 406.5"},
                                       kArrowAtS,
                                       {"z3"},
                                       kArrowAtE1000,
                                       {"cn2"}}));
}

// The text style of the value, and how it changes the span and so the horizontal line.
TEST(GoldenRun, TextStyleChoices) {
  struct Case {
    const char* what;
    std::string hostStyle;
    int32_t textStyle;
    Lines styleLine;
    double lineEnd;  // y of H2: 399.5 + span + 1
    Lines restored;
  };
  const Case cases[] = {
      // Current style 0 is the host's free style: its own sizes and colour on one line; restoring it at
      // the end writes nothing, since it is already in force. Span 4 * (2 + 0.25) = 9.
      {"current free style", "cn0 4 4.5 0.5 3", 0, {"cn0 4 4.5 0.5 3"}, 409.5, {}},
      // A current style outside 1..10 falls back to style 1 (width 2 here): span 4; the end restores 12.
      {"current style 12", "cn12", 0, {"cn1"}, 404.5, {"cn12"}},
      // Style 5: width 5, gap 0.5: span 4 * (2.5 + 0.25) = 11.
      {"style 5", "cn2", 5, {"cn5"}, 411.5, {"cn2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Host host;
    host.styles = kTenStyles;
    host.textStyle = c.hostStyle;
    const int32_t index = c.textStyle;
    const golden::RunResult run =
        RunOk(host.Utf8File(), [index](DialogValues& values) { values.textStyle = index; });
    const std::string end = "600.5 " + std::to_string(c.lineEnd);
    ExpectLines(
        run.outputLines,
        Concat({kCurrentSettings,
                kExtensionLinesP1P2,
                {"z3", "500 0 500 1000"},
                c.styleLine,
                {"cc0", "z3", "cs 600 400 0 10 \"1000", "z3", "500 500 " + end, "z3", "600.5 399.5 " + end},
                kArrowAtS,
                {"z3"},
                kArrowAtE1000,
                c.restored}));
  }
}

// 1234.5678 at "0.001", "四捨五入", grouped, full width, with the unit: only the number turns full
// width. The prefix 約 stays, a suffix of blanks is dropped. Span 3 + 9 * 3 + 2 * 1.5 = 33.
TEST(GoldenRun, FullWidthGroupedValueWithUnitAndPrefix) {
  Host host;
  host.points = {"hp1 0 0", "hp2 0 1234.5678", "hp3 500 300", "hp4 600 400"};
  const golden::RunResult run = RunOk(host.Utf8File(), [](DialogValues& values) {
    values.textStyle = 1;
    values.groupDigits = true;
    values.unitText = true;
    values.fullWidth = true;
    values.prefix = u"約";
    values.suffix = u"　 ";
  });
  ExpectLines(run.outputLines,
              Concat({kCurrentSettings,
                      {"z3", "2 0 502 0", "z3", "2 1234.5678 502 1234.5678", "z3", "500 0 500 1234.5678",
                       "cn1", "cc0", "z3", "cs 600 400 0 10 \"約１，２３４．５６８mm", "z3",
                       "500 617.2839 600.5 433.5", "z3", "600.5 399.5 600.5 433.5"},
                      kArrowAtS,
                      {"z3", "z3", "500 1234.5678 500.776457135308 1231.67002252113", "z3",
                       "500 1234.5678 499.223542864692 1231.67002252113", "cn2"}}));
}

// 614 mm in metres at "0.0001" truncated reads 0.614 (trailing zero removed) with the full-width unit
// letter. Span 5 * 1.5 + 3 = 10.5; M lies below the line, so the leader goes to H1.
TEST(GoldenRun, Metres) {
  Host host;
  host.points = {"hp1 0 0", "hp2 0 614", "hp3 500 300", "hp4 600 400"};
  const golden::RunResult run = RunOk(host.Utf8File(), [](DialogValues& values) {
    values.textStyle = 1;
    values.precision = 4;
    values.rounding = 0;
    values.unit = 1;
    values.unitText = true;
  });
  ExpectLines(run.outputLines, Concat({kCurrentSettings,
                                       {"z3", "2 0 502 0", "z3", "2 614 502 614", "z3", "500 0 500 614",
                                        "cn1", "cc0", "z3", "cs 600 400 0 10 \"0.614ｍ", "z3",
                                        "500 307 600.5 399.5", "z3", "600.5 399.5 600.5 411"},
                                       kArrowAtS,
                                       {"z3", "z3", "500 614 500.776457135308 611.102222521133", "z3",
                                        "500 614 499.223542864692 611.102222521133", "cn2"}}));
}

// The rounding modes of rounding (0 truncates, 1 rounds up once the first dropped digit reaches 1, 2
// rounds half up) on the value as it is written with 15 digits, zeros after the point shown.
TEST(GoldenRun, RoundingModesDecideTheValueText) {
  struct Case {
    const char* length;
    int32_t precision;      // precision: 0 "1", 3 "0.001"
    const char* byMode[3];  // the value text for rounding = 0, 1, 2
  };
  const Case cases[] = {
      {"1234.5671", 3, {"1234.567", "1234.568", "1234.567"}},
      {"1234.5676", 3, {"1234.567", "1234.568", "1234.568"}},
      // Only the first dropped digit counts: rounding up does not see the 9 behind the 0.
      {"1234.56709", 3, {"1234.567", "1234.567", "1234.567"}},
      // Rounding carries through every kept digit.
      {"1234.9995", 3, {"1234.999", "1235.000", "1235.000"}},
      {"999.5", 0, {"999", "1000", "1000"}},
      {"1000.4", 0, {"1000", "1001", "1000"}},
  };
  for (const Case& c : cases) {
    for (int32_t mode = 0; mode < 3; ++mode) {
      SCOPED_TRACE(std::string(c.length) + " in mode " + std::to_string(mode));
      Host host;
      host.points = {"hp1 0 0", std::string("hp2 0 ") + c.length, "hp3 500 300", "hp4 600 400"};
      const int32_t precision = c.precision;
      const golden::RunResult run = RunOk(host.Utf8File(), [=](DialogValues& values) {
        values.textStyle = 1;
        values.precision = precision;
        values.rounding = mode;
        values.showZeros = 1;
      });
      Lines texts;
      for (const std::string& line : run.outputLines) {
        if (line.rfind("cs ", 0) == 0) texts.push_back(line.substr(line.find('"') + 1));
      }
      EXPECT_EQ(texts, Lines{c.byMode[mode]});
    }
  }
}

// Runs that cannot be drawn leave the host's file byte for byte as it was, say why, and still save
// the settings with the dialog's position.
TEST(GoldenRun, RunsThatDrawNothing) {
  struct Case {
    const char* what;
    Lines points;
    std::string scales;
    std::u16string valueToUnderline, extensionGap;
    std::u16string message;
  };
  const std::string scale1 = "hs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1";
  const std::string scale100 = "hs 100 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1";
  const Lines worked = {"hp1 0 0", "hp2 0 1000", "hp3 500 300", "hp4 600 400"};
  const Case cases[] = {
      // P1 and P2 at the same height: S and E coincide.
      {"zero dimension",
       {"hp1 0 0", "hp2 100 0", "hp3 500 300", "hp4 600 400"},
       scale1,
       u"0.5",
       u"2",
       ZeroDimensionMessage(Orientation::Vertical)},
      // A distance that passes its check but overflows once multiplied by the scale.
      {"gap 1e308 at scale 100", worked, scale100, u"0.5", u"1e308", kNonFiniteMessage},
      {"value margin 1e308 at scale 100", worked, scale100, u"1e308", u"2", kNonFiniteMessage},
      // Measured points so far apart that their distance overflows.
      {"distance beyond the largest double",
       {"hp1 0 -1e308", "hp2 0 1e308", "hp3 500 300", "hp4 600 400"},
       scale1,
       u"0.5",
       u"2",
       kNonFiniteMessage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Host host;
    host.points = c.points;
    host.scales = c.scales;
    const std::u16string valueToUnderline = c.valueToUnderline, extensionGap = c.extensionGap;
    const golden::RunResult run = RunOk(host.Utf8File(), [&](DialogValues& values) {
      values.textStyle = 1;
      values.valueToUnderline = valueToUnderline;
      values.extensionGap = extensionGap;
    });
    EXPECT_EQ(run.exchangeAfter, run.exchangeBefore);
    ASSERT_EQ(run.ui.messages.size(), 1u);
    EXPECT_EQ(Utf8(run.ui.messages[0]), Utf8(c.message));
    EXPECT_TRUE(run.ui.statuses.empty());
    ASSERT_TRUE(run.settingsExist);
    const std::string settingsStart =
        "\xEF\xBB\xBF"
        "120\r\n80\r\n";
    EXPECT_EQ(run.settingsAfter.substr(0, settingsStart.size()), settingsStart);
  }
}

// Only what is written must be finite: an overshoot of 1e308 * 100 is never used while the arrows fit,
// and a magnification of 1e300 is still a number; it reverses the markers, so E's arrow turns too.
TEST(GoldenRun, HugeValuesThatAreNotWrittenOrStayFinite) {
  Host scaled;
  scaled.scales = "hs 100 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1";
  const golden::RunResult unused = RunOk(scaled.Utf8File(), [](DialogValues& values) {
    values.textStyle = 1;
    values.reversedOvershoot = u"1e308";
  });
  EXPECT_TRUE(unused.ui.messages.empty());
  ASSERT_FALSE(unused.outputLines.empty());
  EXPECT_EQ(unused.outputLines.back(), "cn2");
  EXPECT_EQ(unused.exchangeAfter.find("INF"), std::string::npos);

  const golden::RunResult magnified = RunOk(Host().Utf8File(), [](DialogValues& values) {
    values.textStyle = 1;
    values.startMarker = 7;
    values.markerScale = u"1e300";
  });
  EXPECT_TRUE(magnified.ui.messages.empty());
  const Lines tail = {"z3",
                      "500 0 500 -2",
                      "z3",
                      "pt 500 0 1E300 89.9999999999999 7",
                      "z3",
                      "z3",
                      "500 1000 500 1002",
                      "z3",
                      "500 1000 499.223542864692 1002.89777747887",
                      "z3",
                      "500 1000 500.776457135308 1002.89777747887",
                      "cn2"};
  ASSERT_GE(magnified.outputLines.size(), tail.size());
  ExpectLines(Lines(magnified.outputLines.end() - static_cast<std::ptrdiff_t>(tail.size()),
                    magnified.outputLines.end()),
              tail);
}

// Without the session and without checks (a preview): no selection anywhere must not crash.
TEST(BuildDimension, PreviewOfUncheckedValues) {
  TJGdata model;
  model.S_Init();
  model.IPoints[2] = TJwwIndPoint{true, 0.0, 1000.0, 0};
  model.IPoints[3] = TJwwIndPoint{true, 500.0, 300.0, 0};
  DialogValues values;  // textStyle has no selection
  values.startMarker = kNoSelection;
  values.endMarker = 99;
  EXPECT_EQ(BuildDimension(values, model, nullptr), BuildResult::Built);
  EXPECT_GT(model.t_MemN, 10);
}

// Only a dimension shorter than 1e-10 is refused, and then nothing is appended.
TEST(BuildDimension, ZeroLengthBelowOneTenBillionth) {
  struct Case {
    const char* what;
    TJwwIndPoint p2;  // P1 and P3 at the origin
    BuildResult expected;
  };
  const Case cases[] = {
      {"P2 level with P1", {true, 1000.0, 0.0, 0}, BuildResult::ZeroLength},
      {"exactly 1e-10 long", {true, 0.0, 1e-10, 0}, BuildResult::Built},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TJGdata model;
    model.S_Init();
    model.IPoints[2] = c.p2;
    EXPECT_EQ(BuildDimension(DialogValues{}, model, nullptr), c.expected);
    EXPECT_EQ(model.t_MemN > 0, c.expected == BuildResult::Built);
  }
}

}  // namespace
