// The settings file selvan.dat beside the program: 31 lines, each value known by its line number.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dialog_values.h"
#include "platform.h"

class TJGdata;

// The dialog's outer top-left corner, screen pixels.
struct WindowPosition {
  int32_t left = 50;
  int32_t top = 50;
};

// What LoadSettings found: a file that was read (None), none at all (Missing), or one that is there
// but was not read (Unreadable, TooLarge), with the system's reason. A file that was not read must not
// be written over in that run: it still holds the user's settings.
struct SettingsRead {
  platform::ReadFailure failure = platform::ReadFailure::None;
  std::u16string reason;
  // True when a file is there that this run could not read.
  bool Unreadable() const {
    return failure == platform::ReadFailure::Unreadable || failure == platform::ReadFailure::TooLarge;
  }
};

// Puts `position` back to 50, 50 first, also when the file is missing, and then applies a stored settings
// file to `values` and `position` (textStyleItems must already be filled), line by line: the first line
// that is missing ends the reading and leaves the rest as it was. A missing or unreadable file changes
// nothing more, and the result says which it was. Only the first 64 KiB are read, and edit texts are cut
// to their edit box's limit.
SettingsRead LoadSettings(const std::u16string& settingsFile, DialogValues& values, WindowPosition& position);

// The 31 lines that SaveSettings writes: the position, the values, and what the run was drawn on.
std::vector<std::u16string> SettingsLines(const DialogValues& values, const WindowPosition& position,
                                          const TJGdata& model);

// Writes the 31 lines in UTF-8 with a byte-order mark and CR LF, through a temporary file renamed over
// `settingsFile`, so that a failed write leaves the previous settings intact. On failure the result carries
// the system's reason.
platform::WriteResult SaveSettings(const std::u16string& settingsFile, const DialogValues& values,
                                   const WindowPosition& position, const TJGdata& model);
