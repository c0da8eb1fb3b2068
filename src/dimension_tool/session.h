// One run of the tool as the dialog's handlers order it, without a window: Load reads the exchange
// file and the settings, Confirm checks, Finish builds, writes and saves. The Win32 DimensionDialog owns one
// session and maps its controls to `values`.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "checks.h"
#include "construction.h"
#include "dialog_values.h"
#include "orientation.h"
#include "row_state.h"
#include "settings_file.h"

class TJGdata;

class DimensionSession {
 public:
  explicit DimensionSession(Orientation orientation = Orientation::Vertical);
  ~DimensionSession();

  // Everything the dialog needs before it appears, in this order: programFolder (`folder`, ending in a
  // path separator), settingsFile (the orientation's own settings file), confirmed, the model read from
  // programFolder + kExchangeFileName, S_Init, the text-style entries and the stored settings. False, and
  // nothing after the reading done, when the exchange file cannot be read (exchangeRead says why): the
  // dialog must not open. The exchange file is read here only, once per run: the quick run and the
  // dialog after it share this session. `maxUnits` caps the text held at once, as TJGdata::ReadTempFile.
  bool Load(const std::u16string& folder, size_t maxUnits = platform::kLongestText);

  // The message to show once before the run goes on, when the settings file is there but could not be
  // read; empty otherwise. Such a file is then never written in this run.
  std::u16string SettingsNotice() const;

  // "/next", after Load: the next dimension of `row` (the row recorded beside the program) placed on the
  // model as its indicated points 1 to 4, and the row's frame kept for every drawing of this run. Empty
  // when placed; otherwise, with nothing placed, the message that says why not: there is no row
  // (kNoRowMessage), or it was recorded on another drawing or for another orientation than this
  // session's (kRowOfOtherDrawingMessage).
  std::u16string ContinueRow(const std::optional<RowState>& row);

  // The frame this run draws in: the row's when it continues one, else its orientation's own.
  RunFrame Frame() const;

  // OK: the checks; on success confirmed becomes true and the caller closes the dialog.
  std::optional<CheckFailure> Confirm();
  // Cancel: confirmed becomes false and the caller closes the dialog.
  void Cancel();

  // /quick, after Load: the OK path on the stored settings without the dialog. It writes what OK
  // writes, or shows the zero message, but saves neither the settings nor the position. False, with
  // nothing written or shown, when there is no settings file, it could not be read, or a stored value
  // fails a check of OK: the dialog must open instead. The model is freed when it ran. A failed write is
  // shown as Finish shows it, and `exitCode` (when given) receives Finish's exit code.
  bool QuickRun(UserFeedback& ui, int* exitCode = nullptr);

  // A drawn dimension, here or in Finish, records the row it ends (RowAfter) beside the program; one
  // that was not drawn leaves the recorded row as it was, and a row that cannot be recorded is removed,
  // so that "/next" refuses rather than continues an older one.
  //
  // Whatever the way of closing: when confirmed is set, DrawAndWrite, then the position (left, top) and
  // the settings are saved (unless the settings file could not be read), and a failure of either write is
  // shown in one message; always, the model is freed. Returns the program's exit code: kExitNotWritten when
  // the drawing was not written.
  int Finish(int32_t left, int32_t top, UserFeedback& ui);

  const Orientation orientation;
  DialogValues values;
  WindowPosition position;
  std::u16string programFolder;
  std::u16string settingsFile;
  bool confirmed = false;
  std::optional<DrawingFrame> rowFrame;  // set by ContinueRow: the frame of the row being continued
  std::unique_ptr<TJGdata> model;
  platform::ReadFailure exchangeRead = platform::ReadFailure::None;  // why Load could not read the file
  SettingsRead settingsRead;                                         // what Load found of the settings
};
