#include "data/record.h"

#include "data/detail.h"
#include "data/errors.h"
#include "data/filetext.h"
#include "data/session.h"
#include "data/startup.h"
#include "data/textops.h"
#include "data/texts.h"
#include "data/window.h"
#include "platform/files.h"
#include "platform/codec.h"
#include "platform/seams.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace {

// Whether a record's lines name at least one winner: a winners line (every second line)
// that is not empty.
bool holdsWinners(const TStringList& record) {
  for (std::int32_t i = 1; i < record.Count(); i += 2)
    if (!record.Get(i).empty()) return true;
  return false;
}

bool recordHoldsWinners(const Text& ansi) {
  TStringList lines;
  lines.FromBytes(ansi);
  return holdsWinners(lines);
}

// The tail under which the copies of the record and of the winners detail are kept: the
// stamp, then "-2", "-3"... while a copy of either name exists, so that both files of one
// evening are kept under the same name.
Text backupTail(const Text& stamp) {
  Text tail = stamp;
  for (int n = 2; platform::pathExists(T().recordBackupHead + tail + ".txt") ||
                  platform::pathExists(T().detailBackupHead + tail + ".csv");
       ++n)
    tail = stamp + "-" + IntToStr(n);
  return tail;
}

// Keeps the file at `path` beside it as `copyPath`, byte for byte, when its text (turned
// into GBK as every load does) is worth keeping. When it cannot be kept, the error stops
// the caller before the file is rewritten.
void keepCopy(const Text& path, const Text& copyPath, bool (*worthKeeping)(const Text& ansi)) {
  if (!platform::pathExists(path)) return;
  Text bytes;
  errors::throwIfFailed(path, platform::readWholeFile(path, bytes));
  if (!worthKeeping(AnsiFromFileBytes(bytes).ansi)) return;
  errors::throwIfFailed(copyPath, platform::writeWholeFileAtomic(copyPath, bytes));
}

// Keeps the record on disk as "抽奖名单\获奖记录-<tail>.txt" when it holds at least one
// winner.
void keepRecord(const Text& tail) {
  keepCopy(T().recordFile, T().recordBackupHead + tail + ".txt", recordHoldsWinners);
}

// What a record holds for each slot: the winners text of every slot it is read for, and
// the bracketed line of the slots it holds beyond those in use.
struct RecordSlots {
  bool read[kSlotCount] = {};
  Text texts[kSlotCount];
  Text heads[kSlotCount];  // held slots only
};

// Slot 1 is always in use: its winners line is read even from a record too short to hold
// it (and that read fails); the other slots in use are read while the record has their
// prize line, and a slot beyond them while the record has both its lines. An index error
// leaves `r` holding the slots before the failing one.
void readSlots(const Session& s, const TStringList& record, RecordSlots& r) {
  for (int k = 1; k <= kSlotCount; ++k) {
    if (s.slotInUse(k)) {
      if (k > 1 && record.Count() <= 2 * k - 2) continue;
      r.texts[k - 1] = record.Get(2 * k - 1);
    } else {
      if (record.Count() <= 2 * k - 1) continue;
      r.texts[k - 1] = record.Get(2 * k - 1);
      r.heads[k - 1] = record.Get(2 * k - 2);
    }
    r.read[k - 1] = true;
  }
}

// The record's winners come before any this run has drawn already; a slot in use shows
// the number of names.
void applySlots(Window& w, Session& s, const RecordSlots& r) {
  for (int k = 1; k <= kSlotCount; ++k) {
    if (!r.read[k - 1]) continue;
    Text& text = s.winners[k - 1];
    if (!r.texts[k - 1].empty()) text = text.empty() ? r.texts[k - 1] : r.texts[k - 1] + T().separator + text;
    if (!s.slotInUse(k)) {
      s.heldHeads[k - 1] = r.heads[k - 1];
      continue;
    }
    w.setCounter(k, text.empty() ? Text("0") : IntToStr(SplitNames(text, s.separatorNames).Count()));
  }
}

