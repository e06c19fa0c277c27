// Line lists: cutting files into lines, saving them back, the index error, and what a
// failed load or save leaves behind.
#include "data/errors.h"
#include "data/namelist.h"
#include "data/stringlist.h"
#include "helpers.h"

#include <gtest/gtest.h>

#include <ostream>

#include <filesystem>
#include <vector>

using namespace testdata;

namespace {

// ---------------------------------------------------------------------------------------
// Line breaks: every way a file can end its lines.

struct BreakCase {
  const char* name;
  Text bytes;
  std::vector<Text> lines;
};
void PrintTo(const BreakCase& c, std::ostream* os) { *os << c.name; }

const BreakCase kBreaks[] = {
    {"Empty", Text(), {}},
    {"OneLineNoBreak", "A", {"A"}},
    {"CrLf", "A\r\n", {"A"}},
    {"CrLfCrLf", "A\r\n\r\n", {"A", ""}},
    {"EmptyLineBetween", "A\r\n\r\nB", {"A", "", "B"}},
    {"LoneLf", "A\nB", {"A", "B"}},
    {"LoneCr", "A\rB", {"A", "B"}},
    {"LfThenCrEndsTwo", "A\n\rB", {"A", "", "B"}},
    {"CrCrLf", "A\r\r\nB", {"A", "", "B"}},
    {"CrLfOnly", "\r\n", {""}},
    {"ZeroByteEndsAll", Text("A\0B\r\nC", 6), {"A"}},
};

class LineBreaks : public ::testing::TestWithParam<BreakCase> {
 protected:
  void SetUp() override { ASSERT_TRUE(cwd_.ok()); }
  TempCwd cwd_;
};

TEST_P(LineBreaks, LoadCutsLines) {
  const auto& c = GetParam();
  writeBytes("list.txt", c.bytes);
  TStringList list;
  list.Add("kept only until the load");
  list.LoadFromFile("list.txt");
  EXPECT_EQ(list.lines(), c.lines);
  EXPECT_EQ(list.Count(), std::int32_t(c.lines.size()));

  TStringList fromBytes;
  fromBytes.FromBytes(c.bytes);
  EXPECT_EQ(fromBytes.lines(), c.lines);

  // The pool's compact list cuts the same lines.
  const NameList names = NameList::FromText(Text(c.bytes));
  std::vector<Text> compact;
  for (int i = 0; i < names.count(); ++i) compact.emplace_back(names.name(i));
  EXPECT_EQ(compact, c.lines);
}

INSTANTIATE_TEST_SUITE_P(Table, LineBreaks, ::testing::ValuesIn(kBreaks),
                         [](const auto& info) { return std::string(info.param.name); });

// The file cases of the POSIX save alone are in stringlist_posix_test.cpp.
using LineListFiles = InDrawFolder;

TEST_F(LineListFiles, LinesAreNeverTrimmedAndDuplicatesStay) {
  writeBytes("list.txt", crlf({" 张三\t", "张三", "张三 ", "", "张三"}));
  TStringList list;
  list.LoadFromFile("list.txt");
  EXPECT_EQ(list.lines(), (std::vector<Text>{A(" 张三\t"), A("张三"), A("张三 "), "", A("张三")}));
}

// GBK bytes behind a UTF-8 mark are not UTF-8: the file stays as it is, mark and all, and
// the load says why.
TEST_F(LineListFiles, ByteOrderMarkBeforeGbkStaysOnFirstLine) {
  writeBytes("bom.txt", Text("\xEF\xBB\xBF") + A("张三") + "\r\n" + A("李四") + "\r\n");
  TStringList list;
  list.LoadFromFile("bom.txt");
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Get(0), Text("\xEF\xBB\xBF") + A("张三"));
  EXPECT_EQ(list.Get(1), A("李四"));
  ASSERT_TRUE(list.loadNotice().has_value());
  EXPECT_NE(list.loadNotice()->find("bytes that are not UTF-8: 1-2."), Text::npos) << *list.loadNotice();
}

TEST_F(LineListFiles, Utf16FileIsConvertedBeforeCutting) {
  writeBytes("utf16.txt", Text("\xFF\xFE" "A\0B\0\r\0\n\0\x20\x5F\x09\x4E", 14));
  TStringList list;
  list.LoadFromFile("utf16.txt");
  EXPECT_EQ(list.lines(), (std::vector<Text>{"AB", A("张三")}));
  EXPECT_FALSE(list.loadNotice().has_value());
}

TEST_F(LineListFiles, LoadThroughGbkRelativePath) {
  writeBytes("抽奖名单/抽奖名单.txt", crlf({"张三", "李四"}));
  TStringList list;
  list.LoadFromFile(A("抽奖名单\\抽奖名单.txt"));
  EXPECT_EQ(list.lines(), (std::vector<Text>{A("张三"), A("李四")}));
}

TEST_F(LineListFiles, FailedLoadNamesFullPathAndKeepsLines) {
  TStringList list;
  list.Add("a");
  list.Add("b");
  auto r = raisedBy([&] { list.LoadFromFile(A("抽奖名单\\没有.txt")); });
  expectFileError(r, "EFOpenError", "open", TempCwd::full("抽奖名单/没有.txt"));
  EXPECT_EQ(list.lines(), (std::vector<Text>{"a", "b"}));
}

