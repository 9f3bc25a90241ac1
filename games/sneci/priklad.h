// The snail race's examples: a op b = ? or a op ? = b, the missing number
// always 0 to 10 and never the same as the one before.
#pragma once

#include <cstdint>
#include <string>

#include "core/random.h"

namespace tapo::games::sneci {

// The zero-free run starts here when the screen is loaded.
inline constexpr int zero_free_run_start = 0;
// An example with a zero is drawn again while the run is below this.
inline constexpr int zero_free_threshold = 7;

struct Priklad {
  int leve_cislo = 0;     // the first number shown
  std::string znamenko;   // "+", "-", "." or ":"
  int prave_cislo = 0;    // the second number shown
  // 1: the result is missing (leve znamenko prave = ?);
  // 2: the second number is missing (leve znamenko ? = prave).
  int place = 1;
  int answer_number = 0;  // the missing number, 0..10
};

// Makes an example for the level.  The missing number differs from
// `previous_answer`, which then becomes the new one.  Examples with a 0 (shown
// or missing) are drawn again while `zero_free_run` is below 7; the run then
// counts on, or restarts at 0 after a zero (it stops at 32767).  `clock` is
// folded into the generator at the start of every attempt.
Priklad draw_example(int player_level, int& previous_answer, int& zero_free_run, core::Random& rng,
                     std::uint64_t clock);

}  // namespace tapo::games::sneci
