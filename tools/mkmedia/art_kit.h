// The generator's drawing kit: small things every folder's art may draw
// (flowers on a meadow, stars, the pirate's hat), apart from any one
// folder's own art.
#pragma once

#include "tools/mkmedia/canvas.h"

namespace tapo::media {

// The kit's colours, which the menu's toys share.
namespace kit {
inline constexpr Rgb kWhite = platform::rgb(255, 255, 255);
inline constexpr Rgb kBlack = platform::rgb(40, 36, 40);
inline constexpr Rgb kGold = platform::rgb(250, 200, 60);
}  // namespace kit

// Rotates the drawing by `angle` around (x, y); undone by cairo_restore.
void turn_about(Canvas& c, double x, double y, double angle);

// A black pirate hat with a white skull, centred on (cx, cy), `w` wide.
void draw_pirate_hat(Canvas& c, double cx, double cy, double w, double tilt = 0);

// A little meadow flower centred on (x, y): white, yellow or pink petals by `kind`.
void draw_flower(Canvas& c, double x, double y, int kind, double size = 1.0);

// A five-pointed star.
void draw_star(Canvas& c, double cx, double cy, double r, Rgb fill, double turn = 0);

}  // namespace tapo::media
