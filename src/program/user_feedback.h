// How a run speaks to the user while it works: a window shows it, a run without one shows message boxes,
// tests record it. The work itself never calls the system's message boxes.
#pragma once

#include <string>

class UserFeedback {
 public:
  virtual ~UserFeedback() = default;
  // A modal message box with an OK button, captioned with the program's title.
  virtual void ShowMessage(const std::u16string& message) = 0;
  // The same for a failure of the program's own work (a file, memory); a window marks it as an error.
  virtual void ShowError(const std::u16string& message) { ShowMessage(message); }
  // The status line of the program's window, repainted at once; nothing where there is no such line.
  virtual void SetStatus(const std::u16string& text) = 0;
};
