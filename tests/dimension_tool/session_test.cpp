// The quick run: the dialog's OK path on the stored settings without the dialog, or nothing at all when
// the dialog must open to set things up.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "JwwGaibu.h"
#include "golden_support.h"
#include "session.h"
#include "settings_file.h"
#include "test_support.h"

namespace {

using golden::Host;
using test_support::ReadBytes;
using test_support::Utf8;
using test_support::WriteBytes;

// A settings file as an earlier OK wrote it.
std::string StoredSettings(const DialogValues& values) {
  test_support::TempDir scratch;
  const std::filesystem::path file = scratch.path() / "stored.dat";
  EXPECT_TRUE(SaveDatFile(file.u16string(), values, WindowPosition{300, 200}, TJGdata()));
  return ReadBytes(file);
}

struct Folder {
  test_support::TempDir dir;
  std::filesystem::path exchange = dir.path() / "JWC_TEMP.TXT";
  std::filesystem::path settings;

  Folder(const std::string& exchangeBytes, const std::optional<std::string>& settingsBytes,
         Orientation orientation)
      : settings(dir.path() / std::u16string(SettingsFileName(orientation))) {
    WriteBytes(exchange, exchangeBytes);
    if (settingsBytes) WriteBytes(settings, *settingsBytes);
  }
};

// The same files through the dialog's OK: FormShow, the checks, FormClose.
std::string OkRunExchange(const std::string& exchange, const std::string& settings, Orientation orientation) {
  Folder folder(exchange, settings, orientation);
  DimensionSession session(orientation);
  session.FormShow(folder.dir.folder());
  EXPECT_FALSE(session.Button1Click().has_value()) << "OK refuses the stored settings";
  golden::RecordingUi ui;
  session.FormClose(10, 10, ui);
  return ReadBytes(folder.exchange);
}

DialogValues Stored(const std::function<void(DialogValues&)>& change) {
  DialogValues values;
  values.ComboBox3 = 1;
  values.ComboBox1 = 7;
  values.Edit2 = u"約";
  values.CheckBox1 = true;
  change(values);
  return values;
}

TEST(QuickRun, WritesWhatOkWritesAndLeavesTheSettingsAlone) {
  struct Case {
    Orientation orientation;
    Host host;
  };
  Host vertical;
  Host horizontal;
  horizontal.axis = "hk 30";
  horizontal.points = {"hp1 100 50", "hp2 900 -300", "hp3 400 -400", "hp4 300 -700"};
  for (const Case& c : {Case{Orientation::Vertical, vertical}, Case{Orientation::Horizontal, horizontal}}) {
    SCOPED_TRACE(Utf8(SettingsFileName(c.orientation)));
    const std::string exchange = c.host.Utf8File();
    const std::string settings = StoredSettings(Stored([](DialogValues&) {}));
    Folder folder(exchange, settings, c.orientation);
    DimensionSession session(c.orientation);
    session.FormShow(folder.dir.folder());
    golden::RecordingUi ui;
    ASSERT_TRUE(session.QuickRun(ui));
    EXPECT_EQ(session.JG, nullptr);
    EXPECT_TRUE(ui.messages.empty());
    const std::string written = ReadBytes(folder.exchange);
    EXPECT_NE(written, exchange) << "nothing was drawn";
    EXPECT_EQ(written, OkRunExchange(exchange, settings, c.orientation));
    EXPECT_EQ(ReadBytes(folder.settings), settings) << "the settings file or the position was written";
  }
}

// The dialog must open: nothing is written, nothing shown, no settings file made.
TEST(QuickRun, LeavesEverythingToTheDialogWithoutUsableSettings) {
  struct Case {
    const char* what;
    std::optional<std::string> settings;
  };
  const Case cases[] = {
      {"no settings file", std::nullopt},
      {"text style past the list", StoredSettings(Stored([](DialogValues& v) { v.ComboBox3 = 11; }))},
      {"arrow length 0", StoredSettings(Stored([](DialogValues& v) { v.Edit7 = u"0"; }))},
      {"negative gap", StoredSettings(Stored([](DialogValues& v) { v.Edit5 = u"-1"; }))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string exchange = Host().Utf8File();
    Folder folder(exchange, c.settings, Orientation::Vertical);
    DimensionSession session;
    session.FormShow(folder.dir.folder());
    golden::RecordingUi ui;
    EXPECT_FALSE(session.QuickRun(ui));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.statuses.empty());
    EXPECT_EQ(ReadBytes(folder.exchange), exchange);
    EXPECT_EQ(std::filesystem::exists(folder.settings), c.settings.has_value());
    if (c.settings) {
      EXPECT_EQ(ReadBytes(folder.settings), *c.settings);
    }
  }
}

TEST(QuickRun, ZeroDimensionShowsItsMessageAndWritesNothing) {
  Host host;
  host.points = {"hp1 0 0", "hp2 100 0", "hp3 500 300", "hp4 600 400"};
  const std::string exchange = host.Utf8File();
  const std::string settings = StoredSettings(Stored([](DialogValues&) {}));
  Folder folder(exchange, settings, Orientation::Vertical);
  DimensionSession session;
  session.FormShow(folder.dir.folder());
  golden::RecordingUi ui;
  EXPECT_TRUE(session.QuickRun(ui)) << "the message is the answer; the dialog does not open";
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(Utf8(ui.messages[0]), Utf8(kZeroDimensionMessage));
  EXPECT_EQ(ReadBytes(folder.exchange), exchange);
  EXPECT_EQ(ReadBytes(folder.settings), settings);
}

}  // namespace
