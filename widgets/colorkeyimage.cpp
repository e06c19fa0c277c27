#include "widgets/colorkeyimage.h"

#include "widgets/keyedimage.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

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
  prepareShown();
  updateGeometry();
  update();
}

void ColorKeyImage::setScale(qreal scale) {
  if (scale == scale_) return;
  scale_ = scale;
  prepareShown();
  update();
}

void ColorKeyImage::prepareShown() {
  if (keyed_.isNull() || scale_ == 1.0) {
    shown_ = keyed_;
    return;
  }
  // Only the part that the widget shows is scaled: a large picture is clipped anyway.
  const QRect part = QRect(0, 0, int(std::ceil(width() / scale_)) + 1, int(std::ceil(height() / scale_)) + 1)
                         .intersected(keyed_.rect());
  if (part.isEmpty()) {
    shown_ = QImage();
    return;
  }
  const QSize size(std::max(1, int(std::lround(part.width() * scale_))),
                   std::max(1, int(std::lround(part.height() * scale_))));
  shown_ = keyed_.copy(part).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QSize ColorKeyImage::sizeHint() const {
  return picture_.isNull() ? QSize(0, 0) : picture_.size();
}

void ColorKeyImage::paintEvent(QPaintEvent*) {
  if (shown_.isNull()) return;
  QPainter p(this);
  p.drawImage(QPoint(0, 0), shown_);
}
