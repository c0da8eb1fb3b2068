// SetDefaultDllDirectories, looked up at run time: importing it would keep the program from starting on a
// Windows 7 that lacks the update that brought it.
#include "dll_search_win.h"

#include <windows.h>

void RestrictDllSearchToSystem() {
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  if (kernel == nullptr) return;
  using SetDirectories = BOOL(WINAPI*)(DWORD);
  // GetProcAddress gives a generic pointer; going through void(*)() keeps the cast free of warnings.
  const auto setDirectories = reinterpret_cast<SetDirectories>(
      reinterpret_cast<void (*)()>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (setDirectories != nullptr) setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}
