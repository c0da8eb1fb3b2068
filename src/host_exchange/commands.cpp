// The output command buffer: each S_ operation appends the text lines that Jw_cad draws once the
// program has ended. Attribute lines are written only when they change something; degenerate or
// non-finite geometry writes nothing, because the host would draw garbage or misread "INF"/"NAN".
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>

#include "JwwGaibu.h"
#include "MyFunc.h"
#include "geometry_rules.h"

namespace {

using geometry_rules::Coincide;
using geometry_rules::CountsAsZero;
using geometry_rules::NoDirection;
using geometry_rules::NoRadius;
using geometry_rules::RoundSolidIsDegenerate;

template <typename... T>
bool AllFinite(T... values) {
  return (std::isfinite(values) && ...);
}

std::u16string& NextLine(TJGdata& jg) { return NextSlot(jg.t_Mem, jg.t_MemN); }

void Append(TJGdata& jg, std::u16string&& line) { NextLine(jg) = std::move(line); }

// A text handed in by a caller must not carry a line break (or any other control character) into
// the file: the rest of it would reach the host as commands of their own.
void AppendPrintable(std::u16string& out, std::u16string_view text) {
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] < u' ') {
      out.append(text.substr(start, i - start));
      start = i + 1;
    }
  }
  out.append(text.substr(start));
}

// One output line: a keyword and blank-separated numbers gathered on the stack, then stored as a
// string of exactly its length, so that a million lines cost a million allocations and no more.
class LineBuilder {
 public:
  explicit LineBuilder(std::u16string_view head) { Text(head); }

  LineBuilder& Real(double value) {
    Separate();
    char digits[kFloatTextCapacity];
    Ascii(digits, FloatToChars(digits, value));
    return *this;
  }

  LineBuilder& Int(int32_t value) {
    Separate();
    char digits[16];
    Ascii(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    return *this;
  }

  LineBuilder& Text(std::u16string_view text) {
    if (spill_.empty() && used_ + text.size() <= kCapacity) {
      std::copy(text.begin(), text.end(), buffer_ + used_);
      used_ += text.size();
    } else {
      Spill();
      spill_.append(text);
    }
    return *this;
  }

  // The line, with room for `extra` more units to be appended by the caller.
  std::u16string Take(size_t extra = 0) {
    if (!spill_.empty()) return std::move(spill_);
    std::u16string line;
    line.reserve(used_ + extra);
    line.append(buffer_, used_);
    return line;
  }

 private:
  static constexpr size_t kCapacity = 256;

  void Separate() {
    if (values_++ > 0) Text(u" ");
  }

  void Ascii(const char* first, const char* last) {
    char16_t wide[kFloatTextCapacity];
    size_t n = 0;
    for (const char* p = first; p < last; ++p) wide[n++] = static_cast<char16_t>(*p);
    Text(std::u16string_view(wide, n));
  }

  void Spill() {
    if (spill_.empty()) spill_.assign(buffer_, used_);
  }

  char16_t buffer_[kCapacity];
  size_t used_ = 0;
  int values_ = 0;
  std::u16string spill_;
};

std::u16string Keyword(std::u16string_view keyword, const std::u16string& value) {
  std::u16string line;
  line.reserve(keyword.size() + value.size());
  line.append(keyword);
  line.append(value);
  return line;
}

// Layer groups and layers are one hexadecimal digit in the file.
std::u16string Keyword(std::u16string_view keyword, char16_t digit) {
  std::u16string line(keyword);
  line.push_back(digit);
  return line;
}

char16_t HexDigit(int32_t v) {
  constexpr std::u16string_view kDigits = u"0123456789ABCDEF";
  return kDigits[static_cast<size_t>(v)];
}

std::u16string_view TextKeyword(int32_t no) {
  switch (no) {
    case 1:
      return u"cv ";
    case 2:
      return u"cs ";
    case 3:
      return u"cr ";
    case 4:
      return u"co ";
    case 5:
      return u"cp ";
    case 6:
      return u"ct ";
    case 7:
      return u"ck ";
    case 8:
      return u"cz ";
    case 9:
      return u"c2 ";
    default:
      return u"ch ";
  }
}

bool HasControlCharacter(std::u16string_view text) {
  return std::any_of(text.begin(), text.end(), [](char16_t c) { return c < u' '; });
}

}  // namespace

