// What every program's wWinMain does around its own work: the command line it was given, the refusal of
// an option it does not know, failures that escape outside its windows, and the message loop.
#pragma once

#include <windows.h>

#include <functional>
#include <span>
#include <string>
#include <string_view>

// wWinMain's arguments as the core's text; empty for none.
std::u16string CommandLineText(const wchar_t* arguments);

// Tells the user that `argument` is no option (UnknownOptionMessage with `optionNames`) in a plain box
// captioned `title`, without an owner, and gives kExitUnknownOption: the program ends there, having read
// and written nothing, so that a mistyped batch file cannot run with options it did not mean.
int RefuseUnknownOption(const std::u16string& argument, std::span<const std::u16string_view> optionNames,
                        const std::u16string& title);

// The same refusal for a command line whose options the program reads but cannot take together:
// `message` says why, and the result is kExitUnknownOption as well.
int RefuseCommandLine(const std::u16string& message, const std::u16string& title);

// Runs `work` and gives its exit code. When an exception leaves it, everything `work` made is gone before
// the user is told in an error box captioned `title`: for memory that ran out (std::bad_alloc) the result
// is kExitOutOfMemory, for any other failure (std::length_error, any std::exception or anything else
// thrown) kExitUnexpected, so that nothing ends in an abort. Window procedures must catch for themselves:
// an exception must not unwind through the system's frames.
int RunGuardingFailures(const std::u16string& title, const std::function<int()>& work);

// Dispatches the thread's messages until WM_QUIT and gives the exit code it carries. `preTranslate` sees
// each message first and keeps it from being dispatched by returning true (a dialog's keyboard handling).
int RunMessageLoop(const std::function<bool(MSG&)>& preTranslate);
