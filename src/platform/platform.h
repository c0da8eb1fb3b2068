// The only door to the operating system: whole-file text I/O with encoding detection,
// code-page conversion, file existence and deletion, the program folder and the keyboard.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace platform {

enum class TextEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

// Why a read gave no text.
enum class ReadFailure {
  None,        // the file was read
  Missing,     // no file of that name: nothing there, a folder on the way missing, or a name no file has
  Unreadable,  // the file is there but cannot be read: refused, held by another program beyond the
               // retries, or a folder or device
  TooLarge,    // the file, or one line of it, is more text than this program can hold
};

struct ReadTextResult {
  bool ok = false;                             // the file was read; failure is None exactly then
  ReadFailure failure = ReadFailure::Unreadable;
  std::u16string reason;                       // the system's words for the failure; empty when ok
  TextEncoding encoding = TextEncoding::Ansi;  // decided by the byte-order mark alone
  std::u16string text;                         // without the byte-order mark
};

// The most UTF-16 code units a decoded text may have: as many as a std::u16string can hold on this
// build (2^29 - 1 on a 32-bit one). A read that would need more fails as TooLarge instead of throwing.
// Not constexpr: clang does not take libstdc++'s max_size() as a constant expression.
inline const std::size_t kLongestText = std::u16string().max_size();

// Reads a whole file. EF BB BF: UTF-8; FF FE: UTF-16 LE; FE FF: UTF-16 BE; otherwise the ANSI code
// page (CP_ACP on Windows, CP932 elsewhere). Invalid byte sequences decode to U+FFFD (or as the
// platform converter does); reading goes on. Only the first `maxBytes` bytes of a longer file are read
// (a character cut there decodes as an invalid sequence does). On Windows other writers are shut out,
// and a file that another program holds (sharing or lock violation, access denied) is tried again for
// about half a second, as writes are; elsewhere nothing locks a file. Never throws: a file too large to
// hold, or memory running out, fails as TooLarge.
inline constexpr std::size_t kWholeFile = static_cast<std::size_t>(-1);
ReadTextResult ReadTextFile(const std::u16string& path, std::size_t maxBytes = kWholeFile);

// Reads a whole file as ReadTextFile does, then decodes it a piece at a time and hands each piece to
// `piece`, in order, so that a caller that goes through the text once never holds all of it at once;
// `piece` may stop the decoding by returning false. The pieces joined are ReadTextFile's text. Pieces
// are cut where the bytes hold a line feed where possible, but a line may run on into the next piece.
// No piece is longer than `maxUnits` units: a stretch up to a line feed (in UTF-16, a single unit) that
// would decode to more fails the read as TooLarge after the pieces before it. When the file cannot be
// read, nothing is decoded; the result's text is always empty. An exception from `piece` that is
// std::bad_alloc or std::length_error ends the read as TooLarge too.
using TextPiece = std::function<bool(std::u16string_view piece)>;
ReadTextResult ReadTextFileInPieces(const std::u16string& path, const TextPiece& piece,
                                    std::size_t maxUnits = kLongestText);

// A failed read of text too large to hold (TooLarge, with the system's words for memory that ran out),
// for a caller that runs out of room for what it builds from the text.
ReadTextResult TooLargeToHold();

// Decoders and encoders used by ReadTextFile and WriteTextFile, exposed for tests and benchmarks. None
// fails: the ANSI decoder gives what the converter makes of an invalid byte (U+FFFD, or the system's own
// character for it), the encoder "?" or the system's best fit for a character the code page lacks; the
// UTF-8 decoder gives U+FFFD for each maximal invalid subpart, the encoder U+FFFD for a lone surrogate.
std::u16string DecodeAnsi(std::string_view bytes);
std::string EncodeAnsi(const std::u16string& text);
std::u16string DecodeUtf8(const std::string& bytes);
std::string EncodeUtf8(const std::u16string& text);

// What a whole-file write achieved; converts to true when the file was written.
struct WriteResult {
  WriteResult(bool ok = false, std::u16string reason = {}, std::u16string uncreatableFolder = {})
      : ok(ok), reason(std::move(reason)), uncreatableFolder(std::move(uncreatableFolder)) {}

  bool ok = false;
  std::u16string reason;  // the system's own text for the failure (FormatMessage, strerror); empty when ok
  // The folder, as the path named it, when the failure was that no file may be created there (the
  // temporary file was refused): a folder where files can be changed but not created. Empty otherwise.
  std::u16string uncreatableFolder;
  explicit operator bool() const { return ok; }
};

// Writes `bytes` as the whole file. They go to a temporary file beside `path` that is then renamed over
// it, so a reader never sees a half-written file. On Windows a replacement refused for a moment (a
// scanner or indexer holding the target) is tried again for about half a second. On any failure the
// temporary file is gone, `path` is as it was, and the result carries the system's reason, and the
// folder when it does not let the temporary file be created.
WriteResult WriteFileBytes(const std::u16string& path, std::string_view bytes);

// Writes `text` as the whole file through WriteFileBytes: UTF-8 with a byte-order mark, or the ANSI
// code page without one.
WriteResult WriteTextFile(const std::u16string& path, const std::u16string& text, bool utf8WithBom);

// True for an existing regular file (symbolic links followed); false for folders, empty names and, on
// Windows, names no plain file can have (blanks only, wildcards, < > | " or controls, a stray colon).
bool FileExists(const std::u16string& path);
// Deletes a file, however long its path; false when the name is empty or unusable, the file is missing,
// or deletion is refused.
bool RemoveFile(const std::u16string& path);

// Folder of the running executable, ending in the path separator; empty when the system cannot say.
std::u16string ProgramFolder();

// True while the Escape key is held down (sampled now, not queued); always false without a keyboard API.
bool EscapeKeyDown();

}  // namespace platform
