// Functions that only newer Windows versions export, looked up at run time: importing them would keep
// the program from starting on the versions that lack them.
#pragma once

#include <windows.h>

// The function `name` of `module`, a DLL already loaded into the process (one the program links), as a
// `Function` pointer; null when the module is not loaded or does not export it.
template <typename Function>
Function LoadFunction(const wchar_t* module, const char* name) {
  HMODULE handle = GetModuleHandleW(module);
  if (handle == nullptr) return nullptr;
  // GetProcAddress gives a generic pointer; going through void(*)() keeps the cast free of warnings.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(handle, name)));
}
