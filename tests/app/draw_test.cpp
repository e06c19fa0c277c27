// Whole draws on the real window, driven as an operator drives them: keys released on the
// keyboard, clicks with the mouse; the timers' ticks are delivered without waiting.
#include "helpers.h"

#include "app/poolmodel.h"
#include "data/texts.h"
#include "widgets/bevelpanel.h"
#include "widgets/flatbutton.h"
#include "widgets/flatpanel.h"
#include "widgets/numberedit.h"

#include <QLabel>
#include <QRadioButton>

using namespace apptest;

namespace {

class Draw : public StartedWindow {
 protected:
  void SetUp() override { startOn({"张三", "李四", "王五", "赵六", "钱七", "孙八", "周九", "吴十"}); }

  // Empties the draw-size field as an operator does: into the field, Home, Delete.
  void emptyDrawSize() {
    QTest::mouseClick(form_->SpinEdit1, Qt::LeftButton, {}, QPoint(8, 11));
    pressKey(*form_, Qt::Key_Home);
    pressKey(*form_, Qt::Key_Delete);
  }
  bool running() const { return form_->Timer1->isActive(); }
  std::vector<int> selectedRows() const { return apptest::selectedRows(*form_); }
};

TEST_F(Draw, WholeDrawByKeyboard) {
  ASSERT_EQ(form().Label13->text(), U("抽奖名单[8]人"));
  ASSERT_EQ(QApplication::focusWidget(), form().RadioButton1);
  const Text freshRecord = DrawFolder::read("抽奖名单/获奖记录.txt");
  ASSERT_EQ(freshRecord, A("[特别大奖]\r\n\r\n[一等奖]\r\n\r\n"));

  releaseKey(form(), Qt::Key_Space);  // Start
  EXPECT_EQ(form().Button1->text(), U("停止"));
  EXPECT_TRUE(form().Timer1->isActive());
  EXPECT_TRUE(form().Timer2->isActive());
  EXPECT_FALSE(form().Button1->isEnabled());
  EXPECT_FALSE(form().Panel8->isEnabled());
  EXPECT_EQ(form().focusWidget(), &form());  // the window itself holds the focus
  ASSERT_EQ(rig_.sound.played, std::vector<Text>{rig_.exeDir + "drum.wav"});
  form().Timer1->setInterval(3600 * 1000);  // from here on, only the picks the test fires

  releaseKey(form(), Qt::Key_Space);  // during the lock-out: nothing
  EXPECT_EQ(form().Button1->text(), U("停止"));
  EXPECT_TRUE(running());
  EXPECT_EQ(rig_.sound.played.size(), 1u);

  for (int i = 0; i < 5; ++i) fire(form().Timer1);
  const QStringList shown = headlineOnScreen(form(), 5).split(U("，"));
  EXPECT_EQ(shown.size(), 5);
  EXPECT_EQ(selectedRows().size(), 5u);

  fire(form().Timer2);  // the lock-out ends
  EXPECT_TRUE(form().Button1->isEnabled());
  EXPECT_FALSE(form().Timer2->isActive());

  const Text headline = form().headline();
  releaseKey(form(), Qt::Key_Space);  // Stop
  EXPECT_EQ(form().Button1->text(), U("开始"));
  EXPECT_FALSE(running());
  EXPECT_TRUE(form().Timer2->isActive());
  EXPECT_EQ(rig_.sound.played.back(), rig_.exeDir + "gong.wav");
  EXPECT_EQ(form().Label1->text(), U("5"));
  EXPECT_EQ(form().Label13->text(), U("抽奖名单[3]人"));
  EXPECT_EQ(form().poolCount(), 3);
  EXPECT_TRUE(form().Panel8->isEnabled());
  EXPECT_EQ(DrawFolder::read("抽奖名单/获奖记录.txt"),
            A("[特别大奖]\r\n") + headline + "\r\n" + A("[一等奖]\r\n\r\n"));
  // The winners have left the pool.
  for (int i = 0; i < form().poolCount(); ++i)
    EXPECT_EQ(headline.find(form().poolName(i)), Text::npos);

  fire(form().Timer2);
  EXPECT_TRUE(form().Button1->isEnabled());
  EXPECT_TRUE(rig_.dialogs.errors.empty());
}

TEST_F(Draw, MouseStartThenSpaceStops) {
  QTest::mouseClick(form().Button1, Qt::LeftButton);
  ASSERT_TRUE(running());
  // Button1 took the focus when pressed; the focus step and the disabled prize bar have
  // handed it on to the window, so Space reaches the key preview again.
  EXPECT_EQ(form().focusWidget(), &form());
  fire(form().Timer1);
  fire(form().Timer2);
  releaseKey(form(), Qt::Key_Space);
  EXPECT_FALSE(running());
  EXPECT_EQ(form().Button1->text(), U("开始"));
  EXPECT_EQ(form().poolCount(), 3);
}

TEST_F(Draw, MouseStopHandsTheFocusToTheWindow) {
  releaseKey(form(), Qt::Key_Space);
  fire(form().Timer1);
  fire(form().Timer2);
  QTest::mouseClick(form().Button1, Qt::LeftButton);  // Stop
  ASSERT_FALSE(running());
  EXPECT_EQ(form().focusWidget(), &form());
  fire(form().Timer2);
  releaseKey(form(), Qt::Key_Space);  // the next draw starts by keyboard
  EXPECT_TRUE(running());
}

TEST_F(Draw, SpaceOnFocusedFlatButtonClicksItAndStartsNothing) {
  form().FlatButton2->setFocus();
  releaseKey(form(), Qt::Key_Space);
  EXPECT_EQ(rig_.launcher.opened.size(), 1u);
  EXPECT_FALSE(running());
  EXPECT_EQ(form().Button1->text(), U("开始"));
}

TEST_F(Draw, FlatButtonClickedDuringADrawLeavesTheFocusWithTheWindow) {
  releaseKey(form(), Qt::Key_Space);
  fire(form().Timer2);
  QTest::mouseClick(form().FlatButton2, Qt::LeftButton);
  ASSERT_EQ(rig_.launcher.opened.size(), 1u);
  EXPECT_EQ(form().focusWidget(), &form());
  releaseKey(form(), Qt::Key_PageDown);  // stops the draw, opens nothing
  EXPECT_EQ(rig_.launcher.opened.size(), 1u);
  EXPECT_FALSE(running());
}

TEST_F(Draw, AutoRepeatReleasesDoNotCount) {
  QWidget* target = form().focusWidget();
  for (int i = 0; i < 3; ++i) {
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, U(" "), /*autorep=*/true);
    QApplication::sendEvent(target, &release);
  }
  EXPECT_FALSE(running());
  releaseKey(form(), Qt::Key_Space);  // the real release, when the key is let go
  EXPECT_TRUE(running());
}

