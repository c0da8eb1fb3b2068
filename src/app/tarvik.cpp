// Start of the program: the settings dialog is the main window, and the program ends when it closes.
#include <windows.h>

#include <commctrl.h>

#include "dimension_dialog_win.h"
#include "dll_search_win.h"
#include "failures.h"
#include "launch.h"
#include "message_box_feedback_win.h"
#include "platform.h"
#include "program_run_win.h"
#include "quick_run_win.h"
#include "row_state.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int showCommand) {
  RestrictDllSearchToSystem();
  const std::vector<std::u16string_view> optionNames = OptionNames();
  const ParsedCommandLine parsed = ParseCommandLine(CommandLineText(arguments), optionNames);
  const RunOptions options = ChosenOptions(parsed);
  const std::u16string title = ApplicationTitle(options.orientation);
  if (!parsed.Ok()) return RefuseUnknownOption(parsed.unknown, optionNames, title);
  const std::u16string conflict = ConflictingOptionsMessage(parsed);
  if (!conflict.empty()) return RefuseCommandLine(conflict, title);

  // A failure while the files are read ends the run with the session and its model already gone, so
  // nothing is written; inside the message loop the window procedures catch it themselves.
  return RunGuardingFailures(title, [&] {
    // A row continues in the orientation, and so with the settings, it was started in.
    const std::optional<RowState> row =
        options.next ? LoadRow(platform::ProgramFolder() + kRowFileName) : std::nullopt;
    const Orientation orientation = row ? row->orientation : options.orientation;
    // The exchange file is read once: the quick run and the dialog it falls back to share the session.
    DimensionSession session(orientation);
    MessageBoxFeedback ui(ApplicationTitle(orientation));
    if (!session.Load(platform::ProgramFolder()))
      return ReportExchangeFailure(ui, session.exchangeRead, kToolName);
    if (options.next) {
      if (const std::u16string refusal = session.ContinueRow(row); !refusal.empty()) {
        ui.ShowError(refusal);
        return static_cast<int>(kExitNothingToContinue);
      }
    }
    if (const std::u16string notice = session.SettingsNotice(); !notice.empty()) ui.ShowError(notice);
    // Without usable stored settings the quick run leaves everything to the dialog, which sets them up.
    int quickExit = kExitDone;
    if (options.quick && RunQuick(session, quickExit)) return quickExit;

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    DimensionDialog form(instance, session);
    if (!form.Show(showCommand)) return form.ExitCode();
    return RunMessageLoop([&form](MSG& message) { return form.PreTranslateMessage(message); });
  });
}
