// Hands the loaded entities back to the host through the output commands, each with its own attributes
// or with the ones the caller replaces; S_EntAllp keeps the host's polylines together.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "JwwGaibu.h"
#include "MyFunc.h"

namespace {

// The Escape key is sampled this often: often enough to stop a large selection at once, rarely
// enough that polling the keyboard costs nothing beside the writing.
constexpr size_t kEscapePollInterval = 100;

// The entity at `no` of a kind, or nullptr when the index names none: an index entry that does not
// fit its table is skipped rather than read past the end.
template <typename T>
const T* Entity(const std::vector<T>& table, int32_t count, int32_t no) {
  if (no < 0 || no >= count || static_cast<size_t>(no) >= table.size()) return nullptr;
  return &table[static_cast<size_t>(no)];
}

// -1 keeps the entity's own value; anything else replaces it as given.
int32_t Replaced(int32_t given, int32_t own) { return given == -1 ? own : given; }

// Layer group and layer have no sentinel: anything outside 0..15 keeps the entity's own.
int32_t ReplacedLayer(int32_t given, int32_t own) { return given >= 0 && given <= 15 ? given : own; }

void WriteLayer(TJGdata& jg, const TJwwEntAttr& att, int32_t a1, int32_t a2) {
  jg.S_LGrp(ReplacedLayer(a1, att.LGrp));
  jg.S_Lay(ReplacedLayer(a2, att.Lay));
}

void WriteLineAttributes(TJGdata& jg, const TJwwEntAttr& att, int32_t a3, int32_t a4, int32_t a5) {
  jg.S_Col(Replaced(a3, att.Col), 0);
  jg.S_Ltp(Replaced(a4, att.Ltp), 0);
  jg.S_Wid(Replaced(a5, att.Wid));
}

// A text colour given by the caller has no numbered style to live in, so the text becomes free
// style with its own sizes.
void WriteTextAttributes(TJGdata& jg, const TJwwEntText& text, int32_t a6, int32_t a7) {
  if (a6 == -1) {
    jg.S_Mjs(text.cn, text.mw, text.mh, text.md, text.att.Col, 0);
  } else {
    jg.S_Mjs(0, text.mw, text.mh, text.md, a6, 0);
  }
  jg.S_Mbs(Replaced(a7, text.cc));
  jg.S_Font(text.fo);
}

// Colour number 10 means "the solid colour by value", which travels in the solid's Color.
void WriteSolidColour(TJGdata& jg, const TJwwEntAttr& att, int32_t color, int32_t a3, int32_t a8) {
  if (a3 == -1) {
    if (att.Col == 10) {
      jg.S_SCol(color);
    } else {
      jg.S_Col(att.Col, 0);
    }
  } else if (a3 == 10) {
    jg.S_SCol(a8);
  } else {
    jg.S_Col(a3, 0);
  }
}

// Marks and points take the point colour and no line type.
void WritePointAttributes(TJGdata& jg, const TJwwEntAttr& att, int32_t a3, int32_t a5) {
  jg.S_PCol(Replaced(a3, att.Col), 0);
  jg.S_Wid(Replaced(a5, att.Wid));
}

// Every kind is written in the same order: its layer group and layer, its own attributes, the
// flags, the drawing. An index that names no entity writes nothing at all.
template <typename T, typename Attributes, typename Draw>
void WriteOne(TJGdata& jg, const std::vector<T>& table, int32_t count, int32_t no, int32_t a1, int32_t a2,
              Attributes&& attributes, Draw&& draw) {
  const T* e = Entity(table, count, no);
  if (e == nullptr) return;
  WriteLayer(jg, e->att, a1, a2);
  attributes(*e);
  jg.S_Attr(e->att.Attr);
  draw(*e);
}

// The replacements a solid takes; `a5` is empty for the kinds the host fills without a pen width.
struct SolidReplacements {
  int32_t a1, a2, a3;
  std::optional<int32_t> a5;
  int32_t a8;
};

template <typename T, typename Draw>
void WriteSolid(TJGdata& jg, const std::vector<T>& table, int32_t count, int32_t no,
                const SolidReplacements& r, Draw&& draw) {
  WriteOne(
      jg, table, count, no, r.a1, r.a2,
      [&](const T& e) {
        WriteSolidColour(jg, e.att, e.Color, r.a3, r.a8);
        if (r.a5) jg.S_Wid(Replaced(*r.a5, e.att.Wid));
      },
      std::forward<Draw>(draw));
}

struct Replacements {
  int32_t a1, a2, a3, a4, a5, a6, a7, a8;
};

// One entity where it stands in EntNo order; a line held for its polyline is written elsewhere.
// Block insertions and unknown kinds write nothing.
void WriteEntity(TJGdata& jg, const TJwwEntNo& entry, const Replacements& r) {
  switch (entry.kind()) {
    case EntityKind::Line:
      return jg.S_EntLine(entry.no, r.a1, r.a2, r.a3, r.a4, r.a5);
    case EntityKind::Circle:
      return jg.S_EntCircle(entry.no, r.a1, r.a2, r.a3, r.a4, r.a5);
    case EntityKind::Arc:
      return jg.S_EntArc(entry.no, r.a1, r.a2, r.a3, r.a4, r.a5);
    case EntityKind::Text:
      return jg.S_EntText(entry.no, r.a1, r.a2, r.a6, r.a7);
    case EntityKind::Point:
      return jg.S_EntPnt(entry.no, r.a1, r.a2, r.a3, r.a5);
    case EntityKind::Mark:
      return jg.S_EntMark(entry.no, r.a1, r.a2, r.a3, r.a5);
    case EntityKind::Dimension:
      return jg.S_EntDim(entry.no, r.a1, r.a2, r.a3, r.a4, r.a5, r.a6, r.a7);
    case EntityKind::Solid2:
      return jg.S_EntSld2(entry.no, r.a1, r.a2, r.a3, r.a5, r.a8);
    case EntityKind::Solid3:
      return jg.S_EntSld3(entry.no, r.a1, r.a2, r.a3, r.a8);
    case EntityKind::Solid4:
      return jg.S_EntSld4(entry.no, r.a1, r.a2, r.a3, r.a8);
    case EntityKind::RoundSolidC:
      return jg.S_EntSldC(entry.no, r.a1, r.a2, r.a3, r.a8);
    case EntityKind::RoundSolidE:
      return jg.S_EntSldE(entry.no, r.a1, r.a2, r.a3, r.a5, r.a8);
    case EntityKind::RingSolidO:
      return jg.S_EntSldO(entry.no, r.a1, r.a2, r.a3, r.a8);
    case EntityKind::RingSolidG:
      return jg.S_EntSldG(entry.no, r.a1, r.a2, r.a3, r.a8);
    default:
      return;
  }
}

bool EscapeHeld(const TJGdata& jg) { return jg.EscapeKeyState ? jg.EscapeKeyState() : EscapeKeyDown(); }

bool EscapeAt(const TJGdata& jg, size_t position) {
  return position % kEscapePollInterval == 0 && EscapeHeld(jg);
}

// The first pass writes every entity in EntNo order except, when `holdPolylines`, the lines of a
// polyline; the second writes those, one polyline after another. An abort stops both passes and
// empties the buffer after them, which is at once when nothing is held.
void WriteAll(TJGdata& jg, const Replacements& r, bool holdPolylines) {
  if (jg.Zusun) jg.SendMem(u"bz");
  bool aborted = false;
  // Polyline lines held back for the second pass: (curve number, line index), in EntNo order.
  std::vector<std::pair<int32_t, int32_t>> held;
  int32_t largest = 0;
  const size_t count = UsedCount(jg.EntNo, jg.EntN);
  for (size_t i = 0; i < count; ++i) {
    if (EscapeAt(jg, i)) {
      aborted = true;
      break;
    }
    const TJwwEntNo entry = jg.EntNo[i];
    if (holdPolylines && entry.kind() == EntityKind::Line) {
      const TJwwEntLine* line = Entity(jg.EntLine, jg.EntLineN, entry.no);
      if (line != nullptr && line->CrvNo > 0) {
        held.emplace_back(line->CrvNo, entry.no);
        largest = std::max(largest, line->CrvNo);
        continue;
      }
    }
    WriteEntity(jg, entry, r);
  }

  // The lines are grouped by curve number once, rather than all entities scanned once per number, so
  // a selection of many polylines costs no more per line than one of a few. The reader numbers
  // polylines in reading order, so the held lines are normally in order already; a stable sort keeps
  // each group in EntNo order otherwise.
  const auto byCurve = [](const auto& a, const auto& b) { return a.first < b.first; };
  if (!std::is_sorted(held.begin(), held.end(), byCurve)) std::stable_sort(held.begin(), held.end(), byCurve);
  // The key is sampled once per curve number, those without lines included: a caller that counts the
  // samples sees one per number, and Escape still ends a run over a huge stray number.
  size_t k = 0;
  for (int64_t j = 1; !aborted && j <= largest; ++j) {
    if (EscapeHeld(jg)) {
      aborted = true;
      break;
    }
    size_t end = k;
    while (end < held.size() && held[end].first == j) ++end;
    int32_t openCrvNo = 0;
    for (size_t m = k; m < end; ++m) {
      jg.S_EntLineCrv(held[m].second, r.a1, r.a2, r.a3, r.a4, r.a5, m + 1 < end, openCrvNo);
    }
    k = end;
  }

  if (aborted) jg.StopJwwGaibu();
  // The host continues drawing on its own current layer, whatever the entities last set.
  jg.S_LGrp(jg.CurLGrp);
  jg.S_Lay(jg.CurLay);
}

}  // namespace

