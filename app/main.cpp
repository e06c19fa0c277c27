// Project1: initialise, take the title and icon, create the main window, run the loop.
#include "app/start.h"
#include "platform/gui.h"
#include "platform/seams.h"

#include "platform/codec.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  setUpApplication();
  if (!platform::codecAvailable()) {
    // Every name and file is GBK: without the codec nothing could be shown or written.
    QMessageBox::critical(nullptr, QStringLiteral("Lucky draw"),
                          QStringLiteral("This Qt build cannot convert GBK text (ICU is missing)."));
    return 1;
  }

  platform::QtDialogs dialogs;
  platform::SystemSound sound;
  platform::DesktopLauncher launcher;
  auto form = startMainWindow({dialogs, sound, launcher, platform::systemClock(),
                               platform::systemScreens(), platform::executableDir()});
  return app.exec();
}
