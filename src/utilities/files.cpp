// File and keyboard helpers of the utilities: thin calls into the platform layer.
#include "MyFunc.h"
#include "platform.h"

bool FileExistsText(const std::u16string& fileName) {
  return !fileName.empty() && platform::FileExists(fileName);
}

// Only files are deleted: a folder of that name is left alone and reported as not deleted, whatever the
// platform's own remove call would do with an empty folder.
bool DeleteFileText(const std::u16string& fileName) {
  if (fileName.empty() || !platform::FileExists(fileName)) return false;
  return platform::RemoveFile(fileName);
}

bool EscapeKeyDown() { return platform::EscapeKeyDown(); }
