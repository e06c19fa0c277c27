// The side commands on the real window, as the operator uses them: the pool's popup menu,
// the draw-size field under the keyboard and the mouse, the file shortcuts, and the input
// box that asks for a name.
#include "app/staffimport.h"
#include "helpers.h"

#include "app/poolmodel.h"
#include "app/poolview.h"
#include "data/texts.h"
#include "widgets/flatbutton.h"
#include "widgets/flatpanel.h"
#include "widgets/numberedit.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QDialog>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <algorithm>
#include <functional>
#include <ostream>

using namespace apptest;

namespace {

const std::vector<std::string> kNames = {"赵一", "钱二", "孙三", "李四", "周五", "吴六", "郑七", "王八"};

std::vector<Text> ansiNames() {
  std::vector<Text> all;
  for (const auto& n : kNames) all.push_back(A(n.c_str()));
  return all;
}

std::vector<Text> without(std::vector<Text> all, const std::vector<Text>& gone) {
  std::erase_if(all, [&](const Text& n) { return std::find(gone.begin(), gone.end(), n) != gone.end(); });
  return all;
}

// Types text into whatever holds the focus in `window`, one key per character, through the
// window system. Characters outside ASCII come as a key with text only, as an input method
// delivers them.
void typeInto(QWindow* window, const QString& text) {
  for (QChar c : text) {
    const Qt::Key key = c == u' ' ? Qt::Key_Space
                        : (c >= u'0' && c <= u'9') ? Qt::Key(Qt::Key_0 + (c.unicode() - u'0'))
                                                   : Qt::Key_unknown;
    QTest::sendKeyEvent(QTest::Click, window, key, QString(c), Qt::NoModifier);
  }
}

// Plays the operator at the next modal box: once the box is up (its own event loop runs),
// `act` looks at it and answers it. A box that the answer did not close is closed by force,
// and the test sees that, so that a broken answer cannot hang the run.
class Operator {
 public:
  explicit Operator(std::function<void(QDialog&)> act) : act_(std::move(act)) {
    QTimer::singleShot(0, &context_, [this] { poll(); });
  }
  bool acted() const { return acted_; }
  bool forcedClosed() const { return forced_; }

 private:
  void poll() {
    auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!box) {
      if (++tries_ < 1000) QTimer::singleShot(5, &context_, [this] { poll(); });
      return;
    }
    acted_ = true;
    QPointer<QDialog> guard(box);
    act_(*box);
    if (guard && guard->isVisible()) {
      forced_ = true;
      guard->reject();
    }
  }

  std::function<void(QDialog&)> act_;
  QObject context_;
  int tries_ = 0;
  bool acted_ = false;
  bool forced_ = false;
};

QPushButton* boxButton(QDialog& box, const char* caption) {
  for (QPushButton* b : box.findChildren<QPushButton*>())
    if (b->text() == U(caption)) return b;
  return nullptr;
}

// Shared by the window fixtures: clicks and menu choices at the places where the operator
// makes them.
class WindowUser {
 protected:
  virtual ~WindowUser() = default;
  virtual TForm1& win() = 0;

  // A point of a control in the window's coordinates: mouse events sent there go through
  // the window system and reach whatever control lies under them.
  QPoint at(QWidget* w, QPoint p) { return w->mapTo(&win(), p); }
  void clickAt(QWidget* w, QPoint p, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {}) {
    QTest::mouseClick(win().windowHandle(), button, mods, at(w, p));
  }
  void click(QWidget* w) { clickAt(w, w->rect().center()); }
  // A click on a pool entry through the window system, as the mouse makes it.
  void clickRow(int row, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {}) {
    clickAt(win().ListBox1->viewport(), poolRowCentre(win(), row), button, mods);
  }
  // A right click on an entry: the popup menu opens at the pointer.
  void openMenuAt(int row) { clickRow(row, Qt::RightButton); }
  // A click on an item of the open popup menu.
  void choose(QAction* item) {
    ASSERT_TRUE(win().PopupMenu1->isVisible());
    QTest::mouseClick(win().PopupMenu1, Qt::LeftButton, {}, win().PopupMenu1->actionGeometry(item).center());
  }

  std::vector<Text> names() { return poolNames(win()); }
  std::vector<Text> selectedNames() {
    std::vector<Text> picked;
    for (int i = 0; i < win().poolCount(); ++i)
      if (win().poolSelected(i)) picked.push_back(win().poolName(i));
    return picked;
  }
};

// A window started on a draw folder of eight names with a fresh winners record.
class SideCommandsGui : public StartedWindow, public WindowUser {
 protected:
  void SetUp() override { startOn(kNames); }
  void TearDown() override { EXPECT_TRUE(rig_.dialogs.errors.empty()); }

