// The lines a writer test looks at, the used part of the output command buffer, and lines joined as
// the exchange file holds them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "JwwGaibu.h"

inline std::vector<std::u16string> OutputLines(const TJGdata& jg) {
  const size_t n = UsedCount(jg.t_Mem, jg.t_MemN);
  return std::vector<std::u16string>(jg.t_Mem.begin(), jg.t_Mem.begin() + static_cast<std::ptrdiff_t>(n));
}

// The lines as one text with CR LF after each, as the exchange file carries them either way.
template <typename Lines>
std::u16string CrLfText(const Lines& lines) {
  std::u16string text;
  for (const auto& line : lines) {
    text.append(std::u16string_view(line));
    text.append(u"\r\n");
  }
  return text;
}
