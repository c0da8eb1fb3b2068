// tarvik_row.dat: a few named numbers, written whole through a temporary file and read back exactly.
#include "row_state.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "MyFunc.h"
#include "model_reading.h"

const char16_t kRowFileName[] = u"tarvik_row.dat";
const char16_t kNoRowMessage[] =
    u"続けて作図する連続寸法がありません\n"
    u"連続寸法の最初の寸法を tarvik_r.bat・tarvik_hr.bat・tarvik_ar.bat のどれかで作図して下さい";
const char16_t kRowOfOtherDrawingMessage[] =
    u"記録されている連続寸法は別の図面のものです（縮尺・用紙サイズ・文字種が違います）\n"
    u"連続寸法の最初の寸法を tarvik_r.bat・tarvik_hr.bat・tarvik_ar.bat のどれかで作図して下さい";
const char16_t kRowUnwritableMessage[] = u"連続寸法の記録「tarvik_row.dat」を保存出来ませんでした";

namespace {

// A row file holds a few hundred bytes; a larger one is not ours.
constexpr std::size_t kMaxRowBytes = 16 * 1024;
constexpr std::u16string_view kHeader = u"tarvik row 1";

// The file's numbers with the names of their lines, in the order of the lines. The enumerations and
// the colours are held as numbers while the file is read or written.
struct Numbers {
  double orientation = 0.0;
  double quarterTurn = 0.0;
  std::array<double, 10> colours{};
};

struct NumberLine {
  std::u16string name;
  double* value;
};

std::vector<NumberLine> NumberLines(RowState& row, Numbers& numbers) {
  std::vector<NumberLine> lines = {{u"orientation", &numbers.orientation},
                                   {u"frame_angle", &row.frame.angle},
                                   {u"frame_quarter_turn", &numbers.quarterTurn},
                                   {u"end_x", &row.endX},
                                   {u"end_y", &row.endY},
                                   {u"line_x", &row.lineX},
                                   {u"line_y", &row.lineY},
                                   {u"paper_w", &row.drawing.paperWidth},
                                   {u"paper_h", &row.drawing.paperHeight}};
  for (std::size_t i = 0; i < row.drawing.scales.size(); ++i)
    lines.push_back({u"scale" + IntToText(static_cast<int32_t>(i)), &row.drawing.scales[i]});
  for (std::size_t i = 0; i < row.drawing.textStyles.size(); ++i) {
    const std::u16string style = u"style" + IntToText(static_cast<int32_t>(i + 1));
    TJwwMojisyu& sizes = row.drawing.textStyles[i];
    lines.push_back({style + u"_w", &sizes.W});
    lines.push_back({style + u"_h", &sizes.H});
    lines.push_back({style + u"_d", &sizes.D});
    lines.push_back({style + u"_c", &numbers.colours[i]});
  }
  return lines;
}

// The shortest text that reads back as exactly `value`.
std::u16string Number(double value) {
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof(buffer), value);
  return error == std::errc() ? std::u16string(buffer, end) : u"nan";
}

std::optional<double> ReadNumber(std::u16string_view text) {
  std::string ascii;
  for (char16_t c : text) {
    if (c > 0x7F) return std::nullopt;
    ascii.push_back(static_cast<char>(c));
  }
  double value = 0.0;
  const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
  if (error != std::errc() || end != ascii.data() + ascii.size()) return std::nullopt;
  return value;
}

std::optional<Orientation> OrientationNumbered(double number) {
  for (const OrientationTraits& traits : AllOrientations()) {
    if (static_cast<double>(traits.orientation) == number) return traits.orientation;
  }
  return std::nullopt;
}

bool IsInt32(double value) {
  return value >= INT32_MIN && value <= INT32_MAX && value == static_cast<int32_t>(value);
}

}  // namespace

DrawingSignature SignatureOf(const TJGdata& model) {
  DrawingSignature signature;
  signature.scales = model.LGrpScale;
  signature.paperWidth = model.ZumenXsize;
  signature.paperHeight = model.ZumenYsize;
  for (int i = 1; i <= 10; ++i) signature.textStyles[static_cast<std::size_t>(i - 1)] = model.Mojisyu[i];
  return signature;
}

RowState RowAfter(const RunFrame& run, const TJGdata& model) {
  RowState row;
  row.orientation = run.orientation;
  row.frame = FrameOfRun(run, model);
  const TJwwIndPoint end = IndicatedPoint(model, 2);
  const TJwwIndPoint line = IndicatedPoint(model, 3);
  row.endX = end.x;
  row.endY = end.y;
  row.lineX = line.x;
  row.lineY = line.y;
  row.drawing = SignatureOf(model);
  return row;
}

std::u16string RowText(const RowState& row) {
  RowState copy = row;
  Numbers numbers;
  numbers.orientation = static_cast<double>(row.orientation);
  numbers.quarterTurn = row.frame.quarterTurn ? 1.0 : 0.0;
  for (std::size_t i = 0; i < numbers.colours.size(); ++i) numbers.colours[i] = row.drawing.textStyles[i].C;
  std::u16string text(kHeader);
  text += u"\r\n";
  for (const NumberLine& line : NumberLines(copy, numbers))
    text += line.name + u" " + Number(*line.value) + u"\r\n";
  return text;
}

std::optional<RowState> ParseRow(const std::u16string& text) {
  const std::vector<std::u16string> lines = SplitLines(text);
  if (lines.empty() || lines[0] != kHeader) return std::nullopt;
  RowState row;
  Numbers numbers;
  const std::vector<NumberLine> expected = NumberLines(row, numbers);
  if (lines.size() < expected.size() + 1) return std::nullopt;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const std::u16string_view line = lines[i + 1];
    const std::u16string& name = expected[i].name;
    if (!line.starts_with(name) || line.size() <= name.size() || line[name.size()] != u' ')
      return std::nullopt;
    const std::optional<double> value = ReadNumber(line.substr(name.size() + 1));
    if (!value) return std::nullopt;
    *expected[i].value = *value;
  }
  const std::optional<Orientation> orientation = OrientationNumbered(numbers.orientation);
  if (!orientation || (numbers.quarterTurn != 0.0 && numbers.quarterTurn != 1.0)) return std::nullopt;
  row.orientation = *orientation;
  row.frame.quarterTurn = numbers.quarterTurn == 1.0;
  for (std::size_t i = 0; i < numbers.colours.size(); ++i) {
    if (!IsInt32(numbers.colours[i])) return std::nullopt;
    row.drawing.textStyles[i].C = static_cast<int32_t>(numbers.colours[i]);
  }
  return row;
}

std::optional<RowState> LoadRow(const std::u16string& rowFile) {
  const platform::ReadTextResult read = platform::ReadTextFile(rowFile, kMaxRowBytes);
  if (!read.ok) return std::nullopt;
  return ParseRow(read.text);
}

platform::WriteResult SaveRow(const std::u16string& rowFile, const RowState& row) {
  return platform::WriteTextFile(rowFile, RowText(row), false);
}

void PlaceNextDimension(const RowState& row, TJGdata& model) {
  const TJwwIndPoint next = IndicatedPoint(model, 1);
  const TJwwIndPoint value = IndicatedPoint(model, 2);
  if (model.IPoints.size() < 5) model.IPoints.resize(5);
  model.IPoints[1] = TJwwIndPoint{true, row.endX, row.endY, 0};
  model.IPoints[2] = TJwwIndPoint{true, next.x, next.y, 0};
  model.IPoints[3] = TJwwIndPoint{true, row.lineX, row.lineY, 0};
  model.IPoints[4] = TJwwIndPoint{true, value.x, value.y, 0};
}