  TForm1& win() override { return *form_; }
  bool running() const { return form_->Timer1->isActive(); }
  QWindow* window() { return form_->windowHandle(); }

  // Ticks of the running draw come only when the test fires them, so the pick on screen
  // stays put between the steps of a test.
  void ticksOnlyWhenFired() { form_->Timer1->setInterval(24 * 3600 * 1000); }

  // The draw-size field as the operator reaches it: a click into its edit area.
  void clickIntoDrawSize(Qt::MouseButton button = Qt::LeftButton) {
    clickAt(form_->SpinEdit1, QPoint(8, 11), button);
  }
  // Into the field and its whole text selected (End, then Shift+Home).
  void selectDrawSize() {
    clickIntoDrawSize();
    QTest::keyClick(window(), Qt::Key_End);
    QTest::keyClick(window(), Qt::Key_Home, Qt::ShiftModifier);
  }
  // Leaves the field the way an operator does: a click on the first prize slot.
  void leaveDrawSize() {
    clickAt(form_->RadioButton1, QPoint(10, 12));
    ASSERT_EQ(QApplication::focusWidget(), form_->RadioButton1);
  }
  QLineEdit* drawSizeEdit() { return form_->SpinEdit1->findChild<QLineEdit*>(); }
};

// ---- The popup menu ------------------------------------------------------------------

TEST_F(SideCommandsGui, PopupMenuListsItsItemsAndOpensAtThePointerOnARightClick) {
  const QList<QAction*> items = form().PopupMenu1->actions();
  ASSERT_EQ(items.size(), 6);
  EXPECT_EQ(items[0], form().N1);
  EXPECT_EQ(items[0]->text(), U("临时添加名单"));
  EXPECT_EQ(items[1], form().staffImport().action());  // the import, beside adding one name
  EXPECT_EQ(items[1]->text(), U("导入名单…"));
  EXPECT_EQ(items[2], form().N4);
  EXPECT_TRUE(items[2]->isSeparator());
  EXPECT_EQ(items[3], form().N2);
  EXPECT_EQ(items[3]->text(), U("删除所选"));
  EXPECT_EQ(items[4], form().N5);
  EXPECT_TRUE(items[4]->isSeparator());
  EXPECT_EQ(items[5], form().N3);
  EXPECT_EQ(items[5]->text(), U("取消"));
  for (QAction* item : {form().N1, form().N2, form().N3}) {
    EXPECT_FALSE(item->isSeparator());
    EXPECT_TRUE(item->isEnabled());
  }

  ASSERT_FALSE(form().PopupMenu1->isVisible());
  openMenuAt(2);
  ASSERT_TRUE(form().PopupMenu1->isVisible());
  // At the pointer, unless the screen's edge pushes it back.
  const QPoint pointer = form().ListBox1->viewport()->mapToGlobal(poolRowCentre(form(), 2));
  const QRect screen = form().PopupMenu1->screen()->geometry();
  EXPECT_EQ(form().PopupMenu1->y(), std::min(pointer.y(), screen.bottom() + 1 - form().PopupMenu1->height()));
  EXPECT_EQ(form().PopupMenu1->x(), std::min(pointer.x(), screen.right() + 1 - form().PopupMenu1->width()));

  choose(form().N3);  // 取消: the menu closes and nothing else happens
  EXPECT_FALSE(form().PopupMenu1->isVisible());
  EXPECT_EQ(names(), ansiNames());
  EXPECT_TRUE(selectedNames().empty());
  EXPECT_TRUE(rig_.dialogs.inputs.empty());
  EXPECT_TRUE(rig_.launcher.opened.empty());
  EXPECT_FALSE(running());
}

TEST_F(SideCommandsGui, RightClickSelectsNothingAndDeleteTakesWhatWasSelectedBefore) {
  clickRow(1);
  clickRow(4, Qt::LeftButton, Qt::ControlModifier);
  ASSERT_EQ(selectedNames(), (std::vector<Text>{A("钱二"), A("周五")}));
  openMenuAt(6);  // an entry that is not selected
  ASSERT_TRUE(form().PopupMenu1->isVisible());
  EXPECT_EQ(selectedNames(), (std::vector<Text>{A("钱二"), A("周五")}));

  choose(form().N2);  // 删除所选
  EXPECT_FALSE(form().PopupMenu1->isVisible());
  EXPECT_EQ(names(), without(ansiNames(), {A("钱二"), A("周五")}));
  EXPECT_EQ(form().ListBox1->model()->rowCount(), 6);
  EXPECT_EQ(form().ListBox1->model()->index(5, 0).data().toString(), U("王八"));
  EXPECT_EQ(form().Label13->text(), U("抽奖名单[6]人"));  // the count follows at once
}

