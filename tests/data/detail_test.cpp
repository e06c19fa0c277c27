// The winners detail file over the draw cycle and the continue question: its rows after
// draws in two slots, CSV quoting, continuing after a restart, starting afresh on No, and
// what a file that cannot be read or written does to the evening.
#include "data/detail.h"
#include "data/record.h"
#include "data/session.h"
#include "data/startup.h"
#include "data/texts.h"
#include "draw/cycle.h"
#include "helpers.h"
#include "support/fake_platform.h"
#include "support/fake_window.h"
#include "support/steered_draw.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using namespace testdata;
using testkit::joinNames;

namespace {

const char* const kDetail = "抽奖名单/获奖明细.csv";

Text readFile(const char* utf8Path) { return readBytes(utf8Path).value_or("<missing>"); }

void writeFile(const char* utf8Path, const Text& bytes) { writeBytes(utf8Path, bytes); }

// Takes away or gives back the right to write a file (on Windows, its read-only attribute).
bool setWritable(const char* utf8Path, bool writable) {
  const QFileDevice::Permissions read = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
  return QFile::setPermissions(QString::fromUtf8(utf8Path), writable ? read | QFileDevice::WriteOwner : read);
}

const char* const kHeader = "序号,奖项,姓名,轮次,时间,状态";
const char* const kOldHeader = "序号,奖项,姓名,轮次,时间";  // a file of five columns, before the status
const Text kMark = "\xEF\xBB\xBF";

// Lines as the spreadsheet holds them: the UTF-8 literals' own bytes, each ended by CR LF.
Text rows(std::initializer_list<std::string_view> utf8Lines) {
  Text out;
  for (auto l : utf8Lines) out.append(l).append("\r\n");
  return out;
}

// A whole spreadsheet as the program writes it: the UTF-8 mark, then the lines.
Text csv(std::initializer_list<std::string_view> utf8Lines) { return kMark + rows(utf8Lines); }

// One evening of the program: a window with its pool and prize names, the session, and
// the draw cycle with a clock the test sets.
struct Evening {
  explicit Evening(const std::vector<const char*>& names) {
    for (const char* n : names) w.pool.push_back({A(n), false});
    s.prizeCount = 2;
    w.captions[0] = A("特等奖");
    w.captions[1] = A("一等奖, 双人游");  // a comma: the field is quoted
    w.drawSize = "2";
  }

  // Start, the last pick (these names, in this order), the end of the lock-out, Stop at
  // the given time, and the end of the Stop's lock-out.
  void draw(int slot, const std::vector<const char*>& picked, const char* stamp) {
    testkit::steeredDraw(w, cycle, clock, slot, picked, stamp);
  }

  void answer(platform::Dialogs::Answer a) {
    dialogs.answer = a;
    FormShow(w, s, dialogs, clock);
  }

