// The 15 significant decimal digits that a double is written with. FloatToText and RoundDigits share
// them so that a rounded value and its text agree digit for digit.
#pragma once

#include <array>
#include <charconv>

namespace myfunc_detail {

// magnitude = d[0].d[1]d[2]...d[14] x 10^exponent, with d[0] != '0' unless the magnitude is 0.
struct Digits15 {
  std::array<char, 15> d{};
  int exponent = 0;
};

// `magnitude` must be finite and not negative. The digits are the exact binary value correctly rounded
// (half to even on exact ties), whatever the C locale says.
inline Digits15 SignificantDigits15(double magnitude) {
  char buffer[40];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14).ptr;
  // buffer holds "d.ddddddddddddde+XX" (the exponent has at least two digits, at most three).
  Digits15 result;
  result.d[0] = buffer[0];
  for (int i = 1; i < 15; ++i) result.d[static_cast<size_t>(i)] = buffer[i + 1];
  const char* exponentText = buffer + 16;  // the 'e'
  const bool negativeExponent = exponentText[1] == '-';
  int exponent = 0;
  for (const char* p = exponentText + 2; p < end; ++p) exponent = exponent * 10 + (*p - '0');
  result.exponent = negativeExponent ? -exponent : exponent;
  return result;
}

}  // namespace myfunc_detail
