// Fitting texts of any length into a word-wrapped box: whole when they fit, otherwise the
// longest start that fits with "…" after it.
#include "widgets/textfit.h"

#include <QFont>
#include <QFontMetrics>
#include <QSize>
#include <QString>

#include <gtest/gtest.h>

namespace {

const QChar kEllipsis(0x2026);

QFont headlineFont() {
  QFont f;
  f.setPixelSize(29);
  f.setBold(true);
  return f;
}

bool fitsIn(const QString& s, const QFont& font, const QSize& box) {
  const QRect needed =
      QFontMetrics(font).boundingRect(QRect(QPoint(0, 0), box), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, s);
  return needed.width() <= box.width() && needed.height() <= box.height();
}

QString repeated(const char* utf8, int times) { return QString::fromUtf8(utf8).repeated(times); }

struct LongText {
  const char* name;
  QString text;
};
void PrintTo(const LongText& c, std::ostream* os) { *os << c.name; }

class TextFit : public ::testing::TestWithParam<LongText> {};

// Cut at the edge: what is shown fits, is the text's own start, and one character more
// before the "…" would not fit.
TEST_P(TextFit, LongTextIsCutWithAnEllipsisAtTheEdge) {
  const QFont font = headlineFont();
  const QSize box(300, 120);
  const QString& text = GetParam().text;
  const QString shown = fitTextToBox(text, false, font, box);
  ASSERT_TRUE(shown.endsWith(kEllipsis)) << shown.toStdString();
  const QString start = shown.chopped(1);
  EXPECT_TRUE(text.startsWith(start));
  EXPECT_TRUE(fitsIn(shown, font, box)) << shown.toStdString();
  EXPECT_TRUE(start.isValidUtf16());
  int next = int(start.size()) + 1;
  if (text.at(next - 1).isHighSurrogate()) ++next;
  EXPECT_FALSE(fitsIn(text.left(next) + kEllipsis, font, box)) << "more would fit: " << shown.toStdString();
  EXPECT_LT(start.size(), mostCharactersInBox(font, box));
  EXPECT_FALSE(start.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextFit,
    ::testing::Values(LongText{"ChineseNames", repeated("张三，李四，王五，", 2000)},
                      LongText{"WordsWithBlanks", repeated("Zhang San, Li Si, ", 2000)},
                      LongText{"OneEndlessWord", repeated("abcdefghij", 3000)},
                      LongText{"NarrowCharacters", repeated("i.", 20000)},
                      LongText{"CharactersOutsideTheBasicPlane", repeated("\xF0\xA0\x80\x80", 3000)},
                      LongText{"LongWordsWrapAsAWhole", repeated("Wolfeschlegelsteinhausen ", 400)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextFitShort, ATextThatFitsIsShownWhole) {
  const QFont font = headlineFont();
  const QSize box(722, 445);
  for (const QString& text : {QString::fromUtf8("张三，李四，王五，赵六，钱七"), QString(),
                              QString::fromUtf8("澄曜幸运星 天天拿奖金")})
    EXPECT_EQ(fitTextToBox(text, false, font, box), text);
}

TEST(TextFitShort, OnlyTheStartOfALongerTextAlwaysEndsInAnEllipsis) {
  const QFont font = headlineFont();
  const QString shown = fitTextToBox(QString::fromUtf8("张三，李四"), true, font, QSize(722, 445));
  EXPECT_EQ(shown, QString::fromUtf8("张三，李四") + kEllipsis);
}

}  // namespace
