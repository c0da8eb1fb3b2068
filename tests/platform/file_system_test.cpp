// The platform layer's file-system questions: long path names, which names are files, deleting only
// files, and the folder of the running program.
#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "platform.h"
#include "platform_support.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using platform_support::kSeparator;
using test_support::TempDir;
using test_support::WriteBytes;

// Names past MAX_PATH (260) and in the range 248 to 259 that Win32 treats apart, in every call.
TEST(FileSystem, LongPathsWorkForEveryFileOperation) {
  for (std::size_t length : {250u, 300u}) {
    SCOPED_TRACE(length);
    TempDir dir;
    const std::size_t room = length - dir.path().u16string().size() - std::string("/JWC_TEMP.TXT").size();
    const fs::path nested = dir.path() / std::string(room / 2, 'a') / std::string(room - room / 2 - 2, 'b');
    std::error_code error;
    fs::create_directories(nested, error);
    ASSERT_FALSE(error) << error.message();
    const std::u16string file = (nested / "JWC_TEMP.TXT").u16string();
    ASSERT_EQ(file.size(), length);
    EXPECT_TRUE(platform::WriteTextFile(file, u"hq\r\n", false).ok);
    EXPECT_TRUE(platform::FileExists(file));
    EXPECT_EQ(platform::ReadTextFile(file).text, u"hq\r\n");
    EXPECT_TRUE(platform::RemoveFile(file));
    EXPECT_FALSE(platform::FileExists(file));
  }
}

TEST(FileSystem, FileExistsOnlyForRegularFiles) {
  TempDir dir;
  WriteBytes(dir.path() / "file.txt", "hq\r\n");
  fs::create_directory(dir.path() / "folder");
  struct Case {
    const char* what;
    std::u16string path;
    bool exists;
  };
  std::vector<Case> cases = {
      {"file", dir.file("file.txt"), true},
      {"folder", dir.file("folder"), false},
      {"folder with separator", dir.folder(), false},
      {"missing", dir.file("missing.txt"), false},
      {"empty name", u"", false},
      {"name with a NUL", dir.file("file.txt") + u'\0', false},
  };
#ifndef _WIN32
  fs::create_symlink(dir.path() / "file.txt", dir.path() / "link-to-file");
  fs::create_directory_symlink(dir.path() / "folder", dir.path() / "link-to-folder");
  fs::create_symlink(dir.path() / "missing.txt", dir.path() / "dangling");
  cases.push_back({"link to a file", dir.file("link-to-file"), true});
  cases.push_back({"link to a folder", dir.file("link-to-folder"), false});
  cases.push_back({"dangling link", dir.file("dangling"), false});
#endif
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(platform::FileExists(c.path), c.exists);
  }
}

TEST(FileSystem, RemoveFileDeletesOnlyFiles) {
  TempDir dir;
  fs::create_directory(dir.path() / "folder");
  struct Case {
    const char* what;
    std::string create;  // file to create first, if any
    std::u16string path;
    bool removed;
  };
  std::vector<Case> cases = {
      {"existing file", "file.txt", dir.file("file.txt"), true},
      {"missing file", "", dir.file("missing.txt"), false},
      {"folder", "", dir.file("folder"), false},
      {"file in a missing folder", "", dir.file("missing") + kSeparator + u"file.txt", false},
      {"empty name", "", u"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (!c.create.empty()) WriteBytes(dir.path() / c.create, "x");
    EXPECT_EQ(platform::RemoveFile(c.path), c.removed);
    if (!c.create.empty()) {
      EXPECT_EQ(fs::exists(dir.path() / c.create), !c.removed);
    }
    EXPECT_TRUE(fs::is_directory(dir.path() / "folder"));
  }
}

TEST(FileSystem, ProgramFolderHoldsTheRunningProgram) {
  const std::u16string folder = platform::ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), kSeparator);
  EXPECT_TRUE(fs::is_directory(fs::path(folder)));
#ifdef _WIN32
  EXPECT_TRUE(fs::is_regular_file(fs::path(folder + u"platform_tests.exe")));
#else
  EXPECT_TRUE(fs::is_regular_file(fs::path(folder + u"platform_tests")));
#endif
}

}  // namespace
