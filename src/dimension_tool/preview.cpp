// The live preview's computation: the checks of OK, then the construction on a scratch model.
#include "preview.h"

#include <algorithm>
#include <optional>

#include "MyFunc.h"
#include "checks.h"
#include "construction.h"

namespace {

// What the construction, the attribute commands and the preview's drawing read: the host's current
// settings, text styles, scales, axis angle and indicated points, and the attribute commands' state
// (the "write the first one anyway" flags and the values last written) as FormShow left it, so that
// the scratch run writes the attribute lines the real run would. The solid colour, the curve, dimension
// and per-entity markers, MojiCode and RGB are read by nothing on the way; they come along so that the
// scratch model's working state stays the host's whole, should the construction ever write with them.
// The entity and layer tables are left out: nothing on the way reads them.
void CopySettings(const TJGdata& from, TJGdata& to) {
  to.w_FlgLGrp = from.w_FlgLGrp;
  to.w_FlgLay = from.w_FlgLay;
  to.w_FlgCol = from.w_FlgCol;
  to.w_FlgLtp = from.w_FlgLtp;
  to.w_FlgWid = from.w_FlgWid;
  to.w_FlgMjs = from.w_FlgMjs;
  to.w_FlgMbs = from.w_FlgMbs;
  to.w_FlgFont = from.w_FlgFont;
  to.w_FlgPCol = from.w_FlgPCol;
  to.w_FlgSCol = from.w_FlgSCol;
  to.w_IPNo = from.w_IPNo;
  to.w_LGrp = from.w_LGrp;
  to.w_Lay = from.w_Lay;
  to.w_Col = from.w_Col;
  to.w_Ltp = from.w_Ltp;
  to.w_Wid = from.w_Wid;
  to.w_Mjs = from.w_Mjs;
  to.w_MjsW = from.w_MjsW;
  to.w_MjsH = from.w_MjsH;
  to.w_MjsD = from.w_MjsD;
  to.w_MjsC = from.w_MjsC;
  to.w_Mbs = from.w_Mbs;
  to.w_Font = from.w_Font;
  to.w_Attr = from.w_Attr;
  to.w_CrvNo = from.w_CrvNo;
  to.w_CrvFl = from.w_CrvFl;
  to.w_DimFl = from.w_DimFl;
  to.w_PtCol = from.w_PtCol;
  to.w_SlCol = from.w_SlCol;

  to.MojiCode = from.MojiCode;
  to.Jikukaku = from.Jikukaku;
  to.LGrpScale = from.LGrpScale;
  to.Mojisyu = from.Mojisyu;
  to.RGB = from.RGB;
  to.Zusun = from.Zusun;

  to.CurLGrp = from.CurLGrp;
  to.CurLay = from.CurLay;
  to.CurCol = from.CurCol;
  to.CurLtp = from.CurLtp;
  to.CurWid = from.CurWid;
  to.CurMjs = from.CurMjs;
  to.CurMjsW = from.CurMjsW;
  to.CurMjsH = from.CurMjsH;
  to.CurMjsD = from.CurMjsD;
  to.CurMjsC = from.CurMjsC;
  to.CurFont = from.CurFont;

  // Same-sized tables: the assignment reuses the scratch model's storage.
  to.IPoints = from.IPoints;
  to.IPointN = from.IPointN;
  to.WidF = from.WidF;
}

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

const PreviewResult& DimensionPreview::Compute(const DialogValues& values, const TJGdata& host) {
  result_.lines.clear();
  result_.message.clear();
  // The lines of an earlier run stay in the buffer as storage to be overwritten; only the count restarts.
  scratch_.t_MemN = 0;
  scratch_.t_PLineN = 0;
  CopySettings(host, scratch_);

  if (std::optional<CheckFailure> failure = CheckOk(values)) {
    result_.message = failure->message;
    return result_;
  }
  switch (BuildDimension(values, scratch_, nullptr)) {
    case BuildResult::ZeroLength:
      result_.message = kZeroDimensionMessage;
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
