// The headline draws every character of a winner's name: one that its face lists but
// draws as nothing comes from the face's substitutes, in the place the fit gave it.
#include "widgets/fonts.h"
#include "widgets/headline.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QPainterPath>
#include <QRawFont>

namespace {

// Whether some installed face draws `c` with ink: without one nothing can show it.
bool someFaceDraws(char32_t c) {
  for (const QString& family : QFontDatabase::families()) {
    QFont f(family);
    f.setPixelSize(40);
    const QRawFont raw = QRawFont::fromFont(f);
    if (!raw.isValid() || !raw.supportsCharacter(c)) continue;
    const QList<quint32> glyphs = raw.glyphIndexesForString(QString::fromUcs4(&c, 1));
    if (glyphs.size() == 1 && !raw.pathForGlyph(glyphs[0]).isEmpty()) return true;
  }
  return false;
}

// The pixels in the columns [from, to) of `image` that are not the background.
int inkBetween(const QImage& image, int from, int to, QRgb background) {
  int ink = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = std::max(0, from); x < std::min(image.width(), to); ++x) ink += image.pixel(x, y) != background;
  return ink;
}

TEST(HeadlineInk, EveryCharacterOfANameShowsInTheHeadlinesFace) {
  const QFont face = designFont(QString::fromUtf8("楷体_GB2312"), 29, true);
  Headline headline;
  headline.resize(600, 80);
  QPalette palette = headline.palette();
  palette.setColor(QPalette::Window, Qt::white);
  palette.setColor(QPalette::WindowText, Qt::red);
  headline.setPalette(palette);
  headline.setAutoFillBackground(true);
  int checked = 0;
  for (const char* name : {"刘䶮", "𠮷田", "张伟"}) {
    const QString text = QString::fromUtf8(name);
    if (!someFaceDraws(text.toUcs4().at(1))) continue;  // nothing here could show it
    ++checked;
    const HeadlineFit fit = fitHeadline(text, false, face, headline.contentsRect().size(), 40, 12);
    headline.showFit(fit, face);
    const QImage shot = headline.grab().toImage();
    const QFontMetricsF m(headline.font());
    const int firstEnd = int(m.horizontalAdvance(text.left(1)));
    const int end = int(m.horizontalAdvance(text));
    EXPECT_GT(inkBetween(shot, 1, firstEnd - 1, QColor(Qt::white).rgb()), 20) << name;
    EXPECT_GT(inkBetween(shot, firstEnd + 1, end - 1, QColor(Qt::white).rgb()), 20) << name;
  }
  if (checked == 0) GTEST_SKIP() << "no installed face draws these characters";
}

}  // namespace
