#include "core/random.h"

#include "platform/loop.h"

namespace tapo::core {

double Random::next() {
  // A 24-bit linear congruential generator, as the era's Rnd was.
  state_ = (state_ * 1140671485u + 12820163u) & 0xFFFFFF;
  return state_ / 16777216.0;
}

int Random::between(int lo, int hi) {
  return static_cast<int>(static_cast<double>(hi - lo + 1) * next()) + lo;
}

void Random::stir(std::uint64_t seed) {
  // splitmix64 of the seed and the current state: equal seeds in a row still
  // move the state on.
  std::uint64_t z = seed + 0x9E3779B97F4A7C15ull * (state_ + 1);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  z ^= z >> 31;
  state_ = static_cast<std::uint32_t>(z) & 0xFFFFFF;
}

Random& rng() {
  static Random r;
  return r;
}

double rnd() { return rng().next(); }
int rnd_between(int lo, int hi) { return rng().between(lo, hi); }
void randomize() { rng().stir(static_cast<std::uint64_t>(platform::Loop::instance().now())); }

std::uint64_t clock_seed() { return static_cast<std::uint64_t>(platform::Loop::instance().now()); }

}  // namespace tapo::core