  FakeWindow w;
  Session s;
  FakeSound sound;
  FakeClock clock;
  FakeDialogs dialogs;
  DrawCycle cycle{w, s, sound, clock, "\\x\\"};
};

const std::vector<const char*> kNames = {"张三", "李四", "Smith, John", "王五", "Anne \"Nan\" Lee", "赵六", "钱七",
                                         "孙八"};

using Detail = InDrawFolder;

TEST_F(Detail, RowsAfterSeveralDrawsInTwoSlots) {
  Evening e(kNames);
  e.draw(2, {"李四", "张三"}, "20261210-201500");
  EXPECT_EQ(readFile(kDetail), csv({kHeader, "1,\"一等奖, 双人游\",李四,1,2026-12-10 20:15:00,中奖",
                                      "2,\"一等奖, 双人游\",张三,1,2026-12-10 20:15:00,中奖"}))
      << "written at the Stop";

  e.draw(1, {"Smith, John"}, "20261210-202005");
  e.draw(2, {"Anne \"Nan\" Lee", "王五"}, "20261210-203059");
  const Text expected =
      csv({kHeader, "1,\"一等奖, 双人游\",李四,1,2026-12-10 20:15:00,中奖",
           "2,\"一等奖, 双人游\",张三,1,2026-12-10 20:15:00,中奖", "3,特等奖,\"Smith, John\",2,2026-12-10 20:20:05,中奖",
             "4,\"一等奖, 双人游\",\"Anne \"\"Nan\"\" Lee\",3,2026-12-10 20:30:59,中奖",
             "5,\"一等奖, 双人游\",王五,3,2026-12-10 20:30:59,中奖"});
  EXPECT_EQ(readFile(kDetail), expected);
  // The record holds the same winners.
  EXPECT_EQ(readFile("抽奖名单/获奖记录.txt"),
            crlf({"[特等奖]", "Smith, John", "[一等奖, 双人游]", "李四，张三，Anne \"Nan\" Lee，王五"}));
  EXPECT_TRUE(e.w.notices.empty());
}

// Names with characters GBK lacks, from a names file saved as UTF-8 and as UTF-16: drawn,
// recorded as their GB18030 bytes (䶮 FE9F, 𠮷 95 34 B2 35) and written to the spreadsheet
// as UTF-8.
TEST_F(Detail, RareCharactersFromUnicodeFilesAreRecordedAsGb18030) {
  const QString names = QString::fromUtf8("张三\r\n刘䶮\r\n𠮷田\r\n");
  const QByteArray utf8 = names.toUtf8();
  Text utf16 = "\xFF\xFE";
  for (QChar c : names) utf16 += {char(c.unicode() & 0xFF), char(c.unicode() >> 8)};
  for (const Text& file : {Text(utf8.constData(), size_t(utf8.size())), utf16}) {
    std::filesystem::remove(u8path(kDetail));
    std::filesystem::remove(u8path("抽奖名单/获奖记录.txt"));
    writeFile("抽奖名单/抽奖名单.txt", file);
    Evening e({});
    ReadMan(e.w, T().candidateFile);
    ASSERT_EQ(e.w.names(), (std::vector<Text>{"\xD5\xC5\xC8\xFD", "\xC1\xF5\xFE\x9F", "\x95\x34\xB2\x35\xCC\xEF"}));
    EXPECT_TRUE(e.w.notices.empty());
    e.draw(1, {"𠮷田"}, "20261210-201500");
    e.draw(2, {"刘䶮", "张三"}, "20261210-202000");
    EXPECT_EQ(readFile("抽奖名单/获奖记录.txt"),
              A("[特等奖]\r\n") + "\x95\x34\xB2\x35\xCC\xEF\r\n" + A("[一等奖, 双人游]\r\n") +
                  "\xC1\xF5\xFE\x9F\xA3\xAC\xD5\xC5\xC8\xFD\r\n");
    // The spreadsheet holds their UTF-8: 𠮷田 F0 A0 AE B7 E7 94 B0, 刘䶮 E5 88 98 E4 B6 AE.
    EXPECT_EQ(readFile(kDetail), kMark + "序号,奖项,姓名,轮次,时间,状态\r\n1,特等奖," + "\xF0\xA0\xAE\xB7\xE7\x94\xB0" +
                                     ",1,2026-12-10 20:15:00,中奖\r\n2,\"一等奖, 双人游\"," +
                                     "\xE5\x88\x98\xE4\xB6\xAE" +
                                     ",2,2026-12-10 20:20:00,中奖\r\n3,\"一等奖, 双人游\",张三,2,2026-12-10 20:20:00,中奖\r\n");
  }
}

// A name that holds "，" itself (a list with "张伟，市场部") wins once: one row, one count
// on the counter, and a restart takes it out of the pool whole.
TEST_F(Detail, NameHoldingTheSeparatorIsOneWinner) {
  const std::vector<const char*> names = {"张三", "张伟，市场部", "陈静", "陈静，销售部", "李四"};
  Evening e(names);
  e.draw(1, {"张伟，市场部", "陈静"}, "20261210-201500");
  EXPECT_EQ(e.w.counters[0], "2");

  Evening again(names);
  again.answer(platform::Dialogs::Answer::Yes);
  EXPECT_EQ(again.w.names(), (std::vector<Text>{A("张三"), A("陈静，销售部"), A("李四")}));
  EXPECT_EQ(again.w.counters[0], "2");
  again.draw(1, {"陈静，销售部"}, "20261210-201600");
  EXPECT_EQ(again.w.counters[0], "3");

  Evening third(names);
  third.answer(platform::Dialogs::Answer::Yes);
  EXPECT_EQ(third.w.names(), (std::vector<Text>{A("张三"), A("李四")}));
  EXPECT_EQ(third.w.counters[0], "3");
  EXPECT_EQ(readFile("抽奖名单/获奖记录.txt"), crlf({"[特等奖]", "张伟，市场部，陈静，陈静，销售部", "[一等奖, 双人游]", ""}));
  EXPECT_EQ(readFile(kDetail), csv({kHeader, "1,特等奖,张伟，市场部,1,2026-12-10 20:15:00,中奖",
                                      "2,特等奖,陈静,1,2026-12-10 20:15:00,中奖",
                                      "3,特等奖,陈静，销售部,2,2026-12-10 20:16:00,中奖"}));
}

TEST_F(Detail, EmptyNamesAreNoRowsAndAnEmptyPickAddsNoDraw) {
  Evening e({"张三", "", "李四", "王五"});
  e.draw(1, {"张三", "", "李四"}, "20261210-201500");
  e.w.pool.clear();
  e.draw(1, {}, "20261210-201600");  // an empty pool: nothing recorded
  e.w.pool.push_back({A("赵六"), false});
  e.draw(1, {"赵六"}, "20261210-201700");
  EXPECT_EQ(readFile(kDetail), csv({kHeader, "1,特等奖,张三,1,2026-12-10 20:15:00,中奖",
                                      "2,特等奖,李四,1,2026-12-10 20:15:00,中奖",
                                      "3,特等奖,赵六,2,2026-12-10 20:17:00,中奖"}));
}

TEST_F(Detail, RestartWithYesAddsToTheFileAndContinuesTheNumbers) {
  {
    Evening first(kNames);
    first.answer(platform::Dialogs::Answer::No);
    first.draw(2, {"李四", "张三"}, "20261210-201500");
    first.draw(1, {"王五"}, "20261210-202000");
  }
  const Text before = readFile(kDetail);

  Evening second(kNames);
  second.clock.stamp = "20261210-210000";
  second.answer(platform::Dialogs::Answer::Yes);
  EXPECT_EQ(second.w.poolCount(), int(kNames.size()) - 3);
  second.draw(2, {"赵六"}, "20261210-210500");

  EXPECT_EQ(readFile(kDetail), before + rows({"4,\"一等奖, 双人游\",赵六,3,2026-12-10 21:05:00,中奖"}));
  EXPECT_EQ(QDir(QStringLiteral("抽奖名单")).entryList(QDir::Files).size(), 2) << "nothing kept aside";
}

TEST_F(Detail, RestartWithNoKeepsTheOldFileBesideTheOldRecordAndStartsAfresh) {
  {
    Evening first(kNames);
    first.answer(platform::Dialogs::Answer::No);
    first.draw(2, {"李四", "张三"}, "20261210-201500");
  }
  const Text oldDetail = readFile(kDetail);
  const Text oldRecord = readFile("抽奖名单/获奖记录.txt");

  Evening second(kNames);
  second.clock.stamp = "20261211-190000";
  second.answer(platform::Dialogs::Answer::No);
  EXPECT_EQ(readFile("抽奖名单/获奖明细-20261211-190000.csv"), oldDetail);
  EXPECT_EQ(readFile("抽奖名单/获奖记录-20261211-190000.txt"), oldRecord);
  EXPECT_EQ(readFile(kDetail), csv({kHeader})) << "a fresh file at once";

  second.draw(1, {"钱七"}, "20261211-193000");
  EXPECT_EQ(readFile(kDetail), csv({kHeader, "1,特等奖,钱七,1,2026-12-11 19:30:00,中奖"}));
  EXPECT_TRUE(second.w.notices.empty());
}

// Two No answers within one second: both pairs of copies are kept, under the same tail.
TEST_F(Detail, KeptCopiesOfOneEveningShareTheirName) {
  writeFile("抽奖名单/获奖明细-20261210-201500.csv", crlf({kHeader, "1,特等奖,甲,1,2026-12-10 20:00:00,中奖"}));
  {
    Evening first(kNames);
    first.draw(1, {"张三"}, "20261210-201000");
  }
  Evening second(kNames);
  second.clock.stamp = "20261210-201500";
  second.answer(platform::Dialogs::Answer::No);
  EXPECT_EQ(readFile("抽奖名单/获奖明细-20261210-201500-2.csv"),
            csv({kHeader, "1,特等奖,张三,1,2026-12-10 20:10:00,中奖"}));
  EXPECT_EQ(readFile("抽奖名单/获奖记录-20261210-201500-2.txt"), crlf({"[特等奖]", "张三", "[一等奖, 双人游]", ""}));
}

TEST_F(Detail, NoWithoutRowsKeepsNoCopy) {
  writeFile(kDetail, crlf({kHeader}));
  Evening e(kNames);
  e.answer(platform::Dialogs::Answer::No);
  EXPECT_FALSE(QFileInfo::exists(QStringLiteral("抽奖名单/获奖明细-20261210-201500.csv")));
  EXPECT_EQ(readFile(kDetail), csv({kHeader}));
}

// Files found in the folder, then one Stop (张三 at 20:10): an older file in GBK is rewritten
// in UTF-8 with every row kept, bytes that are no character kept as they stand; a file
// already in UTF-8 (Excel's "CSV UTF-8", an editor's save) is continued byte for byte,
// even where its bytes are not UTF-8. The numbers go on from the rows found.
struct FoundCase {
  const char* name;
  Text found, after;
};
void PrintTo(const FoundCase& c, std::ostream* os) { *os << c.name; }

Text utf16le(std::string_view utf8) {
  Text out = "\xFF\xFE";
  for (QChar c : QString::fromUtf8(utf8.data(), qsizetype(utf8.size())))
    out += {char(c.unicode() & 0xFF), char(c.unicode() >> 8)};
  return out;
}

const FoundCase kFound[] = {
    {"OlderGbkFile",
     crlf({kOldHeader, "1,\"一等奖, 双人游\",李四,1,2026-12-10 20:00:00", "2,特等奖,\"乗 \"\"Jo\"\"\",1,2026-12-10 20:00:00"}),
     csv({kHeader, "1,\"一等奖, 双人游\",李四,1,2026-12-10 20:00:00,中奖", "2,特等奖,\"乗 \"\"Jo\"\"\",1,2026-12-10 20:00:00,中奖",
          "3,特等奖,张三,2,2026-12-10 20:10:00,中奖"})},
    // 刘䶮 and 𠮷田 as GB18030 bytes (C1 F5 FE 9F, 95 34 B2 35 CC EF) become their UTF-8.
    {"OlderFileWithRareCharacters",
     crlf({kOldHeader}) + A("1,特等奖,") + "\xC1\xF5\xFE\x9F" + ",1,2026-12-10 20:00:00\r\n" + A("2,特等奖,") +
         "\x95\x34\xB2\x35\xCC\xEF" + ",1,2026-12-10 20:00:00\r\n",
     csv({kHeader, "1,特等奖,刘䶮,1,2026-12-10 20:00:00,中奖", "2,特等奖,𠮷田,1,2026-12-10 20:00:00,中奖",
          "3,特等奖,张三,2,2026-12-10 20:10:00,中奖"})},
    {"OlderGbkFileWithoutFinalLineBreak", crlf({kOldHeader}) + A("1,特等奖,甲,4,2026-12-10 20:00:00"),
     csv({kHeader, "1,特等奖,甲,4,2026-12-10 20:00:00,中奖", "2,特等奖,张三,5,2026-12-10 20:10:00,中奖"})},
    // A lead byte before the comma and a byte FF are no characters: kept, the rest converted.
    {"OlderGbkFileWithBytesThatAreNoCharacter",
     crlf({kOldHeader}) + A("1,特等奖,王") + "\xB3" + ",1,2026-12-10 20:00:00\r\n" + A("2,特等奖,李") + "\xFF" +
         A("四,1,2026-12-10 20:00:00\r\n"),
     kMark + rows({kHeader}) + "1,特等奖,王\xB3" + ",1,2026-12-10 20:00:00,中奖\r\n" + "2,特等奖,李\xFF" +
         rows({"四,1,2026-12-10 20:00:00,中奖", "3,特等奖,张三,2,2026-12-10 20:10:00,中奖"})},
    {"Utf8WithMarkAsExcelSavesIt",
     kMark + "序号,奖项,姓名,轮次,时间\r\n1,特等奖,甲,1,2026-12-10 20:00:00\r\n2,特等奖,\"乙, 丙\",7,2026-12-10 20:00:00",
     csv({kHeader, "1,特等奖,甲,1,2026-12-10 20:00:00,中奖", "2,特等奖,\"乙, 丙\",7,2026-12-10 20:00:00,中奖",
          "3,特等奖,张三,8,2026-12-10 20:10:00,中奖"})},
    // GBK bytes (张三 D5 C5 C8 FD) after a UTF-8 mark: the file is kept as it stands.
    {"Utf8WithMarkHoldingBytesThatAreNotUtf8",
     kMark + rows({kOldHeader}) + "1,特等奖,\xD5\xC5\xC8\xFD" + ",1,2026-12-10 20:00:00\r\n",
     kMark + rows({kHeader}) + "1,特等奖,\xD5\xC5\xC8\xFD" + ",1,2026-12-10 20:00:00,中奖\r\n" +
         rows({"2,特等奖,张三,2,2026-12-10 20:10:00,中奖"})},
    {"Utf8WithoutMark", rows({kOldHeader, "1,特等奖,刘䶮,3,2026-12-10 20:00:00"}),
     csv({kHeader, "1,特等奖,刘䶮,3,2026-12-10 20:00:00,中奖", "2,特等奖,张三,4,2026-12-10 20:10:00,中奖"})},
    {"Utf16", utf16le("序号,奖项,姓名,轮次,时间\r\n1,特等奖,𠮷田,1,2026-12-10 20:00:00\r\n"),
     csv({kHeader, "1,特等奖,𠮷田,1,2026-12-10 20:00:00,中奖", "2,特等奖,张三,2,2026-12-10 20:10:00,中奖"})},
    {"Empty", "", csv({kHeader, "1,特等奖,张三,1,2026-12-10 20:10:00,中奖"})},
    {"OnlyTheMark", kMark, csv({kHeader, "1,特等奖,张三,1,2026-12-10 20:10:00,中奖"})},
};

class FoundFile : public InDrawFolder, public ::testing::WithParamInterface<FoundCase> {};

TEST_P(FoundFile, RowsKeptAndContinuedInUtf8) {
  writeFile(kDetail, GetParam().found);
  Evening e(kNames);
  e.draw(1, {"张三"}, "20261210-201000");
  EXPECT_EQ(readFile(kDetail), GetParam().after);
  EXPECT_TRUE(e.w.notices.empty());
}
INSTANTIATE_TEST_SUITE_P(Table, FoundFile, ::testing::ValuesIn(kFound),
                         [](const auto& info) { return std::string(info.param.name); });

// A continued start matches the record's names (GB18030 bytes) against the spreadsheet's
// rows, in an older GBK file as in one written in UTF-8: 刘䶮, 𠮷田 and a name holding a
// byte that is no character (FF) have their rows; only 张三, whom the file lacks, gets one,
// once.
struct RecoveryCase {
  const char* name;
  Text found;
};
void PrintTo(const RecoveryCase& c, std::ostream* os) { *os << c.name; }

const RecoveryCase kRecoveries[] = {
    {"OlderGbkFile", crlf({kOldHeader}) + A("1,特等奖,") + "\xC1\xF5\xFE\x9F" + ",1,2026-12-10 20:00:00\r\n" +
                         A("2,特等奖,") + "\x95\x34\xB2\x35\xCC\xEF" + ",1,2026-12-10 20:00:00\r\n" +
                         "3,Prize,Z\xFF" + ",1,2026-12-10 20:00:00\r\n"},
    {"Utf8File", csv({kOldHeader, "1,特等奖,刘䶮,1,2026-12-10 20:00:00", "2,特等奖,𠮷田,1,2026-12-10 20:00:00"}) +
                     "3,Prize,Z\xFF" + ",1,2026-12-10 20:00:00\r\n"},
};

class Recovery : public InDrawFolder, public ::testing::WithParamInterface<RecoveryCase> {};

TEST_P(Recovery, RareAndBadBytesMatchTheirRows) {
  writeFile(kDetail, GetParam().found);
  const Text& sep = testkit::kSep;
  writeFile("抽奖名单/获奖记录.txt", A("[特等奖]\r\n") + "\xC1\xF5\xFE\x9F" + sep + "\x95\x34\xB2\x35\xCC\xEF" + sep +
                                         "Z\xFF" + sep + A("张三\r\n[一等奖, 双人游]\r\n\r\n"));
  const Text expected = csv({kHeader, "1,特等奖,刘䶮,1,2026-12-10 20:00:00,中奖", "2,特等奖,𠮷田,1,2026-12-10 20:00:00,中奖"}) +
                        "3,Prize,Z\xFF" + ",1,2026-12-10 20:00:00,中奖\r\n" + rows({"4,特等奖,张三,2,补记（时间不详）,中奖"});
  {
    Evening again(kNames);
    again.answer(platform::Dialogs::Answer::Yes);
    EXPECT_EQ(readFile(kDetail), expected);
    EXPECT_TRUE(again.w.notices.empty());
  }
  Evening third(kNames);
  third.answer(platform::Dialogs::Answer::Yes);
  EXPECT_EQ(readFile(kDetail), expected) << "nothing recovered twice";
}
INSTANTIATE_TEST_SUITE_P(Table, Recovery, ::testing::ValuesIn(kRecoveries),
                         [](const auto& info) { return std::string(info.param.name); });

// The file cannot be written (read-only here; on Windows, held open by Excel): one report,
// the Stop completes with the record saved, and the rows wait for the first write that
// succeeds.
TEST_F(Detail, FailingWriteIsReportedOnceAndLosesNoRow) {
  writeFile(kDetail, crlf({kHeader}));
  ASSERT_TRUE(setWritable("抽奖名单/获奖明细.csv", false));
  Evening e(kNames);
  e.draw(2, {"李四", "张三"}, "20261210-201500");
  ASSERT_EQ(e.w.notices.size(), 1u);
  EXPECT_EQ(e.w.notices[0].rfind("Cannot create file \"", 0), 0u) << e.w.notices[0];
  EXPECT_NE(e.w.notices[0].find(A("获奖明细.csv")), Text::npos);
  EXPECT_TRUE(e.w.prizeBarOn) << "the Stop completed";
  EXPECT_EQ(readFile("抽奖名单/获奖记录.txt"), crlf({"[特等奖]", "", "[一等奖, 双人游]", "李四，张三"}));

  e.draw(1, {"王五"}, "20261210-202000");
  EXPECT_EQ(e.w.notices.size(), 1u) << "reported once";
  EXPECT_EQ(readFile(kDetail), crlf({kHeader})) << "the older file, untouched";

  ASSERT_TRUE(setWritable("抽奖名单/获奖明细.csv", true));
  e.draw(1, {"赵六"}, "20261210-203000");
  EXPECT_EQ(readFile(kDetail),
            csv({kHeader, "1,\"一等奖, 双人游\",李四,1,2026-12-10 20:15:00,中奖",
                   "2,\"一等奖, 双人游\",张三,1,2026-12-10 20:15:00,中奖", "3,特等奖,王五,2,2026-12-10 20:20:00,中奖",
                   "4,特等奖,赵六,3,2026-12-10 20:30:00,中奖"}));

  // A new failure after a success is reported again.
  ASSERT_TRUE(setWritable("抽奖名单/获奖明细.csv", false));
  e.draw(1, {"钱七"}, "20261210-204000");
  EXPECT_EQ(e.w.notices.size(), 2u);
}

// Rows that never reached the file are recovered at a continued start: a detail that
// failed until the program ended, and a kill between the record's save and the detail's.
// Recovered rows carry no time, only the mark; the numbers go on.
TEST_F(Detail, ContinuedStartRecoversRowsTheRecordHoldsAndTheFileLacks) {
  writeFile(kDetail, crlf({kHeader}));
  {
    Evening e(kNames);
    e.draw(2, {"李四", "张三"}, "20261210-201500");
    ASSERT_TRUE(setWritable("抽奖名单/获奖明细.csv", false));
    e.draw(1, {"王五"}, "20261210-202000");  // its rows wait in memory, then the program ends
    ASSERT_EQ(e.w.notices.size(), 1u);
  }
  ASSERT_TRUE(setWritable("抽奖名单/获奖明细.csv", true));
  // Killed after the record's save: 赵六 is recorded, the detail never heard of him.
  writeFile("抽奖名单/获奖记录.txt", crlf({"[特等奖]", "王五，赵六", "[一等奖, 双人游]", "李四，张三"}));

  Evening again(kNames);
  again.answer(platform::Dialogs::Answer::Yes);
  const Text recovered =
      csv({kHeader, "1,\"一等奖, 双人游\",李四,1,2026-12-10 20:15:00,中奖", "2,\"一等奖, 双人游\",张三,1,2026-12-10 20:15:00,中奖",
            "3,特等奖,王五,2,补记（时间不详）,中奖", "4,特等奖,赵六,2,补记（时间不详）,中奖"});
  EXPECT_EQ(readFile(kDetail), recovered);
  EXPECT_TRUE(again.w.notices.empty());

  // Nothing is recovered twice; the next Stop numbers on.
  Evening third(kNames);
  third.answer(platform::Dialogs::Answer::Yes);
  EXPECT_EQ(readFile(kDetail), recovered);
  third.draw(1, {"钱七"}, "20261210-203000");
  EXPECT_EQ(readFile(kDetail), recovered + rows({"5,特等奖,钱七,3,2026-12-10 20:30:00,中奖"}));
  // Record and detail agree: every winner once in each.
  EXPECT_EQ(readFile("抽奖名单/获奖记录.txt"), crlf({"[特等奖]", "王五，赵六，钱七", "[一等奖, 双人游]", "李四，张三"}));
}

// A file that cannot be read is not written over: its rows stay, the new rows wait.
TEST_F(Detail, UnreadableFileIsNeverWrittenOver) {
  ASSERT_TRUE(QDir().mkdir(QString::fromUtf8(kDetail)));  // a folder where the file should be
  Evening e(kNames);
  e.draw(1, {"张三"}, "20261210-201000");
  ASSERT_EQ(e.w.notices.size(), 1u);
  EXPECT_EQ(e.w.notices[0].rfind("Cannot open file \"", 0), 0u) << e.w.notices[0];
  e.draw(1, {"李四"}, "20261210-202000");
  EXPECT_EQ(e.w.notices.size(), 1u);

  ASSERT_TRUE(QDir().rmdir(QString::fromUtf8(kDetail)));
  writeFile(kDetail, crlf({kHeader, "1,特等奖,甲,1,2026-12-10 19:00:00,中奖"}));
  e.draw(1, {"王五"}, "20261210-203000");
  EXPECT_EQ(readFile(kDetail), csv({kHeader, "1,特等奖,甲,1,2026-12-10 19:00:00,中奖", "2,特等奖,张三,2,2026-12-10 20:10:00,中奖",
                                      "3,特等奖,李四,3,2026-12-10 20:20:00,中奖", "4,特等奖,王五,4,2026-12-10 20:30:00,中奖"}));
}

// A failing record ends the Stop before the detail: its rows are written with the next
// Stop that completes.
TEST_F(Detail, FailingRecordKeepsTheDrawForTheNextStop) {
  writeFile("抽奖名单/获奖记录.txt", "");
  ASSERT_TRUE(setWritable("抽奖名单/获奖记录.txt", false));
  Evening e(kNames);
  EXPECT_THROW(e.draw(1, {"张三"}, "20261210-201000"), EFCreateError);
  EXPECT_FALSE(QFileInfo::exists(QString::fromUtf8(kDetail)));
  ASSERT_TRUE(setWritable("抽奖名单/获奖记录.txt", true));
  e.cycle.FlatButton1Click();
  e.draw(1, {"李四"}, "20261210-202000");
  EXPECT_EQ(readFile(kDetail), csv({kHeader, "1,特等奖,张三,1,2026-12-10 20:10:00,中奖",
                                      "2,特等奖,李四,2,2026-12-10 20:20:00,中奖"}));
}

// ---------------------------------------------------------------------------------------
// The field and time forms.

struct FieldCase {
  const char* name;
  Text field, csv;
};
void PrintTo(const FieldCase& c, std::ostream* os) { *os << c.name; }

const FieldCase kFields[] = {
    {"Plain", A("张三"), A("张三")},
    {"Empty", "", ""},
    {"Blanks", " a b ", " a b "},
    {"Comma", "Smith, John", "\"Smith, John\""},
    {"Quote", "Anne \"Nan\"", "\"Anne \"\"Nan\"\"\""},
    {"OnlyAQuote", "\"", "\"\"\"\""},
    {"Cr", "a\rb", "\"a\rb\""},
    {"Lf", "a\nb", "\"a\nb\""},
    {"FullWidthCommaIsNoComma", A("张三，李四"), A("张三，李四")},
    {"SecondByte5C", A("乗"), A("乗")},
};

class CsvFields : public ::testing::TestWithParam<FieldCase> {};
TEST_P(CsvFields, QuotedOnlyWhereTheRulesAsk) { EXPECT_EQ(CsvField(GetParam().field), GetParam().csv); }
INSTANTIATE_TEST_SUITE_P(Table, CsvFields, ::testing::ValuesIn(kFields),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DetailTime, StampBecomesDateAndTime) {
  EXPECT_EQ(DetailTime("20261210-201500"), "2026-12-10 20:15:00");
  EXPECT_EQ(DetailTime("20261210201500"), "20261210201500");
}

}  // namespace