void TJGdata::S_Init() {
  w_FlgLGrp = w_FlgLay = w_FlgCol = w_FlgLtp = w_FlgWid = true;
  w_FlgMjs = w_FlgMbs = w_FlgFont = w_FlgPCol = w_FlgSCol = true;
  w_LGrp = 0;
  w_Lay = 0;
  w_Col = 1;
  w_Ltp = 1;
  w_Wid = 0;
  w_Mjs = 1;
  w_MjsW = 2.0;
  w_MjsH = 2.0;
  w_MjsD = 0.0;
  w_MjsC = 1;
  w_Mbs = 0;
  w_Font = u"<ＭＳ ゴシック>";
  w_PtCol = 1;
  w_SlCol = 0;
}

// --- value preparations ---

void TJGdata::PrepareTextStyle(int32_t& mjs, double& mw, double& mh, double& md, int32_t& col,
                               int32_t mode) const {
  if (mode == 1) col = GetColorItems(col);
  if (mjs < 0 || mjs > 10) {
    mjs = CurMjs;
    if (mjs == 0) {
      mw = CurMjsW;
      mh = CurMjsH;
      md = CurMjsD;
      col = CurMjsC;
    }
  }
}

int32_t TJGdata::PreparedWidth(int32_t wid) const {
  if (wid == -1) wid = CurWid;
  return (wid < 0 || wid > 30000) ? 0 : wid;
}

const std::u16string& TJGdata::PreparedFont(const std::u16string& fnt) const {
  return (fnt.empty() || fnt == u"<>") ? CurFont : fnt;
}

int32_t TJGdata::PreparedSolidColour(int32_t col) { return (col < 0 || col > 0xFFFFFF) ? 0 : col; }

int32_t TJGdata::PreparedSolidColourRGB(int32_t r, int32_t g, int32_t b) {
  auto component = [](int32_t v) { return (v < 0 || v > 255) ? 0 : v; };
  return RgbToColor(component(r), component(g), component(b));
}

// --- the buffer ---

void TJGdata::SendMem(const std::u16string& s) { NextLine(*this) = s; }

void TJGdata::S_Comment(const std::u16string& s) {
  std::u16string line;
  line.reserve(2 + s.size());
  line.append(u"h#");
  AppendPrintable(line, s);
  Append(*this, std::move(line));
}

void TJGdata::S_Area() {
  Append(*this, LineBuilder(u"hn ").Real(AreaX1).Real(AreaY1).Real(AreaX2).Real(AreaY2).Take());
}

// --- attribute commands: written when forced by the flag or when the value changes ---

// A layer group outside 0..15 has no one-digit form, and the record is read back by its one digit
// after the keyword ("lg10" would select group 1), so such a call writes nothing and changes nothing.
// Layers likewise.
void TJGdata::S_LGrp(int32_t lgrp) {
  if (lgrp < 0 || lgrp > 15) return;
  if (!w_FlgLGrp && lgrp == w_LGrp) return;
  Append(*this, Keyword(u"lg", HexDigit(lgrp)));
  w_LGrp = lgrp;
  w_FlgLGrp = false;
  // A new group means the host's layer in it is unknown: the next layer must be written.
  w_FlgLay = true;
}

void TJGdata::S_Lay(int32_t lay) {
  if (lay < 0 || lay > 15) return;
  if (!w_FlgLay && lay == w_Lay) return;
  Append(*this, Keyword(u"ly", HexDigit(lay)));
  w_Lay = lay;
  w_FlgLay = false;
}

void TJGdata::S_Col(int32_t col, int32_t mode) {
  if (mode == 1) col = GetColorItems(col);
  if (!w_FlgCol && col == w_Col) return;
  Append(*this, Keyword(u"lc", IntToText(col)));
  w_Col = col;
  w_FlgCol = false;
  w_FlgSCol = false;
}

