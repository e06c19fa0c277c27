// The random source: a fixed seed repeats, numbers stay in range and are uniform, and the
// reduction to a range has no bias even where a plain multiply-and-shift would have a large
// one.
#include "data/random.h"
#include "support/chi_square.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

std::vector<std::uint32_t> take(RandomSource& r, std::uint32_t n, int count) {
  std::vector<std::uint32_t> out;
  for (int i = 0; i < count; ++i) out.push_back(r.Below(n));
  return out;
}

TEST(FairRandom, AFixedSeedRepeatsAndDifferentSeedsDiffer) {
  FairRandom a(42), b(42), c(43);
  const auto first = take(a, 1000000, 50);
  EXPECT_EQ(take(b, 1000000, 50), first);
  EXPECT_NE(take(c, 1000000, 50), first);
  EXPECT_NE(take(a, 1000000, 50), first) << "the sequence goes on, it does not restart";
}

TEST(FairRandom, EveryRunIsSeededAfresh) {
  // Seeded from the system's entropy source: two sources agreeing on 50 numbers below 10^6
  // would be a coincidence of about 10^-300.
  FairRandom a, b;
  EXPECT_NE(take(a, 1000000, 50), take(b, 1000000, 50));
}

TEST(FairRandom, StaysBelowN) {
  FairRandom r(1);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(r.Below(1), 0u);
  EXPECT_EQ(r.Below(0), 0u);
  for (std::uint32_t n : {2u, 3u, 7u, 1000u, 0x80000001u, 0xFFFFFFFFu}) {
    for (int i = 0; i < 2000; ++i) ASSERT_LT(r.Below(n), n) << "n = " << n;
  }
}

TEST(FairRandom, SmallRangesAreUniform) {
  FairRandom r(7);
  for (std::uint32_t n : {2u, 7u, 100u}) {
    std::vector<double> seen(n, 0);
    for (std::uint32_t i = 0; i < 1000 * n; ++i) ++seen[r.Below(n)];
    EXPECT_LT(stats::chiSquareUniform(seen), stats::critical001(n - 1)) << "n = " << n;
  }
}

TEST(FairRandom, NoBiasWhereMultiplyAndShiftWouldFavourAThird) {
  // For n = 3 * 2^30, (x * n) >> 32 maps two values of x to every result divisible by 3
  // and one to the others: half the results would be divisible by 3 instead of a third.
  const std::uint32_t n = 0xC0000000u;
  FairRandom plain(11), fair(11);
  int plainThirds = 0, fairThirds = 0;
  const int draws = 60000;
  for (int i = 0; i < draws; ++i) {
    plainThirds += ((std::uint64_t(plain.Next32()) * n) >> 32) % 3 == 0;
    fairThirds += fair.Below(n) % 3 == 0;
  }
  EXPECT_NEAR(double(plainThirds) / draws, 0.5, 0.01) << "the case must show the bias";
  EXPECT_NEAR(double(fairThirds) / draws, 1.0 / 3.0, 0.01);
}

}  // namespace
