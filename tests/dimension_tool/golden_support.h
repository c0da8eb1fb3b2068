// Whole runs of the tool through DimensionSession on a scratch program folder, and the comparison of
// the exchange file it wrote with a table of expected lines.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "construction.h"
#include "dialog_values.h"

namespace golden {

// Records what the construction shows instead of showing it.
class RecordingUi : public ToolUi {
 public:
  void ShowMessage(const std::u16string& message) override { messages.push_back(message); }
  void SetStatus(const std::u16string& text) override { statuses.push_back(text); }
  std::vector<std::u16string> messages;
  std::vector<std::u16string> statuses;
};

// An exchange file as the host writes it: the lines, each ended by CR LF, UTF-8 with its byte-order mark.
std::string HostFileUtf8(const std::vector<std::string>& lines);

struct RunResult {
  std::string exchangeBefore;            // bytes of JWC_TEMP.TXT as written for the run
  std::string exchangeAfter;             // bytes of JWC_TEMP.TXT after FormClose
  std::vector<std::string> outputLines;  // exchangeAfter decoded and split at CR LF, as UTF-8
  std::string settingsAfter;             // bytes of selvan.dat after FormClose (empty when missing)
  bool settingsExist = false;
  RecordingUi ui;
};

// FormShow on a fresh program folder holding `exchange`, then `set` on the dialog values, OK (which
// must pass its checks) and FormClose at left 120, top 80.
RunResult RunOk(const std::string& exchange, const std::function<void(DialogValues&)>& set);

// Every line equal, in order: keywords, attribute lines and texts exactly, numbers within 1e-9.
void ExpectLines(const std::vector<std::string>& actual, const std::vector<std::string>& expected);

}  // namespace golden
