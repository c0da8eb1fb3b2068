// Reads the exchange file that Jw_cad wrote (JWC_TEMP.TXT) into the drawing model: header, attribute,
// indicated-point and entity records, one per line, applied in file order.
#include <algorithm>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "JwwGaibu.h"
#include "MyFunc.h"
#include "platform.h"

using namespace std::string_view_literals;

// The fields of one line. A field is a view into the line when its characters stand together there,
// which is nearly always; only a field that a dropped character splits (a quote after "cn", a control
// character) is copied. There is no limit on the number of fields: the table grows as a line needs
// it, so a layer name of many blank-separated words, or any record, is never cut short. The table is
// kept from line to line, so a large file is split without allocating.
struct TJGdata::Fields {
  std::vector<std::u16string_view> text;
  // A deque, because a view may point into a short copy's own storage: growing the table must not
  // move the copies that earlier fields of the same line are looking at.
  std::deque<std::u16string> copies;
  size_t count = 0;  // N
  // Splitting stopped while the first field was still open. Only then can that field hold a "=" (or a
  // blank): while splitting, "=" is the character that stops it.
  bool firstUnsplit = false;

  // Field i, empty beyond N.
  std::u16string_view operator[](size_t i) const { return i < count ? text[i] : std::u16string_view(); }

  void Begin(size_t i) {
    if (i == text.size()) text.resize(2 * i + 16);
    text[i] = {};
  }

  void Append(size_t i, const char16_t* first, const char16_t* last) {
    std::u16string_view& field = text[i];
    const auto length = static_cast<size_t>(last - first);
    if (field.empty()) {
      field = {first, length};
    } else if (field.data() + field.size() == first) {
      field = {field.data(), field.size() + length};
    } else {
      AppendCopied(i, first, length);
    }
  }

  // Splits `lines` at its line breaks and applies each line to `jg` in turn, up to the end or the first
  // NUL; false when a NUL ended it. (A member, so that it may use the model's private dispatch.)
  bool ReadLines(TJGdata& jg, std::u16string_view lines);

  void AppendCopied(size_t i, const char16_t* first, size_t length) {
    if (copies.size() <= i) copies.resize(i + 1);
    std::u16string_view& field = text[i];
    std::u16string& copy = copies[i];
    if (field.data() != copy.data()) copy.assign(field);
    copy.append(first, length);
    field = copy;
  }
};

namespace {

// Two corners of a solid count as one when both coordinates differ by at most this.
constexpr double kSamePoint = 1e-12;

// RGB has room for this many values; an "hrgb" record with more keeps the first ones and drops the
// rest rather than writing past the table.
constexpr size_t kRgbCount = std::tuple_size_v<decltype(TJGdata::RGB)>;

struct Point {
  double x;
  double y;
};

bool Same(Point a, Point b) { return std::fabs(a.x - b.x) <= kSamePoint && std::fabs(a.y - b.y) <= kSamePoint; }

// Unit by unit, so that a keyword of two or three characters is tested in as many comparisons.
constexpr bool StartsWith(std::u16string_view text, std::u16string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (text[i] != prefix[i]) return false;
  }
  return true;
}

// Layer groups and layers are one hexadecimal digit, read the way the host writes them: "$" and the
// character, so "lgA" is group 10, and anything but a hex digit (or nothing) is group 0.
int32_t HexDigitAt(std::u16string_view field, size_t index) {
  const char16_t c = index < field.size() ? field[index] : u'\0';
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return 0;
}

// The text kind that a text record's keyword stands for ("ch" 0, "cv" 1, "cs" 2, "cr" 3, "co" 4, "cp" 5,
// "ct" 6, "ck" 7, "cz" 8, "c2" 9), or -1 for any other keyword.
int32_t TextKind(std::u16string_view keyword) {
  if (keyword.size() != 2 || keyword[0] != u'c') return -1;
  switch (keyword[1]) {
    case u'h':
      return 0;
    case u'v':
      return 1;
    case u's':
      return 2;
    case u'r':
      return 3;
    case u'o':
      return 4;
    case u'p':
      return 5;
    case u't':
      return 6;
    case u'k':
      return 7;
    case u'z':
      return 8;
    case u'2':
      return 9;
    default:
      return -1;
  }
}

