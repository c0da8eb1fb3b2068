// The exchange-file writer: exact bytes in both encodings, CR LF after every line, "hq" for an empty
// result, and no half-written or stale exchange file when the write fails.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#endif

#include <filesystem>
#include <string>
#include <vector>

#include "JwwGaibu.h"
#include "output_lines.h"
#include "test_support.h"

namespace {

using test_support::ReadBytes;
using test_support::FolderEntries;
using test_support::TempDir;
using test_support::WriteBytes;

const std::string kBom = "\xEF\xBB\xBF";


TEST(SaveTempFile, WritesEveryLineWithCrLfInTheEncodingThatWasRead) {
  const struct Case {
    const char* what;
    std::vector<std::u16string> lines;
    bool utf8;
    std::string bytes;
  } cases[] = {
      {"empty buffer, ANSI", {}, false, "hq\r\n"},
      {"empty buffer, UTF-8", {}, true, kBom + "hq\r\n"},
      {"three lines", {u"lg0", u"0 0 10 0", u"#"}, false, "lg0\r\n0 0 10 0\r\n#\r\n"},
      {"three lines, UTF-8", {u"lg0", u"0 0 10 0", u"#"}, true, kBom + "lg0\r\n0 0 10 0\r\n#\r\n"},
      {"an empty line and a line ending in a quote keep their places",
       {u"cs 0 0 10 0 \"a\"", u"", u"pl"},
       false,
       "cs 0 0 10 0 \"a\"\r\n\r\npl\r\n"},
      {"a lone empty line is not the empty result", {u""}, false, "\r\n"},
      {"Shift_JIS",
       {u"cn\"$ＭＳ ゴシック", u"ch 0 0 10 0 \"寸法表示"},
       false,
       "cn\"$\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e\r\n"
       "ch 0 0 10 0 \"\x90\xa1\x96\x40\x95\x5c\x8e\xa6\r\n"},
      {"UTF-8 keeps what Shift_JIS cannot hold",
       {u"ch 0 0 10 0 \"표\U0001F600€"},
       true,
       kBom + "ch 0 0 10 0 \"\xED\x91\x9C\xF0\x9F\x98\x80\xE2\x82\xAC\r\n"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    TJGdata jg;
    jg.MojiCode = c.utf8;
    for (const auto& line : c.lines) jg.SendMem(line);
    const auto target = dir.file("JWC_TEMP.TXT");
    EXPECT_TRUE(jg.SaveTempFile(target)) << c.what;
    EXPECT_EQ(ReadBytes(dir.path() / "JWC_TEMP.TXT"), c.bytes) << c.what;
    EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"JWC_TEMP.TXT"}) << c.what;
  }
}

TEST(SaveTempFile, ReplacesTheHostsFileWhole) {
  TempDir dir;
  const auto path = dir.path() / "JWC_TEMP.TXT";
  WriteBytes(path, std::string(5000, 'x'));
  TJGdata jg;
  jg.SendMem(u"pt 1 2");
  ASSERT_TRUE(jg.SaveTempFile(dir.file("JWC_TEMP.TXT")));
  EXPECT_EQ(ReadBytes(path), "pt 1 2\r\n");
}

TEST(SaveTempFile, LeavesTheBufferForAnotherWrite) {
  TempDir dir;
  TJGdata jg;
  jg.SendMem(u"a");
  jg.SendMem(u"b");
  ASSERT_TRUE(jg.SaveTempFile(dir.file("one.txt")));
  EXPECT_EQ(OutputLines(jg), (std::vector<std::u16string>{u"a", u"b"}));
  ASSERT_TRUE(jg.SaveTempFile(dir.file("two.txt")));
  EXPECT_EQ(ReadBytes(dir.path() / "one.txt"), ReadBytes(dir.path() / "two.txt"));
}

TEST(SaveTempFile, OnlyTheUsedPartOfTheBufferIsWritten) {
  TempDir dir;
  TJGdata jg;
  jg.SendMem(u"a");
  ASSERT_EQ(jg.t_Mem.size(), 1000u) << "capacity beyond the count must not reach the file";
  ASSERT_TRUE(jg.SaveTempFile(dir.file("JWC_TEMP.TXT")));
  EXPECT_EQ(ReadBytes(dir.path() / "JWC_TEMP.TXT"), "a\r\n");
}

