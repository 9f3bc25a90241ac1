#include "games/common/random_draws.h"

#include <algorithm>

namespace tapo::games {

int level_limit(int player_level, int top) {
  switch (std::clamp(player_level, 1, 3)) {
    case 1: return 10;
    case 2: return 20;
    default: return top;
  }
}

std::pair<int, int> draw_sum(int largest, core::Random& rng) {
  int a, b;
  do {
    a = rng.between(0, largest);
    b = rng.between(0, largest);
  } while (a + b > largest);
  return {a, b};
}

std::pair<int, int> draw_difference(int largest, core::Random& rng) {
  int a, b;
  do {
    a = rng.between(0, largest);
    b = rng.between(0, largest);
  } while (a < b);
  return {a, b};
}

}  // namespace tapo::games
