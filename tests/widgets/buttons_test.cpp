// Focus and key rules of the flat button, the speed button and the flat panel.
#include "helpers.h"
#include "widgets/flatbutton.h"
#include "widgets/flatpanel.h"
#include "widgets/speedbutton.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>

using widgettest::Stage;

namespace {

// A window that counts the key events reaching it: those its children let through.
class KeyCountingStage : public Stage {
 public:
  int presses = 0;
  int releases = 0;

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    ++presses;
    e->accept();
  }
  void keyReleaseEvent(QKeyEvent* e) override {
    ++releases;
    e->accept();
  }
};

void sendKey(QWidget* to, QEvent::Type type, Qt::Key key, const QString& text, bool autoRepeat) {
  QKeyEvent event(type, key, Qt::NoModifier, text, autoRepeat);
  QApplication::sendEvent(to, &event);
}

}  // namespace

TEST(FlatButton, IsATabStopAndTakesTheFocusWhenPressed) {
  Stage stage;
  QLineEdit other(&stage);
  other.setGeometry(5, 5, 60, 20);
  FlatButton button(&stage);
  button.setGeometry(5, 40, 80, 30);
  button.setText("Go");
  ASSERT_TRUE(stage.showActive());

  other.setFocus();
  ASSERT_TRUE(other.hasFocus());
  QTest::mousePress(&button, Qt::LeftButton);
  EXPECT_TRUE(button.hasFocus());
  QTest::mouseRelease(&button, Qt::LeftButton);

  other.setFocus();
  QTest::keyClick(&other, Qt::Key_Tab);
  EXPECT_TRUE(button.hasFocus());
}

TEST(FlatButton, SpaceReleaseClicksOnceAndNoKeyReachesTheWindow) {
  KeyCountingStage stage;
  FlatButton button(&stage);
  button.setGeometry(5, 40, 80, 30);
  QWidget plain(&stage);  // a control that lets its keys through, for comparison
  plain.setFocusPolicy(Qt::StrongFocus);
  plain.setGeometry(100, 40, 40, 30);
  ASSERT_TRUE(stage.showActive());

  plain.setFocus();
  QTest::keyClick(&plain, Qt::Key_PageDown);
  ASSERT_EQ(stage.presses, 1);
  ASSERT_EQ(stage.releases, 1);
  stage.presses = stage.releases = 0;

  button.setFocus();
  ASSERT_TRUE(button.hasFocus());
  QSignalSpy clicks(&button, &QAbstractButton::clicked);
  // Space held down: X11 repeats it as release/press pairs marked auto-repeat.
  sendKey(&button, QEvent::KeyPress, Qt::Key_Space, " ", false);
  sendKey(&button, QEvent::KeyRelease, Qt::Key_Space, " ", true);
  sendKey(&button, QEvent::KeyPress, Qt::Key_Space, " ", true);
  sendKey(&button, QEvent::KeyRelease, Qt::Key_Space, " ", true);
  sendKey(&button, QEvent::KeyPress, Qt::Key_Space, " ", true);
  EXPECT_EQ(clicks.count(), 0);
  sendKey(&button, QEvent::KeyRelease, Qt::Key_Space, " ", false);
  EXPECT_EQ(clicks.count(), 1);

  QTest::keyClick(&button, Qt::Key_PageDown);
  QTest::keyClick(&button, Qt::Key_A);
  QTest::keyClick(&button, Qt::Key_Return);
  QTest::keyClick(&button, Qt::Key_Escape);
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_EQ(stage.presses, 0);
  EXPECT_EQ(stage.releases, 0);
  EXPECT_TRUE(button.hasFocus());
  // The window's key preview tells the two apart.
  EXPECT_TRUE(FlatButton::isFlatButton(&button));
  EXPECT_FALSE(FlatButton::isFlatButton(&plain));
}

TEST(SpeedButton, ClickLeavesTheFocusWhereItWas) {
  Stage stage;
  QLineEdit other(&stage);
  other.setGeometry(5, 5, 60, 20);
  SpeedButton button(&stage);
  button.setGeometry(5, 40, 82, 20);
  button.setText("Edit");
  ASSERT_TRUE(stage.showActive());
  other.setFocus();
  ASSERT_TRUE(other.hasFocus());

  QSignalSpy clicks(&button, &QAbstractButton::clicked);
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_TRUE(other.hasFocus());
  EXPECT_FALSE(button.hasFocus());
  EXPECT_TRUE(button.autoRaise());
}

TEST(FlatPanel, LeftClickInsideEmitsClicked) {
  Stage stage;
  FlatPanel panel(&stage);
  panel.setGeometry(5, 5, 174, 27);
  panel.setText("  pool");
  ASSERT_TRUE(stage.showActive());
  QSignalSpy clicks(&panel, &FlatPanel::clicked);

  QTest::mouseClick(&panel, Qt::LeftButton);
  EXPECT_EQ(clicks.count(), 1);
  QTest::mouseClick(&panel, Qt::RightButton);
  EXPECT_EQ(clicks.count(), 1);
  // Pressed inside, released after the mouse left it: no click.
  QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(300, 10));
  EXPECT_EQ(clicks.count(), 1);
}
