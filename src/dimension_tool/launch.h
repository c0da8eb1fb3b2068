// How Jw_cad's batch files start tarvik, and where a user who started it some other way is sent.
#pragma once

#include <string_view>

#include "command_line.h"
#include "orientation.h"

// tarvik's options, in the order ChosenOptions reads them.
inline constexpr std::u16string_view kOptionNames[] = {u"horizontal", u"quick"};

struct RunOptions {
  Orientation orientation = Orientation::Vertical;  // "/horizontal"
  bool quick = false;                               // "/quick": draw with the stored settings, no dialog
};

// What the options read from the command line choose. For a refused command line, those before the
// refused argument: they caption the message that refuses it.
inline RunOptions ChosenOptions(const ParsedCommandLine& parsed) {
  return {parsed.Given(0) ? Orientation::Horizontal : Orientation::Vertical, parsed.Given(1)};
}

// The batch file that the unreadable-exchange message names: the vertical dimension's, which the user
// guide introduces first, whichever batch file started the run.
inline constexpr char16_t kBatchFileName[] = u"tarvik.bat";
