// Ways to make a whole-file write fail in a test, on both platforms.
#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string_view>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#include <sys/resource.h>

#include <csignal>
#endif

namespace test_support {

// While it lives, a whole-file write over `target` fails: on Windows the target is held open without
// leave to delete it, as the C runtime opens files, so the replacement is refused; elsewhere a file-size
// limit of a few bytes makes the writing itself fail (for the superuser too).
class WriteBlocker {
 public:
  explicit WriteBlocker([[maybe_unused]] const std::filesystem::path& target) {
#ifdef _WIN32
    holder_.open(target, std::ios::binary);
#else
    getrlimit(RLIMIT_FSIZE, &old_);
    struct rlimit tiny = old_;
    tiny.rlim_cur = 16;
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &tiny);
#endif
  }
  ~WriteBlocker() {
#ifdef _WIN32
    holder_.close();
#else
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
#endif
  }
  WriteBlocker(const WriteBlocker&) = delete;
  WriteBlocker& operator=(const WriteBlocker&) = delete;

 private:
#ifdef _WIN32
  std::ifstream holder_;
#else
  struct rlimit old_ {};
  void (*oldHandler_)(int) = SIG_DFL;
#endif
};

// Memory that the process may not read: a write from it fails inside the system call, with the file open.
class UnreadableBytes {
 public:
  explicit UnreadableBytes(std::size_t size) : size_(size) {
#ifdef _WIN32
    data_ = VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_NOACCESS);
#else
    data_ = mmap(nullptr, size, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (data_ == MAP_FAILED) data_ = nullptr;
#endif
  }
  ~UnreadableBytes() {
#ifdef _WIN32
    if (data_ != nullptr) VirtualFree(data_, 0, MEM_RELEASE);
#else
    if (data_ != nullptr) munmap(data_, size_);
#endif
  }
  UnreadableBytes(const UnreadableBytes&) = delete;
  UnreadableBytes& operator=(const UnreadableBytes&) = delete;

  bool valid() const { return data_ != nullptr; }
  std::string_view view() const { return {static_cast<const char*>(data_), data_ == nullptr ? 0 : size_}; }

 private:
  void* data_ = nullptr;
  std::size_t size_;
};

}  // namespace test_support
