// How fast a pick is, alone and through the real window's timer, what a running draw costs
// on screen, how long start-up takes with a large candidate list and what it holds, how
// soon a Stop is done on a large pool and over giant names, and what the winners detail's
// save costs against a file that is already large.
//
// scripts/bench-table.py runs this once and writes the README's table from the run.
#include "app/form1.h"
#include "data/detail.h"
#include "data/random.h"
#include "data/session.h"
#include "data/startup.h"
#include "draw/pick.h"
#include "app/poolmodel.h"
#include "platform/codec.h"
#include "platform/gui.h"
#include "support/fake_form.h"
#include "support/fake_window.h"
#include "support/files.h"
#include "widgets/textfit.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QKeyEvent>
#include <QStringList>
#include <QTimer>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include <malloc.h>
#include <sys/resource.h>

// Heap use of the whole process, for the memory figures below: every allocation through
// operator new counted by its usable size, with the high-water mark since the last reset.
namespace heap {
std::atomic<long long> current{0}, peak{0};
void note(long long delta) {
  const long long now = current += delta;
  long long p = peak.load();
  while (now > p && !peak.compare_exchange_weak(p, now)) {
  }
}
void resetPeak() { peak = current.load(); }
}  // namespace heap

void* operator new(size_t size) {
  void* p = std::malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  heap::note((long long)malloc_usable_size(p));
  return p;
}
void operator delete(void* p) noexcept {
  if (!p) return;
  heap::note(-(long long)malloc_usable_size(p));
  std::free(p);
}
void operator delete(void* p, size_t) noexcept { operator delete(p); }

namespace {

// The process's CPU time so far, user and system, in seconds.
double cpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// One tick of a timer, as the event loop delivers it, without waiting for it.
void fire(QTimer* timer) { QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection); }

std::vector<Text> makeNames(int count) {
  std::vector<Text> names;
  names.reserve(size_t(count));
  const Text family = platform::ansi("张");
  for (int i = 0; i < count; ++i) names.push_back(family + std::to_string(i));
  return names;
}

// The tests' fakes, on the system's clock and a 1920 x 1080 screen.
struct Fakes : FormRig {
  Fakes() {
    clockInUse = &platform::systemClock();
    screens.primary = 1920;
    screens.all = {0, 0, 1920, 1080};
    exeDir = "\\bench\\";
  }
};

void pickArgs(benchmark::internal::Benchmark* b) {
  for (int pool : {1000, 10000, 100000})
    for (int size : {5, 100, 999}) b->Args({pool, size});
}

// The pick alone, against a plain window.
void BM_PickEngine(benchmark::State& state) {
  FakeWindow w;
  w.setPool(makeNames(int(state.range(0))));
  w.drawSize = std::to_string(state.range(1));
  FairRandom random(20261210);
  for (auto _ : state) benchmark::DoNotOptimize(Timer1Timer(w, random));
}
BENCHMARK(BM_PickEngine)->Apply(pickArgs)->Unit(benchmark::kMicrosecond);

// One tick of the real window's Timer1, the path a running draw takes once per frame: the
// pick's flags into the pool model, the headline set and fitted to its area, repaints
// requested (painted by BM_RunningDraw).
void BM_PickWindow(benchmark::State& state) {
  Fakes fakes;
  TForm1 form(fakes.services());
  form.poolAppendAll(makeNames(int(state.range(0))));
  form.setDrawSizeValue(int(state.range(1)));
  for (auto _ : state) fire(form.Timer1);
}
BENCHMARK(BM_PickWindow)->Apply(pickArgs)->Unit(benchmark::kMicrosecond);

