// The whole start-up from a draw folder whose files are the fuzzed bytes: the candidate
// list, the basic settings file, the prize names file and the picture, joined by a
// marker line (a part that is not there is a file that is not there). Runs against the
// plain window of the tests, under the guard, as the program runs it.
#include "data/guard.h"
#include "data/session.h"
#include "data/startup.h"
#include "data/texts.h"
#include "data/window.h"
#define FUZZ_IN_DRAW_FOLDER
#include "fuzz/support.h"
#include "support/fake_platform.h"
#include "support/fake_window.h"

#include <array>
#include <cstdint>

namespace {

const Text kMarker = "\n@@luckydraw-next-file@@\n";
const char* const kFiles[] = {"抽奖名单/抽奖名单.txt", "抽奖名单/基础配置.ini", "抽奖名单/奖项设置.ini",
                              "抽奖名单/年会背景.bmp"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const Text bytes(reinterpret_cast<const char*>(data), size);
  size_t from = 0;
  for (const char* file : kFiles) {
    if (from > bytes.size()) {
      fuzzing::putFile(file, {}, false);
      continue;
    }
    size_t at = bytes.find(kMarker, from);
    if (at == Text::npos) at = bytes.size();
    fuzzing::putFile(file, bytes.substr(from, at - from));
    from = at + kMarker.size();
  }

  FakeWindow w;
  Session s;
  FakeDialogs dialogs;
  ErrorReporter reporter(dialogs, T().appTitle);
  const bool ok = Guarded(reporter, [&] { FormCreate(w, s); });

  // One report at most, and never a huge one.
  FUZZ_CHECK(dialogs.errors.size() == (ok ? 0u : 1u));
  if (!ok) FUZZ_CHECK(dialogs.errors[0].text.size() < 1200);
  // Whatever was set up is whole: the pool caption counts the pool it was set for, a
  // picture is a decoded one, slots are shown from slot 1 on without a gap.
  if (w.poolCaption != platform::ansi("  抽奖名单")) FUZZ_CHECK(w.poolCaption == PoolCaption(w.poolCount()));
  if (w.pictureSet && !w.picture.isNull())
    FUZZ_CHECK(std::int64_t(w.picture.width()) * w.picture.height() <= platform::kMaxBitmapPixels);
  FUZZ_CHECK(w.shown[0]);
  for (int k = 2; k <= 6; ++k) {
    FUZZ_CHECK(w.shown[k - 1] == (s.prizeCount > k - 1));
    if (w.shown[k - 1]) FUZZ_CHECK(w.shown[k - 2]);
  }
  if (ok) FUZZ_CHECK(w.poolCaption == PoolCaption(w.poolCount()));
  return 0;
}
