// The options of the program as batch files pass them, and what each dimension shows as its own.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "failures.h"
#include "launch.h"
#include "orientation.h"
#include "test_support.h"

namespace {

using test_support::Utf8;

TEST(Launch, OptionsChooseTheDimensionAndTheQuickRun) {
  constexpr Orientation V = Orientation::Vertical;
  constexpr Orientation H = Orientation::Horizontal;
  constexpr Orientation A = Orientation::Aligned;
  struct Case {
    std::u16string arguments;
    Orientation orientation;
    bool quick;
    bool next;
    std::u16string conflict;  // the refusal of options that do not go together; empty: none
  };
  const Case cases[] = {
      // Nothing given: the vertical tool with its dialog, as it always was.
      {u"", V, false, false, u""},
      {u"-HORIZONTAL", H, false, false, u""},
      {u"/quick", V, true, false, u""},
      {u"-QUICK /Horizontal", H, true, false, u""},
      {u"/Aligned -aligned", A, false, false, u""},
      {u"-quick /ALIGNED", A, true, false, u""},
      // A refused argument keeps what came before it, which captions the refusal.
      {u"/horizontal /vertical /quick", H, false, false, u""},
      // Two dimensions at once choose neither, in whichever order and case they come.
      {u"-Aligned /quick /HORIZONTAL", V, true, false, u"同時に指定できないオプションです：/horizontal と /aligned"},
      // A row continues in its own orientation: one named beside "/next" is refused.
      {u"/next -Quick", V, true, true, u""},
      {u"/next /aligned", A, false, true, u"同時に指定できないオプションです：/aligned と /next"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("arguments [" + Utf8(c.arguments) + "]");
    const ParsedCommandLine parsed = ParseCommandLine(c.arguments, OptionNames());
    const RunOptions options = ChosenOptions(parsed);
    EXPECT_EQ(options.orientation, c.orientation);
    EXPECT_EQ(options.quick, c.quick);
    EXPECT_EQ(options.next, c.next);
    EXPECT_EQ(Utf8(ConflictingOptionsMessage(parsed)), Utf8(c.conflict));
  }
}

// The shell builds these texts from what the tool tells it: its options, and the name its batch files go by.
TEST(Launch, RefusalAndUnreadableExchangeMessagesNameTarvik) {
  const std::u16string refusal = UnknownOptionMessage(u"/vertical", OptionNames());
  for (std::u16string_view name : OptionNames())
    EXPECT_NE(refusal.find(u"/" + std::u16string(name)), std::u16string::npos) << Utf8(refusal);
  EXPECT_NE(ExchangeUnreadableMessage(kToolName).find(u"tarvik のバッチファイル"), std::u16string::npos);
}

// Each dimension is chosen by its own option, names itself in its caption and its help text, and keeps
// its settings apart. The horizontal one says 水平 where the vertical one speaks of itself as 垂直.
TEST(Orientation, ChosenByItsOptionWithItsOwnCaptionSettingsAndHelpText) {
  std::set<std::u16string> titles, settingsFiles, helpTexts;
  for (const OrientationTraits& traits : AllOrientations()) {
    const std::u16string option = traits.option;
    const ParsedCommandLine parsed = ParseCommandLine(option.empty() ? option : u"/" + option, OptionNames());
    EXPECT_TRUE(parsed.Ok()) << Utf8(option);
    EXPECT_EQ(ChosenOptions(parsed).orientation, traits.orientation) << Utf8(option);
    titles.insert(ApplicationTitle(traits.orientation));
    settingsFiles.insert(SettingsFileName(traits.orientation));
    std::u16string help;
    for (const std::u16string& line : HelpTextLines(traits.orientation)) help += line + u"\n";
    helpTexts.insert(help);
  }
  EXPECT_EQ(titles.size(), AllOrientations().size());
  EXPECT_EQ(settingsFiles.size(), AllOrientations().size());
  EXPECT_EQ(helpTexts.size(), AllOrientations().size());

  const auto exchanged = [](const std::u16string& text) {
    std::u16string out;
    for (size_t i = 0; i < text.size(); ++i) {
      const std::u16string word = text.substr(i, 2);
      if (word == u"垂直" || word == u"水平") {
        out += word == u"垂直" ? u"水平" : u"垂直";
        ++i;
      } else {
        out += text[i];
      }
    }
    return out;
  };
  EXPECT_EQ(Utf8(ApplicationTitle(Orientation::Horizontal)),
            Utf8(exchanged(ApplicationTitle(Orientation::Vertical))));
  const std::vector<std::u16string> vertical = HelpTextLines(Orientation::Vertical);
  const std::vector<std::u16string> horizontal = HelpTextLines(Orientation::Horizontal);
  ASSERT_EQ(horizontal.size(), vertical.size());
  for (size_t i = 0; i < vertical.size(); ++i) {
    EXPECT_TRUE(horizontal[i] == vertical[i] || horizontal[i] == exchanged(vertical[i])) << "line " << i + 1;
  }
}

}  // namespace
