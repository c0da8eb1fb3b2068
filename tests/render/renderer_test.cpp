// The renderer's reading of the drawing model: marker shapes and sizes, display colours, what each
// entity becomes, the indicated points, and the preview's model of the output commands.
#include "renderer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>
#include <string>
#include <vector>

#include "JwwGaibu.h"
#include "model_reading.h"

namespace render {
void PrintTo(const Color& c, std::ostream* os) { *os << "rgb(" << +c.r << ", " << +c.g << ", " << +c.b << ")"; }
}  // namespace render

namespace {

using render::Color;
using render::Point;
using render::Shape;
using render::ShapeKind;

TJGdata ModelOf(const std::u16string& text) {
  TJGdata model;
  model.ReadTempText(text);
  return model;
}

// Every point a shape draws through, arcs sampled finely.
std::vector<Point> Outline(const Shape& s) {
  if (s.kind != ShapeKind::Arc && s.kind != ShapeKind::Disc) return s.points;
  std::vector<Point> points;
  for (int i = 0; i < 7200; ++i) points.push_back(s.arc.PointAt(i * 0.05));
  return points;
}

struct AxisSpan {
  double from = 1e300, to = -1e300;  // along the marker's axis, relative to its point
  double across = 0;                 // largest distance from the axis
};

AxisSpan SpanOf(const std::vector<Shape>& shapes, Point at, double angleDeg) {
  const double a = angleDeg * std::numbers::pi / 180;
  AxisSpan span;
  for (const Shape& s : shapes) {
    for (const Point& p : Outline(s)) {
      const double along = (p.x - at.x) * std::cos(a) + (p.y - at.y) * std::sin(a);
      const double off = -(p.x - at.x) * std::sin(a) + (p.y - at.y) * std::cos(a);
      span.from = std::min(span.from, along);
      span.to = std::max(span.to, along);
      span.across = std::max(span.across, std::fabs(off));
    }
  }
  return span;
}

TEST(MarkerShapes, EachCodeSpansItsFitSizeAlongItsAngle) {
  struct Case {
    int32_t code;
    double size;    // paper mm at magnification 1
    bool tipped;    // tip at the point, body behind it; otherwise centred
    ShapeKind kind; // of the first shape
  };
  const double diagonal = std::numbers::sqrt2 * 1.25;
  const Case cases[] = {
      {1, 7.5, true, ShapeKind::Polyline},  {2, 1.25, false, ShapeKind::Polyline},
      {3, 1.25, false, ShapeKind::Arc},     {4, 1.25, false, ShapeKind::Arc},
      {5, 1.25, false, ShapeKind::Polygon}, {6, 7.5, true, ShapeKind::Polygon},
      {7, 1.25, false, ShapeKind::Disc},    {8, diagonal, false, ShapeKind::Polyline},
      {9, 7.5, true, ShapeKind::Polyline},  {10, diagonal, false, ShapeKind::Line},
      {11, 7.5, true, ShapeKind::Polyline},
  };
  for (const double angle : {0.0, 30.0, 90.0, 270.0}) {
    for (const Case& c : cases) {
      SCOPED_TRACE("code " + std::to_string(c.code) + " at " + std::to_string(angle) + " degrees");
      const TJwwEntMark mark{{}, 1000, -500, 2, angle, c.code};
      const std::vector<Shape> shapes = render::MarkerShapes(mark, 100, Color{1, 2, 3});
      ASSERT_FALSE(shapes.empty());
      EXPECT_EQ(c.kind, shapes[0].kind);
      EXPECT_EQ((Color{1, 2, 3}), shapes[0].color);
      EXPECT_DOUBLE_EQ(c.size, MarkerSize(c.code));
      const double expected = c.size * 2 * 100;
      const AxisSpan span = SpanOf(shapes, {1000, -500}, angle);
      EXPECT_NEAR(expected, span.to - span.from, 1e-6 * expected);
      if (c.tipped) {
        EXPECT_NEAR(0, span.to, 1e-9);
      } else {
        EXPECT_NEAR(expected / 2, span.to, 1e-6 * expected);
      }
      // None reaches further across its axis than about three quarters of its length.
      EXPECT_LE(span.across, expected * 0.71);
    }
  }
}

TEST(MarkerShapes, TriangleOfCodeOnePointsAlongItsAngleWithTheTipAtThePoint) {
  // Magnification 2 at scale 100: 7.5 * 2 * 100 = 1500 drawing units long.
  const TJwwEntMark up{{}, 0, 0, 2, 90, 1};
  const std::vector<Shape> shapes = render::MarkerShapes(up, 100, Color{});
  ASSERT_EQ(1u, shapes.size());
  ASSERT_EQ(3u, shapes[0].points.size());
  EXPECT_TRUE(shapes[0].closed);
  EXPECT_NEAR(0, shapes[0].points[0].x, 1e-9);
  EXPECT_NEAR(0, shapes[0].points[0].y, 1e-9);
  EXPECT_NEAR(-1500, shapes[0].points[1].y, 1e-9);
  EXPECT_NEAR(-1500, shapes[0].points[2].y, 1e-9);
  // The base is symmetric about the axis.
  EXPECT_NEAR(-shapes[0].points[1].x, shapes[0].points[2].x, 1e-9);
}

TEST(MarkerShapes, NegativeMagnificationDrawsTheSameSizeAndOtherCodesNothing) {
  const TJwwEntMark negative{{}, 0, 0, -1, 0, 6};
  const AxisSpan span = SpanOf(render::MarkerShapes(negative, 1, Color{}), {0, 0}, 0);
  EXPECT_NEAR(7.5, span.to - span.from, 1e-9);
  for (const int32_t code : {0, 12, -3, -7}) {
    const TJwwEntMark mark{{}, 0, 0, 1, 0, code};
    EXPECT_TRUE(render::MarkerShapes(mark, 1, Color{}).empty()) << code;
    EXPECT_EQ(0, MarkerSize(code)) << code;
  }
}

TEST(DisplayColor, HostColoursWithLightOnesDarkened) {
  const TJGdata model;
  struct Case {
    int32_t number;
    Color expected;
  };
  // Dark enough as they are.
  const Case unchanged[] = {{2, {0, 0, 0}},       {6, {0, 0, 255}},     {1, {0, 192, 192}},
                            {102, {255, 0, 0}},  {0, {0, 0, 0}},
                            {10, {0, 0, 0}},       {-1, {0, 0, 0}},      {117, {0, 0, 0}}};
  for (const Case& c : unchanged) EXPECT_EQ(c.expected, render::DisplayColor(model, c.number)) << c.number;

  // Yellow, light grey, cyan, pink, light brown: darker, same hue.
  for (const int32_t number : {105, 115, 107, 9, 110}) {
    const int32_t value = model.GetColorDisp(number);
    const Color host{static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>((value >> 8) & 0xFF),
                     static_cast<uint8_t>((value >> 16) & 0xFF)};
    const Color shown = render::DisplayColor(model, number);
    const double luminance = 0.299 * shown.r + 0.587 * shown.g + 0.114 * shown.b;
    EXPECT_LE(luminance, 135.5) << number;
    EXPECT_GT(luminance, 125) << number;
    EXPECT_NE(host, shown) << number;
    // Components keep their order.
    EXPECT_EQ(host.r >= host.g, shown.r >= shown.g) << number;
    EXPECT_EQ(host.g >= host.b, shown.g >= shown.b) << number;
    EXPECT_EQ(host.b == 0, shown.b == 0) << number;
  }
}

TEST(EntityShapes, EachKindOfRecordBecomesItsShape) {
  const TJGdata model = ModelOf(
      u"hs 10 10 10 10 10 10 10 10 10 10 10 10 10 10 10 10\n"
      u"hcw 2 2.5 3 4 5 6 7 8 9 10\nhch 2 2.5 3 4 5 6 7 8 9 10\nhcd 0 0 0.5 0.5 0.5 0.5 1 1 1 1\n"
      u"hcc 1 1 2 2 3 3 4 4 5 5\n"
      u"lc6\n0 0 10 0\n"                      // line in pen 6
      u"ci 1 2 3\n"                            // circle
      u"ci 1 2 3 4 5 0.5 6\n"                  // arc: start, sweep, flatness, tilt
      u"cn5\nch 7 8 0 10 \"ab\n"               // text of style 5 (colour 3), upwards
      u"pn5\npt 9 9\n"                          // plain point in the point colour
      u"pt 9 9 1 0 7\n"                         // marker
      u"cn3\nmsg\n0 0 0 100\ncs 5 50 0 10 \"100\n"  // dimension
      u"lc10 255\nsl 0 0 10 0 5 5\n"           // solid by colour value
      u"lc5\nsl 0 0 10 0 10 10 0 10\n"         // solid by pen
      u"BL 0 0 name\n");                        // block: nothing to draw
  const std::vector<Shape> shapes = render::EntityShapes(model, 10);
  ASSERT_EQ(10u, shapes.size());

  EXPECT_EQ(ShapeKind::Line, shapes[0].kind);
  EXPECT_EQ((Color{0, 0, 255}), shapes[0].color);

  EXPECT_EQ(ShapeKind::Arc, shapes[1].kind);
  EXPECT_TRUE(shapes[1].arc.IsWhole());
  EXPECT_EQ(3, shapes[1].arc.radius);

  EXPECT_EQ(ShapeKind::Arc, shapes[2].kind);
  EXPECT_EQ(1, shapes[2].arc.centre.x);
  EXPECT_EQ(2, shapes[2].arc.centre.y);
  EXPECT_EQ(4, shapes[2].arc.startDeg);
  EXPECT_EQ(5, shapes[2].arc.sweepDeg);
  EXPECT_EQ(0.5, shapes[2].arc.flatness);
  EXPECT_EQ(6, shapes[2].arc.tiltDeg);

  EXPECT_EQ(ShapeKind::Text, shapes[3].kind);
  EXPECT_EQ((Color{0, 192, 0}), shapes[3].color);  // the style's colour 3, not the line's
  EXPECT_EQ(u"ab", shapes[3].text.text);
  EXPECT_NEAR(90, shapes[3].text.angleDeg, 1e-12);
  EXPECT_DOUBLE_EQ(5 * 10, shapes[3].text.height);           // style 5 height 5 mm at scale 10
  EXPECT_DOUBLE_EQ(5 * 10, shapes[3].text.charWidth);
  EXPECT_DOUBLE_EQ(0.5 * 10, shapes[3].text.gap);

  EXPECT_EQ(ShapeKind::Dot, shapes[4].kind);
  EXPECT_EQ((Color{192, 0, 192}), shapes[4].color);
  EXPECT_EQ(ShapeKind::Disc, shapes[5].kind);  // code 7, in the same point colour
  EXPECT_EQ((Color{192, 0, 192}), shapes[5].color);

  EXPECT_EQ(ShapeKind::Line, shapes[6].kind);
  EXPECT_EQ(100, shapes[6].points[1].y);
  EXPECT_EQ(ShapeKind::Text, shapes[7].kind);
  EXPECT_EQ(u"100", shapes[7].text.text);

  EXPECT_EQ(ShapeKind::Polygon, shapes[8].kind);
  EXPECT_EQ(3u, shapes[8].points.size());
  EXPECT_EQ((Color{255, 0, 0}), shapes[8].color);
  EXPECT_EQ(4u, shapes[9].points.size());
  EXPECT_EQ((Color{192, 0, 192}), shapes[9].color);
}

TEST(EntityShapes, RoundSolidsFillTheirPart) {
  const TJGdata model = ModelOf(
      u"sc 0 0 10 1 0 0 360 0\n"     // whole: a disc
      u"sc 0 0 10 1 0 0 90 0\n"      // fan: the arc and the centre
      u"se 0 0 10 1 0 0 90 0\n"      // bow: the arc alone, closed by its chord
      u"so 0 0 10 1 0 0 360 4\n");   // ring
  const std::vector<Shape> shapes = render::EntityShapes(model, 1);
  ASSERT_EQ(4u, shapes.size());
  EXPECT_EQ(ShapeKind::Disc, shapes[0].kind);
  ASSERT_EQ(ShapeKind::Polygon, shapes[1].kind);
  EXPECT_NEAR(0, shapes[1].points.back().x, 1e-12);
  EXPECT_NEAR(0, shapes[1].points.back().y, 1e-12);
  ASSERT_EQ(ShapeKind::Polygon, shapes[2].kind);
  EXPECT_EQ(shapes[1].points.size(), shapes[2].points.size() + 1);
  ASSERT_EQ(ShapeKind::Polygon, shapes[3].kind);
  double nearest = 1e300, farthest = 0;
  for (const Point& p : shapes[3].points) {
    nearest = std::min(nearest, std::hypot(p.x, p.y));
    farthest = std::max(farthest, std::hypot(p.x, p.y));
  }
  EXPECT_NEAR(4, nearest, 1e-9);
  EXPECT_NEAR(10, farthest, 1e-9);
}

// Records what the renderer hands the canvas.
class RecordingCanvas final : public render::Canvas {
 public:
  void Begin(const render::ViewTransform& v) override {
    view = v;
    log += "begin;";
  }
  void Line(Point, Point, Color c) override { log += c == Color{204, 0, 0} ? "cross;" : "line;"; }
  void Polyline(std::span<const Point>, bool, Color) override { log += "polyline;"; }
  void Polygon(std::span<const Point>, Color) override { log += "polygon;"; }
  void Arc(const render::EllipticArc&, Color) override { log += "arc;"; }
  void Disc(const render::EllipticArc& e, Color) override {
    log += "disc;";
    discRadii.push_back(e.radius);
  }
  void Text(const render::TextRun& run, Color) override {
    log += "text ";
    log += std::string(run.text.begin(), run.text.end());
    log += ';';
  }
  void End() override { log += "end;"; }

