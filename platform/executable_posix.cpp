#include "platform/executable_os.h"

#include <QFileInfo>

namespace platform::os {

QString executablePath() { return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget(); }

}  // namespace platform::os
