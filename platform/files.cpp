#include "platform/files.h"

#include "platform/codec.h"

#include <QByteArray>
#include <QFileInfo>
#include <QString>

#include <cerrno>
#include <cstring>

namespace platform {

Text systemErrorText(int err) {
  Text t = toAnsi(QString::fromLocal8Bit(std::strerror(err)));
  while (!t.empty() && (static_cast<unsigned char>(t.back()) <= 0x20 || t.back() == '.')) t.pop_back();
  return t;
}

bool pathExists(const Text& ansiPath) { return QFileInfo::exists(nativePath(ansiPath)); }

}  // namespace platform
