// The output command writer: the exact lines each S_ operation appends, the change rule of the
// attribute commands and the suppression of degenerate or non-finite geometry.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "JwwGaibu.h"
#include "MyFunc.h"
#include "output_lines.h"
#include "test_support.h"
#include "writing_state.h"

namespace {

using Lines = std::vector<std::u16string>;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// One scenario: a fresh model after S_Init, the calls, and every line they must leave in the buffer.
struct Case {
  const char* what;
  void (*run)(TJGdata&);
  Lines expected;
};

void RunCases(const std::vector<Case>& cases) {
  for (const auto& c : cases) {
    TJGdata jg;
    jg.S_Init();
    c.run(jg);
    EXPECT_EQ(OutputLines(jg), c.expected) << c.what;
    EXPECT_EQ(static_cast<size_t>(jg.t_MemN), c.expected.size()) << c.what;
  }
}

// The lines SaveTempFile writes, split at CR LF; the tests give it ASCII only.
Lines SavedLines(TJGdata& jg) {
  test_support::TempDir dir;
  if (!jg.SaveTempFile(dir.file("JWC_TEMP.TXT"))) return {u"(not written)"};
  const std::string bytes = test_support::ReadBytes(dir.path() / "JWC_TEMP.TXT");
  Lines lines;
  for (size_t start = 0; start < bytes.size();) {
    size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) end = bytes.size();
    lines.emplace_back(bytes.begin() + static_cast<std::ptrdiff_t>(start),
                       bytes.begin() + static_cast<std::ptrdiff_t>(end));
    start = end + 2;
  }
  return lines;
}

// Two lines joined end to end, given curve number `curve`, then made ready for output.
void TwoLines(TJGdata& jg, int32_t curve) {
  jg.A_Line(0, 0, 1, 0);
  jg.A_Line(1, 0, 1, 1);
  for (TJwwEntLine& line : jg.EntLine) line.CrvNo = curve;
  jg.S_Init();
}

// --- the buffer itself ---

TEST(SendMem, GrowsInBlocksOfAThousandAndKeepsEveryLine) {
  TJGdata jg;
  jg.SendMem(u"first");
  EXPECT_EQ(jg.t_MemN, 1);
  EXPECT_EQ(jg.t_Mem.size(), 1000u);
  for (int i = 2; i <= 1000; ++i) jg.SendMem(u"x");
  EXPECT_EQ(jg.t_Mem.size(), 1000u);
  jg.SendMem(u"line 1001");
  EXPECT_EQ(jg.t_MemN, 1001);
  EXPECT_EQ(jg.t_Mem.size(), 2000u);
  EXPECT_EQ(jg.t_Mem[0], u"first");
  EXPECT_EQ(jg.t_Mem[999], u"x");
  EXPECT_EQ(jg.t_Mem[1000], u"line 1001");
  EXPECT_TRUE(jg.t_Mem[1001].empty());
}

TEST(SendMem, StoresAnyLineAsGiven) {
  TJGdata jg;
  jg.SendMem(u"bz");
  jg.SendMem(u"");
  jg.SendMem(u" trailing \"");
  EXPECT_EQ(OutputLines(jg), (Lines{u"bz", u"", u" trailing \""}));
}

TEST(S_Init, ResetsTheWritingStateButNotTheBufferOrThePerEntityState) {
  TJGdata jg;
  jg.SendMem(u"kept");
  jg.S_PLineSet(0, 0, 1, 1);
  jg.w_FlgLGrp = jg.w_FlgLay = jg.w_FlgCol = jg.w_FlgLtp = jg.w_FlgWid = false;
  jg.w_FlgMjs = jg.w_FlgMbs = jg.w_FlgFont = jg.w_FlgPCol = jg.w_FlgSCol = false;
  jg.w_LGrp = 5;
  jg.w_Lay = 6;
  jg.w_Col = 7;
  jg.w_Ltp = 8;
  jg.w_Wid = 9;
  jg.w_Mjs = 0;
  jg.w_MjsW = jg.w_MjsH = jg.w_MjsD = 9.5;
  jg.w_MjsC = 9;
  jg.w_Mbs = 4;
  jg.w_Font = u"x";
  jg.w_PtCol = 3;
  jg.w_SlCol = 77;
  jg.w_IPNo = 4;
  jg.w_Attr = 2;
  jg.w_CrvNo = 3;
  jg.w_CrvFl = true;
  jg.w_DimFl = true;

  jg.S_Init();

  ExpectInitialWritingState(jg);
  // Left alone: per-entity state and both buffers.
  EXPECT_EQ(jg.w_IPNo, 4);
  EXPECT_EQ(jg.w_Attr, 2);
  EXPECT_EQ(jg.w_CrvNo, 3);
  EXPECT_TRUE(jg.w_CrvFl);
  EXPECT_TRUE(jg.w_DimFl);
  EXPECT_EQ(OutputLines(jg), Lines{u"kept"});
  EXPECT_EQ(jg.t_PLineN, 1);
}

TEST(HeaderLines, CommentAndArea) {
  RunCases({
      {"comment", [](TJGdata& jg) { jg.S_Comment(u"寸法 v1"); }, {u"h#寸法 v1"}},
      {"empty comment", [](TJGdata& jg) { jg.S_Comment(u""); }, {u"h#"}},
      {"area",
       [](TJGdata& jg) {
         jg.AreaX1 = 7306.10278372591;
         jg.AreaY1 = -2989.5;
         jg.AreaX2 = 0;
         jg.AreaY2 = 1e20;
         jg.S_Area();
       },
       {u"hn 7306.10278372591 -2989.5 0 1E20"}},
  });
}

