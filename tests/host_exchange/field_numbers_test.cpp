// The numbers of the exchange file's fields: every reading must be TextToFloat's and TextToInt's own,
// bit for bit, whether the text takes a fast path or the general one.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>

#include "MyFunc.h"
#include "field_numbers.h"

namespace {

uint64_t Bits(double value) { return std::bit_cast<uint64_t>(value); }

std::string Narrow(const std::u16string& text) { return std::string(text.begin(), text.end()); }

TEST(FieldToFloat, ReadsAsTextToFloatDoes) {
  struct Case {
    std::u16string field;
    double expected;
  };
  const Case cases[] = {
      // Plain decimals as the host writes them: short, eight digits at a time, the point in a group.
      {u"0", 0.0},
      {u"7", 7.0},
      {u"-12.5", -12.5},
      {u"12345678", 12345678.0},
      {u"1234567.5", 1234567.5},
      {u"-48211.0625", -48211.0625},
      {u"1.0000000000000002", 1.0000000000000002},
      {u"0.1", 0.1},
      {u"123456789012345.6", 123456789012345.6},
      {u"-0", -0.0},
      // Where a digit count or a decimal count leaves the exact division: the general way.
      {u"9007199254740993", 9007199254740993.0},                       // past 2^53
      {u"12345678901234567890", 12345678901234567890.0},               // past 19 digits
      {u"0.12345678901234567890123", 0.12345678901234567890123},       // 23 decimals
      {u"0.000000000000000000000000000000000000000000000001", 1e-48},  // past the stack buffer
      // Forms the host does not write but TextToFloat reads.
      {u"1e3", 1000.0},
      {u"+2", 2.0},
      {u" 3", 3.0},
      {u".5", 0.5},
      {u"5.", 5.0},
      // Not wholly a number.
      {u"", 0.0},
      {u"-", 0.0},
      {u".", 0.0},
      {u"1..2", 0.0},
      {u"1.2.3", 0.0},
      {u"12345678x", 0.0},
      {u"1234567\uFF18", 0.0},  // a full-width digit among eight
      {u"3 ", 0.0},
      {u"1e999", 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.field));
    const double value = FieldToFloat(c.field);
    EXPECT_EQ(Bits(value), Bits(c.expected)) << value;
    EXPECT_EQ(Bits(value), Bits(TextToFloat(c.field)));
  }
}

// Every split of the same digits around the point, so that the point falls at each place of an
// eight-character group and after it.
TEST(FieldToFloat, PointAtEveryPlaceOfAGroup) {
  const std::u16string digits = u"31415926535897";
  for (size_t at = 0; at <= digits.size(); ++at) {
    for (const std::u16string& sign : {std::u16string(), std::u16string(u"-")}) {
      const std::u16string field = sign + digits.substr(0, at) + u"." + digits.substr(at);
      SCOPED_TRACE(Narrow(field));
      EXPECT_EQ(Bits(FieldToFloat(field)), Bits(TextToFloat(field)));
    }
  }
}

TEST(FieldToInt, ReadsAsTextToIntDoes) {
  struct Case {
    std::u16string field;
    int32_t expected;
  };
  const Case cases[] = {
      {u"0", 0},
      {u"15", 15},
      {u"-7", -7},
      {u"999999999", 999999999},  // the most digits read in place
      {u"-999999999", -999999999},
      {u"2147483647", 2147483647},  // ten digits: the general way
      {u"2147483648", 0},           // out of range
      {u"$FF", 255},                // hexadecimal, as TextToInt reads it
      {u"+4", 4},
      {u" 4", 4},
      {u"", 0},
      {u"-", 0},
      {u"4 ", 0},
      {u"1.5", 0},
      {u"\uFF11", 0},  // a full-width digit
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.field));
    EXPECT_EQ(FieldToInt(c.field), c.expected);
    EXPECT_EQ(FieldToInt(c.field), TextToInt(c.field));
  }
}

}  // namespace
