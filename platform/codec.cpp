#include "platform/codec.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

Text ansi(std::string_view utf8) {
  return toAnsi(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
}

QString nativePath(const Text& ansiPath) {
  QString p = fromAnsi(ansiPath);
  p.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return p;
}

Text fullPath(const Text& ansiPath) {
  QString p = nativePath(ansiPath);
  const bool endsInSeparator = p.endsWith(QLatin1Char('/'));
  QString full = QDir::cleanPath(QFileInfo(p).absoluteFilePath());
  if (endsInSeparator && !full.endsWith(QLatin1Char('/'))) full += QLatin1Char('/');
  return toAnsi(QDir::toNativeSeparators(full));
}

}  // namespace platform