void TJGdata::S_EntAll(int32_t a1, int32_t a2, int32_t a3, int32_t a4, int32_t a5, int32_t a6, int32_t a7,
                       int32_t a8) {
  WriteAll(*this, Replacements{a1, a2, a3, a4, a5, a6, a7, a8}, false);
}

void TJGdata::S_EntAllp(int32_t a1, int32_t a2, int32_t a3, int32_t a4, int32_t a5, int32_t a6, int32_t a7,
                        int32_t a8) {
  WriteAll(*this, Replacements{a1, a2, a3, a4, a5, a6, a7, a8}, true);
}

// --- one entity of each kind: layer group, layer, the kind's attributes, the flags, the drawing ---

void TJGdata::S_EntLine(int32_t no, int32_t a1, int32_t a2, int32_t a3, int32_t a4, int32_t a5) {
  WriteOne(
      *this, EntLine, EntLineN, no, a1, a2,
      [&](const TJwwEntLine& e) { WriteLineAttributes(*this, e.att, a3, a4, a5); },
      [this](const TJwwEntLine& e) { S_Line(e.x1, e.y1, e.x2, e.y2); });
}

// The attributes of a group's first line stand before "pl"; those of later lines inside the polyline,
// where the host applies them to the following segments.
void TJGdata::S_EntLineCrv(int32_t no, int32_t a1, int32_t a2, int32_t a3, int32_t a4, int32_t a5,
                           bool followed, int32_t& openCrvNo) {
  WriteOne(
      *this, EntLine, EntLineN, no, a1, a2,
      [&](const TJwwEntLine& e) {
        WriteLineAttributes(*this, e.att, a3, a4, a5);
        if (e.CrvNo > 0 && e.CrvNo != openCrvNo) {
          S_PLineStart();
          openCrvNo = e.CrvNo;
        }
      },
      [&](const TJwwEntLine& e) {
        S_Line(e.x1, e.y1, e.x2, e.y2);
        if (!followed) {
          if (openCrvNo > 0) S_PLineEnd();
          openCrvNo = 0;
        }
      });
}

