// Application start: initialise, take the title and icon, create the main window, run the
// loop.
// Before any of it: --help and --version, and a clear word when there is no display.
// Qt's texts and the program's own follow the system's language (app/language.h).
#include "app/cli.h"
#include "app/language.h"
#include "app/start.h"
#include "platform/gui.h"
#include "platform/seams.h"

#include "platform/codec.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <optional>

int main(int argc, char* argv[]) {
  if (const auto status = cli::answerCommandLine(argc, argv, stdout)) return *status;
  const cli::Environment env = cli::processEnvironment();
  if (cli::missingDisplay(env)) {
    const cli::Language language(argc, argv);  // to say why in the operator's language
    cli::print(stderr, cli::noDisplayLine(cli::missingDisplay(env).value_or("")));
    return 1;
  }

  std::optional<QApplication> made;
  {
    cli::StartGuard guard;
    made.emplace(argc, argv);
  }
  language::install();
  setUpApplication();
  if (!platform::codecAvailable()) {
    // Every name and file is GBK: without the codec nothing could be shown or written.
    QMessageBox::critical(
        nullptr, QCoreApplication::translate("Start", "Lucky draw"),
        QCoreApplication::translate("Start", "This Qt build cannot convert GBK text (ICU is missing)."));
    return 1;
  }

  platform::QtDialogs dialogs;
  platform::SystemSound sound;
  platform::DesktopLauncher launcher;
  auto form = startMainWindow({dialogs, sound, launcher, platform::systemClock(),
                               platform::systemScreens(), platform::executableDir()});
  if (!form) return 1;  // the draw folder is in use by another copy
  return QApplication::exec();
}
