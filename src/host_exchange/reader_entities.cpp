// The exchange file's entity records: each adds one entity stamped with the working attributes, and
// solids whose corners coincide are kept as the smaller solid that remains.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "JwwGaibu.h"
#include "record_fields.h"

using namespace std::string_view_literals;

namespace {

// Two corners of a solid count as one when both coordinates differ by at most this.
constexpr double kSamePoint = 1e-12;

struct Point {
  double x;
  double y;
};

bool Same(Point a, Point b) {
  return std::fabs(a.x - b.x) <= kSamePoint && std::fabs(a.y - b.y) <= kSamePoint;
}

// The corners of an "sl" record left once coinciding corners are merged: two, three or four of them.
struct Corners {
  size_t count;
  Point p[4];
};

// `given` is 2, 3 or 4: the corners that the record's field count holds.
Corners RemainingCorners(const TJGdata::Fields& f, size_t given) {
  const Point p1{f.Real(1), f.Real(2)}, p2{f.Real(3), f.Real(4)};
  if (given == 2) return {2, {p1, p2}};
  const Point p3{f.Real(5), f.Real(6)};
  if (given == 3) {
    if (Same(p1, p2)) return {2, {p1, p3}};
    if (Same(p2, p3)) return {2, {p1, p2}};
    return {3, {p1, p2, p3}};
  }
  const Point p4{f.Real(7), f.Real(8)};
  if (Same(p1, p2) && Same(p1, p3)) return {2, {p1, p4}};
  if (Same(p2, p3) && Same(p2, p4)) return {2, {p1, p2}};
  if (Same(p1, p2) && Same(p3, p4)) return {2, {p1, p3}};
  if (Same(p4, p1) || Same(p4, p2) || Same(p4, p3)) return {3, {p1, p2, p3}};
  if (Same(p3, p1) || Same(p3, p2)) return {3, {p1, p2, p4}};
  if (Same(p2, p1)) return {3, {p1, p3, p4}};
  return {4, {p1, p2, p3, p4}};
}

// The text kind that a text record's keyword stands for ("ch" 0, "cv" 1, "cs" 2, "cr" 3, "co" 4, "cp" 5,
// "ct" 6, "ck" 7, "cz" 8, "c2" 9), or -1 for any other keyword.
int32_t TextKind(std::u16string_view keyword) {
  if (keyword.size() != 2 || keyword[0] != u'c') return -1;
  static constexpr std::u16string_view kKinds = u"hvsroptkz2";
  const size_t kind = kKinds.find(keyword[1]);
  return kind == std::u16string_view::npos ? -1 : static_cast<int32_t>(kind);
}

// The style, start, direction and text of a text record, and its kind.
void FillText(const TJGdata& jg, TJwwEntText& t, int32_t kind, const TJGdata::Fields& f) {
  t.no = kind;
  jg.FillTextStyle(t);
  t.x1 = f.Real(1);
  t.y1 = f.Real(2);
  t.x2 = f.Real(3);
  t.y2 = f.Real(4);
  t.st.assign(f[5]);
}

// A round solid's colour, its ellipse or arc (centre, radius, flatness, tilt, start and sweep), and
// its fill code ("sc", "se") or inner radius ("so", "sg").
template <typename Solid>
void FillRoundSolid(Solid& e, int32_t colour, const TJGdata::Fields& f) {
  e.Color = colour;
  e.cx = f.Real(1), e.cy = f.Real(2), e.cr = f.Real(3), e.he = f.Real(4);
  e.ka = f.Real(5), e.sa = f.Real(6), e.da = f.Real(7);
  if constexpr (std::is_same_v<Solid, TJwwEntSldC>) {
    e.fl = f.Int(8);
  } else {
    e.ri = f.Real(8);
  }
}

}  // namespace

void TJGdata::ResetEntityState() {
  w_Attr = 0;
  w_IPNo = 0;
  w_CrvFl = false;
  w_DimFl = false;
}

bool TJGdata::ReadEntityRecord(const Fields& f) {
  const size_t n = f.count;
  const std::u16string_view k0 = f[0];
  if (k0 == u"ci"sv && n == 4) {
    TJwwEntCircle& e = AddEntity(EntityKind::Circle, EntCircN, EntCirc);
    e.cx = f.Real(1), e.cy = f.Real(2), e.cr = f.Real(3);
  } else if (k0 == u"ci"sv && n >= 8) {
    TJwwEntArc& e = AddEntity(EntityKind::Arc, EntArcN, EntArc);
    e.cx = f.Real(1), e.cy = f.Real(2), e.cr = f.Real(3), e.sa = f.Real(4), e.ea = f.Real(5);
    e.he = f.Real(6), e.ka = f.Real(7);
  } else if (k0 == u"pt"sv && n == 3) {
    TJwwEntPnt& e = AddEntity(EntityKind::Point, EntPntN, EntPnt);
    e.px = f.Real(1), e.py = f.Real(2);
    e.att.Col = w_PtCol;
  } else if (k0 == u"pt"sv && n >= 6) {
    TJwwEntMark& e = AddEntity(EntityKind::Mark, EntMarkN, EntMark);
    e.px = f.Real(1), e.py = f.Real(2), e.bai = f.Real(3), e.ang = f.Real(4);
    e.cod = f.Int(5);
    e.att.Col = w_PtCol;
  } else if (k0 == u"BL"sv && n >= 4) {
    TJwwEntBlk& e = AddEntity(EntityKind::Block, EntBlkN, EntBlk);
    e.px = f.Real(1), e.py = f.Real(2);
    e.nam.assign(f[3]);
  } else {
    return false;
  }
  ResetEntityState();
  return true;
}

