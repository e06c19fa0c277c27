#pragma once
// The Windows calls behind the sound and editor seams, with the call itself passed in, so
// that the tests can watch what would reach the system.
#include "platform/text.h"

#include <QString>
#include <string>

#include <windows.h>
#include <mmsystem.h>

namespace platform::win {

using PlaySoundCall = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);

// The flags every sound is played with: from a file, without waiting, and never the
// system's default sound in place of a file that cannot be played.
constexpr DWORD kSoundFlags = SND_FILENAME | SND_ASYNC | SND_NODEFAULT;

// Starts the sound file and returns at once; a missing file plays nothing. The call gets
// the file's full path in Windows form.
void playSoundFile(const Text& ansiPath, PlaySoundCall play);

// `program "<full path in Windows form>"`: the path is always one argument, blanks and all.
std::wstring editorCommandLine(const QString& program, const Text& ansiPath);

// Starts the program on the file without waiting (shown normally, like WinExec with
// SW_SHOW); false when it cannot be started.
bool startEditor(const QString& program, const Text& ansiPath);

}  // namespace platform::win
