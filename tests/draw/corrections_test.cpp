// The operator's corrections after a Stop through the fake window: a withdrawn draw, a
// draw moved to another prize, winners marked absent. Each asks once and does nothing on
// No, none runs while a draw runs or during the lock-out, and record, counters, pool and
// spreadsheet follow; a failed save changes nothing.
#include "helpers.h"

#include "data/detail.h"
#include "data/errors.h"
#include "data/record.h"
#include "data/session.h"
#include "data/textops.h"
#include "data/texts.h"
#include "draw/corrections.h"
#include "draw/cycle.h"
#include "support/fake_platform.h"
#include "support/steered_draw.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using namespace drawtest;

namespace {

using Answer = platform::Dialogs::Answer;

const char* const kRecord = "抽奖名单/获奖记录.txt";
const char* const kDetail = "抽奖名单/获奖明细.csv";
const Text kMark = "\xEF\xBB\xBF";

// The spreadsheet's lines (UTF-8 literals), each ended by CR LF, after the mark.
Text csv(std::initializer_list<std::string_view> lines) {
  Text out = kMark;
  for (auto l : lines) out.append(l).append("\r\n");
  return out;
}

const std::vector<const char*> kNames = {"赵一", "钱二", "孙三", "李四", "周五", "吴六", "郑七", "王八"};

class Corrections : public ::testing::Test {
 protected:
  Corrections() {
    for (const char* n : kNames) w.pool.push_back({A(n), false});
    s.prizeCount = 3;
    w.captions[0] = A("特等奖");
    w.captions[1] = A("一等奖");
    w.captions[2] = A("二等奖");
  }

  // A draw of these names into slot k, Stop at the given time, the lock-out over.
  void draw(int k, const std::vector<const char*>& picked, const char* stamp = "20261210-201500") {
    testkit::steeredDraw(w, cycle, clock, k, picked, stamp);
  }

  std::vector<Text> pool(std::initializer_list<const char*> names) {
    std::vector<Text> out;
    for (const char* n : names) out.push_back(A(n));
    return out;
  }

  Text read(const char* path) { return readBytes(path).value_or("<missing>"); }

  // The program started again on the same folder, the continue question answered Yes.
  struct Restart {
    FakeWindow w;
    Session s;
  };
  std::unique_ptr<Restart> restartWithYes() {
    auto r = std::make_unique<Restart>();
    for (const char* n : kNames) r->w.pool.push_back({A(n), false});
    r->w.captions[0] = A("特等奖");
    r->w.captions[1] = A("一等奖");
    r->w.captions[2] = A("二等奖");
    r->s.prizeCount = 3;
    FakeDialogs yes;
    FormShow(r->w, r->s, yes, clock);
    return r;
  }

