// A window's place on the screens, decided without a window so that every arrangement can be tested.
#include "window_place.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

bool Overlap(const ScreenRect& a, const ScreenRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Squared distance between the nearest points of two rectangles; 0 when they touch or overlap.
double Distance(const ScreenRect& a, const ScreenRect& b) {
  const double dx = static_cast<double>(std::max<int64_t>({0, b.left - a.right, a.left - b.right}));
  const double dy = static_cast<double>(std::max<int64_t>({0, b.top - a.bottom, a.top - b.bottom}));
  return dx * dx + dy * dy;
}

int32_t Into(int64_t start, int64_t length, int64_t from, int64_t to) {
  return static_cast<int32_t>(std::clamp(start, from, std::max(from, to - length)));
}

}  // namespace

ScreenPoint PlaceOnScreen(ScreenPoint stored, int32_t width, int32_t height,
                          const std::vector<MonitorArea>& monitors) {
  // 64 bits: a stored place near the end of the 32-bit range plus the window's size must not wrap.
  const ScreenRect window{stored.x, stored.y, int64_t{stored.x} + width, int64_t{stored.y} + height};
  const MonitorArea* nearest = nullptr;
  double nearestDistance = std::numeric_limits<double>::infinity();
  for (const MonitorArea& monitor : monitors) {
    if (Overlap(window, monitor.bounds)) return stored;
    const double distance = Distance(window, monitor.bounds);
    if (distance < nearestDistance) {
      nearest = &monitor;
      nearestDistance = distance;
    }
  }
  if (nearest == nullptr) return stored;
  const ScreenRect& work = nearest->workArea;
  return ScreenPoint{Into(window.left, width, work.left, work.right),
                     Into(window.top, height, work.top, work.bottom)};
}
