// The 15 significant decimal digits that a double is written with. FloatToText and RoundDigits share
// them so that a rounded value and its text agree digit for digit.
#pragma once

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>

namespace myfunc_detail {

// magnitude = d[0].d[1]d[2]...d[14] x 10^exponent, with d[0] != '0' unless the magnitude is 0; the
// digits from d[count] on are zeros.
struct Digits15 {
  std::array<char, 15> d{};
  int count = 0;
  int exponent = 0;
};

// Pads the first `count` digits with zeros and counts them without their trailing zeros.
inline void FinishDigits(size_t count, Digits15& result) {
  for (size_t i = count; i < result.d.size(); ++i) result.d[i] = '0';
  while (count > 1 && result.d[count - 1] == '0') --count;
  result.count = static_cast<int>(count);
}

// Reads "d.ddd...e+XX" as std::to_chars writes it in scientific form; false when it has more than 15
// digits.
inline bool ReadScientific(const char* first, const char* last, Digits15& result) {
  size_t count = 0;
  const char* p = first;
  for (; p < last && *p != 'e'; ++p) {
    if (*p == '.') continue;
    if (count == result.d.size()) return false;
    result.d[count++] = *p;
  }
  if (p == last) return false;
  ++p;  // the 'e'
  const bool negative = *p == '-';
  int exponent = 0;
  for (++p; p < last; ++p) exponent = exponent * 10 + (*p - '0');
  result.exponent = negative ? -exponent : exponent;
  FinishDigits(count, result);
  return true;
}

// `magnitude` must be finite and not negative. The digits are the exact binary value correctly rounded
// (half to even on exact ties), whatever the C locale says.
inline Digits15 SignificantDigits15(double magnitude) {
  Digits15 result;
  char buffer[40];
  // The cheaper conversions first, for the values drawings are made of. Whole numbers of up to 15
  // digits are their own digits.
  if (magnitude < 1e15 && magnitude == std::trunc(magnitude)) {
    const auto whole = static_cast<unsigned long long>(magnitude);
    const char* end = std::to_chars(buffer, buffer + sizeof buffer, whole).ptr;
    // At most 15 digits below 1e15; the bound also tells the compiler so.
    const size_t length = std::min(static_cast<size_t>(end - buffer), result.d.size());
    for (size_t i = 0; i < length; ++i) result.d[i] = buffer[i];
    result.exponent = static_cast<int>(length) - 1;
    FinishDigits(length, result);
    return result;
  }
  // A normal double whose shortest round-trip form has at most 15 significant digits is that form
  // rounded to 15 digits: the double lies closer to it than half a unit of the 15th digit. Subnormals
  // keep too few bits for that argument.
  if (magnitude >= std::numeric_limits<double>::min()) {
    const char* end =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific).ptr;
    if (ReadScientific(buffer, end, result)) return result;
  }
  const char* end =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14).ptr;
  ReadScientific(buffer, end, result);
  return result;
}

}  // namespace myfunc_detail
