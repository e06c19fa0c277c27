#pragma once
// Where the draw's chance comes from.
//
// A pick asks for whole numbers below the pool count, one per place, and refuses an index it
// already holds. Every ordered choice of distinct entries is then equally likely as long as
// each number is uniform and independent of the others, which is what FairRandom gives:
// one generator of good statistical quality, seeded once per run from the operating
// system's entropy source, and an unbiased reduction to the range.
#include <array>
#include <cstdint>

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // A whole number from 0 to n − 1, each equally likely; 0 when n is 0.
  virtual std::uint32_t Below(std::uint32_t n) = 0;
};

// xoshiro256** (Blackman and Vigna), a small generator that passes the usual statistical
// test batteries, with Lemire's multiply-and-reject reduction to [0, n).
class FairRandom final : public RandomSource {
 public:
  // Seeded from std::random_device: nothing an operator or a guest can see or time predicts
  // the draw.
  FairRandom();
  // Seeded with a fixed value: the same numbers every time, for tests and benchmarks.
  explicit FairRandom(std::uint64_t seed);

  std::uint32_t Below(std::uint32_t n) override;
  // The generator's next 32 bits (the high half of its 64-bit output).
  std::uint32_t Next32();

 private:
  void seedFrom(std::uint64_t seed);
  std::uint64_t next64();

  std::array<std::uint64_t, 4> s_{};
};
