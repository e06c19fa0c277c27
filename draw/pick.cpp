#include "draw/pick.h"

#include "data/random.h"
#include "data/textops.h"
#include "data/texts.h"
#include "data/window.h"

#include <vector>

int Timer1Timer(Window& w, RandomSource& random) {
  w.setHeadline({});
  const int count = w.poolCount();
  if (count == 0) return 0;
  w.clearPoolSelection();
  const std::int32_t size = StrToInt(w.drawSizeText());

  const Text& sep = T().separator;
  Text headline;
  auto take = [&](int i) {
    w.setPoolSelected(i, true);
    if (headline.empty())
      headline = w.poolName(i);
    else
      headline += sep + w.poolName(i);
  };

  int taken = 0;
  if (size < count) {
    if (size <= 0) return 0;
    // One flag per entry: whether an index was already chosen is answered at once, so
    // even 999 of 1,000 stays linear in the number of draws.
    std::vector<bool> chosen(size_t(count), false);
    for (; taken < size; ++taken) {
      std::uint32_t r;
      // An index already chosen is refused and drawn again: every remaining entry stays
      // equally likely at every place.
      do r = random.Below(std::uint32_t(count));
      while (chosen[r]);
      chosen[r] = true;
      take(int(r));
    }
  } else {
    for (; taken < count; ++taken) take(taken);
  }
  w.setHeadline(headline);
  return taken;
}
