// Application start: the window's design state, FormCreate before FormShow, the continue
// question before the window is on screen, the first show's place and focus, closing.
#include "helpers.h"

#include "app/design.h"
#include "app/poolmodel.h"
#include "app/start.h"
#include "data/leftovers.h"
#include "data/texts.h"
#include "widgets/colorkeyimage.h"
#include "widgets/flatbutton.h"
#include "widgets/flatpanel.h"
#include "widgets/numberedit.h"
#include "widgets/speedbutton.h"

#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QStatusBar>

#ifndef _WIN32
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace apptest;

namespace {

// Remembers what the window looked like when the question was asked.
class WatchingDialogs : public FakeDialogs {
 public:
  TForm1* form = nullptr;
  bool visibleWhenAsked = true;
  QString poolCaptionWhenAsked;
  Answer askYesNo(const Text& caption, const Text& text) override {
    visibleWhenAsked = form->isVisible();
    poolCaptionWhenAsked = form->Label13->text();
    return FakeDialogs::askYesNo(caption, text);
  }
};

TEST(Start, DesignStateBeforeAnyHandler) {
  FormRig rig;
  auto form = rig.makeForm();
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->windowTitle(), U("澄曜晚会抽奖系统 V3.7 霁岩版"));
  EXPECT_EQ(form->size(), QSize(932, 673));
  EXPECT_EQ(form->Label13->text(), U("  抽奖名单"));
  EXPECT_EQ(form->StaticText1->text(), U("澄曜幸运星 天天拿奖金"));
  EXPECT_EQ(form->Button1->text(), U("开始"));
  EXPECT_EQ(form->RadioButton1->text(), U("特等奖"));
  EXPECT_TRUE(form->RadioButton1->isChecked());
  EXPECT_TRUE(form->RadioButton1->isVisibleTo(form.get()));
  EXPECT_TRUE(form->Label1->isVisibleTo(form.get()));
  for (QWidget* hidden : {static_cast<QWidget*>(form->RadioButton2), static_cast<QWidget*>(form->RadioButton6),
                          static_cast<QWidget*>(form->Label4), static_cast<QWidget*>(form->Label8)})
    EXPECT_FALSE(hidden->isVisibleTo(form.get()));
  EXPECT_EQ(form->RadioButton6->text(), U("五等奖"));
  EXPECT_EQ(form->Label8->text(), U("00"));
  EXPECT_EQ(form->SpinEdit1->text(), U("5"));
  EXPECT_FALSE(form->Timer1->isActive());
  EXPECT_FALSE(form->Timer2->isActive());
  EXPECT_EQ(form->Timer1->interval(), 16);  // one frame at 60 Hz
  EXPECT_EQ(form->Timer1->timerType(), Qt::PreciseTimer);
  EXPECT_EQ(form->Timer2->interval(), 2000);
  EXPECT_EQ(form->poolCount(), 0);
  EXPECT_EQ(form->Image1->picture().size(), QSize(650, 500));  // the built-in picture
  EXPECT_FALSE(form->Button3->glyph().isNull());
  EXPECT_EQ(form->Button1->toolTip(), U("点这里开始抽奖"));
  EXPECT_EQ(form->FlatButton1->toolTip(), U("取消正在进行的抽奖"));
  EXPECT_EQ(form->Label13->toolTip(), U("点这里可以屏蔽翻页键"));
  EXPECT_EQ(form->FlatButton2->toolTip(), QString());

  QStringList menu;
  for (QAction* a : form->PopupMenu1->actions()) menu << (a->isSeparator() ? U("-") : a->text());
  // The design's menu with the staff-list import after 临时添加名单.
  EXPECT_EQ(menu, (QStringList{U("临时添加名单"), U("导入名单…"), U("-"), U("删除所选"), U("-"), U("取消")}));

  const QList<QLabel*> panels = form->StatusBar1->findChildren<QLabel*>();
  ASSERT_EQ(panels.size(), 2);
  EXPECT_LE(panels[0]->x() + panels[0]->width(), panels[1]->x());
  EXPECT_EQ(panels[1]->x(), 555) << "the first panel ends where the second starts";
  EXPECT_EQ(panels[1]->text(), U("提示：修改设置后，需重新打开软件才能生效。"));
  EXPECT_TRUE(form->StatusBar1->isSizeGripEnabled());
}

