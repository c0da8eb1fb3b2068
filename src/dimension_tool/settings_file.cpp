// selvan.dat: the dialog's settings and position, one value per line, identified by its number only.
#include "settings_file.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <iterator>

#include "JwwGaibu.h"
#include "MyFunc.h"
#include "model_reading.h"
#include "platform.h"

namespace {

// The file holds 31 short lines, a few KiB at most (nine edit texts of at most 32 units, three UTF-8
// bytes each, and numbers); 64 KiB leaves ample room for a hand-edited file, while a file of any size,
// which would be read whole into memory, is read no further than that.
constexpr size_t kMaxSettingsBytes = 64 * 1024;

// A list selection as stored: negative counts as the first entry, past the end as no selection.
int32_t ListSelection(const std::u16string& line, size_t count) {
  const int32_t index = std::max<int32_t>(TextToInt(line), 0);
  return static_cast<size_t>(index) < count ? index : kNoSelection;
}

int32_t RadioSelection(const std::u16string& line) { return std::clamp<int32_t>(TextToInt(line), 0, 1); }

// How a line holds its value, both ways.
enum class LineRule {
  Position,       // a window edge, a whole number
  List,           // a list selection; negative reads as the first entry, past the end as no selection
  Edit,           // an edit box's text as typed, cut on reading to what the box takes
  Radio,          // a radio group's selection, read as 0 or 1 whatever the number
  Check,          // a check box, written 1 or 0; any number but 0 reads as checked
  Informational,  // what the run was drawn on, written for the user to read and never read back
};

struct SettingsLine {
  size_t number;  // 1-based, as the user counts the file's lines
  LineRule rule;
  int32_t WindowPosition::*edge = nullptr;                  // Position
  int32_t DialogValues::*selection = nullptr;               // List, Radio
  size_t (*listSize)(const DialogValues&) = nullptr;        // List: the entries it can select
  ControlId editBox = ControlId::None;                      // Edit
  std::u16string DialogValues::*text = nullptr;             // Edit
  bool DialogValues::*checked = nullptr;                    // Check
  std::u16string (*information)(const TJGdata&) = nullptr;  // Informational
};

constexpr SettingsLine Position(size_t number, int32_t WindowPosition::*edge) {
  return {.number = number, .rule = LineRule::Position, .edge = edge};
}
constexpr SettingsLine List(size_t number, int32_t DialogValues::*selection,
                            size_t (*listSize)(const DialogValues&)) {
  return {.number = number, .rule = LineRule::List, .selection = selection, .listSize = listSize};
}
constexpr SettingsLine Edit(size_t number, ControlId editBox, std::u16string DialogValues::*text) {
  return {.number = number, .rule = LineRule::Edit, .editBox = editBox, .text = text};
}
constexpr SettingsLine Radio(size_t number, int32_t DialogValues::*selection) {
  return {.number = number, .rule = LineRule::Radio, .selection = selection};
}
constexpr SettingsLine Check(size_t number, bool DialogValues::*checked) {
  return {.number = number, .rule = LineRule::Check, .checked = checked};
}
constexpr SettingsLine Informational(size_t number, std::u16string (*information)(const TJGdata&)) {
  return {.number = number, .rule = LineRule::Informational, .information = information};
}

size_t MarkerCount(const DialogValues&) { return EndMarkerItems().size(); }
size_t TextStyleCount(const DialogValues& values) { return values.textStyleItems.size(); }
size_t PrecisionCount(const DialogValues&) { return PrecisionItems().size(); }
size_t RoundingCount(const DialogValues&) { return RoundingItems().size(); }

template <size_t kPoint>
std::u16string PointX(const TJGdata& model) {
  return FloatToText(IndicatedPoint(model, kPoint).x);
}
template <size_t kPoint>
std::u16string PointY(const TJGdata& model) {
  return FloatToText(IndicatedPoint(model, kPoint).y);
}

// Every line of the file, for the reader and the writer alike. Old files are read by these numbers, so a
// line keeps its number for good: a new value takes the next free one, after the last line.
constexpr SettingsLine kLines[] = {
    Position(1, &WindowPosition::left),
    Position(2, &WindowPosition::top),
    List(3, &DialogValues::startMarker, MarkerCount),
    List(4, &DialogValues::endMarker, MarkerCount),
    List(5, &DialogValues::textStyle, TextStyleCount),
    List(6, &DialogValues::precision, PrecisionCount),
    List(7, &DialogValues::rounding, RoundingCount),
    Edit(8, ControlId::MarkerScaleEdit, &DialogValues::markerScale),
    Edit(9, ControlId::PrefixEdit, &DialogValues::prefix),
    Edit(10, ControlId::SuffixEdit, &DialogValues::suffix),
    Edit(11, ControlId::ValueToUnderlineEdit, &DialogValues::valueToUnderline),
    Edit(12, ControlId::ExtensionGapEdit, &DialogValues::extensionGap),
    Edit(13, ControlId::ExtensionOvershootEdit, &DialogValues::extensionOvershoot),
    Edit(14, ControlId::ArrowLengthEdit, &DialogValues::arrowLength),
    Edit(15, ControlId::ArrowAngleEdit, &DialogValues::arrowAngle),
    Edit(16, ControlId::ReversedOvershootEdit, &DialogValues::reversedOvershoot),
    Radio(17, &DialogValues::showZeros),
    Radio(18, &DialogValues::unit),
    Check(19, &DialogValues::groupDigits),
    Check(20, &DialogValues::unitText),
    Check(21, &DialogValues::fullWidth),
    Check(22, &DialogValues::dimensionEntity),
    // Written for the user to read and never read back: the host's layer group, its scale and axis angle,
    // and the three points the dimension was drawn on.
    Informational(23, [](const TJGdata& model) { return IntToText(model.CurLGrp); }),
    Informational(24, [](const TJGdata& model) { return FloatToText(CurrentScale(model)); }),
    Informational(25, [](const TJGdata& model) { return FloatToText(model.Jikukaku); }),
    Informational(26, PointX<1>),
    Informational(27, PointY<1>),
    Informational(28, PointX<2>),
    Informational(29, PointY<2>),
    Informational(30, PointX<3>),
    Informational(31, PointY<3>),
};

constexpr bool EveryLineInItsPlace() {
  for (size_t i = 0; i < std::size(kLines); ++i) {
    if (kLines[i].number != i + 1) return false;
  }
  return true;
}
static_assert(EveryLineInItsPlace(), "a settings line out of its place: old files would be read wrongly");

void ReadLine(const SettingsLine& line, const std::u16string& text, DialogValues& values,
              WindowPosition& position) {
  switch (line.rule) {
    case LineRule::Position:
      position.*line.edge = TextToInt(text);
      return;
    case LineRule::List:
      values.*line.selection = ListSelection(text, line.listSize(values));
      return;
    case LineRule::Edit:
      // Cut as typing is: the box would show, and the run would use, whatever length it was given.
      values.*line.text = FitEditText(line.editBox, text);
      return;
    case LineRule::Radio:
      values.*line.selection = RadioSelection(text);
      return;
    case LineRule::Check:
      values.*line.checked = TextToInt(text) != 0;
      return;
    case LineRule::Informational:
      return;
  }
}

std::u16string WrittenLine(const SettingsLine& line, const DialogValues& values,
                           const WindowPosition& position, const TJGdata& model) {
  switch (line.rule) {
    case LineRule::Position:
      return IntToText(position.*line.edge);
    case LineRule::List:
    case LineRule::Radio:
      return IntToText(values.*line.selection);
    case LineRule::Edit:
      return values.*line.text;
    case LineRule::Check:
      return BoolToText(values.*line.checked);
    case LineRule::Informational:
      return line.information(model);
  }
  std::abort();  // a value outside the enumeration
}

}  // namespace