// --- attribute commands and their change rule ---

TEST(AttributeCommands, LayerGroupAndLayer) {
  RunCases({
      {"the flag forces the first group although w_LGrp is already 0; the repeat writes nothing",
       [](TJGdata& jg) {
         jg.S_LGrp(0);
         jg.S_LGrp(0);
       },
       {u"lg0"}},
      {"the same group and layer twice: the second pair writes nothing",
       [](TJGdata& jg) {
         jg.S_LGrp(3);
         jg.S_Lay(2);
         jg.S_LGrp(3);
         jg.S_Lay(2);
       },
       {u"lg3", u"ly2"}},
      {"a new group forces the next layer even when it is the same",
       [](TJGdata& jg) {
         jg.S_LGrp(3);
         jg.S_Lay(2);
         jg.S_LGrp(4);
         jg.S_Lay(2);
         jg.S_Lay(2);
       },
       {u"lg3", u"ly2", u"lg4", u"ly2"}},
      {"hexadecimal upper case",
       [](TJGdata& jg) {
         jg.S_LGrp(10);
         jg.S_Lay(15);
         jg.S_LGrp(15);
         jg.S_Lay(9);
       },
       {u"lgA", u"lyF", u"lgF", u"ly9"}},
      {"out of range writes nothing and keeps the must-write state",
       [](TJGdata& jg) {
         jg.S_LGrp(16);
         jg.S_LGrp(-1);
         jg.S_Lay(16);
         jg.S_Lay(-1);
         jg.S_LGrp(0);
         jg.S_Lay(0);
       },
       {u"lg0", u"ly0"}},
  });
}

TEST(AttributeCommands, ColourLineTypeAndPointColour) {
  RunCases({
      {"colour item 12 maps to 103", [](TJGdata& jg) { jg.S_Col(12, 1); }, {u"lc103"}},
      {"colour item 0 is the host's current colour",
       [](TJGdata& jg) {
         jg.CurCol = 5;
         jg.S_Col(0, 1);
       },
       {u"lc5"}},
      {"other modes take the number as it is; repeats write nothing",
       [](TJGdata& jg) {
         jg.S_Col(12, 2);
         jg.S_Col(12, 0);
         jg.S_Col(3, 1);
         jg.S_Col(3, 0);
       },
       {u"lc12", u"lc3"}},
      {"the first colour is written although it equals the reset value",
       [](TJGdata& jg) {
         jg.S_Col(1, 0);
         jg.S_Col(1, 0);
       },
       {u"lc1"}},
      {"line type items",
       [](TJGdata& jg) {
         jg.CurLtp = 4;
         jg.S_Ltp(10, 1);
         jg.S_Ltp(10, 1);
         jg.S_Ltp(11, 0);
         jg.S_Ltp(19, 1);
         jg.S_Ltp(0, 1);
       },
       {u"lt11", u"lt31", u"lt4"}},
      {"point colour",
       [](TJGdata& jg) {
         jg.S_PCol(10, 1);
         jg.S_PCol(101, 0);
         jg.S_PCol(2, 0);
         jg.S_PCol(-4, 0);
       },
       {u"pn101", u"pn2", u"pn-4"}},
  });
}

TEST(AttributeCommands, LineWidth) {
  RunCases({
      {"without a width in the host's file nothing is written",
       [](TJGdata& jg) {
         jg.WidF = false;
         jg.S_Wid(5);
       },
       {}},
      {"-1 is the host's current width; the range is 0..30000",
       [](TJGdata& jg) {
         jg.WidF = true;
         jg.CurWid = 7;
         jg.S_Wid(-1);
         jg.S_Wid(30001);
         jg.S_Wid(30000);
         jg.S_Wid(-2);
         jg.S_Wid(0);
       },
       {u"lw7", u"lw0", u"lw30000", u"lw0"}},
      {"a current width out of range becomes 0 too",
       [](TJGdata& jg) {
         jg.WidF = true;
         jg.CurWid = 40000;
         jg.S_Wid(-1);
       },
       {u"lw0"}},
  });
  TJGdata jg;
  jg.S_Init();
  jg.w_Wid = 3;
  jg.S_Wid(9);
  EXPECT_EQ(jg.w_Wid, 3) << "WidF false leaves the state alone";
  EXPECT_TRUE(jg.w_FlgWid);
}

TEST(AttributeCommands, TextBaseCodeAndFont) {
  RunCases({
      {"codes outside 0..8 become 0",
       [](TJGdata& jg) {
         jg.S_Mbs(9);
         jg.S_Mbs(-1);
         jg.S_Mbs(8);
         jg.S_Mbs(8);
         jg.S_Mbs(0);
       },
       {u"cc0", u"cc8", u"cc0"}},
      {"an empty name and <> both stand for the host's current font",
       [](TJGdata& jg) {
         jg.CurFont = u"ＭＳ 明朝";
         jg.S_Font(u"");
         jg.S_Font(u"<>");
         jg.S_Font(u"ＭＳ 明朝");
       },
       {u"cn\"$ＭＳ 明朝"}},
      {"the first font is written although it is the reset value; case matters",
       [](TJGdata& jg) {
         jg.S_Font(u"<ＭＳ ゴシック>");
         jg.S_Font(u"<ＭＳ ゴシック>");
         jg.S_Font(u"Arial");
         jg.S_Font(u"arial");
       },
       {u"cn\"$<ＭＳ ゴシック>", u"cn\"$Arial", u"cn\"$arial"}},
  });
}

