// The quick run has no window of its own: its messages stand alone, centred on the screen.
#include "quick_run_win.h"

#include "message_box_feedback_win.h"
#include "platform.h"
#include "session.h"

bool RunQuick(Orientation orientation, int& exitCode) {
  DimensionSession session(orientation);
  if (!session.Load(platform::ProgramFolder())) return false;
  MessageBoxFeedback ui(ApplicationTitle(orientation));
  return session.QuickRun(ui, &exitCode);
}
