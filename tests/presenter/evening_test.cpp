// The audience's view through an evening's accidents: the rehearsal window closed by its
// close box, the laptop's screen gone from under the view, the next prize chosen or a
// draw corrected after a Stop, the view hidden during a draw, the lock-out after a Stop.
#include "helpers.h"

#include "data/session.h"
#include "data/texts.h"
#include "draw/corrections.h"

#include <QAbstractButton>
#include <QStatusBar>
#include <QTimer>
#include <qpa/qwindowsysteminterface.h>

namespace {

using namespace presentertest;
using apptest::fire;
using apptest::releaseKey;

// A draw of `size` from the operator's window, its lock-outs ended at once.
void drawOf(TForm1& form, int size) {
  form.setDrawSizeValue(size);
  releaseKey(form, Qt::Key_Space);
  ASSERT_EQ(form.buttonCaption(), T().stop);
  fire(form.Timer1);
  fire(form.Timer2);
  releaseKey(form, Qt::Key_Space);
  ASSERT_EQ(form.buttonCaption(), T().start);
  fire(form.Timer2);
}

QAbstractButton* presenterButton(TForm1& form) {
  return form.StatusBar1->findChild<QAbstractButton*>(QStringLiteral("PresenterButton"));
}

TEST_F(TwoScreens, TheRehearsalWindowClosedByItsCloseBoxIsHidden) {
  ASSERT_TRUE(plugScreens({VirtualScreen{"laptop", {0, 0, 1920, 1080}}}));
  startOn(staffNames(10));
  releaseKey(form(), Qt::Key_F5);
  ASSERT_TRUE(presenter().shown());
  QAbstractButton* button = presenterButton(form());
  ASSERT_TRUE(button && button->isChecked());
  releaseKey(form(), Qt::Key_B);
  // The close box, as the window system reports it.
  QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::SynchronousDelivery>(view().windowHandle());
  QApplication::processEvents();
  ASSERT_FALSE(view().isVisible());
  EXPECT_FALSE(button->isChecked()) << "the switch shows the view off";
  EXPECT_FALSE(presenter().findChild<QTimer*>()->isActive()) << "no frames read for a closed view";
  EXPECT_FALSE(view().blackout());
  button->click();
  EXPECT_TRUE(presenter().shown()) << "one click brings it back";
  EXPECT_TRUE(button->isChecked());
}

// The laptop's screen gone (its lid closed) leaves the projector for the operator's window:
// the view does not stay full screen over it.
TEST_F(TwoScreens, TheOperatorsScreenPulledOutTakesTheViewAway) {
  startOn(staffNames(40));
  ASSERT_TRUE(presenter().shown());
  releaseKey(form(), Qt::Key_Space);
  ASSERT_TRUE(plugScreens({kProjector}));
  EXPECT_FALSE(presenter().shown());
  EXPECT_FALSE(presenterButton(form())->isChecked());
  EXPECT_TRUE(form().Timer1->isActive()) << "the draw runs on";
}

// After a Stop the operator chooses the next prize before the host has read the names out:
// the winners stay on the audience's screen under the prize they won and its count, until
// the next draw starts.
TEST_F(TwoScreens, TheWinnersStayUnderThePrizeTheyWon) {
  startOn(staffNames(40));
  drawOf(form(), 3);
  presenter().refresh();
  ASSERT_EQ(view().namesSource(), form().session().winners[0]);
  EXPECT_EQ(view().prize(), QString::fromUtf8("特别大奖"));
  EXPECT_EQ(view().count(), QString::fromUtf8("已抽出 3 人"));
  form().setSlotSelected(2);
  presenter().refresh();
  EXPECT_EQ(view().namesSource(), form().session().winners[0]);
  EXPECT_EQ(view().prize(), QString::fromUtf8("特别大奖"));
  EXPECT_EQ(view().count(), QString::fromUtf8("已抽出 3 人"));
  releaseKey(form(), Qt::Key_Space);  // the next draw
  presenter().refresh();
  EXPECT_TRUE(view().drawing());
  EXPECT_EQ(view().prize(), QString::fromUtf8("一等奖"));
  EXPECT_EQ(view().count(), QString::fromUtf8("已抽出 0 人"));
}

// The corrections on the winners shown: moved, they go under the other prize with its
// count; withdrawn, they leave the view and the count goes back.
TEST_F(TwoScreens, TheViewFollowsACorrectedDraw) {
  startOn(staffNames(40));
  drawOf(form(), 3);
  rig_.dialogs.answer = FakeDialogs::Answer::Yes;
  form().setSlotSelected(1);
  ASSERT_TRUE(MoveLastDraw(form(), form().session(), rig_.dialogs, 2));
  presenter().refresh();
  EXPECT_EQ(view().namesSource(), form().session().winners[1]);
  EXPECT_EQ(view().prize(), QString::fromUtf8("一等奖"));
  EXPECT_EQ(view().count(), QString::fromUtf8("已抽出 3 人"));
  ASSERT_TRUE(UndoLastDraw(form(), form().session(), rig_.dialogs));
  presenter().refresh();
  EXPECT_TRUE(view().namesSource().empty());
  EXPECT_EQ(view().prize(), QString::fromUtf8("一等奖"));
  EXPECT_EQ(view().count(), QString::fromUtf8("已抽出 0 人"));
}

// Hidden during a draw and shown after its Stop: the winners, not the last pick.
TEST_F(TwoScreens, HiddenDuringADrawShownAfterItsStop) {
  startOn(staffNames(40));
  form().setDrawSizeValue(3);
  releaseKey(form(), Qt::Key_Space);
  fire(form().Timer1);
  presenter().refresh();
  releaseKey(form(), Qt::Key_Escape);
  ASSERT_FALSE(presenter().shown());
  fire(form().Timer2);
  releaseKey(form(), Qt::Key_Space);
  ASSERT_EQ(form().buttonCaption(), T().start);
  releaseKey(form(), Qt::Key_F5);
  ASSERT_TRUE(presenter().shown());
  EXPECT_FALSE(view().drawing());
  EXPECT_EQ(view().namesSource(), form().session().winners[0]);
  view().layOutNames();
  EXPECT_EQ(view().namesFit().shown, 3);
}

// The lock-out after a Stop holds for Space and PageDown from either window; the clicker's
// keys work through it.
TEST_F(TwoScreens, TheLockOutAfterAStopFromEitherWindow) {
  startOn(staffNames(40));
  releaseKey(form(), Qt::Key_Space);
  fire(form().Timer2);
  releaseKey(form(), Qt::Key_Space);
  ASSERT_EQ(form().buttonCaption(), T().start);
  ASSERT_TRUE(form().Timer2->isActive());
  QTest::keyRelease(view().windowHandle(), Qt::Key_Space);
  for (QObject* child : view().children())
    if (auto* preview = dynamic_cast<KeyPreview*>(child)) preview->settle();
  EXPECT_EQ(form().buttonCaption(), T().start);
  releaseKey(form(), Qt::Key_PageDown);
  EXPECT_EQ(form().buttonCaption(), T().start);
  releaseKey(form(), Qt::Key_B);
  EXPECT_TRUE(view().blackout());
  releaseKey(form(), Qt::Key_Escape);
  EXPECT_FALSE(presenter().shown());
  releaseKey(form(), Qt::Key_F5);
  EXPECT_TRUE(presenter().shown());
  EXPECT_TRUE(form().Timer2->isActive()) << "the lock-out runs its course";
}

// A projector's input switched or its cable jiggled: the operator's blackout stays, and
// shows on the operator's switch until it is lifted.
TEST_F(TwoScreens, ABlackoutOutlivesTheProjectorsCableDroppingOut) {
  startOn(staffNames(10));
  releaseKey(form(), Qt::Key_B);
  ASSERT_TRUE(view().blackout());
  ASSERT_TRUE(plugScreens({kLaptop}));
  ASSERT_TRUE(plugScreens({kLaptop, kProjector}));
  ASSERT_TRUE(presenter().shown());
  EXPECT_TRUE(view().blackout()) << "the hall sees the screen the operator blacked out";
  auto* button = form().StatusBar1->findChild<QAbstractButton*>(QStringLiteral("PresenterButton"));
  ASSERT_TRUE(button);
  EXPECT_EQ(button->text(), QString::fromUtf8("观众屏幕（黑屏）"));
  releaseKey(form(), Qt::Key_B);
  EXPECT_FALSE(view().blackout());
  EXPECT_EQ(button->text(), QString::fromUtf8("观众屏幕"));
}

// A winner of the draw on screen marked absent leaves the audience's screen; the others stay.
TEST_F(TwoScreens, AWinnerMarkedAbsentLeavesTheAudiencesScreen) {
  startOn(staffNames(40));
  form().setDrawSizeValue(3);
  releaseKey(form(), Qt::Key_Space);
  fire(form().Timer1);
  fire(form().Timer2);
  releaseKey(form(), Qt::Key_Space);
  fire(form().Timer2);
  const Text absent = form().session().lastDraw->names.front();
  rig_.dialogs.answer = FakeDialogs::Answer::Yes;
  ASSERT_TRUE(MarkAbsent(form(), form().session(), rig_.dialogs, {{1, absent}}));
  presenter().refresh();
  EXPECT_EQ(view().count(), QString::fromUtf8("已抽出 2 人"));
  EXPECT_EQ(view().namesSource().find(absent), Text::npos) << "the absentee is still shown as a winner";
  EXPECT_EQ(view().namesSource(), form().session().lastDraw->names[0] + T().separator + form().session().lastDraw->names[1]);
}

// The projector switched to another resolution: the view fills it as it now is.
TEST_F(TwoScreens, TheViewFollowsItsScreensNewResolution) {
  startOn(staffNames(10));
  const VirtualScreen smaller{"projector", {1280, 0, 1024, 768}};
  ASSERT_TRUE(plugScreens({kLaptop, smaller}));
  ASSERT_TRUE(presenter().shown());
  EXPECT_EQ(view().geometry(), smaller.geometry);
  ASSERT_TRUE(memory_.kept);
  EXPECT_EQ(memory_.kept->geometry, smaller.geometry) << "the screen is remembered as it now is";
}

// One screen: the rehearsal window opens beside the operator's window, not over Start.
TEST_F(TwoScreens, TheRehearsalWindowLeavesTheOperatorsWindowFree) {
  ASSERT_TRUE(plugScreens({VirtualScreen{"laptop", {0, 0, 1920, 1080}}}));
  startOn(staffNames(10));
  releaseKey(form(), Qt::Key_F5);
  ASSERT_TRUE(presenter().shown());
  EXPECT_FALSE(view().frameGeometry().intersects(form().frameGeometry()));
}

}  // namespace
