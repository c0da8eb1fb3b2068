// Reading the drawing model's fixed tables by the numbers the model itself holds. The reader keeps
// those numbers in range, but the fields are open to anyone: out-of-range numbers read as the reader
// would take them (layer group 0, an indicated point at the origin) instead of reading past a table.
#pragma once

#include <cstddef>
#include <cstdint>

#include "JwwGaibu.h"

// The scale of the current layer group: a paper millimetre times this is a drawing length.
inline double CurrentScale(const TJGdata& model) {
  const int32_t group = model.CurLGrp;
  const size_t index =
      group >= 0 && static_cast<size_t>(group) < model.LGrpScale.size() ? static_cast<size_t>(group) : 0;
  return model.LGrpScale[index];
}

inline TJwwIndPoint IndicatedPoint(const TJGdata& model, size_t number) {
  return number < model.IPoints.size() ? model.IPoints[number] : TJwwIndPoint{};
}
