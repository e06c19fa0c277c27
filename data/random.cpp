#include "data/random.h"

#include <chrono>
#include <random>

namespace {

std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

// SplitMix64: spreads one 64-bit value over the generator's state, so that similar seeds
// (0, 1, 2 ...) still give unrelated sequences and the state is never all zero.
std::uint64_t splitMix64(std::uint64_t& x) {
  std::uint64_t z = (x += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace

FairRandom::FairRandom() {
  try {
    std::random_device device;
    for (auto& word : s_) word = (std::uint64_t(device()) << 32) ^ device();
  } catch (...) {
    // No entropy source at all is not known on any system the program runs on; should it
    // happen, the clock still makes every run different.
    std::uint64_t x = std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                      std::uint64_t(std::chrono::system_clock::now().time_since_epoch().count());
    for (auto& word : s_) word = splitMix64(x);
  }
  if (s_ == std::array<std::uint64_t, 4>{}) seedFrom(0);  // the one state xoshiro cannot leave
}

FairRandom::FairRandom(std::uint64_t seed) { seedFrom(seed); }

void FairRandom::seedFrom(std::uint64_t seed) {
  for (auto& word : s_) word = splitMix64(seed);
}

std::uint64_t FairRandom::next64() {
  const std::uint64_t result = rotl(s_[1] * 5, 7) * 9;
  const std::uint64_t t = s_[1] << 17;
  s_[2] ^= s_[0];
  s_[3] ^= s_[1];
  s_[1] ^= s_[2];
  s_[0] ^= s_[3];
  s_[2] ^= t;
  s_[3] = rotl(s_[3], 45);
  return result;
}

std::uint32_t FairRandom::Next32() { return std::uint32_t(next64() >> 32); }

// Lemire, "Fast random integer generation in an interval" (2019): the high half of x * n is
// the result; the products whose low half falls below 2^32 mod n are the surplus that would
// favour some results, and are drawn again.
std::uint32_t FairRandom::Below(std::uint32_t n) {
  if (n == 0) return 0;
  std::uint64_t m = std::uint64_t(Next32()) * n;
  auto low = std::uint32_t(m);
  if (low < n) {
    const std::uint32_t threshold = (0u - n) % n;
    while (low < threshold) {
      m = std::uint64_t(Next32()) * n;
      low = std::uint32_t(m);
    }
  }
  return std::uint32_t(m >> 32);
}
