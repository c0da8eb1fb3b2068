// One owner for every Win32 handle of the Windows code (the form, its preview and their canvas): the
// deleter knows the release call, and a DC keeps the window it was taken from, which ReleaseDC needs.
#pragma once

#include <windows.h>

#include <utility>

template <typename T, typename Deleter>
class unique_handle {
 public:
  unique_handle() = default;
  explicit unique_handle(T handle, Deleter deleter = Deleter())
      : handle_(handle), deleter_(std::move(deleter)) {}
  ~unique_handle() { reset(); }

  unique_handle(const unique_handle&) = delete;
  unique_handle& operator=(const unique_handle&) = delete;
  unique_handle(unique_handle&& other) noexcept
      : handle_(std::exchange(other.handle_, T{})), deleter_(std::move(other.deleter_)) {}
  unique_handle& operator=(unique_handle&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, T{});
      deleter_ = std::move(other.deleter_);
    }
    return *this;
  }

  T get() const { return handle_; }
  explicit operator bool() const { return handle_ != T{}; }
  void reset(T handle = T{}) {
    if (handle_ != T{}) deleter_(handle_);
    handle_ = handle;
  }

 private:
  T handle_{};
  Deleter deleter_{};
};

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct KernelHandleDeleter {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct WindowDcDeleter {
  HWND window = nullptr;
  void operator()(HDC dc) const { ReleaseDC(window, dc); }
};
struct MemoryDcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};

using unique_font = unique_handle<HFONT, GdiObjectDeleter>;
using unique_brush = unique_handle<HBRUSH, GdiObjectDeleter>;
using unique_bitmap = unique_handle<HBITMAP, GdiObjectDeleter>;
using unique_kernel_handle = unique_handle<HANDLE, KernelHandleDeleter>;
using unique_window_dc = unique_handle<HDC, WindowDcDeleter>;
using unique_memory_dc = unique_handle<HDC, MemoryDcDeleter>;

// GetDC with its release bound to the same window.
inline unique_window_dc GetWindowDc(HWND window) {
  return unique_window_dc(GetDC(window), WindowDcDeleter{window});
}

// Selects a GDI object into a DC for one scope and puts the previous one back.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~ScopedSelect() { SelectObject(dc_, previous_); }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};