// The name of a layer group or layer: the rest of the keyword field and every further field, joined
// by single blanks, so a name with blanks comes back whole.
std::u16string JoinedName(const TJGdata::Fields& f) {
  std::u16string name(f[0].substr(3));
  for (size_t i = 1; i < f.count; ++i) {
    name.push_back(u' ');
    name.append(f[i]);
  }
  return name;
}

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

// A real field. The host writes at most 15 significant digits, so nearly every field is a decimal whose
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

// TextToInt, with an optional minus and up to nine decimal digits (never out of range) worked out
// here; everything else, hexadecimal and blanks included, goes to TextToInt.
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

// Whether a character ends a run of ordinary characters while the line is being split: a control
// character or a blank, the double quote, "=".
constexpr bool EndsRun(char16_t c) { return c <= u' ' || c == u'"' || c == u'='; }

// The end of the run of ordinary characters that starts at `p`. A field is mostly one such run, and a
// number of the host's is some sixteen characters, so where SSE2 is there they are looked at eight
// at a time.
const char16_t* RunEnd(const char16_t* p, const char16_t* const end) {
#if defined(__SSE2__)
  const __m128i blank = _mm_set1_epi16(u' ');
  const __m128i quote = _mm_set1_epi16(u'"');
  const __m128i equals = _mm_set1_epi16(u'=');
  while (end - p >= 8) {
    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    // A unit at or below the blank is what is left of it after a saturating subtraction: zero.
    const __m128i stops =
        _mm_or_si128(_mm_cmpeq_epi16(_mm_subs_epu16(units, blank), _mm_setzero_si128()),
                     _mm_or_si128(_mm_cmpeq_epi16(units, quote), _mm_cmpeq_epi16(units, equals)));
    const auto mask = static_cast<unsigned>(_mm_movemask_epi8(stops));
    if (mask != 0) return p + std::countr_zero(mask) / 2;
    p += 8;
  }
#endif
  while (p < end && !EndsRun(*p)) ++p;
  return p;
}

// The tokeniser: splits the line that starts at `p` into `fields` and returns where it stopped, at
// `end` or, with stopAtBreak, at the CR or LF that ends the line or the NUL that ends the text.
//
// Ordinary characters are taken in runs, not one by one, and a field is a view into the line, so a
// large file is split without copying or allocating per line. A surrogate pair needs no care of its
// own: neither half is a separator, so both are taken together.
const char16_t* Tokenise(const char16_t* p, const char16_t* const end, bool stopAtBreak, TJGdata::Fields& fields) {
  auto atBreak = [&](char16_t c) { return stopAtBreak && (c == u'\r' || c == u'\n' || c == u'\0'); };
  fields.Begin(0);
  fields.firstUnsplit = false;
  size_t n = 0;
  // Splitting: blanks and tabs separate fields until a double quote (dropped) or "=" (kept) ends it.
  bool split = true;
  while (p < end) {
    const char16_t c = *p;
    if (!EndsRun(c)) {
      const char16_t* const q = RunEnd(p + 1, end);
      std::u16string_view& field = fields.text[n];
      if (field.empty()) {
        field = {p, static_cast<size_t>(q - p)};  // nearly every field: one run
      } else {
        fields.Append(n, p, q);
      }
      p = q;
    } else if (c == u' ' || c == u'\t') {
      if (!fields.text[n].empty()) fields.Begin(++n);
      ++p;
    } else if (c == u'"' || c == u'=') {
      if (c == u'=') fields.Append(n, p, p + 1);
      ++p;
      split = false;
      break;
    } else if (atBreak(c)) {
      break;
    } else {
      ++p;  // other controls are dropped
    }
  }
  // The rest of the line is the last field, blanks, quotes and "=" included; a tab and the other
  // controls are dropped.
  if (!split) {
    fields.firstUnsplit = n == 0;
    while (p < end) {
      const char16_t c = *p;
      if (c >= u' ') {
        const char16_t* q = p + 1;
        while (q < end && *q >= u' ') ++q;
        fields.Append(n, p, q);
        p = q;
      } else if (atBreak(c)) {
        break;
      } else {
        ++p;
      }
    }
  }
  fields.count = n + 1;
  return p;
}

}  // namespace