// The prize name in a bracketed line, "[name]".
Text prizeOfHead(const Text& head) {
  if (head.size() >= 2 && head.front() == '[' && head.back() == ']') return head.substr(1, head.size() - 2);
  return head;
}

// One notice naming the held slots that hold winners: they are not shown, they stay in
// the record and out of the pool.
void noticeHeldSlots(Window& w, const Session& s) {
  QStringList prizes;
  int inUse = 0;
  for (int k = 1; k <= kSlotCount; ++k) {
    if (s.slotInUse(k)) inUse = k;
    if (s.heldHeads[k - 1] && !s.winners[k - 1].empty())
      prizes << platform::fromAnsi(prizeOfHead(*s.heldHeads[k - 1]));
  }
  if (prizes.isEmpty()) return;
  w.notice(platform::toAnsi(
      QCoreApplication::translate("Record",
                                  "The winners record names winners of %1, but the prize count (line 6 of "
                                  "基础配置.ini) shows only %n prize(s). These winners stay in the record and "
                                  "out of the draw; correct the prize count and restart to show them.",
                                  nullptr, inUse)
          .arg(prizes.join(QStringLiteral("、")))));
}

// Each piece removes the first pool entry equal to it that an earlier piece has not
// removed already. Returns the row each piece removed (-1 for none), in the pool as it was.
std::vector<int> prunePool(Window& w, const TStringList& pieces) {
  const int count = w.poolCount();
  std::unordered_map<Text, std::vector<int>> wanted;
  for (const Text& piece : pieces.lines()) wanted.try_emplace(piece);
  for (int i = 0; i < count; ++i) {
    auto it = wanted.find(w.poolName(i));
    if (it != wanted.end()) it->second.push_back(i);
  }
  std::unordered_map<Text, size_t> used;
  std::vector<int> rows, removed;
  for (const Text& piece : pieces.lines()) {
    const auto& entries = wanted[piece];
    size_t& next = used[piece];
    removed.push_back(next < entries.size() ? entries[next++] : -1);
    if (removed.back() >= 0) rows.push_back(removed.back());
  }
  std::sort(rows.begin(), rows.end());
  if (!rows.empty()) w.poolDeleteRows(rows);
  return removed;
}

// After a continued start, the last draw of the evening can still be withdrawn or moved
// when the spreadsheet says all its names are winners and they end their slot's winners
// text: their former places are where the restore took them from, counted in the pool as
// it is now.
void restoreLastDraw(Window& w, Session& s, const DetailState& detail, const std::vector<int>& removed,
                     const std::vector<int>& absentRows) {
  const std::vector<Text>& names = detail.lastWinners;
  if (names.empty()) return;
  size_t offset = 0;  // the slot's first piece among all pieces
  for (int k = 1; k <= kSlotCount; ++k) {
    const TStringList pieces = SplitNames(s.winners[k - 1], s.separatorNames);
    const size_t count = size_t(pieces.Count());
    const bool here = s.slotInUse(k) && platform::utf8FromAnsi(w.slotCaption(k)) == detail.lastPrize &&
                      !s.winners[k - 1].empty() && count >= names.size();
    if (here) {
      RecordedDraw draw;
      draw.slot = k;
      const size_t first = count - names.size();
      for (size_t j = 0; j < names.size(); ++j) {
        const Text& name = pieces.lines()[first + j];
        if (platform::utf8FromAnsi(name) != names[j] || offset + first + j >= removed.size() ||
            removed[offset + first + j] < 0)
          return;
        draw.names.push_back(name);
      }
      std::vector<int> gone = removed;
      gone.erase(std::remove(gone.begin(), gone.end(), -1), gone.end());
      std::sort(gone.begin(), gone.end());
      std::vector<std::tuple<int, int, Text>> places;  // its row now, its row then, the name
      for (size_t j = 0; j < names.size(); ++j) {
        const int row = removed[offset + first + j];
        // Its row now: the rows before it that the restore and the absentees left, then the
        // draw's own names before it.
        const int kept = row - int(std::lower_bound(gone.begin(), gone.end(), row) - gone.begin());
        const int absentBefore = int(std::lower_bound(absentRows.begin(), absentRows.end(), kept) - absentRows.begin());
        places.emplace_back(kept - absentBefore, row, draw.names[j]);
      }
      std::sort(places.begin(), places.end());
      for (size_t j = 0; j < places.size(); ++j) {
        draw.rows.push_back(std::get<0>(places[j]) + int(j));
        draw.rowNames.push_back(std::get<2>(places[j]));
      }
      s.lastDraw = std::move(draw);
      return;
    }
    offset += count;
  }
}

