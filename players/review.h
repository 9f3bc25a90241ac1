// The review boxes: every arithmetic fact a piglet answers wrong comes back
// to it, spaced over days, until it has been answered right three times
// (box 1 -> next day, box 2 -> in three days, box 3 -> in a week, then it
// leaves the review; a wrong answer puts it back in box 1).
//
// A fact is kept in one normal form, whatever the game asked:
//   "5 + 7"   for 7 + 5, 5 + 7, ? + 5 = 12, 7 + ? = 12 and 7 ? 5 = 12 (+)
//   "12 - 5"  for 12 - 5, 12 - ? = 7, ? - 5 = 7 and 12 ? 5 = 7 (-)
//   "3 · 4"   for 3 · 4 and 4 · 3 (also written 3 . 4), and the missing ones
//   "12 : 4"  for 12 : 4, and the missing ones
//   "9 ? 12"  for a comparison of 12 and 9 either way round; a side may be an
//             expression, itself in normal form ("3 + 4 ? 9")
// A sum of more than two numbers, a count or a card's single number is no
// fact of the review.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tapo::players::review {

// The fact an example asks, from the example as the child read it and the
// answer expected; nullopt when it is none.
std::optional<std::string> fact_of(std::string_view example, std::string_view expected);

// A fact taken apart, for a game to pose it: `left` alone is an arithmetic
// fact ("5 + 7"); with `right` it is a comparison ("3 + 4 ? 9").
struct Side {
  long a = 0;
  std::string op;  // "+", "-", "·", ":"; "" for a plain number `a`
  long b = 0;
  long value() const;
  // As the games write it: "3 . 4" for 3 · 4.
  std::string game_text() const;
};
struct Fact {
  Side left;
  std::optional<Side> right;
};
// Whether a game whose numbers go up to `largest` asks the side: sums and
// differences of such numbers, and with `products` the times tables
// (factors up to 10) and their divisions; a plain number up to `largest`.
bool within(const Side& side, long largest, bool products);

// Nullopt for a text that is no fact in normal form.
std::optional<Fact> parse_fact(std::string_view fact);

// When a fact in `box` (1..3) answered right comes back: in days; 0 once it
// leaves the review.
int days_until_due(int box);

}  // namespace tapo::players::review
