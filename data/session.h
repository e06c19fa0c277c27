#pragma once
// What the program holds beside the window for the life of the process: the winners
// texts, the prize count and the winners detail's state.
#include "data/detail.h"
#include "data/window.h"
#include "platform/text.h"

#include <cstdint>
#include <optional>
#include <vector>

// The last draw recorded in the evening: its slot, its names in the order drawn, and where
// they stood in the pool before the Stop (or the restore at a continued start) took them
// out (ascending rows, the name at each), so that a withdrawn draw puts them back where
// they were.
struct RecordedDraw {
  int slot = 0;
  std::vector<Text> names;
  std::vector<int> rows;
  std::vector<Text> rowNames;
};

struct Session {
  std::int32_t prizeCount = 0;
  Text winners[kSlotCount];  // winners text of slots 1..kSlotCount (index k - 1)
  // Set when the record on disk holds winners that were not restored (the prize count was
  // lowered, or could not be read): the time stamp under which the record is kept beside
  // itself before it is first rewritten. Empty otherwise.
  Text keepRecordStamp;
  WinnersDetail detail;  // the spreadsheet of winners (detail.h)
  // Slots that the record holds beyond those in use (the prize count was lowered, or its
  // line could not be read): the record's own bracketed line, written back unchanged with
  // the slot's winners text, so that no Stop drops them. Nothing for every other slot.
  std::optional<Text> heldHeads[kSlotCount];
  // The record exists but could not be read at start: no Stop may write over it. Each
  // Stop tries to read it again; once it can, its winners are restored beside this
  // evening's and the record is written as usual. Answering No clears it.
  bool recordUnread = false;
  // The candidates' names that hold the separator "，" themselves: a winners text is cut
  // into names around them (SplitNames), so that each stays one winner.
  std::vector<Text> separatorNames;
  // The last recorded draw, while it can still be withdrawn or moved: set by each Stop and
  // by a continued start (from the winners detail), cleared once withdrawn; its absentees
  // leave it.
  std::optional<RecordedDraw> lastDraw;

  // Slot k is in use: shown, written to the winners record and restored from it. Slot 1
  // always is, whatever the prize count says.
  bool slotInUse(int k) const { return k == 1 || prizeCountReaches(k); }
  // The prize count reaches slot k: the slot takes its name from the prize names file.
  // This differs from slotInUse for slot 1 only, and on purpose: with a prize count below
  // 1, slot 1 is in use but keeps the design's name, so an empty prize names file is no
  // error.
  bool prizeCountReaches(int k) const { return prizeCount >= k; }
};
