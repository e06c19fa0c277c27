#pragma once
// What the GUI tests do to a window before they use it.
#include <QApplication>
#include <QTest>
#include <QWidget>

namespace testkit {

// Shows a top-level widget and makes it the active window, so that focus and key events
// behave as in a real window; false when the platform refused.
inline bool showActive(QWidget& w) {
  w.show();
  w.activateWindow();
  QApplication::setActiveWindow(&w);
  return QTest::qWaitForWindowActive(&w);
}

}  // namespace testkit
