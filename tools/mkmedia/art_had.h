// The snake game's landscape: a meadow below the wood's edge with a pond on
// the right, and a sandy path winding across it in three rows from the little
// snake's nest at the bottom left to Tapo at the top right; the animals the
// little snake meets stand beside it.  The bottom band holds the chain line,
// the ten digits and the check and erase buttons.
#pragma once

#include <array>

#include "games/had/layout.h"
#include "tools/mkmedia/art_util.h"
#include "tools/mkmedia/cast.h"

namespace tapo::media::trail {

// Tapo's box (scale 1) at the end of the path.
inline constexpr int kTapoX = 490, kTapoY = 0;
// The side of a step's picture.
inline constexpr int kWalker = 40;
// The nest of the little snake at the start, and the box of its eyes' shows.
inline constexpr Rect kNest{2, 292, 78, 70};

// The animals met on the way, in the order of the walk (had::kEncounters,
// whose last, Tapo, is drawn apart).
enum Meet { kMushrooms, kBadger, kEarthworm, kFrog, kSnake, kFox, kWolf, kGoblin, kSquirrel, kMeets };
using games::had::Encounter, games::had::kEncounters;
static_assert(kEncounters.size() == kMeets + 1);

// The centre of step k's place (1..kSteps) and the path's heading there.
struct Place {
  double x, y;
  double dx, dy;  // a unit vector along the walk
};
Place step_place(int k);
// Step k's picture: kWalker square round its place.
Rect step_rect(int k);

// One moment of the scene: each animal's moment 0..1 of its show (0 and 1
// at rest), the nest snake's eyes, and Tapo.
struct Moment {
  std::array<double, kMeets> meet{};
  double eyes = 0;    // the nest snake: 0 asleep .. 1 wide awake
  double lift = 0;    // its head raised 0..1
  bool wink = false;  // one eye shut
  bool tongue = false;
  bool tapo = true;
  TapoLook tapo_look{};
};

Surface scene(const Moment& m = {});

// The little snake on its way, centred on the place, heading along the walk.
void draw_walker(Canvas& c, const Place& p);

}  // namespace tapo::media::trail
