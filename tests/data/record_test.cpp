// The winners record: writing it, the continue question, restoring and pruning, keeping
// the previous record on No.
#include "data/errors.h"
#include "data/record.h"
#include "data/session.h"
#include "data/stringlist.h"
#include "data/texts.h"
#include "data/window.h"
#include "helpers.h"
#include "support/fake_platform.h"
#include "support/fake_window.h"

#include <gtest/gtest.h>

#include <ostream>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

using namespace testdata;

namespace {

const std::string kRecord = "抽奖名单/获奖记录.txt";

std::vector<Text> gbk(std::initializer_list<const char*> utf8) {
  std::vector<Text> out;
  for (const char* s : utf8) out.push_back(A(s));
  return out;
}

// The record and its kept copies in the draw folder (a continued start may add the
// winners detail beside them).
std::vector<std::string> recordFiles() {
  std::vector<std::string> out;
  for (const std::string& name : listDir("抽奖名单"))
    if (name.rfind("获奖记录", 0) == 0) out.push_back(name);
  return out;
}

class RecordTest : public InDrawFolder {
 protected:
  // The prize names of the worked example.
  static void nameSlots(FakeWindow& w) {
    const char* names[] = {"特别大奖", "一等奖", "二等奖", "幸运奖", "纪念奖", "参与奖"};
    for (int k = 0; k < 6; ++k) w.captions[k] = A(names[k]);
  }

  // The worked example after three draws, prize count 4.
  static void fillWorkedExample(FakeWindow& w, Session& s) {
    nameSlots(w);
    s.prizeCount = 4;
    s.winners[0] = "";
    s.winners[1] = A("张三");
    s.winners[2] = A("李四，王五，赵六");
    s.winners[3] = A("钱七，孙八");
  }

  static Text workedExampleBytes() {
    return crlf({"[特别大奖]", "", "[一等奖]", "张三", "[二等奖]", "李四，王五，赵六", "[幸运奖]",
                 "钱七，孙八"});
  }

  void restore(FakeWindow& w, Session& s, platform::Dialogs::Answer answer = platform::Dialogs::Answer::Yes) {
    dialogs.answer = answer;
    FormShow(w, s, dialogs, clock);
  }

  void expectCounters(const FakeWindow& w, std::array<const char*, 6> counters) {
    for (int k = 0; k < 6; ++k) EXPECT_EQ(w.counters[k], counters[k]) << "slot " << k + 1;
  }
  void expectWinners(const Session& s, std::array<const char*, 6> winners) {
    for (int k = 0; k < 6; ++k) EXPECT_EQ(s.winners[k], A(winners[k])) << "slot " << k + 1;
  }

