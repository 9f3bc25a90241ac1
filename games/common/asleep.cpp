#include "games/common/asleep.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/text.h"

namespace tapo::games {

namespace pf = tapo::platform;

namespace {

constexpr pf::Rgb kNight = pf::rgb(40, 50, 95), kMoon = pf::rgb(250, 225, 120), kWords = pf::rgb(255, 255, 255);

void disc(pf::Surface& s, int cx, int cy, int r, pf::Rgb c) {
  const pf::Rect clip = s.clip();
  for (int y = cy - r; y <= cy + r; ++y)
    for (int x = cx - r; x <= cx + r; ++x)
      if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r && clip.contains(x, y)) s.set(x, y, c);
}

}  // namespace

void draw_asleep_sign(pf::Surface& scene, pf::Rect box, const std::string& words) {
  pf::ClipScope clip(scene, pf::intersection(scene.clip(), box));
  scene.fill_rect(box, kMoon);
  scene.fill_rect({box.x + 2, box.y + 2, box.w - 4, box.h - 4}, kNight);
  const int r = std::min(box.h / 3, 26), cx = box.x + 14 + r, cy = box.y + box.h / 2;
  disc(scene, cx, cy, r, kMoon);
  disc(scene, cx + r / 2, cy - r / 3, r - 2, kNight);  // the crescent
  const pf::TextStyle z{14, true, kMoon, pf::Face::Captions};
  pf::draw_text(scene, cx + r + 2, cy - 8, "z", z);
  pf::draw_text(scene, cx + r + 10, cy - 22, "z", z);
  pf::draw_text(scene, cx + r + 18, cy - 40, "Z", {18, true, kMoon, pf::Face::Captions});
  const pf::TextStyle style{16, true, kWords, pf::Face::Captions};
  const int left = cx + r + 40, width = box.x + box.w - 12 - left;
  const std::vector<std::string> lines = pf::wrap_text(words, style, width);
  const int line_h = pf::measure_text("Ag", style).h + 2;
  int y = box.y + (box.h - line_h * static_cast<int>(lines.size())) / 2;
  for (const std::string& line : lines) {
    pf::draw_text(scene, left, y, line, style);
    y += line_h;
  }
}

void darken(pf::Surface& scene, pf::Rect box) {
  const pf::Rect part = pf::intersection(scene.clip(), box);
  for (int y = part.y; y < part.y + part.h; ++y)
    for (int x = part.x; x < part.x + part.w; ++x) {
      const pf::Rgb c = scene.at(x, y);
      scene.set(x, y, pf::rgb(((c >> 16) & 255) * 2 / 5 + 20, ((c >> 8) & 255) * 2 / 5 + 25, (c & 255) * 2 / 5 + 50));
    }
}

}  // namespace tapo::games
