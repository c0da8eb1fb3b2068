// Adds entities to the drawing model as though they had been read from the exchange file, and sets
// the working attributes they take, without writing any output line.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "JwwGaibu.h"
#include "MyFunc.h"
#include "geometry_rules.h"

namespace {

using geometry_rules::Coincide;
using geometry_rules::CountsAsZero;
using geometry_rules::NoDirection;
using geometry_rules::NoRadius;
using geometry_rules::RingIsAcceptable;
using geometry_rules::RoundSolidIsDegenerate;

void FillText(const TJGdata& jg, TJwwEntText& t, double x1, double y1, double x2, double y2) {
  jg.FillTextStyle(t);
  t.x1 = x1;
  t.y1 = y1;
  t.x2 = x2;
  t.y2 = y2;
}

// The explicit-attribute overloads run the plain operation and then, when the count of the kind they
// add has grown, put `at` on that kind's last entry.
template <typename T>
void RestampLast(std::vector<T>& table, int32_t countBefore, int32_t countAfter, const TJwwEntAttr& at) {
  if (countAfter <= countBefore || countAfter <= 0 || static_cast<size_t>(countAfter) > table.size()) return;
  table[static_cast<size_t>(countAfter) - 1].att = at;
}

// Runs `add`, one plain operation that may grow `table` by one entry counted in `count`, and
// restamps what it added.
template <typename T, typename Add>
void AddStamped(std::vector<T>& table, const int32_t& count, const TJwwEntAttr& at, Add&& add) {
  const int32_t before = count;
  add();
  RestampLast(table, before, count, at);
}

}  // namespace

// --- working attributes ---

void TJGdata::A_LGrp(int32_t lgrp) { w_LGrp = lgrp; }

void TJGdata::A_Lay(int32_t lay) { w_Lay = lay; }

void TJGdata::A_Col(int32_t col, int32_t mode) {
  if (mode == 1) col = GetColorItems(col);
  w_Col = col;
  aCol = GetColorDisp(col);
}

void TJGdata::A_Ltp(int32_t ltp, int32_t mode) {
  if (mode == 1) ltp = GetLtypeItems(ltp);
  w_Ltp = ltp;
}

void TJGdata::A_Wid(int32_t wid) { w_Wid = PreparedWidth(wid); }

void TJGdata::A_Mjs(int32_t mjs, double mw, double mh, double md, int32_t col, int32_t mode) {
  PrepareTextStyle(mjs, mw, mh, md, col, mode);
  w_MjsW = mw;
  w_MjsH = mh;
  w_MjsD = md;
  w_MjsC = col;
  w_Mjs = mjs;
  aCol = GetColorDisp(col);
}

void TJGdata::A_Mbs(int32_t mbs) { w_Mbs = (mbs < 0 || mbs > 8) ? 0 : mbs; }

void TJGdata::A_Font(const std::u16string& fnt) { w_Font = PreparedFont(fnt); }

void TJGdata::A_PCol(int32_t col, int32_t mode) {
  if (mode == 1) col = GetColorItems(col);
  w_PtCol = col;
  aCol = GetColorDisp(col);
}

// The display colour goes through the colour-number table like the other colours, although the solid
// colour is a colour value and so mostly displays as 0; nothing reads aSCol.
void TJGdata::A_SCol(int32_t col) {
  col = PreparedSolidColour(col);
  w_SlCol = col;
  aSCol = GetColorDisp(col);
}

void TJGdata::A_SColRGB(int32_t r, int32_t g, int32_t b) {
  const int32_t value = PreparedSolidColourRGB(r, g, b);
  w_SlCol = value;
  aSCol = value;
}

// Flag 5 replaces flag 4 in the host, so the two are never stored together.
void TJGdata::A_Attr(int32_t att) {
  int32_t kept = att & (1 | 2 | 4 | 16);
  if ((att & 8) != 0 && (att & 16) == 0) kept |= 8;
  w_Attr = kept;
}

// --- entities with the working attributes ---

void TJGdata::A_Line(double ax1, double ay1, double ax2, double ay2) {
  if (Coincide(ax1, ay1, ax2, ay2)) return;
  TJwwEntLine& e = AddEntity(EntityKind::Line, EntLineN, EntLine);
  e.CrvNo = 0;  // an added line never belongs to a polyline
  e.x1 = ax1;
  e.y1 = ay1;
  e.x2 = ax2;
  e.y2 = ay2;
}

