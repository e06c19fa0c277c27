#pragma once
// Replacing the candidate list from an imported staff list: the file written, the pool
// loaded from it as at start.
#include "platform/text.h"

#include <vector>

class Window;
struct Session;
namespace platform {
class Clock;
}

// The names recorded as winners this evening (every winners text, cut into names as the
// record is), one entry each time a name was drawn.
std::vector<Text> RecordedWinnerNames(const Session& s);

// Writes `names` as the candidate list file "抽奖名单\抽奖名单.txt", one a line, and loads
// the pool from it the way the program loads it at start; the pool caption shows the new
// count. A previous file that holds anything is kept beside it first, byte for byte, as
// "抽奖名单\抽奖名单-<stamp>.txt" ("-2", "-3"... while that name is taken); its path is
// returned (empty when nothing was kept). Both writes replace their file in one step: a
// failure (EFCreateError, EWriteError) leaves the previous file as it was, and when the
// copy cannot be made the list is not written.
Text ReplaceCandidates(Window& w, Session& s, const std::vector<Text>& names, platform::Clock& clock);

// The head of the kept copies' names: "抽奖名单\抽奖名单-".
const Text& CandidateBackupHead();
