#pragma once
// The OS's clock calls behind systemClock() and executableDir(), one file per OS.
#include <QString>

#include <cstdint>
#include <optional>

namespace platform::os {

// QueryPerformanceCounter on Windows, the monotonic clock in ns elsewhere.
std::optional<std::uint64_t> performanceCounter();
// GetTickCount on Windows, the monotonic clock in ms elsewhere.
std::uint32_t tickCount();
// The running executable's full path, asked of the OS (for use before QApplication).
QString executablePath();

}  // namespace platform::os
