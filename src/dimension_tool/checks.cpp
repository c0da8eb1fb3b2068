// The OK button's checks: thirteen of them in a fixed order, the first failure wins. Each message says
// what is missing in its first line, which users and scripts know, and what is accepted in its second.
#include "checks.h"

#include <cstddef>

#include "MyFunc.h"

namespace {

bool Selected(int32_t index, size_t count) { return index >= 0 && static_cast<size_t>(index) < count; }

// The second lines: what the control accepts.
constexpr char16_t kFromList[] = u"一覧から１つ選んで下さい";
constexpr char16_t kNonNegative[] = u"0 以上の数値を入力して下さい";

CheckFailure Fail(ControlId control, const char16_t* headline, const char16_t* accepted) {
  return CheckFailure{control, std::u16string(headline) + u"\n" + accepted};
}

}  // namespace

std::optional<CheckFailure> CheckOk(const DialogValues& values) {
  if (!Selected(values.startMarker, EndMarkerItems().size()))
    return Fail(ControlId::StartMarkerList, u"始点側の端点・矢印を指定して下さい", kFromList);
  if (!Selected(values.endMarker, EndMarkerItems().size()))
    return Fail(ControlId::EndMarkerList, u"終点側の端点・矢印を指定して下さい", kFromList);
  if (!(TextToFloat(values.markerScale) > 0.0))
    return Fail(ControlId::MarkerScaleEdit, u"端点（点マーカ）の倍率を指定して下さい",
                u"0 より大きい数値を入力して下さい");
  const double arrowLength = TextToFloat(values.arrowLength);
  if (!(arrowLength > 0.0 && arrowLength <= 1000.0))
    return Fail(ControlId::ArrowLengthEdit, u"矢印の長さを入力して下さい",
                u"0 より大きく 1000 以下の数値を入力して下さい");
  const double arrowAngle = TextToFloat(values.arrowAngle);
  if (!(arrowAngle > 0.0 && arrowAngle < 180.0))
    return Fail(ControlId::ArrowAngleEdit, u"矢印の角度を入力して下さい",
                u"0 より大きく 180 未満の数値を入力して下さい");
  if (!Selected(values.textStyle, values.textStyleItems.size()))
    return Fail(ControlId::TextStyleList, u"寸法値の文字種類を指定して下さい", kFromList);
  if (!Selected(values.precision, PrecisionItems().size()))
    return Fail(ControlId::PrecisionList, u"寸法値の精度を指定して下さい", kFromList);
  if (!Selected(values.rounding, RoundingItems().size()))
    return Fail(ControlId::RoundingList, u"寸法値の丸め方法を指定して下さい", kFromList);
  if (!Selected(values.showZeros, ZeroDisplayItems().size()))
    return Fail(ControlId::ShowZerosGroup, u"寸法値の小数点以下０表示を無しか有りか指定して下さい",
                u"「無」か「有」を選んで下さい");
  if (!Selected(values.unit, UnitItems().size()))
    return Fail(ControlId::UnitGroup, u"寸法値の単位をmmかｍか指定して下さい",
                u"「mm」か「ｍ」を選んで下さい");
  if (!(TextToFloat(values.extensionGap) >= 0.0))
    return Fail(ControlId::ExtensionGapEdit, u"計測点と寸法補助線の距離　を入力して下さい", kNonNegative);
  if (!(TextToFloat(values.extensionOvershoot) >= 0.0))
    return Fail(ControlId::ExtensionOvershootEdit, u"寸法補助線のはみ出し距離　を入力して下さい",
                kNonNegative);
  if (!(TextToFloat(values.reversedOvershoot) >= 0.0))
    return Fail(ControlId::ReversedOvershootEdit, u"逆矢印の寸法はみだし距離　を入力して下さい",
                kNonNegative);
  return std::nullopt;
}
