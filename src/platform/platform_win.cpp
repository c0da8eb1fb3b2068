// The platform layer on Windows: the ANSI code page through MultiByteToWideChar and
// WideCharToMultiByte, file access through the wide-character Win32 calls, the keyboard through
// GetAsyncKeyState.
#include <windows.h>

#include <algorithm>
#include <random>
#include <string_view>
#include <utility>

#include "platform.h"
#include "system_error.h"
#include "text_codecs.h"

namespace platform {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide strings are UTF-16 code units");

// Win32 takes paths from this length on (MAX_PATH less room for a file name in a folder) only with the
// long-path prefix, unless both the system and the manifest allow long paths.
constexpr std::size_t kLongPathFrom = 248;
constexpr std::u16string_view kLongPathPrefix = u"\\\\?\\";
constexpr std::u16string_view kDevicePrefix = u"\\\\.\\";
// A scanner, indexer or sync client may hold a file for a moment, and the host may still be writing
// one: a read or a replacement is tried this often, this many milliseconds apart.
constexpr int kHeldAttempts = 6;
constexpr DWORD kHeldPause = 100;
// Conversion calls take int lengths and ReadFile/WriteFile DWORD ones; larger data goes in pieces.
constexpr std::size_t kMaxPiece = 1u << 30;

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(FileHandle&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
  ~FileHandle() { Close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE get() const { return handle_; }
  // Closing can report a failed write-back, so the writer asks for the result.
  bool Close() {
    if (!valid()) return true;
    const bool closed = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

// Removes the temporary file of a write unless the write got as far as renaming it. Declared before the
// file's handle, so that an early return closes the file first: Windows does not delete a file that is
// still open.
class TemporaryFile {
 public:
  TemporaryFile() = default;
  ~TemporaryFile() {
    if (!name_.empty()) DeleteFileW(reinterpret_cast<LPCWSTR>(name_.c_str()));
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  const std::u16string& name() const { return name_; }
  void Own(std::u16string name) { name_ = std::move(name); }
  void Keep() { name_.clear(); }

 private:
  std::u16string name_;
};

LPCWSTR Wide(const std::u16string& text) { return reinterpret_cast<LPCWSTR>(text.c_str()); }

// The name as Win32 takes it whatever its length: a long one made full (the prefix turns off the
// system's own clean-up of "." and "..") and given the long-path prefix, a UNC name in its UNC form.
std::u16string SystemPath(const std::u16string& path) {
  const std::u16string_view name = path;
  if (name.size() < kLongPathFrom || name.starts_with(kLongPathPrefix) || name.starts_with(kDevicePrefix)) {
    return path;
  }
  const DWORD needed = GetFullPathNameW(Wide(path), 0, nullptr, nullptr);
  if (needed == 0) return path;
  std::u16string full(needed, u'\0');
  const DWORD length = GetFullPathNameW(Wide(path), needed, reinterpret_cast<LPWSTR>(full.data()), nullptr);
  if (length == 0 || length >= needed) return path;
  full.resize(length);
  if (full.starts_with(u"\\\\")) return u"\\\\?\\UNC\\" + full.substr(2);
  return std::u16string(kLongPathPrefix) + full;
}

bool IsDriveLetter(char16_t unit) { return (unit >= u'A' && unit <= u'Z') || (unit >= u'a' && unit <= u'z'); }

// Names that Win32 would not take as the plain name of a file: only blanks, characters that are
// no part of a path, wildcards, or a colon other than the drive's (Win32 would take it for an
// alternate data stream). An embedded NUL would silently cut the name short.
bool IsUsableName(const std::u16string& path) {
  std::u16string_view name = path;
  if (name.starts_with(kLongPathPrefix)) name.remove_prefix(kLongPathPrefix.size());
  if (name.find_first_not_of(u' ') == std::u16string_view::npos) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char16_t unit = name[i];
    if (unit < 0x20 || unit == u'"' || unit == u'<' || unit == u'>' || unit == u'|' || unit == u'*' ||
        unit == u'?') {
      return false;
    }
    if (unit == u':' && !(i == 1 && IsDriveLetter(name[0]))) return false;
  }
  return true;
}

// Where a multi-byte text of the ANSI code page that has a character boundary at `from` can be cut
// at or before `limit` without splitting a character. A byte that cannot lead ends a character; the
// lead-capable bytes after it pair up.
std::size_t AnsiCutBefore(const char* bytes, std::size_t from, std::size_t limit) {
  std::size_t first = limit;
  while (first > from && IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(bytes[first - 1]))) --first;
  const std::size_t cut = (limit - first) % 2 == 0 ? limit : limit - 1;
  return cut > from ? cut : limit;
}

// Decodes `size` bytes into `out`, which has room for one unit per byte: no code page gives more,
// the default character included.
std::size_t DecodeAnsiPieces(const char* bytes, std::size_t size, char16_t* out) {
  std::size_t position = 0;
  std::size_t written = 0;
  while (position < size) {
    std::size_t end = size;
    if (end - position > kMaxPiece) end = AnsiCutBefore(bytes, position, position + kMaxPiece);
    const int length = static_cast<int>(end - position);
    const int got = MultiByteToWideChar(CP_ACP, 0, bytes + position, length,
                                        reinterpret_cast<LPWSTR>(out + written), length);
    if (got <= 0) break;
    written += static_cast<std::size_t>(got);
    position = end;
  }
  return written;
}

// ERROR_SUCCESS, or the error that stopped the reading; ERROR_FILE_TOO_LARGE for more bytes than a
// string can hold.
DWORD ReadWholeFile(HANDLE file, std::string& bytes, std::size_t maxBytes) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size)) return GetLastError();
  const auto wanted = std::min<unsigned long long>(
      static_cast<unsigned long long>(std::max<LONGLONG>(size.QuadPart, 0)), maxBytes);
  if (wanted >= bytes.max_size()) return ERROR_FILE_TOO_LARGE;
  bytes.resize(static_cast<std::size_t>(wanted));
  std::size_t used = 0;
  while (used < bytes.size()) {
    DWORD got = 0;
    const auto piece = static_cast<DWORD>(std::min(bytes.size() - used, kMaxPiece));
    if (!ReadFile(file, bytes.data() + used, piece, &got, nullptr)) return GetLastError();
    if (got == 0) break;
    used += got;
  }
  bytes.resize(used);
  return ERROR_SUCCESS;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    DWORD put = 0;
    const auto piece = static_cast<DWORD>(std::min(bytes.size() - written, kMaxPiece));
    if (!WriteFile(file, bytes.data() + written, piece, &put, nullptr) || put == 0) return false;
    written += put;
  }
  return true;
}

