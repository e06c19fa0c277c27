#pragma once
// Shared pieces of the draw engine tests: GBK literals, what the random source gives for a
// given counter sequence (to steer a pick into a wanted order), a full picture of the fake
// window's state, and a current directory with a fresh draw folder.
#include "support/fake_platform.h"
#include "support/fake_window.h"

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

inline Text join(const std::vector<Text>& names) {
  Text out;
  for (size_t i = 0; i < names.size(); ++i) {
    if (i) out += kSep;
    out += names[i];
  }
  return out;
}

// The number below `n` that the random source gives right after a reseed from `counter`:
// the seed is the counter's low 32 bits, advanced once by seed * 134775813 + 1 (mod 2^32),
// then scaled by n / 2^32 with a 64-bit product.
inline std::uint32_t belowAfterReseed(std::uint64_t counter, std::uint32_t n) {
  std::uint32_t seed = static_cast<std::uint32_t>(counter);
  seed = seed * 134775813u + 1u;
  return static_cast<std::uint32_t>((std::uint64_t(n) * seed) >> 32);
}

// The indices a pick of `n` out of `count` chooses, in the order chosen, when every draw
// reseeds from a counter that starts at `counter` and rises by `step` per read; an index
// drawn again is refused and drawn anew. `draws` counts every draw, refused ones included.
struct Predicted {
  std::vector<int> order;
  int draws = 0;
};
inline Predicted predictPick(std::uint64_t counter, std::uint64_t step, int count, int n) {
  Predicted p;
  while (int(p.order.size()) < n) {
    int r = int(belowAfterReseed(counter, std::uint32_t(count)));
    counter += step;
    ++p.draws;
    if (std::find(p.order.begin(), p.order.end(), r) == p.order.end()) p.order.push_back(r);
  }
  return p;
}

// The first counter start (searching upwards from 0) whose pick comes out in `wanted` order,
// with at least `minRefused` refused draws on the way.
inline std::optional<std::uint64_t> findCounter(const std::vector<int>& wanted, std::uint64_t step,
                                                int count, int minRefused = 0) {
  for (std::uint64_t c = 0; c < 2000000; ++c) {
    Predicted p = predictPick(c, step, count, int(wanted.size()));
    if (p.order == wanted && p.draws - int(wanted.size()) >= minRefused) return c;
  }
  return std::nullopt;
}

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
