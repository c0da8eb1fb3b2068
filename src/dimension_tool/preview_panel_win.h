// The live preview beside the dialog's controls: the four indicated points and the dimension as Jw_cad
// will draw it with the values as they stand, or the one line that says why it cannot be drawn.
// Never a tab stop and never focused; its window text records what it drew, for tests and screen readers.
#pragma once

#include <windows.h>

#include <string>

#include "JwwGaibu.h"
#include "dialog_values.h"
#include "preview.h"
#include "unique_handle_win.h"

// Posted to the panel's parent when the picture could not be made; wParam is the failure's exit code
// (kExitOutOfMemory when memory ran out).
inline constexpr UINT kPreviewFailed = WM_APP + 2;

class PreviewPanel {
 public:
  PreviewPanel() = default;
  ~PreviewPanel();
  PreviewPanel(const PreviewPanel&) = delete;
  PreviewPanel& operator=(const PreviewPanel&) = delete;

  // A child of `parent` with the dialog item id `id`; placed later with SetWindowPos.
  bool Create(HINSTANCE instance, HWND parent, int id);
  HWND Handle() const { return window_; }

  // Sizes of the picture's markers, labels and message follow the window's resolution.
  void SetDpi(UINT dpi);
  // Computes the preview of the dimension in `frame` for `values` on the loaded model `host` and
  // draws it.
  void Update(const DialogValues& values, const TJGdata& host, const RunFrame& frame);

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // Draws the last result into the back buffer at the panel's present size and asks for a paint.
  void Redraw();
  void DrawMessage(HDC dc, const RECT& area) const;

  HWND window_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  unique_font messageFont_;

  DimensionPreview preview_;
  bool computed_ = false;
  // What the host will draw from the result's lines, read back as the host reads them.
  TJGdata picture_;

  // The back buffer: every paint copies from it, so a redraw never shows a half-drawn picture. The DC is
  // declared last so that it goes first, letting go of the bitmap before the bitmap is deleted.
  unique_bitmap buffer_;
  SIZE bufferSize_{};
  unique_memory_dc bufferDc_;
};