TEST_F(LineListFiles, MissingFolderAndFolderAsFileAreOpenErrors) {
  TStringList list;
  expectFileError(raisedBy([&] { list.LoadFromFile(A("别处\\抽奖名单.txt")); }), "EFOpenError",
                  "open", TempCwd::full("别处/抽奖名单.txt"));
  std::filesystem::create_directory(u8path("抽奖名单/子目录.txt"));
  expectFileError(raisedBy([&] { list.LoadFromFile(A("抽奖名单\\子目录.txt")); }), "EFOpenError",
                  "open", TempCwd::full("抽奖名单/子目录.txt"));
  EXPECT_EQ(list.Count(), 0);
}

// ---------------------------------------------------------------------------------------
// Saving.

TEST_F(LineListFiles, EmptyListSavesZeroBytes) {
  TStringList list;
  list.SaveToFile("out.txt");
  EXPECT_EQ(readBytes("out.txt"), Text());
  TStringList back;
  back.Add("x");
  back.LoadFromFile("out.txt");
  EXPECT_EQ(back.Count(), 0);
}

TEST_F(LineListFiles, OneEmptyLineSavesCrLf) {
  TStringList list;
  list.Add("");
  list.SaveToFile("out.txt");
  EXPECT_EQ(readBytes("out.txt"), Text("\r\n"));
  TStringList back;
  back.LoadFromFile("out.txt");
  EXPECT_EQ(back.lines(), (std::vector<Text>{""}));
}

TEST_F(LineListFiles, SaveAndLoadRoundTripBytes) {
  // GBK names, blanks at both ends, a tab, a UTF-8 mark, a second byte 0x5C (乗) and
  // bytes that are not valid GBK: all carried over unchanged.
  const std::vector<Text> lines = {A("张三"), "", A(" 李四 "), "\t", "\xEF\xBB\xBFx", A("乗"),
                                   "\x80\xFF\xFE", ""};
  TStringList list;
  for (const auto& l : lines) list.Add(l);
  list.SaveToFile(A("抽奖名单\\获奖记录.txt"));

  Text expected;
  for (const auto& l : lines) expected += l + "\r\n";
  EXPECT_EQ(readBytes("抽奖名单/获奖记录.txt"), expected);

  TStringList back;
  back.LoadFromFile(A("抽奖名单\\获奖记录.txt"));
  EXPECT_EQ(back.lines(), lines);
  EXPECT_EQ(list.ToBytes(), expected);
}

TEST_F(LineListFiles, SaveReplacesLongerFileCompletely) {
  writeBytes("out.txt", Text(500, 'x'));
  TStringList list;
  list.Add("ab");
  list.SaveToFile("out.txt");
  EXPECT_EQ(readBytes("out.txt"), Text("ab\r\n"));
  EXPECT_EQ(listDir("."), (std::vector<std::string>{"out.txt", "抽奖名单"}));
}

TEST_F(LineListFiles, SaveToReadOnlyFileLeavesItUnchanged) {
  const Text old = crlf({"[特等奖]", "张三"});
  writeBytes("抽奖名单/获奖记录.txt", old);
  ASSERT_TRUE(TempCwd::makeReadOnly("抽奖名单/获奖记录.txt"));

  TStringList list;
  list.Add("new");
  auto r = raisedBy([&] { list.SaveToFile(A("抽奖名单\\获奖记录.txt")); });
  expectFileError(r, "EFCreateError", "create", TempCwd::full("抽奖名单/获奖记录.txt"));
  EXPECT_EQ(readBytes("抽奖名单/获奖记录.txt"), old);
  EXPECT_EQ(listDir("抽奖名单"), (std::vector<std::string>{"获奖记录.txt"}));
}

TEST_F(LineListFiles, SaveIntoMissingFolderIsCreateError) {
  TStringList list;
  list.Add("new");
  auto r = raisedBy([&] { list.SaveToFile(A("没有的文件夹\\获奖记录.txt")); });
  expectFileError(r, "EFCreateError", "create", TempCwd::full("没有的文件夹/获奖记录.txt"));
  EXPECT_FALSE(std::filesystem::exists(u8path("没有的文件夹")));
}


// ---------------------------------------------------------------------------------------
// Indexing.

TEST(LineListIndex, AddReturnsIndexAndGetReadsIt) {
  TStringList list;
  EXPECT_EQ(list.Add("a"), 0);
  EXPECT_EQ(list.Add(""), 1);
  EXPECT_EQ(list.Add("a"), 2);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Get(1), "");
  EXPECT_EQ(list.Get(2), "a");
}

TEST(LineListIndex, OutOfBoundsNamesTheIndex) {
  TStringList list;
  for (int i = 0; i < 5; ++i) list.Add("x");
  auto atCount = raisedBy([&] { list.Get(5); });
  ASSERT_TRUE(atCount);
  EXPECT_EQ(atCount->kind, "EStringListError");
  EXPECT_EQ(atCount->message, "List index out of bounds (5)");

  auto negative = raisedBy([&] { list.Get(-1); });
  ASSERT_TRUE(negative);
  EXPECT_EQ(negative->kind, "EStringListError");
  EXPECT_EQ(negative->message, "List index out of bounds (-1)");

  TStringList empty;
  auto none = raisedBy([&] { empty.Get(0); });
  ASSERT_TRUE(none);
  EXPECT_EQ(none->message, "List index out of bounds (0)");
}

TEST(LineListIndex, ErrorHelpersCarryKindAndMessage) {
  EXPECT_EQ(errors::indexMessage(7), "List index out of bounds (7)");
  auto r = raisedBy([] { errors::throwListIndex(-3); });
  ASSERT_TRUE(r);
  EXPECT_EQ(r->kind, "EListError");
  EXPECT_EQ(r->message, "List index out of bounds (-3)");
}

}  // namespace