TEST(AttributeCommands, TextStyle) {
  RunCases({
      {"a numbered style ignores the sizes",
       [](TJGdata& jg) {
         jg.S_Mjs(3, 1, 1, 1, 1, 0);
         jg.S_Mjs(3, 9, 9, 9, 9, 0);
       },
       {u"cn3"}},
      {"free style: written, repeat nothing, a change of md or colour alone writes",
       [](TJGdata& jg) {
         jg.S_Mjs(3, 0, 0, 0, 0, 0);
         jg.S_Mjs(0, 2.5, 2.5, 0, 1, 0);
         jg.S_Mjs(0, 2.5, 2.5, 0, 1, 0);
         jg.S_Mjs(0, 2.5, 2.5, 0.5, 1, 0);
         jg.S_Mjs(0, 2.5, 2.5, 0.5, 6, 0);
       },
       {u"cn3", u"cn0 2.5 2.5 0 1", u"cn0 2.5 2.5 0.5 1", u"cn0 2.5 2.5 0.5 6"}},
      {"the flag forces the first style although it equals the reset style 1",
       [](TJGdata& jg) {
         jg.S_Mjs(1, 0, 0, 0, 0, 0);
         jg.S_Mjs(1, 0, 0, 0, 0, 0);
       },
       {u"cn1"}},
      {"mode 1 maps the free-style colour item",
       [](TJGdata& jg) { jg.S_Mjs(0, 3, 4, 0.25, 10, 1); },
       {u"cn0 3 4 0.25 101"}},
      {"style 11 with current style 0 takes the current free sizes",
       [](TJGdata& jg) {
         jg.CurMjs = 0;
         jg.CurMjsW = 1.5;
         jg.CurMjsH = 2;
         jg.CurMjsD = 0.125;
         jg.CurMjsC = 4;
         jg.S_Mjs(11, 9, 9, 9, 9, 0);
       },
       {u"cn0 1.5 2 0.125 4"}},
      {"style -1 with a numbered current style writes that style",
       [](TJGdata& jg) {
         jg.CurMjs = 4;
         jg.S_Mjs(-1, 9, 9, 9, 9, 0);
         jg.S_Mjs(4, 0, 0, 0, 0, 0);
       },
       {u"cn4"}},
      {"a numbered style after a free one compares only the number",
       [](TJGdata& jg) {
         jg.S_Mjs(0, 2, 2, 0, 1, 0);
         jg.S_Mjs(5, 2, 2, 0, 1, 0);
         jg.S_Mjs(5, 3, 3, 3, 3, 0);
         jg.S_Mjs(0, 2, 2, 0, 1, 0);
       },
       {u"cn0 2 2 0 1", u"cn5", u"cn0 2 2 0 1"}},
  });
}

TEST(AttributeCommands, SolidColour) {
  RunCases({
      {"out of range becomes 0",
       [](TJGdata& jg) {
         jg.S_SCol(-5);
         jg.S_SCol(16777216);
         jg.S_SCol(16777215);
       },
       {u"lc10 0", u"lc10 16777215"}},
      {"the same value twice writes once",
       [](TJGdata& jg) {
         jg.S_SCol(255);
         jg.S_SCol(255);
       },
       {u"lc10 255"}},
      {"a line colour in between brings the solid colour back",
       [](TJGdata& jg) {
         jg.S_SCol(255);
         jg.S_Col(1, 0);
         jg.S_SCol(255);
       },
       {u"lc10 255", u"lc1", u"lc10 255"}},
      {"colour 10 written as a line colour with the remembered value in force",
       [](TJGdata& jg) {
         jg.S_Col(10, 0);
         jg.S_SCol(0);
         jg.S_SCol(1);
       },
       {u"lc10", u"lc10 1"}},
      {"after a solid colour, line colour 10 counts as unchanged",
       [](TJGdata& jg) {
         jg.S_SCol(7);
         jg.S_Col(10, 0);
       },
       {u"lc10 7"}},
      {"RGB components out of range become 0, then the solid-colour rule",
       [](TJGdata& jg) {
         jg.S_SColRGB(255, 128, 0);
         jg.S_SColRGB(300, -1, 1);
         jg.S_SCol(65536);
         jg.S_SColRGB(255, 255, 255);
       },
       {u"lc10 33023", u"lc10 65536", u"lc10 16777215"}},
  });
}

TEST(AttributeCommands, FlagsAreWrittenOnEveryCall) {
  RunCases({
      {"24: flag 5 suppresses flag 4", [](TJGdata& jg) { jg.S_Attr(24); }, {u"z5"}},
      {"31", [](TJGdata& jg) { jg.S_Attr(31); }, {u"z1", u"z2", u"z3", u"z5"}},
      {"0", [](TJGdata& jg) { jg.S_Attr(0); }, {}},
      {"8 alone", [](TJGdata& jg) { jg.S_Attr(8); }, {u"z4"}},
      {"4 twice, no change rule",
       [](TJGdata& jg) {
         jg.S_Attr(4);
         jg.S_Attr(4);
       },
       {u"z3", u"z3"}},
      {"higher bits ignored", [](TJGdata& jg) { jg.S_Attr(32 + 2); }, {u"z2"}},
      {"booleans", [](TJGdata& jg) { jg.S_Attr(true, false, false, true, true); }, {u"z1", u"z5"}},
      {"booleans, flag 4 without 5",
       [](TJGdata& jg) { jg.S_Attr(false, true, true, true, false); },
       {u"z2", u"z3", u"z4"}},
      {"integers: non-zero is set", [](TJGdata& jg) { jg.S_Attr(1, 0, -3, 2, 0); }, {u"z1", u"z3", u"z4"}},
      {"integers, flag 5 suppresses 4", [](TJGdata& jg) { jg.S_Attr(0, 0, 0, 1, 1); }, {u"z5"}},
  });
}