// Lines end at CR LF, a lone CR or a lone LF, and the text at the first NUL; the tokeniser stops at
// these itself, so the text is walked once.
bool TJGdata::Fields::ReadLines(TJGdata& jg, std::u16string_view lines) {
  const char16_t* p = lines.data();
  const char16_t* const end = p + lines.size();
  while (p < end) {
    p = Tokenise(p, end, true, *this);
    if (count > 1 || !text[0].empty()) jg.ReadTempFields(*this);
    if (p < end && *p == u'\0') return false;
    if (p < end && *p == u'\r') ++p;
    if (p < end && *p == u'\n') ++p;
  }
  return true;
}

bool TJGdata::OpenTempFile(const std::u16string& fn) {
  MojiCode = false;
  if (!FileExistsText(fn)) return false;
  // The text is parsed as it is decoded, a piece at a time, so that a large file is never held as
  // text beside its bytes. The lines up to the last line break of a piece are whole; what follows it
  // waits in `unfinished` for the rest of its line.
  Fields fields;
  std::u16string unfinished;
  bool ended = false;  // at a NUL
  const auto parse = [&](std::u16string_view piece) {
    if (!unfinished.empty()) {
      const size_t lineEnd = piece.find_first_of(u"\r\n");
      if (lineEnd == std::u16string_view::npos) {
        unfinished.append(piece);
        return true;
      }
      unfinished.append(piece.substr(0, lineEnd + 1));
      ended = !fields.ReadLines(*this, unfinished);
      unfinished.clear();
      if (ended) return false;
      piece.remove_prefix(lineEnd + 1);
    }
    const size_t lastEnd = piece.find_last_of(u"\r\n");
    const size_t whole = lastEnd == std::u16string_view::npos ? 0 : lastEnd + 1;
    ended = !fields.ReadLines(*this, piece.substr(0, whole));
    if (ended) return false;
    unfinished.assign(piece.substr(whole));
    return true;
  };
  const platform::ReadTextResult file = platform::ReadTextFileInPieces(fn, parse);
  if (!file.ok) return false;
  if (!ended) fields.ReadLines(*this, unfinished);
  MojiCode = file.encoding == platform::TextEncoding::Utf8;
  return true;
}

void TJGdata::ReadTempText(const std::u16string& text) {
  Fields fields;
  fields.ReadLines(*this, text);
}

void TJGdata::ReadTempLine(const std::u16string& s) {
  Fields fields;
  Tokenise(s.data(), s.data() + s.size(), false, fields);
  // A line of blanks only, or an empty one, is ignored.
  if (fields.count > 1 || !fields[0].empty()) ReadTempFields(fields);
}

