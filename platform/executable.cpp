#include "platform/codec.h"
#include "platform/executable_os.h"
#include "platform/seams.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace platform {

Text executableDir() {
  QString dir;
  if (QCoreApplication::instance()) {
    dir = QCoreApplication::applicationDirPath();
  } else {
    const QString exe = os::executablePath();
    if (!exe.isEmpty()) dir = QFileInfo(exe).absolutePath();
  }
  Text t = toAnsi(dir);
  for (char& c : t)
    if (c == '/') c = '\\';
  if (t.empty() || t.back() != '\\') t += '\\';
  return t;
}

}  // namespace platform
