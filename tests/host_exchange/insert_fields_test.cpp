// Inserted entities: the fields of each kind, attributes given explicitly with their colour rules, and
// added entities written back like read ones.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "JwwGaibu.h"
#include "MyFunc.h"
#include "insert_support.h"
#include "output_lines.h"

namespace {

using insert_support::AttrOf;
using insert_support::Describe;
using insert_support::kGiven;
using insert_support::kWorking;
using insert_support::Prepared;
using insert_support::SameAttr;

using Lines = std::vector<std::u16string>;

// --- the fields of each kind ---

TEST(InsertFields, LinesCirclesArcsPointsAndMarks) {
  TJGdata jg = Prepared();
  jg.A_Line(1, 2, 3, 4);
  jg.A_Circle(5, 6, 7);
  jg.A_Arc(1, 2, 3, 10, 80, 0.5, 15);
  jg.A_Arc(1, 2, 3, 10, 80, 0, 15);
  jg.A_Arc(1, 2, 3, 10, 80, -1e-10, 15);
  jg.A_Ten(8, 9);
  jg.A_Mark(1, 2, 3, 45, 11);
  jg.A_Mark(1, 2, 0, 45, 12);
  jg.A_Mark(1, 2, -1e-10, 45, -8);
  jg.A_Mark(1, 2, -2, 45, -7);

  const TJwwEntLine& line = jg.EntLine[0];
  EXPECT_EQ(line.CrvNo, 0);
  EXPECT_EQ((std::vector<double>{line.x1, line.y1, line.x2, line.y2}), (std::vector<double>{1, 2, 3, 4}));
  EXPECT_EQ((std::vector<double>{jg.EntCirc[0].cx, jg.EntCirc[0].cy, jg.EntCirc[0].cr}),
            (std::vector<double>{5, 6, 7}));
  const TJwwEntArc& arc = jg.EntArc[0];
  EXPECT_EQ((std::vector<double>{arc.cx, arc.cy, arc.cr, arc.sa, arc.ea, arc.he, arc.ka}),
            (std::vector<double>{1, 2, 3, 10, 80, 0.5, 15}));
  // A zero flatness is kept as that of a circle.
  EXPECT_EQ(jg.EntArc[1].he, 1.0);
  EXPECT_EQ(jg.EntArc[2].he, 1.0);
  EXPECT_EQ(jg.EntPnt[0].px, 8);
  EXPECT_EQ(jg.EntPnt[0].py, 9);

  struct MarkCase {
    double bai;
    int32_t cod;
  };
  const MarkCase marks[] = {{3, 11}, {1.0, -3}, {1.0, -3}, {-2, -7}};
  ASSERT_EQ(jg.EntMarkN, 4);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(jg.EntMark[i].bai, marks[i].bai) << "mark " << i;
    EXPECT_EQ(jg.EntMark[i].cod, marks[i].cod) << "mark " << i;
    EXPECT_EQ(jg.EntMark[i].ang, 45) << "mark " << i;
    EXPECT_EQ(jg.EntMark[i].att.Col, 8) << "mark " << i;
  }
}

TEST(InsertFields, TextsTakeTheirStyleTheCodeAndTheFont) {
  TJGdata jg;
  jg.Mojisyu[3] = TJwwMojisyu{4, 5, 0.5, 7};
  jg.A_Mbs(6);
  jg.A_Font(u"ＭＳ 明朝");
  jg.A_Col(9, 0);
  jg.A_Mjs(3, 1, 1, 1, 1, 0);
  jg.A_Text(12, 10, 20, 1, 0, u" 寸法");  // kind 12 is no kind: plain text
  jg.A_Mjs(0, 2.5, 3.5, 0.25, 4, 0);
  jg.A_Text(9, 0, 0, 0, 1, u"B ");
  jg.A_Text(-1, 0, 0, 0, 1, u"C");

  ASSERT_EQ(jg.EntTextN, 3);
  const TJwwEntText& styled = jg.EntText[0];
  EXPECT_EQ(styled.no, 0);
  EXPECT_EQ(styled.cc, 6);
  EXPECT_EQ(styled.cn, 3);
  EXPECT_EQ((std::vector<double>{styled.mw, styled.mh, styled.md}), (std::vector<double>{4, 5, 0.5}));
  EXPECT_EQ(styled.att.Col, 7);  // the style's colour, not the line colour
  EXPECT_EQ((std::vector<double>{styled.x1, styled.y1, styled.x2, styled.y2}),
            (std::vector<double>{10, 20, 1, 0}));
  EXPECT_EQ(styled.fo, u"ＭＳ 明朝");
  EXPECT_EQ(styled.st, u" 寸法");

  const TJwwEntText& free = jg.EntText[1];
  EXPECT_EQ(free.no, 9);
  EXPECT_EQ(free.cn, 0);
  EXPECT_EQ((std::vector<double>{free.mw, free.mh, free.md}), (std::vector<double>{2.5, 3.5, 0.25}));
  EXPECT_EQ(free.att.Col, 4);
  EXPECT_EQ(free.st, u"B ");
  EXPECT_EQ(jg.EntText[2].no, 0);
}

