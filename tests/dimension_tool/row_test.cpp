// A row of dimensions: "/next" must draw exactly what the four-point tool draws for (row end, next point,
// row line point, value position) in the row's frame, whatever the drawing's axis angle is by then, and
// only on the drawing the row was started on.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "golden_support.h"
#include "row_state.h"
#include "session.h"
#include "test_support.h"

namespace {

using golden::ExpectLines;
using golden::Host;
using golden::Lines;
using test_support::ReadBytes;
using test_support::Utf8;
using test_support::WriteBytes;

struct Pt {
  double x, y;
};

std::string Coordinate(double v) {
  char buffer[40];
  std::snprintf(buffer, sizeof(buffer), "%.17g", v);
  return buffer;
}
std::string PointRecord(int number, Pt p) {
  return "hp" + std::to_string(number) + " " + Coordinate(p.x) + " " + Coordinate(p.y);
}
Host OnAxis(double axis, const Lines& points) {
  Host host;
  host.axis = "hk " + Coordinate(axis);
  host.scales = "hs 50 50 50 50 50 50 50 50 50 50 50 50 50 50 50 50";
  host.points = points;
  return host;
}

// A drawing run of the session in `folder` as the dialog's OK makes it, or as "/next" does with `next`;
// `kept` draws in a row's frame, as the four-point tool would in it. The exchange file's lines
// afterwards, or nothing when the row was not continued; `shown` receives the messages shown.
std::optional<Lines> Draw(const test_support::TempDir& folder, const Host& host, Orientation orientation,
                          bool next, std::optional<DrawingFrame> kept = std::nullopt,
                          std::vector<std::u16string>* shown = nullptr) {
  WriteBytes(folder.path() / "JWC_TEMP.TXT", host.Utf8File());
  const std::optional<RowState> row = LoadRow(folder.folder() + kRowFileName);
  DimensionSession session(next && row ? row->orientation : orientation);
  EXPECT_TRUE(session.Load(folder.folder()));
  if (next && !session.ContinueRow(row).empty()) return std::nullopt;
  if (kept) session.rowFrame = kept;
  golden::SelectStyle1(session.values);
  EXPECT_FALSE(session.Confirm().has_value());
  golden::RecordingUi ui;
  EXPECT_EQ(session.Finish(0, 0, ui), 0);
  if (shown != nullptr) *shown = ui.messages;
  return golden::SplitCrLf(ReadBytes(folder.path() / "JWC_TEMP.TXT").substr(3));  // after the BOM
}

Lines FourPoint(Orientation orientation, double axis, Pt a, Pt b, Pt line, Pt value,
                std::optional<DrawingFrame> kept = std::nullopt) {
  test_support::TempDir folder;
  return *Draw(
      folder,
      OnAxis(axis, {PointRecord(1, a), PointRecord(2, b), PointRecord(3, line), PointRecord(4, value)}),
      orientation, false, kept);
}

// Rows on random points and angles, the drawing's axis angle changed before each following dimension:
// each one is what a four-point run from the row's end draws on the row's first axis angle, so that a row
// of three gives the lines of three four-point runs. An aligned row keeps its first dimension's
// direction: along a slanted wall that is a four-point run's own frame.
TEST(Row, EachNextIsTheFourPointDimensionFromTheRowsEndInTheRowsFrame) {
  std::mt19937 random(23);
  std::uniform_real_distribution<double> coordinate(-5000.0, 5000.0), angle(-180.0, 180.0), along(0.1, 3.0);
  const auto point = [&] { return Pt{coordinate(random), coordinate(random)}; };
  for (const OrientationTraits& traits : AllOrientations()) {
    const bool aligned = traits.frameTurn == FrameTurn::AlongMeasuredPoints;
    for (int trial = 0; trial < 8; ++trial) {
      SCOPED_TRACE("trial " + std::to_string(trial));
      const double axis = trial == 0 ? 0.0 : angle(random);
      const Pt start = point(), end = point(), line = point(), value = point();
      test_support::TempDir folder;
      const Host first = OnAxis(
          axis, {PointRecord(1, start), PointRecord(2, end), PointRecord(3, line), PointRecord(4, value)});
      ASSERT_TRUE(Draw(folder, first, traits.orientation, false));
      const std::optional<RowState> row = LoadRow(folder.folder() + kRowFileName);
      ASSERT_TRUE(row);
      // On a slanted wall in odd trials, anywhere in even ones.
      const bool alongTheWall = aligned && trial % 2 == 1;
      Pt rowEnd = end;
      for (int following = 0; following < 2; ++following) {
        const double t = along(random);
        const Pt next =
            alongTheWall ? Pt{rowEnd.x + t * (end.x - start.x), rowEnd.y + t * (end.y - start.y)} : point();
        const Pt nextValue = point();
        const std::optional<Lines> drawn =
            Draw(folder, OnAxis(angle(random), {PointRecord(1, next), PointRecord(2, nextValue)}),
                 traits.orientation, true);
        ASSERT_TRUE(drawn) << "the row was not continued";
        const std::optional<DrawingFrame> kept =
            aligned && !alongTheWall ? std::optional<DrawingFrame>(row->frame) : std::nullopt;
        ExpectLines(*drawn, FourPoint(traits.orientation, axis, rowEnd, next, line, nextValue, kept));
        rowEnd = next;
      }
    }
  }
}

// A continuation is refused without a row and on another drawing (what the program then leaves
// untouched is checked on the program itself); the axis angle alone is no other drawing.
TEST(Row, RefusedWithoutARowAndOnAnotherDrawing) {
  const Lines firstPoints = {"hp1 0 0", "hp2 0 1000", "hp3 500 300", "hp4 600 400"};
  const Lines nextPoints = {"hp1 0 2000", "hp2 600 1400"};
  struct Case {
    const char* what;
    bool drawFirst;
    std::function<void(Host&)> change;
    const char16_t* message;  // empty: the row is continued
  };
  const Case cases[] = {
      {"no row", false, [](Host&) {}, kNoRowMessage},
      {"a layer group's scale", true,
       [](Host& h) { h.scales = "hs 50 50 50 50 50 50 50 50 50 50 50 50 50 50 50 20"; },
       kRowOfOtherDrawingMessage},
      {"a text style", true, [](Host& h) { h.styles = {"hcw 2 2.5 3 4 5 6 7 8 9 11"}; },
       kRowOfOtherDrawingMessage},
      {"the paper size", true, [](Host& h) { h.styles = {"hzs 297 210"}; }, kRowOfOtherDrawingMessage},
      {"only the axis angle", true, [](Host& h) { h.axis = "hk 30"; }, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test_support::TempDir folder;
    if (c.drawFirst) {
      ASSERT_TRUE(Draw(folder, OnAxis(0, firstPoints), Orientation::Vertical, false));
    }
    Host next = OnAxis(0, nextPoints);
    c.change(next);
    WriteBytes(folder.path() / "JWC_TEMP.TXT", next.Utf8File());
    DimensionSession session;
    ASSERT_TRUE(session.Load(folder.folder()));
    EXPECT_EQ(Utf8(session.ContinueRow(LoadRow(folder.folder() + kRowFileName))), Utf8(c.message));
  }
}

// Runs that draw nothing record nothing: the row stays where the last drawn dimension left it.
TEST(Row, CancelledAndZeroRunsKeepTheRecordedRow) {
  test_support::TempDir folder;
  ASSERT_TRUE(Draw(folder, OnAxis(0, {"hp1 0 0", "hp2 0 1000", "hp3 500 300", "hp4 600 400"}),
                   Orientation::Vertical, false));
  const std::string row = ReadBytes(folder.path() / "tarvik_row.dat");
  WriteBytes(folder.path() / "JWC_TEMP.TXT",
             OnAxis(0, {"hp1 0 3000", "hp2 0 4000", "hp3 9 9", "hp4 1 1"}).Utf8File());
  DimensionSession cancelled;
  ASSERT_TRUE(cancelled.Load(folder.folder()));
  cancelled.Cancel();
  golden::RecordingUi ui;
  cancelled.Finish(0, 0, ui);
  EXPECT_EQ(ReadBytes(folder.path() / "tarvik_row.dat"), row);
  // A next point level with the row's end is a zero dimension of the vertical row, said in a row's words.
  std::vector<std::u16string> shown;
  ASSERT_TRUE(Draw(folder, OnAxis(0, {"hp1 300 1000", "hp2 5 5"}), Orientation::Vertical, true, {}, &shown));
  EXPECT_EQ(ReadBytes(folder.path() / "tarvik_row.dat"), row);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(Utf8(shown[0]), Utf8(ZeroDimensionMessage(RunFrame(Orientation::Vertical, DrawingFrame{}))));
  EXPECT_NE(Utf8(shown[0]), Utf8(ZeroDimensionMessage(Orientation::Vertical)));
}

TEST(RowFile, ReadsBackExactlyWhatItWroteAndNothingElse) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> any(-1e7, 1e7);
  for (int trial = 0; trial < 6; ++trial) {
    RowState row;
    row.orientation = AllOrientations()[static_cast<size_t>(trial) % AllOrientations().size()].orientation;
    row.frame = {any(random) / 1e5, trial % 2 == 1};
    row.endX = any(random), row.endY = any(random) / 3, row.lineX = 1.0 / 3.0, row.lineY = -any(random);
    for (double& s : row.drawing.scales) s = std::fabs(any(random));
    row.drawing.paperWidth = 420, row.drawing.paperHeight = 297.5;
    for (TJwwMojisyu& style : row.drawing.textStyles) style = {any(random), 2.5, 0.1, trial};
    // Numbers are written in their shortest exact form, so equal texts mean equal numbers.
    const std::optional<RowState> back = ParseRow(RowText(row));
    ASSERT_TRUE(back);
    EXPECT_EQ(Utf8(RowText(*back)), Utf8(RowText(row)));
    EXPECT_TRUE(back->drawing == row.drawing);
  }
  const std::u16string good = RowText(RowState{});
  const std::u16string broken[] = {
      u"",
      good.substr(0, good.size() / 2),                  // cut short
      u"tarvik row 2" + good.substr(good.find(u'\r')),  // another version
      [&] {
        std::u16string t = good;
        t[t.find(u"frame_angle ") + 12] = u'x';
        return t;
      }(),
      [&] {
        std::u16string t = good;
        t.replace(t.find(u"orientation 0"), 13, u"orientation 9");
        return t;
      }(),
  };
  for (const std::u16string& text : broken) EXPECT_FALSE(ParseRow(text)) << test_support::Utf8(text);
}

}  // namespace
