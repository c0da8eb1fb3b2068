// The horizontal dimension: golden runs of the worked example turned a quarter turn and of the options
// that depend on the frame, and the rule that ties it to the vertical one: on the axis angle θ it writes
// what the vertical dimension writes on θ − 90.
#include <gtest/gtest.h>

#include <algorithm>
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
using golden::SelectStyle1;
using golden::WrittenLines;
using test_support::Utf8;

golden::RunResult RunHorizontal(const Host& host,
                                const std::function<void(DialogValues&)>& set = SelectStyle1) {
  return RunOk(host.Utf8File(), set, Orientation::Horizontal);
}

// P1 (0, 0), P2 (1000, 0), P3 (300, -500), P4 (400, -600): the vertical worked run turned a quarter turn
// clockwise.
Host TurnedWorkedExample() {
  Host host;
  host.points = {"hp1 0 0", "hp2 1000 0", "hp3 300 -500", "hp4 400 -600"};
  return host;
}

// Line arrows of 3 at 15 degrees at S = (0, -500) and E = (1000, -500), pointing out of the line.
const Lines kTurnedArrows = {"z3",
                             "0 -500 2.89777747886721 -499.223542864692",
                             "z3",
                             "0 -500 2.89777747886721 -500.776457135308",
                             "z3",
                             "z3",
                             "1000 -500 997.102222521133 -500.776457135308",
                             "z3",
                             "1000 -500 997.102222521133 -499.223542864692"};

// At axis angle 0 every coordinate that needs no cosine comes out exact, as the vertical dimension's do:
// the quarter turn exchanges coordinates instead of turning by -90 degrees through the cut pi.
TEST(HorizontalGoldenRun, WorkedExampleTurnedIsExactAtAxisAngleZero) {
  const golden::RunResult run = RunHorizontal(TurnedWorkedExample());
  const Lines exact =
      Concat({kCurrentSettings,
              {"z3", "0 -2 0 -502",                            // extension line at P1
               "z3", "1000 -2 1000 -502",                      // extension line at P2
               "z3", "0 -500 1000 -500",                       // dimension line S to E
               "cn1", "cc0", "z3", "cs 400 -600 10 0 \"1000",  // the value reads from left to right
               "z3", "500 -500 406.5 -600.5",                  // leader from M to the nearer end H2
               "z3", "399.5 -600.5 406.5 -600.5"}});
  ExpectLines(run.outputLines, Concat({exact, kTurnedArrows, {"cn2"}}));
  ASSERT_GE(run.outputLines.size(), exact.size());
  EXPECT_EQ(
      Lines(run.outputLines.begin(), run.outputLines.begin() + static_cast<std::ptrdiff_t>(exact.size())),
      exact);
  EXPECT_TRUE(run.ui.messages.empty());
  ASSERT_TRUE(run.settingsExist) << "selvan_h.dat was not written";
  // Lines 25 to 31: the drawing's own axis angle and points 1 to 3, as read, not turned.
  EXPECT_NE(run.settingsAfter.find("\r\n0\r\n0\r\n0\r\n1000\r\n0\r\n300\r\n-500\r\n"), std::string::npos);
}

