#include "platform/codec.h"
#include "platform/seams.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#ifdef _WIN32
#include <windows.h>
#else
#include <time.h>
#endif

namespace platform {
namespace {

class SystemClock final : public Clock {
 public:
  std::optional<std::uint64_t> performanceCounter() override {
#ifdef _WIN32
    LARGE_INTEGER c;
    if (!QueryPerformanceCounter(&c)) return std::nullopt;
    return std::uint64_t(c.QuadPart);
#else
    timespec ts{};
    if (clock_gettime(CLOCK_MONOTONIC, &ts) != 0) return std::nullopt;
    return std::uint64_t(ts.tv_sec) * 1000000000ull + std::uint64_t(ts.tv_nsec);
#endif
  }

  std::uint32_t tickCount() override {
#ifdef _WIN32
    return GetTickCount();
#else
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::uint32_t(std::uint64_t(ts.tv_sec) * 1000u + std::uint64_t(ts.tv_nsec) / 1000000u);
#endif
  }

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
#ifndef _WIN32
    dir = QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath();
#endif
  }
  Text t = toAnsi(dir);
  for (char& c : t)
    if (c == '/') c = '\\';
  if (t.empty() || t.back() != '\\') t += '\\';
  return t;
}

}  // namespace platform