// --- drawing commands ---

TEST(DrawingCommands, LinePointAndMarker) {
  RunCases({
      {"line", [](TJGdata& jg) { jg.S_Line(0, 0, 10, -2.5); }, {u"0 0 10 -2.5"}},
      {"identical end points", [](TJGdata& jg) { jg.S_Line(3, 4, 3, 4); }, {}},
      {"1e-11 apart", [](TJGdata& jg) { jg.S_Line(0, 0, 1e-11, -1e-11); }, {}},
      {"1e-9 apart", [](TJGdata& jg) { jg.S_Line(0, 0, 1e-9, 0); }, {u"0 0 1E-9 0"}},
      {"exactly 1e-10 apart does not coincide",
       [](TJGdata& jg) {
         jg.S_Line(0, 0, 0, 1e-10);
         jg.S_Line(1e-10, 0, 0, 0);
       },
       {u"0 0 0 1E-10", u"1E-10 0 0 0"}},
      {"only y differs", [](TJGdata& jg) { jg.S_Line(5, 5, 5, 6); }, {u"5 5 5 6"}},
      {"point", [](TJGdata& jg) { jg.S_Ten(1, 2); }, {u"pt 1 2"}},
      {"point at the origin", [](TJGdata& jg) { jg.S_Ten(0, -0.5); }, {u"pt 0 -0.5"}},
      {"marker: factor 0 becomes 1, code 20 becomes -3",
       [](TJGdata& jg) { jg.S_Mark(1, 2, 0, 45, 20); },
       {u"pt 1 2 1 45 -3"}},
      {"marker codes at the ends of -7..11",
       [](TJGdata& jg) {
         jg.S_Mark(0, 0, 2, 0, -7);
         jg.S_Mark(0, 0, 2, 0, 11);
         jg.S_Mark(0, 0, 2, 0, -8);
         jg.S_Mark(0, 0, 2, 0, 12);
       },
       {u"pt 0 0 2 0 -7", u"pt 0 0 2 0 11", u"pt 0 0 2 0 -3", u"pt 0 0 2 0 -3"}},
      {"marker factors within 1e-10 of zero",
       [](TJGdata& jg) {
         jg.S_Mark(0, 0, 1e-10, 0, 1);
         jg.S_Mark(0, 0, -1e-10, 0, 1);
         jg.S_Mark(0, 0, 2e-10, 0, 1);
         jg.S_Mark(0, 0, -0.5, 0, 1);
       },
       {u"pt 0 0 1 0 1", u"pt 0 0 1 0 1", u"pt 0 0 2E-10 0 1", u"pt 0 0 -0.5 0 1"}},
  });
}

TEST(DrawingCommands, CircleAndArc) {
  RunCases({
      {"circle", [](TJGdata& jg) { jg.S_Circle(0, 0, 5); }, {u"ci 0 0 5"}},
      {"radius 1e-10", [](TJGdata& jg) { jg.S_Circle(0, 0, 1e-10); }, {}},
      {"negative radius", [](TJGdata& jg) { jg.S_Circle(0, 0, -5); }, {}},
      {"radius just above 1e-10", [](TJGdata& jg) { jg.S_Circle(1, 1, 2e-10); }, {u"ci 1 1 2E-10"}},
      {"arc", [](TJGdata& jg) { jg.S_Arc(0, 0, 5, 0, 90, 1, 0); }, {u"ci 0 0 5 0 90 1 0"}},
      {"arc, negative flatness",
       [](TJGdata& jg) { jg.S_Arc(1, 2, 3, 4, 5, -0.5, 7); },
       {u"ci 1 2 3 4 5 -0.5 7"}},
      {"arc, flatness 0", [](TJGdata& jg) { jg.S_Arc(0, 0, 5, 0, 90, 0, 0); }, {}},
      {"arc, flatness -1e-10", [](TJGdata& jg) { jg.S_Arc(0, 0, 5, 0, 90, -1e-10, 0); }, {}},
      {"arc, radius 0", [](TJGdata& jg) { jg.S_Arc(0, 0, 0, 0, 90, 1, 0); }, {}},
  });
}

TEST(DrawingCommands, TextKeywordFollowsTheKind) {
  const struct {
    int no;
    std::u16string keyword;
  } kinds[] = {{-1, u"ch"}, {0, u"ch"}, {1, u"cv"}, {2, u"cs"}, {3, u"cr"}, {4, u"co"},
               {5, u"cp"},  {6, u"ct"}, {7, u"ck"}, {8, u"cz"}, {9, u"c2"}, {10, u"ch"}};
  for (const auto& k : kinds) {
    TJGdata jg;
    jg.S_Init();
    jg.S_Text(k.no, 1, 2, 10, 0, u"A");
    EXPECT_EQ(OutputLines(jg), Lines{k.keyword + u" 1 2 10 0 \"A"}) << "no " << k.no;
  }
}

