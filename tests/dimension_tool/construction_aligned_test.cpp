// The aligned dimension: golden runs of vertical geometries turned so that points 1 and 2 lie on a 30
// degree line, the same on any axis angle; byte for byte the vertical or the horizontal dimension where
// the two points are square; and the rule that ties it to the vertical one: on any file it writes what
// the vertical dimension writes on the axis angle φ − 90, φ the direction from point 1 to point 2.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "JwwGaibu.h"
#include "MyFunc.h"
#include "construction.h"
#include "golden_support.h"
#include "test_support.h"

namespace {

using golden::Concat;
using golden::ExpectLines;
using golden::Host;
using golden::kCurrentSettings;
using golden::Lines;
using golden::RunOk;
using test_support::Utf8;

// clang-format off
// Points of the vertical golden runs turned by -60 degrees about the origin, and their expected lines
// turned the same way: P1 (0, 0) and P2 (0, 1000) become (0, 0) and (866.03, 500).
const Lines kWorkedPoints = {"hp1 0 0", "hp2 866.025403784439 500", "hp3 509.807621135332 -283.012701892219",
                             "hp4 646.410161513776 -319.615242270663"};
const Lines kWorkedExtensionLines = {"z3", "1 -1.73205080756888 251 -434.744752699788", "z3",
                                     "867.025403784439 498.267949192431 1117.02540378444 65.2552473002118"};
const Lines kWorkedDimensionLine = {"250 -433.012701892219 1116.02540378444 66.9872981077807"};
// The value reads along 30 degrees; the leader runs to the near end of the line under it.
const Lines kWorkedValue = {"cs 646.410161513776 -319.615242270663 8.66025403784439 5 \"1000"};
const Lines kWorkedLeaderAndUnderline = {
    "z3", "683.012701892219 -183.012701892219 652.289326638374 -316.798254972555",
    "z3", "646.227148811883 -320.298254972555 652.289326638374 -316.798254972555"};
const Lines kWorkedArrows = {"z3", "250 -433.012701892219 252.121320343559 -430.891381548659",
                             "z3", "250 -433.012701892219 252.897777478867 -432.236244756912",
                             "z3",
                             "z3", "1116.02540378444 66.9872981077807 1113.90408344088 64.8659777642208",
                             "z3", "1116.02540378444 66.9872981077807 1113.12762630557 66.2108409724736"};

// clang-format on

// One worked example to the number; dimension entities, reversed arrows and every other value are the
// vertical construction's on the turned axis angle (the property test below).
TEST(AlignedGoldenRun, TurnedVerticalRunsOnAnyAxisAngle) {
  const Lines expected =
      Concat({kCurrentSettings, kWorkedExtensionLines, {"z3"}, kWorkedDimensionLine, {"cn1", "cc0", "z3"},
              kWorkedValue, kWorkedLeaderAndUnderline, kWorkedArrows, {"cn2"}});
  for (const char* axis : {"hk 0", "hk 17"}) {
    SCOPED_TRACE(axis);
    Host host;
    host.axis = axis;
    host.points = kWorkedPoints;
    const golden::RunResult run = RunOk(host.Utf8File(), golden::SelectStyle1, Orientation::Aligned);
    ExpectLines(run.outputLines, expected);
    EXPECT_TRUE(run.ui.messages.empty());
    // Lines 25 to 29 of selvan_a.dat: the drawing's own axis angle and points 1 and 2, as read.
    ASSERT_TRUE(run.settingsExist) << "selvan_a.dat was not written";
    const std::string informational = "\r\n" + std::string(axis + 3) + "\r\n0\r\n0\r\n866.025403784439\r\n";
    EXPECT_NE(run.settingsAfter.find(informational), std::string::npos) << run.settingsAfter;
  }
}

// Points one above the other draw what the vertical dimension draws on axis angle 0, points side by
// side what the horizontal one draws there, to the byte, whatever the file's own axis angle.
TEST(AlignedGoldenRun, SquarePointsWriteTheVerticalOrHorizontalDimensionOnAxisAngleZero) {
  constexpr Orientation V = Orientation::Vertical;
  constexpr Orientation H = Orientation::Horizontal;
  struct Case {
    const char* what;
    const char* axis;
    Orientation same;
    Lines points;
  };
  const Case cases[] = {
      {"point 2 above", "hk 23", V, {"hp1 100 50", "hp2 100 1050", "hp3 600 350", "hp4 700 450"}},
      {"point 2 below", "hk -130", V, {"hp1 100 50", "hp2 100 -950.5", "hp3 -400 350", "hp4 700 450"}},
      {"point 2 to the right", "hk 23", H, {"hp1 0 0", "hp2 1000 0", "hp3 300 -500", "hp4 400 -600"}},
      {"point 2 to the left", "hk 200", H, {"hp1 0 7", "hp2 -999.25 7", "hp3 300 500", "hp4 400 -600"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Host host;
    host.points = c.points;
    const golden::RunResult reference = RunOk(host.Utf8File(), golden::SelectStyle1, c.same);
    host.axis = c.axis;
    const golden::RunResult aligned = RunOk(host.Utf8File(), golden::SelectStyle1, Orientation::Aligned);
    EXPECT_NE(aligned.exchangeAfter, aligned.exchangeBefore) << "nothing was drawn";
    EXPECT_EQ(aligned.exchangeAfter, reference.exchangeAfter);
  }
}

TEST(AlignedGoldenRun, EqualPointsAreAZeroDimension) {
  Host host;
  host.axis = "hk 17";
  host.points = {"hp1 100 200", "hp2 100 200", "hp3 600 300", "hp4 700 400"};
  const golden::RunResult run = RunOk(host.Utf8File(), golden::SelectStyle1, Orientation::Aligned);
  EXPECT_EQ(run.exchangeAfter, run.exchangeBefore);
  EXPECT_EQ(run.ui.messages, std::vector<std::u16string>{ZeroDimensionMessage(Orientation::Aligned)});
}

// ---- Aligned is vertical on φ − 90, for any input

// A marker's direction is the same at 0 and 360 degrees; the quarter-turned frame writes the one and the
// turned frame, through its cut pi, may write the other.
Lines MarkerAnglesBelow360(Lines lines) {
  for (std::string& line : lines) {
    const size_t at = line.starts_with("pt ") ? line.find(" 360 ") : std::string::npos;
    if (at != std::string::npos) line.replace(at, 5, " 0 ");
  }
  return lines;
}

TEST(AlignedConstruction, EqualsTheVerticalOneOnTheDirectionOfItsPointsLess90) {
  std::mt19937 random(20261210);
  // Point 2 straight above, below, to the right and to the left of point 1 first (φ exactly 90, -90,
  // 0 and 180), then anywhere.
  const double square[][2] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};
  for (int n = 0; n < 400; ++n) {
    const DialogValues values = golden::RandomDialogValues(random);
    TJGdata aligned;
    golden::RandomHost(random, aligned);
    aligned.Jikukaku = std::uniform_real_distribution<>(-400.0, 400.0)(random);
    TJwwIndPoint& start = aligned.IPoints[1];
    TJwwIndPoint& end = aligned.IPoints[2];
    if (n < 8) {
      const double length = n < 4 ? 1234.5 : 3.0;
      end.x = start.x + square[n % 4][0] * length;
      end.y = start.y + square[n % 4][1] * length;
    }
    // The slope's angle lies in (-90, 90) already; straight up or down is 90.
    const double dx = end.x - start.x;
    const double dy = end.y - start.y;
    const double phi = dx == 0.0 ? 90.0 : std::atan(dy / dx) * 180.0 / 3.14159265358979323846;
    TJGdata vertical;
    golden::CopyHost(aligned, vertical);
    vertical.Jikukaku = phi - 90.0;

    SCOPED_TRACE("case " + std::to_string(n) + ", phi " + Utf8(FloatToText(phi)));
    const BuildResult built = BuildDimension(values, aligned, nullptr, Orientation::Aligned);
    ASSERT_EQ(built, BuildDimension(values, vertical, nullptr, Orientation::Vertical));
    ASSERT_EQ(built, BuildResult::Built);
    ExpectLines(MarkerAnglesBelow360(golden::WrittenLines(aligned)),
                MarkerAnglesBelow360(golden::WrittenLines(vertical)));
  }
}

}  // namespace
