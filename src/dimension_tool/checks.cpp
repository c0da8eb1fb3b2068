// The OK button's checks: thirteen of them in a fixed order, the first failure wins.
#include "checks.h"

#include <cstddef>

#include "MyFunc.h"

namespace {

bool Selected(int32_t index, size_t count) { return index >= 0 && static_cast<size_t>(index) < count; }

CheckFailure Fail(ControlId control, const char16_t* message) { return CheckFailure{control, message}; }

}  // namespace

std::optional<CheckFailure> CheckOk(const DialogValues& values) {
  if (!Selected(values.ComboBox1, EndMarkerItems().size()))
    return Fail(ControlId::ComboBox1, u"始点側の端点・矢印を指定して下さい");
  if (!Selected(values.ComboBox2, EndMarkerItems().size()))
    return Fail(ControlId::ComboBox2, u"終点側の端点・矢印を指定して下さい");
  if (!(TextToFloat(values.Edit1) > 0.0))
    return Fail(ControlId::Edit1, u"端点（点マーカ）の倍率を指定して下さい");
  const double arrowLength = TextToFloat(values.Edit7);
  if (!(arrowLength > 0.0 && arrowLength <= 1000.0))
    return Fail(ControlId::Edit7, u"矢印の長さを入力して下さい");
  const double arrowAngle = TextToFloat(values.Edit8);
  if (!(arrowAngle > 0.0 && arrowAngle < 180.0)) return Fail(ControlId::Edit8, u"矢印の角度を入力して下さい");
  if (!Selected(values.ComboBox3, values.ComboBox3Items.size()))
    return Fail(ControlId::ComboBox3, u"寸法値の文字種類を指定して下さい");
  if (!Selected(values.ComboBox4, PrecisionItems().size()))
    return Fail(ControlId::ComboBox4, u"寸法値の精度を指定して下さい");
  if (!Selected(values.ComboBox5, RoundingItems().size()))
    return Fail(ControlId::ComboBox5, u"寸法値の丸め方法を指定して下さい");
  if (!Selected(values.RadioGroup1, ZeroDisplayItems().size()))
    return Fail(ControlId::RadioGroup1, u"寸法値の小数点以下０表示を無しか有りか指定して下さい");
  if (!Selected(values.RadioGroup2, UnitItems().size()))
    return Fail(ControlId::RadioGroup2, u"寸法値の単位をmmかｍか指定して下さい");
  if (!(TextToFloat(values.Edit5) >= 0.0))
    return Fail(ControlId::Edit5, u"計測点と寸法補助線の距離　を入力して下さい");
  if (!(TextToFloat(values.Edit6) >= 0.0))
    return Fail(ControlId::Edit6, u"寸法補助線のはみ出し距離　を入力して下さい");
  if (!(TextToFloat(values.Edit9) >= 0.0))
    return Fail(ControlId::Edit9, u"逆矢印の寸法はみだし距離　を入力して下さい");
  return std::nullopt;
}
