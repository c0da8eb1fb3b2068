// Parse-and-draw time of one dimension as the tool writes it (the preview redraws on every key).
#include <benchmark/benchmark.h>

#include <string>

#include "JwwGaibu.h"
#include "bench_fixtures.h"
#include "renderer.h"
#include "svg_canvas.h"

namespace {

// The host's header and the 31 lines the construction writes for the worked example: four indicated
// points, line arrows at both ends, the value "1000" in text style 1.
const std::u16string kDimensionOutput =
    u"hs 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100\n"
    u"hcw 2 2.5 3 4 5 6 7 8 9 10\nhch 2 2.5 3 4 5 6 7 8 9 10\nhcd 0 0 0.5 0.5 0.5 0.5 1 1 1 1\n"
    u"hcc 1 1 2 2 3 3 4 4 5 5\n"
    u"hp1 0 0\nhp2 0 100000\nhp3 50000 30000\nhp4 60000 40000\n"
    u"lg0\nly0\nlc2\npn2\nlt1\ncn\"$<ＭＳ ゴシック>\n"
    u"z3\n200 0 50200 0\nz3\n200 100000 50200 100000\n"
    u"z3\n50000 0 50000 100000\ncn1\ncc0\nz3\ncs 60000 40000 6.12323399573677E-16 10 \"100000\n"
    u"z3\n50000 50000 60050 41350\nz3\n60050 39950 60050 41350\n"
    u"z3\n50000 0 49922.3555845 289.777747887\nz3\n50000 0 50077.6444155 289.777747887\nz3\n"
    u"z3\n50000 100000 50077.6444155 99710.2222521\nz3\n50000 100000 49922.3555845 99710.2222521\ncn2\n";

void BM_ParseAndRenderSvg(benchmark::State& state) {
  for (auto _ : state) {
    TJGdata model;
    model.ReadTempText(kDimensionOutput);
    render::SvgCanvas canvas;
    render::Render(model, render::RenderOptions{}, canvas);
    benchmark::DoNotOptimize(canvas.Document().data());
  }
}
BENCHMARK(BM_ParseAndRenderSvg);

void BM_ParseAndRenderCounting(benchmark::State& state) {
  for (auto _ : state) {
    TJGdata model;
    model.ReadTempText(kDimensionOutput);
    bench_fixtures::CountingCanvas canvas;
    render::Render(model, render::RenderOptions{}, canvas);
    benchmark::DoNotOptimize(canvas.count);
  }
}
BENCHMARK(BM_ParseAndRenderCounting);

void BM_RenderOnlySvg(benchmark::State& state) {
  TJGdata model;
  model.ReadTempText(kDimensionOutput);
  for (auto _ : state) {
    render::SvgCanvas canvas;
    render::Render(model, render::RenderOptions{}, canvas);
    benchmark::DoNotOptimize(canvas.Document().data());
  }
}
BENCHMARK(BM_RenderOnlySvg);

}  // namespace

BENCHMARK_MAIN();
