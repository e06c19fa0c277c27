// What the audience's view costs: the CPU of a running draw with the view open at 1920 x 1080
// and 3840 x 2160, against the operator's window alone, and the layout of a Stop's winners.
#include "app/form1.h"
#include "app/presenter.h"
#include "app/presenterview.h"
#include "platform/codec.h"
#include "support/fake_form.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <string>
#include <vector>

#include <sys/resource.h>

namespace {

double processCpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

std::vector<Text> staffNames(int count) {
  const char* const families[] = {"张", "王", "李", "赵", "刘", "陈", "欧阳", "司马"};
  const char* const given[] = {"伟", "芳", "晓明", "秀英", "子涵", "建国", "雨桐", "海峰"};
  std::vector<Text> names;
  for (int i = 0; i < count; ++i) names.push_back(platform::ansi(std::string(families[i % 8]) + given[(i / 8) % 8]));
  return names;
}

// `count` names of two or three characters drawn from 2,986 ideographs (every seventh of
// GBK's main block), as a staff list of 10,000 has some 2,000 to 3,000 different
// characters (the names above repeat sixteen, which every cache of the view holds at once).
std::vector<Text> variedNames(int count) {
  std::vector<Text> names;
  unsigned seed = 12345;
  for (int i = 0; i < count; ++i) {
    std::u32string name;
    for (int c = 0; c < 2 + i % 2; ++c) {
      seed = seed * 1103515245u + 12345u;
      name += char32_t(0x4E00 + 7 * ((seed >> 8) % 2986));
    }
    names.push_back(platform::ansi(QString::fromStdU32String(name).toStdString()));
  }
  return names;
}

struct Rig : FormRig {
  Rig() {
    clockInUse = &platform::systemClock();
    screens.primary = 1920;
    screens.all = {0, 0, 1920, 1080};
    exeDir = "\\bench\\";
  }
};

void fire(QTimer* timer) { QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection); }

// Runs the event loop for `ms` milliseconds.
void runFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// The CPU of a running draw on a pool of 10,000, painting included, with the audience's view
// open and without it, in turns: three rounds of a 2 s draw without the view and a 2 s draw
// with it, so that both see the same machine (a shared machine's load comes and goes).
// Figures: the CPU the whole process takes, in percent of one core, with the view and
// without it (medians of the rounds), and the median of the rounds' ratios. Arguments: the
// draw size, the view's width and height, and whether the names are varied (1) or the
// usual 64. The first round of each is the first draw of the evening, caches cold.
void BM_RunningDrawWithPresenter(benchmark::State& state) {
  Rig rig;
  TForm1 form(rig.services());
  form.poolAppendAll(state.range(3) ? variedNames(10000) : staffNames(10000));
  form.setDrawSizeValue(int(state.range(0)));
  form.show();
  const QSize viewSize(int(state.range(1)), int(state.range(2)));
  PresenterView& view = *form.presenter().view();
  long frames = 0;
  QObject::connect(form.Timer1, &QTimer::timeout, &form, [&frames] { ++frames; });
  // One draw of 2 s; its CPU in percent of a core.
  auto draw = [&](bool withView) {
    if (withView) {
      form.presenter().show();  // one screen here: a window of its own, made the size of the screen
      view.resize(viewSize);
    } else {
      form.presenter().hide();
    }
    runFor(300);  // the show and the resize painted
    frames = 0;
    form.cycle().Button1Click();
    QElapsedTimer clock;
    clock.start();
    const double cpuAtStart = processCpuSeconds();
    const qint64 paintedAtStart = view.paintedPixels();
    const int layoutsAtStart = view.namesLayouts();
    runFor(2000);
    const double seconds = clock.elapsed() / 1000.0;
    const double cpu = processCpuSeconds() - cpuAtStart;
    form.cycle().FlatButton1Click();
    fire(form.Timer2);  // the lock-out after Stop, ended at once
    if (withView) {
      state.counters["view_layouts_per_s"] = double(view.namesLayouts() - layoutsAtStart) / seconds;
      state.counters["view_mpx_per_s"] = double(view.paintedPixels() - paintedAtStart) / 1e6 / seconds;
    }
    state.counters["picks_per_s"] = double(frames) / seconds;
    return 100.0 * cpu / seconds;
  };
  auto median = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  };
  for (auto _ : state) {
    std::vector<double> alone, with, ratio;
    for (int round = 0; round < 3; ++round) {
      alone.push_back(draw(false));
      with.push_back(draw(true));
      ratio.push_back(with.back() / std::max(alone.back(), 0.01));
    }
    state.counters["cpu_pct"] = median(with);
    state.counters["alone_cpu_pct"] = median(alone);
    state.counters["ratio"] = median(ratio);
  }
}
BENCHMARK(BM_RunningDrawWithPresenter)
    ->ArgNames({"names", "width", "height", "varied"})
    ->Args({5, 1920, 1080, 0})
    ->Args({999, 1920, 1080, 0})
    ->Args({5, 3840, 2160, 0})
    ->Args({999, 3840, 2160, 0})
    ->Args({5, 3840, 2160, 1})
    ->Args({999, 3840, 2160, 1})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

// After Stop: the winners of a draw laid out on the view (measured, fitted, placed), and the
// same followed by the paint that the change asks for (where the last names were and where
// the new ones go, as at a Stop). Two draws of `names` names take turns, so every layout is
// a fresh one.
void BM_PresenterWinnersLayout(benchmark::State& state) {
  const int count = int(state.range(0));
  const bool paint = state.range(3) != 0;
  const std::vector<Text> all = staffNames(2 * count);
  std::vector<Text> draws[2] = {{all.begin(), all.begin() + count}, {all.begin() + count, all.end()}};
  Text sources[2];
  for (int d = 0; d < 2; ++d)
    for (const Text& n : draws[d]) sources[d] += (sources[d].empty() ? Text() : platform::ansi("，")) + n;
  PresenterView view;
  view.resize(int(state.range(1)), int(state.range(2)));
  view.show();
  QApplication::processEvents();
  int which = 0;
  qint64 painted = 0;
  for (auto _ : state) {
    QElapsedTimer t;
    t.start();
    const qint64 paintedBefore = view.paintedPixels();
    view.setNames(sources[which], draws[which], false);  // a shown view lays them out at once
    if (paint) {
      QApplication::processEvents();  // the paint of the parts that changed
      painted = view.paintedPixels() - paintedBefore;
    } else {
      view.layOutNames();
    }
    state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
    which ^= 1;
  }
  state.counters["type_px"] = view.namesFit().size;
  state.counters["cut"] = view.namesFit().cut;
  if (paint) state.counters["painted_mpx"] = double(painted) / 1e6;
}
BENCHMARK(BM_PresenterWinnersLayout)
    ->ArgNames({"names", "width", "height", "paint"})
    ->Args({999, 1920, 1080, 0})
    ->Args({999, 3840, 2160, 0})
    ->Args({999, 1920, 1080, 1})
    ->Args({999, 3840, 2160, 1})
    ->Args({30, 1920, 1080, 1})
    ->Args({5, 3840, 2160, 1})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
