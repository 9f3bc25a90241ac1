// Draws that several games share.
#pragma once

#include <utility>

#include "core/random.h"

namespace tapo::games {

// The largest number of a level: 10, 20, and `top` at level 3 (levels outside
// 1..3 count as the nearest of them).
int level_limit(int player_level, int top = 100);

// a, b from 0..largest, drawn again until a + b <= largest.
std::pair<int, int> draw_sum(int largest, core::Random& rng);
// a, b from 0..largest, drawn again until a >= b.
std::pair<int, int> draw_difference(int largest, core::Random& rng);

}  // namespace tapo::games
