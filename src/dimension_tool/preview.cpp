// The live preview's computation: the checks of OK, then the construction on a scratch model.
#include "preview.h"

#include <algorithm>
#include <optional>

#include "MyFunc.h"
#include "checks.h"
#include "construction.h"

namespace {

// FNV-1a over the code units, with a separator that no line contains, so that the split into lines counts.
uint64_t HashLines(const std::vector<std::u16string>& lines) {
  uint64_t hash = 14695981039346656037ull;
  auto mix = [&hash](uint32_t unit) {
    hash ^= unit;
    hash *= 1099511628211ull;
  };
  for (const std::u16string& line : lines) {
    for (char16_t unit : line) mix(unit);
    mix(0x10000u);
  }
  return hash;
}

std::u16string Hex(uint64_t value) {
  constexpr char16_t kDigits[] = u"0123456789abcdef";
  std::u16string text(16, u'0');
  for (size_t i = 16; i-- > 0; value >>= 4) text[i] = kDigits[value & 0xF];
  return text;
}

}  // namespace

std::u16string PreviewResult::Summary() const {
  if (!Drawable()) return message;
  return IntToText(static_cast<int32_t>(lines.size())) + u" lines #" + Hex(HashLines(lines));
}

const PreviewResult& DimensionPreview::Compute(const DialogValues& values, const TJGdata& host,
                                               const RunFrame& frame) {
  result_.lines.clear();
  result_.message.clear();
  // The lines of an earlier run stay in the buffer as storage to be overwritten; only the count restarts.
  scratch_.t_MemN = 0;
  scratch_.t_PLineN = 0;
  // The construction, the attribute commands and the drawing of the result read the host's settings,
  // styles, scales, axis angle and indicated points, and the attribute commands' state as Load
  // left it, so that the scratch run writes the attribute lines the real run would. The host's
  // entities stay out: nothing on the way reads them.
  scratch_.CopySettingsFrom(host);

  if (std::optional<CheckFailure> failure = CheckOk(values)) {
    result_.message = failure->message;
    return result_;
  }
  switch (BuildDimension(values, scratch_, nullptr, frame)) {
    case BuildResult::ZeroLength:
      result_.message = ZeroDimensionMessage(frame);
      return result_;
    case BuildResult::NotFinite:
      result_.message = kNonFiniteMessage;
      return result_;
    case BuildResult::Built:
      break;
  }
  const auto count = std::min(scratch_.t_Mem.size(), static_cast<size_t>(std::max(scratch_.t_MemN, 0)));
  result_.lines.assign(scratch_.t_Mem.begin(), scratch_.t_Mem.begin() + static_cast<std::ptrdiff_t>(count));
  return result_;
}