void TJGdata::S_EntCircle(int32_t no, int32_t a1, int32_t a2, int32_t a3, int32_t a4, int32_t a5) {
  WriteOne(
      *this, EntCirc, EntCircN, no, a1, a2,
      [&](const TJwwEntCircle& e) { WriteLineAttributes(*this, e.att, a3, a4, a5); },
      [this](const TJwwEntCircle& e) { S_Circle(e.cx, e.cy, e.cr); });
}

void TJGdata::S_EntArc(int32_t no, int32_t a1, int32_t a2, int32_t a3, int32_t a4, int32_t a5) {
  WriteOne(
      *this, EntArc, EntArcN, no, a1, a2,
      [&](const TJwwEntArc& e) { WriteLineAttributes(*this, e.att, a3, a4, a5); },
      [this](const TJwwEntArc& e) { S_Arc(e.cx, e.cy, e.cr, e.sa, e.ea, e.he, e.ka); });
}

void TJGdata::S_EntText(int32_t no, int32_t a1, int32_t a2, int32_t a6, int32_t a7) {
  WriteOne(
      *this, EntText, EntTextN, no, a1, a2,
      [&](const TJwwEntText& e) { WriteTextAttributes(*this, e, a6, a7); },
      [this](const TJwwEntText& e) { S_Text(e.no, e.x1, e.y1, e.x2, e.y2, e.st); });
}

