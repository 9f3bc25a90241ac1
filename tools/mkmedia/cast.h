// The cast of the demo pack.  Tapo the dog is drawn into a 140 x 200 box
// whose top left is (x, y).
#pragma once

#include "tools/mkmedia/draw.h"

namespace tapo::media {

inline constexpr int kTapoWidth = 140, kTapoHeight = 200;
// The part of Tapo's box that the talking head shows.
inline constexpr platform::Rect kTapoHead{20, 8, 100, 100};

// arm: 0 = resting, 1..n = waving positions; mouth: 0 closed, 1..4 open wider.
void draw_tapo(Surface& s, int x, int y, int arm, int mouth);

}  // namespace tapo::media
