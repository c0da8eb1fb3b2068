// How Jw_cad's batch files start tarvik, and where a user who started it some other way is sent.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "command_line.h"
#include "orientation.h"

struct RunOptions {
  Orientation orientation = Orientation::Vertical;  // chosen by the orientation's own option
  bool quick = false;                               // "/quick": draw with the stored settings, no dialog
  bool next = false;  // "/next": the next dimension of the recorded row, in the row's orientation
};

// tarvik's options, in the order ChosenOptions reads them: each orientation's own option, in the order of
// the orientations, then "quick", then "next".
std::vector<std::u16string_view> OptionNames();

// What the options read from the command line against OptionNames() choose. For a refused command line,
// those before the refused argument: they caption the message that refuses it. Two orientations at once
// choose neither (ConflictingOptionsMessage refuses them).
RunOptions ChosenOptions(const ParsedCommandLine& parsed);

// The message that refuses options that exclude each other, naming each with its "/": those of more than
// one orientation, or one beside "next" (a row keeps the orientation it was started in); empty when
// there are none.
std::u16string ConflictingOptionsMessage(const ParsedCommandLine& parsed);

// The name by which the unreadable-exchange message speaks of the batch files ("tarvik のバッチファイル"):
// the program cannot know which of them started it, or whether one did.
inline constexpr char16_t kToolName[] = u"tarvik";
