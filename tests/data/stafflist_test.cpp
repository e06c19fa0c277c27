// Staff lists as HR delivers them: CSV and tab-separated rows as Excel writes them, the
// column chosen at first, names built from columns with a bracket for duplicates, the
// report, and the candidate list replaced with the previous one kept.
#include "data/candidates.h"
#include "data/session.h"
#include "data/stafflist.h"
#include "data/texts.h"
#include "helpers.h"
#include "support/fake_platform.h"
#include "support/fake_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testdata;

namespace {

using Rows = std::vector<std::vector<std::string>>;  // UTF-8 in the tables

Rows rowsOf(const Sheet& sheet) {
  Rows out;
  for (const auto& row : sheet.rows) {
    out.emplace_back();
    for (const auto& c : row) out.back().push_back(platform::utf8FromAnsi(c.text));
  }
  return out;
}

Sheet sheetOf(const Rows& rows, std::vector<std::pair<int, int>> nonText = {}) {
  Sheet sheet;
  for (const auto& r : rows) {
    sheet.rows.emplace_back();
    for (const auto& c : r) sheet.rows.back().push_back(SheetCell{A(c), true});
  }
  for (auto [r, c] : nonText) sheet.rows[size_t(r)][size_t(c)].isText = false;
  return sheet;
}

std::vector<std::string> utf8(const std::vector<Text>& names) {
  std::vector<std::string> out;
  for (const Text& n : names) out.push_back(platform::utf8FromAnsi(n));
  return out;
}

struct ParseCase {
  const char* what;
  std::string text;  // UTF-8 here; parsed as GBK bytes
  char delimiter;
  Rows rows;
};

class ParseDelimitedTable : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseDelimitedTable, RowsAsExcelWritesThem) {
  const auto& c = GetParam();
  EXPECT_EQ(rowsOf(ParseDelimited(A(c.text), c.delimiter)), c.rows) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseDelimitedTable,
    ::testing::Values(
        ParseCase{"CR LF rows", "工号,姓名\r\n1,张三\r\n", ',', {{"工号", "姓名"}, {"1", "张三"}}},
        ParseCase{"LF and lone CR rows, no final break", "a,b\nc,d\re", ',', {{"a", "b"}, {"c", "d"}, {"e"}}},
        ParseCase{"a comma inside quotes", "\"王,五\",销售部", ',', {{"王,五", "销售部"}}},
        ParseCase{"doubled quotes are one quote", "\"say \"\"hi\"\"\",1", ',', {{"say \"hi\"", "1"}}},
        ParseCase{"a line break inside quotes stays in the cell", "\"张\r\n三\",技术部\r\n李四,人事部\r\n", ',',
                  {{"张\r\n三", "技术部"}, {"李四", "人事部"}}},
        ParseCase{"text after the closing quote joins the cell", "\"ab\"c,d", ',', {{"abc", "d"}}},
        ParseCase{"a quote inside an unquoted cell is a character", "a\"b,c", ',', {{"a\"b", "c"}}},
        ParseCase{"empty cells", "x,,\r\n,y,\r\n", ',', {{"x", "", ""}, {"", "y", ""}}},
        ParseCase{"an empty quoted cell", "\"\",z", ',', {{"", "z"}}},
        ParseCase{"a quote left open runs to the end", "a,\"bc\nde", ',', {{"a", "bc\nde"}}},
        ParseCase{"blank rows inside are kept, those at the end dropped", "a\r\n\r\nb\r\n\r\n ,\r\n", ',',
                  {{"a"}, {""}, {"b"}}},
        ParseCase{"tabs", "工号\t姓名\t部门\n0012\t李四\t人事部\n", '\t',
                  {{"工号", "姓名", "部门"}, {"0012", "李四", "人事部"}}},
        ParseCase{"a comma is a character in tab-separated text", "王,五\t1", '\t', {{"王,五", "1"}}},
        ParseCase{"GB18030's four-byte characters", "刘䶮,𠮷田", ',', {{"刘䶮", "𠮷田"}}},
        ParseCase{"nothing", "", ',', {}}));

TEST(ParseDelimited, SecondBytesOfGbkNeverEndACell) {
  // 乗 is 81 5C, 十 is CA AE: no second byte of a GBK character is a comma, a quote, a tab
  // or a line break, so the bytes are cut as they stand.
  const Text text = A("乗十,\"乗\"") + "\r\n";
  EXPECT_EQ(rowsOf(ParseDelimited(text, ',')), (Rows{{"乗十", "乗"}}));
}

struct FileCase {
  const char* what;
  Text bytes;
  bool namedCsv;
};

