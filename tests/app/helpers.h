#pragma once
// Pieces the window tests share beyond the test kit (tests/support): the draw folder with
// its files written, and what a user does (clicks on the pool, keys through the window
// system, timer ticks without waiting).
#include "support/fake_form.h"
#include "support/files.h"
#include "support/gbk.h"
#include "support/gui.h"

#include "app/form1.h"
#include "app/keypreview.h"
#include "app/poolmodel.h"
#include "app/poolview.h"
#include "platform/codec.h"
#include "platform/gui.h"
#include "widgets/bevelpanel.h"
#include "widgets/groupbox.h"
#include "widgets/headline.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace apptest {

using testkit::A;
using testkit::kSep;
using testkit::showActive;
using testkit::splitNames;
using testkit::U;

// A fresh current directory holding a draw folder "抽奖名单"; the previous current
// directory comes back at the end.
class DrawFolder : public testkit::TempCwd {
 public:
  struct Content {
    std::vector<std::string> names;  // UTF-8, written as GBK lines
    std::string headline = "新春联欢会 幸运大抽奖";
    std::string prizeCount = "2";
    std::vector<std::string> prizes = {"特别大奖", "一等奖"};
  };

  explicit DrawFolder(const Content& c) {
    EXPECT_TRUE(ok());
    EXPECT_TRUE(makeDrawFolder());
    std::vector<std::string> settings = {"背景图片：", "背景.bmp", "标题文字：", c.headline,
                                         "奖项个数：", c.prizeCount};
    write("抽奖名单/抽奖名单.txt", c.names);
    write("抽奖名单/基础配置.ini", settings);
    write("抽奖名单/奖项设置.ini", c.prizes);
    QImage picture(40, 30, QImage::Format_RGB888);
    picture.fill(Qt::darkGreen);
    EXPECT_TRUE(picture.save(U("抽奖名单/背景.bmp"), "BMP"));
  }

  // Writes UTF-8 lines as a file of the draw folder: GBK, every line ended by CR LF.
  static void write(const char* path, const std::vector<std::string>& lines) {
    Text bytes;
    for (const auto& line : lines) bytes += A(line) + "\r\n";
    ASSERT_TRUE(testkit::writeBytes(path, bytes)) << path;
  }
  // The bytes of a file of the draw folder.
  static Text read(const char* path) { return testkit::readBytes(path).value_or("<missing>"); }
};

// A window started as on the evening: a draw folder of the given names, the continue
// question answered No (a fresh winners record), start-up run, the window shown and active.
class StartedWindow : public ::testing::Test {
 protected:
  void startOn(std::vector<std::string> names) {
    folder_ = std::make_unique<DrawFolder>(DrawFolder::Content{.names = std::move(names)});
    rig_.dialogs.answer = FakeDialogs::Answer::No;
    form_ = rig_.makeForm();
    form_->startUp();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  }
  TForm1& form() { return *form_; }

  FormRig rig_;
  std::unique_ptr<DrawFolder> folder_;
  std::unique_ptr<TForm1> form_;
};

// The pool's names in order, and the rows selected in it.
inline std::vector<Text> poolNames(const TForm1& form) {
  std::vector<Text> names;
  for (int i = 0; i < form.poolCount(); ++i) names.push_back(form.poolName(i));
  return names;
}
inline std::vector<int> selectedRows(const TForm1& form) {
  std::vector<int> rows;
  for (int i = 0; i < form.poolCount(); ++i)
    if (form.poolSelected(i)) rows.push_back(i);
  return rows;
}

// The centre of a pool entry in the list's viewport.
inline QPoint poolRowCentre(TForm1& form, int row) {
  return form.ListBox1->visualRect(form.poolModel().index(row)).center();
}
// A click on a pool entry, straight to the list's viewport.
inline void clickPoolRow(TForm1& form, int row, Qt::MouseButton button = Qt::LeftButton,
                         Qt::KeyboardModifiers mods = {}) {
  QTest::mouseClick(form.ListBox1->viewport(), button, mods, poolRowCentre(form, row));
}

// One tick of a timer, as the event loop would deliver it, without waiting for it.
inline void fire(QTimer* timer) { QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection); }

// A key released on the keyboard: it goes through the window system to the window's
// focus widget, as a real key does.
// The window acts on a release once its grace period for an auto-repeat press is over;
// the test ends that period at once instead of waiting for it.
inline void settleKeys(TForm1& form) {
  for (QObject* child : form.children())
    if (auto* preview = dynamic_cast<KeyPreview*>(child)) preview->settle();
}
inline void releaseKey(TForm1& form, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QTest::keyRelease(form.windowHandle(), key, mods);
  settleKeys(form);
}
inline void pressKey(TForm1& form, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QTest::keyPress(form.windowHandle(), key, mods);
}

// A running draw's picks reach the screen at the display's pace: waits until the headline
// on screen holds `names` names and returns it (as it is after 1 s otherwise).
inline QString headlineOnScreen(TForm1& form, int names) {
  auto count = [&] { return int(form.StaticText1->text().split(QString::fromUtf8("，")).size()); };
  (void)QTest::qWaitFor([&] { return count() == names; }, 1000);  // the caller checks
  return form.StaticText1->text();
}

}  // namespace apptest
