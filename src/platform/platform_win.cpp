// The platform layer on Windows: the ANSI code page through MultiByteToWideChar and
// WideCharToMultiByte, file access through the wide-character Win32 calls, the keyboard through
// GetAsyncKeyState.
#include <windows.h>

#include <algorithm>
#include <random>
#include <string_view>
#include <utility>

#include "platform.h"
#include "text_codecs.h"

namespace platform {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide strings are UTF-16 code units");

// Paths at least this long are refused for deletion unless they carry the long-path prefix.
constexpr std::size_t kMaxDeletablePathLength = 248;
constexpr std::u16string_view kLongPathPrefix = u"\\\\?\\";
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

// Removes the temporary file of a write unless the write got as far as renaming it.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::u16string name) : name_(std::move(name)) {}
  ~TemporaryFile() {
    if (!name_.empty()) DeleteFileW(reinterpret_cast<LPCWSTR>(name_.c_str()));
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  const std::u16string& name() const { return name_; }
  void Keep() { name_.clear(); }

 private:
  std::u16string name_;
};

LPCWSTR Wide(const std::u16string& text) { return reinterpret_cast<LPCWSTR>(text.c_str()); }

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

bool ReadWholeFile(HANDLE file, std::string& bytes) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size) || size.QuadPart < 0 ||
      static_cast<unsigned long long>(size.QuadPart) >= bytes.max_size()) {
    return false;
  }
  bytes.resize(static_cast<std::size_t>(size.QuadPart));
  std::size_t used = 0;
  while (used < bytes.size()) {
    DWORD got = 0;
    const auto piece = static_cast<DWORD>(std::min(bytes.size() - used, kMaxPiece));
    if (!ReadFile(file, bytes.data() + used, piece, &got, nullptr)) return false;
    if (got == 0) break;
    used += got;
  }
  bytes.resize(used);
  return true;
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

// Creates a new, empty file with a name of its own in `folder` (empty: the current folder).
FileHandle CreateTemporaryFile(const std::u16string& folder, std::u16string& name) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    unsigned number = static_cast<unsigned>(random()) ^ static_cast<unsigned>(GetCurrentProcessId());
    std::u16string suffix(8, u'0');
    for (auto digit = suffix.rbegin(); digit != suffix.rend(); ++digit, number >>= 4) {
      *digit = u"0123456789abcdef"[number & 0xF];
    }
    name = folder + u"~" + suffix + u".tmp";
    HANDLE handle =
        CreateFileW(Wide(name), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) return FileHandle(handle);
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  return FileHandle(INVALID_HANDLE_VALUE);
}

}  // namespace

bool detail::ReadFileBytes(const std::u16string& path, std::string& bytes) {
  if (path.empty() || path.find(u'\0') != std::u16string::npos) return false;
  // Sharing for reading only: a file that the host is still writing is not read half-done.
  FileHandle file(CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  // A device such as CON would wait for input instead of ending.
  if (!file.valid() || GetFileType(file.get()) != FILE_TYPE_DISK) return false;
  if (!ReadWholeFile(file.get(), bytes)) return false;
  file.Close();
  return true;
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

bool WriteFileBytes(const std::u16string& path, std::string_view bytes) {
  if (path.empty() || path.find(u'\0') != std::u16string::npos) return false;
  std::u16string folder;
  const std::size_t separator = path.find_last_of(u"\\/");
  if (separator != std::u16string::npos) {
    folder = path.substr(0, separator + 1);
  } else if (path.size() >= 2 && path[1] == u':') {
    folder = path.substr(0, 2);  // "C:name" is relative to the drive's current folder
  }

  std::u16string temporaryName;
  FileHandle file = CreateTemporaryFile(folder, temporaryName);
  if (!file.valid()) return false;
  TemporaryFile temporary(temporaryName);
  if (!WriteAll(file.get(), bytes) || !FlushFileBuffers(file.get()) || !file.Close()) return false;
  if (!MoveFileExW(Wide(temporary.name()), Wide(path), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return false;
  }
  temporary.Keep();
  return true;
}

bool FileExists(const std::u16string& path) {
  if (path.empty() || !IsUsableName(path)) return false;
  const DWORD attributes = GetFileAttributesW(Wide(path));
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  // The attributes above are the link's own; opening the name reaches what it points to.
  FileHandle target(CreateFileW(Wide(path), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION information{};
  return target.valid() && GetFileInformationByHandle(target.get(), &information) &&
         (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool RemoveFile(const std::u16string& path) {
  if (path.empty() || !IsUsableName(path)) return false;
  if (path.size() >= kMaxDeletablePathLength && !std::u16string_view(path).starts_with(kLongPathPrefix)) {
    return false;
  }
  return DeleteFileW(Wide(path)) != 0;
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
