// Arbitrary bytes as selvan.dat: through LoadSettings (file, byte-order mark, code page, lines, the
// rule of each line). Every selection must come out inside its list or as no selection; when the
// values then pass the OK checks, a whole construction from them must write only finite numbers.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "JwwGaibu.h"
#include "checks.h"
#include "construction.h"
#include "dialog_values.h"
#include "settings_file.h"

namespace {

const std::filesystem::path& ScratchFile() {
  static const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("tarvik-fuzz-" + std::to_string(getpid()) + "-selvan.dat");
  return file;
}

void CheckList(int32_t index, size_t count) {
  if (index != kNoSelection && (index < 0 || static_cast<size_t>(index) >= count)) std::abort();
}

// The worked run's points at scale 100, so that large distances overflow when scaled.
TJGdata Model() {
  TJGdata model;
  model.LGrpScale[0] = 100.0;
  model.IPoints[1] = TJwwIndPoint{true, 0.0, 0.0, 0};
  model.IPoints[2] = TJwwIndPoint{true, 0.0, 1000.0, 0};
  model.IPoints[3] = TJwwIndPoint{true, 500.0, 300.0, 0};
  model.IPoints[4] = TJwwIndPoint{true, 600.0, 400.0, 0};
  model.S_Init();
  return model;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  {
    std::ofstream out(ScratchFile(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  TJGdata model = Model();
  DialogValues values;
  values.textStyleItems = TextStyleItems(model);
  WindowPosition position;
  LoadSettings(ScratchFile().u16string(), values, position);

  CheckList(values.startMarker, EndMarkerItems().size());
  CheckList(values.endMarker, EndMarkerItems().size());
  CheckList(values.textStyle, values.textStyleItems.size());
  CheckList(values.precision, PrecisionItems().size());
  CheckList(values.rounding, RoundingItems().size());
  if (values.showZeros < 0 || values.showZeros > 1 || values.unit < 0 || values.unit > 1) {
    std::abort();
  }
  if (values.textStyleItems.size() != 11) std::abort();
  if (SettingsLines(values, position, model).size() != 31) std::abort();

  if (!CheckOk(values)) {
    const BuildResult result = BuildDimension(values, model, nullptr);
    if (result == BuildResult::Built && model.t_MemN == 0) std::abort();
    if (result != BuildResult::Built && model.t_MemN != 0) std::abort();
    for (int32_t i = 0; i < model.t_MemN; ++i) {
      const std::u16string& line = model.t_Mem[static_cast<size_t>(i)];
      const size_t text = line.find(u'"');
      const std::u16string numbers = line.substr(0, text);
      if (numbers.find(u"INF") != std::u16string::npos || numbers.find(u"NAN") != std::u16string::npos)
        std::abort();
    }
  }
  return 0;
}
