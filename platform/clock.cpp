#include "platform/codec.h"
#include "platform/seams.h"

#include <QDateTime>

namespace platform {
namespace {

class SystemClock final : public Clock {
 public:
  Text localStamp() override {
    return toAnsi(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
  }
};

}  // namespace

Clock& systemClock() {
  static SystemClock clock;
  return clock;
}

}  // namespace platform
