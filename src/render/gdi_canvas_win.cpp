// GDI drawing of the renderer's primitives. Curves become polylines of short chords, as GDI knows no
// turned ellipses; texts are placed character by character in the host's cells, as the SVG writer does.
#include "gdi_canvas_win.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "unique_handle_win.h"

namespace {

using unique_pen = unique_handle<HPEN, GdiObjectDeleter>;

// A Japanese-capable face: the host writes its texts in it, and Wine maps it to an installed Gothic.
constexpr wchar_t kTextFace[] = L"ＭＳ ゴシック";
// Device coordinates beyond this are clipped anyway; keeping them small keeps GDI's arithmetic exact.
constexpr double kFarthestPx = 1.0e7;
// A text taller than this would only fill the panel with part of one glyph.
constexpr double kTallestTextPx = 4000.0;
constexpr double kDegree = std::numbers::pi / 180.0;

COLORREF ToColorRef(render::Color color) { return RGB(color.r, color.g, color.b); }

// A coordinate that overflowed stands at 0, as in the SVG picture (std::clamp would keep a NaN).
int ToDevice(double value) {
  if (std::isnan(value)) return 0;
  return static_cast<int>(std::lround(std::clamp(value, -kFarthestPx, kFarthestPx)));
}

bool HighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool LowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// An arc whose angles overflowed has no outline; a sweep past a whole turn draws no more than one.
std::vector<render::Point> OutlinePoints(const render::EllipticArc& arc, bool whole) {
  if (!std::isfinite(arc.startDeg) || (!whole && !std::isfinite(arc.sweepDeg))) return {};
  const double sweep = whole ? 360.0 : std::clamp(arc.sweepDeg, -360.0, 360.0);
  const int steps = std::max(8, static_cast<int>(std::ceil(std::fabs(sweep) / 5.0)));
  std::vector<render::Point> points;
  points.reserve(static_cast<size_t>(steps) + 1);
  for (int i = 0; i <= steps; ++i) points.push_back(arc.PointAt(arc.startDeg + sweep * i / steps));
  return points;
}

}  // namespace

