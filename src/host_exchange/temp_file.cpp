// Writes the output command buffer over the exchange file that the host reads back, in UTF-8 when the
// host's file was UTF-8 and in the ANSI code page otherwise, and ends a run without result.
#include <string>
#include <utility>
#include <vector>

#include "JwwGaibu.h"
#include "MyFunc.h"
#include "platform.h"

bool TJGdata::SaveTempFile(const std::u16string& fn, std::u16string* reason,
                           std::u16string* uncreatableFolder) {
  const size_t count = UsedCount(t_Mem, t_MemN);
  std::u16string text;
  if (count == 0) {
    // The host's sign for "nothing to draw".
    text = u"hq\r\n";
  } else {
    size_t length = 0;
    for (size_t i = 0; i < count; ++i) length += t_Mem[i].size() + 2;
    text.reserve(length);
    for (size_t i = 0; i < count; ++i) {
      text.append(t_Mem[i]);
      text.append(u"\r\n");
    }
  }
  // The platform writes a temporary file beside fn and renames it over fn, so the host never finds
  // a half-written file even if this process dies during the write.
  platform::WriteResult written = platform::WriteTextFile(fn, text, MojiCode);
  if (written) return true;
  if (reason != nullptr) *reason = std::move(written.reason);
  if (uncreatableFolder != nullptr) *uncreatableFolder = std::move(written.uncreatableFolder);
  // The host must not draw from an exchange file this run failed to replace: it would redraw its
  // own selection. Better no file than a stale or broken one; a failed deletion is ignored.
  if (FileExistsText(fn)) DeleteFileText(fn);
  return false;
}

void TJGdata::StopJwwGaibu() {
  t_MemN = 0;
  std::vector<std::u16string>().swap(t_Mem);
}
