// What assistive technology reads from the window: role, name or text, and state.
#include "helpers.h"

#include "app/poolmodel.h"
#include "app/poolview.h"
#include "widgets/flatbutton.h"
#include "widgets/flatpanel.h"
#include "widgets/numberedit.h"

#include <QAccessible>
#include <QLabel>

using namespace apptest;

namespace {

QString nameOf(QObject* o) {
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(o);
  return a ? a->text(QAccessible::Name) : U("<none>");
}

class Accessibility : public StartedWindow {
 protected:
  void SetUp() override { startOn({"张三", "李四", "王五"}); }
};

TEST_F(Accessibility, LabelsReadTheirData) {
  EXPECT_EQ(nameOf(form_->StaticText1), U("新春联欢会 幸运大抽奖"));
  EXPECT_EQ(nameOf(form_->Label13), U("抽奖名单[3]人"));
  EXPECT_EQ(nameOf(form_->Label1), U("00"));
  form_->setCounter(1, "12");
  EXPECT_EQ(nameOf(form_->Label1), U("12"));
}

TEST_F(Accessibility, PoolEntriesAreListed) {
  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(form_->ListBox1);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->text(QAccessible::Name), U("抽奖名单"));
  QStringList entries;
  for (int i = 0; i < list->childCount(); ++i) {
    QAccessibleInterface* child = list->child(i);
    if (child && child->role() == QAccessible::ListItem) entries << child->text(QAccessible::Name);
  }
  EXPECT_EQ(entries, (QStringList{U("张三"), U("李四"), U("王五")}));
}

TEST_F(Accessibility, ButtonsAndFieldShowRoleNameAndState) {
  QAccessibleInterface* start = QAccessible::queryAccessibleInterface(form_->Button1);
  ASSERT_NE(start, nullptr);
  EXPECT_EQ(start->role(), QAccessible::Button);
  EXPECT_EQ(start->text(QAccessible::Name), U("开始"));
  EXPECT_FALSE(start->state().disabled);

  releaseKey(*form_, Qt::Key_Space);  // Start: the lock-out disables the button
  EXPECT_EQ(start->text(QAccessible::Name), U("停止"));
  EXPECT_TRUE(start->state().disabled);

  QAccessibleInterface* field = QAccessible::queryAccessibleInterface(form_->SpinEdit1);
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->text(QAccessible::Name), U("本次选出人数"));
  EXPECT_EQ(field->text(QAccessible::Value), U("5"));
  EXPECT_TRUE(field->state().disabled);  // inside the disabled prize bar
}

}  // namespace
