#pragma once
// The operator's corrections after a Stop: the last draw withdrawn or moved to another
// prize, and recorded winners marked absent. Each asks once before it changes anything,
// and none runs while a draw runs or the lock-out after a Stop holds.
#include "platform/text.h"

#include <vector>

class Window;
struct Session;
namespace platform { class Dialogs; }

// One recorded winner: slot k's name.
struct RecordedWinner {
  int slot = 0;
  Text name;
};

// No draw runs and Start/Stop is not locked out: the corrections may run.
bool CorrectionsAllowed(const Window& w);

// The recorded winners of every slot in use, slot by slot, in the order drawn.
std::vector<RecordedWinner> AllRecordedWinners(const Session& s);

// Withdraws the last recorded draw: its names leave the prize's winners and counter and go
// back into the pool where they stood, the record is rewritten (a failed write changes
// nothing), the detail marks them withdrawn; the prize stays selected and the draw size is
// their number, ready to draw again. False when nothing was done.
bool UndoLastDraw(Window& w, Session& s, platform::Dialogs& dialogs);

// The last recorded draw becomes slot `to`'s: its names move there, counters and record
// follow, the detail marks them moved; slot `to` is selected.
bool MoveLastDraw(Window& w, Session& s, platform::Dialogs& dialogs, int to);

// The chosen winners are absent: they leave their prize's winners and counter and do not go
// back into the pool. The detail marks them first (it is what keeps them out of the draw
// after a restart; when it cannot be written nothing changes), then the record is
// rewritten. Their prize is selected and the draw size is their number, so that the next
// draw replaces them. All chosen winners are of one slot.
bool MarkAbsent(Window& w, Session& s, platform::Dialogs& dialogs, const std::vector<RecordedWinner>& chosen);
