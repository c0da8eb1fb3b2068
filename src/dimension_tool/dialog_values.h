// The state of every control of the settings dialog, independent of any window: the Win32 form only
// maps its controls to and from this state, and the checks, the settings file and the construction
// read it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TJGdata;

// Controls that a check can name or a test can look for. Their order gives the dialog item ids.
enum class ControlId {
  None,
  StartMarkerList,
  EndMarkerList,
  TextStyleList,
  PrecisionList,
  RoundingList,
  MarkerScaleEdit,
  PrefixEdit,
  SuffixEdit,
  ValueToUnderlineEdit,
  ExtensionGapEdit,
  ExtensionOvershootEdit,
  ArrowLengthEdit,
  ArrowAngleEdit,
  ReversedOvershootEdit,
  ShowZerosGroup,
  UnitGroup,
  GroupDigitsBox,
  UnitTextBox,
  FullWidthBox,
  DimensionEntityBox,
  HelpText,
  StatusLine,
  OkButton,
  CancelButton,
};

constexpr int32_t kNoSelection = -1;

// Layout defaults: the state before the settings file is applied. Distances are paper millimetres.
struct DialogValues {
  int32_t startMarker = 0;                     // index into EndMarkerItems()
  int32_t endMarker = 0;                       // index into EndMarkerItems()
  int32_t textStyle = kNoSelection;            // 0 the host's current style, 1..10 its styles
  int32_t precision = 3;                       // index into PrecisionItems(): "0.001"
  int32_t rounding = 2;                        // index into RoundingItems(): "四捨五入"
  std::u16string markerScale = u"1";           // magnification of the point markers
  std::u16string prefix;                       // text before the value
  std::u16string suffix;                       // text after the value
  std::u16string valueToUnderline = u"0.5";    // from the value to the line under it ("水平線")
  std::u16string extensionGap = u"2";          // from a measured point to its extension line
  std::u16string extensionOvershoot = u"2";    // of the extension lines beyond the dimension line
  std::u16string arrowLength = u"3";           // of a line arrow's strokes
  std::u16string arrowAngle = u"15";           // of a line arrow's strokes to the line, degrees
  std::u16string reversedOvershoot = u"2";     // of the dimension line beyond reversed arrows
  int32_t showZeros = 0;                       // zeros after the point: 0 "無", 1 "有"
  int32_t unit = 0;                            // 0 "mm", 1 "ｍ"
  bool groupDigits = false;                    // a comma every three digits
  bool unitText = false;                       // the unit written after the number
  bool fullWidth = false;                      // the number in full-width digits
  bool dimensionEntity = false;                // one dimension entity instead of lines and a text
  std::vector<std::u16string> textStyleItems;  // filled from the drawing model when shown

  // Equal when every value and every text-style entry is.
  bool operator==(const DialogValues&) const = default;
};

// Which value each control shows, one table per kind of control, in the controls' numbering: the form
// and the settings file both go through them, so neither can handle a value the other forgets.
template <typename Value>
struct ControlField {
  ControlId control;
  Value DialogValues::*value;
};

inline constexpr ControlField<int32_t> kListFields[] = {
    {ControlId::StartMarkerList, &DialogValues::startMarker},
    {ControlId::EndMarkerList, &DialogValues::endMarker},
    {ControlId::TextStyleList, &DialogValues::textStyle},
    {ControlId::PrecisionList, &DialogValues::precision},
    {ControlId::RoundingList, &DialogValues::rounding},
};
inline constexpr ControlField<std::u16string> kEditFields[] = {
    {ControlId::MarkerScaleEdit, &DialogValues::markerScale},
    {ControlId::PrefixEdit, &DialogValues::prefix},
    {ControlId::SuffixEdit, &DialogValues::suffix},
    {ControlId::ValueToUnderlineEdit, &DialogValues::valueToUnderline},
    {ControlId::ExtensionGapEdit, &DialogValues::extensionGap},
    {ControlId::ExtensionOvershootEdit, &DialogValues::extensionOvershoot},
    {ControlId::ArrowLengthEdit, &DialogValues::arrowLength},
    {ControlId::ArrowAngleEdit, &DialogValues::arrowAngle},
    {ControlId::ReversedOvershootEdit, &DialogValues::reversedOvershoot},
};
inline constexpr ControlField<int32_t> kRadioFields[] = {
    {ControlId::ShowZerosGroup, &DialogValues::showZeros},
    {ControlId::UnitGroup, &DialogValues::unit},
};
inline constexpr ControlField<bool> kCheckFields[] = {
    {ControlId::GroupDigitsBox, &DialogValues::groupDigits},
    {ControlId::UnitTextBox, &DialogValues::unitText},
    {ControlId::FullWidthBox, &DialogValues::fullWidth},
    {ControlId::DimensionEntityBox, &DialogValues::dimensionEntity},
};

// Characters that an edit box takes (UTF-16 code units); 0 for a control that is no edit box.
constexpr int EditTextLimit(ControlId control) {
  switch (control) {
    case ControlId::ArrowLengthEdit:
    case ControlId::ArrowAngleEdit:
      return 8;
    case ControlId::PrefixEdit:
    case ControlId::SuffixEdit:
      return 32;
    case ControlId::MarkerScaleEdit:
    case ControlId::ValueToUnderlineEdit:
    case ControlId::ExtensionGapEdit:
    case ControlId::ExtensionOvershootEdit:
    case ControlId::ReversedOvershootEdit:
      return 16;
    case ControlId::None:
    case ControlId::StartMarkerList:
    case ControlId::EndMarkerList:
    case ControlId::TextStyleList:
    case ControlId::PrecisionList:
    case ControlId::RoundingList:
    case ControlId::ShowZerosGroup:
    case ControlId::UnitGroup:
    case ControlId::GroupDigitsBox:
    case ControlId::UnitTextBox:
    case ControlId::FullWidthBox:
    case ControlId::DimensionEntityBox:
    case ControlId::HelpText:
    case ControlId::StatusLine:
    case ControlId::OkButton:
    case ControlId::CancelButton:
      return 0;
  }
  return 0;
}

// `text` cut to what the edit box `control` takes, without splitting a surrogate pair.
std::u16string FitEditText(ControlId control, std::u16string text);

// Fixed list entries of the dialog.
const std::vector<std::u16string>& EndMarkerItems();    // startMarker, endMarker: 12 entries
const std::vector<std::u16string>& PrecisionItems();    // precision: 9 entries
const std::vector<std::u16string>& RoundingItems();     // rounding: 3 entries
const std::vector<std::u16string>& ZeroDisplayItems();  // showZeros: "無", "有"
const std::vector<std::u16string>& UnitItems();         // unit: "mm", "ｍ"

// textStyle entries: "現在の文字種(Free)" or "現在の文字種(NoN)", then "No1: W3 H3 D0" ... for styles 1..10.
std::vector<std::u16string> TextStyleItems(const TJGdata& model);