SettingsRead LoadSettings(const std::u16string& settingsFile, DialogValues& values,
                          WindowPosition& position) {
  position = WindowPosition{};
  const platform::ReadTextResult file = platform::ReadTextFile(settingsFile, kMaxSettingsBytes);
  if (!file.ok) return {file.failure, file.reason};
  const std::vector<std::u16string> lines = SplitLines(file.text);
  // Lines apply one after the other; the first missing line ends the reading, leaving the rest as it was.
  for (const SettingsLine& line : kLines) {
    if (line.number > lines.size()) break;
    ReadLine(line, lines[line.number - 1], values, position);
  }
  return {};
}

std::vector<std::u16string> SettingsLines(const DialogValues& values, const WindowPosition& position,
                                          const TJGdata& model) {
  std::vector<std::u16string> lines;
  lines.reserve(std::size(kLines));
  for (const SettingsLine& line : kLines) lines.push_back(WrittenLine(line, values, position, model));
  return lines;
}

platform::WriteResult SaveSettings(const std::u16string& settingsFile, const DialogValues& values,
                                   const WindowPosition& position, const TJGdata& model) {
  std::u16string text;
  for (const std::u16string& line : SettingsLines(values, position, model)) {
    text += line;
    text += u"\r\n";
  }
  // The write goes through a temporary file renamed over the old one: a failure keeps the previous
  // settings rather than deleting them, and a half-written file is never read back.
  return platform::WriteTextFile(settingsFile, text, true);
}
