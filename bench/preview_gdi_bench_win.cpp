// One keystroke of the live preview on Windows, GDI included: the panel of the dialog, at its 96-DPI
// size, recomputes and redraws its back buffer and paints, for each of a few thousand precision changes.
// Prints the times per keystroke; a benchmark, not a test (run it with a display).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "JwwGaibu.h"
#include "bench_fixtures.h"
#include "dialog_values.h"
#include "dimension_dialog_layout_win.h"
#include "preview_panel_win.h"

namespace {

constexpr int kKeystrokes = 2000;

double Milliseconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

int main() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  HWND host = CreateWindowExW(0, L"STATIC", L"preview bench", WS_POPUP | WS_VISIBLE, 0, 0, kPreviewWidth,
                              kClientHeight, nullptr, nullptr, instance, nullptr);
  if (host == nullptr) {
    std::fprintf(stderr, "preview_gdi_bench: no window (is there a display?)\n");
    return 1;
  }
  PreviewPanel panel;
  if (!panel.Create(instance, host, kPreviewItemId)) return 1;
  panel.SetDpi(USER_DEFAULT_SCREEN_DPI);
  SetWindowPos(panel.Handle(), nullptr, kPreviewMargin, kPreviewMargin, kPreviewWidth - 2 * kPreviewMargin,
               kClientHeight - 2 * kPreviewMargin, SWP_NOZORDER | SWP_NOACTIVATE);

  TJGdata model;
  model.ReadTempText(bench_fixtures::kExampleTempText);
  model.S_Init();
  DialogValues values;
  values.textStyle = 1;
  values.textStyleItems.assign(11, u"");

  std::vector<double> times;
  times.reserve(kKeystrokes);
  for (int i = 0; i < kKeystrokes; ++i) {
    values.precision = i % 9;
    const auto start = std::chrono::steady_clock::now();
    panel.Update(values, model, Orientation::Vertical);
    UpdateWindow(panel.Handle());  // the paint from the back buffer, as the message loop would do next
    times.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
  }
  std::sort(times.begin(), times.end());
  double total = 0.0;
  for (double t : times) total += t;
  std::printf("preview keystroke (compute, read back, GDI draw into the back buffer, paint), %d runs:\n",
              kKeystrokes);
  std::printf("  mean %.3f ms  median %.3f ms  95th percentile %.3f ms  max %.3f ms\n", total / kKeystrokes,
              times[times.size() / 2], times[times.size() * 95 / 100], times.back());
  DestroyWindow(host);
  return 0;
}
