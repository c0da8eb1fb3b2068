// Rounding, formatting and plane geometry for the dimension construction. Intermediates are long double
// (64-bit mantissa on x86) and every result and running sum is stored as a double, as the drawings the
// tool has always produced were computed.
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

#include "MyFunc.h"
#include "ascii_text.h"
#include "decimal_digits.h"

namespace {

using myfunc_detail::AsciiToText;

// Pi and twice pi cut to 15 significant digits: the angles written into drawings depend on these exact
// values (a quarter turn gives 90.0000000000001 degrees).
constexpr long double kPi = 3.14159265358979L;
constexpr long double kTwoPi = 6.28318530717958L;
constexpr long double kRadiansPerDegree = kPi / 180;

// Every digit of every double lies within this many decimals; more only appends zeros.
constexpr int32_t kMaxExactDecimals = 1100;

// "%.nf" of the exact binary value, correctly rounded, with "." whatever the C locale. Non-finite values
// are written as FloatToText writes them.
std::string FixedAscii(int32_t n, double value) {
  if (!std::isfinite(value)) {
    const std::u16string text = FloatToText(value);
    return std::string(text.begin(), text.end());
  }
  if (n < 0) n = 0;
  const int precision = n < kMaxExactDecimals ? n : kMaxExactDecimals;
  std::string out(320 + static_cast<size_t>(precision), '\0');
  const auto end =
      std::to_chars(out.data(), out.data() + out.size(), value, std::chars_format::fixed, precision).ptr;
  out.resize(static_cast<size_t>(end - out.data()));
  out.append(static_cast<size_t>(n - precision), '0');
  return out;
}

// Adds one to a text of decimal digits, growing it by a digit on a carry out of the front.
void IncrementDigits(std::string& digits) {
  for (size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return;
    }
    digits[i] = '0';
  }
  digits.insert(digits.begin(), '1');
}

// |x| rounded on the decimal digits it is written with (the 15 significant digits of FloatToText), so
// that a length that reads 0.614 or 614 is never cut to 0.6139 or 613 by the binary representation.
double RoundMagnitude(double magnitude, int places, int32_t mode) {
  const auto written = myfunc_detail::SignificantDigits15(magnitude);
  const int kept = written.exponent + places + 1;  // digits at or above the last kept place
  std::string digits;
  int exponent = -places;
  if (kept >= 15) {
    digits.assign(written.d.begin(), written.d.end());
    exponent = written.exponent - 14;
  } else {
    // The first dropped digit decides: the rest reaches a tenth (mode 1) or a half (other modes) of the
    // last place exactly when that digit reaches 1 or 5. When even the leading digit lies below the
    // tenth of the last place, nothing rounds up.
    const char firstDropped = kept >= 0 ? written.d[static_cast<size_t>(kept)] : '0';
    const bool up = mode == 0 ? false : mode == 1 ? firstDropped >= '1' : firstDropped >= '5';
    if (kept > 0) {
      digits.assign(written.d.begin(), written.d.begin() + kept);
    } else {
      digits = "0";
    }
    if (up) IncrementDigits(digits);
  }
  digits += 'e';
  digits += std::to_string(exponent);
  double rounded = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), rounded);
  // Only the 15-digit form of a value next to the largest double can fail (it rounds past it).
  if (error != std::errc{} || end != digits.data() + digits.size()) return magnitude;
  return rounded;
}

}  // namespace

std::u16string FormatFixed(int32_t n, double value) { return AsciiToText(FixedAscii(n, value)); }

std::u16string FormatGrouped(int32_t n, double value) {
  const std::string fixed = FixedAscii(n, value);
  if (!std::isfinite(value)) return AsciiToText(fixed);
  const size_t digitsStart = fixed[0] == '-' ? 1 : 0;
  size_t digitsEnd = fixed.find('.');
  if (digitsEnd == std::string::npos) digitsEnd = fixed.size();
  std::string grouped(fixed, 0, digitsStart);
  for (size_t i = digitsStart; i < digitsEnd; ++i) {
    if (i > digitsStart && (digitsEnd - i) % 3 == 0) grouped += ',';
    grouped += fixed[i];
  }
  grouped.append(fixed, digitsEnd);
  return AsciiToText(grouped);
}

