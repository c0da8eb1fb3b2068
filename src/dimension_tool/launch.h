// How Jw_cad's batch files start tarvik, and where a user who started it some other way is sent.
#pragma once

// The batch file that the unreadable-exchange message names: the vertical dimension's, which the user
// guide introduces first, whichever batch file started the run.
inline constexpr char16_t kBatchFileName[] = u"tarvik.bat";
