// The bubble caterpillar's values: a plain number or, from level 2, a small
// example on each bubble, and the order in which the bubbles are popped.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/random.h"

namespace tapo::games::housenka {

struct Bublina {
  int value = 0;       // 0..99
  std::string text;    // "7", "3+4", "9-2", "2.3", "12:4" (no blanks)
  bool example = false;
};

// How many bubbles of a row may carry an example: 0, 2 or 4 by level.
int expression_limit(int player_level);

// Chooses the value of one bubble; an example is placed only while
// `expression_count` is below the level's limit, and counts into it.  `clock`
// is folded into the generator at the start of the choice.
Bublina draw_bubble(int player_level, int& expression_count, core::Random& rng, std::uint64_t clock);

// The popping order: the values as two-digit keys ("07", "15") kept in text
// order, which is their numeric order.
class Seradiste {
 public:
  void pridej(int value);
  // The value of the rank-th smallest key (rank from 1); -1 outside the list.
  int hodnota(int rank) const;
  const std::vector<std::string>& polozky() const { return items_; }
  void vyprazdni() { items_.clear(); }

 private:
  std::vector<std::string> items_;
};

struct Rada {
  std::array<Bublina, 10> bubliny;
  Seradiste seradiste;
};

// The values of a new row of ten bubbles: the generator is re-seeded, the
// example count starts at 0, and every value goes into the popping order.
Rada draw_row(int player_level, core::Random& rng, std::uint64_t clock);

}  // namespace tapo::games::housenka
