// The quick run has no window of its own: its messages stand alone, centred on the screen.
#include "quick_run_win.h"

#include <windows.h>

#include "platform.h"
#include "session.h"
#include "win_text_win.h"

namespace {

class MessageBoxUi final : public ToolUi {
 public:
  explicit MessageBoxUi(Orientation orientation) : title_(ApplicationTitle(orientation)) {}
  void ShowMessage(const std::u16string& message) override {
    // The dialog's confirmation kind; without an owner the box is centred on the screen and has a task
    // bar button of its own, so it cannot hide behind Jw_cad.
    MessageBoxW(nullptr, Wide(message), Wide(title_), MB_OK | MB_ICONQUESTION | MB_SETFOREGROUND);
  }
  void ShowError(const std::u16string& message) override {
    MessageBoxW(nullptr, Wide(message), Wide(title_), MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
  }
  void SetStatus(const std::u16string&) override {}

 private:
  const char16_t* title_;
};

}  // namespace

bool RunQuick(Orientation orientation, int& exitCode) {
  DimensionSession session(orientation);
  if (!session.Load(platform::ProgramFolder())) return false;
  MessageBoxUi ui(orientation);
  return session.QuickRun(ui, &exitCode);
}
