// The OK button's thirteen checks: their order, messages, focus and boundaries.
#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <string>

#include "checks.h"
#include "platform.h"

namespace {

// The layout defaults with the text-style list filled and its first entry chosen: everything passes.
DialogValues Passing() {
  DialogValues values;
  values.textStyleItems = std::vector<std::u16string>(11, u"No1: W3 H3 D0");
  values.textStyle = 0;
  return values;
}

TEST(CheckOk, FirstFailingStepWithItsMessageAndFocus) {
  struct Case {
    const char* what;
    std::function<void(DialogValues&)> change;
    ControlId focus;          // None: everything passes
    const char16_t* message;  // the first line, which users and scripts know
  };
  const Case cases[] = {
      {"layout defaults with a style", [](DialogValues&) {}, ControlId::None, u""},

      // Lists: an entry is selected when its index lies within the list.
      {"start marker none", [](DialogValues& v) { v.startMarker = kNoSelection; }, ControlId::StartMarkerList,
       u"始点側の端点・矢印を指定して下さい"},
      {"start marker 12", [](DialogValues& v) { v.startMarker = 12; }, ControlId::StartMarkerList,
       u"始点側の端点・矢印を指定して下さい"},
      {"start marker 11", [](DialogValues& v) { v.startMarker = 11; }, ControlId::None, u""},
      {"end marker none", [](DialogValues& v) { v.endMarker = kNoSelection; }, ControlId::EndMarkerList,
       u"終点側の端点・矢印を指定して下さい"},
      {"style none (first run)", [](DialogValues& v) { v.textStyle = kNoSelection; },
       ControlId::TextStyleList, u"寸法値の文字種類を指定して下さい"},
      {"style 11 of 11 entries", [](DialogValues& v) { v.textStyle = 11; }, ControlId::TextStyleList,
       u"寸法値の文字種類を指定して下さい"},
      {"style 10", [](DialogValues& v) { v.textStyle = 10; }, ControlId::None, u""},
      {"style list empty", [](DialogValues& v) { v.textStyleItems.clear(); }, ControlId::TextStyleList,
       u"寸法値の文字種類を指定して下さい"},
      {"precision 9", [](DialogValues& v) { v.precision = 9; }, ControlId::PrecisionList,
       u"寸法値の精度を指定して下さい"},
      {"precision 8", [](DialogValues& v) { v.precision = 8; }, ControlId::None, u""},
      {"rounding 3", [](DialogValues& v) { v.rounding = 3; }, ControlId::RoundingList,
       u"寸法値の丸め方法を指定して下さい"},
      {"zero display 2", [](DialogValues& v) { v.showZeros = 2; }, ControlId::ShowZerosGroup,
       u"寸法値の小数点以下０表示を無しか有りか指定して下さい"},
      {"zero display none", [](DialogValues& v) { v.showZeros = kNoSelection; }, ControlId::ShowZerosGroup,
       u"寸法値の小数点以下０表示を無しか有りか指定して下さい"},
      {"unit 2", [](DialogValues& v) { v.unit = 2; }, ControlId::UnitGroup,
       u"寸法値の単位をmmかｍか指定して下さい"},
      {"unit 1", [](DialogValues& v) { v.unit = 1; }, ControlId::None, u""},

      // Numbers: read with TextToFloat, so anything that is not wholly a number is 0.
      {"magnification 0", [](DialogValues& v) { v.markerScale = u"0"; }, ControlId::MarkerScaleEdit,
       u"端点（点マーカ）の倍率を指定して下さい"},
      {"magnification empty", [](DialogValues& v) { v.markerScale = u""; }, ControlId::MarkerScaleEdit,
       u"端点（点マーカ）の倍率を指定して下さい"},
      {"magnification 0.001", [](DialogValues& v) { v.markerScale = u"0.001"; }, ControlId::None, u""},
      {"arrow length 1000", [](DialogValues& v) { v.arrowLength = u"1000"; }, ControlId::None, u""},
      {"arrow length 1000.0001", [](DialogValues& v) { v.arrowLength = u"1000.0001"; },
       ControlId::ArrowLengthEdit, u"矢印の長さを入力して下さい"},
      {"arrow length 0", [](DialogValues& v) { v.arrowLength = u"0"; }, ControlId::ArrowLengthEdit,
       u"矢印の長さを入力して下さい"},
      {"arrow length '3 '", [](DialogValues& v) { v.arrowLength = u"3 "; }, ControlId::ArrowLengthEdit,
       u"矢印の長さを入力して下さい"},
      {"arrow length full-width 3", [](DialogValues& v) { v.arrowLength = u"３"; },
       ControlId::ArrowLengthEdit, u"矢印の長さを入力して下さい"},
      {"arrow angle 179.999", [](DialogValues& v) { v.arrowAngle = u"179.999"; }, ControlId::None, u""},
      {"arrow angle 180", [](DialogValues& v) { v.arrowAngle = u"180"; }, ControlId::ArrowAngleEdit,
       u"矢印の角度を入力して下さい"},
      {"arrow angle 0", [](DialogValues& v) { v.arrowAngle = u"0"; }, ControlId::ArrowAngleEdit,
       u"矢印の角度を入力して下さい"},
      {"arrow angle 0,5", [](DialogValues& v) { v.arrowAngle = u"0,5"; }, ControlId::ArrowAngleEdit,
       u"矢印の角度を入力して下さい"},
      {"gap 0", [](DialogValues& v) { v.extensionGap = u"0"; }, ControlId::None, u""},
      {"gap -0.1", [](DialogValues& v) { v.extensionGap = u"-0.1"; }, ControlId::ExtensionGapEdit,
       u"計測点と寸法補助線の距離　を入力して下さい"},
      {"overshoot 0", [](DialogValues& v) { v.extensionOvershoot = u"0"; }, ControlId::None, u""},
      {"overshoot -1", [](DialogValues& v) { v.extensionOvershoot = u"-1"; },
       ControlId::ExtensionOvershootEdit, u"寸法補助線のはみ出し距離　を入力して下さい"},
      {"reversed overshoot 0", [](DialogValues& v) { v.reversedOvershoot = u"0"; }, ControlId::None, u""},
      {"reversed overshoot -1e-9", [](DialogValues& v) { v.reversedOvershoot = u"-1e-9"; },
       ControlId::ReversedOvershootEdit, u"逆矢印の寸法はみだし距離　を入力して下さい"},

      // Not checked at all.
      {"value margin negative and letters", [](DialogValues& v) { v.valueToUnderline = u"-5x"; },
       ControlId::None, u""},
      {"prefix and suffix anything",
       [](DialogValues& v) {
         v.prefix = u"\"=";
         v.suffix = u"　";
       },
       ControlId::None, u""},

      // Only the first failure in the table's order is reported.
      {"reversed overshoot and start marker",
       [](DialogValues& v) {
         v.reversedOvershoot = u"-1";
         v.startMarker = kNoSelection;
       },
       ControlId::StartMarkerList, u"始点側の端点・矢印を指定して下さい"},
      {"angle, length and magnification",
       [](DialogValues& v) {
         v.arrowAngle = u"180";
         v.arrowLength = u"0";
         v.markerScale = u"-1";
       },
       ControlId::MarkerScaleEdit, u"端点（点マーカ）の倍率を指定して下さい"},
      {"unit, style and gap",
       [](DialogValues& v) {
         v.extensionGap = u"-1";
         v.unit = 5;
         v.textStyle = kNoSelection;
       },
       ControlId::TextStyleList, u"寸法値の文字種類を指定して下さい"},
      {"overshoot and reversed overshoot",
       [](DialogValues& v) {
         v.reversedOvershoot = u"-1";
         v.extensionOvershoot = u"-1";
       },
       ControlId::ExtensionOvershootEdit, u"寸法補助線のはみ出し距離　を入力して下さい"},
  };
  for (const Case& c : cases) {
    DialogValues values = Passing();
    c.change(values);
    const std::optional<CheckFailure> failure = CheckOk(values);
    if (c.focus == ControlId::None) {
      EXPECT_FALSE(failure.has_value()) << c.what << ": " << platform::EncodeUtf8(failure->message);
      continue;
    }
    ASSERT_TRUE(failure.has_value()) << c.what;
    EXPECT_EQ(failure->control, c.focus) << c.what;
    // A second line, and only one, says what is accepted; the guide quotes each.
    const size_t lineEnd = failure->message.find(u'\n');
    ASSERT_NE(lineEnd, std::u16string::npos) << c.what;
    EXPECT_EQ(platform::EncodeUtf8(failure->message.substr(0, lineEnd)), platform::EncodeUtf8(c.message))
        << c.what;
    EXPECT_GT(failure->message.size(), lineEnd + 1) << c.what;
    EXPECT_EQ(failure->message.find(u'\n', lineEnd + 1), std::u16string::npos) << c.what;
  }
}

}  // namespace