GdiCanvas::GdiCanvas(HDC dc, POINT origin, double pixelScale)
    : dc_(dc), origin_(origin), pixelScale_(pixelScale > 0.0 ? pixelScale : 1.0) {
  savedState_ = SaveDC(dc_);
  // Rotated texts turn their glyphs with the baseline only in the advanced mode.
  SetGraphicsMode(dc_, GM_ADVANCED);
  SetBkMode(dc_, TRANSPARENT);
  SetTextAlign(dc_, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
}

GdiCanvas::~GdiCanvas() {
  if (savedState_ != 0) RestoreDC(dc_, savedState_);
}

POINT GdiCanvas::Device(render::Point drawing) const {
  const render::Point picture = view_.ToPicture(drawing);
  return POINT{ToDevice(origin_.x + picture.x * pixelScale_), ToDevice(origin_.y + picture.y * pixelScale_)};
}

void GdiCanvas::Begin(const render::ViewTransform& view) {
  view_ = view;
  primitives_ = 0;
}

void GdiCanvas::Stroke(const POINT* points, int count, render::Color color) {
  if (count < 2) return;
  unique_pen pen(CreatePen(PS_SOLID, 1, ToColorRef(color)));
  ScopedSelect selectPen(dc_, pen.get());
  ::Polyline(dc_, points, count);
  // GDI leaves out the last pixel of a stroke; the end of a short marker stroke would go missing.
  SetPixel(dc_, points[count - 1].x, points[count - 1].y, ToColorRef(color));
}

void GdiCanvas::Fill(const POINT* points, int count, render::Color color) {
  if (count < 1) return;
  unique_pen pen(CreatePen(PS_SOLID, 1, ToColorRef(color)));
  unique_brush brush(CreateSolidBrush(ToColorRef(color)));
  ScopedSelect selectPen(dc_, pen.get());
  ScopedSelect selectBrush(dc_, brush.get());
  ::Polygon(dc_, points, count);
}

void GdiCanvas::Line(render::Point a, render::Point b, render::Color color) {
  ++primitives_;
  const POINT points[2] = {Device(a), Device(b)};
  Stroke(points, 2, color);
}

void GdiCanvas::Polyline(std::span<const render::Point> points, bool closed, render::Color color) {
  ++primitives_;
  std::vector<POINT> device;
  device.reserve(points.size() + 1);
  for (const render::Point& p : points) device.push_back(Device(p));
  if (closed && !device.empty()) device.push_back(device.front());
  Stroke(device.data(), static_cast<int>(device.size()), color);
}

void GdiCanvas::Polygon(std::span<const render::Point> corners, render::Color color) {
  ++primitives_;
  std::vector<POINT> device;
  device.reserve(corners.size());
  for (const render::Point& p : corners) device.push_back(Device(p));
  Fill(device.data(), static_cast<int>(device.size()), color);
}

void GdiCanvas::Arc(const render::EllipticArc& arc, render::Color color) {
  ++primitives_;
  std::vector<POINT> device;
  for (const render::Point& p : OutlinePoints(arc, arc.IsWhole())) device.push_back(Device(p));
  Stroke(device.data(), static_cast<int>(device.size()), color);
}

void GdiCanvas::Disc(const render::EllipticArc& ellipse, render::Color color) {
  ++primitives_;
  std::vector<POINT> device;
  for (const render::Point& p : OutlinePoints(ellipse, true)) device.push_back(Device(p));
  Fill(device.data(), static_cast<int>(device.size()), color);
}

void GdiCanvas::Text(const render::TextRun& run, render::Color color) {
  ++primitives_;
  const double size = run.height * view_.Scale() * pixelScale_;
  if (!(size >= 1.0 && size <= kTallestTextPx) || run.text.empty()) return;

  double angle = std::fmod(run.angleDeg, 360.0);
  if (angle < 0.0) angle += 360.0;
  LOGFONTW font{};
  font.lfHeight = -static_cast<LONG>(std::lround(size));
  font.lfEscapement = font.lfOrientation = static_cast<LONG>(std::lround(angle * 10.0)) % 3600;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfQuality = ANTIALIASED_QUALITY;
  std::copy(std::begin(kTextFace), std::end(kTextFace), font.lfFaceName);
  unique_font plain(CreateFontIndirectW(&font));
  if (!plain) return;

  const std::vector<double> cells = run.CellOffsets();
  unique_font stretched;
  HFONT chosen = plain.get();
  const double stretch = cells.empty() ? 1.0 : run.charWidth / run.height;
  if (std::fabs(stretch - 1.0) > 1e-9) {
    // The glyphs are squeezed or widened to the style's cell, relative to the font's own width.
    TEXTMETRICW metrics{};
    {
      ScopedSelect measure(dc_, plain.get());
      GetTextMetricsW(dc_, &metrics);
    }
    font.lfWidth = std::max<LONG>(1, static_cast<LONG>(std::lround(metrics.tmAveCharWidth * stretch)));
    stretched.reset(CreateFontIndirectW(&font));
    if (stretched) chosen = stretched.get();
  }

  ScopedSelect selectFont(dc_, chosen);
  SetTextColor(dc_, ToColorRef(color));
  const auto* text = reinterpret_cast<const wchar_t*>(run.text.data());
  if (cells.empty()) {
    const POINT at = Device(run.origin);
    TextOutW(dc_, at.x, at.y, text, static_cast<int>(run.text.size()));
    return;
  }
  const render::Point along{std::cos(run.angleDeg * kDegree), std::sin(run.angleDeg * kDegree)};
  size_t cell = 0;
  for (size_t i = 0; i < run.text.size() && cell < cells.size(); ++cell) {
    const size_t units =
        i + 1 < run.text.size() && HighSurrogate(run.text[i]) && LowSurrogate(run.text[i + 1]) ? 2 : 1;
    const POINT at = Device({run.origin.x + along.x * cells[cell], run.origin.y + along.y * cells[cell]});
    TextOutW(dc_, at.x, at.y, text + i, static_cast<int>(units));
    i += units;
  }
}

void GdiCanvas::End() { GdiFlush(); }
