#pragma once
// The audience's view on the offscreen platform's virtual screens: the laptop and the
// projector that the tests' main() starts with, and screens plugged in and out.
#include "app/helpers.h"

#include "app/presenter.h"
#include "app/presenterview.h"

#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QScreen>
#include <qpa/qplatformnativeinterface.h>

#include <map>
#include <optional>

namespace presentertest {

struct VirtualScreen {
  const char* name;
  QRect geometry;
};
inline const VirtualScreen kLaptop{"laptop", {0, 0, 1280, 800}};
inline const VirtualScreen kProjector{"projector", {1280, 0, 1920, 1080}};
inline const VirtualScreen kWall{"wall", {3200, 0, 3840, 2160}};

// The screens the platform has from now on, as a projector is plugged in or pulled out:
// Qt reports each screen added or removed (QGuiApplication::screenAdded/screenRemoved).
inline bool plugScreens(std::initializer_list<VirtualScreen> screens) {
  QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
  using SetConfiguration = void (*)(const QJsonObject&, QPlatformNativeInterface*);
  auto set = native ? reinterpret_cast<SetConfiguration>(native->nativeResourceForIntegration("setConfiguration"))
                    : nullptr;
  if (!set) return false;
  QJsonArray list;
  for (const VirtualScreen& s : screens)
    list.append(QJsonObject{{"name", s.name},
                            {"x", s.geometry.x()},
                            {"y", s.geometry.y()},
                            {"width", s.geometry.width()},
                            {"height", s.geometry.height()}});
  set(QJsonObject{{"screens", list}}, native);
  QApplication::processEvents();
  return int(QGuiApplication::screens().size()) == int(screens.size());
}

inline QScreen* screenNamed(const char* name) {
  for (QScreen* s : QGuiApplication::screens())
    if (s->name() == QString::fromLatin1(name)) return s;
  return nullptr;
}

// The screen chosen last, as the settings would keep it, without touching the user's.
class FakeMemory : public ScreenMemory {
 public:
  std::optional<ScreenId> kept;
  int writes = 0;
  std::optional<ScreenId> recall() const override { return kept; }
  void remember(const ScreenId& s) override {
    kept = s;
    ++writes;
  }
};

// The operator's window started on the laptop (the fake desktop is the laptop alone, so it
// is centred there) with the two screens plugged in; the view comes up at start.
class TwoScreens : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(plugScreens({kLaptop, kProjector})); }
  void TearDown() override {
    form_.reset();
    plugScreens({kLaptop, kProjector});
  }

  void startOn(std::vector<std::string> names, std::optional<ScreenId> remembered = std::nullopt) {
    memory_.kept = remembered;
    folder_ = std::make_unique<apptest::DrawFolder>(apptest::DrawFolder::Content{.names = std::move(names)});
    rig_.dialogs.answer = FakeDialogs::Answer::No;
    rig_.screens.all = kLaptop.geometry;
    rig_.screens.primary = kLaptop.geometry.width();
    form_ = rig_.makeForm();
    form_->presenter().useMemory(memory_);
    form_->startUp();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
    QApplication::processEvents();
  }
  TForm1& form() { return *form_; }
  Presenter& presenter() { return form_->presenter(); }
  PresenterView& view() { return *form_->presenter().view(); }

  // What the view shows now: the operator's window read, the view painted.
  QImage shot() {
    presenter().refresh();
    return view().grab().toImage();
  }

  FormRig rig_;
  FakeMemory memory_;
  std::unique_ptr<apptest::DrawFolder> folder_;
  std::unique_ptr<TForm1> form_;
};

// `count` names of two to four characters, as a company's staff list has them.
inline std::vector<std::string> staffNames(int count) {
  static const char* const kFamilies[] = {"张", "王", "李", "赵", "刘", "陈", "杨", "黄",
                                          "周", "吴", "徐", "孙", "欧阳", "司马", "诸葛", "马"};
  static const char* const kFirst[] = {"伟", "芳", "晓", "秀", "子", "建", "雨", "海"};
  static const char* const kSecond[] = {"明", "英", "涵", "国", "桐", "峰", "琳", "杰"};
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) {
    std::string name = std::string(kFamilies[i % 16]) + kFirst[(i / 16) % 8];
    if ((i / 128) % 4 != 3) name += kSecond[(i / 128 + i) % 8];
    names.push_back(name);
  }
  return names;
}

}  // namespace presentertest
