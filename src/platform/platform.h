// The only door to the operating system: whole-file text I/O with encoding detection,
// code-page conversion, file existence and deletion, the program folder and the keyboard.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace platform {

enum class TextEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

struct ReadTextResult {
  bool ok = false;                            // false: missing, unreadable or not a regular file
  TextEncoding encoding = TextEncoding::Ansi; // decided by the byte-order mark alone
  std::u16string text;                        // without the byte-order mark
};

// Reads a whole file with other writers shut out. EF BB BF: UTF-8; FF FE: UTF-16 LE;
// FE FF: UTF-16 BE; otherwise the ANSI code page (CP_ACP on Windows, CP932 elsewhere).
// Invalid byte sequences decode to U+FFFD (or as the platform converter does); reading goes on.
ReadTextResult ReadTextFile(const std::u16string& path);

// Reads a whole file as ReadTextFile does, then decodes it a piece at a time and hands each piece to
// `piece`, in order, so that a caller that goes through the text once never holds all of it at once;
// `piece` may stop the decoding by returning false. The pieces joined are ReadTextFile's text. Pieces
// are cut where the bytes hold a line feed where possible, but a line may run on into the next piece.
// When the file cannot be read, nothing is decoded and ok is false; the result's text is always empty.
using TextPiece = std::function<bool(std::u16string_view piece)>;
ReadTextResult ReadTextFileInPieces(const std::u16string& path, const TextPiece& piece);

// Decoders and encoders used by ReadTextFile and WriteTextFile, exposed for tests and benchmarks.
std::u16string DecodeAnsi(std::string_view bytes);
std::string EncodeAnsi(const std::u16string& text);
std::u16string DecodeUtf8(const std::string& bytes);
std::string EncodeUtf8(const std::u16string& text);

// Writes `bytes` as the whole file. They go to a temporary file beside `path` that is then renamed over
// it, so a reader never sees a half-written file; on failure the temporary file is removed and false
// is returned.
bool WriteFileBytes(const std::u16string& path, std::string_view bytes);

// Writes `text` as the whole file through WriteFileBytes: UTF-8 with a byte-order mark, or the ANSI
// code page without one.
bool WriteTextFile(const std::u16string& path, const std::u16string& text, bool utf8WithBom);

// True for an existing regular file (symbolic links followed); false for folders and empty names.
bool FileExists(const std::u16string& path);
// Deletes a file; false when the name is empty or unusable, the file is missing, or deletion is refused.
bool RemoveFile(const std::u16string& path);

// Folder of the running executable, ending in the path separator.
std::u16string ProgramFolder();

// True while the Escape key is held down (sampled now, not queued); always false without a keyboard API.
bool EscapeKeyDown();

}  // namespace platform
