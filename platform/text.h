#pragma once
// A text is a byte string in the system's ANSI code page (GBK), exactly as it came
// from a file. Comparisons, searches and lengths are on bytes; nothing converts it
// except for display and for file-system paths (see codec.h).
#include <string>

using Text = std::string;
