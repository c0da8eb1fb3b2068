// One run of the tool in the order of the dialog's handlers, without a window.
#include "session.h"

#include "JwwGaibu.h"
#include "failures.h"
#include "platform.h"

DimensionSession::DimensionSession(Orientation orientation) : orientation(orientation) {}
DimensionSession::~DimensionSession() = default;

bool DimensionSession::Load(const std::u16string& folder, size_t maxUnits) {
  programFolder = folder;
  settingsFile = programFolder + SettingsFileName(orientation);
  confirmed = false;
  model = std::make_unique<TJGdata>();
  // Without the host's file the dialog would draw from zero points and blame them; a file that holds no
  // points is the zero message's business.
  exchangeRead = model->ReadTempFile(programFolder + kExchangeFileName, maxUnits).failure;
  if (exchangeRead != platform::ReadFailure::None) {
    model.reset();
    return false;
  }
  model->S_Init();
  // A list that is filled anew has no selection until the settings give it one.
  values.textStyleItems = TextStyleItems(*model);
  values.textStyle = kNoSelection;
  settingsRead = LoadSettings(settingsFile, values, position);
  return true;
}

std::u16string DimensionSession::SettingsNotice() const {
  if (!settingsRead.Unreadable()) return {};
  return SettingsUnreadableMessage(SettingsFileName(orientation), settingsRead.reason);
}

std::u16string DimensionSession::ContinueRow(const std::optional<RowState>& row) {
  if (!row) return kNoRowMessage;
  if (!model || row->orientation != orientation || !(row->drawing == SignatureOf(*model)))
    return kRowOfOtherDrawingMessage;
  PlaceNextDimension(*row, *model);
  rowFrame = row->frame;
  return {};
}

RunFrame DimensionSession::Frame() const {
  return rowFrame ? RunFrame(orientation, *rowFrame) : RunFrame(orientation);
}

namespace {

struct DrawnRun {
  platform::WriteResult drawing;
  platform::WriteResult row{true, {}};
};

DrawnRun DrawAndRecord(const DialogValues& values, TJGdata& model, const std::u16string& folder,
                       UserFeedback& ui, const RunFrame& frame) {
  BuildResult built = BuildResult::ZeroLength;
  DrawnRun run;
  // Taken from the points the dimension is built from, before anything else touches the model.
  const RowState row = RowAfter(frame, model);
  run.drawing = DrawAndWrite(values, model, folder, ui, frame, &built);
  if (run.drawing && built == BuildResult::Built) {
    run.row = SaveRow(folder + kRowFileName, row);
    if (!run.row) platform::RemoveFile(folder + kRowFileName);
  }
  return run;
}

std::u16string RunFailureMessage(const DrawnRun& run, const platform::WriteResult& settings,
                                 const std::u16string& settingsFileName) {
  std::u16string message = WriteFailureMessage(run.drawing, settings, settingsFileName);
  AppendWriteFailure(message, kRowUnwritableMessage, run.row);
  return message;
}

}  // namespace

std::optional<CheckFailure> DimensionSession::Confirm() {
  std::optional<CheckFailure> failure = CheckOk(values);
  if (!failure) confirmed = true;
  return failure;
}

void DimensionSession::Cancel() { confirmed = false; }

bool DimensionSession::QuickRun(UserFeedback& ui, int* exitCode) {
  // A first run sets the settings up in the dialog; so do stored values that OK would refuse.
  if (!model || settingsRead.failure != platform::ReadFailure::None || CheckOk(values)) return false;
  const DrawnRun run = DrawAndRecord(values, *model, programFolder, ui, Frame());
  if (const std::u16string failure = RunFailureMessage(run, {true, {}}, SettingsFileName(orientation));
      !failure.empty())
    ui.ShowError(failure);
  if (exitCode != nullptr) *exitCode = run.drawing ? kExitDone : kExitNotWritten;
  model.reset();
  return true;
}

int DimensionSession::Finish(int32_t left, int32_t top, UserFeedback& ui) {
  int exitCode = kExitDone;
  if (confirmed && model) {
    const DrawnRun run = DrawAndRecord(values, *model, programFolder, ui, Frame());
    position = WindowPosition{left, top};
    // A settings file this run could not read still holds the user's settings: it is left as it is.
    const platform::WriteResult settings = settingsRead.Unreadable()
                                               ? platform::WriteResult{true, {}}
                                               : SaveSettings(settingsFile, values, position, *model);
    if (const std::u16string failure = RunFailureMessage(run, settings, SettingsFileName(orientation));
        !failure.empty())
      ui.ShowError(failure);
    if (!run.drawing) exitCode = kExitNotWritten;
  }
  model.reset();
  return exitCode;
}
