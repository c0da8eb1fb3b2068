// Where a window opens: at the stored place while any monitor shows part of it, otherwise inside the
// work area of the nearest monitor.
#include "window_place.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// Two monitors side by side, the left one with a task bar of 40 pixels at its bottom; the right one
// stands 200 pixels lower.
const std::vector<MonitorArea> kMonitors = {
    {{0, 0, 1280, 1024}, {0, 0, 1280, 984}},
    {{1280, 200, 3200, 1280}, {1280, 200, 3200, 1280}},
};

TEST(PlaceOnScreen, MovesOnlyAWindowThatNoMonitorShows) {
  struct Case {
    const char* what;
    ScreenPoint stored;
    ScreenPoint expected;
    std::vector<MonitorArea> monitors = kMonitors;
  };
  const std::vector<MonitorArea> small = {{{0, 0, 400, 300}, {0, 0, 400, 260}}};
  const Case cases[] = {
      // Shown, if only in part: left where the user put it.
      {"on the left monitor", {50, 50}, {50, 50}},
      {"half off the left edge", {-300, 30}, {-300, 30}},
      {"on the right monitor", {2000, 600}, {2000, 600}},
      {"one pixel on screen", {1279, 1023}, {1279, 1023}},
      // Shown by none: into the nearest work area, moved as little as possible.
      {"left of everything", {-2000, 100}, {0, 100}},
      {"below the left monitor", {0, 2000}, {0, 984 - 440}},
      {"above the right monitor", {2500, -900}, {2500, 200}},
      {"in the gap above the right monitor", {1500, -300}, {1500, 200}},
      {"far beyond the right monitor", {2'000'000'000, 2'000'000'000}, {3200 - 520, 1280 - 440}},
      {"at the 32-bit limit", {INT32_MAX, INT32_MIN}, {3200 - 520, 200}},
      // A work area too small for the window keeps its top-left corner inside.
      {"off a monitor smaller than the window", {900, 900}, {0, 0}, small},
      // An edge lying exactly on the monitor's far edge shows nothing.
      {"left edge on the monitor's right edge", {400, 0}, {0, 0}, small},
      {"right edge on the monitor's left edge", {-520, 0}, {0, 0}, small},
      {"top edge on the monitor's bottom edge", {0, 300}, {0, 0}, small},
      {"bottom edge on the monitor's top edge", {0, -440}, {0, 0}, small},
      {"no monitor known: left alone", {-5000, 7000}, {-5000, 7000}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ScreenPoint placed = PlaceOnScreen(c.stored, 520, 440, c.monitors);
    EXPECT_EQ(placed.x, c.expected.x);
    EXPECT_EQ(placed.y, c.expected.y);
  }
}

}  // namespace
