// Whole evenings through the fake window, each with a mistake an operator makes or a fault
// a file brings, or a correction of a draw (withdrawn, moved, winners absent; a kill or a
// spreadsheet that fails between the two saves), then a restart with Yes: pool, counters,
// record and detail rows agree, nobody wins twice, and the window is back at the last
// draw's prize and draw size.
#include "helpers.h"

#include "data/errors.h"
#include "data/random.h"
#include "data/record.h"
#include "data/session.h"
#include "data/startup.h"
#include "data/textops.h"
#include "data/texts.h"
#include "draw/corrections.h"
#include "draw/cycle.h"
#include "draw/pick.h"
#include "support/fake_platform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <ostream>

using namespace drawtest;

namespace {

using Answer = platform::Dialogs::Answer;

struct Draw {
  int slot, size;
};

// A correction at the end of the second evening, after its draws.
enum class Fix {
  None,
  Withdraw,            // the last draw (2 names of 一等奖) withdrawn
  WithdrawAndRedraw,   // ... and drawn again with what the window was left with
  Move,                // the last draw moved to 三等奖
  Absent,              // two winners of 特等奖 absent, their replacements drawn
  WithdrawKilled,      // killed between the record's save and the spreadsheet's
  MoveKilled,          // the same
  AbsentKilled,        // killed after the spreadsheet's save, before the record's
  WithdrawDetailFails  // the spreadsheet cannot be written until the program ends
};

struct EveningCase {
  const char* name;
  std::vector<const char*> candidates;  // the names file's lines
  const char* countAtRestart;           // line 6 of the settings for the second evening
  std::vector<Answer> answersAtRestart;
  bool detailFailsAtTheEnd = false;     // the first evening's last draw never reaches the detail
  bool killedBetweenSaves = false;      // ... because the program died after the record's save
  Fix fix = Fix::None;
  int lastSlot = 2, lastSize = 2;       // the last draw, selected again at the restart
  int extraRows = 0;                    // rows beyond one per name drawn
};
void PrintTo(const EveningCase& c, std::ostream* os) { *os << c.name; }

std::vector<const char*> people(int n) {
  static const char* const kNames[] = {"赵一", "钱二", "孙三", "李四", "周五", "吴六", "郑七", "王八", "冯九", "陈十",
                                       "褚甲", "卫乙", "蒋丙", "沈丁", "韩戊", "杨己", "朱庚", "秦辛", "尤壬", "许癸",
                                       "何子", "吕丑", "施寅", "张卯", "孔辰", "曹巳"};
  return std::vector<const char*>(std::begin(kNames), std::begin(kNames) + n);
}

std::vector<const char*> with(std::vector<const char*> names, std::initializer_list<const char*> more) {
  names.insert(names.end(), more);
  return names;
}

const EveningCase kEvenings[] = {
    {"Plain", people(24), "4", {Answer::Yes}},
    // Only 特等奖 is shown on the second evening: its draw is the last.
    {"CountWithATrailingBlank", people(24), "4 ", {Answer::Yes}, false, false, Fix::None, 1},
    {"CountLowered", people(24), "2", {Answer::Yes}},
    {"NoByMistake", people(24), "4", {Answer::No, Answer::Yes}},
    {"NoByMistakeAndEscape", people(24), "4", {Answer::No, Answer::Failed}},
    {"NamesHoldingTheSeparator", with(people(18), {"张伟，市场部", "陈静，销售部", "陈静", "张伟", "市场部"}), "4",
     {Answer::Yes}},
    {"BlankLines", with(people(20), {"", "   ", "　", "\t"}), "4", {Answer::Yes}},
    {"DetailFailsUntilTheEnd", people(24), "4", {Answer::Yes}, true},
    {"KilledBetweenTheSaves", people(24), "4", {Answer::Yes}, false, true},
    {"Withdrawn", people(24), "4", {Answer::Yes}, false, false, Fix::Withdraw},
    {"WithdrawnAndDrawnAgain", people(24), "4", {Answer::Yes}, false, false, Fix::WithdrawAndRedraw},
    {"Moved", people(24), "4", {Answer::Yes}, false, false, Fix::Move, 4},
    {"AbsentAndReplaced", people(24), "4", {Answer::Yes}, false, false, Fix::Absent, 1},
    {"WithdrawnAndKilledBeforeTheSpreadsheet", people(24), "4", {Answer::Yes}, false, false, Fix::WithdrawKilled},
    {"MovedAndKilledBeforeTheSpreadsheet", people(24), "4", {Answer::Yes}, false, false, Fix::MoveKilled, 4},
    // The record still names the absentees: they stay winners, and get their rows back.
    {"AbsentAndKilledBeforeTheRecord", people(24), "4", {Answer::Yes}, false, false, Fix::AbsentKilled, 2, 2, 2},
    {"WithdrawnWhileTheSpreadsheetFails", people(24), "4", {Answer::Yes}, false, false, Fix::WithdrawDetailFails},
};

class Evenings : public ::testing::TestWithParam<EveningCase> {
 protected:
  static void writeFolder(const EveningCase& c, const char* count) {
    Text names;
    for (const char* n : c.candidates) names += A(n) + "\r\n";
    ASSERT_TRUE(writeBytes("抽奖名单/抽奖名单.txt", names));
    ASSERT_TRUE(writeBytes("抽奖名单/基础配置.ini",
                           crlf({"背景图片：", "a.bmp", "标题文字：", "年会", "奖项个数："}) + A(count) + "\r\n"));
    ASSERT_TRUE(writeBytes("抽奖名单/a.bmp", Text()));  // an empty picture
    ASSERT_TRUE(writeBytes("抽奖名单/奖项设置.ini", crlf({"特等奖", "一等奖", "二等奖", "三等奖"})));
  }

