// What the insertion tests share: a model with working attributes unlike the defaults, attributes
// given explicitly, and the attributes of any entity compared and shown.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "JwwGaibu.h"

namespace insert_support {

// Whether two attribute sets agree in every field.
inline bool SameAttr(const TJwwEntAttr& a, const TJwwEntAttr& b) {
  return a.IPNo == b.IPNo && a.LGrp == b.LGrp && a.Lay == b.Lay && a.Col == b.Col && a.Ltp == b.Ltp &&
         a.Wid == b.Wid && a.Attr == b.Attr;
}

// The attributes as text for a failure message.
inline std::string Describe(const TJwwEntAttr& a) {
  return "{ip " + std::to_string(a.IPNo) + ", lg " + std::to_string(a.LGrp) + ", ly " +
         std::to_string(a.Lay) + ", col " + std::to_string(a.Col) + ", ltp " + std::to_string(a.Ltp) +
         ", wid " + std::to_string(a.Wid) + ", attr " + std::to_string(a.Attr) + "}";
}

// A model whose working attributes all differ from the defaults, so that a stamp shows where it came from.
inline TJGdata Prepared() {
  TJGdata jg;
  jg.w_IPNo = 4;
  jg.A_LGrp(2);
  jg.A_Lay(11);
  jg.A_Col(5, 0);
  jg.A_Ltp(3, 0);
  jg.A_Wid(6);
  jg.A_Attr(2);
  jg.A_PCol(8, 0);
  jg.A_SCol(4660);
  return jg;
}

// The working attributes that Prepared sets.
inline const TJwwEntAttr kWorking{4, 2, 11, 5, 3, 6, 2};
// Attributes to give explicitly, unlike the working ones in every field.
inline const TJwwEntAttr kGiven{9, 14, 15, 104, 7, 40, 17};

// The attributes of the entity of a kind at an index.
inline TJwwEntAttr AttrOf(const TJGdata& jg, int32_t kind, int32_t no) {
  const auto i = static_cast<size_t>(no);
  switch (kind) {
    case 1:
      return jg.EntLine[i].att;
    case 2:
      return jg.EntCirc[i].att;
    case 3:
      return jg.EntArc[i].att;
    case 4:
      return jg.EntText[i].att;
    case 5:
      return jg.EntPnt[i].att;
    case 6:
      return jg.EntMark[i].att;
    case 7:
      return jg.EntDim[i].att;
    case 9:
      return jg.EntSld2[i].att;
    case 10:
      return jg.EntSld3[i].att;
    case 11:
      return jg.EntSld4[i].att;
    case 12:
      return jg.EntSldC[i].att;
    case 13:
      return jg.EntSldE[i].att;
    case 14:
      return jg.EntSldO[i].att;
    default:
      return jg.EntSldG[i].att;
  }
}

}  // namespace insert_support
