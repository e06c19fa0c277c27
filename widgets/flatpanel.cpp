#include "widgets/flatpanel.h"

#include <QMouseEvent>
#include <QPainter>

FlatPanel::FlatPanel(QWidget* parent) : QLabel(parent) {
  // Captions can come from data files: never guess that they are HTML.
  setTextFormat(Qt::PlainText);
  setAutoFillBackground(false);
}

void FlatPanel::setFillColor(const QColor& color) {
  fill_ = color;
  update();
}

void FlatPanel::setBorderColor(const QColor& color) {
  border_ = color;
  update();
}

void FlatPanel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = rect();
  p.fillRect(r, fill_);
  p.setPen(border_);
  p.drawRect(r.adjusted(0, 0, -1, -1));

  const QRect textRect = r.adjusted(kCaptionLeft, 1, -1, -1);
  p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                           QPalette::WindowText));
  p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());
}

void FlatPanel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressed_ = true;
  event->accept();
}

void FlatPanel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    event->accept();
    return;
  }
  const bool wasPressed = pressed_;
  pressed_ = false;
  event->accept();
  if (wasPressed && rect().contains(event->position().toPoint())) emit clicked();
}
