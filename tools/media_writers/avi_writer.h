// Writes AVI files the way the game's clips are stored: the RIFF headers, a
// video and/or a sound stream whose chunks are interleaved, and an index.
// The one writer of the media generator, the tests and the benchmark: it
// stores pictures as they are given.  Coded here: Microsoft RLE 8-bit (key
// pictures, or only what changed since the picture before) and raw
// device-independent bitmaps; other codecs come from whoever has their encoder.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/surface.h"

namespace tapo::media {

constexpr std::uint32_t fourcc(const char (&s)[5]) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(s[0])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(s[1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(s[2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(s[3])) << 24;
}

struct IndexedFrame {
  int width = 0, height = 0;
  std::vector<std::uint8_t> pixels;  // row by row from the top, one palette index each
};

using Palette = std::array<platform::Rgb, 256>;

// One video chunk as stored.  Empty: a player shows the previous picture again.
struct AviPicture {
  std::vector<std::uint8_t> data;
  bool key = true;  // decodable without the pictures before it
};

struct AviVideo {
  int width = 0, height = 0;
  int bits = 24;                           // the bitmap header's depth
  std::uint32_t compression = 0;           // 0 raw, 1 RLE 8-bit, else the codec's four letters
  std::uint32_t handler = fourcc("DIB ");  // the codec named in the stream header
  int fps = 15;
  std::vector<platform::Rgb> palette;  // 8-bit streams: stored as 256 entries after the bitmap header
  std::vector<AviPicture> pictures;
};

// 16-bit PCM.  Chunk k is stored just before picture k.
struct AviSound {
  int rate = 11025, channels = 1;
  std::vector<std::vector<std::int16_t>> chunks;
};

// With both, the sound is stream 0.  False when the file cannot be written or
// the headers would make no sense (no size, no rate).
bool write_avi(const std::filesystem::path& file, const AviVideo& video);
bool write_avi(const std::filesystem::path& file, const AviVideo& video, const AviSound& sound);
bool write_avi(const std::filesystem::path& file, const AviSound& sound);

// A picture in RLE 8-bit, rows bottom-up as bitmaps store them.  With
// `before`, only what changed is coded: unchanged lines are passed with
// end-of-line codes, unchanged pixels with skips, and the picture ends after
// its last change.
std::vector<std::uint8_t> rle8_picture(const IndexedFrame& frame, const IndexedFrame* before = nullptr);
// Raw pictures, rows bottom-up and padded to whole 32-bit words.
std::vector<std::uint8_t> dib_picture(const IndexedFrame& frame);
std::vector<std::uint8_t> dib_picture(const platform::Surface& picture);

// Every frame a key frame, all of one size: false otherwise.
bool write_rle8_avi(const std::filesystem::path& file, const std::vector<IndexedFrame>& frames, const Palette& palette,
                    int frames_per_second);

}  // namespace tapo::media
