// The lines a writer test looks at: the used part of the output command buffer.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "JwwGaibu.h"

inline std::vector<std::u16string> OutputLines(const TJGdata& jg) {
  const size_t n = UsedCount(jg.t_Mem, jg.t_MemN);
  return std::vector<std::u16string>(jg.t_Mem.begin(), jg.t_Mem.begin() + static_cast<std::ptrdiff_t>(n));
}
