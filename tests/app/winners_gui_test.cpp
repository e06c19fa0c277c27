// The corrections on the real window, as the operator reaches them: a right-click on the
// headline or the prize bar opens the menu, but not while a draw runs nor during the
// lock-out; withdrawing, moving and the absentee dialog work by mouse, and Space
// still starts and stops draws afterwards.
#include "helpers.h"

#include "app/winners.h"
#include "data/texts.h"
#include "widgets/bevelpanel.h"
#include "widgets/flatpanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

using namespace apptest;

namespace {

class WinnersGui : public StartedWindow {
 protected:
  void SetUp() override {
    startOn({"张三", "李四", "王五", "赵六", "钱七", "孙八", "周九", "吴十", "郑一", "冯二"});
    rig_.dialogs.answer = FakeDialogs::Answer::Yes;  // every correction's question
    rig_.dialogs.questions.clear();                  // the continue question at start
  }

  // A draw by the keyboard: Space starts, a pick, the lock-out ends, Space stops, and
  // (unless told otherwise) the Stop's lock-out ends.
  void drawBySpace(bool endLockOut = true) {
    releaseKey(form(), Qt::Key_Space);
    form().Timer1->setInterval(3600 * 1000);
    fire(form().Timer1);
    fire(form().Timer2);
    releaseKey(form(), Qt::Key_Space);
    ASSERT_FALSE(form().Timer1->isActive());
    if (endLockOut) fire(form().Timer2);
  }

  // The right-click's context-menu event, as the window system delivers it to the widget
  // under the pointer (a widget that has no menu of its own hands it to its parent).
  static void rightClick(QWidget* on) {
    const QPoint at(on->width() / 2, on->height() / 2);
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, on->mapToGlobal(at));
    QApplication::sendEvent(on, &click);
  }
  QMenu* openMenuOn(QWidget* on) {
    rightClick(on);
    QMenu* menu = form().winnersMenu().menu();
    EXPECT_TRUE(menu->isVisible());
    return menu;
  }
  QAction* entry(QMenu* menu, const char* objectName) {
    for (QAction* a : menu->actions())
      if (a->objectName() == QLatin1String(objectName)) return a;
    ADD_FAILURE() << "no entry " << objectName;
    return nullptr;
  }
  void click(QMenu* menu, QAction* a) {
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
  }
  // Saves a picture of a widget when LUCKYDRAW_SCREENSHOTS names a folder.
  static void shot(QWidget* w, const char* name) {
    const QString dir = qEnvironmentVariable("LUCKYDRAW_SCREENSHOTS");
    if (!dir.isEmpty()) w->grab().save(dir + QLatin1Char('/') + QLatin1String(name));
  }
};

TEST_F(WinnersGui, WithdrawByMouseThenSpaceDrawsAgain) {
  const std::vector<Text> before = poolNames(form());
  drawBySpace();
  ASSERT_EQ(form().poolCount(), 5);

  QMenu* menu = openMenuOn(form().StaticText1);
  QAction* undo = entry(menu, "undoLastDraw");
  ASSERT_TRUE(undo->isEnabled());
  EXPECT_EQ(undo->text(), U("撤销本次抽奖（特别大奖 5人）"));
  shot(form().window(), "window-with-menu.png");
  shot(menu, "winners-menu.png");
  click(menu, undo);

  ASSERT_EQ(rig_.dialogs.questions.size(), 1u);
  EXPECT_EQ(poolNames(form()), before) << "every name back where it stood";
  EXPECT_EQ(form().counter(1), "0");
  EXPECT_EQ(form().Label13->text(), U("抽奖名单[10]人"));
  EXPECT_EQ(DrawFolder::read("抽奖名单/获奖记录.txt"), A("[特别大奖]\r\n\r\n[一等奖]\r\n\r\n"));
  EXPECT_TRUE(rig_.dialogs.errors.empty());

  // The keys still reach the window: Space starts and stops the next draw.
  drawBySpace();
  EXPECT_EQ(form().counter(1), "5");
}

// While a draw runs and during the lock-out the menu does not open, so the keys go on
// reaching the draw: Space stops it after a stray right-click.
TEST_F(WinnersGui, NoMenuWhileADrawRunsNorDuringTheLockOut) {
  drawBySpace();
  releaseKey(form(), Qt::Key_Space);  // a new draw runs
  fire(form().Timer1);
  rightClick(form().StaticText1);
  EXPECT_FALSE(form().winnersMenu().menu()->isVisible());
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

  fire(form().Timer2);
  releaseKey(form(), Qt::Key_Space);  // Stop: the lock-out begins
  ASSERT_FALSE(form().Timer1->isActive()) << "Space reached the draw";
  EXPECT_EQ(form().counter(1), "10");
  rightClick(form().RadioButton1);
  EXPECT_FALSE(form().winnersMenu().menu()->isVisible()) << "not during the lock-out";

  fire(form().Timer2);
  QMenu* menu = openMenuOn(form().StaticText1);
  EXPECT_TRUE(entry(menu, "undoLastDraw")->isEnabled());
  EXPECT_TRUE(entry(menu, "moveLastDraw")->isEnabled());
  EXPECT_TRUE(entry(menu, "markAbsent")->isEnabled());
  menu->close();
  EXPECT_TRUE(rig_.dialogs.questions.empty());
}

