// The session's runs and failures: the quick run (the dialog's OK path on the stored settings without the
// dialog, or nothing at all when the dialog must open to set things up); an exchange file that cannot be
// read, which keeps the dialog from opening and writes nothing; writes that fail at the end of a run,
// told in one message with the system's reason, with no temporary file left and an exit code that says
// whether the drawing was written.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "JwwGaibu.h"
#include "failures.h"
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
  EXPECT_TRUE(SaveSettings(file.u16string(), values, WindowPosition{300, 200}, TJGdata()));
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

// The same files through the dialog's OK: Load, the checks, Finish.
std::string OkRunExchange(const std::string& exchange, const std::string& settings, Orientation orientation) {
  Folder folder(exchange, settings, orientation);
  DimensionSession session(orientation);
  session.Load(folder.dir.folder());
  EXPECT_FALSE(session.Confirm().has_value()) << "OK refuses the stored settings";
  golden::RecordingUi ui;
  session.Finish(10, 10, ui);
  return ReadBytes(folder.exchange);
}

DialogValues Stored(const std::function<void(DialogValues&)>& change) {
  DialogValues values;
  values.textStyle = 1;
  values.startMarker = 7;
  values.prefix = u"約";
  values.groupDigits = true;
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
    session.Load(folder.dir.folder());
    golden::RecordingUi ui;
    ASSERT_TRUE(session.QuickRun(ui));
    EXPECT_EQ(session.model, nullptr);
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
      {"text style past the list", StoredSettings(Stored([](DialogValues& v) { v.textStyle = 11; }))},
      {"arrow length 0", StoredSettings(Stored([](DialogValues& v) { v.arrowLength = u"0"; }))},
      {"negative gap", StoredSettings(Stored([](DialogValues& v) { v.extensionGap = u"-1"; }))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string exchange = Host().Utf8File();
    Folder folder(exchange, c.settings, Orientation::Vertical);
    DimensionSession session;
    session.Load(folder.dir.folder());
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
  session.Load(folder.dir.folder());
  golden::RecordingUi ui;
  EXPECT_TRUE(session.QuickRun(ui)) << "the message is the answer; the dialog does not open";
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(Utf8(ui.messages[0]), Utf8(ZeroDimensionMessage(Orientation::Vertical)));
  EXPECT_EQ(ReadBytes(folder.exchange), exchange);
  EXPECT_EQ(ReadBytes(folder.settings), settings);
}

namespace fs = std::filesystem;
using test_support::TempDir;

const char kPoints[] = "hq\r\nhp1 0 0\r\nhp2 0 1000\r\nhp3 500 300\r\nhp4 600 400\r\n";

TEST(SessionLoad, OpensOnlyOnAnExchangeFileThatCanBeRead) {
  struct Case {
    const char* what;
    enum { Missing, Folder, File } exchange;
    std::string bytes;
    bool opens;
  };
  const Case cases[] = {
      {"missing", Case::Missing, "", false},
      {"a folder", Case::Folder, "", false},
      {"empty, so no points: the zero message's business", Case::File, "", true},
      {"the host's points", Case::File, kPoints, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    if (c.exchange == Case::Folder) fs::create_directory(dir.path() / "JWC_TEMP.TXT");
    if (c.exchange == Case::File) WriteBytes(dir.path() / "JWC_TEMP.TXT", c.bytes);
    const std::vector<std::string> before = test_support::FolderEntries(dir.path());
    DimensionSession session;
    EXPECT_EQ(session.Load(dir.folder()), c.opens);
    if (!c.opens) {
      // As the window does when it is destroyed unopened: nothing drawn, nothing saved.
      session.Cancel();
      golden::RecordingUi ui;
      EXPECT_EQ(session.Finish(50, 50, ui), kExitDone);
      EXPECT_TRUE(ui.messages.empty());
      EXPECT_EQ(test_support::FolderEntries(dir.path()), before) << "something was written";
    }
  }
}

// The exchange file is read when the dialog opens and written when it closes: a folder put in its place
// meanwhile makes the write fail on every platform, as a folder named selvan.dat does for the settings.
TEST(SessionFinish, FailedWritesAreToldInOneMessageWithTheirReasons) {
  struct Case {
    const char* what;
    bool exchangeFails;
    bool settingsFail;
    bool rowFails = false;  // the row that "/next" continues is recorded after a drawing only
  };
  const Case cases[] = {
      {"both written", false, false},
      {"the drawing", true, false},
      {"the settings", false, true},
      {"both", true, true},
      {"the row", false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const fs::path exchange = dir.path() / "JWC_TEMP.TXT";
    WriteBytes(exchange, kPoints);
    DimensionSession session;
    ASSERT_TRUE(session.Load(dir.folder()));
    if (c.settingsFail) fs::create_directory(dir.path() / "selvan.dat");
    if (c.rowFails) fs::create_directory(dir.path() / "tarvik_row.dat");
    session.values.textStyle = 1;
    ASSERT_FALSE(session.Confirm().has_value());
    if (c.exchangeFails) {
      fs::remove(exchange);
      fs::create_directory(exchange);
    }
    golden::RecordingUi ui;
    const int exitCode = session.Finish(50, 50, ui);

    EXPECT_EQ(exitCode, c.exchangeFails ? kExitNotWritten : kExitDone);
    std::vector<std::string> entries{"JWC_TEMP.TXT", "selvan.dat"};
    if (!c.exchangeFails || c.rowFails) entries.push_back("tarvik_row.dat");
    EXPECT_EQ(test_support::FolderEntries(dir.path()), entries) << "a temporary file stayed";
    EXPECT_EQ(fs::is_regular_file(dir.path() / "tarvik_row.dat"), !c.exchangeFails && !c.rowFails);
    EXPECT_EQ(fs::is_regular_file(exchange), !c.exchangeFails);
    EXPECT_EQ(fs::is_regular_file(dir.path() / "selvan.dat"), !c.settingsFail);
    if (!c.exchangeFails && !c.settingsFail && !c.rowFails) {
      EXPECT_TRUE(ui.messages.empty());
      continue;
    }
    ASSERT_EQ(ui.messages.size(), 1u) << "one message for all that failed";
    const std::u16string& message = ui.messages[0];
    const std::u16string reasonLine = std::u16string(u"\n") + kReasonLabel;
    EXPECT_EQ(message.find(kExchangeUnwritableMessage) == 0, c.exchangeFails) << Utf8(message);
    EXPECT_EQ(message.find(SettingsUnwritableHeadline(u"selvan.dat")) != std::u16string::npos, c.settingsFail)
        << Utf8(message);
    // Each part gives a reason of the system's own, not an empty line.
    size_t reasons = 0;
    for (size_t at = message.find(reasonLine); at != std::u16string::npos;
         at = message.find(reasonLine, at + 1)) {
      const size_t start = at + reasonLine.size();
      EXPECT_TRUE(start < message.size() && message[start] != u'\n') << Utf8(message);
      ++reasons;
    }
    EXPECT_EQ(message.find(kRowUnwritableMessage) != std::u16string::npos, c.rowFails) << Utf8(message);
    EXPECT_EQ(reasons, (c.exchangeFails ? 1u : 0u) + (c.settingsFail ? 1u : 0u) + (c.rowFails ? 1u : 0u))
        << Utf8(message);
  }
}

// A settings file that is there but cannot be read (a folder stands for one held or refused) is told
// once and never written over; a missing one is made on OK as before.
TEST(SessionLoad, AStoredSettingsFileThatCannotBeReadIsNeverWrittenOver) {
  for (const bool unreadable : {false, true}) {
    SCOPED_TRACE(unreadable ? "unreadable" : "missing");
    TempDir dir;
    WriteBytes(dir.path() / "JWC_TEMP.TXT", kPoints);
    const fs::path settings = dir.path() / "selvan.dat";
    if (unreadable) fs::create_directory(settings);
    DimensionSession session;
    ASSERT_TRUE(session.Load(dir.folder()));
    const std::u16string notice = session.SettingsNotice();
    EXPECT_EQ(notice.find(u"設定ファイル「selvan.dat」が読み込めません\n理由：") == 0, unreadable) << Utf8(notice);
    EXPECT_EQ(notice.empty(), !unreadable);
    golden::RecordingUi ui;
    EXPECT_FALSE(session.QuickRun(ui)) << "the dialog opens as for missing settings";
    session.values.textStyle = 1;
    ASSERT_FALSE(session.Confirm().has_value());
    EXPECT_EQ(session.Finish(50, 50, ui), kExitDone);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_NE(ReadBytes(dir.path() / "JWC_TEMP.TXT"), kPoints) << "nothing was drawn";
    EXPECT_EQ(fs::is_directory(settings), unreadable);
    EXPECT_EQ(fs::is_regular_file(settings), !unreadable);
  }
}

// The decoder's limit brought down to 64 units: one line longer than that ends the run before the
// dialog with its own message and exit code, not the unreadable file's.
TEST(SessionLoad, AnExchangeFileBeyondTheDecodersLimitIsToldAsTooLarge) {
  struct Case {
    std::string bytes;
    platform::ReadFailure failure;
    int exitCode;
  };
  const Case cases[] = {
      {kPoints, platform::ReadFailure::None, kExitDone},
      {"hq\r\n" + std::string(200, 'x') + "\r\n", platform::ReadFailure::TooLarge, kExitExchangeTooLarge},
  };
  for (const Case& c : cases) {
    TempDir dir;
    WriteBytes(dir.path() / "JWC_TEMP.TXT", c.bytes);
    DimensionSession session;
    EXPECT_EQ(session.Load(dir.folder(), 64), c.failure == platform::ReadFailure::None);
    EXPECT_EQ(session.exchangeRead, c.failure);
    golden::RecordingUi ui;
    EXPECT_EQ(ReportExchangeFailure(ui, session.exchangeRead, u"tarvik.bat"), c.exitCode);
    if (c.failure == platform::ReadFailure::None) {
      EXPECT_TRUE(ui.messages.empty());
      continue;
    }
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(Utf8(ui.messages[0]), Utf8(kExchangeTooLargeMessage));
    EXPECT_EQ(session.model, nullptr);
    EXPECT_EQ(ReadBytes(dir.path() / "JWC_TEMP.TXT"), c.bytes);
  }
}

}  // namespace