void TJGdata::S_Ltp(int32_t ltp, int32_t mode) {
  if (mode == 1) ltp = GetLtypeItems(ltp);
  if (!w_FlgLtp && ltp == w_Ltp) return;
  Append(*this, Keyword(u"lt", IntToText(ltp)));
  w_Ltp = ltp;
  w_FlgLtp = false;
}

void TJGdata::S_Wid(int32_t wid) {
  // The host only understands widths when its own file carried one.
  if (!WidF) return;
  wid = PreparedWidth(wid);
  if (!w_FlgWid && wid == w_Wid) return;
  Append(*this, Keyword(u"lw", IntToText(wid)));
  w_Wid = wid;
  w_FlgWid = false;
}

void TJGdata::S_Mjs(int32_t mjs, double mw, double mh, double md, int32_t col, int32_t mode) {
  PrepareTextStyle(mjs, mw, mh, md, col, mode);
  const bool freeStyle = mjs == 0;
  // A free size that is not a number cannot be written in a form the host reads back.
  if (freeStyle && !AllFinite(mw, mh, md)) return;
  const bool changed = w_FlgMjs || mjs != w_Mjs ||
                       (freeStyle && (mw != w_MjsW || mh != w_MjsH || md != w_MjsD || col != w_MjsC));
  if (!changed) return;
  if (freeStyle) {
    // The colour is written like the sizes, as a real: whole numbers come out as IntToText would.
    Append(*this, LineBuilder(u"cn0 ").Real(mw).Real(mh).Real(md).Real(static_cast<double>(col)).Take());
    w_MjsW = mw;
    w_MjsH = mh;
    w_MjsD = md;
    w_MjsC = col;
  } else {
    Append(*this, Keyword(u"cn", IntToText(mjs)));
  }
  w_Mjs = mjs;
  w_FlgMjs = false;
}

void TJGdata::S_Mbs(int32_t mbs) {
  if (mbs < 0 || mbs > 8) mbs = 0;
  if (!w_FlgMbs && mbs == w_Mbs) return;
  Append(*this, Keyword(u"cc", IntToText(mbs)));
  w_Mbs = mbs;
  w_FlgMbs = false;
}

void TJGdata::S_Font(const std::u16string& fnt) {
  const std::u16string& chosen = PreparedFont(fnt);
  // The name is remembered as written, so a name that needed cleaning compares equal next time.
  const bool needsCleaning = HasControlCharacter(chosen);
  std::u16string cleaned;
  if (needsCleaning) AppendPrintable(cleaned, chosen);
  const std::u16string& name = needsCleaning ? cleaned : chosen;
  if (!w_FlgFont && name == w_Font) return;
  // The double quote stops the reader's splitting, so a name with blanks arrives whole.
  Append(*this, LineBuilder(u"cn\"$").Text(name).Take());
  w_Font = name;
  w_FlgFont = false;
}

void TJGdata::S_PCol(int32_t col, int32_t mode) {
  if (mode == 1) col = GetColorItems(col);
  if (!w_FlgPCol && col == w_PtCol) return;
  Append(*this, Keyword(u"pn", IntToText(col)));
  w_PtCol = col;
  w_FlgPCol = false;
}

// Colour number 10 stands for the solid colour given by value, so the value is written together
// with the colour number whenever either of them is not already in force.
void TJGdata::S_SCol(int32_t col) {
  col = PreparedSolidColour(col);
  if (!w_FlgCol && w_Col == 10 && !w_FlgSCol && col == w_SlCol) return;
  Append(*this, Keyword(u"lc10 ", IntToText(col)));
  w_SlCol = col;
  w_FlgSCol = false;
  w_Col = 10;
  w_FlgCol = false;
}

void TJGdata::S_SColRGB(int32_t r, int32_t g, int32_t b) { S_SCol(PreparedSolidColourRGB(r, g, b)); }

// --- per-entity flags: written on every call, consumed by the next drawing command ---

void TJGdata::S_Attr(int32_t att) {
  S_Attr((att & 1) != 0, (att & 2) != 0, (att & 4) != 0, (att & 8) != 0, (att & 16) != 0);
}

