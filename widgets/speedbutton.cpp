#include "widgets/speedbutton.h"

#include <QPainter>

SpeedButton::SpeedButton(QWidget* parent) : QToolButton(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAutoRaise(true);
  setToolButtonStyle(Qt::ToolButtonTextOnly);
  setAutoFillBackground(false);
}

QSize SpeedButton::sizeHint() const {
  const QFontMetrics fm = fontMetrics();
  return {fm.horizontalAdvance(text()) + 8, fm.height() + 6};
}

void SpeedButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = rect();
  const bool sunken = isDown() || isChecked();
  const bool raised = !sunken && underMouse() && isEnabled();

  // The parent shows through; the bevel appears only under the mouse or while pressed.
  if (sunken || raised) {
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Dark);
    const QColor topLeft = sunken ? dark : light;
    const QColor bottomRight = sunken ? light : dark;
    p.setPen(topLeft);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(bottomRight);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
  }

  const QRect textRect = sunken ? r.translated(1, 1) : r;
  const int flags = Qt::AlignCenter | Qt::TextSingleLine;
  if (isEnabled()) {
    p.setPen(palette().color(QPalette::ButtonText));
    p.drawText(textRect, flags, text());
  } else {
    p.setPen(Qt::white);
    p.drawText(textRect.translated(1, 1), flags, text());
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawText(textRect, flags, text());
  }
}

void SpeedButton::enterEvent(QEnterEvent* event) {
  QToolButton::enterEvent(event);
  update();
}

void SpeedButton::leaveEvent(QEvent* event) {
  QToolButton::leaveEvent(event);
  update();
}
