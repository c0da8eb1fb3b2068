// Drives the real tarvik.exe as a user would: starts it in a folder of its own, finds its window, types
// with real keyboard input (SendInput), reads message boxes, the focus and control texts, and takes
// screenshots. Every wait is bounded.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include "unique_handle_win.h"

namespace e2e {

using namespace std::chrono_literals;
constexpr std::chrono::milliseconds kWaitTimeout = 15s;

// A path as the build system wrote it, usable by a Windows process (Wine maps "/" to drive Z:).
std::filesystem::path HostPath(const char* path);

// Polls `condition` until it holds or `timeout` has passed; true when it held.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = kWaitTimeout);

// Real keyboard input, delivered to whatever window has the focus.
void PressKey(WORD virtualKey);
void PressChord(WORD modifier, WORD virtualKey);  // e.g. Alt+Y, Shift+Tab
// A key held down until it is released again, for code that samples the keyboard state.
void HoldKey(WORD virtualKey);
void ReleaseKey(WORD virtualKey);
void TypeText(const std::u16string& text);  // through the keyboard's Unicode input (VK_PACKET)

// Makes `window` the foreground window; false when it did not become so within `timeout`.
bool BringToFront(HWND window, std::chrono::milliseconds timeout = kWaitTimeout);

// A left click at a point of the screen.
void ClickAt(POINT screenPoint);

std::u16string WindowText(HWND window);

// One run of the program, ended (killed if need be) when the object goes.
class ProgramRun {
 public:
  // Starts `exe` with `arguments` and its own folder as the working folder and waits for its main window,
  // a message box of its own instead, or its end. `started`, when given, is called with the new process
  // and its main thread before that wait.
  using StartedCall = std::function<void(HANDLE process, HANDLE thread)>;
  explicit ProgramRun(const std::filesystem::path& exe, const std::wstring& arguments = L"",
                      const StartedCall& started = nullptr);
  ~ProgramRun();
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;

  bool Started() const { return window_ != nullptr; }
  // Waits for the main window when the program showed a message box first; true when it appeared.
  bool WaitForWindow();
  HWND Window() const { return window_; }
  HWND Control(int id) const;  // by dialog item id, searched through the panels

  // Makes the dialog the foreground window, so that keyboard input reaches it.
  bool BringToFront() const;
  bool Running() const;
  bool WaitForExit(std::chrono::milliseconds timeout = kWaitTimeout) const;
  // The exit code of a program that has ended; STILL_ACTIVE (259) while it runs.
  DWORD ExitCode() const;

  HWND FocusedWindow() const;
  int FocusedId() const;  // dialog item id of the focused control, 0 when none
  bool WaitForFocus(int id) const;

  // The message box the program shows now (a #32770 window of its own), or null.
  HWND MessageBox() const;
  HWND WaitForMessageBox() const;

 private:
  unique_kernel_handle process_;
  DWORD processId_ = 0;
  DWORD threadId_ = 0;
  HWND window_ = nullptr;
};

// The error code that the last failed call of `thread` (of `process`) left, as that thread's GetLastError
// would give it now; 0 when it cannot be read.
DWORD LastErrorOf(HANDLE process, HANDLE thread);

// Text of a message box's message.
std::u16string MessageBoxText(HWND box);
// True when the message box shows an icon beside its text.
bool MessageBoxHasIcon(HWND box);

// Saves what the screen shows of `window` (frame included) as a 24-bit .bmp file.
bool SaveScreenshot(HWND window, const std::filesystem::path& file);
// What the screen shows of `window` now, as 24-bit rows; empty when it cannot be read. Two captures of
// the same window compare equal exactly when its pixels are the same.
std::string ScreenPixels(HWND window);

// The screen's resolution in dots per inch, as a DPI-aware program sees it.
int ScreenDpi();

}  // namespace e2e
