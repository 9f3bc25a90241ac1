// Clips stored the simple ways of their era, read without a codec library:
// raw bitmaps (8-bit with a palette, 24 or 32 bit) and Microsoft RLE 8-bit.
#pragma once

#include <filesystem>
#include <memory>

#include "platform/clip.h"

namespace tapo::platform {

// The clip when it is stored in one of those ways and reads cleanly;
// otherwise null, and the general reader takes the file.
std::unique_ptr<Clip> open_dib_clip(const std::filesystem::path& file);

}  // namespace tapo::platform
