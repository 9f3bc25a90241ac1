// Drawing with a transparent key colour.  Wherever the source has the key
// colour the background shows through, also inside a figure that happens to
// use that colour.
#pragma once

#include <vector>

#include "platform/surface.h"

namespace tapo::core {

using platform::Rgb;
using platform::Surface;

// 1 where the source's w x h area from its top left has the key colour.
using Mask = std::vector<bool>;
bool make_mask(const Surface& src, int w, int h, Mask& mask, Rgb key);

// out = src over background, key pixels of src letting the background through
// (w x h from the top left of each).  `out` may be `background`.
bool compose_transparent(const Surface& src, int w, int h, Rgb key, const Surface& background, Surface& out);

// Draws the w x h area of src at (sx, sy) onto target at (x, y), key colour
// transparent.
bool blit_transparent(Surface& target, int x, int y, int w, int h, const Surface& src, int sx, int sy, Rgb key);
void blit_keyed(Surface& target, const Surface& src, int sx, int sy, int w, int h, int tx, int ty, Rgb key);

// The key colour of a sprite: its top-left pixel.
inline Rgb key_colour(const Surface& sprite) { return sprite.empty() ? 0 : sprite.at(0, 0); }

}  // namespace tapo::core
