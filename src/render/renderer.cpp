// The display list of a drawing model and its drawing onto a Canvas.
#include "renderer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "MyFunc.h"
#include "model_reading.h"

namespace render {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

// Sizes of what is drawn the same whatever the zoom, in pixels.
constexpr double kDotRadiusPx = 1.5;
constexpr double kCrossHalfPx = 5.0;
constexpr double kLabelHeightPx = 12.0;
constexpr double kLabelOffsetPx = 6.0;
constexpr Color kIndicatedPointColor{204, 0, 0};

// Luminance above which a pen colour is pulled darker on white paper.
constexpr double kLightestPen = 135.0;

// Half-angle of the triangular markers and the open arrow, as the tool's own line arrows default to.
constexpr double kArrowHalfAngleDeg = 15.0;

Point Add(Point p, Point a, double alongA, Point b, double alongB) {
  return {p.x + a.x * alongA + b.x * alongB, p.y + a.y * alongA + b.y * alongB};
}

Shape MakeLine(Point a, Point b, Color color) {
  Shape s;
  s.kind = ShapeKind::Line;
  s.color = color;
  s.points = {a, b};
  return s;
}

Shape MakePoints(ShapeKind kind, std::vector<Point> points, bool closed, Color color) {
  Shape s;
  s.kind = kind;
  s.color = color;
  s.points = std::move(points);
  s.closed = closed;
  return s;
}

Shape MakeArc(ShapeKind kind, const EllipticArc& arc, Color color) {
  Shape s;
  s.kind = kind;
  s.color = color;
  s.arc = arc;
  return s;
}

Color FromColorValue(int32_t value) {
  const auto v = static_cast<uint32_t>(value);
  return {static_cast<uint8_t>(v & 0xFF), static_cast<uint8_t>((v >> 8) & 0xFF),
          static_cast<uint8_t>((v >> 16) & 0xFF)};
}

// Solids carry their own colour value when the colour number is the extended one (10).
Color SolidColor(const TJGdata& model, const TJwwEntAttr& att, int32_t colorValue) {
  return att.Col == 10 ? FromColorValue(colorValue) : DisplayColor(model, att.Col);
}

Shape TextShape(const TJwwEntText& text, double paperScale, Color color) {
  Shape s;
  s.kind = ShapeKind::Text;
  s.color = color;
  s.text.origin = {text.x1, text.y1};
  s.text.angleDeg = (text.x2 == 0.0 && text.y2 == 0.0) ? 0.0 : std::atan2(text.y2, text.x2) / kDegree;
  s.text.height = text.mh * paperScale;
  s.text.charWidth = text.mw * paperScale;
  s.text.gap = text.md * paperScale;
  s.text.text = text.st;
  return s;
}

// The outline of an elliptic arc as points, close enough for filling.
std::vector<Point> ArcPoints(const EllipticArc& arc) {
  const double sweep = arc.IsWhole() ? 360.0 : arc.sweepDeg;
  const int steps = std::max(8, static_cast<int>(std::ceil(std::fabs(sweep) / 5.0)));
  std::vector<Point> points;
  points.reserve(static_cast<size_t>(steps) + 1);
  for (int i = 0; i <= steps; ++i) points.push_back(arc.PointAt(arc.startDeg + sweep * i / steps));
  return points;
}

// A fan from the centre ("sc") or the part cut off by the chord ("se").
void AddRoundSolid(const EllipticArc& arc, bool fromCentre, Color color, std::vector<Shape>& out) {
  if (arc.IsWhole()) {
    out.push_back(MakeArc(ShapeKind::Disc, arc, color));
    return;
  }
  std::vector<Point> points = ArcPoints(arc);
  if (fromCentre) points.push_back(arc.centre);
  out.push_back(MakePoints(ShapeKind::Polygon, std::move(points), true, color));
}

// A ring between the outer radius and `inner` ("so", "sg"): out along the outer arc, back along the
// inner one, which also fills a whole ring without covering its hole.
void AddRingSolid(const EllipticArc& outer, double inner, Color color, std::vector<Shape>& out) {
  EllipticArc hole = outer;
  hole.radius = inner;
  std::vector<Point> points = ArcPoints(outer);
  std::vector<Point> back = ArcPoints(hole);
  points.insert(points.end(), back.rbegin(), back.rend());
  out.push_back(MakePoints(ShapeKind::Polygon, std::move(points), true, color));
}

void AddEntity(const TJGdata& model, const TJwwEntNo& entry, double paperScale, std::vector<Shape>& out) {
  const auto at = [](const auto& table, int32_t index) -> const auto* {
    return index >= 0 && static_cast<size_t>(index) < table.size() ? &table[static_cast<size_t>(index)] : nullptr;
  };
  switch (entry.kind()) {
    case EntityKind::Line:
      if (const auto* e = at(model.EntLine, entry.no))
        out.push_back(MakeLine({e->x1, e->y1}, {e->x2, e->y2}, DisplayColor(model, e->att.Col)));
      break;
    case EntityKind::Circle:
      if (const auto* e = at(model.EntCirc, entry.no))
        out.push_back(MakeArc(ShapeKind::Arc, EllipticArc{{e->cx, e->cy}, e->cr, 1.0, 0.0, 0.0, 360.0},
                              DisplayColor(model, e->att.Col)));
      break;
    case EntityKind::Arc:
      if (const auto* e = at(model.EntArc, entry.no))
        out.push_back(MakeArc(ShapeKind::Arc, EllipticArc{{e->cx, e->cy}, e->cr, e->he, e->ka, e->sa, e->ea},
                              DisplayColor(model, e->att.Col)));
      break;
    case EntityKind::Text:
      if (const auto* e = at(model.EntText, entry.no); e && !e->st.empty())
        out.push_back(TextShape(*e, paperScale, DisplayColor(model, e->att.Col)));
      break;
    case EntityKind::Point:
      if (const auto* e = at(model.EntPnt, entry.no))
        out.push_back(MakePoints(ShapeKind::Dot, {{e->px, e->py}}, false, DisplayColor(model, e->att.Col)));
      break;
    case EntityKind::Mark:
      if (const auto* e = at(model.EntMark, entry.no)) {
        const Color color = DisplayColor(model, e->att.Col);
        std::vector<Shape> marker = MarkerShapes(*e, paperScale, color);
        if (marker.empty()) {
          // Codes the list does not offer are shown as the point they stand on.
          out.push_back(MakePoints(ShapeKind::Dot, {{e->px, e->py}}, false, color));
        }
        for (Shape& s : marker) out.push_back(std::move(s));
      }
      break;
    case EntityKind::Dimension:
      if (const auto* e = at(model.EntDim, entry.no)) {
        out.push_back(MakeLine({e->lin.x1, e->lin.y1}, {e->lin.x2, e->lin.y2}, DisplayColor(model, e->lin.att.Col)));
        if (!e->txt.st.empty()) out.push_back(TextShape(e->txt, paperScale, DisplayColor(model, e->txt.att.Col)));
      }
      break;
    case EntityKind::Solid2:
      if (const auto* e = at(model.EntSld2, entry.no))
        out.push_back(MakePoints(ShapeKind::Polygon, {{e->x1, e->y1}, {e->x2, e->y2}}, true,
                                 SolidColor(model, e->att, e->Color)));
      break;
    case EntityKind::Solid3:
      if (const auto* e = at(model.EntSld3, entry.no))
        out.push_back(MakePoints(ShapeKind::Polygon, {{e->x1, e->y1}, {e->x2, e->y2}, {e->x3, e->y3}}, true,
                                 SolidColor(model, e->att, e->Color)));
      break;
    case EntityKind::Solid4:
      if (const auto* e = at(model.EntSld4, entry.no))
        out.push_back(MakePoints(ShapeKind::Polygon,
                                 {{e->x1, e->y1}, {e->x2, e->y2}, {e->x3, e->y3}, {e->x4, e->y4}}, true,
                                 SolidColor(model, e->att, e->Color)));
      break;
    case EntityKind::RoundSolidC:
    case EntityKind::RoundSolidE: {
      const bool fromCentre = entry.kind() == EntityKind::RoundSolidC;
      if (const auto* e = at(fromCentre ? model.EntSldC : model.EntSldE, entry.no))
        AddRoundSolid(EllipticArc{{e->cx, e->cy}, e->cr, e->he, e->ka, e->sa, e->da}, fromCentre,
                      SolidColor(model, e->att, e->Color), out);
      break;
    }
    case EntityKind::RingSolidO:
    case EntityKind::RingSolidG:
      if (const auto* e = at(entry.kind() == EntityKind::RingSolidO ? model.EntSldO : model.EntSldG, entry.no))
        AddRingSolid(EllipticArc{{e->cx, e->cy}, e->cr, e->he, e->ka, e->sa, e->da}, e->ri,
                     SolidColor(model, e->att, e->Color), out);
      break;
    default:
      // A block insertion names a block that the exchange does not describe, and any other code no
      // kind: nothing to draw.
      break;
  }
}

void Draw(const Shape& s, const ViewTransform& view, Canvas& canvas) {
  switch (s.kind) {
    case ShapeKind::Line:
      if (s.points.size() >= 2) canvas.Line(s.points[0], s.points[1], s.color);
      break;
    case ShapeKind::Polyline:
      canvas.Polyline(s.points, s.closed, s.color);
      break;
    case ShapeKind::Polygon:
      canvas.Polygon(s.points, s.color);
      break;
    case ShapeKind::Arc:
      canvas.Arc(s.arc, s.color);
      break;
    case ShapeKind::Disc:
      canvas.Disc(s.arc, s.color);
      break;
    case ShapeKind::Dot:
      if (!s.points.empty())
        canvas.Disc(EllipticArc{s.points[0], kDotRadiusPx / view.Scale(), 1.0, 0.0, 0.0, 360.0}, s.color);
      break;
    case ShapeKind::Text:
      canvas.Text(s.text, s.color);
      break;
  }
}

void DrawIndicatedPoint(int number, Point p, const ViewTransform& view, Canvas& canvas) {
  const double unit = 1.0 / view.Scale();
  const double half = kCrossHalfPx * unit;
  canvas.Line({p.x - half, p.y - half}, {p.x + half, p.y + half}, kIndicatedPointColor);
  canvas.Line({p.x - half, p.y + half}, {p.x + half, p.y - half}, kIndicatedPointColor);
  TextRun label;
  label.origin = {p.x + kLabelOffsetPx * unit, p.y + kLabelOffsetPx * unit};
  label.height = kLabelHeightPx * unit;
  label.text = IntToText(number);
  canvas.Text(label, kIndicatedPointColor);
}

}  // namespace

