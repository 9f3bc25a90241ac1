#include "games/drak/priklad.h"

namespace tapo::games::drak {

Priklad draw_example(core::Random& rng, std::uint64_t clock) {
  Priklad p;
  rng.stir(clock);
  p.raised_count = rng.between(1, 10);
  for (int i = 0; i < p.raised_count; ++i) {
    int d;
    do {
      d = rng.between(1, 10);
    } while (p.raised[static_cast<std::size_t>(d - 1)]);
    p.raised[static_cast<std::size_t>(d - 1)] = true;
    p.order.push_back(d);
  }
  return p;
}

}  // namespace tapo::games::drak
