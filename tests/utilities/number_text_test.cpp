// Number texts of the exchange file, the settings file and the dialog: the exact grammar read, the exact
// text written, and that nothing depends on the C locale.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <limits>
#include <random>
#include <string>

#include "MyFunc.h"

namespace {

using testing::PrintToString;

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

TEST(BoolToText, WritesOneAndZeroThatReadBack) {
  EXPECT_EQ(BoolToText(true), u"1");
  EXPECT_EQ(BoolToText(false), u"0");
  EXPECT_EQ(TextToInt(BoolToText(true)), 1);
  EXPECT_EQ(TextToInt(BoolToText(false)), 0);
}

TEST(TextToInt, Grammar) {
  struct Case {
    std::u16string text;
    int32_t expected;
  };
  // clang-format off
  const Case cases[] = {
      // decimal, signs and leading zeros
      {u"12", 12}, {u"+7", 7}, {u"-7", -7}, {u"-0", 0}, {u"0", 0}, {u"0010", 10}, {u"-0010", -10},
      // blanks: only leading U+0020 is skipped
      {u" 12", 12}, {u"   -12", -12}, {u"12 ", 0}, {u" 12 ", 0}, {u"\t12", 0}, {u"\u300012", 0}, {u"- 5", 0},
      {u"1 2", 0},
      // not wholly an integer
      {u"", 0}, {u" ", 0}, {u"-", 0}, {u"+", 0}, {u"--5", 0}, {u"+-5", 0}, {u"1.5", 0}, {u"1e3", 0},
      {u"12a", 0}, {u"\uFF11\uFF12", 0}, {u"1,000", 0}, {u"00x10", 0},
      // hexadecimal in every introduction, with a sign
      {u"$1F", 31}, {u"$1f", 31}, {u"x1F", 31}, {u"X1F", 31}, {u"0x10", 16}, {u"0X10", 16}, {u"-$10", -16},
      {u"+$10", 16}, {u" -0x10", -16}, {u"$00000000FF", 255}, {u"$", 0}, {u"x", 0}, {u"0x", 0}, {u"$1G", 0},
      {u"$-1", 0}, {u"0x-1", 0}, {u"$ 1", 0}, {u"$1 ", 0},
      // 32-bit limits: decimal by value, hexadecimal as a bit pattern negated afterwards
      {u"2147483647", kMax}, {u"2147483648", 0}, {u"-2147483648", kMin}, {u"-2147483649", 0},
      {u"99999999999999999999", 0}, {u"$7FFFFFFF", kMax}, {u"$80000000", kMin}, {u"-$80000000", kMin},
      {u"$FFFFFFFF", -1}, {u"-$FFFFFFFF", 1}, {u"$100000000", 0}, {u"-0x100000000", 0},
  };
  // clang-format on
  for (const Case& c : cases) EXPECT_EQ(TextToInt(c.text), c.expected) << PrintToString(c.text);
}

TEST(IntToText, DecimalDigitsWithoutGrouping) {
  struct Case {
    int32_t value;
    std::u16string expected;
  };
  const Case cases[] = {{0, u"0"},
                        {7, u"7"},
                        {-7, u"-7"},
                        {1000, u"1000"},
                        {-1234567, u"-1234567"},
                        {kMax, u"2147483647"},
                        {kMin, u"-2147483648"}};
  for (const Case& c : cases) {
    EXPECT_EQ(IntToText(c.value), c.expected) << c.value;
    EXPECT_EQ(TextToInt(IntToText(c.value)), c.value) << c.value;
  }
}

TEST(TextToFloat, Grammar) {
  struct Case {
    std::u16string text;
    double expected;
  };
  // clang-format off
  const Case cases[] = {
      // numbers
      {u"0.5", 0.5}, {u"2", 2}, {u"+5", 5}, {u"-5", -5}, {u"-.25", -0.25}, {u".5", 0.5}, {u"5.", 5},
      {u"1e3", 1000}, {u"1E+3", 1000}, {u"1e-3", 0.001}, {u"1.5E2", 150}, {u".5e1", 5}, {u"5.e1", 50},
      {u"0.1", 0.1}, {u"123456789012345678", 123456789012345678.0}, {u"007.50", 7.5},
      {u"1.7976931348623157e308", std::numeric_limits<double>::max()},
      // blanks: only leading U+0020 is skipped
      {u" 2", 2}, {u"   -2.5", -2.5}, {u"2 ", 0}, {u"\t2", 0}, {u"\u30002", 0}, {u"- 1", 0}, {u"1 000", 0},
      // not wholly a number
      {u"", 0}, {u" ", 0}, {u".", 0}, {u"-", 0}, {u"-.", 0}, {u"1E", 0}, {u"1e+", 0}, {u"1e-", 0}, {u"e3", 0},
      {u".e3", 0}, {u"1e3.5", 0}, {u"1.2.3", 0}, {u"0,5", 0}, {u"1,000", 0}, {u"\uFF11", 0}, {u"inf", 0},
      {u"INF", 0}, {u"-inf", 0}, {u"nan", 0}, {u"NAN", 0}, {u"0x10", 0}, {u"$10", 0}, {u"1_000", 0},
      {u"++1", 0}, {u"1e++3", 0}, {u"1d3", 0},
  };
  // clang-format on
  for (const Case& c : cases) EXPECT_EQ(TextToFloat(c.text), c.expected) << PrintToString(c.text);
}

// Beyond the range of a double the text is no usable number and reads as 0; below it the nearest double
// (zero with the text's sign, or a subnormal) comes back. Never an infinity.
TEST(TextToFloat, OutOfRangeNeverGivesInfinity) {
  struct Case {
    std::u16string text;
    double expected;
    bool negativeZero;
  };
  // clang-format off
  const Case cases[] = {
      // overflow
      {u"1E400", 0, false}, {u"-1E400", 0, false}, {u"1.7976931348623159e308", 0, false},
      {u"1000e306", 0, false}, {u"0.001e312", 0, false}, {u"1e99999999999999999999", 0, false},
      {u"-123456789e999999", 0, false},
      // underflow
      {u"1e-400", 0, false}, {u"-1e-400", 0, true}, {u"100000e-330", 0, false}, {u"-0.00001e-320", 0, true},
      {u"1e-99999999999999999999", 0, false},
      // subnormal results are numbers
      {u"1e-310", 1e-310, false},
      {u"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min(), false},
      // in range again once the digits are counted
      {u"0.001e310", 1e307, false}, {u"1000e-310", 1e-307, false},
  };
  // clang-format on
  for (const Case& c : cases) {
    const double value = TextToFloat(c.text);
    EXPECT_TRUE(std::isfinite(value)) << PrintToString(c.text);
    EXPECT_EQ(value, c.expected) << PrintToString(c.text);
    EXPECT_EQ(std::signbit(value), c.negativeZero) << PrintToString(c.text);
  }
}

TEST(FloatToText, GeneralFormatWithFifteenDigits) {
  struct Case {
    double value;
    std::u16string expected;
  };
  // clang-format off
  const Case cases[] = {
      // plain values; rounding to 15 digits hides the representation error
      {3, u"3"}, {0.1 + 0.2, u"0.3"}, {1.0 / 3, u"0.333333333333333"}, {2.0 / 3, u"0.666666666666667"},
      {-1234.5, u"-1234.5"}, {2.50, u"2.5"}, {100, u"100"}, {0.1, u"0.1"}, {12345.678, u"12345.678"},
      {1.0000000000000002, u"1"}, {-2.5e-3, u"-0.0025"},
      // zero, whatever its sign
      {0.0, u"0"}, {-0.0, u"0"},
      // the switch to scientific form at small magnitudes
      {0.0001, u"0.0001"}, {0.00012345, u"0.00012345"}, {0.00001, u"1E-5"}, {-0.00001, u"-1E-5"},
      {0.000012345, u"1.2345E-5"}, {9.99999999999999e-5, u"9.99999999999999E-5"}, {1e-100, u"1E-100"},
      // and at large ones: 15 integer digits in full, 16 in scientific form
      {123456789012345, u"123456789012345"}, {999999999999999, u"999999999999999"},
      {1e14, u"100000000000000"}, {1e15, u"1E15"}, {1234567890123456, u"1.23456789012346E15"},
      {999999999999999.9, u"1E15"}, {1.5e20, u"1.5E20"}, {-1.5e20, u"-1.5E20"}, {1e100, u"1E100"},
      // the ends of the double range
      {std::numeric_limits<double>::max(), u"1.79769313486232E308"},
      {std::numeric_limits<double>::denorm_min(), u"4.94065645841247E-324"},
      // not numbers: the sign bit decides the sign
      {std::numeric_limits<double>::infinity(), u"INF"}, {-std::numeric_limits<double>::infinity(), u"-INF"},
      {std::numeric_limits<double>::quiet_NaN(), u"NAN"},
      {std::copysign(std::numeric_limits<double>::quiet_NaN(), -1.0), u"-NAN"},
  };
  // clang-format on
  for (const Case& c : cases) EXPECT_EQ(FloatToText(c.value), c.expected) << PrintToString(c.value);
}

// What is written reads back as the same 15-digit value, so exchange and settings files survive a round
// trip, and rewriting a value read back changes nothing.
TEST(FloatToText, ReadsBackThroughTextToFloat) {
  std::mt19937_64 random(20240521);
  std::uniform_real_distribution<double> mantissa(-10, 10);
  std::uniform_int_distribution<int> exponent(-30, 30);
  for (int i = 0; i < 20000; ++i) {
    const double value = mantissa(random) * std::pow(10.0, exponent(random));
    const std::u16string text = FloatToText(value);
    const double back = TextToFloat(text);
    EXPECT_NEAR(back, value, std::fabs(value) * 1e-14) << PrintToString(value) << " " << PrintToString(text);
    EXPECT_EQ(FloatToText(back), text) << PrintToString(value);
  }
}

// The buffer form writes the same characters without a string, and never more than its capacity.
TEST(FloatToChars, WritesFloatToTextIntoABuffer) {
  struct Case {
    double value;
    std::string expected;
  };
  // clang-format off
  const Case cases[] = {
      {3, "3"}, {-1234.5, "-1234.5"}, {0.1 + 0.2, "0.3"}, {1.0 / 3, "0.333333333333333"}, {-0.0, "0"},
      {250.5, "250.5"}, {1e14, "100000000000000"}, {999999999999999, "999999999999999"}, {1e15, "1E15"},
      {0.0001, "0.0001"}, {0.00001, "1E-5"},
      // the longest texts: every digit, a sign, the point and a three-digit exponent
      {-1.23456789012345e-300, "-1.23456789012345E-300"}, {-0.000123456789012345, "-0.000123456789012345"},
      {-std::numeric_limits<double>::denorm_min(), "-4.94065645841247E-324"},
      {-std::numeric_limits<double>::quiet_NaN(), "-NAN"}, {std::numeric_limits<double>::infinity(), "INF"},
  };
  // clang-format on
  for (const Case& c : cases) {
    char buffer[kFloatTextCapacity + 8];
    std::fill(std::begin(buffer), std::end(buffer), '#');
    char* const end = FloatToChars(buffer, c.value);
    EXPECT_EQ(std::string(buffer, end), c.expected) << PrintToString(c.value);
    EXPECT_LE(end - buffer, static_cast<std::ptrdiff_t>(kFloatTextCapacity)) << PrintToString(c.value);
    EXPECT_EQ(std::string(end, std::end(buffer)).find_first_not_of('#'), std::string::npos)
        << PrintToString(c.value);
  }
}

// The digits of a number text from the first nonzero one to the last nonzero one, before any exponent.
std::string SignificantDigits(const std::u16string& text) {
  std::string digits;
  for (const char16_t c : text) {
    if (c == u'E' || c == u'e') break;
    if (c >= u'0' && c <= u'9') digits += static_cast<char>(c);
  }
  const size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos) return "";
  return digits.substr(first, digits.find_last_not_of('0') + 1 - first);
}

// Whatever way the digits are found (whole numbers, short decimals, the general case, subnormals), the
// text is the value rounded to 15 significant digits: it reads back as the double nearest to the
// 15-digit rounding that the standard library computes for the exact binary value.
TEST(FloatToText, DigitsAreTheFifteenDigitRounding) {
  std::mt19937_64 random(615);
  std::uniform_int_distribution<int> exponent(-330, 310);
  std::uniform_int_distribution<long long> whole(-999999999999999LL, 999999999999999LL);
  std::uniform_int_distribution<std::uint64_t> bits;
  for (int i = 0; i < 200000; ++i) {
    double value = 0;
    switch (i % 4) {
      case 0:  // whole numbers, and fractions with a few decimals
        value = static_cast<double>(whole(random)) / std::pow(10.0, i % 17);
        break;
      case 1:  // short decimals of any size
        value = static_cast<double>(whole(random) % 100000) * std::pow(10.0, exponent(random));
        break;
      case 2:  // any bit pattern that is a number, subnormals included
        value = std::bit_cast<double>(bits(random));
        break;
      default:  // sums and quotients as a construction computes them
        value = 7306.10278372591 + 0.25 * (i % 4000) + static_cast<double>(whole(random)) / 3e9;
        break;
    }
    if (!std::isfinite(value)) continue;  // a product beyond the range, or no number
    char reference[40];
    const auto end =
        std::to_chars(reference, reference + sizeof reference, value, std::chars_format::scientific, 14).ptr;
    double rounded = 0;
    std::from_chars(reference, end, rounded);
    const std::u16string text = FloatToText(value);
    EXPECT_EQ(SignificantDigits(text), SignificantDigits(std::u16string(reference, end)))
        << PrintToString(value) << " " << PrintToString(text);
    EXPECT_EQ(TextToFloat(text), rounded) << PrintToString(value) << " " << PrintToString(text);
  }
}

// Both directions keep "." as the decimal separator even when the C locale says ",".
TEST(NumberText, IndependentOfTheCLocale) {
  const char* const commaLocales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "German_Germany.1252",
                                      "de-DE"};
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  const char* chosen = nullptr;
  for (const char* name : commaLocales) {
    if (std::setlocale(LC_ALL, name) != nullptr && std::localeconv()->decimal_point[0] == ',') {
      chosen = name;
      break;
    }
  }
  if (chosen == nullptr) {
    std::setlocale(LC_ALL, previous.c_str());
    GTEST_SKIP() << "no locale with a decimal comma is installed";
  }
  EXPECT_EQ(FloatToText(2.5), u"2.5") << chosen;
  EXPECT_EQ(TextToFloat(u"2.5"), 2.5) << chosen;
  EXPECT_EQ(TextToFloat(u"2,5"), 0) << chosen;
  EXPECT_EQ(FormatFixed(2, 1234.5), u"1234.50") << chosen;
  EXPECT_EQ(FormatGrouped(2, 1234.5), u"1,234.50") << chosen;
  std::setlocale(LC_ALL, previous.c_str());
}

}  // namespace
