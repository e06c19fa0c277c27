#include "app/start.h"

#include "data/texts.h"
#include "luckydraw/resources.h"
#include "platform/codec.h"

#include <QApplication>
#include <QIcon>

void setUpApplication() {
  QApplication::setApplicationName(platform::fromAnsi(T().appTitle));
  // Ties the window to the menu entry luckydraw.desktop (its icon in the task bar).
  QGuiApplication::setDesktopFileName(QStringLiteral("luckydraw"));
  QIcon icon;
  for (int size : resources::kIconSizes) icon.addFile(QString::fromLatin1(resources::kIconPattern).arg(size));
  QApplication::setWindowIcon(icon);
  // Closing the main window ends the program at once, also during a draw.
  QApplication::setQuitOnLastWindowClosed(true);
}

std::unique_ptr<TForm1> startMainWindow(TForm1::Services services) {
  auto form = std::make_unique<TForm1>(std::move(services));
  if (!form->startUp()) return nullptr;
  return form;
}
