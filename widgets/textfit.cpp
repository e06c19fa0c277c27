#include "widgets/textfit.h"

#include <QFont>
#include <QFontMetrics>
#include <QSize>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_map>

namespace {

const QChar kEllipsis(0x2026);
const QChar kSeparator(0xFF0C);  // "，", between the names of a pick
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

namespace {

// Characters whose width in a line is their own advance: no shaping joins or reorders
// them (Latin, CJK, Hangul, full-width forms). Others, and surrogate pairs, are measured
// with their whole name.
bool advancesAlone(QChar c) {
  const char16_t u = c.unicode();
  return u < 0x0300 || (u >= 0x2E80 && u < 0xA000) || (u >= 0xAC00 && u < 0xD7A4) || (u >= 0xF900 && u < 0xFB00) ||
         (u >= 0xFF00 && u < 0xFFF0);
}

// A type size's metrics, with the advances of single characters kept: a pick of 999
// names is measured at several sizes every frame, from a few hundred distinct characters.
// The advances of the sizes measured last are kept from one call to the next.
class Measure {
 public:
  explicit Measure(const QFont& font) : metrics_(font), advances_(table(font)) {}
  const QFontMetricsF& metrics() const { return metrics_; }
  qreal height() const { return metrics_.height(); }
  qreal lineSpacing() const { return metrics_.lineSpacing(); }
  qreal advance(QChar c) const {
    auto [at, added] = advances_.try_emplace(c.unicode(), 0.0);
    if (added) at->second = metrics_.horizontalAdvance(c);
    return at->second;
  }
  qreal advance(const QString& text) const { return metrics_.horizontalAdvance(text); }

 private:
  using Table = std::unordered_map<char16_t, qreal>;
  static Table& table(const QFont& font) {
    static std::map<QString, Table> tables;  // by the font's key, which holds its size
    constexpr size_t kMostSizes = 64;
    constexpr size_t kMostCharacters = 8192;
    const QString key = font.key();
    auto found = tables.find(key);
    if (found != tables.end() && found->second.size() > kMostCharacters) found->second.clear();
    if (found == tables.end() && tables.size() >= kMostSizes) tables.clear();
    return tables[key];
  }
  QFontMetricsF metrics_;
  Table& advances_;
};

// The text cut into names, each with the separator after it, and how each is measured.
class Names {
 public:
  explicit Names(const QString& text) : text_(text) {
    bool alone = true;
    for (int i = 0; i < int(text.size()); ++i) {
      alone = alone && advancesAlone(text.at(i));
      if (text.at(i) == kSeparator || i + 1 == int(text.size())) {
        ends_.push_back(i + 1);
        alone_.push_back(alone);
        alone = true;
      }
    }
  }
  int count() const { return int(ends_.size()); }
  int begin(int n) const { return n ? ends_[size_t(n - 1)] : 0; }
  int end(int n) const { return ends_[size_t(n)]; }
  // The name's width, or any width over `limit` once it is known to be wider.
  qreal width(int n, const Measure& m, qreal limit) const {
    // No visible character is narrower than a tenth of the type's height (as in
    // mostCharactersInBox): a longer name is wider than the limit without measuring it.
    if (end(n) - begin(n) > limit / std::max<qreal>(1, m.height() / 10) + 1) return limit + 1;
    if (!alone_[size_t(n)]) return m.advance(text_.mid(begin(n), end(n) - begin(n)));
    qreal w = 0;
    for (int i = begin(n); i < end(n) && w <= limit; ++i) w += m.advance(text_.at(i));
    return w;
  }