// The rules are tried in the host's order, first fit wins, and a keyword with too few fields goes on
// to the later rules (so any record of exactly four fields ends as a line). Keywords with different
// first characters cannot both match, so the rules are grouped by that character; within a group the
// order is kept.
void TJGdata::ReadTempFields(const Fields& f) {
  const size_t n = f.count;
  const std::u16string_view k0 = f[0];
  auto R = [&](size_t i) { return FieldToFloat(f[i]); };
  auto I = [&](size_t i) { return FieldToInt(f[i]); };
  auto after = [&](size_t i) { return std::u16string(k0.substr(std::min(i, k0.size()))); };
  auto resetEntityState = [&] {
    w_Attr = 0;
    w_IPNo = 0;
    w_CrvFl = false;
    w_DimFl = false;
  };
  auto fillText = [&](TJwwEntText& t, int32_t kind) {
    t.no = kind;
    FillTextStyle(t);
    t.x1 = R(1);
    t.y1 = R(2);
    t.x2 = R(3);
    t.y2 = R(4);
    t.st.assign(f[5]);
  };
  auto solid2 = [&](Point a, Point b) {
    TJwwEntSld2& e = AddEntity(EntityKind::Solid2, EntSld2N, EntSld2);
    e.Color = w_SlCol;
    e.x1 = a.x, e.y1 = a.y, e.x2 = b.x, e.y2 = b.y;
  };
  auto solid3 = [&](Point a, Point b, Point c) {
    TJwwEntSld3& e = AddEntity(EntityKind::Solid3, EntSld3N, EntSld3);
    e.Color = w_SlCol;
    e.x1 = a.x, e.y1 = a.y, e.x2 = b.x, e.y2 = b.y, e.x3 = c.x, e.y3 = c.y;
  };
  auto roundSolidC = [&](EntityKind kind, int32_t& count, std::vector<TJwwEntSldC>& table) {
    TJwwEntSldC& e = AddEntity(kind, count, table);
    e.Color = w_SlCol;
    e.cx = R(1), e.cy = R(2), e.cr = R(3), e.he = R(4), e.ka = R(5), e.sa = R(6), e.da = R(7);
    e.fl = I(8);
  };
  auto roundSolidD = [&](EntityKind kind, int32_t& count, std::vector<TJwwEntSldD>& table) {
    TJwwEntSldD& e = AddEntity(kind, count, table);
    e.Color = w_SlCol;
    e.cx = R(1), e.cy = R(2), e.cr = R(3), e.he = R(4), e.ka = R(5), e.sa = R(6), e.da = R(7);
    e.ri = R(8);
  };

  if (f.firstUnsplit && k0.find(u"file="sv) != std::u16string_view::npos) {
    ZumenFile = after(5);
    return;
  }

  switch (k0.empty() ? u'\0' : k0[0]) {
    case u'h':
      if (k0 == u"hk"sv && n >= 2) {
        Jikukaku = R(1);
        return;
      }
      if (k0 == u"hs"sv && n >= 17) {
        for (size_t j = 0; j < 16; ++j) LGrpScale[j] = R(j + 1);
        return;
      }
      if (k0 == u"hzs"sv && n >= 3) {
        ZumenXsize = R(1);
        ZumenYsize = R(2);
        return;
      }
      if (k0 == u"hcw"sv && n >= 11) {
        for (int k = 1; k <= 10; ++k) Mojisyu[k].W = R(static_cast<size_t>(k));
        return;
      }
      if (k0 == u"hch"sv && n >= 11) {
        for (int k = 1; k <= 10; ++k) Mojisyu[k].H = R(static_cast<size_t>(k));
        return;
      }
      if (k0 == u"hcd"sv && n >= 11) {
        for (int k = 1; k <= 10; ++k) Mojisyu[k].D = R(static_cast<size_t>(k));
        return;
      }
      if (k0 == u"hcc"sv && n >= 11) {
        for (int k = 1; k <= 10; ++k) Mojisyu[k].C = I(static_cast<size_t>(k));
        return;
      }
      if (k0 == u"hn"sv && n >= 5) {
        AreaX1 = R(1);
        AreaY1 = R(2);
        AreaX2 = R(3);
        AreaY2 = R(4);
        return;
      }
      if (k0 == u"hrgb"sv && n >= 9) {
        for (size_t k = 1; k < n && k <= kRgbCount; ++k) RGB[k - 1] = I(k);
        return;
      }
      if (StartsWith(k0, u"hp"sv) && n >= 3) {
        // The suffix says how the point was given; each later suffix found overrides an earlier one.
        std::u16string_view code = k0.substr(2);
        int32_t sta = 0;
        static constexpr std::u16string_view kSuffixes[] = {u"-", u"ln", u"ci", u"ch"};
        for (int32_t s = 0; s < 4; ++s) {
          const size_t p = k0.find(kSuffixes[s]);
          if (p == std::u16string_view::npos) continue;
          code = k0.substr(2, p - 2);
          sta = s + 1;
        }
        const int32_t k = FieldToInt(code);
        if (k >= 1 && k <= 99 && static_cast<size_t>(k) < IPoints.size()) {
          TJwwIndPoint& point = IPoints[static_cast<size_t>(k)];
          point.flg = true;
          point.x = R(1);
          point.y = R(2);
          point.sta = sta;
          ++IPointN;
        }
        return;
      }
      if (StartsWith(k0, u"hhp"sv)) {
        // Unlike "hp", "-" is not a suffix here: "hhp5-" names no point.
        size_t length = k0.size();
        for (std::u16string_view suffix : {u"ln"sv, u"ci"sv, u"ch"sv}) {
          const size_t p = k0.find(suffix);
          if (p != std::u16string_view::npos && p >= 3) length = p - 3;
        }
        w_IPNo = FieldToInt(k0.substr(3, length));
        return;
      }
      break;
    case u'b':
      if (k0 == u"bz"sv) {
        Zusun = true;
        return;
      }
      break;
    case u'l':
      if (StartsWith(k0, u"lgn"sv)) {
        if (w_LGrp >= 0 && static_cast<size_t>(w_LGrp) < LGrpName.size()) {
          LGrpName[static_cast<size_t>(w_LGrp)] = JoinedName(f);
        }
        return;
      }
      if (StartsWith(k0, u"lyn"sv)) {
        const int32_t index = w_LGrp * 16 + w_Lay;
        if (w_LGrp >= 0 && w_LGrp <= 15 && w_Lay >= 0 && w_Lay <= 15 &&
            static_cast<size_t>(index) < LayName.size()) {
          LayName[static_cast<size_t>(index)] = JoinedName(f);
        }
        return;
      }
      if (StartsWith(k0, u"lg"sv)) {
        const int32_t group = HexDigitAt(k0, 2);
        if (w_FlgLGrp) {
          CurLGrp = group;
          w_FlgLGrp = false;
        }
        w_LGrp = group;
        if (n >= 2 && static_cast<size_t>(group) < LGrpStat.size()) LGrpStat[static_cast<size_t>(group)] = I(1);
        w_CrvFl = false;
        return;
      }
      if (StartsWith(k0, u"ly"sv)) {
        const int32_t layer = HexDigitAt(k0, 2);
        if (w_FlgLay) {
          CurLay = layer;
          w_FlgLay = false;
        }
        w_Lay = layer;
        // w_LGrp is 0..15 when the reader set it; the writer may have left anything there.
        const int32_t index = w_LGrp * 16 + w_Lay;
        if (n >= 2 && w_LGrp >= 0 && w_LGrp <= 15 && static_cast<size_t>(index) < LayStat.size()) {
          LayStat[static_cast<size_t>(index)] = I(1);
        }
        w_CrvFl = false;
        return;
      }
      if (StartsWith(k0, u"lc"sv)) {
        const int32_t colour = FieldToInt(k0.substr(2));
        if (w_FlgCol) {
          CurCol = colour;
          w_FlgCol = false;
        }
        w_Col = colour;
        if (colour == 10 && n >= 2) w_SlCol = I(1);
        w_CrvFl = false;
        return;
      }
      if (StartsWith(k0, u"lt"sv)) {
        const int32_t type = FieldToInt(k0.substr(2));
        if (w_FlgLtp) {
          CurLtp = type;
          w_FlgLtp = false;
        }
        w_Ltp = type;
        w_CrvFl = false;
        return;
      }
      if (StartsWith(k0, u"lw"sv)) {
        const int32_t width = FieldToInt(k0.substr(2));
        if (w_FlgWid) {
          CurWid = width;
          w_FlgWid = false;
        }
        w_Wid = width;
        WidF = true;
        w_CrvFl = false;
        return;
      }
      break;
    case u'c': {
      if (StartsWith(k0, u"cn$"sv)) {
        std::u16string font = after(3);
        if (CurFont.empty()) CurFont = font;
        w_Font = std::move(font);
        w_CrvFl = false;
        return;
      }
      if (StartsWith(k0, u"cn"sv)) {
        const int32_t style = FieldToInt(k0.substr(2));
        const bool freeSize = style == 0 && n >= 5;
        if (w_FlgMjs) {
          CurMjs = style;
          if (freeSize) {
            CurMjsW = R(1);
            CurMjsH = R(2);
            CurMjsD = R(3);
            CurMjsC = I(4);
          }
          w_FlgMjs = false;
        }
        w_Mjs = style;
        if (freeSize) {
          w_MjsW = R(1);
          w_MjsH = R(2);
          w_MjsD = R(3);
          w_MjsC = I(4);
        }
        w_CrvFl = false;
        return;
      }
      if (StartsWith(k0, u"cc"sv)) {
        // One decimal character only: "cc12" is code 1.
        const int32_t code = FieldToInt(k0.substr(2, 1));
        w_Mbs = code >= 0 && code <= 8 ? code : 0;
        w_CrvFl = false;
        return;
      }
      if (k0 == u"ci"sv && n == 4) {
        TJwwEntCircle& e = AddEntity(EntityKind::Circle, EntCircN, EntCirc);
        e.cx = R(1);
        e.cy = R(2);
        e.cr = R(3);
        resetEntityState();
        return;
      }
      if (k0 == u"ci"sv && n >= 8) {
        TJwwEntArc& e = AddEntity(EntityKind::Arc, EntArcN, EntArc);
        e.cx = R(1), e.cy = R(2), e.cr = R(3), e.sa = R(4), e.ea = R(5), e.he = R(6), e.ka = R(7);
        resetEntityState();
        return;
      }
      const int32_t kind = TextKind(k0);
      if (kind >= 0 && n >= 6) {
        if (!w_DimFl || kind != 2) {
          fillText(AddEntity(EntityKind::Text, EntTextN, EntText), kind);
        } else {
          // The held line and this "cs" text together are one dimension.
          TJwwEntDim& e = AddEntity(EntityKind::Dimension, EntDimN, EntDim);
          e.lin.att = EntSunLine.att;
          e.lin.CrvNo = 0;
          e.lin.x1 = EntSunLine.x1, e.lin.y1 = EntSunLine.y1, e.lin.x2 = EntSunLine.x2, e.lin.y2 = EntSunLine.y2;
          SetEntAttr(e.txt.att);
          fillText(e.txt, 2);
        }
        resetEntityState();
        return;
      }
      break;
    }
    case u'z':
      if (k0.size() == 2 && k0[1] >= u'1' && k0[1] <= u'5') {
        w_Attr |= 1 << (k0[1] - u'1');
        return;
      }
      break;
    case u'p':
      if (StartsWith(k0, u"pn"sv)) {
        w_PtCol = FieldToInt(k0.substr(2));
        w_CrvFl = false;
        return;
      }
      if (k0 == u"pl"sv) {
        ++w_CrvNo;
        w_CrvFl = true;
        w_DimFl = false;
        return;
      }
      if (k0 == u"pt"sv && n == 3) {
        TJwwEntPnt& e = AddEntity(EntityKind::Point, EntPntN, EntPnt);
        e.px = R(1);
        e.py = R(2);
        e.att.Col = w_PtCol;
        resetEntityState();
        return;
      }
      if (k0 == u"pt"sv && n >= 6) {
        TJwwEntMark& e = AddEntity(EntityKind::Mark, EntMarkN, EntMark);
        e.px = R(1);
        e.py = R(2);
        e.att.Col = w_PtCol;
        e.bai = R(3);
        e.ang = R(4);
        e.cod = I(5);
        resetEntityState();
        return;
      }
      break;
    case u'm':
      if (k0 == u"msg"sv) {
        w_DimFl = true;
        w_CrvFl = false;
        return;
      }
      break;
    case u'#':
      if (k0 == u"#"sv) {
        w_CrvFl = false;
        w_DimFl = false;
        return;
      }
      break;
    case u'B':
      if (k0 == u"BL"sv && n >= 4) {
        TJwwEntBlk& e = AddEntity(EntityKind::Block, EntBlkN, EntBlk);
        e.px = R(1);
        e.py = R(2);
        e.nam.assign(f[3]);
        resetEntityState();
        return;
      }
      break;
    case u's':
      if (k0 == u"sl"sv && n == 5) {
        solid2({R(1), R(2)}, {R(3), R(4)});
        resetEntityState();
        return;
      }
      if (k0 == u"sl"sv && n == 7) {
        const Point p1{R(1), R(2)}, p2{R(3), R(4)}, p3{R(5), R(6)};
        if (Same(p1, p2)) {
          solid2(p1, p3);
        } else if (Same(p2, p3)) {
          solid2(p1, p2);
        } else {
          solid3(p1, p2, p3);
        }
        resetEntityState();
        return;
      }
      if (k0 == u"sl"sv && n >= 9) {
        const Point p1{R(1), R(2)}, p2{R(3), R(4)}, p3{R(5), R(6)}, p4{R(7), R(8)};
        if (Same(p1, p2) && Same(p1, p3)) {
          solid2(p1, p4);
        } else if (Same(p2, p3) && Same(p2, p4)) {
          solid2(p1, p2);
        } else if (Same(p1, p2) && Same(p3, p4)) {
          solid2(p1, p3);
        } else if (Same(p4, p1) || Same(p4, p2) || Same(p4, p3)) {
          solid3(p1, p2, p3);
        } else if (Same(p3, p1) || Same(p3, p2)) {
          solid3(p1, p2, p4);
        } else if (Same(p2, p1)) {
          solid3(p1, p3, p4);
        } else {
          TJwwEntSld4& e = AddEntity(EntityKind::Solid4, EntSld4N, EntSld4);
          e.Color = w_SlCol;
          e.x1 = p1.x, e.y1 = p1.y, e.x2 = p2.x, e.y2 = p2.y;
          e.x3 = p3.x, e.y3 = p3.y, e.x4 = p4.x, e.y4 = p4.y;
        }
        resetEntityState();
        return;
      }
      if (n >= 9) {
        if (k0 == u"sc"sv) {
          roundSolidC(EntityKind::RoundSolidC, EntSldCN, EntSldC);
        } else if (k0 == u"se"sv) {
          roundSolidC(EntityKind::RoundSolidE, EntSldEN, EntSldE);
        } else if (k0 == u"so"sv) {
          roundSolidD(EntityKind::RingSolidO, EntSldON, EntSldO);
        } else if (k0 == u"sg"sv) {
          roundSolidD(EntityKind::RingSolidG, EntSldGN, EntSldG);
        } else {
          break;
        }
        resetEntityState();
        return;
      }
      break;
    default:
      break;
  }

  if (n == 4) {
    // Four fields that no keyword took: a line, its first field read as a number like the others.
    if (w_DimFl) {
      // Held for the "cs" text that makes it a dimension; a second line replaces the first.
      SetEntAttr(EntSunLine.att);
      EntSunLine.CrvNo = 0;
      EntSunLine.x1 = R(0), EntSunLine.y1 = R(1), EntSunLine.x2 = R(2), EntSunLine.y2 = R(3);
    } else {
      TJwwEntLine& e = AddEntity(EntityKind::Line, EntLineN, EntLine);
      e.CrvNo = w_CrvFl ? w_CrvNo : 0;
      e.x1 = R(0), e.y1 = R(1), e.x2 = R(2), e.y2 = R(3);
    }
    // The polyline and the pending dimension stay open: the lines between "pl" and "#" belong together.
    w_Attr = 0;
    w_IPNo = 0;
  }
}
