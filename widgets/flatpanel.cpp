#include "widgets/flatpanel.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

// How far the caption is squeezed and shrunk before it is cut: a pool count of seven
// digits in the pool caption takes about four fifths of the window font's width.
constexpr int kNarrowestStretch = 70;
constexpr int kSmallestPixels = 8;

int captionWidth(const QFont& font, const QString& text) {
  return QFontMetrics(font).horizontalAdvance(text);
}

}  // namespace

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

int FlatPanel::captionRoom() const {
  int right = width() - 1;
  for (const QObject* child : children()) {
    const auto* w = qobject_cast<const QWidget*>(child);
    if (w && !w->isHidden() && w->x() > kCaptionLeft) right = std::min(right, w->x() - kCaptionGap);
  }
  return std::max(0, right - kCaptionLeft);
}

const FlatPanel::Fitted& FlatPanel::fitted() const {
  const QString caption = text();
  const int room = captionRoom();
  if (fitted_.room == room && fitted_.text == caption && fitted_.font == font()) return fitted_;

  QFont f = font();
  const int natural = captionWidth(f, caption);
  if (natural > room) {
    // Narrower characters first, keeping the design's character height; start near the
    // stretch that fits and step down as the font's own widths demand.
    bool fits = false;
    for (int stretch = std::clamp(100 * room / std::max(1, natural), kNarrowestStretch, 99);
         !fits && stretch >= kNarrowestStretch; --stretch) {
      f.setStretch(stretch);
      fits = captionWidth(f, caption) <= room;
    }
    // Then smaller characters (a font that cannot be squeezed, such as a bitmap face).
    for (int pixels = f.pixelSize() - 1; !fits && pixels >= kSmallestPixels; --pixels) {
      f.setPixelSize(pixels);
      fits = captionWidth(f, caption) <= room;
    }
    if (!fits) f = font();
  }
  fitted_ = {caption, font(), room, f};
  return fitted_;
}

QFont FlatPanel::captionFont() const { return fitted().captionFont; }

QString FlatPanel::shownCaption() const {
  const Fitted& fit = fitted();
  return QFontMetrics(fit.captionFont).elidedText(fit.text, Qt::ElideRight, fit.room);
}

void FlatPanel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = rect();
  p.fillRect(r, fill_);
  p.setPen(border_);
  p.drawRect(r.adjusted(0, 0, -1, -1));

  const QRect textRect(kCaptionLeft, 1, captionRoom(), r.height() - 2);
  p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  p.setFont(captionFont());
  p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shownCaption());
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
