#include "data/stafflist.h"

#include "data/filetext.h"
#include "data/textops.h"
#include "data/xlsx.h"
#include "platform/codec.h"
#include "platform/files.h"
#include "platform/message.h"

#include <QCoreApplication>

#include <algorithm>
#include <map>
#include <string>

namespace {

bool isBreak(char c) { return c == '\r' || c == '\n'; }

// A cell as a name's part: line breaks, tabs and other control bytes become blanks, then
// the blanks at both ends go.
Text cleanCell(const Text& text) {
  Text out = text;
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  return Trim(out);
}

bool asciiEnd(char c) { return static_cast<unsigned char>(c) < 0x80; }

Text joinParts(const std::vector<Text>& parts) {
  Text out;
  for (const Text& p : parts) {
    if (p.empty()) continue;
    if (!out.empty() && asciiEnd(out.back()) && asciiEnd(p.front())) out += ' ';
    out += p;
  }
  return out;
}

Text number(size_t n) { return IntToStr(static_cast<std::int32_t>(n)); }

}  // namespace

int Sheet::columnCount() const {
  size_t n = 0;
  for (const auto& row : rows) n = std::max(n, row.size());
  return static_cast<int>(n);
}

const SheetCell& Sheet::cell(int row, int column) const {
  static const SheetCell empty;
  const auto& r = rows[size_t(row)];
  return size_t(column) < r.size() ? r[size_t(column)] : empty;
}

void DropTrailingBlankRows(Sheet& sheet) {
  while (!sheet.rows.empty() && std::all_of(sheet.rows.back().begin(), sheet.rows.back().end(),
                                            [](const SheetCell& c) { return cleanCell(c.text).empty(); }))
    sheet.rows.pop_back();
}