TEST_F(Draw, PageKeyLockFromThePoolCaption) {
  releaseKey(form(), Qt::Key_PageDown);
  ASSERT_TRUE(running());
  QTest::mouseClick(form().FlatButton1, Qt::LeftButton);  // Cancel
  ASSERT_FALSE(running());

  const QColor face = form().Label13->fillColor();
  QTest::mouseClick(form().Label13, Qt::LeftButton, {}, QPoint(20, 10));
  EXPECT_EQ(form().Label13->toolTip(), U("禁止用翻页键抽奖！"));
  EXPECT_NE(form().Label13->fillColor(), face) << "the lock shows on the window itself";
  releaseKey(form(), Qt::Key_PageDown);
  EXPECT_FALSE(running());
  releaseKey(form(), Qt::Key_Space, Qt::ShiftModifier);  // Shift+Space acts like Space
  EXPECT_TRUE(running());
  QTest::mouseClick(form().FlatButton1, Qt::LeftButton);

  QTest::mouseClick(form().Label13, Qt::LeftButton, {}, QPoint(20, 10));
  EXPECT_EQ(form().Label13->toolTip(), U("可以用翻页键抽奖！"));
  EXPECT_EQ(form().Label13->fillColor(), face);
  releaseKey(form(), Qt::Key_PageDown);
  EXPECT_TRUE(running());
}

