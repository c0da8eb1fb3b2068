// What the reader's tests share: lines handed to the reader as a file holds them, and the kinds of the
// entities a read left.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "JwwGaibu.h"
#include "output_lines.h"

namespace reader_support {

// The lines as one text with CR LF after each, read the way OpenTempFile hands a file over.
inline void Read(TJGdata& jg, std::initializer_list<std::u16string_view> lines) { jg.ReadTempText(CrLfText(lines)); }

// The kind of every entity in the model, in EntNo order.
inline std::vector<int32_t> Kinds(const TJGdata& jg) {
  std::vector<int32_t> kinds;
  for (int32_t i = 0; i < jg.EntN; ++i) kinds.push_back(jg.EntNo[static_cast<size_t>(i)].yn);
  return kinds;
}

}  // namespace reader_support
