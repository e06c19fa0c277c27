// The window follows its size: docking, anchors and FormResize, the 800-px rule, and the
// place of the first show.
#include "helpers.h"

#include "app/layout.h"
#include "app/poolview.h"
#include "widgets/bevelpanel.h"
#include "widgets/colorkeyimage.h"
#include "widgets/groupbox.h"

#include <QLabel>
#include <QRadioButton>
#include <QStatusBar>

using namespace apptest;

namespace {

bool resizeTo(TForm1& form, QSize client) {
  form.resize(client);
  return QTest::qWaitFor([&] { return form.size() == client && form.Panel18->width() == client.width(); });
}

struct WorkedRow {
  QSize client;
  int groupBox2Left, groupBox2Height;
  int listHeight;
  QSize headline;
  QPoint groupBox1;
  QPoint image;
  int groupBox3Left;
};

class WorkedValues : public ::testing::TestWithParam<WorkedRow> {};

TEST_P(WorkedValues, WindowLaysOutAsTheTableSays) {
  const WorkedRow& row = GetParam();
  FormRig rig;
  auto form = rig.makeForm();
  ASSERT_TRUE(showActive(*form));
  ASSERT_TRUE(resizeTo(*form, row.client));

  EXPECT_EQ(form->Panel8->geometry(), QRect(0, 0, row.client.width(), 46));
  EXPECT_EQ(form->StatusBar1->geometry(), QRect(0, row.client.height() - 22, row.client.width(), 22));
  EXPECT_EQ(form->Panel18->geometry(), QRect(0, 46, row.client.width(), row.client.height() - 68));
  EXPECT_EQ(form->cxGroupBox2->x(), row.groupBox2Left);
  EXPECT_EQ(form->cxGroupBox2->y(), 1);
  EXPECT_EQ(form->cxGroupBox2->width(), 193);
  EXPECT_EQ(form->cxGroupBox2->height(), row.groupBox2Height);
  EXPECT_EQ(form->Panel4->height(), row.listHeight);
  EXPECT_EQ(form->ListBox1->height(), row.listHeight);
  EXPECT_EQ(form->Panel4->pos(), QPoint(11, 29));
  EXPECT_EQ(form->ListBox1->pos(), QPoint(1, 1));
  EXPECT_EQ(form->StaticText1->size(), row.headline);
  EXPECT_EQ(form->StaticText1->pos(), QPoint(9, 17));
  EXPECT_EQ(form->cxGroupBox1->pos(), row.groupBox1);
  EXPECT_EQ(form->cxGroupBox1->size(), QSize(585, 137));
  EXPECT_EQ(form->Image1->pos(), row.image);
  EXPECT_EQ(form->Image1->size(), QSize(593, 489));
  EXPECT_EQ(form->cxGroupBox3->pos(), QPoint(row.groupBox3Left, 0));
}

INSTANTIATE_TEST_SUITE_P(
    Table, WorkedValues,
    ::testing::Values(WorkedRow{{932, 673}, 738, 603, 568, {722, 445}, {68, 455}, {56, 66}, 618},
                      WorkedRow{{1024, 701}, 830, 631, 596, {814, 473}, {104, 483}, {91, 94}, 710}));

TEST(Layout, DesignSizeIsTheFirstLayoutAlready) {
  FormRig rig;
  auto form = rig.makeForm();  // not shown yet: the layout has run once at creation
  EXPECT_EQ(form->size(), QSize(932, 673));
  EXPECT_EQ(form->ListBox1->height(), 568);
  EXPECT_EQ(form->StaticText1->size(), QSize(722, 445));
  EXPECT_EQ(form->cxGroupBox1->y(), 455);
  EXPECT_EQ(form->Image1->y(), 66);
}

TEST(Layout, MaximiseAndRestoreLayOutAgain) {
  FormRig rig;
  auto form = rig.makeForm();
  ASSERT_TRUE(showActive(*form));
  ASSERT_TRUE(resizeTo(*form, {1024, 701}));
  ASSERT_TRUE(resizeTo(*form, {932, 673}));
  EXPECT_EQ(form->cxGroupBox2->geometry(), QRect(738, 1, 193, 603));
  EXPECT_EQ(form->cxGroupBox1->pos(), QPoint(68, 455));
  EXPECT_EQ(form->Image1->pos(), QPoint(56, 66));
  EXPECT_EQ(form->cxGroupBox3->x(), 618);
}

struct DisplayRow {
  int primaryWidth;
  QSize client;
  int imageLeft;
  int groupBox3Left;
};

class PrimaryDisplay : public ::testing::TestWithParam<DisplayRow> {};

// Steps 8 and 9 of FormResize look at the primary display, not at the window.
TEST_P(PrimaryDisplay, EightHundredPixelRule) {
  const DisplayRow& row = GetParam();
  FormRig rig;
  rig.screens.primary = row.primaryWidth;
  auto form = rig.makeForm();
  ASSERT_TRUE(showActive(*form));
  ASSERT_TRUE(resizeTo(*form, row.client));
  EXPECT_EQ(form->Image1->x(), row.imageLeft);
  EXPECT_EQ(form->cxGroupBox3->x(), row.groupBox3Left);
  EXPECT_EQ(form->cxGroupBox3->y(), 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, PrimaryDisplay,
                         ::testing::Values(DisplayRow{800, {932, 673}, 0, 490},
                                           DisplayRow{800, {1200, 760}, 0, 490},
                                           DisplayRow{801, {932, 673}, 56, 618},
                                           DisplayRow{801, {1024, 701}, 91, 710},
                                           DisplayRow{1920, {1024, 701}, 91, 710}));

TEST(Layout, CentresRoundHalvesAwayFromZero) {
  // 352 * 1024 / 932 = 386.75 and 360 * 1024 / 932 = 395.54; an exact half goes up.
  EXPECT_EQ(proportionalCentre(352, 1024, 932), 387);
  EXPECT_EQ(proportionalCentre(360, 1024, 932), 396);
  EXPECT_EQ(proportionalCentre(1, 466, 932), 1);    // 0.5
  EXPECT_EQ(proportionalCentre(1, 465, 932), 0);    // 0.499
  EXPECT_EQ(proportionalCentre(-1, 466, 932), -1);  // -0.5
}

TEST(Layout, TinyWindowGivesNoNegativeExtent) {
  const FormLayout l = layoutFor({100, 50}, 1280);
  for (const QRect& r : {l.Panel8, l.StatusBar1, l.Panel18, l.cxGroupBox2, l.cxGroupBox3, l.Image1,
                         l.cxGroupBox1, l.Panel4, l.ListBox1, l.StaticText1}) {
    EXPECT_GE(r.width(), 0);
    EXPECT_GE(r.height(), 0);
  }
  EXPECT_EQ(l.Panel18.height(), 0);
  EXPECT_EQ(l.ListBox1.height(), 0);
  EXPECT_EQ(l.StaticText1.size(), QSize(0, 0));
}

// Slot 6's radio button lies over cxGroupBox3 at the design width and comes free of it
// from a client width of 1013 px. (Its counter label comes free from 1029 px where "00" is
// 14 px wide; how wide it is depends on the installed face.)
TEST(Layout, SlotSixComesFreeOfTheGroupFrom1013) {
  FormRig rig;
  auto form = rig.makeForm();
  ASSERT_TRUE(showActive(*form));
  auto overlaps = [&](QWidget* w) { return w->geometry().intersects(form->cxGroupBox3->geometry()); };
  ASSERT_TRUE(resizeTo(*form, {932, 673}));
  EXPECT_TRUE(overlaps(form->RadioButton6));
  EXPECT_TRUE(overlaps(form->Label8));
  ASSERT_TRUE(resizeTo(*form, {1012, 673}));
  EXPECT_TRUE(overlaps(form->RadioButton6));
  ASSERT_TRUE(resizeTo(*form, {1013, 673}));
  EXPECT_FALSE(overlaps(form->RadioButton6));
}

struct DesktopRow {
  QRect desktop;
  QPoint expected;
};

class FirstShowPlace : public ::testing::TestWithParam<DesktopRow> {};

TEST_P(FirstShowPlace, CentredOnTheWholeDesktopNeverAboveOrLeftOfIt) {
  FormRig rig;
  rig.screens.all = GetParam().desktop;
  auto form = rig.makeForm();
  EXPECT_EQ(form->firstShowPosition(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Desktops, FirstShowPlace,
    ::testing::Values(DesktopRow{{0, 0, 800, 600}, {0, 0}},        // smaller than 940 x 700
                      DesktopRow{{0, 0, 1920, 1080}, {490, 190}},
                      DesktopRow{{0, 0, 1281, 801}, {170, 50}},    // halves drop the fraction
                      DesktopRow{{0, 0, 3840, 1080}, {1450, 190}},  // two displays side by side
                      // The origin is not added to the centre; the 470 px that this would
                      // put past the desktop's right edge move back onto it.
                      DesktopRow{{-1920, 0, 3840, 1080}, {980, 190}}));

}  // namespace

TEST(Layout, StatusBarsSecondPanelStartsAt555) {
  FormRig rig;
  auto form = rig.makeForm();
  form->show();
  QCoreApplication::processEvents();
  const QList<QLabel*> panels = form->StatusBar1->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
  ASSERT_EQ(panels.size(), 2);
  QLabel* second = panels[0]->x() < panels[1]->x() ? panels[1] : panels[0];
  EXPECT_EQ(second->mapTo(form->StatusBar1, QPoint(0, 0)).x(), 555);
  EXPECT_EQ(second->text(), U("提示：修改设置后，需重新打开软件才能生效。"));
}
