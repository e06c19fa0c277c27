#include "app/cli.h"

#include "data/texts.h"

#include <QtGlobal>
#include <QString>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

#ifndef LUCKYDRAW_VERSION
#define LUCKYDRAW_VERSION "unknown"
#endif

namespace cli {

namespace {

const char kUsageHead[] =
    "Usage: luckydraw [--help | --version]\n"
    "\n"
    "A lucky-draw program for a party evening: names flicker in large type until the\n"
    "operator presses Stop, and the winners are written down at once.\n"
    "\n"
    "It reads and writes the draw folder \"抽奖名单\" in the current directory:\n";

const char kUsageTail[] =
    "It writes its files in GBK (Chinese Windows' code page) and reads files saved as\n"
    "GBK, UTF-8 or UTF-16. The sounds drum.wav and gong.wav are read from the program's\n"
    "own folder.\n"
    "\n"
    "Keys: Space or PageDown starts and stops a draw.\n"
    "\n"
    "  --help     show this text and exit\n"
    "  --version  show the version and exit\n";

// The draw folder's files, one a line, with the system's separator.
std::string fileLines() {
  std::string lines;
  for (const DrawFolderFile& file : DrawFolderFiles()) {
    std::string path = file.path;
    std::replace(path.begin(), path.end(), '\\', '/');
    lines += "  " + path + "   " + file.holds + "\n";
  }
  return lines;
}

}  // namespace

std::optional<int> answerCommandLine(int argc, char** argv, std::FILE* out) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs((kUsageHead + fileLines() + kUsageTail).c_str(), out);
      return 0;
    }
    if (arg == "--version") {
      std::fputs("luckydraw " LUCKYDRAW_VERSION "\n", out);
      return 0;
    }
  }
  return std::nullopt;
}

Environment processEnvironment() {
  return [](const char* name) -> const char* { return std::getenv(name); };
}

std::string noDisplayLine(const std::string& reason) { return "luckydraw: " + reason + "\n"; }

namespace {

// A message kept for later. The context's strings are Qt's own literals, so keeping the
// pointers is safe.
struct Held {
  QtMsgType type;
  const char* file;
  int line;
  const char* function;
  const char* category;
  QString text;
};

QtMessageHandler previousHandler = nullptr;
std::vector<Held>* held = nullptr;

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    // The platform plugin says what went wrong ("could not connect to display :1")
    // before Qt's general advice on reinstalling plugins, which is the fatal text.
    QString cause = text;
    if (held) {
      for (const Held& h : *held) {
        const std::string_view category = h.category ? h.category : "";
        if (h.type != QtDebugMsg && h.type != QtInfoMsg && category.starts_with("qt.qpa.") &&
            category != "qt.qpa.plugin") {
          cause = h.text;
          break;
        }
      }
    }
    cause = cause.section(QLatin1Char('\n'), 0, 0).trimmed();
    const std::string line = noDisplayLine("cannot open a window: " + cause.toStdString());
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    std::_Exit(1);
  }
  if (held) held->push_back({type, context.file, context.line, context.function, context.category, text});
}

}  // namespace

StartGuard::StartGuard() {
  held = new std::vector<Held>;
  previousHandler = qInstallMessageHandler(holdMessage);
}

StartGuard::~StartGuard() {
  qInstallMessageHandler(previousHandler);
  std::vector<Held>* messages = std::exchange(held, nullptr);
  // qInstallMessageHandler hands back Qt's default handler when none was installed.
  for (const Held& h : *messages) {
    const QMessageLogContext context(h.file, h.line, h.function, h.category);
    if (previousHandler) previousHandler(h.type, context, h.text);
  }
  delete messages;
}

}  // namespace cli
