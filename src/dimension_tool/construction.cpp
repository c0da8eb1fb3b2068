// The dimension whose value stands apart: extension lines, dimension line, value text with the line under
// it and the leader, and the two end markers, built from the four indicated points in the frame of the
// orientation.
#include "construction.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include "JwwGaibu.h"
#include "MyFunc.h"
#include "model_reading.h"

const char16_t kExchangeFileName[] = u"JWC_TEMP.TXT";
const char16_t kZeroDimensionMessage[] = u"寸法が「0」になりますので作図出来ません";
const char16_t kNonFiniteMessage[] = u"数値が大きすぎますので作図出来ません";

std::u16string ZeroDimensionMessage(Orientation orientation) {
  return std::u16string(kZeroDimensionMessage) + u"\n" + Traits(orientation).coincidence;
}

std::u16string ZeroDimensionMessage(const RunFrame& frame) {
  // A row's following dimension has one measured point of the user's own, and its frame need not be
  // the axis angle's any more.
  if (frame.kept) {
    return std::u16string(kZeroDimensionMessage) +
           u"\n前の寸法の終点と次の計測点が、連続寸法の向きに測って同じ位置です。次の計測点を指示し直して下さい";
  }
  return ZeroDimensionMessage(frame.orientation);
}

namespace {

// Directions of the value and of the arrow strokes use pi to full precision; the rotations and line
// angles of the utilities keep their own cut value, and both are part of the drawn result.
constexpr double kPi = 3.14159265358979323846;
// A dimension shorter than this, or a reversed overshoot up to it, is no line at all.
constexpr double kNoLength = 1e-10;
// The text direction is a vector of this length, as the host expects it.
constexpr double kDirectionLength = 10.0;

double Radians(double degrees) { return degrees / 180.0 * kPi; }

struct Point {
  double x = 0.0;
  double y = 0.0;
};

Point Rotated(Point p, Point centre, double angle) {
  Point turned;
  RotatePoint(p.x, p.y, centre.x, centre.y, angle, turned.x, turned.y);
  return turned;
}

// The frame in which the dimension line is vertical: the drawing turned by `angle`, and then, for a
// quarter turn, a quarter turn clockwise. A quarter turn exchanges coordinates instead of going through
// RotatePoint, whose cut pi would leave noise such as 1e-13 on a drawing at axis angle 0.
class DimensionFrame {
 public:
  explicit DimensionFrame(DrawingFrame frame) : theta_(frame.angle), quarterTurn_(frame.quarterTurn) {}

  // `p` in the frame, turned about `centre`.
  Point ToFrame(Point p, Point centre) const {
    const Point q = Rotated(p, centre, -theta_);
    if (!quarterTurn_) return q;
    return Point{centre.x - (q.y - centre.y), centre.y + (q.x - centre.x)};
  }
  // A point of the frame back in the drawing.
  Point FromFrame(Point p, Point centre) const {
    if (!quarterTurn_) return Rotated(p, centre, theta_);
    return Rotated(Point{centre.x + (p.y - centre.y), centre.y - (p.x - centre.x)}, centre, theta_);
  }
  // The drawing angle of the frame's upward direction, which the dimension line runs along.
  double LineAngle() const { return quarterTurn_ ? theta_ : theta_ + 90.0; }