// Each name marked absent (as the winners detail spells it) removes the first pool entry
// of that name that an earlier one has not removed: an absentee is not drawn again.
std::vector<int> pruneAbsent(Window& w, const std::vector<Text>& absent) {
  if (absent.empty()) return {};
  std::unordered_map<Text, int> left;
  for (const Text& name : absent) ++left[name];
  std::vector<int> rows;
  for (int i = 0; i < w.poolCount(); ++i) {
    auto it = left.find(platform::utf8FromAnsi(w.poolName(i)));
    if (it == left.end() || it->second == 0) continue;
    --it->second;
    rows.push_back(i);
  }
  if (!rows.empty()) w.poolDeleteRows(rows);
  return rows;
}

// The window as the last draw left it: its prize selected (the first slot in use of that
// name) and the draw size its number of names.
void selectLastDraw(Window& w, const Session& s, const DetailState& detail) {
  if (detail.lastDrawSize <= 0) return;
  for (int k = 1; k <= kSlotCount; ++k) {
    if (!s.slotInUse(k) || platform::utf8FromAnsi(w.slotCaption(k)) != detail.lastPrize) continue;
    w.setSlotSelected(k);
    w.setDrawSizeValue(std::min(detail.lastDrawSize, 999));
    return;
  }
}

// The six winners texts joined, slot 1 first, with one separator between each two.
Text joinedTexts(const Text (&texts)[kSlotCount]) {
  Text joined = texts[0];
  for (int k = 2; k <= kSlotCount; ++k) joined += T().separator + texts[k - 1];
  return joined;
}

// The number of names in the record's winners lines (every second line), or 0 when it
// cannot be read. Read quietly: the restore that may follow reports what there is.
int recordedWinners(const Session& s) {
  Text bytes;
  if (!platform::pathExists(T().recordFile) || platform::readWholeFile(T().recordFile, bytes).status !=
                                                  platform::FileResult::Ok)
    return 0;
  TStringList lines;
  lines.FromBytes(AnsiFromFileBytes(bytes).ansi);
  int count = 0;
  for (std::int32_t i = 1; i < lines.Count(); i += 2) {
    const TStringList names = SplitNames(lines.Get(i), s.separatorNames);
    for (const Text& name : names.lines())
      if (!name.empty()) ++count;
  }
  return count;
}

}  // namespace

void SaveHuman(Window& w, Session& s) {
  // A record removed since has nothing left to lose.
  if (s.recordUnread && !platform::pathExists(T().recordFile)) s.recordUnread = false;
  if (s.recordUnread) {
    // The record on disk could not be read at start: it is read now, or this save fails
    // with its open error and the file stays as it is.
    const TStringList record = LoadDrawFile(w, T().recordFile);
    RecordSlots r;
    readSlots(s, record, r);
    applySlots(w, s, r);
    prunePool(w, SplitNames(joinedTexts(r.texts), s.separatorNames));
    w.setPoolCaption(PoolCaption(w.poolCount()));
    s.recordUnread = false;
    noticeHeldSlots(w, s);
  }
  if (!s.keepRecordStamp.empty()) {
    keepRecord(backupTail(s.keepRecordStamp));
    s.keepRecordStamp.clear();  // once per run
  }
  TStringList list;
  for (int k = 1; k <= kSlotCount; ++k) {
    if (s.slotInUse(k))
      list.Add("[" + w.slotCaption(k) + "]");
    else if (s.heldHeads[k - 1])
      list.Add(*s.heldHeads[k - 1]);
    else
      continue;
    list.Add(s.winners[k - 1]);
  }
  list.SaveToFile(T().recordFile);
}

