// Real-input driver for the end-to-end tests: processes, windows, SendInput, message boxes, screenshots.
#include "program_driver.h"

#include <winternl.h>

#include <algorithm>
#include <cstddef>
#include <fstream>
#include <thread>
#include <vector>

namespace e2e {

namespace {

constexpr auto kPollInterval = 20ms;

INPUT KeyInput(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

void Send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  // Gives the receiving thread a moment; every check that follows still waits for its own condition.
  std::this_thread::sleep_for(30ms);
}

struct FindWindowData {
  DWORD processId;
  const wchar_t* windowClass;
  HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM parameter) {
  auto* data = reinterpret_cast<FindWindowData*>(parameter);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId != data->processId || !IsWindowVisible(window)) return TRUE;
  wchar_t windowClass[64] = {};
  GetClassNameW(window, windowClass, 64);
  if (wcscmp(windowClass, data->windowClass) != 0) return TRUE;
  data->found = window;
  return FALSE;
}

HWND FindTopLevel(DWORD processId, const wchar_t* windowClass) {
  FindWindowData data{processId, windowClass, nullptr};
  EnumWindows(&FindProcessWindow, reinterpret_cast<LPARAM>(&data));
  return data.found;
}

HWND FindDescendant(HWND parent, int id) {
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgCtrlID(child) == id) return child;
    if (HWND inner = FindDescendant(child, id)) return inner;
  }
  return nullptr;
}

}  // namespace

std::filesystem::path HostPath(const char* path) {
  std::string text(path);
  if (!text.empty() && text[0] == '/') text = "Z:" + text;
  return std::filesystem::path(text).make_preferred();
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPollInterval);
  }
  return true;
}

void PressKey(WORD virtualKey) { Send({KeyInput(virtualKey, false), KeyInput(virtualKey, true)}); }

void HoldKey(WORD virtualKey) { Send({KeyInput(virtualKey, false)}); }

void ReleaseKey(WORD virtualKey) { Send({KeyInput(virtualKey, true)}); }

void PressChord(WORD modifier, WORD virtualKey) {
  Send({KeyInput(modifier, false), KeyInput(virtualKey, false), KeyInput(virtualKey, true),
        KeyInput(modifier, true)});
}

void TypeText(const std::u16string& text) {
  std::vector<INPUT> inputs;
  for (char16_t unit : text) {
    for (DWORD flags : {DWORD{KEYEVENTF_UNICODE}, DWORD{KEYEVENTF_UNICODE | KEYEVENTF_KEYUP}}) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wScan = unit;
      input.ki.dwFlags = flags;
      inputs.push_back(input);
    }
  }
  Send(std::move(inputs));
}

void ClickAt(POINT screenPoint) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT inputs[3] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screenPoint.x, 65535, width - 1);
    input.mi.dy = MulDiv(screenPoint.y, 65535, height - 1);
  }
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
  inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
  Send({inputs[0], inputs[1], inputs[2]});
}

// WM_GETTEXT rather than GetWindowText: for a window of another process only the message reaches the
// text that an edit box keeps itself.
std::u16string WindowText(HWND window) {
  const auto length = static_cast<size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
  std::u16string text(length + 1, u'\0');
  const auto copied = static_cast<size_t>(SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                                                       reinterpret_cast<LPARAM>(text.data())));
  text.resize(std::min(copied, length));
  return text;
}

ProgramRun::ProgramRun(const std::filesystem::path& exe, const std::wstring& arguments,
                       const StartedCall& started) {
  std::wstring commandLine = L"\"" + exe.wstring() + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  const std::wstring folder = exe.parent_path().wstring();
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &process)) {
    return;
  }
  process_.reset(process.hProcess);
  unique_kernel_handle thread(process.hThread);
  processId_ = process.dwProcessId;
  threadId_ = process.dwThreadId;
  if (started) started(process_.get(), thread.get());
  WaitUntil(
      [this] {
        window_ = FindTopLevel(processId_, L"DimensionDialog");
        return window_ != nullptr || MessageBox() != nullptr || !Running();
      },
      30s);
}

ProgramRun::~ProgramRun() {
  if (Running()) {
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), 10000);
  }
}

bool ProgramRun::WaitForWindow() {
  return WaitUntil([this] { return (window_ = FindTopLevel(processId_, L"DimensionDialog")) != nullptr; });
}

HWND ProgramRun::Control(int id) const { return window_ == nullptr ? nullptr : FindDescendant(window_, id); }