TEST(DrawingCommands, Text) {
  RunCases({
      {"plain", [](TJGdata& jg) { jg.S_Text(2, 100, 50, 10, 0, u"abc"); }, {u"cs 100 50 10 0 \"abc"}},
      {"no direction, whatever the text", [](TJGdata& jg) { jg.S_Text(0, 0, 0, 0, 0, u"abc"); }, {}},
      {"direction within 1e-10 of zero", [](TJGdata& jg) { jg.S_Text(0, 0, 0, 1e-10, -1e-10, u"abc"); }, {}},
      {"vertical direction", [](TJGdata& jg) { jg.S_Text(0, 0, 0, 0, 10, u"abc"); }, {u"ch 0 0 0 10 \"abc"}},
      {"two blanks", [](TJGdata& jg) { jg.S_Text(0, 0, 0, 10, 0, u"  "); }, {}},
      {"full-width blank", [](TJGdata& jg) { jg.S_Text(0, 0, 0, 10, 0, u"\u3000"); }, {}},
      {"empty", [](TJGdata& jg) { jg.S_Text(0, 0, 0, 10, 0, u""); }, {}},
      {"blanks around the text are kept",
       [](TJGdata& jg) { jg.S_Text(0, 0, 0, 10, 0, u" A "); },
       {u"ch 0 0 10 0 \" A "}},
      {"quotes are not escaped",
       [](TJGdata& jg) { jg.S_Text(0, 0, 0, 10, 0, u"a\"b\""); },
       {u"ch 0 0 10 0 \"a\"b\""}},
      {"Japanese and a surrogate pair",
       [](TJGdata& jg) { jg.S_Text(0, 0, 0, 10, 0, u"寸法\U0001F600ｱ"); },
       {u"ch 0 0 10 0 \"寸法\U0001F600ｱ"}},
  });
}

TEST(DrawingCommands, Dimension) {
  RunCases({
      {"empty text: the measured length",
       [](TJGdata& jg) { jg.S_Dim(0, 0, 1234.5, 0, 600, 5, 10, 0, u""); },
       {u"msg", u"0 0 1234.5 0", u"cs 600 5 10 0 \"1234.5"}},
      {"binary noise is rounded away",
       [](TJGdata& jg) { jg.S_Dim(0, 0, 0, 0.1 + 0.2, 1, 1, 0, 10, u" "); },
       {u"msg", u"0 0 0 0.3", u"cs 1 1 0 10 \"0.3"}},
      {"slanted line",
       [](TJGdata& jg) { jg.S_Dim(1, 1, 4, 5, 0, 0, 10, 0, u""); },
       {u"msg", u"1 1 4 5", u"cs 0 0 10 0 \"5"}},
      {"a given text is written as passed",
       [](TJGdata& jg) { jg.S_Dim(0, 0, 10, 0, 5, 1, 10, 0, u" 1,000 "); },
       {u"msg", u"0 0 10 0", u"cs 5 1 10 0 \" 1,000 "}},
      {"coinciding line ends", [](TJGdata& jg) { jg.S_Dim(1, 1, 1 + 1e-11, 1, 0, 0, 10, 0, u"x"); }, {}},
      {"no text direction", [](TJGdata& jg) { jg.S_Dim(0, 0, 10, 0, 0, 0, 1e-10, 0, u"x"); }, {}},
  });
}

TEST(DrawingCommands, Solids) {
  RunCases({
      {"two points", [](TJGdata& jg) { jg.S_Solid2(0, 0, 5, 5); }, {u"sl 0 0 5 5"}},
      {"two coinciding points", [](TJGdata& jg) { jg.S_Solid2(1, 1, 1, 1 + 5e-11); }, {}},
      {"triangle", [](TJGdata& jg) { jg.S_Solid3(0, 0, 1, 0, 1, 1); }, {u"sl 0 0 1 0 1 1"}},
      {"triangle 1=2", [](TJGdata& jg) { jg.S_Solid3(0, 0, 0, 0, 1, 1); }, {}},
      {"triangle 2=3", [](TJGdata& jg) { jg.S_Solid3(0, 0, 1, 1, 1, 1); }, {}},
      {"triangle 3=1", [](TJGdata& jg) { jg.S_Solid3(0, 0, 1, 1, 0, 0); }, {}},
      {"quadrilateral", [](TJGdata& jg) { jg.S_Solid4(0, 0, 2, 0, 2, 2, 0, 2); }, {u"sl 0 0 2 0 2 2 0 2"}},
      {"P1=P2: triangle P1 P3 P4",
       [](TJGdata& jg) { jg.S_Solid4(0, 0, 0, 0, 2, 2, 0, 2); },
       {u"sl 0 0 2 2 0 2"}},
      {"P3=P1: nothing", [](TJGdata& jg) { jg.S_Solid4(0, 0, 2, 0, 0, 0, 0, 2); }, {}},
      {"P4=P1: triangle P1 P2 P3",
       [](TJGdata& jg) { jg.S_Solid4(0, 0, 2, 0, 2, 2, 0, 0); },
       {u"sl 0 0 2 0 2 2"}},
      {"P3=P2: triangle P1 P2 P4",
       [](TJGdata& jg) { jg.S_Solid4(0, 0, 2, 0, 2, 0, 0, 2); },
       {u"sl 0 0 2 0 0 2"}},
      {"P4=P2: nothing", [](TJGdata& jg) { jg.S_Solid4(0, 0, 2, 0, 2, 2, 2, 0); }, {}},
      {"P4=P3: triangle P1 P2 P3",
       [](TJGdata& jg) { jg.S_Solid4(0, 0, 2, 0, 2, 2, 2, 2); },
       {u"sl 0 0 2 0 2 2"}},
      {"P1=P2 and P3=P4: the reduced triangle collapses too",
       [](TJGdata& jg) { jg.S_Solid4(0, 0, 0, 0, 5, 5, 5, 5); },
       {}},
      {"sc with each allowed code",
       [](TJGdata& jg) {
         for (int cod : {0, 5, 100, -1, 1, 99}) jg.S_SolidC(1, 2, 3, 4, 5, 6, 7, cod);
       },
       {u"sc 1 2 3 4 5 6 7 0", u"sc 1 2 3 4 5 6 7 5", u"sc 1 2 3 4 5 6 7 100", u"sc 1 2 3 4 5 6 7 -1"}},
      {"sc degenerate",
       [](TJGdata& jg) {
         jg.S_SolidC(1, 2, 1e-10, 4, 5, 6, 7, 0);
         jg.S_SolidC(1, 2, 3, 1e-10, 5, 6, 7, 0);
       },
       {}},
      {"se with each code",
       [](TJGdata& jg) {
         for (int cod : {0, 100, 5, -1}) jg.S_SolidD(1, 2, 3, -4, 5, 6, 7, cod);
       },
       {u"se 1 2 3 -4 5 6 7 0", u"se 1 2 3 -4 5 6 7 100"}},
      {"se degenerate",
       [](TJGdata& jg) {
         jg.S_SolidD(1, 2, -3, 4, 5, 6, 7, 0);
         jg.S_SolidD(1, 2, 3, 0, 5, 6, 7, 0);
       },
       {}},
      {"so and sg",
       [](TJGdata& jg) {
         jg.S_SolidO(0, 0, 5, 1, 0, 0, 360, 2.5);
         jg.S_SolidG(0, 0, 5, 1, 0, 0, 360, 2.5);
       },
       {u"so 0 0 5 1 0 0 360 2.5", u"sg 0 0 5 1 0 0 360 2.5"}},
      {"so and sg degenerate",
       [](TJGdata& jg) {
         for (auto solid : {&TJGdata::S_SolidO, &TJGdata::S_SolidG}) {
           (jg.*solid)(0, 0, 1e-10, 1, 0, 0, 360, 1e-11);  // outer radius zero
           (jg.*solid)(0, 0, 5, 1, 0, 0, 360, 1e-10);      // inner radius zero
           (jg.*solid)(0, 0, 5, 1, 0, 0, 360, 5);          // no ring left
           (jg.*solid)(0, 0, 5, 1, 0, 0, 360, 5 - 1e-10);  // within the tolerance
           (jg.*solid)(0, 0, 5, 1, 0, 0, 360, 6);          // inner beyond outer
           (jg.*solid)(0, 0, 5, 0, 0, 0, 360, 2);          // flatness zero
         }
       },
       {}},
  });
}

