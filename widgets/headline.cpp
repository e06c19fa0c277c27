#include "widgets/headline.h"

#include <QFontInfo>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>

#include <algorithm>
#include <map>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

// Characters that the headline's face lists but draws as nothing. A face can map a
// character to an empty glyph (AR PL UKai does so for 䶮, which rare names use); Qt then
// takes the face at its word and leaves a gap in the winner's name. Such characters are
// drawn in the face's substitutes instead, which Qt's own fallback never reaches for them.
class Blanks {
 public:
  explicit Blanks(const QFont& font) : entry_(entries()[font.key()]) {
    if (!entry_.ready) {
      entry_.ready = true;
      entry_.raw = QRawFont::fromFont(font);
      // The design face's substitutes after the one in use, in their order.
      QStringList others = QFont::substitutes(font.family());
      const QString inUse = QFontInfo(font).family();
      others.removeIf([&](const QString& f) { return f.compare(inUse, Qt::CaseInsensitive) == 0; });
      entry_.fallback = font;
      if (!others.isEmpty()) entry_.fallback.setFamilies(others);
    }
  }
  bool blank(char32_t c) const {
    if (c < 0x2E80 || !entry_.raw.isValid()) return false;  // below the CJK blocks
    auto [at, added] = entry_.known.try_emplace(c, false);
    if (added && entry_.raw.supportsCharacter(c)) {
      const QList<quint32> glyphs = entry_.raw.glyphIndexesForString(QString::fromUcs4(&c, 1));
      at->second = glyphs.size() == 1 && entry_.raw.pathForGlyph(glyphs[0]).isEmpty();
    }
    return at->second;
  }
  const QFont& fallback() const { return entry_.fallback; }

 private:
  struct Entry {
    bool ready = false;
    QRawFont raw;
    QFont fallback;
    std::unordered_map<char32_t, bool> known;
  };
  static std::map<QString, Entry>& entries() {
    static std::map<QString, Entry> all;  // by the font's key: one per type size
    if (all.size() > 256) all.clear();
    return all;
  }
  Entry& entry_;
};

// One line at `pen`: runs of characters the face draws go in the face, runs it would
// leave blank in its fallback, each run taking the face's own advance (the fit measured
// the line with it).
void drawLine(QPainter& p, QPointF pen, const QString& line, const QFont& font, const QFontMetricsF& m) {
  const Blanks blanks(font);
  // Runs of characters alike (drawn by the face or blank in it), in one pass.
  std::vector<std::pair<int, bool>> runs;  // where each run starts, and whether it is blank
  for (int i = 0; i < line.size();) {
    const bool pair = line.at(i).isHighSurrogate() && i + 1 < line.size() && line.at(i + 1).isLowSurrogate();
    const bool blank = blanks.blank(pair ? QChar::surrogateToUcs4(line.at(i), line.at(i + 1)) : line.at(i).unicode());
    if (runs.empty() || runs.back().second != blank) runs.emplace_back(i, blank);
    i += pair ? 2 : 1;
  }
  if (runs.size() <= 1 && (runs.empty() || !runs.front().second)) {
    p.drawText(pen, line);
    return;
  }
  for (size_t r = 0; r < runs.size(); ++r) {
    const int from = runs[r].first;
    const QString run = line.mid(from, (r + 1 < runs.size() ? runs[r + 1].first : int(line.size())) - from);
    p.setFont(runs[r].second ? blanks.fallback() : font);
    p.drawText(pen, run);
    pen.rx() += m.horizontalAdvance(run);
  }
  p.setFont(font);
}

}  // namespace

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
    drawLine(p, QPointF(box.left(), baseline), fit_.shown.mid(start, end - start), font(), m);
    baseline += m.lineSpacing();
  }
}
