// The state of every control of the settings dialog, independent of any window: the Win32 form only
// maps its controls to and from this state, and the checks, the settings file and the construction
// read it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TJGdata;

// Controls that a check can name or a test can look for.
enum class ControlId {
  None,
  ComboBox1, ComboBox2, ComboBox3, ComboBox4, ComboBox5,
  Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9,
  RadioGroup1, RadioGroup2,
  CheckBox1, CheckBox2, CheckBox3, CheckBox4,
  Memo1, LabelM, Button1, Button2,
};

constexpr int32_t kNoSelection = -1;

// Layout defaults: the state before the settings file is applied.
struct DialogValues {
  int32_t ComboBox1 = 0;             // start marker: index into EndMarkerItems()
  int32_t ComboBox2 = 0;             // end marker
  int32_t ComboBox3 = kNoSelection;  // text style: 0 current, 1..10 host styles
  int32_t ComboBox4 = 3;             // precision "0.001"
  int32_t ComboBox5 = 2;             // rounding "四捨五入"
  std::u16string Edit1 = u"1";       // marker magnification
  std::u16string Edit2;              // prefix
  std::u16string Edit3;              // suffix
  std::u16string Edit4 = u"0.5";     // value to horizontal line, paper mm
  std::u16string Edit5 = u"2";       // measured point to extension line, paper mm
  std::u16string Edit6 = u"2";       // extension line overshoot, paper mm
  std::u16string Edit7 = u"3";       // line-arrow length, paper mm
  std::u16string Edit8 = u"15";      // line-arrow angle, degrees
  std::u16string Edit9 = u"2";       // reversed-arrow overshoot, paper mm
  int32_t RadioGroup1 = 0;           // zeros after the point: 0 "無", 1 "有"
  int32_t RadioGroup2 = 0;           // unit: 0 "mm", 1 "ｍ"
  bool CheckBox1 = false;            // digit grouping
  bool CheckBox2 = false;            // unit text
  bool CheckBox3 = false;            // full width
  bool CheckBox4 = false;            // one dimension entity
  std::vector<std::u16string> ComboBox3Items;  // filled from the drawing model when shown
};

// Which value each control shows, one table per kind of control, in the controls' numbering: the form
// and the settings file both go through them, so neither can handle a value the other forgets.
template <typename Value>
struct ControlField {
  ControlId control;
  Value DialogValues::*value;
};

inline constexpr ControlField<int32_t> kListFields[] = {
    {ControlId::ComboBox1, &DialogValues::ComboBox1}, {ControlId::ComboBox2, &DialogValues::ComboBox2},
    {ControlId::ComboBox3, &DialogValues::ComboBox3}, {ControlId::ComboBox4, &DialogValues::ComboBox4},
    {ControlId::ComboBox5, &DialogValues::ComboBox5},
};
inline constexpr ControlField<std::u16string> kEditFields[] = {
    {ControlId::Edit1, &DialogValues::Edit1}, {ControlId::Edit2, &DialogValues::Edit2},
    {ControlId::Edit3, &DialogValues::Edit3}, {ControlId::Edit4, &DialogValues::Edit4},
    {ControlId::Edit5, &DialogValues::Edit5}, {ControlId::Edit6, &DialogValues::Edit6},
    {ControlId::Edit7, &DialogValues::Edit7}, {ControlId::Edit8, &DialogValues::Edit8},
    {ControlId::Edit9, &DialogValues::Edit9},
};
inline constexpr ControlField<int32_t> kRadioFields[] = {
    {ControlId::RadioGroup1, &DialogValues::RadioGroup1},
    {ControlId::RadioGroup2, &DialogValues::RadioGroup2},
};
inline constexpr ControlField<bool> kCheckFields[] = {
    {ControlId::CheckBox1, &DialogValues::CheckBox1},
    {ControlId::CheckBox2, &DialogValues::CheckBox2},
    {ControlId::CheckBox3, &DialogValues::CheckBox3},
    {ControlId::CheckBox4, &DialogValues::CheckBox4},
};

// Characters that an edit box takes (UTF-16 code units); 0 for a control that is no edit box.
constexpr int EditTextLimit(ControlId control) {
  switch (control) {
    case ControlId::Edit7:
    case ControlId::Edit8:
      return 8;
    case ControlId::Edit2:
    case ControlId::Edit3:
      return 32;
    case ControlId::Edit1:
    case ControlId::Edit4:
    case ControlId::Edit5:
    case ControlId::Edit6:
    case ControlId::Edit9:
      return 16;
    default:
      return 0;
  }
}

// `text` cut to what the edit box `control` takes, without splitting a surrogate pair.
std::u16string FitEditText(ControlId control, std::u16string text);

// Fixed list entries of the dialog.
const std::vector<std::u16string>& EndMarkerItems();   // ComboBox1, ComboBox2: 12 entries
const std::vector<std::u16string>& PrecisionItems();   // ComboBox4: 9 entries
const std::vector<std::u16string>& RoundingItems();    // ComboBox5: 3 entries
const std::vector<std::u16string>& ZeroDisplayItems(); // RadioGroup1: "無", "有"
const std::vector<std::u16string>& UnitItems();        // RadioGroup2: "mm", "ｍ"
const std::vector<std::u16string>& HelpTextLines();    // Memo1: 24 lines

// ComboBox3 entries: "現在の文字種(Free)" or "現在の文字種(NoN)", then "No1: W3 H3 D0" ... for styles 1..10.
std::vector<std::u16string> TextStyleItems(const TJGdata& model);

// The application title, also the caption of the window and of every message box.
extern const char16_t kApplicationTitle[];
