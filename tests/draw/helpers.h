#pragma once
// Shared pieces of the draw engine tests beyond the test kit (tests/support): random
// sources that steer a pick into a wanted order or count its draws, a full picture of the
// fake window's state, and a current directory with a fresh draw folder.
#include "support/fake_platform.h"
#include "support/fake_window.h"
#include "support/files.h"
#include "support/gbk.h"

#include "data/random.h"
#include "data/session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace drawtest {

using testkit::A;
using testkit::crlf;
using testkit::joinNames;
using testkit::kSep;
using testkit::readBytes;
using testkit::writeBytes;
using testkit::splitNames;

// A random source that gives the numbers it was told, in order: a pick steered into a
// wanted order. Every number asked for is counted; asking for more than were given fails
// the test.
struct ScriptedRandom : RandomSource {
  explicit ScriptedRandom(std::vector<std::uint32_t> values = {}) : values(std::move(values)) {}
  std::uint32_t Below(std::uint32_t n) override {
    ++calls;
    if (next >= values.size()) {
      ADD_FAILURE() << "the pick asked for more random numbers than scripted";
      return 0;
    }
    const std::uint32_t v = values[next++];
    EXPECT_LT(v, n) << "scripted value out of range";
    return v;
  }
  std::vector<std::uint32_t> values;
  size_t next = 0;
  int calls = 0;
};

// The program's own generator with a fixed seed, counting how many numbers it gave.
struct CountingRandom : RandomSource {
  explicit CountingRandom(std::uint64_t seed) : fair(seed) {}
  std::uint32_t Below(std::uint32_t n) override {
    ++calls;
    return fair.Below(n);
  }
  FairRandom fair;
  int calls = 0;
};

// Everything the fake window holds that a handler could change, and the session.
struct WindowState {
  std::vector<std::pair<Text, bool>> pool;
  Text poolCaption;
  bool pageKeyLocked;
  Text hint;
  Text headline;
  std::vector<bool> slotSelected;
  std::vector<Text> captions;
  std::vector<Text> counters;
  Text button;
  bool buttonOn, prizeBarOn;
  Text drawSize;
  bool drawSizeFocused;
  bool picking, lockOut;
  int focusCalls;
  std::vector<Text> winners;
  std::int32_t prizeCount;
  bool operator==(const WindowState&) const = default;
};

inline WindowState stateOf(const FakeWindow& w, const Session& s) {
  WindowState st;
  for (const auto& e : w.pool) st.pool.emplace_back(e.name, e.selected);
  st.poolCaption = w.poolCaption;
  st.pageKeyLocked = w.pageKeyLockedOn;
  st.hint = w.hint;
  st.headline = w.headlineText;
  st.slotSelected.assign(std::begin(w.selected), std::end(w.selected));
  st.captions.assign(std::begin(w.captions), std::end(w.captions));
  st.counters.assign(std::begin(w.counters), std::end(w.counters));
  st.button = w.button;
  st.buttonOn = w.buttonOn;
  st.prizeBarOn = w.prizeBarOn;
  st.drawSize = w.drawSize;
  st.drawSizeFocused = w.drawSizeFocused;
  st.picking = w.picking;
  st.lockOut = w.lockOut;
  st.focusCalls = w.focusCalls;
  st.winners.assign(std::begin(s.winners), std::end(s.winners));
  st.prizeCount = s.prizeCount;
  return st;
}

// Runs the test in a fresh temporary directory as the current directory, with the draw
// folder "抽奖名单" in it unless the test says otherwise; the old directory comes back after.
class InTempDir : public testkit::TempCwd {
 public:
  explicit InTempDir(bool withDrawFolder = true) {
    EXPECT_TRUE(ok());
    if (withDrawFolder) makeDrawFolder();
  }

  void makeDrawFolder() { EXPECT_TRUE(TempCwd::makeDrawFolder()); }

  // The winners record's bytes, or nothing when there is no such file.
  static std::optional<Text> record() { return readBytes("抽奖名单/获奖记录.txt"); }
};

}  // namespace drawtest
