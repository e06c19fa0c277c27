#include "widgets/colorkeyimage.h"

#include "widgets/keyedimage.h"

#include <QPainter>

ColorKeyImage::ColorKeyImage(QWidget* parent) : QLabel(parent) {
  setAutoFillBackground(false);
  setTextFormat(Qt::PlainText);
}

void ColorKeyImage::setPicture(const QImage& picture) {
  picture_ = picture;
  if (picture.isNull()) {
    keyed_ = QImage();
  } else {
    keyed_ = widgets::keyedCopy(picture, picture.pixel(0, picture.height() - 1));
  }
  updateGeometry();
  update();
}

QSize ColorKeyImage::sizeHint() const {
  return picture_.isNull() ? QSize(0, 0) : picture_.size();
}

void ColorKeyImage::paintEvent(QPaintEvent*) {
  if (keyed_.isNull()) return;
  QPainter p(this);
  p.drawImage(QPoint(0, 0), keyed_);
}
