#pragma once
// Staff lists as HR delivers them (an Excel workbook, a CSV or a tab-separated export,
// one row per person with 工号, 姓名, 部门...) turned into the candidate list: one name a
// line. Pure: bytes and rows in, names and a report out; the workbook's zip and XML are
// read in xlsx.h, the dialog that lets the operator choose the columns is the window's.
#include "data/errors.h"
#include "platform/text.h"

#include <string_view>
#include <vector>

// A staff list that cannot be read (a workbook that is no workbook, say).
class EImportError : public EError {
 public:
  explicit EImportError(Text message) : EError("EImportError", std::move(message)) {}
};

// One cell, GB18030 bytes as the sheet holds them. A workbook's numbers, dates, truth
// values and formula results are cells that are not text: they are kept as the sheet
// writes them (a 工号 of 10023 stays "10023").
struct SheetCell {
  Text text;
  bool isText = true;
};

// Rows in the file's order; row i is the sheet's row i + 1, as Excel numbers it. Blank
// rows after the last one that holds anything are dropped.
struct Sheet {
  std::vector<std::vector<SheetCell>> rows;
  int columnCount() const;
  // The cell, or an empty one beyond the row's end.
  const SheetCell& cell(int row, int column) const;
};

// Drops the rows at the end whose cells are all blank.
void DropTrailingBlankRows(Sheet& sheet);

// Rows from a delimited text (GB18030, as AnsiFromFileBytes gives it), cells as Excel
// writes them: a cell that begins with a quote runs to the quote that is not doubled,
// holding delimiters, doubled quotes (one quote each) and line breaks; anything after the
// closing quote up to the delimiter belongs to the cell too. CR LF, LF and CR end a row
// outside quotes; a quote left open runs to the end of the text.
Sheet ParseDelimited(std::string_view text, char delimiter);

// The rows of a CSV or tab-separated file's bytes: UTF-8 (with or without a mark) and
// UTF-16 are turned into GB18030 as every file the program reads; GBK stays as it is.
Sheet SheetFromTextBytes(std::string_view fileBytes, bool namedCsv);

// The rows of a staff list file: an Excel workbook (.xlsx, its first sheet), a .csv, or
// tab-separated text (any other name). Throws EFOpenError when the file cannot be read,
// EImportError when a workbook cannot be read as one.
Sheet ReadStaffFile(const Text& ansiPath);

// The delimiter of a text file: a tab when its first line holds one, or when it holds no
// comma and the file is not named .csv; a comma otherwise.
char GuessDelimiter(std::string_view text, bool namedCsv);

// What makes the names: the columns joined (in the order given) and, for a name that
// occurs more than once, another column in full-width brackets (张伟（技术部）).
struct StaffColumns {
  bool headerRow = false;        // the first row holds the columns' headings
  std::vector<int> nameColumns;  // 0-based
  int bracketColumn = -1;        // -1: none
};

// The heading that names the name column.
Text NameHeading();  // 姓名
// The choice before the operator changes anything: when a cell of the first row is
// 姓名 (blanks around it allowed), that row is the headings and that column the name;
// otherwise there are no headings and the first column is the name.
StaffColumns DefaultColumns(const Sheet& sheet);

// "A", "B", ... "Z", "AA": the column's letters, as Excel heads it.
Text ColumnLetters(int column);

struct StaffReport {
  // A name that occurs in more than one row: its rows (as the sheet numbers them) and
  // whether the bracket column told every one of them apart.
  struct Duplicate {
    Text name;
    std::vector<int> rows;
    bool toldApart = false;
  };
  int rowsRead = 0;                   // rows below the headings, blank ones included
  std::vector<int> blankRows;         // rows whose name cells are all blank: skipped
  std::vector<Duplicate> duplicates;  // in the order of their first row
  std::vector<int> nonTextRows;       // rows with a name or bracket cell that is not text
  std::vector<Text> formerWinners;    // names left out: already recorded as winners
};

struct StaffList {
  std::vector<Text> names;
  StaffReport report;
};

// The names of the sheet's rows under the given columns, in row order. A cell counts
// trimmed, with its line breaks and tabs made blanks (a name is one line). Columns are
// joined with a blank between two ASCII ends and with nothing otherwise (王 + 小明 gives
// 王小明, John + Smith gives John Smith). Each of `winners` leaves out the first name
// equal to it, so that nobody already drawn this evening is in the pool again.
StaffList BuildStaffList(const Sheet& sheet, const StaffColumns& columns, const std::vector<Text>& winners);

// The report for the operator, every finding in one text (translated): the file read, the
// rows, blank rows, cells that are not text, duplicates, former winners left out, and the
// kept copy of the previous candidate list file (none when `keptCopy` is empty).
Text StaffReportText(const Text& ansiPath, const StaffReport& report, int namesWritten,
                     const Text& bracketHeading, const Text& keptCopy);

// The candidate list file's bytes for these names: each followed by CR LF.
Text CandidateFileBytes(const std::vector<Text>& names);
