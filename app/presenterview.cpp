#include "app/presenterview.h"

#include "platform/codec.h"
#include "widgets/fonts.h"

#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

const QChar kEllipsis(0x2026);
// The names are measured once at this size; a name's width grows with the type's size.
constexpr int kMeasureSize = 100;
const QChar kGap(0x3000);  // between two names on a line: an ideographic space

const QColor kPickColour(0xFF, 0xFF, 0xFF);
const QColor kWinnersColour(0xFF, 0xD8, 0x4A);
const QColor kPrizeColour(0xFF, 0xB0, 0x3A);
const QColor kTitleColour(0xFF, 0xF4, 0xE0);
const QColor kCountColour(0xE8, 0xE8, 0xE8);
const QColor kStage(0x5A, 0x0A, 0x0A);  // behind everything when there is no picture

QFont namesFont(int size) { return designFont(QStringLiteral("黑体"), size, true); }

// Qt hands the copy of a large image to its thread pool in pieces and waits for them: at
// 60 frames a second the hand-off and the waking of threads cost more than the copy. So
// the large areas of a frame are copied in bands of rows below the size that Qt hands on
// (65,536 pixels a piece, two pieces or more).
int bandRows(int width) { return int(std::max<qsizetype>(1, (2 * 65536 - 1) / std::max(1, width))); }
template <typename Copy>
void inBands(const QSize& size, Copy copy) {
  const int rows = bandRows(size.width());
  for (int y = 0; y < size.height(); y += rows) copy(QRect(0, y, size.width(), std::min(rows, size.height() - y)));
}

// The first pixel in [from, to) of a row of premultiplied pixels that is not fully
// transparent, or `to` when there is none; four pixels are looked at in one step.
int firstInk(const quint32* row, int from, int to) {
  int x = from;
  for (; x + 4 <= to; x += 4) {
    quint64 a, b;
    std::memcpy(&a, row + x, 8);
    std::memcpy(&b, row + x + 2, 8);
    if (a | b) break;
  }
  while (x < to && row[x] == 0) ++x;
  return x;
}
// The last such pixel in [from, to), or from - 1 when there is none.
int lastInk(const quint32* row, int from, int to) {
  int x = to;
  for (; x - 4 >= from; x -= 4) {
    quint64 a, b;
    std::memcpy(&a, row + x - 4, 8);
    std::memcpy(&b, row + x - 2, 8);
    if (a | b) break;
  }
  while (x > from && row[x - 1] == 0) --x;
  return x - 1;
}

// The smallest rectangle within `area` that holds every pixel of `image` (premultiplied)
// that is not fully transparent; empty when there is none.
QRect inkOf(const QImage& image, const QRect& area) {
  int top = area.bottom() + 1, bottom = area.top() - 1, left = area.right() + 1, right = area.left() - 1;
  const int end = area.right() + 1;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    const auto* row = reinterpret_cast<const quint32*>(image.constScanLine(y));
    // Only what lies outside the ink found so far needs a look.
    const int first = firstInk(row, area.left(), std::min(left, end));
    const int last = lastInk(row, std::max(right + 1, first), end);
    if (first == std::min(left, end) && last < std::max(right + 1, first)) {
      // Nothing outside [left, right]: ink in this row only if inside it.
      if (left > right || firstInk(row, left, right + 1) > right) continue;
    }
    top = std::min(top, y);
    bottom = y;
    left = std::min(left, first);
    right = std::max(right, last);
  }
  return top > bottom ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace

