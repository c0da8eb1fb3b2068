// A Canvas that writes an SVG document (UTF-8): white paper, one element per primitive, coordinates
// in pixels of the fitted picture.
#pragma once

#include <string>

#include "canvas.h"

namespace render {

class SvgCanvas final : public Canvas {
 public:
  void Begin(const ViewTransform& view) override;
  void Line(Point a, Point b, Color color) override;
  void Polyline(std::span<const Point> points, bool closed, Color color) override;
  void Polygon(std::span<const Point> corners, Color color) override;
  void Arc(const EllipticArc& arc, Color color) override;
  void Disc(const EllipticArc& ellipse, Color color) override;
  void Text(const TextRun& run, Color color) override;
  void End() override;

  // The whole document once End has been called.
  const std::string& Document() const { return out_; }

 private:
  void Number(double value, int decimals = 2);
  // "x y", as path data and transforms take a point.
  void Pair(Point p);
  // A rotate transform by the drawing's `degrees` about the picture point; nothing for a whole turn.
  void Rotation(double degrees, Point picture);
  void Coordinate(const char* nameX, const char* nameY, Point drawing);
  void Colour(const char* attribute, Color color);
  void PointList(std::span<const Point> points);
  void EllipseElement(const EllipticArc& ellipse, Color color, bool filled);

  ViewTransform view_;
  std::string out_;
};

// The text as UTF-8 with the characters that XML reserves escaped; characters that XML 1.0 cannot
// hold (controls other than tab, line feed and carriage return, unpaired surrogates) become U+FFFD.
std::string XmlText(std::u16string_view text);

}  // namespace render
