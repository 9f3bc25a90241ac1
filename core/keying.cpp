#include "core/keying.h"

#include <algorithm>

namespace tapo::core {

bool make_mask(const Surface& src, int w, int h, Mask& mask, Rgb key) {
  if (w <= 0 || h <= 0 || w > src.width() || h > src.height()) return false;
  mask.assign(static_cast<size_t>(w) * h, false);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) mask[static_cast<size_t>(y) * w + x] = src.at(x, y) == key;
  return true;
}

bool compose_transparent(const Surface& src, int w, int h, Rgb key, const Surface& background, Surface& out) {
  Mask mask;
  if (!make_mask(src, w, h, mask, key)) return false;
  if (w > background.width() || h > background.height()) return false;
  if (&out != &background) {
    if (out.width() < w || out.height() < h) return false;
    out.blit(background, 0, 0, w, h, 0, 0);
  }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (!mask[static_cast<size_t>(y) * w + x]) out.set(x, y, src.at(x, y));
  return true;
}

void blit_keyed(Surface& target, const Surface& src, int sx, int sy, int w, int h, int tx, int ty, Rgb key) {
  for (int y = 0; y < h; ++y) {
    const int py = sy + y, qy = ty + y;
    if (py < 0 || py >= src.height() || qy < 0 || qy >= target.height()) continue;
    for (int x = 0; x < w; ++x) {
      const int px = sx + x, qx = tx + x;
      if (px < 0 || px >= src.width() || qx < 0 || qx >= target.width()) continue;
      const Rgb c = src.at(px, py);
      if (c != key) target.set(qx, qy, c);
    }
  }
}

bool blit_transparent(Surface& target, int x, int y, int w, int h, const Surface& src, int sx, int sy, Rgb key) {
  if (w <= 0 || h <= 0) return false;
  blit_keyed(target, src, sx, sy, w, h, x, y, key);
  return true;
}

}  // namespace tapo::core
