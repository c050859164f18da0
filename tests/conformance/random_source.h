// The random source of the conformance run.
#pragma once

#include <cstdint>
#include <random>
#include <string_view>

namespace conformance {

// Draws from a 64-bit Mersenne Twister, whose output the C++ standard fixes,
// by plain modulo: the same seed gives the same files with any library.
class RandomSource {
 public:
  explicit RandomSource(std::uint64_t seed) : engine_(seed) {}
  // A number in [0, count); count must be at least 1.
  std::uint64_t below(std::uint64_t count) { return engine_() % count; }
  // True in `percent` of the draws.
  bool chance(unsigned percent) { return below(100) < percent; }
  std::uint64_t bits() { return engine_(); }

 private:
  std::mt19937_64 engine_;
};

// One byte of `from`, which must not be empty.
inline char pick(RandomSource& random, std::string_view from) {
  return from[random.below(from.size())];
}

}  // namespace conformance
