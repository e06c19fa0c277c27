#include "platform/clock_os.h"

#include <QFileInfo>

#include <time.h>

namespace platform::os {

std::optional<std::uint64_t> performanceCounter() {
  timespec ts{};
  if (clock_gettime(CLOCK_MONOTONIC, &ts) != 0) return std::nullopt;
  return std::uint64_t(ts.tv_sec) * 1000000000ull + std::uint64_t(ts.tv_nsec);
}

std::uint32_t tickCount() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return std::uint32_t(std::uint64_t(ts.tv_sec) * 1000u + std::uint64_t(ts.tv_nsec) / 1000000u);
}

QString executablePath() { return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget(); }

}  // namespace platform::os
