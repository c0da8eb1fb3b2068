// Rounding, formatting and geometry of the dimension construction, including the values that a binary
// rounding would get wrong and the cut pi that the drawn angles depend on.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "MyFunc.h"

namespace {

using testing::PrintToString;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kMaxDouble = std::numeric_limits<double>::max();
constexpr double kFullPi = 3.14159265358979323846;
constexpr long double kFullPiLong = 3.14159265358979323846264338L;

std::u16string Ascii(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// The text of the integer q with `places` decimals (q = 1234, places 3 gives "1.234").
std::u16string ScaledIntegerText(long long q, int places) {
  std::string digits = std::to_string(q);
  if (places == 0) return Ascii(digits);
  if (digits.size() <= static_cast<size_t>(places))
    digits.insert(0, static_cast<size_t>(places) + 1 - digits.size(), '0');
  digits.insert(digits.size() - static_cast<size_t>(places), ".");
  return Ascii(digits);
}

TEST(FormatFixed, PrintfFixedNotation) {
  struct Case {
    int32_t n;
    double value;
    std::u16string expected;
  };
  // clang-format off
  const Case cases[] = {
      {0, 1200, u"1200"}, {3, 12.5, u"12.500"}, {3, -1.5, u"-1.500"}, {2, 1234567.891, u"1234567.89"},
      {0, 1e20, u"100000000000000000000"}, {14, 1.0 / 3, u"0.33333333333333"},
      // the exact binary value is rounded, ties to even
      {2, 1.005, u"1.00"}, {2, 2.675, u"2.67"}, {1, 0.35, u"0.3"}, {0, 0.5, u"0"}, {0, 1.5, u"2"},
      {0, 2.5, u"2"}, {1, 0.25, u"0.2"}, {20, 0.1, u"0.10000000000000000555"},
      // negative counts keep no decimals
      {-1, 3.7, u"4"}, {-5, 2.25, u"2"},
      // the sign stays on a value that rounds to zero, as printf writes it
      {2, -0.0, u"-0.00"}, {2, -0.001, u"-0.00"},
      // values a rounding step never produces
      {2, kInf, u"INF"}, {2, -kInf, u"-INF"}, {2, kNaN, u"NAN"},
  };
  // clang-format on
  for (const Case& c : cases)
    EXPECT_EQ(FormatFixed(c.n, c.value), c.expected) << c.n << ", " << PrintToString(c.value);
}

TEST(FormatFixed, LongPrecisionPadsExactDigits) {
  const std::u16string text = FormatFixed(1200, 0.5);
  ASSERT_EQ(text.size(), 1202u);
  EXPECT_EQ(text.substr(0, 3), u"0.5");
  EXPECT_EQ(text.find_first_not_of(u'0', 3), std::u16string::npos);
  EXPECT_EQ(FormatFixed(350, kMaxDouble).size(), 309u + 1 + 350);
}

TEST(FormatGrouped, GroupsTheIntegerPartByThree) {
  struct Case {
    int32_t n;
    double value;
    std::u16string expected;
  };
  // clang-format off
  const Case cases[] = {
      {3, 12345.5, u"12,345.500"}, {0, 999, u"999"}, {0, 1000, u"1,000"}, {0, 100000, u"100,000"},
      {0, 1e9, u"1,000,000,000"}, {3, 0.5, u"0.500"}, {1, 999.96, u"1,000.0"}, {3, 1234.568, u"1,234.568"},
      {0, 1e20, u"100,000,000,000,000,000,000"}, {4, 0.12345678, u"0.1235"},
      // the sign comes before the digits, never inside a group
      {2, -1234567.891, u"-1,234,567.89"}, {0, -100, u"-100"}, {0, -1000, u"-1,000"},
      {0, -999999, u"-999,999"}, {-2, 1234.5, u"1,234"}, {2, kInf, u"INF"}, {2, -kNaN, u"-NAN"},
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(FormatGrouped(c.n, c.value), c.expected) << c.n << ", " << PrintToString(c.value);
  }
}

TEST(RoundDigits, ByMode) {
  struct Case {
    int32_t n, mode;
    double x, expected;
  };
  // clang-format off
  const Case cases[] = {
      {3, 2, 1234.5678, 1234.568}, {3, 0, 1.2349, 1.234}, {3, 1, 1.2346, 1.235}, {3, 1, 1.23405, 1.234},
      {2, 2, -1.236, -1.24}, {3, 0, 1.234, 1.234}, {2, 0, -1.239, -1.23}, {1, 5, 1.25, 1.3},
      {1, -1, 1.25, 1.3},
      // mode 1 raises the digit from a tenth of the last place on
      {0, 1, 1.1, 2}, {0, 1, 1.09, 1}, {0, 1, 0.1, 1}, {0, 1, 0.09, 0}, {2, 1, 0.001, 0.01},
      {2, 1, 0.0009, 0},
      // half up, with a carry through the digits
      {0, 2, 0.5, 1}, {0, 2, 0.49, 0}, {0, 2, 9.5, 10}, {2, 2, 0.005, 0.01}, {2, 2, 0.004, 0},
      {2, 2, 999.995, 1000},
      // counts outside 0 to 14 keep no decimals
      {20, 2, 1.6, 2}, {15, 0, 1.23456, 1}, {-1, 2, 1.6, 2}, {14, 0, 1.5, 1.5},
      // decimals that the nearest double misses from below are taken as they are written
      {3, 2, 1.2345, 1.235}, {3, 1, 1.2345, 1.235}, {4, 0, 0.614, 0.614}, {3, 0, 1.233999999999999, 1.234},
      {0, 0, 613.9999999999999, 614}, {2, 0, 0.29, 0.29}, {2, 2, 1.005, 1.01}, {2, 2, 9.995, 10},
      {14, 0, 0.1 + 0.2, 0.3}, {3, 0, 1234.0 / 1000, 1.234},
      // zero, huge and subnormal values
      {3, 2, 0.0, 0}, {3, 2, -0.0, 0}, {2, 2, -0.001, 0}, {3, 2, 1e20, 1e20}, {0, 2, 1e300, 1e300},
      {14, 2, kMaxDouble, kMaxDouble}, {14, 1, -kMaxDouble, -kMaxDouble}, {2, 2, 5e-324, 0},
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(RoundDigits(c.n, c.mode, c.x), c.expected)
        << c.n << ", " << c.mode << ", " << PrintToString(c.x);
  }
}

TEST(RoundDigits, NonFiniteValuesPassThrough) {
  EXPECT_EQ(RoundDigits(3, 2, kInf), kInf);
  EXPECT_EQ(RoundDigits(3, 0, -kInf), -kInf);
  EXPECT_TRUE(std::isnan(RoundDigits(3, 1, kNaN)));
}

// Every length of whole millimetres shown in metres keeps its digits in every mode: the value the
// dialog shows for 614 mm is 0.614, never 0.613.
TEST(RoundDigits, WholeMillimetresInMetres) {
  for (int mode = 0; mode <= 2; ++mode) {
    for (long long mm = 0; mm <= 200000; ++mm) {
      const double metres = static_cast<double>(mm) / 1000;
      const double rounded = RoundDigits(3, mode, metres);
      ASSERT_EQ(rounded, metres) << mm << " mm, mode " << mode;
      ASSERT_EQ(FormatFixed(3, rounded), ScaledIntegerText(mm, 3)) << mm << " mm, mode " << mode;
    }
  }
}

// Rounding a value of four decimals to three acts on the fourth decimal exactly as the modes say.
TEST(RoundDigits, LastDecimalDecidesByMode) {
  for (long long i = 0; i <= 100000; ++i) {
    const double x = static_cast<double>(i) / 10000;
    const long long truncated = i / 10;
    const long long lastDigit = i % 10;
    const long long expected[] = {truncated, truncated + (lastDigit >= 1 ? 1 : 0),
                                  truncated + (lastDigit >= 5 ? 1 : 0)};
    for (int mode = 0; mode <= 2; ++mode) {
      ASSERT_EQ(FormatFixed(3, RoundDigits(3, mode, x)), ScaledIntegerText(expected[mode], 3))
          << i << ", mode " << mode;
      ASSERT_EQ(FormatFixed(3, RoundDigits(3, mode, -x)),
                (i == 0 ? u"" : u"-") + ScaledIntegerText(expected[mode], 3))
          << -i << ", mode " << mode;
    }
  }
}

TEST(RotatePoint, CutPiAndTurningBack) {
  double x = 0, y = 0;
  RotatePoint(1, 0, 0, 0, 90, x, y);
  // cos(pi_cut / 2) is half the part of pi that was cut off.
  EXPECT_NEAR(x, static_cast<double>((kFullPiLong - 3.14159265358979L) / 2), 1e-17);
  EXPECT_GT(x, 1.5e-15);
  EXPECT_EQ(y, 1);

  RotatePoint(1, 0, 0, 0, 180, x, y);
  EXPECT_EQ(x, -1);
  EXPECT_NEAR(y, static_cast<double>(kFullPiLong - 3.14159265358979L), 1e-17);

  struct Case {
    double px, py, cx, cy, angle, x, y;
  };
  // clang-format off
  const Case cases[] = {
      {2, 1, 1, 1, 90, 1, 2},   {3, 2, 1, 1, 180, -1, 0}, {1, 0, 0, 0, 30, std::sqrt(3.0) / 2, 0.5},
      {1, 0, 0, 0, -90, 0, -1}, {5, 5, 5, 5, 77, 5, 5},   {1, 1, 0, 0, 45, 0, std::sqrt(2.0)},
      {1, 0, 0, 0, 450, 0, 1},  {0, 0, 0, 0, 0, 0, 0},
  };
  // clang-format on
  for (const Case& c : cases) {
    RotatePoint(c.px, c.py, c.cx, c.cy, c.angle, x, y);
    EXPECT_NEAR(x, c.x, 1e-13) << c.px << "," << c.py << " about " << c.cx << "," << c.cy << " by "
                               << c.angle;
    EXPECT_NEAR(y, c.y, 1e-13) << c.px << "," << c.py << " about " << c.cx << "," << c.cy << " by "
                               << c.angle;
  }

  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> coordinate(-1e4, 1e4);
  std::uniform_real_distribution<double> angle(-720, 720);
  for (int i = 0; i < 1000; ++i) {
    const double px = coordinate(random), py = coordinate(random), cx = coordinate(random),
                 cy = coordinate(random);
    const double a = angle(random);
    double tx = 0, ty = 0, bx = 0, by = 0;
    RotatePoint(px, py, cx, cy, a, tx, ty);
    EXPECT_NEAR(std::hypot(tx - cx, ty - cy), std::hypot(px - cx, py - cy), 1e-9);
    RotatePoint(tx, ty, cx, cy, -a, bx, by);
    EXPECT_NEAR(bx, px, 1e-9) << a;
    EXPECT_NEAR(by, py, 1e-9) << a;
  }
}

TEST(LineAngleRad, RangeAndTolerances) {
  struct Case {
    double dx, dy, expected;
  };
  // clang-format off
  const Case cases[] = {
      // too short a vector, or too close to the x axis below it, has angle 0
      {0, 0, 0}, {1e-15, -1e-15, 0}, {-9e-15, 9e-15, 0}, {1, -1e-12, 0}, {1, -0.99e-10, 0}, {1, 0, 0},
      // a negative angle is lifted by twice the cut pi
      {0, -1, -kFullPi / 2 + 6.28318530717958}, {1, -1, -kFullPi / 4 + 6.28318530717958},
      {1, -2e-10, 6.28318530717958 - 2e-10}, {-1, -0.0, -kFullPi + 6.28318530717958},
      // the upper half is atan2 itself
      {0, 1, kFullPi / 2}, {-1, 0, kFullPi}, {1, 1, kFullPi / 4}, {1e-14, 0, 0},
      {5e-15, 1, kFullPi / 2 - 5e-15},
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_NEAR(LineAngleRad(c.dx, c.dy), c.expected, 1e-15)
        << PrintToString(c.dx) << ", " << PrintToString(c.dy);
  }
  EXPECT_EQ(LineAngleRad(1, -1e-12), 0.0);
  EXPECT_LT(LineAngleRad(1, -2e-10), 6.28318530717958);
}

TEST(LineAngleDeg, WrittenWithFifteenDigits) {
  struct Case {
    double dx, dy;
    std::u16string text;
  };
  // clang-format off
  const Case cases[] = {
      {0, 1, u"90.0000000000001"}, {0, -1, u"270"}, {1, 0, u"0"}, {0, 0, u"0"}, {1, 1, u"45"},
      {-1, 0, u"180"},
  };
  // clang-format on
  for (const Case& c : cases)
    EXPECT_EQ(FloatToText(LineAngleDeg(c.dx, c.dy)), c.text) << c.dx << ", " << c.dy;
  EXPECT_GT(LineAngleDeg(0, 1), 90);
  EXPECT_LT(LineAngleDeg(0, 1), 90 + 1e-12);
  EXPECT_LT(LineAngleDeg(0, -1), 270);
}

TEST(NormalizeDeg, IntoZeroTo360) {
  struct Case {
    double angle, expected;
  };
  // clang-format off
  const Case cases[] = {
      {-30, 330}, {720, 0}, {359.99999999995, 0}, {1e-11, 0}, {-1e-11, 0}, {1e-10, 0}, {2e-10, 2e-10},
      {360, 0}, {0, 0}, {-0.0, 0}, {90, 90}, {-360, 0}, {-720.5, 359.5}, {370.25, 10.25},
      {359.9999999, 359.9999999}, {1080.000000000001, 0},
      // the ends of the scale
      {kInf, 0}, {-kInf, 0},
  };
  // clang-format on
  for (const Case& c : cases) EXPECT_EQ(NormalizeDeg(c.angle), c.expected) << PrintToString(c.angle);
  // No comparison holds for a NaN, so no step changes it.
  EXPECT_TRUE(std::isnan(NormalizeDeg(kNaN)));
  EXPECT_TRUE(std::isnan(NormalizeDeg(-kNaN)));
}

// Angles of any size end in 0 to 360; for angles of ordinary size the result is bit for bit that of
// adding or subtracting 360 until the angle lies there.
TEST(NormalizeDeg, AnySizeEndsAndOrdinarySizesMatchStepping) {
  for (const double huge : {1e300, -1e300, 4.7e18, -4.7e18, 1e19, kMaxDouble, -kMaxDouble}) {
    const double a = NormalizeDeg(huge);
    EXPECT_TRUE(a >= 0 && a < 360) << PrintToString(huge);
  }
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> angle(-1e5, 1e5);
  for (int i = 0; i < 20000; ++i) {
    const double original = angle(random);
    double stepped = original;
    while (stepped < 0) stepped += 360;
    while (stepped >= 360) stepped -= 360;
    if (std::fabs(stepped) <= 1e-10 || std::fabs(std::fabs(stepped) - 360) <= 1e-10) stepped = 0;
    ASSERT_EQ(NormalizeDeg(original), stepped) << PrintToString(original);
  }
}

TEST(PointDistance, Euclidean) {
  struct Case {
    double x1, y1, x2, y2, expected;
  };
  // clang-format off
  const Case cases[] = {
      {0, 0, 3, 4, 5}, {1, 1, 1, 1, 0}, {-1, -1, 2, 3, 5}, {3, 4, 0, 0, 5}, {0, 0, -614, 0, 614},
      // squares beyond the double range in either direction
      {0, 0, 3e200, 4e200, 5e200}, {0, 0, 3e-200, 4e-200, 5e-200},
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(PointDistance(c.x1, c.y1, c.x2, c.y2), c.expected)
        << c.x1 << "," << c.y1 << " to " << c.x2 << "," << c.y2;
  }
}

TEST(TextSpan, WidthAndGapPerCharacter) {
  struct Case {
    std::u16string text;
    double w, g, expected;
  };
  // clang-format off
  const Case cases[] = {
      {u"12.5", 3, 0, 6}, {u"１２", 3, 0.5, 7}, {u" ", 3, 1, 2}, {u"\t", 3, 1, 4}, {u"", 3, 1, 0},
      {u"ｱｲ", 2, 1, 3}, {u"A寸", 2, 2, 6}, {u"１，２３４．５６８mm", 3, 0, 30}, {u"~\x7F", 2, 2, 6},
      // a surrogate pair is one character; lone surrogates count one each
      {u"\U0001F600", 3, 1, 4}, {std::u16string(1, u'\xD83D'), 3, 1, 4},
      {std::u16string{u'\xD83D', u'\xD83D'}, 3, 1, 8}, {std::u16string{u'\xDE00', u'\xD83D'}, 3, 1, 8},
      {u"a\U0001F600b", 2, 0, 4},
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(TextSpan(c.text, c.w, c.g), c.expected)
        << PrintToString(c.text) << " " << c.w << " " << c.g;
  }
}

TEST(SameReal, WithinOneTenBillionth) {
  struct Case {
    double a, b;
    bool expected;
  };
  // clang-format off
  const Case cases[] = {
      {1, 1.00000000005, true}, {1, 1.0000000002, false},    {0, 0.99e-10, true},
      {0, -0.99e-10, true},     {0, 1.01e-10, false},        {-1.01e-10, 0, false},
      {-5, -5, true},           {1e20, 1e20 + 16384, false}, {kNaN, kNaN, false},
      // the bound itself is within, as written; the next double above it is not
      {0, 1e-10, true}, {1e-10, 0, true}, {-1e-10, 0, true}, {0, std::nextafter(1e-10, 1.0), false},
      {1, 1 + 1e-10, false},
  };
  // clang-format on
  for (const Case& c : cases)
    EXPECT_EQ(SameReal(c.a, c.b), c.expected) << PrintToString(c.a) << ", " << PrintToString(c.b);
}

TEST(RgbToColor, RedInTheLowByte) {
  struct Case {
    int32_t r, g, b, expected;
  };
  // clang-format off
  const Case cases[] = {
      {1, 2, 3, 1 + 512 + 196608}, {0, 0, 0, 0}, {255, 0, 0, 0xFF}, {0, 255, 0, 0xFF00},
      {0, 0, 255, 0xFF0000}, {255, 255, 255, 0xFFFFFF},
      // no range check: the sum as it comes
      {256, 0, 0, 256}, {-1, 0, 0, -1}, {0, 0, 256, 0x1000000},
  };
  // clang-format on
  for (const Case& c : cases)
    EXPECT_EQ(RgbToColor(c.r, c.g, c.b), c.expected) << c.r << "," << c.g << "," << c.b;
}

}  // namespace
