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
  constexpr Orientation V = Orientation::Vertical;
  constexpr Orientation H = Orientation::Horizontal;
  struct Case {
    std::u16string arguments;
    Orientation orientation;
    bool quick;
    std::u16string unknown;  // empty: accepted
  };
  const Case cases[] = {
      // Nothing given: the vertical tool with its dialog, as it always was.
      {u"", V, false, u""},
      {u"   \t ", V, false, u""},
      // Either mark, any case, quoted or not, given twice, in either order.
      {u"/horizontal", H, false, u""},
      {u"-HORIZONTAL", H, false, u""},
      {u"  /Horizontal\t", H, false, u""},
      {u"\"/horizontal\"", H, false, u""},
      {u"/horizontal -horizontal", H, false, u""},
      {u"/quick", V, true, u""},
      {u"-Quick", V, true, u""},
      {u"/horizontal /quick", H, true, u""},
      {u"-QUICK /Horizontal", H, true, u""},
      // Anything else is refused as typed, the first such argument named.
      {u"horizontal", V, false, u"horizontal"},
      {u"/horizontal /vertical /x", H, false, u"/vertical"},
      {u"/quick /q", V, true, u"/q"},
      {u"/horizontalx", V, false, u"/horizontalx"},
      {u"/horizontal/quick", V, false, u"/horizontal/quick"},
      {u"//horizontal", V, false, u"//horizontal"},
      {u"/", V, false, u"/"},
      {u"/ｈｏｒｉｚｏｎｔａｌ", V, false, u"/ｈｏｒｉｚｏｎｔａｌ"},
      {u"\"/hori zontal\"", V, false, u"/hori zontal"},
      {u"\"\"", V, false, u"\"\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("arguments [" + Utf8(c.arguments) + "]");
    const ParsedCommandLine parsed = ParseCommandLine(c.arguments);
    EXPECT_EQ(Utf8(parsed.unknown), Utf8(c.unknown));
    EXPECT_EQ(parsed.options.orientation, c.orientation);
    EXPECT_EQ(parsed.options.quick, c.quick);
  }
}

TEST(CommandLine, UnknownOptionMessageNamesTheArgumentAndTheAcceptedOptions) {
  const std::u16string message = UnknownOptionMessage(u"/vertical");
  EXPECT_NE(message.find(u"/vertical"), std::u16string::npos) << Utf8(message);
  for (const char16_t* option : {u"/horizontal", u"/quick"}) {
    EXPECT_NE(message.find(option), std::u16string::npos) << Utf8(message);
  }
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
