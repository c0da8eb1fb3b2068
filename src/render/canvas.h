// What the renderer draws on: a few primitives in drawing coordinates (y up), and the transform that
// fits the drawing into a picture (y down). The SVG writer and the dialog's preview implement Canvas.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace render {

struct Point {
  double x = 0.0;
  double y = 0.0;
};

struct Color {
  uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Color&, const Color&) = default;
};

// An axis-aligned box in drawing coordinates that starts empty and grows to take points.
struct Bounds {
  double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
  bool empty = true;

  void Add(Point p);
  void Add(const Bounds& other);
  double Width() const { return empty ? 0.0 : maxX - minX; }
  double Height() const { return empty ? 0.0 : maxY - minY; }
};

// Drawing to picture: a uniform scale, the y axis turned over, and a shift.
class ViewTransform {
 public:
  ViewTransform() = default;
  // Picture = (offsetX + x * scale, offsetY - y * scale).
  ViewTransform(double scale, double offsetX, double offsetY, double widthPx, double heightPx)
      : scale_(scale), offsetX_(offsetX), offsetY_(offsetY), width_(widthPx), height_(heightPx) {}

  Point ToPicture(Point p) const { return {offsetX_ + p.x * scale_, offsetY_ - p.y * scale_}; }
  Point ToDrawing(Point picture) const {
    return {(picture.x - offsetX_) / scale_, (offsetY_ - picture.y) / scale_};
  }
  // Pixels per drawing unit.
  double Scale() const { return scale_; }
  double WidthPx() const { return width_; }
  double HeightPx() const { return height_; }

 private:
  double scale_ = 1.0;
  double offsetX_ = 0.0;
  double offsetY_ = 0.0;
  double width_ = 0.0;
  double height_ = 0.0;
};

// Fits `box` into a picture of widthPx x heightPx with `marginPx` free on every side, at one scale for
// both axes, centred. A heightPx of 0 or less takes the height from the box's proportions (at most
// four times the width). An empty or flat box is widened first so that the scale stays finite, and a
// box whose span is beyond a double (corners near the largest double) still gets a finite picture.
ViewTransform FitView(Bounds box, double widthPx, double heightPx, double marginPx);

// An elliptic arc as the host describes one: a circle of `radius` squeezed across its major axis by
// `flatness` (minor / major, 1 = circle), the major axis turned by `tiltDeg`; it runs from the
// parameter angle `startDeg` (measured in the ellipse's own frame, before squeezing) through the
// signed `sweepDeg`. A sweep of 360 or more is the whole ellipse.
struct EllipticArc {
  Point centre;
  double radius = 0.0;
  double flatness = 1.0;
  double tiltDeg = 0.0;
  double startDeg = 0.0;
  double sweepDeg = 360.0;

  bool IsWhole() const;
  Point PointAt(double parameterDeg) const;
  // The box of the drawn part, exact at the curve's extremes.
  Bounds Extent() const;
};

// A line of text as the host lays it out: its baseline starts at `origin` and runs along `angleDeg`
// (counter-clockwise in the drawing); characters stand in cells of `charWidth` (half of it for a
// half-width character) followed by `gap`, at the character height `height`, all in drawing units.
// A charWidth of 0 leaves the spacing to the font.
struct TextRun {
  Point origin;
  double angleDeg = 0.0;
  double height = 0.0;
  double charWidth = 0.0;
  double gap = 0.0;
  std::u16string text;

  // Where each character's cell starts along the baseline, one entry per character (a surrogate pair
  // is one character); empty when charWidth is 0.
  std::vector<double> CellOffsets() const;
  // Length of the whole run along the baseline; without cells, a square per character is a fair guess.
  double Length() const;
};

class Canvas {
 public:
  virtual ~Canvas() = default;
  // Called once before any primitive, with the transform that the drawing was fitted with.
  virtual void Begin(const ViewTransform& view) = 0;
  virtual void Line(Point a, Point b, Color color) = 0;
  // Connected strokes through the points; `closed` joins the last point to the first.
  virtual void Polyline(std::span<const Point> points, bool closed, Color color) = 0;
  // A filled area (its outline drawn in the same colour, so that a flat one still shows).
  virtual void Polygon(std::span<const Point> corners, Color color) = 0;
  virtual void Arc(const EllipticArc& arc, Color color) = 0;
  // The whole ellipse of `ellipse`, filled; its start and sweep are not used.
  virtual void Disc(const EllipticArc& ellipse, Color color) = 0;
  virtual void Text(const TextRun& run, Color color) = 0;
  virtual void End() = 0;
};

}  // namespace render
