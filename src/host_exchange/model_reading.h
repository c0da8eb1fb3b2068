// Reading the drawing model's fixed tables by the numbers the model itself holds, for every layer above
// the exchange library. The reader keeps those numbers in range, but the fields are open to anyone:
// out-of-range numbers read as the reader would take them (layer group 0, an indicated point at the
// origin, no marker) instead of reading past a table.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <numbers>

#include "JwwGaibu.h"

// The scale of the current layer group: a paper millimetre times this is a drawing length. A group
// outside 0..15 reads as group 0; the value is returned as stored, even when it is 0 or not finite.
inline double CurrentScale(const TJGdata& model) {
  const int32_t group = model.CurLGrp;
  const size_t index =
      group >= 0 && static_cast<size_t>(group) < model.LGrpScale.size() ? static_cast<size_t>(group) : 0;
  return model.LGrpScale[index];
}

// Indicated point `number` (1..99) as stored; a number outside the table gives an unset point at (0, 0).
inline TJwwIndPoint IndicatedPoint(const TJGdata& model, size_t number) {
  return number < model.IPoints.size() ? model.IPoints[number] : TJwwIndPoint{};
}

// The length of a point marker ("pt" codes 1..11) along its axis at magnification 1, in paper
// millimetres: what decides whether two end markers fit between the ends of a dimension, and the size
// at which a marker is drawn; 0 for every other code.
inline double MarkerSize(int32_t code) {
  static constexpr std::array<double, 12> kSizes = {
      0.0, 7.5, 1.25, 1.25, 1.25, 1.25, 7.5, 1.25, std::numbers::sqrt2 * 1.25, 7.5, std::numbers::sqrt2 * 1.25,
      7.5};
  return code >= 1 && static_cast<size_t>(code) < kSizes.size() ? kSizes[static_cast<size_t>(code)] : 0.0;
}
