#include "widgets/headline.h"

#include <QPainter>

#include <algorithm>

Headline::Headline(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setWordWrap(true);
}

void Headline::showFit(const HeadlineFit& fit, const QFont& face) {
  QFont sized = face;
  sized.setPixelSize(std::max(fit.pixelSize, 1));
  if (sized != font()) setFont(sized);
  fit_ = fit;
  setText(fit.shown);
  update();
}

void Headline::paintEvent(QPaintEvent*) {
  if (fit_.shown.isEmpty()) return;
  QPainter p(this);
  p.setFont(font());
  p.setPen(palette().color(foregroundRole()));
  const QRect box = contentsRect();
  if (fit_.lineStarts.empty()) {
    p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, fit_.shown);
    return;
  }
  const QFontMetricsF m(font());
  qreal baseline = box.top() + m.ascent();
  for (size_t i = 0; i < fit_.lineStarts.size(); ++i) {
    const int start = fit_.lineStarts[i];
    const int end = i + 1 < fit_.lineStarts.size() ? fit_.lineStarts[i + 1] : int(fit_.shown.size());
    p.drawText(QPointF(box.left(), baseline), fit_.shown.mid(start, end - start));
    baseline += m.lineSpacing();
  }
}
