// Restoring the winners record from any bytes, under a prize count taken from the
// record's length (-1 to 6), with a pool of real names, an empty entry and a duplicate.
// A restore that succeeds, written again and restored into a fresh window, gives the
// same winners texts, counters and pool.
#include "data/record.h"
#include "data/session.h"
#include "data/textops.h"
#include "data/texts.h"
#include "data/window.h"
#define FUZZ_IN_DRAW_FOLDER
#include "fuzz/support.h"
#include "support/fake_platform.h"
#include "support/fake_window.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace {

const char* const kRecord = "抽奖名单/获奖记录.txt";

std::vector<Text> pool() {
  std::vector<Text> names;
  for (const char* n : {"张三", "李四", "", "王五", "赵六", "张三", "钱七"}) names.push_back(platform::ansi(n));
  return names;
}

// FormShow with the answer Yes; true when it finished without an error.
bool restore(FakeWindow& w, Session& s) {
  FakeDialogs dialogs;
  FakeClock clock;
  dialogs.answer = platform::Dialogs::Answer::Yes;
  try {
    FormShow(w, s, dialogs, clock);
    return true;
  } catch (const EError&) {
    return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const Text bytes(reinterpret_cast<const char*>(data), size);
  // A fresh folder: a rewrite may keep the previous record beside itself.
  std::filesystem::remove_all("抽奖名单");
  std::filesystem::create_directory("抽奖名单");
  fuzzing::putFile(kRecord, bytes);

  FakeWindow w;
  w.setPool(pool());
  Session s;
  s.prizeCount = std::int32_t(size % 8) - 1;
  const bool ok = restore(w, s);

  // Each restored counter counts its winners text; the pool loses at most one entry per
  // name and keeps its order.
  for (int k = 1; k <= 6; ++k) {
    const Text& c = w.counters[k - 1];
    if (c == "00") continue;
    FUZZ_CHECK(c == (s.winners[k - 1].empty() ? Text("0") : std::to_string(CharCount(s.winners[k - 1]))));
  }
  const std::vector<Text> before = pool();
  const std::vector<Text> after = w.names();
  FUZZ_CHECK(after.size() <= before.size());
  size_t i = 0;
  for (const Text& n : after) {
    while (i < before.size() && before[i] != n) ++i;
    FUZZ_CHECK(i < before.size());
    ++i;
  }
  if (!ok) return 0;
  FUZZ_CHECK(w.poolCaption == PoolCaption(w.poolCount()));

  // Write and read agree (restored winners texts hold no line break).
  SaveHuman(w, s);
  FakeWindow again;
  again.setPool(pool());
  Session s2;
  s2.prizeCount = s.prizeCount;
  FUZZ_CHECK(restore(again, s2));
  for (int k = 1; k <= 6; ++k) {
    FUZZ_CHECK(s2.winners[k - 1] == s.winners[k - 1]);
    if (w.counters[k - 1] != "00") FUZZ_CHECK(again.counters[k - 1] == w.counters[k - 1]);
  }
  FUZZ_CHECK(again.names() == w.names());
  return 0;
}
