// How fast the exchange-file reader loads a very large selection, beside the decoding alone.
// Generates one million entity records of mixed kinds in Shift_JIS (with attribute records between
// them) into a temporary file, then times OpenTempFile and platform::ReadTextFile on it and reports
// MB/s, records/s and the peak resident memory of a read.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <string_view>

#include "JwwGaibu.h"
#include "MyFunc.h"
#include "platform.h"

namespace {

constexpr int kEntities = 1000000;

// A size in kB from /proc/self/status, -1 when the line is missing. The resident-set high-water mark
// (VmHWM) has a reset below, so that each read is measured alone and not against the generation of
// the file; VmRSS is the size now.
long StatusKb(std::string_view key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with(key) && line.size() > key.size() && line[key.size()] == ':')
      return std::stol(line.substr(key.size() + 1));
  }
  return -1;
}

void ResetPeakResident() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
}

// Bytes that the model's tables hold, counting the heap part of strings.
double ModelBytes(const TJGdata& jg) {
  auto table = [](const auto& v) { return static_cast<double>(v.capacity() * sizeof(v[0])); };
  auto text = [](const std::u16string& s) {
    return s.capacity() > 7 ? static_cast<double>((s.capacity() + 1) * sizeof(char16_t)) : 0.0;
  };
  double bytes = table(jg.EntNo) + table(jg.EntLine) + table(jg.EntCirc) + table(jg.EntArc) + table(jg.EntText) +
                 table(jg.EntPnt) + table(jg.EntMark) + table(jg.EntDim) + table(jg.EntBlk) + table(jg.EntSld2) +
                 table(jg.EntSld3) + table(jg.EntSld4) + table(jg.EntSldC) + table(jg.EntSldE) + table(jg.EntSldO) +
                 table(jg.EntSldG);
  for (int32_t i = 0; i < jg.EntTextN; ++i) {
    bytes += text(jg.EntText[static_cast<size_t>(i)].st) + text(jg.EntText[static_cast<size_t>(i)].fo);
  }
  for (int32_t i = 0; i < jg.EntDimN; ++i) {
    bytes += text(jg.EntDim[static_cast<size_t>(i)].txt.st) + text(jg.EntDim[static_cast<size_t>(i)].txt.fo);
  }
  return bytes;
}

struct GeneratedFile {
  std::filesystem::path path;
  double bytes = 0;
  int64_t records = 0;  // every line, attribute and header records included
};

// Writes the file in slices so that its generation does not set the memory high-water mark.
GeneratedFile Generate(const std::filesystem::path& path) {
  std::mt19937_64 random(20240601);
  std::uniform_real_distribution<double> coordinate(-50000.0, 50000.0);
  auto number = [&] { return FloatToText(coordinate(random)); };
  auto integer = [&](int limit) { return IntToText(static_cast<int32_t>(random() % static_cast<uint64_t>(limit))); };
  const std::u16string texts[] = {u"寸法表示", u"ソファ 幅1800", u"平面図 ｶﾞｽ管", u"W=1200 H=2400", u"表札"};

  GeneratedFile file{path, 0, 0};
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  std::u16string slice;
  auto line = [&](const std::u16string& text) {
    slice += text;
    slice += u"\r\n";
    ++file.records;
  };
  line(u"hq");
  line(u"file=C:\\jww\\図面 1.jww");
  line(u"hk 0");
  line(u"hs 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100");
  line(u"hcw 2 2.5 3 4 5 6 7 8 9 10");
  line(u"hch 2 2.5 3 4 5 6 7 8 9 10");
  line(u"hcd 0 0 0.5 0.5 0.5 0.5 1 1 1 1");
  line(u"hcc      1      1      2      2      3      3      4      4      5      5");
  line(u"cn\"$<ＭＳ ゴシック>");
  for (int i = 0; i < kEntities; ++i) {
    if (i % 7 == 0) {
      // Attribute records between the entities, as the host writes them when they change.
      line(u"lg" + std::u16string(1, u"0123456789ABCDEF"[i / 7 % 16]));
      line(u"ly" + std::u16string(1, u"0123456789ABCDEF"[i / 3 % 16]));
      line(u"lc" + integer(9));
      line(u"lt" + integer(6));
      if (i % 21 == 0) line(u"lyn壁 " + integer(100));
      if (i % 35 == 0) line(u"cn" + integer(11));
      if (i % 49 == 0) line(u"z1");
    }
    switch (i % 10) {
      case 0:
      case 1:
      case 2:
        line(number() + u" " + number() + u" " + number() + u" " + number());
        break;
      case 3:
        line(u"ci " + number() + u" " + number() + u" " + number());
        break;
      case 4:
        line(u"ci " + number() + u" " + number() + u" " + number() + u" 0 90 1 0");
        break;
      case 5:
        line(u"ch " + number() + u" " + number() + u" 1 0 \"" + texts[i % 5] + u" " + IntToText(i));
        break;
      case 6:
        line(u"pn2");
        line(i % 20 == 6 ? u"pt " + number() + u" " + number() : u"pt " + number() + u" " + number() + u" 1 0 3");
        break;
      case 7:
        line(u"lc10 " + integer(16777216));
        line(u"sl " + number() + u" " + number() + u" " + number() + u" " + number() + u" " + number() + u" " +
             number() + u" " + number() + u" " + number());
        break;
      case 8:
        line(u"msg");
        line(number() + u" " + number() + u" " + number() + u" " + number());
        line(u"cs " + number() + u" " + number() + u" 1 0 \"" + IntToText(i % 9000 + 100));
        break;
      default:
        line(u"pl");
        line(number() + u" " + number() + u" " + number() + u" " + number());
        line(u"#");
        break;
    }
    if (slice.size() > (1u << 20)) {
      const std::string bytes = platform::EncodeAnsi(slice);
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      file.bytes += static_cast<double>(bytes.size());
      slice.clear();
    }
  }
  const std::string bytes = platform::EncodeAnsi(slice);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.bytes += static_cast<double>(bytes.size());
  return file;
}