TEST(InsertFields, DimensionsFillTheirLineAndTextParts) {
  struct Case {
    double lx2, ly2;
    std::u16string m;
    std::u16string stored;
  };
  const Case cases[] = {
      {3, 4, u"", u"5"},
      {3, 4, u" \u3000", u"5"},
      {1234.5, 0, u"", u"1234.5"},
      {0.1, 0.2, u"", u"0.2236067977"},
      {3, 4, u" 寸法 ", u" 寸法 "},
  };
  for (const auto& c : cases) {
    TJGdata jg = Prepared();
    jg.A_Mbs(3);
    jg.A_Dim(0, 0, c.lx2, c.ly2, 7, 8, 0, 10, c.m);
    ASSERT_EQ(jg.EntDimN, 1) << c.lx2 << "," << c.ly2;
    const TJwwEntDim& d = jg.EntDim[0];
    EXPECT_EQ(d.txt.st, c.stored) << c.lx2 << "," << c.ly2;
    EXPECT_EQ(d.lin.CrvNo, 0);
    EXPECT_EQ((std::vector<double>{d.lin.x1, d.lin.y1, d.lin.x2, d.lin.y2}),
              (std::vector<double>{0, 0, c.lx2, c.ly2}));
    EXPECT_EQ(d.txt.no, 2);
    EXPECT_EQ(d.txt.cc, 3);
    EXPECT_EQ(d.txt.cn, 1);
    EXPECT_EQ((std::vector<double>{d.txt.x1, d.txt.y1, d.txt.x2, d.txt.y2}),
              (std::vector<double>{7, 8, 0, 10}));
    EXPECT_TRUE(SameAttr(d.att, kWorking));
    EXPECT_TRUE(SameAttr(d.lin.att, kWorking));
    TJwwEntAttr text = kWorking;
    text.Col = jg.Mojisyu[1].C;
    EXPECT_TRUE(SameAttr(d.txt.att, text)) << Describe(d.txt.att);
  }
  // A length with binary noise is rounded at the tenth decimal.
  TJGdata jg;
  jg.A_Dim(0, 0, 0.1 + 0.2, 0, 0, 0, 1, 0, u"");
  EXPECT_EQ(jg.EntDim[0].txt.st, u"0.3");
}

