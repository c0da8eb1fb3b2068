// strerror's text for an errno value; the program never sets a C locale, so the text is the C library's
// own (English), which the UTF-8 decoder takes as it is.
#include <cerrno>
#include <cstring>

#include "platform.h"
#include "system_error.h"

namespace platform::detail {

std::u16string SystemErrorText(unsigned long error) {
  const char* text = std::strerror(static_cast<int>(error));
  if (text == nullptr || *text == '\0') return u"エラー番号 " + DecodeUtf8(std::to_string(error));
  return DecodeUtf8(text);
}

std::u16string OutOfMemoryText() { return SystemErrorText(ENOMEM); }

}  // namespace platform::detail
