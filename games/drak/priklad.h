// The dragon game's examples: how many distinct figures rise, and which.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/random.h"

namespace tapo::games::drak {

struct Priklad {
  int raised_count = 0;             // 1..10: the answer
  std::array<bool, 10> raised{};    // raised[d - 1]: figure d rises
  std::vector<int> order;           // the figures 1..10 in the order they rise
};

// Chooses the figures of one example; `clock` is folded into the generator first.
Priklad draw_example(core::Random& rng, std::uint64_t clock);

}  // namespace tapo::games::drak