TEST(InsertFields, SolidsCarryTheSolidColourBesideTheLineColour) {
  TJGdata jg = Prepared();
  jg.A_Solid2(0, 0, 1, 2);
  jg.A_Solid3(0, 0, 1, 0, 1, 1);
  jg.A_Solid4(0, 0, 1, 0, 1, 1, 0, 1);
  jg.A_SolidC(1, 2, 3, 0.5, 10, 20, 30, 5);
  jg.A_SolidD(1, 2, 3, 0.5, 10, 20, 30, 0);
  jg.A_SolidO(1, 2, 3, 0.5, 10, 20, 30, 2);
  jg.A_SolidG(1, 2, 3, 0.5, 10, 20, 30, 2.9);
  for (int32_t kind = 9; kind <= 15; ++kind) {
    EXPECT_EQ(AttrOf(jg, kind, 0).Col, 5) << "kind " << kind;
  }
  EXPECT_EQ(jg.EntSld2[0].Color, 4660);
  EXPECT_EQ(jg.EntSld3[0].Color, 4660);
  EXPECT_EQ(jg.EntSld4[0].Color, 4660);
  EXPECT_EQ(jg.EntSld2[0].y2, 2);
  EXPECT_EQ(jg.EntSld4[0].y4, 1);
  const TJwwEntSldC& round = jg.EntSldC[0];
  EXPECT_EQ(round.Color, 4660);
  EXPECT_EQ((std::vector<double>{round.cx, round.cy, round.cr, round.he, round.ka, round.sa, round.da}),
            (std::vector<double>{1, 2, 3, 0.5, 10, 20, 30}));
  EXPECT_EQ(round.fl, 5);
  EXPECT_EQ(jg.EntSldE[0].fl, 0);
  EXPECT_EQ(jg.EntSldE[0].Color, 4660);
  const TJwwEntSldD& ring = jg.EntSldG[0];
  EXPECT_EQ(ring.Color, 4660);
  EXPECT_EQ((std::vector<double>{ring.cx, ring.cy, ring.cr, ring.he, ring.ka, ring.sa, ring.da, ring.ri}),
            (std::vector<double>{1, 2, 3, 0.5, 10, 20, 30, 2.9}));
  EXPECT_EQ(jg.EntSldO[0].ri, 2);
}

TEST(InsertFields, FourPointSolidsReduceByTheFirstRuleThatApplies) {
  struct Case {
    const char* what;
    double p[8];
    int32_t kind;                // 0: nothing added
    std::vector<double> stored;  // the points of what was added
  };
  const Case cases[] = {
      {"P2 = P1", {0, 0, 0, 0, 1, 0, 1, 1}, 10, {0, 0, 1, 0, 1, 1}},
      {"P3 = P1", {0, 0, 1, 0, 0, 0, 1, 1}, 0, {}},
      {"P4 = P1", {0, 0, 1, 0, 1, 1, 0, 0}, 10, {0, 0, 1, 0, 1, 1}},
      {"P3 = P2", {0, 0, 1, 0, 1, 0, 1, 1}, 10, {0, 0, 1, 0, 1, 1}},
      {"P4 = P2", {0, 0, 1, 0, 1, 1, 1, 0}, 0, {}},
      {"P4 = P3", {0, 0, 1, 0, 1, 1, 1, 1}, 10, {0, 0, 1, 0, 1, 1}},
      {"P4 within the tolerance of P3", {0, 0, 1, 0, 1, 1, 1 + 0.5e-10, 1}, 10, {0, 0, 1, 0, 1, 1}},
      {"P4 just outside it", {0, 0, 1, 0, 1, 1, 1 + 2e-10, 1}, 11, {0, 0, 1, 0, 1, 1, 1 + 2e-10, 1}},
      {"P2 = P1 and the rest collapses too", {0, 0, 0, 0, 1, 1, 1, 1}, 0, {}},
      {"a square", {0, 0, 2, 0, 2, 2, 0, 2}, 11, {0, 0, 2, 0, 2, 2, 0, 2}},
  };
  for (const auto& c : cases) {
    for (const bool given : {false, true}) {
      TJGdata jg = Prepared();
      const double* p = c.p;
      if (given) {
        jg.A_Solid4(kGiven, p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7]);
      } else {
        jg.A_Solid4(p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7]);
      }
      const std::string what = std::string(c.what) + (given ? ", given attributes" : "");
      if (c.kind == 0) {
        EXPECT_EQ(jg.EntN, 0) << what;
        continue;
      }
      ASSERT_EQ(jg.EntN, 1) << what;
      EXPECT_EQ(jg.EntNo[0].yn, c.kind) << what;
      std::vector<double> stored;
      if (c.kind == 10) {
        const TJwwEntSld3& s = jg.EntSld3[0];
        stored = {s.x1, s.y1, s.x2, s.y2, s.x3, s.y3};
      } else {
        const TJwwEntSld4& s = jg.EntSld4[0];
        stored = {s.x1, s.y1, s.x2, s.y2, s.x3, s.y3, s.x4, s.y4};
      }
      EXPECT_EQ(stored, c.stored) << what;
      // Given attributes belong to whatever the call added, the triangle a reduced solid leaves included.
      EXPECT_TRUE(SameAttr(AttrOf(jg, c.kind, 0), given ? kGiven : kWorking))
          << what << ": " << Describe(AttrOf(jg, c.kind, 0));
    }
  }
}

