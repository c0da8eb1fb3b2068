// Another program that holds a file, as the host or a virus scanner may while tarvik starts:
//   file_holder PATH
// opens PATH without any sharing, writes "held" and a line break to its output once it does, and lets go
// when its input ends. A test that dies closes that input with it, so no hold outlives the test.
// Exit code 0 after a hold, 2 when the file could not be opened (the system's error code follows on the
// output), 1 for a wrong command line.
#include <windows.h>

#include <string>

#include "unique_handle_win.h"

namespace {

void Say(const std::string& line) {
  DWORD put = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()), &put, nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 1;
  unique_kernel_handle file(
      CreateFileW(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    Say("error " + std::to_string(GetLastError()) + "\n");
    return 2;
  }
  Say("held\n");
  // What comes through the input does not matter, only its end.
  char buffer[64];
  DWORD got = 0;
  while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof(buffer), &got, nullptr) && got > 0) {
  }
  return 0;  // the file is let go as `file` goes
}
