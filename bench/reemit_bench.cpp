// Cost of handing a selection back with its polylines kept together (S_EntAllp), for selections of
// 1,000, 10,000 and 100,000 polylines of ten lines each, with a free circle after every polyline.
// "per_entity" is the time per entity written: it should stay flat as the selection grows.
// The polylines come either in reading order, as the host hands them over, or interleaved, every
// polyline's lines spread across the whole selection.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "JwwGaibu.h"

namespace {

constexpr int32_t kLinesPerPolyline = 10;

TJGdata Selection(int32_t polylines, bool interleaved) {
  TJGdata jg;
  const int32_t lines = polylines * kLinesPerPolyline;
  for (int32_t i = 0; i < lines; ++i) {
    const double x = 7306.10278372591 + i;
    jg.A_Line(x, -2989.07922912206, x + 1000, -2989.07922912206 + 0.5 * (i % 7));
    // Line i is line i % 10 of polyline i / 10, or line i / polylines of polyline i % polylines.
    jg.EntLine[static_cast<size_t>(i)].CrvNo = 1 + (interleaved ? i % polylines : i / kLinesPerPolyline);
    if ((i + 1) % kLinesPerPolyline == 0) jg.A_Circle(x, 0, 2.5);
  }
  return jg;
}

void BM_EntAllp(benchmark::State& state) {
  const auto polylines = static_cast<int32_t>(state.range(0));
  const bool interleaved = state.range(1) != 0;
  TJGdata jg = Selection(polylines, interleaved);
  for (auto _ : state) {
    jg.S_Init();
    jg.S_EntAllp(-1, -1, -1, -1, -1, -1, -1, -1);
    benchmark::DoNotOptimize(jg.t_MemN);
  }
  state.SetItemsProcessed(state.iterations() * jg.EntN);
  state.counters["entities"] = jg.EntN;
  state.counters["per_entity"] =
      benchmark::Counter(static_cast<double>(jg.EntN), benchmark::Counter::kIsIterationInvariantRate |
                                                           benchmark::Counter::kInvert);
  state.SetLabel(interleaved ? "interleaved" : "reading order");
}

BENCHMARK(BM_EntAllp)
    ->ArgsProduct({{1000, 10000, 100000}, {0, 1}})
    ->ArgNames({"polylines", "interleaved"})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