// --- explicit attributes and their colour rules ---

TEST(InsertGiven, PointsAndTextsTakeTheGivenColourDimensionValuesKeepTheirStyles) {
  TJGdata jg = Prepared();
  jg.Mojisyu[2].C = 6;
  jg.A_Mjs(2, 0, 0, 0, 0, 0);
  jg.A_Ten(kGiven, 0, 0);
  jg.A_Mark(kGiven, 0, 0, 1, 0, 1);
  jg.A_Text(kGiven, 0, 0, 0, 1, 0, u"numbered style");
  jg.A_Dim(kGiven, 0, 0, 1, 0, 0, 0, 1, 0, u"numbered style");
  jg.A_Mjs(0, 2, 2, 0, 3, 0);
  jg.A_Dim(kGiven, 0, 0, 1, 0, 0, 0, 1, 0, u"free style");

  EXPECT_EQ(jg.EntPnt[0].att.Col, kGiven.Col);
  EXPECT_EQ(jg.EntMark[0].att.Col, kGiven.Col);
  EXPECT_EQ(jg.EntText[0].att.Col, kGiven.Col);
  EXPECT_EQ(jg.EntText[0].cn, 2);

  TJwwEntAttr styled = kGiven;
  styled.Col = 6;
  const TJwwEntDim& numbered = jg.EntDim[0];
  EXPECT_TRUE(SameAttr(numbered.att, kGiven)) << Describe(numbered.att);
  EXPECT_TRUE(SameAttr(numbered.lin.att, kGiven)) << Describe(numbered.lin.att);
  EXPECT_TRUE(SameAttr(numbered.txt.att, styled)) << Describe(numbered.txt.att);
  const TJwwEntDim& free = jg.EntDim[1];
  EXPECT_TRUE(SameAttr(free.txt.att, kGiven)) << Describe(free.txt.att);
}

TEST(InsertGiven, AReducedFourPointSolidGivesTheAttributesToItsTriangle) {
  TJGdata jg = Prepared();
  jg.A_Solid3(5, 5, 6, 5, 6, 6);
  jg.A_Solid4(kGiven, 0, 0, 0, 0, 1, 0, 1, 1);  // P2 = P1: the triangle P1, P3, P4
  jg.A_Solid4(kGiven, 0, 0, 1, 0, 0, 0, 1, 1);  // P3 = P1: nothing, and nothing restamped
  ASSERT_EQ(jg.EntSld3N, 2);
  EXPECT_EQ(jg.EntSld4N, 0);
  EXPECT_EQ(jg.EntN, 2);
  EXPECT_TRUE(SameAttr(jg.EntSld3[0].att, kWorking)) << Describe(jg.EntSld3[0].att);
  EXPECT_TRUE(SameAttr(jg.EntSld3[1].att, kGiven)) << Describe(jg.EntSld3[1].att);
  EXPECT_EQ(jg.EntSld3[1].Color, 4660);  // the fill colour still comes from the working solid colour
}

TEST(InsertGiven, AttributesTakenFromTheGrowingTableItself) {
  // The given attributes may be those of an entity in the table that the addition reallocates.
  TJGdata jg;
  for (int i = 0; i < 1000; ++i) jg.A_Line(0, i, 1, i);
  jg.EntLine[999].att = kGiven;
  jg.A_Line(jg.EntLine[999].att, 5, 5, 6, 6);
  ASSERT_EQ(jg.EntLineN, 1001);
  EXPECT_TRUE(SameAttr(jg.EntLine[1000].att, kGiven)) << Describe(jg.EntLine[1000].att);
}

// --- inserted entities written back ---

