#include "core/flight.h"

#include <algorithm>
#include <cstdlib>

#include "platform/display.h"

namespace tapo::core {

namespace pf = tapo::platform;

void MaskedSprite::draw(pf::Surface& scene, int ox, int oy) const {
  const int w = std::min(picture.width(), mask.width()), h = std::min(picture.height(), mask.height());
  const pf::Rect at{ox + rect.x, oy + rect.y, std::min(w, rect.w), std::min(h, rect.h)};
  const pf::Rect part = pf::intersection(scene.clip(), at);
  for (int y = part.y; y < part.y + part.h; ++y) {
    pf::Rgb* out = &scene.pixels()[static_cast<size_t>(y) * scene.width() + part.x];
    const size_t from = static_cast<size_t>(y - at.y) * picture.width() + (part.x - at.x);
    const pf::Rgb* pic = &picture.pixels()[from];
    const pf::Rgb* m = &mask.pixels()[static_cast<size_t>(y - at.y) * mask.width() + (part.x - at.x)];
    for (int i = 0; i < part.w; ++i) out[i] = ((~m[i] | out[i]) & pic[i]) & 0xFFFFFF;
  }
}

void move_at_pace(int from, int to, pf::Ms per_pixel, const std::function<void(int position)>& place) {
  auto& loop = pf::Loop::instance();
  const int n = std::abs(to - from), step = to < from ? -1 : 1;
  const pf::Ms start = loop.now(), end = start + n * per_pixel, frame = pf::Display::instance().frame_ms();
  for (int shown = 0;;) {
    const pf::Ms now = loop.now();
    const int due = static_cast<int>(std::min<pf::Ms>(n, (now - start) / per_pixel + 1));
    if (due > shown) place(from + step * (shown = due));
    if (now >= end) return;
    loop.wait_until(std::min(now + frame, end));
  }
}

void fly_across(MaskedSprite& sprite, int bottom) {
  const int w = std::min(sprite.picture.width(), sprite.mask.width());
  const int h = std::min(sprite.picture.height(), sprite.mask.height());
  sprite.visible = true;
  // From just beyond the left edge (the first place taken at once) to the
  // right edge, which it keeps for its pixel's time too.
  move_at_pace(-w - 1, sprite.form().bounds.w, kFlightPixelMs, [&](int x) { sprite.rect = {x, bottom - h, w, h}; });
  sprite.visible = false;
}

}  // namespace tapo::core
