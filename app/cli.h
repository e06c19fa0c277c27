#pragma once
// What the program does before it makes its first window: answer --help and --version,
// and refuse to start, with one line on stderr and exit status 1, when there is no
// display to show the window on.
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

namespace cli {

// --help (or -h) and --version print to `out`; the result is the exit status. Any other
// argument is left to Qt (its own options such as -platform) and gives nothing.
std::optional<int> answerCommandLine(int argc, char** argv, std::FILE* out);

// Reads an environment variable; null when it is not set.
using Environment = std::function<const char*(const char*)>;
Environment processEnvironment();

// Why no window can be made, judged from the environment alone: every platform Qt would
// try needs a display server that is not named (DISPLAY for xcb, WAYLAND_DISPLAY for
// wayland). Nothing when a window can at least be tried, and always nothing on Windows.
// (display_posix.cpp, display_win.cpp)
std::optional<std::string> missingDisplay(const Environment& env);

// The one line printed when no window can be made ("luckydraw: ..." and a newline).
std::string noDisplayLine(const std::string& reason);

// Held while the QApplication is made. Qt's platform plugin ends the process with a fatal
// message (and a core dump) when it cannot reach the display; while this guard lives,
// that becomes the one line of noDisplayLine() and exit status 1. Qt's other messages
// are held back and passed on when the guard ends, so a normal start prints what it
// printed before.
class StartGuard {
 public:
  StartGuard();
  ~StartGuard();
  StartGuard(const StartGuard&) = delete;
  StartGuard& operator=(const StartGuard&) = delete;
};

}  // namespace cli