void TJGdata::S_EntPnt(int32_t no, int32_t a1, int32_t a2, int32_t a3, int32_t a5) {
  WriteOne(
      *this, EntPnt, EntPntN, no, a1, a2,
      [&](const TJwwEntPnt& e) { WritePointAttributes(*this, e.att, a3, a5); },
      [this](const TJwwEntPnt& e) { S_Ten(e.px, e.py); });
}

void TJGdata::S_EntMark(int32_t no, int32_t a1, int32_t a2, int32_t a3, int32_t a5) {
  WriteOne(
      *this, EntMark, EntMarkN, no, a1, a2,
      [&](const TJwwEntMark& e) { WritePointAttributes(*this, e.att, a3, a5); },
      [this](const TJwwEntMark& e) { S_Mark(e.px, e.py, e.bai, e.ang, e.cod); });
}

// The dimension's own attributes place it and flag it; its line part gives the pen, its text part
// the style, code and font.
void TJGdata::S_EntDim(int32_t no, int32_t a1, int32_t a2, int32_t a3, int32_t a4, int32_t a5, int32_t a6,
                       int32_t a7) {
  WriteOne(
      *this, EntDim, EntDimN, no, a1, a2,
      [&](const TJwwEntDim& e) {
        WriteLineAttributes(*this, e.lin.att, a3, a4, a5);
        WriteTextAttributes(*this, e.txt, a6, a7);
      },
      [this](const TJwwEntDim& e) {
        S_Dim(e.lin.x1, e.lin.y1, e.lin.x2, e.lin.y2, e.txt.x1, e.txt.y1, e.txt.x2, e.txt.y2, e.txt.st);
      });
}

void TJGdata::S_EntSld2(int32_t no, int32_t a1, int32_t a2, int32_t a3, int32_t a5, int32_t a8) {
  WriteSolid(*this, EntSld2, EntSld2N, no, {a1, a2, a3, a5, a8},
             [this](const TJwwEntSld2& e) { S_Solid2(e.x1, e.y1, e.x2, e.y2); });
}

void TJGdata::S_EntSld3(int32_t no, int32_t a1, int32_t a2, int32_t a3, int32_t a8) {
  WriteSolid(*this, EntSld3, EntSld3N, no, {a1, a2, a3, std::nullopt, a8},
             [this](const TJwwEntSld3& e) { S_Solid3(e.x1, e.y1, e.x2, e.y2, e.x3, e.y3); });
}

void TJGdata::S_EntSld4(int32_t no, int32_t a1, int32_t a2, int32_t a3, int32_t a8) {
  WriteSolid(*this, EntSld4, EntSld4N, no, {a1, a2, a3, std::nullopt, a8},
             [this](const TJwwEntSld4& e) { S_Solid4(e.x1, e.y1, e.x2, e.y2, e.x3, e.y3, e.x4, e.y4); });
}

void TJGdata::S_EntSldC(int32_t no, int32_t a1, int32_t a2, int32_t a3, int32_t a8) {
  WriteSolid(*this, EntSldC, EntSldCN, no, {a1, a2, a3, std::nullopt, a8},
             [this](const TJwwEntSldC& e) { S_SolidC(e.cx, e.cy, e.cr, e.he, e.ka, e.sa, e.da, e.fl); });
}

void TJGdata::S_EntSldE(int32_t no, int32_t a1, int32_t a2, int32_t a3, int32_t a5, int32_t a8) {
  WriteSolid(*this, EntSldE, EntSldEN, no, {a1, a2, a3, a5, a8},
             [this](const TJwwEntSldC& e) { S_SolidD(e.cx, e.cy, e.cr, e.he, e.ka, e.sa, e.da, e.fl); });
}

void TJGdata::S_EntSldO(int32_t no, int32_t a1, int32_t a2, int32_t a3, int32_t a8) {
  WriteSolid(*this, EntSldO, EntSldON, no, {a1, a2, a3, std::nullopt, a8},
             [this](const TJwwEntSldD& e) { S_SolidO(e.cx, e.cy, e.cr, e.he, e.ka, e.sa, e.da, e.ri); });
}

void TJGdata::S_EntSldG(int32_t no, int32_t a1, int32_t a2, int32_t a3, int32_t a8) {
  WriteSolid(*this, EntSldG, EntSldGN, no, {a1, a2, a3, std::nullopt, a8},
             [this](const TJwwEntSldD& e) { S_SolidG(e.cx, e.cy, e.cr, e.he, e.ka, e.sa, e.da, e.ri); });
}
