#include "players/purse.h"

#include <string>

#include "platform/text.h"

namespace tapo::players {

namespace pf = tapo::platform;

namespace {

constexpr pf::Rgb kCard = pf::rgb(255, 248, 214), kEdge = pf::rgb(120, 80, 40);
constexpr pf::Rgb kGold = pf::rgb(250, 200, 60), kGoldEdge = pf::rgb(170, 110, 20);

// A filled disc of radius r round (cx, cy), within the scene's clip.
void disc(pf::Surface& scene, double cx, double cy, double r, pf::Rgb c) {
  const pf::Rect part = pf::intersection(scene.clip(), {static_cast<int>(cx - r), static_cast<int>(cy - r),
                                                        static_cast<int>(2 * r) + 2, static_cast<int>(2 * r) + 2});
  for (int y = part.y; y < part.y + part.h; ++y)
    for (int x = part.x; x < part.x + part.w; ++x) {
      const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
      if (dx * dx + dy * dy <= r * r) scene.set(x, y, c);
    }
}

}  // namespace

Purse::Purse(pf::Form& owner, std::string name, pf::Rect rect) : Label(owner, std::move(name), rect) {
  font_size = 16;
  fore_color = pf::rgb(70, 40, 20);
  visible = false;
}

void Purse::show(int coins, bool shown) {
  caption = std::to_string(coins);
  visible = shown;
  refresh();
}

void Purse::draw(pf::Surface& scene, int ox, int oy) const {
  const pf::Rect card{ox + rect.x, oy + rect.y, rect.w, rect.h};
  scene.fill_rect(card, kEdge);
  scene.fill_rect({card.x + 2, card.y + 2, card.w - 4, card.h - 4}, kCard);
  // The coin at the left end, the number to its right.
  const double r = (rect.h - 8) / 2.0, cx = card.x + 4 + r, cy = card.y + rect.h / 2.0;
  disc(scene, cx, cy, r, kGoldEdge);
  disc(scene, cx, cy, r - 2, kGold);
  const pf::TextStyle style{font_size, true, fore_color};
  const pf::Rect size = pf::measure_text(caption, style);
  const int left = static_cast<int>(cx + r) + 4;
  pf::draw_text(scene, left + (card.x + card.w - 4 - left - size.w) / 2, card.y + (card.h - size.h) / 2, caption, style, card);
}

}  // namespace tapo::players
