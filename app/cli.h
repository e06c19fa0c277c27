#pragma once
// What the program does before it makes its first window: answer --help and --version,
// and refuse to start, with one line on stderr and exit status 1, when there is no
// display to show the window on.
#include <QCoreApplication>

#include <cstdio>
#include <functional>
#include <optional>
#include <string>

namespace cli {

// --help (or -h) and --version print to `out`; the result is the exit status. The help
// is in the operator's language. Any other
// argument is left to Qt (its own options such as -platform) and gives nothing.
std::optional<int> answerCommandLine(int argc, char** argv, std::FILE* out);

// Writes UTF-8 text to `out`. On Windows a console gets it as Unicode, and a program
// started from a console prints there although it is a windowed program (it attaches to
// its parent's console when its output goes nowhere else). (console_posix.cpp,
// console_win.cpp)
void print(std::FILE* out, const std::string& utf8);

// While it lives, the program's texts are in the operator's language: the command line's
// answers come before the window's QApplication, so this makes a QCoreApplication of its
// own when there is none yet, and installs the translations on it.
class Language {
 public:
  Language(int argc, char** argv);
  ~Language();
  Language(const Language&) = delete;
  Language& operator=(const Language&) = delete;

 private:
  int argc_;
  std::optional<QCoreApplication> own_;
};

// Reads an environment variable; null when it is not set.
using Environment = std::function<const char*(const char*)>;
Environment processEnvironment();

// Why no window can be made, judged from the environment alone: every platform Qt would
// try needs a display server that is not named (DISPLAY for xcb, WAYLAND_DISPLAY for
// wayland). Nothing when a window can at least be tried, and always nothing on Windows.
// The reason is in the operator's language when a Language is alive.
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