// Insertion is the model-side twin of reading: the same entities with the same attributes, added
// either way, are written back with the same lines.
TEST(InsertReemit, AnInsertedEntityIsWrittenLikeAReadOne) {
  TJGdata read;
  read.ReadTempText(
      u"lg2\r\nly5\r\nlc3\r\nlt2\r\nlw4\r\nz1\r\n0 0 10 0\r\nci 1 1 2\r\nci 0 0 5 0 90 0.5 0\r\n"
      u"cn3\r\ncc2\r\ncn\"$ＭＳ 明朝\r\ncv 0 0 0 1 \"縦書き\r\npn6\r\npt 1 1\r\npt 2 2 3 30 4\r\n"
      u"msg\r\n0 0 30 0\r\ncs 15 1 1 0 \"30\r\nlc10 255\r\nsl 0 0 1 1\r\nsl 0 0 1 0 1 1\r\n"
      u"sl 0 0 2 0 2 2 0 2\r\nsc 0 0 5 1 0 0 360 0\r\nse 0 0 5 1 0 0 360 100\r\n"
      u"so 0 0 5 1 0 0 360 2\r\nsg 0 0 5 1 0 0 360 3\r\n");

  TJGdata added;
  added.WidF = true;  // what the "lw" record tells the writer
  added.A_LGrp(2);
  added.A_Lay(5);
  added.A_Col(3, 0);
  added.A_Ltp(2, 0);
  added.A_Wid(4);
  added.A_Attr(1);
  added.A_Line(0, 0, 10, 0);
  added.A_Attr(0);  // the reader clears the flags after each entity; insertion leaves that to its caller
  added.A_Circle(1, 1, 2);
  added.A_Arc(0, 0, 5, 0, 90, 0.5, 0);
  added.A_Mjs(3, 0, 0, 0, 0, 0);
  added.A_Mbs(2);
  added.A_Font(u"ＭＳ 明朝");
  added.A_Text(1, 0, 0, 0, 1, u"縦書き");
  added.A_PCol(6, 0);
  added.A_Ten(1, 1);
  added.A_Mark(2, 2, 3, 30, 4);
  added.A_Dim(0, 0, 30, 0, 15, 1, 1, 0, u"30");
  added.A_Col(10, 0);
  added.A_SCol(255);
  added.A_Solid2(0, 0, 1, 1);
  added.A_Solid3(0, 0, 1, 0, 1, 1);
  added.A_Solid4(0, 0, 2, 0, 2, 2, 0, 2);
  added.A_SolidC(0, 0, 5, 1, 0, 0, 360, 0);
  added.A_SolidD(0, 0, 5, 1, 0, 0, 360, 100);
  added.A_SolidO(0, 0, 5, 1, 0, 0, 360, 2);
  added.A_SolidG(0, 0, 5, 1, 0, 0, 360, 3);
  added.CurLGrp = read.CurLGrp;
  added.CurLay = read.CurLay;

  ASSERT_EQ(added.EntN, read.EntN);
  for (auto* jg : {&read, &added}) {
    jg->S_Init();
    jg->S_EntAllp(-1, -1, -1, -1, -1, -1, -1, -1);
  }
  const Lines written = OutputLines(read);
  ASSERT_EQ(written.size(), 27u);
  EXPECT_EQ(OutputLines(added), written);
  EXPECT_EQ(written[5], u"z1");
  EXPECT_EQ(written[6], u"0 0 10 0");
}

TEST(InsertReemit, GivenAttributesAreWhatIsWritten) {
  TJGdata jg;
  jg.WidF = true;
  jg.A_Line(TJwwEntAttr{0, 3, 4, 5, 6, 7, 4}, 0, 0, 1, 0);
  jg.A_Ten(TJwwEntAttr{0, 3, 4, 9, 6, 8, 0}, 2, 2);
  jg.S_Init();
  jg.S_EntAll(-1, -1, -1, -1, -1, -1, -1, -1);
  EXPECT_EQ(OutputLines(jg), (Lines{u"lg3", u"ly4", u"lc5", u"lt6", u"lw7", u"z3", u"0 0 1 0", u"pn9", u"lw8",
                                    u"pt 2 2", u"lg0", u"ly0"}));
}

}  // namespace
