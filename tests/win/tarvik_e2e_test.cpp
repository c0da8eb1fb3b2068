// tarvik.exe as the user meets it: each case copies the program into a fresh folder with an exchange file
// (and maybe a settings file), starts it, and drives the dialog with real keyboard input. What the program
// writes on OK is compared with what the windowless session writes for the same input and values.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "JwwGaibu.h"
#include "dimension_dialog_layout_win.h"
#include "failures.h"
#include "golden_support.h"
#include "launch.h"
#include "orientation.h"
#include "platform.h"
#include "preview.h"
#include "program_driver.h"
#include "row_state.h"
#include "session.h"
#include "settings_file.h"
#include "test_support.h"

namespace {

using e2e::HostPath;
using e2e::PressChord;
using e2e::PressKey;
using e2e::ProgramRun;
using e2e::TypeText;
using e2e::WaitUntil;
using test_support::ReadBytes;
using test_support::WriteBytes;

const char kExchangeName[] = "JWC_TEMP.TXT";
const char kSettingsName[] = "selvan.dat";

using test_support::Utf8;

std::string SampleExchange() { return ReadBytes(HostPath(TARVIK_SAMPLES_DIR) / kExchangeName); }

// `exchange` with each `from` replaced by its `to`, once.
std::string Replaced(std::string exchange,
                     std::initializer_list<std::pair<std::string, std::string>> changes) {
  for (const auto& [from, to] : changes) exchange.replace(exchange.find(from), from.size(), to);
  return exchange;
}

std::string AsUtf8WithBom(const std::string& ansiBytes) {
  return "\xEF\xBB\xBF" + platform::EncodeUtf8(platform::DecodeAnsi(ansiBytes));
}

// A settings file as the program itself writes it.
std::string SettingsFile(const DialogValues& values, const WindowPosition& position) {
  std::u16string text;
  for (const std::u16string& line : SettingsLines(values, position, TJGdata())) text += line + u"\r\n";
  return "\xEF\xBB\xBF" + platform::EncodeUtf8(text);
}

std::vector<std::u16string> StoredLines(const std::string& bytes) {
  std::vector<std::u16string> lines;
  std::string body = bytes.rfind("\xEF\xBB\xBF", 0) == 0 ? bytes.substr(3) : bytes;
  size_t start = 0;
  for (size_t end; (end = body.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(platform::DecodeUtf8(body.substr(start, end - start)));
  }
  if (start != body.size()) lines.push_back(u"<unterminated>");
  return lines;
}

int Id(ControlId control) { return DialogItemId(control); }

std::u16string FirstLine(const std::u16string& text) { return text.substr(0, text.find(u"\r\n")); }

// The ids that Tab visits from startMarker on, with both radio groups at their first button.
std::vector<int> TabOrder(int zeroButton = 0, int unitButton = 0) {
  using C = ControlId;
  return {Id(C::StartMarkerList),
          Id(C::EndMarkerList),
          Id(C::TextStyleList),
          Id(C::MarkerScaleEdit),
          Id(C::PrefixEdit),
          Id(C::SuffixEdit),
          Id(C::ValueToUnderlineEdit),
          Id(C::PrecisionList),
          Id(C::ArrowLengthEdit),
          Id(C::ArrowAngleEdit),
          Id(C::GroupDigitsBox),
          Id(C::UnitTextBox),
          Id(C::RoundingList),
          RadioButtonItemId(C::ShowZerosGroup, zeroButton),
          RadioButtonItemId(C::UnitGroup, unitButton),
          Id(C::FullWidthBox),
          Id(C::DimensionEntityBox),
          Id(C::ExtensionGapEdit),
          Id(C::ExtensionOvershootEdit),
          Id(C::ReversedOvershootEdit),
          IDOK,
          IDCANCEL};
}

// Presses Tab until the control `id` has the focus, waiting for each move.
bool TabTo(const ProgramRun& run, int id) {
  for (int presses = 0; presses < 30; ++presses) {
    if (run.FocusedId() == id) return true;
    const HWND before = run.FocusedWindow();
    PressKey(VK_TAB);
    if (!WaitUntil([&] { return run.FocusedWindow() != before; })) return false;
  }
  return run.FocusedId() == id;
}

class RecordingUi : public UserFeedback {
 public:
  void ShowMessage(const std::u16string& message) override { messages.push_back(message); }
  void SetStatus(const std::u16string&) override {}
  std::vector<std::u16string> messages;
};

struct Outcome {
  std::string exchange;
  std::optional<std::string> settings;
};

// The same run without a window: the session on a copy of the input, given the values the keys gave.
Outcome ReferenceRun(const std::string& exchange, const std::optional<std::string>& settings,
                     const std::function<void(DialogValues&)>& typed, int left, int top,
                     Orientation orientation = Orientation::Vertical) {
  const std::filesystem::path settingsName(std::u16string(SettingsFileName(orientation)));
  test_support::TempDir folder;
  WriteBytes(folder.path() / kExchangeName, exchange);
  if (settings) WriteBytes(folder.path() / settingsName, *settings);
  DimensionSession session(orientation);
  session.Load(folder.folder());
  typed(session.values);
  EXPECT_FALSE(session.Confirm().has_value()) << "the reference values do not pass the checks";
  RecordingUi ui;
  session.Finish(left, top, ui);
  Outcome outcome{ReadBytes(folder.path() / kExchangeName), std::nullopt};
  if (std::filesystem::exists(folder.path() / settingsName))
    outcome.settings = ReadBytes(folder.path() / settingsName);
  return outcome;
}

class TarvikDialog : public ::testing::Test {
 protected:
  // Positions and sizes are compared in physical pixels, as the program (per-monitor aware) uses them.
  static void SetUpTestSuite() { SetProcessDPIAware(); }

  void Prepare(const std::string& exchange, const std::optional<std::string>& settings) {
    exchange_ = exchange;
    settings_ = settings;
    std::filesystem::copy_file(HostPath(TARVIK_EXE), dir_.path() / "tarvik.exe");
    WriteBytes(dir_.path() / kExchangeName, exchange);
    if (settings) WriteBytes(dir_.path() / kSettingsName, *settings);
  }

  // Starts the program and waits until it is in front with the focus on its first control.
  std::unique_ptr<ProgramRun> Start() {
    auto run = std::make_unique<ProgramRun>(dir_.path() / "tarvik.exe");
    EXPECT_TRUE(run->Started()) << "no dialog window appeared";
    if (!run->Started()) return nullptr;
    EXPECT_TRUE(run->BringToFront());
    EXPECT_TRUE(run->WaitForFocus(Id(ControlId::StartMarkerList))) << "focus is on " << run->FocusedId();
    return run;
  }

  static void TypeInto(const ProgramRun& run, ControlId edit, const std::u16string& text) {
    ASSERT_TRUE(TabTo(run, Id(edit)));
    TypeText(text);
    HWND window = run.Control(Id(edit));
    EXPECT_TRUE(WaitUntil([&] { return e2e::WindowText(window) == text; }))
        << "the edit box shows " << Utf8(e2e::WindowText(window));
  }

  static void ChooseByArrows(const ProgramRun& run, ControlId list, int downPresses, int expected) {
    ASSERT_TRUE(TabTo(run, Id(list)));
    for (int i = 0; i < downPresses; ++i) PressKey(VK_DOWN);
    HWND window = run.Control(Id(list));
    EXPECT_TRUE(WaitUntil([&] { return SendMessageW(window, CB_GETCURSEL, 0, 0) == expected; }))
        << "selection " << SendMessageW(window, CB_GETCURSEL, 0, 0);
  }

  static bool Checked(const ProgramRun& run, int id) {
    return SendMessageW(run.Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }

  static RECT WindowRect(const ProgramRun& run) {
    RECT rect{};
    GetWindowRect(run.Window(), &rect);
    return rect;
  }

  std::string Exchange() const { return ReadBytes(dir_.path() / kExchangeName); }
  bool HasSettings() const { return std::filesystem::exists(dir_.path() / kSettingsName); }
  std::string Settings() const { return ReadBytes(dir_.path() / kSettingsName); }

  void ExpectFilesUntouched() const {
    EXPECT_EQ(Exchange(), exchange_) << "the exchange file changed";
    EXPECT_EQ(HasSettings(), settings_.has_value());
    if (settings_ && HasSettings()) {
      EXPECT_EQ(Settings(), *settings_) << "the settings file changed";
    }
  }

  // Waits for the program's message box, checks its caption, text and icon, and dismisses it with Enter.
  // A failed check shows a plain box; the confirmation kind carries the question icon.
  static void AnswerMessageBox(const ProgramRun& run, const std::u16string& message, bool withIcon = false) {
    HWND box = run.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no message box appeared";
    EXPECT_EQ(Utf8(e2e::WindowText(box)), Utf8(ApplicationTitle(Orientation::Vertical)));
    EXPECT_EQ(Utf8(e2e::MessageBoxText(box)), Utf8(message));
    EXPECT_EQ(e2e::MessageBoxHasIcon(box), withIcon);
    EXPECT_TRUE(e2e::BringToFront(box));
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); })) << "the message box stayed open";
  }

  test_support::TempDir dir_;
  std::string exchange_;
  std::optional<std::string> settings_;
};

