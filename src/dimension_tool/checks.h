// The checks of the OK button, in their fixed order; the first failure is reported.
#pragma once

#include <optional>
#include <string>

#include "dialog_values.h"

struct CheckFailure {
  ControlId control = ControlId::None;  // the control that receives the focus
  std::u16string message;               // shown in a message box captioned with the application title
};

std::optional<CheckFailure> CheckOk(const DialogValues& values);
