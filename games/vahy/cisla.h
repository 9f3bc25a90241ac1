// The scales game's pans: a number or a small example on each pan, and the
// counter that keeps zeros apart.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/random.h"
#include "players/review.h"

namespace tapo::games::vahy {

// The zero-free run starts here when the screen is loaded, so pans are taken
// as first drawn until the first pan with a zero.
inline constexpr int zero_free_run_start = 100;
// A pan with a zero is drawn again while the run is below this.
inline constexpr int zero_free_threshold = 10;

struct Par {
  int left_value = 0, right_value = 0;  // 0..100
  std::string left_text, right_text;    // "7", "3 + 4", "9 - 2", "2 . 3", "12 : 4"
};

// The sign that holds between the pans: ">", "<" or "=".
std::string right_sign(const Par& pans);

// A comparison of the review as pans of the level (each a number or an
// example the level puts on a pan); nullopt when the level does not ask it.
std::optional<Par> pans_of(const players::review::Fact& fact, int player_level);

// The largest number on a pan: 10, 20 or 100 by level.
int largest_number(int player_level);

// Makes a new pair of pans, the left one first.  Both share `zero_free_run`,
// which a pan with a zero resets to 0 and a pan without one increases (it
// stops at 32767).  `clock` is folded into the generator first.
Par draw_pans(int player_level, int& zero_free_run, core::Random& rng, std::uint64_t clock);

}  // namespace tapo::games::vahy
