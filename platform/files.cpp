#include "platform/files.h"

#include "platform/codec.h"

#include <QByteArray>
#include <QFileInfo>
#include <QString>

#include <cerrno>
#include <cstring>

namespace platform {

Text systemTextOf(const QString& message) {
  Text t = toAnsi(message);
  while (!t.empty() && (static_cast<unsigned char>(t.back()) <= 0x20 || t.back() == '.')) t.pop_back();
  return t;
}

Text systemErrorText(int err) { return systemTextOf(QString::fromLocal8Bit(std::strerror(err))); }

bool pathExists(const Text& ansiPath) { return QFileInfo::exists(nativePath(ansiPath)); }

}  // namespace platform
