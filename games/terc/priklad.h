// The target game's examples: the ring values hit by the shots of one example
// and the total the child must enter, and where each shot lands on its target.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

#include "core/random.h"

namespace tapo::games::terc {

struct Priklad {
  int max_hits = 0;           // shots allowed for the level: 3, 4 or 5
  std::array<int, 5> hits{};  // ring values of the shots; entries beyond hit_count are 0
  int hit_count = 0;
  int target_total = 0;       // the total to enter: always the sum of the hits
};

// Poses an example for the player's level.  Level 1: up to 3 shots, total 3..10;
// level 2: up to 4 shots of 1..9, total up to 20; level 3: up to 5 shots of
// 1..9 or 10..90, total up to 100.  A 9 (and a 90) is hit at most once.  Any
// other level poses no shots and a total of 0.  `clock` is folded into the
// generator before every drawn total and shot value.
Priklad draw_example(int player_level, core::Random& rng, std::uint64_t clock);

// The most shots of one example that can hit `value` (1..9, 10..90): five at
// most, the total at most 100, a 9 and a 90 once.  A target needs this many
// hole positions for the value.
constexpr int most_hits(int value) { return value == 9 || value == 90 ? 1 : value > 0 ? std::min(5, 100 / value) : 0; }

// A hole centre in pixels, relative to the top-left corner of the target picture.
struct Bod {
  int x = 0;
  int y = 0;
  bool operator==(const Bod&) const = default;
};

// The hole positions of one target picture by ring value.
using Pozice = std::map<int, std::vector<Bod>>;

// Reads the text of a position file: records of ring value, position count
// and that many pairs x, y.  The first record of a value counts; a record cut
// short by the end of the file keeps the pairs it has.  A position farther
// than 32768 from the target's corner makes the file damaged: no positions,
// and *damaged set.
Pozice nacti_pozice(std::string_view text, bool* damaged = nullptr);

struct Strela {
  int value = 0;
  bool upper = false;     // values ending in 0 are on the upper target
  std::optional<Bod> at;  // raw position (without the target's offset); none: not drawn
};

// Places the shots of an example: each shot takes one of its value's
// positions at random, never one that an earlier shot of the example already
// took (on either target).  A value missing from its table, or one whose
// positions are all taken already, leaves that shot undrawn.
std::vector<Strela> umisti_strely(const Priklad& priklad, const Pozice& lower, const Pozice& upper,
                                  core::Random& rng);

}  // namespace tapo::games::terc
