// 0-based access to UTF-16 texts, blank stripping, the half-width test and the full-width conversion of
// value texts. Every index and count is in UTF-16 code units.
#include <algorithm>
#include <string>
#include <string_view>

#include "MyFunc.h"

namespace {

// Half-width voiced and semi-voiced kana come as two code units (base + U+FF9E or U+FF9F); each pair
// turns into one full-width kana, in the same order as the pairs.
constexpr std::u16string_view kVoicedPairs = u"ｳﾞｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ";
constexpr std::u16string_view kVoicedKana = u"ヴガギグゲゴザジズゼゾダヂヅデドバビブベボパピプペポ";

// U+0021 to U+007E, then the blank; the full-width row follows the typographic habit of Japanese texts
// for the quotes and the backslash (yen sign).
constexpr std::u16string_view kAsciiHalf =
    u"!\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~ ";
constexpr std::u16string_view kAsciiFull =
    u"！”＃＄％＆’（）＊＋，－．／０１２３４５６７８９：；＜＝＞？＠ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴ"
    u"ＵＶＷＸＹＺ［￥］＾＿｀ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ｛｜｝～　";

// U+FF61 to U+FF9F; a lone voicing mark becomes U+309B and a lone semi-voicing mark the degree sign.
constexpr std::u16string_view kKanaHalf = u"｡｢｣､･ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝﾞﾟ";
constexpr std::u16string_view kKanaFull =
    u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモ"
    u"ヤユヨラリルレロワン゛°";

static_assert(kVoicedPairs.size() == 2 * kVoicedKana.size() && kVoicedKana.size() == 26);
static_assert(kAsciiHalf.size() == 95 && kAsciiFull.size() == 95);
static_assert(kKanaHalf.size() == 63 && kKanaFull.size() == 63);

// Blanks, full-width blanks and the controls U+0000 to U+001F.
bool IsStripped(char16_t c) { return c == u' ' || c == u'\u3000' || c <= u'\u001F'; }

size_t ClampIndex(int32_t index, size_t length) {
  if (index < 0) return 0;
  return static_cast<size_t>(index) > length ? length : static_cast<size_t>(index);
}

}  // namespace

int32_t TextLen(const std::u16string& text) { return static_cast<int32_t>(text.size()); }

// Callers pass a valid index; a bad one gives an empty text rather than reading outside the text.
std::u16string CharAt(const std::u16string& text, int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= text.size()) return std::u16string();
  return std::u16string(1, text[static_cast<size_t>(index)]);
}

int32_t FindText(const std::u16string& sought, const std::u16string& text) {
  if (sought.empty()) return -1;
  const size_t at = text.find(sought);
  return at == std::u16string::npos ? -1 : static_cast<int32_t>(at);
}

std::u16string TextFrom(const std::u16string& text, int32_t index) {
  return text.substr(ClampIndex(index, text.size()));
}

std::u16string SubText(const std::u16string& text, int32_t index, int32_t count) {
  if (count <= 0) return std::u16string();
  return text.substr(ClampIndex(index, text.size()), static_cast<size_t>(count));
}

std::u16string StripSpaces(const std::u16string& text) {
  std::u16string kept;
  kept.reserve(text.size());
  for (const char16_t c : text) {
    if (!IsStripped(c)) kept += c;
  }
  return kept;
}

bool IsBlank(const std::u16string& text) {
  return std::all_of(text.begin(), text.end(), IsStripped);
}

// Compares the whole text, as callers measuring drawn texts have always done; they pass one character.
bool IsHalfWidth(const std::u16string& character) {
  return (character >= u"\u0020" && character <= u"\u007E") ||
         (character >= u"\uFF61" && character <= u"\uFF9F");
}

int32_t SurrogateKind(const std::u16string& text) {
  if (text.empty()) return 0;
  const char16_t c = text[0];
  if (c >= 0xD800 && c <= 0xDBFF) return 1;
  if (c >= 0xDC00 && c <= 0xDFFF) return 2;
  return 0;
}

std::u16string ToFullWidth(const std::u16string& text) {
  std::u16string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (i + 1 < text.size()) {
      bool paired = false;
      for (size_t k = 0; k < kVoicedKana.size(); ++k) {
        if (text[i] == kVoicedPairs[2 * k] && text[i + 1] == kVoicedPairs[2 * k + 1]) {
          out += kVoicedKana[k];
          paired = true;
          break;
        }
      }
      if (paired) {
        i += 2;
        continue;
      }
    }
    const char16_t c = text[i];
    if (const size_t at = kAsciiHalf.find(c); at != std::u16string_view::npos) {
      out += kAsciiFull[at];
    } else if (const size_t kana = kKanaHalf.find(c); kana != std::u16string_view::npos) {
      out += kKanaFull[kana];
    } else {
      out += c;
    }
    ++i;
  }
  return out;
}

// Only an upper-case "E" starts an exponent: the formatted values this is used on never have another.
std::u16string TrimTrailingZeros(const std::u16string& text) {
  const size_t exponentAt = text.find(u'E');
  const std::u16string mantissa = text.substr(0, exponentAt);
  const std::u16string exponent =
      exponentAt == std::u16string::npos ? std::u16string() : text.substr(exponentAt);
  if (mantissa.find(u'.') == std::u16string::npos) return text;
  size_t end = mantissa.size();
  while (end > 0 && mantissa[end - 1] == u'0') --end;
  if (end > 0 && mantissa[end - 1] == u'.') --end;
  return mantissa.substr(0, end) + exponent;
}

std::vector<std::u16string> SplitLines(const std::u16string& text) {
  std::vector<std::u16string> lines;
  const size_t end = text.size();
  size_t pos = 0;
  while (pos < end) {
    size_t stop = pos;
    while (stop < end && text[stop] != u'\r' && text[stop] != u'\n') ++stop;
    lines.push_back(text.substr(pos, stop - pos));
    pos = stop;
    if (pos < end && text[pos] == u'\r') ++pos;
    if (pos < end && text[pos] == u'\n') ++pos;
  }
  return lines;
}
