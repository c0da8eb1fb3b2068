// DimensionDialog's window procedures: the form's, its panels' and the help memo's messages, and what the
// form does on each command and colour request.
#include "dimension_dialog_win.h"

#include <commctrl.h>

#include <new>

#include "failures.h"

namespace {

// Posted after the focus moved, so that the default button is set once the dialog manager is done with it.
constexpr UINT kRefreshDefaultButton = WM_APP + 1;

}  // namespace

// The default button follows the focus: the focused button while one of the two has it, OK everywhere
// else. The dialog manager takes the default away from every button when the focus moves, so this runs
// after it, on a posted message.
void DimensionDialog::RefreshDefaultButton() {
  if (form_ == nullptr) return;
  HWND ok = Control(ControlId::OkButton);
  HWND cancel = Control(ControlId::CancelButton);
  const bool cancelIsDefault = GetFocus() == cancel;
  auto mark = [](HWND button, bool isDefault) {
    const LONG_PTR type = GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK;
    const LONG_PTR wanted = isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if (type != wanted) SendMessageW(button, BM_SETSTYLE, static_cast<WPARAM>(wanted), TRUE);
  };
  mark(ok, !cancelIsDefault);
  mark(cancel, cancelIsDefault);
}

void DimensionDialog::OnCommand(int id, int code, HWND source) {
  if (code == EN_SETFOCUS || code == CBN_SETFOCUS || code == BN_SETFOCUS || code == BN_KILLFOCUS) {
    PostMessageW(form_, kRefreshDefaultButton, 0, 0);
  }
  if (id == IDOK && code == BN_CLICKED) {
    // Enter on the focused Cancel button arrives as OK from the dialog manager when the button has not
    // been marked as the default yet.
    if (source != nullptr && source == Control(ControlId::CancelButton)) {
      Cancel();
    } else {
      Confirm();
    }
  } else if (id == IDCANCEL && code == BN_CLICKED) {
    Cancel();
  } else if (code == BN_CLICKED) {
    for (ControlId group : {ControlId::ShowZerosGroup, ControlId::UnitGroup}) {
      if (id == RadioButtonItemId(group, 0) || id == RadioButtonItemId(group, 1)) UpdateRadioTabStop(group);
    }
    RefreshPreview();
  } else if ((code == EN_CHANGE || code == CBN_SELCHANGE) && id != DialogItemId(ControlId::HelpText)) {
    RefreshPreview();
  }
}

LRESULT DimensionDialog::OnControlColor(HDC dc, HWND control) {
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  if (control == Control(ControlId::HelpText)) {
    SetBkColor(dc, kMemoBlue);
    return reinterpret_cast<LRESULT>(memoBrush_.get());
  }
  SetBkColor(dc, kMoneyGreen);
  return reinterpret_cast<LRESULT>(formBrush_.get());
}

LRESULT CALLBACK DimensionDialog::FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<DimensionDialog*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->form_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<DimensionDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (form == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  // An exception must not unwind through the system's frames.
  try {
    return form->OnFormMessage(message, wParam, lParam);
  } catch (...) {
    form->Fail(CurrentFailure());
    return 0;
  }
}

LRESULT CALLBACK DimensionDialog::PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  }
  auto* form = reinterpret_cast<DimensionDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (form == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  try {
    return form->OnPanelMessage(window, message, wParam, lParam);
  } catch (...) {
    form->Fail(CurrentFailure());
    return 0;
  }
}

LRESULT CALLBACK DimensionDialog::MemoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR) {
  if (message == WM_GETDLGCODE) {
    // Enter, Escape and Tab belong to the dialog: OK, Cancel and the next control.
    return DefSubclassProc(window, message, wParam, lParam) &
           ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB);
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, &DimensionDialog::MemoProc, kMemoSubclassId);
  return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT DimensionDialog::FillBackground(HWND window, HDC dc) {
  RECT client{};
  GetClientRect(window, &client);
  FillRect(dc, &client, formBrush_.get());
  return 1;
}

LRESULT DimensionDialog::OnPanelMessage(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      // The controls on the panels are the form's own, whichever window is their parent.
      return OnFormMessage(message, wParam, lParam);
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT:
      return FillBackground(panel, reinterpret_cast<HDC>(wParam));
    default:
      return DefWindowProcW(panel, message, wParam, lParam);
  }
}

LRESULT DimensionDialog::OnFormMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ERASEBKGND:
      return FillBackground(form_, reinterpret_cast<HDC>(wParam));
    case WM_SIZE:
      DockPanels();
      return 0;
    case kRefreshDefaultButton:
      RefreshDefaultButton();
      return 0;
    case kPreviewFailed:
      Fail(static_cast<int>(wParam) == kExitOutOfMemory
               ? CaughtFailure{kOutOfMemoryMessage, kExitOutOfMemory}
               : CaughtFailure{UnexpectedFailureMessage(nullptr), kExitUnexpected});
      return 0;
    case WM_DPICHANGED: {
      ApplyDpi(HIWORD(wParam));
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(form_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(form_, focus)) lastFocus_ = focus;
      } else if (HIWORD(wParam) == 0 && lastFocus_ != nullptr && IsWindow(lastFocus_)) {
        SetFocus(lastFocus_);
        return 0;
      }
      break;
    case WM_SETFOCUS:
      if (lastFocus_ != nullptr && IsWindow(lastFocus_)) SetFocus(lastFocus_);
      return 0;
    case WM_CLOSE:  // the close button, Alt+F4 and the system menu count as Cancel
      Cancel();
      return 0;
    case WM_QUERYENDSESSION:
      session_.Cancel();
      return TRUE;
    case WM_ENDSESSION:
      if (wParam != FALSE) Close();
      return 0;
    case WM_DESTROY:
      if (!closed_) {  // destroyed without a close: free the model without drawing or saving anything
        closed_ = true;
        session_.Cancel();
        session_.Finish(0, 0, *this);
      }
      PostQuitMessage(exitCode_);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(form_, GWLP_USERDATA, 0);
      form_ = nullptr;
      return 0;
    default:
      break;
  }
  return DefWindowProcW(form_, message, wParam, lParam);
}
