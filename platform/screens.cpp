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
  std::vector<QRect> availableAreas() const override {
    std::vector<QRect> areas;
    QScreen* primary = QGuiApplication::primaryScreen();
    if (primary) areas.push_back(primary->availableGeometry());
    for (QScreen* s : QGuiApplication::screens())
      if (s != primary) areas.push_back(s->availableGeometry());
    return areas;
  }
};

}  // namespace

Screens& systemScreens() {
  static SystemScreens screens;
  return screens;
}

}  // namespace platform
