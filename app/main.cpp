// Project1: initialise, take the title and icon, create the main window, run the loop.
#include "app/start.h"
#include "platform/gui.h"
#include "platform/seams.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  setUpApplication();

  platform::QtDialogs dialogs;
  platform::QtSound sound;
  platform::DesktopLauncher launcher;
  auto form = startMainWindow({dialogs, sound, launcher, platform::systemClock(),
                               platform::systemScreens(), platform::executableDir()});
  return app.exec();
}