PresenterView::PresenterView(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
  setWindowTitle(QStringLiteral("观众屏幕"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  // The operator keeps the keyboard: the view comes up without taking it.
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::ClickFocus);
}

PresenterView::Bands PresenterView::bandsFor(const QSize& size) {
  const int w = size.width(), h = size.height();
  const int m = std::max(4, h * 3 / 100);
  Bands b;
  b.title = QRect(m, m, w - 2 * m, h * 10 / 100);
  b.prize = QRect(m, b.title.bottom() + 1, w - 2 * m, h * 13 / 100);
  const int countHeight = h * 7 / 100;
  b.count = QRect(m, h - m - countHeight, w - 2 * m, countHeight);
  const int top = b.prize.bottom() + 1 + m / 2;
  b.names = QRect(m, top, w - 2 * m, std::max(0, b.count.top() - m / 2 - top));
  return b;
}

void PresenterView::setTitle(const QString& title) {
  if (title == title_) return;
  title_ = title;
  update(bandsFor(size()).title);
}

void PresenterView::setPicture(const QImage& picture) {
  picture_ = picture;
  cover_ = QPixmap();
  update();
}

void PresenterView::setPrize(const QString& prize) {
  if (prize == prize_) return;
  prize_ = prize;
  update(bandsFor(size()).prize);
}

void PresenterView::setCount(const QString& count) {
  if (count == count_) return;
  count_ = count;
  update(bandsFor(size()).count);
}

void PresenterView::setNames(const Text& source, std::vector<Text> names, bool drawing) {
  if (source == source_ && drawing == drawing_) return;
  if (drawing && !drawing_) heldSize_ = 0;  // a new draw starts at the largest type again
  source_ = source;
  names_ = std::move(names);
  drawing_ = drawing;
  if (!isVisible() || !layout_.valid) {
    // Laid out and painted whole at the next paint; until then anything may be anywhere.
    update(bandsFor(size()).names);
    namesShown_ = QRegion(rect());
    return;
  }
  // Only where the names were and where they go is painted again: a pick of a few names
  // repaints a small part of a large screen, and a pick's lines only their strips.
  const QRegion before = namesShown_;
  namesShown_ = QRegion();
  if (!names_.empty()) {
    layOutNames();
    namesShown_ = namesArea();
  }
  update(before | namesShown_);
}

QRegion PresenterView::namesArea() {
  if (!drawing_) return QRegion(layout_.bounds);
  placePick();
  return pickArea_;
}

void PresenterView::setBlackout(bool on) {
  if (on == blackout_) return;
  blackout_ = on;
  update();
}

void PresenterView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  cover_ = QPixmap();
  namesShown_ = QRegion(rect());  // all of it is painted anew
}

int PresenterView::namesCeiling() const {
  const QRect box = bandsFor(size()).names;
  const int ceiling = std::max(1, box.height() / 2);
  return drawing_ && heldSize_ > 0 ? std::min(heldSize_, ceiling) : ceiling;
}

// A name's text and width at the measuring size, worked out once per name: a running
// draw shows many of the same names again.
const PresenterView::Measured& PresenterView::measured(const Text& name) {
  auto found = measured_.find(name);
  if (found != measured_.end()) return found->second;
  if (measured_.size() >= kMeasuredMost) measured_.clear();
  static const QFontMetricsF measure(namesFont(kMeasureSize));
  QString text = platform::fromAnsi(name);
  const double width = measure.horizontalAdvance(text) / kMeasureSize;
  return measured_.emplace(name, Measured{std::move(text), width}).first->second;
}

