// What assistive technology learns about the flat button, the flat panel and the
// number edit.
#include "helpers.h"
#include "widgets/flatbutton.h"
#include "widgets/flatpanel.h"
#include "widgets/numberedit.h"

#include <QAccessible>
#include <QAccessibleInterface>

TEST(Accessibility, FlatButtonIsAButtonNamedByItsCaption) {
  widgettest::Stage stage;
  FlatButton button(&stage);
  button.setText(QString::fromUtf8("开始"));
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&button);
  ASSERT_NE(iface, nullptr);
  EXPECT_EQ(iface->role(), QAccessible::PushButton);
  EXPECT_EQ(iface->text(QAccessible::Name), QString::fromUtf8("开始"));
  EXPECT_FALSE(iface->state().disabled);
  EXPECT_TRUE(iface->state().focusable);
  ASSERT_NE(iface->actionInterface(), nullptr);
  EXPECT_TRUE(iface->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
  button.setEnabled(false);
  EXPECT_TRUE(iface->state().disabled);
}

TEST(Accessibility, FlatPanelIsStaticTextNamedByItsCaption) {
  widgettest::Stage stage;
  FlatPanel panel(&stage);
  panel.setText(QString::fromUtf8("抽奖名单[12]人"));
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&panel);
  ASSERT_NE(iface, nullptr);
  EXPECT_EQ(iface->role(), QAccessible::StaticText);
  EXPECT_EQ(iface->text(QAccessible::Name), QString::fromUtf8("抽奖名单[12]人"));
}

TEST(Accessibility, NumberEditIsASpinBoxWhoseValueTextIsTheFieldText) {
  widgettest::Stage stage;
  NumberEdit edit(&stage);
  edit.setGeometry(10, 10, 44, 22);
  edit.setRange(1, 999);
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&edit);
  ASSERT_NE(iface, nullptr);
  EXPECT_EQ(iface->role(), QAccessible::SpinBox);

  QTest::keyClicks(&edit, "1000");  // shown as typed; the value is brought to 999
  EXPECT_EQ(iface->text(QAccessible::Value), "1000");
  ASSERT_NE(iface->valueInterface(), nullptr);
  EXPECT_EQ(iface->valueInterface()->currentValue().toInt(), 999);
  EXPECT_EQ(iface->valueInterface()->minimumValue().toInt(), 1);
  EXPECT_EQ(iface->valueInterface()->maximumValue().toInt(), 999);
  edit.setValue(5);
  EXPECT_EQ(iface->text(QAccessible::Value), "5");
}