  // One run of the program: start-up, the continue question, then the draws. Start-up's
  // errors (a prize count that cannot be read) are shown and it goes on, as the guard does.
  void run(const std::vector<Answer>& answers, const std::vector<Draw>& draws,
           const std::function<void(int)>& beforeDraw = {}, const std::function<void(DrawCycle&)>& after = {}) {
    w = FakeWindow();
    s = Session();
    try {
      FormCreate(w, s);
    } catch (const EError&) {
    }
    dialogs.answers = answers;
    dialogs.answer = Answer::Yes;
    dialogs.questions.clear();
    try {
      FormShow(w, s, dialogs, clock);
    } catch (const EError&) {
    }
    DrawCycle cycle(w, s, sound, clock, "\\x\\");
    for (size_t i = 0; i < draws.size(); ++i) {
      if (!s.slotInUse(draws[i].slot)) continue;
      if (beforeDraw) beforeDraw(int(i));
      w.selectSlot(draws[i].slot);
      w.drawSize = std::to_string(draws[i].size);
      drawOnce(cycle);
    }
    if (after) after(cycle);
  }

  // Start, a pick, Stop, with the prize and draw size the window has.
  void drawOnce(DrawCycle& cycle) {
    drawn += std::stoi(w.drawSize);
    cycle.Button1Click();
    Timer1Timer(w, random);
    cycle.Timer2Timer();
    cycle.Button1Click();
    cycle.Timer2Timer();
  }