// ---- Deleting around a draw ----------------------------------------------------------

TEST_F(SideCommandsGui, AfterACancelledDrawDeleteTakesExactlyTheLastPick) {
  releaseKey(form(), Qt::Key_Space);  // Start
  ASSERT_TRUE(running());
  ticksOnlyWhenFired();
  fire(form().Timer1);
  fire(form().Timer1);
  const std::vector<Text> lastPick = selectedNames();
  ASSERT_EQ(lastPick.size(), 5u);
  click(form().FlatButton1);  // 取消
  ASSERT_FALSE(running());
  EXPECT_EQ(selectedNames(), lastPick);  // the flags stay

  openMenuAt(0);
  choose(form().N2);
  EXPECT_EQ(names(), without(ansiNames(), lastPick));
  EXPECT_TRUE(selectedNames().empty());
  EXPECT_EQ(form().Label13->text(), U("抽奖名单[3]人"));

  releaseKey(form(), Qt::Key_Space);  // the next Start counts the pool afresh
  ASSERT_TRUE(running());
  EXPECT_EQ(form().Label13->text(), U("抽奖名单[3]人"));
}

TEST_F(SideCommandsGui, DeleteDuringADrawTakesThePickOnScreenAndTheNextTickPicksFromTheRest) {
  selectDrawSize();
  typeInto(window(), U("2"));
  releaseKey(form(), Qt::Key_Space);  // Start
  ASSERT_TRUE(running());
  ticksOnlyWhenFired();
  fire(form().Timer1);
  const std::vector<Text> onScreen = selectedNames();
  ASSERT_EQ(onScreen.size(), 2u);
  ASSERT_TRUE(form().headline() == onScreen[0] + "\xA3\xAC" + onScreen[1] ||
              form().headline() == onScreen[1] + "\xA3\xAC" + onScreen[0]);

  openMenuAt(7);
  choose(form().N2);
  ASSERT_TRUE(running());
  const std::vector<Text> rest = without(ansiNames(), onScreen);
  EXPECT_EQ(names(), rest);
  EXPECT_EQ(form().Label13->text(), U("抽奖名单[6]人")) << "the count follows at once";

  fire(form().Timer1);
  const std::vector<Text> next = selectedNames();
  ASSERT_EQ(next.size(), 2u);
  for (const Text& n : next) EXPECT_NE(std::find(rest.begin(), rest.end(), n), rest.end());
  // The headline names them in the order drawn, the list in pool order.
  const Text headline = form().headline();
  EXPECT_TRUE(headline == next[0] + "\xA3\xAC" + next[1] || headline == next[1] + "\xA3\xAC" + next[0]);

  fire(form().Timer2);
  releaseKey(form(), Qt::Key_Space);  // Stop: the pick from the rest is recorded
  ASSERT_FALSE(running());
  EXPECT_EQ(form().Label13->text(), U("抽奖名单[4]人"));
  EXPECT_EQ(names(), without(rest, next));
  EXPECT_EQ(DrawFolder::read("抽奖名单/获奖记录.txt"),
            A("[特别大奖]\r\n") + headline + "\r\n" + A("[一等奖]\r\n\r\n"));
}

// ---- The draw-size field -------------------------------------------------------------

enum class Caret { End, Home, All };

struct FieldKeyRow {
  const char* label;
  Qt::Key key;
  Caret caret;
  const char* shows;  // afterwards, while the field has the focus
  bool hasValue;
  int value;
};
void PrintTo(const FieldKeyRow& row, std::ostream* os) { *os << row.label; }

class DrawSizeKey : public SideCommandsGui, public ::testing::WithParamInterface<FieldKeyRow> {};