void TJGdata::A_Circle(double ax, double ay, double ar) {
  if (NoRadius(ar)) return;
  TJwwEntCircle& e = AddEntity(EntityKind::Circle, EntCircN, EntCirc);
  e.cx = ax;
  e.cy = ay;
  e.cr = ar;
}

// An arc keeps a zero flatness as a circle's 1.0, where the circular solids below refuse it.
void TJGdata::A_Arc(double ax, double ay, double ar, double asa, double aea, double ah, double aka) {
  if (NoRadius(ar)) return;
  TJwwEntArc& e = AddEntity(EntityKind::Arc, EntArcN, EntArc);
  e.cx = ax;
  e.cy = ay;
  e.cr = ar;
  e.sa = asa;
  e.ea = aea;
  e.he = CountsAsZero(ah) ? 1.0 : ah;
  e.ka = aka;
}

void TJGdata::A_Text(int32_t ano, double ax1, double ay1, double ax2, double ay2, std::u16string am) {
  if (NoDirection(ax2, ay2) || IsBlank(am)) return;
  TJwwEntText& e = AddEntity(EntityKind::Text, EntTextN, EntText);
  e.no = (ano < 0 || ano > 9) ? 0 : ano;
  FillText(*this, e, ax1, ay1, ax2, ay2);
  e.st = std::move(am);  // blanks kept: only the emptiness test ignores them
}

void TJGdata::A_Ten(double ax, double ay) {
  TJwwEntPnt& e = AddEntity(EntityKind::Point, EntPntN, EntPnt);
  e.px = ax;
  e.py = ay;
  e.att.Col = w_PtCol;
}

void TJGdata::A_Mark(double ax, double ay, double abai, double aang, int32_t acod) {
  TJwwEntMark& e = AddEntity(EntityKind::Mark, EntMarkN, EntMark);
  e.px = ax;
  e.py = ay;
  e.bai = CountsAsZero(abai) ? 1.0 : abai;
  e.ang = aang;
  e.cod = (acod < -7 || acod > 11) ? -3 : acod;
  e.att.Col = w_PtCol;
}

// A dimension without text is given its measured length, so it is never refused for want of one.
void TJGdata::A_Dim(double lx1, double ly1, double lx2, double ly2, double tx1, double ty1, double tx2,
                    double ty2, std::u16string m) {
  if (Coincide(lx1, ly1, lx2, ly2) || NoDirection(tx2, ty2)) return;
  if (IsBlank(m)) m = FloatToText(geometry_rules::MeasuredLength(lx1, ly1, lx2, ly2));
  TJwwEntDim& e = AddEntity(EntityKind::Dimension, EntDimN, EntDim);
  SetEntAttr(e.lin.att);
  e.lin.CrvNo = 0;
  e.lin.x1 = lx1;
  e.lin.y1 = ly1;
  e.lin.x2 = lx2;
  e.lin.y2 = ly2;
  SetEntAttr(e.txt.att);
  e.txt.no = 2;
  FillText(*this, e.txt, tx1, ty1, tx2, ty2);
  e.txt.st = std::move(m);
}

void TJGdata::A_Solid2(double ax1, double ay1, double ax2, double ay2) {
  if (Coincide(ax1, ay1, ax2, ay2)) return;
  TJwwEntSld2& e = AddEntity(EntityKind::Solid2, EntSld2N, EntSld2);
  e.Color = w_SlCol;
  e.x1 = ax1;
  e.y1 = ay1;
  e.x2 = ax2;
  e.y2 = ay2;
}

void TJGdata::A_Solid3(double ax1, double ay1, double ax2, double ay2, double ax3, double ay3) {
  if (geometry_rules::TriangleIsDegenerate(ax1, ay1, ax2, ay2, ax3, ay3)) return;
  TJwwEntSld3& e = AddEntity(EntityKind::Solid3, EntSld3N, EntSld3);
  e.Color = w_SlCol;
  e.x1 = ax1;
  e.y1 = ay1;
  e.x2 = ax2;
  e.y2 = ay2;
  e.x3 = ax3;
  e.y3 = ay3;
}