class StaffFileBytes : public ::testing::TestWithParam<FileCase> {};

// Excel's "CSV UTF-8", plain UTF-8, Excel's "CSV" on a Chinese Windows (GBK), its
// "Unicode text" (UTF-16 with tabs) and a GBK tab-separated export all give the same rows.
TEST_P(StaffFileBytes, GiveTheSameRows) {
  const auto& c = GetParam();
  EXPECT_EQ(rowsOf(SheetFromTextBytes(c.bytes, c.namedCsv)),
            (Rows{{"工号", "姓名", "部门"}, {"1001", "刘䶮", "技术部"}, {"1002", "张伟", "销售,市场"}}))
      << c.what;
}

const std::string kUtf8Csv = "工号,姓名,部门\r\n1001,刘䶮,技术部\r\n1002,张伟,\"销售,市场\"\r\n";
const std::string kUtf8Tabs = "工号\t姓名\t部门\r\n1001\t刘䶮\t技术部\r\n1002\t张伟\t销售,市场\r\n";

Text utf16le(const std::string& utf8) {
  const QString s = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
  Text out = "\xFF\xFE";
  out.append(reinterpret_cast<const char*>(s.utf16()), size_t(s.size()) * 2);
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, StaffFileBytes,
    ::testing::Values(FileCase{"CSV UTF-8 with a mark", "\xEF\xBB\xBF" + kUtf8Csv, true},
                      FileCase{"CSV UTF-8 without a mark", kUtf8Csv, true},
                      FileCase{"CSV in GB18030", A(kUtf8Csv), true},
                      FileCase{"UTF-16 tab-separated", utf16le(kUtf8Tabs), false},
                      FileCase{"GBK tab-separated named .csv", A(kUtf8Tabs), true},
                      FileCase{"GBK tab-separated named .txt", A(kUtf8Tabs), false}));

struct DelimiterCase {
  const char* firstLine;
  bool namedCsv;
  char delimiter;
};

class GuessDelimiterTable : public ::testing::TestWithParam<DelimiterCase> {};

TEST_P(GuessDelimiterTable, FromTheFirstLine) {
  const auto& c = GetParam();
  EXPECT_EQ(GuessDelimiter(A(c.firstLine) + "\r\nx\ty,z", c.namedCsv), c.delimiter) << c.firstLine;
}

INSTANTIATE_TEST_SUITE_P(Cases, GuessDelimiterTable,
                         ::testing::Values(DelimiterCase{"姓名\t部门", true, '\t'},
                                           DelimiterCase{"姓名,部门", false, ','},
                                           DelimiterCase{"姓名", true, ','},
                                           DelimiterCase{"姓名", false, '\t'},
                                           DelimiterCase{"王,五\t部门", false, '\t'}));

struct ColumnsCase {
  const char* what;
  Rows rows;
  bool headerRow;
  int nameColumn;
};

class DefaultColumnsTable : public ::testing::TestWithParam<ColumnsCase> {};

TEST_P(DefaultColumnsTable, NameHeadingChosenAtFirst) {
  const auto& c = GetParam();
  const StaffColumns got = DefaultColumns(sheetOf(c.rows));
  EXPECT_EQ(got.headerRow, c.headerRow) << c.what;
  EXPECT_EQ(got.nameColumns, std::vector<int>{c.nameColumn}) << c.what;
  EXPECT_EQ(got.bracketColumn, -1) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DefaultColumnsTable,
    ::testing::Values(ColumnsCase{"姓名 in the second column", {{"工号", "姓名", "部门"}, {"1", "张三", "x"}}, true, 1},
                      ColumnsCase{"blanks around the heading", {{"部门", " 姓名 "}}, true, 1},
                      ColumnsCase{"no heading: the first column", {{"张三", "技术部"}}, false, 0},
                      ColumnsCase{"姓名 below the first row is a name", {{"x"}, {"姓名"}}, false, 0},
                      ColumnsCase{"an empty sheet", {}, false, 0}));

TEST(ColumnLetters, AsExcelHeadsThem) {
  EXPECT_EQ(ColumnLetters(0), "A");
  EXPECT_EQ(ColumnLetters(25), "Z");
  EXPECT_EQ(ColumnLetters(26), "AA");
  EXPECT_EQ(ColumnLetters(701), "ZZ");
  EXPECT_EQ(ColumnLetters(702), "AAA");
}

