#include "data/detail.h"

#include "data/errors.h"
#include "data/filetext.h"
#include "data/session.h"
#include "data/textops.h"
#include "data/texts.h"
#include "data/window.h"
#include "platform/codec.h"
#include "platform/files.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace {

// The file's records, each with its own bytes kept: a record that no change touches is
// written back exactly as it was read. Quotes, commas and line breaks are ASCII bytes,
// which never occur inside a UTF-8 character nor inside a GBK double-byte one, so the CSV
// rules can be followed byte by byte.
struct Record {
  Text raw;                 // the record's bytes, without its line break
  Text end;                 // its line break ("" for a last line without one)
  std::vector<Text> fields;
  bool changed = false;     // written from its fields
};

std::optional<std::int32_t> decimal(const Text& field) {
  const Text t = Trim(field);
  if (t.empty() || t.size() > 9) return std::nullopt;
  std::int32_t v = 0;
  for (char c : t) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + (c - '0');
  }
  return v;
}

std::vector<Record> parseRecords(const Text& csv) {
  std::vector<Record> records;
  Record r;
  r.fields.emplace_back();
  size_t begin = 0;
  auto endRecord = [&](size_t at, size_t next) {
    r.raw = csv.substr(begin, at - begin);
    r.end = csv.substr(at, next - at);
    records.push_back(std::move(r));
    r = Record();
    r.fields.emplace_back();
    begin = next;
  };
  bool quoted = false;
  for (size_t i = 0; i < csv.size(); ++i) {
    const char c = csv[i];
    // A field's ordinary bytes are taken as one run up to the next byte that means something.
    const bool plain = quoted ? c != '"' : std::string_view(",\"\r\n").find(c) == std::string_view::npos;
    if (plain) {
      const size_t stop = quoted ? csv.find('"', i) : csv.find_first_of(",\"\r\n", i);
      const size_t end = stop == Text::npos ? csv.size() : stop;
      r.fields.back().append(csv, i, end - i);
      i = end - 1;
      continue;
    }
    if (quoted) {
      if (i + 1 < csv.size() && csv[i + 1] == '"') {
        r.fields.back() += '"';
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      r.fields.emplace_back();
    } else if (c == '\r' || c == '\n') {
      const size_t next = (c == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n') ? i + 2 : i + 1;
      endRecord(i, next);
      i = next - 1;
    }
  }
  if (begin < csv.size()) endRecord(csv.size(), csv.size());
  return records;
}

Text u8(const Text& ansi) { return platform::utf8FromAnsi(ansi); }

// A winner's row: a running number, a prize, a name and a draw number at least.
bool isRow(const Record& r) { return r.fields.size() >= 4 && decimal(r.fields[0]) && decimal(r.fields[3]); }

// A row's status; a row of an older file, without one, is a winner's.
Text statusOf(const Record& r) { return r.fields.size() > 5 ? r.fields[5] : u8(T().statusWon); }

bool isWinnerRow(const Record& r) {
  if (!isRow(r)) return false;
  const Text status = statusOf(r);
  return status == u8(T().statusWon) || status == u8(T().statusMoved);
}

void setField(Record& r, size_t i, const Text& value) {
  if (r.fields.size() <= i) r.fields.resize(i + 1);
  r.fields[i] = value;
  r.changed = true;
}

// A file of five columns gets the status column: its header the heading, every row 中奖.
void addStatusColumn(std::vector<Record>& records) {
  for (size_t i = 0; i < records.size(); ++i) {
    Record& r = records[i];
    if (r.fields.size() != 5) continue;
    if (isRow(r))
      setField(r, 5, u8(T().statusWon));
    else if (i == 0)
      setField(r, 5, u8(T().detailStatusHead));
  }
}

Text joinRecords(const std::vector<Record>& records) {
  Text out;
  for (const Record& r : records) {
    if (r.changed) {
      for (size_t i = 0; i < r.fields.size(); ++i) out += (i ? "," : "") + CsvField(r.fields[i]);
    } else {
      out += r.raw;
    }
    out += r.end;
  }
  return out;
}

// The mark's names, each on the last winner's row of its name under the mark's prize.
void applyMark(std::vector<Record>& records, const DetailMark& m) {
  const Text prize = u8(m.prize);
  for (const Text& name : m.names) {
    const Text n = u8(name);
    for (size_t i = records.size(); i-- > 0;) {
      Record& r = records[i];
      if (!isWinnerRow(r) || r.fields[2] != n || r.fields[1] != prize) continue;
      setField(r, 5, u8(m.status));
      if (!m.newPrize.empty()) setField(r, 1, u8(m.newPrize));
      break;
    }
  }
}

struct Numbers {
  std::int32_t row = 0, draw = 0;
  bool anyRow = false;
};

Numbers numbersOf(const std::vector<Record>& records) {
  Numbers n;
  for (const Record& r : records) {
    if (!isRow(r)) continue;
    n.row = std::max(n.row, *decimal(r.fields[0]));
    n.draw = std::max(n.draw, *decimal(r.fields[3]));
    n.anyRow = true;
  }
  return n;
}

void reportOnce(Window& w, Session& s, const Text& message) {
  if (s.detail.failing) return;
  s.detail.failing = true;
  w.notice(message);
}

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// The file's text in the form it is written in, UTF-8 without the mark. A file in the
// present form is taken byte for byte, bytes that are not UTF-8 included: nothing of it is
// lost, and new rows go after it. UTF-8 without a mark (an editor's save) is taken as it
// stands too; UTF-16 is converted; an older file, in GBK, has every character converted
// and any byte that is no character kept (platform::utf8FromAnsi), so that the rows of an
// earlier evening keep their names and numbers. A Unicode file that does not convert is
// kept byte for byte.
Text csvText(const Text& bytes) {
  if (bytes.compare(0, kUtf8Mark.size(), kUtf8Mark) == 0) return bytes.substr(kUtf8Mark.size());
  const FileText text = AnsiFromFileBytes(bytes);
  if (text.form == FileText::Form::Ansi) return platform::utf8FromAnsi(bytes);
  if (text.form == FileText::Form::Utf8 || text.notConverted) return bytes;
  return platform::utf8FromAnsi(text.ansi);
}

// Writes the file's text, with its mark; on success the pending draws are on disk.
bool write(Window& w, Session& s, const Text& text) {
  const Text& path = T().detailFile;
  const platform::FileResult r = platform::writeWholeFileAtomic(path, Text(kUtf8Mark) + text);
  if (r.status != platform::FileResult::Ok) {
    reportOnce(w, s, errors::failureMessage(path, r));
    return false;
  }
  s.detail.failing = false;
  s.detail.startFresh = false;
  s.detail.pending.clear();
  return true;
}

}  // namespace

Text CsvField(const Text& field) {
  if (field.find_first_of(",\"\r\n") == Text::npos) return field;
  Text out = "\"";
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

Text DetailTime(const Text& stamp) {
  const bool form =
      stamp.size() == 15 && stamp[8] == '-' &&
      std::all_of(stamp.begin(), stamp.end(), [](char c) { return c == '-' || (c >= '0' && c <= '9'); });
  if (!form) return stamp;
  return stamp.substr(0, 4) + "-" + stamp.substr(4, 2) + "-" + stamp.substr(6, 2) + " " + stamp.substr(9, 2) +
         ":" + stamp.substr(11, 2) + ":" + stamp.substr(13, 2);
}

void AddDetailDraw(Session& s, const Text& prize, const Text& headline, const Text& stamp) {
  DetailDraw draw{prize, {}, DetailTime(stamp), {}};
  const TStringList names = SplitNames(headline, s.separatorNames);
  for (const Text& name : names.lines())
    if (!name.empty()) draw.names.push_back(name);
  if (!draw.names.empty()) s.detail.pending.push_back(std::move(draw));
}

void AddDetailMark(Session& s, DetailMark mark) {
  if (mark.names.empty()) return;
  DetailDraw step;
  step.mark = std::move(mark);
  s.detail.pending.push_back(std::move(step));
}

namespace {

// The file's text as it is to be written, without its mark; false when a file that is
// there cannot be read (writing would lose its rows).
bool readExisting(Window& w, Session& s, Text& existing) {
  const Text& path = T().detailFile;
  if (s.detail.startFresh || !platform::pathExists(path)) return true;
  Text bytes;
  const platform::FileResult r = platform::readWholeFile(path, bytes);
  if (r.status != platform::FileResult::Ok) {
    reportOnce(w, s, errors::failureMessage(path, r));
    return false;
  }
  existing = csvText(bytes);
  return true;
}

// Writes the records, the status column added where it is missing, and after them every
// pending draw and mark in turn.
bool writeRecords(Window& w, Session& s, std::vector<Record> records) {
  if (records.empty()) records.push_back({u8(T().detailHeader), "\r\n", {}, false});
  addStatusColumn(records);
  if (records.back().end.empty()) records.back().end = "\r\n";
  const Numbers found = numbersOf(records);
  std::int32_t row = std::max(s.detail.lastRow, found.row);
  std::int32_t draw = std::max(s.detail.lastDraw, found.draw);

  for (const DetailDraw& d : s.detail.pending) {
    if (d.mark) {
      applyMark(records, *d.mark);
      continue;
    }
    ++draw;
    for (const Text& name : d.names) {
      ++row;
      Record r;
      r.fields = {IntToStr(row), u8(d.prize), u8(name), IntToStr(draw), u8(d.time), u8(T().statusWon)};
      r.end = "\r\n";
      r.changed = true;
      records.push_back(std::move(r));
    }
  }
  if (!write(w, s, joinRecords(records))) return false;
  s.detail.lastRow = row;
  s.detail.lastDraw = draw;
  return true;
}

}  // namespace

bool SaveDetail(Window& w, Session& s) {
  Text existing;
  if (!readExisting(w, s, existing)) return false;  // the rows wait for the next Stop
  return writeRecords(w, s, parseRecords(existing));
}

bool DetailHoldsRows(const Text& ansi) { return numbersOf(parseRecords(ansi)).anyRow; }

void RecoverDetailRows(Window& w, Session& s, const std::vector<RecordedWinners>& recorded,
                       const std::vector<Text>& prizes) {
  Text existing;
  if (platform::pathExists(T().detailFile)) {
    Text bytes;
    if (platform::readWholeFile(T().detailFile, bytes).status != platform::FileResult::Ok) return;
    existing = csvText(bytes);
  }
  std::vector<Record> records = parseRecords(existing);

  // The winners' rows not yet matched, by prize and name, and by name.
  std::unordered_map<Text, std::vector<size_t>> byPrizeName, byName;
  std::vector<bool> matched(records.size(), false);
  for (size_t i = 0; i < records.size(); ++i) {
    if (!isWinnerRow(records[i])) continue;
    byPrizeName[records[i].fields[1] + '\n' + records[i].fields[2]].push_back(i);
    byName[records[i].fields[2]].push_back(i);
  }
  auto take = [&](std::vector<size_t>& rows) -> std::optional<size_t> {
    while (!rows.empty()) {
      const size_t i = rows.front();
      rows.erase(rows.begin());
      if (!matched[i]) {
        matched[i] = true;
        return i;
      }
    }
    return std::nullopt;
  };

  // First by prize and name; what is left, by name alone.
  struct Left {
    const Text* prize;
    const Text* name;
  };
  std::vector<Left> left;
  for (const RecordedWinners& slot : recorded)
    for (const Text& name : slot.names) {
      if (name.empty()) continue;
      if (!take(byPrizeName[u8(slot.prize) + '\n' + u8(name)])) left.push_back({&slot.prize, &name});
    }
  bool changed = false;
  std::vector<const Left*> unmatched;
  for (const Left& l : left) {
    const auto i = take(byName[u8(*l.name)]);
    if (!i) {
      unmatched.push_back(&l);
      continue;
    }
    // Under a prize in use that is not the record's: the record got a move the file missed.
    Record& r = records[*i];
    const bool otherPrizeInUse =
        std::any_of(prizes.begin(), prizes.end(), [&](const Text& p) { return u8(p) == r.fields[1]; });
    if (otherPrizeInUse) {
      setField(r, 1, u8(*l.prize));
      setField(r, 5, u8(T().statusMoved));
      changed = true;
    }
  }
  // A winner's row the record does not hold: its draw was withdrawn.
  for (size_t i = 0; i < records.size(); ++i)
    if (isWinnerRow(records[i]) && !matched[i]) {
      setField(records[i], 5, u8(T().statusWithdrawn));
      changed = true;
    }

  for (const RecordedWinners& slot : recorded) {
    DetailDraw draw{slot.prize, {}, T().detailRecovered, {}};
    for (const Left* l : unmatched)
      if (l->prize == &slot.prize) draw.names.push_back(*l->name);
    if (!draw.names.empty()) s.detail.pending.push_back(std::move(draw));
  }
  if (!changed && s.detail.pending.empty()) return;
  writeRecords(w, s, std::move(records));
}

DetailState ReadDetailState() {
  DetailState state;
  if (!platform::pathExists(T().detailFile)) return state;
  Text bytes;
  if (platform::readWholeFile(T().detailFile, bytes).status != platform::FileResult::Ok) return state;
  const std::vector<Record> records = parseRecords(csvText(bytes));
  const Text absent = u8(T().statusAbsent), recovered = u8(T().detailRecovered);
  std::int32_t last = 0;
  bool allWinners = true;
  for (const Record& r : records) {
    if (!isRow(r)) continue;
    if (statusOf(r) == absent) state.absent.push_back(r.fields[2]);
    if (r.fields.size() > 4 && r.fields[4] == recovered) continue;
    const std::int32_t draw = *decimal(r.fields[3]);
    if (draw > last) {
      last = draw;
      state.lastDrawSize = 0;
      state.lastWinners.clear();
      allWinners = true;
    }
    if (draw == last) {
      ++state.lastDrawSize;
      state.lastPrize = r.fields[1];
      state.lastWinners.push_back(r.fields[2]);
      allWinners = allWinners && isWinnerRow(r);
    }
  }
  if (!allWinners) state.lastWinners.clear();
  return state;
}

void StartFreshDetail(Window& w, Session& s) {
  s.detail = WinnersDetail{};
  s.detail.startFresh = true;
  // With no file yet, the first Stop creates it.
  if (platform::pathExists(T().detailFile)) write(w, s, platform::utf8FromAnsi(T().detailHeader) + "\r\n");
}
