// The geometric tests that decide alike whether an entity is written (commands.cpp) or added to the
// model (insert.cpp): what the host would draw as nothing is neither written nor added.
#pragma once

#include <cmath>
#include <cstdint>

#include "MyFunc.h"

namespace geometry_rules {

inline constexpr double kTolerance = 1e-10;

// Points coincide only when both coordinates differ by strictly less than the tolerance.
inline bool Coincide(double ax, double ay, double bx, double by) {
  return std::fabs(ax - bx) < kTolerance && std::fabs(ay - by) < kTolerance;
}

// A length, radius or factor counts as zero up to and including the tolerance.
inline bool CountsAsZero(double v) { return std::fabs(v) <= kTolerance; }

// A text or dimension value needs a direction to run in.
inline bool NoDirection(double dx, double dy) { return CountsAsZero(dx) && CountsAsZero(dy); }

// Circles, arcs and round solids need a radius beyond the tolerance. Written as the refusal, so that
// a radius that is not a number is refused only where the caller checks for it.
inline bool NoRadius(double r) { return r <= kTolerance; }

// A round solid needs a radius and a flatness.
inline bool RoundSolidIsDegenerate(double r, double h) { return NoRadius(r) || CountsAsZero(h); }

// The fill codes the host takes for "sc" and for "se".
inline bool SolidCCodeAllowed(int32_t cod) { return cod == 0 || cod == 5 || cod == 100 || cod == -1; }
inline bool SolidDCodeAllowed(int32_t cod) { return cod == 0 || cod == 100; }

// A triangle with two corners together has no area to fill.
inline bool TriangleIsDegenerate(double x1, double y1, double x2, double y2, double x3, double y3) {
  return Coincide(x1, y1, x2, y2) || Coincide(x2, y2, x3, y3) || Coincide(x3, y3, x1, y1);
}

// A ring needs an inner radius strictly inside the outer one and a flatness.
inline bool RingIsAcceptable(double r, double h, double ri) {
  return r > kTolerance && ri > kTolerance && ri < r - kTolerance && !CountsAsZero(h);
}

// The measured length of a dimension given no text, rounded half up at the tenth decimal so that
// binary noise such as 0.30000000000000004 does not become the value. Beyond 2^53 * 1e-10 the length
// is whole anyway and is kept as it is; it is not finite only when the coordinates overflow it.
inline double MeasuredLength(double x1, double y1, double x2, double y2) {
  const double length = PointDistance(x1, y1, x2, y2);
  const double rounded = std::trunc(length / kTolerance + 0.5) * kTolerance;
  return std::isfinite(rounded) ? rounded : length;
}

// A quadrilateral with coinciding corners is reduced to the triangle that remains, handed to
// `triangle`, or dropped when what remains has no area to fill. False when no corners coincide.
template <typename Triangle>
bool ReduceQuadrilateral(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
                         double y4, Triangle&& triangle) {
  if (Coincide(x2, y2, x1, y1)) {
    triangle(x1, y1, x3, y3, x4, y4);
    return true;
  }
  if (Coincide(x3, y3, x1, y1)) return true;
  if (Coincide(x4, y4, x1, y1)) {
    triangle(x1, y1, x2, y2, x3, y3);
    return true;
  }
  if (Coincide(x3, y3, x2, y2)) {
    triangle(x1, y1, x2, y2, x4, y4);
    return true;
  }
  if (Coincide(x4, y4, x2, y2)) return true;
  if (Coincide(x4, y4, x3, y3)) {
    triangle(x1, y1, x2, y2, x3, y3);
    return true;
  }
  return false;
}

}  // namespace geometry_rules
