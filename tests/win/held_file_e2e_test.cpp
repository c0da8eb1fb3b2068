// tarvik.exe meeting files that another program holds open without sharing (file_holder.exe), as the
// host or a virus scanner may while the program starts: a moment's hold is waited out, a longer one on
// the settings file is told and that file is left as it is.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "JwwGaibu.h"
#include "dialog_values.h"
#include "dimension_dialog_layout_win.h"
#include "failures.h"
#include "program_driver.h"
#include "session.h"
#include "settings_file.h"
#include "system_error.h"
#include "test_support.h"
#include "user_feedback.h"

namespace {

using e2e::HostPath;
using e2e::PressKey;
using e2e::ProgramRun;
using e2e::WaitUntil;
using namespace std::chrono_literals;
using test_support::ReadBytes;
using test_support::Utf8;
using test_support::WriteBytes;

const char kExchangeName[] = "JWC_TEMP.TXT";
const char kSettingsName[] = "selvan.dat";

// A hold on a file by a program of its own, taken when the object is made and let go by Release or when
// the object goes.
class HeldFile {
 public:
  explicit HeldFile(const std::filesystem::path& file) {
    SECURITY_ATTRIBUTES inherited{sizeof(inherited), nullptr, TRUE};
    HANDLE inputRead = nullptr, inputWrite = nullptr, outputRead = nullptr, outputWrite = nullptr;
    if (!CreatePipe(&inputRead, &inputWrite, &inherited, 0)) return;
    unique_kernel_handle holderInput(inputRead);
    input_.reset(inputWrite);
    if (!CreatePipe(&outputRead, &outputWrite, &inherited, 0)) return;
    unique_kernel_handle output(outputRead), holderOutput(outputWrite);
    // The holder inherits only its own ends: its input ends when this object's end goes.
    SetHandleInformation(inputWrite, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(outputRead, HANDLE_FLAG_INHERIT, 0);

    const std::filesystem::path exe = HostPath(TARVIK_FILE_HOLDER_EXE);
    std::wstring commandLine = L"\"" + exe.wstring() + L"\" \"" + file.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inputRead;
    startup.hStdOutput = startup.hStdError = outputWrite;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &started)) {
      return;
    }
    process_.reset(started.hProcess);
    CloseHandle(started.hThread);
    holderOutput.reset();  // so that the read below ends should the holder end without a word
    char said[32] = {};
    DWORD got = 0;
    ReadFile(output.get(), said, sizeof(said) - 1, &got, nullptr);
    said_ = std::string(said, got);
  }
  ~HeldFile() {
    if (!Release() && process_) TerminateProcess(process_.get(), 1);
  }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;

  bool Held() const { return said_ == "held\n"; }
  const std::string& Said() const { return said_; }
  // Lets go of the file; true when the holder has ended after holding it.
  bool Release() {
    input_.reset();
    DWORD code = 1;
    return process_ && WaitForSingleObject(process_.get(), 10000) == WAIT_OBJECT_0 &&
           GetExitCodeProcess(process_.get(), &code) && code == 0;
  }

 private:
  unique_kernel_handle input_;
  unique_kernel_handle process_;
  std::string said_;
};

// The volume's number for the file: a file put in its place gets another.
ULONGLONG FileIndex(const std::filesystem::path& file) {
  unique_kernel_handle handle(CreateFileW(file.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  BY_HANDLE_FILE_INFORMATION information{};
  if (!GetFileInformationByHandle(handle.get(), &information)) return 0;
  return (ULONGLONG{information.nFileIndexHigh} << 32) | information.nFileIndexLow;
}

class Silent : public UserFeedback {
 public:
  void ShowMessage(const std::u16string& message) override { ADD_FAILURE() << Utf8(message); }
  void SetStatus(const std::u16string&) override {}
};

// What OK writes into `exchange` with text style `textStyle` and every other value at its default.
std::string DrawnWithTextStyle(const std::string& exchange, int textStyle) {
  test_support::TempDir folder;
  WriteBytes(folder.path() / kExchangeName, exchange);
  DimensionSession session;
  EXPECT_TRUE(session.Load(folder.folder()));
  session.values.textStyle = textStyle;
  EXPECT_FALSE(session.Confirm().has_value());
  Silent ui;
  session.Finish(0, 0, ui);
  return ReadBytes(folder.path() / kExchangeName);
}

// A folder with the program, the sample exchange file and stored settings that /quick draws with:
// text style 1, everything else at its defaults.
class HeldFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    exchange_ = ReadBytes(HostPath(TARVIK_SAMPLES_DIR) / kExchangeName);
    DialogValues values;
    values.textStyle = 1;
    std::u16string text;
    for (const std::u16string& line : SettingsLines(values, {70, 60}, TJGdata())) text += line + u"\r\n";
    settings_ = "\xEF\xBB\xBF" + platform::EncodeUtf8(text);
    std::filesystem::copy_file(HostPath(TARVIK_EXE), Path("tarvik.exe"));
    WriteBytes(Path(kExchangeName), exchange_);
    WriteBytes(Path(kSettingsName), settings_);
  }

  std::filesystem::path Path(const char* name) const { return dir_.path() / name; }

  test_support::TempDir dir_;
  std::string exchange_;
  std::string settings_;
};

