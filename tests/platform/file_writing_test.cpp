// Whole-file writes: both encodings, exact bytes over whatever stood there, and no partial or temporary
// file left behind by a write that fails.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform.h"
#include "platform_support.h"
#include "test_support.h"
#include "write_failures.h"

namespace {

namespace fs = std::filesystem;
using platform::TextEncoding;
using platform_support::Hex;
using platform_support::kUtf8Bom;
using test_support::FolderEntries;
using test_support::ReadBytes;
using test_support::TempDir;
using test_support::WriteBytes;

TEST(WriteTextFile, WritesBothEncodingsAndReadsThemBack) {
  struct Case {
    std::u16string text;
    bool utf8WithBom;
    std::string bytes;
  };
  const Case cases[] = {
      {u"hq\r\n", false, "hq\r\n"},
      {u"hq\r\n", true, kUtf8Bom + "hq\r\n"},
      {u"mj 0 0 \"寸法ｱ\r\n", false, "mj 0 0 \"\x90\xA1\x96\x40\xB1\r\n"},
      {u"mj 0 0 \"寸法ｱ\r\n", true, kUtf8Bom + "mj 0 0 \"\xE5\xAF\xB8\xE6\xB3\x95\xEF\xBD\xB1\r\n"},
      {u"\U0001F600\r\n", true, kUtf8Bom + "\xF0\x9F\x98\x80\r\n"},
      {u"", true, kUtf8Bom},
      {u"", false, ""},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(Hex(c.text) + (c.utf8WithBom ? "as UTF-8" : "in the ANSI code page"));
    ASSERT_TRUE(platform::WriteTextFile(dir.file("out.txt"), c.text, c.utf8WithBom));
    EXPECT_EQ(Hex(ReadBytes(dir.path() / "out.txt")), Hex(c.bytes));
    const platform::ReadTextResult read = platform::ReadTextFile(dir.file("out.txt"));
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.encoding, c.utf8WithBom ? TextEncoding::Utf8 : TextEncoding::Ansi);
    EXPECT_EQ(Hex(read.text), Hex(c.text));
    EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"out.txt"});
  }
}

TEST(WriteTextFile, ReplacesAnExistingFileWhole) {
  TempDir dir;
  const fs::path file = dir.path() / "JWC_TEMP.TXT";
  WriteBytes(file, std::string(10000, 'x') + "\r\nhp1 0 0\r\n");
  ASSERT_TRUE(platform::WriteTextFile(file.u16string(), u"hq\r\n", false));
  EXPECT_EQ(ReadBytes(file), "hq\r\n");
  EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"JWC_TEMP.TXT"});
}

// The bytes go in as they are, NUL and bytes of no encoding included, and whatever stood there before
// is gone, longer or shorter.
TEST(WriteFileBytes, ReplacesAnExistingFileWithExactlyTheBytes) {
  struct Case {
    const char* what;
    std::string before;
    std::string bytes;
  };
  const Case cases[] = {
      {"shorter over longer", std::string(10000, 'x') + "\r\n", "<svg/>"},
      {"longer over shorter", "<svg/>", std::string(70000, 'y')},
      {"NUL and high bytes", "old", std::string("\0\xFF\xFE\x80\0", 5)},
      {"nothing over something", "old", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const fs::path file = dir.path() / "out.svg";
    WriteBytes(file, c.before);
    ASSERT_TRUE(platform::WriteFileBytes(file.u16string(), c.bytes));
    EXPECT_EQ(Hex(ReadBytes(file)), Hex(c.bytes));
    EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"out.svg"});
  }
}

// A write that cannot happen says why and leaves nothing behind: no temporary file, whichever call failed,
// and the target as it was.
TEST(WriteFileBytes, EveryFailureSaysWhyAndLeavesNothingBehind) {
  const test_support::UnreadableBytes unreadable(1 << 16);
  ASSERT_TRUE(unreadable.valid());
  const std::string longerThanAllowed(64, 'x');
  struct Case {
    const char* what;
    std::string target;     // under the scratch folder; a folder when it ends in "/"
    std::string_view bytes;
    bool blocked;           // test_support::WriteBlocker on the target
  };
  const Case cases[] = {
      {"create: the folder does not exist", "missing/JWC_TEMP.TXT", "hq\r\n", false},
      {"write: bytes the process cannot read", "JWC_TEMP.TXT", unreadable.view(), false},
      {"rename: the target is a folder", "folder/", "hq\r\n", false},
#ifdef _WIN32
      {"rename: the target is held open", "JWC_TEMP.TXT", "hq\r\n", true},
#else
      {"write: the file may not grow", "JWC_TEMP.TXT", longerThanAllowed, true},
#endif
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const bool folderTarget = c.target.ends_with('/');
    const fs::path target = dir.path() / fs::path(folderTarget ? c.target.substr(0, c.target.size() - 1) : c.target);
    if (folderTarget) {
      fs::create_directory(target);
    } else if (fs::exists(target.parent_path())) {
      WriteBytes(target, "host's file");
    }
    const std::vector<std::string> before = FolderEntries(dir.path());
    platform::WriteResult result;
    {
      std::optional<test_support::WriteBlocker> blocker;
      if (c.blocked) blocker.emplace(target);
      result = platform::WriteFileBytes(target.u16string(), c.bytes);
    }
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.reason.empty()) << "no reason given";
    EXPECT_EQ(FolderEntries(dir.path()), before) << "a temporary file stayed";
    if (folderTarget) {
      EXPECT_TRUE(fs::is_empty(target));
    } else if (fs::exists(target)) {
      EXPECT_EQ(ReadBytes(target), "host's file");
    }
  }
  EXPECT_FALSE(platform::WriteTextFile(u"", u"hq\r\n", true).ok) << "empty name";
}

#ifdef _WIN32
// A scanner or indexer that holds the target for a moment delays the replacement; it does not fail it.
TEST(WriteFileBytes, ReplacesATargetThatIsLetGoOfWithinAMoment) {
  TempDir dir;
  const fs::path target = dir.path() / "JWC_TEMP.TXT";
  WriteBytes(target, "host's file");
  auto blocker = std::make_unique<test_support::WriteBlocker>(target);
  std::thread release([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    blocker.reset();
  });
  const platform::WriteResult result = platform::WriteFileBytes(target.u16string(), "hq\r\n");
  release.join();
  EXPECT_TRUE(result.ok) << test_support::Utf8(result.reason);
  EXPECT_EQ(ReadBytes(target), "hq\r\n");
  EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"JWC_TEMP.TXT"});
}
#endif

}  // namespace