Sheet ParseDelimited(std::string_view text, char delimiter) {
  Sheet sheet;
  std::vector<SheetCell> row;
  Text cell;
  size_t i = 0;
  const size_t n = text.size();
  bool rowOpen = false;  // something of the current row has been read
  auto endCell = [&] {
    row.push_back(SheetCell{std::move(cell), true});
    cell.clear();
  };
  auto endRow = [&] {
    endCell();
    sheet.rows.push_back(std::move(row));
    row.clear();
    rowOpen = false;
  };
  while (i < n) {
    rowOpen = true;
    if (text[i] == '"' && cell.empty()) {
      // A quoted cell: up to the quote that is not doubled.
      ++i;
      while (i < n) {
        if (text[i] == '"') {
          if (i + 1 < n && text[i + 1] == '"') {
            cell += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        cell += text[i++];
      }
      // Whatever follows the closing quote up to the delimiter or the row's end is kept.
      while (i < n && text[i] != delimiter && !isBreak(text[i])) cell += text[i++];
      continue;
    }
    if (text[i] == delimiter) {
      endCell();
      ++i;
      continue;
    }
    if (isBreak(text[i])) {
      if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
      ++i;
      endRow();
      continue;
    }
    cell += text[i++];
  }
  if (rowOpen) endRow();
  DropTrailingBlankRows(sheet);
  return sheet;
}

Sheet SheetFromTextBytes(std::string_view fileBytes, bool namedCsv) {
  const FileText text = AnsiFromFileBytes(fileBytes);
  return ParseDelimited(text.ansi, GuessDelimiter(text.ansi, namedCsv));
}

namespace {
// Whether the path ends with the extension (".csv"), ASCII letters in either case.
bool hasExtension(const Text& path, std::string_view ext) {
  if (path.size() < ext.size()) return false;
  for (size_t i = 0; i < ext.size(); ++i) {
    char c = path[path.size() - ext.size() + i];
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (c != ext[i]) return false;
  }
  return true;
}
}  // namespace

Sheet ReadStaffFile(const Text& ansiPath) {
  Text bytes;
  errors::throwIfFailed(ansiPath, platform::readWholeFile(ansiPath, bytes));
  if (hasExtension(ansiPath, ".xlsx")) return SheetFromXlsxBytes(ansiPath, bytes);
  return SheetFromTextBytes(bytes, hasExtension(ansiPath, ".csv"));
}

char GuessDelimiter(std::string_view text, bool namedCsv) {
  const std::string_view first = text.substr(0, text.find_first_of("\r\n"));
  if (first.find('\t') != std::string_view::npos) return '\t';
  if (namedCsv || first.find(',') != std::string_view::npos) return ',';
  return '\t';
}

Text NameHeading() { return platform::ansi("姓名"); }

StaffColumns DefaultColumns(const Sheet& sheet) {
  StaffColumns c;
  c.nameColumns = {0};
  if (sheet.rows.empty()) return c;
  const Text heading = NameHeading();
  const auto& first = sheet.rows.front();
  for (size_t col = 0; col < first.size(); ++col) {
    if (cleanCell(first[col].text) == heading) {
      c.headerRow = true;
      c.nameColumns = {static_cast<int>(col)};
      break;
    }
  }
  return c;
}

Text ColumnLetters(int column) {
  Text letters;
  for (int n = column + 1; n > 0; n = (n - 1) / 26)
    letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
  return letters;
}

StaffList BuildStaffList(const Sheet& sheet, const StaffColumns& columns, const std::vector<Text>& winners) {
  StaffList out;
  StaffReport& report = out.report;
  struct Entry {
    Text name;
    Text extra;
    int row;
  };
  std::vector<Entry> entries;
  const int first = columns.headerRow ? 1 : 0;
  for (int r = first; r < static_cast<int>(sheet.rows.size()); ++r) {
    ++report.rowsRead;
    const int rowNumber = r + 1;
    std::vector<Text> parts;
    bool nonText = false;
    for (int col : columns.nameColumns) {
      const SheetCell& c = sheet.cell(r, col);
      parts.push_back(cleanCell(c.text));
      if (!c.isText && !parts.back().empty()) nonText = true;
    }
    Text name = joinParts(parts);
    if (name.empty()) {
      report.blankRows.push_back(rowNumber);
      continue;
    }
    Text extra;
    if (columns.bracketColumn >= 0) {
      const SheetCell& c = sheet.cell(r, columns.bracketColumn);
      extra = cleanCell(c.text);
      if (!c.isText && !extra.empty()) nonText = true;
    }
    if (nonText) report.nonTextRows.push_back(rowNumber);
    entries.push_back(Entry{std::move(name), std::move(extra), rowNumber});
  }

  // Names that occur more than once, in the order of their first row.
  std::map<Text, std::vector<size_t>> byName;
  std::vector<Text> order;
  for (size_t i = 0; i < entries.size(); ++i) {
    auto& at = byName[entries[i].name];
    if (at.empty()) order.push_back(entries[i].name);
    at.push_back(i);
  }
  const Text open = platform::ansi("（");
  const Text close = platform::ansi("）");
  std::vector<Text> shown(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) shown[i] = entries[i].name;
  for (const Text& name : order) {
    const auto& at = byName[name];
    if (at.size() < 2) continue;
    StaffReport::Duplicate d;
    d.name = name;
    for (size_t i : at) {
      d.rows.push_back(entries[i].row);
      if (columns.bracketColumn >= 0 && !entries[i].extra.empty())
        shown[i] = name + open + entries[i].extra + close;
    }
    std::vector<Text> forms;
    for (size_t i : at) forms.push_back(shown[i]);
    std::sort(forms.begin(), forms.end());
    d.toldApart = columns.bracketColumn >= 0 && std::adjacent_find(forms.begin(), forms.end()) == forms.end();
    report.duplicates.push_back(std::move(d));
  }

  // Each recorded winner leaves out the first name equal to it.
  std::vector<bool> out_(shown.size(), false);
  for (const Text& w : winners) {
    if (w.empty()) continue;
    for (size_t i = 0; i < shown.size(); ++i) {
      if (!out_[i] && shown[i] == w) {
        out_[i] = true;
        report.formerWinners.push_back(w);
        break;
      }
    }
  }
  for (size_t i = 0; i < shown.size(); ++i)
    if (!out_[i]) out.names.push_back(std::move(shown[i]));
  return out;
}

Text StaffReportText(const Text& ansiPath, const StaffReport& report, int namesWritten,
                     const Text& bracketHeading, const Text& keptCopy) {
  using platform::message;
  constexpr size_t kRuns = 20;   // row numbers: runs shown before "… (N lines in all)"
  constexpr size_t kNames = 30;  // duplicate and left-out names shown
  std::vector<Text> lines;
  lines.push_back(
      message(QCoreApplication::translate(
                  "StaffList", "Imported %n name(s) from \"%1\" into the pool and the candidate list file.",
                  nullptr, namesWritten),
              {ansiPath}));
  lines.push_back(
      message(QCoreApplication::translate("StaffList", "Rows read: %1."), {number(size_t(report.rowsRead))}));
  if (!report.blankRows.empty())
    lines.push_back(message(QCoreApplication::translate("StaffList", "Blank rows skipped: %1 (rows %2)."),
                            {number(report.blankRows.size()), LineList(report.blankRows, kRuns)}));
  if (!report.nonTextRows.empty())
    lines.push_back(message(
        QCoreApplication::translate(
            "StaffList", "Cells that are not text (numbers, dates), taken as the sheet shows them: rows %1."),
        {LineList(report.nonTextRows, kRuns)}));
  if (!report.duplicates.empty()) {
    lines.push_back(message(QCoreApplication::translate("StaffList", "Names that occur more than once: %1."),
                            {number(report.duplicates.size())}));
    for (size_t i = 0; i < report.duplicates.size() && i < kNames; ++i) {
      const auto& d = report.duplicates[i];
      const QString how =
          bracketHeading.empty() ? QCoreApplication::translate("StaffList", "  %1: rows %2")
          : d.toldApart          ? QCoreApplication::translate("StaffList", "  %1: rows %2, told apart by %3")
                        : QCoreApplication::translate("StaffList", "  %1: rows %2, still alike with %3");
      lines.push_back(message(how, {d.name, LineList(d.rows, kRuns), bracketHeading}));
    }
    if (report.duplicates.size() > kNames)
      lines.push_back(message(QCoreApplication::translate("StaffList", "  … and %1 more."),
                              {number(report.duplicates.size() - kNames)}));
  }
  if (!report.formerWinners.empty()) {
    Text names;
    for (size_t i = 0; i < report.formerWinners.size() && i < kNames; ++i)
      names += (names.empty() ? "" : ", ") + report.formerWinners[i];
    if (report.formerWinners.size() > kNames) names += ", …";
    lines.push_back(
        message(QCoreApplication::translate("StaffList", "Left out, already recorded as winners: %1 (%2)."),
                {number(report.formerWinners.size()), names}));
  }
  if (!keptCopy.empty())
    lines.push_back(message(
        QCoreApplication::translate("StaffList", "The previous candidate list file is kept as \"%1\"."),
        {keptCopy}));
  Text text;
  for (const Text& l : lines) text += (text.empty() ? "" : "\n") + l;
  return text;
}

Text CandidateFileBytes(const std::vector<Text>& names) {
  Text bytes;
  for (const Text& n : names) bytes += n + "\r\n";
  return bytes;
}
