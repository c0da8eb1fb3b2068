// The dimensions the program draws: the vertical one, its horizontal companion, which is the same
// construction in a frame turned a quarter turn, and the aligned one, whose frame follows the two
// measured points. Everything that tells them apart is one row of traits.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

enum class Orientation { Vertical, Horizontal, Aligned };

// How the frame in which the construction draws its vertical dimension line stands in the drawing.
enum class FrameTurn {
  Axis,                  // the drawing's axis frame itself
  QuarterTurnClockwise,  // the axis frame turned a quarter turn clockwise
  AlongMeasuredPoints,   // turned so that its vertical runs from point 1 to point 2, never upside down;
                         // the drawing's axis angle plays no part
};

// The first lines of the help text, which speak of the dimension itself; the rest is the same for all.
inline constexpr size_t kOwnHelpLineCount = 8;

struct OrientationTraits {
  Orientation orientation;
  const char16_t* title;             // the window caption, also that of every message box of the run
  const char16_t* settingsFileName;  // in the program folder: each dimension keeps its own settings
  const char16_t* option;            // what a batch file passes after "/" to choose it, in lower case;
                                     // empty for the one chosen without an option
  std::array<const char16_t*, kOwnHelpLineCount> ownHelpLines;
  FrameTurn frameTurn;
  const char16_t* coincidence;  // the zero message's second line: which measured points coincide, and
                                // that they are to be indicated again
};

// Every orientation, in the order of the enumeration.
std::span<const OrientationTraits> AllOrientations();

// The traits of `orientation`.
const OrientationTraits& Traits(Orientation orientation);

// The window caption, also the caption of every message box of that run.
const char16_t* ApplicationTitle(Orientation orientation);

// The settings file's name in the program folder: "selvan.dat", "selvan_h.dat" or "selvan_a.dat".
const char16_t* SettingsFileName(Orientation orientation);

// The help memo's text, one entry per line as it reads: the orientation's own lines, then the common ones.
std::vector<std::u16string> HelpTextLines(Orientation orientation);