 private:
  double theta_;
  bool quarterTurn_;
};

// The vertical dimension's frame on the axis angle phi - 90, where phi is the direction from `start` to
// `end` brought into (-90, 90] so that the value never reads upside down. Points one above the other, or
// side by side, take the frames of the vertical and the horizontal dimension on axis angle 0, which are
// the same frames without a turn's noise; equal points take the first and measure nothing.
DrawingFrame FrameAlong(Point start, Point end) {
  if (start.x == end.x) return {0.0, false};
  if (start.y == end.y) return {0.0, true};
  // Not LineAngleDeg: it takes any direction within 1e-10 radians of the x axis for the axis itself,
  // which would move the far end of a long dimension by more than the drawing's precision.
  double phi = std::atan2(end.y - start.y, end.x - start.x) * 180.0 / kPi;
  if (phi > 90.0) {
    phi -= 180.0;
  } else if (phi <= -90.0) {
    phi += 180.0;
  }
  return {phi - 90.0, false};
}

DrawingFrame FrameOf(FrameTurn turn, double axisAngle, Point measuredStart, Point measuredEnd) {
  switch (turn) {
    case FrameTurn::Axis:
      return {axisAngle, false};
    case FrameTurn::QuarterTurnClockwise:
      return {axisAngle, true};
    case FrameTurn::AlongMeasuredPoints:
      return FrameAlong(measuredStart, measuredEnd);
  }
  std::abort();  // a value outside the enumeration
}

Point PointAt(const TJGdata& model, size_t number) {
  const TJwwIndPoint point = IndicatedPoint(model, number);
  return {point.x, point.y};
}

// The output of one run, gathered before any of it reaches the model: when a number that would be
// written has overflowed, nothing is written at all, rather than a dimension with pieces missing or
// "INF" in the exchange file.
class PendingOutput {
 public:
  void Attr4() {
    Add({}, [](TJGdata& model) { model.S_Attr(4); });
  }
  void Line(Point a, Point b) {
    Add({a.x, a.y, b.x, b.y}, [=](TJGdata& model) { model.S_Line(a.x, a.y, b.x, b.y); });
  }
  void AttrLine(Point a, Point b) {
    Attr4();
    Line(a, b);
  }
  // Only the free style (0) writes its sizes.
  void Mjs(int32_t mjs, const TJwwMojisyu& style) {
    auto step = [=](TJGdata& model) { model.S_Mjs(mjs, style.W, style.H, style.D, style.C, 0); };
    if (mjs == 0) {
      Add({style.W, style.H, style.D}, step);
    } else {
      Add({}, step);
    }
  }
  void Mbs0() {
    Add({}, [](TJGdata& model) { model.S_Mbs(0); });
  }
  // `value` is the number the text was made from.
  void Text(Point at, Point direction, double value, const std::u16string& text) {
    Add({at.x, at.y, direction.x, direction.y, value},
        [=](TJGdata& model) { model.S_Text(2, at.x, at.y, direction.x, direction.y, text); });
  }
  void Dim(Point start, Point end, Point at, Point direction, double value, const std::u16string& text) {
    Add({start.x, start.y, end.x, end.y, at.x, at.y, direction.x, direction.y, value}, [=](TJGdata& model) {
      model.S_Dim(start.x, start.y, end.x, end.y, at.x, at.y, direction.x, direction.y, text);
    });
  }
  void Mark(Point at, double magnification, double angle, int32_t code) {
    Add({at.x, at.y, magnification, angle},
        [=](TJGdata& model) { model.S_Mark(at.x, at.y, magnification, angle, code); });
  }
  void Other(std::function<void(TJGdata&)> step) { Add({}, std::move(step)); }

  bool AllFinite() const { return allFinite_; }
  void WriteTo(TJGdata& model) const {
    for (const auto& step : steps_) step(model);
  }

 private:
  void Add(std::initializer_list<double> written, std::function<void(TJGdata&)> step) {
    for (double value : written) allFinite_ = allFinite_ && std::isfinite(value);
    steps_.push_back(std::move(step));
  }

