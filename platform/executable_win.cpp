#include "platform/executable_os.h"

#include <windows.h>

#include <vector>

namespace platform::os {

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
