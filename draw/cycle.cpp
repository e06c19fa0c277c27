#include "draw/cycle.h"

#include "data/detail.h"
#include "data/record.h"
#include "data/session.h"
#include "data/textops.h"
#include "data/texts.h"
#include "data/window.h"
#include "platform/seams.h"

#include <algorithm>

DrawCycle::DrawCycle(Window& w, Session& s, platform::Sound& sound, platform::Clock& clock, Text exeDir)
    : w_(w), s_(s), sound_(sound), clock_(clock), exeDir_(std::move(exeDir)) {
  sound_.prepare(exeDir_ + T().drumWav);
  sound_.prepare(exeDir_ + T().gongWav);
}

void FocusStep(Window& w) {
  if (w.prizeBarEnabled() && !w.drawSizeHasFocus()) w.focusDrawSize();
}

void DrawCycle::Button1Click() {
  if (!w_.buttonEnabled()) return;  // the lock-out holds for the keys as well
  FocusStep(w_);
  if (idle())
    start();
  else
    stop();
}

// The draw's state is the one the window shows: no draw runs while Start/Stop's caption is
// exactly "开始". Start, Stop and Cancel set the caption, and nothing else keeps a copy of
// the state that could disagree with the screen.
bool DrawCycle::idle() const { return w_.buttonCaption() == T().start; }

void DrawCycle::start() {
  w_.setButtonEnabled(false);
  w_.setPrizeBarEnabled(false);
  w_.setPoolCaption(PoolCaption(w_.poolCount()));
  w_.setButtonCaption(T().stop);
  sound_.play(exeDir_ + T().drumWav);
  w_.setPicking(true);
  w_.setLockOut(true);
}

void DrawCycle::stop() {
  w_.setPicking(false);
  w_.setButtonCaption(T().start);
  w_.setButtonEnabled(false);
  w_.setPrizeBarEnabled(false);
  w_.setLockOut(true);
  sound_.play(exeDir_ + T().gongWav);

  // The last pick's entries are the winners: the counter rises by their number, and an
  // empty pick records nothing (no empty name, no dangling separator).
  const int picked = w_.poolSelectedCount();
  RecordedDraw drawn;
  // A drawn name that holds the separator is one winner in the record and the detail.
  for (int i = 0, left = picked; i < w_.poolCount() && left > 0; ++i) {
    if (!w_.poolSelected(i)) continue;
    --left;
    const Text name = w_.poolName(i);
    drawn.rows.push_back(i);
    drawn.rowNames.push_back(name);
    if (FindOnCharBoundary(name, T().separator) != Text::npos &&
        std::find(s_.separatorNames.begin(), s_.separatorNames.end(), name) == s_.separatorNames.end())
      s_.separatorNames.push_back(name);
  }
  for (int k = 1; k <= kSlotCount && picked > 0; ++k) {
    if (!w_.slotSelected(k)) continue;
    w_.setCounter(k, IntToStr(std::int64_t(StrToInt(w_.counter(k))) + picked));
    Text& winners = s_.winners[k - 1];
    if (winners.empty())
      winners = w_.headline();
    else
      winners += T().separator + w_.headline();
    AddDetailDraw(s_, w_.slotCaption(k), w_.headline(), clock_.localStamp());
    drawn.slot = k;
    const TStringList names = SplitNames(w_.headline(), s_.separatorNames);
    for (const Text& name : names.lines())
      if (!name.empty()) drawn.names.push_back(name);
    s_.lastDraw = std::move(drawn);
    break;
  }

  w_.poolDeleteSelected();
  w_.setPoolCaption(PoolCaption(w_.poolCount()));
  SaveHuman(w_, s_);
  SaveDetail(w_, s_);  // reports its own failure; the record above stays the reference
  w_.setPrizeBarEnabled(true);
}

void DrawCycle::Timer2Timer() {
  w_.setLockOut(false);
  w_.setButtonEnabled(true);
}

void DrawCycle::FlatButton1Click() {
  w_.setPicking(false);
  w_.setLockOut(false);
  w_.setHeadline({});
  w_.setButtonCaption(T().start);
  w_.setButtonEnabled(true);
  w_.setPrizeBarEnabled(true);
  FocusStep(w_);
}

void DrawCycle::FormKeyUp(int key) {
  if (key == VK_SPACE_KEY || (key == VK_NEXT_KEY && !w_.pageKeyLocked())) Button1Click();
}

void DrawCycle::Label13Click() {
  const bool locked = !w_.pageKeyLocked();
  w_.setPageKeyLocked(locked);
  w_.setPoolCaptionHint(locked ? T().pageKeyOff : T().pageKeyOn);
}
