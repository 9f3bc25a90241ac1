#include "core/flight.h"

#include <algorithm>

namespace tapo::core {

namespace pf = tapo::platform;

void MaskedSprite::draw(pf::Surface& scene, int ox, int oy) const {
  const int w = std::min(picture.width(), mask.width()), h = std::min(picture.height(), mask.height());
  const pf::Rect at{ox + rect.x, oy + rect.y, std::min(w, rect.w), std::min(h, rect.h)};
  const pf::Rect part = pf::intersection(scene.clip(), at);
  for (int y = part.y; y < part.y + part.h; ++y)
    for (int x = part.x; x < part.x + part.w; ++x) {
      const int i = x - at.x, j = y - at.y;
      scene.set(x, y, ((~mask.at(i, j) | scene.at(x, y)) & picture.at(i, j)) & 0xFFFFFF);
    }
}

void fly_across(MaskedSprite& sprite, int bottom) {
  const int w = std::min(sprite.picture.width(), sprite.mask.width());
  const int h = std::min(sprite.picture.height(), sprite.mask.height());
  auto& loop = pf::Loop::instance();
  sprite.visible = true;
  for (int x = -w; x <= sprite.form().bounds.w; ++x) {
    const pf::Ms began = loop.now();
    sprite.rect = {x, bottom - h, w, h};  // the move is noticed and its two places repainted
    loop.do_events();
    loop.wait_until(began + kFlightPixelMs);
  }
  sprite.visible = false;
}

}  // namespace tapo::core
