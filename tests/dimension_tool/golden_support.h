// Whole runs of the tool through DimensionSession on a scratch program folder, and the comparison of
// the exchange file it wrote with a table of expected lines.
#pragma once

#include <functional>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "JwwGaibu.h"
#include "construction.h"
#include "dialog_values.h"
#include "orientation.h"

namespace golden {

using Lines = std::vector<std::string>;

// The parts joined in order.
Lines Concat(std::initializer_list<Lines> parts);

// The host's side as Jw_cad writes it: its current settings (layer group, layer, colour 2, line type 1,
// text style 2 and the font) ahead of the four indicated points.
struct Host {
  std::string axis = "hk 0";
  std::string scales = "hs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1";
  std::string group = "lg0";
  std::string textStyle = "cn2";
  Lines styles;  // hcw, hch, hcd records when a test needs other text styles
  Lines points = {"hp1 0 0", "hp2 0 1000", "hp3 500 300", "hp4 600 400"};

  Lines Records() const;
  std::string Utf8File() const;
};

// The host's current settings as the run writes them first: the first call of each attribute always
// writes. No "lw" line, since the host sent no width.
extern const Lines kCurrentSettings;

// Chooses text style 1, which the dialog's checks require before OK draws.
void SelectStyle1(DialogValues& values);

// Records what the construction shows instead of showing it.
class RecordingUi : public UserFeedback {
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
  std::string exchangeAfter;             // bytes of JWC_TEMP.TXT after Finish
  std::vector<std::string> outputLines;  // exchangeAfter decoded and split at CR LF, as UTF-8
  std::string settingsAfter;             // bytes of selvan.dat after Finish (empty when missing)
  bool settingsExist = false;
  RecordingUi ui;
};

// Load on a fresh program folder holding `exchange`, then `set` on the dialog values, OK (which
// must pass its checks) and Finish at left 120, top 80; the settings are read back from the
// orientation's own file.
RunResult RunOk(const std::string& exchange, const std::function<void(DialogValues&)>& set,
                Orientation orientation = Orientation::Vertical);

// `text` split at CR LF; the final CR LF ends the last line and adds none.
Lines SplitCrLf(const std::string& text);

// Every line equal, in order: keywords, attribute lines and texts exactly, numbers within 1e-9.
void ExpectLines(const std::vector<std::string>& actual, const std::vector<std::string>& expected);

// The lines the construction appended to `model`'s output buffer, as UTF-8.
Lines WrittenLines(const TJGdata& model);

// Dialog values drawn from `random` over every list and a wide range of each distance, for the runs
// that compare one orientation with another on any input.
DialogValues RandomDialogValues(std::mt19937& random);

// A host, initialised, drawn from `random`: a layer group of scale 1 or up to 100, and four indicated
// points within 5000 of the origin, now and then within 20 so that the markers turn outwards. Its
// axis angle is left to the caller.
void RandomHost(std::mt19937& random, TJGdata& host);

// `host`'s settings and points in a fresh model `copy`, for a run of another orientation on it.
void CopyHost(const TJGdata& host, TJGdata& copy);

}  // namespace golden
