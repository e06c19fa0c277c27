#include "widgets/bevelpanel.h"

#include <QPainter>

namespace {

// One bevel on the edge of `r`. The corners top-right and bottom-left belong to the
// bottom-right colour, as in the classic 3-D frame.
void drawBevel(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
  p.setPen(topLeft);
  p.drawLine(r.left(), r.top(), r.right() - 1, r.top());
  p.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
  p.setPen(bottomRight);
  p.drawLine(r.right(), r.top(), r.right(), r.bottom());
  p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
}

}  // namespace

BevelPanel::BevelPanel(QWidget* parent) : QFrame(parent), fill_(palette().color(QPalette::Button)) {
  setFrameShape(QFrame::NoFrame);
  setAutoFillBackground(false);
}

void BevelPanel::setFillColor(const QColor& color) {
  fill_ = color;
  update();
}

void BevelPanel::setBevels(Bevel outer, Bevel inner) {
  outer_ = outer;
  inner_ = inner;
  update();
}

int BevelPanel::bevelWidth() const {
  return (outer_ != Bevel::None ? 1 : 0) + (inner_ != Bevel::None ? 1 : 0);
}

void BevelPanel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QRect r = rect();
  p.fillRect(r, fill_);
  const QColor light = palette().color(QPalette::Light);
  const QColor dark = palette().color(QPalette::Dark);
  for (Bevel b : {outer_, inner_}) {
    if (b == Bevel::None) continue;
    if (r.width() <= 0 || r.height() <= 0) break;
    if (b == Bevel::Raised) {
      drawBevel(p, r, light, dark);
    } else {
      drawBevel(p, r, dark, light);
    }
    r.adjust(1, 1, -1, -1);
  }
}
