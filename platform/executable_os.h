#pragma once
// The OS's own answer to where the running executable is, one file per OS.
#include <QString>

namespace platform::os {

// The running executable's full path, asked of the OS (for use before QApplication).
QString executablePath();

}  // namespace platform::os
