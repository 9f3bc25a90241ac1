// A picture flying across a screen through its mask (the workbook's paper
// plane): it moves a pixel at a time on the game's clock, and is drawn into
// the scene only when the scene is composed (at most once a display frame),
// over whatever lies under it then.
#pragma once

#include <functional>

#include "platform/loop.h"
#include "platform/ui.h"

namespace tapo::core {

// Where the mask is white the picture shows; where it is black, the scene:
// each pixel is (~mask | under) & picture.
class MaskedSprite : public platform::Control {
 public:
  using Control::Control;
  platform::Surface picture, mask;
  void draw(platform::Surface& scene, int ox, int oy) const override;
};

// Moves a thing from `from` to `to`, a pixel every `per_pixel` ms of the
// game's clock: the first pixel at once, and back in the caller when the last
// one has had its time.  `place` puts it where it is due at each frame of the
// display (in between nobody would see it), so a move costs a wake-up a
// frame, not one a pixel.
void move_at_pace(int from, int to, platform::Ms per_pixel, const std::function<void(int position)>& place);

// The least time a flight takes for each pixel it moves.
inline constexpr platform::Ms kFlightPixelMs = 5;

// Flies `sprite` (its picture and mask set) from just beyond its form's left
// edge to its right edge, its bottom on `bottom`; hidden again at the end.
void fly_across(MaskedSprite& sprite, int bottom);

}  // namespace tapo::core