// A running draw on screen, painting included, over 5 s: picks per second and the CPU the
// whole process takes, in percent of one core.
void BM_RunningDraw(benchmark::State& state) {
  Fakes fakes;
  TForm1 form(fakes.services());
  form.poolAppendAll(makeNames(int(state.range(0))));
  form.setDrawSizeValue(int(state.range(1)));
  form.show();
  QApplication::processEvents();
  long picks = 0;
  QObject::connect(form.Timer1, &QTimer::timeout, &form, [&picks] { ++picks; });
  for (auto _ : state) {
    picks = 0;
    form.cycle().Button1Click();
    QElapsedTimer clock;
    clock.start();
    const double cpuAtStart = cpuSeconds();
    // Waits for events as the program's own loop does, instead of polling.
    QEventLoop loop;
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    const double seconds = clock.elapsed() / 1000.0;
    const double cpu = cpuSeconds() - cpuAtStart;
    form.cycle().FlatButton1Click();
    state.counters["picks_per_s"] = double(picks) / seconds;
    state.counters["cpu_pct"] = 100.0 * cpu / seconds;
  }
}
BENCHMARK(BM_RunningDraw)
    ->Args({1000, 5})
    ->Args({10000, 5})
    ->Args({100000, 999})
    ->Args({1000000, 999})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

// The draw folder "抽奖名单" in the current directory with the given candidate list, four
// prizes and an empty picture; false when a file could not be written.
bool writeEventFolder(const Text& list) {
  return testkit::TempCwd::makeDrawFolder() && testkit::writeBytes("抽奖名单/抽奖名单.txt", list) &&
         testkit::writeBytes("抽奖名单/基础配置.ini",
                             platform::ansi("背景图片：\r\nempty.bmp\r\n标题文字：\r\n抽奖\r\n奖项个数：\r\n4\r\n")) &&
         testkit::writeBytes("抽奖名单/empty.bmp", "") &&
         testkit::writeBytes("抽奖名单/奖项设置.ini", platform::ansi("一\r\n二\r\n三\r\n四\r\n"));
}

// Start-up with a 100,000-name candidate list: the window built, the draw folder read,
// the first show and its first paint.
void BM_StartUp(benchmark::State& state) {
  testkit::TempCwd dir;
  Text list;
  for (const Text& n : makeNames(int(state.range(0)))) list += n + "\r\n";
  if (!dir.ok() || !writeEventFolder(list)) {
    state.SkipWithError("cannot write the draw folder");
    return;
  }
  for (auto _ : state) {
    Fakes fakes;
    fakes.dialogs.answer = platform::Dialogs::Answer::No;
    TForm1 form(fakes.services());
    form.startUp();
    QApplication::processEvents();
    if (!fakes.dialogs.errors.empty() || form.poolCount() != state.range(0)) {
      state.SkipWithError("start-up did not load the candidate list");
      break;
    }
    state.counters["names"] = form.poolCount();
  }
}
BENCHMARK(BM_StartUp)->Arg(10)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Stop on a large pool: a draw runs on screen, the lock-out ends, Stop is pressed; the time
// runs until the winners have left the pool, the record and the detail are saved and the
// list has been painted again.
void BM_StopLargePool(benchmark::State& state) {
  const std::vector<Text> names = makeNames(int(state.range(0)));
  testkit::TempCwd dir;
  if (!dir.ok() || !dir.makeDrawFolder()) {
    state.SkipWithError("cannot make the draw folder");
    return;
  }
  Fakes fakes;
  TForm1 form(fakes.services());
  form.setDrawSizeValue(int(state.range(1)));
  form.show();
  form.poolAppendAll(names);
  QApplication::processEvents();
  for (auto _ : state) {
    form.cycle().Button1Click();  // Start
    fire(form.Timer1);
    fire(form.Timer1);
    QApplication::processEvents();
    form.cycle().Timer2Timer();  // the lock-out is over
    const int before = form.poolCount();
    QElapsedTimer latency;
    latency.start();
    form.cycle().Button1Click();  // Stop
    QApplication::processEvents();
    state.SetIterationTime(double(latency.nsecsElapsed()) / 1e9);
    form.cycle().Timer2Timer();
    if (form.poolCount() != before - state.range(1)) {
      state.SkipWithError("Stop did not take the winners");
      break;
    }
  }
}
BENCHMARK(BM_StopLargePool)->Args({1000000, 5})->Args({1000000, 999})->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// The pool's part of a Stop on a large pool: the selected entries deleted from a shown list
// and the list painted again.
void BM_PoolDeleteSelected(benchmark::State& state) {
  Fakes fakes;
  TForm1 form(fakes.services());
  form.show();
  form.poolAppendAll(makeNames(int(state.range(0))));
  QApplication::processEvents();
  FairRandom random(20261210);
  for (auto _ : state) {
    const int count = form.poolCount();
    for (int k = 0; k < state.range(1); ++k) form.setPoolSelected(int(random.Below(std::uint32_t(count))), true);
    QApplication::processEvents();
    QElapsedTimer latency;
    latency.start();
    form.poolDeleteSelected();
    QApplication::processEvents();
    state.SetIterationTime(double(latency.nsecsElapsed()) / 1e9);
  }
}
BENCHMARK(BM_PoolDeleteSelected)->Args({1000000, 5})->Args({1000000, 999})->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// The winners detail's save at a Stop of five, against a detail file that already holds
// 0.1, 1 or 10 MB of rows.
void BM_SaveDetail(benchmark::State& state) {
  testkit::TempCwd dir;
  Text existing = platform::ansi("序号,奖项,姓名,轮次,时间\r\n");
  for (int row = 1; existing.size() < size_t(state.range(0)) * 1024; ++row)
    existing += std::to_string(row) + platform::ansi(",一等奖,张") + std::to_string(row) + ",1,2026-12-10 20:00:00\r\n";
  if (!dir.ok() || !dir.makeDrawFolder() || !testkit::writeBytes("抽奖名单/获奖明细.csv", existing)) {
    state.SkipWithError("cannot write the detail file");
    return;
  }
  FakeWindow w;
  Session s;
  const Text headline = platform::ansi("张三，李四，王五，赵六，钱七");
  // The first save turns the older file (GBK, five columns) into today's form once; the
  // loop measures the save at every later Stop.
  AddDetailDraw(s, platform::ansi("一等奖"), headline, "20261210-200000");
  SaveDetail(w, s);
  for (auto _ : state) {
    AddDetailDraw(s, platform::ansi("一等奖"), headline, "20261210-200000");
    SaveDetail(w, s);
  }
  if (!w.notices.empty()) state.SkipWithError("the save failed");
  state.counters["file_MB"] = double(existing.size()) / (1 << 20);
}
BENCHMARK(BM_SaveDetail)->Arg(100)->Arg(1024)->Arg(10240)->Unit(benchmark::kMillisecond);

