// The number edit as the draw-size field uses it: range 1 to 999, text and value,
// rewriting on focus loss, stepping, paste, and the key and mouse hooks.
#include "helpers.h"
#include "widgets/numberedit.h"

#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

using widgettest::Stage;

namespace {

// The rows of the table below act on the fixture, so its helpers are public.
class NumberEditTest : public ::testing::Test {
 public:
  void SetUp() override {
    other.setGeometry(100, 10, 60, 20);
    edit.setGeometry(10, 10, 44, 22);
    edit.setRange(1, 999);
    edit.setValue(5);
    ASSERT_TRUE(stage.showActive());
    edit.setFocus();
    ASSERT_TRUE(edit.hasFocus());
  }

  void leave() {
    other.setFocus();
    ASSERT_FALSE(edit.hasFocus());
  }

  void selectAllAndType(const QString& keys) {
    edit.selectAll();
    QTest::keyClicks(&edit, keys);
  }

  void clearField() {
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Delete);
  }

  void paste(const QString& clip, Qt::Key key, Qt::KeyboardModifiers mods) {
    QApplication::clipboard()->setText(clip);
    QTest::keyClick(&edit, key, mods);
  }

  void clickStepButton(QStyle::SubControl which) {
    QStyleOptionSpinBox opt;
    opt.initFrom(&edit);
    opt.frame = edit.hasFrame();
    opt.buttonSymbols = edit.buttonSymbols();
    opt.subControls = QStyle::SC_All;
    const QRect r = edit.style()->subControlRect(QStyle::CC_SpinBox, &opt, which, &edit);
    ASSERT_TRUE(r.isValid());
    QTest::mouseClick(&edit, Qt::LeftButton, {}, r.center());
  }

  Stage stage;
  QLineEdit other{&stage};
  NumberEdit edit{&stage};
};

// One row: what the user does to a focused field showing 5, then what it holds while
// it keeps the focus and what it shows after the focus has moved away.
struct EditCase {
  std::string name;
  std::function<void(NumberEditTest&)> act;
  bool hasValue;
  int value;
  QString textWhileFocused;
  QString textAfterLeaving;
};

void PrintTo(const EditCase& c, std::ostream* os) { *os << c.name; }

class NumberEditTable : public NumberEditTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(NumberEditTable, TextValueAndFocusLoss) {
  const EditCase& c = GetParam();
  c.act(*this);
  EXPECT_EQ(edit.hasValue(), c.hasValue);
  if (c.hasValue) {
    EXPECT_EQ(edit.value(), c.value);
  }
  EXPECT_EQ(edit.text(), c.textWhileFocused);
  leave();
  EXPECT_EQ(edit.hasValue(), c.hasValue);
  if (c.hasValue) {
    EXPECT_EQ(edit.value(), c.value);
  }
  EXPECT_EQ(edit.text(), c.textAfterLeaving);
}

