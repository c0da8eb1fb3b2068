// The quick run has no window of its own: its messages stand alone, centred on the screen.
#include "quick_run_win.h"

#include "message_box_feedback_win.h"

bool RunQuick(DimensionSession& session, int& exitCode) {
  MessageBoxFeedback ui(ApplicationTitle(session.orientation));
  return session.QuickRun(ui, &exitCode);
}
