// What a program tells the user, and returns to the batch file, when it cannot do its work: the
// exchange file that cannot be read at start, files that cannot be written, memory that runs out.
#pragma once

#include <string>

#include "platform.h"
#include "user_feedback.h"

// The program's exit codes; the batch file passes them on as its own.
enum ExitCode : int {
  kExitDone = 0,                // drawn, cancelled, or nothing to draw
  kExitNoWindow = 1,            // the program's window could not be created
  kExitUnknownOption = 2,       // the command line held an option the program does not know
  kExitExchangeUnreadable = 3,  // JWC_TEMP.TXT could not be read: the program did not start its work
  kExitNotWritten = 4,          // the drawing could not be written to JWC_TEMP.TXT
  kExitOutOfMemory = 5,         // memory ran out: the program ended without writing anything
  kExitUnexpected = 6,          // a failure the program has no words of its own for; nothing was written
  kExitExchangeTooLarge = 7,    // JWC_TEMP.TXT holds more text than the program can hold; nothing written
  kExitNothingToContinue = 8,   // a run that continues earlier work found none to continue; nothing written
};

// Shown instead of the program's work when the exchange file is missing, a folder, or cannot be read:
// it tells the user to start the program through one of `toolName`'s batch files from the host's menu,
// whichever started this run, and names the two usual causes (program and batch file in different
// folders; a folder where no file can be made).
std::u16string ExchangeUnreadableMessage(const std::u16string& toolName);
// Shown instead of the program's work when the exchange file, or one line of it, is too long to hold.
extern const char16_t kExchangeTooLargeMessage[];
// Shows the message for an exchange file that failed to read as `failure` (Missing, Unreadable: the
// unreadable-exchange message; TooLarge: kExchangeTooLargeMessage) and gives the exit code that goes with it.
int ReportExchangeFailure(UserFeedback& ui, platform::ReadFailure failure,
                          const std::u16string& toolName);
// Shown for a failure that escaped the program's own handling, with what the library said of it: the
// run ends there and nothing is written.
std::u16string UnexpectedFailureMessage(const char* what);
// What the exception being handled means for the run: the message to show and the exit code
// (kExitOutOfMemory for std::bad_alloc, kExitUnexpected for anything else). Only inside a catch block.
struct CaughtFailure {
  std::u16string message;
  int exitCode = kExitUnexpected;
};
CaughtFailure CurrentFailure();
// Shown once when the settings file `settingsFileName` is there but cannot be read, with the system's
// `reason`: the run goes on with the defaults and the file is left as it is.
std::u16string SettingsUnreadableMessage(const std::u16string& settingsFileName,
                                         const std::u16string& reason);
// Shown when memory runs out (an enormous exchange or settings file); nothing is written.
extern const char16_t kOutOfMemoryMessage[];
// The first lines of WriteFailureMessage's parts, each followed by a line with the reason.
extern const char16_t kExchangeUnwritableMessage[];
std::u16string SettingsUnwritableHeadline(const std::u16string& settingsFileName);
extern const char16_t kReasonLabel[];
// The line after the reason when a write failed because `folder` does not let files be created in it.
std::u16string UncreatableFolderLine(const std::u16string& folder);

// Adds to `message` the part for a write that failed (nothing when `result` is ok): a blank line after
// what `message` holds already, `headline`, the system's reason, and UncreatableFolderLine when the
// folder refused the file.
void AppendWriteFailure(std::u16string& message, const std::u16string& headline,
                        const platform::WriteResult& result);
// The message for writes that failed at the end of a run: the exchange file's part when `exchange`
// failed, the part of the settings file `settingsFileName` when `settings` failed, both in one message
// when both did, each with the system's reason (and UncreatableFolderLine when the folder refused the file).
// Empty when both were written. A program without a settings file passes only `exchange`.
std::u16string WriteFailureMessage(const platform::WriteResult& exchange,
                                   const platform::WriteResult& settings = {true, {}},
                                   const std::u16string& settingsFileName = {});
