// Whole evenings through the fake window, each with a mistake an operator makes or a fault
// a file brings, then a restart with Yes: pool, counters, record and detail rows agree, and
// nobody wins twice.
#include "helpers.h"

#include "data/errors.h"
#include "data/random.h"
#include "data/record.h"
#include "data/session.h"
#include "data/startup.h"
#include "data/textops.h"
#include "data/texts.h"
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

struct EveningCase {
  const char* name;
  std::vector<const char*> candidates;  // the names file's lines
  const char* countAtRestart;           // line 6 of the settings for the second evening
  std::vector<Answer> answersAtRestart;
  bool detailFailsAtTheEnd = false;     // the first evening's last draw never reaches the detail
  bool killedBetweenSaves = false;      // ... because the program died after the record's save
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
    {"CountWithATrailingBlank", people(24), "4 ", {Answer::Yes}},
    {"CountLowered", people(24), "2", {Answer::Yes}},
    {"NoByMistake", people(24), "4", {Answer::No, Answer::Yes}},
    {"NoByMistakeAndEscape", people(24), "4", {Answer::No, Answer::Failed}},
    {"NamesHoldingTheSeparator", with(people(18), {"张伟，市场部", "陈静，销售部", "陈静", "张伟", "市场部"}), "4",
     {Answer::Yes}},
    {"BlankLines", with(people(20), {"", "   ", "　", "\t"}), "4", {Answer::Yes}},
    {"DetailFailsUntilTheEnd", people(24), "4", {Answer::Yes}, true},
    {"KilledBetweenTheSaves", people(24), "4", {Answer::Yes}, false, true},
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
           const std::function<void(int)>& beforeDraw = {}) {
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
      drawn += draws[i].size;
      cycle.Button1Click();
      Timer1Timer(w, random);
      cycle.Timer2Timer();
      cycle.Button1Click();
      cycle.Timer2Timer();
    }
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
  run(c.answersAtRestart, {{1, 2}, {2, 2}});
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
  EXPECT_EQ(total, drawn) << "every draw of both evenings is recorded";

  // Nobody wins twice, nobody is lost: the winners and the pool are the candidates.
  std::map<Text, int> together = pool;
  for (const auto& [n, k] : won) together[n] += k;
  EXPECT_EQ(together, candidates);

  // One detail row per recorded winner, in UTF-8 with its mark.
  EXPECT_EQ(readBytes("抽奖名单/获奖明细.csv").value_or("").substr(0, 3), "\xEF\xBB\xBF");
  TStringList detail;
  detail.LoadFromFile(T().detailFile);
  for (std::int32_t i = 1; i < detail.Count(); ++i) {
    const Text line = detail.Get(i);
    const size_t b = line.find(',', line.find(',') + 1), d = line.find(',', b + 1);
    ++rows[line.substr(b + 1, d - b - 1)];
  }
  EXPECT_EQ(rows, won);
}

INSTANTIATE_TEST_SUITE_P(Table, Evenings, ::testing::ValuesIn(kEvenings),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