  // The correction of the case, with the kill or the failure it meets.
  void fix(Fix f, DrawCycle& cycle) {
    const auto detail = readBytes("抽奖名单/获奖明细.csv");
    const auto record = readBytes("抽奖名单/获奖记录.txt");
    switch (f) {
      case Fix::None:
        return;
      case Fix::Withdraw:
      case Fix::WithdrawKilled:
      case Fix::WithdrawAndRedraw:
      case Fix::WithdrawDetailFails: {
        if (f == Fix::WithdrawDetailFails) {
          ASSERT_TRUE(InTempDir::makeReadOnly("抽奖名单/获奖明细.csv"));
        }
        ASSERT_TRUE(UndoLastDraw(w, s, dialogs));
        EXPECT_TRUE(w.selected[1]);
        EXPECT_EQ(w.drawSize, "2");
        if (f == Fix::WithdrawAndRedraw) drawOnce(cycle);
        break;
      }
      case Fix::Move:
      case Fix::MoveKilled:
        ASSERT_TRUE(MoveLastDraw(w, s, dialogs, 4));
        break;
      case Fix::Absent:
      case Fix::AbsentKilled: {
        std::vector<RecordedWinner> chosen;
        for (const RecordedWinner& r : AllRecordedWinners(s))
          if (r.slot == 1 && chosen.size() < 2) chosen.push_back(r);
        ASSERT_EQ(chosen.size(), 2u);
        ASSERT_TRUE(MarkAbsent(w, s, dialogs, chosen));
        EXPECT_TRUE(w.selected[0]);
        EXPECT_EQ(w.drawSize, "2");
        if (f == Fix::Absent) drawOnce(cycle);
        break;
      }
    }
    if (f == Fix::WithdrawKilled || f == Fix::MoveKilled) {
      ASSERT_TRUE(writeBytes("抽奖名单/获奖明细.csv", *detail));
    }
    if (f == Fix::AbsentKilled) {
      ASSERT_TRUE(writeBytes("抽奖名单/获奖记录.txt", *record));
    }
    if (f == Fix::WithdrawDetailFails)
      std::filesystem::permissions(std::filesystem::u8path("抽奖名单/获奖明细.csv"),
                                   std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
  }

  static constexpr const char* kPrizes[] = {"特等奖", "一等奖", "二等奖", "三等奖"};
  InTempDir dir;
  FakeWindow w;
  Session s;
  FakeDialogs dialogs;
  FakeClock clock;
  FakeSound sound;
  FairRandom random{20261210};
  int drawn = 0;  // names drawn in all runs
};

TEST_P(Evenings, EveryoneWinsOnceAndTheFilesAgree) {
  const EveningCase& c = GetParam();
  writeFolder(c, "4");
  const std::vector<Draw> first = {{1, 1}, {2, 3}, {3, 5}, {4, 4}};
  std::optional<Text> detailBeforeLast;
  run({Answer::No}, first, [&](int i) {
    if (i + 1 != int(first.size())) return;
    detailBeforeLast = readBytes("抽奖名单/获奖明细.csv");
    if (c.detailFailsAtTheEnd) {
      ASSERT_TRUE(InTempDir::makeReadOnly("抽奖名单/获奖明细.csv"));
    }
  });
  if (c.detailFailsAtTheEnd)
    std::filesystem::permissions(std::filesystem::u8path("抽奖名单/获奖明细.csv"),
                                 std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
  if (c.killedBetweenSaves) {
    ASSERT_TRUE(writeBytes("抽奖名单/获奖明细.csv", *detailBeforeLast));
  }

  // The second evening: the mistake, then more draws.
  writeFolder(c, c.countAtRestart);
  run(c.answersAtRestart, {{1, 2}, {2, 2}}, {}, [&](DrawCycle& cycle) { fix(c.fix, cycle); });
  if (c.answersAtRestart.size() > 1) {
    EXPECT_EQ(dialogs.questions.size(), 2u) << "No asks once more";
  }

  // Restart with Yes under the intended settings.
  writeFolder(c, "4");
  run({Answer::Yes}, {});

  std::map<Text, int> candidates, pool, won, rows;
  for (const char* n : c.candidates)
    if (!IsBlankLine(A(n))) ++candidates[A(n)];
  for (const Text& n : w.names()) ++pool[n];
  const TStringList record = [] {
    TStringList l;
    l.LoadFromFile(T().recordFile);
    return l;
  }();
  ASSERT_EQ(record.Count(), 8);
  int total = 0;
  for (int k = 1; k <= 4; ++k) {
    EXPECT_EQ(record.Get(2 * k - 2), "[" + A(kPrizes[k - 1]) + "]");
    EXPECT_EQ(record.Get(2 * k - 1), s.winners[k - 1]) << "slot " << k;
    const TStringList names = SplitNames(s.winners[k - 1], s.separatorNames);
    int count = 0;
    for (const Text& n : names.lines())
      if (!n.empty()) ++won[n], ++count;
    EXPECT_EQ(w.counters[k - 1], IntToStr(count)) << "slot " << k;
    total += count;
  }

  // One detail row per name ever drawn, in UTF-8 with its mark; the winners' rows (中奖,
  // 改奖) are the record's winners, and the absentees' rows (缺席) keep them out of the pool.
  EXPECT_EQ(readBytes("抽奖名单/获奖明细.csv").value_or("").substr(0, 3), "\xEF\xBB\xBF");
  TStringList detail;
  detail.LoadFromFile(T().detailFile);
  EXPECT_EQ(detail.Get(0), A("序号,奖项,姓名,轮次,时间,状态"));
  std::map<Text, int> absent;
  std::map<Text, std::map<Text, int>> wonByPrize, rowsByPrize;
  int rowCount = 0, gone = 0;
  for (std::int32_t i = 1; i < detail.Count(); ++i) {
    std::vector<Text> f;
    const Text line = detail.Get(i);
    for (size_t at = 0;;) {
      const size_t comma = line.find(',', at);
      f.push_back(line.substr(at, comma == Text::npos ? Text::npos : comma - at));
      if (comma == Text::npos) break;
      at = comma + 1;
    }
    ASSERT_EQ(f.size(), 6u) << line;
    ++rowCount;
    if (f[5] == A("中奖") || f[5] == A("改奖"))
      ++rows[f[2]], ++rowsByPrize[f[1]][f[2]];
    else if (f[5] == A("缺席"))
      ++absent[f[2]], ++gone;
    else if (f[5] == A("撤销"))
      ++gone;
    else
      ADD_FAILURE() << "status " << f[5];
  }
  for (int k = 1; k <= 4; ++k) {
    const TStringList names = SplitNames(s.winners[k - 1], s.separatorNames);
    for (const Text& n : names.lines())
      if (!n.empty()) ++wonByPrize[A(kPrizes[k - 1])][n];
  }
  EXPECT_EQ(rows, won);
  EXPECT_EQ(rowsByPrize, wonByPrize) << "each winner's row under the record's prize";
  EXPECT_EQ(rowCount, drawn + c.extraRows) << "a row for every name drawn";
  EXPECT_EQ(total + gone - c.extraRows, drawn) << "every draw of both evenings is recorded or marked";

  // Nobody wins twice, nobody is lost: the winners, the absentees and the pool are the
  // candidates.
  std::map<Text, int> together = pool;
  for (const auto& [n, k] : won) together[n] += k;
  for (const auto& [n, k] : absent) together[n] += std::max(0, k - (won.count(n) ? won[n] : 0));
  EXPECT_EQ(together, candidates);

  // The window as the last draw left it.
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(w.selected[k - 1], k == c.lastSlot) << "slot " << k;
  EXPECT_EQ(w.drawSize, std::to_string(c.lastSize));
}

INSTANTIATE_TEST_SUITE_P(Table, Evenings, ::testing::ValuesIn(kEvenings),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