const EditCase kEditCases[] = {
    {"Typed1000", [](NumberEditTest& t) { t.selectAllAndType("1000"); }, true, 999, "1000", "999"},
    {"ZeroOverSelectedFive", [](NumberEditTest& t) { t.selectAllAndType("0"); }, true, 1, "0", "1"},
    {"LeadingZeros", [](NumberEditTest& t) { t.selectAllAndType("007"); }, true, 7, "007", "7"},
    {"DigitAppended",
     [](NumberEditTest& t) {
       QTest::keyClick(&t.edit, Qt::Key_End);
       QTest::keyClick(&t.edit, Qt::Key_7);
     },
     true, 57, "57", "57"},
    {"ClearedWithDelete", [](NumberEditTest& t) { t.clearField(); }, false, 0, "", ""},
    {"OtherCharactersRefused",
     [](NumberEditTest& t) {
       QTest::keyClick(&t.edit, Qt::Key_End);
       QTest::keyClicks(&t.edit, "a -.,+");
     },
     true, 5, "5", "5"},
    {"UpKeyAtMaximum",
     [](NumberEditTest& t) {
       t.edit.setValue(999);
       QTest::keyClick(&t.edit, Qt::Key_Up);
     },
     true, 999, "999", "999"},
    {"DownKeyAtMinimum",
     [](NumberEditTest& t) {
       t.edit.setValue(1);
       QTest::keyClick(&t.edit, Qt::Key_Down);
     },
     true, 1, "1", "1"},
    {"UpKeyFromFive", [](NumberEditTest& t) { QTest::keyClick(&t.edit, Qt::Key_Up); }, true, 6, "6", "6"},
    {"UpKeyFromEmpty",
     [](NumberEditTest& t) {
       t.clearField();
       QTest::keyClick(&t.edit, Qt::Key_Up);
     },
     true, 1, "1", "1"},
    {"DownKeyFromEmpty",
     [](NumberEditTest& t) {
       t.clearField();
       QTest::keyClick(&t.edit, Qt::Key_Down);
     },
     true, 1, "1", "1"},
    {"UpKeyAfterTypingAboveRange",
     [](NumberEditTest& t) {
       t.selectAllAndType("1000");
       QTest::keyClick(&t.edit, Qt::Key_Up);
     },
     true, 999, "999", "999"},
    {"DownButtonFromFive", [](NumberEditTest& t) { t.clickStepButton(QStyle::SC_SpinBoxDown); }, true, 4, "4",
     "4"},
    {"UpButtonAtMaximum",
     [](NumberEditTest& t) {
       t.edit.setValue(999);
       t.clickStepButton(QStyle::SC_SpinBoxUp);
     },
     true, 999, "999", "999"},
    {"DownButtonAtMinimum",
     [](NumberEditTest& t) {
       t.edit.setValue(1);
       t.clickStepButton(QStyle::SC_SpinBoxDown);
     },
     true, 1, "1", "1"},
    {"PageKeysDoNotStep",
     [](NumberEditTest& t) {
       QTest::keyClick(&t.edit, Qt::Key_PageUp);
       QTest::keyClick(&t.edit, Qt::Key_PageDown);
     },
     true, 5, "5", "5"},
    {"PasteWithLetterRefused",
     [](NumberEditTest& t) {
       t.edit.selectAll();
       t.paste("12a", Qt::Key_Insert, Qt::ShiftModifier);
     },
     true, 5, "5", "5"},
    {"PasteOfMinusRefused",
     [](NumberEditTest& t) {
       t.edit.selectAll();
       t.paste("-3", Qt::Key_V, Qt::ControlModifier);
     },
     true, 5, "5", "5"},
    {"PasteOfDigitsOverSelection",
     [](NumberEditTest& t) {
       t.edit.selectAll();
       t.paste("42", Qt::Key_V, Qt::ControlModifier);
     },
     true, 42, "42", "42"},
    {"PasteAppended",
     [](NumberEditTest& t) {
       QTest::keyClick(&t.edit, Qt::Key_End);
       t.paste("7", Qt::Key_Insert, Qt::ShiftModifier);
     },
     true, 57, "57", "57"},
    {"PasteAboveRange",
     [](NumberEditTest& t) {
       t.edit.selectAll();
       t.paste("12345678901234567890", Qt::Key_Insert, Qt::ShiftModifier);
     },
     true, 999, "12345678901234567890", "999"},
};

INSTANTIATE_TEST_SUITE_P(DrawSizeField, NumberEditTable, ::testing::ValuesIn(kEditCases),
                         [](const ::testing::TestParamInfo<EditCase>& info) { return info.param.name; });

TEST_F(NumberEditTest, RefusedCharacterIsNotInsertedAndBackspaceDoesNotDelete) {
  std::vector<QChar> seen;
  edit.onKeyPress = [&](QChar& c) {
    seen.push_back(c);
    if (c < u'0' || c > u'9') c = QChar();
  };
  QApplication::clipboard()->setText("9");
  QTest::keyClick(&edit, Qt::Key_End);
  QTest::keyClick(&edit, Qt::Key_A);
  QTest::keyClick(&edit, Qt::Key_Backspace);
  QTest::keyClick(&edit, Qt::Key_Space);
  // Ctrl+V as the platforms deliver it: the control character 0x16.
  QKeyEvent ctrlV(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QString(QChar(0x16)));
  QApplication::sendEvent(&edit, &ctrlV);
  EXPECT_EQ(edit.text(), "5");
  EXPECT_EQ(seen, (std::vector<QChar>{u'a', u'\b', u' ', QChar(0x16)}));

  QTest::keyClick(&edit, Qt::Key_3);
  EXPECT_EQ(edit.text(), "53");
  EXPECT_EQ(edit.value(), 53);
  EXPECT_EQ(seen.back(), u'3');
}

