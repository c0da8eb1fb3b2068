// How a run without a window speaks to the user: each message a box of its own.
#pragma once

#include <string>

#include "user_feedback.h"

class MessageBoxFeedback final : public UserFeedback {
 public:
  // Every box is captioned `title`.
  explicit MessageBoxFeedback(std::u16string title);
  // A box with the question icon that marks a confirmation, brought to the foreground.
  void ShowMessage(const std::u16string& message) override;
  // A box with the error icon, brought to the foreground.
  void ShowError(const std::u16string& message) override;
  // There is no status line: nothing is shown.
  void SetStatus(const std::u16string&) override {}

 private:
  std::u16string title_;
};
