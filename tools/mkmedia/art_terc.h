// The target game's beach: the scene behind the targets, Tapo standing on
// the sand beside his toy cannon, and the pictures the game's clips are cut from.
#pragma once

#include "tools/mkmedia/art_util.h"
#include "tools/mkmedia/cast.h"

namespace tapo::media::beach {

// Where Tapo's box stands (scale 1).
inline constexpr int kTapoX = 170, kTapoY = 178;

// The sea, the sand, a palm and the plank wall the targets hang on; no Tapo, no cannon.
Surface sand();

// The toy cannon beside Tapo: `recoil` 0..1 pushes it back, `flash` 0..1 is the puff at its mouth.
void draw_cannon(Canvas& c, double recoil = 0, double flash = 0);
// Where a shot leaves the cannon's mouth.
inline constexpr double kMuzzleX = 404, kMuzzleY = 326;

// The whole scene: the sand, the cannon (recoil, flash), Tapo in `look`, then `extra` on top.
template <class Extra>
Surface scene(const Surface& sand, const TapoLook& look, double recoil, double flash, Extra&& extra) {
  return painted(sand, [&](Canvas& c) {
    draw_cannon(c, recoil, flash);
    draw_tapo(c, kTapoX, kTapoY, look);
    extra(c);
  });
}
inline Surface scene(const Surface& sand, const TapoLook& look = {}) {
  return scene(sand, look, 0, 0, [](Canvas&) {});
}

// A cannon ball / cork in flight.
void draw_ball(Canvas& c, double x, double y, double r = 6);

}  // namespace tapo::media::beach
