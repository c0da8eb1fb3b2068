// The options of the program as batch files pass them, and the texts each dimension shows as its own.
#include <gtest/gtest.h>

#include <string>

#include "command_line.h"
#include "dialog_values.h"
#include "orientation.h"
#include "test_support.h"

namespace {

using test_support::Utf8;

TEST(CommandLine, OptionsAndArguments) {
  struct Case {
    std::u16string arguments;
    Orientation orientation;
    std::u16string unknown;  // empty: accepted
  };
  const Case cases[] = {
      // Nothing given: the vertical tool as it always was.
      {u"", Orientation::Vertical, u""},
      {u"   \t ", Orientation::Vertical, u""},
      // Either mark, any case, quoted or not, given twice.
      {u"/horizontal", Orientation::Horizontal, u""},
      {u"-HORIZONTAL", Orientation::Horizontal, u""},
      {u"  /Horizontal\t", Orientation::Horizontal, u""},
      {u"\"/horizontal\"", Orientation::Horizontal, u""},
      {u"/horizontal -horizontal", Orientation::Horizontal, u""},
      // Anything else is refused as typed, the first such argument named.
      {u"horizontal", Orientation::Vertical, u"horizontal"},
      {u"/horizontal /vertical /x", Orientation::Horizontal, u"/vertical"},
      {u"/horizontalx", Orientation::Vertical, u"/horizontalx"},
      {u"//horizontal", Orientation::Vertical, u"//horizontal"},
      {u"/", Orientation::Vertical, u"/"},
      {u"/ｈｏｒｉｚｏｎｔａｌ", Orientation::Vertical, u"/ｈｏｒｉｚｏｎｔａｌ"},
      {u"\"/hori zontal\"", Orientation::Vertical, u"/hori zontal"},
      {u"\"\"", Orientation::Vertical, u"\"\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("arguments [" + Utf8(c.arguments) + "]");
    const ParsedCommandLine parsed = ParseCommandLine(c.arguments);
    EXPECT_EQ(parsed.Ok(), c.unknown.empty());
    EXPECT_EQ(Utf8(parsed.unknown), Utf8(c.unknown));
    EXPECT_EQ(parsed.options.orientation, c.orientation);
  }
}

TEST(CommandLine, UnknownOptionMessageNamesTheArgumentAndTheAcceptedOptions) {
  const std::u16string message = UnknownOptionMessage(u"/vertical");
  EXPECT_NE(message.find(u"/vertical"), std::u16string::npos) << Utf8(message);
  EXPECT_NE(message.find(u"/horizontal"), std::u16string::npos) << Utf8(message);
}

// Each dimension names itself in its caption and its help text, and keeps its settings apart.
TEST(Orientation, OwnCaptionSettingsFileAndHelpText) {
  EXPECT_EQ(Utf8(ApplicationTitle(Orientation::Vertical)), Utf8(kApplicationTitle));
  EXPECT_EQ(Utf8(ApplicationTitle(Orientation::Horizontal)), "tarvik－寸法値が離れた水平寸法線を作図");
  EXPECT_EQ(Utf8(SettingsFileName(Orientation::Vertical)), "selvan.dat");
  EXPECT_EQ(Utf8(SettingsFileName(Orientation::Horizontal)), "selvan_h.dat");

  const auto& vertical = HelpTextLines(Orientation::Vertical);
  const auto& horizontal = HelpTextLines(Orientation::Horizontal);
  ASSERT_EQ(vertical.size(), 24u);
  ASSERT_EQ(horizontal.size(), 24u);
  EXPECT_EQ(&vertical, &HelpTextLines());
  // The first paragraph and the first lines of the second speak of the dimension itself; the rest is
  // the same for both.
  const std::u16string mirrored[24] = {
      u"◇水平寸法線の設定は",     u"　垂直寸法線の設定とは", u"", u"　垂直寸法線の設定を", u"", u"", u"",
      u"　水平寸法線を作図します"};
  for (size_t i = 0; i < 24; ++i) {
    SCOPED_TRACE("line " + std::to_string(i + 1));
    EXPECT_EQ(Utf8(horizontal[i]), Utf8(mirrored[i].empty() ? vertical[i] : mirrored[i]));
  }
}

}  // namespace