// Creates a new, empty file with a name of its own in `folder` (empty: the current folder); `temporary`
// owns it from then on.
FileHandle CreateTemporaryFile(const std::u16string& folder, TemporaryFile& temporary) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    unsigned number = static_cast<unsigned>(random()) ^ static_cast<unsigned>(GetCurrentProcessId());
    std::u16string suffix(8, u'0');
    for (auto digit = suffix.rbegin(); digit != suffix.rend(); ++digit, number >>= 4) {
      *digit = u"0123456789abcdef"[number & 0xF];
    }
    std::u16string name = SystemPath(folder + u"~" + suffix + u".tmp");
    HANDLE handle =
        CreateFileW(Wide(name), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      temporary.Own(std::move(name));
      return FileHandle(handle);
    }
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  return FileHandle(INVALID_HANDLE_VALUE);
}

WriteResult Failure(DWORD error) { return {false, detail::SystemErrorText(error)}; }

// Errors that a read or a replacement can meet while someone else holds the file for a moment.
bool MayPass(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
}

// Makes `attempt` (which gives ERROR_SUCCESS or the error that stopped it) until it succeeds, fails for
// a reason that waiting does not cure, or has been made kHeldAttempts times: about half a second in all.
// The error of the last attempt comes back.
template <typename Attempt>
DWORD RetryWhileHeld(Attempt&& attempt) {
  for (int made = 1;; ++made) {
    const DWORD error = attempt();
    if (error == ERROR_SUCCESS || !MayPass(error) || made == kHeldAttempts) return error;
    Sleep(kHeldPause);
  }
}

bool IsFolder(const std::u16string& name) {
  const DWORD attributes = GetFileAttributesW(Wide(name));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// One attempt at reading the whole file `name` (a system path). Sharing for reading only: a file that
// the host is still writing is not read half-done.
DWORD ReadOnce(const std::u16string& name, std::string& bytes, std::size_t maxBytes) {
  FileHandle file(CreateFileW(Wide(name), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.valid()) return GetLastError();
  // A device such as CON would wait for input instead of ending.
  if (GetFileType(file.get()) != FILE_TYPE_DISK) return ERROR_NOT_SUPPORTED;
  return ReadWholeFile(file.get(), bytes, maxBytes);
}

// What the error of a failed read means to the caller.
ReadTextResult FailedRead(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
      return detail::ReadFailed(ReadFailure::Missing, detail::SystemErrorText(error));
    case ERROR_FILE_TOO_LARGE:
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return TooLargeToHold();
    default:
      return detail::ReadFailed(ReadFailure::Unreadable, detail::SystemErrorText(error));
  }
}

}  // namespace

