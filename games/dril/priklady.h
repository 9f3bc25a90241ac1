// The drill workbook's pages: ten examples of one chosen type, with the row
// texts, the expected numbers and the expected comparison signs.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/random.h"
#include "players/review.h"

namespace tapo::games::dril {

// The two families of example types.
enum class Family { PlusMinus, TimesDivide };
// A family as the game writes it: "+-" or ".:".
constexpr std::string_view family_name(Family f) { return f == Family::PlusMinus ? "+-" : ".:"; }

// Types 3, 8, 9 and 10 of both families ask for a sign; the others for a number.
bool je_porovnani(int example_type);

// Largest number of the "+-" family: 10, 20 or 100 by level (levels outside
// 1..3 count as the nearest of them).
int range_max(int player_level);

// A whole number from `min` to `max`, drawn after folding in the clock.
int draw_between(int min, int max, core::Random& rng, std::uint64_t clock);

// What a row asks: the number in one of its three places (an answer box
// stands there) or, in a comparison, the sign between its two sides.
enum class Blank { First, Second, Result, Sign };

// One row as it is printed: t1, operace, t2, " = ", t3, the asked term left
// empty; a comparison prints t1, its sign box and t2 (no operace, no t3).
struct Radek {
  std::string operace;
  std::string t1, t2, t3;
  Blank blank = Blank::Result;
  bool comparison() const { return blank == Blank::Sign; }
};

struct Stranka {
  std::array<Radek, 10> radky;        // rows 1..10
  std::array<int, 10> results{};      // the number expected in each arithmetic row; 0 otherwise
  std::array<std::string, 10> signs;  // ">", "<" or "=" for each comparison row; "" otherwise
  std::array<bool, 10> from_review{};  // the row is a fact of the piglet's review
};

// Makes a page of ten examples of (family, example_type) for the player's
// level.  At most one example on the page holds a zero.  A type outside
// 1..10 gives an empty page.
Stranka draw_page(Family family, int example_type, int player_level,
                  core::Random& rng, std::uint64_t clock);

// Whether the workbook asks the fact of the review at the level: sums and
// differences within its range, products and quotients (factors up to 10) at
// level 3, and comparisons of such sides.
bool asks(const players::review::Fact& fact, int player_level);
// Tapo's page: the first ten of the `due` facts the workbook asks, each in
// its own row form (the result asked, or the sign of a comparison), then
// sums and differences of the level up to ten rows.
Stranka review_page(const std::vector<players::review::Fact>& due, int player_level, core::Random& rng,
                    std::uint64_t clock);

}  // namespace tapo::games::dril
