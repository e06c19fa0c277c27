#pragma once
// Whole-file reads and crash-safe whole-file writes. These report what happened; the
// data layer turns failures into the program's error kinds.
#include "platform/text.h"

#include <QtGlobal>

#include <cstdint>

class QString;

namespace platform {

// The largest file a read takes in: far above any names file or picture of an event. A
// larger one is refused with the open error before a byte of it is read.
inline constexpr std::int64_t kMaxReadBytes = std::int64_t(64) << 20;
// The reasons given inside the open error for a file that is not read at all, in English;
// notReadReason() gives them in the operator's language.
inline constexpr const char kNotRegularFile[] = QT_TRANSLATE_NOOP("Files", "Not a regular file");
inline constexpr const char kFileTooLarge[] = QT_TRANSLATE_NOOP("Files", "File is larger than 64 MB");
Text notReadReason(const char* reason);

struct FileResult {
  enum Status { Ok, OpenFailed, CreateFailed, ShortWrite, ShortRead };
  Status status = Ok;
  Text systemText;  // the OS's text for the failure, GBK, trailing blanks and full stops removed
};

// Reads the whole file with one read. On failure `out` is left untouched. Only regular
// files of at most kMaxReadBytes are read: a named pipe, socket, device or folder fails to
// open at once (nothing waits for a writer), and so does a larger file.
FileResult readWholeFile(const Text& ansiPath, Text& out);

// Writes `bytes` to a temporary file beside the target and replaces the target in one
// step, so a crash, power cut or full disk never leaves a half-written file: on any
// failure the previous file stays exactly as it was. Only a regular file is replaced (at
// the end of a symbolic link too): a named pipe, device or socket there fails to create
// and stays untouched.
FileResult writeWholeFileAtomic(const Text& ansiPath, const Text& bytes);

// Whether anything (file or folder) exists at the path.
bool pathExists(const Text& ansiPath);

// A message of the OS in the form used inside the open and create errors: GBK, trailing
// bytes 0x00..0x20 and full stops removed.
Text systemTextOf(const QString& message);
// The OS text for errno-style code `err`, in that form.
Text systemErrorText(int err);

}  // namespace platform
