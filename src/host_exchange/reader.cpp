// Reads the exchange file that Jw_cad wrote (JWC_TEMP.TXT) into the drawing model: header, attribute,
// indicated-point and entity records, one per line, applied in file order. The rules of each group of
// records are in reader_settings.cpp and reader_entities.cpp.
#include <algorithm>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>

#include "JwwGaibu.h"
#include "platform.h"
#include "record_fields.h"

using namespace std::string_view_literals;

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

bool TJGdata::OpenTempFile(const std::u16string& fn) { return ReadTempFile(fn).ok; }

// The model grows with the file, and in a 32-bit process its memory may run out before the text's
// limit is reached: that ends the read like a line too long.
platform::ReadTextResult TJGdata::ReadTempFile(const std::u16string& fn, size_t maxUnits) {
  MojiCode = false;
  try {
    return ReadTempPieces(fn, maxUnits);
  } catch (const std::bad_alloc&) {
    return platform::TooLargeToHold();
  } catch (const std::length_error&) {
    return platform::TooLargeToHold();
  }
}

platform::ReadTextResult TJGdata::ReadTempPieces(const std::u16string& fn, size_t maxUnits) {
  // The text is parsed as it is decoded, a piece at a time, so that a large file is never held as
  // text beside its bytes. The lines up to the last line break of a piece are whole; what follows it
  // waits in `unfinished` for the rest of its line, which may hold no more than `maxUnits` units.
  Fields fields;
  std::u16string unfinished;
  bool ended = false;    // at a NUL
  bool tooLong = false;  // a line that `unfinished` cannot hold
  const auto parse = [&](std::u16string_view piece) {
    if (!unfinished.empty()) {
      const size_t lineEnd = piece.find_first_of(u"\r\n");
      const size_t taken = lineEnd == std::u16string_view::npos ? piece.size() : lineEnd + 1;
      tooLong = taken > maxUnits - unfinished.size();
      if (tooLong) return false;
      unfinished.append(piece.substr(0, taken));
      if (lineEnd == std::u16string_view::npos) return true;
      ended = !fields.ReadLines(*this, unfinished);
      unfinished.clear();
      if (ended) return false;
      piece.remove_prefix(taken);
    }
    const size_t lastEnd = piece.find_last_of(u"\r\n");
    const size_t whole = lastEnd == std::u16string_view::npos ? 0 : lastEnd + 1;
    ended = !fields.ReadLines(*this, piece.substr(0, whole));
    if (ended) return false;
    unfinished.assign(piece.substr(whole));
    return true;
  };
  platform::ReadTextResult file = platform::ReadTextFileInPieces(fn, parse, maxUnits);
  if (!file.ok) return file;
  if (tooLong) return platform::TooLargeToHold();
  if (!ended) fields.ReadLines(*this, unfinished);
  MojiCode = file.encoding == platform::TextEncoding::Utf8;
  return file;
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
// first characters cannot both match, so the groups are chosen by that character, and tried in the
// host's order where one character starts records of several groups.
void TJGdata::ReadTempFields(const Fields& f) {
  const std::u16string_view k0 = f[0];
  if (f.firstUnsplit && k0.find(u"file="sv) != std::u16string_view::npos) {
    ZumenFile = std::u16string(k0.substr(std::min<size_t>(5, k0.size())));
    return;
  }
  bool taken = false;
  switch (k0.empty() ? u'\0' : k0[0]) {
    case u'h':
    case u'b':
      taken = ReadHeaderRecord(f);
      break;
    case u'l':
      taken = ReadLayerRecord(f) || ReadAttributeRecord(f);
      break;
    case u'c':
      taken = ReadAttributeRecord(f) || ReadEntityRecord(f) || ReadTextRecord(f);
      break;
    case u'p':
      taken = ReadAttributeRecord(f) || ReadEntityRecord(f);
      break;
    case u'z':
    case u'm':
    case u'#':
      taken = ReadAttributeRecord(f);
      break;
    case u'B':
      taken = ReadEntityRecord(f);
      break;
    case u's':
      taken = ReadSolidRecord(f);
      break;
    default:
      break;
  }
  if (!taken && f.count == 4) ReadLineRecord(f);
}
