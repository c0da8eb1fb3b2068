// The settings dialog's window: controls built from the layout table, values mapped to and from the
// session, checks and the close path delegated to it.
#include "dimension_dialog_win.h"

#include <commctrl.h>
#include <imm.h>

#include <algorithm>

#include "failures.h"
#include "launch.h"
#include "loaded_function_win.h"
#include "platform.h"
#include "win_text_win.h"
#include "window_place_win.h"

namespace {

constexpr wchar_t kFormClass[] = L"DimensionDialog";
constexpr wchar_t kPanelClass[] = L"DimensionDialogPanel";
constexpr DWORD kFormStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
constexpr int kIconResource = 1;

// The dialog's two fonts at one resolution.
FormFonts MakeFormFonts(UINT dpi) {
  return {MakeFont(L"Tahoma", kFontHeight, DEFAULT_CHARSET, dpi),
          MakeFont(L"ＭＳ ゴシック", kGothicFontHeight, SHIFTJIS_CHARSET, dpi)};
}

std::u16string JoinLines(const std::vector<std::u16string>& lines) {
  std::u16string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += u"\r\n";
    text += lines[i];
  }
  return text;
}

int ListSelection(HWND list) { return static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0)); }

bool IsChecked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }
}  // namespace

DimensionDialog::DimensionDialog(HINSTANCE instance, DimensionSession& session)
    : instance_(instance), session_(session) {
  // Both exist from Windows 10 1607 on; older systems lay the form out at the DC's resolution.
  dpiFunctions_.getDpiForWindow = LoadFunction<UINT(WINAPI*)(HWND)>(L"user32.dll", "GetDpiForWindow");
  dpiFunctions_.adjustWindowRectExForDpi =
      LoadFunction<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>(L"user32.dll", "AdjustWindowRectExForDpi");
  formBrush_.reset(CreateSolidBrush(kMoneyGreen));
  memoBrush_.reset(CreateSolidBrush(kMemoBlue));
}

DimensionDialog::~DimensionDialog() {
  if (form_ != nullptr) DestroyWindow(form_);
}

