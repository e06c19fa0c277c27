// The editor shortcuts on a Linux desktop.
#include "platform/codec.h"
#include "platform/gui.h"

#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace platform {

bool DesktopLauncher::openInEditor(const Text& ansiPath) {
  const QString path = QDir::toNativeSeparators(nativePath(ansiPath));
  if (QDesktopServices::openUrl(QUrl::fromLocalFile(path))) return true;
  // No desktop opener (a bare X session, say): the first plain text editor found serves.
  for (const char* editor : {"gedit", "gnome-text-editor", "kate", "kwrite", "mousepad", "pluma", "xed",
                             "leafpad", "featherpad"}) {
    const QString program = QStandardPaths::findExecutable(QString::fromLatin1(editor));
    if (!program.isEmpty() && QProcess::startDetached(program, {path})) return true;
  }
  return false;
}

}  // namespace platform
