// DimensionDialog, the settings dialog as a Win32 window: it builds its controls from the layout table, maps
// them to the session's values and back, and hands every decision to DimensionSession.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "dimension_dialog_layout_win.h"
#include "failures.h"
#include "preview_panel_win.h"
#include "session.h"
#include "unique_handle_win.h"

// The fonts that the controls hold, made together for one resolution.
struct FormFonts {
  unique_font normal;
  unique_font gothic;
  HFONT For(FontKind kind) const { return kind == FontKind::Gothic ? gothic.get() : normal.get(); }
};

class DimensionDialog final : public UserFeedback {
 public:
  // Shows `session`, which must have been loaded and must outlive the dialog; its orientation chooses the
  // dimension, its caption, help text and settings file.
  DimensionDialog(HINSTANCE instance, DimensionSession& session);
  ~DimensionDialog() override;
  DimensionDialog(const DimensionDialog&) = delete;
  DimensionDialog& operator=(const DimensionDialog&) = delete;

  // Creates the window with its layout defaults, puts the session's values and stored position in it and
  // shows it. False, with ExitCode() saying why, when the window could not be created.
  bool Show(int showCommand);

  // What the program returns: set when showing fails and when the dialog closes.
  int ExitCode() const { return exitCode_; }

  // For the message loop: Tab, Enter, Escape and mnemonics, as in a dialog box. False once the form is gone
  // or when the message is not one of those.
  bool PreTranslateMessage(MSG& message);

  HWND Handle() const { return form_; }

  // UserFeedback: what the construction shows while the dialog closes.
  void ShowMessage(const std::u16string& message) override;
  void ShowError(const std::u16string& message) override;
  void SetStatus(const std::u16string& text) override;

 private:
  struct DpiFunctions {
    UINT(WINAPI* getDpiForWindow)(HWND) = nullptr;
    BOOL(WINAPI* adjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
  };

  static LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // The help memo's subclass, which gives Enter, Escape and Tab back to the dialog.
  static constexpr UINT_PTR kMemoSubclassId = 1;
  static LRESULT CALLBACK MemoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR data);

  LRESULT OnFormMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnPanelMessage(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(int id, int code, HWND source);
  LRESULT OnControlColor(HDC dc, HWND control);
  LRESULT FillBackground(HWND window, HDC dc);

  bool RegisterClasses();
  void CreateControls();
  void ApplyDpi(UINT dpi);
  void PlaceControls();
  void DockPanels();
  SIZE OuterSize() const;
  UINT WindowDpi() const;
  int Scale(int pixels) const;

  void Load();
  void Confirm();
  void Cancel();
  void Close();
  // A handler failed (memory ran out, or worse): the model goes, the user is told once, the window closes,
  // nothing is written, and ExitCode() is the failure's.
  void Fail(const CaughtFailure& failure);

  void ValuesToControls(const DialogValues& values);
  void ControlsToValues(DialogValues& values) const;
  void SetListItems(HWND list, const std::vector<std::u16string>& items);
  void SetRadioGroup(ControlId group, int32_t index);
  HWND EntryRadio(ControlId group) const;
  void UpdateRadioTabStop(ControlId group);
  void FocusControl(ControlId control);
  void RefreshDefaultButton();
  // The preview of the values that the controls show now.
  void RefreshPreview();

  HWND Control(ControlId control) const { return controls_[static_cast<size_t>(control)]; }
  std::array<HWND, 2>& Radios(ControlId group);
  const std::array<HWND, 2>& Radios(ControlId group) const;

  HINSTANCE instance_;
  DpiFunctions dpiFunctions_;
  DimensionSession& session_;

  HWND form_ = nullptr;
  HWND settingsPanel_ = nullptr;
  HWND buttonPanel_ = nullptr;
  std::array<HWND, static_cast<size_t>(ControlId::CancelButton) + 1> controls_{};
  std::array<HWND, 2> zeroRadios_{};
  std::array<HWND, 2> unitRadios_{};
  std::vector<std::pair<const ControlLayout*, HWND>> created_;  // every row with its window (group boxes too)

  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  FormFonts fonts_;
  unique_brush formBrush_;
  unique_brush memoBrush_;

  PreviewPanel preview_;

  HWND lastFocus_ = nullptr;  // given back when the window is activated again
  bool closed_ = false;
  bool failed_ = false;  // Fail has told the user
  int exitCode_ = 0;
  bool settingControls_ = false;  // the controls' own change notifications are not the user's
};
