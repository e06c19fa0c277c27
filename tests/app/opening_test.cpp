// The window opens inside what the displays leave to windows: centred on the desktop as
// the design has it (on the primary display when there are several), and moved or made smaller where that would put a part of it off
// screen (a display scaled to 200 %, a task bar, a display left of the primary one).
#include "helpers.h"

#include "app/layout.h"
#include "widgets/flatbutton.h"
#include "widgets/groupbox.h"
#include "widgets/numberedit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStatusBar>

using namespace apptest;

namespace {

struct OpeningRow {
  const char* name;
  QRect desktop;
  std::vector<QRect> areas;
  QRect frame;
};
void PrintTo(const OpeningRow& row, std::ostream* os) { *os << row.name; }

class Opening : public ::testing::TestWithParam<OpeningRow> {};

TEST_P(Opening, FrameLiesWithinTheDisplaysFreeAreas) {
  const OpeningRow& row = GetParam();
  const QRect frame = openingFrame(row.desktop, row.areas, QSize(940, 700));
  EXPECT_EQ(frame, row.frame);
  QRegion free;
  for (const QRect& a : row.areas) free += a;
  EXPECT_TRUE(QRegion(frame).subtracted(free).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Displays, Opening,
    ::testing::Values(
        OpeningRow{"FullHdCentred", {0, 0, 1920, 1080}, {{0, 0, 1920, 1040}}, {490, 190, 940, 700}},
        // 1920 x 1080 at 200 %: 960 x 540 for windows; the design's 700 px would hide Start.
        OpeningRow{"Scaled200", {0, 0, 960, 540}, {{0, 0, 960, 540}}, {10, 0, 940, 540}},
        OpeningRow{"Scaled150WithTaskBar", {0, 0, 1280, 720}, {{0, 0, 1280, 688}}, {170, 0, 940, 688}},
        // Centred, the frame would end 6 px under the task bar: moved up by as much.
        OpeningRow{"TaskBarBelow", {0, 0, 1366, 768}, {{0, 0, 1366, 728}}, {213, 28, 940, 700}},
        OpeningRow{"TaskBarOnTheLeft", {0, 0, 1024, 768}, {{100, 0, 924, 768}}, {100, 34, 924, 700}},
        OpeningRow{"SmallerThanTheWindow", {0, 0, 800, 600}, {{0, 0, 800, 600}}, {0, 0, 800, 600}},
        // Two displays side by side (a projector extending the laptop): centred on the
        // primary one, never across the boundary with half the window on the audience's screen.
        OpeningRow{"TwoDisplaysSideBySide", {0, 0, 3840, 1080}, {{0, 0, 1920, 1040}, {1920, 0, 1920, 1040}},
                   {490, 170, 940, 700}},
        // A display left of the primary one: still centred on the primary display.
        OpeningRow{"DisplayLeftOfThePrimary", {-1920, 0, 3840, 1080}, {{0, 0, 1920, 1080}, {-1920, 0, 1920, 1080}},
                   {490, 190, 940, 700}},
        // A primary display that is the smaller one, second display above it.
        OpeningRow{"SecondDisplayAbove", {0, -1080, 1920, 1848}, {{0, 0, 1366, 728}, {0, -1080, 1920, 1080}},
                   {213, 14, 940, 700}},
        // No display holds any of it: the primary display takes it.
        OpeningRow{"NothingHoldsIt", {0, 0, 3000, 2000}, {{0, 0, 400, 300}, {2900, 1900, 100, 100}},
                   {0, 0, 400, 300}}),
    [](const auto& info) { return std::string(info.param.name); });

// The window itself at its first show on a 200 % display of 1920 x 1080: every control is
// on screen, Start and the status bar included.
TEST(OpeningWindow, ScaledDisplayShowsStartAndTheStatusBar) {
  DrawFolder folder({.names = {"张三", "李四"}});
  FormRig rig;
  rig.screens.primary = 960;
  rig.screens.all = {0, 0, 960, 540};
  rig.dialogs.answer = FakeDialogs::Answer::No;
  auto form = rig.makeForm();
  ASSERT_TRUE(form->startUp());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  EXPECT_EQ(form->pos(), QPoint(10, 0));
  EXPECT_EQ(form->size(), QSize(932, 513));  // 540 less the design's frame of 27 px
  const QRect client = form->rect();
  for (QWidget* w : {static_cast<QWidget*>(form->Button1), static_cast<QWidget*>(form->FlatButton1),
                     static_cast<QWidget*>(form->FlatButton3), static_cast<QWidget*>(form->StatusBar1)}) {
    const QRect onForm(w->mapTo(form.get(), QPoint(0, 0)), w->size());
    EXPECT_TRUE(client.contains(onForm)) << w->objectName().toStdString();
  }
}

// The same on the displays that Qt reports: ctest runs this test again on the offscreen
// platform configured with the displays of tests/app/screens/*.json. Every control that
// the operator clicks lies within a display's free area.
TEST(OpeningOnScreens, EveryButtonIsOnADisplay) {
  DrawFolder folder({.names = {"张三", "李四"}});
  FormRig rig;
  rig.dialogs.answer = FakeDialogs::Answer::No;
  TForm1 form({rig.dialogs, rig.sound, rig.launcher, rig.clock, platform::systemScreens(), rig.exeDir});
  ASSERT_TRUE(form.startUp());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QRegion free;
  for (const QScreen* s : QGuiApplication::screens()) free += s->availableGeometry();
  EXPECT_TRUE(QRegion(form.frameGeometry()).subtracted(free).isEmpty())
      << "frame " << form.frameGeometry().x() << "," << form.frameGeometry().y() << " "
      << form.frameGeometry().width() << "x" << form.frameGeometry().height();
  for (QWidget* w : {static_cast<QWidget*>(form.Button1), static_cast<QWidget*>(form.FlatButton1),
                     static_cast<QWidget*>(form.FlatButton2), static_cast<QWidget*>(form.FlatButton3),
                     static_cast<QWidget*>(form.SpinEdit1), static_cast<QWidget*>(form.StatusBar1)}) {
    const QRect global(w->mapToGlobal(QPoint(0, 0)), w->size());
    EXPECT_TRUE(QRegion(global).subtracted(free).isEmpty()) << w->objectName().toStdString();
  }
  // Several displays: the window is wholly on the primary one, whatever lies beside it.
  EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(form.frameGeometry()));
}

}  // namespace
