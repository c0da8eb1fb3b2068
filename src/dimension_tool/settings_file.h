// The settings file selvan.dat beside the program: 31 lines identified by position.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dialog_values.h"
#include "platform.h"

class TJGdata;

struct WindowPosition {
  int32_t left = 50;  // left edge, screen pixels
  int32_t top = 50;   // top edge
};

// Applies a stored settings file to `values` and `position` (textStyleItems must already be filled).
// Missing, unreadable or short files leave the rest at what it was; nothing is reported. Only the first
// 64 KiB are read, and edit texts are cut to their edit box's limit.
void LoadSettings(const std::u16string& settingsFile, DialogValues& values, WindowPosition& position);

// The 31 lines that SaveSettings writes.
std::vector<std::u16string> SettingsLines(const DialogValues& values, const WindowPosition& position,
                                          const TJGdata& model);

// Writes the 31 lines in UTF-8 with a byte-order mark and CR LF, through a temporary file renamed over
// `settingsFile`, so that a failed write leaves the previous settings intact. On failure the result carries
// the system's reason.
platform::WriteResult SaveSettings(const std::u16string& settingsFile, const DialogValues& values,
                                   const WindowPosition& position, const TJGdata& model);
