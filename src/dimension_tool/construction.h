// The construction of the dimension from the four indicated points and the dialog's values.
#pragma once

#include <optional>
#include <string>

#include "dialog_values.h"
#include "orientation.h"
#include "platform.h"
#include "user_feedback.h"

class TJGdata;

// NotFinite: a length or angle that would be written overflowed (e.g. a huge distance times the scale);
// nothing is appended, as for a zero dimension.
enum class BuildResult { Built, ZeroLength, NotFinite };

// The frame a dimension is drawn in: the drawing turned by `angle` degrees, then, with `quarterTurn`, a
// quarter turn clockwise; in it the dimension line is vertical.
struct DrawingFrame {
  double angle = 0.0;
  bool quarterTurn = false;
};

// What a run draws in: its orientation's frame on the drawing (from the axis angle, or from the measured
// points for the aligned dimension), unless `kept` holds a frame taken over from a row's first dimension,
// which every dimension of the row keeps even when the axis angle has changed since.
struct RunFrame {
  // A four-point run names its orientation alone, so an orientation stands for its frame.
  RunFrame(Orientation orientation = Orientation::Vertical) : orientation(orientation) {}  // NOLINT
  RunFrame(Orientation orientation, DrawingFrame kept) : orientation(orientation), kept(kept) {}
  Orientation orientation;
  std::optional<DrawingFrame> kept;
};

// The frame `run` draws in on `model` (its indicated points 1 and 2, its axis angle).
DrawingFrame FrameOfRun(const RunFrame& run, const TJGdata& model);

// Appends the dimension's output commands to `model`, from the host's current settings to its text style
// restored at the end; writes no file.
// On a zero dimension it appends nothing and returns ZeroLength without showing anything.
// `ui` may be null (a preview): then no status text is set. The horizontal dimension on the axis angle
// θ writes what the vertical one writes on θ − 90, with exact coordinates where the vertical one has them.
// The aligned one, on any axis angle, writes what the vertical one writes on φ − 90, φ being the
// direction from point 1 to point 2 brought into (−90, 90]; exactly what the vertical one writes on 0
// where points 1 and 2 share x, and the horizontal one on 0 where they share y.
BuildResult BuildDimension(const DialogValues& values, TJGdata& model, UserFeedback* ui,
                           const RunFrame& frame = {});

// The whole run of the OK path: BuildDimension, the zero message, the status texts and SaveTempFile
// over programFolder + kExchangeFileName. Not ok only when that write failed, with the system's reason;
// a dimension that is not drawn (zero, overflow) writes nothing and counts as ok. `built`, when given,
// receives what the construction did.
platform::WriteResult DrawAndWrite(const DialogValues& values, TJGdata& model,
                                   const std::u16string& programFolder, UserFeedback& ui,
                                   const RunFrame& frame = {}, BuildResult* built = nullptr);

// "JWC_TEMP.TXT", the exchange file in the program folder: the host writes it before the run and draws
// what the run leaves in it.
extern const char16_t kExchangeFileName[];
// The first line of the message shown for a zero dimension, the same for every orientation.
extern const char16_t kZeroDimensionMessage[];
// The whole message for a zero dimension: kZeroDimensionMessage, then the orientation's line that says
// which measured points coincide.
std::u16string ZeroDimensionMessage(Orientation orientation);
// The same for a run in `frame`: a row's following dimension says instead that the next measured point
// stands level with the row's end, measured in the row's direction.
std::u16string ZeroDimensionMessage(const RunFrame& frame);
// The message shown when the numbers of the run overflow, so that nothing can be drawn.
extern const char16_t kNonFiniteMessage[];