// Axis angle 30: the dimension line runs at 30 degrees through P3 and the value reads along it.
// P2 lies on the other side of P3, so its extension line runs the other way; H2 lies beyond M along
// the text, so the leader goes to H1.
TEST(HorizontalGoldenRun, AxisAngle30) {
  Host host;
  host.axis = "hk 30";
  host.points = {"hp1 100 50", "hp2 900 -300", "hp3 400 -400", "hp4 300 -700"};
  const golden::RunResult run = RunHorizontal(host);
  ExpectLines(run.outputLines,
              Concat({kCurrentSettings,
                      {"z3",
                       "101 48.2679491924311 370.855715851499 -419.135861375234",
                       "z3",
                       "899 -298.267949192431 817.301270189222 -156.761598246321",
                       "z3",
                       "369.855715851499 -417.403810567666 818.301270189222 -158.49364905389",
                       "cn1",
                       "cc0",
                       "z3",
                       "cs 300 -700 8.66025403784439 5 \"517.82",
                       "z3",
                       "594.07849302036 -287.948729810778 308.477241335952 -695.683012701892",
                       "z3",
                       "299.816987298108 -700.683012701892 308.477241335952 -695.683012701892",
                       "z3",
                       "369.855715851499 -417.403810567666 371.977036195059 -415.282490224106",
                       "z3",
                       "369.855715851499 -417.403810567666 372.753493330366 -416.627353432358",
                       "z3",
                       "z3",
                       "818.301270189222 -158.49364905389 816.179949845662 -160.61496939745",
                       "z3",
                       "818.301270189222 -158.49364905389 815.403492710354 -159.270106189198",
                       "cn2"}}));
}

// Layer group 2 at scale 100: gap and overshoot 200, arrows 300, the value's margin 50.
TEST(HorizontalGoldenRun, LayerGroupScale100) {
  Host host;
  host.scales = "hs 1 1 100 1 1 1 1 1 1 1 1 1 1 1 1 1";
  host.group = "lg2";
  host.points = {"hp1 0 0", "hp2 10000 8000", "hp3 2000 -5000", "hp4 4000 -6000"};
  const golden::RunResult run = RunHorizontal(host);
  ExpectLines(run.outputLines, Concat({{"lg2", "ly0", "lc2", "pn2", "lt1", "cn\"$<ＭＳ ゴシック>"},
                                       {"z3",
                                        "0 -200 0 -5200",
                                        "z3",
                                        "10000 7800 10000 -5200",
                                        "z3",
                                        "0 -5000 10000 -5000",
                                        "cn1",
                                        "cc0",
                                        "z3",
                                        "cs 4000 -6000 10 0 \"10000",
                                        "z3",
                                        "5000 -5000 4800 -6050",
                                        "z3",
                                        "3950 -6050 4800 -6050",
                                        "z3",
                                        "0 -5000 289.777747886721 -4922.35428646924",
                                        "z3",
                                        "0 -5000 289.77774788672 -5077.64571353076",
                                        "z3",
                                        "z3",
                                        "10000 -5000 9710.22225211328 -5077.64571353076",
                                        "z3",
                                        "10000 -5000 9710.22225211328 -4922.35428646924",
                                        "cn2"}}));
}

// A dimension of 5 is shorter than two arrows (5.7956): both turn outwards and the dimension line runs
// on 2 beyond each end.
TEST(HorizontalGoldenRun, ReversedArrows) {
  Host host;
  host.points = {"hp1 0 0", "hp2 5 0", "hp3 2 -10", "hp4 2 -20"};
  const golden::RunResult run = RunHorizontal(host);
  ExpectLines(run.outputLines, Concat({kCurrentSettings,
                                       {"z3",
                                        "0 -2 0 -12",
                                        "z3",
                                        "5 -2 5 -12",
                                        "z3",
                                        "0 -10 5 -10",
                                        "cn1",
                                        "cc0",
                                        "z3",
                                        "cs 2 -20 10 0 \"5",
                                        "z3",
                                        "2.5 -10 1.5 -20.5",
                                        "z3",
                                        "1.5 -20.5 4 -20.5",
                                        "z3",
                                        "0 -10 -2 -10",
                                        "z3",
                                        "0 -10 -2.89777747886721 -10.7764571353076",
                                        "z3",
                                        "0 -10 -2.89777747886721 -9.22354286469243",
                                        "z3",
                                        "z3",
                                        "5 -10 7 -10",
                                        "z3",
                                        "5 -10 7.89777747886721 -9.22354286469243",
                                        "z3",
                                        "5 -10 7.89777747886721 -10.7764571353076",
                                        "cn2"}}));
}