bool TJGdata::ReadTextRecord(const Fields& f) {
  const int32_t kind = TextKind(f[0]);
  if (kind < 0 || f.count < 6) return false;
  if (!w_DimFl || kind != 2) {
    FillText(*this, AddEntity(EntityKind::Text, EntTextN, EntText), kind, f);
  } else {
    // The held line and this "cs" text together are one dimension.
    TJwwEntDim& e = AddEntity(EntityKind::Dimension, EntDimN, EntDim);
    e.lin.att = EntSunLine.att;
    e.lin.CrvNo = 0;
    e.lin.x1 = EntSunLine.x1, e.lin.y1 = EntSunLine.y1, e.lin.x2 = EntSunLine.x2, e.lin.y2 = EntSunLine.y2;
    SetEntAttr(e.txt.att);
    FillText(*this, e.txt, 2, f);
  }
  ResetEntityState();
  return true;
}

bool TJGdata::ReadSolidRecord(const Fields& f) {
  const size_t n = f.count;
  const std::u16string_view k0 = f[0];
  if (k0 == u"sl"sv && (n == 5 || n == 7 || n >= 9)) {
    const Corners c = RemainingCorners(f, n == 5 ? 2 : n == 7 ? 3 : 4);
    const Point* p = c.p;
    if (c.count == 2) {
      TJwwEntSld2& e = AddEntity(EntityKind::Solid2, EntSld2N, EntSld2);
      e.Color = w_SlCol;
      e.x1 = p[0].x, e.y1 = p[0].y, e.x2 = p[1].x, e.y2 = p[1].y;
    } else if (c.count == 3) {
      TJwwEntSld3& e = AddEntity(EntityKind::Solid3, EntSld3N, EntSld3);
      e.Color = w_SlCol;
      e.x1 = p[0].x, e.y1 = p[0].y, e.x2 = p[1].x, e.y2 = p[1].y, e.x3 = p[2].x, e.y3 = p[2].y;
    } else {
      TJwwEntSld4& e = AddEntity(EntityKind::Solid4, EntSld4N, EntSld4);
      e.Color = w_SlCol;
      e.x1 = p[0].x, e.y1 = p[0].y, e.x2 = p[1].x, e.y2 = p[1].y;
      e.x3 = p[2].x, e.y3 = p[2].y, e.x4 = p[3].x, e.y4 = p[3].y;
    }
  } else if (n >= 9 && (k0 == u"sc"sv || k0 == u"se"sv)) {
    FillRoundSolid(k0[1] == u'c' ? AddEntity(EntityKind::RoundSolidC, EntSldCN, EntSldC)
                                 : AddEntity(EntityKind::RoundSolidE, EntSldEN, EntSldE),
                   w_SlCol, f);
  } else if (n >= 9 && (k0 == u"so"sv || k0 == u"sg"sv)) {
    FillRoundSolid(k0[1] == u'o' ? AddEntity(EntityKind::RingSolidO, EntSldON, EntSldO)
                                 : AddEntity(EntityKind::RingSolidG, EntSldGN, EntSldG),
                   w_SlCol, f);
  } else {
    return false;
  }
  ResetEntityState();
  return true;
}

void TJGdata::ReadLineRecord(const Fields& f) {
  // The first field is read as a number like the others.
  if (w_DimFl) {
    // Held for the "cs" text that makes it a dimension; a second line replaces the first.
    SetEntAttr(EntSunLine.att);
    EntSunLine.CrvNo = 0;
    EntSunLine.x1 = f.Real(0), EntSunLine.y1 = f.Real(1), EntSunLine.x2 = f.Real(2),
    EntSunLine.y2 = f.Real(3);
  } else {
    TJwwEntLine& e = AddEntity(EntityKind::Line, EntLineN, EntLine);
    e.CrvNo = w_CrvFl ? w_CrvNo : 0;
    e.x1 = f.Real(0), e.y1 = f.Real(1), e.x2 = f.Real(2), e.y2 = f.Real(3);
  }
  // The polyline and the pending dimension stay open: the lines between "pl" and "#" belong together.
  w_Attr = 0;
  w_IPNo = 0;
}
