// The draw is fair: over many picks, every entry wins equally often, and where one name
// falls says nothing about where the next one of the same pick falls.
//
// Each statistic is tested with Pearson's chi-square at the 0.1% level, with fixed seeds so
// that the outcome never changes from run to run. The same statistics are applied to a
// random source that is reseeded from a high-resolution counter before every draw (picks
// microseconds apart, ticks a millisecond apart): that scheme puts the names of one pick at
// nearly fixed distances from each other, and the tests must see it.
#include "helpers.h"

#include "data/random.h"
#include "draw/pick.h"
#include "support/chi_square.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <string>

using namespace drawtest;

namespace {

// A counter at 10 MHz, read before every draw: a few counts pass between the draws of one
// pick, about 10,000 (1 ms) between two ticks, with some jitter.
class CounterReseeded : public RandomSource {
 public:
  std::uint32_t Below(std::uint32_t n) override {
    counter_ += 2 + jitter_() % 4;
    std::uint32_t seed = std::uint32_t(counter_);
    seed = seed * 134775813u + 1u;
    return std::uint32_t((std::uint64_t(n) * seed) >> 32);
  }
  void nextTick() { counter_ += 9000 + jitter_() % 2000; }

 private:
  std::uint64_t counter_ = 0x1D5F'3A20'0000ull;
  std::minstd_rand jitter_{12345};
};

struct Tally {
  std::vector<double> wins;       // per pool index
  std::vector<double> distances;  // per bin of (next − previous) mod count, in draw order
  std::vector<double> distanceExpected;
};

// Runs `picks` ticks of `n` out of `count` names and tallies the outcome.
Tally run(RandomSource& random, int count, int n, int picks, int distanceBins) {
  FakeWindow w;
  std::vector<Text> names;
  for (int i = 0; i < count; ++i) names.push_back("N" + std::to_string(i));
  w.setPool(names);
  w.drawSize = std::to_string(n);

  Tally t;
  t.wins.assign(size_t(count), 0);
  t.distances.assign(size_t(distanceBins), 0);
  t.distanceExpected.assign(size_t(distanceBins), 0);
  // Distances run from 1 to count − 1, each equally likely in a fair pick.
  auto bin = [&](int d) { return size_t((d - 1) * distanceBins / (count - 1)); };
  for (int d = 1; d < count; ++d) t.distanceExpected[bin(d)] += 1;

  std::vector<int> order;
  for (int p = 0; p < picks; ++p) {
    if (auto* c = dynamic_cast<CounterReseeded*>(&random)) c->nextTick();
    EXPECT_EQ(Timer1Timer(w, random), n);
    order.clear();
    for (const Text& name : splitNames(w.headlineText)) order.push_back(std::stoi(name.substr(1)));
    for (int i : order) t.wins[size_t(i)] += 1;
    for (size_t k = 1; k < order.size(); ++k) t.distances[bin((order[k] - order[k - 1] + count) % count)] += 1;
  }
  double total = 0;
  for (double d : t.distances) total += d;
  for (double& e : t.distanceExpected) e = e * total / double(count - 1);
  return t;
}

struct FairnessCase {
  const char* name;
  int count, n, picks, distanceBins;
};

class Fairness : public ::testing::TestWithParam<FairnessCase> {};

TEST_P(Fairness, EveryEntryEquallyOftenAndNoDistanceFavoured) {
  const FairnessCase& c = GetParam();
  FairRandom random(20261210);
  const Tally t = run(random, c.count, c.n, c.picks, c.distanceBins);
  EXPECT_LT(stats::chiSquareUniform(t.wins), stats::critical001(c.count - 1));
  EXPECT_LT(stats::chiSquare(t.distances, t.distanceExpected), stats::critical001(c.distanceBins - 1));
}

TEST_P(Fairness, AReseedBeforeEveryDrawIsCaught) {
  const FairnessCase& c = GetParam();
  CounterReseeded random;
  const Tally t = run(random, c.count, c.n, c.picks, c.distanceBins);
  EXPECT_GT(stats::chiSquare(t.distances, t.distanceExpected), stats::critical001(c.distanceBins - 1))
      << "the distance statistic must see names falling at fixed distances";
}

INSTANTIATE_TEST_SUITE_P(Table, Fairness,
                         ::testing::Values(
                             // Two winners of a hundred: every distance 1..99 its own category.
                             FairnessCase{"TwoOfAHundred", 100, 2, 20000, 99},
                             // A quarter of a thousand in one pick, distances in ten bins.
                             FairnessCase{"QuarterOfAThousand", 1000, 250, 60, 10},
                             // Five of eighty, the demo event's size.
                             FairnessCase{"FiveOfEighty", 80, 5, 4000, 79}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Fairness, EveryOrderOfThreeOutOfFourEquallyLikely) {
  // 4 · 3 · 2 = 24 ordered choices, each with probability 1/24.
  FakeWindow w;
  w.setPool({A("甲"), A("乙"), A("丙"), A("丁")});
  w.drawSize = "3";
  FairRandom random(99);
  std::map<Text, double> seen;
  const int picks = 24000;
  for (int p = 0; p < picks; ++p) {
    Timer1Timer(w, random);
    seen[w.headlineText] += 1;
  }
  ASSERT_EQ(seen.size(), 24u);
  std::vector<double> observed;
  for (const auto& [headline, times] : seen) observed.push_back(times);
  EXPECT_LT(stats::chiSquareUniform(observed), stats::critical001(23));
}

}  // namespace
