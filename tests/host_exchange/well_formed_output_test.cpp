// Output that the host always reads as meant: texts cannot break their line, counts set from outside
// stay inside their tables, and degenerate or non-finite geometry never reaches the file.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "JwwGaibu.h"
#include "MyFunc.h"
#include "commands_support.h"
#include "output_lines.h"
#include "test_support.h"

namespace {

using commands_support::Lines;
using commands_support::RunCases;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

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
