#include "widgets/flatbutton.h"

#include "widgets/keyedimage.h"

#include <QKeyEvent>
#include <QPainter>

namespace {

constexpr int kGlyphSpacing = 4;  // between glyph and caption
constexpr int kMargin = 4;        // inside the border, for the size hint

}  // namespace

FlatButton::FlatButton(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::StrongFocus);
}

void FlatButton::setFaceColor(const QColor& color) {
  face_ = color;
  update();
}

void FlatButton::setBorderColor(const QColor& color) {
  border_ = color;
  update();
}

void FlatButton::setGlyph(const QImage& glyph, QColor transparent) {
  glyph_ = glyph;
  keyed_ = widgets::keyedCopy(glyph, transparent.rgba());
  updateGeometry();
  update();
}

bool FlatButton::isFlatButton(const QObject* object) {
  return qobject_cast<const FlatButton*>(object) != nullptr;
}

QSize FlatButton::sizeHint() const {
  const QFontMetrics fm = fontMetrics();
  int w = fm.horizontalAdvance(text());
  int h = fm.height();
  if (!keyed_.isNull()) {
    w += keyed_.width() + (text().isEmpty() ? 0 : kGlyphSpacing);
    h = qMax(h, keyed_.height());
  }
  return {w + 2 * (kMargin + 1), h + 2 * (kMargin + 1)};
}

QSize FlatButton::minimumSizeHint() const { return sizeHint(); }

void FlatButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = rect();
  const bool sunken = isDown();

  p.fillRect(r, sunken ? face_.darker(110) : face_);
  p.setPen(border_);
  p.drawRect(r.adjusted(0, 0, -1, -1));

  // Glyph and caption are centred together; a pressed button shifts them by a pixel.
  const QFontMetrics fm = fontMetrics();
  const QString caption = text();
  const int textW = caption.isEmpty() ? 0 : fm.horizontalAdvance(caption);
  const int glyphW = keyed_.isNull() ? 0 : keyed_.width();
  const int gap = (glyphW > 0 && textW > 0) ? kGlyphSpacing : 0;
  const int total = glyphW + gap + textW;
  int x = r.x() + (r.width() - total) / 2;
  const QPoint shift = sunken ? QPoint(1, 1) : QPoint(0, 0);

  if (glyphW > 0) {
    const int y = r.y() + (r.height() - keyed_.height()) / 2;
    if (!isEnabled()) p.setOpacity(0.5);
    p.drawImage(QPoint(x, y) + shift, keyed_);
    p.setOpacity(1.0);
    x += glyphW + gap;
  }
  if (textW > 0) {
    const QRect textRect = QRect(x, r.y(), textW, r.height()).translated(shift);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    if (isEnabled()) {
      p.setPen(palette().color(QPalette::ButtonText));
      p.drawText(textRect, flags, caption);
    } else {
      // The engraved grey of a disabled caption.
      p.setPen(Qt::white);
      p.drawText(textRect.translated(1, 1), flags, caption);
      p.setPen(QColor(0x80, 0x80, 0x80));
      p.drawText(textRect, flags, caption);
    }
  }

  if (hasFocus()) {
    QPen dots(palette().color(QPalette::ButtonText), 1, Qt::DotLine);
    p.setPen(dots);
    p.drawRect(r.adjusted(3, 3, -4, -4));
  }
}

// Every key stays here: the events are accepted, so Qt does not hand them on to the
// parents. Auto-repeat comes as release/press pairs flagged isAutoRepeat(); only the
// real release of Space counts as a click.
void FlatButton::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) setDown(true);
  event->accept();
}

void FlatButton::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
    setDown(false);
    click();
  }
  event->accept();
}
