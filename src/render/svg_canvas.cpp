// The SVG writer. Numbers are written with two decimals of a pixel through std::to_chars, so the
// document does not depend on the process's locale and a golden file compares byte for byte.
#include "svg_canvas.h"

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "platform.h"

namespace render {

namespace {

constexpr const char* kFontFamily = "MS Gothic, IPAGothic, sans-serif";

bool IsWholeTurn(double degrees) { return std::fabs(std::remainder(degrees, 360.0)) < 1e-9; }

// The radii of an ellipse in the picture, along its major axis and across it, unsigned as SVG takes them.
Point PictureRadii(const EllipticArc& ellipse, double scale) {
  return {std::fabs(ellipse.radius) * scale, std::fabs(ellipse.radius * ellipse.flatness) * scale};
}

}  // namespace

// Escaped and cleaned in UTF-16, then encoded once: a lone surrogate, a control character other than
// tab and line breaks, and the two non-characters are not allowed in XML and become U+FFFD.
std::string XmlText(std::u16string_view text) {
  std::u16string escaped;
  escaped.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      escaped += c;
      escaped += text[++i];
      continue;
    }
    if ((c >= 0xD800 && c <= 0xDFFF) || (c < 0x20 && c != 0x09 && c != 0x0A && c != 0x0D) || c == 0xFFFE ||
        c == 0xFFFF) {
      c = 0xFFFD;
    }
    switch (c) {
      case u'&': escaped += u"&amp;"; break;
      case u'<': escaped += u"&lt;"; break;
      case u'>': escaped += u"&gt;"; break;
      case u'"': escaped += u"&quot;"; break;
      case u'\'': escaped += u"&apos;"; break;
      default: escaped += c; break;
    }
  }
  return platform::EncodeUtf8(escaped);
}

void SvgCanvas::Number(double value, int decimals) {
  if (!std::isfinite(value)) value = 0.0;
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (ec != std::errc()) {
    out_ += '0';
    return;
  }
  std::string_view digits(buffer, static_cast<size_t>(end - buffer));
  while (digits.ends_with('0')) digits.remove_suffix(1);
  if (digits.ends_with('.')) digits.remove_suffix(1);
  if (digits == "-0") digits = "0";
  out_ += digits;
}

void SvgCanvas::Pair(Point p) {
  Number(p.x);
  out_ += ' ';
  Number(p.y);
}

// The picture's y axis points down, so a counter-clockwise turn in the drawing turns the other way there.
void SvgCanvas::Rotation(double degrees, Point picture) {
  if (IsWholeTurn(degrees)) return;
  out_ += " transform=\"rotate(";
  Number(-degrees);
  out_ += ' ';
  Pair(picture);
  out_ += ")\"";
}

void SvgCanvas::Coordinate(const char* nameX, const char* nameY, Point drawing) {
  const Point p = view_.ToPicture(drawing);
  out_ += ' ';
  out_ += nameX;
  out_ += "=\"";
  Number(p.x);
  out_ += "\" ";
  out_ += nameY;
  out_ += "=\"";
  Number(p.y);
  out_ += '"';
}

void SvgCanvas::Colour(const char* attribute, Color color) {
  static constexpr char kHex[] = "0123456789abcdef";
  out_ += ' ';
  out_ += attribute;
  out_ += "=\"#";
  for (uint8_t v : {color.r, color.g, color.b}) {
    out_ += kHex[v >> 4];
    out_ += kHex[v & 0xF];
  }
  out_ += '"';
}

void SvgCanvas::PointList(std::span<const Point> points) {
  out_ += " points=\"";
  bool first = true;
  for (const Point& drawing : points) {
    if (!first) out_ += ' ';
    first = false;
    const Point p = view_.ToPicture(drawing);
    Number(p.x);
    out_ += ',';
    Number(p.y);
  }
  out_ += '"';
}

void SvgCanvas::Begin(const ViewTransform& view) {
  view_ = view;
  out_.clear();
  out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"";
  Number(view.WidthPx());
  out_ += "\" height=\"";
  Number(view.HeightPx());
  out_ += "\" viewBox=\"0 0 ";
  Pair({view.WidthPx(), view.HeightPx()});
  out_ += "\">\n<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
  out_ += "<g fill=\"none\" stroke-width=\"1\" stroke-linecap=\"round\" stroke-linejoin=\"round\" font-family=\"";
  out_ += kFontFamily;
  out_ += "\">\n";
}

