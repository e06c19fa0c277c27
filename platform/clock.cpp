#include "platform/clock_os.h"
#include "platform/codec.h"
#include "platform/seams.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace platform {
namespace {

class SystemClock final : public Clock {
 public:
  std::optional<std::uint64_t> performanceCounter() override { return os::performanceCounter(); }

  std::uint32_t tickCount() override { return os::tickCount(); }

  Text localStamp() override {
    return toAnsi(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
  }
};

}  // namespace

Clock& systemClock() {
  static SystemClock clock;
  return clock;
}

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
