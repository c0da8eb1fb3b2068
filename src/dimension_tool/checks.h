// The checks of the OK button, in their fixed order; the first failure is reported.
#pragma once

#include <optional>
#include <string>

#include "dialog_values.h"

struct CheckFailure {
  ControlId control = ControlId::None;  // the control that receives the focus
  // Two lines, shown in one message box captioned with the application title: what is missing, then
  // what the control accepts.
  std::u16string message;
};

std::optional<CheckFailure> CheckOk(const DialogValues& values);