  InTempDir dir;
  FakeWindow w;
  Session s;
  FakeSound sound;
  FakeClock clock;
  FakeDialogs dialogs;
  DrawCycle cycle{w, s, sound, clock, "\\x\\"};
};

TEST_F(Corrections, WithdrawnDrawGoesBackWhereItStood) {
  draw(1, {"钱二"});
  draw(2, {"周五", "孙三", "王八"}, "20261210-202000");
  ASSERT_EQ(w.names(), pool({"赵一", "李四", "吴六", "郑七"}));

  ASSERT_TRUE(UndoLastDraw(w, s, dialogs));
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_NE(dialogs.questions[0].text.find(A("一等奖")), Text::npos) << "names the prize";
  EXPECT_NE(dialogs.questions[0].text.find("3"), Text::npos) << "and the number of names";

  EXPECT_EQ(w.names(), pool({"赵一", "孙三", "李四", "周五", "吴六", "郑七", "王八"})) << "at their former places";
  EXPECT_EQ(w.poolCaption, A("抽奖名单[7]人"));
  EXPECT_EQ(w.counters[1], "0");
  EXPECT_EQ(w.counters[0], "1");
  EXPECT_EQ(w.headlineText, "");
  EXPECT_TRUE(w.selected[1]) << "ready to draw the prize again";
  EXPECT_EQ(w.drawSize, "3");
  EXPECT_EQ(read(kRecord), crlf({"[特等奖]", "钱二", "[一等奖]", "", "[二等奖]", ""}));
  EXPECT_EQ(read(kDetail), csv({"序号,奖项,姓名,轮次,时间,状态", "1,特等奖,钱二,1,2026-12-10 20:15:00,中奖",
                                "2,一等奖,周五,2,2026-12-10 20:20:00,撤销", "3,一等奖,孙三,2,2026-12-10 20:20:00,撤销",
                                "4,一等奖,王八,2,2026-12-10 20:20:00,撤销"}));

  EXPECT_FALSE(UndoLastDraw(w, s, dialogs)) << "one draw withdrawn once; the one before stays";
  EXPECT_EQ(dialogs.questions.size(), 1u);
}

TEST_F(Corrections, NoChangesNothing) {
  draw(2, {"周五", "孙三"});
  const Text record = read(kRecord), detail = read(kDetail);
  const auto names = w.names();
  dialogs.answer = Answer::No;
  EXPECT_FALSE(UndoLastDraw(w, s, dialogs));
  EXPECT_FALSE(MoveLastDraw(w, s, dialogs, 1));
  EXPECT_FALSE(MarkAbsent(w, s, dialogs, {{2, A("孙三")}}));
  EXPECT_EQ(dialogs.questions.size(), 3u);
  EXPECT_EQ(read(kRecord), record);
  EXPECT_EQ(read(kDetail), detail);
  EXPECT_EQ(w.names(), names);
  EXPECT_EQ(w.counters[1], "2");
}

// While a draw runs, and during the 2 s lock-out after a Stop, nothing is asked or changed;
// afterwards Space still starts a draw.
TEST_F(Corrections, NotWhileADrawRunsNorDuringTheLockOut) {
  draw(1, {"钱二"});
  cycle.Button1Click();  // Start
  ASSERT_EQ(w.button, A("停止"));
  EXPECT_FALSE(UndoLastDraw(w, s, dialogs));
  EXPECT_FALSE(MoveLastDraw(w, s, dialogs, 2));
  EXPECT_FALSE(MarkAbsent(w, s, dialogs, {{1, A("钱二")}}));
  cycle.Timer2Timer();
  cycle.Button1Click();  // Stop: the lock-out holds
  ASSERT_FALSE(w.buttonOn);
  EXPECT_FALSE(UndoLastDraw(w, s, dialogs));
  EXPECT_TRUE(dialogs.questions.empty());
  cycle.Timer2Timer();

  ASSERT_TRUE(UndoLastDraw(w, s, dialogs));
  cycle.FormKeyUp(VK_SPACE_KEY);
  EXPECT_EQ(w.button, A("停止")) << "Space starts the next draw";
  EXPECT_TRUE(w.lockOut);
}

TEST_F(Corrections, MovedDrawBecomesTheOtherPrizes) {
  draw(3, {"赵一"});
  draw(1, {"周五", "孙三"}, "20261210-202000");
  ASSERT_TRUE(MoveLastDraw(w, s, dialogs, 3));
  EXPECT_NE(dialogs.questions[0].text.find(A("特等奖")), Text::npos);
  EXPECT_NE(dialogs.questions[0].text.find(A("二等奖")), Text::npos);
  EXPECT_EQ(w.counters[0], "0");
  EXPECT_EQ(w.counters[2], "3");
  EXPECT_TRUE(w.selected[2]);
  EXPECT_EQ(read(kRecord), crlf({"[特等奖]", "", "[一等奖]", "", "[二等奖]", "赵一，周五，孙三"}));
  EXPECT_EQ(read(kDetail), csv({"序号,奖项,姓名,轮次,时间,状态", "1,二等奖,赵一,1,2026-12-10 20:15:00,中奖",
                                "2,二等奖,周五,2,2026-12-10 20:20:00,改奖", "3,二等奖,孙三,2,2026-12-10 20:20:00,改奖"}));
  EXPECT_FALSE(MoveLastDraw(w, s, dialogs, 3)) << "already there";

  // Moved, then withdrawn: the names leave the prize they were moved to.
  ASSERT_TRUE(UndoLastDraw(w, s, dialogs));
  EXPECT_EQ(read(kRecord), crlf({"[特等奖]", "", "[一等奖]", "", "[二等奖]", "赵一"}));
  EXPECT_EQ(w.names(), pool({"钱二", "孙三", "李四", "周五", "吴六", "郑七", "王八"}));
}

// Absentees of an earlier draw leave the winners, stay out of the pool, and the window is
// left ready to draw their replacements; after a restart they are still out of the pool.
TEST_F(Corrections, AbsentWinnersAreReplacedAndStayOutOfTheDraw) {
  draw(1, {"钱二", "李四", "王八"});
  draw(2, {"周五"}, "20261210-202000");
  ASSERT_TRUE(MarkAbsent(w, s, dialogs, {{1, A("李四")}, {1, A("钱二")}}));
  EXPECT_NE(dialogs.questions[0].text.find(A("李四")), Text::npos);
  EXPECT_EQ(w.counters[0], "1");
  EXPECT_EQ(w.names(), pool({"赵一", "孙三", "吴六", "郑七"}));
  EXPECT_TRUE(w.selected[0]);
  EXPECT_EQ(w.drawSize, "2");
  EXPECT_EQ(read(kRecord), crlf({"[特等奖]", "王八", "[一等奖]", "周五", "[二等奖]", ""}));
  EXPECT_EQ(read(kDetail), csv({"序号,奖项,姓名,轮次,时间,状态", "1,特等奖,钱二,1,2026-12-10 20:15:00,缺席",
                                "2,特等奖,李四,1,2026-12-10 20:15:00,缺席", "3,特等奖,王八,1,2026-12-10 20:15:00,中奖",
                                "4,一等奖,周五,2,2026-12-10 20:20:00,中奖"}));
  // The last draw (周五, 一等奖) can still be withdrawn: absentees of another draw leave it whole.
  ASSERT_TRUE(s.lastDraw);
  EXPECT_EQ(s.lastDraw->names, pool({"周五"}));

  draw(1, {"赵一", "吴六"}, "20261210-203000");  // the replacements
  EXPECT_EQ(w.counters[0], "3");

  // A restart with Yes: the absentees stay out, the last draw's prize and size come back.
  const auto restarted = restartWithYes();
  FakeWindow& again = restarted->w;
  Session& s2 = restarted->s;
  EXPECT_EQ(again.names(), pool({"孙三", "郑七"}));
  EXPECT_EQ(again.counters[0], "3");
  EXPECT_TRUE(again.selected[0]);
  EXPECT_EQ(again.drawSize, "2");
  EXPECT_TRUE(again.notices.empty());
}

// Absentees are kept out of the draw through the spreadsheet: when it cannot be written,
// nobody is marked and the error says why.
TEST_F(Corrections, AbsentNeedsTheSpreadsheet) {
  draw(1, {"钱二", "李四"});
  const Text record = read(kRecord), detail = read(kDetail);
  ASSERT_TRUE(InTempDir::makeReadOnly(kDetail));
  EXPECT_THROW(MarkAbsent(w, s, dialogs, {{1, A("李四")}}), EWriteError);
  std::filesystem::permissions(std::filesystem::u8path(kDetail), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
  EXPECT_EQ(read(kRecord), record);
  EXPECT_EQ(read(kDetail), detail);
  EXPECT_EQ(w.counters[0], "2");
  EXPECT_TRUE(s.detail.pending.empty()) << "no mark left to be written later";
}

// A record that cannot be written: the correction fails with its error and the evening is
// as it was.
TEST_F(Corrections, FailedRecordChangesNothing) {
  draw(2, {"周五", "孙三"});
  const auto names = w.names();
  const Text winners = s.winners[1];
  ASSERT_TRUE(InTempDir::makeReadOnly(kRecord));
  EXPECT_THROW(UndoLastDraw(w, s, dialogs), EFCreateError);
  EXPECT_THROW(MoveLastDraw(w, s, dialogs, 1), EFCreateError);
  std::filesystem::permissions(std::filesystem::u8path(kRecord), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
  EXPECT_EQ(w.names(), names);
  EXPECT_EQ(s.winners[1], winners);
  EXPECT_EQ(w.counters[1], "2");
  EXPECT_TRUE(s.lastDraw);
  ASSERT_TRUE(UndoLastDraw(w, s, dialogs)) << "once the record can be written";
}

// After a restart with Yes the evening's last draw can still be withdrawn: its names go
// back where they stood in the candidate list, among the names still in the pool (an
// absentee of an earlier draw stays out).
TEST_F(Corrections, LastDrawOfTheEveningCanBeWithdrawnAfterARestart) {
  draw(1, {"李四"});
  ASSERT_TRUE(MarkAbsent(w, s, dialogs, {{1, A("李四")}}));
  draw(1, {"赵一"}, "20261210-201600");
  draw(2, {"王八", "钱二", "周五"}, "20261210-202000");

  const auto restarted = restartWithYes();
  FakeWindow& again = restarted->w;
  Session& s2 = restarted->s;
  ASSERT_EQ(again.names(), pool({"孙三", "吴六", "郑七"}));
  ASSERT_TRUE(s2.lastDraw);
  EXPECT_EQ(s2.lastDraw->slot, 2);

  FakeDialogs yes;
  ASSERT_TRUE(UndoLastDraw(again, s2, yes));
  EXPECT_EQ(again.names(), pool({"钱二", "孙三", "周五", "吴六", "郑七", "王八"}));
  EXPECT_EQ(again.counters[1], "0");
  EXPECT_EQ(read(kRecord), crlf({"[特等奖]", "赵一", "[一等奖]", "", "[二等奖]", ""}));
}

// A withdrawn last draw is not offered again after a restart.
TEST_F(Corrections, WithdrawnDrawIsNotOfferedAfterARestart) {
  draw(2, {"王八", "钱二"});
  ASSERT_TRUE(UndoLastDraw(w, s, dialogs));
  const auto restarted = restartWithYes();
  FakeWindow& again = restarted->w;
  Session& s2 = restarted->s;
  EXPECT_FALSE(s2.lastDraw);
  EXPECT_EQ(again.poolCount(), 8);
}

}  // namespace
