// The stage grows with the window: at the design size (and a little over it) nothing
// moves; on a larger window the picture (its proportions kept), the headline's type and
// the buttons under it grow with the stage, inside the window and clear of each other and
// of the pool. Prize names are not cut while the prize bar has room for them.
#include "helpers.h"

#include "app/design.h"
#include "app/layout.h"
#include "widgets/colorkeyimage.h"
#include "widgets/flatbutton.h"

#include <QRadioButton>
#include <QStyle>

using namespace apptest;

namespace {

bool resizeTo(TForm1& form, QSize client) {
  form.resize(client);
  return QTest::qWaitFor([&] { return form.size() == client && form.Panel18->width() == client.width(); });
}

// A widget's box in the stage's (Panel18's) coordinates.
QRect onStage(TForm1& form, QWidget* w) { return QRect(w->mapTo(form.Panel18, QPoint(0, 0)), w->size()); }

const QSize kSizes[] = {{932, 673},   {1024, 701},  {1024, 768},  {1280, 800},  {1600, 900},
                        {1920, 1017}, {1920, 1080}, {2560, 1440}, {3840, 2160}};

class Stage : public ::testing::TestWithParam<QSize> {};

TEST_P(Stage, ControlsStayInsideAndApartAndThePictureKeepsItsShape) {
  FormRig rig;
  auto form = rig.makeForm();
  ASSERT_TRUE(showActive(*form));
  ASSERT_TRUE(resizeTo(*form, GetParam()));
  TForm1& f = *form;
  const QRect stage(QPoint(0, 0), f.Panel18->size());
  const QRect pool = f.cxGroupBox2->geometry();
  QWidget* const buttons[] = {f.Button1, f.FlatButton1, f.FlatButton2, f.FlatButton3};

  for (QWidget* w : {static_cast<QWidget*>(f.Image1), static_cast<QWidget*>(f.StaticText1),
                     static_cast<QWidget*>(f.cxGroupBox1), static_cast<QWidget*>(f.cxGroupBox2)})
    EXPECT_TRUE(stage.contains(w->geometry())) << w->objectName().toStdString();
  for (QWidget* w : buttons) {
    EXPECT_TRUE(stage.contains(onStage(f, w))) << w->objectName().toStdString();
    EXPECT_FALSE(onStage(f, w).intersects(pool)) << w->objectName().toStdString();
    for (QWidget* other : buttons)
      if (other != w) EXPECT_FALSE(w->geometry().intersects(other->geometry())) << w->objectName().toStdString();
  }
  EXPECT_FALSE(f.Image1->geometry().intersects(pool));
  EXPECT_FALSE(f.StaticText1->geometry().intersects(pool));
  EXPECT_FALSE(f.cxGroupBox1->geometry().intersects(pool));
  // The buttons lie under the headline's lines, as in the design.
  EXPECT_GT(onStage(f, f.Button1).top(), f.StaticText1->geometry().top());

  // The picture's box keeps the design's 593 x 489 to within a pixel of rounding.
  const QSize image = f.Image1->size();
  EXPECT_NEAR(double(image.width()) / image.height(), 593.0 / 489.0, 2.0 / 489.0);
  EXPECT_NEAR(f.Image1->scale(), double(image.width()) / 593.0, 1.0 / 593.0);
}

INSTANTIATE_TEST_SUITE_P(Windows, Stage, ::testing::ValuesIn(kSizes),
                         [](const auto& info) {
                           return std::to_string(info.param.width()) + "x" + std::to_string(info.param.height());
                         });

// Growing the window never makes anything on the stage smaller, and full screen is the
// design at the window's scale.
TEST(Stage, GrowsWithTheWindowAndNeverShrinks) {
  FormRig rig;
  auto form = rig.makeForm();
  ASSERT_TRUE(showActive(*form));
  int imageWidth = 0, startPx = 0, cancelPx = 0, headlineTop = 0;
  for (QSize size : kSizes) {
    ASSERT_TRUE(resizeTo(*form, size));
    EXPECT_GE(form->Image1->width(), imageWidth) << size.width();
    EXPECT_GE(form->Button1->font().pixelSize(), startPx) << size.width();
    EXPECT_GE(form->FlatButton1->font().pixelSize(), cancelPx) << size.width();
    EXPECT_GE(form->StaticText1->y(), headlineTop) << size.width();
    imageWidth = form->Image1->width();
    startPx = form->Button1->font().pixelSize();
    cancelPx = form->FlatButton1->font().pixelSize();
    headlineTop = form->StaticText1->y();
  }
  ASSERT_TRUE(resizeTo(*form, {932, 673}));
  EXPECT_EQ(form->Button1->font().pixelSize(), 56);
  EXPECT_EQ(form->Button1->geometry(), QRect(64, 62, 241, 75));
  EXPECT_EQ(form->StaticText1->font().pixelSize(), 29);

  // Full screen at 1920 x 1080: 1080 / 673 of the design.
  ASSERT_TRUE(resizeTo(*form, {1920, 1080}));
  const double k = 1080.0 / 673.0;
  EXPECT_EQ(form->Image1->size(), QSize(scaledPixels(593, k), scaledPixels(489, k)));
  EXPECT_EQ(form->Button1->font().pixelSize(), scaledPixels(56, k));
  EXPECT_EQ(form->Button1->size(), QSize(scaledPixels(241, k), scaledPixels(75, k)));
  EXPECT_EQ(form->StaticText1->font().pixelSize(), scaledPixels(29, k));  // the title fits
}

TEST(StageScale, OneNearTheDesignThenTheWindowsOwnRatioWithoutAJump) {
  EXPECT_EQ(stageScale({932, 673}), 1.0);
  EXPECT_EQ(stageScale({1024, 701}), 1.0);
  EXPECT_EQ(stageScale({600, 400}), 1.0);
  EXPECT_DOUBLE_EQ(stageScale({1920, 1080}), 1080.0 / 673.0);
  EXPECT_DOUBLE_EQ(stageScale({3840, 2160}), 2160.0 / 673.0);
  double previous = 1.0;
  for (int h = 673; h <= 1400; ++h) {
    const double k = stageScale({4000, h});
    EXPECT_GE(k, previous) << h;
    EXPECT_LE(k - previous, 0.01) << h;  // no jump while the frame is dragged
    previous = k;
  }
}

// A sponsor's prize name is shown whole once the bar has room for it; the slots after it
// move along and nothing in the bar overlaps.
class PrizeNames : public ::testing::TestWithParam<QSize> {};

TEST_P(PrizeNames, LongPrizeNamesAreNotCutWhileThereIsRoom) {
  DrawFolder folder({.names = {"张三", "李四"},
                     .prizeCount = "3",
                     .prizes = {"特等奖 MacBook Pro", "一等奖 iPad Air", "二等奖"}});
  FormRig rig;
  rig.dialogs.answer = FakeDialogs::Answer::No;
  auto form = rig.makeForm();
  form->startUp();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  ASSERT_TRUE(resizeTo(*form, GetParam()));
  QRect previous;
  for (int k = 1; k <= 3; ++k) {
    QRadioButton* button = form->findChild<QRadioButton*>(QStringLiteral("RadioButton%1").arg(k));
    QLabel* counter = form->findChild<QLabel*>(QString::fromLatin1(design::prizeSlots()[size_t(k - 1)].counter));
    ASSERT_TRUE(button && counter);
    const QStyle* style = button->style();
    const int needed = style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, button) +
                       style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, button) +
                       button->fontMetrics().horizontalAdvance(button->text());
    EXPECT_GE(button->width(), needed) << k;
    EXPECT_GE(counter->x(), button->geometry().right()) << k;
    EXPECT_FALSE(button->geometry().intersects(previous)) << k;
    EXPECT_FALSE(counter->geometry().intersects(form->cxGroupBox3->geometry())) << k;
    previous = counter->geometry();
  }
}

INSTANTIATE_TEST_SUITE_P(Windows, PrizeNames, ::testing::Values(QSize(932, 673), QSize(1920, 1080)),
                         [](const auto& info) {
                           return std::to_string(info.param.width()) + "x" + std::to_string(info.param.height());
                         });

}  // namespace
