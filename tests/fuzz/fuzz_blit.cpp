// The picture copy with any sizes, coordinates and clip rectangle: every
// pixel of the target is either the source pixel that lands there or left as
// it was, worked out here in 64-bit arithmetic.  Input: the two pictures'
// sizes (a byte each), then source x, y, width, height, target x, y and the
// clip rectangle (four bytes each).
#include <cstdint>

#include "platform/surface.h"
#include "tests/fuzz/fuzz_support.h"

namespace pf = tapo::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const int src_w = in.byte() % 33, src_h = in.byte() % 33, dst_w = in.byte() % 33, dst_h = in.byte() % 33;
  const std::int64_t sx = in.int32(), sy = in.int32(), w = in.int32(), h = in.int32(), dx = in.int32(),
                     dy = in.int32();
  const bool clipped = in.byte() & 1;
  const pf::Rect clip{in.int32(), in.int32(), in.int32(), in.int32()};

  // Each source pixel tells where it came from.
  pf::Surface src(src_w, src_h), dst(dst_w, dst_h, 0xFFFFFF);
  for (int y = 0; y < src_h; ++y)
    for (int x = 0; x < src_w; ++x) src.set(x, y, static_cast<pf::Rgb>(y << 8 | x));
  if (clipped) {
    pf::ClipScope scope(dst, clip);
    dst.blit(src, static_cast<int>(sx), static_cast<int>(sy), static_cast<int>(w), static_cast<int>(h),
             static_cast<int>(dx), static_cast<int>(dy));
  } else {
    dst.blit(src, static_cast<int>(sx), static_cast<int>(sy), static_cast<int>(w), static_cast<int>(h),
             static_cast<int>(dx), static_cast<int>(dy));
  }

  const std::int64_t cx = clipped ? clip.x : 0, cy = clipped ? clip.y : 0;
  const std::int64_t cw = clipped ? clip.w : 1 << 30, ch = clipped ? clip.h : 1 << 30;
  for (std::int64_t y = 0; y < dst_h; ++y) {
    for (std::int64_t x = 0; x < dst_w; ++x) {
      // Block pixel (i, j) goes from (sx + i, sy + j) to (dx + i, dy + j).
      const std::int64_t i = x - dx, j = y - dy;
      const bool copied = i >= 0 && i < w && j >= 0 && j < h && sx + i >= 0 && sx + i < src_w && sy + j >= 0 &&
                          sy + j < src_h && x >= cx && x < cx + cw && y >= cy && y < cy + ch;
      const pf::Rgb want = copied ? static_cast<pf::Rgb>((sy + j) << 8 | (sx + i)) : 0xFFFFFF;
      FUZZ_CHECK(dst.at(static_cast<int>(x), static_cast<int>(y)) == want, "each pixel copied or left alone");
    }
  }
  return 0;
}
