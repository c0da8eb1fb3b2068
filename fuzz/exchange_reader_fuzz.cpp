// Arbitrary bytes as an exchange file: through the whole loading path (file, byte-order mark, code
// page, lines, tokeniser, record rules), then straight into the line parser as UTF-8 and as raw UTF-16
// units, so that control characters, NULs and lone surrogates reach it too. After each read the
// model's tables must still agree with their counts. The model read from the file is then handed
// back whole, once entity by entity and once with its polylines together (Escape held after a
// number of samples the input chooses), and what that writes must read back into a sound model.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "JwwGaibu.h"
#include "platform.h"

namespace {

template <typename T>
void CheckTable(int32_t count, const std::vector<T>& table) {
  if (count < 0 || static_cast<size_t>(count) > table.size()) std::abort();
}

// What every filler promises: one EntNo entry per entity, in range, with ascending indices per kind.
void CheckModel(const TJGdata& jg) {
  CheckTable(jg.EntN, jg.EntNo);
  CheckTable(jg.EntLineN, jg.EntLine);
  CheckTable(jg.EntCircN, jg.EntCirc);
  CheckTable(jg.EntArcN, jg.EntArc);
  CheckTable(jg.EntTextN, jg.EntText);
  CheckTable(jg.EntPntN, jg.EntPnt);
  CheckTable(jg.EntMarkN, jg.EntMark);
  CheckTable(jg.EntDimN, jg.EntDim);
  CheckTable(jg.EntBlkN, jg.EntBlk);
  CheckTable(jg.EntSld2N, jg.EntSld2);
  CheckTable(jg.EntSld3N, jg.EntSld3);
  CheckTable(jg.EntSld4N, jg.EntSld4);
  CheckTable(jg.EntSldCN, jg.EntSldC);
  CheckTable(jg.EntSldEN, jg.EntSldE);
  CheckTable(jg.EntSldON, jg.EntSldO);
  CheckTable(jg.EntSldGN, jg.EntSldG);
  const int32_t counts[16] = {0,           jg.EntLineN, jg.EntCircN, jg.EntArcN,  jg.EntTextN, jg.EntPntN,
                              jg.EntMarkN, jg.EntDimN,  jg.EntBlkN,  jg.EntSld2N, jg.EntSld3N, jg.EntSld4N,
                              jg.EntSldCN, jg.EntSldEN, jg.EntSldON, jg.EntSldGN};
  int32_t next[16] = {};
  for (int32_t i = 0; i < jg.EntN; ++i) {
    const TJwwEntNo& e = jg.EntNo[static_cast<size_t>(i)];
    if (e.yn < 1 || e.yn > 15 || e.no != next[e.yn]) std::abort();
    ++next[e.yn];
  }
  for (int k = 1; k <= 15; ++k) {
    if (next[k] != counts[k]) std::abort();
  }
  if (jg.w_LGrp < 0 || jg.w_LGrp > 15 || jg.w_Lay < 0 || jg.w_Lay > 15 || jg.w_Mbs < 0 || jg.w_Mbs > 8) std::abort();
  if (jg.IPoints.size() != 100 || jg.LGrpName.size() != 16 || jg.LayName.size() != 256) std::abort();
}

const std::filesystem::path& ScratchFile() {
  static const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("tarvik-fuzz-" + std::to_string(getpid()) + "-JWC_TEMP.TXT");
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  {
    std::ofstream out(ScratchFile(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  {
    TJGdata jg;
    if (!jg.OpenTempFile(ScratchFile().u16string())) std::abort();  // the file is there: it must be read
    CheckModel(jg);
    const int upSamples = size == 0 ? 0 : data[0];
    int samples = 0;
    jg.EscapeKeyState = [&] { return samples++ >= upSamples; };
    for (const bool polylines : {false, true}) {
      jg.S_Init();
      if (polylines) {
        jg.S_EntAllp(-1, 16, size > 1 ? data[1] % 12 - 1 : -1, -1, -1, -1, -1, 255);
      } else {
        jg.S_EntAll(-1, -1, -1, -1, -1, -1, -1, -1);
      }
      if (jg.t_MemN < 0 || static_cast<size_t>(jg.t_MemN) > jg.t_Mem.size()) std::abort();
      std::u16string written;
      for (int32_t i = 0; i < jg.t_MemN; ++i) written += jg.t_Mem[static_cast<size_t>(i)] + u"\r\n";
      TJGdata back;
      back.ReadTempText(written);
      CheckModel(back);
    }
  }
  {
    TJGdata jg;
    jg.ReadTempText(platform::DecodeUtf8(bytes));
    CheckModel(jg);
  }
  {
    std::u16string units(size / 2, u'\0');
    for (size_t i = 0; i + 1 < size; i += 2) {
      units[i / 2] = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    }
    TJGdata jg;
    jg.ReadTempText(units);
    jg.ReadTempLine(units);
    CheckModel(jg);
  }
  return 0;
}
