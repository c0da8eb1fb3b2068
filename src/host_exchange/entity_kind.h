// The kinds of entity that the drawing model holds, named by the codes that its index EntNo stores.
#pragma once

#include <cstdint>

// An entity's kind; the value of each is its code in TJwwEntNo::yn. A code outside 1..15 names no kind.
enum class EntityKind : int32_t {
  Line = 1,          // EntLine
  Circle = 2,        // EntCirc
  Arc = 3,           // EntArc
  Text = 4,          // EntText
  Point = 5,         // EntPnt
  Mark = 6,          // EntMark
  Dimension = 7,     // EntDim
  Block = 8,         // EntBlk
  Solid2 = 9,        // EntSld2, two-point solid
  Solid3 = 10,       // EntSld3, three-point solid
  Solid4 = 11,       // EntSld4, four-point solid
  RoundSolidC = 12,  // EntSldC, "sc"
  RoundSolidE = 13,  // EntSldE, "se"
  RingSolidO = 14,   // EntSldO, "so"
  RingSolidG = 15,   // EntSldG, "sg"
};

// The code that EntNo stores for `kind`.
constexpr int32_t KindCode(EntityKind kind) { return static_cast<int32_t>(kind); }
