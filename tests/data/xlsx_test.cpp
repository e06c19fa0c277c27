// Excel workbooks as openpyxl, LibreOffice and a hand-written one store them
// (tests/fixtures/staff, made by tools/make_staff_fixtures.py): the first sheet's rows,
// shared and inline strings, numbers as text, and clear errors for what is no workbook.
#include "data/stafflist.h"
#include "data/xlsx.h"
#include "helpers.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace testdata;

namespace {

struct Cell {
  std::string text;  // UTF-8
  bool isText;
  bool operator==(const Cell&) const = default;
};
using Rows = std::vector<std::vector<Cell>>;

void PrintTo(const Cell& c, std::ostream* os) { *os << (c.isText ? "\"" : "#") << c.text << (c.isText ? "\"" : ""); }

Rows rowsOf(const Sheet& sheet) {
  Rows out;
  for (const auto& row : sheet.rows) {
    out.emplace_back();
    for (const auto& c : row) out.back().push_back({platform::utf8FromAnsi(c.text), c.isText});
  }
  return out;
}

std::string fixturePath(const std::string& name) {
#ifdef LUCKYDRAW_SOURCE_DIR
  return std::string(LUCKYDRAW_SOURCE_DIR) + "/tests/fixtures/staff/" + name;
#else
  return name;
#endif
}

Text fixture(const std::string& name) {
  std::ifstream in(u8path(fixturePath(name)), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  EXPECT_TRUE(in.good() || in.eof()) << "cannot read fixture " << name;
  return bytes.str();
}

Cell t(const char* s) { return {s, true}; }
Cell n(const char* s) { return {s, false}; }
const Cell kNone{"", true};

class SavedWorkbook : public ::testing::TestWithParam<const char*> {};

// Saved by openpyxl (inline strings) and again by LibreOffice (shared strings): 工号 as
// numbers, written without ".0"; the blank row 4 is there, empty.
TEST_P(SavedWorkbook, FirstSheetRowByRow) {
  const Rows want = {
      {t("工号"), t("姓名"), t("部门")},  {n("1001"), t("张伟"), t("技术部")}, {n("1002"), t("李娜"), t("销售部")},
      {},                                 {n("1003"), t("张伟"), t("人事部")}, {n("1004"), t("刘䶮"), t("技术部")},
      {n("1005"), t("𠮷田"), t("财务部")}, {n("1006"), t("李娜"), t("销售部")}, {n("1007"), t("王小明"), t("技术部")},
  };
  EXPECT_EQ(rowsOf(SheetFromXlsxBytes(A("staff.xlsx"), fixture(GetParam()))), want);
}

INSTANTIATE_TEST_SUITE_P(Writers, SavedWorkbook,
                         ::testing::Values("staff-openpyxl.xlsx", "staff-libreoffice.xlsx"));

TEST(Xlsx, PartByPartWorkbook) {
  // The first sheet listed (not the first part in the zip, nor the first relation);
  // rich-text runs joined without their phonetic guide; references missing or skipping
  // rows; 10023.0 and 1.0024E4 as whole numbers; a formula's text is text; blank rows at
  // the end dropped.
  const Rows want = {
      {t("工号"), t("姓名"), t("部门")},
      {n("10023"), t("刘䶮"), t("技术部")},
      {},
      {n("10024"), t("𠮷田 & <Co>"), t("销售部")},
      {n("0.5"), n("TRUE"), kNone, n("#N/A")},
  };
  EXPECT_EQ(rowsOf(SheetFromXlsxBytes(A("staff.xlsx"), fixture("staff-inline.xlsx"))), want);
}

TEST(Xlsx, WorkbookToNamesWithDepartmentsForDuplicates) {
  const Sheet sheet = SheetFromXlsxBytes(A("staff.xlsx"), fixture("staff-libreoffice.xlsx"));
  StaffColumns columns = DefaultColumns(sheet);
  EXPECT_TRUE(columns.headerRow);
  EXPECT_EQ(columns.nameColumns, std::vector<int>{1});
  columns.bracketColumn = 2;
  const StaffList list = BuildStaffList(sheet, columns, {});
  std::vector<std::string> names;
  for (const Text& name : list.names) names.push_back(platform::utf8FromAnsi(name));
  EXPECT_EQ(names, (std::vector<std::string>{"张伟（技术部）", "李娜（销售部）", "张伟（人事部）", "刘䶮", "𠮷田",
                                             "李娜（销售部）", "王小明"}));
  // GB18030's bytes: 䶮 (U+4DAE) is FE 9F, 𠮷 (U+20BB7) the four bytes 95 34 B2 35.
  EXPECT_EQ(list.names[3], "\xC1\xF5\xFE\x9F");
  EXPECT_EQ(list.names[4], "\x95\x34\xB2\x35\xCC\xEF");
  EXPECT_EQ(list.report.blankRows, std::vector<int>{4});
  EXPECT_EQ(list.report.rowsRead, 8);
}

struct BadCase {
  const char* what;
  Text bytes;
  std::string says;  // UTF-8, part of the message
};

class NoWorkbook : public ::testing::TestWithParam<BadCase> {};

TEST_P(NoWorkbook, ClearErrorNamingTheFile) {
  const auto& c = GetParam();
  try {
    SheetFromXlsxBytes(A("D:\\hr\\员工.xlsx"), c.bytes);
    ADD_FAILURE() << c.what << ": no error";
  } catch (const EImportError& e) {
    const std::string message = platform::utf8FromAnsi(e.message());
    EXPECT_NE(message.find("\"D:\\hr\\员工.xlsx\""), std::string::npos) << message;
    EXPECT_NE(message.find(c.says), std::string::npos) << c.what << ": " << message;
  }
}

Text withoutPart(const Text& zip, const std::string& part) {
  // The part's name in the zip's directory spoiled: the part is then missing.
  Text out = zip;
  size_t at = 0;
  while ((at = out.find(part, at)) != Text::npos) out[at++] = 'Q';
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NoWorkbook,
    ::testing::Values(BadCase{"a CSV file named .xlsx", fixture("not-a-workbook.xlsx"), "not a zip archive"},
                      BadCase{"an empty file", Text(), "not a zip archive"},
                      BadCase{"a changed byte", fixture("staff-damaged.xlsx"), "xl/worksheets/first.xml is missing or damaged"},
                      BadCase{"a zip cut short", fixture("staff-inline.xlsx").substr(0, 1200), "not a zip archive"},
                      BadCase{"no workbook part", withoutPart(fixture("staff-inline.xlsx"), "xl/workbook.xml"),
                              "xl/workbook.xml is missing or damaged"}));

class StaffFileByName : public InDrawFolder {};

TEST_F(StaffFileByName, ExtensionChoosesTheReader) {
  writeBytes("名单.XLSX", fixture("staff-openpyxl.xlsx"));
  writeBytes("名单.csv", A("姓名\r\n张伟\r\n"));
  writeBytes("名单.txt", A("姓名\t部门\r\n张伟\t技术部\r\n"));
  EXPECT_EQ(ReadStaffFile(A("名单.XLSX")).rows.size(), 9u);
  EXPECT_EQ(ReadStaffFile(A("名单.csv")).rows.size(), 2u);
  EXPECT_EQ(ReadStaffFile(A("名单.txt")).columnCount(), 2);
  EXPECT_THROW(ReadStaffFile(A("没有.xlsx")), EFOpenError);
}

}  // namespace
