// The row of dimensions that "/next" continues: what the last drawn dimension leaves for the next one,
// kept in a file of its own beside the program so that the settings files stay as the user saved them.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "JwwGaibu.h"
#include "construction.h"
#include "orientation.h"
#include "platform.h"

// "tarvik_row.dat", in the program folder.
extern const char16_t kRowFileName[];

// What the exchange file always holds of a drawing and a user rarely changes within a row: enough to tell
// the drawing a row was recorded on from another one.
struct DrawingSignature {
  std::array<double, 16> scales{};  // the layer groups' scales
  double paperWidth = 0.0;
  double paperHeight = 0.0;
  std::array<TJwwMojisyu, 10> textStyles{};  // styles 1 to 10

  bool operator==(const DrawingSignature&) const = default;
};

// The signature of the drawing `model` was read from.
DrawingSignature SignatureOf(const TJGdata& model);

struct RowState {
  Orientation orientation = Orientation::Vertical;
  DrawingFrame frame;               // the frame of the row's first dimension, kept for all of them
  double endX = 0.0, endY = 0.0;    // the last measured point: where the next dimension starts
  double lineX = 0.0, lineY = 0.0;  // the point the row's dimension line passes through
  DrawingSignature drawing;

  // The frame every dimension of the row is drawn in.
  RunFrame Frame() const { return RunFrame(orientation, frame); }
};

// The row after a dimension drawn from `model`'s indicated points 1 to 4 in `run`: it ends at point 2,
// keeps point 3's dimension line and the frame the dimension was drawn in.
RowState RowAfter(const RunFrame& run, const TJGdata& model);

// The row's text: one "name value" line each, numbers in their shortest exact form.
std::u16string RowText(const RowState& row);
// The row in `text`; none when a line is missing or does not read as RowText writes it.
std::optional<RowState> ParseRow(const std::u16string& text);

// The row recorded in `rowFile`; none when there is none or it cannot be read.
std::optional<RowState> LoadRow(const std::u16string& rowFile);
// Records `row` over `rowFile` at once, never half-written; on failure the reason.
platform::WriteResult SaveRow(const std::u16string& rowFile, const RowState& row);

// Sets `model`'s indicated points 1 to 4 to those of the row's next dimension: the row's end, the next
// measured point (the host's point 1), the row's line point and the value's position (the host's point 2).
void PlaceNextDimension(const RowState& row, TJGdata& model);

// Why "/next" does not draw: there is no row, or the row was drawn on another drawing. Both tell the user
// to draw the row's first dimension with a four-point batch file.
extern const char16_t kNoRowMessage[];
extern const char16_t kRowOfOtherDrawingMessage[];
// The headline of the message when the row could not be recorded, followed by the system's reason.
extern const char16_t kRowUnwritableMessage[];
