#include "widgets/groupbox.h"

BorderlessGroupBox::BorderlessGroupBox(QWidget* parent) : QGroupBox(parent) {
  setFlat(true);
  setAutoFillBackground(false);
  setContentsMargins(0, 0, 0, 0);
}

// Nothing of its own is drawn. (A style sheet would do the same, but it would also
// switch every child to the style-sheet style.)
void BorderlessGroupBox::paintEvent(QPaintEvent*) {}
