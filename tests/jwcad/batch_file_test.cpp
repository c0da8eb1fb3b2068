// The batch files are the host's half of the contract: Jw_cad reads their directives to know which
// points to ask for and where to write the exchange file, so their bytes matter as much as their words.
// Every batch file shipped in jwcad/ is checked the same way, each with the call it must make.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <ostream>
#include <cstddef>
#include <string>
#include <vector>

#include "MyFunc.h"
#include "platform.h"
#include "test_support.h"

namespace {

const std::filesystem::path kJwcadDir = std::filesystem::path(TARVIK_SOURCE_DIR) / "jwcad";

struct BatchFile {
  const char* name;
  const char* call;  // the one command after the directives
  // What follows the run: "#hr" runs the same file again, "#h/NAME.BAT" hands over to another one.
  const char16_t* then = u"#hr";
  bool twoPoints = false;  // the next point and the value's position, instead of the four points
};

const BatchFile kBatchFiles[] = {
    {"tarvik.bat", "\"%~dp0tarvik.exe\""},
    {"tarvik_h.bat", "\"%~dp0tarvik.exe\" /horizontal"},
    {"tarvik_q.bat", "\"%~dp0tarvik.exe\" /quick"},
    {"tarvik_hq.bat", "\"%~dp0tarvik.exe\" /horizontal /quick"},
    {"tarvik_a.bat", "\"%~dp0tarvik.exe\" /aligned"},
    {"tarvik_aq.bat", "\"%~dp0tarvik.exe\" /aligned /quick"},
    // A row: the first dimension by four points, then the two-point file for each following one.
    {"tarvik_r.bat", "\"%~dp0tarvik.exe\" /quick", u"#h/tarvik_n.bat"},
    {"tarvik_hr.bat", "\"%~dp0tarvik.exe\" /horizontal /quick", u"#h/tarvik_n.bat"},
    {"tarvik_ar.bat", "\"%~dp0tarvik.exe\" /aligned /quick", u"#h/tarvik_n.bat"},
    {"tarvik_n.bat", "\"%~dp0tarvik.exe\" /next /quick", u"#hr", true},
};

void PrintTo(const BatchFile& file, std::ostream* out) { *out << file.name; }

std::string BatchBytes(const BatchFile& file) { return test_support::ReadBytes(kJwcadDir / file.name); }

using test_support::Utf8;

bool IsJapanese(char16_t c) {
  return (c >= 0x3000 && c <= 0x9FFF) || (c >= 0xFF00 && c <= 0xFFEF);
}

bool HasJapanese(const std::u16string& text) {
  for (char16_t c : text) {
    if (IsJapanese(c)) return true;
  }
  return false;
}

// Strict UTF-8 validity, to tell a file saved in the wrong encoding: the decoder turns every invalid
// sequence (overlong, surrogate, cut short) into U+FFFD, so only valid bytes survive the round trip.
bool IsValidUtf8(const std::string& bytes) { return platform::EncodeUtf8(platform::DecodeUtf8(bytes)) == bytes; }

// The decoded lines, split at CR LF; the final CR LF ends the last line and adds none.
std::vector<std::u16string> BatchLines(const BatchFile& file) {
  const std::u16string text = platform::DecodeAnsi(BatchBytes(file));
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(u"\r\n", start);
    if (end == std::u16string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

const std::u16string kPromptEnd = u" (L)free (R)Read";

// Every shipped batch file is checked the same way.
class Batch : public ::testing::TestWithParam<BatchFile> {
 protected:
  std::string bytes_ = BatchBytes(GetParam());
  std::vector<std::u16string> lines_ = BatchLines(GetParam());
};

// ---- Bytes as Jw_cad and cmd.exe read them

TEST_P(Batch, BytesAreShiftJisWithoutByteOrderMarkAndEndInCrLf) {
  ASSERT_GE(bytes_.size(), 4u) << "the batch file is missing or empty";
  EXPECT_NE(bytes_.substr(0, 3), "\xEF\xBB\xBF") << "a UTF-8 byte-order mark breaks the first line";
  EXPECT_NE(bytes_.substr(0, 2), "\xFF\xFE") << "UTF-16 LE is not a batch file";
  EXPECT_NE(bytes_.substr(0, 2), "\xFE\xFF") << "UTF-16 BE is not a batch file";
  int line = 1;
  for (std::size_t i = 0; i < bytes_.size(); ++i) {
    if (bytes_[i] == '\n') {
      EXPECT_TRUE(i > 0 && bytes_[i - 1] == '\r') << "lone LF ending line " << line;
      ++line;
    } else if (bytes_[i] == '\r') {
      EXPECT_TRUE(i + 1 < bytes_.size() && bytes_[i + 1] == '\n') << "lone CR in line " << line;
    }
  }
  // The call line too: without its line end some hosts' copies of cmd skip it.
  EXPECT_EQ(bytes_.substr(bytes_.size() - 2), "\r\n") << "the last line has no CR LF";

  const std::u16string text = platform::DecodeAnsi(bytes_);
  EXPECT_EQ(text.find(u'\uFFFD'), std::u16string::npos) << "bytes that Shift_JIS cannot decode";
  EXPECT_EQ(text.find(u'\0'), std::u16string::npos);
  // Decoding alone would accept UTF-8 Japanese as a string of odd kanji; the two encodings' byte
  // patterns for Japanese text exclude each other, so Shift_JIS text with any Japanese fails UTF-8.
  EXPECT_TRUE(HasJapanese(text)) << "the prompts are meant to be Japanese";
  EXPECT_FALSE(IsValidUtf8(bytes_)) << "saved as UTF-8: Jw_cad would show the prompts garbled";
  // Shift_JIS maps one to one: encoding the decoded text back must give the very same bytes.
  EXPECT_EQ(platform::EncodeAnsi(text), bytes_);
}

// ---- What Jw_cad reads from the lines

TEST_P(Batch, FirstLineIsAJapaneseDescriptionThenEchoOff) {
  ASSERT_GE(lines_.size(), 2u);
  // The file chooser's memo column shows the first line; a REM keeps cmd from running it, and the "@"
  // from echoing it into the console window before "@echo off" takes effect.
  EXPECT_TRUE(lines_[0].starts_with(u"@REM ")) << Utf8(lines_[0]);
  EXPECT_TRUE(HasJapanese(lines_[0])) << Utf8(lines_[0]);
  EXPECT_EQ(Utf8(lines_[1]), "@echo off");
}

TEST_P(Batch, DirectivesInOrderWithADifferentJapanesePromptForEachPoint) {
  struct Case {
    std::u16string directive;
    bool prompted;  // an indicated point, whose prompt appears in the status bar
  };
  // #hr: Jw_cad asks for point 1 again after each result, until another command is chosen. "#N-": a
  // temporary line from point N to the cursor while the next point is picked.
  std::vector<Case> expected = {{u"#jww", false}, {u"#cd", false}, {GetParam().then, false},
                                {u"#1-", true},   {u"#2", true}};
  if (!GetParam().twoPoints) expected.insert(expected.end(), {{u"#3-", true}, {u"#4", true}});
  expected.push_back({u"#e", false});
  std::vector<std::u16string> directives;
  for (const auto& line : lines_) {
    if (line.starts_with(u"REM #")) directives.push_back(line.substr(4));
  }
  ASSERT_EQ(directives.size(), expected.size()) << "directive lines found";
  std::vector<std::u16string> prompts;
  for (std::size_t i = 0; i < directives.size(); ++i) {
    const Case& c = expected[i];
    const std::u16string& got = directives[i];
    SCOPED_TRACE("directive " + Utf8(c.directive) + ", line: REM " + Utf8(got));
    if (!c.prompted) {
      EXPECT_EQ(got, c.directive);
      continue;
    }
    ASSERT_TRUE(got.starts_with(c.directive + u" "));
    ASSERT_TRUE(got.ends_with(kPromptEnd));
    const std::u16string prompt =
        got.substr(c.directive.size() + 1, got.size() - c.directive.size() - 1 - kPromptEnd.size());
    ASSERT_TRUE(HasJapanese(prompt));
    // A digit right after the number would make Jw_cad read another point number.
    EXPECT_FALSE(prompt.front() >= u'0' && prompt.front() <= u'9');
    for (const auto& other : prompts) EXPECT_NE(other, prompt) << "two points ask the same";
    prompts.push_back(prompt);
  }
}

TEST_P(Batch, EndsWithAPlainCallOfTheProgramBesideIt) {
  ASSERT_FALSE(lines_.empty());
  std::size_t end_directive = lines_.size();
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i] == u"REM #e") end_directive = i;
  }
  ASSERT_LT(end_directive, lines_.size()) << "no REM #e";
  // The call is the one command after the directives; "start" would let the batch end before the
  // dialog does, and Jw_cad would read the exchange file back unchanged.
  ASSERT_EQ(lines_.size(), end_directive + 2) << "expected exactly one line after REM #e";
  EXPECT_EQ(Utf8(lines_.back()), GetParam().call);
  for (const auto& line : lines_) {
    std::string lower = Utf8(line);
    for (auto& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    EXPECT_EQ(lower.find("start "), std::string::npos) << Utf8(line);
  }
}

TEST_P(Batch, HashOnlyInDirectives) {
  // Jw_cad takes a '#' near the start of a REM line as a directive, so descriptions and prompts
  // must not carry one; each directive line carries exactly its own.
  ASSERT_FALSE(lines_.empty());
  for (const auto& line : lines_) {
    EXPECT_EQ(line.find(u'\uFF03'), std::u16string::npos) << "a full-width '#': " << Utf8(line);
    const std::size_t first = line.find(u'#');
    if (first == std::u16string::npos) continue;
    EXPECT_EQ(first, 4u) << "a '#' outside a directive: " << Utf8(line);
    EXPECT_TRUE(line.starts_with(u"REM #")) << Utf8(line);
    EXPECT_EQ(line.find(u'#', first + 1), std::u16string::npos) << "a second '#': " << Utf8(line);
  }
}

INSTANTIATE_TEST_SUITE_P(Shipped, Batch, ::testing::ValuesIn(kBatchFiles),
                         [](const ::testing::TestParamInfo<BatchFile>& info) {
                           const std::string name = info.param.name;
                           return name.substr(0, name.find('.'));
                         });

TEST(BatchFiles, EveryShippedBatchFileIsCheckedAndDescribedDifferently) {
  std::vector<std::string> shipped;
  for (const auto& entry : std::filesystem::directory_iterator(kJwcadDir)) {
    if (entry.path().extension() == ".bat") shipped.push_back(entry.path().filename().string());
  }
  std::vector<std::string> checked;
  std::vector<std::u16string> descriptions;
  for (const BatchFile& file : kBatchFiles) {
    checked.push_back(file.name);
    const auto lines = BatchLines(file);
    ASSERT_FALSE(lines.empty()) << file.name;
    for (const auto& other : descriptions) EXPECT_NE(other, lines[0]) << file.name << " reads like another";
    descriptions.push_back(lines[0]);
  }
  std::sort(shipped.begin(), shipped.end());
  std::sort(checked.begin(), checked.end());
  EXPECT_EQ(shipped, checked);
}

// The guide's table of clicks, lines "  NAME.bat  what  N クリック": the first dimension of a row costs 4,
// each following one 2, as many as the row files ask points for.
TEST(BatchFiles, TheGuidesClickCountsAreThePointsEachRowFileAsks) {
  const std::string bytes = test_support::ReadBytes(kJwcadDir / std::filesystem::path(u8"はじめにお読みください.txt"));
  const std::u16string unit = u" クリック";
  std::map<std::string, int> clicks;
  for (const std::u16string& line : SplitLines(platform::DecodeUtf8(bytes.substr(3)))) {
    const std::size_t bat = line.find(u".bat");
    if (!line.starts_with(u"  tarvik") || bat == std::u16string::npos || !line.ends_with(unit)) continue;
    const std::size_t count = line.rfind(u' ', line.size() - unit.size() - 1) + 1;
    clicks[Utf8(line.substr(2, bat + 2))] = std::stoi(Utf8(line.substr(count)));
  }
  for (const BatchFile& file : kBatchFiles) {
    if (std::u16string_view(file.then) == u"#hr" && !file.twoPoints) continue;  // not a row file
    int prompts = 0;
    for (const auto& line : BatchLines(file)) {
      if (line.size() > 5 && line.starts_with(u"REM #") && line[5] >= u'1' && line[5] <= u'9') ++prompts;
    }
    ASSERT_TRUE(clicks.contains(file.name)) << file.name << " is not in the guide's table";
    EXPECT_EQ(clicks[file.name], prompts) << file.name;
  }
}

}  // namespace
