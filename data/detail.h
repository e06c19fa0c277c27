#pragma once
// The winners detail "抽奖名单\获奖明细.csv": one row per winner for whoever buys and hands
// out the prizes. UTF-8 with a byte-order mark and CR LF, so that Excel, WPS and LibreOffice
// open it by a double click on any system, whatever its language; a header row
// 序号,奖项,姓名,轮次,时间,状态, then per name ever drawn a running number, the prize name,
// the name, the draw's number within the evening, the local time of the Stop and its status:
// 中奖 (a winner), 缺席 (marked absent), 撤销 (its draw withdrawn) or 改奖 (its draw moved
// to the row's prize, a winner of it). The winners are the rows 中奖 and 改奖: they agree
// with the winners record. The program's texts are
// GB18030 bytes: they become UTF-8 only on their way into the file, and a name's bytes
// that are no character are written as they stand (platform::utf8FromAnsi).
//
// An older file, written in GBK without a mark, is read as GBK and rewritten in UTF-8,
// every row kept, at the next write. A file of five columns gets the status column then:
// its header gains 状态 and every row 中奖.
//
// It follows the winners record: every Stop adds its rows to what the file already holds
// (so continuing the record continues the file), and answering No to the continue
// question keeps the old file aside and starts a fresh one. Numbers go on from the largest
// running number and draw number found in the file, so they continue across restarts.
#include "platform/text.h"

#include <cstdint>
#include <optional>
#include <vector>

struct Session;
class Window;

// A change of status of recorded winners of one prize: their rows (the last winner's row of
// each name under the prize) get `status`, and `newPrize` as their prize when it is given.
struct DetailMark {
  Text prize;
  std::vector<Text> names;
  Text status;
  Text newPrize;
};

// One Stop's winners, numbered when they reach the file, or one change of status (no
// names, a mark): the file takes them in the order they happened.
struct DetailDraw {
  Text prize;
  std::vector<Text> names;  // in the order drawn, empty names left out
  Text time;                // "YYYY-MM-DD HH:MM:SS"
  std::optional<DetailMark> mark;
};

// What the detail file needs held beside the window.
struct WinnersDetail {
  std::vector<DetailDraw> pending;  // draws and marks recorded but not yet written
  std::int32_t lastRow = 0;         // the running number and draw number last written
  std::int32_t lastDraw = 0;
  bool startFresh = false;          // the file on disk is an earlier evening's (kept aside)
  bool failing = false;             // a failed write was reported; quiet until one succeeds
};

// Stop: the headline's names (cut at "，" on character boundaries, around the session's
// names that hold it) become pending rows of the prize. `stamp` is the clock's
// "YYYYMMDD-HHMMSS".
void AddDetailDraw(Session& s, const Text& prize, const Text& headline, const Text& stamp);

// A change of status waits beside the draws for the next write.
void AddDetailMark(Session& s, DetailMark mark);

// Writes the file: what it holds (nothing, after a fresh start), then every pending draw
// and mark in turn. The write is atomic; on failure nothing pending is lost and the next
// Stop tries again. A failure is reported through the window's notice, once until a write
// succeeds again; the winners record, already saved, stays the reference. True when the
// file was written.
bool SaveDetail(Window& w, Session& s);

// What a continued start takes from the file: the names marked absent (each row one
// person, kept out of the draw), and the last draw of the evening (its final prize and its
// number of names; rows recovered at a start are no draw). Prizes and names as the file
// holds them (UTF-8). Nothing when the file is missing or cannot be read.
struct DetailState {
  std::vector<Text> absent;
  Text lastPrize;
  int lastDrawSize = 0;
  // The last draw's names in the order drawn, when every one of them is still a winner
  // (中奖 or 改奖) under `lastPrize`: the draw can still be withdrawn or moved.
  std::vector<Text> lastWinners;
};
DetailState ReadDetailState();

// A continued start makes the file agree with the record, the reference. Every winner of
// the record (prize name and names, slot by slot) that the file has no winner's row for
// gets one now, its time field marking it as recovered, since the time of its Stop is not
// known. A winner's row whose name the record no longer holds was withdrawn (a change the
// record got and the file missed) and says so; one whose name the record holds under
// another of `prizes` (the prizes in use) was moved there. Rows are matched by prize and
// name first, then by name, each row standing for one winner, as the bytes the file holds
// against the bytes the name is written as. The file is written at once; a file that
// cannot be read is left alone.
struct RecordedWinners {
  Text prize;
  std::vector<Text> names;
};
void RecoverDetailRows(Window& w, Session& s, const std::vector<RecordedWinners>& recorded,
                       const std::vector<Text>& prizes = {});

// Whether a detail file's text holds at least one winner's row (worth keeping aside when
// the evening starts afresh).
bool DetailHoldsRows(const Text& ansi);
// No to the continue question, once the old file is kept aside: the numbers start again and
// a file that is there is replaced by the header alone (with none, the first Stop makes
// it). A failing write is reported as SaveDetail's are, and the next Stop starts the file
// afresh all the same.
void StartFreshDetail(Window& w, Session& s);

// The CSV form of one field: quoted, with quotes doubled, when it holds a comma, a quote,
// CR or LF.
Text CsvField(const Text& field);

// "YYYYMMDD-HHMMSS" to "YYYY-MM-DD HH:MM:SS"; any other text is returned unchanged.
Text DetailTime(const Text& stamp);
