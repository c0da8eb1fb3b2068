// The jwc-render command as a whole: the picture it writes from either encoding, and its one-line
// failures that leave no file behind.
#include "jwc_render.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "test_support.h"

namespace {

using render::RunJwcRender;

std::u16string SamplePath() { return (test_support::DataDir() / "host_one_line_selection.txt").u16string(); }

bool OneLine(const std::string& message) {
  return !message.empty() && message.find('\n') == message.size() - 1;
}

TEST(JwcRender, DrawsEitherEncodingIntoTheNamedFile) {
  test_support::TempDir dir;
  // The host's own file: one selected line.
  const render::CommandResult host = RunJwcRender({SamplePath(), dir.file("host.svg"), u"--width", u"400"});
  ASSERT_EQ(0, host.status) << host.message;
  EXPECT_TRUE(host.message.empty());
  const std::string hostPicture = test_support::ReadBytes(dir.path() / "host.svg");
  EXPECT_NE(std::string::npos, hostPicture.find("width=\"400\""));
  EXPECT_NE(std::string::npos, hostPicture.find("<line x1=\"24\""));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "host.svg.partial"));

  // The same text in Shift_JIS and in UTF-8 with a byte-order mark draws the same picture.
  test_support::WriteBytes(dir.path() / "sjis.txt", "lc2\r\n0 0 100 0\r\nch 0 0 10 0 \"\x90\xA1\x96\x40\r\n");
  test_support::WriteBytes(dir.path() / "utf8.txt",
                           "\xEF\xBB\xBFlc2\r\n0 0 100 0\r\nch 0 0 10 0 \"\xE5\xAF\xB8\xE6\xB3\x95\r\n");
  ASSERT_EQ(0, RunJwcRender({dir.file("sjis.txt"), dir.file("sjis.svg")}).status);
  ASSERT_EQ(0, RunJwcRender({dir.file("utf8.txt"), dir.file("utf8.svg")}).status);
  const std::string picture = test_support::ReadBytes(dir.path() / "sjis.svg");
  EXPECT_EQ(picture, test_support::ReadBytes(dir.path() / "utf8.svg"));
  EXPECT_NE(std::string::npos, picture.find(">\xE5\xAF\xB8\xE6\xB3\x95</text>"));
}

TEST(JwcRender, LinesFromAlmostTheLargestNumbersStillMakeAFinitePicture) {
  test_support::TempDir dir;
  // The reader takes both lines; together they span more than a double holds.
  test_support::WriteBytes(dir.path() / "huge.txt", "0 0 1e308 0\r\n-1e308 0 0 0\r\n");
  const render::CommandResult result = RunJwcRender({dir.file("huge.txt"), dir.file("huge.svg")});
  ASSERT_EQ(0, result.status) << result.message;
  const std::string picture = test_support::ReadBytes(dir.path() / "huge.svg");
  // The run fills the usable width (a margin of 24 of 800 pixels), a tenth of it high.
  EXPECT_NE(std::string::npos, picture.find(" height=\"124\" "));
  EXPECT_NE(std::string::npos, picture.find("<line x1=\"400\" y1=\"62\" x2=\"776\" y2=\"62\""));
  EXPECT_NE(std::string::npos, picture.find("<line x1=\"24\" y1=\"62\" x2=\"400\" y2=\"62\""));
}

TEST(JwcRender, FailuresSayOneLineAndLeaveNoFile) {
  test_support::TempDir dir;
  struct Case {
    const char* name;
    std::vector<std::u16string> args;
    int status;
    bool oneLine;
  };
  const Case cases[] = {
      // Files.
      {"missing input", {dir.file("absent.txt"), dir.file("out.svg")}, 1, true},
      {"input is a folder", {dir.folder(), dir.file("out.svg")}, 1, true},
      {"output in a missing folder", {SamplePath(), dir.file("no/such/folder/out.svg")}, 1, true},
      {"output is a folder", {SamplePath(), dir.path().u16string()}, 1, true},
      {"missing host file", {SamplePath(), dir.file("out.svg"), u"--host", dir.file("absent.txt")}, 1, true},
      // Arguments: a message with the usage after it.
      {"one file", {SamplePath()}, 2, false},
      {"three files", {SamplePath(), dir.file("a.svg"), dir.file("b.svg")}, 2, false},
      {"scale without value", {SamplePath(), dir.file("out.svg"), u"--scale"}, 2, false},
      {"host without value", {SamplePath(), dir.file("out.svg"), u"--host"}, 2, false},
      // Arguments: a bad value alone.
      {"scale zero", {SamplePath(), dir.file("out.svg"), u"--scale", u"0"}, 2, true},
      {"scale not a number", {SamplePath(), dir.file("out.svg"), u"--scale", u"x"}, 2, true},
      {"width too small", {SamplePath(), dir.file("out.svg"), u"--width", u"10"}, 2, true},
  };
  for (const Case& c : cases) {
    const render::CommandResult result = RunJwcRender(c.args);
    EXPECT_EQ(c.status, result.status) << c.name;
    EXPECT_EQ(c.oneLine, OneLine(result.message)) << c.name << ": " << result.message;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "out.svg")) << c.name;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "out.svg.partial")) << c.name;
  }
  EXPECT_EQ(0, RunJwcRender({u"--help"}).status);
}

}  // namespace
