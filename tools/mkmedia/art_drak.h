// The dragon game's meadow: a friendly green dragon lying along the back, ten
// burrows in two rows before it, from which ten little animals peep up (each a
// different animal, all holding the same ball: the child counts them, nothing
// they hold is a number), the bell on its frame at the top right, the number
// tiles along the bottom and Tapo at the right.  The scene and every frame of
// the animals' clips share one palette of 256 colours, so that a clip's
// picture of an animal at rest is exactly the background's pixels.
#pragma once

#include <vector>

#include "games/drak/layout.h"
#include "tools/mkmedia/art_util.h"
#include "tools/mkmedia/cast.h"

namespace tapo::media::dragon {

// Where Tapo's box stands (scale 1): on the meadow right of the burrows.
inline constexpr int kTapoX = 492, kTapoY = 214;

// Figure d's burrow (its middle) and the box its clips are played in.
platform::Point burrow(int d);
Rect figure_box(int d);
// Number k's tile on the strip along the bottom (k = 1..10).
Rect number_tile(int k);

// The scene without Tapo in the shared palette; background() is the stage
// with Tapo.
Surface stage();
Surface background();
// The frames of figure d's clips, cut to figure_box(d) in the shared palette:
// rising (frame 0 at rest, the last up) and sinking (frame 0 at rest, frame 1
// up, then lower and lower).
const std::vector<Surface>& rising_frames(int d);
const std::vector<Surface>& sinking_frames(int d);
// The bell swinging to and fro and coming to rest, cut to the bell's place.
const std::vector<Surface>& bell_frames();

}  // namespace tapo::media::dragon