TEST(DrawingCommands, Polylines) {
  RunCases({
      {"start and end",
       [](TJGdata& jg) {
         jg.S_PLineStart();
         jg.S_PLineEnd();
       },
       {u"pl", u"#"}},
      {"empty buffer writes nothing", [](TJGdata& jg) { jg.S_PLine(); }, {}},
      {"one segment is a plain line",
       [](TJGdata& jg) {
         jg.S_PLineSet(0, 0, 1, 0);
         jg.S_PLine();
       },
       {u"0 0 1 0"}},
      {"a degenerate segment is skipped, the buffer stays",
       [](TJGdata& jg) {
         jg.S_PLineSet(0, 0, 1, 0);
         jg.S_PLineSet(1, 0, 1, 0);
         jg.S_PLineSet(1, 0, 1, 1);
         jg.S_PLine();
         jg.S_PLine();
       },
       {u"pl", u"0 0 1 0", u"1 0 1 1", u"#", u"pl", u"0 0 1 0", u"1 0 1 1", u"#"}},
      {"reset empties the buffer",
       [](TJGdata& jg) {
         jg.S_PLineSet(0, 0, 1, 0);
         jg.S_PLineSet(1, 0, 1, 1);
         jg.S_PLineReset();
         jg.S_PLine();
         jg.S_PLineSet(2, 2, 3, 3);
         jg.S_PLine();
       },
       {u"2 2 3 3"}},
  });
  TJGdata jg;
  for (int i = 1; i <= 3; ++i) {
    jg.S_PLineSet(i, 0, i, 1);
    EXPECT_EQ(jg.t_PLineN, i);
    EXPECT_EQ(jg.t_PLine.size(), static_cast<size_t>(i));
  }
  EXPECT_EQ(jg.t_PLine[2].x1, 3.0);
  jg.S_PLineReset();
  EXPECT_EQ(jg.t_PLineN, 0);
  EXPECT_TRUE(jg.t_PLine.empty());
}

// --- numbers: every real in a command is written exactly as FloatToText writes it ---

TEST(Numbers, AreWrittenAsFloatToTextWritesThem) {
  std::vector<double> values = {0.0,
                                -0.0,
                                1.0,
                                -1.0,
                                0.1 + 0.2,
                                1.0 / 3,
                                2.5,
                                1234.5,
                                7306.10278372591,
                                -2989.07922912206,
                                1e15,
                                1e15 - 1,
                                999999999999999.5,
                                1e16,
                                123456789012345678.0,
                                1e-4,
                                1e-5,
                                0.00012345,
                                9.99999999999999e-5,
                                1.5e20,
                                1e300,
                                1e-300,
                                5e-324,
                                std::numeric_limits<double>::max(),
                                std::numeric_limits<double>::min(),
                                0.1,
                                0.7,
                                1e21,
                                4503599627370496.5,
                                9007199254740993.0,
                                0.5e-3};
  std::mt19937_64 random(20240607);
  // Arbitrary bit patterns: every magnitude, mostly 17 significant digits.
  for (int i = 0; i < 100000; ++i) {
    const uint64_t bits = random();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    if (std::isfinite(v)) values.push_back(v);
  }
  // Short decimals of the kind drawings are made of, and whole numbers up to 16 digits.
  for (int i = 0; i < 100000; ++i) {
    const auto mantissa = static_cast<int64_t>(random() % 2000000000000000ULL) - 1000000000000000LL;
    const int scale = static_cast<int>(random() % 24);
    values.push_back(static_cast<double>(mantissa) / std::pow(10.0, scale));
    values.push_back(static_cast<double>(mantissa % 100000) / std::pow(10.0, scale % 8));
  }
  TJGdata jg;
  for (double v : values) {
    jg.S_Ten(v, 0);
    const std::u16string expected = u"pt " + FloatToText(v) + u" 0";
    if (jg.t_Mem[static_cast<size_t>(jg.t_MemN - 1)] != expected) {
      ADD_FAILURE() << "value " << std::hexfloat << v << ": "
                    << testing::PrintToString(jg.t_Mem[static_cast<size_t>(jg.t_MemN - 1)]) << " instead of "
                    << testing::PrintToString(expected);
      break;
    }
    if (jg.t_MemN == 1000) jg.StopJwwGaibu();
  }
}