  render::ViewTransform view;
  std::string log;
  std::vector<double> discRadii;
};

TEST(Render, EntitiesInFileOrderThenNumberedIndicatedPoints) {
  const TJGdata model = ModelOf(u"hp2 0 100\nhp1 0 0\n0 0 100 100\npt 50 50\nch 0 0 10 0 \"x\n");
  RecordingCanvas canvas;
  render::RenderOptions options;
  options.widthPx = 300;
  options.marginPx = 20;
  const render::ViewTransform view = render::Render(model, options, canvas);
  EXPECT_EQ("begin;line;disc;text x;cross;cross;text 1;cross;cross;text 2;end;", canvas.log);
  // The box is 0..100 both ways: 260 pixels for 100 units.
  EXPECT_DOUBLE_EQ(2.6, view.Scale());
  // A plain point is a dot of the same few pixels at any scale.
  ASSERT_EQ(1u, canvas.discRadii.size());
  EXPECT_DOUBLE_EQ(1.5 / 2.6, canvas.discRadii[0]);

  RecordingCanvas without;
  options.indicatedPoints = false;
  render::Render(model, options, without);
  EXPECT_EQ("begin;line;disc;text x;end;", without.log);
}

TEST(Render, PaperScaleComesFromTheCurrentLayerGroupUnlessGiven) {
  const std::u16string text = u"hs 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16\nlg3\npt 0 0 1 0 1\n";
  EXPECT_EQ(4, render::ModelPaperScale(ModelOf(text)));
  EXPECT_EQ(1, render::ModelPaperScale(ModelOf(u"bz\n" + text)));  // paper coordinates

  // The triangle's length sets the box: 7.5 * 4 drawing units, or 7.5 * 50 when the scale is given.
  RecordingCanvas fromFile, given;
  render::RenderOptions options;
  options.widthPx = 330;
  options.marginPx = 15;
  EXPECT_DOUBLE_EQ(300 / 30.0, render::Render(ModelOf(text), options, fromFile).Scale());
  options.paperScale = 50;
  EXPECT_DOUBLE_EQ(300 / 375.0, render::Render(ModelOf(text), options, given).Scale());
}

TEST(ReadOutputCommands, ReadsTheBufferWithTheHostsStylesScalesAndPoints) {
  TJGdata host = ModelOf(
      u"hs 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100\n"
      u"hcw 2 2.5 3 4 5 6 7 8 9 10\nhch 2 2.5 3 4 5 6 7 8 9 10\nhcd 0 0 0.5 0.5 0.5 0.5 1 1 1 1\n"
      u"hcc 1 1 2 2 3 3 4 4 5 5\nhp1 0 0\nhp4 600 400\nlg0\nly0\nlc2\ncn2\n"
      u"-5000 0 5000 0\n");
  host.S_Init();
  host.S_LGrp(0);
  host.S_Col(3, 0);
  host.S_Line(0, 0, 0, 1000);
  host.S_Mjs(4, 0, 0, 0, 0, 0);
  host.S_Text(2, 600, 400, 0, 10, u"1000");

  const TJGdata preview = render::ReadOutputCommands(host);
  // Only what was written: the host's selected line is not part of it.
  EXPECT_EQ(2, preview.EntN);
  ASSERT_EQ(1, preview.EntLineN);
  EXPECT_EQ(1000, preview.EntLine[0].y2);
  EXPECT_EQ(3, preview.EntLine[0].att.Col);
  ASSERT_EQ(1, preview.EntTextN);
  EXPECT_EQ(4, preview.EntText[0].mh);  // style 4 as the host defines it
  EXPECT_EQ(2, preview.EntText[0].att.Col);
  EXPECT_EQ(100, render::ModelPaperScale(preview));
  EXPECT_TRUE(preview.IPoints[4].flg);
  EXPECT_EQ(600, preview.IPoints[4].x);
  // The host's model is left as it was.
  EXPECT_EQ(1, host.EntLineN);
}

}  // namespace