void TJGdata::S_Attr(bool at1, bool at2, bool at3, bool at4, bool at5) {
  if (at1) SendMem(u"z1");
  if (at2) SendMem(u"z2");
  if (at3) SendMem(u"z3");
  // Flag 5 replaces flag 4 in the host; writing both would be contradictory.
  if (at4 && !at5) SendMem(u"z4");
  if (at5) SendMem(u"z5");
}

void TJGdata::S_Attr(int32_t at1, int32_t at2, int32_t at3, int32_t at4, int32_t at5) {
  S_Attr(at1 != 0, at2 != 0, at3 != 0, at4 != 0, at5 != 0);
}

// --- drawing commands ---

void TJGdata::S_Line(double x1, double y1, double x2, double y2) {
  if (!AllFinite(x1, y1, x2, y2) || Coincide(x1, y1, x2, y2)) return;
  Append(*this, LineBuilder(u"").Real(x1).Real(y1).Real(x2).Real(y2).Take());
}

void TJGdata::S_PLineStart() { SendMem(u"pl"); }

void TJGdata::S_PLineEnd() { SendMem(u"#"); }

void TJGdata::S_PLine() {
  const size_t count = UsedCount(t_PLine, t_PLineN);
  if (count == 0) return;
  if (count == 1) {
    S_Line(t_PLine[0].x1, t_PLine[0].y1, t_PLine[0].x2, t_PLine[0].y2);
    return;
  }
  S_PLineStart();
  for (size_t i = 0; i < count; ++i) S_Line(t_PLine[i].x1, t_PLine[i].y1, t_PLine[i].x2, t_PLine[i].y2);
  S_PLineEnd();
}

void TJGdata::S_PLineReset() {
  t_PLineN = 0;
  t_PLine.clear();
}

void TJGdata::S_PLineSet(double px1, double py1, double px2, double py2) {
  if (t_PLineN < 0) t_PLineN = 0;
  ++t_PLineN;
  t_PLine.resize(static_cast<size_t>(t_PLineN));
  t_PLine.back() = TJwwPLine{px1, py1, px2, py2};
}

void TJGdata::S_Ten(double x, double y) {
  if (!AllFinite(x, y)) return;
  Append(*this, LineBuilder(u"pt ").Real(x).Real(y).Take());
}

void TJGdata::S_Mark(double x, double y, double bai, double ang, int32_t cod) {
  if (!AllFinite(x, y, bai, ang)) return;
  if (cod < -7 || cod > 11) cod = -3;
  if (CountsAsZero(bai)) bai = 1.0;
  Append(*this, LineBuilder(u"pt ").Real(x).Real(y).Real(bai).Real(ang).Int(cod).Take());
}

void TJGdata::S_Circle(double x, double y, double r) {
  if (!AllFinite(x, y, r) || NoRadius(r)) return;
  Append(*this, LineBuilder(u"ci ").Real(x).Real(y).Real(r).Take());
}

void TJGdata::S_Arc(double x, double y, double r, double sa, double ea, double h, double ka) {
  if (!AllFinite(x, y, r, sa, ea, h, ka) || NoRadius(r) || CountsAsZero(h)) return;
  Append(*this, LineBuilder(u"ci ").Real(x).Real(y).Real(r).Real(sa).Real(ea).Real(h).Real(ka).Take());
}

void TJGdata::S_Text(int32_t no, double x1, double y1, double x2, double y2, const std::u16string& m) {
  if (!AllFinite(x1, y1, x2, y2)) return;
  if (NoDirection(x2, y2) || IsBlank(m)) return;
  // No closing quote: the text runs to the end of the line, blanks included.
  std::u16string line =
      LineBuilder(TextKeyword(no)).Real(x1).Real(y1).Real(x2).Real(y2).Text(u" \"").Take(m.size());
  AppendPrintable(line, m);
  Append(*this, std::move(line));
}