TEST(Start, StackingAndTabOrderFollowTheDesign) {
  FormRig rig;
  auto form = rig.makeForm();
  // Slot 6's radio button lies over cxGroupBox3, its counter under it.
  const QObjectList& bar = form->Panel8->children();
  auto at = [](const QObjectList& list, QObject* o) { return list.indexOf(o); };
  EXPECT_LT(at(bar, form->Label8), at(bar, form->cxGroupBox3));
  EXPECT_LT(at(bar, form->cxGroupBox3), at(bar, form->RadioButton6));
  const QObjectList& stage = form->Panel18->children();
  EXPECT_LT(at(stage, form->Image1), at(stage, form->StaticText1));  // headline over picture
  EXPECT_LT(at(stage, form->StaticText1), at(stage, form->cxGroupBox1));  // buttons over headline

  // Tab stops in order: the checked slot, the record button, the draw-size field, then the
  // buttons under the headline. The other slots and the pool list are no tab stops.
  std::vector<QWidget*> chain;
  QWidget* w = form->RadioButton1;
  do {
    if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !w->focusProxy()) chain.push_back(w);
    w = w->nextInFocusChain();
  } while (w != form->RadioButton1 && chain.size() < 20);
  const std::vector<QWidget*> expected = {form->RadioButton1, form->Button3, form->SpinEdit1, form->Button1,
                                          form->FlatButton1, form->FlatButton2, form->FlatButton3};
  EXPECT_EQ(chain, expected);
}

TEST(Start, FormCreateThenQuestionBeforeShowThenCentredWithFocusOnSlotOne) {
  DrawFolder folder({.names = {"张三", "李四", "王五"}});
  WatchingDialogs dialogs;
  dialogs.answer = FakeDialogs::Answer::No;
  FormRig rig;
  rig.screens.all = QRect(0, 0, 800, 600);  // smaller than the window
  TForm1 form({dialogs, rig.sound, rig.launcher, rig.clock, rig.screens, rig.exeDir});
  dialogs.form = &form;

  form.startUp();
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(dialogs.questions[0].caption, A("提示"));
  EXPECT_EQ(dialogs.questions[0].text, A("是否继续上次的获奖记录？"));
  EXPECT_FALSE(dialogs.visibleWhenAsked);
  EXPECT_EQ(dialogs.poolCaptionWhenAsked, U("抽奖名单[3]人"));  // FormCreate ran first
  EXPECT_TRUE(dialogs.errors.empty());

  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  EXPECT_EQ(form.pos(), QPoint(0, 0));
  EXPECT_EQ(QApplication::focusWidget(), form.RadioButton1);
  EXPECT_EQ(form.StaticText1->text(), U("新春联欢会 幸运大抽奖"));
  EXPECT_TRUE(form.RadioButton2->isVisible());
  EXPECT_EQ(form.RadioButton2->text(), U("一等奖"));
  EXPECT_FALSE(form.RadioButton3->isVisible());
  EXPECT_EQ(form.Image1->picture().size(), QSize(40, 30));
  EXPECT_EQ(DrawFolder::read("抽奖名单/获奖记录.txt"), A("[特别大奖]\r\n\r\n[一等奖]\r\n\r\n"));
}

TEST(Start, ContinuingRestoresCountersAndPrunesThePool) {
  DrawFolder folder({.names = {"张三", "李四", "王五", "赵六"}});
  DrawFolder::write("抽奖名单/获奖记录.txt", {"[特别大奖]", "李四", "[一等奖]", "张三，赵六"});
  FormRig rig;
  rig.dialogs.answer = FakeDialogs::Answer::Yes;
  auto form = rig.makeForm();
  form->startUp();
  EXPECT_EQ(form->Label1->text(), U("1"));
  EXPECT_EQ(form->Label4->text(), U("2"));
  EXPECT_EQ(form->Label13->text(), U("抽奖名单[1]人"));
  ASSERT_EQ(form->poolCount(), 1);
  EXPECT_EQ(form->poolName(0), A("王五"));
}

TEST(Start, FailingFormCreateStillShowsTheWindowInItsDesignState) {
  testkit::TempCwd empty;  // no draw folder here
  FormRig rig;
  rig.dialogs.answer = FakeDialogs::Answer::No;
  auto form = rig.makeForm();
  form->startUp();

  ASSERT_EQ(rig.dialogs.errors.size(), 2u);  // FormCreate's open error, FormShow's create error
  EXPECT_EQ(rig.dialogs.errors[0].caption, T().appTitle);
  EXPECT_EQ(rig.dialogs.errors[0].text.rfind("Cannot open file", 0), 0u);
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->Label13->text(), U("  抽奖名单"));
  EXPECT_EQ(form->StaticText1->text(), U("澄曜幸运星 天天拿奖金"));
}

