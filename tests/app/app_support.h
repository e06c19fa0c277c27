#pragma once
// Pieces the window tests share: fake screens, the fake services bundled for TForm1, a
// draw folder in a temporary current directory, and what a user does (keys through the
// window system, timer ticks without waiting).
#include "support/fake_platform.h"

#include "app/form1.h"
#include "app/keypreview.h"
#include "platform/codec.h"
#include "platform/gui.h"
#include "widgets/bevelpanel.h"
#include "widgets/groupbox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace apptest {

inline Text A(const char* utf8) { return platform::ansi(utf8); }
inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }

class FakeScreens : public platform::Screens {
 public:
  int primary = 1280;
  QRect all{0, 0, 1280, 800};
  int primaryWidth() const override { return primary; }
  QRect desktop() const override { return all; }
};

// The fakes a TForm1 is given, and the window itself.
struct Rig {
  FakeDialogs dialogs;
  FakeSound sound;
  FakeLauncher launcher;
  FakeClock clock;
  FakeScreens screens;
  Text exeDir = A("/opt/抽奖/");

  TForm1::Services services() { return {dialogs, sound, launcher, clock, screens, exeDir}; }
  std::unique_ptr<TForm1> makeForm() { return std::make_unique<TForm1>(services()); }
};

// A fresh current directory holding a draw folder "抽奖名单"; the previous current
// directory comes back at the end.
class DrawFolder {
 public:
  struct Content {
    std::vector<std::string> names;  // UTF-8, written as GBK lines
    std::string headline = "新春联欢会 幸运大抽奖";
    std::string prizeCount = "2";
    std::vector<std::string> prizes = {"特别大奖", "一等奖"};
  };

  explicit DrawFolder(const Content& c) : previous_(QDir::currentPath()) {
    EXPECT_TRUE(dir_.isValid());
    QDir(dir_.path()).mkdir(U("抽奖名单"));
    QDir::setCurrent(dir_.path());
    std::vector<std::string> settings = {"背景图片：", "背景.bmp", "标题文字：", c.headline,
                                         "奖项个数：", c.prizeCount};
    write("抽奖名单/抽奖名单.txt", c.names);
    write("抽奖名单/基础配置.ini", settings);
    write("抽奖名单/奖项设置.ini", c.prizes);
    QImage picture(40, 30, QImage::Format_RGB888);
    picture.fill(Qt::darkGreen);
    EXPECT_TRUE(picture.save(U("抽奖名单/背景.bmp"), "BMP"));
  }
  ~DrawFolder() { QDir::setCurrent(previous_); }

  static void write(const char* path, const std::vector<std::string>& lines) {
    QFile f(U(path));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    for (const auto& line : lines) {
      const Text bytes = platform::ansi(line) + "\r\n";
      f.write(bytes.data(), qint64(bytes.size()));
    }
  }
  // The bytes of a file of the draw folder.
  static Text read(const char* path) {
    QFile f(U(path));
    if (!f.open(QIODevice::ReadOnly)) return "<missing>";
    const QByteArray b = f.readAll();
    return Text(b.constData(), size_t(b.size()));
  }

 private:
  QString previous_;
  QTemporaryDir dir_;
};

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

// Shows the window and waits until it is the active window.
inline bool showActive(QWidget& w) {
  w.show();
  w.activateWindow();
  return QTest::qWaitForWindowActive(&w);
}

}  // namespace apptest
