// FormatMessage's text for a GetLastError code, in the user's language.
#include <windows.h>

#include <string>

#include "platform.h"
#include "system_error.h"

namespace platform::detail {

std::u16string SystemErrorText(unsigned long error) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      static_cast<DWORD>(error), 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
  std::u16string text;
  if (length > 0 && buffer != nullptr) text.assign(reinterpret_cast<const char16_t*>(buffer), length);
  LocalFree(buffer);
  // The system's texts end in a line break, which would leave an empty line in a message box.
  while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' '))
    text.pop_back();
  if (text.empty()) return u"エラー番号 " + DecodeUtf8(std::to_string(error));
  return text;
}

std::u16string OutOfMemoryText() { return SystemErrorText(ERROR_NOT_ENOUGH_MEMORY); }

}  // namespace platform::detail