// Putting a pick on screen: the headline's text is set and fitted to its area (the label
// paints later). Picks of `names` names of `bytes` bytes each.
void BM_ShowHeadline(benchmark::State& state) {
  const Text name = platform::ansi("张三李四").substr(0, 4) + Text(size_t(state.range(1)) - 4, 'x');
  Text picks[2];
  for (Text& pick : picks) {
    for (int i = 0; i < state.range(0); ++i) pick += (i ? platform::ansi("，") : Text()) + name;
    pick.back() = &pick == &picks[0] ? 'a' : 'b';
  }
  Fakes fakes;
  TForm1 form(fakes.services());
  int which = 0;
  for (auto _ : state) {
    form.setHeadline(picks[which]);
    which ^= 1;
  }
}
BENCHMARK(BM_ShowHeadline)
    ->ArgNames({"names", "bytes"})
    ->Args({5, 6})
    ->Args({999, 6})
    ->Args({5, 1 << 20})
    ->Unit(benchmark::kMicrosecond);

// Fitting a pick into the headline alone: the largest type that holds the whole pick with
// no name split, in the design's area (29 px down to 12 px) and in a full-screen stage at
// 1920 x 1080 (44 px down to 18 px). Picks of `names` names of two or three characters.
void BM_FitHeadline(benchmark::State& state) {
  const int count = int(state.range(0));
  const bool fullScreen = state.range(1) != 0;
  QStringList names;
  for (int i = 0; i < count; ++i) names << QString::fromUtf8(i % 2 ? "曹子森" : "欧阳") + QString::number(i % 10);
  const QString pick = names.join(QChar(0xFF0C));
  QFont face;
  face.setFamilies({QStringLiteral("AR PL UKai CN"), QStringLiteral("KaiTi")});
  face.setBold(true);
  const QSize box = fullScreen ? QSize(1650, 815) : QSize(722, 445);
  const int largest = fullScreen ? 44 : 29, smallest = fullScreen ? 18 : 12;
  int px = 0;
  for (auto _ : state) {
    const HeadlineFit fit = fitHeadline(pick, false, face, box, largest, smallest);
    px = fit.pixelSize;
    benchmark::DoNotOptimize(fit);
  }
  state.counters["px"] = px;
}
BENCHMARK(BM_FitHeadline)
    ->ArgNames({"names", "fullscreen"})
    ->Args({5, 0})
    ->Args({999, 0})
    ->Args({5, 1})
    ->Args({999, 1})
    ->Unit(benchmark::kMicrosecond);

