#include "platform/clock_os.h"

#include <windows.h>

#include <vector>

namespace platform::os {

std::optional<std::uint64_t> performanceCounter() {
  LARGE_INTEGER c;
  if (!QueryPerformanceCounter(&c)) return std::nullopt;
  return std::uint64_t(c.QuadPart);
}

std::uint32_t tickCount() { return GetTickCount(); }

QString executablePath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return QString::fromWCharArray(buffer.data(), int(n));
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace platform::os
