#include "tools/mkmedia/art_kit.h"

#include <algorithm>
#include <cmath>

namespace tapo::media {

namespace pf = tapo::platform;

using kit::kBlack, kit::kGold, kit::kWhite;

void turn_about(Canvas& c, double x, double y, double angle) {
  cairo_save(c.cr());
  cairo_translate(c.cr(), x, y);
  cairo_rotate(c.cr(), angle);
  cairo_translate(c.cr(), -x, -y);
}

void draw_flower(Canvas& c, double x, double y, int kind, double size) {
  const Rgb petals[3] = {pf::rgb(255, 255, 255), pf::rgb(255, 214, 70), pf::rgb(250, 150, 190)};
  for (int p = 0; p < 5; ++p) {
    const double a = p * 2 * M_PI / 5;
    c.ellipse(x + 3.2 * size * std::cos(a), y + 3.2 * size * std::sin(a), 2.6 * size, 2.6 * size);
    c.fill(petals[kind % 3]);
  }
  c.ellipse(x, y, 1.8 * size, 1.8 * size);
  c.fill(pf::rgb(240, 160, 40));
}

void draw_star(Canvas& c, double cx, double cy, double r, Rgb fill, double turn) {
  for (int k = 0; k < 10; ++k) {
    const double a = turn - M_PI / 2 + k * M_PI / 5;
    const double rr = k % 2 ? r * 0.45 : r;
    if (k == 0) cairo_move_to(c.cr(), cx + rr * std::cos(a), cy + rr * std::sin(a));
    else cairo_line_to(c.cr(), cx + rr * std::cos(a), cy + rr * std::sin(a));
  }
  cairo_close_path(c.cr());
  c.fill_outlined(fill, kInk, std::max(1.0, r / 8));
}

void draw_pirate_hat(Canvas& c, double cx, double cy, double w, double tilt) {
  turn_about(c, cx, cy, tilt);
  const double h = w * 0.45;
  cairo_move_to(c.cr(), cx - w / 2, cy + h * 0.35);
  cairo_curve_to(c.cr(), cx - w * 0.35, cy - h * 0.9, cx + w * 0.35, cy - h * 0.9, cx + w / 2, cy + h * 0.35);
  cairo_curve_to(c.cr(), cx + w * 0.2, cy + h * 0.1, cx - w * 0.2, cy + h * 0.1, cx - w / 2, cy + h * 0.35);
  c.fill_outlined(kBlack, kInk, 2);
  cairo_move_to(c.cr(), cx - w / 2, cy + h * 0.35);
  cairo_curve_to(c.cr(), cx - w * 0.2, cy + h * 0.1, cx + w * 0.2, cy + h * 0.1, cx + w / 2, cy + h * 0.35);
  c.stroke(kGold, std::max(1.5, w / 25));
  const double s = w / 50;
  c.ellipse(cx, cy - h * 0.25, 5 * s, 4.5 * s);
  c.fill(kWhite);
  c.ellipse(cx - 2 * s, cy - h * 0.27, 1.4 * s, 1.4 * s);
  c.fill(kBlack);
  c.ellipse(cx + 2 * s, cy - h * 0.27, 1.4 * s, 1.4 * s);
  c.fill(kBlack);
  cairo_restore(c.cr());
}

}  // namespace tapo::media