// A settings file that passes every check: text style 1 chosen, everything else at its defaults.
DialogValues ValidValues() {
  DialogValues values;
  values.textStyle = 1;
  return values;
}

// --- OK writes what the construction writes ---

struct OkCase {
  const char* name;
  bool utf8Input;
  std::u16string prefix;     // typed through the keyboard's Unicode input
  std::string prefixBytes;   // the prefix as it must stand in the exchange file
  bool confirmWithMnemonic;  // Alt+Y instead of Enter
};

class OkRun : public TarvikDialog, public ::testing::WithParamInterface<OkCase> {};

TEST_P(OkRun, WritesTheConstructionsExchangeFileAndTheTypedSettings) {
  const OkCase& c = GetParam();
  const std::string input = c.utf8Input ? AsUtf8WithBom(SampleExchange()) : SampleExchange();
  Prepare(input, std::nullopt);
  auto run = Start();
  ASSERT_TRUE(run);

  ChooseByArrows(*run, ControlId::TextStyleList, 3, 2);  // from no selection: entries 0, 1, 2
  TypeInto(*run, ControlId::MarkerScaleEdit, u"1.5");
  TypeInto(*run, ControlId::PrefixEdit, c.prefix);
  TypeInto(*run, ControlId::SuffixEdit, u"mm");
  ChooseByArrows(*run, ControlId::PrecisionList, 1, 4);
  ASSERT_TRUE(TabTo(*run, Id(ControlId::GroupDigitsBox)));
  PressKey(VK_SPACE);
  EXPECT_TRUE(WaitUntil([&] { return Checked(*run, Id(ControlId::GroupDigitsBox)); }));
  ASSERT_TRUE(TabTo(*run, RadioButtonItemId(ControlId::UnitGroup, 0)));
  PressKey(VK_RIGHT);
  EXPECT_TRUE(WaitUntil([&] { return Checked(*run, RadioButtonItemId(ControlId::UnitGroup, 1)); }));

  const RECT rect = WindowRect(*run);
  if (c.confirmWithMnemonic) {
    PressChord(VK_MENU, 'Y');
  } else {
    PressKey(VK_RETURN);
  }
  ASSERT_TRUE(run->WaitForExit()) << "the dialog did not close";

  const Outcome expected = ReferenceRun(
      input, std::nullopt,
      [&](DialogValues& v) {
        v.textStyle = 2;
        v.markerScale = u"1.5";
        v.prefix = c.prefix;
        v.suffix = u"mm";
        v.precision = 4;
        v.groupDigits = true;
        v.unit = 1;
      },
      rect.left, rect.top);

  const std::string written = Exchange();
  EXPECT_NE(written, input) << "nothing was drawn";
  EXPECT_EQ(written, expected.exchange);
  EXPECT_NE(written.find(c.prefixBytes), std::string::npos) << "the prefix is not in the file's encoding";
  EXPECT_EQ(written.rfind("\xEF\xBB\xBF", 0) == 0, c.utf8Input) << "the output changed its encoding";

  ASSERT_TRUE(HasSettings());
  ASSERT_TRUE(expected.settings);
  EXPECT_EQ(Settings(), *expected.settings);
  const std::vector<std::u16string> lines = StoredLines(Settings());
  ASSERT_EQ(lines.size(), 31u);
  EXPECT_EQ(lines[4], u"2");
  EXPECT_EQ(lines[7], u"1.5");
  EXPECT_EQ(Utf8(lines[8]), Utf8(c.prefix));
  EXPECT_EQ(lines[9], u"mm");
  EXPECT_EQ(lines[17], u"1");
  EXPECT_EQ(lines[18], u"1");
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, OkRun,
    ::testing::Values(OkCase{"ansi_input_enter", false, u"寸法", "\x90\xA1\x96\x40", false},
                      OkCase{"utf8_input_alt_y", true, u"約", "\xE7\xB4\x84", true}),
    [](const ::testing::TestParamInfo<OkCase>& info) { return std::string(info.param.name); });

// --- Every way out but OK leaves both files as they were ---

struct CancelCase {
  const char* name;
  std::function<void(const ProgramRun&)> close;
};

class CancelRun : public TarvikDialog, public ::testing::WithParamInterface<std::tuple<CancelCase, bool>> {};

TEST_P(CancelRun, LeavesTheExchangeAndSettingsFilesUntouched) {
  const auto& [c, withSettings] = GetParam();
  Prepare(SampleExchange(),
          withSettings ? std::optional(SettingsFile(ValidValues(), {70, 60})) : std::nullopt);
  auto run = Start();
  ASSERT_TRUE(run);
  // Changes that OK would have saved.
  ChooseByArrows(*run, ControlId::TextStyleList, 1, withSettings ? 2 : 0);
  TypeInto(*run, ControlId::MarkerScaleEdit, u"7");

  c.close(*run);
  ASSERT_TRUE(run->WaitForExit()) << "the dialog did not close";
  ExpectFilesUntouched();
}

