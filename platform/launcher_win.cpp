// The editor shortcuts on Windows: Notepad with the file's full path.
#include "platform/codec.h"
#include "platform/gui.h"
#include "platform/win.h"

#include <QDir>
#include <QFileInfo>

#include <vector>

namespace platform {

namespace win {

std::wstring editorCommandLine(const QString& program, const Text& ansiPath) {
  const QString path = QDir::toNativeSeparators(QFileInfo(nativePath(ansiPath)).absoluteFilePath());
  // A Windows path cannot hold a double quote, so quoting it whole is enough.
  return (program + QStringLiteral(" \"") + path + QLatin1Char('"')).toStdWString();
}

bool startEditor(const QString& program, const Text& ansiPath) {
  std::wstring commandLine = editorCommandLine(program, ansiPath);
  std::vector<wchar_t> writable(commandLine.begin(), commandLine.end());
  writable.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOW;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace win

bool DesktopLauncher::openInEditor(const Text& ansiPath) {
  return win::startEditor(QStringLiteral("NOTEPAD.EXE"), ansiPath);
}

}  // namespace platform
