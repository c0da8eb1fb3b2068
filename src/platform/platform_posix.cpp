// The platform layer on Linux and other POSIX systems: code page 932 through iconv, file access with
// the usual system calls on UTF-8 path names, the program folder from /proc/self/exe.
#include <errno.h>
#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <utility>

#include "platform.h"
#include "system_error.h"
#include "text_codecs.h"

namespace platform {
namespace {

// What a Japanese Windows system uses as its ANSI code page; iconv's CP932 is Microsoft's variant of
// Shift_JIS (NEC and IBM extensions, 0x5C as the backslash, 0x8160 as U+FF5E).
constexpr const char* kAnsiCodePage = "CP932";
constexpr const char* kNativeUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

class IconvDescriptor {
 public:
  IconvDescriptor(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {}
  ~IconvDescriptor() {
    if (valid()) iconv_close(descriptor_);
  }
  IconvDescriptor(const IconvDescriptor&) = delete;
  IconvDescriptor& operator=(const IconvDescriptor&) = delete;

  bool valid() const { return descriptor_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return descriptor_; }

 private:
  iconv_t descriptor_;
};

class FileDescriptor {
 public:
  explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
  FileDescriptor(FileDescriptor&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}
  ~FileDescriptor() { Close(); }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  bool valid() const { return descriptor_ >= 0; }
  int get() const { return descriptor_; }
  // Closing can report a failed write-back, so the writer asks for the result.
  bool Close() {
    if (!valid()) return true;
    const bool closed = close(descriptor_) == 0;
    descriptor_ = -1;
    return closed;
  }