  std::vector<std::function<void(TJGdata&)>> steps_;
  bool allFinite_ = true;
};

// A prefix or suffix of blanks only is no prefix; otherwise it stays exactly as typed.
std::u16string Affix(const std::u16string& typed) { return IsBlank(typed) ? std::u16string() : typed; }

struct ChosenStyle {
  int32_t number = 1;
  TJwwMojisyu style;
};

// Index 0 stands for the host's current style; an index outside the list (a preview of unchecked
// values) is taken the same way.
ChosenStyle ChooseTextStyle(int32_t index, const TJGdata& model) {
  if (index >= 1 && index <= 10) return {index, model.Mojisyu[index]};
  int32_t number = model.CurMjs;
  if (number == 0) return {0, TJwwMojisyu{model.CurMjsW, model.CurMjsH, model.CurMjsD, model.CurMjsC}};
  if (number < 1 || number > 10) number = 1;
  return {number, model.Mojisyu[number]};
}

struct ValueText {
  double value = 0.0;  // the rounded number, in the chosen unit
  std::u16string text;
};

ValueText MakeValueText(const DialogValues& values, double length, const std::u16string& prefix,
                        const std::u16string& suffix) {
  const bool metres = values.unit == 1;
  const int32_t decimals = values.precision;
  double value = length;
  if (metres) value = value / 1000.0;
  value = RoundDigits(decimals, values.rounding, value);
  std::u16string number = values.groupDigits ? FormatGrouped(decimals, value) : FormatFixed(decimals, value);
  if (values.showZeros == 0) number = TrimTrailingZeros(number);
  // Only the number turns full width; prefix, unit and suffix keep their own characters.
  if (values.fullWidth) number = ToFullWidth(number);
  std::u16string text = prefix + number;
  if (values.unitText) text += metres ? u"ｍ" : u"mm";
  text += suffix;
  return {value, text};
}

// The extension line of the measured point `measured`: from the gap beside it to the overshoot beyond
// the dimension line through `linePoint`, on whichever side of the measured point the line stands.
void ExtensionLine(PendingOutput& out, Point measured, Point linePoint, const DimensionFrame& frame,
                   double gap, double overshoot) {
  const Point line = frame.ToFrame(linePoint, measured);
  const double side = line.x >= measured.x ? 1.0 : -1.0;
  const Point from = frame.FromFrame({measured.x + side * gap, measured.y}, measured);
  const Point to = frame.FromFrame({line.x + side * overshoot, measured.y}, measured);
  out.AttrLine(from, to);
}

// The length that an end marker takes along the dimension line at magnification 1, in paper mm;
// `kind` lies in 0..11 (MarkerKind), 0 being the line arrow drawn from two strokes.
double EndMarkerSize(int32_t kind, double arrowLength, double arrowAngle) {
  if (kind == 0) return std::cos(Radians(arrowAngle)) * arrowLength;
  return MarkerSize(kind);
}

// A list index outside the marker list (a preview of unchecked values) draws a line arrow.
int32_t MarkerKind(int32_t index) { return index >= 0 && index <= 11 ? index : 0; }

struct EndStyle {
  bool reversed = false;
  double overshoot = 0.0;      // beyond a reversed end, drawing length
  double strokeLength = 0.0;   // line-arrow stroke, drawing length
  double arrowAngle = 0.0;     // degrees
  double magnification = 0.0;  // as typed
};

// One end of the dimension line at `tip`; `phi` points out of the line (into it when reversed).
void EndMarker(PendingOutput& out, Point tip, double phi, int32_t kind, const EndStyle& end) {
  if (end.reversed && end.overshoot > kNoLength) {
    const double back = Radians(phi + 180.0);
    out.AttrLine(tip, {tip.x + end.overshoot * std::cos(back), tip.y + end.overshoot * std::sin(back)});
  }
  if (kind == 0) {
    const double first = Radians(phi + 180.0 + end.arrowAngle);
    out.AttrLine(tip,
                 {tip.x + end.strokeLength * std::cos(first), tip.y + end.strokeLength * std::sin(first)});
    const double second = Radians(phi + 180.0 - end.arrowAngle);
    out.AttrLine(tip,
                 {tip.x + end.strokeLength * std::cos(second), tip.y + end.strokeLength * std::sin(second)});
  } else {
    out.Attr4();
    out.Mark(tip, end.magnification, phi, kind);
  }
}

double EndDirection(Point from, Point to, double offset) {
  double phi = LineAngleDeg(to.x - from.x, to.y - from.y) + offset;
  if (phi >= 360.0) phi = phi - 360.0;
  return phi;
}

}  // namespace

DrawingFrame FrameOfRun(const RunFrame& run, const TJGdata& model) {
  if (run.kept) return *run.kept;
  return FrameOf(Traits(run.orientation).frameTurn, model.Jikukaku, PointAt(model, 1), PointAt(model, 2));
}

