// The draw cycle over the fake window: Start, Stop, Cancel, the lock-outs, the keys, the
// page-key lock and the recording at Stop.
#include "helpers.h"

#include "data/errors.h"
#include "data/random.h"
#include "data/textops.h"
#include "draw/cycle.h"
#include "draw/pick.h"

#include <gtest/gtest.h>

#include <QDir>

#include <memory>

using namespace drawtest;

namespace {

enum class State { Idle, RunningLocked, Running, StoppedLocked };
enum class Event { Button, Space, PageDown, Tick1, Tick2, Cancel, Label13 };

const char* nameOf(State s) {
  switch (s) {
    case State::Idle: return "Idle";
    case State::RunningLocked: return "RunningLocked";
    case State::Running: return "Running";
    case State::StoppedLocked: return "StoppedLocked";
  }
  return "?";
}
const char* nameOf(Event e) {
  switch (e) {
    case Event::Button: return "Button";
    case Event::Space: return "Space";
    case Event::PageDown: return "PageDown";
    case Event::Tick1: return "Timer1";
    case Event::Tick2: return "Timer2";
    case Event::Cancel: return "Cancel";
    case Event::Label13: return "Label13";
  }
  return "?";
}

// What each state shows: caption, button enabled, prize bar enabled, the picking (Timer1)
// and the lock-out (Timer2).
struct Look {
  Text caption;
  bool button, bar, picking, lockOut;
  bool operator==(const Look&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Look& l) {
  return os << "{caption " << platform::fromAnsi(l.caption).toStdString() << ", button "
            << l.button << ", bar " << l.bar << ", picking " << l.picking << ", lock-out " << l.lockOut << "}";
}
Look lookOf(State s) {
  switch (s) {
    case State::Idle: return {A("开始"), true, true, false, false};
    case State::RunningLocked: return {A("停止"), false, false, true, true};
    case State::Running: return {A("停止"), true, false, true, false};
    case State::StoppedLocked: return {A("开始"), false, true, false, true};
  }
  return {};
}

const std::vector<const char*> kPool = {"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛"};

class Cycle : public ::testing::Test {
 protected:
  Cycle() {
    for (const char* n : kPool) w.pool.push_back({A(n), false});
    w.drawSize = "3";
    s.prizeCount = 3;
  }

  Look look() const { return {w.button, w.buttonOn, w.prizeBarOn, w.picking, w.lockOut}; }

  void tick() { Timer1Timer(w, *random); }

  // Drives the cycle from idle into `target` the way an operator would.
  void driveTo(State target) {
    if (target == State::Idle) return;
    cycle.Button1Click();
    tick();
    if (target == State::RunningLocked) return;
    cycle.Timer2Timer();
    tick();
    if (target == State::Running) return;
    cycle.Button1Click();
  }

  void apply(Event e) {
    switch (e) {
      case Event::Button: cycle.Button1Click(); break;
      case Event::Space: cycle.FormKeyUp(VK_SPACE_KEY); break;
      case Event::PageDown: cycle.FormKeyUp(VK_NEXT_KEY); break;
      case Event::Tick1: tick(); break;
      case Event::Tick2: cycle.Timer2Timer(); break;
      case Event::Cancel: cycle.FlatButton1Click(); break;
      case Event::Label13: cycle.Label13Click(); break;
    }
  }

  // One full draw on the selected slot: Start, picks, end of the lock-out, Stop.
  Text drawOnce() {
    cycle.Button1Click();
    tick();
    cycle.Timer2Timer();
    tick();
    Text headline = w.headlineText;
    cycle.Button1Click();
    return headline;
  }

  Text drum() const { return exeDir + "drum.wav"; }
  Text gong() const { return exeDir + "gong.wav"; }