TEST_F(NumberEditTest, KeysWithoutACharacterBypassTheHookAndKeepTheirEffect) {
  int calls = 0;
  edit.onKeyPress = [&](QChar& c) {
    ++calls;
    c = QChar();
  };
  edit.setValue(57);
  QTest::keyClick(&edit, Qt::Key_Home);
  QTest::keyClick(&edit, Qt::Key_Delete);
  EXPECT_EQ(edit.text(), "7");
  QTest::keyClick(&edit, Qt::Key_Up);
  EXPECT_EQ(edit.text(), "8");
  QTest::keyClick(&edit, Qt::Key_End);
  QTest::keyClick(&edit, Qt::Key_Left);
  // Delete as X11 delivers it, with the text "\x7f".
  QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7f)));
  QApplication::sendEvent(&edit, &del);
  EXPECT_EQ(edit.text(), "");
  EXPECT_FALSE(edit.hasValue());
  EXPECT_EQ(calls, 0);
}

TEST_F(NumberEditTest, HookMayReplaceTheCharacter) {
  edit.onKeyPress = [](QChar& c) {
    if (c == u'x') c = u'8';
  };
  QTest::keyClick(&edit, Qt::Key_End);
  QTest::keyClick(&edit, Qt::Key_X);
  EXPECT_EQ(edit.text(), "58");
}

// The window's guard sets the value from inside the hook; the field goes on from there.
TEST_F(NumberEditTest, ValueSetInsideTheHookStands) {
  edit.onKeyPress = [&](QChar& c) {
    if (c < u'0' || c > u'9') c = QChar();
    if (!edit.hasValue() || edit.value() < 1) edit.setValue(1);
  };
  clearField();
  ASSERT_FALSE(edit.hasValue());
  QTest::keyClick(&edit, Qt::Key_Space);
  EXPECT_EQ(edit.text(), "1");
  EXPECT_EQ(edit.value(), 1);
}

TEST_F(NumberEditTest, MouseDownHookRunsBeforeThePressOnTheEditArea) {
  int calls = 0;
  edit.onMouseDown = [&] {
    ++calls;
    if (!edit.hasValue()) edit.setValue(1);
  };
  clearField();
  auto* editArea = edit.findChild<QLineEdit*>();
  ASSERT_NE(editArea, nullptr);
  QTest::mouseClick(editArea, Qt::LeftButton, {}, QPoint(3, 5));
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(edit.text(), "1");
  QTest::mousePress(editArea, Qt::MiddleButton, {}, QPoint(3, 5));
  EXPECT_EQ(calls, 2);
  QTest::mouseRelease(editArea, Qt::MiddleButton, {}, QPoint(3, 5));
  // The step buttons are not the edit area.
  clickStepButton(QStyle::SC_SpinBoxUp);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(edit.text(), "2");
}

TEST_F(NumberEditTest, ValueChangedFollowsTheText) {
  std::vector<int> values;
  QObject::connect(&edit, &NumberEdit::valueChanged, &edit, [&](int v) { values.push_back(v); });
  selectAllAndType("1000");
  clearField();
  // 1, 10, 100, 1000 (clamped to 999), then no value (0).
  EXPECT_EQ(values, (std::vector<int>{1, 10, 100, 999, 0}));
}

TEST_F(NumberEditTest, RangeChangeWorksTheValueOutAgainFromTheText) {
  edit.setValue(500);
  edit.setRange(1, 99);  // while the field is in use its text stays
  EXPECT_EQ(edit.value(), 99);
  EXPECT_EQ(edit.text(), "500");
  leave();
  EXPECT_EQ(edit.text(), "99");
  edit.setRange(200, 300);  // away from the field the text follows at once
  EXPECT_EQ(edit.value(), 200);
  EXPECT_EQ(edit.text(), "200");
}

}  // namespace
