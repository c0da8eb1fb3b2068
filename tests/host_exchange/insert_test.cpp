// Entity insertion: the working attributes set without output, each kind added with its acceptance test
// and the attributes it is stamped with, and the tables growing.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "JwwGaibu.h"
#include "MyFunc.h"
#include "insert_support.h"

namespace {

using insert_support::AttrOf;
using insert_support::Describe;
using insert_support::kGiven;
using insert_support::kWorking;
using insert_support::Prepared;
using insert_support::SameAttr;

int32_t KindCount(const TJGdata& jg, int32_t kind) {
  const int32_t counts[] = {0,           jg.EntLineN, jg.EntCircN, jg.EntArcN,  jg.EntTextN, jg.EntPntN,
                            jg.EntMarkN, jg.EntDimN,  jg.EntBlkN,  jg.EntSld2N, jg.EntSld3N, jg.EntSld4N,
                            jg.EntSldCN, jg.EntSldEN, jg.EntSldON, jg.EntSldGN};
  return counts[kind];
}

int32_t AllKindsCount(const TJGdata& jg) {
  int32_t total = 0;
  for (int32_t kind = 1; kind <= 15; ++kind) total += KindCount(jg, kind);
  return total;
}

// --- working attributes ---

TEST(InsertWorkingAttributes, EachOperationSetsItsFieldAndWritesNothing) {
  struct Case {
    const char* what;
    std::function<void(TJGdata&)> run;
    std::function<bool(const TJGdata&)> holds;
  };
  const Case cases[] = {
      {"A_LGrp unchecked", [](TJGdata& jg) { jg.A_LGrp(20); },
       [](const TJGdata& jg) { return jg.w_LGrp == 20; }},
      {"A_Lay unchecked", [](TJGdata& jg) { jg.A_Lay(-3); },
       [](const TJGdata& jg) { return jg.w_Lay == -3; }},
      {"A_Col item 12", [](TJGdata& jg) { jg.A_Col(12, 1); },
       [](const TJGdata& jg) { return jg.w_Col == 103 && jg.aCol == jg.GetColorDisp(103); }},
      {"A_Col item 0 is the current colour", [](TJGdata& jg) { jg.A_Col(0, 1); },
       [](const TJGdata& jg) { return jg.w_Col == 6 && jg.aCol == jg.GetColorDisp(6); }},
      {"A_Col number as given", [](TJGdata& jg) { jg.A_Col(12, 0); },
       [](const TJGdata& jg) { return jg.w_Col == 12 && jg.aCol == 0; }},
      {"A_Ltp item 10", [](TJGdata& jg) { jg.A_Ltp(10, 1); },
       [](const TJGdata& jg) { return jg.w_Ltp == 11; }},
      {"A_Ltp number as given", [](TJGdata& jg) { jg.A_Ltp(10, 0); },
       [](const TJGdata& jg) { return jg.w_Ltp == 10; }},
      {"A_Wid -1 is the current width", [](TJGdata& jg) { jg.A_Wid(-1); },
       [](const TJGdata& jg) { return jg.w_Wid == 7; }},
      {"A_Wid 30001", [](TJGdata& jg) { jg.A_Wid(30001); }, [](const TJGdata& jg) { return jg.w_Wid == 0; }},
      {"A_Wid 30000", [](TJGdata& jg) { jg.A_Wid(30000); },
       [](const TJGdata& jg) { return jg.w_Wid == 30000; }},
      {"A_Wid -2", [](TJGdata& jg) { jg.A_Wid(-2); }, [](const TJGdata& jg) { return jg.w_Wid == 0; }},
      {"A_Mbs 8", [](TJGdata& jg) { jg.A_Mbs(8); }, [](const TJGdata& jg) { return jg.w_Mbs == 8; }},
      {"A_Mbs 9", [](TJGdata& jg) { jg.A_Mbs(9); }, [](const TJGdata& jg) { return jg.w_Mbs == 0; }},
      {"A_Font name", [](TJGdata& jg) { jg.A_Font(u"ＭＳ 明朝"); },
       [](const TJGdata& jg) { return jg.w_Font == u"ＭＳ 明朝"; }},
      {"A_Font empty", [](TJGdata& jg) { jg.A_Font(u""); },
       [](const TJGdata& jg) { return jg.w_Font == u"Current"; }},
      {"A_Font <>", [](TJGdata& jg) { jg.A_Font(u"<>"); },
       [](const TJGdata& jg) { return jg.w_Font == u"Current"; }},
      {"A_PCol item 3", [](TJGdata& jg) { jg.A_PCol(3, 1); },
       [](const TJGdata& jg) { return jg.w_PtCol == 3 && jg.aCol == jg.GetColorDisp(3); }},
      {"A_SCol -5", [](TJGdata& jg) { jg.A_SCol(-5); },
       [](const TJGdata& jg) { return jg.w_SlCol == 0 && jg.aSCol == 0 && jg.w_Col == 1; }},
      {"A_SCol FFFFFF", [](TJGdata& jg) { jg.A_SCol(0xFFFFFF); },
       [](const TJGdata& jg) { return jg.w_SlCol == 0xFFFFFF && jg.aSCol == 0 && jg.w_Col == 1; }},
      // the display colour is looked up as though the value were a colour number
      {"A_SCol 5", [](TJGdata& jg) { jg.A_SCol(5); },
       [](const TJGdata& jg) { return jg.w_SlCol == 5 && jg.aSCol == RgbToColor(192, 0, 192); }},
      {"A_SCol 1000000 hex", [](TJGdata& jg) { jg.A_SCol(0x1000000); },
       [](const TJGdata& jg) { return jg.w_SlCol == 0; }},
      {"A_SColRGB", [](TJGdata& jg) { jg.A_SColRGB(1, 2, 3); },
       [](const TJGdata& jg) { return jg.w_SlCol == 0x030201 && jg.aSCol == 0x030201; }},
      {"A_SColRGB out of range components", [](TJGdata& jg) { jg.A_SColRGB(256, 255, -1); },
       [](const TJGdata& jg) { return jg.w_SlCol == 0x00FF00 && jg.aSCol == 0x00FF00; }},
      {"A_Attr 24", [](TJGdata& jg) { jg.A_Attr(24); }, [](const TJGdata& jg) { return jg.w_Attr == 16; }},
      {"A_Attr 15", [](TJGdata& jg) { jg.A_Attr(15); }, [](const TJGdata& jg) { return jg.w_Attr == 15; }},
      {"A_Attr 31", [](TJGdata& jg) { jg.A_Attr(31); }, [](const TJGdata& jg) { return jg.w_Attr == 23; }},
      {"A_Attr higher bits", [](TJGdata& jg) { jg.A_Attr(64 + 32 + 1); },
       [](const TJGdata& jg) { return jg.w_Attr == 1; }},
      {"A_Mjs numbered style keeps the sizes passed", [](TJGdata& jg) { jg.A_Mjs(3, 1.5, 2.5, 0.5, 4, 0); },
       [](const TJGdata& jg) {
         return jg.w_Mjs == 3 && jg.w_MjsW == 1.5 && jg.w_MjsH == 2.5 && jg.w_MjsD == 0.5 && jg.w_MjsC == 4 &&
                jg.aCol == jg.GetColorDisp(4);
       }},
      {"A_Mjs colour item", [](TJGdata& jg) { jg.A_Mjs(0, 1, 1, 0, 11, 1); },
       [](const TJGdata& jg) {
         return jg.w_Mjs == 0 && jg.w_MjsC == 102 && jg.aCol == jg.GetColorDisp(102);
       }},
      {"A_Mjs 11 with current style 0 takes the current sizes",
       [](TJGdata& jg) {
         jg.CurMjs = 0;
         jg.A_Mjs(11, 9, 9, 9, 9, 0);
       },
       [](const TJGdata& jg) {
         return jg.w_Mjs == 0 && jg.w_MjsW == 2.25 && jg.w_MjsH == 3.5 && jg.w_MjsD == 0.25 && jg.w_MjsC == 5;
       }},
      {"A_Mjs -1 with current style 4 keeps the sizes passed",
       [](TJGdata& jg) {
         jg.CurMjs = 4;
         jg.A_Mjs(-1, 9, 8, 7, 6, 0);
       },
       [](const TJGdata& jg) {
         return jg.w_Mjs == 4 && jg.w_MjsW == 9 && jg.w_MjsH == 8 && jg.w_MjsD == 7 && jg.w_MjsC == 6;
       }},
  };
  for (const auto& c : cases) {
    TJGdata jg;
    jg.CurCol = 6;
    jg.CurLtp = 2;
    jg.CurWid = 7;
    jg.CurFont = u"Current";
    jg.CurMjsW = 2.25;
    jg.CurMjsH = 3.5;
    jg.CurMjsD = 0.25;
    jg.CurMjsC = 5;
    jg.S_Init();
    c.run(jg);
    EXPECT_TRUE(c.holds(jg)) << c.what;
    EXPECT_EQ(jg.t_MemN, 0) << c.what;
    EXPECT_EQ(jg.EntN, 0) << c.what;
    // The must-write flags belong to the writer.
    EXPECT_TRUE(jg.w_FlgLGrp && jg.w_FlgLay && jg.w_FlgCol && jg.w_FlgLtp && jg.w_FlgWid && jg.w_FlgMjs &&
                jg.w_FlgMbs && jg.w_FlgFont && jg.w_FlgPCol && jg.w_FlgSCol)
        << c.what;
  }
}

// --- adding entities ---

struct AddCase {
  const char* what;
  int32_t kind;
  std::function<void(TJGdata&)> plain;
  std::function<void(TJGdata&, TJwwEntAttr)> given;
};

// One accepted call of every entity operation, in both overloads. Points 1e-10 apart are distinct:
// coincidence needs a difference below the tolerance.
const std::vector<AddCase>& EveryKind() {
  static const std::vector<AddCase> cases = {
      {"A_Line", 1, [](TJGdata& jg) { jg.A_Line(0, 0, 1e-10, 0); },
       [](TJGdata& jg, TJwwEntAttr at) { jg.A_Line(at, 0, 0, 1e-10, 0); }},
      {"A_Circle", 2, [](TJGdata& jg) { jg.A_Circle(1, 2, 2e-10); },
       [](TJGdata& jg, TJwwEntAttr at) { jg.A_Circle(at, 1, 2, 2e-10); }},
      {"A_Arc", 3, [](TJGdata& jg) { jg.A_Arc(1, 2, 3, 10, 80, 0.5, 15); },
       [](TJGdata& jg, TJwwEntAttr at) { jg.A_Arc(at, 1, 2, 3, 10, 80, 0.5, 15); }},
      {"A_Text", 4, [](TJGdata& jg) { jg.A_Text(2, 1, 2, 0, 2e-10, u"x"); },
       [](TJGdata& jg, TJwwEntAttr at) { jg.A_Text(at, 2, 1, 2, 0, 2e-10, u"x"); }},
      {"A_Ten", 5, [](TJGdata& jg) { jg.A_Ten(1, 2); },
       [](TJGdata& jg, TJwwEntAttr at) { jg.A_Ten(at, 1, 2); }},
      {"A_Mark", 6, [](TJGdata& jg) { jg.A_Mark(1, 2, 3, 4, 5); },
       [](TJGdata& jg, TJwwEntAttr at) { jg.A_Mark(at, 1, 2, 3, 4, 5); }},
      {"A_Dim", 7, [](TJGdata& jg) { jg.A_Dim(0, 0, 3, 4, 1, 1, 1, 0, u"d"); },
       [](TJGdata& jg, TJwwEntAttr at) { jg.A_Dim(at, 0, 0, 3, 4, 1, 1, 1, 0, u"d"); }},
      {"A_Solid2", 9, [](TJGdata& jg) { jg.A_Solid2(0, 0, 0, -1e-10); },
       [](TJGdata& jg, TJwwEntAttr at) { jg.A_Solid2(at, 0, 0, 0, -1e-10); }},
      {"A_Solid3", 10, [](TJGdata& jg) { jg.A_Solid3(0, 0, 1, 0, 1, 1); },
       [](TJGdata& jg, TJwwEntAttr at) { jg.A_Solid3(at, 0, 0, 1, 0, 1, 1); }},
      {"A_Solid4", 11, [](TJGdata& jg) { jg.A_Solid4(0, 0, 1, 0, 1, 1, 0, 1); },
       [](TJGdata& jg, TJwwEntAttr at) { jg.A_Solid4(at, 0, 0, 1, 0, 1, 1, 0, 1); }},
      {"A_SolidC", 12, [](TJGdata& jg) { jg.A_SolidC(0, 0, 5, 1, 0, 0, 360, -1); },
       [](TJGdata& jg, TJwwEntAttr at) { jg.A_SolidC(at, 0, 0, 5, 1, 0, 0, 360, -1); }},
      {"A_SolidD", 13, [](TJGdata& jg) { jg.A_SolidD(0, 0, 5, 1, 0, 0, 360, 100); },
       [](TJGdata& jg, TJwwEntAttr at) { jg.A_SolidD(at, 0, 0, 5, 1, 0, 0, 360, 100); }},
      {"A_SolidO", 14, [](TJGdata& jg) { jg.A_SolidO(0, 0, 5, 1, 0, 0, 360, 4.9); },
       [](TJGdata& jg, TJwwEntAttr at) { jg.A_SolidO(at, 0, 0, 5, 1, 0, 0, 360, 4.9); }},
      {"A_SolidG", 15, [](TJGdata& jg) { jg.A_SolidG(0, 0, 5, 1, 0, 0, 360, 4.9); },
       [](TJGdata& jg, TJwwEntAttr at) { jg.A_SolidG(at, 0, 0, 5, 1, 0, 0, 360, 4.9); }},
  };
  return cases;
}

TEST(InsertEntity, EachOperationAddsOneEntityAfterWhatIsThere) {
  for (const auto& c : EveryKind()) {
    TJGdata jg = Prepared();
    jg.ReadTempText(u"ci 0 0 1\r\n");  // a read entity first: the index continues after it
    const int32_t circlesBefore = jg.EntCircN;
    c.plain(jg);
    ASSERT_EQ(jg.EntN, 2) << c.what;
    EXPECT_EQ(jg.EntNo[1].yn, c.kind) << c.what;
    EXPECT_EQ(jg.EntNo[1].no, c.kind == 2 ? circlesBefore : 0) << c.what;
    EXPECT_EQ(AllKindsCount(jg), 2) << c.what;
    EXPECT_EQ(KindCount(jg, c.kind), c.kind == 2 ? 2 : 1) << c.what;
    EXPECT_EQ(jg.t_MemN, 0) << c.what;
  }
}

TEST(InsertEntity, WorkingAttributesAreStampedWithTheKindsOwnColourRule) {
  for (const auto& c : EveryKind()) {
    TJGdata jg = Prepared();
    c.plain(jg);
    ASSERT_EQ(jg.EntN, 1) << c.what;
    TJwwEntAttr expected = kWorking;
    if (c.kind == 5 || c.kind == 6) expected.Col = 8;  // the point colour
    if (c.kind == 4) expected.Col = 2;                 // the colour of text style 1
    const TJwwEntAttr got = AttrOf(jg, c.kind, 0);
    EXPECT_TRUE(SameAttr(got, expected)) << c.what << ": " << Describe(got);
  }
}

TEST(InsertEntity, GivenAttributesAreUsedAsGiven) {
  for (const auto& c : EveryKind()) {
    TJGdata jg = Prepared();
    c.given(jg, kGiven);
    ASSERT_EQ(jg.EntN, 1) << c.what;
    EXPECT_EQ(jg.EntNo[0].yn, c.kind) << c.what;
    const TJwwEntAttr got = AttrOf(jg, c.kind, 0);
    EXPECT_TRUE(SameAttr(got, kGiven)) << c.what << ": " << Describe(got);
    // The working attributes are not changed by it.
    EXPECT_EQ(jg.w_LGrp, 2) << c.what;
    EXPECT_EQ(jg.w_Col, 5) << c.what;
  }
}

TEST(InsertEntity, DegenerateGeometryAddsNothing) {
  struct Case {
    const char* what;
    std::function<void(TJGdata&)> run;
  };
  const TJwwEntAttr at = kGiven;
  const Case cases[] = {
      {"line 0.5e-10 long", [](TJGdata& jg) { jg.A_Line(0, 0, 0.5e-10, 0); }},
      {"line of one point", [](TJGdata& jg) { jg.A_Line(3, 4, 3, 4); }},
      {"line, given attributes", [at](TJGdata& jg) { jg.A_Line(at, 1, 1, 1, 1 + 0.5e-10); }},
      {"circle radius 1e-10", [](TJGdata& jg) { jg.A_Circle(0, 0, 1e-10); }},
      {"circle negative radius", [](TJGdata& jg) { jg.A_Circle(0, 0, -5); }},
      {"arc radius 0", [](TJGdata& jg) { jg.A_Arc(0, 0, 0, 0, 90, 1, 0); }},
      {"text without direction", [](TJGdata& jg) { jg.A_Text(0, 0, 0, 1e-10, -1e-10, u"x"); }},
      {"text of blanks and full-width blanks",
       [](TJGdata& jg) { jg.A_Text(0, 0, 0, 1, 0, u" \u3000 \u3000"); }},
      {"empty text", [](TJGdata& jg) { jg.A_Text(0, 0, 0, 1, 0, u""); }},
      {"text, given attributes", [at](TJGdata& jg) { jg.A_Text(at, 0, 0, 0, 1, 0, u"  "); }},
      {"dimension line of one point", [](TJGdata& jg) { jg.A_Dim(1, 1, 1, 1, 0, 0, 1, 0, u"5"); }},
      {"dimension text without direction", [](TJGdata& jg) { jg.A_Dim(0, 0, 1, 0, 0, 0, 0, 1e-10, u"5"); }},
      {"dimension, given attributes", [at](TJGdata& jg) { jg.A_Dim(at, 0, 0, 1e-11, 0, 0, 0, 1, 0, u""); }},
      {"2-point solid", [](TJGdata& jg) { jg.A_Solid2(1, 1, 1, 1); }},
      {"3-point solid, 1 with 2", [](TJGdata& jg) { jg.A_Solid3(0, 0, 0, 0, 1, 1); }},
      {"3-point solid, 2 with 3", [](TJGdata& jg) { jg.A_Solid3(0, 0, 1, 1, 1, 1); }},
      {"3-point solid, 3 with 1", [](TJGdata& jg) { jg.A_Solid3(0, 0, 1, 1, 0, 0); }},
      {"4-point solid, 3 with 1", [](TJGdata& jg) { jg.A_Solid4(0, 0, 1, 0, 0, 0, 0, 1); }},
      {"4-point solid, 4 with 2", [](TJGdata& jg) { jg.A_Solid4(0, 0, 1, 0, 1, 1, 1, 0); }},
      {"4-point solid, 1 with 2 and 3 with 4", [](TJGdata& jg) { jg.A_Solid4(0, 0, 0, 0, 1, 1, 1, 1); }},
      {"4-point solid, given attributes", [at](TJGdata& jg) { jg.A_Solid4(at, 0, 0, 1, 0, 0, 0, 0, 1); }},
      {"sc flatness 0", [](TJGdata& jg) { jg.A_SolidC(0, 0, 5, 0, 0, 0, 360, 0); }},
      {"sc radius 0", [](TJGdata& jg) { jg.A_SolidC(0, 0, 0, 1, 0, 0, 360, 0); }},
      {"sc code 7", [](TJGdata& jg) { jg.A_SolidC(0, 0, 5, 1, 0, 0, 360, 7); }},
      {"se code 5", [](TJGdata& jg) { jg.A_SolidD(0, 0, 5, 1, 0, 0, 360, 5); }},
      {"se flatness -1e-10", [](TJGdata& jg) { jg.A_SolidD(0, 0, 5, -1e-10, 0, 0, 360, 0); }},
      {"so inner radius equal", [](TJGdata& jg) { jg.A_SolidO(0, 0, 5, 1, 0, 0, 360, 5); }},
      {"so inner radius 0", [](TJGdata& jg) { jg.A_SolidO(0, 0, 5, 1, 0, 0, 360, 0); }},
      {"so inner radius larger", [](TJGdata& jg) { jg.A_SolidO(0, 0, 5, 1, 0, 0, 360, 6); }},
      {"so flatness 0", [](TJGdata& jg) { jg.A_SolidO(0, 0, 5, 0, 0, 0, 360, 4); }},
      {"sg inner radius within the tolerance of the outer",
       [](TJGdata& jg) { jg.A_SolidG(0, 0, 5, 1, 0, 0, 360, 5 - 0.5e-10); }},
      {"sg, given attributes", [at](TJGdata& jg) { jg.A_SolidG(at, 0, 0, 5, 1, 0, 0, 360, 5); }},
  };
  for (const auto& c : cases) {
    TJGdata jg = Prepared();
    c.run(jg);
    EXPECT_EQ(jg.EntN, 0) << c.what;
    EXPECT_EQ(AllKindsCount(jg), 0) << c.what;
    EXPECT_TRUE(jg.EntNo.empty()) << c.what;
  }
}

// --- growth ---

TEST(InsertGrowth, TablesGrowInBlocksOfAThousand) {
  TJGdata jg;
  for (int i = 0; i < 1000; ++i) jg.A_Line(0, 0, 1, i + 1);
  EXPECT_EQ(jg.EntLine.size(), 1000u);
  EXPECT_EQ(jg.EntNo.size(), 1000u);
  jg.A_Line(0, 0, 1, 1001);
  EXPECT_EQ(jg.EntLineN, 1001);
  EXPECT_EQ(jg.EntLine.size(), 2000u);
  EXPECT_EQ(jg.EntNo.size(), 2000u);
  EXPECT_EQ(jg.EntLine[0].y2, 1);
  EXPECT_EQ(jg.EntLine[999].y2, 1000);
  EXPECT_EQ(jg.EntLine[1000].y2, 1001);
  EXPECT_EQ(jg.EntNo[1000].no, 1000);
}

}  // namespace
