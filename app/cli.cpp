#include "app/cli.h"

#include "app/language.h"
#include "data/texts.h"

#include <QCoreApplication>

#include <QString>
#include <QtGlobal>

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

// The draw folder's files, one a line, with what each holds, from the one list of them.
QString fileLines() {
  QString lines;
  for (const DrawFolderFile& file : DrawFolderFiles()) {
    QString path = QString::fromUtf8(file.path);
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    lines += QStringLiteral("  ") + path + QStringLiteral("   ") +
             QCoreApplication::translate("DrawFolderFiles", file.holds) + QLatin1Char('\n');
  }
  return lines;
}

// The help in the operator's language. A key or command the window gains is listed under
// "Keys:" (and in README.md and docs/windows-readme.txt, which say the same).
QString helpText() {
  return QCoreApplication::translate(
             "CommandLine",
             "Usage: luckydraw [--help | --version]\n"
             "\n"
             "A lucky-draw program for a party evening: names flicker in large type until the\n"
             "operator presses Stop, and the winners are written down at once.\n"
             "\n"
             "It reads and writes the draw folder \"抽奖名单\" in the current directory:\n") +
         fileLines() +
         QCoreApplication::translate(
             "CommandLine",
             "It reads files saved as GBK (Chinese Windows' code page), UTF-8 or UTF-16, and\n"
             "writes its own files in GBK, but for the spreadsheet 获奖明细.csv: that is UTF-8\n"
             "with a byte-order mark, which Excel, WPS and LibreOffice open on any system. The\n"
             "sounds drum.wav and gong.wav are read from the program's own folder.\n"
             "\n") +
         QCoreApplication::translate(
             "CommandLine",
             "Keys:\n"
             "  Space      starts and stops a draw (released anywhere in the window)\n"
             "  PageDown   the same, as a presenter's clicker sends it, unless the page-key\n"
             "             lock is on; a click on the pool caption \"抽奖名单[n]人\" switches\n"
             "             the lock, and its tooltip says whether PageDown draws\n"
             "  Escape     at the continue question: continues the previous record\n"
             "  F5         shows the audience's view (on a second screen, full screen);\n"
             "             Escape hides it, B or \".\" blacks it out and back\n"
             "\n"
             "A right click on the headline or the prize bar after a Stop puts a mistake\n"
             "right: 撤销本次抽奖 withdraws the last draw, 改为其他奖项 moves it to another\n"
             "prize, 标记缺席… marks winners absent so their replacements can be drawn.\n"
             "\n") +
         QCoreApplication::translate(
             "CommandLine",
             "Where the winners go: every Stop writes them at once. 抽奖名单/获奖记录.txt is\n"
             "rewritten with the winners of every prize, and 抽奖名单/获奖明细.csv gains one row\n"
             "per winner. At start the program asks \"是否继续上次的获奖记录？\": Yes continues\n"
             "the previous record; No starts a fresh one and keeps the old files beside it as\n"
             "获奖记录-<time>.txt and 获奖明细-<time>.csv.\n"
             "\n") +
         QCoreApplication::translate("CommandLine",
                                     "  --help     show this text and exit\n"
                                     "  --version  show the version and exit\n");
}

}  // namespace

Language::Language(int argc, char** argv) : argc_(argc) {
  if (!QCoreApplication::instance()) own_.emplace(argc_, argv);
  language::install();
}

Language::~Language() = default;

std::optional<int> answerCommandLine(int argc, char** argv, std::FILE* out) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      const Language language(argc, argv);
      print(out, helpText().toStdString());
      return 0;
    }
    if (arg == "--version") {
      print(out, "luckydraw " LUCKYDRAW_VERSION "\n");
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
    const std::string line = noDisplayLine(
        QCoreApplication::translate("CommandLine", "cannot open a window: %1").arg(cause).toStdString());
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
