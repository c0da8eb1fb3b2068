// coordinate-labels.exe: an external transformation built on the exchange library and the program shell
// alone. It writes the coordinates of every point the user indicated as a text beside the point.
#include <windows.h>

#include <string>

#include "JwwGaibu.h"
#include "MyFunc.h"
#include "command_line.h"
#include "dll_search_win.h"
#include "failures.h"
#include "message_box_feedback_win.h"
#include "model_reading.h"
#include "platform.h"
#include "program_run_win.h"

namespace {

constexpr char16_t kTitle[] = u"座標記入";
// Names its batch file in the message shown when the program was started without the host's exchange
// file ("coordinate-labels のバッチファイル").
constexpr char16_t kToolName[] = u"coordinate-labels";
constexpr char16_t kNoPointsMessage[] = u"座標を記入する点が指示されていません";
// Each text starts this many paper millimetres to the right of and above its point.
constexpr double kGap = 1.0;

// Appends one text "(x, y)" per indicated point to the output, in the host's current text style;
// gives how many it appended.
int AppendLabels(TJGdata& model) {
  const double gap = kGap * CurrentScale(model);
  int appended = 0;
  for (size_t number = 1; number <= 99; ++number) {
    const TJwwIndPoint point = IndicatedPoint(model, number);
    if (!point.flg) continue;
    const std::u16string label = u"(" + FloatToText(point.x) + u", " + FloatToText(point.y) + u")";
    model.S_Text(0, point.x + gap, point.y + gap, 1.0, 0.0, label);
    ++appended;
  }
  return appended;
}

int LabelPoints(UserFeedback& ui) {
  const std::u16string exchangeFile = platform::ProgramFolder() + u"JWC_TEMP.TXT";
  TJGdata model;
  const platform::ReadFailure read = model.ReadTempFile(exchangeFile).failure;
  if (read != platform::ReadFailure::None) return ReportExchangeFailure(ui, read, kToolName);
  model.S_Init();
  // Nothing to draw: the host's file stays as it is, and the host draws nothing.
  if (AppendLabels(model) == 0) {
    ui.ShowMessage(kNoPointsMessage);
    return kExitDone;
  }
  platform::WriteResult written;
  written.ok = model.SaveTempFile(exchangeFile, &written.reason, &written.uncreatableFolder);
  if (written) return kExitDone;
  ui.ShowError(WriteFailureMessage(written));
  return kExitNotWritten;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
  RestrictDllSearchToSystem();
  // The program takes no options: whatever the command line holds is refused.
  const ParsedCommandLine parsed = ParseCommandLine(CommandLineText(arguments), {});
  if (!parsed.Ok()) return RefuseUnknownOption(parsed.unknown, {}, kTitle);
  return RunGuardingFailures(kTitle, [] {
    MessageBoxFeedback ui(kTitle);
    return LabelPoints(ui);
  });
}
