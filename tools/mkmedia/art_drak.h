// The dragon game's meadow: a friendly green dragon lying along the back, ten
// burrows in two rows before it, from which ten little animals peep up (each
// with its number on its belly), the bell on its frame at the top right, the
// number tiles along the bottom and Tapo at the right.  The scene and every
// frame of the animals' clips share one palette of 256 colours, so that a
// clip's picture of an animal at rest is exactly the background's pixels.
#pragma once

#include <array>
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

// How far each figure is up (0 hidden in its burrow, 1 up) and whether it
// blinks; the bell's swing (radians).
struct Look {
  std::array<double, games::drak::kFigures + 1> rise{};  // by figure, [0] unused
  std::array<bool, games::drak::kFigures + 1> blink{};
  double bell = 0;
};

// The scene without Tapo, in the shared palette when `look` is one of the
// looks figure_frames() was made from; background() is the stage with Tapo.
Surface stage();
Surface background();
// The `box` of the scene in `look`, without Tapo, drawn afresh (not in the
// shared palette): for clips that are not laid into the scene.
Surface scene_part(Rect box, const Look& look);

// The frames of figure d's clips, cut to figure_box(d) in the shared palette:
// rising (frame 0 at rest, the last up) and sinking (frame 0 at rest, frame 1
// up, then lower and lower).
const std::vector<Surface>& rising_frames(int d);
const std::vector<Surface>& sinking_frames(int d);

}  // namespace tapo::media::dragon
