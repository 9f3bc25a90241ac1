// Writes AVI clips the way the game's clips are stored: one video stream,
// every frame a key frame, losslessly, so that a key colour survives exactly.
//   - 8-bit paletted frames compressed with Microsoft RLE 8-bit
//   - 24-bit frames as raw device-independent bitmaps
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/surface.h"

namespace tapo::media {

struct IndexedFrame {
  int width = 0, height = 0;
  std::vector<std::uint8_t> pixels;  // row by row from the top, one palette index each
};

using Palette = std::array<platform::Rgb, 256>;

// The RLE8 packets of one frame (rows bottom-up, as bitmaps store them).
std::vector<std::uint8_t> encode_rle8(const IndexedFrame& frame);

bool write_rle8_avi(const std::filesystem::path& file, const std::vector<IndexedFrame>& frames, const Palette& palette,
                    int frames_per_second);
bool write_dib24_avi(const std::filesystem::path& file, const std::vector<platform::Surface>& frames,
                     int frames_per_second);

// Maps a picture to a palette: exact colours first, then the nearest one.
IndexedFrame to_indexed(const platform::Surface& picture, const Palette& palette);

}  // namespace tapo::media