 private:
  const QString& text_;
  std::vector<int> ends_;
  std::vector<bool> alone_;
};

// Names laid into lines in one type size: each line takes names while they fit its width.
struct Packing {
  int placed = 0;                // names laid, from the first
  bool tooWide = false;          // the name after them is wider than a whole line
  std::vector<int> lineFirst;    // the first name of each line
  std::vector<qreal> rightEdge;  // per name laid: where it ends on its line
};

Packing pack(const Names& names, const Measure& m, const QSize& box, bool keepEdges) {
  Packing p;
  const qreal width = box.width();
  const int lines = box.height() < m.height() ? 0 : 1 + int((box.height() - m.height()) / m.lineSpacing());
  qreal x = 0;
  for (int n = 0; n < names.count(); ++n) {
    const qreal w = names.width(n, m, width);
    if (w > width) {
      p.tooWide = true;
      break;
    }
    if (p.lineFirst.empty() || x + w > width) {
      if (int(p.lineFirst.size()) == lines) break;
      p.lineFirst.push_back(n);
      x = 0;
    }
    x += w;
    if (keepEdges) p.rightEdge.push_back(x);
    p.placed = n + 1;
  }
  return p;
}

QFont sized(const QFont& font, int px) {
  QFont f = font;
  f.setPixelSize(std::max(px, 1));
  return f;
}

HeadlineFit whole(const QString& text, const Names& names, const Packing& p, int px) {
  HeadlineFit fit{px, text, {}};
  for (int first : p.lineFirst) fit.lineStarts.push_back(names.begin(first));
  if (fit.lineStarts.empty()) fit.lineStarts.push_back(0);
  return fit;
}

}  // namespace

HeadlineFit fitHeadline(const QString& text, bool moreFollows, const QFont& font, const QSize& box, int largestPx,
                        int smallestPx) {
  smallestPx = std::max(smallestPx, 1);
  largestPx = std::max(largestPx, smallestPx);
  const Names names(text);
  if (names.count() == 0 && !moreFollows) return HeadlineFit{largestPx, text, {0}};

  auto fitsAt = [&](int px, Packing* out) {
    const Measure m(sized(font, px));
    Packing p = pack(names, m, box, false);
    const bool all = !p.tooWide && p.placed == names.count();
    if (all && out) *out = std::move(p);
    return all;
  };
  if (!moreFollows) {
    Packing p;
    if (fitsAt(largestPx, &p)) return whole(text, names, p, largestPx);
    // The largest size that fits, between the smallest (which may not) and the largest.
    int low = smallestPx - 1, high = largestPx - 1;  // fits at `low` unless it is below the range
    Packing best;
    while (low < high) {
      const int mid = low + (high - low + 1) / 2;
      Packing q;
      if (fitsAt(mid, &q)) {
        low = mid;
        best = std::move(q);
      } else {
        high = mid - 1;
      }
    }
    if (low >= smallestPx) return whole(text, names, best, low);
  }

  // Even the smallest type does not hold it all: whole names as far as they go, then "…".
  const QFont small = sized(font, smallestPx);
  const Measure m(small);
  Packing p = pack(names, m, box, true);
  if (p.placed == 0 && p.tooWide) {
    // The first name alone is wider than a line in any type: it is cut where the box ends,
    // in the largest type, as a word-wrapping label shows it.
    const QFont large = sized(font, largestPx);
    const int most = mostCharactersInBox(large, box);
    return HeadlineFit{largestPx, fitTextToBox(text.left(most), moreFollows || text.size() > most, large, box), {}};
  }
  const qreal ellipsis = m.advance(kEllipsis);
  auto lineOf = [&](int n) {
    return int(std::upper_bound(p.lineFirst.begin(), p.lineFirst.end(), n) - p.lineFirst.begin()) - 1;
  };
  // Names come off the end until "…" fits after the last one on its line; where the name
  // that comes off began its line, the "…" takes its place there.
  int shownNames = p.placed;
  int lastLine = 0;
  while (shownNames > 0) {
    lastLine = lineOf(shownNames - 1);
    if (p.rightEdge[size_t(shownNames - 1)] + ellipsis <= box.width()) break;
    --shownNames;
    if (p.lineFirst[size_t(lastLine)] == shownNames) break;
  }
  if (shownNames == 0) lastLine = 0;
  HeadlineFit fit{smallestPx, text.left(shownNames ? names.end(shownNames - 1) : 0) + kEllipsis, {}};
  for (int line = 0; line <= lastLine && line < int(p.lineFirst.size()); ++line)
    fit.lineStarts.push_back(names.begin(p.lineFirst[size_t(line)]));
  if (fit.lineStarts.empty()) fit.lineStarts.push_back(0);
  return fit;
}
