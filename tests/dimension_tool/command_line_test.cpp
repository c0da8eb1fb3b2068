// The options of the program as batch files pass them, and what each dimension shows as its own.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "command_line.h"
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

// Each dimension is chosen by its own option and keeps its own caption and settings file. The horizontal
// one says 水平 where the vertical one speaks of itself as 垂直.
TEST(Orientation, ChosenByItsOptionWithItsOwnCaptionSettingsAndHelpText) {
  std::set<std::u16string> titles, settingsFiles;
  for (const OrientationTraits& traits : AllOrientations()) {
    const std::u16string option = traits.option;
    const ParsedCommandLine parsed = ParseCommandLine(option.empty() ? option : u"/" + option);
    EXPECT_TRUE(parsed.Ok() && parsed.options.orientation == traits.orientation) << Utf8(option);
    titles.insert(ApplicationTitle(traits.orientation));
    settingsFiles.insert(SettingsFileName(traits.orientation));
  }
  EXPECT_EQ(titles.size(), AllOrientations().size());
  EXPECT_EQ(settingsFiles.size(), AllOrientations().size());

  const auto exchanged = [](std::u16string text) {
    for (size_t at = 0; at + 1 < text.size(); ++at) {
      if (text.compare(at, 2, u"垂直") == 0 || text.compare(at, 2, u"水平") == 0) {
        text.replace(at, 2, text[at] == u'垂' ? u"水平" : u"垂直");
        ++at;
      }
    }
    return text;
  };
  EXPECT_EQ(Utf8(ApplicationTitle(Orientation::Horizontal)),
            Utf8(exchanged(ApplicationTitle(Orientation::Vertical))));
  const std::vector<std::u16string> vertical = HelpTextLines(Orientation::Vertical);
  const std::vector<std::u16string> horizontal = HelpTextLines(Orientation::Horizontal);
  ASSERT_EQ(horizontal.size(), vertical.size());
  EXPECT_NE(horizontal.front(), vertical.front());
  for (size_t i = 0; i < vertical.size(); ++i) {
    EXPECT_TRUE(horizontal[i] == vertical[i] || horizontal[i] == exchanged(vertical[i])) << "line " << i + 1;
  }
}

}  // namespace