// An HR list: two 张伟 in different departments, two 李娜 in the same one, a blank row, a
// row whose name cell is blank, a number in the name column.
const Rows kStaff = {
    {"工号", "姓名", "部门"},       // row 1
    {"1001", "张伟", "技术部"},     // row 2
    {"1002", "李娜", "销售部"},     // row 3
    {"", "", ""},                   // row 4: blank
    {"1003", "张伟", "人事部"},     // row 5
    {"1004", " 刘䶮 ", "技术部"},   // row 6
    {"1005", "", "财务部"},         // row 7: no name
    {"1006", "李娜", "销售部"},     // row 8
    {"1007", "12345", "技术部"},    // row 9: a number as the name
    {"1008", "张\n伟", "技术部"},   // row 10: a line break inside the name
};

TEST(BuildStaffList, NamesAndReportWithoutBracket) {
  const StaffList got = BuildStaffList(sheetOf(kStaff, {{8, 1}, {8, 0}}), DefaultColumns(sheetOf(kStaff)), {});
  EXPECT_EQ(utf8(got.names), (std::vector<std::string>{"张伟", "李娜", "张伟", "刘䶮", "李娜", "12345", "张 伟"}));
  EXPECT_EQ(got.report.rowsRead, 9);
  EXPECT_EQ(got.report.blankRows, (std::vector<int>{4, 7}));
  EXPECT_EQ(got.report.nonTextRows, std::vector<int>{9});  // the 工号 column is not chosen
  ASSERT_EQ(got.report.duplicates.size(), 2u);
  EXPECT_EQ(got.report.duplicates[0].name, A("张伟"));
  EXPECT_EQ(got.report.duplicates[0].rows, (std::vector<int>{2, 5}));
  EXPECT_FALSE(got.report.duplicates[0].toldApart);
  EXPECT_EQ(got.report.duplicates[1].name, A("李娜"));
  EXPECT_EQ(got.report.duplicates[1].rows, (std::vector<int>{3, 8}));
  EXPECT_TRUE(got.report.formerWinners.empty());
}

TEST(BuildStaffList, BracketTellsDuplicatesApartAndOnlyThem) {
  StaffColumns columns = DefaultColumns(sheetOf(kStaff));
  columns.bracketColumn = 2;
  const StaffList got = BuildStaffList(sheetOf(kStaff), columns, {});
  EXPECT_EQ(utf8(got.names), (std::vector<std::string>{"张伟（技术部）", "李娜（销售部）", "张伟（人事部）", "刘䶮",
                                                       "李娜（销售部）", "12345", "张 伟"}));
  ASSERT_EQ(got.report.duplicates.size(), 2u);
  EXPECT_TRUE(got.report.duplicates[0].toldApart);
  EXPECT_FALSE(got.report.duplicates[1].toldApart);  // both 李娜 are in 销售部
}

TEST(BuildStaffList, ColumnsJoinedAsNamesAreWritten) {
  const Rows rows = {{"王", "小明", "x"}, {"John", "Smith", "y"}, {"", "Li", "z"}, {"欧阳", "Ann", "w"}};
  StaffColumns columns;
  columns.nameColumns = {0, 1};
  EXPECT_EQ(utf8(BuildStaffList(sheetOf(rows), columns, {}).names),
            (std::vector<std::string>{"王小明", "John Smith", "Li", "欧阳Ann"}));
  columns.nameColumns = {1, 0};  // in the order chosen
  EXPECT_EQ(utf8(BuildStaffList(sheetOf(rows), columns, {}).names)[1], "Smith John");
}

TEST(BuildStaffList, NonTextBracketCellIsReported) {
  const Rows rows = {{"张伟", "1001"}, {"张伟", "1002"}};
  StaffColumns columns;
  columns.nameColumns = {0};
  columns.bracketColumn = 1;
  const StaffList got = BuildStaffList(sheetOf(rows, {{0, 1}, {1, 1}}), columns, {});
  EXPECT_EQ(utf8(got.names), (std::vector<std::string>{"张伟（1001）", "张伟（1002）"}));
  EXPECT_EQ(got.report.nonTextRows, (std::vector<int>{1, 2}));
}

TEST(BuildStaffList, FormerWinnersLeftOutOnceEach) {
  StaffColumns columns = DefaultColumns(sheetOf(kStaff));
  columns.bracketColumn = 2;
  // 李娜（销售部） was drawn once: the first of the two leaves; 刘䶮 leaves; a winner who is
  // not in the list leaves nobody.
  const StaffList got =
      BuildStaffList(sheetOf(kStaff), columns, {A("李娜（销售部）"), A("刘䶮"), A("王五"), Text()});
  EXPECT_EQ(utf8(got.names),
            (std::vector<std::string>{"张伟（技术部）", "张伟（人事部）", "李娜（销售部）", "12345", "张 伟"}));
  EXPECT_EQ(utf8(got.report.formerWinners), (std::vector<std::string>{"李娜（销售部）", "刘䶮"}));
}

