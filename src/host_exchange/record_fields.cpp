// The tokeniser of the exchange file's record lines: fields are views into the line, taken in runs.
#include "record_fields.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

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

}  // namespace

// Ordinary characters are taken in runs, not one by one, and a field is a view into the line, so a
// large file is split without copying or allocating per line. A surrogate pair needs no care of its
// own: neither half is a separator, so both are taken together.
const char16_t* Tokenise(const char16_t* p, const char16_t* const end, bool stopAtBreak,
                         TJGdata::Fields& fields) {
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