TEST_F(Draw, CancelRecordsNothingAndTheNextSpaceStartsAgain) {
  releaseKey(form(), Qt::Key_Space);
  fire(form().Timer1);
  const std::vector<int> picked = selectedRows();
  ASSERT_EQ(picked.size(), 5u);
  QTest::mouseClick(form().FlatButton1, Qt::LeftButton);
  EXPECT_FALSE(running());
  EXPECT_FALSE(form().Timer2->isActive());
  EXPECT_EQ(form().StaticText1->text(), QString());
  EXPECT_EQ(form().Button1->text(), U("开始"));
  EXPECT_TRUE(form().Button1->isEnabled());
  EXPECT_EQ(form().poolCount(), 8);
  EXPECT_EQ(selectedRows(), picked);  // the last pick stays selected
  EXPECT_EQ(form().Label1->text(), U("00"));
  EXPECT_EQ(form().focusWidget(), form().SpinEdit1);
  releaseKey(form(), Qt::Key_Space);  // reaches the key preview, not Cancel
  EXPECT_TRUE(running());
}

TEST_F(Draw, PrizeChosenByItsRadioButton) {
  QTest::mouseClick(form().RadioButton2, Qt::LeftButton, {}, QPoint(10, 12));
  ASSERT_TRUE(form().RadioButton2->isChecked());
  releaseKey(form(), Qt::Key_Space);
  form().Timer1->setInterval(3600 * 1000);  // only the picks the test fires
  fire(form().Timer1);
  fire(form().Timer2);
  const Text headline = form().headline();
  releaseKey(form(), Qt::Key_Space);
  EXPECT_EQ(form().Label1->text(), U("00"));
  EXPECT_EQ(form().Label4->text(), U("5"));
  EXPECT_EQ(DrawFolder::read("抽奖名单/获奖记录.txt"),
            A("[特别大奖]\r\n\r\n[一等奖]\r\n") + headline + "\r\n");
}

// An empty draw-size field: every tick fails the same way; one report for the streak.
TEST_F(Draw, TickFailingAgainAndAgainIsReportedOnce) {
  emptyDrawSize();
  ASSERT_EQ(form().SpinEdit1->text(), QString());
  QTest::mouseClick(form().Button1, Qt::LeftButton);
  ASSERT_TRUE(running());
  for (int i = 0; i < 50; ++i) fire(form().Timer1);
  ASSERT_EQ(rig_.dialogs.errors.size(), 1u);
  EXPECT_EQ(rig_.dialogs.errors[0].caption, T().appTitle);
  EXPECT_NE(rig_.dialogs.errors[0].text.find("is not a valid integer value"), Text::npos);
  EXPECT_TRUE(running());  // the draw goes on
}

TEST_F(Draw, FailureStreakReportedAgainAfterATickSucceeded) {
  emptyDrawSize();
  QTest::mouseClick(form().Button1, Qt::LeftButton);
  for (int i = 0; i < 3; ++i) fire(form().Timer1);
  ASSERT_EQ(rig_.dialogs.errors.size(), 1u);
  form().setDrawSizeValue(2);  // as if the field came right again
  fire(form().Timer1);
  EXPECT_EQ(headlineOnScreen(form(), 2).split(U("，")).size(), 2);
  form().SpinEdit1->clear();
  for (int i = 0; i < 3; ++i) fire(form().Timer1);
  EXPECT_EQ(rig_.dialogs.errors.size(), 2u);
}

}  // namespace