BuildResult BuildDimension(const DialogValues& values, TJGdata& model, UserFeedback* ui,
                           const RunFrame& runFrame) {
  const int32_t startKind = MarkerKind(values.startMarker);
  const int32_t endKind = MarkerKind(values.endMarker);
  const double magnification = TextToFloat(values.markerScale);
  const double arrowLength = TextToFloat(values.arrowLength);
  const double arrowAngle = TextToFloat(values.arrowAngle);
  const std::u16string prefix = Affix(values.prefix);
  const std::u16string suffix = Affix(values.suffix);

  // Paper millimetres become drawing lengths once, whatever the host's paper-size flag says.
  const double scale = CurrentScale(model);
  const double underlineGap = TextToFloat(values.valueToUnderline) * scale;
  const double extensionGap = TextToFloat(values.extensionGap) * scale;
  const double extensionOvershoot = TextToFloat(values.extensionOvershoot) * scale;
  const double reversedOvershoot = TextToFloat(values.reversedOvershoot) * scale;

  // The host's indicated points: the two measured points, a point the dimension line passes through,
  // and where the value stands.
  const Point measuredStart = PointAt(model, 1);
  const Point measuredEnd = PointAt(model, 2);
  const Point linePoint = PointAt(model, 3);
  const Point valueAt = PointAt(model, 4);
  const DimensionFrame frame(FrameOfRun(runFrame, model));
  // The ends of the dimension line: the measured points projected onto the vertical (in the frame)
  // through linePoint.
  const Point lineStart =
      frame.FromFrame({frame.ToFrame(linePoint, measuredStart).x, measuredStart.y}, measuredStart);
  const Point lineEnd =
      frame.FromFrame({frame.ToFrame(linePoint, measuredEnd).x, measuredEnd.y}, measuredEnd);

  const double length = PointDistance(lineStart.x, lineStart.y, lineEnd.x, lineEnd.y);
  if (std::fabs(length) < kNoLength) return BuildResult::ZeroLength;

  PendingOutput out;
  const int32_t group = model.CurLGrp, layer = model.CurLay, colour = model.CurCol, lineType = model.CurLtp,
                width = model.CurWid;
  const std::u16string font = model.CurFont;
  out.Other([=](TJGdata& target) {
    target.S_LGrp(group);
    target.S_Lay(layer);
    target.S_Col(colour, 0);
    target.S_PCol(colour, 0);
    target.S_Ltp(lineType, 0);
    target.S_Wid(width);
    target.S_Font(font);
  });

  ExtensionLine(out, measuredStart, linePoint, frame, extensionGap, extensionOvershoot);
  ExtensionLine(out, measuredEnd, linePoint, frame, extensionGap, extensionOvershoot);

  // The value.
  const ChosenStyle style = ChooseTextStyle(values.textStyle, model);
  const ValueText value = MakeValueText(values, length, prefix, suffix);
  const double textSpan = TextSpan(value.text, style.style.W, style.style.D);

  // The value reads upwards or rightwards, never leftwards and never upside down.
  double textAngle = NormalizeDeg(frame.LineAngle());
  if (textAngle >= 180.0) textAngle = textAngle - 180.0;
  if (textAngle > 90.0000000001) textAngle = textAngle + 180.0;
  const double textRadians = Radians(textAngle);
  const Point textDirection{kDirectionLength * std::cos(textRadians),
                            kDirectionLength * std::sin(textRadians)};

  if (!values.dimensionEntity) {
    out.AttrLine(lineStart, lineEnd);
    out.Mjs(style.number, style.style);
    out.Mbs0();
    out.Attr4();
    out.Text(valueAt, textDirection, value.value, value.text);
  } else {
    out.Mjs(style.number, style.style);
    out.Dim(lineStart, lineEnd, valueAt, textDirection, value.value, value.text);
  }

  // The line under the value runs underlineGap under its base, from underlineGap before its start to
  // underlineGap after its end.
  const Point below = Rotated({-underlineGap, -underlineGap}, {0.0, 0.0}, textAngle);
  const Point underlineStart{valueAt.x + below.x, valueAt.y + below.y};
  const double underlineLength = textSpan * scale + 2.0 * underlineGap;
  const Point underlineEnd{underlineStart.x + underlineLength * std::cos(textRadians),
                           underlineStart.y + underlineLength * std::sin(textRadians)};
  // The leader leaves the middle of the dimension line for the nearer end of the line under the value.
  const Point middle{(lineStart.x + lineEnd.x) / 2.0, (lineStart.y + lineEnd.y) / 2.0};
  const Point endAlongText = Rotated(underlineEnd, middle, -textAngle);
  out.AttrLine(middle, endAlongText.x > middle.x ? underlineStart : underlineEnd);
  out.AttrLine(underlineStart, underlineEnd);

  // The end markers: both turn outwards together when they do not fit between the ends.
  double sizeStart = EndMarkerSize(startKind, arrowLength, arrowAngle);
  double sizeEnd = EndMarkerSize(endKind, arrowLength, arrowAngle);
  if (startKind > 0) sizeStart *= magnification;
  if (endKind > 0) sizeEnd *= magnification;
  sizeStart *= scale;
  sizeEnd *= scale;
  EndStyle end;
  end.reversed = sizeStart + sizeEnd > length;
  end.overshoot = reversedOvershoot;
  end.strokeLength = arrowLength * scale;
  end.arrowAngle = arrowAngle;
  end.magnification = magnification;
  const double offset = end.reversed ? 180.0 : 0.0;
  EndMarker(out, lineStart, EndDirection(lineEnd, lineStart, offset), startKind, end);
  out.Attr4();
  EndMarker(out, lineEnd, EndDirection(lineStart, lineEnd, offset), endKind, end);

  // The host's own text style again, for whatever it draws next.
  out.Mjs(model.CurMjs, TJwwMojisyu{model.CurMjsW, model.CurMjsH, model.CurMjsD, model.CurMjsC});

  if (!out.AllFinite()) return BuildResult::NotFinite;
  if (ui != nullptr) ui->SetStatus(u"処理中です");
  out.WriteTo(model);
  return BuildResult::Built;
}

platform::WriteResult DrawAndWrite(const DialogValues& values, TJGdata& model,
                                   const std::u16string& programFolder, UserFeedback& ui,
                                   const RunFrame& frame, BuildResult* built) {
  const BuildResult result = BuildDimension(values, model, &ui, frame);
  if (built != nullptr) *built = result;
  switch (result) {
    case BuildResult::ZeroLength:
      ui.ShowMessage(ZeroDimensionMessage(frame));
      return {true, {}};
    case BuildResult::NotFinite:
      ui.ShowMessage(kNonFiniteMessage);
      return {true, {}};
    case BuildResult::Built:
      break;
  }
  ui.SetStatus(u"ファイル生成中です");
  platform::WriteResult written;
  written.ok =
      model.SaveTempFile(programFolder + kExchangeFileName, &written.reason, &written.uncreatableFolder);
  return written;
}
