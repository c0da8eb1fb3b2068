// Start of the program: the settings dialog is the main window, and the program ends when it closes.
#include <windows.h>

#include <commctrl.h>

#include "dimension_dialog_win.h"
#include "dll_search_win.h"
#include "failures.h"
#include "launch.h"
#include "program_run_win.h"
#include "quick_run_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int showCommand) {
  RestrictDllSearchToSystem();
  const std::vector<std::u16string_view> optionNames = OptionNames();
  const ParsedCommandLine parsed = ParseCommandLine(CommandLineText(arguments), optionNames);
  const RunOptions options = ChosenOptions(parsed);
  const std::u16string title = ApplicationTitle(options.orientation);
  if (!parsed.Ok()) return RefuseUnknownOption(parsed.unknown, optionNames, title);
  const std::u16string conflict = ConflictingOptionsMessage(parsed);
  if (!conflict.empty()) return RefuseCommandLine(conflict, title);

  // Memory that runs out while the files are read ends the run with the form and its model already
  // gone, so nothing is written; inside the message loop the window procedures catch it themselves.
  return RunGuardingMemory(title, [&] {
    // Without usable stored settings the quick run leaves everything to the dialog, which sets them up.
    int quickExit = kExitDone;
    if (options.quick && RunQuick(options.orientation, quickExit)) return quickExit;

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    DimensionDialog form(instance, options.orientation);
    if (!form.Show(showCommand)) return form.ExitCode();
    return RunMessageLoop([&form](MSG& message) { return form.PreTranslateMessage(message); });
  });
}
