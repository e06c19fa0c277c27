// Fitting texts of any length into a word-wrapped box: whole when they fit, otherwise the
// longest start that fits with "…" after it.
#include "widgets/textfit.h"

#include <QFont>
#include <QFontMetrics>
#include <QSize>
#include <QString>
#include <QStringList>

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

// ---- The headline: the largest type that holds the whole pick, names never split ----

namespace {

const QChar kComma(0xFF0C);

QFont kaiFace() {
  QFont f;
  f.setFamilies({QStringLiteral("AR PL UKai CN"), QStringLiteral("KaiTi"), QStringLiteral("SimSun")});
  f.setBold(true);
  return f;
}

QFont ofSize(QFont f, int px) {
  f.setPixelSize(px);
  return f;
}

// `count` names made from `pattern` (UTF-8; "%1" is the name's number), joined by "，".
QString pick(const char* pattern, int count) {
  QStringList names;
  const QString p = QString::fromUtf8(pattern);
  for (int i = 0; i < count; ++i) names << (p.contains(QLatin1String("%1")) ? p.arg(i) : p);
  return names.join(kComma);
}

// The lines of a fit as it shows them.
QStringList linesOf(const HeadlineFit& fit) {
  QStringList lines;
  for (size_t i = 0; i < fit.lineStarts.size(); ++i) {
    const int end = i + 1 < fit.lineStarts.size() ? fit.lineStarts[i + 1] : int(fit.shown.size());
    lines << fit.shown.mid(fit.lineStarts[i], end - fit.lineStarts[i]);
  }
  return lines;
}

// Whether the names of `text` fit the box in this type, each line as wide as the names
// on it are when shaped together, breaking only after a "，".
bool namesFit(const QString& text, const QFont& font, const QSize& box) {
  const QFontMetricsF m(font);
  const int lines = box.height() < m.height() ? 0 : 1 + int((box.height() - m.height()) / m.lineSpacing());
  int used = 0;
  QString line;
  const QStringList parts = text.split(kComma);
  for (int i = 0; i < parts.size(); ++i) {
    const QString name = parts[i] + (i + 1 < parts.size() ? QString(kComma) : QString());
    if (m.horizontalAdvance(name) > box.width()) return false;
    if (used == 0 || m.horizontalAdvance(line + name) > box.width()) {
      if (++used > lines) return false;
      line = name;
    } else {
      line += name;
    }
  }
  return true;
}

struct HeadlineRow {
  const char* name;
  QString text;
  QSize box;
  int largest, smallest;
  bool cut;  // the whole pick does not fit even in the smallest type
};
void PrintTo(const HeadlineRow& r, std::ostream* os) { *os << r.name; }

class HeadlineFitting : public ::testing::TestWithParam<HeadlineRow> {};

TEST_P(HeadlineFitting, NamesStayWholeInTheLargestTypeThatHoldsThem) {
  const HeadlineRow& row = GetParam();
  const HeadlineFit fit = fitHeadline(row.text, false, kaiFace(), row.box, row.largest, row.smallest);
  const QFont shownIn = ofSize(kaiFace(), fit.pixelSize);
  const QFontMetricsF m(shownIn);
  ASSERT_FALSE(fit.lineStarts.empty());
  EXPECT_EQ(fit.lineStarts.front(), 0);

  // Lines break only after a separator, and each one fits the box's width.
  const QStringList lines = linesOf(fit);
  for (size_t i = 1; i < fit.lineStarts.size(); ++i) EXPECT_EQ(fit.shown.at(fit.lineStarts[i] - 1), kComma) << i;
  for (const QString& line : lines) EXPECT_LE(m.horizontalAdvance(line), row.box.width() + 0.5) << line.toStdString();
  EXPECT_LE((lines.size() - 1) * m.lineSpacing() + m.height(), row.box.height() + 0.5);

  if (!row.cut) {
    EXPECT_EQ(fit.shown, row.text);
    EXPECT_EQ(lines.join(QString()), row.text);
    EXPECT_GE(fit.pixelSize, row.smallest);
    EXPECT_LE(fit.pixelSize, row.largest);
    if (fit.pixelSize < row.largest) {
      EXPECT_FALSE(namesFit(row.text, ofSize(kaiFace(), fit.pixelSize + 1), row.box)) << "a larger type fits";
    }
  } else {
    // The smallest type, whole names as far as they go, then "…"; one name more would not fit.
    EXPECT_EQ(fit.pixelSize, row.smallest);
    ASSERT_TRUE(fit.shown.endsWith(kEllipsis));
    const QString names = fit.shown.chopped(1);
    EXPECT_TRUE(row.text.startsWith(names));
    EXPECT_TRUE(names.isEmpty() || names.endsWith(kComma));
    const int next = int(row.text.indexOf(kComma, names.size()));
    ASSERT_GT(next, 0);
    EXPECT_FALSE(namesFit(row.text.left(next + 1) + kEllipsis, shownIn, row.box)) << "one more name fits";
    EXPECT_GT(names.size(), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Picks, HeadlineFitting,
    ::testing::Values(
        HeadlineRow{"OneName", pick("张三", 1), {722, 445}, 29, 12, false},
        HeadlineRow{"FiveNames", pick("张三%1", 5), {722, 445}, 29, 12, false},
        HeadlineRow{"ThirtyNames", pick("欧阳子森", 30), {722, 445}, 29, 12, false},
        HeadlineRow{"HundredNamesShrink", pick("曹子森%1", 100), {722, 445}, 29, 12, false},
        HeadlineRow{"FourHundredNamesShrink", pick("曹森", 400), {722, 445}, 29, 12, false},
        HeadlineRow{"NineHundredNinetyNineCut", pick("曹子森", 999), {722, 445}, 29, 12, true},
        HeadlineRow{"NineHundredNinetyNineFullHd", pick("曹子%1", 999), {1686, 1050}, 46, 16, false},
        HeadlineRow{"NineHundredNinetyNine4K", pick("曹子森%1", 999), {3600, 2000}, 93, 30, false},
        HeadlineRow{"LongChineseNames", pick("爱新觉罗·玄烨%1", 40), {722, 445}, 29, 12, false},
        HeadlineRow{"LongLatinNames", pick("Maximilian Alexander von Habsburg %1", 25), {722, 445}, 29, 12, false},
        HeadlineRow{"RareCharacters", pick("䶮龑%1", 60), {722, 445}, 29, 12, false},
        HeadlineRow{"OutsideTheBasicPlane", pick("\xF0\xA0\x80\x80\xF0\xAA\x9A\xA5%1", 60), {722, 445}, 29, 12, false},
        HeadlineRow{"JoinedScript", pick("\xD8\xA6\xD8\xA7\xD8\xA8\xD8\xAF\xDB\x87\xD8\xB1\xD8\xA7\xD8\xAE\xD9\x85\xD8\xA7\xD9\x86 %1", 50),
                    {722, 445}, 29, 12, false},
        HeadlineRow{"NarrowBox", pick("曹子森", 8), {100, 445}, 29, 12, false},
        HeadlineRow{"ShortBox", pick("曹子森", 40), {722, 25}, 29, 12, true}),
    [](const auto& info) { return std::string(info.param.name); });

// The issue's own case: a width at which a word-wrapping label breaks "曹子森" after 曹子.
TEST(HeadlineFitting, ANameIsNeverBrokenWhereALabelWouldBreakIt) {
  const QFont font = ofSize(kaiFace(), 29);
  const QFontMetricsF m(font);
  const QString text = pick("曹子森", 12);
  const int width = int(m.horizontalAdvance(pick("曹子森", 3) + kComma + QString::fromUtf8("曹子")) + 1);
  const HeadlineFit fit = fitHeadline(text, false, font, QSize(width, 400), 29, 12);
  EXPECT_EQ(fit.pixelSize, 29);
  const QStringList lines = linesOf(fit);
  EXPECT_EQ(lines.size(), 4);
  for (QString line : lines) {
    if (line.endsWith(kComma)) line.chop(1);  // the last line has no separator after it
    EXPECT_EQ(line, pick("曹子森", 3)) << line.toStdString();
  }
}

TEST(HeadlineFitting, ANameWiderThanTheBoxIsCutAsALabelCutsIt) {
  const QString giant = QString::fromUtf8("张三李四王五赵钱孙李 abc;").repeated(200);
  const QSize box(300, 120);
  const HeadlineFit fit = fitHeadline(giant + kComma + QString::fromUtf8("李四"), false, kaiFace(), box, 29, 12);
  EXPECT_EQ(fit.pixelSize, 29);
  EXPECT_TRUE(fit.lineStarts.empty());
  ASSERT_TRUE(fit.shown.endsWith(kEllipsis));
  EXPECT_TRUE(giant.startsWith(fit.shown.chopped(1)));
  EXPECT_TRUE(fitsIn(fit.shown, ofSize(kaiFace(), 29), box));
  EXPECT_GT(fit.shown.size(), 20);
}

TEST(HeadlineFitting, OnlyTheStartOfALongerPickIsCutInTheSmallestType) {
  const QString start = pick("张三", 3);
  const HeadlineFit fit = fitHeadline(start, true, kaiFace(), QSize(722, 445), 29, 12);
  EXPECT_EQ(fit.pixelSize, 12);
  EXPECT_EQ(fit.shown, start + kEllipsis);
}

TEST(HeadlineFitting, EmptyHeadlineShowsNothing) {
  const HeadlineFit fit = fitHeadline(QString(), false, kaiFace(), QSize(722, 445), 29, 12);
  EXPECT_TRUE(fit.shown.isEmpty());
}

// A larger area never takes a smaller type, for picks of 1 to 999 names.
TEST(HeadlineFitting, TypeGrowsWithTheArea) {
  for (int count : {1, 5, 30, 200, 999}) {
    const QString text = pick("曹子森", count);
    int previous = 0;
    for (QSize box : {QSize(400, 250), QSize(722, 445), QSize(1100, 700), QSize(1686, 1050), QSize(3600, 2000)}) {
      const HeadlineFit fit = fitHeadline(text, false, kaiFace(), box, 120, 12);
      EXPECT_GE(fit.pixelSize, previous) << count << " names in " << box.width() << "x" << box.height();
      previous = fit.pixelSize;
    }
  }
}

}  // namespace
