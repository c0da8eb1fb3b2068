// Conversions between numbers and the texts of the exchange file, the settings file and the dialog.
// Everything goes through std::to_chars/std::from_chars on ASCII copies, so the C locale never matters.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>
#include <system_error>

#include "MyFunc.h"
#include "ascii_text.h"
#include "decimal_digits.h"

namespace {

using myfunc_detail::AsciiToText;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool IsHexDigit(char16_t c) { return IsDigit(c) || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f'); }

// Saturates so that an exponent of any length cannot overflow; far beyond every double's range anyway.
constexpr long long kExponentLimit = 1000000000;

// Whether the leading nonzero digit of a validated decimal text stands at 10^0 or above ("-12.5e3": 10^4).
// This tells an overflow from an underflow when from_chars finds a text out of range.
bool LeadsAtOneOrAbove(const std::string& number) {
  const size_t exponentAt = std::min(number.find('e'), number.size());
  const size_t pointAt = std::min(number.find('.'), exponentAt);
  long long power = 0;
  for (size_t i = 0; i < exponentAt; ++i) {
    if (number[i] < '1' || number[i] > '9') continue;  // the sign, the point and leading zeros
    power = i < pointAt ? static_cast<long long>(pointAt - i - 1) : -static_cast<long long>(i - pointAt);
    break;
  }
  long long exponent = 0;
  if (exponentAt < number.size()) {
    size_t j = exponentAt + 1;
    bool negative = false;
    if (j < number.size() && (number[j] == '+' || number[j] == '-')) negative = number[j++] == '-';
    for (; j < number.size(); ++j) exponent = std::min(kExponentLimit, exponent * 10 + (number[j] - '0'));
    if (negative) exponent = -exponent;
  }
  return power + exponent >= 0;
}

}  // namespace

std::u16string BoolToText(bool value) { return value ? u"1" : u"0"; }

int32_t TextToInt(const std::u16string& text) {
  size_t i = 0;
  while (i < text.size() && text[i] == u' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  bool hex = false;
  if (i < text.size() && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
    hex = true;
    i += 2;
  }
  std::string digits;
  for (; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (!(hex ? IsHexDigit(c) : IsDigit(c))) return 0;  // trailing blanks included
    digits += static_cast<char>(c);
  }
  if (digits.empty()) return 0;
  const char* first = digits.data();
  const char* last = first + digits.size();
  if (hex) {
    // The digits spell a 32-bit pattern (eight F digits are -1); a "-" negates that pattern.
    uint32_t pattern = 0;
    const auto [end, error] = std::from_chars(first, last, pattern, 16);
    if (error != std::errc{} || end != last) return 0;
    if (negative) pattern = 0u - pattern;
    return static_cast<int32_t>(pattern);
  }
  if (negative) digits.insert(digits.begin(), '-');
  int32_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 10);
  if (error != std::errc{} || end != digits.data() + digits.size()) return 0;
  return value;
}

std::u16string IntToText(int32_t value) {
  char buffer[16];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return AsciiToText(std::string_view(buffer, static_cast<size_t>(end - buffer)));
}

// A value beyond the range of a double (1E400) is not a number the program can use: it reads as 0, like
// any other invalid text, so that no infinity reaches the angle and length arithmetic of the callers.
// A value too small for a double (1E-400) reads as the nearest double, which is zero with its sign.
double TextToFloat(const std::u16string& text) {
  size_t i = 0;
  while (i < text.size() && text[i] == u' ') ++i;
  std::string number;  // what from_chars takes: no blanks, no "+"
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i++] == u'-';
    if (negative) number += '-';
  }
  int mantissaDigits = 0;
  bool point = false;
  for (; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (IsDigit(c)) {
      ++mantissaDigits;
    } else if (c == u'.' && !point) {
      point = true;
    } else {
      break;
    }
    number += static_cast<char>(c);
  }
  if (mantissaDigits == 0) return 0;
  if (i < text.size() && (text[i] == u'E' || text[i] == u'e')) {
    number += 'e';
    ++i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) number += static_cast<char>(text[i++]);
    int exponentDigits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++exponentDigits) number += static_cast<char>(text[i]);
    if (exponentDigits == 0) return 0;
  }
  if (i != text.size()) return 0;

  double value = 0;
  const char* last = number.data() + number.size();
  const auto [end, error] = std::from_chars(number.data(), last, value, std::chars_format::general);
  if (error == std::errc::result_out_of_range) {
    if (LeadsAtOneOrAbove(number)) return 0;  // overflow
    return negative ? -0.0 : 0.0;             // underflow
  }
  if (error != std::errc{} || end != last || !std::isfinite(value)) return 0;
  return value;
}

char* FloatToChars(char* out, double value) {
  const bool negative = std::signbit(value);
  if (std::isnan(value) || std::isinf(value)) {
    if (negative) *out++ = '-';
    for (const char c : std::string_view(std::isnan(value) ? "NAN" : "INF")) *out++ = c;
    return out;
  }
  if (value == 0) {  // -0.0 as well: it is not a negative number
    *out++ = '0';
    return out;
  }

  const auto written = myfunc_detail::SignificantDigits15(std::fabs(value));
  const char* const digits = written.d.data();
  const int count = written.count;
  const int e = written.exponent + 1;  // value = 0.d1d2... x 10^e
  if (negative) *out++ = '-';
  if (e >= -3 && e <= 15) {
    if (e <= 0) {
      *out++ = '0';
      *out++ = '.';
      out = std::fill_n(out, -e, '0');
      out = std::copy_n(digits, count, out);
    } else if (count <= e) {
      out = std::copy_n(digits, count, out);
      out = std::fill_n(out, e - count, '0');
    } else {
      out = std::copy_n(digits, e, out);
      *out++ = '.';
      out = std::copy_n(digits + e, count - e, out);
    }
  } else {
    *out++ = digits[0];
    if (count > 1) {
      *out++ = '.';
      out = std::copy_n(digits + 1, count - 1, out);
    }
    *out++ = 'E';
    if (written.exponent < 0) *out++ = '-';
    out = std::to_chars(out, out + 4, std::abs(written.exponent)).ptr;
  }
  return out;
}

std::u16string FloatToText(double value) {
  char text[kFloatTextCapacity];
  const char* const end = FloatToChars(text, value);
  return AsciiToText(std::string_view(text, static_cast<size_t>(end - text)));
}
