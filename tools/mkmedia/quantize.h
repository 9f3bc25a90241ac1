// Fitting the frames of a clip into one palette of 256 colours, so that clips
// of soft-edged art can be stored with Microsoft RLE 8-bit.  The colours that
// cover the most pixels (the background behind a figure above all) are kept
// exactly, so a clip still sits seamlessly on its screen; the rarer ones
// (soft edges, shading) share the remaining entries by median cut.  The key
// colour stays exact, and no other colour is ever mapped onto it.
// Deterministic: the same frames always give the same palette.
#pragma once

#include <vector>

#include "platform/surface.h"
#include "tools/media_writers/avi_writer.h"

namespace tapo::media {

struct Quantized {
  Palette palette{};
  int colours = 0;  // entries in use
  std::vector<IndexedFrame> frames;
};

Quantized quantize(const std::vector<platform::Surface>& frames, platform::Rgb key = platform::rgb(255, 0, 255));

// The frames drawn again in the one palette they fit into together: a scene
// and its clips made so share their colours exactly, and a clip at rest is
// the very pixels of its background.
std::vector<platform::Surface> in_one_palette(const std::vector<platform::Surface>& frames);

}  // namespace tapo::media
