// tarvik.exe /quick: the dimension drawn with the stored settings, without showing the dialog.
#pragma once

#include "orientation.h"

// Draws the `orientation` dimension from the exchange file and the stored settings beside the program,
// showing only the zero or overflow message if one applies, or the failure to write it, after which
// `exitCode` says whether the drawing was written. False, with nothing written or shown, when the
// exchange file cannot be read, there are no stored settings or they fail a check of OK: the caller
// opens the dialog instead, which tells what is wrong.
bool RunQuick(Orientation orientation, int& exitCode);