void FormShow(Window& w, Session& s, platform::Dialogs& dialogs, platform::Clock& clock) {
  {
    std::vector<Text> names;
    names.reserve(size_t(w.poolCount()));
    for (int i = 0; i < w.poolCount(); ++i) names.push_back(w.poolName(i));
    s.separatorNames = NamesHoldingSeparator(names);
  }
  bool startAfresh = dialogs.askYesNo(T().questionCaption, T().continueQuestion) == platform::Dialogs::Answer::No;
  // No by mistake would put every earlier winner back into the draw: when there are any,
  // the question comes once more, with their number; only a second No starts afresh.
  if (startAfresh) {
    const int earlier = recordedWinners(s);
    if (earlier > 0 &&
        dialogs.askYesNo(T().questionCaption,
                         platform::toAnsi(QCoreApplication::translate(
                             "Record",
                             "The previous record names %n winner(s). Starting afresh puts them all back "
                             "into the draw, where they can win again.\n\nContinue the previous record?",
                             nullptr, earlier))) != platform::Dialogs::Answer::No)
      startAfresh = false;
  }
  if (startAfresh) {
    const Text tail = backupTail(clock.localStamp());
    try {
      keepRecord(tail);
    } catch (const EError&) {
      // Not kept aside, the record must not be written over by a Stop either.
      s.recordUnread = platform::pathExists(T().recordFile);
      throw;
    }
    keepCopy(T().detailFile, T().detailBackupHead + tail + ".csv", DetailHoldsRows);
    StartFreshDetail(w, s);
    s.recordUnread = false;  // the old record is kept aside: the fresh one replaces it
    SaveHuman(w, s);
    return;
  }

  TStringList record;
  try {
    record = LoadDrawFile(w, T().recordFile);
  } catch (const EError&) {
    // A record that is there but cannot be read must not be written over by a Stop.
    s.recordUnread = platform::pathExists(T().recordFile);
    throw;
  }
  RecordSlots r;
  try {
    readSlots(s, record, r);
  } catch (...) {
    applySlots(w, s, r);  // the slots before the failing one are restored
    throw;
  }
  applySlots(w, s, r);
  int restored = 1;
  for (int k = 1; k <= kSlotCount; ++k)
    if (r.read[k - 1]) restored = k;
  // Winners lines beyond the slots read would be gone from the file at the first Stop.
  for (std::int32_t i = 2 * restored + 1; i < record.Count(); i += 2)
    if (!record.Get(i).empty()) {
      s.keepRecordStamp = clock.localStamp();
      break;
    }

  const std::vector<int> removed = prunePool(w, SplitNames(joinedTexts(s.winners), s.separatorNames));
  w.setPoolCaption(PoolCaption(w.poolCount()));
  noticeHeldSlots(w, s);

  // Winners whose rows never reached the detail (a kill between the two saves, a detail
  // that failed until the program ended) get them now.
  std::vector<RecordedWinners> recorded;
  for (int k = 1; k <= kSlotCount; ++k) {
    if (!r.read[k - 1]) continue;
    const Text prize = s.slotInUse(k) ? w.slotCaption(k) : prizeOfHead(r.heads[k - 1]);
    const TStringList names = SplitNames(r.texts[k - 1], s.separatorNames);
    recorded.push_back({prize, names.lines()});
  }
  std::vector<Text> prizes;
  for (int k = 1; k <= kSlotCount; ++k)
    if (s.slotInUse(k)) prizes.push_back(w.slotCaption(k));
  RecoverDetailRows(w, s, recorded, prizes);

  const DetailState detail = ReadDetailState();
  const std::vector<int> absentRows = pruneAbsent(w, detail.absent);
  restoreLastDraw(w, s, detail, removed, absentRows);
  w.setPoolCaption(PoolCaption(w.poolCount()));
  selectLastDraw(w, s, detail);
}