const CancelCase kCancelCases[] = {
    {"escape", [](const ProgramRun&) { PressKey(VK_ESCAPE); }},
    {"alt_n", [](const ProgramRun&) { PressChord(VK_MENU, 'N'); }},
    {"alt_f4", [](const ProgramRun&) { PressChord(VK_MENU, VK_F4); }},
    {"wm_close", [](const ProgramRun& run) { PostMessageW(run.Window(), WM_CLOSE, 0, 0); }},
    {"sc_close", [](const ProgramRun& run) { PostMessageW(run.Window(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
    {"enter_on_cancel_button",
     [](const ProgramRun& run) {
       ASSERT_TRUE(TabTo(run, IDCANCEL));
       PressKey(VK_RETURN);
     }},
};

INSTANTIATE_TEST_SUITE_P(Ways, CancelRun,
                         ::testing::Combine(::testing::ValuesIn(kCancelCases), ::testing::Bool()),
                         [](const ::testing::TestParamInfo<std::tuple<CancelCase, bool>>& info) {
                           return std::string(std::get<0>(info.param).name) +
                                  (std::get<1>(info.param) ? "_with_settings" : "_first_run");
                         });

// --- A failing check: its message, the dialog stays, the focus on its control ---

struct CheckCase {
  const char* name;
  std::vector<std::pair<ControlId, std::u16string>> typed;
  std::u16string message;
  ControlId focus;
};

class FailingCheck : public TarvikDialog, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(FailingCheck, ShowsItsMessageAndFocusesItsControl) {
  const CheckCase& c = GetParam();
  Prepare(SampleExchange(), SettingsFile(ValidValues(), {50, 50}));
  auto run = Start();
  ASSERT_TRUE(run);
  for (const auto& [edit, text] : c.typed) TypeInto(*run, edit, text);

  PressKey(VK_RETURN);
  AnswerMessageBox(*run, c.message);
  EXPECT_TRUE(run->Running()) << "the dialog closed after a failed check";
  EXPECT_TRUE(run->WaitForFocus(Id(c.focus))) << "focus is on " << run->FocusedId();
  ExpectFilesUntouched();

  PressKey(VK_ESCAPE);
  EXPECT_TRUE(run->WaitForExit());
  ExpectFilesUntouched();
}

INSTANTIATE_TEST_SUITE_P(
    Checks, FailingCheck,
    // Typed as the user types (a trailing blank stays in the box), and the first failure in check order
    // wins; every other check is tested without a window.
    ::testing::Values(CheckCase{"arrow_length_trailing_blank",
                                {{ControlId::ArrowLengthEdit, u"3 "}},
                                u"矢印の長さを入力して下さい\n0 より大きく 1000 以下の数値を入力して下さい",
                                ControlId::ArrowLengthEdit},
                      CheckCase{"first_failure_wins",
                                {{ControlId::MarkerScaleEdit, u"0"}, {ControlId::ArrowLengthEdit, u"1001"}},
                                u"端点（点マーカ）の倍率を指定して下さい\n0 より大きい数値を入力して下さい",
                                ControlId::MarkerScaleEdit}),
    [](const ::testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });

TEST_F(TarvikDialog, FirstRunAsksForTheTextStyleThenDrawsWithTheChosenOne) {
  Prepare(SampleExchange(), std::nullopt);
  auto run = Start();
  ASSERT_TRUE(run);
  PressKey(VK_RETURN);
  AnswerMessageBox(*run, u"寸法値の文字種類を指定して下さい\n一覧から１つ選んで下さい");
  ASSERT_TRUE(run->WaitForFocus(Id(ControlId::TextStyleList))) << "focus is on " << run->FocusedId();
  EXPECT_FALSE(HasSettings());

  PressKey(VK_DOWN);
  HWND list = run->Control(Id(ControlId::TextStyleList));
  EXPECT_TRUE(WaitUntil([&] { return SendMessageW(list, CB_GETCURSEL, 0, 0) == 0; }));
  const RECT rect = WindowRect(*run);
  PressKey(VK_RETURN);
  ASSERT_TRUE(run->WaitForExit());

  const Outcome expected = ReferenceRun(
      exchange_, std::nullopt, [](DialogValues& v) { v.textStyle = 0; }, rect.left, rect.top);
  EXPECT_EQ(Exchange(), expected.exchange);
  ASSERT_TRUE(HasSettings());
  EXPECT_EQ(Settings(), expected.settings.value_or(""));
}

TEST_F(TarvikDialog, ZeroDimensionIsReportedAndLeavesTheExchangeFileButSavesTheSettings) {
  std::u16string text = platform::DecodeAnsi(SampleExchange());
  // The two measured points at the same height: nothing to measure.
  const std::u16string from = u"hp2 0 1000";
  text.replace(text.find(from), from.size(), u"hp2 250 0");
  Prepare(platform::EncodeAnsi(text), SettingsFile(ValidValues(), {50, 50}));
  auto run = Start();
  ASSERT_TRUE(run);
  PressKey(VK_RETURN);
  AnswerMessageBox(*run,
                   u"寸法が「0」になりますので作図出来ません\n"
                   u"計測点（始点）と計測点（終点）が同じ高さです（軸角の向きで）。２点を指示し直して下さい",
                   /*withIcon=*/true);
  ASSERT_TRUE(run->WaitForExit());
  EXPECT_EQ(Exchange(), exchange_);
  ASSERT_TRUE(HasSettings());
  EXPECT_EQ(StoredLines(Settings()).size(), 31u);
}

// --- Where the window stands ---

struct PlaceCase {
  POINT stored;
  bool shown;  // some monitor shows the window there
};

class StoredPosition : public TarvikDialog, public ::testing::WithParamInterface<PlaceCase> {};

// The outer top-left corner stays where it was stored while a monitor shows the window; a place that
// none shows is moved into the nearest work area, as little as possible.
TEST_P(StoredPosition, StaysWhileShownAndIsMovedOntoTheScreenOtherwise) {
  const POINT where = GetParam().stored;
  Prepare(SampleExchange(), SettingsFile(ValidValues(), {where.x, where.y}));
  ProgramRun run(dir_.path() / "tarvik.exe");
  ASSERT_TRUE(run.Started());
  const RECT rect = WindowRect(run);
  if (GetParam().shown) {
    EXPECT_EQ(rect.left, where.x);
    EXPECT_EQ(rect.top, where.y);
  } else {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(run.Window(), MONITOR_DEFAULTTONULL), &monitor))
        << "the window stands on no monitor";
    const RECT& work = monitor.rcWork;
    EXPECT_TRUE(rect.left >= work.left && rect.top >= work.top && rect.right <= work.right &&
                rect.bottom <= work.bottom)
        << "at " << rect.left << "," << rect.top << " to " << rect.right << "," << rect.bottom;
    // Stored beyond the bottom right corner: moved just far enough to be wholly inside.
    EXPECT_EQ(rect.right, work.right);
    EXPECT_EQ(rect.bottom, work.bottom);
  }
  PostMessageW(run.Window(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(run.WaitForExit());
  ExpectFilesUntouched();
}

// The test screen is 1280 by 1024: the second place is partly off it, the third wholly.
INSTANTIATE_TEST_SUITE_P(Places, StoredPosition,
                         ::testing::Values(PlaceCase{{123, 77}, true}, PlaceCase{{-40, 30}, true},
                                           PlaceCase{{1500, 1200}, false}, PlaceCase{{30000, 20000}, false}));

TEST_F(TarvikDialog, OkSavesWhereTheUserMovedTheWindow) {
  Prepare(SampleExchange(), SettingsFile(ValidValues(), {60, 70}));
  auto run = Start();
  ASSERT_TRUE(run);
  SetWindowPos(run->Window(), nullptr, 210, 160, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ASSERT_TRUE(WaitUntil([&] { return WindowRect(*run).left == 210; }));
  ASSERT_TRUE(run->BringToFront());
  PressKey(VK_RETURN);
  ASSERT_TRUE(run->WaitForExit());
  const std::vector<std::u16string> lines = StoredLines(Settings());
  ASSERT_EQ(lines.size(), 31u);
  EXPECT_EQ(lines[0], u"210");
  EXPECT_EQ(lines[1], u"160");
}

// --- When the program cannot do its work ---

// Started without the host's file (a double-click, a batch file without #cd) or with a folder of that
// name: no dialog but a message that says how the tool is started, nothing written, a telling exit code.
class UnreadableExchange : public TarvikDialog, public ::testing::WithParamInterface<bool> {};

TEST_P(UnreadableExchange, IsToldInsteadOfOpeningTheDialog) {
  std::filesystem::copy_file(HostPath(TARVIK_EXE), dir_.path() / "tarvik.exe");
  if (GetParam()) std::filesystem::create_directory(dir_.path() / kExchangeName);
  const std::vector<std::string> before = test_support::FolderEntries(dir_.path());
  ProgramRun run(dir_.path() / "tarvik.exe");
  HWND box = run.WaitForMessageBox();
  ASSERT_NE(box, nullptr) << "no message box appeared";
  HWND form = FindWindowW(L"DimensionDialog", nullptr);
  EXPECT_TRUE(form == nullptr || !IsWindowVisible(form)) << "the dialog opened";
  AnswerMessageBox(run, ExchangeUnreadableMessage(kToolName), /*withIcon=*/true);
  ASSERT_TRUE(run.WaitForExit());
  EXPECT_EQ(run.ExitCode(), static_cast<DWORD>(kExitExchangeUnreadable));
  EXPECT_EQ(test_support::FolderEntries(dir_.path()), before) << "something was written";
}

INSTANTIATE_TEST_SUITE_P(Kinds, UnreadableExchange, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "folder" : "missing");
                         });

// Writes to `file` until its filesystem has no byte left.
void FillFileSystem(const std::filesystem::path& file) {
  unique_kernel_handle filler(
      CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(filler.get() != INVALID_HANDLE_VALUE);
  const std::string chunk(1 << 16, 'f');
  for (DWORD size : {DWORD{1} << 16, DWORD{1} << 12, DWORD{1}}) {
    DWORD put = 0;
    while (WriteFile(filler.get(), chunk.data(), size, &put, nullptr) && put == size) {
    }
  }
}

// The disk fills up before the drawing is written: a message that names JWC_TEMP.TXT and gives the
// system's reason, the exit code that says nothing was drawn, no temporary file, and the host's file
// whole or gone, never cut short. ctest mounts a small tmpfs for it when it runs as root.
TEST_F(TarvikDialog, AFullDiskIsToldAndLeavesNoPartialOrTemporaryFile) {
  const std::filesystem::path small = HostPath(TARVIK_SMALL_FS_DIR);
  ULARGE_INTEGER available{}, total{};
  if (!GetDiskFreeSpaceExW(small.c_str(), &available, &total, nullptr) || total.QuadPart > (64ull << 20)) {
    GTEST_SKIP() << "no small filesystem mounted at " << small.string() << " (mounting one needs root)";
  }
  const std::filesystem::path folder = small / ("run-" + std::to_string(GetCurrentProcessId()));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directory(folder);
  const std::string exchange = SampleExchange();
  std::filesystem::copy_file(HostPath(TARVIK_EXE), folder / "tarvik.exe");
  WriteBytes(folder / kExchangeName, exchange);
  WriteBytes(folder / kSettingsName, SettingsFile(ValidValues(), {50, 50}));
  FillFileSystem(folder / "filler.bin");
  {
    ProgramRun run(folder / "tarvik.exe");
    ASSERT_TRUE(run.Started());
    ASSERT_TRUE(run.BringToFront());
    PressKey(VK_RETURN);
    HWND box = run.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no message box appeared";
    const std::u16string text = e2e::MessageBoxText(box);
    const std::u16string headline = std::u16string(kExchangeUnwritableMessage) + u"\n" + kReasonLabel;
    EXPECT_EQ(text.rfind(headline, 0), 0u) << Utf8(text);
    EXPECT_TRUE(text.size() > headline.size() && text[headline.size()] != u'\n')
        << "no reason: " << Utf8(text);
    EXPECT_TRUE(e2e::BringToFront(box));
    PressKey(VK_RETURN);
    ASSERT_TRUE(run.WaitForExit());
    EXPECT_EQ(run.ExitCode(), static_cast<DWORD>(kExitNotWritten));
  }
  for (const std::string& name : test_support::FolderEntries(folder)) {
    EXPECT_FALSE(name.ends_with(".tmp")) << "temporary file left: " << name;
  }
  if (std::filesystem::exists(folder / kExchangeName)) {
    EXPECT_EQ(ReadBytes(folder / kExchangeName), exchange) << "the host's file was cut short";
  }
  std::filesystem::remove_all(folder);
}

// --- Keyboard navigation ---

TEST_F(TarvikDialog, TabVisitsTheControlsInTheirOrderAndEntersRadioGroupsAtTheCheckedButton) {
  DialogValues values = ValidValues();
  values.showZeros = 1;
  Prepare(SampleExchange(), SettingsFile(values, {50, 50}));
  auto run = Start();
  ASSERT_TRUE(run);

  auto isDefault = [&](int id) {
    return (GetWindowLongPtrW(run->Control(id), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  };
  std::vector<int> visited{run->FocusedId()};
  for (int i = 0; i < 22; ++i) {
    const HWND before = run->FocusedWindow();
    PressKey(VK_TAB);
    WaitUntil([&] { return run->FocusedWindow() != before; });
    visited.push_back(run->FocusedId());
    // Enter presses the focused button, and OK from everywhere else: the default look says which.
    const int expectedDefault = visited.back() == IDCANCEL ? IDCANCEL : IDOK;
    EXPECT_TRUE(WaitUntil([&] {
      return isDefault(expectedDefault) && !isDefault(IDOK + IDCANCEL - expectedDefault);
    })) << "with the focus on "
        << visited.back();
  }
  std::vector<int> expected = TabOrder(1, 0);
  expected.push_back(Id(ControlId::StartMarkerList));  // and round again
  EXPECT_EQ(visited, expected);

  PressChord(VK_SHIFT, VK_TAB);
  EXPECT_TRUE(run->WaitForFocus(IDCANCEL)) << "Shift+Tab went to " << run->FocusedId();
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(run->WaitForExit());
}

TEST_F(TarvikDialog, EnterInTheHelpTextPressesOkAndTabLeavesIt) {
  Prepare(SampleExchange(), std::nullopt);
  auto run = Start();
  ASSERT_TRUE(run);
  HWND memo = run->Control(Id(ControlId::HelpText));
  RECT rect{};
  GetWindowRect(memo, &rect);
  e2e::ClickAt(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
  ASSERT_TRUE(run->WaitForFocus(Id(ControlId::HelpText))) << "focus is on " << run->FocusedId();

  PressKey(VK_RETURN);
  AnswerMessageBox(*run, u"寸法値の文字種類を指定して下さい\n一覧から１つ選んで下さい");
  ASSERT_TRUE(run->WaitForFocus(Id(ControlId::TextStyleList)));
  GetWindowRect(memo, &rect);
  e2e::ClickAt(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
  ASSERT_TRUE(run->WaitForFocus(Id(ControlId::HelpText)));
  PressKey(VK_TAB);
  EXPECT_TRUE(WaitUntil([&] { return run->FocusedId() != Id(ControlId::HelpText); }))
      << "Tab stayed in the help text";
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(run->WaitForExit());
  ExpectFilesUntouched();
}

// --- Layout at the screen's resolution, and a screenshot to look at ---

// Every control stands where its row of the layout puts it, scaled to the screen: the settings panel
// at the top left, the status line across its bottom, the button panel below it, and the preview filling
// the rest of the window beside them.
TEST_F(TarvikDialog, LaysOutTheFormAtTheScreensResolution) {
  Prepare(SampleExchange(), std::nullopt);
  auto run = Start();
  ASSERT_TRUE(run);
  const int dpi = e2e::ScreenDpi();
  auto scale = [dpi](int pixels) { return MulDiv(pixels, dpi, 96); };
  auto placed = [&](int id) {
    RECT rect{};
    GetWindowRect(run->Control(id), &rect);
    MapWindowPoints(nullptr, run->Window(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  };

  RECT client{};
  GetClientRect(run->Window(), &client);
  EXPECT_EQ(client.right, scale(kClientWidth + kPreviewWidth));
  EXPECT_EQ(client.bottom, scale(kClientHeight));
  using C = ControlId;
  const RECT status = placed(Id(C::StatusLine));
  EXPECT_EQ(status.left, 0);
  EXPECT_EQ(status.right, scale(kClientWidth));
  EXPECT_EQ(status.bottom - status.top, scale(kStatusLineHeight));

  for (const ControlLayout& row : FormLayout()) {
    if (row.control == C::None || row.kind == ControlKind::StatusLine) continue;
    ASSERT_NE(run->Control(row.id), nullptr) << "no control " << row.id;
    const RECT rect = placed(row.id);
    const bool settingsPanel = row.parent == ParentPanel::Settings;
    EXPECT_EQ(rect.left, scale(row.left)) << "control " << row.id;
    EXPECT_EQ(rect.top, (settingsPanel ? 0 : status.bottom) + scale(row.top)) << "control " << row.id;
    EXPECT_EQ(rect.right - rect.left, scale(row.width)) << "control " << row.id;
    if (row.kind != ControlKind::ComboList) {  // a list's own height includes the part that drops down
      EXPECT_EQ(rect.bottom - rect.top, scale(row.height)) << "control " << row.id;
    }
    EXPECT_LE(rect.bottom, settingsPanel ? status.top : client.bottom) << "control " << row.id;
  }
  const int margin = scale(kPreviewMargin);
  const RECT picture = placed(kPreviewItemId);
  EXPECT_EQ(picture.left, scale(kClientWidth) + margin);
  EXPECT_EQ(picture.top, margin);
  EXPECT_EQ(picture.right, client.right - margin);
  EXPECT_EQ(picture.bottom, client.bottom - margin);

  EXPECT_EQ(Utf8(e2e::WindowText(run->Window())), Utf8(ApplicationTitle(Orientation::Vertical)));
  EXPECT_EQ(Utf8(e2e::WindowText(run->Control(IDOK))), Utf8(u"ＯＫ (&Y)"));
  EXPECT_EQ(Utf8(e2e::WindowText(run->Control(IDCANCEL))), Utf8(u"キャンセル (&N)"));
  EXPECT_EQ(SendMessageW(run->Control(Id(C::StartMarkerList)), CB_GETCOUNT, 0, 0), 12);
  // The sample's current text style is 2; its ten styles follow.
  HWND styles = run->Control(Id(C::TextStyleList));
  EXPECT_EQ(SendMessageW(styles, CB_GETCOUNT, 0, 0), 11);
  EXPECT_EQ(SendMessageW(styles, CB_GETCURSEL, 0, 0), CB_ERR);
  wchar_t first[64] = {};
  SendMessageW(styles, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
  EXPECT_EQ(Utf8(reinterpret_cast<const char16_t*>(first)), Utf8(u"現在の文字種(No2)"));
  EXPECT_EQ(Utf8(FirstLine(e2e::WindowText(run->Control(Id(C::HelpText))))),
            Utf8(HelpTextLines(Orientation::Vertical).front()));
  HWND preview = run->Control(kPreviewItemId);
  EXPECT_EQ(GetWindowLongPtrW(preview, GWL_STYLE) & WS_TABSTOP, 0) << "the preview is a tab stop";

  // Let the window paint before the picture is taken.
  RedrawWindow(run->Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Sleep(500);
  const std::filesystem::path folder = HostPath(TARVIK_SCREENSHOT_DIR);
  std::filesystem::create_directories(folder);
  EXPECT_TRUE(e2e::SaveScreenshot(run->Window(), folder / ("dialog-" + std::to_string(dpi) + "dpi.bmp")));
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(run->WaitForExit());
}

// --- The live preview ---

// What the preview must show for the values: the windowless preview on the same files and values.
std::u16string ExpectedPreview(const std::string& exchange, const std::optional<std::string>& settings,
                               const std::function<void(DialogValues&)>& typed,
                               Orientation orientation = Orientation::Vertical) {
  test_support::TempDir folder;
  WriteBytes(folder.path() / kExchangeName, exchange);
  if (settings) WriteBytes(folder.path() / std::u16string(SettingsFileName(orientation)), *settings);
  DimensionSession session(orientation);
  session.Load(folder.folder());
  typed(session.values);
  DimensionPreview preview;
  return preview.Compute(session.values, *session.model, orientation).Summary();
}

// The panel records the summary of what it drew, followed by the number of primitives when it drew.
bool ShowsPreview(HWND panel, const std::u16string& summary) {
  const std::u16string record = e2e::WindowText(panel);
  return record == summary || record.rfind(summary + u", ", 0) == 0;
}

TEST_F(TarvikDialog, PreviewFollowsTheTypedPrecisionAndEndMarkerAndEscapeWritesNothing) {
  DialogValues stored = ValidValues();
  stored.showZeros = 1;  // zeros shown: the sample measures a whole 1000, so the precision shows
  Prepare(SampleExchange(), SettingsFile(stored, {50, 50}));
  auto run = Start();
  ASSERT_TRUE(run);
  HWND panel = run->Control(kPreviewItemId);
  ASSERT_NE(panel, nullptr);

  const std::u16string atStart = ExpectedPreview(exchange_, settings_, [](DialogValues&) {});
  ASSERT_TRUE(WaitUntil([&] { return ShowsPreview(panel, atStart); }))
      << "the preview shows " << Utf8(e2e::WindowText(panel)) << ", not " << Utf8(atStart);
  EXPECT_NE(e2e::WindowText(panel).find(u" primitives"), std::u16string::npos);
  const std::string pixelsAtStart = e2e::ScreenPixels(panel);
  ASSERT_FALSE(pixelsAtStart.empty());

  // Pictures to look at: the whole dialog with the sample drawn, and the panel before and after.
  const std::filesystem::path shots = HostPath(TARVIK_SCREENSHOT_DIR);
  std::filesystem::create_directories(shots);
  const std::string dpi = std::to_string(e2e::ScreenDpi());
  EXPECT_TRUE(e2e::SaveScreenshot(run->Window(), shots / ("dialog-preview-" + dpi + "dpi.bmp")));
  EXPECT_TRUE(e2e::SaveScreenshot(panel, shots / ("preview-start-" + dpi + "dpi.bmp")));

  // Precision "1": typing its first character picks it in the list.
  ASSERT_TRUE(TabTo(*run, Id(ControlId::PrecisionList)));
  TypeText(u"1");
  HWND precision = run->Control(Id(ControlId::PrecisionList));
  ASSERT_TRUE(WaitUntil([&] { return SendMessageW(precision, CB_GETCURSEL, 0, 0) == 0; }))
      << "selection " << SendMessageW(precision, CB_GETCURSEL, 0, 0);
  const std::u16string wholeNumbers =
      ExpectedPreview(exchange_, settings_, [](DialogValues& v) { v.precision = 0; });
  ASSERT_NE(wholeNumbers, atStart);
  EXPECT_TRUE(WaitUntil([&] { return ShowsPreview(panel, wholeNumbers); }))
      << "the preview shows " << Utf8(e2e::WindowText(panel)) << ", not " << Utf8(wholeNumbers);
  EXPECT_TRUE(WaitUntil([&] { return e2e::ScreenPixels(panel) != pixelsAtStart; }))
      << "the panel looks as before";
  const std::string pixelsWhole = e2e::ScreenPixels(panel);

  // A filled circle at the start point.
  ASSERT_TRUE(TabTo(*run, Id(ControlId::StartMarkerList)));
  TypeText(u"●");
  HWND startMarker = run->Control(Id(ControlId::StartMarkerList));
  ASSERT_TRUE(WaitUntil([&] { return SendMessageW(startMarker, CB_GETCURSEL, 0, 0) == 7; }))
      << "selection " << SendMessageW(startMarker, CB_GETCURSEL, 0, 0);
  const std::u16string withCircle = ExpectedPreview(exchange_, settings_, [](DialogValues& v) {
    v.precision = 0;
    v.startMarker = 7;
  });
  ASSERT_NE(withCircle, wholeNumbers);
  EXPECT_TRUE(WaitUntil([&] { return ShowsPreview(panel, withCircle); }))
      << "the preview shows " << Utf8(e2e::WindowText(panel)) << ", not " << Utf8(withCircle);
  EXPECT_TRUE(WaitUntil([&] { return e2e::ScreenPixels(panel) != pixelsWhole; }))
      << "the panel looks as before";
  Sleep(300);
  EXPECT_TRUE(e2e::SaveScreenshot(panel, shots / ("preview-changed-" + dpi + "dpi.bmp")));

  PressKey(VK_ESCAPE);
  ASSERT_TRUE(run->WaitForExit()) << "the dialog did not close";
  ExpectFilesUntouched();
}

TEST_F(TarvikDialog, PreviewSaysWhyUntilTheValuesCanBeDrawn) {
  Prepare(SampleExchange(), std::nullopt);
  auto run = Start();
  ASSERT_TRUE(run);
  HWND panel = run->Control(kPreviewItemId);
  ASSERT_NE(panel, nullptr);
  // The first run has no text style yet: the message of OK's check, and nothing drawn.
  EXPECT_TRUE(WaitUntil(
      [&] { return e2e::WindowText(panel) == u"寸法値の文字種類を指定して下さい\n一覧から１つ選んで下さい"; }))
      << "the preview shows " << Utf8(e2e::WindowText(panel));

  ASSERT_TRUE(TabTo(*run, Id(ControlId::TextStyleList)));
  PressKey(VK_DOWN);
  const std::u16string drawn =
      ExpectedPreview(exchange_, std::nullopt, [](DialogValues& v) { v.textStyle = 0; });
  EXPECT_TRUE(WaitUntil([&] { return ShowsPreview(panel, drawn); }))
      << "the preview shows " << Utf8(e2e::WindowText(panel)) << ", not " << Utf8(drawn);

  // An arrow length that OK refuses: its message again, without pressing OK.
  TypeInto(*run, ControlId::ArrowLengthEdit, u"2000");
  EXPECT_TRUE(WaitUntil([&] {
    return e2e::WindowText(panel) == u"矢印の長さを入力して下さい\n0 より大きく 1000 以下の数値を入力して下さい";
  }))
      << "the preview shows " << Utf8(e2e::WindowText(panel));
  EXPECT_EQ(run->MessageBox(), nullptr);

  PressKey(VK_ESCAPE);
  ASSERT_TRUE(run->WaitForExit());
  ExpectFilesUntouched();
}

// --- The horizontal dimension ---

TEST_F(TarvikDialog, HorizontalDrawsWithItsOwnSettingsCaptionAndPreview) {
  // The sample's measured points turned a quarter turn, so that they lie side by side.
  const std::string exchange = Replaced(
      SampleExchange(),
      {{"hp2 0 1000", "hp2 1000 0"}, {"hp3 500 300", "hp3 300 -500"}, {"hp4 600 400", "hp4 400 -600"}});
  // The vertical dimension's settings would draw filled circles at both ends at another place.
  DialogValues verticalValues = ValidValues();
  verticalValues.startMarker = verticalValues.endMarker = 7;
  const std::string verticalSettings = SettingsFile(verticalValues, {70, 60});
  DialogValues horizontalValues = ValidValues();
  horizontalValues.markerScale = u"1.5";
  horizontalValues.precision = 1;
  const std::string horizontalSettings = SettingsFile(horizontalValues, {130, 90});
  Prepare(exchange, verticalSettings);
  WriteBytes(dir_.path() / "selvan_h.dat", horizontalSettings);

  ProgramRun run(dir_.path() / "tarvik.exe", L"/Horizontal");
  ASSERT_TRUE(run.Started()) << "no dialog window appeared";
  EXPECT_EQ(Utf8(e2e::WindowText(run.Window())), Utf8(ApplicationTitle(Orientation::Horizontal)));
  EXPECT_EQ(Utf8(FirstLine(e2e::WindowText(run.Control(Id(ControlId::HelpText))))),
            Utf8(HelpTextLines(Orientation::Horizontal).front()));
  const RECT rect = WindowRect(run);
  EXPECT_EQ(rect.left, 130) << "not the place stored in selvan_h.dat";
  EXPECT_EQ(rect.top, 90);
  const std::u16string preview = ExpectedPreview(
      exchange, horizontalSettings, [](DialogValues&) {}, Orientation::Horizontal);
  EXPECT_NE(preview, ExpectedPreview(exchange, horizontalSettings, [](DialogValues&) {}));
  HWND panel = run.Control(kPreviewItemId);
  EXPECT_TRUE(WaitUntil([&] { return ShowsPreview(panel, preview); }))
      << "the preview shows " << Utf8(e2e::WindowText(panel)) << ", not " << Utf8(preview);

  ASSERT_TRUE(run.BringToFront());
  PressKey(VK_RETURN);
  ASSERT_TRUE(run.WaitForExit()) << "the dialog did not close";

  const Outcome expected = ReferenceRun(
      exchange, horizontalSettings, [](DialogValues&) {}, rect.left, rect.top, Orientation::Horizontal);
  EXPECT_NE(Exchange(), exchange) << "nothing was drawn";
  EXPECT_EQ(Exchange(), expected.exchange);
  EXPECT_NE(Exchange().find("\r\n0 -500 1000 -500\r\n"), std::string::npos) << "no horizontal dimension line";
  EXPECT_EQ(Settings(), verticalSettings) << "the horizontal run touched selvan.dat";
  ASSERT_TRUE(expected.settings);
  EXPECT_EQ(ReadBytes(dir_.path() / "selvan_h.dat"), *expected.settings);
}

// --- The aligned dimension ---

TEST_F(TarvikDialog, AlignedDrawsAlongItsPointsAndLeavesTheOtherSettingsAlone) {
  // The sample's points turned by -60 degrees, so that points 1 and 2 lie on a 30 degree line, on an
  // axis angle that plays no part.
  const std::string exchange =
      Replaced(SampleExchange(), {{"hk 0", "hk 17"},
                                  {"hp2 0 1000", "hp2 866.025403784439 500"},
                                  {"hp3 500 300", "hp3 509.807621135332 -283.012701892219"},
                                  {"hp4 600 400", "hp4 646.410161513776 -319.615242270663"}});
  const std::string verticalSettings = SettingsFile(ValidValues(), {70, 60});
  const std::string horizontalSettings = SettingsFile(ValidValues(), {90, 70});
  DialogValues alignedValues = ValidValues();
  alignedValues.startMarker = 7;
  alignedValues.precision = 1;
  const std::string alignedSettings = SettingsFile(alignedValues, {130, 90});
  Prepare(exchange, verticalSettings);
  WriteBytes(dir_.path() / "selvan_h.dat", horizontalSettings);
  WriteBytes(dir_.path() / "selvan_a.dat", alignedSettings);

  ProgramRun run(dir_.path() / "tarvik.exe", L"-ALIGNED");
  ASSERT_TRUE(run.Started()) << "no dialog window appeared";
  EXPECT_EQ(Utf8(e2e::WindowText(run.Window())), "tarvik－寸法値が離れた斜め寸法線を作図");
  EXPECT_EQ(Utf8(FirstLine(e2e::WindowText(run.Control(Id(ControlId::HelpText))))),
            Utf8(HelpTextLines(Orientation::Aligned).front()));
  const RECT rect = WindowRect(run);
  EXPECT_EQ(rect.left, 130) << "not the place stored in selvan_a.dat";
  const std::u16string preview = ExpectedPreview(
      exchange, alignedSettings, [](DialogValues&) {}, Orientation::Aligned);
  EXPECT_TRUE(WaitUntil([&] { return ShowsPreview(run.Control(kPreviewItemId), preview); }));
  ASSERT_TRUE(run.BringToFront());
  PressKey(VK_RETURN);
  ASSERT_TRUE(run.WaitForExit()) << "the dialog did not close";

  // What the vertical dimension draws with the same values on the axis angle 30 - 90.
  const Outcome vertical = ReferenceRun(
      Replaced(exchange, {{"hk 17", "hk -60"}}), alignedSettings, [](DialogValues&) {}, rect.left, rect.top,
      Orientation::Vertical);
  const auto lines = [](const std::string& ansi) {
    return golden::SplitCrLf(Utf8(platform::DecodeAnsi(ansi)));
  };
  EXPECT_NE(Exchange(), exchange) << "nothing was drawn";
  golden::ExpectLines(lines(Exchange()), lines(vertical.exchange));
  EXPECT_EQ(Settings(), verticalSettings) << "the aligned run touched selvan.dat";
  EXPECT_EQ(ReadBytes(dir_.path() / "selvan_h.dat"), horizontalSettings)
      << "the aligned run touched selvan_h.dat";
  const Outcome expected = ReferenceRun(
      exchange, alignedSettings, [](DialogValues&) {}, rect.left, rect.top, Orientation::Aligned);
  ASSERT_TRUE(expected.settings);
  EXPECT_EQ(ReadBytes(dir_.path() / "selvan_a.dat"), *expected.settings);
}

// --- Drawing without the dialog ---

TEST_F(TarvikDialog, QuickWritesWhatOkWritesAndLeavesTheSettingsUntouched) {
  DialogValues stored = ValidValues();
  stored.endMarker = 4;
  stored.suffix = u"（参考）";
  stored.fullWidth = true;
  const std::string settings = SettingsFile(stored, {80, 40});

  // The dialog's OK on the same files, in a folder of its own.
  Prepare(SampleExchange(), settings);
  std::string okWritten;
  {
    auto run = Start();
    ASSERT_TRUE(run);
    PressKey(VK_RETURN);
    ASSERT_TRUE(run->WaitForExit()) << "the dialog did not close";
    okWritten = Exchange();
    ASSERT_NE(okWritten, exchange_) << "OK drew nothing";
  }

  test_support::TempDir quickFolder;
  std::filesystem::copy_file(HostPath(TARVIK_EXE), quickFolder.path() / "tarvik.exe");
  WriteBytes(quickFolder.path() / kExchangeName, exchange_);
  WriteBytes(quickFolder.path() / kSettingsName, settings);
  ProgramRun quick(quickFolder.path() / "tarvik.exe", L"-QUICK");
  EXPECT_FALSE(quick.Started()) << "a window opened";
  ASSERT_TRUE(quick.WaitForExit());
  EXPECT_EQ(ReadBytes(quickFolder.path() / kExchangeName), okWritten);
  EXPECT_EQ(ReadBytes(quickFolder.path() / kSettingsName), settings)
      << "the settings or the position changed";
}

struct QuickDialogCase {
  const char* name;
  std::optional<std::string> settings;
};

class QuickOpensTheDialog : public TarvikDialog, public ::testing::WithParamInterface<QuickDialogCase> {};

TEST_P(QuickOpensTheDialog, WhenTheStoredSettingsCannotBeUsed) {
  Prepare(SampleExchange(), GetParam().settings);
  ProgramRun run(dir_.path() / "tarvik.exe", L"/horizontal /quick");
  ASSERT_TRUE(run.Started()) << "no dialog opened";
  EXPECT_EQ(Utf8(e2e::WindowText(run.Window())), Utf8(ApplicationTitle(Orientation::Horizontal)));
  ASSERT_TRUE(run.BringToFront());
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(run.WaitForExit());
  ExpectFilesUntouched();
}

DialogValues WithArrowLength(const char16_t* length) {
  DialogValues values = ValidValues();
  values.arrowLength = length;
  return values;
}

INSTANTIATE_TEST_SUITE_P(Settings, QuickOpensTheDialog,
                         ::testing::Values(QuickDialogCase{"missing", std::nullopt},
                                           QuickDialogCase{"arrow_length_refused",
                                                           SettingsFile(WithArrowLength(u"1001"), {50, 50})}),
                         [](const ::testing::TestParamInfo<QuickDialogCase>& info) {
                           return std::string(info.param.name);
                         });

// Nothing is read or written, and the exit code says why.
TEST_F(TarvikDialog, RefusedOptionsAreNamedAndWriteNothing) {
  struct Case {
    const wchar_t* arguments;
    std::vector<std::u16string> named;
  };
  const Case cases[] = {
      {L"/quick /vertical", {u"/vertical", u"/horizontal", u"/aligned", u"/quick"}},
      {L"-Aligned /quick /HORIZONTAL", {u"/horizontal", u"/aligned"}},
      // A row keeps the orientation it was started in.
      {L"/next /horizontal /quick", {u"/horizontal", u"/next"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(std::u16string(c.arguments, c.arguments + std::wcslen(c.arguments))));
    Prepare(SampleExchange(), SettingsFile(ValidValues(), {50, 50}));
    ProgramRun run(dir_.path() / "tarvik.exe", c.arguments);
    EXPECT_FALSE(run.Started()) << "the dialog opened";
    HWND box = run.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no message box appeared";
    const std::u16string text = e2e::MessageBoxText(box);
    for (const std::u16string& named : c.named)
      EXPECT_NE(text.find(named), std::u16string::npos) << Utf8(text);
    EXPECT_TRUE(e2e::BringToFront(box));
    PressKey(VK_RETURN);
    ASSERT_TRUE(run.WaitForExit());
    EXPECT_EQ(run.ExitCode(), static_cast<DWORD>(kExitUnknownOption));
    ExpectFilesUntouched();
    std::filesystem::remove(dir_.path() / "tarvik.exe");
  }
}

// --- A row of dimensions ---

// The sample exchange file with the two points of a row's following dimension, as "#1-" makes the host
// write the first, and with other scales when given: another drawing.
std::string NextDimensionExchange(const char* scales = nullptr) {
  const std::string exchange = SampleExchange();
  std::string out;
  size_t start = 0;
  for (size_t end; (end = exchange.find("\r\n", start)) != std::string::npos; start = end + 2) {
    const std::string line = exchange.substr(start, end - start);
    if (line.starts_with("hp")) continue;
    out += (scales != nullptr && line.starts_with("hs ") ? std::string(scales) : line) + "\r\n";
    if (line.starts_with("hn ")) out += "hp1- 0 2500\r\nhp2 700 1800\r\n";
  }
  return out;
}

// Runs tarvik.exe in `folder` with `arguments`, which must open no window; its exit code.
DWORD RunWithoutWindow(const std::filesystem::path& folder, const wchar_t* arguments) {
  ProgramRun run(folder / "tarvik.exe", arguments);
  EXPECT_FALSE(run.Started()) << "a window opened";
  EXPECT_TRUE(run.WaitForExit());
  return run.ExitCode();
}

TEST_F(TarvikDialog, NextQuickContinuesTheRowAsTheConstructionSaysAndLeavesTheSettings) {
  const std::string settings = SettingsFile(ValidValues(), {50, 50});
  Prepare(SampleExchange(), settings);
  EXPECT_EQ(RunWithoutWindow(dir_.path(), L"/quick"), 0u);
  WriteBytes(dir_.path() / kExchangeName, NextDimensionExchange());
  EXPECT_EQ(RunWithoutWindow(dir_.path(), L"/next /quick"), 0u);
  const std::string next = Exchange();
  EXPECT_EQ(Settings(), settings) << "a quick run changed selvan.dat";

  // The windowless session on the same files: a first run, then the row continued.
  test_support::TempDir folder;
  WriteBytes(folder.path() / kExchangeName, SampleExchange());
  WriteBytes(folder.path() / kSettingsName, settings);
  RecordingUi ui;
  for (bool continuing : {false, true}) {
    if (continuing) WriteBytes(folder.path() / kExchangeName, NextDimensionExchange());
    DimensionSession session;
    ASSERT_TRUE(session.Load(folder.folder()));
    if (continuing) {
      ASSERT_EQ(Utf8(session.ContinueRow(LoadRow(folder.folder() + kRowFileName))), "");
    }
    ASSERT_TRUE(session.QuickRun(ui));
  }
  EXPECT_EQ(ReadBytes(folder.path() / kExchangeName), next);
  // From the first dimension's end to the next point, on the line through the first one's point 3.
  EXPECT_NE(next.find("\r\n500 1000 500 2500\r\n"), std::string::npos) << next;
}

TEST_F(TarvikDialog, NextWithoutARowOrOnAnotherDrawingSaysSoAndChangesNoFile) {
  const std::string settings = SettingsFile(ValidValues(), {50, 50});
  for (bool rowRecorded : {false, true}) {
    SCOPED_TRACE(rowRecorded ? "a row of another drawing" : "no row");
    Prepare(SampleExchange(), settings);
    if (rowRecorded) {
      ASSERT_EQ(RunWithoutWindow(dir_.path(), L"/quick"), 0u);
    }
    exchange_ = NextDimensionExchange("hs 50 50 50 50 50 50 50 50 50 50 50 50 50 50 50 50");
    WriteBytes(dir_.path() / kExchangeName, exchange_);
    const std::vector<std::string> files = test_support::FolderEntries(dir_.path());
    const std::string row = rowRecorded ? ReadBytes(dir_.path() / "tarvik_row.dat") : "";

    ProgramRun run(dir_.path() / "tarvik.exe", L"/next /quick");
    EXPECT_FALSE(run.Started()) << "the dialog opened";
    AnswerMessageBox(run, rowRecorded ? kRowOfOtherDrawingMessage : kNoRowMessage, true);
    ASSERT_TRUE(run.WaitForExit());
    EXPECT_EQ(run.ExitCode(), static_cast<DWORD>(kExitNothingToContinue));
    ExpectFilesUntouched();
    EXPECT_EQ(test_support::FolderEntries(dir_.path()), files);
    if (rowRecorded) {
      EXPECT_EQ(ReadBytes(dir_.path() / "tarvik_row.dat"), row);
    }
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) std::filesystem::remove(entry);
  }
}

}  // namespace
