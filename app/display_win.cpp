// Whether a window can be made, on Windows: the desktop is always there to show it on.
#include "app/cli.h"

namespace cli {

std::optional<std::string> missingDisplay(const Environment&) { return std::nullopt; }

}  // namespace cli