TEST(StaffReportText, SaysEverythingAtOnce) {
  StaffColumns columns = DefaultColumns(sheetOf(kStaff));
  columns.bracketColumn = 2;
  const StaffList got = BuildStaffList(sheetOf(kStaff, {{8, 1}}), columns, {A("刘䶮")});
  const std::string text = platform::utf8FromAnsi(
      StaffReportText(A("D:\\hr\\员工.csv"), got.report, int(got.names.size()), A("部门"),
                      A("抽奖名单\\抽奖名单-20261210-201500.txt")));
  for (const char* part :
       {"Imported 6 name", "from \"D:\\hr\\员工.csv\"", "Rows read: 9.", "Blank rows skipped: 2 (rows 4, 7).",
        "not text", "rows 9.", "Names that occur more than once: 2.", "张伟: rows 2, 5, told apart by 部门",
        "李娜: rows 3, 8, still alike with 部门", "already recorded as winners: 1 (刘䶮)",
        "kept as \"抽奖名单\\抽奖名单-20261210-201500.txt\""})
    EXPECT_NE(text.find(part), std::string::npos) << part << "\nin:\n" << text;
}

TEST(StaffReportText, QuietWhenThereIsNothingToSay) {
  const StaffList got = BuildStaffList(sheetOf({{"甲"}, {"乙"}}), StaffColumns{false, {0}, -1}, {});
  const std::string text =
      platform::utf8FromAnsi(StaffReportText(A("a.txt"), got.report, int(got.names.size()), Text(), Text()));
  // Without a translation installed the plural form is the source's "name(s)".
  EXPECT_EQ(text, "Imported 2 name(s) from \"a.txt\" into the pool and the candidate list file.\nRows read: 2.");
}

class ReplaceCandidatesTest : public InDrawFolder {
 protected:
  FakeWindow w;
  Session s;
  FakeClock clock;
};

TEST_F(ReplaceCandidatesTest, WritesTheListKeepsTheOldOneAndLoadsThePool) {
  writeBytes("抽奖名单/抽奖名单.txt", crlf({"甲", "乙"}));
  writeBytes("抽奖名单/抽奖名单-20261210-201500.txt", "taken");
  const Text kept = ReplaceCandidates(w, s, {A("刘䶮"), A("张伟（技术部）")}, clock);
  EXPECT_EQ(kept, A("抽奖名单\\抽奖名单-20261210-201500-2.txt"));
  EXPECT_EQ(readBytes("抽奖名单/抽奖名单.txt"), crlf({"刘䶮", "张伟（技术部）"}));
  EXPECT_EQ(readBytes("抽奖名单/抽奖名单-20261210-201500-2.txt"), crlf({"甲", "乙"}));
  EXPECT_EQ(utf8(w.names()), (std::vector<std::string>{"刘䶮", "张伟（技术部）"}));
  EXPECT_EQ(w.poolCaption, A("抽奖名单[2]人"));
}

TEST_F(ReplaceCandidatesTest, NoCopyOfAMissingOrEmptyFile) {
  EXPECT_EQ(ReplaceCandidates(w, s, {A("甲")}, clock), Text());
  writeBytes("抽奖名单/抽奖名单.txt", "");
  EXPECT_EQ(ReplaceCandidates(w, s, {A("乙")}, clock), Text());
  EXPECT_EQ(listDir("抽奖名单"), (std::vector<std::string>{"抽奖名单.txt"}));
  EXPECT_EQ(utf8(w.names()), std::vector<std::string>{"乙"});
}

TEST_F(ReplaceCandidatesTest, NamesWithTheSeparatorStayOneWinner) {
  s.separatorNames = {A("甲，乙")};
  ReplaceCandidates(w, s, {A("丙，丁"), A("戊")}, clock);
  EXPECT_EQ(s.separatorNames, (std::vector<Text>{A("甲，乙"), A("丙，丁")}));
}

TEST(RecordedWinnerNames, EveryNameOfEveryWinnersText) {
  Session s;
  s.winners[0] = A("甲，乙");
  s.winners[2] = A("甲，丙，丁");
  s.separatorNames = {A("丙，丁")};
  EXPECT_EQ(utf8(RecordedWinnerNames(s)), (std::vector<std::string>{"甲", "乙", "甲", "丙，丁"}));
}

}  // namespace
