// The random source: seeding from the clock and the congruential step.
#include "data/random.h"
#include "support/fake_platform.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

std::vector<std::uint32_t> take(RandomSource& r, std::uint32_t n, int count) {
  std::vector<std::uint32_t> out;
  for (int i = 0; i < count; ++i) out.push_back(r.Below(n));
  return out;
}

TEST(RandomSource, SeedIsZeroAtStart) {
  FakeClock clock;
  RandomSource r(clock);
  EXPECT_EQ(r.seed(), 0u);
  EXPECT_EQ(clock.counterReads, 0);
}

TEST(RandomSource, ReseedTakesLow32BitsOfCounter) {
  FakeClock clock;
  clock.counter = 0x123456789ULL;
  RandomSource r(clock);
  r.Reseed();
  EXPECT_EQ(r.seed(), 0x23456789u);
  EXPECT_EQ(clock.counterReads, 1);
}

TEST(RandomSource, FallsBackToTickCountWithoutCounter) {
  FakeClock clock;
  clock.counter = std::nullopt;
  clock.ticks = 123456;
  RandomSource r(clock);
  r.Reseed();
  EXPECT_EQ(r.seed(), 123456u);
}

TEST(RandomSource, SameCounterValueGivesSameNumbers) {
  FakeClock clock;
  clock.counter = 987654321;
  clock.step = 0;
  RandomSource r(clock);
  r.Reseed();
  const auto first = take(r, 1000, 20);
  r.Reseed();
  EXPECT_EQ(take(r, 1000, 20), first);

  RandomSource other(clock);
  other.Reseed();
  EXPECT_EQ(take(other, 1000, 20), first);
}

TEST(RandomSource, FollowsTheCongruentialStep) {
  // Worked by hand from seed 1: 1 * 134775813 + 1 = 134775814, and 100 * 134775814 / 2^32
  // = 3.14 -> 3; then 134775814 * 134775813 + 1 = 3698175007 (mod 2^32), 86.1 -> 86; ...
  FakeClock clock;
  clock.counter = 1;
  RandomSource r(clock);
  r.Reseed();
  EXPECT_EQ(r.Below(100), 3u);
  EXPECT_EQ(r.seed(), 134775814u);
  EXPECT_EQ(r.Below(100), 86u);
  EXPECT_EQ(r.seed(), 3698175007u);
  EXPECT_EQ(r.Below(100), 20u);
  EXPECT_EQ(r.seed(), 870078620u);
  EXPECT_EQ(r.Below(1000), 272u);
  EXPECT_EQ(r.Below(6), 4u);
  EXPECT_EQ(r.seed(), 2884733762u);
}

TEST(RandomSource, KnownSeedFromCounter) {
  FakeClock clock;
  clock.counter = 0x23456789;
  RandomSource r(clock);
  r.Reseed();
  EXPECT_EQ(r.Below(10), 9u);
  EXPECT_EQ(r.Below(10), 6u);
  EXPECT_EQ(r.Below(10), 7u);
  EXPECT_EQ(r.seed(), 3267315204u);
}

TEST(RandomSource, BelowOneIsAlwaysZeroAndBelowZeroGivesZero) {
  FakeClock clock;
  RandomSource r(clock);
  r.Reseed();
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(r.Below(1), 0u);
  EXPECT_EQ(r.Below(0), 0u);
}

TEST(RandomSource, StaysBelowN) {
  FakeClock clock;
  clock.counter = 42;
  RandomSource r(clock);
  r.Reseed();
  std::vector<int> seen(7, 0);
  for (int i = 0; i < 2000; ++i) {
    const auto v = r.Below(7);
    ASSERT_LT(v, 7u);
    ++seen[v];
  }
  for (int v = 0; v < 7; ++v) EXPECT_GT(seen[v], 0) << v << " never came";
  // The largest n still fits: the product is formed in 64 bits.
  EXPECT_LT(r.Below(0xFFFFFFFFu), 0xFFFFFFFFu);
}

}  // namespace
