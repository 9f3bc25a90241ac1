#include "tools/mkmedia/draw.h"

#include <algorithm>
#include <cmath>

#include "platform/text.h"

namespace tapo::media {

void fill_ellipse(Surface& s, double cx, double cy, double rx, double ry, Rgb c) {
  if (rx <= 0 || ry <= 0) return;
  const int y0 = static_cast<int>(std::floor(cy - ry)), y1 = static_cast<int>(std::ceil(cy + ry));
  for (int y = y0; y <= y1; ++y) {
    const double dy = (y + 0.5 - cy) / ry;
    if (dy * dy > 1) continue;
    const double half = rx * std::sqrt(1 - dy * dy);
    for (int x = static_cast<int>(std::ceil(cx - half - 0.5)); x <= static_cast<int>(std::floor(cx + half - 0.5)); ++x)
      s.set(x, y, c);
  }
}

void outlined_ellipse(Surface& s, double cx, double cy, double rx, double ry, Rgb fill, Rgb line, double outline) {
  fill_ellipse(s, cx, cy, rx + outline, ry + outline, line);
  fill_ellipse(s, cx, cy, rx, ry, fill);
}

void stroke(Surface& s, double x0, double y0, double x1, double y1, double width, Rgb c) {
  const double len = std::hypot(x1 - x0, y1 - y0);
  const int steps = std::max(1, static_cast<int>(len * 2));
  for (int i = 0; i <= steps; ++i) {
    const double t = static_cast<double>(i) / steps;
    fill_ellipse(s, x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, width / 2, width / 2, c);
  }
}

void centred_text(Surface& s, int y, const char* text, int size, bool bold, Rgb c) {
  const platform::TextStyle style{size, bold, c};
  const platform::Rect r = platform::measure_text(text, style);
  platform::draw_text(s, (s.width() - r.w) / 2, y, text, style);
}

}  // namespace tapo::media