bool DimensionDialog::RegisterClasses() {
  WNDCLASSEXW form{};
  form.cbSize = sizeof(form);
  form.style = CS_HREDRAW | CS_VREDRAW;
  form.lpfnWndProc = &DimensionDialog::FormProc;
  form.hInstance = instance_;
  form.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(kIconResource));
  form.hIconSm =
      static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  form.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  form.lpszClassName = kFormClass;
  if (RegisterClassExW(&form) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

  WNDCLASSEXW panel{};
  panel.cbSize = sizeof(panel);
  panel.lpfnWndProc = &DimensionDialog::PanelProc;
  panel.hInstance = instance_;
  panel.hCursor = form.hCursor;
  panel.lpszClassName = kPanelClass;
  return RegisterClassExW(&panel) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool DimensionDialog::Show(int showCommand) {
  exitCode_ = kExitNoWindow;
  if (!RegisterClasses()) return false;
  const std::u16string title = ApplicationTitle(session_.orientation);
  form_ = CreateWindowExW(kFormExStyle, kFormClass, Wide(title), kFormStyle, 0, 0, 0, 0, nullptr, nullptr,
                          instance_, this);
  if (form_ == nullptr) return false;
  exitCode_ = kExitDone;

  dpi_ = WindowDpi();
  fonts_ = MakeFormFonts(dpi_);
  CreateControls();
  // Created after every control, outside both panels: it has no place in their tab order.
  preview_.Create(instance_, form_, kPreviewItemId);
  preview_.SetDpi(dpi_);
  // The controls get their values from Load; until then the lists have no selection and the edits
  // are empty, which changes no control's place or size.
  PlaceControls();
  Load();

  lastFocus_ = Control(ControlId::StartMarkerList);
  ShowWindow(form_, showCommand);
  UpdateWindow(form_);
  return true;
}

bool DimensionDialog::PreTranslateMessage(MSG& message) {
  return form_ != nullptr && IsDialogMessageW(form_, &message) != FALSE;
}

void DimensionDialog::CreateControls() {
  // The panels do not clip their children: a group box draws only its frame and caption and leaves its
  // inside to the panel's background.
  settingsPanel_ = CreateWindowExW(WS_EX_CONTROLPARENT, kPanelClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                                   form_, nullptr, instance_, this);
  buttonPanel_ = CreateWindowExW(WS_EX_CONTROLPARENT, kPanelClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                                 form_, nullptr, instance_, this);
  const DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  // Every control that takes the focus starts its own group, so that arrow keys stay inside it; only the two
  // buttons of a radio group share one.
  const DWORD stop = WS_TABSTOP | WS_GROUP;

  for (const ControlLayout& row : FormLayout()) {
    HWND parent = row.parent == ParentPanel::Settings ? settingsPanel_ : buttonPanel_;
    auto make = [&](DWORD exStyle, const wchar_t* windowClass, const wchar_t* caption, DWORD style, int id) {
      HWND window = CreateWindowExW(exStyle, windowClass, caption, child | style, 0, 0, 0, 0, parent,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
      SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.For(row.font)), FALSE);
      if (!row.imeAllowed) ImmAssociateContextEx(window, nullptr, 0);
      return window;
    };

    HWND window = nullptr;
    switch (row.kind) {
      case ControlKind::Label:
        window = make(0, WC_STATICW, Wide(row.caption), SS_LEFT | SS_NOPREFIX, row.id);
        break;
      case ControlKind::StatusLine:
        window = make(0, WC_STATICW, Wide(row.caption), SS_CENTER | SS_NOPREFIX, row.id);
        break;
      case ControlKind::ComboList:
        window = make(0, WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL | stop, row.id);
        SendMessageW(window, CB_SETMINVISIBLE, kComboVisibleItems, 0);
        if (row.items != nullptr) SetListItems(window, row.items());
        break;
      case ControlKind::Edit:
        window = make(WS_EX_CLIENTEDGE, WC_EDITW, L"", ES_AUTOHSCROLL | stop, row.id);
        SendMessageW(window, EM_LIMITTEXT, static_cast<WPARAM>(EditTextLimit(row.control)), 0);
        break;
      case ControlKind::CheckBox:
        window = make(0, WC_BUTTONW, Wide(row.caption), BS_AUTOCHECKBOX | BS_NOTIFY | stop, row.id);
        break;
      case ControlKind::RadioGroup: {
        // The buttons come before their frame so that Tab reaches them in the group's place; the frame
        // closes the group for the arrow keys.
        std::array<HWND, 2>& radios = Radios(row.control);
        const auto& captions = row.items();
        for (int i = 0; i < 2; ++i) {
          radios[static_cast<size_t>(i)] =
              make(0, WC_BUTTONW, Wide(captions[static_cast<size_t>(i)]),
                   BS_AUTORADIOBUTTON | BS_NOTIFY | (i == 0 ? stop : 0), RadioButtonItemId(row.control, i));
        }
        window = make(0, WC_BUTTONW, Wide(row.caption), BS_GROUPBOX | WS_GROUP, row.id);
        break;
      }
      case ControlKind::Memo:
        // Read-only and not a tab stop; auto horizontal scrolling is what turns word wrap off.
        window = make(WS_EX_CLIENTEDGE, WC_EDITW, L"",
                      ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL, row.id);
        // The help text tells the run's own dimension, so it comes from the orientation, not the layout.
        SetWindowTextW(window, Wide(JoinLines(HelpTextLines(session_.orientation))));
        SetWindowSubclass(window, &DimensionDialog::MemoProc, kMemoSubclassId, 0);
        break;
      case ControlKind::Button:
        window =
            make(0, WC_BUTTONW, Wide(row.caption),
                 (row.control == ControlId::OkButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_NOTIFY | stop,
                 row.id);
        break;
    }
    if (row.control != ControlId::None) controls_[static_cast<size_t>(row.control)] = window;
    created_.emplace_back(&row, window);
  }
}

UINT DimensionDialog::WindowDpi() const {
  if (dpiFunctions_.getDpiForWindow != nullptr && form_ != nullptr) {
    UINT dpi = dpiFunctions_.getDpiForWindow(form_);
    if (dpi != 0) return dpi;
  }
  unique_window_dc screen = GetWindowDc(nullptr);
  int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : USER_DEFAULT_SCREEN_DPI;
  return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

int DimensionDialog::Scale(int pixels) const {
  return MulDiv(pixels, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI);
}

SIZE DimensionDialog::OuterSize() const {
  RECT rect{0, 0, Scale(kClientWidth + kPreviewWidth), Scale(kClientHeight)};
  if (dpiFunctions_.adjustWindowRectExForDpi != nullptr) {
    dpiFunctions_.adjustWindowRectExForDpi(&rect, kFormStyle, FALSE, kFormExStyle, dpi_);
  } else {
    AdjustWindowRectEx(&rect, kFormStyle, FALSE, kFormExStyle);
  }
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

void DimensionDialog::ApplyDpi(UINT dpi) {
  dpi_ = dpi;
  FormFonts fonts = MakeFormFonts(dpi_);
  auto setFont = [](HWND window, HFONT newFont) {
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(newFont), TRUE);
  };
  for (const auto& [row, window] : created_) {
    HFONT newFont = fonts.For(row->font);
    setFont(window, newFont);
    if (row->kind == ControlKind::RadioGroup) {
      for (HWND radio : Radios(row->control)) setFont(radio, newFont);
    }
  }
  // The controls hold the new fonts now; the old ones can go.
  fonts_ = std::move(fonts);
  preview_.SetDpi(dpi_);
  PlaceControls();
}

void DimensionDialog::PlaceControls() {
  auto place = [](HWND window, int left, int top, int width, int height) {
    SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  };
  for (const auto& [row, window] : created_) {
    const int left = Scale(row->left);
    const int top = Scale(row->top);
    int width = Scale(row->width);
    int height = Scale(row->height);
    switch (row->kind) {
      case ControlKind::Label:
        if (row->width == 0) {
          // Labels take the size of their caption, never less than the layout's line height.
          unique_window_dc dc = GetWindowDc(window);
          ScopedSelect select(dc.get(), reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
          RECT text{};
          DrawTextW(dc.get(), Wide(row->caption), -1, &text, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
          width = text.right - text.left;
          height = std::max(height, static_cast<int>(text.bottom - text.top));
        }
        break;
      case ControlKind::ComboList: {
        // The height of a drop-down list is its field and the list that drops from it.
        const int itemHeight = static_cast<int>(SendMessageW(window, CB_GETITEMHEIGHT, 0, 0));
        height += kComboVisibleItems * std::max(itemHeight, 1) + 2 * GetSystemMetrics(SM_CYEDGE);
        break;
      }
      case ControlKind::RadioGroup: {
        const std::array<HWND, 2>& radios = Radios(row->control);
        for (int i = 0; i < 2; ++i) {
          place(radios[static_cast<size_t>(i)], left + Scale(kRadioLeft + i * kRadioWidth),
                top + Scale(kRadioTop), Scale(kRadioWidth), Scale(kRadioHeight));
        }
        break;
      }
      case ControlKind::StatusLine:
        continue;  // docked by DockPanels
      default:
        break;
    }
    place(window, left, top, width, height);
  }
  DockPanels();
}

void DimensionDialog::DockPanels() {
  if (settingsPanel_ == nullptr || buttonPanel_ == nullptr) return;
  RECT client{};
  GetClientRect(form_, &client);
  // The panels keep the layout's width whatever the window's; the preview takes what lies beside them.
  const int width = Scale(kClientWidth);
  const int height = client.bottom - client.top;
  const int buttonsHeight = std::min(Scale(kButtonPanelHeight), height);
  const int settingsHeight = height - buttonsHeight;
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(buttonPanel_, nullptr, 0, settingsHeight, width, buttonsHeight, flags);
  SetWindowPos(settingsPanel_, nullptr, 0, 0, width, settingsHeight, flags);
  const int statusHeight = std::min(Scale(kStatusLineHeight), settingsHeight);
  SetWindowPos(Control(ControlId::StatusLine), nullptr, 0, settingsHeight - statusHeight, width, statusHeight,
               flags);
  if (HWND preview = preview_.Handle()) {
    const int margin = Scale(kPreviewMargin);
    const int left = width + margin;
    SetWindowPos(preview, nullptr, left, margin, std::max(0, static_cast<int>(client.right) - left - margin),
                 std::max(0, height - 2 * margin), flags);
  }
}

std::array<HWND, 2>& DimensionDialog::Radios(ControlId group) {
  return group == ControlId::ShowZerosGroup ? zeroRadios_ : unitRadios_;
}
const std::array<HWND, 2>& DimensionDialog::Radios(ControlId group) const {
  return group == ControlId::ShowZerosGroup ? zeroRadios_ : unitRadios_;
}

void DimensionDialog::Load() {
  ValuesToControls(session_.values);
  SetWindowTextW(Control(ControlId::StatusLine), L"");
  RefreshPreview();

  // The stored place is the outer top-left corner in screen pixels, moved only when no monitor shows it.
  const SIZE size = OuterSize();
  const ScreenPoint place =
      PlaceOnScreen({session_.position.left, session_.position.top}, size.cx, size.cy, DisplayMonitors());
  SetWindowPos(form_, nullptr, place.x, place.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  // On a monitor of another resolution than the one the window was made on, lay it out again there.
  const UINT dpi = WindowDpi();
  if (dpi != dpi_) {
    ApplyDpi(dpi);
    const SIZE scaled = OuterSize();
    SetWindowPos(form_, nullptr, 0, 0, scaled.cx, scaled.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void DimensionDialog::Confirm() {
  if (closed_) return;
  ControlsToValues(session_.values);
  if (std::optional<CheckFailure> failure = session_.Confirm()) {
    const std::u16string title = ApplicationTitle(session_.orientation);
    MessageBoxW(form_, Wide(failure->message), Wide(title), MB_OK);
    FocusControl(failure->control);
    return;
  }
  Close();
}

void DimensionDialog::Cancel() {
  if (closed_) return;
  session_.Cancel();
  Close();
}

void DimensionDialog::Close() {
  if (closed_) return;
  closed_ = true;  // the zero-dimension message runs a message loop: no second close from inside it
  RECT rect{};
  if (IsIconic(form_)) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(form_, &placement);
    rect = placement.rcNormalPosition;
  } else {
    GetWindowRect(form_, &rect);
  }
  exitCode_ = session_.Finish(rect.left, rect.top, *this);
  DestroyWindow(form_);
}

void DimensionDialog::Fail(const CaughtFailure& failure) {
  if (failed_) return;  // told once
  failed_ = true;
  closed_ = true;
  // Freeing the model first gives the message box the memory it needs; nothing of the run is written.
  session_.model.reset();
  exitCode_ = failure.exitCode;
  ShowError(failure.message);
  if (form_ != nullptr) DestroyWindow(form_);
}

void DimensionDialog::ShowMessage(const std::u16string& message) {
  const std::u16string title = ApplicationTitle(session_.orientation);
  // A question icon marks the confirmation kind; the system centres the box on the screen.
  MessageBoxW(form_, Wide(message), Wide(title), MB_OK | MB_ICONQUESTION);
}

void DimensionDialog::ShowError(const std::u16string& message) {
  const std::u16string title = ApplicationTitle(session_.orientation);
  // Before the dialog is shown (or after it is gone) the box stands on its own, with a task bar button.
  HWND owner = form_ != nullptr && IsWindowVisible(form_) ? form_ : nullptr;
  MessageBoxW(owner, Wide(message), Wide(title), MB_OK | MB_ICONERROR);
}

void DimensionDialog::SetStatus(const std::u16string& text) {
  HWND status = Control(ControlId::StatusLine);
  SetWindowTextW(status, Wide(text));
  UpdateWindow(status);
}

void DimensionDialog::SetListItems(HWND list, const std::vector<std::u16string>& items) {
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  for (const std::u16string& item : items) {
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item)));
  }
}

void DimensionDialog::ValuesToControls(const DialogValues& values) {
  // One preview for the whole change, by the caller, rather than one for each control set here.
  settingControls_ = true;
  SetListItems(Control(ControlId::TextStyleList), values.textStyleItems);
  for (const auto& [control, value] : kListFields) {
    HWND list = Control(control);
    const int32_t index = values.*value;
    const auto count = static_cast<int32_t>(SendMessageW(list, CB_GETCOUNT, 0, 0));
    // An index past the entries leaves the list without a selection, which the OK check reports.
    SendMessageW(list, CB_SETCURSEL, index >= 0 && index < count ? static_cast<WPARAM>(index) : WPARAM(-1),
                 0);
  }
  for (const auto& [control, value] : kEditFields) SetWindowTextW(Control(control), Wide(values.*value));
  for (const auto& [group, value] : kRadioFields) SetRadioGroup(group, values.*value);
  for (const auto& [control, value] : kCheckFields) {
    SendMessageW(Control(control), BM_SETCHECK, values.*value ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  settingControls_ = false;
}

void DimensionDialog::ControlsToValues(DialogValues& values) const {
  for (const auto& [control, value] : kListFields) values.*value = ListSelection(Control(control));
  for (const auto& [control, value] : kEditFields) values.*value = WindowText(Control(control));
  for (const auto& [group, value] : kRadioFields) {
    const std::array<HWND, 2>& radios = Radios(group);
    values.*value = IsChecked(radios[0]) ? 0 : IsChecked(radios[1]) ? 1 : kNoSelection;
  }
  for (const auto& [control, value] : kCheckFields) values.*value = IsChecked(Control(control));
}

void DimensionDialog::SetRadioGroup(ControlId group, int32_t index) {
  const std::array<HWND, 2>& radios = Radios(group);
  for (int32_t i = 0; i < 2; ++i) {
    SendMessageW(radios[static_cast<size_t>(i)], BM_SETCHECK, i == index ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  UpdateRadioTabStop(group);
}

// A radio group is one tab stop, entered at its checked button, or at the first when none or both are.
HWND DimensionDialog::EntryRadio(ControlId group) const {
  const std::array<HWND, 2>& radios = Radios(group);
  return IsChecked(radios[1]) && !IsChecked(radios[0]) ? radios[1] : radios[0];
}

void DimensionDialog::UpdateRadioTabStop(ControlId group) {
  const std::array<HWND, 2>& radios = Radios(group);
  const HWND entry = EntryRadio(group);
  for (size_t i = 0; i < 2; ++i) {
    LONG_PTR style = GetWindowLongPtrW(radios[i], GWL_STYLE);
    const bool stop = radios[i] == entry;
    style = stop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    SetWindowLongPtrW(radios[i], GWL_STYLE, style);
  }
}

void DimensionDialog::FocusControl(ControlId control) {
  HWND target = nullptr;
  if (control == ControlId::ShowZerosGroup || control == ControlId::UnitGroup) {
    target = EntryRadio(control);
  } else if (control != ControlId::None) {
    target = Control(control);
  }
  if (target == nullptr || !IsWindow(target)) return;
  SetFocus(target);
  lastFocus_ = target;
  // As when the control is entered with Tab: the whole text is selected, so typing replaces it.
  if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(target, EM_SETSEL, 0, -1);
}

void DimensionDialog::RefreshPreview() {
  // Nothing to show before Load has loaded the model, and nothing once the close has freed it.
  if (closed_ || settingControls_ || !session_.model) return;
  DialogValues values = session_.values;
  ControlsToValues(values);
  preview_.Update(values, *session_.model, session_.Frame());
}
