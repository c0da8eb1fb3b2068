// The file helpers on real files: existence of files only, and deletion that reports what happened.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "MyFunc.h"
#include "test_support.h"

namespace {

using test_support::TempDir;
using test_support::WriteBytes;

TEST(FileExistsText, FilesOnly) {
  TempDir dir;
  const std::u16string file = dir.file("present.txt");
  WriteBytes(std::filesystem::path(file), "x");
  std::filesystem::create_directory(dir.path() / "folder");

  EXPECT_TRUE(FileExistsText(file));
  EXPECT_FALSE(FileExistsText(dir.file("missing.txt")));
  EXPECT_FALSE(FileExistsText(dir.file("folder")));
  EXPECT_FALSE(FileExistsText(dir.folder()));
  EXPECT_FALSE(FileExistsText(u""));
}

TEST(DeleteFileText, ReportsWhetherAFileWasDeleted) {
  TempDir dir;
  const std::u16string file = dir.file("gone.txt");
  WriteBytes(std::filesystem::path(file), "x");
  const std::filesystem::path folder = dir.path() / "folder";
  std::filesystem::create_directory(folder);

  EXPECT_TRUE(DeleteFileText(file));
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(file)));
  EXPECT_FALSE(DeleteFileText(file));  // already gone
  EXPECT_FALSE(DeleteFileText(dir.file("missing.txt")));
  EXPECT_FALSE(DeleteFileText(dir.file("no such folder/file.txt")));
  EXPECT_FALSE(DeleteFileText(u""));
  EXPECT_FALSE(DeleteFileText(folder.u16string()));  // an empty folder is not a file
  EXPECT_TRUE(std::filesystem::is_directory(folder));
}

#ifndef _WIN32
// Deletion goes by what a link leads to: a link to a folder, or one that leads nowhere, is no file and
// stays, even though the system would unlink it; a link to a file is itself what goes, not the file.
TEST(DeleteFileText, LinksAreJudgedByWhatTheyLeadTo) {
  TempDir dir;
  const std::filesystem::path folder = dir.path() / "folder";
  std::filesystem::create_directory(folder);
  const std::filesystem::path target = dir.path() / "target.txt";
  WriteBytes(target, "x");
  struct Case {
    const char* link;
    std::filesystem::path to;
    bool deleted;
  };
  const Case cases[] = {
      {"to folder", folder, false},
      {"dangling", dir.path() / "nowhere.txt", false},
      {"to file", target, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.link);
    const std::filesystem::path link = dir.path() / c.link;
    std::filesystem::create_symlink(c.to, link);
    EXPECT_EQ(DeleteFileText(link.u16string()), c.deleted);
    EXPECT_EQ(std::filesystem::is_symlink(std::filesystem::symlink_status(link)), !c.deleted);
  }
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_TRUE(std::filesystem::exists(target));
}
#endif

// The program folder and the exchange file may carry Japanese names; they reach the file system intact.
TEST(FileHelpers, JapaneseNames) {
  TempDir dir;
  const std::u16string file = (dir.path() / std::u16string(u"寸法ﾃｽﾄ.txt")).u16string();
  WriteBytes(std::filesystem::path(file), "x");
  EXPECT_TRUE(FileExistsText(file));
  EXPECT_TRUE(DeleteFileText(file));
  EXPECT_FALSE(FileExistsText(file));
}

}  // namespace