// Each line is drawn as one text, its names joined by an ideographic space, the same room
// that the fit leaves between two names.
void PresenterView::layOutNames() {
  const QRect box = bandsFor(size()).names;
  const int ceiling = namesCeiling();
  if (layout_.valid && layout_.source == source_ && layout_.box == box.size() && layout_.ceiling == ceiling)
    return;

  static const QFontMetricsF measure(namesFont(kMeasureSize));
  std::vector<const Measured*> shown;
  shown.reserve(names_.size());
  std::vector<double> widths;
  widths.reserve(names_.size());
  for (const Text& name : names_) {
    shown.push_back(&measured(name));
    widths.push_back(shown.back()->width);
  }
  NameFitBox fitBox;
  fitBox.width = box.width();
  fitBox.height = box.height();
  fitBox.gap = measure.horizontalAdvance(kGap) / kMeasureSize;
  fitBox.lineHeight = measure.lineSpacing() / kMeasureSize;
  fitBox.floor = std::max(10, height() / 100);
  fitBox.ceiling = std::max(fitBox.floor, ceiling);
  fitBox.ellipsisWidth = measure.horizontalAdvance(kEllipsis) / kMeasureSize;

  NamesLayout l;
  l.source = source_;
  l.box = box.size();
  l.fit = fitNames(widths, fitBox);
  l.font = namesFont(l.fit.size);
  const double s = l.fit.size;
  const QFontMetricsF real(l.font);
  const double lineHeight = fitBox.lineHeight * s;
  const double top = box.top() + (box.height() - lineHeight * double(l.fit.lineStarts.size())) / 2;
  QRectF bounds;
  for (size_t line = 0; line < l.fit.lineStarts.size(); ++line) {
    const int begin = l.fit.lineStarts[line], end = lineEnd(l.fit, line);
    QString text;
    double width = -fitBox.gap * s;
    for (int i = begin; i < end; ++i) {
      if (i > begin) text += kGap;
      text += shown[size_t(i)]->text;
      width += (widths[size_t(i)] + fitBox.gap) * s;
    }
    if (l.fit.cut && end == l.fit.shown && l.fit.shown < int(names_.size())) {
      text += kGap;
      text += kEllipsis;
      width += (fitBox.gap + fitBox.ellipsisWidth) * s;
    }
    if (width > box.width()) {  // one name wider than the box even at the floor
      text = real.elidedText(text, Qt::ElideRight, box.width());
      width = box.width();
    }
    const double x = box.left() + std::max(0.0, (box.width() - width) / 2);
    const double y = top + lineHeight * double(line);
    l.lines.push_back(std::move(text));
    l.places.emplace_back(x, y + (lineHeight - real.height()) / 2 + real.ascent());
    bounds |= QRectF(x, y, width, lineHeight);
  }
  // A little room around the glyphs, which may reach past their advance.
  l.bounds = bounds.toAlignedRect().adjusted(-int(s) / 4 - 2, -2, int(s) / 4 + 2, 2) & box;
  if (drawing_) heldSize_ = l.fit.size;
  l.ceiling = namesCeiling();  // what the next paint asks for when the names stay
  l.valid = true;
  layout_ = std::move(l);
  ++layouts_;
}

void PresenterView::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  const QRegion& dirty = event->region();
  for (const QRect& r : dirty) painted_ += qint64(r.width()) * r.height();
  if (blackout_) {
    for (const QRect& r : dirty) p.fillRect(r, Qt::black);
    return;
  }
  paintBackground(p, dirty);
  const Bands b = bandsFor(size());
  if (dirty.intersects(b.title))
    paintLine(p, b.title, title_, designFont(QStringLiteral("楷体_GB2312"), 10, true), kTitleColour);
  if (dirty.intersects(b.prize)) paintLine(p, b.prize, prize_, namesFont(10), kPrizeColour);
  if (dirty.intersects(b.count)) paintLine(p, b.count, count_, namesFont(10), kCountColour);
  if (dirty.intersects(b.names) || dirty.intersects(namesShown_)) paintNames(p);
}

