// The operating system's own words for why a call failed, for messages that the user reads.
#pragma once

#include <string>

namespace platform::detail {

// The system's text for `error` (a GetLastError code on Windows, an errno value elsewhere), without a
// trailing line break; a text naming the number when the system has none.
std::u16string SystemErrorText(unsigned long error);

// The system's text for memory that ran out (ERROR_NOT_ENOUGH_MEMORY, ENOMEM): the reason given for
// text too large to hold.
std::u16string OutOfMemoryText();

}  // namespace platform::detail
