// Helpers shared by the test programs: a scratch folder that removes itself, whole-file bytes, and
// texts in UTF-8 for messages.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "platform.h"

namespace test_support {

// A fresh folder under the system's temporary folder, removed with everything in it at scope exit.
class TempDir {
 public:
  TempDir() {
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
      auto candidate = std::filesystem::temp_directory_path() /
                       ("tarvik-test-" + std::to_string(rd()) + "-" + std::to_string(attempt));
      std::error_code ec;
      if (std::filesystem::create_directory(candidate, ec)) {
        path_ = candidate;
        return;
      }
    }
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // A file name inside the folder, as the UTF-16 text that the core takes.
  std::u16string file(const std::string& name) const { return (path_ / name).u16string(); }
  // The folder itself with a trailing separator, as the program folder is given.
  std::u16string folder() const {
    return path_.u16string() + static_cast<char16_t>(std::filesystem::path::preferred_separator);
  }

 private:
  std::filesystem::path path_;
};

inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The names in a folder, sorted: what a write left behind.
inline std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A text as UTF-8, so that a failure message shows it readably. Takes a view: tables of cases hold
// their texts as views.
inline std::string Utf8(std::u16string_view text) { return platform::EncodeUtf8(std::u16string(text)); }

// The fixtures folder of the source tree (tests/data).
inline std::filesystem::path DataDir() { return std::filesystem::path(TARVIK_SOURCE_DIR) / "tests" / "data"; }

}  // namespace test_support
