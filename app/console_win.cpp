// The command line's output on Windows. The program is a windowed one, so Windows gives it
// no console: typed in a console, `luckydraw.exe --help` would print nothing. When its
// output goes nowhere, it attaches to the console of the program that started it (the
// console's prompt is back already, so the text comes after it). A console gets the text
// as Unicode, whatever its code page; a file or pipe gets the UTF-8 bytes.
#include "app/cli.h"

#include <QString>

#include <windows.h>

namespace cli {

namespace {

// The handle behind `out` when it is one of the standard streams.
HANDLE handleOf(std::FILE* out) {
  if (out == stdout) return GetStdHandle(STD_OUTPUT_HANDLE);
  if (out == stderr) return GetStdHandle(STD_ERROR_HANDLE);
  return INVALID_HANDLE_VALUE;
}

bool isConsole(HANDLE h) {
  DWORD mode = 0;
  return h && h != INVALID_HANDLE_VALUE && GetConsoleMode(h, &mode);
}

bool goesNowhere(HANDLE h) { return !h || h == INVALID_HANDLE_VALUE || GetFileType(h) == FILE_TYPE_UNKNOWN; }

bool writeConsole(HANDLE h, const std::string& utf8) {
  const std::wstring wide = QString::fromStdString(utf8).toStdWString();
  DWORD written = 0;
  return WriteConsoleW(h, wide.data(), DWORD(wide.size()), &written, nullptr) != 0;
}

}  // namespace

void print(std::FILE* out, const std::string& utf8) {
  const HANDLE h = handleOf(out);
  if (out == stdout || out == stderr) {
    if (isConsole(h) && writeConsole(h, utf8)) return;
    if (goesNowhere(h) && AttachConsole(ATTACH_PARENT_PROCESS)) {
      const HANDLE console =
          CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_EXISTING, 0, nullptr);
      if (console != INVALID_HANDLE_VALUE) {
        writeConsole(console, utf8);
        CloseHandle(console);
      }
      return;
    }
  }
  std::fputs(utf8.c_str(), out);
  std::fflush(out);
}

}  // namespace cli
