#pragma once
// Whole-file reads and crash-safe whole-file writes. These report what happened; the
// data layer turns failures into the program's error kinds.
#include "platform/text.h"

namespace platform {

struct FileResult {
  enum Status { Ok, OpenFailed, CreateFailed, ShortWrite, ShortRead };
  Status status = Ok;
  Text systemText;  // the OS's text for the failure, GBK, trailing blanks and full stops removed
};

// Reads the whole file with one read. On failure `out` is left untouched.
FileResult readWholeFile(const Text& ansiPath, Text& out);

// Writes `bytes` to a temporary file beside the target and replaces the target in one
// step, so a crash, power cut or full disk never leaves a half-written file: on any
// failure the previous file stays exactly as it was.
FileResult writeWholeFileAtomic(const Text& ansiPath, const Text& bytes);

// Whether anything (file or folder) exists at the path.
bool pathExists(const Text& ansiPath);

// The OS text for errno-style code `err`, in the form used inside the open and create
// errors (GBK, trailing bytes 0x00..0x20 and full stops removed).
Text systemErrorText(int err);

}  // namespace platform
