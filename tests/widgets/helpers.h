#pragma once
// Helpers shared by the widget tests.
#include "support/gui.h"

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace widgettest {

// A top-level widget filled with one colour, shown and active, so that focus and key
// events behave as in a real window.
class Stage : public QWidget {
 public:
  explicit Stage(QColor fill = QColor(0x12, 0x34, 0x56)) {
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, fill);
    setPalette(pal);
    resize(200, 120);
  }

  // Shows the stage and makes it the active window; false when the platform refused.
  bool showActive() { return testkit::showActive(*this); }

  QImage snapshot() { return grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

}  // namespace widgettest
