// What must hold in front of an audience: the question at start never throws the
// previous winners away unless No was chosen, what Stop records is what the screen shows
// whatever the operator does with the list meanwhile, and a record that cannot be written
// leaves the draw recoverable.
#include "helpers.h"

#include "app/poolmodel.h"
#include "app/poolview.h"
#include "data/texts.h"
#include "widgets/bevelpanel.h"
#include "widgets/flatbutton.h"

#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

using namespace apptest;

namespace {

// ---- The continue question ----------------------------------------------------------

enum class Ending { Escape, CloseBox, ClickYes, ClickNo };
const char* const kEndingNames[] = {"Escape", "CloseBox", "ClickYes", "ClickNo"};

class ContinueQuestion : public ::testing::TestWithParam<std::pair<Ending, platform::Dialogs::Answer>> {};

TEST_P(ContinueQuestion, OnlyADeliberateNoStartsAFreshRecord) {
  const Ending ending = GetParam().first;
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen = true;
    EXPECT_EQ(box->windowTitle(), U("提示"));
    EXPECT_EQ(box->text(), U("是否继续上次的获奖记录？"));
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    switch (ending) {
      case Ending::Escape:
        QTest::keyClick(box, Qt::Key_Escape);
        break;
      case Ending::CloseBox:
        box->close();
        break;
      case Ending::ClickYes:
        box->button(QMessageBox::Yes)->click();
        break;
      case Ending::ClickNo:
        box->button(QMessageBox::No)->click();
        break;
    }
  });
  platform::QtDialogs dialogs;
  const auto answer = dialogs.askYesNo(A("提示"), A("是否继续上次的获奖记录？"));
  EXPECT_TRUE(seen);
  EXPECT_EQ(answer, GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, ContinueQuestion,
    ::testing::Values(std::make_pair(Ending::Escape, platform::Dialogs::Answer::Yes),
                      std::make_pair(Ending::CloseBox, platform::Dialogs::Answer::Yes),
                      std::make_pair(Ending::ClickYes, platform::Dialogs::Answer::Yes),
                      std::make_pair(Ending::ClickNo, platform::Dialogs::Answer::No)),
    [](const auto& info) { return std::string(kEndingNames[int(info.param.first)]); });

// ---- Draws with the operator busy at the list -----------------------------------------

class LiveDraw : public StartedWindow {
 protected:
  void SetUp() override { startOn({"张三", "李四", "王五", "赵六", "钱七", "孙八", "周九", "吴十", "郑一", "冯二"}); }

  std::vector<Text> pool() const { return poolNames(*form_); }
  std::vector<int> selectedRows() const { return apptest::selectedRows(*form_); }
  // Start with Space and let the lock-out end; a few picks have been made. Timer1 is then
  // slowed to an hour, so the only picks are the ones the test fires: the pick on screen
  // stays put while the test clicks and types.
  void startAndUnlock() {
    releaseKey(form(), Qt::Key_Space);
    form().Timer1->setInterval(3600 * 1000);
    for (int i = 0; i < 3; ++i) fire(form().Timer1);
    fire(form().Timer2);
    ASSERT_TRUE(form().Button1->isEnabled());
  }
};

TEST_F(LiveDraw, ClicksAndKeysInTheListDuringADrawSelectNothing) {
  startAndUnlock();
  const std::vector<int> pick = selectedRows();
  ASSERT_EQ(pick.size(), 5u);
  int other = 0;
  while (std::find(pick.begin(), pick.end(), other) != pick.end()) ++other;

  clickPoolRow(form(), other);
  clickPoolRow(form(), other, Qt::LeftButton, Qt::ControlModifier);
  pressKey(form(), Qt::Key_Down);
  pressKey(form(), Qt::Key_End, Qt::ShiftModifier);
  EXPECT_EQ(selectedRows(), pick);
}

// A presenter's clicker sends PageDown's press and release together: with the list holding
// the focus, the press must not change the pick before the release stops the draw.
TEST_F(LiveDraw, PageDownWhileTheListHasTheFocusStopsWithThePickOnScreen) {
  const std::vector<Text> before = pool();
  startAndUnlock();
  clickPoolRow(form(), 0, Qt::RightButton);
  QApplication::processEvents();
  if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  form().ListBox1->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), form().ListBox1);
  const Text headline = form().headline();

  pressKey(form(), Qt::Key_PageDown);
  releaseKey(form(), Qt::Key_PageDown);  // Stop, with no tick in between
  ASSERT_FALSE(form().Timer1->isActive());

  std::vector<Text> removed = before, left = pool();
  for (const Text& n : left) removed.erase(std::find(removed.begin(), removed.end(), n));
  std::vector<Text> recorded = splitNames(headline);
  std::sort(removed.begin(), removed.end());
  std::sort(recorded.begin(), recorded.end());
  EXPECT_EQ(recorded, removed);
  EXPECT_EQ(form().session().winners[0], headline);
  EXPECT_EQ(form().counter(1), "5");
  EXPECT_EQ(DrawFolder::read("抽奖名单/获奖记录.txt"),
            A("[特别大奖]\r\n") + headline + A("\r\n[一等奖]\r\n\r\n"));
}

