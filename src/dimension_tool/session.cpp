// One run of the tool in the order of the dialog's handlers, without a window.
#include "session.h"

#include "JwwGaibu.h"
#include "platform.h"

DimensionSession::DimensionSession(Orientation orientation) : orientation(orientation) {}
DimensionSession::~DimensionSession() = default;

void DimensionSession::FormShow(const std::u16string& programFolder) {
  ProgramFolder = programFolder;
  DatFile = ProgramFolder + SettingsFileName(orientation);
  OKflag = false;
  JG = std::make_unique<TJGdata>();
  // The dialog opens whatever the exchange file held, so the result is not looked at.
  JG->OpenTempFile(ProgramFolder + u"JWC_TEMP.TXT");
  JG->S_Init();
  // A list that is filled anew has no selection until the settings give it one.
  values.ComboBox3Items = TextStyleItems(*JG);
  values.ComboBox3 = kNoSelection;
  OpenDatFile(DatFile, values, position);
}

std::optional<CheckFailure> DimensionSession::Button1Click() {
  std::optional<CheckFailure> failure = CheckOk(values);
  if (!failure) OKflag = true;
  return failure;
}

void DimensionSession::Button2Click() { OKflag = false; }

bool DimensionSession::QuickRun(ToolUi& ui) {
  // A first run sets the settings up in the dialog; so do stored values that OK would refuse.
  if (!JG || !platform::FileExists(DatFile) || CheckOk(values)) return false;
  RunGaibuProc(values, *JG, ProgramFolder, ui, orientation);
  JG.reset();
  return true;
}

void DimensionSession::FormClose(int32_t left, int32_t top, ToolUi& ui) {
  if (OKflag && JG) {
    RunGaibuProc(values, *JG, ProgramFolder, ui, orientation);
    position = WindowPosition{left, top};
    SaveDatFile(DatFile, values, position, *JG);
  }
  JG.reset();
}