// A key pressed in the field showing 5. Only the press matters here (the release of Space
// would start a draw, and the others do nothing on release).
TEST_P(DrawSizeKey, RefusedCharactersLeaveTheNumberAndDeleteStillDeletes) {
  const FieldKeyRow& row = GetParam();
  clickIntoDrawSize();
  ASSERT_EQ(QApplication::focusWidget(), form().SpinEdit1);
  ASSERT_EQ(form().SpinEdit1->text(), U("5"));
  switch (row.caret) {
    case Caret::End: QTest::keyClick(window(), Qt::Key_End); break;
    case Caret::Home: QTest::keyClick(window(), Qt::Key_Home); break;
    case Caret::All: selectDrawSize(); break;
  }
  pressKey(form(), row.key);
  EXPECT_EQ(form().SpinEdit1->text(), U(row.shows));
  EXPECT_EQ(form().SpinEdit1->hasValue(), row.hasValue);
  EXPECT_EQ(form().SpinEdit1->value(), row.value);
  EXPECT_EQ(QApplication::focusWidget(), form().SpinEdit1);
  EXPECT_FALSE(running());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DrawSizeKey,
    ::testing::Values(FieldKeyRow{"LetterOverSelection", Qt::Key_A, Caret::All, "5", true, 5},
                      FieldKeyRow{"MinusOverSelection", Qt::Key_Minus, Caret::All, "5", true, 5},
                      FieldKeyRow{"MinusAtHome", Qt::Key_Minus, Caret::Home, "5", true, 5},
                      FieldKeyRow{"FullStopAtEnd", Qt::Key_Period, Caret::End, "5", true, 5},
                      FieldKeyRow{"BlankOverSelection", Qt::Key_Space, Caret::All, "5", true, 5},
                      FieldKeyRow{"BackspaceAtEnd", Qt::Key_Backspace, Caret::End, "5", true, 5},
                      FieldKeyRow{"BackspaceOverSelection", Qt::Key_Backspace, Caret::All, "5", true, 5},
                      FieldKeyRow{"DeleteAtHome", Qt::Key_Delete, Caret::Home, "", false, 0},
                      FieldKeyRow{"DeleteOverSelection", Qt::Key_Delete, Caret::All, "", false, 0}),
    [](const auto& info) { return std::string(info.param.label); });

struct TypedOverRow {
  const char* label;
  const char* typed;
  const char* whileFocused;
  int value;
  const char* afterLeaving;
};
void PrintTo(const TypedOverRow& row, std::ostream* os) { *os << row.label; }

class DrawSizeTypedOver : public SideCommandsGui, public ::testing::WithParamInterface<TypedOverRow> {};

// Digits typed over the selected 5: the field shows them as typed while it has the focus,
// the value is brought into 1..999, and leaving the field writes the value back.
TEST_P(DrawSizeTypedOver, ShowsTheDigitsUntilLeftThenTheValue) {
  const TypedOverRow& row = GetParam();
  selectDrawSize();
  typeInto(window(), U(row.typed));
  EXPECT_EQ(form().SpinEdit1->text(), U(row.whileFocused));
  EXPECT_EQ(form().SpinEdit1->value(), row.value);
  leaveDrawSize();
  EXPECT_EQ(form().SpinEdit1->text(), U(row.afterLeaving));
  EXPECT_EQ(form().SpinEdit1->value(), row.value);
}

INSTANTIATE_TEST_SUITE_P(Digits, DrawSizeTypedOver,
                         ::testing::Values(TypedOverRow{"Zero", "0", "0", 1, "1"},
                                           TypedOverRow{"Thousand", "1000", "1000", 999, "999"},
                                           TypedOverRow{"LeadingZeros", "007", "007", 7, "7"}),
                         [](const auto& info) { return std::string(info.param.label); });

enum class Step { UpKey, DownKey, UpButton, DownButton };

struct StepRow {
  const char* label;
  int from;
  Step step;
  int to;
};
void PrintTo(const StepRow& row, std::ostream* os) { *os << row.label; }

class DrawSizeStep : public SideCommandsGui, public ::testing::WithParamInterface<StepRow> {
 protected:
  // Where the style puts the field's up or down button.
  QPoint buttonCentre(QStyle::SubControl which) {
    NumberEdit* field = form().SpinEdit1;
    QStyleOptionSpinBox opt;
    opt.initFrom(field);
    opt.rect = field->rect();
    opt.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown | QStyle::SC_SpinBoxEditField;
    opt.buttonSymbols = field->buttonSymbols();
    opt.frame = field->hasFrame();
    return field->style()->subControlRect(QStyle::CC_SpinBox, &opt, which, field).center();
  }
};

TEST_P(DrawSizeStep, UpAndDownStayWithinOneTo999) {
  const StepRow& row = GetParam();
  form().setDrawSizeValue(row.from);
  clickIntoDrawSize();
  switch (row.step) {
    case Step::UpKey: QTest::keyClick(window(), Qt::Key_Up); break;
    case Step::DownKey: QTest::keyClick(window(), Qt::Key_Down); break;
    case Step::UpButton: clickAt(form().SpinEdit1, buttonCentre(QStyle::SC_SpinBoxUp)); break;
    case Step::DownButton: clickAt(form().SpinEdit1, buttonCentre(QStyle::SC_SpinBoxDown)); break;
  }
  EXPECT_EQ(form().SpinEdit1->value(), row.to);
  EXPECT_EQ(form().SpinEdit1->text(), QString::number(row.to));
}

