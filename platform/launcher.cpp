#include "platform/codec.h"
#include "platform/gui.h"

#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QUrl>

namespace platform {

void DesktopLauncher::openInEditor(const Text& ansiPath) {
  const QString path = nativePath(ansiPath);
#ifdef _WIN32
  QProcess::startDetached(QStringLiteral("NOTEPAD.EXE"), {QDir::toNativeSeparators(path)});
#else
  QDesktopServices::openUrl(QUrl::fromLocalFile(path));
#endif
}

}  // namespace platform
