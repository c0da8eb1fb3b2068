// The cost of one keystroke in the dialog's live preview, natively: the construction on the scratch
// model, the lines read back as the host reads them, and the drawing fitted to the panel. The GDI calls
// themselves are Windows-only (preview_gdi_bench); here a counting canvas and the SVG writer stand in.
#include <benchmark/benchmark.h>

#include <string>

#include "JwwGaibu.h"
#include "dialog_values.h"
#include "preview.h"
#include "renderer.h"
#include "svg_canvas.h"

namespace {

// examples/JWC_TEMP.TXT: scale 20, ten text styles, the four indicated points, current style 2.
const std::u16string kSample =
    u"hq\nfile=\nhk 0\nhs 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20\nhzs 420 297\n"
    u"hcw 2 2.5 3 4 5 6 7 8 9 10\nhch 2 2.5 3 4 5 6 7 8 9 10\nhcd 0 0 0.5 0.5 0.5 0.5 1 1 1 1\n"
    u"hcc 1 1 2 2 3 3 4 4 5 5\nhn 0 0 600 1000\nhp1 0 0\nhp2 0 1000\nhp3 500 300\nhp4 600 400\n"
    u"lg0\nly0\nlc2\nlt1\ncn2\ncn\"$<ＭＳ ゴシック>\n";

// The panel at 96 DPI.
constexpr double kPanelWidth = 296.0;
constexpr double kPanelHeight = 397.0;

class CountingCanvas final : public render::Canvas {
 public:
  void Begin(const render::ViewTransform&) override {}
  void Line(render::Point, render::Point, render::Color) override { ++count; }
  void Polyline(std::span<const render::Point>, bool, render::Color) override { ++count; }
  void Polygon(std::span<const render::Point>, render::Color) override { ++count; }
  void Arc(const render::EllipticArc&, render::Color) override { ++count; }
  void Disc(const render::EllipticArc&, render::Color) override { ++count; }
  void Text(const render::TextRun&, render::Color) override { ++count; }
  void End() override {}
  int count = 0;
};

// The loaded model as FormShow leaves it, with `extraLines` selected lines as a large selection brings.
TJGdata LoadedHost(int extraLines) {
  TJGdata host;
  host.ReadTempText(kSample);
  for (int i = 0; i < extraLines; ++i) host.A_Line(i, 0.0, i, 100.0);
  host.S_Init();
  return host;
}

DialogValues TypedValues() {
  DialogValues values;
  values.ComboBox3 = 1;
  values.ComboBox3Items.assign(11, u"");
  return values;
}

// Each iteration changes the precision, as a keystroke in the list would.
void BM_PreviewCompute(benchmark::State& state) {
  const TJGdata host = LoadedHost(static_cast<int>(state.range(0)));
  DialogValues values = TypedValues();
  DimensionPreview preview;
  int32_t precision = 0;
  for (auto _ : state) {
    values.ComboBox4 = precision;
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
    values.ComboBox4 = precision;
    precision = (precision + 1) % 9;
    if (!preview.Compute(values, host).Drawable()) state.SkipWithError("not drawable");
    const TJGdata picture = render::ReadOutputCommands(preview.Scratch());
    CanvasType canvas;
    render::Render(picture, options, canvas);
    benchmark::ClobberMemory();
  }
}

void BM_PreviewComputeAndDrawCounting(benchmark::State& state) { ComputeAndDraw<CountingCanvas>(state); }
BENCHMARK(BM_PreviewComputeAndDrawCounting)->Arg(0)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_PreviewComputeAndDrawSvg(benchmark::State& state) { ComputeAndDraw<render::SvgCanvas>(state); }
BENCHMARK(BM_PreviewComputeAndDrawSvg)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