// --- well-formed output: texts cannot break their line; non-finite numbers never reach the file ---

TEST(WellFormedOutput, ControlCharactersCannotSplitACommand) {
  RunCases({
      {"text", [](TJGdata& jg) { jg.S_Text(0, 0, 0, 10, 0, u"a\r\nlc5\tb"); }, {u"ch 0 0 10 0 \"alc5b"}},
      {"text of line breaks only is blank", [](TJGdata& jg) { jg.S_Text(0, 0, 0, 10, 0, u"\r\n"); }, {}},
      {"dimension text",
       [](TJGdata& jg) { jg.S_Dim(0, 0, 10, 0, 5, 1, 10, 0, u"1\n0"); },
       {u"msg", u"0 0 10 0", u"cs 5 1 10 0 \"10"}},
      {"dimension text of a line break only is measured",
       [](TJGdata& jg) { jg.S_Dim(0, 0, 10, 0, 5, 1, 10, 0, u"\n"); },
       {u"msg", u"0 0 10 0", u"cs 5 1 10 0 \"10"}},
      {"font, remembered as written",
       [](TJGdata& jg) {
         jg.S_Font(u"ＭＳ\r\nゴシック");
         jg.S_Font(u"ＭＳゴシック");
       },
       {u"cn\"$ＭＳゴシック"}},
      {"a font name of control characters only", [](TJGdata& jg) { jg.S_Font(u"\r\n"); }, {u"cn\"$"}},
      {"comment", [](TJGdata& jg) { jg.S_Comment(u"x\ny\0z"); }, {u"h#xy"}},
  });
  TJGdata jg;
  jg.S_Comment(std::u16string(u"a\0b", 3));
  EXPECT_EQ(OutputLines(jg), Lines{u"h#ab"}) << "a NUL would end the host's reading of the file";
}

// The line builder keeps up to 256 units on the stack and spills to the heap beyond: a font record
// of 4 + 252 units just fits, 253 spills at the name, and the name must arrive whole either way.
TEST(WellFormedOutput, LongFontNamesAreWrittenWholeOnBothSidesOfTheStackBuffer) {
  for (const size_t length : {size_t{252}, size_t{253}, size_t{300}}) {
    std::u16string name;
    for (size_t i = 0; i < length; ++i) {
      name.push_back(i % 7 == 0 ? u'\u660E' : static_cast<char16_t>(u'A' + i % 26));
    }
    TJGdata jg;
    jg.S_Init();
    jg.S_Font(name);
    jg.S_Font(name);
    EXPECT_EQ(OutputLines(jg), (Lines{u"cn\"$" + name})) << length;
  }
}

// Counts are public and may be set from outside; none may lead a writer past the end of its table.
// The tables are cut to their size so that a read beyond it leaves the allocation.
TEST(WellFormedOutput, CountsSetFromOutsideStayInsideTheirTables) {
  const struct Case {
    const char* what;
    Lines (*run)(TJGdata&);
    Lines expected;
  } cases[] = {
      {"t_MemN above the buffer writes what is there",
       [](TJGdata& jg) {
         jg.SendMem(u"a");
         jg.SendMem(u"b");
         jg.t_Mem.resize(2);
         jg.t_Mem.shrink_to_fit();
         jg.t_MemN = 5;
         return SavedLines(jg);
       },
       {u"a", u"b"}},
      {"a negative t_MemN is an empty result",
       [](TJGdata& jg) {
         jg.SendMem(u"a");
         jg.t_MemN = -3;
         return SavedLines(jg);
       },
       {u"hq"}},
      {"t_PLineN above the polyline table",
       [](TJGdata& jg) {
         jg.S_PLineSet(0, 0, 1, 0);
         jg.S_PLineSet(1, 0, 1, 1);
         jg.t_PLine.shrink_to_fit();
         jg.t_PLineN = 7;
         jg.S_PLine();
         return OutputLines(jg);
       },
       {u"pl", u"0 0 1 0", u"1 0 1 1", u"#"}},
      {"EntN above the index, S_EntAll",
       [](TJGdata& jg) {
         TwoLines(jg, 0);
         jg.EntNo.resize(2);
         jg.EntNo.shrink_to_fit();
         jg.EntN = 50;
         jg.S_EntAll(-1, -1, -1, -1, -1, -1, -1, -1);
         return OutputLines(jg);
       },
       {u"lg0", u"ly0", u"lc1", u"lt1", u"0 0 1 0", u"1 0 1 1"}},
      {"EntN above the index, S_EntAllp",
       [](TJGdata& jg) {
         TwoLines(jg, 1);
         jg.EntNo.resize(2);
         jg.EntNo.shrink_to_fit();
         jg.EntN = 50;
         jg.S_EntAllp(-1, -1, -1, -1, -1, -1, -1, -1);
         return OutputLines(jg);
       },
       {u"lg0", u"ly0", u"lc1", u"lt1", u"pl", u"0 0 1 0", u"1 0 1 1", u"#"}},
      {"EntLineN above the line table, S_EntAll",
       [](TJGdata& jg) {
         TwoLines(jg, 0);
         jg.EntLine.resize(1);
         jg.EntLine.shrink_to_fit();
         jg.EntLineN = 5;
         jg.S_EntAll(-1, -1, -1, -1, -1, -1, -1, -1);
         return OutputLines(jg);
       },
       {u"lg0", u"ly0", u"lc1", u"lt1", u"0 0 1 0"}},
      {"EntLineN above the line table, S_EntAllp",
       [](TJGdata& jg) {
         TwoLines(jg, 1);
         jg.EntLine.resize(1);
         jg.EntLine.shrink_to_fit();
         jg.EntLineN = 5;
         jg.S_EntAllp(-1, -1, -1, -1, -1, -1, -1, -1);
         return OutputLines(jg);
       },
       {u"lg0", u"ly0", u"lc1", u"lt1", u"pl", u"0 0 1 0", u"#"}},
  };
  for (const Case& c : cases) {
    TJGdata jg;
    EXPECT_EQ(c.run(jg), c.expected) << c.what;
  }
}

