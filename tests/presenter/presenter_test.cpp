// The audience's view on a second screen: where it goes, when it comes and goes, what it
// shows of a draw, and the keys from either window.
#include "helpers.h"

#include "data/texts.h"

#include <QAbstractButton>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

namespace {

using namespace presentertest;
using apptest::fire;
using apptest::releaseKey;
using testkit::A;

// Starts a draw from the operator's window and lets its first frames reach the screen.
void startDraw(TForm1& form) {
  releaseKey(form, Qt::Key_Space);
  ASSERT_EQ(form.buttonCaption(), T().stop);
  fire(form.Timer1);
  QApplication::processEvents();
}
// Ends the lock-out at once and stops the draw from the operator's window.
void stopDraw(TForm1& form) {
  fire(form.Timer2);
  releaseKey(form, Qt::Key_Space);
  ASSERT_EQ(form.buttonCaption(), T().start);
}

// A key released while the view has the keyboard.
void releaseOnView(PresenterView& view, TForm1& form, Qt::Key key) {
  QTest::keyRelease(view.windowHandle(), key);
  apptest::settleKeys(form);
  for (QObject* child : view.children())
    if (auto* preview = dynamic_cast<KeyPreview*>(child)) preview->settle();
}

TEST_F(TwoScreens, TheViewComesUpFullScreenOnTheScreenWithoutTheOperator) {
  startOn(staffNames(40));
  ASSERT_TRUE(presenter().shown());
  EXPECT_EQ(form().screen(), screenNamed(kLaptop.name));
  EXPECT_EQ(view().screen(), screenNamed(kProjector.name));
  EXPECT_EQ(view().geometry(), kProjector.geometry);
  EXPECT_TRUE(view().windowState() & Qt::WindowFullScreen);
  EXPECT_TRUE(view().windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(view().findChildren<QWidget*>().isEmpty()) << "the audience's view has no controls";
  // Closing the operator's window ends the program, the view open or not.
  EXPECT_FALSE(view().testAttribute(Qt::WA_QuitOnClose));
  // The screen is kept for the next evening.
  ASSERT_TRUE(memory_.kept);
  EXPECT_EQ(memory_.kept->name, QString::fromLatin1(kProjector.name));
  EXPECT_EQ(memory_.kept->geometry, kProjector.geometry);
  // The operator's switch shows that it is on.
  auto* button = form().StatusBar1->findChild<QAbstractButton*>(QStringLiteral("PresenterButton"));
  ASSERT_TRUE(button);
  EXPECT_EQ(button->text(), QString::fromUtf8("观众屏幕"));
  EXPECT_TRUE(button->isChecked());
}

TEST_F(TwoScreens, TheRememberedScreenWhenItIsThere) {
  ASSERT_TRUE(plugScreens({kLaptop, kProjector, kWall}));
  startOn(staffNames(10), ScreenId{QString::fromLatin1(kWall.name), kWall.geometry});
  ASSERT_TRUE(presenter().shown());
  EXPECT_EQ(view().screen(), screenNamed(kWall.name));
  EXPECT_EQ(view().geometry(), kWall.geometry);
}

TEST_F(TwoScreens, ADrawOnTheViewThePickThenTheWinners) {
  startOn(staffNames(200));
  form().setDrawSizeValue(30);
  startDraw(form());
  presenter().refresh();
  view().layOutNames();
  EXPECT_EQ(view().namesFit().shown, 30);
  EXPECT_FALSE(view().namesFit().cut);
  EXPECT_TRUE(view().drawing());
  EXPECT_EQ(view().namesSource(), form().headline()) << "the pick on the operator's screen";

  stopDraw(form());
  presenter().refresh();
  view().layOutNames();
  EXPECT_FALSE(view().drawing());
  EXPECT_EQ(view().namesSource(), form().session().winners[0]) << "the winners of that draw";
  EXPECT_EQ(view().namesFit().shown, 30);
  EXPECT_GE(view().namesFit().size, 40) << "30 names fill a 1920 x 1080 screen in large type";
}

// Picks made between two frames of the view are not laid out or painted: one layout for the
// frame, whatever the number of picks before it.
TEST_F(TwoScreens, PicksBetweenFramesCostNothingOnTheView) {
  startOn(staffNames(2000));
  form().setDrawSizeValue(999);
  startDraw(form());
  presenter().refresh();
  view().repaint();
  const int before = view().namesLayouts();
  for (int i = 0; i < 20; ++i) fire(form().Timer1);
  EXPECT_EQ(view().namesLayouts(), before) << "nothing happens on the view per pick";
  presenter().refresh();
  view().repaint();
  EXPECT_EQ(view().namesLayouts(), before + 1);
  // After Stop the winners are laid out once, however often the view is painted and read.
  // (The view's own frame timer may have shown one more pick while the Stop was made.)
  stopDraw(form());
  presenter().refresh();
  view().repaint();
  const int afterStop = view().namesLayouts();
  EXPECT_GE(afterStop, before + 2);
  EXPECT_LE(afterStop, before + 3);
  presenter().refresh();
  view().repaint();
  view().repaint();
  EXPECT_EQ(view().namesLayouts(), afterStop);
  EXPECT_EQ(view().namesFit().shown, 999);
  EXPECT_FALSE(view().namesFit().cut);
}

// A running draw's pick stays on the view for two frames of its screen; the first pick and
// the winners at Stop come at the next frame.
TEST_F(TwoScreens, ARunningPickStaysUpForTwoFramesAndTheWinnersComeAtTheNext) {
  startOn(staffNames(200));
  auto* frames = presenter().findChild<QTimer*>();
  ASSERT_TRUE(frames);
  frames->stop();  // the frames are the test's own
  form().setDrawSizeValue(3);
  startDraw(form());
  presenter().frame();
  EXPECT_TRUE(view().drawing()) << "the first pick at the next frame";
  EXPECT_EQ(view().namesSource(), form().headline());
  for (int frame = 0; frame < 6; ++frame) {
    fire(form().Timer1);  // a new pick on the operator's screen
    ASSERT_NE(view().namesSource(), form().headline()) << "frame " << frame;
    const Text before = view().namesSource();
    presenter().frame();
    if (frame % 2 == 0)
      EXPECT_EQ(view().namesSource(), before) << "frame " << frame << ": the last pick stays up";
    else
      EXPECT_EQ(view().namesSource(), form().headline()) << "frame " << frame << ": the new pick";
  }
  stopDraw(form());  // where a running pick would stay up for one more frame
  presenter().frame();
  EXPECT_FALSE(view().drawing());
  EXPECT_EQ(view().namesSource(), form().session().winners[0]) << "the winners at once";
}

TEST_F(TwoScreens, TheProjectorPulledOutDuringADrawTakesTheViewAwayAndTheDrawGoesOn) {
  startOn(staffNames(50));
  startDraw(form());
  ASSERT_TRUE(plugScreens({kLaptop}));
  EXPECT_FALSE(presenter().shown());
  EXPECT_EQ(form().buttonCaption(), T().stop);
  EXPECT_TRUE(form().Timer1->isActive()) << "the draw runs on";
  stopDraw(form());
  EXPECT_EQ(apptest::splitNames(form().session().winners[0]).size(), 5u);
}

TEST_F(TwoScreens, AProjectorPluggedInDuringADrawBringsTheViewUp) {
  ASSERT_TRUE(plugScreens({kLaptop}));
  startOn(staffNames(50));
  EXPECT_FALSE(presenter().shown()) << "one screen: nothing changes";
  startDraw(form());
  ASSERT_TRUE(plugScreens({kLaptop, kWall}));
  ASSERT_TRUE(presenter().shown());
  EXPECT_EQ(view().screen(), screenNamed(kWall.name));
  EXPECT_EQ(view().geometry(), kWall.geometry);
  EXPECT_TRUE(form().Timer1->isActive());
  presenter().refresh();
  view().layOutNames();
  EXPECT_EQ(view().namesFit().shown, 5) << "the running draw's pick shows at once";
  stopDraw(form());
}

TEST_F(TwoScreens, OneScreenTheViewOpensOnlyWhenAskedAsANormalWindow) {
  ASSERT_TRUE(plugScreens({kLaptop}));
  startOn(staffNames(10));
  EXPECT_FALSE(presenter().shown());
  releaseKey(form(), Qt::Key_F5);
  ASSERT_TRUE(presenter().shown());
  EXPECT_FALSE(view().windowState() & Qt::WindowFullScreen);
  EXPECT_FALSE(view().windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(view().screen(), screenNamed(kLaptop.name));
  EXPECT_FALSE(memory_.kept) << "a rehearsal window is no screen to remember";
  releaseKey(form(), Qt::Key_Escape);
  EXPECT_FALSE(presenter().shown());
}

// The clicker's keys from the operator's window: Escape hides the view, F5 brings it back,
// B and "." black it out and back.
TEST_F(TwoScreens, TheClickersKeysFromTheOperatorsWindow) {
  startOn(staffNames(10));
  ASSERT_TRUE(presenter().shown());
  releaseKey(form(), Qt::Key_B);
  EXPECT_TRUE(view().blackout());
  const QImage black = shot();
  EXPECT_EQ(black.pixelColor(black.width() / 2, black.height() / 2), QColor(Qt::black));
  releaseKey(form(), Qt::Key_Period);
  EXPECT_FALSE(view().blackout());
  releaseKey(form(), Qt::Key_Escape);
  EXPECT_FALSE(presenter().shown());
  releaseKey(form(), Qt::Key_B);
  EXPECT_FALSE(view().blackout()) << "a hidden view is not blacked out";
  releaseKey(form(), Qt::Key_F5);
  EXPECT_TRUE(presenter().shown());
  EXPECT_EQ(view().screen(), screenNamed(kProjector.name));
  EXPECT_EQ(form().buttonCaption(), T().start) << "none of them starts a draw";
}

// Keys on the view act as in the operator's window: Space starts and stops, not during the
// lock-out; PageDown not while the page-key lock is on; and the clicker's keys.
TEST_F(TwoScreens, KeysOnTheViewActAsInTheOperatorsWindow) {
  startOn(staffNames(20));
  ASSERT_TRUE(presenter().shown());
  releaseOnView(view(), form(), Qt::Key_Space);
  ASSERT_EQ(form().buttonCaption(), T().stop) << "Space on the view starts a draw";
  releaseOnView(view(), form(), Qt::Key_Space);
  EXPECT_EQ(form().buttonCaption(), T().stop) << "the lock-out holds for the view's keys too";
  fire(form().Timer2);
  releaseOnView(view(), form(), Qt::Key_PageDown);
  EXPECT_EQ(form().buttonCaption(), T().start) << "PageDown on the view stops it";
  fire(form().Timer2);
  form().cycle().Label13Click();  // the page-key lock on
  releaseOnView(view(), form(), Qt::Key_PageDown);
  EXPECT_EQ(form().buttonCaption(), T().start);
  releaseOnView(view(), form(), Qt::Key_B);
  EXPECT_TRUE(view().blackout());
  releaseOnView(view(), form(), Qt::Key_B);
  EXPECT_FALSE(view().blackout());
  releaseOnView(view(), form(), Qt::Key_Escape);
  EXPECT_FALSE(presenter().shown());
}

TEST_F(TwoScreens, TheOperatorsButtonHidesAndShowsTheView) {
  startOn(staffNames(10));
  auto* button = form().StatusBar1->findChild<QAbstractButton*>(QStringLiteral("PresenterButton"));
  ASSERT_TRUE(button);
  button->click();
  EXPECT_FALSE(presenter().shown());
  EXPECT_FALSE(button->isChecked());
  button->click();
  EXPECT_TRUE(presenter().shown());
  EXPECT_TRUE(button->isChecked());
  EXPECT_EQ(button->focusPolicy(), Qt::NoFocus) << "Space goes on reaching the window";
}

}  // namespace
