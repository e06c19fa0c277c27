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
#include "platform/seams.h"

#include <algorithm>
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

void restoreSlot(Window& w, Session& s, int k, const Text& text) {
  s.winners[k - 1] = text;
  w.setCounter(k, text.empty() ? Text("0") : IntToStr(CharCount(text)));
}

// Each piece removes the first pool entry equal to it that an earlier piece has not
// removed already.
void prunePool(Window& w, const TStringList& pieces) {
  const int count = w.poolCount();
  std::unordered_map<Text, std::vector<int>> wanted;
  for (const Text& piece : pieces.lines()) wanted.try_emplace(piece);
  for (int i = 0; i < count; ++i) {
    auto it = wanted.find(w.poolName(i));
    if (it != wanted.end()) it->second.push_back(i);
  }
  std::unordered_map<Text, size_t> used;
  std::vector<int> rows;
  for (const Text& piece : pieces.lines()) {
    const auto& entries = wanted[piece];
    size_t& next = used[piece];
    if (next < entries.size()) rows.push_back(entries[next++]);
  }
  std::sort(rows.begin(), rows.end());
  if (!rows.empty()) w.poolDeleteRows(rows);
}

}  // namespace

void SaveHuman(const Window& w, Session& s) {
  if (!s.keepRecordStamp.empty()) {
    keepRecord(backupTail(s.keepRecordStamp));
    s.keepRecordStamp.clear();  // once per run
  }
  TStringList list;
  for (int k = 1; k <= kSlotCount; ++k) {
    if (!s.slotInUse(k)) continue;
    list.Add("[" + w.slotCaption(k) + "]");
    list.Add(s.winners[k - 1]);
  }
  list.SaveToFile(T().recordFile);
}

void FormShow(Window& w, Session& s, platform::Dialogs& dialogs, platform::Clock& clock) {
  if (dialogs.askYesNo(T().questionCaption, T().continueQuestion) == platform::Dialogs::Answer::No) {
    const Text tail = backupTail(clock.localStamp());
    keepRecord(tail);
    keepCopy(T().detailFile, T().detailBackupHead + tail + ".csv", DetailHoldsRows);
    StartFreshDetail(w, s);
    SaveHuman(w, s);
    return;
  }

  const TStringList record = LoadDrawFile(w, T().recordFile);
  // Slot 1 is always in use: its winners line is read even from a record too short to hold
  // it (and that read fails); the other slots in use are restored while the record has
  // their prize line.
  restoreSlot(w, s, 1, record.Get(1));
  int restored = 1;
  for (int k = 2; k <= kSlotCount; ++k)
    if (s.slotInUse(k) && record.Count() > 2 * k - 2) {
      restoreSlot(w, s, k, record.Get(2 * k - 1));
      restored = k;
    }
  // Winners lines beyond the slots restored would be gone from the file at the first Stop.
  for (std::int32_t i = 2 * restored + 1; i < record.Count(); i += 2)
    if (!record.Get(i).empty()) {
      s.keepRecordStamp = clock.localStamp();
      break;
    }

  Text joined = s.winners[0];
  for (int k = 2; k <= kSlotCount; ++k) joined += T().separator + s.winners[k - 1];
  prunePool(w, SplitString(joined, T().separator));
  w.setPoolCaption(PoolCaption(w.poolCount()));
}