TEST(HorizontalGoldenRun, OneDimensionEntity) {
  const golden::RunResult run = RunHorizontal(TurnedWorkedExample(), [](DialogValues& values) {
    values.textStyle = 1;
    values.dimensionEntity = true;
  });
  ExpectLines(run.outputLines, Concat({kCurrentSettings,
                                       {"z3", "0 -2 0 -502", "z3", "1000 -2 1000 -502", "cn1", "msg",
                                        "0 -500 1000 -500", "cs 400 -600 10 0 \"1000", "z3",
                                        "500 -500 406.5 -600.5", "z3", "399.5 -600.5 406.5 -600.5"},
                                       kTurnedArrows,
                                       {"cn2"}}));
}

// On the axis angle 180 the dimension line runs at 180 degrees and the value reads rightwards, at 0. Byte for byte: a direction turned a full circle differs only in the last digits.
TEST(HorizontalGoldenRun, ValueDirectionOnTheQuarterTurns) {
  struct Case {
    const char* axis;
    const char* value;
  };
  const Case cases[] = {
      {"hk 180", "cs 400 -600 10 0 \"1000"},
  };
  for (const Case& c : cases) {
    Host host = TurnedWorkedExample();
    host.axis = c.axis;
    Lines values;
    for (const std::string& line : RunHorizontal(host).outputLines) {
      if (line.rfind("cs ", 0) == 0) values.push_back(line);
    }
    EXPECT_EQ(values, Lines{c.value}) << c.axis;
  }
}

// The leader leaves the middle M = (500, -500) for the end of the value's underline nearer to M along the
// text: the right end H2 while the underline ends left of M, and still H2 when it ends exactly across
// from M (the value at x 493.5 puts H2 at 493 + 7 = 500); the left end H1 once H2 lies beyond M.
TEST(HorizontalGoldenRun, LeaderGoesToTheNearerEndOfTheUnderline) {
  struct Case {
    const char* p4;
    const char* leader;
  };
  const Case cases[] = {
      {"hp4 400 -600", "500 -500 406.5 -600.5"},
      {"hp4 493.5 -600", "500 -500 500 -600.5"},
      {"hp4 600 -600", "500 -500 599.5 -600.5"},
  };
  for (const Case& c : cases) {
    Host host = TurnedWorkedExample();
    host.points.back() = c.p4;
    const Lines lines = RunHorizontal(host).outputLines;
    const auto value = std::find_if(lines.begin(), lines.end(),
                                    [](const std::string& line) { return line.rfind("cs ", 0) == 0; });
    ASSERT_LE(value + 3, lines.end()) << c.p4;
    EXPECT_EQ(*(value + 2), c.leader) << c.p4;
  }
}

// ---- Horizontal on θ is vertical on θ − 90, for any input

TEST(HorizontalConstruction, EqualsTheVerticalOneOnTheAxisAngleLess90) {
  std::mt19937 random(20261209);
  // The quarter-turn axis angles first, where the exchanged coordinates and the turned ones differ most.
  const double special[] = {0, 90, 180, 270, -90, 30, 360};
  for (int n = 0; n < 300; ++n) {
    const double theta = n < 7 ? special[n] : std::uniform_real_distribution<>(-400.0, 400.0)(random);
    const DialogValues values = golden::RandomDialogValues(random);
    TJGdata horizontal;
    golden::RandomHost(random, horizontal);
    horizontal.Jikukaku = theta;
    TJGdata vertical;
    golden::CopyHost(horizontal, vertical);
    vertical.Jikukaku = theta - 90.0;

    SCOPED_TRACE("case " + std::to_string(n) + ", axis angle " + Utf8(FloatToText(theta)));
    const BuildResult built = BuildDimension(values, horizontal, nullptr, Orientation::Horizontal);
    ASSERT_EQ(built, BuildDimension(values, vertical, nullptr, Orientation::Vertical));
    ASSERT_EQ(built, BuildResult::Built);
    ExpectLines(WrittenLines(horizontal), WrittenLines(vertical));
  }
}

}  // namespace
