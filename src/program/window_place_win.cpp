// The monitors of this desktop as EnumDisplayMonitors and GetMonitorInfo report them.
#include "window_place_win.h"

#include <windows.h>

namespace {

ScreenRect FromRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoW(monitor, &info)) {
    reinterpret_cast<std::vector<MonitorArea>*>(list)->push_back(
        {FromRect(info.rcMonitor), FromRect(info.rcWork)});
  }
  return TRUE;
}

}  // namespace

std::vector<MonitorArea> DisplayMonitors() {
  std::vector<MonitorArea> monitors;
  EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}
