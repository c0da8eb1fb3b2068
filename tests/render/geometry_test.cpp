// The fitting transform and the extent of the host's elliptic arcs.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "canvas.h"

namespace {

using render::Bounds;
using render::EllipticArc;
using render::FitView;
using render::Point;

void ExpectNear(Point expected, Point actual, const char* what, double tolerance = 1e-9) {
  EXPECT_NEAR(expected.x, actual.x, tolerance) << what;
  EXPECT_NEAR(expected.y, actual.y, tolerance) << what;
}

TEST(FitView, UniformScaleTurnsYOverAndCentres) {
  struct Case {
    const char* name;
    Bounds box;
    double width, height, margin;
    double scale, pictureHeight;
    Point drawing, picture;  // one point and where it lands
  };
  const Case cases[] = {
      // Height from the proportions: the box fills the width.
      {"free height, lower left", {0, 0, 100, 50, false}, 220, 0, 10, 2, 120, {0, 0}, {10, 110}},
      {"free height, upper right", {0, 0, 100, 50, false}, 220, 0, 10, 2, 120, {100, 50}, {210, 10}},
      // A square picture: the width decides the scale, the box is centred vertically.
      {"square picture, top edge", {0, 0, 100, 50, false}, 220, 220, 10, 2, 220, {0, 50}, {10, 60}},
      {"square picture, bottom edge", {0, 0, 100, 50, false}, 220, 220, 10, 2, 220, {100, 0}, {210, 160}},
      // A box away from the origin, with negative coordinates.
      {"shifted box", {-300, -200, -100, -100, false}, 400, 0, 0, 2, 200, {-200, -150}, {200, 100}},
      // A very tall box: the picture is at most four times as high as wide; centred horizontally.
      {"tall box capped", {0, 0, 10, 1000, false}, 100, 0, 0, 0.4, 400, {5, 500}, {50, 200}},
  };
  for (const Case& c : cases) {
    const render::ViewTransform view = FitView(c.box, c.width, c.height, c.margin);
    EXPECT_DOUBLE_EQ(c.scale, view.Scale()) << c.name;
    EXPECT_DOUBLE_EQ(c.pictureHeight, view.HeightPx()) << c.name;
    EXPECT_DOUBLE_EQ(c.width, view.WidthPx()) << c.name;
    ExpectNear(c.picture, view.ToPicture(c.drawing), c.name);
    ExpectNear(c.drawing, view.ToDrawing(view.ToPicture(c.drawing)), c.name);
  }
}

TEST(FitView, DegenerateBoxesStillGiveAFiniteScale) {
  // Empty, a single point, a horizontal and a vertical run.
  const Bounds boxes[] = {Bounds{}, Bounds{5, 5, 5, 5, false}, Bounds{0, 0, 100, 0, false},
                          Bounds{0, 0, 0, 100, false}};
  for (const Bounds& box : boxes) {
    const render::ViewTransform view = FitView(box, 200, 200, 10);
    EXPECT_TRUE(std::isfinite(view.Scale()) && view.Scale() > 0) << box.minX << "," << box.maxY;
    // The middle of the box lands in the middle of the picture.
    const Point middle = view.ToPicture({(box.minX + box.maxX) / 2, (box.minY + box.maxY) / 2});
    if (!box.empty) ExpectNear({100, 100}, middle, "middle");
  }
  // A flat run keeps its length across the usable width.
  const render::ViewTransform flat = FitView(Bounds{0, 0, 100, 0, false}, 200, 0, 10);
  EXPECT_DOUBLE_EQ(1.8, flat.Scale());
}

TEST(FitView, SpansBeyondADoubleStillFitTheirPicture) {
  constexpr double kMax = std::numeric_limits<double>::max();
  struct Case {
    const char* name;
    Bounds box;
    double height;  // asked for; 0: from the box
    double pictureHeight;
    Point drawing, picture;
  };
  const Case cases[] = {
      // The width overflows: the run from -1e308 to 1e308 fills the usable width, centred in height.
      {"flat run wider than a double", {-1e308, 0, 1e308, 0, false}, 0, 124, {-1e308, 0}, {24, 62}},
      {"flat run, right end", {-1e308, 0, 1e308, 0, false}, 0, 124, {1e308, 0}, {776, 62}},
      // Finite spans, but the room added across the vertical run would overflow at x = kMax.
      {"vertical run at the largest x", {kMax, 0, kMax, 1e300, false}, 800, 800, {kMax, 5e299}, {400, 400}},
      // Both spans overflow: a square picture, the corners at the margins.
      {"whole range", {-kMax, -kMax, kMax, kMax, false}, 0, 800, {-kMax, kMax}, {24, 24}},
      // Too small for any finite scale: drawn as a point, in the middle.
      {"span of a denormal", {0, 0, 1e-320, 0, false}, 0, 800, {0, 0}, {400, 400}},
  };
  for (const Case& c : cases) {
    const render::ViewTransform view = FitView(c.box, 800, c.height, 24);
    EXPECT_TRUE(std::isfinite(view.Scale()) && view.Scale() > 0) << c.name << ": " << view.Scale();
    EXPECT_DOUBLE_EQ(c.pictureHeight, view.HeightPx()) << c.name;
    // A thousandth of a pixel: the picture of a box far from the origin is a small difference of large
    // offsets.
    ExpectNear(c.picture, view.ToPicture(c.drawing), c.name, 1e-3);
  }
}

TEST(EllipticArc, PointsFollowFlatnessAndTilt) {
  const EllipticArc upright{{0, 0}, 10, 0.5, 90, 0, 360};
  ExpectNear({0, 10}, upright.PointAt(0), "major axis turned to +y");
  ExpectNear({-5, 0}, upright.PointAt(90), "minor axis to -x");
  const EllipticArc shifted{{100, 50}, 20, 1, 0, 0, 360};
  ExpectNear({100, 70}, shifted.PointAt(90), "circle about a centre");
}

TEST(EllipticArc, ExtentCoversOnlyTheDrawnPart) {
  struct Case {
    const char* name;
    EllipticArc arc;
    Bounds expected;
  };
  const Case cases[] = {
      {"whole circle", {{0, 0}, 50, 1, 0, 0, 360}, {-50, -50, 50, 50, false}},
      {"quarter from 0", {{0, 0}, 50, 1, 0, 0, 90}, {0, 0, 50, 50, false}},
      {"clockwise from 90 through -120", {{0, 0}, 50, 1, 0, 90, -120}, {0, -25, 50, 50, false}},
      {"45 through 90, crossing the top", {{0, 0}, 10, 1, 0, 45, 90}, {-10 * std::sqrt(0.5), 10 * std::sqrt(0.5),
                                                                      10 * std::sqrt(0.5), 10, false}},
      {"flattened and upright", {{0, 0}, 60, 0.5, 90, 0, 360}, {-30, -60, 30, 60, false}},
      {"start beyond 360", {{0, 0}, 50, 1, 0, 360, 90}, {0, 0, 50, 50, false}},
  };
  for (const Case& c : cases) {
    const Bounds box = c.arc.Extent();
    EXPECT_NEAR(c.expected.minX, box.minX, 1e-9) << c.name;
    EXPECT_NEAR(c.expected.minY, box.minY, 1e-9) << c.name;
    EXPECT_NEAR(c.expected.maxX, box.maxX, 1e-9) << c.name;
    EXPECT_NEAR(c.expected.maxY, box.maxY, 1e-9) << c.name;
  }
  // A tilted ellipse: its box equals that of densely sampled points.
  const EllipticArc tilted{{3, 4}, 60, 0.4, 30, 10, 250};
  Bounds sampled;
  for (int i = 0; i <= 25000; ++i) sampled.Add(tilted.PointAt(10 + 250.0 * i / 25000));
  const Bounds box = tilted.Extent();
  EXPECT_NEAR(sampled.minX, box.minX, 1e-4);
  EXPECT_NEAR(sampled.minY, box.minY, 1e-4);
  EXPECT_NEAR(sampled.maxX, box.maxX, 1e-4);
  EXPECT_NEAR(sampled.maxY, box.maxY, 1e-4);
}

TEST(TextRun, CellsFollowTheHostsTextSpan) {
  struct Case {
    std::u16string text;
    double width, gap;
    std::vector<double> cells;
    double length;
  };
  const Case cases[] = {
      {u"寸法", 3, 0.5, {0, 3.5}, 7},
      {u"a寸b", 3, 0.5, {0, 1.75, 5.25}, 7},
      {u"ｱｲ", 2, 0, {0, 1}, 2},          // half-width katakana
      {u"\U00020BB7x", 2, 0, {0, 2}, 3},  // one character of two units, then a half-width one
      {u"", 2, 0, {}, 0},
  };
  for (const Case& c : cases) {
    const render::TextRun run{{0, 0}, 0, 5, c.width, c.gap, c.text};
    EXPECT_EQ(c.cells, run.CellOffsets()) << c.length;
    EXPECT_DOUBLE_EQ(c.length, run.Length());
  }
  // Without cells the font spaces the text, and a square per character stands for its length.
  const render::TextRun free{{0, 0}, 0, 5, 0, 0, u"abc"};
  EXPECT_TRUE(free.CellOffsets().empty());
  EXPECT_DOUBLE_EQ(15, free.Length());
}

}  // namespace
