// The plain records of the drawing model: indicated points, entity attributes and each entity kind's
// geometry, the text styles. JwwGaibu.h includes this header; its glossary explains the romanised names.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "entity_kind.h"

// A fixed table indexed from Low to High, as the host numbers its text styles (1..10).
template <typename T, int Low, int High>
struct IndexedArray {
  std::array<T, High - Low + 1> items{};
  T& operator[](int i) { return items[static_cast<size_t>(i - Low)]; }
  const T& operator[](int i) const { return items[static_cast<size_t>(i - Low)]; }
  static constexpr int low() { return Low; }
  static constexpr int high() { return High; }
};

struct TJwwIndPoint {
  bool flg = false;
  double x = 0.0;
  double y = 0.0;
  int32_t sta = 0;  // 0 plain, 1 "-", 2 "ln", 3 "ci", 4 "ch"
};

struct TJwwEntNo {
  int32_t yn = 0;  // kind code 1..15, an EntityKind
  int32_t no = 0;  // 0-based index into that kind's table

  // The kind that `yn` names; unchecked, so a code from outside may name none of EntityKind's values.
  EntityKind kind() const { return static_cast<EntityKind>(yn); }
};

struct TJwwEntAttr {
  int32_t IPNo = 0;
  int32_t LGrp = 0;
  int32_t Lay = 0;
  int32_t Col = 0;
  int32_t Ltp = 0;
  int32_t Wid = 0;
  int32_t Attr = 0;
};

struct TJwwEntLine {
  TJwwEntAttr att;
  int32_t CrvNo = 0;
  double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
};

struct TJwwEntCircle {
  TJwwEntAttr att;
  double cx = 0.0, cy = 0.0, cr = 0.0;
};

struct TJwwEntArc {
  TJwwEntAttr att;
  double cx = 0.0, cy = 0.0, cr = 0.0, sa = 0.0, ea = 0.0, he = 0.0, ka = 0.0;
};

struct TJwwEntText {
  TJwwEntAttr att;
  int32_t no = 0;  // text kind 0..9 from the keyword
  int32_t cc = 0;  // text base code
  int32_t cn = 0;  // text style number
  double mw = 0.0, mh = 0.0, md = 0.0;
  double x1 = 0.0, y1 = 0.0;  // start point
  double x2 = 0.0, y2 = 0.0;  // direction vector
  std::u16string fo;          // font name
  std::u16string st;          // the text
};

struct TJwwEntPnt {
  TJwwEntAttr att;
  double px = 0.0, py = 0.0;
};

struct TJwwEntMark {
  TJwwEntAttr att;
  double px = 0.0, py = 0.0, bai = 0.0, ang = 0.0;
  int32_t cod = 0;
};

struct TJwwEntDim {
  TJwwEntAttr att;
  TJwwEntLine lin;
  TJwwEntText txt;
};

struct TJwwEntBlk {
  TJwwEntAttr att;
  double px = 0.0, py = 0.0;
  std::u16string nam;
};

struct TJwwEntSld2 {
  TJwwEntAttr att;
  int32_t Color = 0;
  double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
};

struct TJwwEntSld3 {
  TJwwEntAttr att;
  int32_t Color = 0;
  double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0, x3 = 0.0, y3 = 0.0;
};

struct TJwwEntSld4 {
  TJwwEntAttr att;
  int32_t Color = 0;
  double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0, x3 = 0.0, y3 = 0.0, x4 = 0.0, y4 = 0.0;
};

struct TJwwEntSldC {
  TJwwEntAttr att;
  int32_t Color = 0;
  double cx = 0.0, cy = 0.0, cr = 0.0, he = 0.0, ka = 0.0, sa = 0.0, da = 0.0;
  int32_t fl = 0;
};

struct TJwwEntSldD {
  TJwwEntAttr att;
  int32_t Color = 0;
  double cx = 0.0, cy = 0.0, cr = 0.0, he = 0.0, ka = 0.0, sa = 0.0, da = 0.0;
  double ri = 0.0;
};

struct TJwwPLine {
  double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
};

struct TJwwMojisyu {
  double W = 0.0, H = 0.0, D = 0.0;
  int32_t C = 0;

  bool operator==(const TJwwMojisyu&) const = default;
};