// A kill in the middle of a save leaves the save's temporary file behind; the next start
// removes it, unless another copy of the program runs in the same folder (the file may be
// its save in progress). That copy says so once and does not draw there.
TEST(Start, RemovesWhatKilledSavesLeftUnlessAnotherCopyRunsInTheFolder) {
  DrawFolder folder({.names = {"张三", "李四"}});
  auto files = [] {
    return QDir(U("抽奖名单")).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
  };
  auto has = [&](const char* name) { return files().contains(U(name)); };
  DrawFolder::write("抽奖名单/获奖记录.txt.k1LLed", {"[特别大奖]", "张"});
  DrawFolder::write("抽奖名单/获奖记录-20240203-193000.txt.aB3dE9", {"[特别大奖]"});
  DrawFolder::write("抽奖名单/获奖记录.txt.bak", {"留着"});
  DrawFolder::write("抽奖名单/获奖记录.txt.1", {"留着"});

  FormRig first;
  first.dialogs.answer = FakeDialogs::Answer::No;
  auto running = first.makeForm();
  running->startUp();
  EXPECT_FALSE(has("获奖记录.txt.k1LLed"));
  EXPECT_FALSE(has("获奖记录-20240203-193000.txt.aB3dE9"));
  EXPECT_TRUE(has("获奖记录.txt.bak"));
  EXPECT_TRUE(has("获奖记录.txt.1"));
  EXPECT_TRUE(has("获奖记录.txt"));

  DrawFolder::write("抽奖名单/获奖记录.txt.InPrgs", {"[特别大奖]"});
  FormRig second;
  second.dialogs.answer = FakeDialogs::Answer::Yes;
  auto beside = second.makeForm();
  EXPECT_FALSE(beside->startUp());
  EXPECT_TRUE(has("获奖记录.txt.InPrgs"));
  EXPECT_EQ(second.dialogs.errors.size(), 1u);
  EXPECT_TRUE(second.dialogs.questions.empty());
  EXPECT_FALSE(beside->isVisible());
  EXPECT_EQ(beside->poolCount(), 0);

  beside.reset();
  running.reset();  // the program ends
  FormRig third;
  third.dialogs.answer = FakeDialogs::Answer::Yes;
  third.makeForm()->startUp();
  EXPECT_FALSE(has("获奖记录.txt.InPrgs"));
  EXPECT_TRUE(has("获奖记录.txt.bak"));
}

#ifndef _WIN32
// A second start (a double click too many) in a folder that a running program holds: one
// clear message, no question, no window, and the record and the pool file untouched.
TEST(Start, ASecondProcessOnTheFolderSaysSoAndDoesNotDraw) {
  DrawFolder folder({.names = {"张三", "李四"}});
  DrawFolder::write("抽奖名单/获奖记录.txt", {"[特等奖]", "张三"});
  const Text record = DrawFolder::read("抽奖名单/获奖记录.txt");
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {  // the running program
    ::close(ready[0]);
    platform::FolderLock claim = ClaimDrawFolder();
    const char held = claim.held() ? '1' : '0';
    (void)!::write(ready[1], &held, 1);
    for (;;) ::pause();
  }
  ::close(ready[1]);
  char held = 0;
  ASSERT_EQ(::read(ready[0], &held, 1), 1);
  ::close(ready[0]);
  ASSERT_EQ(held, '1');

  FormRig rig;
  rig.dialogs.answer = FakeDialogs::Answer::No;  // would write a fresh record if asked
  auto form = rig.makeForm();
  EXPECT_FALSE(form->startUp());
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);

  ASSERT_EQ(rig.dialogs.errors.size(), 1u);
  EXPECT_NE(rig.dialogs.errors[0].text.find("already running"), Text::npos) << rig.dialogs.errors[0].text;
  EXPECT_TRUE(rig.dialogs.questions.empty());
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->poolCount(), 0);
  EXPECT_EQ(DrawFolder::read("抽奖名单/获奖记录.txt"), record);

  // Once the running program has ended, the folder is free again.
  FormRig next;
  next.dialogs.answer = FakeDialogs::Answer::Yes;
  auto after = next.makeForm();
  EXPECT_TRUE(after->startUp());
  EXPECT_TRUE(next.dialogs.errors.empty());
  EXPECT_EQ(after->poolCount(), 1);
}
#endif

