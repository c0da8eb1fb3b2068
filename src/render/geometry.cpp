// The fitting transform and the geometry of the host's elliptic arcs.
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "canvas.h"
#include "MyFunc.h"

namespace render {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

// Coordinates up to this far from the origin can be fitted as they are.
constexpr double kRoomiest = std::numeric_limits<double>::max() / 4.0;
// Below this a picture of any size would need more pixels per unit than a double holds.
constexpr double kSmallestSpan = 1e-100;

// True when the parameter angle t lies on the arc that runs from `start` through the signed `sweep`.
bool OnSweep(double t, double start, double sweep) {
  const double low = sweep >= 0.0 ? start : start + sweep;
  double along = std::fmod(t - low, 360.0);
  if (along < 0.0) along += 360.0;
  return along <= std::fabs(sweep) + 1e-9;
}

}  // namespace

void Bounds::Add(Point p) {
  if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
  if (empty) {
    minX = maxX = p.x;
    minY = maxY = p.y;
    empty = false;
    return;
  }
  minX = std::min(minX, p.x);
  maxX = std::max(maxX, p.x);
  minY = std::min(minY, p.y);
  maxY = std::max(maxY, p.y);
}

void Bounds::Add(const Bounds& other) {
  if (other.empty) return;
  Add(Point{other.minX, other.minY});
  Add(Point{other.maxX, other.maxY});
}

ViewTransform FitView(Bounds box, double widthPx, double heightPx, double marginPx) {
  const bool finite = std::isfinite(box.minX) && std::isfinite(box.minY) && std::isfinite(box.maxX) &&
                      std::isfinite(box.maxY);
  if (box.empty || !finite) box = Bounds{-1.0, -1.0, 1.0, 1.0, false};
  // Near the largest double, the span of the box or the room added across a flat one may not be a
  // double any more. The box shrunk to a quarter has spans in range, and a quarter of its scale lands
  // every point on the same pixel.
  const double farthest =
      std::max({std::fabs(box.minX), std::fabs(box.minY), std::fabs(box.maxX), std::fabs(box.maxY)});
  if (farthest > kRoomiest) {
    const Bounds shrunk{box.minX / 4.0, box.minY / 4.0, box.maxX / 4.0, box.maxY / 4.0, false};
    const ViewTransform quarter = FitView(shrunk, widthPx, heightPx, marginPx);
    const Point origin = quarter.ToPicture({0.0, 0.0});
    return ViewTransform(quarter.Scale() / 4.0, origin.x, origin.y, quarter.WidthPx(), quarter.HeightPx());
  }
  // A point or a straight horizontal or vertical run still needs room across it. A span too small for
  // its scale to be a double counts as a point.
  const double longer = std::max(box.Width(), box.Height());
  const double least = longer > kSmallestSpan ? longer * 0.1 : 1.0;
  if (box.Width() < least) {
    const double grow = (least - box.Width()) / 2.0;
    box.minX -= grow;
    box.maxX += grow;
  }
  if (box.Height() < least) {
    const double grow = (least - box.Height()) / 2.0;
    box.minY -= grow;
    box.maxY += grow;
  }

  widthPx = std::max(widthPx, 2.0 * marginPx + 1.0);
  const double usableWidth = widthPx - 2.0 * marginPx;
  if (heightPx <= 0.0) {
    heightPx = std::ceil(box.Height() / box.Width() * usableWidth + 2.0 * marginPx);
    heightPx = std::min(heightPx, 4.0 * widthPx);
  }
  heightPx = std::max(heightPx, 2.0 * marginPx + 1.0);
  const double usableHeight = heightPx - 2.0 * marginPx;

  const double scale = std::min(usableWidth / box.Width(), usableHeight / box.Height());
  const double offsetX = marginPx + (usableWidth - box.Width() * scale) / 2.0 - box.minX * scale;
  const double offsetY = marginPx + (usableHeight - box.Height() * scale) / 2.0 + box.maxY * scale;
  return ViewTransform(scale, offsetX, offsetY, widthPx, heightPx);
}

bool EllipticArc::IsWhole() const { return std::fabs(sweepDeg) >= 360.0 - 1e-9; }

Point EllipticArc::PointAt(double parameterDeg) const {
  const double t = parameterDeg * kDegree;
  const double k = tiltDeg * kDegree;
  const double u = radius * std::cos(t);
  const double v = radius * flatness * std::sin(t);
  return {centre.x + u * std::cos(k) - v * std::sin(k), centre.y + u * std::sin(k) + v * std::cos(k)};
}

Bounds EllipticArc::Extent() const {
  Bounds box;
  const double k = tiltDeg * kDegree;
  // Parameters where the curve turns in x and in y, each with its opposite.
  const double turnX = std::atan2(-flatness * std::sin(k), std::cos(k)) / kDegree;
  const double turnY = std::atan2(flatness * std::cos(k), std::sin(k)) / kDegree;
  const bool whole = IsWhole();
  for (double t : {turnX, turnX + 180.0, turnY, turnY + 180.0}) {
    if (whole || OnSweep(t, startDeg, sweepDeg)) box.Add(PointAt(t));
  }
  if (!whole) {
    box.Add(PointAt(startDeg));
    box.Add(PointAt(startDeg + sweepDeg));
  }
  return box;
}

std::vector<double> TextRun::CellOffsets() const {
  std::vector<double> offsets;
  if (!(charWidth > 0.0)) return offsets;
  offsets.reserve(text.size());
  double along = 0.0;
  for (size_t i = 0; i < text.size(); ++i) {
    size_t units = 1;
    if (i + 1 < text.size() && SurrogateKind(text.substr(i, 1)) == 1 && SurrogateKind(text.substr(i + 1, 1)) == 2)
      units = 2;
    offsets.push_back(along);
    const double cell = charWidth + gap;
    along += units == 1 && IsHalfWidth(text.substr(i, 1)) ? cell / 2.0 : cell;
    i += units - 1;
  }
  return offsets;
}

double TextRun::Length() const {
  if (charWidth > 0.0) return TextSpan(text, charWidth, gap);
  return height * static_cast<double>(text.size());
}

}  // namespace render