INSTANTIATE_TEST_SUITE_P(
    Steps, DrawSizeStep,
    ::testing::Values(StepRow{"UpKeyFrom5", 5, Step::UpKey, 6}, StepRow{"DownKeyFrom5", 5, Step::DownKey, 4},
                      StepRow{"UpKeyAt999", 999, Step::UpKey, 999}, StepRow{"DownKeyAt1", 1, Step::DownKey, 1},
                      StepRow{"UpButtonFrom5", 5, Step::UpButton, 6},
                      StepRow{"DownButtonFrom5", 5, Step::DownButton, 4},
                      StepRow{"UpButtonAt999", 999, Step::UpButton, 999},
                      StepRow{"DownButtonAt1", 1, Step::DownButton, 1}),
    [](const auto& info) { return std::string(info.param.label); });

// Any mouse button counts: a right click into the emptied field shows 1 (its context menu
// comes up as well and is closed again).
TEST_F(SideCommandsGui, RightClickIntoAnEmptiedFieldShowsOne) {
  clickIntoDrawSize();
  QTest::keyClick(window(), Qt::Key_Home);
  QTest::keyClick(window(), Qt::Key_Delete);
  ASSERT_EQ(form().SpinEdit1->text(), QString());
  ASSERT_FALSE(form().SpinEdit1->hasValue());

  bool menuSeen = false;
  QObject context;
  std::function<void(int)> closeMenu = [&](int tries) {
    if (QWidget* menu = QApplication::activePopupWidget()) {
      menuSeen = true;
      menu->close();
    } else if (tries < 1000) {
      QTimer::singleShot(5, &context, [&, tries] { closeMenu(tries + 1); });
    }
  };
  QTimer::singleShot(0, &context, [&] { closeMenu(0); });
  clickIntoDrawSize(Qt::RightButton);
  EXPECT_EQ(form().SpinEdit1->text(), U("1"));
  EXPECT_EQ(form().SpinEdit1->value(), 1);
  EXPECT_TRUE(menuSeen);
}

struct PasteRow {
  const char* label;
  const char* clipboard;
  const char* shows;
  int value;
};
void PrintTo(const PasteRow& row, std::ostream* os) { *os << row.label; }

class DrawSizePaste : public SideCommandsGui, public ::testing::WithParamInterface<PasteRow> {};