TEST(WellFormedOutput, NonFiniteGeometryWritesNothing) {
  for (double bad : {kInf, -kInf, kNaN}) {
    TJGdata jg;
    jg.S_Init();
    jg.S_Line(bad, 0, 1, 1);
    jg.S_Line(0, 0, 1, bad);
    jg.S_Ten(bad, 0);
    jg.S_Ten(0, bad);
    jg.S_Mark(0, bad, 1, 0, 1);
    jg.S_Mark(0, 0, bad, 0, 1);
    jg.S_Mark(0, 0, 1, bad, 1);
    jg.S_Circle(bad, 0, 1);
    jg.S_Circle(0, 0, bad);
    jg.S_Arc(0, 0, 1, bad, 90, 1, 0);
    jg.S_Arc(0, 0, 1, 0, 90, bad, 0);
    jg.S_Arc(0, 0, 1, 0, 90, 1, bad);
    jg.S_Text(0, bad, 0, 10, 0, u"a");
    jg.S_Text(0, 0, 0, bad, 0, u"a");
    jg.S_Dim(0, 0, bad, 0, 0, 0, 10, 0, u"");
    jg.S_Dim(0, 0, 10, 0, 0, bad, 10, 0, u"a");
    jg.S_Solid2(0, 0, bad, 1);
    jg.S_Solid3(0, 0, 1, 0, 1, bad);
    jg.S_Solid4(0, 0, 1, 0, 1, 1, bad, 1);
    jg.S_Solid4(bad, 0, bad, 0, 1, 1, 0, 1);
    jg.S_SolidC(0, 0, 1, 1, 0, bad, 360, 0);
    jg.S_SolidD(0, 0, bad, 1, 0, 0, 360, 0);
    jg.S_SolidO(0, 0, 5, 1, 0, 0, 360, bad);
    jg.S_SolidG(bad, 0, 5, 1, 0, 0, 360, 2);
    jg.S_PLineSet(0, 0, bad, 0);
    jg.S_PLine();
    EXPECT_EQ(OutputLines(jg), Lines{}) << "value " << bad;
  }
}

TEST(WellFormedOutput, DimensionWhoseLengthOverflowsWritesNothing) {
  TJGdata jg;
  jg.S_Dim(-1.5e308, 0, 1.5e308, 0, 0, 0, 10, 0, u"");
  EXPECT_EQ(OutputLines(jg), Lines{});
  jg.S_Dim(-1.5e308, 0, 1.5e308, 0, 0, 0, 10, 0, u"big");
  EXPECT_EQ(OutputLines(jg), (Lines{u"msg", u"-1.5E308 0 1.5E308 0", u"cs 0 0 10 0 \"big"}));
}

TEST(WellFormedOutput, NonFiniteFreeTextSizeIsNotWritten) {
  RunCases({
      {"infinite width, then a sound style",
       [](TJGdata& jg) {
         jg.S_Mjs(0, kInf, 2, 0, 1, 0);
         jg.S_Mjs(0, 2, kNaN, 0, 1, 0);
         jg.S_Mjs(0, 2, 2, 0, 1, 0);
       },
       {u"cn0 2 2 0 1"}},
      {"a numbered style does not use the sizes",
       [](TJGdata& jg) { jg.S_Mjs(2, kNaN, kNaN, kNaN, 1, 0); },
       {u"cn2"}},
      {"a non-finite current free size",
       [](TJGdata& jg) {
         jg.CurMjs = 0;
         jg.CurMjsW = kInf;
         jg.S_Mjs(11, 1, 1, 1, 1, 0);
       },
       {}},
  });
  TJGdata jg;
  jg.S_Init();
  jg.S_Mjs(0, kNaN, 2, 0, 1, 0);
  EXPECT_TRUE(jg.w_FlgMjs) << "a skipped style leaves the state as it was";
  EXPECT_EQ(jg.w_Mjs, 1);
  EXPECT_EQ(jg.w_MjsW, 2.0);
}

}  // namespace
