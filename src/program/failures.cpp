// The texts of the failures the user has to know about. They name the file and, where the system gave
// one, its reason, so that a full disk or a locked file can be told apart from a fault of the program.
#include "failures.h"

#include <exception>
#include <new>

std::u16string ExchangeUnreadableMessage(const std::u16string& toolName) {
  return u"「JWC_TEMP.TXT」が読み込めませんので作図出来ません\n"
         u"本ソフトはJw_cadの「その他」－「外部変形」で " +
         toolName +
         u" のバッチファイルを選んで起動して下さい\n"
         u"よくある原因は次の２つです\n"
         u"・本ソフトとバッチファイルが別々のフォルダにある\n"
         u"・ファイルを作成出来ないフォルダ（「C:\\Program Files」の下など）に置いている";
}

int ReportExchangeFailure(UserFeedback& ui, platform::ReadFailure failure,
                          const std::u16string& toolName) {
  switch (failure) {
    case platform::ReadFailure::None:
      return kExitDone;
    case platform::ReadFailure::Missing:
    case platform::ReadFailure::Unreadable:
      ui.ShowError(ExchangeUnreadableMessage(toolName));
      return kExitExchangeUnreadable;
    case platform::ReadFailure::TooLarge:
      ui.ShowError(kExchangeTooLargeMessage);
      return kExitExchangeTooLarge;
  }
  return kExitUnexpected;
}

const char16_t kExchangeTooLargeMessage[] = u"「JWC_TEMP.TXT」が大きすぎて読み込めませんので作図出来ません";

std::u16string UnexpectedFailureMessage(const char* what) {
  std::u16string message = u"予期しないエラーが発生しましたので作図出来ません\n";
  message += kReasonLabel;
  // The library's words are ASCII in practice; anything else is shown as "?" rather than guessed at.
  for (const char* c = what != nullptr ? what : ""; *c != '\0'; ++c)
    message += static_cast<unsigned char>(*c) < 0x80 ? static_cast<char16_t>(*c) : u'?';
  return message;
}

CaughtFailure CurrentFailure() {
  try {
    throw;
  } catch (const std::bad_alloc&) {
    return {kOutOfMemoryMessage, kExitOutOfMemory};
  } catch (const std::exception& failure) {
    return {UnexpectedFailureMessage(failure.what()), kExitUnexpected};
  } catch (...) {
    return {UnexpectedFailureMessage(nullptr), kExitUnexpected};
  }
}

std::u16string SettingsUnreadableMessage(const std::u16string& settingsFileName,
                                         const std::u16string& reason) {
  return u"設定ファイル「" + settingsFileName + u"」が読み込めません\n" + kReasonLabel + reason +
         u"\n今回は設定を保存しません";
}

const char16_t kOutOfMemoryMessage[] = u"メモリが不足していますので作図出来ません";
const char16_t kExchangeUnwritableMessage[] = u"「JWC_TEMP.TXT」に書き込めませんので作図出来ません";
const char16_t kReasonLabel[] = u"理由：";

std::u16string SettingsUnwritableHeadline(const std::u16string& settingsFileName) {
  return u"設定ファイル「" + settingsFileName + u"」に保存出来ませんでした";
}

std::u16string UncreatableFolderLine(const std::u16string& folder) {
  return u"フォルダ「" + folder +
         u"」にファイルを作成出来ません（tarvikはこのフォルダにファイルを作成する必要があります）";
}

void AppendWriteFailure(std::u16string& message, const std::u16string& headline,
                        const platform::WriteResult& result) {
  if (result) return;
  if (!message.empty()) message += u"\n\n";
  message += headline;
  message += u"\n";
  message += kReasonLabel;
  message += result.reason;
  if (!result.uncreatableFolder.empty()) message += u"\n" + UncreatableFolderLine(result.uncreatableFolder);
}

std::u16string WriteFailureMessage(const platform::WriteResult& exchange,
                                   const platform::WriteResult& settings,
                                   const std::u16string& settingsFileName) {
  std::u16string message;
  AppendWriteFailure(message, kExchangeUnwritableMessage, exchange);
  AppendWriteFailure(message, SettingsUnwritableHeadline(settingsFileName), settings);
  return message;
}
