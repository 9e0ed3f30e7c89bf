// The corpus generator's random numbers: splitmix64, written out here so that the corpus is the same
// bytes on every machine, with every compiler and standard library.
#pragma once

#include <cstdint>

namespace kx_bench {

class SplitMix64 {
 public:
  explicit SplitMix64(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // A number in [0, n), n > 0 (multiply and shift: no division, no library distribution).
  std::uint32_t Below(std::uint32_t n) {
    return static_cast<std::uint32_t>(((Next() >> 32) * static_cast<std::uint64_t>(n)) >> 32);
  }

 private:
  std::uint64_t state_;
};

}  // namespace kx_bench
