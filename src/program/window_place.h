// Where a window stands when it opens: at its stored place, unless no monitor would show any of it
// there (a monitor unplugged, the resolution changed, a hand-edited settings file).
#pragma once

#include <cstdint>
#include <vector>

// A point of the virtual screen in pixels: a window's outer top-left corner.
struct ScreenPoint {
  int32_t x = 0;
  int32_t y = 0;
};

// A rectangle of the virtual screen in pixels, right and bottom exclusive.
struct ScreenRect {
  int64_t left = 0;
  int64_t top = 0;
  int64_t right = 0;
  int64_t bottom = 0;
};

struct MonitorArea {
  ScreenRect bounds;    // the whole monitor
  ScreenRect workArea;  // without the task bar and other docked bars
};

// The top-left corner for a window of `width` by `height` stored at `stored`: unchanged when the window
// there overlaps a monitor (or none is known); otherwise moved into the work area of the nearest
// monitor, as little as possible, its top-left corner kept inside when the window is larger than it.
ScreenPoint PlaceOnScreen(ScreenPoint stored, int32_t width, int32_t height,
                          const std::vector<MonitorArea>& monitors);
