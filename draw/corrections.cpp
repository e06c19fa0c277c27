#include "draw/corrections.h"

#include "data/detail.h"
#include "data/errors.h"
#include "data/record.h"
#include "data/session.h"
#include "data/textops.h"
#include "data/texts.h"
#include "data/window.h"
#include "draw/cycle.h"
#include "platform/message.h"
#include "platform/seams.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

// The names of a winners text, cut as the record is read.
std::vector<Text> namesOf(const Session& s, int k) {
  const Text& text = s.winners[k - 1];
  if (text.empty()) return {};
  return SplitNames(text, s.separatorNames).lines();
}

Text joinNames(const std::vector<Text>& names) {
  Text out;
  for (size_t i = 0; i < names.size(); ++i) out += (i ? T().separator : Text()) + names[i];
  return out;
}

// Slot k's winners text without `gone` (for each, its last occurrence).
Text textWithout(const Session& s, int k, const std::vector<Text>& gone) {
  std::vector<Text> names = namesOf(s, k);
  for (const Text& g : gone) {
    auto it = std::find(names.rbegin(), names.rend(), g);
    if (it != names.rend()) names.erase(std::next(it).base());
  }
  return joinNames(names);
}

void showCounter(Window& w, const Session& s, int k) {
  const Text& text = s.winners[k - 1];
  w.setCounter(k, text.empty() ? Text("0") : IntToStr(SplitNames(text, s.separatorNames).Count()));
}

// The winners texts take their new values and the record is rewritten; when the record
// cannot be written, the texts are as they were and the error goes on to the report.
void saveTexts(Window& w, Session& s, const std::vector<std::pair<int, Text>>& texts) {
  Text before[kSlotCount];
  std::copy(std::begin(s.winners), std::end(s.winners), before);
  for (const auto& [k, text] : texts) s.winners[k - 1] = text;
  try {
    SaveHuman(w, s);
  } catch (...) {
    std::copy(std::begin(before), std::end(before), s.winners);
    throw;
  }
  for (const auto& [k, text] : texts) showCounter(w, s, k);
}

bool confirmed(platform::Dialogs& dialogs, const Text& question) {
  return dialogs.confirm(T().questionCaption, question) == platform::Dialogs::Answer::Yes;
}

// The prize selected and the draw size set for the next draw; the keys go on reaching the
// window.
void readyToDraw(Window& w, int k, int size) {
  w.setSlotSelected(k);
  if (size > 0) w.setDrawSizeValue(std::min(size, 999));
  FocusStep(w);
}

}  // namespace

bool CorrectionsAllowed(const Window& w) { return w.buttonEnabled() && w.buttonCaption() == T().start; }

std::vector<RecordedWinner> AllRecordedWinners(const Session& s) {
  std::vector<RecordedWinner> all;
  for (int k = 1; k <= kSlotCount; ++k) {
    if (!s.slotInUse(k)) continue;
    for (const Text& name : namesOf(s, k))
      if (!name.empty()) all.push_back({k, name});
  }
  return all;
}

bool UndoLastDraw(Window& w, Session& s, platform::Dialogs& dialogs) {
  if (!CorrectionsAllowed(w) || !s.lastDraw) return false;
  const RecordedDraw draw = *s.lastDraw;
  const int n = int(draw.names.size());
  const Text prize = w.slotCaption(draw.slot);
  if (!confirmed(dialogs, platform::message(QCoreApplication::translate(
                                                "Corrections",
                                                "Withdraw the last draw of %1? Its %n name(s) leave the "
                                                "winners and go back into the draw where they stood.",
                                                nullptr, n),
                                            {prize})))
    return false;

  saveTexts(w, s, {{draw.slot, textWithout(s, draw.slot, draw.names)}});
  s.lastDraw.reset();
  // Each name at its former row, as far as the pool still reaches.
  std::vector<int> rows;
  for (int r : draw.rows) rows.push_back(std::min(r, w.poolCount() + int(rows.size())));
  for (size_t j = 1; j < rows.size(); ++j) rows[j] = std::max(rows[j], rows[j - 1] + 1);
  w.poolInsertRows(rows, draw.rowNames);
  w.setPoolCaption(PoolCaption(w.poolCount()));
  w.setHeadline({});
  AddDetailMark(s, {prize, draw.names, T().statusWithdrawn, {}});
  SaveDetail(w, s);  // reports its own failure; the record stays the reference
  readyToDraw(w, draw.slot, n);
  return true;
}