void SvgCanvas::Line(Point a, Point b, Color color) {
  out_ += "<line";
  Coordinate("x1", "y1", a);
  Coordinate("x2", "y2", b);
  Colour("stroke", color);
  out_ += "/>\n";
}

void SvgCanvas::Polyline(std::span<const Point> points, bool closed, Color color) {
  if (points.empty()) return;
  out_ += closed ? "<polygon" : "<polyline";
  PointList(points);
  Colour("stroke", color);
  out_ += "/>\n";
}

void SvgCanvas::Polygon(std::span<const Point> corners, Color color) {
  if (corners.empty()) return;
  out_ += "<polygon";
  PointList(corners);
  Colour("fill", color);
  Colour("stroke", color);
  out_ += "/>\n";
}

void SvgCanvas::EllipseElement(const EllipticArc& ellipse, Color color, bool filled) {
  const Point radii = PictureRadii(ellipse, view_.Scale());
  const bool circle = std::fabs(std::fabs(ellipse.flatness) - 1.0) < 1e-12;
  if (circle) {
    out_ += "<circle";
    Coordinate("cx", "cy", ellipse.centre);
    out_ += " r=\"";
    Number(radii.x);
    out_ += '"';
  } else {
    out_ += "<ellipse";
    Coordinate("cx", "cy", ellipse.centre);
    out_ += " rx=\"";
    Number(radii.x);
    out_ += "\" ry=\"";
    Number(radii.y);
    out_ += '"';
    Rotation(ellipse.tiltDeg, view_.ToPicture(ellipse.centre));
  }
  if (filled) {
    Colour("fill", color);
    out_ += " stroke=\"none\"";
  } else {
    Colour("stroke", color);
  }
  out_ += "/>\n";
}

void SvgCanvas::Arc(const EllipticArc& arc, Color color) {
  if (arc.IsWhole()) {
    EllipseElement(arc, color, false);
    return;
  }
  const Point from = view_.ToPicture(arc.PointAt(arc.startDeg));
  const Point to = view_.ToPicture(arc.PointAt(arc.startDeg + arc.sweepDeg));
  // The picture shows the drawing as it is, so an arc that runs counter-clockwise (a positive sweep on
  // an unmirrored ellipse) still does; in SVG's y-down frame that is the negative sweep.
  const bool counterClockwise = (arc.sweepDeg > 0.0) == (arc.flatness > 0.0);
  out_ += "<path d=\"M ";
  Pair(from);
  out_ += " A ";
  Pair(PictureRadii(arc, view_.Scale()));
  out_ += ' ';
  Number(-arc.tiltDeg);
  out_ += std::fabs(arc.sweepDeg) > 180.0 ? " 1 " : " 0 ";
  out_ += counterClockwise ? "0 " : "1 ";
  Pair(to);
  out_ += '"';
  Colour("stroke", color);
  out_ += "/>\n";
}

void SvgCanvas::Disc(const EllipticArc& ellipse, Color color) { EllipseElement(ellipse, color, true); }

void SvgCanvas::Text(const TextRun& run, Color color) {
  const double size = run.height * view_.Scale();
  if (!(size > 0.0) || run.text.empty()) return;
  const Point at = view_.ToPicture(run.origin);
  const std::vector<double> cells = run.CellOffsets();
  // The glyphs are squeezed or stretched to the cell width, so their places are in squeezed units.
  const double stretch = run.charWidth / run.height;
  out_ += "<text";
  if (cells.empty()) {
    Coordinate("x", "y", run.origin);
  } else {
    out_ += " x=\"";
    for (size_t i = 0; i < cells.size(); ++i) {
      if (i > 0) out_ += ' ';
      Number(cells[i] * view_.Scale() / stretch);
    }
    out_ += "\" y=\"0\"";
  }
  out_ += " font-size=\"";
  Number(size);
  out_ += '"';
  Colour("fill", color);
  if (cells.empty()) {
    Rotation(run.angleDeg, at);
  } else {
    out_ += " transform=\"translate(";
    Pair(at);
    out_ += ')';
    if (!IsWholeTurn(run.angleDeg)) {
      out_ += " rotate(";
      Number(-run.angleDeg);
      out_ += ')';
    }
    if (std::fabs(stretch - 1.0) > 1e-9) {
      out_ += " scale(";
      // More decimals: the factor multiplies every place along the line.
      Number(stretch, 4);
      out_ += " 1)";
    }
    out_ += '"';
  }
  out_ += " xml:space=\"preserve\">";
  out_ += XmlText(run.text);
  out_ += "</text>\n";
}

void SvgCanvas::End() { out_ += "</g>\n</svg>\n"; }

}  // namespace render
