// The options of the program as batch files pass them, and the texts each dimension shows as its own.
#include <gtest/gtest.h>

#include <string>

#include "dialog_values.h"
#include "failures.h"
#include "launch.h"
#include "orientation.h"
#include "test_support.h"

namespace {

using test_support::Utf8;

TEST(Launch, OptionsChooseTheDimensionAndTheQuickRun) {
  constexpr Orientation V = Orientation::Vertical;
  constexpr Orientation H = Orientation::Horizontal;
  struct Case {
    std::u16string arguments;
    Orientation orientation;
    bool quick;
  };
  const Case cases[] = {
      // Nothing given: the vertical tool with its dialog, as it always was.
      {u"", V, false},
      {u"-HORIZONTAL", H, false},
      {u"/quick", V, true},
      {u"-QUICK /Horizontal", H, true},
      // A refused argument keeps what came before it, which captions the refusal.
      {u"/horizontal /vertical /quick", H, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("arguments [" + Utf8(c.arguments) + "]");
    const RunOptions options = ChosenOptions(ParseCommandLine(c.arguments, kOptionNames));
    EXPECT_EQ(options.orientation, c.orientation);
    EXPECT_EQ(options.quick, c.quick);
  }
}

// The shell builds these texts from what the tool tells it; the user sees them as they always were.
TEST(Launch, RefusalAndUnreadableExchangeMessagesNameTarvik) {
  EXPECT_EQ(Utf8(UnknownOptionMessage(u"/vertical", kOptionNames)),
            "指定できないオプションです：/vertical\r\n使えるオプションは /horizontal と /quick です");
  EXPECT_EQ(Utf8(ExchangeUnreadableMessage(kBatchFileName)),
            "「JWC_TEMP.TXT」が読み込めませんので作図出来ません\n"
            "本ソフトはJw_cadの「その他」－「外部変形」でバッチファイル「tarvik.bat」を選んで起動して下さい");
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
