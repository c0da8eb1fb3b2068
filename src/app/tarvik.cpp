// Start of the program: the settings dialog is the main window, and the program ends when it closes.
#include <windows.h>

#include <commctrl.h>

#include <new>

#include "command_line.h"
#include "dimension_dialog_win.h"
#include "dll_search_win.h"
#include "failures.h"
#include "quick_run_win.h"
#include "win_text_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int showCommand) {
  RestrictDllSearchToSystem();
  const ParsedCommandLine parsed =
      ParseCommandLine(arguments != nullptr ? reinterpret_cast<const char16_t*>(arguments) : u"");
  if (!parsed.Ok()) {
    // Nothing is read or written: a mistyped batch file must not draw with options it did not mean.
    MessageBoxW(nullptr, Wide(UnknownOptionMessage(parsed.unknown)),
                Wide(ApplicationTitle(parsed.options.orientation)), MB_OK);
    return kExitUnknownOption;
  }

  // Memory that runs out while the files are read ends here, the form and its model already gone, so
  // nothing is written; inside the message loop the window procedures catch it themselves.
  try {
    // Without usable stored settings the quick run leaves everything to the dialog, which sets them up.
    int quickExit = kExitDone;
    if (parsed.options.quick && RunQuick(parsed.options.orientation, quickExit)) return quickExit;

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    DimensionDialog form(instance, parsed.options.orientation);
    if (!form.Show(showCommand)) return form.ExitCode();

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      if (form.PreTranslateMessage(message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
  } catch (const std::bad_alloc&) {
    MessageBoxW(nullptr, Wide(kOutOfMemoryMessage), Wide(ApplicationTitle(parsed.options.orientation)),
                MB_OK | MB_ICONERROR);
    return kExitOutOfMemory;
  }
}