// --- failing writes ---

TEST(SaveTempFile, AFolderThatDoesNotExistFailsWithoutAFile) {
  TempDir dir;
  TJGdata jg;
  jg.SendMem(u"0 0 1 1");
  EXPECT_FALSE(jg.SaveTempFile(dir.file("missing") + u"/JWC_TEMP.TXT"));
  EXPECT_TRUE(FolderEntries(dir.path()).empty());
}

TEST(SaveTempFile, ATargetThatCannotBeReplacedLeavesNoTruncatedFileBehind) {
  TempDir dir;
  const auto target = dir.path() / "JWC_TEMP.TXT";
  std::filesystem::create_directory(target);
  WriteBytes(target / "inside.txt", "keep");
  TJGdata jg;
  jg.SendMem(u"0 0 1 1");
  EXPECT_FALSE(jg.SaveTempFile(dir.file("JWC_TEMP.TXT")));
  EXPECT_TRUE(std::filesystem::is_directory(target));
  EXPECT_EQ(ReadBytes(target / "inside.txt"), "keep");
  EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"JWC_TEMP.TXT"})
      << "the temporary file must be gone";
}

#ifndef _WIN32
// Limits the size of files this process may write, for as long as it lives.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = signal(SIGXFSZ, SIG_IGN);  // a failing write, not a killed process
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*previousHandler_)(int) = nullptr;
};
#endif

TEST(SaveTempFile, AWriteThatFailsDeletesTheHostsFileRatherThanLeaveItToBeDrawnAgain) {
#ifdef _WIN32
  GTEST_SKIP() << "needs a per-process file size limit";
#else
  TempDir dir;
  const auto target = dir.path() / "JWC_TEMP.TXT";
  WriteBytes(target, "hp1 0 0\r\n");
  TJGdata jg;
  for (int i = 0; i < 100; ++i) jg.SendMem(u"0 0 1000 1000");
  bool written = true;
  std::u16string reason;
  {
    FileSizeLimit limit(64);
    written = jg.SaveTempFile(dir.file("JWC_TEMP.TXT"), &reason);
  }
  EXPECT_FALSE(written);
  EXPECT_FALSE(reason.empty()) << "the system's reason reaches the caller";
  EXPECT_TRUE(FolderEntries(dir.path()).empty()) << "neither the host's file nor a temporary file remains";
#endif
}

// --- ending without a result ---

TEST(StopJwwGaibu, EmptiesTheBufferSoTheHostDrawsNothing) {
  for (bool utf8 : {false, true}) {
    TempDir dir;
    TJGdata jg;
    jg.MojiCode = utf8;
    for (int i = 0; i < 2500; ++i) jg.SendMem(u"0 0 1 1");
    jg.StopJwwGaibu();
    EXPECT_EQ(jg.t_MemN, 0);
    EXPECT_TRUE(jg.t_Mem.empty());
    ASSERT_TRUE(jg.SaveTempFile(dir.file("JWC_TEMP.TXT")));
    EXPECT_EQ(ReadBytes(dir.path() / "JWC_TEMP.TXT"), (utf8 ? kBom : "") + "hq\r\n") << "utf8 " << utf8;
  }
}

TEST(StopJwwGaibu, KeepsTheAttributesLastWritten) {
  TJGdata jg;
  jg.S_Init();
  jg.S_Col(5, 0);
  jg.S_LGrp(2);
  jg.StopJwwGaibu();
  jg.S_Col(5, 0);
  jg.S_LGrp(2);
  jg.S_Col(6, 0);
  jg.S_Line(0, 0, 1, 0);
  EXPECT_EQ(OutputLines(jg), (std::vector<std::u16string>{u"lc6", u"0 0 1 0"}));
  EXPECT_EQ(jg.t_Mem.size(), 1000u);
}

}  // namespace
