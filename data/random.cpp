#include "data/random.h"

#include "platform/seams.h"

void RandomSource::Reseed() {
  if (auto c = clock_.performanceCounter())
    seed_ = static_cast<std::uint32_t>(*c);
  else
    seed_ = clock_.tickCount();
}

std::uint32_t RandomSource::Below(std::uint32_t n) {
  seed_ = seed_ * 134775813u + 1u;
  return static_cast<std::uint32_t>((std::uint64_t(n) * seed_) >> 32);
}
