// The sausage tug's examples: a op b = r with the operator missing, or, at
// levels 2 and 3, "a op b ? r" with the comparison sign missing.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/random.h"
#include "players/review.h"

namespace tapo::games::pretah {

// The zero-free run starts here when the screen is loaded.
inline constexpr int zero_free_run_start = 10;
// An example with a zero is drawn again while the run is below this.
inline constexpr int zero_free_threshold = 7;

struct Priklad {
  int number_a = 0, number_b = 0;
  int number_r = 0;        // the result, or in comparison mode the number compared with
  std::string operation;   // the drawn operator: "+", "-", "." or ":"
  bool comparison = false;
  // The signs accepted: one or more operators ("+-", ".:", ...) or one of "<", ">", "=".
  std::string answer;
  // What the five cells of the example show, left to right; "" is the cell
  // where the question mark stands (mark_cell).
  std::array<std::string, 5> cells;
  int mark_cell = 1;
};

// The largest number of the level: 10, 20 or 99.
int largest_number(int player_level);

// Makes an example.  Examples with a 0 among a, b and the operation's result
// are drawn again while `zero_free_run` is below 7; the run then counts on,
// or restarts at 0 after a zero (it stops at 32767).  `clock` is folded into
// the generator first.
Priklad draw_example(int player_level, int& zero_free_run, core::Random& rng, std::uint64_t clock);

// A fact of the review as an example of the level: an arithmetic fact with
// its operator missing, or a comparison of an example with a number (at
// levels 2 and 3); nullopt when the level does not ask it (its operator or
// its numbers).
std::optional<Priklad> example_of(const players::review::Fact& fact, int player_level);

}  // namespace tapo::games::pretah