  FakeDialogs dialogs;
  FakeClock clock;
};

// ---------------------------------------------------------------------------------------
// Writing.

TEST_F(RecordTest, SaveHumanWritesWorkedExample) {
  FakeWindow w;
  Session s;
  fillWorkedExample(w, s);
  SaveHuman(w, s);
  EXPECT_EQ(readBytes(kRecord), workedExampleBytes());
}

TEST_F(RecordTest, PrizeCountZeroOrBelowWritesSlotOneOnly) {
  for (int count : {0, -2, 1}) {
    FakeWindow w;
    Session s;
    s.prizeCount = count;
    s.winners[0] = A("张三");
    s.winners[1] = A("李四");
    SaveHuman(w, s);
    EXPECT_EQ(readBytes(kRecord), crlf({"[特等奖]", "张三"})) << "prize count " << count;
  }
}

TEST_F(RecordTest, PrizeCountAboveSixWritesSixSlots) {
  FakeWindow w;
  Session s;
  nameSlots(w);
  s.prizeCount = 9;
  s.winners[5] = A("周九");
  SaveHuman(w, s);
  EXPECT_EQ(readBytes(kRecord), crlf({"[特别大奖]", "", "[一等奖]", "", "[二等奖]", "", "[幸运奖]", "",
                                      "[纪念奖]", "", "[参与奖]", "周九"}));
}

// ---------------------------------------------------------------------------------------
// Restoring.

TEST_F(RecordTest, WorkedExampleRoundTrip) {
  {
    FakeWindow w;
    Session s;
    fillWorkedExample(w, s);
    SaveHuman(w, s);
  }
  FakeWindow w;
  nameSlots(w);
  w.setPool(gbk({"周一", "", "张三", "李四", "王五", "赵六", "钱七", "孙八", "吴九", ""}));
  w.poolCaption = A("抽奖名单[10]人");
  Session s;
  s.prizeCount = 4;
  restore(w, s);

  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(dialogs.questions[0].caption, A("提示"));
  EXPECT_EQ(dialogs.questions[0].text, A("是否继续上次的获奖记录？"));
  expectWinners(s, {"", "张三", "李四，王五，赵六", "钱七，孙八", "", ""});
  expectCounters(w, {"0", "1", "3", "2", "00", "00"});
  // Pieces: "", 张三, 李四, 王五, 赵六, 钱七, 孙八 and the empty texts of slots 5 and 6.
  EXPECT_EQ(w.names(), gbk({"周一", "吴九"}));
  EXPECT_EQ(w.poolCaption, A("抽奖名单[2]人"));
  EXPECT_EQ(readBytes(kRecord), workedExampleBytes()) << "a restore does not write the record";
  EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(RecordTest, RoundTripKeepsEveryByte) {
  Session written;
  {
    FakeWindow w;
    nameSlots(w);
    written.prizeCount = 6;
    written.winners[0] = A("张三 ") + A("，") + A(" 李四");
    written.winners[1] = A("乗，") + "\x80\xFF";
    written.winners[2] = A("，，");
    written.winners[3] = "\xEF\xBB\xBF" "abc";
    written.winners[4] = "";
    written.winners[5] = A("\t王五\t");
    SaveHuman(w, written);
  }
  FakeWindow w;
  Session s;
  s.prizeCount = 6;
  restore(w, s);
  for (int k = 0; k < 6; ++k) EXPECT_EQ(s.winners[k], written.winners[k]) << "slot " << k + 1;
  expectCounters(w, {"2", "2", "3", "1", "0", "1"});
}

TEST_F(RecordTest, RestoreUnderLargerPrizeCount) {
  writeBytes(kRecord, crlf({"[特别大奖]", "张三", "[一等奖]", "李四，王五", "[二等奖]", "赵六"}));
  FakeWindow w;
  w.setPool(gbk({"张三", "李四", "王五", "赵六", "钱七"}));
  Session s;
  s.prizeCount = 5;
  restore(w, s);
  expectWinners(s, {"张三", "李四，王五", "赵六", "", "", ""});
  expectCounters(w, {"1", "2", "1", "00", "00", "00"});
  EXPECT_EQ(w.names(), gbk({"钱七"}));
  EXPECT_EQ(w.poolCaption, A("抽奖名单[1]人"));
}

// Slots beyond the prize count are not shown, but their winners are held: out of the pool
// and in the record (HiddenSlots below).
TEST_F(RecordTest, RestoreUnderSmallerPrizeCountHoldsLaterSlots) {
  writeBytes(kRecord, crlf({"[特别大奖]", "张三", "[一等奖]", "李四", "[二等奖]", "王五，赵六", "[幸运奖]", "钱七"}));
  FakeWindow w;
  w.setPool(gbk({"张三", "李四", "王五", "赵六", "钱七", "孙八"}));
  Session s;
  s.prizeCount = 2;
  restore(w, s);
  expectWinners(s, {"张三", "李四", "王五，赵六", "钱七", "", ""});
  expectCounters(w, {"1", "1", "00", "00", "00", "00"});
  EXPECT_EQ(w.names(), gbk({"孙八"}));
  EXPECT_EQ(w.poolCaption, A("抽奖名单[1]人"));
  EXPECT_EQ(w.notices.size(), 1u);
}

TEST_F(RecordTest, PrizeCountZeroShowsSlotOneAndHoldsTheRest) {
  writeBytes(kRecord, crlf({"[特别大奖]", "张三", "[一等奖]", "李四"}));
  FakeWindow w;
  w.setPool(gbk({"张三", "李四", "王五"}));
  Session s;
  s.prizeCount = 0;
  restore(w, s);
  expectWinners(s, {"张三", "李四", "", "", "", ""});
  expectCounters(w, {"1", "00", "00", "00", "00", "00"});
  EXPECT_EQ(w.names(), gbk({"王五"}));
}

TEST_F(RecordTest, BracketedNamesAreNotRead) {
  writeBytes(kRecord, crlf({"[纪念奖]", "张三", "随便什么", "李四"}));
  FakeWindow w;
  nameSlots(w);
  Session s;
  s.prizeCount = 2;
  restore(w, s);
  expectWinners(s, {"张三", "李四", "", "", "", ""});
  EXPECT_EQ(w.captions[0], A("特别大奖"));
  EXPECT_EQ(w.captions[1], A("一等奖"));
}

TEST_F(RecordTest, FailedQuestionRestoresLikeYes) {
  writeBytes(kRecord, crlf({"[特等奖]", "张三，李四"}));
  FakeWindow w;
  w.setPool(gbk({"张三", "王五", "李四"}));
  Session s;
  s.prizeCount = 1;
  restore(w, s, platform::Dialogs::Answer::Failed);
  expectWinners(s, {"张三，李四", "", "", "", "", ""});
  expectCounters(w, {"2", "00", "00", "00", "00", "00"});
  EXPECT_EQ(w.names(), gbk({"王五"}));
  EXPECT_EQ(w.poolCaption, A("抽奖名单[1]人"));
}

// ---------------------------------------------------------------------------------------
// Pruning the pool: each piece takes out the first equal entry, if any.

struct PruneCase {
  const char* name;
  int prizeCount;
  std::vector<const char*> record;  // the file's lines
  std::vector<const char*> before, after;
  const char* counter1;
};
void PrintTo(const PruneCase& c, std::ostream* os) { *os << c.name; }

const PruneCase kPrunes[] = {
    {"NameTwiceInPoolOnceRecorded", 2, {"[a]", "张三", "[b]", "李四"},
     {"张三", "王五", "张三", "李四"}, {"王五", "张三"}, "1"},
    {"NameRecordedTwiceRemovesBoth", 1, {"[a]", "张三，张三"},
     {"张三", "王五", "张三"}, {"王五"}, "2"},
    {"EmptyPieceRemovesFirstEmptyEntry", 6,
     {"[a]", "张三，，李四", "[b]", "y", "[c]", "y", "[d]", "y", "[e]", "y", "[f]", "y"},
     {"张三", "x", "", "李四", "", "x"}, {"x", "", "x"}, "3"},
    {"SixEmptyTextsRemoveSixEmptyEntries", 6,
     {"[a]", "", "[b]", "", "[c]", "", "[d]", "", "[e]", "", "[f]", ""},
     {"甲", "", "乙", "", "", "", "", "", "", "丙"}, {"甲", "乙", "", "丙"}, "0"},
    {"UnreadSlotsStillGiveEmptyPieces", 1, {"[a]", "张三"},
     {"", "", "张三", "", "", "", "", ""}, {"", ""}, "1"},
    {"TrailingBlankDoesNotMatchBareName", 1, {"[a]", "王五 "},
     {"王五", "王五 "}, {"王五"}, "1"},
    {"BareNameDoesNotMatchTrailingBlank", 1, {"[a]", "王五"},
     {"王五 ", "赵六"}, {"王五 ", "赵六"}, "1"},
    {"UnknownNameRemovesNothing", 1, {"[a]", "赵六"},
     {"张三"}, {"张三"}, "1"},
};

class Pruning : public RecordTest, public ::testing::WithParamInterface<PruneCase> {};

TEST_P(Pruning, RemovesFirstEqualEntryPerPiece) {
  const auto& c = GetParam();
  Text bytes;
  for (const char* l : c.record) bytes += A(l) + "\r\n";
  writeBytes(kRecord, bytes);
  FakeWindow w;
  std::vector<Text> before;
  for (const char* n : c.before) before.push_back(A(n));
  w.setPool(before);
  Session s;
  s.prizeCount = c.prizeCount;
  restore(w, s);

  std::vector<Text> after;
  for (const char* n : c.after) after.push_back(A(n));
  EXPECT_EQ(w.names(), after);
  EXPECT_EQ(w.poolCaption, PoolCaption(int(after.size())));
  EXPECT_EQ(w.counters[0], c.counter1);
}

INSTANTIATE_TEST_SUITE_P(Table, Pruning, ::testing::ValuesIn(kPrunes),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------
// Restores that fail.

TEST_F(RecordTest, MissingRecordRestoresNothing) {
  FakeWindow w;
  w.setPool(gbk({"张三", ""}));
  w.poolCaption = A("抽奖名单[2]人");
  Session s;
  s.prizeCount = 3;
  auto r = raisedBy([&] { restore(w, s); });
  expectFileError(r, "EFOpenError", "open", TempCwd::full(kRecord));
  expectWinners(s, {"", "", "", "", "", ""});
  expectCounters(w, {"00", "00", "00", "00", "00", "00"});
  EXPECT_EQ(w.names(), gbk({"张三", ""}));
  EXPECT_EQ(w.poolCaption, A("抽奖名单[2]人"));
  EXPECT_FALSE(std::filesystem::exists(u8path(kRecord))) << "no record is written until the first Stop";
}

class ShortRecord : public RecordTest, public ::testing::WithParamInterface<Text> {};

TEST_P(ShortRecord, FewerThanTwoLinesIsIndexErrorOne) {
  writeBytes(kRecord, GetParam());
  FakeWindow w;
  w.setPool(gbk({"张三", ""}));
  Session s;
  s.prizeCount = 2;
  auto r = raisedBy([&] { restore(w, s); });
  ASSERT_TRUE(r);
  EXPECT_EQ(r->kind, "EStringListError");
  EXPECT_EQ(r->message, "List index out of bounds (1)");
  expectWinners(s, {"", "", "", "", "", ""});
  expectCounters(w, {"00", "00", "00", "00", "00", "00"});
  EXPECT_EQ(w.names(), gbk({"张三", ""}));
  EXPECT_EQ(w.poolCaption, A("  抽奖名单"));
  EXPECT_EQ(readBytes(kRecord), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Files, ShortRecord,
                         ::testing::Values(Text(), Text("[x]\r\n"), Text("[x]")));

// A record cut short after the bracketed line of slot k (2k - 1 lines) while the prize
// count puts slot k in use.
class OddRecord : public RecordTest, public ::testing::WithParamInterface<int> {};

TEST_P(OddRecord, RestoresSlotsBeforeKAndStops) {
  const int k = GetParam();
  const char* names[] = {"张三", "李四", "王五", "赵六", "钱七", "孙八"};
  Text bytes;
  for (int j = 1; j < k; ++j) bytes += crlf({"[奖]", names[j - 1]});
  bytes += crlf({"[奖]"});
  writeBytes(kRecord, bytes);

  FakeWindow w;
  w.setPool(gbk({"张三", "李四", "王五", "赵六", "钱七", "孙八"}));
  w.poolCaption = A("抽奖名单[6]人");
  Session s;
  s.prizeCount = 6;
  auto r = raisedBy([&] { restore(w, s); });
  ASSERT_TRUE(r);
  EXPECT_EQ(r->kind, "EStringListError");
  EXPECT_EQ(r->message, "List index out of bounds (" + std::to_string(2 * k - 1) + ")");
  for (int j = 1; j <= 6; ++j) {
    if (j < k) {
      EXPECT_EQ(s.winners[j - 1], A(names[j - 1])) << "slot " << j;
      EXPECT_EQ(w.counters[j - 1], "1") << "slot " << j;
    } else {
      EXPECT_EQ(s.winners[j - 1], "") << "slot " << j;
      EXPECT_EQ(w.counters[j - 1], "00") << "slot " << j;
    }
  }
  EXPECT_EQ(w.poolCount(), 6) << "the pool is not pruned";
  EXPECT_EQ(w.poolCaption, A("抽奖名单[6]人"));
}

INSTANTIATE_TEST_SUITE_P(Slots, OddRecord, ::testing::Range(2, 7));

TEST_F(RecordTest, OddRecordBeyondPrizeCountIsFine) {
  writeBytes(kRecord, crlf({"[奖]", "张三", "[奖]", "李四", "[奖]"}));
  FakeWindow w;
  w.setPool(gbk({"张三", "李四", "王五"}));
  Session s;
  s.prizeCount = 2;
  restore(w, s);
  expectWinners(s, {"张三", "李四", "", "", "", ""});
  EXPECT_EQ(w.names(), gbk({"王五"}));
}

TEST_F(RecordTest, NamesHoldingTheSeparatorsBytesAreRestoredWhole) {
  // In 林海瑄, 陈福瑩 and 张保瑋 the bytes A3 AC of "，" straddle two characters; cut there,
  // a winner would stay in the pool and could win a second time.
  FakeWindow before;
  nameSlots(before);
  Session written;
  written.prizeCount = 2;
  written.winners[0] = A("林海瑄，陈福瑩");
  written.winners[1] = A("张保瑋");
  SaveHuman(before, written);

  FakeWindow w;
  w.setPool(gbk({"张三", "林海瑄", "陈福瑩", "李四", "张保瑋"}));
  Session s;
  s.prizeCount = 2;
  restore(w, s);
  expectWinners(s, {"林海瑄，陈福瑩", "张保瑋", "", "", "", ""});
  expectCounters(w, {"2", "1", "00", "00", "00", "00"});
  EXPECT_EQ(w.names(), gbk({"张三", "李四"}));
  EXPECT_EQ(w.poolCaption, A("抽奖名单[2]人"));
}

// ---------------------------------------------------------------------------------------
// Continuing with a record that holds winners lines beyond six slots: they are kept in a
// copy of the record before the first Stop rewrites it without them.

struct DroppedCase {
  const char* name;
  std::int32_t prizeCount;
  std::vector<const char*> record;
  bool keeps;
};
void PrintTo(const DroppedCase& c, std::ostream* os) { *os << c.name; }

const DroppedCase kDropped[] = {
    // Slots beyond the prize count stay in the record itself (HiddenSlots below): nothing
    // is dropped, so there is nothing to keep aside.
    {"CountLoweredFromFourToTwo", 2, {"[特别大奖]", "张三", "[一等奖]", "", "[二等奖]", "李四", "[幸运奖]", ""}, false},
    // "3 " in the settings is no number: the prize count is 0 and only slot 1 is shown.
    {"CountUnreadable", 0, {"[特别大奖]", "", "[一等奖]", "王五"}, false},
    {"HandEditedLinesBeyondSixSlots", 6,
     {"[a]", "", "[b]", "", "[c]", "", "[d]", "", "[e]", "", "[f]", "", "[g]", "赵六"}, true},
    {"DroppedSlotsAreEmpty", 2, {"[特别大奖]", "张三", "[一等奖]", "", "[二等奖]", "", "[幸运奖]", ""}, false},
    {"EverySlotRestored", 4, {"[特别大奖]", "张三", "[一等奖]", "", "[二等奖]", "李四", "[幸运奖]", "钱七"}, false},
};

class DroppedWinners : public RecordTest, public ::testing::WithParamInterface<DroppedCase> {};

TEST_P(DroppedWinners, FirstSaveKeepsTheRecordOnce) {
  const auto& c = GetParam();
  Text old;
  for (const char* line : c.record) old += A(line) + "\r\n";
  writeBytes(kRecord, old);
  FakeWindow w;
  nameSlots(w);
  Session s;
  s.prizeCount = c.prizeCount;
  restore(w, s);
  EXPECT_EQ(readBytes(kRecord), old) << "a restore writes nothing";

  s.winners[0] += A("，孙八");
  SaveHuman(w, s);
  SaveHuman(w, s);

  const std::string copy = "获奖记录-20261210-201500.txt";
  if (c.keeps) {
    EXPECT_EQ(recordFiles(), (std::vector<std::string>{copy, "获奖记录.txt"}));
    EXPECT_EQ(readBytes("抽奖名单/" + copy), old);
  } else {
    EXPECT_EQ(recordFiles(), (std::vector<std::string>{"获奖记录.txt"}));
  }
  TStringList now;
  now.LoadFromFile(T().recordFile);
  EXPECT_EQ(now.Get(1), s.winners[0]);
}

INSTANTIATE_TEST_SUITE_P(Table, DroppedWinners, ::testing::ValuesIn(kDropped),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecordTest, WhenTheCopyCannotBeWrittenTheRecordIsNotRewritten) {
  const Text old = crlf({"[特别大奖]", "张三", "[一等奖]", "", "[二等奖]", "", "[幸运奖]", "", "[纪念奖]", "",
                          "[参与奖]", "", "[g]", "李四"});
  writeBytes(kRecord, old);
  clock.stamp = "20261210\\missing\\201500";  // sends the copy into a folder that does not exist
  FakeWindow w;
  nameSlots(w);
  Session s;
  s.prizeCount = 6;
  restore(w, s);
  s.winners[0] += A("，王五");

  auto r = raisedBy([&] { SaveHuman(w, s); });
  expectFileError(r, "EFCreateError", "create",
                  TempCwd::full("抽奖名单/获奖记录-20261210/missing/201500.txt"));
  EXPECT_EQ(readBytes(kRecord), old) << "李四 must not be dropped from the file";

  std::filesystem::create_directories(u8path("抽奖名单/获奖记录-20261210/missing"));
  SaveHuman(w, s);  // the next Stop tries again
  EXPECT_EQ(readBytes("抽奖名单/获奖记录-20261210/missing/201500.txt"), old);
  EXPECT_EQ(readBytes(kRecord), crlf({"[特别大奖]", "张三，王五", "[一等奖]", "", "[二等奖]", "", "[幸运奖]", "",
                                      "[纪念奖]", "", "[参与奖]", ""}));
}

// ---------------------------------------------------------------------------------------
// A prize count lowered, or written so that it cannot be read: the slots beyond it are not
// shown, but their winners stay out of the pool and their lines stay in the record, and one
// notice names the prizes hidden.

struct HiddenCase {
  const char* name;
  std::int32_t prizeCount;
  std::array<const char*, 4> counters;           // slots 1 to 4 after the restore
  std::vector<const char*> named, notNamed;      // prizes the notice names, and does not
};
void PrintTo(const HiddenCase& c, std::ostream* os) { *os << c.name; }

const HiddenCase kHidden[] = {
    {"CountLoweredFromFourToTwo", 2, {"1", "2", "00", "00"}, {"二等奖"}, {"一等奖", "幸运奖"}},
    {"CountUnreadable", 0, {"1", "00", "00", "00"}, {"一等奖", "二等奖"}, {"幸运奖"}},
    {"CountAsWritten", 4, {"1", "2", "1", "0"}, {}, {}},
    {"CountRaised", 6, {"1", "2", "1", "0"}, {}, {}},
};

class HiddenSlots : public RecordTest, public ::testing::WithParamInterface<HiddenCase> {};

TEST_P(HiddenSlots, StayInRecordAndOutOfPool) {
  const auto& c = GetParam();
  const Text old = crlf({"[特别大奖]", "张三", "[一等奖]", "李四，王五", "[二等奖]", "赵六", "[幸运奖]", ""});
  writeBytes(kRecord, old);
  FakeWindow w;
  nameSlots(w);
  w.setPool(gbk({"张三", "李四", "钱七", "王五", "赵六", "孙八"}));
  Session s;
  s.prizeCount = c.prizeCount;
  restore(w, s);

  EXPECT_EQ(w.names(), gbk({"钱七", "孙八"})) << "every recorded winner leaves the pool";
  EXPECT_EQ(w.poolCaption, A("抽奖名单[2]人"));
  for (int k = 0; k < 4; ++k) EXPECT_EQ(w.counters[k], c.counters[size_t(k)]) << "slot " << k + 1;
  if (c.named.empty()) {
    EXPECT_TRUE(w.notices.empty());
  } else {
    ASSERT_EQ(w.notices.size(), 1u);
    for (const char* prize : c.named) EXPECT_NE(w.notices[0].find(A(prize)), Text::npos) << prize;
    for (const char* prize : c.notNamed) EXPECT_EQ(w.notices[0].find(A(prize)), Text::npos) << prize;
  }

  // A Stop in slot 1: the record keeps every slot it held, byte for byte.
  s.winners[0] += A("，钱七");
  w.setPool(gbk({"孙八"}));
  SaveHuman(w, s);
  Text expected = crlf({"[特别大奖]", "张三，钱七", "[一等奖]", "李四，王五", "[二等奖]", "赵六", "[幸运奖]", ""});
  if (c.prizeCount > 4) expected += crlf({"[纪念奖]", "", "[参与奖]", ""});
  EXPECT_EQ(readBytes(kRecord), expected);
  EXPECT_EQ(recordFiles(), (std::vector<std::string>{"获奖记录.txt"}));

  // Corrected and restarted: everyone is back in their slot, nobody in the pool.
  FakeWindow again;
  nameSlots(again);
  again.setPool(gbk({"张三", "李四", "钱七", "王五", "赵六", "孙八"}));
  Session next;
  next.prizeCount = 4;
  restore(again, next);
  EXPECT_EQ(again.names(), gbk({"孙八"}));
  for (int k = 0; k < 4; ++k) EXPECT_EQ(again.counters[k], (std::array<const char*, 4>{"2", "2", "1", "0"})[size_t(k)]);
}

INSTANTIATE_TEST_SUITE_P(Table, HiddenSlots, ::testing::ValuesIn(kHidden),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------
// Answer No: keep the previous record beside the fresh one.

TEST_F(RecordTest, NoKeepsPreviousRecordAndWritesFreshOne) {
  writeBytes(kRecord, workedExampleBytes());
  FakeWindow w;
  nameSlots(w);
  w.setPool(gbk({"张三", "李四"}));
  Session s;
  s.prizeCount = 3;
  restore(w, s, platform::Dialogs::Answer::No);

  EXPECT_EQ(readBytes("抽奖名单/获奖记录-20261210-201500.txt"), workedExampleBytes());
  EXPECT_EQ(readBytes(kRecord), crlf({"[特别大奖]", "", "[一等奖]", "", "[二等奖]", ""}));
  EXPECT_EQ(listDir("抽奖名单"),
            (std::vector<std::string>{"获奖记录-20261210-201500.txt", "获奖记录.txt"}));
  expectCounters(w, {"00", "00", "00", "00", "00", "00"});
  expectWinners(s, {"", "", "", "", "", ""});
  EXPECT_EQ(w.names(), gbk({"张三", "李四"}));
  EXPECT_EQ(w.poolCaption, A("  抽奖名单"));
}

// No by mistake: when the record names winners, the question comes once more with their
// number, and only a second No starts afresh. Escape, the close box or a failing box count
// as the safe answer, continue.
struct SecondCase {
  const char* name;
  std::vector<const char*> record;  // no record file when empty
  std::vector<platform::Dialogs::Answer> answers;
  size_t questions;
  bool fresh;
};
void PrintTo(const SecondCase& c, std::ostream* os) { *os << c.name; }

using A_ = platform::Dialogs::Answer;
const SecondCase kSecond[] = {
    {"NoThenContinue", {"[特别大奖]", "张三", "[一等奖]", "李四，王五"}, {A_::No, A_::Yes}, 2, false},
    {"NoThenBoxFails", {"[特别大奖]", "张三", "[一等奖]", "李四，王五"}, {A_::No, A_::Failed}, 2, false},
    {"NoTwice", {"[特别大奖]", "张三", "[一等奖]", "李四，王五"}, {A_::No, A_::No}, 2, true},
    {"YesAsksOnce", {"[特别大奖]", "张三", "[一等奖]", "李四，王五"}, {A_::Yes}, 1, false},
    {"RecordWithoutWinnersAsksOnce", {"[特别大奖]", "", "[一等奖]", ""}, {A_::No}, 1, true},
    {"NoRecordAsksOnce", {}, {A_::No}, 1, true},
};

class SecondQuestion : public RecordTest, public ::testing::WithParamInterface<SecondCase> {};

TEST_P(SecondQuestion, OnlyASecondNoStartsAfresh) {
  const auto& c = GetParam();
  Text old;
  for (const char* line : c.record) old += A(line) + "\r\n";
  if (!c.record.empty()) writeBytes(kRecord, old);
  FakeWindow w;
  nameSlots(w);
  w.setPool(gbk({"张三", "李四", "王五", "赵六"}));
  Session s;
  s.prizeCount = 2;
  dialogs.answers = c.answers;
  dialogs.answer = A_::Yes;  // beyond the script: there must be no further question
  FormShow(w, s, dialogs, clock);

  ASSERT_EQ(dialogs.questions.size(), c.questions);
  if (c.questions == 2) {
    EXPECT_EQ(dialogs.questions[1].caption, A("提示"));
    EXPECT_NE(dialogs.questions[1].text.find("3"), Text::npos) << "names how many winners would return";
  }
  if (c.fresh) {
    EXPECT_EQ(readBytes(kRecord), crlf({"[特别大奖]", "", "[一等奖]", ""}));
    EXPECT_EQ(w.names(), gbk({"张三", "李四", "王五", "赵六"}));
  } else {
    EXPECT_EQ(readBytes(kRecord), old) << "a restore writes nothing";
    EXPECT_EQ(w.names(), gbk({"赵六"}));
    expectCounters(w, {"1", "2", "00", "00", "00", "00"});
  }
}

INSTANTIATE_TEST_SUITE_P(Table, SecondQuestion, ::testing::ValuesIn(kSecond),
                         [](const auto& info) { return std::string(info.param.name); });

struct TakenCase {
  const char* name;
  std::vector<std::string> files, dirs;  // names under the draw folder taken beforehand
  const char* expected;
};
void PrintTo(const TakenCase& c, std::ostream* os) { *os << c.name; }

const TakenCase kTaken[] = {
    {"StampTaken", {"获奖记录-20261210-201500.txt"}, {}, "获奖记录-20261210-201500-2.txt"},
    {"StampAndTwoTaken", {"获奖记录-20261210-201500.txt", "获奖记录-20261210-201500-2.txt"}, {},
     "获奖记录-20261210-201500-3.txt"},
    {"StampTakenByFolder", {}, {"获奖记录-20261210-201500.txt"}, "获奖记录-20261210-201500-2.txt"},
};

class BackupName : public RecordTest, public ::testing::WithParamInterface<TakenCase> {};

TEST_P(BackupName, AddsSuffixWhenNameExists) {
  const auto& c = GetParam();
  writeBytes(kRecord, workedExampleBytes());
  for (const auto& f : c.files) writeBytes("抽奖名单/" + f, "older " + f);
  for (const auto& d : c.dirs) std::filesystem::create_directory(u8path("抽奖名单/" + d));
  FakeWindow w;
  Session s;
  restore(w, s, platform::Dialogs::Answer::No);

  EXPECT_EQ(readBytes("抽奖名单/" + std::string(c.expected)), workedExampleBytes());
  for (const auto& f : c.files) EXPECT_EQ(readBytes("抽奖名单/" + f), "older " + f);
  EXPECT_EQ(readBytes(kRecord), crlf({"[特等奖]", ""}));
}

INSTANTIATE_TEST_SUITE_P(Table, BackupName, ::testing::ValuesIn(kTaken),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecordTest, NoWithAbsentRecordCopiesNothing) {
  FakeWindow w;
  Session s;
  restore(w, s, platform::Dialogs::Answer::No);
  EXPECT_EQ(listDir("抽奖名单"), (std::vector<std::string>{"获奖记录.txt"}));
  EXPECT_EQ(readBytes(kRecord), crlf({"[特等奖]", ""}));
}

TEST_F(RecordTest, NoWithEmptyRecordCopiesNothing) {
  writeBytes(kRecord, Text());
  FakeWindow w;
  Session s;
  s.prizeCount = 2;
  restore(w, s, platform::Dialogs::Answer::No);
  EXPECT_EQ(listDir("抽奖名单"), (std::vector<std::string>{"获奖记录.txt"}));
  EXPECT_EQ(readBytes(kRecord), crlf({"[特等奖]", "", "[一等奖]", ""}));
}

TEST_F(RecordTest, NoWithOnlyEmptySlotsCopiesNothing) {
  writeBytes(kRecord, crlf({"[特别大奖]", "", "[一等奖]", "", "[二等奖]", ""}));
  FakeWindow w;
  Session s;
  s.prizeCount = 2;
  restore(w, s, platform::Dialogs::Answer::No);
  EXPECT_EQ(listDir("抽奖名单"), (std::vector<std::string>{"获奖记录.txt"}));
  EXPECT_EQ(readBytes(kRecord), crlf({"[特等奖]", "", "[一等奖]", ""}));
}

TEST_F(RecordTest, NoWithOneWinnerInALaterSlotKeepsTheRecord) {
  const Text old = crlf({"[特别大奖]", "", "[一等奖]", "", "[二等奖]", "", "[幸运奖]", "钱七"});
  writeBytes(kRecord, old);
  FakeWindow w;
  Session s;
  restore(w, s, platform::Dialogs::Answer::No);
  EXPECT_EQ(readBytes("抽奖名单/获奖记录-20261210-201500.txt"), old);
}

TEST_F(RecordTest, NoWhereCopyCannotBeWrittenKeepsRecord) {
  // A stamp holding path separators sends the copy into a folder that does not exist.
  clock.stamp = "20261210\\missing\\201500";
  writeBytes(kRecord, workedExampleBytes());
  FakeWindow w;
  Session s;
  s.prizeCount = 4;
  auto r = raisedBy([&] { restore(w, s, platform::Dialogs::Answer::No); });
  expectFileError(r, "EFCreateError", "create",
                  TempCwd::full("抽奖名单/获奖记录-20261210/missing/201500.txt"));
  EXPECT_EQ(readBytes(kRecord), workedExampleBytes()) << "the fresh record must not be written";
  EXPECT_EQ(listDir("抽奖名单"), (std::vector<std::string>{"获奖记录.txt"}));
}

TEST_F(RecordTest, NoWithoutDrawFolderIsCreateError) {
  std::filesystem::remove(u8path("抽奖名单"));
  FakeWindow w;
  Session s;
  auto r = raisedBy([&] { restore(w, s, platform::Dialogs::Answer::No); });
  expectFileError(r, "EFCreateError", "create", TempCwd::full(kRecord));
  EXPECT_FALSE(std::filesystem::exists(u8path("抽奖名单")));
}

TEST_F(RecordTest, NoWithReadOnlyRecordIsCreateErrorAndKeepsIt) {
  writeBytes(kRecord, workedExampleBytes());
  ASSERT_TRUE(TempCwd::makeReadOnly(kRecord));
  FakeWindow w;
  Session s;
  auto r = raisedBy([&] { restore(w, s, platform::Dialogs::Answer::No); });
  expectFileError(r, "EFCreateError", "create", TempCwd::full(kRecord));
  EXPECT_EQ(readBytes(kRecord), workedExampleBytes());
}

}  // namespace