  InTempDir dir;
  FakeWindow w;
  Session s;
  FakeSound sound;
  FairRandom fair{20261210};
  RandomSource* random = &fair;  // a test may steer the picks with a scripted source
  Text exeDir = A("D:\\晚会\\抽奖\\");
  FakeClock clock;
  DrawCycle cycle{w, s, sound, clock, exeDir};
};

// ---------------------------------------------------------------------------------------
// The transition table: every row, from each of its from-states.

struct Transition {
  State from;
  Event event;
  State to;
};

class Transitions : public Cycle, public ::testing::WithParamInterface<Transition> {};

TEST_P(Transitions, EventTakesTheCycleToItsState) {
  const Transition& t = GetParam();
  driveTo(t.from);
  ASSERT_EQ(look(), lookOf(t.from)) << "could not reach " << nameOf(t.from);
  apply(t.event);
  EXPECT_EQ(look(), lookOf(t.to));
}

std::vector<Transition> transitionTable() {
  using S = State;
  using E = Event;
  std::vector<Transition> rows;
  for (E press : {E::Button, E::Space, E::PageDown}) {
    rows.push_back({S::Idle, press, S::RunningLocked});          // focus step, Start
    rows.push_back({S::Running, press, S::StoppedLocked});       // Stop
    rows.push_back({S::RunningLocked, press, S::RunningLocked});  // guarded
    rows.push_back({S::StoppedLocked, press, S::StoppedLocked});  // guarded
  }
  rows.push_back({S::RunningLocked, E::Tick2, S::Running});
  rows.push_back({S::StoppedLocked, E::Tick2, S::Idle});
  rows.push_back({S::RunningLocked, E::Tick1, S::RunningLocked});
  rows.push_back({S::Running, E::Tick1, S::Running});
  for (S any : {S::Idle, S::RunningLocked, S::Running, S::StoppedLocked}) {
    rows.push_back({any, E::Cancel, S::Idle});
    rows.push_back({any, E::Label13, any});
  }
  return rows;
}

INSTANTIATE_TEST_SUITE_P(Table, Transitions, ::testing::ValuesIn(transitionTable()),
                         [](const auto& info) {
                           return std::string(nameOf(info.param.from)) + "_" +
                                  nameOf(info.param.event) + "_" + nameOf(info.param.to);
                         });

// ---------------------------------------------------------------------------------------
// A press during either lock-out changes nothing at all, not even the focus.

class LockOut : public Cycle,
                public ::testing::WithParamInterface<std::tuple<State, Event>> {};

TEST_P(LockOut, PressChangesNothing) {
  const auto [from, press] = GetParam();
  driveTo(from);
  ASSERT_FALSE(w.buttonOn);
  const WindowState before = stateOf(w, s);
  const auto played = sound.played;
  const auto record = InTempDir::record();

  apply(press);

  EXPECT_EQ(stateOf(w, s), before);
  EXPECT_EQ(w.focusCalls, before.focusCalls);
  EXPECT_EQ(sound.played, played);
  EXPECT_EQ(InTempDir::record(), record);
}

INSTANTIATE_TEST_SUITE_P(Presses, LockOut,
                         ::testing::Combine(::testing::Values(State::RunningLocked,
                                                              State::StoppedLocked),
                                            ::testing::Values(Event::Button, Event::Space,
                                                              Event::PageDown)),
                         [](const auto& info) {
                           return std::string(nameOf(std::get<0>(info.param))) + "_" +
                                  nameOf(std::get<1>(info.param));
                         });

// ---------------------------------------------------------------------------------------
// Start and Stop.

TEST_F(Cycle, StartTakesTheFocusStepThenRefreshesThePoolCaption) {
  w.poolAppend(A("新人"));  // added while idle: counted at the next Start
  cycle.Button1Click();
  EXPECT_EQ(w.focusCalls, 1);
  EXPECT_FALSE(w.drawSizeFocused) << "disabling the prize bar hands the focus to the window";
  EXPECT_EQ(w.poolCaption, A("抽奖名单[9]人"));
}

TEST_F(Cycle, PressWithTheFieldFocusedTakesNoFocusStep) {
  w.drawSizeFocused = true;
  cycle.Button1Click();
  EXPECT_EQ(w.focusCalls, 0);
  EXPECT_EQ(look(), lookOf(State::RunningLocked));
}

TEST_F(Cycle, StartAndStopPlayTheirSoundsFromTheExecutableFolder) {
  cycle.Button1Click();
  EXPECT_EQ(sound.played, std::vector<Text>{drum()});
  tick();
  cycle.Timer2Timer();
  tick();
  EXPECT_EQ(sound.played, std::vector<Text>{drum()});
  cycle.Button1Click();
  EXPECT_EQ(sound.played, (std::vector<Text>{drum(), gong()}));
  cycle.Timer2Timer();
  cycle.FlatButton1Click();
  EXPECT_EQ(sound.played, (std::vector<Text>{drum(), gong()}));
}

TEST_F(Cycle, StopRecordsTheHeadlineAndRemovesExactlyTheSelectedEntries) {
  w.counters[0] = "07";
  driveTo(State::Running);
  for (int i = 0; i < 5; ++i) tick();
  const Text headline = w.headlineText;
  ASSERT_EQ(w.poolSelectedCount(), 3);
  std::vector<Text> remaining;
  for (const auto& e : w.pool)
    if (!e.selected) remaining.push_back(e.name);

  cycle.Button1Click();

  EXPECT_EQ(s.winners[0], headline);
  EXPECT_EQ(w.counters[0], "10");
  EXPECT_EQ(w.names(), remaining);
  EXPECT_EQ(w.poolSelectedCount(), 0);
  EXPECT_EQ(w.poolCaption, A("抽奖名单[5]人"));
  EXPECT_EQ(w.headlineText, headline) << "the headline keeps the winners after Stop";
  for (int k = 2; k <= 6; ++k) {
    EXPECT_EQ(s.winners[k - 1], "") << "slot " << k;
    EXPECT_EQ(w.counters[k - 1], "00") << "slot " << k;
  }
}

TEST_F(Cycle, OfTwoEqualNamesOnlyTheSelectedOneLeaves) {
  w.setPool({A("甲"), A("乙"), A("甲"), A("丙")});
  w.drawSize = "1";
  driveTo(State::Running);
  ScriptedRandom scripted({2});  // the second 甲
  random = &scripted;
  tick();
  ASSERT_EQ(w.selectedRows(), std::vector<int>{2});

  cycle.Button1Click();

  EXPECT_EQ(w.names(), (std::vector<Text>{A("甲"), A("乙"), A("丙")}));
  EXPECT_EQ(s.winners[0], A("甲"));
  EXPECT_EQ(w.counters[0], "1");
}

TEST_F(Cycle, FirstStopForASlotTakesTheHeadlineAndTheNextAddsSeparatorAndHeadline) {
  w.selectSlot(2);
  const Text first = drawOnce();
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(s.winners[1], first);
  EXPECT_EQ(w.counters[1], "3");
  cycle.Timer2Timer();

  const Text second = drawOnce();
  EXPECT_EQ(s.winners[1], first + kSep + second);
  EXPECT_EQ(w.counters[1], "6");
  EXPECT_EQ(s.winners[0], "");
  EXPECT_EQ(w.counters[0], "00");
  EXPECT_EQ(w.poolCount(), 2);
}

TEST_F(Cycle, DrawSizeAbovePoolRecordsAllAndCountsOnlyThoseSelected) {
  w.setPool({A("甲"), A("乙"), A("丙")});
  w.drawSize = "5";
  drawOnce();
  EXPECT_EQ(s.winners[0], A("甲，乙，丙"));
  EXPECT_EQ(w.counters[0], "3");
  EXPECT_EQ(w.poolCount(), 0);
  EXPECT_EQ(w.poolCaption, A("抽奖名单[0]人"));
}

// The first selected slot in slot order gets the draw; with none selected no slot changes
// but the winners still leave the pool.
struct SlotCase {
  std::vector<int> selectedSlots;
  int recordedSlot;  // 0: none
};

class SlotChoice : public Cycle, public ::testing::WithParamInterface<SlotCase> {};

TEST_P(SlotChoice, FirstSelectedSlotIsRecorded) {
  const SlotCase& c = GetParam();
  s.prizeCount = 6;
  for (int k = 1; k <= 6; ++k) w.selected[k - 1] = false;
  for (int k : c.selectedSlots) w.selected[k - 1] = true;

  const Text headline = drawOnce();

  for (int k = 1; k <= 6; ++k) {
    const bool recorded = (k == c.recordedSlot);
    EXPECT_EQ(s.winners[k - 1], recorded ? headline : Text()) << "slot " << k;
    EXPECT_EQ(w.counters[k - 1], recorded ? "3" : "00") << "slot " << k;
  }
  EXPECT_EQ(w.poolCount(), int(kPool.size()) - 3);
  EXPECT_TRUE(w.prizeBarOn);
}

INSTANTIATE_TEST_SUITE_P(Slots, SlotChoice,
                         ::testing::Values(SlotCase{{1}, 1}, SlotCase{{4}, 4},
                                           SlotCase{{2, 5}, 2}, SlotCase{{6}, 6},
                                           SlotCase{{}, 0}));

// A Stop whose last pick selected nothing records nothing into the slot.
struct EmptyPickCase {
  const char* name;
  bool emptyPool;  // otherwise the draw size is 0
  const char* winnersBefore;
};

class EmptyPick : public Cycle, public ::testing::WithParamInterface<EmptyPickCase> {};

TEST_P(EmptyPick, StopRecordsNothingButCompletes) {
  const EmptyPickCase& c = GetParam();
  if (c.emptyPool)
    w.poolClear();
  else
    w.drawSize = "0";
  s.winners[0] = A(c.winnersBefore);
  const int poolBefore = w.poolCount();

  drawOnce();

  EXPECT_EQ(s.winners[0], A(c.winnersBefore)) << "no empty name, no trailing separator";
  EXPECT_EQ(w.counters[0], "00") << "an empty pick leaves the counter as it was";
  EXPECT_EQ(w.poolCount(), poolBefore);
  EXPECT_EQ(w.poolCaption, A("抽奖名单[") + std::to_string(poolBefore) + A("]人"));
  EXPECT_EQ(sound.played.back(), gong());
  EXPECT_TRUE(w.prizeBarOn);
  EXPECT_EQ(look(), lookOf(State::StoppedLocked));
  EXPECT_EQ(InTempDir::record(),
            A("[特等奖]\r\n") + A(c.winnersBefore) + "\r\n" + A("[一等奖]\r\n\r\n[二等奖]\r\n\r\n"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EmptyPick,
    ::testing::Values(EmptyPickCase{"EmptyPoolEmptyWinners", true, ""},
                      EmptyPickCase{"EmptyPoolEarlierWinners", true, "张三，李四"},
                      EmptyPickCase{"SizeZeroEmptyWinners", false, ""},
                      EmptyPickCase{"SizeZeroEarlierWinners", false, "张三"}),
    [](const auto& info) { return std::string(info.param.name); });

// The winners record on disk after a Stop: two lines per slot in use, each ended by CR LF.
class RecordAfterStop : public Cycle, public ::testing::WithParamInterface<std::int32_t> {};

TEST_P(RecordAfterStop, HoldsEverySlotInUse) {
  s.prizeCount = GetParam();
  s.winners[1] = A("张三");  // earlier winners of slot 2
  ASSERT_EQ(InTempDir::record(), std::nullopt);

  const Text headline = drawOnce();

  const int inUse = std::clamp(GetParam(), 1, 6);
  Text expected;
  for (int k = 1; k <= inUse; ++k)
    expected += "[" + w.captions[k - 1] + "]\r\n" + s.winners[k - 1] + "\r\n";
  ASSERT_EQ(s.winners[0], headline);
  EXPECT_EQ(InTempDir::record(), expected);
  EXPECT_TRUE(w.prizeBarOn);
}

INSTANTIATE_TEST_SUITE_P(PrizeCounts, RecordAfterStop, ::testing::Values(-1, 0, 1, 2, 3, 6, 9));

// ---------------------------------------------------------------------------------------
// Failures at Stop.

TEST_F(Cycle, FailingRecordKeepsThePrizeBarDisabledUntilCancel) {
  ASSERT_TRUE(QDir().rmdir(QString::fromUtf8("抽奖名单")));
  driveTo(State::Running);
  const Text headline = w.headlineText;

  EXPECT_THROW(cycle.Button1Click(), EFCreateError);

  // Everything before the save has happened.
  EXPECT_EQ(s.winners[0], headline);
  EXPECT_EQ(w.counters[0], "3");
  EXPECT_EQ(w.poolCount(), int(kPool.size()) - 3);
  EXPECT_EQ(w.poolCaption, A("抽奖名单[5]人"));
  EXPECT_EQ(sound.played.back(), gong());
  EXPECT_EQ(look(), (Look{A("开始"), false, false, false, true}));

  cycle.Timer2Timer();
  EXPECT_EQ(look(), (Look{A("开始"), true, false, false, false}));

  const int focusBefore = w.focusCalls;
  cycle.FlatButton1Click();
  EXPECT_EQ(look(), lookOf(State::Idle));
  EXPECT_EQ(w.focusCalls, focusBefore + 1);
  EXPECT_TRUE(w.drawSizeFocused);
}

TEST_F(Cycle, FailingRecordKeepsThePrizeBarDisabledUntilAStopCompletes) {
  ASSERT_TRUE(QDir().rmdir(QString::fromUtf8("抽奖名单")));
  driveTo(State::Running);
  const Text first = w.headlineText;
  EXPECT_THROW(cycle.Button1Click(), EFCreateError);
  cycle.Timer2Timer();
  ASSERT_FALSE(w.prizeBarOn);

  dir.makeDrawFolder();
  // A press with the prize bar disabled skips the focus step and starts.
  const int focusBefore = w.focusCalls;
  ASSERT_NO_THROW(cycle.Button1Click());
  EXPECT_EQ(w.focusCalls, focusBefore);
  EXPECT_EQ(look(), lookOf(State::RunningLocked));
  tick();
  cycle.Timer2Timer();
  tick();
  const Text second = w.headlineText;
  ASSERT_NO_THROW(cycle.Button1Click());

  EXPECT_EQ(look(), lookOf(State::StoppedLocked));
  EXPECT_EQ(s.winners[0], first + kSep + second);
  EXPECT_EQ(InTempDir::record(), A("[特等奖]\r\n") + first + kSep + second +
                                     A("\r\n[一等奖]\r\n\r\n[二等奖]\r\n\r\n"));
}

TEST_F(Cycle, CounterThatIsNoNumberEndsStopAfterTheSound) {
  w.counters[0] = "abc";
  driveTo(State::Running);
  const WindowState running = stateOf(w, s);

  EXPECT_THROW(cycle.Button1Click(), EConvertError);

  EXPECT_EQ(sound.played, (std::vector<Text>{drum(), gong()}));
  EXPECT_EQ(s.winners[0], "");
  EXPECT_EQ(w.counters[0], "abc");
  EXPECT_EQ(stateOf(w, s).pool, running.pool) << "entries stay in the pool and selected";
  EXPECT_EQ(w.poolSelectedCount(), 3);
  EXPECT_EQ(w.headlineText, running.headline);
  EXPECT_EQ(look(), (Look{A("开始"), false, false, false, true}));
  EXPECT_EQ(InTempDir::record(), std::nullopt);

  cycle.Timer2Timer();
  EXPECT_FALSE(w.prizeBarOn);
  cycle.FlatButton1Click();
  EXPECT_TRUE(w.prizeBarOn);
}

// ---------------------------------------------------------------------------------------
// Cancel, from each state.

class CancelFrom : public Cycle, public ::testing::WithParamInterface<State> {};

TEST_P(CancelFrom, RecordsNothingAndHandsTheFocusToTheDrawSize) {
  driveTo(GetParam());
  const WindowState before = stateOf(w, s);
  const auto played = sound.played;
  const auto record = InTempDir::record();

  cycle.FlatButton1Click();

  const WindowState after = stateOf(w, s);
  EXPECT_EQ(look(), lookOf(State::Idle));
  EXPECT_EQ(w.headlineText, "");
  EXPECT_EQ(after.pool, before.pool) << "entries and their selected flags stay";
  EXPECT_EQ(after.counters, before.counters);
  EXPECT_EQ(after.winners, before.winners);
  EXPECT_EQ(after.poolCaption, before.poolCaption);
  EXPECT_EQ(sound.played, played);
  EXPECT_EQ(InTempDir::record(), record);
  EXPECT_TRUE(w.drawSizeFocused);
  EXPECT_EQ(w.focusCalls, before.focusCalls + (before.drawSizeFocused ? 0 : 1));
}

INSTANTIATE_TEST_SUITE_P(States, CancelFrom,
                         ::testing::Values(State::Idle, State::RunningLocked, State::Running,
                                           State::StoppedLocked),
                         [](const auto& info) { return std::string(nameOf(info.param)); });

TEST_F(Cycle, CancelDuringADrawKeepsTheLastPickSelected) {
  driveTo(State::Running);
  const auto rows = w.selectedRows();
  ASSERT_EQ(rows.size(), 3u);
  cycle.FlatButton1Click();
  EXPECT_EQ(w.selectedRows(), rows);
  EXPECT_EQ(w.poolCount(), int(kPool.size()));
}

// ---------------------------------------------------------------------------------------
// The focus step on its own.

struct FocusCase {
  const char* name;
  bool bar, focused;
  int calls;  // focus calls the step makes
};

class FocusStepTest : public Cycle, public ::testing::WithParamInterface<FocusCase> {};

TEST_P(FocusStepTest, FocusesOnlyAnEnabledUnfocusedField) {
  const FocusCase& c = GetParam();
  w.prizeBarOn = c.bar;
  w.drawSizeFocused = c.focused;
  ASSERT_NO_THROW(::FocusStep(w));
  EXPECT_EQ(w.focusCalls, c.calls);
  EXPECT_EQ(w.drawSizeFocused, c.focused || c.calls > 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, FocusStepTest,
                         ::testing::Values(FocusCase{"BarOnNotFocused", true, false, 1},
                                           FocusCase{"BarOnFocused", true, true, 0},
                                           FocusCase{"BarOff", false, false, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------
// Keys and the page-key lock.

TEST_F(Cycle, PageDownFollowsThePageKeyLock) {
  cycle.Label13Click();  // lock on
  const WindowState idle = stateOf(w, s);
  cycle.FormKeyUp(VK_NEXT_KEY);
  EXPECT_EQ(stateOf(w, s), idle) << "PageDown is ignored while locked";
  EXPECT_TRUE(sound.played.empty());

  cycle.FormKeyUp(VK_SPACE_KEY);  // Space is not affected
  EXPECT_EQ(look(), lookOf(State::RunningLocked));
  cycle.Timer2Timer();
  tick();
  const WindowState running = stateOf(w, s);
  cycle.FormKeyUp(VK_NEXT_KEY);
  EXPECT_EQ(stateOf(w, s), running) << "PageDown does not stop a draw while locked";

  cycle.Label13Click();  // lock off
  cycle.FormKeyUp(VK_NEXT_KEY);
  EXPECT_EQ(look(), lookOf(State::StoppedLocked));
  EXPECT_EQ(w.poolCount(), int(kPool.size()) - 3);
}

class OtherKey : public Cycle,
                 public ::testing::WithParamInterface<std::tuple<State, int>> {};

TEST_P(OtherKey, DoesNothing) {
  const auto [from, key] = GetParam();
  driveTo(from);
  const WindowState before = stateOf(w, s);
  const auto played = sound.played;
  cycle.FormKeyUp(key);
  EXPECT_EQ(stateOf(w, s), before);
  EXPECT_EQ(sound.played, played);
}

INSTANTIATE_TEST_SUITE_P(Keys, OtherKey,
                         ::testing::Combine(::testing::Values(State::Idle, State::Running),
                                            // none, Enter, Shift, Esc, PageUp, End, Down, 'A', F5
                                            ::testing::Values(0, 13, 16, 27, 33, 35, 40, 65, 116)),
                         [](const auto& info) {
                           return std::string(nameOf(std::get<0>(info.param))) + "_key" +
                                  std::to_string(std::get<1>(info.param));
                         });

struct LockCase {
  bool lockedBefore;
  int clicks;
  bool lockedAfter;
  const char* hint;
};

class PageKeyLock : public Cycle, public ::testing::WithParamInterface<LockCase> {};

TEST_P(PageKeyLock, ClicksSwitchTagAndHint) {
  const LockCase& c = GetParam();
  w.pageKeyLockedOn = c.lockedBefore;
  WindowState expected = stateOf(w, s);
  for (int i = 0; i < c.clicks; ++i) cycle.Label13Click();
  expected.pageKeyLocked = c.lockedAfter;
  expected.hint = A(c.hint);
  EXPECT_EQ(stateOf(w, s), expected) << "only the lock and the hint change";
}

INSTANTIATE_TEST_SUITE_P(Clicks, PageKeyLock,
                         ::testing::Values(LockCase{false, 1, true, "禁止用翻页键抽奖！"},
                                           LockCase{false, 2, false, "可以用翻页键抽奖！"},
                                           LockCase{false, 3, true, "禁止用翻页键抽奖！"},
                                           LockCase{true, 1, false, "可以用翻页键抽奖！"},
                                           LockCase{true, 2, true, "禁止用翻页键抽奖！"}));

}  // namespace
