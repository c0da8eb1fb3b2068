// The Japanese user guide quotes the dialog's texts so that users can match what they read with what
// they see; these tests hold it to the program's own texts, so a changed message cannot go unnoticed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "checks.h"
#include "construction.h"
#include "dialog_values.h"
#include "failures.h"
#include "launch.h"
#include "orientation.h"
#include "platform.h"
#include "row_state.h"
#include "session.h"
#include "test_support.h"

namespace {

const std::filesystem::path kJwcadDir = std::filesystem::path(TARVIK_SOURCE_DIR) / "jwcad";

std::string GuideBytes() {
  return test_support::ReadBytes(kJwcadDir / std::filesystem::path(u8"はじめにお読みください.txt"));
}

// The guide without its byte-order mark and with its line ends made LF, so quoted texts can be found
// however the lines end.
std::u16string GuideText() {
  std::string bytes = GuideBytes();
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
  std::u16string text = platform::DecodeUtf8(bytes);
  std::u16string joined;
  for (char16_t c : text) {
    if (c != u'\r') joined.push_back(c);
  }
  return joined;
}

using test_support::Utf8;

// A message box's text, one entry per line.
std::vector<std::u16string> Lines(const std::u16string& message) {
  std::vector<std::u16string> lines;
  for (std::size_t start = 0; start <= message.size();) {
    const std::size_t end = std::min(message.find(u'\n', start), message.size());
    lines.push_back(message.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// A dialog state that passes every check: a first run on an exchange file without points and without a
// settings file, with the text style chosen as the user must. Each case below breaks exactly one control.
DialogValues Passing() {
  test_support::TempDir folder;
  test_support::WriteBytes(folder.path() / "JWC_TEMP.TXT", "hq\r\n");
  DimensionSession session;
  session.Load(folder.folder());
  DialogValues values = session.values;
  values.textStyle = 0;
  return values;
}

// ---- The file as Notepad opens it

TEST(UserGuideFile, Utf8WithByteOrderMarkAndCrLf) {
  const std::string bytes = GuideBytes();
  ASSERT_GT(bytes.size(), 3u) << "jwcad/はじめにお読みください.txt is missing or empty";
  // The mark makes every Notepad, also those before UTF-8 became their default, read it as UTF-8.
  EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
  const std::u16string text = platform::DecodeUtf8(bytes.substr(3));
  EXPECT_EQ(text.find(u'\uFFFD'), std::u16string::npos) << "bytes that are not UTF-8";
  int line = 1;
  for (std::size_t i = 3; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      EXPECT_EQ(bytes[i - 1], '\r') << "lone LF ending line " << line;
      ++line;
    } else if (bytes[i] == '\r') {
      EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "lone CR in line " << line;
    }
  }
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  EXPECT_EQ(bytes.find('\t'), std::string::npos) << "tabs would misalign the tables in other editors";
}

// ---- Texts of the program quoted exactly

TEST(UserGuideQuotes, EveryCheckMessageInTheOrderOfTheChecks) {
  ASSERT_FALSE(CheckOk(Passing()).has_value()) << "the passing state no longer passes";
  struct Case {
    const char* control;
    std::function<void(DialogValues&)> spoil;
  };
  const Case cases[] = {
      {"startMarker", [](DialogValues& v) { v.startMarker = kNoSelection; }},
      {"endMarker", [](DialogValues& v) { v.endMarker = kNoSelection; }},
      {"markerScale", [](DialogValues& v) { v.markerScale = u"0"; }},
      {"arrowLength", [](DialogValues& v) { v.arrowLength = u"0"; }},
      {"arrowAngle", [](DialogValues& v) { v.arrowAngle = u"180"; }},
      {"textStyle", [](DialogValues& v) { v.textStyle = kNoSelection; }},
      {"precision", [](DialogValues& v) { v.precision = kNoSelection; }},
      {"rounding", [](DialogValues& v) { v.rounding = kNoSelection; }},
      {"showZeros", [](DialogValues& v) { v.showZeros = kNoSelection; }},
      {"unit", [](DialogValues& v) { v.unit = kNoSelection; }},
      {"extensionGap", [](DialogValues& v) { v.extensionGap = u"-1"; }},
      {"extensionOvershoot", [](DialogValues& v) { v.extensionOvershoot = u"-1"; }},
      {"reversedOvershoot", [](DialogValues& v) { v.reversedOvershoot = u"-1"; }},
  };
  const std::u16string guide = GuideText();
  std::size_t after = 0;
  std::vector<std::u16string> seen;
  for (const Case& c : cases) {
    DialogValues values = Passing();
    c.spoil(values);
    const auto failure = CheckOk(values);
    ASSERT_TRUE(failure.has_value()) << c.control << " spoiled but accepted";
    for (const auto& earlier : seen) ASSERT_NE(earlier, failure->message) << c.control;
    seen.push_back(failure->message);
    // Searching on from the previous line makes the guide's table follow the order of the checks, each
    // message's accepted values after its first line.
    for (const std::u16string& line : Lines(failure->message)) {
      const std::size_t at = guide.find(line, after);
      EXPECT_NE(at, std::u16string::npos)
          << c.control << ": the guide does not quote, after the previous line: " << Utf8(line);
      if (at != std::u16string::npos) after = at + line.size();
    }
  }
}

TEST(UserGuideQuotes, MessagesOfTheRunAndTheTitle) {
  const std::u16string guide = GuideText();
  // The failures' first lines and the unreadable file's causes; the system's reason is explained.
  std::vector<std::u16string> texts = Lines(ExchangeUnreadableMessage(kToolName));
  texts.insert(texts.end(), {kNonFiniteMessage, kExchangeUnwritableMessage,
                             SettingsUnwritableHeadline(SettingsFileName(Orientation::Vertical)),
                             kReasonLabel, kOutOfMemoryMessage, kExchangeTooLargeMessage,
                             kRowUnwritableMessage});
  for (const std::u16string& row : {std::u16string(kNoRowMessage), std::u16string(kRowOfOtherDrawingMessage),
                                    ZeroDimensionMessage(RunFrame(Orientation::Vertical, DrawingFrame{}))})
    for (const std::u16string& line : Lines(row)) texts.push_back(line);
  for (const std::u16string& message :
       {SettingsUnreadableMessage(SettingsFileName(Orientation::Vertical), u"-"), UnexpectedFailureMessage("-")})
    texts.push_back(message.substr(0, message.find(u'\n')));
  for (const OrientationTraits& traits : AllOrientations()) {
    texts.push_back(traits.title);
    for (const std::u16string& line : Lines(ZeroDimensionMessage(traits.orientation))) texts.push_back(line);
  }
  for (const auto& text : texts) {
    ASSERT_FALSE(text.empty());
    EXPECT_NE(guide.find(text), std::u16string::npos) << "not quoted: " << Utf8(text);
  }
}

TEST(UserGuideQuotes, NamesEveryOptionOfTheProgram) {
  const std::u16string guide = GuideText();
  for (std::u16string_view name : OptionNames()) {
    const std::u16string option = u"/" + std::u16string(name);
    EXPECT_NE(guide.find(option), std::u16string::npos) << Utf8(option);
  }
}

TEST(UserGuideQuotes, EveryListEntryInListOrder) {
  struct Case {
    const char* list;
    const std::vector<std::u16string>& items;
  };
  const Case cases[] = {
      {"end markers", EndMarkerItems()},    {"precision", PrecisionItems()}, {"rounding", RoundingItems()},
      {"zero display", ZeroDisplayItems()}, {"unit", UnitItems()},
  };
  const std::u16string guide = GuideText();
  for (const Case& c : cases) {
    ASSERT_FALSE(c.items.empty()) << c.list;
    std::size_t after = guide.find(c.items.front());
    ASSERT_NE(after, std::u16string::npos) << c.list << ": " << Utf8(c.items.front());
    for (const auto& item : c.items) {
      const std::size_t at = guide.find(item, after);
      EXPECT_NE(at, std::u16string::npos) << c.list << ": entry missing or out of order: " << Utf8(item);
      if (at != std::u16string::npos) after = at + item.size();
    }
  }
}

TEST(UserGuideQuotes, NamesTheSettingsFilesTheProgramUses) {
  for (const OrientationTraits& traits : AllOrientations()) {
    test_support::TempDir folder;
    DimensionSession session(traits.orientation);
    session.Load(folder.folder());
    const std::u16string prefix = folder.folder();
    ASSERT_EQ(session.settingsFile.compare(0, prefix.size(), prefix), 0)
        << "the settings file is not in the program folder";
    const std::u16string name = session.settingsFile.substr(prefix.size());
    ASSERT_FALSE(name.empty());
    EXPECT_NE(GuideText().find(name), std::u16string::npos) << Utf8(name);
  }
}

TEST(UserGuideQuotes, TheBatchFilesNamesDescriptionsAndPrompts) {
  // Users look for these in the file chooser and the status bar; the guide must show the same words.
  const std::u16string guide = GuideText();
  for (const auto& entry : std::filesystem::directory_iterator(kJwcadDir)) {
    if (entry.path().extension() != ".bat") continue;
    const std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    EXPECT_NE(guide.find(platform::DecodeUtf8(name)), std::u16string::npos) << "the guide does not name it";
    const std::u16string batch = platform::DecodeAnsi(test_support::ReadBytes(entry.path()));
    ASSERT_FALSE(batch.empty());
    std::vector<std::u16string> quoted;
    std::size_t start = 0;
    while (start < batch.size()) {
      std::size_t end = batch.find(u"\r\n", start);
      if (end == std::u16string::npos) end = batch.size();
      const std::u16string line = batch.substr(start, end - start);
      start = end + 2;
      if (quoted.empty() && line.starts_with(u"@REM ")) {
        quoted.push_back(line.substr(5));  // the description
      } else if (line.size() > 5 && line.starts_with(u"REM #") && line[5] >= u'1' && line[5] <= u'9') {
        quoted.push_back(line.substr(line.find(u' ', 5) + 1));  // a prompt, after "#N" or "#N-"
      }
    }
    ASSERT_GE(quoted.size(), 3u) << "a description and the prompts expected";
    for (const auto& text : quoted) {
      EXPECT_NE(guide.find(text), std::u16string::npos) << "not in the guide: " << Utf8(text);
    }
  }
}

}  // namespace
