// tarvik.exe /quick: the dimension drawn with the stored settings, without showing the dialog.
#pragma once

#include "session.h"

// Draws the session's dimension (after its Load) with the stored settings, showing only the zero or
// overflow message if one applies, or the failure to write it, after which `exitCode` says whether the
// drawing was written. False, with nothing written or shown, when there are no stored settings, they
// could not be read, or they fail a check of OK: the caller opens the dialog on the same session, which
// tells what is wrong.
bool RunQuick(DimensionSession& session, int& exitCode);
