// The texts of the failures the user has to know about. They name the file and, where the system gave
// one, its reason, so that a full disk or a locked file can be told apart from a fault of the program.
#include "failures.h"

std::u16string ExchangeUnreadableMessage(const std::u16string& toolName) {
  return u"「JWC_TEMP.TXT」が読み込めませんので作図出来ません\n"
         u"本ソフトはJw_cadの「その他」－「外部変形」で " +
         toolName +
         u" のバッチファイルを選んで起動して下さい\n"
         u"よくある原因は次の２つです\n"
         u"・本ソフトとバッチファイルが別々のフォルダにある\n"
         u"・ファイルを作成出来ないフォルダ（「C:\\Program Files」の下など）に置いている";
}

int ReportExchangeUnreadable(UserFeedback& ui, const std::u16string& toolName) {
  ui.ShowError(ExchangeUnreadableMessage(toolName));
  return kExitExchangeUnreadable;
}

const char16_t kOutOfMemoryMessage[] = u"メモリが不足していますので作図出来ません";
const char16_t kExchangeUnwritableMessage[] = u"「JWC_TEMP.TXT」に書き込めませんので作図出来ません";
const char16_t kReasonLabel[] = u"理由：";

std::u16string SettingsUnwritableHeadline(const std::u16string& settingsFileName) {
  return u"設定ファイル「" + settingsFileName + u"」に保存出来ませんでした";
}

std::u16string WriteFailureMessage(const platform::WriteResult& exchange,
                                   const platform::WriteResult& settings,
                                   const std::u16string& settingsFileName) {
  std::u16string message;
  const auto part = [&message](const std::u16string& headline, const std::u16string& reason) {
    if (!message.empty()) message += u"\n\n";
    message += headline;
    message += u"\n";
    message += kReasonLabel;
    message += reason;
  };
  if (!exchange) part(kExchangeUnwritableMessage, exchange.reason);
  if (!settings) part(SettingsUnwritableHeadline(settingsFileName), settings.reason);
  return message;
}
