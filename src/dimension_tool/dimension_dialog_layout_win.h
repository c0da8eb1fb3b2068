// The layout of the settings dialog as data: every control with its kind, dialog item id, caption,
// place (pixels at 96 DPI, relative to its panel), panel, text limit and input-method rule.
// DimensionDialog builds the window from this table in one loop; the order of the rows is the creation
// order, and so the tab order.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "dialog_values.h"

// Dialog item ids. The OK and Cancel buttons carry IDOK and IDCANCEL, the ids that the dialog manager sends
// for Enter and Escape, so that both keys reach them from any control.
constexpr int DialogItemId(ControlId control) {
  if (control == ControlId::OkButton) return IDOK;
  if (control == ControlId::CancelButton) return IDCANCEL;
  return 1000 + static_cast<int>(control);
}
// The two buttons of a radio group.
constexpr int RadioButtonItemId(ControlId group, int index) {
  return 1100 + 2 * static_cast<int>(group) + index;
}
// Plain labels, 1 to 22: each keeps the id it always had.
constexpr int LabelItemId(int number) { return 2000 + number; }

enum class ControlKind { Label, ComboList, Edit, CheckBox, RadioGroup, Memo, StatusLine, Button };
// The settings panel fills the window above the button panel, which holds OK and Cancel.
enum class ParentPanel { Settings, Buttons };
enum class FontKind { Tahoma, Gothic };

struct ControlLayout {
  ControlKind kind;
  ControlId control;  // None for plain labels
  int id;             // dialog item id; a radio group's buttons take RadioButtonItemId
  const char16_t* caption;
  int left, top, width, height;  // 96-DPI pixels; a label's width 0 means "as wide as its caption"
  ParentPanel parent;
  bool imeAllowed;  // false: the input method is kept off while the control has the focus
  FontKind font;
  // Fixed entries of a list, or the captions of a radio group's buttons; null for none.
  const std::vector<std::u16string>& (*items)();
};

std::span<const ControlLayout> FormLayout();

// Fixed sizes of the form, 96-DPI pixels. The panels keep the layout's width; the live preview stands to
// their right, so the client area is wider by kPreviewWidth. The panels are 6 pixels wider than the
// form's original 496 so that the help text's widest line reads whole also where Japanese is drawn 14
// pixels a character at 13 (IPAGothic under Wine; Windows' own Japanese UI font draws 13).
constexpr int kClientWidth = 502;
constexpr int kClientHeight = 405;
constexpr int kPreviewWidth = 304;
constexpr int kPreviewMargin = 4;  // between the preview and the form's edges
constexpr int kPreviewItemId = 3000;
constexpr int kButtonPanelHeight = 41;
constexpr int kStatusLineHeight = 16;
constexpr int kFontHeight = 13;        // Tahoma
constexpr int kGothicFontHeight = 11;  // the "（線矢印）" label
constexpr int kComboVisibleItems = 8;  // entries a dropped list shows before it scrolls

// Places of a radio group's two buttons inside the group box: one row, two columns below the caption.
constexpr int kRadioLeft = 8;
constexpr int kRadioTop = 17;
constexpr int kRadioWidth = 67;
constexpr int kRadioHeight = 20;

constexpr COLORREF kMoneyGreen = RGB(192, 220, 192);
constexpr COLORREF kMemoBlue = RGB(187, 235, 244);
