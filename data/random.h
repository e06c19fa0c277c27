#pragma once
// The process's random source: one 32-bit seed, changed only by Reseed and Below.
#include <cstdint>

namespace platform { class Clock; }

class RandomSource {
 public:
  explicit RandomSource(platform::Clock& clock) : clock_(clock) {}
  // Seed := low 32 bits of the performance counter, or the millisecond tick count when
  // the counter cannot be read.
  void Reseed();
  // seed := seed * 134775813 + 1 (mod 2^32); result = n * seed / 2^32 (64-bit product).
  std::uint32_t Below(std::uint32_t n);
  std::uint32_t seed() const { return seed_; }

 private:
  platform::Clock& clock_;
  std::uint32_t seed_ = 0;
};
