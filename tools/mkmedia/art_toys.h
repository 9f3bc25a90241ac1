// The toys on the shelves of the games menu, each drawn where it stands on
// the menu picture (640 x 480 coordinates).  `t` runs 0..1 through the toy's
// little show; at 0 (and 1) the toy is at rest.
#pragma once

#include "tools/mkmedia/canvas.h"

namespace tapo::media {

enum class Toy { Snake, Dragon, Cards, Car, Teddy, Plane, Pirate, Scales, Bulldog, Puppet };

void draw_toy(Canvas& c, Toy toy, double t);

// A black pirate hat with a white skull, centred on (cx, cy), `w` wide.
void draw_pirate_hat(Canvas& c, double cx, double cy, double w, double tilt = 0);

// A little meadow flower centred on (x, y): white, yellow or pink petals by `kind`.
void draw_flower(Canvas& c, double x, double y, int kind, double size = 1.0);

// A five-pointed star.
void draw_star(Canvas& c, double cx, double cy, double r, Rgb fill, double turn = 0);

}  // namespace tapo::media
