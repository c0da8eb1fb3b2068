// The exchange file's records that set rather than draw: the header (scales, sizes, text styles,
// colours, indicated points), the layer tables and the working attributes stamped on what follows.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

#include "JwwGaibu.h"
#include "record_fields.h"

using namespace std::string_view_literals;

namespace {

// RGB has room for this many values; an "hrgb" record with more keeps the first ones and drops the
// rest rather than writing past the table.
constexpr size_t kRgbCount = std::tuple_size_v<decltype(TJGdata::RGB)>;

// Unit by unit, so that a keyword of two or three characters is tested in as many comparisons.
constexpr bool StartsWith(std::u16string_view text, std::u16string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (text[i] != prefix[i]) return false;
  }
  return true;
}

// Layer groups and layers are one hexadecimal digit, read the way the host writes them: "$" and the
// character, so "lgA" is group 10, and anything but a hex digit (or nothing) is group 0.
int32_t HexDigitAt(std::u16string_view field, size_t index) {
  const char16_t c = index < field.size() ? field[index] : u'\0';
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return 0;
}

// The name of a layer group or layer: the rest of the keyword field and every further field, joined
// by single blanks, so a name with blanks comes back whole.
std::u16string JoinedName(const TJGdata::Fields& f) {
  std::u16string name(f[0].substr(3));
  for (size_t i = 1; i < f.count; ++i) {
    name.push_back(u' ');
    name.append(f[i]);
  }
  return name;
}

// The number of an "hp" point and how it was given (TJwwIndPoint::sta): each later suffix found
// overrides an earlier one, and the number is what stands before the last found.
std::pair<int32_t, int32_t> IndicatedPointName(std::u16string_view keyword) {
  std::u16string_view code = keyword.substr(2);
  int32_t sta = 0;
  static constexpr std::u16string_view kSuffixes[] = {u"-", u"ln", u"ci", u"ch"};
  for (int32_t s = 0; s < 4; ++s) {
    const size_t p = keyword.find(kSuffixes[s]);
    if (p == std::u16string_view::npos) continue;
    code = keyword.substr(2, p - 2);
    sta = s + 1;
  }
  return {FieldToInt(code), sta};
}

// The point number of an "hhp" record. Unlike "hp", "-" is not a suffix here: "hhp5-" names no point.
int32_t HeldPointNumber(std::u16string_view keyword) {
  size_t length = keyword.size();
  for (std::u16string_view suffix : {u"ln"sv, u"ci"sv, u"ch"sv}) {
    const size_t p = keyword.find(suffix);
    if (p != std::u16string_view::npos && p >= 3) length = p - 3;
  }
  return FieldToInt(keyword.substr(3, length));
}

// An attribute record sets the working value; the first of its kind after the model was reset also
// gives the host's current one.
void TakeAttribute(int32_t value, bool& firstOfKind, int32_t& current, int32_t& working) {
  if (firstOfKind) {
    current = value;
    firstOfKind = false;
  }
  working = value;
}

}  // namespace

bool TJGdata::ReadHeaderRecord(const Fields& f) {
  const size_t n = f.count;
  const std::u16string_view k0 = f[0];
  if (k0 == u"hk"sv && n >= 2) {
    Jikukaku = f.Real(1);
  } else if (k0 == u"hs"sv && n >= 17) {
    for (size_t j = 0; j < 16; ++j) LGrpScale[j] = f.Real(j + 1);
  } else if (k0 == u"hzs"sv && n >= 3) {
    ZumenXsize = f.Real(1);
    ZumenYsize = f.Real(2);
  } else if (n >= 11 && (k0 == u"hcw"sv || k0 == u"hch"sv || k0 == u"hcd"sv || k0 == u"hcc"sv)) {
    // The widths, heights, spacings or colours of text styles 1 to 10.
    for (int k = 1; k <= 10; ++k) {
      TJwwMojisyu& style = Mojisyu[k];
      const auto i = static_cast<size_t>(k);
      switch (k0[2]) {
        case u'w':
          style.W = f.Real(i);
          break;
        case u'h':
          style.H = f.Real(i);
          break;
        case u'd':
          style.D = f.Real(i);
          break;
        default:
          style.C = f.Int(i);
          break;
      }
    }
  } else if (k0 == u"hn"sv && n >= 5) {
    AreaX1 = f.Real(1);
    AreaY1 = f.Real(2);
    AreaX2 = f.Real(3);
    AreaY2 = f.Real(4);
  } else if (k0 == u"hrgb"sv && n >= 9) {
    for (size_t k = 1; k < n && k <= kRgbCount; ++k) RGB[k - 1] = f.Int(k);
  } else if (StartsWith(k0, u"hp"sv) && n >= 3) {
    const auto [k, sta] = IndicatedPointName(k0);
    if (k >= 1 && k <= 99 && static_cast<size_t>(k) < IPoints.size()) {
      TJwwIndPoint& point = IPoints[static_cast<size_t>(k)];
      point.flg = true;
      point.x = f.Real(1);
      point.y = f.Real(2);
      point.sta = sta;
      ++IPointN;
    }
  } else if (StartsWith(k0, u"hhp"sv)) {
    w_IPNo = HeldPointNumber(k0);
  } else if (k0 == u"bz"sv) {
    Zusun = true;
  } else {
    return false;
  }
  return true;
}

