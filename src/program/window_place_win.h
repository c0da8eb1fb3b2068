// The monitors of this desktop, for PlaceOnScreen.
#pragma once

#include <vector>

#include "window_place.h"

// Every monitor with its bounds and work area, in physical pixels for a per-monitor aware program;
// empty when the system lists none.
std::vector<MonitorArea> DisplayMonitors();