Bounds Shape::Extent() const {
  Bounds box;
  switch (kind) {
    case ShapeKind::Arc:
      return arc.Extent();
    case ShapeKind::Disc: {
      EllipticArc whole = arc;
      whole.sweepDeg = 360.0;
      return whole.Extent();
    }
    case ShapeKind::Text: {
      const Point along{std::cos(text.angleDeg * kDegree), std::sin(text.angleDeg * kDegree)};
      const Point up{-along.y, along.x};
      const double length = text.Length();
      box.Add(text.origin);
      box.Add(Add(text.origin, along, length, up, 0.0));
      box.Add(Add(text.origin, along, 0.0, up, text.height));
      box.Add(Add(text.origin, along, length, up, text.height));
      return box;
    }
    default:
      for (const Point& p : points) box.Add(p);
      return box;
  }
}

std::vector<Shape> MarkerShapes(const TJwwEntMark& mark, double paperScale, Color color) {
  std::vector<Shape> shapes;
  const double size = MarkerSize(mark.cod) * std::fabs(mark.bai) * paperScale;
  if (!(size > 0.0) || !std::isfinite(size)) return shapes;

  const Point p{mark.px, mark.py};
  const Point u{std::cos(mark.ang * kDegree), std::sin(mark.ang * kDegree)};
  const Point n{-u.y, u.x};
  const double half = size / 2.0;
  const double barb = size * std::tan(kArrowHalfAngleDeg * kDegree);

  switch (mark.cod) {
    case 1:    // △
    case 11:   // △
    case 6: {  // ▲
      std::vector<Point> corners{p, Add(p, u, -size, n, barb), Add(p, u, -size, n, -barb)};
      shapes.push_back(mark.cod == 6 ? MakePoints(ShapeKind::Polygon, std::move(corners), true, color)
                                     : MakePoints(ShapeKind::Polyline, std::move(corners), true, color));
      break;
    }
    case 9:  // ＞
      shapes.push_back(
          MakePoints(ShapeKind::Polyline, {Add(p, u, -size, n, barb), p, Add(p, u, -size, n, -barb)}, false, color));
      break;
    case 2:    // □
    case 5: {  // ■
      std::vector<Point> corners{Add(p, u, -half, n, -half), Add(p, u, half, n, -half), Add(p, u, half, n, half),
                                 Add(p, u, -half, n, half)};
      shapes.push_back(MakePoints(mark.cod == 5 ? ShapeKind::Polygon : ShapeKind::Polyline, std::move(corners),
                                  true, color));
      break;
    }
    case 3:  // Ｏ: the letter, taller across the axis than along it
      shapes.push_back(MakeArc(ShapeKind::Arc, EllipticArc{p, half * 1.4, 1.0 / 1.4, mark.ang + 90.0, 0.0, 360.0},
                               color));
      break;
    case 4:  // ○
      shapes.push_back(MakeArc(ShapeKind::Arc, EllipticArc{p, half, 1.0, mark.ang, 0.0, 360.0}, color));
      break;
    case 7:  // ●
      shapes.push_back(MakeArc(ShapeKind::Disc, EllipticArc{p, half, 1.0, mark.ang, 0.0, 360.0}, color));
      break;
    case 8: {  // ～: one wave along the axis
      constexpr int kSteps = 16;
      std::vector<Point> wave;
      for (int i = 0; i <= kSteps; ++i) {
        const double f = static_cast<double>(i) / kSteps;
        wave.push_back(Add(p, u, -half + f * size, n, size / 5.0 * std::sin(2.0 * std::numbers::pi * f)));
      }
      shapes.push_back(MakePoints(ShapeKind::Polyline, std::move(wave), false, color));
      break;
    }
    case 10:  // ／: leaning forward at 45 degrees
      shapes.push_back(MakeLine(Add(p, u, -half, n, -half), Add(p, u, half, n, half), color));
      break;
    default:
      break;
  }
  return shapes;
}

