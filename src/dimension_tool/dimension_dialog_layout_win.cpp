// The settings dialog's controls, in creation order. The rows of the settings panel that take the focus
// come first, in the tab order the users know; labels, the help text and the status line follow, as they
// never take it.
#include "dimension_dialog_layout_win.h"

namespace {

using K = ControlKind;
using C = ControlId;
constexpr ParentPanel S = ParentPanel::Settings;
constexpr ParentPanel B = ParentPanel::Buttons;
constexpr FontKind T = FontKind::Tahoma;

constexpr int kListHeight = 21;
constexpr int kEditHeight = 21;
constexpr int kCheckHeight = 17;
constexpr int kLabelHeight = 16;

// clang-format off
const ControlLayout kLayout[] = {
    // kind, control, dialog item id, caption, left, top, width, height, panel, IME allowed, font, items
    // The settings panel, tab stops in tab order.
    {K::ComboList,  C::StartMarkerList,        DialogItemId(C::StartMarkerList),        u"",                           48,  4,   81,  kListHeight,       S, false, T,                &EndMarkerItems},
    {K::ComboList,  C::EndMarkerList,          DialogItemId(C::EndMarkerList),          u"",                           48,  28,  81,  kListHeight,       S, false, T,                &EndMarkerItems},
    {K::ComboList,  C::TextStyleList,          DialogItemId(C::TextStyleList),          u"",                           136, 28,  169, kListHeight,       S, false, T,                nullptr},
    {K::Edit,       C::MarkerScaleEdit,        DialogItemId(C::MarkerScaleEdit),        u"",                           72,  112, 57,  kEditHeight,       S, false, T,                nullptr},
    {K::Edit,       C::PrefixEdit,             DialogItemId(C::PrefixEdit),             u"",                           200, 56,  105, kEditHeight,       S, true,  T,                nullptr},
    {K::Edit,       C::SuffixEdit,             DialogItemId(C::SuffixEdit),             u"",                           200, 80,  105, kEditHeight,       S, true,  T,                nullptr},
    {K::Edit,       C::ValueToUnderlineEdit,   DialogItemId(C::ValueToUnderlineEdit),   u"",                           200, 252, 57,  kEditHeight,       S, false, T,                nullptr},
    {K::ComboList,  C::PrecisionList,          DialogItemId(C::PrecisionList),          u"",                           200, 136, 105, kListHeight,       S, false, T,                &PrecisionItems},
    {K::Edit,       C::ArrowLengthEdit,        DialogItemId(C::ArrowLengthEdit),        u"",                           48,  64,  33,  kEditHeight,       S, false, T,                nullptr},
    {K::Edit,       C::ArrowAngleEdit,         DialogItemId(C::ArrowAngleEdit),         u"",                           48,  88,  33,  kEditHeight,       S, false, T,                nullptr},
    {K::CheckBox,   C::GroupDigitsBox,         DialogItemId(C::GroupDigitsBox),         u"３桁毎カンマ付加",           8,   232, 137, kCheckHeight,      S, false, T,                nullptr},
    {K::CheckBox,   C::UnitTextBox,            DialogItemId(C::UnitTextBox),            u"単位の付加",                 152, 232, 97,  kCheckHeight,      S, false, T,                nullptr},
    {K::ComboList,  C::RoundingList,           DialogItemId(C::RoundingList),           u"",                           200, 160, 105, kListHeight,       S, false, T,                &RoundingItems},
    {K::RadioGroup, C::ShowZerosGroup,         DialogItemId(C::ShowZerosGroup),         u"小数点以下の０表示",         8,   184, 145, 41,                S, false, T,                &ZeroDisplayItems},
    {K::RadioGroup, C::UnitGroup,              DialogItemId(C::UnitGroup),              u"寸法値の単位",               160, 184, 145, 41,                S, false, T,                &UnitItems},
    {K::CheckBox,   C::FullWidthBox,           DialogItemId(C::FullWidthBox),           u"寸法値を全角化",             256, 232, 121, kCheckHeight,      S, false, T,                nullptr},
    {K::CheckBox,   C::DimensionEntityBox,     DialogItemId(C::DimensionEntityBox),     u"寸法図形化",                 384, 232, 97,  kCheckHeight,      S, false, T,                nullptr},
    {K::Edit,       C::ExtensionGapEdit,       DialogItemId(C::ExtensionGapEdit),       u"",                           200, 276, 57,  kEditHeight,       S, false, T,                nullptr},
    {K::Edit,       C::ExtensionOvershootEdit, DialogItemId(C::ExtensionOvershootEdit), u"",                           200, 300, 57,  kEditHeight,       S, false, T,                nullptr},
    {K::Edit,       C::ReversedOvershootEdit,  DialogItemId(C::ReversedOvershootEdit),  u"",                           200, 324, 57,  kEditHeight,       S, false, T,                nullptr},
    // The settings panel, never a tab stop.
    {K::Memo,       C::HelpText,               DialogItemId(C::HelpText),               u"",                           305, 1,   197, 225,               S, false, T,                nullptr},
    {K::Label,      C::None,                   LabelItemId(6),                          u"始点",                       8,   8,   0,   kLabelHeight,      S, false, T,                nullptr},
    {K::Label,      C::None,                   LabelItemId(7),                          u"終点",                       8,   32,  0,   kLabelHeight,      S, false, T,                nullptr},
    {K::Label,      C::None,                   LabelItemId(15),                         u"（線矢印）",                 8,   52,  0,   13,                S, false, FontKind::Gothic, nullptr},
    {K::Label,      C::None,                   LabelItemId(17),                         u"長さ",                       8,   68,  0,   kLabelHeight,      S, false, T,                nullptr},
    {K::Label,      C::None,                   LabelItemId(18),                         u"図寸mm",                     84,  68,  0,   kLabelHeight,      S, false, T,                nullptr},
    {K::Label,      C::None,                   LabelItemId(16),                         u"角度",                       8,   92,  0,   kLabelHeight,      S, false, T,                nullptr},
    {K::Label,      C::None,                   LabelItemId(19),                         u"°",                          84,  92,  0,   kLabelHeight,      S, false, T,                nullptr},
    {K::Label,      C::None,                   LabelItemId(1),                          u"端点倍率",                   8,   116, 0,   kLabelHeight,      S, false, T,                nullptr},
    {K::Label,      C::None,                   LabelItemId(20),                         u"（点マーカ　線矢印を除く）", 135, 116, 0,   kLabelHeight,      S, false, T,                nullptr},
    {K::Label,      C::None,                   LabelItemId(2),                          u"寸法値の文字種",             136, 8,   0,   kLabelHeight,      S, false, T,                nullptr},
    {K::Label,      C::None,                   LabelItemId(11),                         u"接頭文字",                   136, 60,  0,   kLabelHeight,      S, false, T,                nullptr},
    {K::Label,      C::None,                   LabelItemId(12),                         u"接尾文字",                   136, 84,  0,   kLabelHeight,      S, false, T,                nullptr},
    {K::Label,      C::None,                   LabelItemId(13),                         u"寸法値の精度",               8,   140, 0,   kLabelHeight,      S, false, T,                nullptr},
    {K::Label,      C::None,                   LabelItemId(21),                         u"寸法値の丸め",               8,   164, 0,   kLabelHeight,      S, false, T,                nullptr},
    {K::Label,      C::None,                   LabelItemId(3),                          u"寸法値と水平線との距離",     8,   256, 0,   kLabelHeight,      S, false, T,                nullptr},
    {K::Label,      C::None,                   LabelItemId(4),                          u"図寸mm",                     264, 256, 0,   kLabelHeight,      S, false, T,                nullptr},
    {K::Label,      C::None,                   LabelItemId(5),                          u"計測点と寸法補助線の距離",   8,   280, 0,   kLabelHeight,      S, false, T,                nullptr},
    {K::Label,      C::None,                   LabelItemId(8),                          u"図寸mm",                     264, 280, 0,   kLabelHeight,      S, false, T,                nullptr},
    {K::Label,      C::None,                   LabelItemId(9),                          u"寸法補助線のはみ出し距離",   8,   304, 0,   kLabelHeight,      S, false, T,                nullptr},
    {K::Label,      C::None,                   LabelItemId(10),                         u"図寸mm",                     264, 304, 0,   kLabelHeight,      S, false, T,                nullptr},
    {K::Label,      C::None,                   LabelItemId(14),                         u"逆矢印の寸法はみだし距離",   8,   328, 0,   kLabelHeight,      S, false, T,                nullptr},
    {K::Label,      C::None,                   LabelItemId(22),                         u"図寸mm",                     264, 328, 0,   kLabelHeight,      S, false, T,                nullptr},
    // Docked at the bottom of the settings panel over its full width; its place follows the panel's size.
    {K::StatusLine, C::StatusLine,             DialogItemId(C::StatusLine),             u"",                           0,   0,   0,   kStatusLineHeight, S, false, T,                nullptr},
    // The button panel.
    {K::Button,     C::OkButton,               DialogItemId(C::OkButton),               u"ＯＫ (&Y)",                  4,   4,   85,  35,                B, false, T,                nullptr},
    {K::Button,     C::CancelButton,           DialogItemId(C::CancelButton),           u"キャンセル (&N)",            100, 4,   130, 35,                B, false, T,                nullptr},
};
// clang-format on

}  // namespace

std::span<const ControlLayout> FormLayout() { return kLayout; }
