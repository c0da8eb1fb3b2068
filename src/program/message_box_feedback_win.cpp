// Without an owner a box is centred on the screen and has a task bar button of its own, so it cannot
// hide behind Jw_cad.
#include "message_box_feedback_win.h"

#include <windows.h>

#include <utility>

#include "win_text_win.h"

MessageBoxFeedback::MessageBoxFeedback(std::u16string title) : title_(std::move(title)) {}

void MessageBoxFeedback::ShowMessage(const std::u16string& message) {
  MessageBoxW(nullptr, Wide(message), Wide(title_), MB_OK | MB_ICONQUESTION | MB_SETFOREGROUND);
}

void MessageBoxFeedback::ShowError(const std::u16string& message) {
  MessageBoxW(nullptr, Wide(message), Wide(title_), MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}
