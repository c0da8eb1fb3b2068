// The settings file selvan.dat beside the program: 31 lines identified by position.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dialog_values.h"
#include "platform.h"

class TJGdata;

struct WindowPosition {
  int32_t Fmx = 50;  // left edge, screen pixels
  int32_t Fmy = 50;  // top edge
};

// Applies a stored settings file to `values` and `position` (textStyleItems must already be filled).
// Missing, unreadable or short files leave the rest at what it was; nothing is reported. Only the first
// 64 KiB are read, and edit texts are cut to their edit box's limit.
void OpenDatFile(const std::u16string& datFile, DialogValues& values, WindowPosition& position);

// The 31 lines that SaveDatFile writes.
std::vector<std::u16string> DatFileLines(const DialogValues& values, const WindowPosition& position,
                                         const TJGdata& model);

// Writes the 31 lines in UTF-8 with a byte-order mark and CR LF, through a temporary file renamed over
// `datFile`, so that a failed write leaves the previous settings intact. On failure the result carries
// the system's reason.
platform::WriteResult SaveDatFile(const std::u16string& datFile, const DialogValues& values,
                                  const WindowPosition& position, const TJGdata& model);
