// The window's focus rules and the draw-size field's hooks, as the operator meets them.
#include "helpers.h"

#include "data/errors.h"
#include "widgets/flatbutton.h"
#include "widgets/numberedit.h"

#include <QRadioButton>

using namespace apptest;

namespace {

class Focus : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = rig_.makeForm();
    ASSERT_TRUE(showActive(*form_));
  }
  TForm1& form() { return *form_; }
  // Types a character into the focused control, as a key press with its text.
  void type(const QString& text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(form_->focusWidget(), &press);
  }

  FormRig rig_;
  std::unique_ptr<TForm1> form_;
};

struct DisableRow {
  const char* what;
  bool prizeBar;  // disable the prize bar (else Button1)
  bool focusDrawSize;
};

class FocusOnDisable : public Focus, public ::testing::WithParamInterface<DisableRow> {};

// Disabling the control with the focus, or its container, hands the focus to the window
// itself, not to the next control in the chain.
TEST_P(FocusOnDisable, GoesToTheWindowItself) {
  const DisableRow& row = GetParam();
  QWidget* holder = row.prizeBar ? (row.focusDrawSize ? static_cast<QWidget*>(form().SpinEdit1)
                                                      : static_cast<QWidget*>(form().RadioButton1))
                                 : static_cast<QWidget*>(form().Button1);
  holder->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), holder);
  if (row.prizeBar)
    form().setPrizeBarEnabled(false);
  else
    form().setButtonEnabled(false);
  EXPECT_EQ(form().focusWidget(), &form());
  EXPECT_EQ(QApplication::focusWidget(), &form());
}

INSTANTIATE_TEST_SUITE_P(Holders, FocusOnDisable,
                         ::testing::Values(DisableRow{"draw-size field in the prize bar", true, true},
                                           DisableRow{"slot 1 in the prize bar", true, false},
                                           DisableRow{"the Start/Stop button", false, false}));

TEST_F(Focus, DisablingElsewhereLeavesTheFocusAlone) {
  form().FlatButton2->setFocus();
  form().setPrizeBarEnabled(false);
  EXPECT_EQ(QApplication::focusWidget(), form().FlatButton2);
}

TEST_F(Focus, DrawSizeFieldRefusesTheFocusInsideADisabledOrHiddenContainer) {
  form().setPrizeBarEnabled(false);
  try {
    form().focusDrawSize();
    FAIL() << "the focus was given";
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.message(), "Cannot focus a disabled or invisible window");
  }
  form().setPrizeBarEnabled(true);
  form().cxGroupBox3->hide();
  EXPECT_THROW(form().focusDrawSize(), EInvalidOperation);
  form().cxGroupBox3->show();
  form().focusDrawSize();
  EXPECT_TRUE(form().drawSizeHasFocus());
  EXPECT_EQ(QApplication::focusWidget(), form().SpinEdit1);
}

struct TypedRow {
  const char* typed;  // UTF-8
  const char* shows;
};

class TypingIntoDrawSize : public Focus, public ::testing::WithParamInterface<TypedRow> {};

// Every typed character passes SpinEdit1KeyPress first: digits only.
TEST_P(TypingIntoDrawSize, OnlyDigitsGoIn) {
  form().focusDrawSize();
  QTest::keyClick(form().windowHandle(), Qt::Key_End);
  type(U(GetParam().typed));
  EXPECT_EQ(form().SpinEdit1->text(), U(GetParam().shows));
}

INSTANTIATE_TEST_SUITE_P(Characters, TypingIntoDrawSize,
                         ::testing::Values(TypedRow{"7", "57"}, TypedRow{"a", "5"}, TypedRow{"-", "5"},
                                           TypedRow{" ", "5"}, TypedRow{"\b", "5"}, TypedRow{"中", "5"},
                                           TypedRow{"７", "5"}, TypedRow{"é", "5"}));

TEST_F(Focus, EmptiedFieldShowsOneOnTheNextCharacterOrClick) {
  form().focusDrawSize();
  QTest::keyClick(form().windowHandle(), Qt::Key_Home);
  QTest::keyClick(form().windowHandle(), Qt::Key_Delete);
  ASSERT_EQ(form().SpinEdit1->text(), QString());
  type(U(" "));  // refused, but the guard puts 1 in
  EXPECT_EQ(form().SpinEdit1->text(), U("1"));

  QTest::keyClick(form().windowHandle(), Qt::Key_Home);
  QTest::keyClick(form().windowHandle(), Qt::Key_Delete);
  ASSERT_EQ(form().SpinEdit1->text(), QString());
  QWidget* editArea = form().SpinEdit1->childAt(QPoint(8, 11));
  ASSERT_NE(editArea, nullptr);
  QTest::mouseClick(editArea, Qt::LeftButton, {}, editArea->mapFrom(form().SpinEdit1, QPoint(8, 11)));
  EXPECT_EQ(form().SpinEdit1->text(), U("1"));
}

// With the field emptied and Space released, the blank is refused, the field shows 1 and
// the release starts a draw of one.
TEST_F(Focus, SpaceInAnEmptiedFieldStartsADrawOfOne) {
  DrawFolder folder({.names = {"张三", "李四", "王五"}});
  form().runFormCreate();
  form().focusDrawSize();
  QTest::keyClick(form().windowHandle(), Qt::Key_Home);
  QTest::keyClick(form().windowHandle(), Qt::Key_Delete);
  QTest::keyClick(form().windowHandle(), Qt::Key_Space);  // press and release
  settleKeys(form());
  EXPECT_EQ(form().SpinEdit1->text(), U("1"));
  ASSERT_TRUE(form().Timer1->isActive());
  fire(form().Timer1);
  EXPECT_EQ(form().poolSelectedCount(), 1);
}

}  // namespace