// Notepad saves UTF-8, Excel's Unicode text is UTF-16: the names show as typed.
TEST(Start, NamesFileSavedAsUtf8OrUtf16ShowsItsNames) {
  const QString names = U("张三\r\n阿依古丽·买买提\r\n欧阳娜娜\r\n");
  const QByteArray le = QByteArray("\xFF\xFE", 2) +
                        QByteArray(reinterpret_cast<const char*>(names.utf16()), names.size() * 2);
  for (const QByteArray& bytes : {names.toUtf8(), QByteArray("\xEF\xBB\xBF") + names.toUtf8(), le}) {
    DrawFolder folder({});
    QFile f(U("抽奖名单/抽奖名单.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    f.close();
    FormRig rig;
    rig.dialogs.answer = FakeDialogs::Answer::No;
    auto form = rig.makeForm();
    form->startUp();
    EXPECT_TRUE(rig.dialogs.errors.empty());
    ASSERT_EQ(form->poolCount(), 3);
    EXPECT_EQ(form->poolName(1), A("阿依古丽·买买提"));
    EXPECT_EQ(form->poolModel().data(form->poolModel().index(1), Qt::DisplayRole).toString(),
              U("阿依古丽·买买提"));
    EXPECT_EQ(form->Label13->text(), U("抽奖名单[3]人"));
  }
}

// Characters GBK lacks, in a file saved as UTF-8: no report, every name whole in the pool
// as its GB18030 bytes and shown as it was written.
TEST(Start, CharactersGbkLacksAreKeptAndShown) {
  DrawFolder folder({.prizeCount = "2", .prizes = {"特别大奖", "一等奖"}});
  QFile f(U("抽奖名单/抽奖名单.txt"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(U("张三\n王五😀\n刘䶮\n𠮷田\n").toUtf8());
  f.close();
  FormRig rig;
  rig.dialogs.answer = FakeDialogs::Answer::No;
  auto form = rig.makeForm();
  form->startUp();

  EXPECT_TRUE(rig.dialogs.errors.empty());
  EXPECT_EQ(rig.dialogs.questions.size(), 1u);
  EXPECT_TRUE(form->isVisible());
  ASSERT_EQ(form->poolCount(), 4);
  EXPECT_EQ(form->poolName(1), Text("\xCD\xF5\xCE\xE5\x94\x39\xFC\x36"));  // 王五😀
  EXPECT_EQ(form->poolName(2), Text("\xC1\xF5\xFE\x9F"));                  // 刘䶮
  EXPECT_EQ(form->poolName(3), Text("\x95\x34\xB2\x35\xCC\xEF"));          // 𠮷田
  const QStringList shown = {U("王五😀"), U("刘䶮"), U("𠮷田")};
  for (int i = 1; i <= 3; ++i)
    EXPECT_EQ(form->poolModel().data(form->poolModel().index(i), Qt::DisplayRole).toString(), shown[i - 1]);
}

TEST(Start, ApplicationTitleAndIcon) {
  setUpApplication();
  EXPECT_EQ(QApplication::applicationName(), U("澄曜晚会抽奖系统 霁岩版"));
  EXPECT_TRUE(QApplication::quitOnLastWindowClosed());
  const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
  EXPECT_TRUE(sizes.contains(QSize(16, 16)));
  EXPECT_TRUE(sizes.contains(QSize(256, 256)));
}

// Closing during a draw asks nothing and writes nothing.
TEST(Start, ClosingDuringADrawWritesNothing) {
  DrawFolder folder({.names = {"张三", "李四", "王五", "赵六", "钱七", "孙八"}});
  FormRig rig;
  rig.dialogs.answer = FakeDialogs::Answer::No;
  auto form = rig.makeForm();
  form->startUp();
  const Text before = DrawFolder::read("抽奖名单/获奖记录.txt");
  releaseKey(*form, Qt::Key_Space);
  fire(form->Timer1);
  ASSERT_TRUE(form->Timer1->isActive());
  EXPECT_TRUE(form->close());
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(rig.dialogs.questions.size(), 1u);
  EXPECT_EQ(DrawFolder::read("抽奖名单/获奖记录.txt"), before);
}

// The design rows are the one statement of the stacking: in every container the widgets
// lie bottom to top in the order of their rows.
TEST(Start, EveryContainerStacksItsComponentsInRowOrder) {
  FormRig rig;
  auto form = rig.makeForm();
  QStringList designed;
  for (const design::Component& c : design::components()) designed << QString::fromUtf8(c.name);
  int containers = 0;
  for (QWidget* container : form->findChildren<QWidget*>()) {
    const QString parent = container->objectName();
    QStringList rows, stacked;
    for (const design::Component& c : design::components())
      if (c.parent && parent == QString::fromUtf8(c.parent)) rows << QString::fromUtf8(c.name);
    if (rows.isEmpty() || !designed.contains(parent)) continue;
    for (QObject* child : container->children())
      if (child->isWidgetType() && designed.contains(child->objectName())) stacked << child->objectName();
    EXPECT_EQ(stacked, rows) << parent.toStdString();
    ++containers;
  }
  EXPECT_EQ(containers, 7);  // Panel8, cxGroupBox3, Panel18, cxGroupBox1, cxGroupBox2, Panel4, Label13
}

}  // namespace
