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

// The largest running number and draw number in the file's rows. Quotes, commas and line
// breaks are ASCII bytes, which never occur inside a UTF-8 character nor inside a GBK
// double-byte one, so the CSV rules can be followed byte by byte.
struct Numbers {
  std::int32_t row = 0, draw = 0;
  bool anyRow = false;
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

Numbers scanRows(const Text& csv, std::unordered_map<Text, int>* names = nullptr) {
  Numbers n;
  std::vector<Text> fields(1);
  auto endRow = [&] {
    if (fields.size() >= 4) {
      const auto row = decimal(fields[0]), draw = decimal(fields[3]);
      if (row && draw) {
        n.row = std::max(n.row, *row);
        n.draw = std::max(n.draw, *draw);
        n.anyRow = true;
        if (names) ++(*names)[fields[2]];
      }
    }
    fields.assign(1, Text());
  };
  bool quoted = false;
  for (size_t i = 0; i < csv.size(); ++i) {
    const char c = csv[i];
    if (quoted) {
      if (c != '"') {
        fields.back() += c;
      } else if (i + 1 < csv.size() && csv[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields.emplace_back();
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n') ++i;
      endRow();
    } else {
      fields.back() += c;
    }
  }
  endRow();
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
  DetailDraw draw{prize, {}, DetailTime(stamp)};
  const TStringList names = SplitNames(headline, s.separatorNames);
  for (const Text& name : names.lines())
    if (!name.empty()) draw.names.push_back(name);
  if (!draw.names.empty()) s.detail.pending.push_back(std::move(draw));
}

void SaveDetail(Window& w, Session& s) {
  const Text& path = T().detailFile;
  Text existing;
  if (!s.detail.startFresh && platform::pathExists(path)) {
    Text bytes;
    const platform::FileResult r = platform::readWholeFile(path, bytes);
    if (r.status != platform::FileResult::Ok) {
      // Writing now would lose the rows already there: they wait for the next Stop.
      reportOnce(w, s, errors::failureMessage(path, r));
      return;
    }
    existing = csvText(bytes);
  }

  const Numbers found = scanRows(existing);
  std::int32_t row = std::max(s.detail.lastRow, found.row);
  std::int32_t draw = std::max(s.detail.lastDraw, found.draw);

  Text out = existing;
  if (out.empty()) out = platform::utf8FromAnsi(T().detailHeader) + "\r\n";
  if (out.back() != '\n' && out.back() != '\r') out += "\r\n";
  for (const DetailDraw& d : s.detail.pending) {
    ++draw;
    const Text prize = platform::utf8FromAnsi(d.prize), time = platform::utf8FromAnsi(d.time);
    for (const Text& name : d.names) {
      ++row;
      out += IntToStr(row) + "," + CsvField(prize) + "," + CsvField(platform::utf8FromAnsi(name)) + "," +
             IntToStr(draw) + "," + CsvField(time) + "\r\n";
    }
  }
  if (write(w, s, out)) {
    s.detail.lastRow = row;
    s.detail.lastDraw = draw;
  }
}

bool DetailHoldsRows(const Text& ansi) { return scanRows(ansi).anyRow; }

void RecoverDetailRows(Window& w, Session& s, const std::vector<RecordedWinners>& recorded) {
  std::unordered_map<Text, int> rows;
  if (platform::pathExists(T().detailFile)) {
    Text bytes;
    if (platform::readWholeFile(T().detailFile, bytes).status != platform::FileResult::Ok) return;
    scanRows(csvText(bytes), &rows);
  }
  bool any = false;
  for (const RecordedWinners& slot : recorded) {
    DetailDraw draw{slot.prize, {}, T().detailRecovered};
    for (const Text& name : slot.names) {
      if (name.empty()) continue;
      // The name as this program writes it: a row it wrote, or one of a converted GBK
      // file, holds exactly these bytes.
      auto it = rows.find(platform::utf8FromAnsi(name));
      if (it != rows.end() && it->second > 0)
        --it->second;
      else
        draw.names.push_back(name);
    }
    if (draw.names.empty()) continue;
    s.detail.pending.push_back(std::move(draw));
    any = true;
  }
  if (any) SaveDetail(w, s);
}

void StartFreshDetail(Window& w, Session& s) {
  s.detail = WinnersDetail{};
  s.detail.startFresh = true;
  // With no file yet, the first Stop creates it.
  if (platform::pathExists(T().detailFile)) write(w, s, platform::utf8FromAnsi(T().detailHeader) + "\r\n");
}