void TJGdata::S_Dim(double lx1, double ly1, double lx2, double ly2, double tx1, double ty1, double tx2,
                    double ty2, const std::u16string& m) {
  if (!AllFinite(lx1, ly1, lx2, ly2, tx1, ty1, tx2, ty2)) return;
  if (Coincide(lx1, ly1, lx2, ly2) || NoDirection(tx2, ty2)) return;
  std::u16string value;
  const bool measured = IsBlank(m);
  if (measured) {
    const double length = geometry_rules::MeasuredLength(lx1, ly1, lx2, ly2);
    if (!std::isfinite(length)) return;  // coordinates so large the length overflows
    value = FloatToText(length);
  }
  SendMem(u"msg");
  Append(*this, LineBuilder(u"").Real(lx1).Real(ly1).Real(lx2).Real(ly2).Take());
  std::u16string line = LineBuilder(u"cs ").Real(tx1).Real(ty1).Real(tx2).Real(ty2).Text(u" \"").Take(
      measured ? value.size() : m.size());
  AppendPrintable(line, measured ? value : m);
  Append(*this, std::move(line));
}

void TJGdata::S_Solid2(double x1, double y1, double x2, double y2) {
  if (!AllFinite(x1, y1, x2, y2) || Coincide(x1, y1, x2, y2)) return;
  Append(*this, LineBuilder(u"sl ").Real(x1).Real(y1).Real(x2).Real(y2).Take());
}

void TJGdata::S_Solid3(double x1, double y1, double x2, double y2, double x3, double y3) {
  if (!AllFinite(x1, y1, x2, y2, x3, y3)) return;
  if (geometry_rules::TriangleIsDegenerate(x1, y1, x2, y2, x3, y3)) return;
  Append(*this, LineBuilder(u"sl ").Real(x1).Real(y1).Real(x2).Real(y2).Real(x3).Real(y3).Take());
}

// A quadrilateral with coinciding corners is reduced to the triangle that remains, or dropped
// when what remains has no area to fill; the reduced call applies its own test.
void TJGdata::S_Solid4(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
                       double y4) {
  if (!AllFinite(x1, y1, x2, y2, x3, y3, x4, y4)) return;
  const auto triangle = [this](double ax, double ay, double bx, double by, double cx, double cy) {
    S_Solid3(ax, ay, bx, by, cx, cy);
  };
  if (geometry_rules::ReduceQuadrilateral(x1, y1, x2, y2, x3, y3, x4, y4, triangle)) return;
  Append(*this,
         LineBuilder(u"sl ").Real(x1).Real(y1).Real(x2).Real(y2).Real(x3).Real(y3).Real(x4).Real(y4).Take());
}

void TJGdata::S_SolidC(double x, double y, double r, double h, double ka, double sa, double da, int32_t cod) {
  if (!AllFinite(x, y, r, h, ka, sa, da) || RoundSolidIsDegenerate(r, h)) return;
  if (!geometry_rules::SolidCCodeAllowed(cod)) return;
  Append(*this,
         LineBuilder(u"sc ").Real(x).Real(y).Real(r).Real(h).Real(ka).Real(sa).Real(da).Int(cod).Take());
}

void TJGdata::S_SolidD(double x, double y, double r, double h, double ka, double sa, double da, int32_t cod) {
  if (!AllFinite(x, y, r, h, ka, sa, da) || RoundSolidIsDegenerate(r, h)) return;
  if (!geometry_rules::SolidDCodeAllowed(cod)) return;
  Append(*this,
         LineBuilder(u"se ").Real(x).Real(y).Real(r).Real(h).Real(ka).Real(sa).Real(da).Int(cod).Take());
}

void TJGdata::S_SolidO(double x, double y, double r, double h, double ka, double sa, double da, double ri) {
  if (!AllFinite(x, y, r, h, ka, sa, da, ri) || !geometry_rules::RingIsAcceptable(r, h, ri)) return;
  Append(*this,
         LineBuilder(u"so ").Real(x).Real(y).Real(r).Real(h).Real(ka).Real(sa).Real(da).Real(ri).Take());
}

void TJGdata::S_SolidG(double x, double y, double r, double h, double ka, double sa, double da, double ri) {
  if (!AllFinite(x, y, r, h, ka, sa, da, ri) || !geometry_rules::RingIsAcceptable(r, h, ri)) return;
  Append(*this,
         LineBuilder(u"sg ").Real(x).Real(y).Real(r).Real(h).Real(ka).Real(sa).Real(da).Real(ri).Take());
}
