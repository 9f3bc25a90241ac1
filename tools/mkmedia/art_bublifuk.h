// The bubble caterpillar's meadow: a calm sky over pale far hills where the
// bubbles float, the caterpillar lying along the grass below it, and Tapo on
// a knoll at the right with his bubble wand.  The scene and the frames of his
// two shows in the data folder (blowing a row, joy after a won row) share one
// palette of 256 colours, so a show's last frame is the background's own
// pixels.
#pragma once

#include <vector>

#include "games/housenka/layout.h"
#include "tools/mkmedia/art_util.h"
#include "tools/mkmedia/cast.h"

namespace tapo::media::bubbles {

// Where Tapo's box stands (scale 1): right of the sky, his head below the
// footprints and the help.
inline constexpr int kTapoX = 508, kTapoY = 148;

// The boxes of the two shows: Tapo with room on his left for the little
// bubbles he blows (the sky is empty whenever a show plays).
inline constexpr Rect kBlowBox{440, 140, 200, 210};
inline constexpr Rect kJoyBox{440, 96, 200, 254};

struct Meadow {
  Surface background;       // everything, Tapo included
  Surface stage;            // the background without Tapo and his wand
  std::vector<Surface> blow;  // the blowing show, cut to kBlowBox; the last is Tapo at rest
  std::vector<Surface> joy;   // the joy show, cut to kJoyBox; the last is Tapo at rest
};

const Meadow& meadow();

// The text area of caterpillar segment k (1..10), where the game writes the
// popped values.
Rect segment_text(int k);

// A soap bubble of radius r centred on (cx, cy): a light film with a rainbow
// sheen round its rim and a highlight at the upper left; `film` is the
// film's opacity (1 for the game's bubble picture, less for the little ones).
void draw_bubble(Canvas& c, double cx, double cy, double r, double film);

}  // namespace tapo::media::bubbles
