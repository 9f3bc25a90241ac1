// The memory cards' deal: ten examples with ten different results, on twenty
// cards (ten results, ten examples) shuffled face up.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/random.h"
#include "players/review.h"

namespace tapo::games::pexeso {

struct Karta {
  std::string text;  // what the card shows: a result ("7") or an example ("3 + 4")
  std::string key;   // the result as decimal text; both cards of a pair carry it
  bool operator==(const Karta&) const = default;
};

struct Rozdani {
  std::array<std::string, 10> example_text;  // "3 + 4", "9 - 2", "2 . 3", "12 : 4"
  std::array<int, 10> result{};              // all different
  std::array<Karta, 20> karty;               // the cards after shuffling
  std::array<bool, 10> from_review{};        // the example is a fact of the review
};

// At most this many facts of the review are dealt in one deal.
inline constexpr std::size_t kReviewPairs = 3;

// Deals for the level: level 1 additions and subtractions within 10, level 2
// within 20, level 3 also multiplications and divisions with factors up to 10
// and sums within 100.  Among examples 1 to 9 at most one holds a zero.
// `clock` is folded into the generator wherever the deal re-seeds.
// The first (up to three) of the `due` facts of the piglet's review that the
// level deals, with different results, come first; the others are drawn.
Rozdani deal_cards(int player_level, core::Random& rng, std::uint64_t clock,
                   const std::vector<players::review::Fact>& due = {});

// The size of the writing on every face of a deal: the card font's, made
// smaller (to half at most) until the widest text fits a card with room
// round it, so that the cards of one deal look alike.
int card_text_size(const std::array<Karta, 20>& karty);

// Shuffles the cards: a hundred swaps of two cards drawn at random.
void shuffle_cards(std::array<Karta, 20>& karty, core::Random& rng, std::uint64_t clock);

}  // namespace tapo::games::pexeso