double ModelPaperScale(const TJGdata& model) {
  if (model.Zusun) return 1.0;
  const double scale = CurrentScale(model);
  return scale > 0.0 && std::isfinite(scale) ? scale : 1.0;
}

Color DisplayColor(const TJGdata& model, int32_t colourNumber) {
  Color c = FromColorValue(model.GetColorDisp(colourNumber));
  const double luminance = 0.299 * c.r + 0.587 * c.g + 0.114 * c.b;
  if (luminance > kLightestPen) {
    const double factor = kLightestPen / luminance;
    const auto darker = [factor](uint8_t v) { return static_cast<uint8_t>(std::lround(v * factor)); };
    c = {darker(c.r), darker(c.g), darker(c.b)};
  }
  return c;
}

std::vector<Shape> EntityShapes(const TJGdata& model, double paperScale) {
  std::vector<Shape> shapes;
  const size_t count = UsedCount(model.EntNo, model.EntN);
  shapes.reserve(count);
  for (size_t i = 0; i < count; ++i) AddEntity(model, model.EntNo[i], paperScale, shapes);
  return shapes;
}

ViewTransform Render(const TJGdata& model, const RenderOptions& options, Canvas& canvas) {
  const double paperScale = options.paperScale > 0.0 ? options.paperScale : ModelPaperScale(model);
  const std::vector<Shape> shapes = EntityShapes(model, paperScale);

  std::vector<std::pair<int, Point>> indicated;
  if (options.indicatedPoints) {
    for (size_t i = 1; i < model.IPoints.size() && i < 100; ++i) {
      if (model.IPoints[i].flg) indicated.emplace_back(static_cast<int>(i), Point{model.IPoints[i].x, model.IPoints[i].y});
    }
  }

  Bounds box;
  for (const Shape& s : shapes) box.Add(s.Extent());
  for (const auto& [number, p] : indicated) box.Add(p);
  if (box.empty) {
    // Nothing to draw: show a sheet of 100 paper millimetres about the origin.
    box.Add(Point{-50.0 * paperScale, -50.0 * paperScale});
    box.Add(Point{50.0 * paperScale, 50.0 * paperScale});
  }

  const ViewTransform view = FitView(box, options.widthPx, options.heightPx, options.marginPx);
  canvas.Begin(view);
  for (const Shape& s : shapes) Draw(s, view, canvas);
  for (const auto& [number, p] : indicated) DrawIndicatedPoint(number, p, view, canvas);
  canvas.End();
  return view;
}

TJGdata ModelForOutputOf(const TJGdata& host) {
  TJGdata model;
  model.Jikukaku = host.Jikukaku;
  model.LGrpScale = host.LGrpScale;
  model.Mojisyu = host.Mojisyu;
  model.Zusun = host.Zusun;
  // The output starts with the host's layer group; until then its current one stands.
  model.CurLGrp = host.CurLGrp;
  return model;
}

TJGdata ReadOutputCommands(const TJGdata& host) {
  TJGdata preview = ModelForOutputOf(host);
  preview.IPoints = host.IPoints;
  preview.IPointN = host.IPointN;
  const size_t count = UsedCount(host.t_Mem, host.t_MemN);
  for (size_t i = 0; i < count; ++i) preview.ReadTempLine(host.t_Mem[i]);
  return preview;
}

}  // namespace render