TEST_F(WinnersGui, MoveFromThePrizeBar) {
  drawBySpace();
  const Text winners = form().session().winners[0];
  QMenu* menu = openMenuOn(form().RadioButton2);  // a right-click on a prize of the prize bar
  QAction* move = entry(menu, "moveLastDraw");
  ASSERT_TRUE(move->isEnabled());
  QMenu* prizes = move->menu();
  ASSERT_EQ(prizes->actions().size(), 1);
  EXPECT_EQ(prizes->actions()[0]->text(), U("一等奖"));
  menu->setActiveAction(move);  // the submenu opens as under the pointer
  QApplication::processEvents();
  prizes->actions()[0]->trigger();
  menu->close();

  EXPECT_EQ(form().counter(1), "0");
  EXPECT_EQ(form().counter(2), "5");
  EXPECT_TRUE(form().RadioButton2->isChecked());
  EXPECT_EQ(DrawFolder::read("抽奖名单/获奖记录.txt"), A("[特别大奖]\r\n\r\n[一等奖]\r\n") + winners + "\r\n");
}

TEST_F(WinnersGui, AbsenteesChosenInTheDialog) {
  drawBySpace();
  const std::vector<Text> winners = splitNames(form().session().winners[0]);
  ASSERT_EQ(winners.size(), 5u);
  form().RadioButton2->setChecked(true);  // the operator has moved on to the next prize

  QMenu* menu = openMenuOn(form().StaticText1);
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    seen = true;
    EXPECT_EQ(dialog->windowTitle(), U("标记缺席"));
    auto* list = dialog->findChild<QListWidget*>();
    auto* prizes = dialog->findChild<QComboBox*>();
    ASSERT_EQ(list->count(), 5);
    EXPECT_EQ(prizes->currentText(), U("特别大奖"));
    EXPECT_EQ(list->item(1)->text(), platform::fromAnsi(winners[1]));
    QPushButton* ok = nullptr;
    for (QAbstractButton* b : dialog->findChild<QDialogButtonBox*>()->buttons())
      if (b->text() == U("标记缺席")) ok = qobject_cast<QPushButton*>(b);
    ASSERT_NE(ok, nullptr);
    EXPECT_FALSE(ok->isEnabled()) << "nobody ticked yet";
    list->item(1)->setCheckState(Qt::Checked);
    list->item(3)->setCheckState(Qt::Checked);
    shot(dialog, "absentee-dialog.png");
    QTest::mouseClick(ok, Qt::LeftButton);
  });
  click(menu, entry(menu, "markAbsent"));
  ASSERT_TRUE(seen);

  ASSERT_EQ(rig_.dialogs.questions.size(), 1u);
  EXPECT_EQ(form().counter(1), "3");
  EXPECT_EQ(form().poolCount(), 5) << "the absentees do not go back into the pool";
  EXPECT_TRUE(form().RadioButton1->isChecked()) << "ready to draw their replacements";
  EXPECT_EQ(form().drawSizeValue(), 2);
  EXPECT_EQ(DrawFolder::read("抽奖名单/获奖记录.txt"),
            A("[特别大奖]\r\n") + winners[0] + kSep + winners[2] + kSep + winners[4] + A("\r\n[一等奖]\r\n\r\n"));

  drawBySpace();  // the replacements, by the keyboard
  EXPECT_EQ(form().counter(1), "5");
  EXPECT_EQ(form().poolCount(), 3);
}

// The question before a correction: a deliberate Yes acts; Escape, the close box and
// Enter on the default button answer No.
TEST(CorrectionQuestion, OnlyADeliberateYesActs) {
  enum class Ending { Escape, CloseBox, Enter, ClickYes };
  for (Ending ending : {Ending::Escape, Ending::CloseBox, Ending::Enter, Ending::ClickYes}) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      seen = true;
      EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
      switch (ending) {
        case Ending::Escape:
          QTest::keyClick(box, Qt::Key_Escape);
          break;
        case Ending::CloseBox:
          box->close();
          break;
        case Ending::Enter:
          QTest::keyClick(box, Qt::Key_Return);
          break;
        case Ending::ClickYes:
          box->button(QMessageBox::Yes)->click();
          break;
      }
    });
    platform::QtDialogs dialogs;
    const auto answer = dialogs.confirm(A("提示"), A("撤销特等奖的本次抽奖？"));
    EXPECT_TRUE(seen);
    EXPECT_EQ(answer, ending == Ending::ClickYes ? platform::Dialogs::Answer::Yes : platform::Dialogs::Answer::No)
        << int(ending);
  }
}

}  // namespace
