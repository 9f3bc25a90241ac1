// The snake game's chain of examples: each result is the first number of the
// next example, as in "5 + 3 = 8 - 2 = 6 + 1 = ?".
#pragma once

#include <cstdint>
#include <string>

#include "core/random.h"

namespace tapo::games::had {

// Plain examples (no zero second number, no zero result) needed in a row
// before a zero may come again.
inline constexpr int plain_needed = 7;

struct Meze {
  int max_operand;  // N: the starting number and the factors and divisors
  int max_result;   // M: the largest result
};

// Level 1: N 10, M 10; level 2: N 20, M 20; level 3: N 10, M 100.
Meze meze(int player_level);

struct Retez {
  int first_number = 0;
  int second_number = 0;
  int result = 0;
  std::string operation;  // "+", "-", "." or ":"
  int plain_streak = 0;
  std::string chain;      // the text of the chain line
};

// Chooses the operation and the second number for `first_number`: "." and ":"
// only from level 3, "." only after a number up to 10, ":" only when it comes
// out whole with divisor and quotient up to 10, "+" after 0 and "-" after M.
// A zero second number or result is allowed only after seven plain examples
// in a row, and starts the count again.  `clock` is folded into the generator
// before every choice of the operation.
void draw_second_number(Retez& retez, int player_level, core::Random& rng, std::uint64_t clock);

// Starts a new chain: a first number 1..N, its example, the chain "5 + 3 = ?".
Retez start_chain(int player_level, core::Random& rng, std::uint64_t clock);

// After a right answer: the result becomes the first number, the next example
// is chosen and " - 2 = ?" is added to the chain (which by then ends with the
// answer the child typed).
void continue_chain(Retez& retez, int player_level, core::Random& rng, std::uint64_t clock);

}  // namespace tapo::games::had
