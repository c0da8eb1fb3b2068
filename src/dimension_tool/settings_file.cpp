// selvan.dat: the dialog's settings and position, one value per line, identified by position only.
#include "settings_file.h"

#include <algorithm>
#include <cstddef>

#include "JwwGaibu.h"
#include "MyFunc.h"
#include "model_reading.h"
#include "platform.h"

namespace {

// The file holds 31 short lines, a few KiB at most (nine edit texts of at most 32 units, three UTF-8
// bytes each, and numbers); 64 KiB leaves ample room for a hand-edited file, while a file of any size,
// which would be read whole into memory, is read no further than that.
constexpr size_t kMaxSettingsBytes = 64 * 1024;

// Splits at CR LF, lone CR and lone LF; a break at the very end adds no empty line.
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

// A list selection as stored: negative counts as the first entry, past the end as no selection.
int32_t ListSelection(const std::u16string& line, size_t count) {
  const int32_t index = std::max<int32_t>(TextToInt(line), 0);
  return static_cast<size_t>(index) < count ? index : kNoSelection;
}

int32_t RadioSelection(const std::u16string& line) { return std::clamp<int32_t>(TextToInt(line), 0, 1); }

}  // namespace

void LoadSettings(const std::u16string& settingsFile, DialogValues& values, WindowPosition& position) {
  position.left = 50;
  position.top = 50;
  const platform::ReadTextResult file = platform::ReadTextFile(settingsFile, kMaxSettingsBytes);
  if (!file.ok) return;
  const std::vector<std::u16string> lines = SplitLines(file.text);

  const size_t markerCount = EndMarkerItems().size();
  const size_t styleCount = values.textStyleItems.size();

  // Lines apply one after the other; the first missing line ends the reading, leaving the rest as it was.
  for (size_t number = 1; number <= 22 && number <= lines.size(); ++number) {
    const std::u16string& line = lines[number - 1];
    switch (number) {
      case 1:
        position.left = TextToInt(line);
        break;
      case 2:
        position.top = TextToInt(line);
        break;
      case 3:
        values.startMarker = ListSelection(line, markerCount);
        break;
      case 4:
        values.endMarker = ListSelection(line, markerCount);
        break;
      case 5:
        values.textStyle = ListSelection(line, styleCount);
        break;
      case 6:
        values.precision = ListSelection(line, PrecisionItems().size());
        break;
      case 7:
        values.rounding = ListSelection(line, RoundingItems().size());
        break;
      case 17:
        values.showZeros = RadioSelection(line);
        break;
      case 18:
        values.unit = RadioSelection(line);
        break;
      default:
        if (number >= 8 && number <= 16) {
          // Cut as typing is: the box would show, and the run would use, whatever length it was given.
          const auto& [control, text] = kEditFields[number - 8];
          values.*text = FitEditText(control, line);
        } else {
          values.*kCheckFields[number - 19].value = TextToInt(line) != 0;
        }
        break;
    }
  }
}

std::vector<std::u16string> SettingsLines(const DialogValues& values, const WindowPosition& position,
                                          const TJGdata& model) {
  return {
      IntToText(position.left),
      IntToText(position.top),
      IntToText(values.startMarker),
      IntToText(values.endMarker),
      IntToText(values.textStyle),
      IntToText(values.precision),
      IntToText(values.rounding),
      values.markerScale,
      values.prefix,
      values.suffix,
      values.valueToUnderline,
      values.extensionGap,
      values.extensionOvershoot,
      values.arrowLength,
      values.arrowAngle,
      values.reversedOvershoot,
      IntToText(values.showZeros),
      IntToText(values.unit),
      BoolToText(values.groupDigits),
      BoolToText(values.unitText),
      BoolToText(values.fullWidth),
      BoolToText(values.dimensionEntity),
      IntToText(model.CurLGrp),
      FloatToText(CurrentScale(model)),
      FloatToText(model.Jikukaku),
      FloatToText(IndicatedPoint(model, 1).x),
      FloatToText(IndicatedPoint(model, 1).y),
      FloatToText(IndicatedPoint(model, 2).x),
      FloatToText(IndicatedPoint(model, 2).y),
      FloatToText(IndicatedPoint(model, 3).x),
      FloatToText(IndicatedPoint(model, 3).y),
  };
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
