// Throughput of the output side: a million output lines appended through the S_ operations (lines,
// texts, circles, dimensions and the attribute changes between them), then written as the exchange
// file. Reports lines per second as items processed.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

#include "JwwGaibu.h"

namespace {

constexpr int32_t kLines = 1000000;

// A drawing of the kind the host hands over: long coordinates from a real drawing mixed with round
// ones, Japanese texts, a colour or style change every few entities and a new layer now and then.
void AppendDrawing(TJGdata& jg) {
  jg.WidF = true;
  jg.S_Init();
  for (int32_t i = 0; jg.t_MemN < kLines; ++i) {
    const double x = 7306.10278372591 + 0.25 * (i % 4000);
    const double y = -2989.07922912206 + 1.5 * (i % 1000);
    if (i % 64 == 0) {
      jg.S_LGrp((i / 64) % 16);
      jg.S_Lay((i / 1024) % 16);
      jg.S_Wid(i % 3);
    }
    jg.S_Col(1 + i % 9, 0);
    jg.S_Ltp(1 + (i / 8) % 2, 0);
    jg.S_Attr(4);
    jg.S_Line(x, y, x + 1000, y);
    jg.S_Line(i % 500, 0, i % 500, 250.5);
    if (i % 8 == 0) jg.S_Mjs(1 + (i / 8) % 10, 0, 0, 0, 0, 0);
    jg.S_Font(i % 32 == 0 ? u"ＭＳ 明朝" : u"ＭＳ ゴシック");
    jg.S_Text(i % 10, x, y + 5, 10, 0, u"寸法 1234.5");
    jg.S_Circle(x, y, 2.5);
    if (i % 16 == 0) jg.S_Dim(x, y, x, y + 1234.5, x + 5, y + 600, 0, 10, u"");
    if (i % 16 == 8) {
      jg.S_SColRGB(i % 256, 128, 64);
      jg.S_Solid4(x, y, x + 10, y, x + 10, y + 10, x, y + 10);
    }
  }
}

std::u16string ScratchFile(const char* name) {
  return (std::filesystem::temp_directory_path() / name).u16string();
}

void RemoveScratch(const std::u16string& path) {
  std::error_code ignored;
  std::filesystem::remove(std::filesystem::path(path), ignored);
}

// The whole output side of a run: commands, then the file.
void BM_CommandsAndSave(benchmark::State& state) {
  const bool utf8 = state.range(0) != 0;
  const auto path = ScratchFile("tarvik-writer-bench.txt");
  int64_t lines = 0;
  for (auto _ : state) {
    TJGdata jg;
    jg.MojiCode = utf8;
    AppendDrawing(jg);
    if (!jg.SaveTempFile(path)) state.SkipWithError("the exchange file could not be written");
    lines += jg.t_MemN;
  }
  state.SetItemsProcessed(lines);
  state.SetLabel(utf8 ? "UTF-8" : "Shift_JIS");
  RemoveScratch(path);
}
BENCHMARK(BM_CommandsAndSave)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The S_ operations alone.
void BM_Commands(benchmark::State& state) {
  int64_t lines = 0;
  for (auto _ : state) {
    TJGdata jg;
    AppendDrawing(jg);
    benchmark::DoNotOptimize(jg.t_Mem.data());
    lines += jg.t_MemN;
  }
  state.SetItemsProcessed(lines);
}
BENCHMARK(BM_Commands)->Unit(benchmark::kMillisecond)->UseRealTime();

// Writing a finished buffer of a million lines.
void BM_Save(benchmark::State& state) {
  const bool utf8 = state.range(0) != 0;
  const auto path = ScratchFile("tarvik-writer-bench-save.txt");
  TJGdata jg;
  jg.MojiCode = utf8;
  AppendDrawing(jg);
  for (auto _ : state) {
    if (!jg.SaveTempFile(path)) state.SkipWithError("the exchange file could not be written");
  }
  state.SetItemsProcessed(state.iterations() * jg.t_MemN);
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(std::filesystem::file_size(std::filesystem::path(path))));
  state.SetLabel(utf8 ? "UTF-8" : "Shift_JIS");
  RemoveScratch(path);
}
BENCHMARK(BM_Save)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