void ReportMemory(benchmark::State& state, long baselineKb, const GeneratedFile& file) {
  const long peakKb = StatusKb("VmHWM");
  state.counters["file_MB"] = file.bytes / 1e6;
  state.counters["peak_MB"] = static_cast<double>(peakKb - baselineKb) * 1024 / 1e6;
}

void BM_OpenTempFile(benchmark::State& state, const GeneratedFile& file) {
  double modelBytes = 0;
  int32_t entities = 0;
  ResetPeakResident();
  const long baselineKb = StatusKb("VmRSS");
  for (auto _ : state) {
    // Only the read is timed: creating the model and freeing it afterwards are not part of it.
    state.PauseTiming();
    auto jg = std::make_unique<TJGdata>();
    state.ResumeTiming();
    jg->OpenTempFile(file.path.u16string());
    state.PauseTiming();
    entities = jg->EntN;
    modelBytes = ModelBytes(*jg);
    jg.reset();
    state.ResumeTiming();
  }
  ReportMemory(state, baselineKb, file);
  state.SetBytesProcessed(static_cast<int64_t>(file.bytes) * state.iterations());
  state.counters["records/s"] =
      benchmark::Counter(static_cast<double>(file.records * state.iterations()), benchmark::Counter::kIsRate);
  state.counters["entities"] = entities;
  state.counters["model_MB"] = modelBytes / 1e6;
}

void BM_ReadTextFile(benchmark::State& state, const GeneratedFile& file) {
  ResetPeakResident();
  const long baselineKb = StatusKb("VmRSS");
  for (auto _ : state) {
    platform::ReadTextResult result = platform::ReadTextFile(file.path.u16string());
    benchmark::DoNotOptimize(result.text.data());
  }
  ReportMemory(state, baselineKb, file);
  state.SetBytesProcessed(static_cast<int64_t>(file.bytes) * state.iterations());
}

// The line parser alone, on a text decoded beforehand: what OpenTempFile adds to the decoding.
void BM_ReadTempText(benchmark::State& state, const GeneratedFile& file) {
  const std::u16string text = platform::ReadTextFile(file.path.u16string()).text;
  for (auto _ : state) {
    state.PauseTiming();
    auto jg = std::make_unique<TJGdata>();
    state.ResumeTiming();
    jg->ReadTempText(text);
    state.PauseTiming();
    jg.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(file.bytes) * state.iterations());
  state.counters["records/s"] =
      benchmark::Counter(static_cast<double>(file.records * state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const auto path = std::filesystem::temp_directory_path() / "tarvik-reader-bench-JWC_TEMP.TXT";
  const GeneratedFile file = Generate(path);
  std::printf("generated %s: %.1f MB, %lld records, %d entities\n", path.string().c_str(), file.bytes / 1e6,
              static_cast<long long>(file.records), kEntities);
  benchmark::RegisterBenchmark("ReadTextFile", BM_ReadTextFile, file)->Unit(benchmark::kMillisecond)->MinTime(2);
  benchmark::RegisterBenchmark("OpenTempFile", BM_OpenTempFile, file)->Unit(benchmark::kMillisecond)->MinTime(2);
  benchmark::RegisterBenchmark("ReadTempText", BM_ReadTempText, file)->Unit(benchmark::kMillisecond)->MinTime(2);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
  return 0;
}
