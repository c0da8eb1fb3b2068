// What the dialog shows before OK: the output lines of the dimension for the values as they stand, built
// by the real construction into a scratch model, or the one line that says why nothing can be drawn.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "JwwGaibu.h"
#include "construction.h"
#include "dialog_values.h"
#include "orientation.h"

struct PreviewResult {
  // The lines that OK would write to the exchange file, in order; empty when nothing can be drawn.
  std::vector<std::u16string> lines;
  // Why nothing can be drawn (a check's message, the zero or the overflow message); empty otherwise.
  std::u16string message;

  bool Drawable() const { return message.empty(); }
  // A short record of what is shown, equal for equal results: the number of lines and a hash of them,
  // or the message.
  std::u16string Summary() const;
};

// The scratch model lives as long as the preview, so that a keystroke costs no model construction and
// no copy of the loaded entities: only the host's settings are copied in before each run.
class DimensionPreview {
 public:
  DimensionPreview() = default;
  DimensionPreview(const DimensionPreview&) = delete;
  DimensionPreview& operator=(const DimensionPreview&) = delete;

  // Runs the construction for `values` on the settings of `host` (as Load left it). `host` is only
  // read; no file is read or written.
  const PreviewResult& Compute(const DialogValues& values, const TJGdata& host, const RunFrame& frame = {});

  const PreviewResult& Result() const { return result_; }
  // The scratch model of the last computation: the host's settings and indicated points as Compute copied
  // them in, and the result's lines in its output buffer when the result is drawable. After a result that
  // is not drawable the buffer counts no lines (t_MemN 0), whatever an earlier result drew; before the
  // first computation the model is as its constructor left it.
  const TJGdata& Scratch() const { return scratch_; }

 private:
  TJGdata scratch_;
  PreviewResult result_;
};
