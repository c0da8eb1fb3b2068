// The two dimensions the program draws: the vertical one, and its horizontal companion, which is the
// same construction turned a quarter turn. Everything that tells them apart to the user is here.
#pragma once

#include <string>
#include <vector>

enum class Orientation { Vertical, Horizontal };

// The window caption, also the caption of every message box of that run.
const char16_t* ApplicationTitle(Orientation orientation);

// The settings file's name in the program folder: "selvan.dat" or "selvan_h.dat"; each dimension keeps
// its own settings.
const char16_t* SettingsFileName(Orientation orientation);

// The memo's help text, 24 lines.
const std::vector<std::u16string>& HelpTextLines(Orientation orientation);
