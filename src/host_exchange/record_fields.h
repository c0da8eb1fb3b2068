// The fields of one record line of the exchange file, and the tokeniser that splits a line into them.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "JwwGaibu.h"
#include "field_numbers.h"

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
  // Field i read as TextToFloat would read it; 0 beyond N.
  double Real(size_t i) const { return FieldToFloat((*this)[i]); }
  // Field i read as TextToInt would read it; 0 beyond N.
  int32_t Int(size_t i) const { return FieldToInt((*this)[i]); }

  // Opens field i empty, growing the table when i is one past its end.
  void Begin(size_t i) {
    if (i == text.size()) text.resize(2 * i + 16);
    text[i] = {};
  }

  // Adds [first, last) to field i: the view grows while the characters stand together in the line,
  // else the field becomes a copy.
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

  // Field i becomes a copy of itself followed by `length` characters from `first`.
  void AppendCopied(size_t i, const char16_t* first, size_t length) {
    if (copies.size() <= i) copies.resize(i + 1);
    std::u16string_view& field = text[i];
    std::u16string& copy = copies[i];
    if (field.data() != copy.data()) copy.assign(field);
    copy.append(first, length);
    field = copy;
  }
};

// Splits the line that starts at `p` into `fields` and returns where it stopped: at `end` or, with
// `stopAtBreak`, at the CR or LF that ends the line or the NUL that ends the text. Blanks and tabs
// separate fields until a double quote (dropped) or "=" (kept); the rest of the line is then the last
// field. Other control characters are dropped.
const char16_t* Tokenise(const char16_t* p, const char16_t* end, bool stopAtBreak, TJGdata::Fields& fields);
