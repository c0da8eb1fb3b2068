// The preview panel: a plain child window painted from a back buffer that is redrawn only when the
// values or the panel's size change.
#include "preview_panel_win.h"

#include <algorithm>
#include <new>

#include "MyFunc.h"
#include "failures.h"
#include "gdi_canvas_win.h"
#include "renderer.h"
#include "win_text_win.h"

namespace {

constexpr wchar_t kPreviewClass[] = L"DimensionPreviewPanel";
constexpr wchar_t kMessageFace[] = L"ＭＳ ゴシック";
constexpr int kMessageFontHeight = 13;  // as the dialog's own texts, at 96 DPI
constexpr int kMessageInset = 8;
// Room around the fitted drawing for the point labels, in 96-DPI pixels.
constexpr double kPictureMargin = 16.0;
constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kMessageColor = RGB(128, 0, 0);

}  // namespace

PreviewPanel::~PreviewPanel() {
  if (window_ != nullptr) DestroyWindow(window_);
}

bool PreviewPanel::Create(HINSTANCE instance, HWND parent, int id) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = &PreviewPanel::Proc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.lpszClassName = kPreviewClass;
  if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  // No WS_TABSTOP: the dialog manager never stops here, and nothing here takes the focus.
  window_ = CreateWindowExW(WS_EX_CLIENTEDGE | WS_EX_NOPARENTNOTIFY, kPreviewClass, L"",
                            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
  return window_ != nullptr;
}

void PreviewPanel::SetDpi(UINT dpi) {
  dpi_ = dpi;
  messageFont_ = MakeFont(kMessageFace, kMessageFontHeight, SHIFTJIS_CHARSET, dpi_);
  Redraw();
}

void PreviewPanel::Update(const DialogValues& values, const TJGdata& host, const RunFrame& frame) {
  const PreviewResult& result = preview_.Compute(values, host, frame);
  if (result.Drawable()) picture_ = render::ReadOutputCommands(preview_.Scratch());
  computed_ = true;
  Redraw();
}

void PreviewPanel::Redraw() {
  if (window_ == nullptr) return;
  RECT client{};
  GetClientRect(window_, &client);
  const SIZE size{client.right - client.left, client.bottom - client.top};
  if (size.cx <= 0 || size.cy <= 0) return;

  if (!bufferDc_ || size.cx != bufferSize_.cx || size.cy != bufferSize_.cy) {
    unique_window_dc screen = GetWindowDc(window_);
    if (!bufferDc_) bufferDc_.reset(CreateCompatibleDC(screen.get()));
    unique_bitmap bitmap(CreateCompatibleBitmap(screen.get(), size.cx, size.cy));
    if (!bufferDc_ || !bitmap) return;
    // Selecting the new bitmap lets go of the old one, which may then be deleted.
    SelectObject(bufferDc_.get(), bitmap.get());
    buffer_ = std::move(bitmap);
    bufferSize_ = size;
  }

  HDC dc = bufferDc_.get();
  const RECT area{0, 0, size.cx, size.cy};
  {
    unique_brush paper(CreateSolidBrush(kPaper));
    FillRect(dc, &area, paper.get());
  }

  std::u16string record;  // before the first computation: an empty sheet, and nothing to record
  const PreviewResult& result = preview_.Result();
  if (computed_ && result.Drawable()) {
    const double pixelScale = static_cast<double>(dpi_) / USER_DEFAULT_SCREEN_DPI;
    render::RenderOptions options;
    options.widthPx = size.cx / pixelScale;
    options.heightPx = size.cy / pixelScale;
    options.marginPx = kPictureMargin;
    GdiCanvas canvas(dc, POINT{0, 0}, pixelScale);
    render::Render(picture_, options, canvas);
    record = result.Summary() + u", " + IntToText(canvas.Primitives()) + u" primitives";
  } else if (computed_) {
    DrawMessage(dc, area);
    record = result.message;
  }
  if (WindowText(window_) != record) SetWindowTextW(window_, Wide(record));
  InvalidateRect(window_, nullptr, FALSE);
}

void PreviewPanel::DrawMessage(HDC dc, const RECT& area) const {
  const int inset = MulDiv(kMessageInset, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI);
  RECT box{area.left + inset, area.top + inset, area.right - inset, area.bottom - inset};
  ScopedSelect font(dc, messageFont_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kMessageColor);
  const std::u16string& message = preview_.Result().message;
  const UINT format = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
  // Centred in the panel: measure the wrapped height first.
  RECT measured = box;
  DrawTextW(dc, Wide(message), -1, &measured, format | DT_CALCRECT);
  const int height = measured.bottom - measured.top;
  box.top = std::max(box.top, (area.top + area.bottom - height) / 2);
  DrawTextW(dc, Wide(message), -1, &box, format);
}

LRESULT CALLBACK PreviewPanel::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* panel = static_cast<PreviewPanel*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    panel->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(panel));
  }
  auto* panel = reinterpret_cast<PreviewPanel*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (panel == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  // An exception must not unwind through the system's frames; the form decides what the failure means.
  try {
    return panel->OnMessage(message, wParam, lParam);
  } catch (...) {
    PostMessageW(GetParent(window), kPreviewFailed, static_cast<WPARAM>(CurrentFailure().exitCode), 0);
    return 0;
  }
}

LRESULT PreviewPanel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything from the back buffer
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      HDC dc = BeginPaint(window_, &paint);
      if (bufferDc_) {
        const RECT& r = paint.rcPaint;
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, bufferDc_.get(), r.left, r.top,
               SRCCOPY);
      } else {
        unique_brush paper(CreateSolidBrush(kPaper));
        FillRect(dc, &paint.rcPaint, paper.get());
      }
      EndPaint(window_, &paint);
      return 0;
    }
    case WM_SIZE:
      Redraw();
      return 0;
    case WM_NCDESTROY: {
      HWND window = window_;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      window_ = nullptr;
      return DefWindowProcW(window, message, wParam, lParam);
    }
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}
