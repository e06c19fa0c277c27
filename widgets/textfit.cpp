#include "widgets/textfit.h"

#include <QFont>
#include <QFontMetrics>
#include <QSize>
#include <QTextLayout>

#include <algorithm>

namespace {

const QChar kEllipsis(0x2026);
constexpr int kFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

// How many characters of `text` the box shows, as far as lines are laid out one under the
// other: up to the end of the last line that fits, or into a line holding a word wider than
// the box, up to the box's right edge.
int shownLength(const QString& text, const QFont& font, const QSize& box) {
  QTextLayout layout(text, font);
  QTextOption option;
  option.setWrapMode(QTextOption::WordWrap);
  layout.setTextOption(option);
  layout.beginLayout();
  qreal bottom = 0;
  int end = 0;
  for (;;) {
    QTextLine line = layout.createLine();
    if (!line.isValid()) break;
    line.setLineWidth(box.width());
    if (bottom + line.height() > box.height()) break;
    bottom += line.height();
    if (line.naturalTextWidth() > box.width()) {
      end = std::max(line.textStart(), line.xToCursor(box.width(), QTextLine::CursorOnCharacter));
      break;
    }
    end = line.textStart() + line.textLength();
  }
  layout.endLayout();
  return end;
}

}  // namespace

int mostCharactersInBox(const QFont& font, const QSize& box) {
  const QFontMetrics metrics(font);
  // No visible character is narrower than a tenth of the font's height, and no line lower
  // than half of it; both bounds leave room to spare.
  const int narrowest = std::max(1, metrics.height() / 10);
  const int lowest = std::max(1, metrics.height() / 2);
  const qint64 perLine = std::max(0, box.width()) / narrowest + 1;
  const qint64 lines = std::max(0, box.height()) / lowest + 1;
  return int(std::min<qint64>(perLine * lines, 1 << 24));
}

QString fitTextToBox(const QString& text, bool moreFollows, const QFont& font, const QSize& box) {
  const QFontMetrics metrics(font);
  const QRect area(QPoint(0, 0), box);
  auto fits = [&](const QString& s) {
    const QRect needed = metrics.boundingRect(area, kFlags, s);
    return needed.width() <= box.width() && needed.height() <= box.height();
  };
  auto cut = [&](int n) { return text.left(n) + kEllipsis; };
  auto stepBack = [&](int n) {  // one character back, never into a surrogate pair
    --n;
    if (n > 0 && text.at(n).isLowSurrogate() && text.at(n - 1).isHighSurrogate()) --n;
    return n;
  };

  int end = shownLength(text, font, box);
  if (end >= text.size() && !moreFollows && fits(text)) return text;
  end = std::min<int>(end, int(text.size()));
  if (end > 0 && text.at(end - 1).isHighSurrogate()) --end;

  // The ellipsis takes a little room of its own: step back until it fits beside the text.
  for (int tries = 0; tries < 8 && end > 0; ++tries) {
    if (fits(cut(end))) return cut(end);
    end = stepBack(end);
  }
  // Rarely (a long word that wraps as a whole): the longest start that fits, by halving.
  int low = 0, high = end;  // cut(low) is taken to fit; cut(high + 1) does not
  while (low < high) {
    int mid = low + (high - low + 1) / 2;
    if (mid > 0 && text.at(mid - 1).isHighSurrogate()) --mid;
    if (mid <= low) break;
    if (fits(cut(mid)))
      low = mid;
    else
      high = mid - 1;
  }
  return cut(low);
}
