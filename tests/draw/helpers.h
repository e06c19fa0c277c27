#pragma once
// Shared pieces of the draw engine tests: GBK literals, random sources that steer a pick
// into a wanted order or count its draws, a full picture of the fake window's state, and a
// current directory with a fresh draw folder.
#include "support/fake_platform.h"
#include "support/fake_window.h"

#include "data/random.h"
#include "platform/codec.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace drawtest {

inline Text A(const char* utf8) { return platform::ansi(utf8); }

// The separator as bytes: the full-width comma is A3 AC in GBK.
inline const Text kSep = "\xA3\xAC";

// The names of a headline, cut at every separator.
inline std::vector<Text> splitNames(const Text& h) {
  std::vector<Text> out;
  size_t from = 0;
  for (size_t at; (at = h.find(kSep, from)) != Text::npos; from = at + kSep.size())
    out.push_back(h.substr(from, at - from));
  out.push_back(h.substr(from));
  return out;
}

inline Text join(const std::vector<Text>& names) {
  Text out;
  for (size_t i = 0; i < names.size(); ++i) {
    if (i) out += kSep;
    out += names[i];
  }
  return out;
}

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
  std::int32_t tag;
  Text hint;
  Text headline;
  std::vector<bool> slotSelected;
  std::vector<Text> captions;
  std::vector<Text> counters;
  Text button;
  bool buttonOn, prizeBarOn;
  Text drawSize;
  bool drawSizeFocused;
  bool t1, t2;
  int focusCalls;
  std::vector<Text> winners;
  std::int32_t prizeCount;
  bool operator==(const WindowState&) const = default;
};

inline WindowState stateOf(const FakeWindow& w, const Session& s) {
  WindowState st;
  for (const auto& e : w.pool) st.pool.emplace_back(e.name, e.selected);
  st.poolCaption = w.poolCaption;
  st.tag = w.tag;
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
  st.t1 = w.t1;
  st.t2 = w.t2;
  st.focusCalls = w.focusCalls;
  st.winners.assign(std::begin(s.winners), std::end(s.winners));
  st.prizeCount = s.prizeCount;
  return st;
}

// Runs the test in a fresh temporary directory as the current directory, with the draw
// folder "抽奖名单" in it unless the test says otherwise; the old directory comes back after.
class InTempDir {
 public:
  explicit InTempDir(bool withDrawFolder = true) : old_(QDir::currentPath()) {
    EXPECT_TRUE(dir_.isValid());
    EXPECT_TRUE(QDir::setCurrent(dir_.path()));
    if (withDrawFolder) makeDrawFolder();
  }
  ~InTempDir() { QDir::setCurrent(old_); }
  InTempDir(const InTempDir&) = delete;
  InTempDir& operator=(const InTempDir&) = delete;

  void makeDrawFolder() { EXPECT_TRUE(QDir().mkdir(QString::fromUtf8("抽奖名单"))); }

  // The winners record's bytes, or nothing when there is no such file.
  static std::optional<Text> record() {
    QFile f(QString::fromUtf8("抽奖名单/获奖记录.txt"));
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    QByteArray b = f.readAll();
    return Text(b.constData(), size_t(b.size()));
  }

 private:
  QString old_;
  QTemporaryDir dir_;
};

}  // namespace drawtest
