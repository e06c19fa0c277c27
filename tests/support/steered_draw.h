#pragma once
// A draw through the draw cycle on the fake window whose last pick is the given names, in
// this order: Start, the pick, the end of the lock-out, Stop at the clock's given time, and
// the end of the Stop's lock-out.
#include "support/fake_platform.h"
#include "support/fake_window.h"
#include "support/gbk.h"

#include "draw/cycle.h"

#include <vector>

namespace testkit {

inline void steeredDraw(FakeWindow& w, DrawCycle& cycle, FakeClock& clock, int slot,
                        const std::vector<const char*>& picked, const char* stamp) {
  w.selectSlot(slot);
  cycle.Button1Click();
  w.clearPoolSelection();
  std::vector<Text> names;
  for (const char* n : picked) {
    names.push_back(A(n));
    for (auto& e : w.pool)
      if (e.name == A(n) && !e.selected) {
        e.selected = true;
        break;
      }
  }
  w.headlineText = joinNames(names);
  cycle.Timer2Timer();
  clock.stamp = stamp;
  cycle.Button1Click();
  cycle.Timer2Timer();
}

}  // namespace testkit
