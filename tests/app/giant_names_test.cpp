// A wrong file picked as the candidate list (a binary, a log) makes names hundreds of
// kilobytes long. The pool list and the headline show only a start of them, cut with "…",
// so the window stays quick; the names in the pool, the headline's text that Stop reads
// and the winners record keep every byte.
#include "helpers.h"

#include "app/poolmodel.h"
#include "app/poolview.h"
#include "widgets/headline.h"

#include <QFontMetrics>
#include <QFontMetricsF>

using namespace apptest;

namespace {

const QChar kEllipsis(0x2026);

// Five names of about 200 KB of GBK each, every one different from its first character.
std::vector<std::string> giantNames() {
  std::vector<std::string> names;
  const char* const heads[] = {"甲", "乙", "丙", "丁", "戊"};
  for (const char* head : heads) {
    std::string name = head;
    while (name.size() < 300000) name += "张三李四王五，赵钱孙李 abc;";
    names.push_back(name);
  }
  return names;
}

// The headline's text lies inside its box as the headline paints it: line by line where
// the fit broke it (after a "，"), or word-wrapped where the fit left that to the label.
bool fitsIn(const Headline& label) {
  const QSize box = label.contentsRect().size();
  const HeadlineFit& fit = label.fit();
  if (fit.lineStarts.empty()) {
    const QRect needed = QFontMetrics(label.font())
                             .boundingRect(QRect(QPoint(0, 0), box), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                                           fit.shown);
    return needed.width() <= box.width() && needed.height() <= box.height();
  }
  const QFontMetricsF m(label.font());
  for (size_t i = 0; i < fit.lineStarts.size(); ++i) {
    const int end = i + 1 < fit.lineStarts.size() ? fit.lineStarts[i + 1] : int(fit.shown.size());
    if (m.horizontalAdvance(fit.shown.mid(fit.lineStarts[i], end - fit.lineStarts[i])) > box.width() + 0.5)
      return false;
  }
  return (qreal(fit.lineStarts.size()) - 1) * m.lineSpacing() + m.height() <= box.height() + 0.5;
}

TEST(GiantNames, ListAndHeadlineShowACutStartWhileTheTextsStayWhole) {
  const std::vector<std::string> names = giantNames();
  DrawFolder folder({.names = names});
  FormRig rig;
  rig.dialogs.answer = FakeDialogs::Answer::No;
  auto form = rig.makeForm();
  form->startUp();
  ASSERT_TRUE(showActive(*form));
  ASSERT_EQ(form->poolCount(), 5);

  // The pool list lays out and draws a few hundred bytes of each entry.
  for (int i = 0; i < 5; ++i) {
    const Text name = A(names[size_t(i)].c_str());
    ASSERT_GT(name.size(), 150000u);
    EXPECT_EQ(form->poolName(i), name);
    const QString shown = form->poolModel().data(form->poolModel().index(i), Qt::DisplayRole).toString();
    EXPECT_LE(shown.size(), qsizetype(PoolModel::kShownBytes) + 1);
    EXPECT_TRUE(shown.endsWith(kEllipsis));
    EXPECT_TRUE(U(names[size_t(i)].c_str()).startsWith(shown.chopped(1)));
    EXPECT_GT(shown.size(), 100);
  }
  EXPECT_LT(form->ListBox1->sizeHintForRow(0), 100);

  // A draw of five: the pool is not larger than the draw size, so all five in pool order.
  releaseKey(*form, Qt::Key_Space);
  fire(form->Timer1);
  fire(form->Timer2);  // the lock-out ends
  releaseKey(*form, Qt::Key_Space);
  ASSERT_FALSE(form->Timer1->isActive());

  Text whole;
  for (const std::string& n : names) whole += (whole.empty() ? Text() : A("，")) + A(n.c_str());
  EXPECT_EQ(form->headline(), whole);  // what Stop read: every byte
  const QString shown = form->StaticText1->text();
  EXPECT_TRUE(shown.endsWith(kEllipsis));
  EXPECT_TRUE(U(names[0].c_str()).startsWith(shown.chopped(1)));
  EXPECT_EQ(form->StaticText1->fit().shown, shown);
  EXPECT_TRUE(fitsIn(*form->StaticText1));
  EXPECT_GT(shown.size(), 50);
  EXPECT_EQ(DrawFolder::read("抽奖名单/获奖记录.txt"), A("[特别大奖]\r\n") + whole + A("\r\n[一等奖]\r\n\r\n"));
  EXPECT_EQ(form->poolCount(), 0);

  // A larger window shows more of the same headline, cut at the new edge.
  form->resize(form->width() + 300, form->height() + 200);
  const QString wider = form->StaticText1->text();
  EXPECT_GT(wider.size(), shown.size());
  EXPECT_TRUE(wider.endsWith(kEllipsis));
  EXPECT_EQ(form->StaticText1->fit().shown, wider);
  EXPECT_TRUE(fitsIn(*form->StaticText1));
  EXPECT_EQ(form->headline(), whole);
  EXPECT_TRUE(rig.dialogs.errors.empty());
}

}  // namespace
