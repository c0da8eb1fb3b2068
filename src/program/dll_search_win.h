// Where the program lets Windows look for DLLs.
#pragma once

// Makes DLLs that system components load later come from the system folder only, never from the
// program's folder (a Downloads folder may hold anything). Does nothing on a Windows without
// SetDefaultDllDirectories (Windows 7 before KB2533623), where the system's own order stays.
void RestrictDllSearchToSystem();
