// The numbers of the exchange file's fields, read in place. The host writes plain decimals of some
// sixteen characters; those are read here in one pass, everything else goes to TextToFloat/TextToInt.
#include "field_numbers.h"

#include <bit>
#include <cfloat>
#include <charconv>
#include <cstddef>
#include <iterator>
#include <string>
#include <system_error>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "MyFunc.h"

namespace {

// The value of eight decimal digits, one to a byte with the first in the lowest byte (as they lie in
// memory on a little-endian machine): pairs, then fours, then the two fours.
constexpr uint64_t EightDigitsValue(uint64_t digits) {
  digits = (digits * 10 + (digits >> 8)) & 0x00FF00FF00FF00FFULL;
  digits = (digits * 100 + (digits >> 16)) & 0x0000FFFF0000FFFFULL;
  return (digits * 10000 + (digits >> 32)) & 0xFFFFFFFFULL;
}

// The general reading of a real field: TextToFloat, with the plain decimal form that the host writes
// (an optional minus, digits, at most one point, no more than 48 characters) converted from a buffer on
// the stack instead of a heap copy. The result is TextToFloat's own: it hands exactly these characters
// to the same conversion, and a plain decimal of this length is never out of a double's range.
// Kept out of line: the fast path below then needs no stack frame of its own.
[[gnu::noinline]] double GeneralFieldToFloat(std::u16string_view field) {
  constexpr size_t kLongest = 48;
  const size_t length = field.size();
  if (length == 0 || length > kLongest) return TextToFloat(std::u16string(field));
  char buffer[kLongest];
  size_t i = 0;
  if (field[0] == u'-') buffer[i++] = '-';
  size_t points = 0;
  for (; i < length; ++i) {
    const char16_t c = field[i];
    if (c == u'.') {
      ++points;
    } else if (c < u'0' || c > u'9') {
      return TextToFloat(std::u16string(field));
    }
    buffer[i] = static_cast<char>(c);
  }
  const size_t digits = length - points - (field[0] == u'-' ? 1 : 0);
  if (points > 1 || digits == 0) return TextToFloat(std::u16string(field));
  double value = 0;
  const auto [end, error] = std::from_chars(buffer, buffer + length, value, std::chars_format::general);
  if (error != std::errc{} || end != buffer + length) return TextToFloat(std::u16string(field));
  return value;
}

// The powers of ten that a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

}  // namespace

// The host writes at most 15 significant digits, so nearly every field is a decimal whose
// digits, read as an integer, a double holds exactly, with no more than 22 of them after the point: that
// value is one exact double divided by another, and one IEEE division rounds the quotient correctly,
// to the very double that from_chars gives for the text. This is read here in one pass over the field;
// every other text takes the general way. The division must be carried out in double precision itself
// (not in a wider format and rounded again), so where the compiler evaluates wider, everything takes
// the general way.
double FieldToFloat(std::u16string_view field) {
#if defined(FLT_EVAL_METHOD) && FLT_EVAL_METHOD == 0
  constexpr uint64_t kExactLimit = uint64_t{1} << 53;  // every integer up to this is a double
  constexpr size_t kMostDigits = 19;                   // no 19 decimal digits overflow 64 bits
  const char16_t* p = field.data();
  const char16_t* const end = p + field.size();
  const bool negative = p < end && *p == u'-';
  if (negative) ++p;
  const char16_t* const first = p;
  uint64_t mantissa = 0;  // the digits read so far as one integer, wrapping past 19 of them
  const char16_t* point = nullptr;
#if defined(__SSE2__)
  // Eight characters at a time while they are eight digits, or seven digits and the point, as nearly
  // all of the host's are: narrowed to bytes (anything above 0xFF becomes 0xFF, no digit) and read
  // as one number.
  // (SSE2 machines are little-endian, as EightDigitsValue needs.)
  const __m128i zero = _mm_set1_epi8('0');
  const __m128i nine = _mm_set1_epi8(9);
  const __m128i dot = _mm_set1_epi8('.');
  while (end - p >= 8) {
    const __m128i bytes =
        _mm_packus_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), _mm_setzero_si128());
    const __m128i values = _mm_sub_epi8(bytes, zero);
    const auto digitBits =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(values, nine), values))) & 0xFF;
    uint64_t digits;
    _mm_storel_epi64(reinterpret_cast<__m128i*>(&digits), values);
    if (digitBits == 0xFF) {
      mantissa = mantissa * 100000000 + EightDigitsValue(digits);
      p += 8;
      continue;
    }
    const auto pointBits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, dot))) & 0xFF;
    if (point != nullptr || (digitBits | pointBits) != 0xFF || (pointBits & (pointBits - 1)) != 0) break;
    // The seven digits around the point, moved together behind a leading zero.
    const int at = std::countr_zero(pointBits);
    const uint64_t before = ~(~uint64_t{0} << (8 * at));
    const uint64_t after = (~uint64_t{0} << (8 * at)) << 8;
    mantissa = mantissa * 10000000 + EightDigitsValue(((digits & before) << 8) | (digits & after));
    point = p + at;
    p += 8;
  }
#endif
  for (; p < end; ++p) {
    const unsigned digit = static_cast<unsigned>(*p) - unsigned{u'0'};
    if (digit <= 9) {
      mantissa = mantissa * 10 + digit;
    } else if (*p == u'.' && point == nullptr) {
      point = p;
    } else {
      break;
    }
  }
  const auto digits = static_cast<size_t>(p - first) - (point != nullptr ? 1 : 0);
  const size_t decimals = point != nullptr ? static_cast<size_t>(p - point - 1) : 0;
  if (p == end && digits > 0 && digits <= kMostDigits && mantissa <= kExactLimit &&
      decimals < std::size(kExactPowersOfTen)) {
    const double value = static_cast<double>(mantissa) / kExactPowersOfTen[decimals];
    return negative ? -value : value;
  }
#endif
  return GeneralFieldToFloat(field);
}

// Up to nine digits are never out of range; everything else, hexadecimal and blanks included, goes
// to TextToInt.
int32_t FieldToInt(std::u16string_view field) {
  const size_t first = !field.empty() && field[0] == u'-' ? 1 : 0;
  const size_t length = field.size();
  if (length == first || length - first > 9) return TextToInt(std::u16string(field));
  int32_t value = 0;
  for (size_t i = first; i < length; ++i) {
    const char16_t c = field[i];
    if (c < u'0' || c > u'9') return TextToInt(std::u16string(field));
    value = value * 10 + (c - u'0');
  }
  return first ? -value : value;
}
