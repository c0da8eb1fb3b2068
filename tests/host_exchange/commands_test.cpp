// The output command buffer, S_Init and the header lines, and the attribute commands with their change
// rule.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "JwwGaibu.h"
#include "MyFunc.h"
#include "commands_support.h"
#include "output_lines.h"
#include "writing_state.h"

namespace {

using commands_support::Lines;
using commands_support::RunCases;

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

}  // namespace
