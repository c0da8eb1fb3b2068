// The lines a writer test looks at: the used part of the output command buffer.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "JwwGaibu.h"

inline std::vector<std::u16string> OutputLines(const TJGdata& jg) {
  const auto n = std::min(static_cast<size_t>(std::max(jg.t_MemN, 0)), jg.t_Mem.size());
  return std::vector<std::u16string>(jg.t_Mem.begin(), jg.t_Mem.begin() + static_cast<std::ptrdiff_t>(n));
}
