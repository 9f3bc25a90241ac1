// The scales game's meadow: the big balance with its two pans, the hedgehog
// and the mouse, and Tapo at the bottom left.  The scene and every frame of
// the pans' clips share one palette of 256 colours, so that the clips (stored
// with 256 colours) show exactly the background's pixels where nothing moves.
#pragma once

#include <vector>

#include "games/vahy/layout.h"
#include "tools/mkmedia/art_util.h"
#include "tools/mkmedia/cast.h"

namespace tapo::media::scales {

// Where Tapo's box stands (scale 1): below the left pan's reach.
inline constexpr int kTapoX = 62, kTapoY = 318;

struct Meadow {
  Surface background;   // everything, Tapo included
  Surface no_hedgehog;  // the background without Tapo and the hedgehog
  Surface no_mouse;     // the background without Tapo and the mouse
  Surface stage;        // the background without Tapo
};

Meadow meadow();

// The five frames of a pan's clip, frame 0 cut from the background.
std::vector<Surface> pan_frames(const games::vahy::PanClip& clip);

// The hedgehog standing in its place; `squash` crouches it (0..1), `wave`
// raises its paw (0..1).
void draw_hedgehog(Canvas& c, double squash = 0, double wave = 0);
// The hedgehog rolled up into a spiky ball with its centre at (cx, cy).
void draw_hedgehog_ball(Canvas& c, double cx, double cy, double turn);
// The mouse with its feet at (x, y) (its middle); `facing` 1 looks left, -1 right.
void draw_mouse(Canvas& c, double x, double y, double facing = 1, double step = 0, bool upright = false);

}  // namespace tapo::media::scales
