// The frame around a program's work, the same for every external transformation.
#include "program_run_win.h"

#include "command_line.h"
#include "failures.h"
#include "win_text_win.h"

std::u16string CommandLineText(const wchar_t* arguments) {
  return arguments != nullptr ? reinterpret_cast<const char16_t*>(arguments) : u"";
}

int RefuseUnknownOption(const std::u16string& argument, std::span<const std::u16string_view> optionNames,
                        const std::u16string& title) {
  return RefuseCommandLine(UnknownOptionMessage(argument, optionNames), title);
}

int RefuseCommandLine(const std::u16string& message, const std::u16string& title) {
  MessageBoxW(nullptr, Wide(message), Wide(title), MB_OK);
  return kExitUnknownOption;
}

int RunGuardingFailures(const std::u16string& title, const std::function<int()>& work) {
  // The message is made after the stack has unwound, when what `work` held has been given back.
  CaughtFailure failure;
  try {
    return work();
  } catch (...) {
    failure = CurrentFailure();
  }
  MessageBoxW(nullptr, Wide(failure.message), Wide(title), MB_OK | MB_ICONERROR);
  return failure.exitCode;
}

int RunMessageLoop(const std::function<bool(MSG&)>& preTranslate) {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (preTranslate && preTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
