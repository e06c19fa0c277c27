#pragma once
// The main window on fakes, for the window tests and the benchmarks: fake screens, and
// every service a TForm1 is given bundled with the window it makes.
#include "support/fake_platform.h"

#include "app/form1.h"
#include "platform/codec.h"
#include "platform/gui.h"

#include <QRect>

#include <memory>
#include <vector>

class FakeScreens : public platform::Screens {
 public:
  int primary = 1280;
  QRect all{0, 0, 1280, 800};
  std::vector<QRect> areas;  // none: the whole desktop is one area
  int primaryWidth() const override { return primary; }
  QRect desktop() const override { return all; }
  std::vector<QRect> availableAreas() const override { return areas.empty() ? std::vector<QRect>{all} : areas; }
};

// The fakes a TForm1 is given, and the window itself. The window runs on the fake clock
// unless `clockInUse` names another one (the benchmarks run on the system's).
struct FormRig {
  FakeDialogs dialogs;
  FakeSound sound;
  FakeLauncher launcher;
  FakeClock clock;
  FakeScreens screens;
  Text exeDir = platform::ansi("/opt/抽奖/");
  platform::Clock* clockInUse = &clock;

  FormRig() = default;
  FormRig(const FormRig&) = delete;
  FormRig& operator=(const FormRig&) = delete;

  TForm1::Services services() { return {dialogs, sound, launcher, *clockInUse, screens, exeDir}; }
  std::unique_ptr<TForm1> makeForm() { return std::make_unique<TForm1>(services()); }
};