bool MoveLastDraw(Window& w, Session& s, platform::Dialogs& dialogs, int to) {
  if (!CorrectionsAllowed(w) || !s.lastDraw || to < 1 || to > kSlotCount || !s.slotInUse(to) ||
      to == s.lastDraw->slot)
    return false;
  const RecordedDraw draw = *s.lastDraw;
  const Text from = w.slotCaption(draw.slot), target = w.slotCaption(to);
  if (!confirmed(dialogs, platform::message(QCoreApplication::translate(
                                                "Corrections", "Move the last draw (%n name(s)) from %1 to %2?",
                                                nullptr, int(draw.names.size())),
                                            {from, target})))
    return false;

  const Text& toText = s.winners[to - 1];
  const Text moved = joinNames(draw.names);
  saveTexts(w, s,
            {{draw.slot, textWithout(s, draw.slot, draw.names)},
             {to, toText.empty() ? moved : toText + T().separator + moved}});
  s.lastDraw->slot = to;
  AddDetailMark(s, {from, draw.names, T().statusMoved, target});
  SaveDetail(w, s);
  readyToDraw(w, to, 0);
  return true;
}

bool MarkAbsent(Window& w, Session& s, platform::Dialogs& dialogs, const std::vector<RecordedWinner>& chosen) {
  if (!CorrectionsAllowed(w) || chosen.empty()) return false;
  const int k = chosen.front().slot;
  if (k < 1 || k > kSlotCount ||
      std::any_of(chosen.begin(), chosen.end(), [&](const RecordedWinner& c) { return c.slot != k; }))
    return false;
  std::vector<Text> names;
  for (const RecordedWinner& c : chosen) names.push_back(c.name);
  const Text prize = w.slotCaption(k);
  const int n = int(names.size());
  if (!confirmed(dialogs, platform::message(QCoreApplication::translate(
                                                "Corrections",
                                                "Mark %n winner(s) of %1 absent: %2?\n\nThey leave the winners "
                                                "and do not go back into the draw; %1 is then selected with "
                                                "the draw size %n to draw their replacements.",
                                                nullptr, n),
                                            {prize, joinNames(names)})))
    return false;

  // The detail first: after a restart it is what keeps an absentee out of the draw.
  AddDetailMark(s, {prize, names, T().statusAbsent, {}});
  if (!SaveDetail(w, s)) {
    s.detail.pending.pop_back();
    throw EWriteError(platform::message(QCoreApplication::translate(
        "Corrections",
        "The winners spreadsheet 获奖明细.csv cannot be written, so nobody was marked absent. Close it "
        "in the program that holds it and try again.")));
  }
  saveTexts(w, s, {{k, textWithout(s, k, names)}});
  if (s.lastDraw && s.lastDraw->slot == k) {
    RecordedDraw& last = *s.lastDraw;
    for (const Text& name : names) {
      auto it = std::find(last.names.begin(), last.names.end(), name);
      if (it == last.names.end()) continue;
      last.names.erase(it);
      auto row = std::find(last.rowNames.begin(), last.rowNames.end(), name);
      if (row == last.rowNames.end()) continue;
      last.rows.erase(last.rows.begin() + (row - last.rowNames.begin()));
      last.rowNames.erase(row);
    }
    if (last.names.empty()) s.lastDraw.reset();
  }
  readyToDraw(w, k, n);
  return true;
}
