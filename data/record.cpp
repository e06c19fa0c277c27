#include "data/record.h"

#include "data/errors.h"
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

bool slotInUse(const Session& s, int k) { return k == 1 || s.prizeCount > k - 1; }

// Whether a record's lines name at least one winner: a winners line (every second line)
// that is not empty.
bool holdsWinners(const TStringList& record) {
  for (std::int32_t i = 1; i < record.Count(); i += 2)
    if (!record.Get(i).empty()) return true;
  return false;
}

// Keeps the record on disk beside it as "抽奖名单\获奖记录-<stamp>.txt", under a name no
// file has yet, when it holds at least one winner. When it cannot be kept, the error stops
// the caller before the record is rewritten.
void keepRecord(const Text& stamp) {
  const Text& record = T().recordFile;
  if (!platform::pathExists(record)) return;
  Text bytes;
  errors::throwIfFailed(record, platform::readWholeFile(record, bytes));
  TStringList lines;
  lines.FromBytes(bytes);
  if (!holdsWinners(lines)) return;

  const Text base = T().recordBackupHead + stamp;
  Text name = base + ".txt";
  for (int n = 2; platform::pathExists(name); ++n) name = base + "-" + IntToStr(n) + ".txt";
  errors::throwIfFailed(name, platform::writeWholeFileAtomic(name, bytes));
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
    keepRecord(s.keepRecordStamp);
    s.keepRecordStamp.clear();  // once per run
  }
  TStringList list;
  for (int k = 1; k <= 6; ++k) {
    if (!slotInUse(s, k)) continue;
    list.Add("[" + w.slotCaption(k) + "]");
    list.Add(s.winners[k - 1]);
  }
  list.SaveToFile(T().recordFile);
}

void FormShow(Window& w, Session& s, platform::Dialogs& dialogs, platform::Clock& clock) {
  if (dialogs.askYesNo(T().questionCaption, T().continueQuestion) == platform::Dialogs::Answer::No) {
    keepRecord(clock.localStamp());
    SaveHuman(w, s);
    return;
  }

  const TStringList record = LoadDrawFile(w, T().recordFile);
  restoreSlot(w, s, 1, record.Get(1));
  int restored = 1;
  for (int k = 2; k <= 6; ++k)
    if (s.prizeCount > k - 1 && record.Count() > 2 * k - 2) {
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
  for (int k = 2; k <= 6; ++k) joined += T().separator + s.winners[k - 1];
  prunePool(w, SplitString(joined, T().separator));
  w.setPoolCaption(PoolCaption(w.poolCount()));
}

TStringList SplitString(const Text& text, const Text& sep) {
  TStringList pieces;
  size_t from = 0;
  if (!sep.empty()) {
    for (size_t at; (at = FindOnCharBoundary(text, sep, from)) != Text::npos; from = at + sep.size())
      pieces.Add(text.substr(from, at - from));
  }
  pieces.Add(text.substr(from));
  return pieces;
}

std::int32_t CharCount(const Text& text) { return SplitString(text, T().separator).Count(); }
