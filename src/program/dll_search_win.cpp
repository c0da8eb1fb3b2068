// SetDefaultDllDirectories, looked up at run time: importing it would keep the program from starting on a
// Windows 7 that lacks the update that brought it.
#include "dll_search_win.h"

#include <windows.h>

#include "loaded_function_win.h"

void RestrictDllSearchToSystem() {
  const auto setDirectories = LoadFunction<BOOL(WINAPI*)(DWORD)>(L"kernel32.dll", "SetDefaultDllDirectories");
  if (setDirectories != nullptr) setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}
