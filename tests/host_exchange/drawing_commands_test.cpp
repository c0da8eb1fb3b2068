// The drawing commands: the exact lines each entity, text, dimension, solid and polyline command
// appends, and every real in them written exactly as FloatToText writes it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "JwwGaibu.h"
#include "MyFunc.h"
#include "commands_support.h"
#include "output_lines.h"

namespace {

using commands_support::Lines;
using commands_support::RunCases;

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

}  // namespace
