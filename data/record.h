#pragma once
// The winners record "抽奖名单\获奖记录.txt": two lines per prize slot in use, the
// bracketed prize name and the winners text.
#include "platform/text.h"

class Window;
struct Session;
namespace platform { class Dialogs; class Clock; }

// Rewrites the whole record from the prize names, winners texts and prize count. When the
// session says the record on disk holds winners that were not restored, it is first kept
// beside itself (once per run); if that copy fails, the record is not rewritten. Slots the
// record holds beyond the prize count are written back as they were. A record that could
// not be read at start is read first and its winners restored beside this run's; while it
// still cannot be read, the save fails with its open error and the file stays untouched.
void SaveHuman(Window& w, Session& s);

// The window's first-show handler: asks whether to continue the previous record. Yes
// restores winners texts and counters and prunes the pool. When the record names winners, No
// asks once more, naming how many would return to the draw; only a second No starts afresh.
// Starting afresh keeps a previous record that
// names a winner as "抽奖名单\获奖记录-YYYYMMDD-HHMMSS.txt" and a winners detail with rows
// as "抽奖名单\获奖明细-YYYYMMDD-HHMMSS.csv" (the same name), and starts both afresh.
void FormShow(Window& w, Session& s, platform::Dialogs& dialogs, platform::Clock& clock);
