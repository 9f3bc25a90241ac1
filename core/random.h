// The game's random numbers: Rnd over [0, 1) and whole numbers lo..hi drawn
// as Int((hi - lo + 1) * Rnd) + lo.  Seeding from the clock stirs the
// generator's state instead of resetting it, so a loop that re-seeds and
// draws again at the same moment still gets fresh numbers.  The clock is the
// loop's, so runs on the virtual clock are reproducible.
#pragma once

#include <cstdint>

namespace tapo::core {

class Random {
 public:
  explicit Random(std::uint32_t state = 0x50000) : state_(state & 0xFFFFFF) {}
  double next();                  // [0, 1)
  int between(int lo, int hi);    // Int((hi - lo + 1) * next()) + lo
  void stir(std::uint64_t seed);  // folds a seed into the state
  std::uint32_t state() const { return state_; }

 private:
  std::uint32_t state_;
};

// The process-wide generator.
Random& rng();
double rnd();
int rnd_between(int lo, int hi);
// Seeds the process-wide generator from the clock.
void randomize();
// The game's clock, which the example generators fold in before a draw.
std::uint64_t clock_seed();

}  // namespace tapo::core
