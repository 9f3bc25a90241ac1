// The games' sleep once a piglet's play time for the day is over: a sign
// with a moon and its words (read by a child who cannot hear Tapo, and by
// the grown-up), on the game that ends and on the games menu.
#pragma once

#include <string>

#include "platform/surface.h"

namespace tapo::games {

// The sign within `box` of `scene`: a night-blue panel, the moon with its
// "z z Z", and `words` broken into lines.
void draw_asleep_sign(platform::Surface& scene, platform::Rect box, const std::string& words);
// Darkens `box` of the scene, as a toy that sleeps.
void darken(platform::Surface& scene, platform::Rect box);

}  // namespace tapo::games
