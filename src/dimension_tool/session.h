// One run of the tool as the dialog's handlers order it, without a window: FormShow loads the exchange
// file and the settings, Button1Click checks, FormClose builds, writes and saves. The Win32 TForm1
// owns one session and maps its controls to `values`.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "checks.h"
#include "construction.h"
#include "dialog_values.h"
#include "orientation.h"
#include "settings_file.h"

class TJGdata;

class DimensionSession {
 public:
  explicit DimensionSession(Orientation orientation = Orientation::Vertical);
  ~DimensionSession();

  // Everything the dialog needs before it appears, in this order: DatFile (the orientation's own settings
  // file), OKflag, the model read from programFolder + "JWC_TEMP.TXT", S_Init, the textStyle entries and
  // the stored settings. programFolder ends in a path separator. False, and nothing after the reading
  // done, when the exchange file cannot be read: the dialog must not open.
  bool FormShow(const std::u16string& programFolder);

  // OK: the checks; on success OKflag becomes true and the caller closes the dialog.
  std::optional<CheckFailure> Button1Click();
  // Cancel: OKflag becomes false and the caller closes the dialog.
  void Button2Click();

  // /quick, after FormShow: the OK path on the stored settings without the dialog. It writes what OK
  // writes, or shows the zero message, but saves neither the settings nor the position. False, with
  // nothing written or shown, when there is no settings file or a stored value fails a check of OK:
  // the dialog must open instead. The model is freed when it ran. A failed write is shown as FormClose
  // shows it, and `exitCode` (when given) receives FormClose's exit code.
  bool QuickRun(ToolUi& ui, int* exitCode = nullptr);

  // Whatever the way of closing: when OKflag is set, RunGaibuProc, then the position (left, top) and the
  // settings are saved, and a failure of either write is shown in one message; always, the model is
  // freed. Returns the program's exit code: kExitNotWritten when the drawing was not written.
  int FormClose(int32_t left, int32_t top, ToolUi& ui);

  const Orientation orientation;
  DialogValues values;
  WindowPosition position;
  std::u16string ProgramFolder;
  std::u16string DatFile;
  bool OKflag = false;
  std::unique_ptr<TJGdata> JG;
};