 private:
  int descriptor_;
};

// Removes the temporary file of a write unless the write got as far as renaming it. Declared before the
// file's descriptor, so that an early return closes the file first and then removes it.
class TemporaryFile {
 public:
  TemporaryFile() = default;
  ~TemporaryFile() {
    if (!name_.empty()) unlink(name_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  const std::string& name() const { return name_; }
  void Own(std::string name) { name_ = std::move(name); }
  void Keep() { name_.clear(); }

 private:
  std::string name_;
};

// ASCII runs at least this long are widened or narrowed directly; shorter ones stay inside the
// surrounding iconv call, where a call of their own would cost more than it saves. A run is found by
// testing words at half its length apart.
constexpr std::size_t kLongAsciiRun = 16;
constexpr std::uint64_t kByteMask = 0x8080808080808080ULL;  // bytes below 0x80
constexpr std::uint64_t kUnitMask = 0xFF80FF80FF80FF80ULL;  // UTF-16 units below 0x80, either byte order

bool AsciiWord(const void* at, std::uint64_t mask, std::uint64_t& word) {
  std::memcpy(&word, at, sizeof word);
  return (word & mask) == 0;
}

// End of the stretch that starts with a non-ASCII byte at `from` and goes to iconv in one call: just
// after the first byte of the next long ASCII run, which the caller then copies directly. The place
// after a byte below 0x80 is always a character boundary (the byte is a character of its own or the
// trail byte of one), so no character is cut in two.
std::size_t AnsiStretchEnd(const unsigned char* bytes, std::size_t from, std::size_t size) {
  std::uint64_t word;
  for (std::size_t i = from + 1; i + kLongAsciiRun <= size; i += kLongAsciiRun / 2) {
    if (AsciiWord(bytes + i, kByteMask, word) && AsciiWord(bytes + i + 8, kByteMask, word)) return i + 1;
  }
  return size;
}

// The same for UTF-16, where an ASCII unit is never half of a surrogate pair.
std::size_t Utf16StretchEnd(const char16_t* units, std::size_t from, std::size_t size) {
  std::uint64_t word;
  for (std::size_t i = from + 1; i + kLongAsciiRun <= size; i += kLongAsciiRun / 2) {
    if (AsciiWord(units + i, kUnitMask, word) && AsciiWord(units + i + 4, kUnitMask, word) &&
        AsciiWord(units + i + 8, kUnitMask, word) && AsciiWord(units + i + 12, kUnitMask, word)) {
      return i + 1;
    }
  }
  return size;
}

// Decodes one stretch into `out`, which has room for one unit per byte. A byte that starts no valid
// character, or a character cut off by the end, becomes U+FFFD and the conversion goes on with the
// next byte.
std::size_t DecodeAnsiStretch(const IconvDescriptor& converter, const char* bytes, std::size_t size,
                              char16_t* out) {
  if (!converter.valid()) {
    for (std::size_t i = 0; i < size; ++i) {
      const auto byte = static_cast<unsigned char>(bytes[i]);
      out[i] = byte < 0x80 ? byte : detail::kReplacementCharacter;
    }
    return size;
  }
  char* in = const_cast<char*>(bytes);
  std::size_t inLeft = size;
  char* const start = reinterpret_cast<char*>(out);
  char* next = start;
  std::size_t outLeft = size * sizeof(char16_t);
  while (inLeft > 0) {
    if (iconv(converter.get(), &in, &inLeft, &next, &outLeft) != static_cast<std::size_t>(-1)) break;
    // CP932 gives no more than one unit per byte, so the room cannot run out; were it to, the
    // rest of the stretch would be dropped rather than overrun the text.
    if (errno == E2BIG || outLeft < sizeof(char16_t)) break;
    *reinterpret_cast<char16_t*>(next) = detail::kReplacementCharacter;
    next += sizeof(char16_t);
    outLeft -= sizeof(char16_t);
    ++in;
    --inLeft;
  }
  return static_cast<std::size_t>(next - start) / sizeof(char16_t);
}

// Encodes units[0, size) into bytes at `used`; a character that the code page lacks becomes "?".
void EncodeAnsiStretch(const IconvDescriptor& converter, const char16_t* units, std::size_t size,
                       std::string& bytes, std::size_t& used) {
  std::size_t i = 0;
  while (i < size) {
    if (bytes.size() - used < 4) bytes.resize(bytes.size() + 2 * (size - i) + 16);
    if (!converter.valid()) {
      bytes[used++] = units[i] < 0x80 ? static_cast<char>(units[i]) : '?';
      ++i;
      continue;
    }
    char* in = reinterpret_cast<char*>(const_cast<char16_t*>(units + i));
    std::size_t inLeft = (size - i) * sizeof(char16_t);
    char* out = bytes.data() + used;
    std::size_t outLeft = bytes.size() - used;
    const std::size_t converted = iconv(converter.get(), &in, &inLeft, &out, &outLeft);
    used = static_cast<std::size_t>(out - bytes.data());
    i = size - inLeft / sizeof(char16_t);
    if (converted != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    if (used == bytes.size()) bytes.resize(bytes.size() + 2 * (size - i) + 16);
    bytes[used++] = '?';
    // One character, one "?": a surrogate pair is skipped whole.
    const bool pair =
        detail::IsHighSurrogate(units[i]) && i + 1 < size && detail::IsLowSurrogate(units[i + 1]);
    i += pair ? 2 : 1;
  }
}

// The UTF-8 name for the system calls; false for names that no file can have.
bool NativePath(const std::u16string& path, std::string& native) {
  if (path.empty() || path.find(u'\0') != std::u16string::npos) return false;
  native = EncodeUtf8(path);
  return true;
}

// 0, or the errno value that stopped the reading. Only regular files are read: a folder gives EISDIR,
// anything else (a pipe, a device) EOPNOTSUPP.
int ReadWholeFile(int descriptor, std::string& bytes, std::size_t maxBytes) {
  struct stat status {};
  if (fstat(descriptor, &status) != 0) return errno;
  if (S_ISDIR(status.st_mode)) return EISDIR;
  if (!S_ISREG(status.st_mode)) return EOPNOTSUPP;
  // One byte more than announced, so that the end is seen without growing; files that report no
  // size (as some in /proc do) grow as they are read.
  const auto announced = static_cast<std::uintmax_t>(status.st_size);
  if (announced >= bytes.max_size() && maxBytes >= bytes.max_size()) return EFBIG;
  maxBytes = std::min(maxBytes, bytes.max_size());
  bytes.resize(announced < maxBytes ? static_cast<std::size_t>(announced) + 1 : maxBytes);
  std::size_t used = 0;
  while (used < maxBytes) {
    if (used == bytes.size()) bytes.resize(bytes.size() <= maxBytes / 2 ? bytes.size() * 2 : maxBytes);
    const ssize_t got = read(descriptor, bytes.data() + used, bytes.size() - used);
    if (got < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (got == 0) break;
    used += static_cast<std::size_t>(got);
  }
  bytes.resize(used);
  return 0;
}

// What an errno value of a failed read means to the caller.
ReadTextResult FailedRead(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
      return detail::ReadFailed(ReadFailure::Missing,
                                detail::SystemErrorText(static_cast<unsigned long>(error)));
    case EFBIG:
    case EOVERFLOW:
    case ENOMEM:
      return TooLargeToHold();
    default:
      return detail::ReadFailed(ReadFailure::Unreadable,
                                detail::SystemErrorText(static_cast<unsigned long>(error)));
  }
}

bool WriteAll(int descriptor, std::string_view bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t put = write(descriptor, bytes.data() + written, bytes.size() - written);
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    written += static_cast<std::size_t>(put);
  }
  return true;
}

// Creates a new, empty file with a name of its own in `folder` (empty: the current folder); `temporary`
// owns it from then on.
FileDescriptor CreateTemporaryFile(const std::string& folder, TemporaryFile& temporary) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(random()));
    std::string name = folder + "~" + suffix + ".tmp";
    FileDescriptor file(open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (file.valid()) temporary.Own(std::move(name));
    if (file.valid() || errno != EEXIST) return file;
  }
  return FileDescriptor(-1);
}

WriteResult Failure(int error) { return {false, detail::SystemErrorText(static_cast<unsigned long>(error))}; }

}  // namespace

ReadTextResult detail::ReadFileBytes(const std::u16string& path, std::string& bytes, std::size_t maxBytes) {
  std::string native;
  if (!NativePath(path, native)) return FailedRead(EINVAL);
  // Not blocking keeps a named pipe from holding the program up; it is refused as not a regular file.
  FileDescriptor file(open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!file.valid()) return FailedRead(errno);
  if (const int error = ReadWholeFile(file.get(), bytes, maxBytes); error != 0) return FailedRead(error);
  return ReadSucceeded();
}

std::u16string DecodeAnsi(std::string_view bytes) {
  // CP932 gives at most one code unit per byte, and so does the replacement of an invalid byte.
  std::u16string text(bytes.size(), u'\0');
  const auto* const in = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  char16_t* out = text.data();
  std::size_t position = 0;
  const IconvDescriptor converter(kNativeUtf16, kAnsiCodePage);
  while (position < size) {
    // Widened from the loaded word, so that the compiler need not fear that writing the text changes
    // the bytes.
    std::uint64_t word;
    while (size - position >= 8 && AsciiWord(in + position, kByteMask, word)) {
      for (int i = 0; i < 8; ++i) {
        const int shift = 8 * (std::endian::native == std::endian::little ? i : 7 - i);
        out[i] = static_cast<char16_t>((word >> shift) & 0xFF);
      }
      position += 8;
      out += 8;
    }
    while (position < size && in[position] < 0x80) *out++ = in[position++];
    if (position == size) break;
    const std::size_t end = AnsiStretchEnd(in, position, size);
    out += DecodeAnsiStretch(converter, bytes.data() + position, end - position, out);
    position = end;
  }
  text.resize(static_cast<std::size_t>(out - text.data()));
  return text;
}

std::string EncodeAnsi(const std::u16string& text) {
  // Grows only for text that is mostly double-byte characters.
  std::string bytes(text.size() + text.size() / 2 + 16, '\0');
  const char16_t* in = text.data();
  const std::size_t size = text.size();
  std::size_t position = 0;
  std::size_t used = 0;
  IconvDescriptor converter(kAnsiCodePage, kNativeUtf16);
  while (position < size) {
    if (bytes.size() - used < size - position) bytes.resize(used + 2 * (size - position) + 16);
    std::uint64_t word;
    while (size - position >= 4 && AsciiWord(in + position, kUnitMask, word)) {
      for (std::size_t i = 0; i < 4; ++i) bytes[used + i] = static_cast<char>(in[position + i]);
      position += 4;
      used += 4;
    }
    while (position < size && in[position] < 0x80) bytes[used++] = static_cast<char>(in[position++]);
    if (position == size) break;
    const std::size_t end = Utf16StretchEnd(in, position, size);
    EncodeAnsiStretch(converter, in + position, end - position, bytes, used);
    position = end;
  }
  bytes.resize(used);
  return bytes;
}

WriteResult WriteFileBytes(const std::u16string& path, std::string_view bytes) {
  std::string native;
  if (!NativePath(path, native)) return Failure(EINVAL);
  const std::size_t slash = native.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : native.substr(0, slash + 1);

  // The result is made before the locals go, so errno is still the failed call's.
  TemporaryFile temporary;
  FileDescriptor file = CreateTemporaryFile(folder, temporary);
  if (!file.valid()) {
    const int error = errno;
    WriteResult failure = Failure(error);
    if (error == EACCES || error == EPERM || error == EROFS)
      failure.uncreatableFolder = path.substr(0, path.rfind(u'/') + 1);
    return failure;
  }
  if (!WriteAll(file.get(), bytes) || fsync(file.get()) != 0 || !file.Close()) return Failure(errno);
  if (rename(temporary.name().c_str(), native.c_str()) != 0) return Failure(errno);
  temporary.Keep();
  return {true, {}};
}

bool FileExists(const std::u16string& path) {
  std::string native;
  struct stat status {};
  return NativePath(path, native) && stat(native.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool RemoveFile(const std::u16string& path) {
  std::string native;
  // unlink, unlike remove, refuses folders.
  return NativePath(path, native) && unlink(native.c_str()) == 0;
}

std::u16string ProgramFolder() {
  std::string executable(256, '\0');
  for (;;) {
    const ssize_t length = readlink("/proc/self/exe", executable.data(), executable.size());
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < executable.size()) {
      executable.resize(static_cast<std::size_t>(length));
      break;
    }
    executable.resize(executable.size() * 2);
  }
  const std::size_t slash = executable.rfind('/');
  if (slash == std::string::npos) return {};
  return DecodeUtf8(executable.substr(0, slash + 1));
}

bool EscapeKeyDown() { return false; }

}  // namespace platform