// A wrong file picked as the candidate list (a binary, say) makes names of a megabyte.
// Stop latency: a draw over such names runs on screen; then Space is released, and the
// time runs until the Stop has been handled (the record saved) and painted.
void BM_StopGiantNames(benchmark::State& state) {
  const int count = int(state.range(0));
  const size_t bytes = size_t(state.range(1));
  std::vector<Text> names;
  const Text filler = platform::ansi("张三李四王五赵六") + "abc,.;";
  for (int i = 0; i < count; ++i) {
    Text name = std::to_string(i) + "#";
    while (name.size() < bytes) name += filler;
    name.resize(bytes);
    names.push_back(std::move(name));
  }
  testkit::TempCwd dir;
  if (!dir.ok() || !dir.makeDrawFolder()) {
    state.SkipWithError("cannot make the draw folder");
    return;
  }
  for (auto _ : state) {
    // A fresh window each time: the first Stop of an evening, with a record of one draw.
    Fakes fakes;
    TForm1 form(fakes.services());
    form.setDrawSizeValue(5);
    form.show();
    QApplication::processEvents();
    form.poolAppendAll(names);
    form.cycle().Button1Click();  // Start
    QElapsedTimer running;
    running.start();
    while (running.elapsed() < 300 || form.poolSelectedCount() < 5)
      QApplication::processEvents(QEventLoop::AllEvents, 50);
    form.cycle().Timer2Timer();  // the lock-out is over

    QElapsedTimer latency;
    latency.start();
    QWidget* focus = form.focusWidget() ? form.focusWidget() : &form;
    QApplication::postEvent(focus, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" ")));
    while (form.Timer1->isActive()) QApplication::processEvents(QEventLoop::AllEvents);
    QApplication::processEvents(QEventLoop::AllEvents);
    state.SetIterationTime(double(latency.nsecsElapsed()) / 1e9);
    if (form.poolCount() != count - 5) {
      state.SkipWithError("Stop did not take five winners");
      break;
    }
  }
}
BENCHMARK(BM_StopGiantNames)
    ->ArgNames({"names", "bytes"})
    ->Args({20, 1 << 20})
    ->Args({20, 16 << 10})
    ->Args({20, 100})
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
// Memory of start-up per byte of the candidate list file: the heap's high-water mark
// while the real window reads the draw folder, above what it held before, divided by
// the file's size. Names of 2 to 4 characters (a typical list) and of 10 to 12 characters.
void BM_StartUpMemory(benchmark::State& state) {
  testkit::TempCwd dir;
  const int count = int(state.range(0));
  const Text family = platform::ansi(state.range(1) == 0 ? "张" : "欧阳晚会幸运嘉宾第");
  Text list;
  for (int i = 0; i < count; ++i) list += family + std::to_string(i % 1000) + "\r\n";
  if (!dir.ok() || !writeEventFolder(list)) {
    state.SkipWithError("cannot write the draw folder");
    return;
  }
  for (auto _ : state) {
    Fakes fakes;
    fakes.dialogs.answer = platform::Dialogs::Answer::No;
    TForm1 form(fakes.services());
    const long long before = heap::current.load();
    heap::resetPeak();
    FormCreate(form, form.session());
    const long long held = heap::current.load() - before;
    const long long peak = heap::peak.load() - before;
    if (!fakes.dialogs.errors.empty() || form.poolCount() != count) {
      state.SkipWithError("start-up did not load the candidate list");
      break;
    }
    state.counters["file_MB"] = double(list.size()) / (1 << 20);
    state.counters["peak_per_file_byte"] = double(peak) / double(list.size());
    state.counters["held_per_file_byte"] = double(held) / double(list.size());
    state.counters["pool_per_file_byte"] = double(form.poolModel().heldBytes()) / double(list.size());
  }
}
BENCHMARK(BM_StartUpMemory)->Args({1000000, 0})->Args({1000000, 1})->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