bool TJGdata::ReadLayerRecord(const Fields& f) {
  const size_t n = f.count;
  const std::u16string_view k0 = f[0];
  if (StartsWith(k0, u"lgn"sv)) {
    if (w_LGrp >= 0 && static_cast<size_t>(w_LGrp) < LGrpName.size()) {
      LGrpName[static_cast<size_t>(w_LGrp)] = JoinedName(f);
    }
  } else if (StartsWith(k0, u"lyn"sv)) {
    const int32_t index = w_LGrp * 16 + w_Lay;
    if (w_LGrp >= 0 && w_LGrp <= 15 && w_Lay >= 0 && w_Lay <= 15 &&
        static_cast<size_t>(index) < LayName.size()) {
      LayName[static_cast<size_t>(index)] = JoinedName(f);
    }
  } else if (StartsWith(k0, u"lg"sv)) {
    const int32_t group = HexDigitAt(k0, 2);
    TakeAttribute(group, w_FlgLGrp, CurLGrp, w_LGrp);
    if (n >= 2 && static_cast<size_t>(group) < LGrpStat.size())
      LGrpStat[static_cast<size_t>(group)] = f.Int(1);
    w_CrvFl = false;
  } else if (StartsWith(k0, u"ly"sv)) {
    TakeAttribute(HexDigitAt(k0, 2), w_FlgLay, CurLay, w_Lay);
    // w_LGrp is 0..15 when the reader set it; the writer may have left anything there.
    const int32_t index = w_LGrp * 16 + w_Lay;
    if (n >= 2 && w_LGrp >= 0 && w_LGrp <= 15 && static_cast<size_t>(index) < LayStat.size()) {
      LayStat[static_cast<size_t>(index)] = f.Int(1);
    }
    w_CrvFl = false;
  } else {
    return false;
  }
  return true;
}

bool TJGdata::ReadAttributeRecord(const Fields& f) {
  const size_t n = f.count;
  const std::u16string_view k0 = f[0];
  if (StartsWith(k0, u"lc"sv)) {
    const int32_t colour = FieldToInt(k0.substr(2));
    TakeAttribute(colour, w_FlgCol, CurCol, w_Col);
    if (colour == 10 && n >= 2) w_SlCol = f.Int(1);
  } else if (StartsWith(k0, u"lt"sv)) {
    TakeAttribute(FieldToInt(k0.substr(2)), w_FlgLtp, CurLtp, w_Ltp);
  } else if (StartsWith(k0, u"lw"sv)) {
    TakeAttribute(FieldToInt(k0.substr(2)), w_FlgWid, CurWid, w_Wid);
    WidF = true;
  } else if (StartsWith(k0, u"cn$"sv)) {
    std::u16string font(k0.substr(3));
    if (CurFont.empty()) CurFont = font;
    w_Font = std::move(font);
  } else if (StartsWith(k0, u"cn"sv)) {
    const int32_t style = FieldToInt(k0.substr(2));
    if (style == 0 && n >= 5) {
      // The free style: the record carries its sizes and colour.
      const double width = f.Real(1), height = f.Real(2), spacing = f.Real(3);
      const int32_t colour = f.Int(4);
      if (w_FlgMjs) {
        CurMjsW = width;
        CurMjsH = height;
        CurMjsD = spacing;
        CurMjsC = colour;
      }
      w_MjsW = width;
      w_MjsH = height;
      w_MjsD = spacing;
      w_MjsC = colour;
    }
    TakeAttribute(style, w_FlgMjs, CurMjs, w_Mjs);
  } else if (StartsWith(k0, u"cc"sv)) {
    // One decimal character only: "cc12" is code 1.
    const int32_t code = FieldToInt(k0.substr(2, 1));
    w_Mbs = code >= 0 && code <= 8 ? code : 0;
  } else if (k0.size() == 2 && k0[0] == u'z' && k0[1] >= u'1' && k0[1] <= u'5') {
    w_Attr |= 1 << (k0[1] - u'1');
    return true;  // the curve stays open
  } else if (StartsWith(k0, u"pn"sv)) {
    w_PtCol = FieldToInt(k0.substr(2));
  } else if (k0 == u"pl"sv) {
    ++w_CrvNo;
    w_CrvFl = true;
    w_DimFl = false;
    return true;
  } else if (k0 == u"msg"sv) {
    w_DimFl = true;
  } else if (k0 == u"#"sv) {
    w_DimFl = false;
  } else {
    return false;
  }
  w_CrvFl = false;
  return true;
}
