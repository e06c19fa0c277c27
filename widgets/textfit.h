#pragma once
// Fitting a text that may be far longer than its box, as a word-wrapping label shows it:
// the cost depends on the box, not on the length of the text.
#include <QString>

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