ReadTextResult detail::ReadFileBytes(const std::u16string& path, std::string& bytes, std::size_t maxBytes) {
  if (!IsUsableName(path)) return FailedRead(ERROR_INVALID_NAME);
  const std::u16string name = SystemPath(path);
  // A folder is refused as access denied, which no waiting cures.
  if (IsFolder(name)) return FailedRead(ERROR_ACCESS_DENIED);
  const DWORD error = RetryWhileHeld([&] { return ReadOnce(name, bytes, maxBytes); });
  if (error != ERROR_SUCCESS) return FailedRead(error);
  return ReadSucceeded();
}

std::u16string DecodeAnsi(std::string_view bytes) {
  // One call over the whole text (measured: an ASCII shortcut around the converter gains nothing here).
  std::u16string text(bytes.size(), u'\0');
  text.resize(DecodeAnsiPieces(bytes.data(), bytes.size(), text.data()));
  return text;
}

std::string EncodeAnsi(const std::u16string& text) {
  std::string bytes;
  std::size_t position = 0;
  while (position < text.size()) {
    std::size_t end = text.size();
    if (end - position > kMaxPiece) {
      end = position + kMaxPiece;
      if (detail::IsHighSurrogate(text[end - 1])) --end;  // a surrogate pair stays in one piece
    }
    const auto* units = reinterpret_cast<LPCWSTR>(text.data() + position);
    const int length = static_cast<int>(end - position);
    const int needed = WideCharToMultiByte(CP_ACP, 0, units, length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) break;
    const std::size_t used = bytes.size();
    bytes.resize(used + static_cast<std::size_t>(needed));
    WideCharToMultiByte(CP_ACP, 0, units, length, bytes.data() + used, needed, nullptr, nullptr);
    position = end;
  }
  return bytes;
}

WriteResult WriteFileBytes(const std::u16string& path, std::string_view bytes) {
  if (path.empty() || path.find(u'\0') != std::u16string::npos) return Failure(ERROR_INVALID_NAME);
  std::u16string folder;
  const std::size_t separator = path.find_last_of(u"\\/");
  if (separator != std::u16string::npos) {
    folder = path.substr(0, separator + 1);
  } else if (path.size() >= 2 && path[1] == u':') {
    folder = path.substr(0, 2);  // "C:name" is relative to the drive's current folder
  }

  // The result is made before the locals go, so GetLastError is still the failed call's.
  TemporaryFile temporary;
  FileHandle file = CreateTemporaryFile(folder, temporary);
  if (!file.valid()) {
    const DWORD error = GetLastError();
    WriteResult failure = Failure(error);
    if (error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT) failure.uncreatableFolder = folder;
    return failure;
  }
  if (!WriteAll(file.get(), bytes) || !FlushFileBuffers(file.get()) || !file.Close()) {
    return Failure(GetLastError());
  }
  const std::u16string target = SystemPath(path);
  constexpr DWORD kReplace = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  const DWORD error = RetryWhileHeld([&]() -> DWORD {
    return MoveFileExW(Wide(temporary.name()), Wide(target), kReplace) ? ERROR_SUCCESS : GetLastError();
  });
  if (error != ERROR_SUCCESS) return Failure(error);
  temporary.Keep();
  return {true, {}};
}

bool FileExists(const std::u16string& path) {
  if (path.empty() || !IsUsableName(path)) return false;
  const std::u16string name = SystemPath(path);
  const DWORD attributes = GetFileAttributesW(Wide(name));
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  // The attributes above are the link's own; opening the name reaches what it points to.
  FileHandle target(CreateFileW(Wide(name), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION information{};
  return target.valid() && GetFileInformationByHandle(target.get(), &information) &&
         (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool RemoveFile(const std::u16string& path) {
  if (path.empty() || !IsUsableName(path)) return false;
  return DeleteFileW(Wide(SystemPath(path))) != 0;
}

std::u16string ProgramFolder() {
  std::u16string executable(MAX_PATH, u'\0');
  for (;;) {
    const DWORD capacity = static_cast<DWORD>(executable.size());
    const DWORD length = GetModuleFileNameW(nullptr, reinterpret_cast<LPWSTR>(executable.data()), capacity);
    if (length == 0) return {};
    // A name that does not fit comes back cut to the buffer's size.
    if (length < capacity) {
      executable.resize(length);
      break;
    }
    if (executable.size() >= 1u << 16) return {};
    executable.resize(executable.size() * 2);
  }
  const std::size_t separator = executable.find_last_of(u"\\/");
  if (separator == std::u16string::npos) return {};
  return executable.substr(0, separator + 1);
}

bool EscapeKeyDown() { return (GetAsyncKeyState(VK_ESCAPE) & 0x8000) != 0; }

}  // namespace platform
