#include "platform/gui.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {
namespace {

class SystemScreens final : public Screens {
 public:
  int primaryWidth() const override {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().width() : 0;
  }
  QRect desktop() const override {
    QRect all;
    for (QScreen* s : QGuiApplication::screens()) all = all.united(s->geometry());
    return all;
  }
};

}  // namespace

Screens& systemScreens() {
  static SystemScreens screens;
  return screens;
}

}  // namespace platform