// The picture fills the view, its proportions kept and its overhang cut off equally on
// both sides, darkened so that the type stands out on any picture.
void PresenterView::paintBackground(QPainter& p, const QRegion& area) {
  if (cover_.size() != size()) {
    QPixmap cover(size());
    cover.fill(kStage);
    if (!picture_.isNull() && !size().isEmpty()) {
      QPainter c(&cover);
      const QImage scaled = picture_.scaled(size(), Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
      c.drawImage(QPoint((width() - scaled.width()) / 2, (height() - scaled.height()) / 2), scaled);
      c.fillRect(cover.rect(), QColor(0, 0, 0, 140));
    }
    cover_ = cover;
  }
  for (const QRect& r : area) {
    p.setClipRect(r);  // one rectangle of the area: Qt's fast copy
    inBands(r.size(), [&](const QRect& band) {
      p.drawPixmap(band.translated(r.topLeft()), cover_, band.translated(r.topLeft()));
    });
  }
  p.setClipping(false);
}

// One line of text, centred in its band, as large as the band's height allows and no wider
// than the band; cut with "…" only when even a small type is too wide.
void PresenterView::paintLine(QPainter& p, const QRect& band, const QString& text, const QFont& face,
                              const QColor& colour) {
  if (text.isEmpty() || band.isEmpty()) return;
  QFont font = face;
  int size = std::max(1, band.height() * 3 / 4);
  font.setPixelSize(size);
  const double wide = QFontMetricsF(font).horizontalAdvance(text);
  if (wide > band.width()) {
    size = std::max(std::min(size, 12), int(size * band.width() / wide));
    font.setPixelSize(size);
  }
  const QFontMetricsF metrics(font);
  const QString shown = metrics.elidedText(text, Qt::ElideRight, band.width());
  p.setFont(font);
  const QRectF at(band);
  p.setPen(QColor(0, 0, 0, 160));
  p.drawText(at.translated(std::max(1, size / 24), std::max(1, size / 24)), Qt::AlignCenter, shown);
  p.setPen(colour);
  p.drawText(at, Qt::AlignCenter, shown);
}

void PresenterView::paintNames(QPainter& p) {
  if (names_.empty()) return;
  layOutNames();
  if (drawing_) {
    paintPick(p);
    return;
  }
  p.setFont(layout_.font);
  p.setPen(kWinnersColour);
  for (size_t i = 0; i < layout_.lines.size(); ++i) p.drawText(layout_.places[i], layout_.lines[i]);
}

// A running draw's pick, once per frame. Qt draws characters above 64 px as outlines each
// time, which at a projector's size costs more than the whole operator's window; so each
// character is drawn once into a picture of its own and the pick is put together from
// those. The winners, drawn once, go through the text layout as usual.
void PresenterView::paintPick(QPainter& p) {
  placePick();
  // Clipped to one strip at a time: the strip lies whole in the area painted, and Qt puts
  // an image through its fast copy only under a clip of one rectangle.
  for (size_t line = 0; line < strips_.size(); ++line) {
    p.setClipRect(strips_[line].first);
    const size_t end = line + 1 < strips_.size() ? strips_[line + 1].second : placed_.size();
    for (size_t i = strips_[line].second; i < end; ++i) {
      const Placed& g = placed_[i];
      inBands(g.source.size(), [&](const QRect& band) {
        p.drawImage(g.at + band.topLeft(), atlas_, band.translated(g.source.topLeft()));
      });
    }
  }
  p.setClipping(false);
}

// The pick's characters in their places, at whole pixels as the painter puts an image, and
// the strip of each line that they cover: only those strips change from pick to pick.
void PresenterView::placePick() {
  if (placedFor_ == layouts_) return;
  placedFor_ = layouts_;
  if (glyphSize_ != layout_.fit.size) {
    emptyAtlas();
    glyphSize_ = layout_.fit.size;
    glyphMetrics_.emplace(layout_.font);
  }
  // A pick whose characters filled the atlas is put together again in the emptied one:
  // the places of the characters before the emptying are gone.
  for (int attempt = 0; attempt < 2; ++attempt) {
    atlasEmptied_ = false;
    placeCharacters();
    if (!atlasEmptied_) break;
  }
}

void PresenterView::placeCharacters() {
  placed_.clear();
  strips_.clear();
  pickArea_ = QRegion();
  for (size_t i = 0; i < layout_.lines.size(); ++i) {
    double x = layout_.places[i].x();
    const double baseline = layout_.places[i].y();
    QRect strip;
    const size_t first = placed_.size();
    for (char32_t c : layout_.lines[i].toUcs4()) {
      const Glyph& g = glyph(c);
      if (!g.source.isEmpty()) {
        const QPoint at(qRound(x + g.offset.x()), qRound(baseline + g.offset.y()));
        placed_.push_back({g.source, at});
        strip |= QRect(at, g.source.size());
      }
      x += g.advance;
    }
    if (strip.isEmpty()) continue;
    strips_.emplace_back(strip, first);
    pickArea_ |= strip;
  }
}

const PresenterView::Glyph& PresenterView::glyph(char32_t c) {
  auto found = glyphs_.find(c);
  if (found != glyphs_.end()) return found->second;
  const QString text = QString::fromUcs4(&c, 1);
  const QFontMetricsF& metrics = *glyphMetrics_;
  Glyph g;
  // A character of the basic plane is measured as one glyph, without shaping a text.
  const bool single = text.size() == 1;
  g.advance = single ? metrics.horizontalAdvance(text[0]) : metrics.horizontalAdvance(text);
  const int pad = 2 + layout_.fit.size / 16;  // antialiased edges reach past the ink's box
  const QRect box = (single ? metrics.boundingRect(text[0]) : metrics.boundingRect(text))
                        .toAlignedRect()
                        .adjusted(-pad, -pad, pad, pad);
  if (c != 0x3000 && c != ' ' && !box.isEmpty()) {
    // Drawn on a sheet kept for the purpose, then cut to the pixels with ink: a character
    // blended onto the screen every frame costs by its image's size.
    if (scratch_.width() < box.width() || scratch_.height() < box.height())
      scratch_ = QImage(std::max(scratch_.width(), box.width()), std::max(scratch_.height(), box.height()),
                        QImage::Format_ARGB32_Premultiplied);
    const QRect sheet(QPoint(0, 0), box.size());
    {
      QPainter q(&scratch_);
      q.setCompositionMode(QPainter::CompositionMode_Source);
      q.fillRect(sheet, Qt::transparent);
      q.setCompositionMode(QPainter::CompositionMode_SourceOver);
      q.setFont(layout_.font);
      q.setPen(kPickColour);
      q.drawText(QPointF(-box.left(), -box.top()), text);
    }
    const QRect ink = scratch_.isNull() ? QRect() : inkOf(scratch_, sheet);
    const QPoint at = ink.isEmpty() ? QPoint() : atlasPlace(ink.size());
    // Without the memory for the sheet or the atlas the character is left out, not drawn
    // from nowhere: the operator's window and the record go on as ever.
    if (!ink.isEmpty() && !atlas_.isNull()) {
      const qsizetype rowBytes = qsizetype(ink.width()) * 4;
      for (int y = 0; y < ink.height(); ++y)
        std::memcpy(atlas_.scanLine(at.y() + y) + qsizetype(at.x()) * 4,
                    scratch_.constScanLine(ink.top() + y) + qsizetype(ink.left()) * 4, size_t(rowBytes));
      g.source = QRect(at, ink.size());
      g.offset = box.topLeft() + ink.topLeft();
    }
  }
  return glyphs_.emplace(c, std::move(g)).first->second;
}

void PresenterView::emptyAtlas() {
  glyphs_.clear();
  shelf_ = QPoint(0, 0);
  shelfHeight_ = 0;
  atlasEmptied_ = true;
}

// The top-left in atlas_ of a new glyph of this size: on the current shelf, on a new one
// below it, or at the top of the emptied atlas (made larger for a glyph that does not fit).
QPoint PresenterView::atlasPlace(const QSize& size) {
  if (atlas_.width() < size.width() || atlas_.height() < size.height()) {
    atlas_ = QImage(std::max({atlas_.width(), kAtlasWidth, size.width()}),
                    std::max({atlas_.height(), kAtlasHeight, size.height()}), QImage::Format_ARGB32_Premultiplied);
    emptyAtlas();
  }
  if (shelf_.x() + size.width() > atlas_.width()) shelf_ = QPoint(0, shelf_.y() + shelfHeight_), shelfHeight_ = 0;
  if (shelf_.y() + size.height() > atlas_.height()) emptyAtlas();
  const QPoint at = shelf_;
  shelf_.rx() += size.width();
  shelfHeight_ = std::max(shelfHeight_, size.height());
  return at;
}
