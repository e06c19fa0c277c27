#pragma once
// The winners record "抽奖名单\获奖记录.txt": two lines per prize slot in use, the
// bracketed prize name and the winners text.
#include "platform/text.h"

class Window;
struct Session;
namespace platform { class Dialogs; class Clock; }

// Rewrites the whole record from the prize names, winners texts and prize count. When the
// session says the record on disk holds winners that were not restored, it is first kept
// beside itself (once per run); if that copy fails, the record is not rewritten.
void SaveHuman(const Window& w, Session& s);

// The window's first-show handler: asks whether to continue the previous record. Yes
// restores winners texts and counters and prunes the pool; No keeps a previous record that
// names a winner as "抽奖名单\获奖记录-YYYYMMDD-HHMMSS.txt" and a winners detail with rows
// as "抽奖名单\获奖明细-YYYYMMDD-HHMMSS.csv" (the same name), and starts both afresh.
void FormShow(Window& w, Session& s, platform::Dialogs& dialogs, platform::Clock& clock);