// A quadrilateral with coinciding corners is kept as the triangle that remains, or dropped when
// what remains has no area; the triangle applies its own test.
void TJGdata::A_Solid4(double ax1, double ay1, double ax2, double ay2, double ax3, double ay3, double ax4,
                       double ay4) {
  const auto triangle = [this](double x1, double y1, double x2, double y2, double x3, double y3) {
    A_Solid3(x1, y1, x2, y2, x3, y3);
  };
  if (geometry_rules::ReduceQuadrilateral(ax1, ay1, ax2, ay2, ax3, ay3, ax4, ay4, triangle)) return;
  TJwwEntSld4& e = AddEntity(EntityKind::Solid4, EntSld4N, EntSld4);
  e.Color = w_SlCol;
  e.x1 = ax1;
  e.y1 = ay1;
  e.x2 = ax2;
  e.y2 = ay2;
  e.x3 = ax3;
  e.y3 = ay3;
  e.x4 = ax4;
  e.y4 = ay4;
}

namespace {

void FillRound(TJwwEntSldC& e, int32_t color, double ax, double ay, double ar, double ah, double aka,
               double asa, double ada, int32_t acod) {
  e.Color = color;
  e.cx = ax;
  e.cy = ay;
  e.cr = ar;
  e.he = ah;
  e.ka = aka;
  e.sa = asa;
  e.da = ada;
  e.fl = acod;
}

void FillRing(TJwwEntSldD& e, int32_t color, double ax, double ay, double ar, double ah, double aka,
              double asa, double ada, double ari) {
  e.Color = color;
  e.cx = ax;
  e.cy = ay;
  e.cr = ar;
  e.he = ah;
  e.ka = aka;
  e.sa = asa;
  e.da = ada;
  e.ri = ari;
}

}  // namespace

void TJGdata::A_SolidC(double ax, double ay, double ar, double ah, double aka, double asa, double ada,
                       int32_t acod) {
  if (RoundSolidIsDegenerate(ar, ah)) return;
  if (!geometry_rules::SolidCCodeAllowed(acod)) return;
  FillRound(AddEntity(EntityKind::RoundSolidC, EntSldCN, EntSldC), w_SlCol, ax, ay, ar, ah, aka, asa, ada, acod);
}

void TJGdata::A_SolidD(double ax, double ay, double ar, double ah, double aka, double asa, double ada,
                       int32_t acod) {
  if (RoundSolidIsDegenerate(ar, ah)) return;
  if (!geometry_rules::SolidDCodeAllowed(acod)) return;
  FillRound(AddEntity(EntityKind::RoundSolidE, EntSldEN, EntSldE), w_SlCol, ax, ay, ar, ah, aka, asa, ada, acod);
}

void TJGdata::A_SolidO(double ax, double ay, double ar, double ah, double aka, double asa, double ada,
                       double ari) {
  if (!RingIsAcceptable(ar, ah, ari)) return;
  FillRing(AddEntity(EntityKind::RingSolidO, EntSldON, EntSldO), w_SlCol, ax, ay, ar, ah, aka, asa, ada, ari);
}

void TJGdata::A_SolidG(double ax, double ay, double ar, double ah, double aka, double asa, double ada,
                       double ari) {
  if (!RingIsAcceptable(ar, ah, ari)) return;
  FillRing(AddEntity(EntityKind::RingSolidG, EntSldGN, EntSldG), w_SlCol, ax, ay, ar, ah, aka, asa, ada, ari);
}

// --- the same entities with attributes given explicitly ---

void TJGdata::A_Line(TJwwEntAttr at, double ax1, double ay1, double ax2, double ay2) {
  AddStamped(EntLine, EntLineN, at, [&] { A_Line(ax1, ay1, ax2, ay2); });
}

void TJGdata::A_Ten(TJwwEntAttr at, double ax, double ay) {
  AddStamped(EntPnt, EntPntN, at, [&] { A_Ten(ax, ay); });
}

void TJGdata::A_Mark(TJwwEntAttr at, double ax, double ay, double abai, double aang, int32_t acod) {
  AddStamped(EntMark, EntMarkN, at, [&] { A_Mark(ax, ay, abai, aang, acod); });
}