// Held through the start: the user is told why the settings are not used, the dialog opens on the
// defaults and draws, and the settings file is neither rewritten nor replaced, though it is free again
// by the time OK is pressed.
TEST_F(HeldFiles, SettingsHeldThroughTheStartAreToldAndLeftAsTheyAre) {
  const ULONGLONG index = FileIndex(Path(kSettingsName));
  HeldFile hold(Path(kSettingsName));
  ASSERT_TRUE(hold.Held()) << hold.Said();
  ProgramRun run(Path("tarvik.exe"));
  HWND box = run.WaitForMessageBox();
  ASSERT_NE(box, nullptr) << "no message box appeared";
  EXPECT_FALSE(run.Started()) << "the dialog opened before the message";
  EXPECT_EQ(Utf8(e2e::MessageBoxText(box)),
            Utf8(SettingsUnreadableMessage(u"selvan.dat",
                                           platform::detail::SystemErrorText(ERROR_SHARING_VIOLATION))));
  EXPECT_TRUE(e2e::BringToFront(box));
  PressKey(VK_RETURN);
  ASSERT_TRUE(run.WaitForWindow()) << "the dialog did not open after the message";
  ASSERT_TRUE(hold.Release());

  ASSERT_TRUE(run.BringToFront());
  const int textStyleList = DialogItemId(ControlId::TextStyleList);
  for (ControlId next : {ControlId::EndMarkerList, ControlId::TextStyleList}) {
    PressKey(VK_TAB);
    ASSERT_TRUE(run.WaitForFocus(DialogItemId(next))) << "focus is on " << run.FocusedId();
  }
  PressKey(VK_DOWN);
  EXPECT_TRUE(WaitUntil([&] { return SendMessageW(run.Control(textStyleList), CB_GETCURSEL, 0, 0) == 0; }));
  PressKey(VK_RETURN);
  ASSERT_TRUE(run.WaitForExit()) << "OK did not end the run";
  EXPECT_EQ(run.ExitCode(), static_cast<DWORD>(kExitDone));
  EXPECT_EQ(ReadBytes(Path(kExchangeName)), DrawnWithTextStyle(exchange_, 0));
  EXPECT_EQ(ReadBytes(Path(kSettingsName)), settings_) << "the settings file was rewritten";
  EXPECT_EQ(FileIndex(Path(kSettingsName)), index) << "the settings file was replaced";
  // The drawn dimension starts a row, recorded apart from the settings.
  EXPECT_EQ(test_support::FolderEntries(dir_.path()),
            (std::vector<std::string>{kExchangeName, kSettingsName, "tarvik.exe", "tarvik_row.dat"}));
}

// Held until the program has been refused the file, then 200 ms more, well within its half second of
// retries: /quick draws from the stored settings as if nothing had held the file. (Held from before the
// start for a fixed time instead, the hold would often be over before the program, slow to start under
// the emulator, first reaches for the file.)
class BrieflyHeld : public HeldFiles, public ::testing::WithParamInterface<const char*> {};

TEST_P(BrieflyHeld, IsReadOnALaterTryAndQuickDrawsAsUsual) {
  HeldFile hold(Path(GetParam()));
  ASSERT_TRUE(hold.Held()) << hold.Said();
  bool refused = false;
  ProgramRun quick(Path("tarvik.exe"), L"/quick", [&](HANDLE process, HANDLE thread) {
    refused = WaitUntil([&] { return e2e::LastErrorOf(process, thread) == ERROR_SHARING_VIOLATION; });
    std::this_thread::sleep_for(200ms);
    EXPECT_TRUE(hold.Release());
  });
  EXPECT_TRUE(refused) << "the program never met the hold";
  EXPECT_FALSE(quick.Started()) << "the dialog opened";
  if (HWND box = quick.MessageBox()) ADD_FAILURE() << "a message: " << Utf8(e2e::MessageBoxText(box));
  ASSERT_TRUE(quick.WaitForExit());
  EXPECT_EQ(quick.ExitCode(), static_cast<DWORD>(kExitDone));
  EXPECT_EQ(ReadBytes(Path(kExchangeName)), DrawnWithTextStyle(exchange_, 1));
  EXPECT_EQ(ReadBytes(Path(kSettingsName)), settings_);
}

INSTANTIATE_TEST_SUITE_P(Files, BrieflyHeld, ::testing::Values(kSettingsName, kExchangeName),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param == kSettingsName ? "settings" : "exchange");
                         });

}  // namespace