// Works on the decimal value that |x| is written as with 15 significant digits, in exact decimal
// arithmetic: mode 0 truncates, mode 1 adds 0.9 of the last place before truncating, any other mode adds
// 0.5. n outside 0 to 14 keeps no decimals. A non-finite x is returned unchanged.
double RoundDigits(int32_t n, int32_t mode, double x) {
  if (!std::isfinite(x)) return x;
  const int places = (n >= 0 && n <= 14) ? static_cast<int>(n) : 0;
  const double magnitude = std::fabs(x);
  const double rounded = magnitude == 0 ? 0.0 : RoundMagnitude(magnitude, places, mode);
  return x < 0 ? -rounded : rounded;
}

void RotatePoint(double px, double py, double cx, double cy, double angle, double& x, double& y) {
  const long double rho = angle * kRadiansPerDegree;
  const long double c = std::cos(rho);
  const long double s = std::sin(rho);
  const long double dx = static_cast<long double>(px) - cx;
  const long double dy = static_cast<long double>(py) - cy;
  x = static_cast<double>(cx + c * dx - s * dy);
  y = static_cast<double>(cy + s * dx + c * dy);
}

double LineAngleRad(double dx, double dy) {
  if (std::fabs(dx) < 1e-14 && std::fabs(dy) < 1e-14) return 0;
  const double a =
      static_cast<double>(std::atan2(static_cast<long double>(dy), static_cast<long double>(dx)));
  if (SameReal(0, a)) return 0;
  return a < 0 ? static_cast<double>(a + kTwoPi) : a;
}

double LineAngleDeg(double dx, double dy) {
  return static_cast<double>(LineAngleRad(dx, dy) / kRadiansPerDegree);
}

// The remainder by 360 comes first so that the loops below end for every angle (adding 360 no longer
// changes a double above 2^62); for angles of ordinary size it changes nothing. An infinite angle, the
// end of that scale, gives 0; a NaN fails every comparison below and comes back as it is.
double NormalizeDeg(double angle) {
  if (std::isnan(angle)) return angle;
  if (std::isinf(angle)) return 0;
  double a = std::fmod(angle, 360.0);
  while (a < 0) a += 360;
  while (a >= 360) a -= 360;
  if (std::fabs(a) <= 1e-10 || std::fabs(std::fabs(a) - 360) <= 1e-10) return 0;
  return a;
}

double PointDistance(double x1, double y1, double x2, double y2) {
  const long double dx = static_cast<long double>(x2) - x1;
  const long double dy = static_cast<long double>(y2) - y1;
  return static_cast<double>(std::sqrt(dx * dx + dy * dy));
}

// Each character adds its width and then its gap, both stored into the running sum, the last character's
// gap included; half-width characters count half. A surrogate pair is one character.
double TextSpan(const std::u16string& text, double w, double g) {
  double span = 0;
  const auto add = [&span](long double amount) { span = static_cast<double>(span + amount); };
  size_t i = 0;
  while (i < text.size()) {
    const std::u16string character(1, text[i]);
    size_t units = 1;
    if (SurrogateKind(character) == 1 && i + 1 < text.size() && SurrogateKind(text.substr(i + 1, 1)) == 2) {
      units = 2;
    }
    if (units == 1 && IsHalfWidth(character)) {
      add(w / 2.0L);
      add(g / 2.0L);
    } else {
      add(w);
      add(g);
    }
    i += units;
  }
  return span;
}

// The tolerance is the double 1e-10, like every other tolerance of the program, so that two values
// written 1e-10 apart count as the same.
bool SameReal(double a, double b) { return std::fabs(static_cast<long double>(a) - b) <= 1e-10; }

// The layout of a Windows COLORREF (red in the low byte); no range check, callers pass 0 to 255.
int32_t RgbToColor(int32_t r, int32_t g, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(r) + 256u * static_cast<uint32_t>(g) +
                              65536u * static_cast<uint32_t>(b));
}
