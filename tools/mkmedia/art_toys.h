// The toys on the shelves of the games menu, each drawn where it stands on
// the menu picture (640 x 480 coordinates).  `t` runs 0..1 through the toy's
// little show; at 0 (and 1) the toy is at rest.
#pragma once

#include "tools/mkmedia/canvas.h"

namespace tapo::media {

enum class Toy { Snake, Dragon, Cards, Car, Teddy, Plane, Pirate, Scales, Bulldog, Puppet };

void draw_toy(Canvas& c, Toy toy, double t);

}  // namespace tapo::media