// The record cannot be written at Stop: one report, the lock-out still ends, and the prize
// bar comes back with Cancel; the old record is untouched.
TEST_F(LiveDraw, FailingSaveAtStopIsReportedOnceAndTheDrawRecovers) {
  const QString record = U("抽奖名单/获奖记录.txt");
  const Text old = DrawFolder::read("抽奖名单/获奖记录.txt");
  QFile::setPermissions(record, QFileDevice::ReadOwner);  // read-only: no save may replace it
  startAndUnlock();
  const Text headline = form().headline();

  releaseKey(form(), Qt::Key_Space);  // Stop
  ASSERT_EQ(rig_.dialogs.errors.size(), 1u);
  EXPECT_EQ(rig_.dialogs.errors[0].caption, T().appTitle);
  EXPECT_EQ(rig_.dialogs.errors[0].text.rfind("Cannot create file \"", 0), 0u);
  EXPECT_EQ(DrawFolder::read("抽奖名单/获奖记录.txt"), old);
  EXPECT_EQ(form().session().winners[0], headline);  // the window keeps the result
  EXPECT_FALSE(form().Panel8->isEnabled());
  EXPECT_FALSE(form().Button1->isEnabled());

  fire(form().Timer2);
  EXPECT_TRUE(form().Button1->isEnabled());
  EXPECT_FALSE(form().Panel8->isEnabled());
  QTest::mouseClick(form().FlatButton1, Qt::LeftButton);  // Cancel
  EXPECT_TRUE(form().Panel8->isEnabled());
  EXPECT_EQ(rig_.dialogs.errors.size(), 1u);
  QFile::setPermissions(record, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

}  // namespace

// ---- A held key -------------------------------------------------------------------------
// On X11 a held key sends a release and a press again and again, each pair with one time
// stamp; Qt does not always flag them as auto-repeat. Only the release when the key is let
// go may act.

class HeldKey : public LiveDraw, public ::testing::WithParamInterface<Qt::Key> {
 protected:
  void send(QEvent::Type type, quint64 timestamp, bool autoRepeat = false) {
    QKeyEvent e(type, GetParam(), Qt::NoModifier, QString(), autoRepeat);
    e.setTimestamp(timestamp);
    QWidget* target = form().focusWidget() ? form().focusWidget() : &form();
    QApplication::sendEvent(target, &e);
  }
  // Held from `t` for `repeats` auto-repeat pairs, unflagged, as a loaded machine sees them.
  quint64 hold(quint64 t, int repeats) {
    send(QEvent::KeyPress, t);
    for (int i = 1; i <= repeats; ++i) {
      t += 33;
      send(QEvent::KeyRelease, t);
      send(QEvent::KeyPress, t);
    }
    return t;
  }
  bool running() { return form().Timer1->isActive(); }
};

TEST_P(HeldKey, StartsOnlyWhenLetGoAndStopsOnlyAtTheNextRelease) {
  quint64 t = hold(1000, 60);  // two seconds held: longer than the lock-out
  settleKeys(form());
  EXPECT_FALSE(running()) << "the held key started a draw";
  send(QEvent::KeyRelease, t + 500);
  settleKeys(form());
  ASSERT_TRUE(running()) << "letting go starts the draw";

  form().Timer1->setInterval(3600 * 1000);
  fire(form().Timer1);
  fire(form().Timer2);
  const Text before = DrawFolder::read("抽奖名单/获奖记录.txt");
  t = hold(t + 900, 60);
  settleKeys(form());
  EXPECT_TRUE(running()) << "holding the key again stopped the draw before it was let go";
  EXPECT_EQ(DrawFolder::read("抽奖名单/获奖记录.txt"), before) << "nothing recorded yet";
  send(QEvent::KeyRelease, t + 700);
  settleKeys(form());
  EXPECT_FALSE(running());
  EXPECT_NE(DrawFolder::read("抽奖名单/获奖记录.txt"), before) << "the Stop records the winners";
}

TEST_P(HeldKey, FlaggedRepeatsAreIgnoredToo) {
  send(QEvent::KeyPress, 10);
  for (quint64 t = 40; t < 400; t += 30) {
    send(QEvent::KeyRelease, t, true);
    send(QEvent::KeyPress, t, true);
  }
  settleKeys(form());
  EXPECT_FALSE(running());
}

TEST_P(HeldKey, QuickTapsAreEachARelease) {
  // Release then a new press a few milliseconds later: two taps, not a repeat.
  send(QEvent::KeyPress, 100);
  send(QEvent::KeyRelease, 180);
  send(QEvent::KeyPress, 186);
  settleKeys(form());
  EXPECT_TRUE(running());
}

TEST_P(HeldKey, TheReleaseActsByItselfAfterTheGracePeriod) {
  send(QEvent::KeyPress, 100);
  send(QEvent::KeyRelease, 250);
  EXPECT_FALSE(running()) << "a release waits for the press that would make it a repeat";
  EXPECT_TRUE(QTest::qWaitFor([&] { return running(); }, 2000));
}

INSTANTIATE_TEST_SUITE_P(Keys, HeldKey, ::testing::Values(Qt::Key_Space, Qt::Key_PageDown),
                         [](const auto& info) {
                           return std::string(info.param == Qt::Key_Space ? "Space" : "PageDown");
                         });
