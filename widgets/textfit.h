#pragma once
// Fitting a text that may be far longer than its box, as a word-wrapping label shows it:
// the cost depends on the box, not on the length of the text.
#include <QString>

#include <vector>

class QFont;
class QSize;

// At least as many characters as the box could show in this font, word-wrapped, however
// narrow the characters: no more of a text ever needs to be laid out for the box.
int mostCharactersInBox(const QFont& font, const QSize& box);

// What a label with this font and Qt::TextWordWrap shows of `text` in the box: the text
// itself when all of it fits; otherwise its longest start that fits with "…" after it,
// so the cut shows at the edge of the box. `moreFollows` says that `text` is only the
// start of something longer, which never fits. Lines are laid out only as far as the box
// reaches.
QString fitTextToBox(const QString& text, bool moreFollows, const QFont& font, const QSize& box);

// How the headline shows a pick: names joined by "，", each name kept whole on one line.
struct HeadlineFit {
  int pixelSize = 0;  // the type's size
  QString shown;      // the whole text, or its longest start of whole names and "…"
  // Where each line of `shown` begins, the first at 0; lines break only after a "，". Empty
  // when the first name is wider than the box even in the smallest type: then `shown` is
  // that name in the largest type, laid out as a word-wrapping label lays it out and cut
  // as fitTextToBox() cuts it.
  std::vector<int> lineStarts;
};

// The largest type from `largestPx` down to `smallestPx` at which the whole of `text`
// fits the box, lines breaking only after the separator "，"; where even the smallest type
// does not hold it all, the smallest type and the longest start of whole names that fits
// with "…" after it. `font` gives the face and weight; `moreFollows` says that `text` is
// only the start of something longer. A size is tried by adding up the widths of the
// characters, so the cost grows with the text's length and the log of the size range.
HeadlineFit fitHeadline(const QString& text, bool moreFollows, const QFont& font, const QSize& box, int largestPx,
                        int smallestPx);
