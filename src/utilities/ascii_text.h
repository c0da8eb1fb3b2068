// ASCII characters from the standard number formatters, widened into the core's text type.
#pragma once

#include <string>
#include <string_view>

namespace myfunc_detail {

// Each byte becomes the code unit of the same value; meant for ASCII, which is all the formatters give.
inline std::u16string AsciiToText(std::string_view ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

}  // namespace myfunc_detail