void TJGdata::A_Circle(TJwwEntAttr at, double ax, double ay, double ar) {
  AddStamped(EntCirc, EntCircN, at, [&] { A_Circle(ax, ay, ar); });
}

void TJGdata::A_Arc(TJwwEntAttr at, double ax, double ay, double ar, double asa, double aea, double ah,
                    double aka) {
  AddStamped(EntArc, EntArcN, at, [&] { A_Arc(ax, ay, ar, asa, aea, ah, aka); });
}

// The given colour replaces the style's colour, unlike a dimension's value below.
void TJGdata::A_Text(TJwwEntAttr at, int32_t ano, double ax1, double ay1, double ax2, double ay2,
                     std::u16string am) {
  AddStamped(EntText, EntTextN, at, [&] { A_Text(ano, ax1, ay1, ax2, ay2, std::move(am)); });
}

// All three attribute sets take `at`; a value in a numbered style keeps that style's colour.
void TJGdata::A_Dim(TJwwEntAttr at, double lx1, double ly1, double lx2, double ly2, double tx1, double ty1,
                    double tx2, double ty2, std::u16string m) {
  const int32_t before = EntDimN;
  A_Dim(lx1, ly1, lx2, ly2, tx1, ty1, tx2, ty2, std::move(m));
  if (EntDimN <= before) return;
  TJwwEntDim& e = EntDim[static_cast<size_t>(EntDimN) - 1];
  e.att = at;
  e.lin.att = at;
  e.txt.att = at;
  if (e.txt.cn >= 1 && e.txt.cn <= 10) e.txt.att.Col = Mojisyu[e.txt.cn].C;
}

void TJGdata::A_Solid2(TJwwEntAttr at, double ax1, double ay1, double ax2, double ay2) {
  AddStamped(EntSld2, EntSld2N, at, [&] { A_Solid2(ax1, ay1, ax2, ay2); });
}

void TJGdata::A_Solid3(TJwwEntAttr at, double ax1, double ay1, double ax2, double ay2, double ax3,
                       double ay3) {
  AddStamped(EntSld3, EntSld3N, at, [&] { A_Solid3(ax1, ay1, ax2, ay2, ax3, ay3); });
}

// The quadrilateral may be added as the triangle that remains, so what was added is found through
// the index: `at` belongs to that triangle as much as to a four-point solid.
void TJGdata::A_Solid4(TJwwEntAttr at, double ax1, double ay1, double ax2, double ay2, double ax3, double ay3,
                       double ax4, double ay4) {
  const int32_t before = EntN;
  A_Solid4(ax1, ay1, ax2, ay2, ax3, ay3, ax4, ay4);
  if (EntN <= before || static_cast<size_t>(EntN) > EntNo.size()) return;
  const TJwwEntNo added = EntNo[static_cast<size_t>(EntN) - 1];
  if (added.kind() == EntityKind::Solid3) {
    RestampLast(EntSld3, added.no, added.no + 1, at);
  } else if (added.kind() == EntityKind::Solid4) {
    RestampLast(EntSld4, added.no, added.no + 1, at);
  }
}

void TJGdata::A_SolidC(TJwwEntAttr at, double ax, double ay, double ar, double ah, double aka, double asa,
                       double ada, int32_t acod) {
  AddStamped(EntSldC, EntSldCN, at, [&] { A_SolidC(ax, ay, ar, ah, aka, asa, ada, acod); });
}

void TJGdata::A_SolidD(TJwwEntAttr at, double ax, double ay, double ar, double ah, double aka, double asa,
                       double ada, int32_t acod) {
  AddStamped(EntSldE, EntSldEN, at, [&] { A_SolidD(ax, ay, ar, ah, aka, asa, ada, acod); });
}

void TJGdata::A_SolidO(TJwwEntAttr at, double ax, double ay, double ar, double ah, double aka, double asa,
                       double ada, double ari) {
  AddStamped(EntSldO, EntSldON, at, [&] { A_SolidO(ax, ay, ar, ah, aka, asa, ada, ari); });
}

void TJGdata::A_SolidG(TJwwEntAttr at, double ax, double ay, double ar, double ah, double aka, double asa,
                       double ada, double ari) {
  AddStamped(EntSldG, EntSldGN, at, [&] { A_SolidG(ax, ay, ar, ah, aka, asa, ada, ari); });
}
