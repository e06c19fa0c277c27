#include "data/candidates.h"

#include "data/errors.h"
#include "data/session.h"
#include "data/stafflist.h"
#include "data/startup.h"
#include "data/textops.h"
#include "data/texts.h"
#include "data/window.h"
#include "platform/codec.h"
#include "platform/files.h"
#include "platform/seams.h"

#include <algorithm>

const Text& CandidateBackupHead() {
  static const Text head = platform::ansi("抽奖名单\\抽奖名单-");
  return head;
}

std::vector<Text> RecordedWinnerNames(const Session& s) {
  std::vector<Text> names;
  for (const Text& text : s.winners) {
    if (text.empty()) continue;
    const TStringList pieces = SplitNames(text, s.separatorNames);
    for (const Text& n : pieces.lines())
      if (!n.empty()) names.push_back(n);
  }
  return names;
}

namespace {

// Keeps the candidate list file beside itself when it holds any byte; returns the copy's
// path, or nothing.
Text keepPrevious(platform::Clock& clock) {
  const Text& path = T().candidateFile;
  if (!platform::pathExists(path)) return {};
  Text bytes;
  errors::throwIfFailed(path, platform::readWholeFile(path, bytes));
  if (bytes.empty()) return {};
  const Text stamp = clock.localStamp();
  Text copy = CandidateBackupHead() + stamp + ".txt";
  for (int n = 2; platform::pathExists(copy); ++n)
    copy = CandidateBackupHead() + stamp + "-" + IntToStr(n) + ".txt";
  errors::throwIfFailed(copy, platform::writeWholeFileAtomic(copy, bytes));
  return copy;
}

}  // namespace

Text ReplaceCandidates(Window& w, Session& s, const std::vector<Text>& names, platform::Clock& clock) {
  const Text kept = keepPrevious(clock);
  errors::throwIfFailed(T().candidateFile,
                        platform::writeWholeFileAtomic(T().candidateFile, CandidateFileBytes(names)));
  ReadMan(w, T().candidateFile);
  w.setPoolCaption(PoolCaption(w.poolCount()));
  // Names of the new list that hold "，" stay one winner each when a winners text is cut.
  for (const Text& n : NamesHoldingSeparator(names))
    if (std::find(s.separatorNames.begin(), s.separatorNames.end(), n) == s.separatorNames.end())
      s.separatorNames.push_back(n);
  return kept;
}
