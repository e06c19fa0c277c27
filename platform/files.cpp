#include "platform/files.h"

#include "platform/codec.h"
#include "platform/message.h"

#include <QByteArray>
#include <QCoreApplication>
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

Text notReadReason(const char* reason) { return message(QCoreApplication::translate("Files", reason)); }

bool pathExists(const Text& ansiPath) { return QFileInfo::exists(nativePath(ansiPath)); }

}  // namespace platform
