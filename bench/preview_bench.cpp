// The cost of one keystroke in the dialog's live preview, natively: the construction on the scratch
// model, the lines read back as the host reads them, and the drawing fitted to the panel. The GDI calls
// themselves are Windows-only (preview_gdi_bench); here a counting canvas and the SVG writer stand in.
#include <benchmark/benchmark.h>

#include <string>

#include "JwwGaibu.h"
#include "bench_fixtures.h"
#include "dialog_values.h"
#include "preview.h"
#include "renderer.h"
#include "svg_canvas.h"

namespace {

// The panel at 96 DPI.
constexpr double kPanelWidth = 296.0;
constexpr double kPanelHeight = 397.0;

// The loaded model as Load leaves it, with `extraLines` selected lines as a large selection brings.
TJGdata LoadedHost(int extraLines) {
  TJGdata host;
  host.ReadTempText(bench_fixtures::kExampleTempText);
  for (int i = 0; i < extraLines; ++i) host.A_Line(i, 0.0, i, 100.0);
  host.S_Init();
  return host;
}

DialogValues TypedValues() {
  DialogValues values;
  values.textStyle = 1;
  values.textStyleItems.assign(11, u"");
  return values;
}

// Each iteration changes the precision, as a keystroke in the list would.
void BM_PreviewCompute(benchmark::State& state) {
  const TJGdata host = LoadedHost(static_cast<int>(state.range(0)));
  DialogValues values = TypedValues();
  DimensionPreview preview;
  int32_t precision = 0;
  for (auto _ : state) {
    values.precision = precision;
    precision = (precision + 1) % 9;
    benchmark::DoNotOptimize(preview.Compute(values, host).lines.data());
  }
}
// The loaded entities must not matter: the preview copies settings, not tables.
BENCHMARK(BM_PreviewCompute)->Arg(0)->Arg(100000)->Unit(benchmark::kMicrosecond);

template <typename CanvasType>
void ComputeAndDraw(benchmark::State& state) {
  const TJGdata host = LoadedHost(static_cast<int>(state.range(0)));
  DialogValues values = TypedValues();
  DimensionPreview preview;
  render::RenderOptions options;
  options.widthPx = kPanelWidth;
  options.heightPx = kPanelHeight;
  options.marginPx = 16.0;
  int32_t precision = 0;
  for (auto _ : state) {
    values.precision = precision;
    precision = (precision + 1) % 9;
    if (!preview.Compute(values, host).Drawable()) state.SkipWithError("not drawable");
    const TJGdata picture = render::ReadOutputCommands(preview.Scratch());
    CanvasType canvas;
    render::Render(picture, options, canvas);
    benchmark::ClobberMemory();
  }
}

void BM_PreviewComputeAndDrawCounting(benchmark::State& state) {
  ComputeAndDraw<bench_fixtures::CountingCanvas>(state);
}
BENCHMARK(BM_PreviewComputeAndDrawCounting)->Arg(0)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_PreviewComputeAndDrawSvg(benchmark::State& state) { ComputeAndDraw<render::SvgCanvas>(state); }
BENCHMARK(BM_PreviewComputeAndDrawSvg)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
