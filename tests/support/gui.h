#pragma once
// What the GUI tests do to a window before they use it.
#include <QApplication>
#include <QColor>
#include <QImage>
#include <QTest>
#include <QWidget>

#include <algorithm>

namespace testkit {

// Shows a top-level widget and makes it the active window, so that focus and key events
// behave as in a real window; false when the platform refused.
inline bool showActive(QWidget& w) {
  w.show();
  w.activateWindow();
  QApplication::setActiveWindow(&w);
  return QTest::qWaitForWindowActive(&w);
}

// The rightmost column inside `inner` where a widget's own painting (the widgets lying on
// it left out) differs from `fill`; -1 when it paints nothing else there.
inline int rightmostInk(QWidget& w, const QColor& fill, const QRect& inner) {
  QImage shot(w.size(), QImage::Format_RGB32);
  shot.fill(fill);
  w.render(&shot, QPoint(), QRegion(), QWidget::DrawWindowBackground);  // no children
  int right = -1;
  for (int y = inner.top(); y <= inner.bottom(); ++y) {
    for (int x = inner.left(); x <= inner.right(); ++x) {
      if ((shot.pixel(x, y) | 0xFF000000u) != (fill.rgb() | 0xFF000000u)) right = std::max(right, x);
    }
  }
  return right;
}

}  // namespace testkit