bool BringToFront(HWND window, std::chrono::milliseconds timeout) {
  // Asked again until it holds: the window manager may hand the foreground over only on a later try.
  return WaitUntil(
      [window] {
        if (GetForegroundWindow() == window) return true;
        SetForegroundWindow(window);
        return false;
      },
      timeout);
}

bool ProgramRun::BringToFront() const { return window_ != nullptr && e2e::BringToFront(window_, 10s); }

bool ProgramRun::Running() const {
  return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

bool ProgramRun::WaitForExit(std::chrono::milliseconds timeout) const {
  return process_ &&
         WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

DWORD ProgramRun::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_) GetExitCodeProcess(process_.get(), &code);
  return code;
}

HWND ProgramRun::FocusedWindow() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(threadId_, &info)) return nullptr;
  return info.hwndFocus;
}

int ProgramRun::FocusedId() const {
  HWND focus = FocusedWindow();
  return focus == nullptr ? 0 : GetDlgCtrlID(focus);
}

bool ProgramRun::WaitForFocus(int id) const {
  return WaitUntil([this, id] { return FocusedId() == id; });
}

HWND ProgramRun::MessageBox() const { return FindTopLevel(processId_, L"#32770"); }

HWND ProgramRun::WaitForMessageBox() const {
  HWND box = nullptr;
  WaitUntil([this, &box] {
    box = MessageBox();
    return box != nullptr;
  });
  return box;
}

// The thread's environment block holds the last error right after the pointer to the process's block,
// on both word sizes.
DWORD LastErrorOf(HANDLE process, HANDLE thread) {
  struct {
    NTSTATUS exitStatus;
    PVOID environmentBlock;
    HANDLE processId, threadId;
    KAFFINITY affinity;
    LONG priority, basePriority;
  } basics{};
  if (NtQueryInformationThread(thread, ThreadBasicInformation, &basics, sizeof(basics), nullptr) != 0)
    return 0;
  DWORD error = 0;
  const auto* address = static_cast<const char*>(basics.environmentBlock) +
                        offsetof(TEB, ProcessEnvironmentBlock) + sizeof(PPEB);
  return ReadProcessMemory(process, address, &error, sizeof(error), nullptr) ? error : 0;
}

std::u16string MessageBoxText(HWND box) {
  wchar_t text[1024] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 1024);
  return std::u16string(reinterpret_cast<const char16_t*>(text));
}

namespace {

BOOL CALLBACK FindIcon(HWND child, LPARAM found) {
  wchar_t windowClass[16] = {};
  GetClassNameW(child, windowClass, 16);
  if (_wcsicmp(windowClass, L"Static") == 0 && IsWindowVisible(child) &&
      (GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
      SendMessageW(child, STM_GETICON, 0, 0) != 0) {
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

bool MessageBoxHasIcon(HWND box) {
  bool found = false;
  EnumChildWindows(box, &FindIcon, reinterpret_cast<LPARAM>(&found));
  return found;
}

namespace {

struct Capture {
  BITMAPINFOHEADER header{};
  std::string bits;
};

// The window's rectangle of the screen, bottom-up rows of 24 bits as a .bmp file stores them.
bool CaptureWindow(HWND window, Capture& capture) {
  RECT rect{};
  if (!GetWindowRect(window, &rect)) return false;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return false;

  unique_window_dc screen = GetWindowDc(nullptr);
  unique_memory_dc memory(CreateCompatibleDC(screen.get()));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  unique_bitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !memory) return false;
  {
    ScopedSelect select(memory.get(), bitmap.get());
    if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY)) return false;
  }
  GdiFlush();

  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  info.bmiHeader.biSizeImage = stride * static_cast<DWORD>(height);
  capture.header = info.bmiHeader;
  capture.bits.assign(static_cast<const char*>(bits), info.bmiHeader.biSizeImage);
  return true;
}

}  // namespace

bool SaveScreenshot(HWND window, const std::filesystem::path& file) {
  Capture capture;
  if (!CaptureWindow(window, capture)) return false;
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;  // "BM"
  header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  header.bfSize = header.bfOffBits + capture.header.biSizeImage;
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(&header), sizeof(header));
  out.write(reinterpret_cast<const char*>(&capture.header), sizeof(BITMAPINFOHEADER));
  out.write(capture.bits.data(), static_cast<std::streamsize>(capture.bits.size()));
  return out.good();
}

std::string ScreenPixels(HWND window) {
  Capture capture;
  return CaptureWindow(window, capture) ? capture.bits : std::string();
}

int ScreenDpi() {
  unique_window_dc screen = GetWindowDc(nullptr);
  return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

}  // namespace e2e
