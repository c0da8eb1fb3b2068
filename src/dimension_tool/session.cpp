// One run of the tool in the order of the dialog's handlers, without a window.
#include "session.h"

#include "JwwGaibu.h"
#include "failures.h"
#include "platform.h"

DimensionSession::DimensionSession(Orientation orientation) : orientation(orientation) {}
DimensionSession::~DimensionSession() = default;

bool DimensionSession::FormShow(const std::u16string& programFolder) {
  ProgramFolder = programFolder;
  DatFile = ProgramFolder + SettingsFileName(orientation);
  OKflag = false;
  JG = std::make_unique<TJGdata>();
  // Without the host's file the dialog would draw from zero points and blame them; a file that holds no
  // points is the zero message's business.
  if (!JG->OpenTempFile(ProgramFolder + u"JWC_TEMP.TXT")) return false;
  JG->S_Init();
  // A list that is filled anew has no selection until the settings give it one.
  values.textStyleItems = TextStyleItems(*JG);
  values.textStyle = kNoSelection;
  OpenDatFile(DatFile, values, position);
  return true;
}

std::optional<CheckFailure> DimensionSession::Button1Click() {
  std::optional<CheckFailure> failure = CheckOk(values);
  if (!failure) OKflag = true;
  return failure;
}

void DimensionSession::Button2Click() { OKflag = false; }

bool DimensionSession::QuickRun(ToolUi& ui, int* exitCode) {
  // A first run sets the settings up in the dialog; so do stored values that OK would refuse.
  if (!JG || !platform::FileExists(DatFile) || CheckOk(values)) return false;
  const platform::WriteResult drawing = RunGaibuProc(values, *JG, ProgramFolder, ui, orientation);
  if (!drawing) ui.ShowError(WriteFailureMessage(drawing, {true, {}}, SettingsFileName(orientation)));
  if (exitCode != nullptr) *exitCode = drawing ? kExitDone : kExitNotWritten;
  JG.reset();
  return true;
}

int DimensionSession::FormClose(int32_t left, int32_t top, ToolUi& ui) {
  int exitCode = kExitDone;
  if (OKflag && JG) {
    const platform::WriteResult drawing = RunGaibuProc(values, *JG, ProgramFolder, ui, orientation);
    position = WindowPosition{left, top};
    const platform::WriteResult settings = SaveDatFile(DatFile, values, position, *JG);
    if (!drawing || !settings)
      ui.ShowError(WriteFailureMessage(drawing, settings, SettingsFileName(orientation)));
    if (!drawing) exitCode = kExitNotWritten;
  }
  JG.reset();
  return exitCode;
}