// Shift+Insert over the selected 5: a paste that leaves anything but digits is refused as
// a whole; digits go in like typed ones.
TEST_P(DrawSizePaste, OnlyDigitsArePasted) {
  const PasteRow& row = GetParam();
  QApplication::clipboard()->setText(U(row.clipboard));
  ASSERT_EQ(QApplication::clipboard()->text(), U(row.clipboard));
  selectDrawSize();
  QTest::keyClick(window(), Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(form().SpinEdit1->text(), U(row.shows));
  EXPECT_EQ(form().SpinEdit1->value(), row.value);
  leaveDrawSize();
  EXPECT_EQ(form().SpinEdit1->text(), QString::number(row.value));
}

INSTANTIATE_TEST_SUITE_P(Clipboard, DrawSizePaste,
                         ::testing::Values(PasteRow{"DigitsAndALetter", "12a", "5", 5},
                                           PasteRow{"Digits", "42", "42", 42},
                                           PasteRow{"Negative", "-3", "5", 5},
                                           PasteRow{"TooLarge", "5000", "5000", 999}),
                         [](const auto& info) { return std::string(info.param.label); });

// ---- File shortcuts ------------------------------------------------------------------

struct ShortcutRow {
  const char* label;
  const char* button;  // object name
  const char* file;    // under the current directory
};
void PrintTo(const ShortcutRow& row, std::ostream* os) { *os << row.label; }

class ShortcutClick : public SideCommandsGui, public ::testing::WithParamInterface<ShortcutRow> {
 protected:
  QAbstractButton* button() { return form().findChild<QAbstractButton*>(U(GetParam().button)); }
};

// Between draws: the editor gets the file the program itself reads and writes, and the
// draw-size field takes the focus, so the next Space release starts a draw.
TEST_P(ShortcutClick, OpensTheFileUnderTheCurrentDirectoryAndSpaceThenStartsADraw) {
  QAbstractButton* b = button();
  ASSERT_NE(b, nullptr);
  click(b);
  ASSERT_EQ(rig_.launcher.opened.size(), 1u);
  const QString expected = QDir::toNativeSeparators(QDir::currentPath() + "/" + U(GetParam().file));
  EXPECT_EQ(platform::fromAnsi(rig_.launcher.opened[0]), expected);
  EXPECT_TRUE(QFileInfo(expected).isAbsolute());
  EXPECT_TRUE(QFileInfo::exists(expected));
  EXPECT_EQ(QApplication::focusWidget(), form().SpinEdit1);

  releaseKey(form(), Qt::Key_Space);
  EXPECT_TRUE(running());
  EXPECT_EQ(rig_.launcher.opened.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, ShortcutClick,
    ::testing::Values(ShortcutRow{"WinnersRecord", "Button3", "抽奖名单/获奖记录.txt"},
                      ShortcutRow{"Settings", "FlatButton2", "抽奖名单/基础配置.ini"},
                      ShortcutRow{"Prizes", "FlatButton3", "抽奖名单/奖项设置.ini"},
                      ShortcutRow{"CandidateList", "SpeedButton1", "抽奖名单/抽奖名单.txt"}),
    [](const auto& info) { return std::string(info.param.label); });

// On a machine with no opener and no editor the click ends in one error report that
// names the file; the window carries on, and Space still starts a draw.
TEST_P(ShortcutClick, WithNothingToOpenTheFileReportsItOnce) {
  rig_.launcher.finds = false;
  QAbstractButton* b = button();
  ASSERT_NE(b, nullptr);
  click(b);
  ASSERT_EQ(rig_.dialogs.errors.size(), 1u);
  EXPECT_EQ(rig_.dialogs.errors[0].caption, T().appTitle);
  const QString expected = QDir::toNativeSeparators(QDir::currentPath() + "/" + U(GetParam().file));
  EXPECT_EQ(platform::fromAnsi(rig_.dialogs.errors[0].text).toStdString(),
            ("Cannot open file \"" + expected + "\" in an editor: no program to open it was found.").toStdString());
  EXPECT_EQ(rig_.launcher.opened.size(), 1u);
  EXPECT_EQ(QApplication::focusWidget(), form().SpinEdit1);

  releaseKey(form(), Qt::Key_Space);
  EXPECT_TRUE(running());
  EXPECT_EQ(rig_.dialogs.errors.size(), 1u);
  rig_.dialogs.errors.clear();  // seen; the fixture checks that no other report came
}

struct DuringDrawRow {
  const char* label;
  const char* button;
  size_t opens;  // files opened by the click
  Qt::Key key;   // released afterwards
};
void PrintTo(const DuringDrawRow& row, std::ostream* os) { *os << row.label; }

class ShortcutDuringADraw : public SideCommandsGui, public ::testing::WithParamInterface<DuringDrawRow> {};

// During a draw the draw-size field cannot take the focus (the prize bar is disabled): the
// window itself takes it, so the next Space or PageDown release stops the draw instead of
// reaching the clicked button; the winners record's button lies in the disabled prize bar.
TEST_P(ShortcutDuringADraw, SpaceOrPageDownThenStopsTheDraw) {
  const DuringDrawRow& row = GetParam();
  releaseKey(form(), Qt::Key_Space);  // Start
  ASSERT_TRUE(running());
  fire(form().Timer2);  // the lock-out ends
  auto* b = form().findChild<QAbstractButton*>(U(row.button));
  ASSERT_NE(b, nullptr);
  click(b);
  EXPECT_EQ(rig_.launcher.opened.size(), row.opens);
  EXPECT_TRUE(running());
  EXPECT_NE(QApplication::focusWidget(), b);

  releaseKey(form(), row.key);
  EXPECT_EQ(rig_.launcher.opened.size(), row.opens);
  EXPECT_FALSE(running());
  EXPECT_EQ(form().Button1->text(), U("开始"));
}

INSTANTIATE_TEST_SUITE_P(Buttons, ShortcutDuringADraw,
                         ::testing::Values(DuringDrawRow{"Settings", "FlatButton2", 1, Qt::Key_Space},
                                           DuringDrawRow{"SettingsPageDown", "FlatButton2", 1, Qt::Key_PageDown},
                                           DuringDrawRow{"Prizes", "FlatButton3", 1, Qt::Key_Space},
                                           DuringDrawRow{"PrizesPageDown", "FlatButton3", 1, Qt::Key_PageDown},
                                           DuringDrawRow{"CandidateList", "SpeedButton1", 1, Qt::Key_Space},
                                           DuringDrawRow{"WinnersRecordDisabled", "Button3", 0, Qt::Key_Space}),
                         [](const auto& info) { return std::string(info.param.label); });

// ---- The input box -------------------------------------------------------------------

TEST(InputBox, LooksAsTheOperatorExpects) {
  platform::QtDialogs dialogs;
  Operator op([](QDialog& box) {
    EXPECT_EQ(box.windowTitle(), U("提示"));
    auto* prompt = box.findChild<QLabel*>();
    auto* entry = box.findChild<QLineEdit*>();
    QPushButton* ok = boxButton(box, "OK");
    QPushButton* cancel = boxButton(box, "Cancel");
    ASSERT_TRUE(prompt && entry && ok && cancel);
    EXPECT_EQ(prompt->text(), U("请输入加入名单的名字"));
    EXPECT_TRUE(prompt->wordWrap());
    EXPECT_EQ(entry->text(), U("默认名"));
    EXPECT_EQ(entry->selectedText(), U("默认名"));
    EXPECT_EQ(entry->maxLength(), 255);
    EXPECT_EQ(box.focusWidget(), entry);
    EXPECT_TRUE(ok->isDefault());
    EXPECT_FALSE(cancel->isDefault());
    // Prompt above the entry above the buttons.
    EXPECT_LE(prompt->geometry().bottom(), entry->geometry().top());
    EXPECT_LE(entry->geometry().bottom(), box.mapFromGlobal(ok->mapToGlobal(QPoint(0, 0))).y());
    // A fixed frame: no resizing, no minimise or maximise box.
    EXPECT_EQ(box.minimumSize(), box.maximumSize());
    EXPECT_EQ(box.size(), box.minimumSize());
    EXPECT_FALSE(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(box.isModal());
    // Centred on the screen.
    const QPoint centre = box.screen()->availableGeometry().center();
    const QPoint off = box.frameGeometry().center() - centre;
    EXPECT_LE(std::abs(off.x()), 1) << off.x();
    EXPECT_LE(std::abs(off.y()), 1) << off.y();
    QTest::keyClick(box.windowHandle(), Qt::Key_Escape);
  });
  EXPECT_EQ(dialogs.inputBox(A("提示"), A("请输入加入名单的名字"), A("默认名")), A("默认名"));
  EXPECT_TRUE(op.acted());
  EXPECT_FALSE(op.forcedClosed());
}

enum class Finish { Enter, OkButton, Escape, CancelButton, CloseBox };

struct AnswerRow {
  const char* label;
  Finish finish;
  bool returnsTyped;  // else the default
};
void PrintTo(const AnswerRow& row, std::ostream* os) { *os << row.label; }

class InputBoxAnswer : public ::testing::TestWithParam<AnswerRow> {};

// The operator types over the selected default, then ends the box one way or another.
TEST_P(InputBoxAnswer, OkGivesTheTextAsTypedEverythingElseTheDefault) {
  const AnswerRow& row = GetParam();
  platform::QtDialogs dialogs;
  Operator op([&](QDialog& box) {
    typeInto(box.windowHandle(), U("  张三 "));
    ASSERT_EQ(box.findChild<QLineEdit*>()->text(), U("  张三 "));
    switch (row.finish) {
      case Finish::Enter: QTest::keyClick(box.windowHandle(), Qt::Key_Return); break;
      case Finish::OkButton: QTest::mouseClick(boxButton(box, "OK"), Qt::LeftButton); break;
      case Finish::Escape: QTest::keyClick(box.windowHandle(), Qt::Key_Escape); break;
      case Finish::CancelButton: QTest::mouseClick(boxButton(box, "Cancel"), Qt::LeftButton); break;
      case Finish::CloseBox: box.close(); break;
    }
  });
  const Text answer = dialogs.inputBox(A("提示"), A("请输入加入名单的名字"), A("默认名"));
  EXPECT_TRUE(op.acted());
  EXPECT_FALSE(op.forcedClosed());
  EXPECT_EQ(answer, row.returnsTyped ? A("  张三 ") : A("默认名"));
}

INSTANTIATE_TEST_SUITE_P(Endings, InputBoxAnswer,
                         ::testing::Values(AnswerRow{"Enter", Finish::Enter, true},
                                           AnswerRow{"OkButton", Finish::OkButton, true},
                                           AnswerRow{"Escape", Finish::Escape, false},
                                           AnswerRow{"CancelButton", Finish::CancelButton, false},
                                           AnswerRow{"CloseBox", Finish::CloseBox, false}),
                         [](const auto& info) { return std::string(info.param.label); });

// The window with the real input box (and fakes for the rest).
class RealInputBox : public ::testing::Test, public WindowUser {
 protected:
  void SetUp() override {
    folder_ = std::make_unique<DrawFolder>(DrawFolder::Content{.names = kNames});
    // An error box would wait for an answer that no test gives: note it and close it.
    QObject::connect(&errorWatch_, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        errorsSeen_.push_back(box->text());
        box->reject();
      }
    });
    errorWatch_.start(20);
    form_ = std::make_unique<TForm1>(TForm1::Services{dialogs_, sound_, launcher_, clock_, screens_, A("/opt/抽奖/")});
    form_->runFormCreate();
    ASSERT_TRUE(showActive(*form_));
    ASSERT_EQ(form_->Label13->text(), U("抽奖名单[8]人"));
  }
  void TearDown() override { EXPECT_TRUE(errorsSeen_.empty()) << errorsSeen_.join(U("\n")).toStdString(); }

  TForm1& win() override { return *form_; }
  TForm1& form() { return *form_; }

  platform::QtDialogs dialogs_;
  FakeSound sound_;
  FakeLauncher launcher_;
  FakeClock clock_;
  FakeScreens screens_;
  QTimer errorWatch_;
  QStringList errorsSeen_;
  std::unique_ptr<DrawFolder> folder_;
  std::unique_ptr<TForm1> form_;
};

TEST_F(RealInputBox, NameTypedWithBlanksJoinsThePoolTrimmed) {
  Operator op([](QDialog& box) {
    EXPECT_EQ(box.windowTitle(), U("提示"));
    EXPECT_EQ(box.findChild<QLineEdit*>()->text(), QString());  // the empty default
    typeInto(box.windowHandle(), U("  张三 "));
    QTest::keyClick(box.windowHandle(), Qt::Key_Return);
  });
  openMenuAt(3);
  choose(form().N1);  // 临时添加名单
  EXPECT_TRUE(op.acted());
  EXPECT_FALSE(op.forcedClosed());

  ASSERT_EQ(form().poolCount(), 9);
  EXPECT_EQ(form().poolName(8), Text("\xD5\xC5\xC8\xFD"));  // 张三 in GBK
  EXPECT_EQ(form().ListBox1->model()->index(8, 0).data().toString(), U("张三"));
  EXPECT_EQ(names(), [] { auto n = ansiNames(); n.push_back(A("张三")); return n; }());
  EXPECT_TRUE(selectedNames().empty());
  EXPECT_EQ(form().Label13->text(), U("抽奖名单[9]人")) << "the count follows at once";
}

// A name that an input method commits with characters GBK lacks joins the pool whole, as
// its GB18030 bytes (䶮 FE9F, 𠮷 95 34 B2 35), and shows as typed.
TEST_F(RealInputBox, NameWithCharactersGbkLacksJoinsThePoolWhole) {
  Operator op([](QDialog& box) {
    QInputMethodEvent committed;
    committed.setCommitString(U("刘䶮𠮷"));
    QCoreApplication::sendEvent(box.findChild<QLineEdit*>(), &committed);
    QTest::keyClick(box.windowHandle(), Qt::Key_Return);
  });
  openMenuAt(3);
  choose(form().N1);  // 临时添加名单
  EXPECT_TRUE(op.acted());

  ASSERT_EQ(form().poolCount(), 9);
  EXPECT_EQ(form().poolName(8), Text("\xC1\xF5\xFE\x9F\x95\x34\xB2\x35"));
  EXPECT_EQ(form().ListBox1->model()->index(8, 0).data().toString(), U("刘䶮𠮷"));
}

// The box is modal: the window takes no keys or clicks while it is open, but the draw
// goes on picking; the name comes in when the box closes and is picked and recorded.
TEST_F(RealInputBox, DrawGoesOnWhileTheBoxIsOpenAndTheNewNameCanWin) {
  form().setDrawSizeValue(9);  // every entry, the new one too, once it is in
  releaseKey(form(), Qt::Key_Space);  // Start
  ASSERT_TRUE(form().Timer1->isActive());
  fire(form().Timer2);  // the lock-out ends: Space or a click would stop the draw now
  int ticks = 0;
  QObject::connect(form().Timer1, &QTimer::timeout, &errorWatch_, [&] { ++ticks; });

  Operator op([&](QDialog& box) {
    const int atOpen = ticks;
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= atOpen + 5; }, 5000)) << ticks - atOpen;
    releaseKey(form(), Qt::Key_Space);
    QTest::mouseClick(form().windowHandle(), Qt::LeftButton, {}, at(form().Button1, QPoint(100, 30)));
    EXPECT_TRUE(form().Timer1->isActive());
    EXPECT_EQ(QApplication::activeModalWidget(), &box);
    typeInto(box.windowHandle(), U(" 郑十一 "));
    QTest::keyClick(box.windowHandle(), Qt::Key_Return);
  });
  openMenuAt(0);
  choose(form().N1);
  EXPECT_TRUE(op.acted());
  EXPECT_FALSE(op.forcedClosed());
  ASSERT_TRUE(form().Timer1->isActive());
  ASSERT_EQ(form().poolCount(), 9);
  EXPECT_EQ(form().poolName(8), A("郑十一"));

  fire(form().Timer1);
  EXPECT_EQ(form().poolSelectedCount(), 9);
  releaseKey(form(), Qt::Key_Space);  // Stop
  ASSERT_FALSE(form().Timer1->isActive());
  EXPECT_EQ(form().Label1->text(), U("9"));
  EXPECT_EQ(form().poolCount(), 0);
  const Text record = DrawFolder::read("抽奖名单/获奖记录.txt");
  EXPECT_NE(record.find(A("郑十一")), Text::npos);
}

}  // namespace
