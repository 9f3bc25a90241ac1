#include "tools/mkmedia/art_shop.h"

#include <cmath>

#include "tools/mkmedia/art_kit.h"

namespace tapo::media::shop_art {

namespace pf = tapo::platform;
namespace layout = tapo::players::shop;

namespace {

constexpr Rgb kWood = pf::rgb(196, 138, 84), kWoodDark = pf::rgb(120, 76, 40), kBrass = pf::rgb(250, 200, 60);

void bunting(Canvas& c) {
  const Rgb flags[] = {pf::rgb(240, 90, 90), pf::rgb(255, 210, 70), pf::rgb(100, 190, 110), pf::rgb(90, 160, 240),
                       pf::rgb(200, 130, 230)};
  cairo_t* cr = c.cr();
  for (int span = 0; span < 8; ++span) {
    const double x0 = span * 160, x1 = x0 + 160;
    cairo_move_to(cr, x0, 4);
    cairo_curve_to(cr, x0 + 50, 26, x1 - 50, 26, x1, 4);
    c.stroke(kWoodDark, 2);
    for (int k = 1; k < 8; ++k) {
      const double u = k / 8.0, x = x0 + 160 * u, y = 4 + 22 * 4 * u * (1 - u) * 0.75 * 1.33;
      c.polygon({{x - 7, y}, {x + 7, y}, {x, y + 14}});
      c.fill_outlined(flags[(span * 7 + k) % 5], kInk, 1.2);
    }
  }
}

void cupboard(Canvas& c, int x0, int x1) {
  c.rounded_rect(x0, 36, x1 - x0, 404, 6);
  c.fill_outlined(pf::rgb(232, 190, 136), kWoodDark, 4);
  for (int x = x0 + 24; x < x1 - 4; x += 28) c.line(x, 40, x, 436, pf::rgb(222, 178, 124), 1.5);
}

void door(Canvas& c) {
  c.rounded_rect(20, 80, 136, 364, 8);
  c.fill_outlined(pf::rgb(150, 96, 54), kWoodDark, 5);
  c.rounded_rect(32, 92, 112, 348, 6);
  c.fill_soft(pf::rgb(110, 170, 120), 3, 1.15);
  c.rounded_rect(48, 110, 80, 90, 40);
  c.fill_outlined(pf::rgb(180, 225, 250), kWoodDark, 4);
  c.line(88, 112, 88, 198, kWoodDark, 3);
  c.rounded_rect(50, 230, 76, 80, 6);
  c.stroke(pf::rgb(80, 140, 96), 3);
  c.ellipse(130, 280, 6, 6);
  c.fill_outlined(kBrass, kInk, 2);
}

}  // namespace

const std::vector<Board>& boards() {
  static const std::vector<Board> b = {{264, 628, 152}, {264, 628, 290}, {264, 628, 414},
                                       {668, 1252, 152}, {668, 1252, 290}, {668, 1252, 414}};
  return b;
}

void draw_bell(Canvas& c, int cell) {
  static constexpr double kSwing[] = {0, -0.35, 0.35};
  const Rect r = layout::kBell;
  const double cx = r.x + r.w / 2.0, cy = r.y + r.h / 2.0;
  c.ellipse(cx, cy, r.w / 2.0 - 1, r.h / 2.0 - 1);
  c.fill_outlined(pf::rgb(250, 236, 200), kWoodDark, 3);
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_translate(cr, cx, cy - 20);
  cairo_rotate(cr, kSwing[cell]);
  c.ellipse(cell == 1 ? 5 : cell == 2 ? -5 : 0, 36, 4, 4);
  c.fill_outlined(pf::rgb(140, 100, 40), kInk, 1.5);
  cairo_move_to(cr, -10, 16);
  cairo_curve_to(cr, -10, 0, 10, 0, 10, 16);
  cairo_curve_to(cr, 10, 24, 14, 28, 16, 33);
  cairo_curve_to(cr, 6, 37, -6, 37, -16, 33);
  cairo_curve_to(cr, -14, 28, -10, 24, -10, 16);
  cairo_close_path(cr);
  c.fill_soft(kBrass, 2.5);
  c.ellipse(-4, 12, 2, 4);
  c.fill(pf::rgb(255, 244, 190));
  c.ellipse(0, -1, 4, 4);
  c.fill_outlined(kBrass, kInk, 1.5);
  cairo_restore(cr);
  if (cell != 0)  // little ring marks beside the swinging bell
    for (int side : {-1, 1}) {
      cairo_arc(cr, cx + side * 4, cy + 6, 24, side < 0 ? M_PI * 0.85 : -0.3, side < 0 ? M_PI * 1.15 : 0.3);
      c.stroke(pf::rgb(230, 150, 40), 2);
    }
}

void draw_crank(Canvas& c, int cell, bool sold_out) {
  const Rect r = layout::kCrank;
  const double cx = r.x + r.w / 2.0, cy = r.y + r.h / 2.0;
  c.ellipse(cx, cy, r.w / 2.0 - 1, r.h / 2.0 - 1);
  c.fill_outlined(sold_out ? pf::rgb(200, 200, 206) : pf::rgb(120, 190, 240), kWoodDark, 3);
  draw_star(c, cx - 15, cy - 14, 5, sold_out ? pf::rgb(240, 240, 240) : pf::rgb(255, 230, 90));
  const double a = -0.6 + cell * 2.1;
  const double ex = cx + 16 * std::cos(a), ey = cy + 16 * std::sin(a);
  inked_line(c, cx, cy, ex, ey, 5, pf::rgb(150, 156, 176));
  c.ellipse(cx, cy, 5, 5);
  c.fill_outlined(pf::rgb(220, 220, 230), kInk, 2);
  c.ellipse(ex, ey, 6.5, 6.5);
  c.fill_soft(sold_out ? pf::rgb(160, 160, 170) : pf::rgb(236, 70, 60), 2.5);
  if (sold_out) {  // a "closed" ribbon across the plate
    cairo_t* cr = c.cr();
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, -0.5);
    c.rounded_rect(-26, -6, 52, 12, 3);
    c.fill_outlined(pf::rgb(230, 60, 60), kInk, 2);
    for (int k = -2; k <= 2; ++k) c.line(k * 10 - 3, -5, k * 10 + 3, 5, pf::rgb(255, 255, 255), 3);
    cairo_restore(cr);
  }
}

void draw_till(Canvas& c, double open) {
  const Rect r = kTill;
  const double x = r.x, y = r.y;
  c.rounded_rect(x + 4, y + 30, 68, 30, 5);
  c.fill_soft(pf::rgb(240, 110, 110));
  c.rounded_rect(x + 10, y + 46 + 2 * open, 56, 12, 3);  // the drawer
  c.fill_outlined(pf::rgb(250, 220, 120), kInk, 2);
  c.ellipse(x + 38, y + 52 + 2 * open, 3, 2);
  c.fill(kInk);
  c.polygon({{x + 10, y + 32}, {x + 18, y + 8}, {x + 58, y + 8}, {x + 66, y + 32}});
  c.fill_soft(pf::rgb(240, 110, 110));
  c.rounded_rect(x + 22, y + 2, 32, 14, 3);
  c.fill_outlined(pf::rgb(40, 60, 60), kInk, 2);
  c.text(open > 0.5 ? "+" : "0", x + 38, y + 9, 11, pf::rgb(120, 250, 140));
  for (int k = 0; k < 3; ++k)
    for (int row = 0; row < 2; ++row) {
      c.rounded_rect(x + 22 + k * 11, y + 18 + row * 6, 8, 4, 1);
      c.fill(pf::rgb(255, 255, 255));
    }
}

Surface interior() {
  return painted(Surface(kWidth, kHeight), [](Canvas& c) {
    cairo_t* cr = c.cr();
    c.set_colour(pf::rgb(255, 238, 204));
    cairo_paint(cr);
    for (int x = 0; x < kWidth; x += 40) {  // soft wallpaper dots
      for (int y = 50; y < 430; y += 40) {
        c.ellipse(x + 20 + (y / 40 % 2) * 20, y, 4, 4);
        c.fill(pf::rgb(252, 222, 184));
      }
    }
    cairo_rectangle(cr, 0, 440, kWidth, 40);
    c.fill(kWood);
    for (int x = -40; x < kWidth; x += 80) c.line(x, 480, x + 24, 440, pf::rgb(176, 120, 70), 2);
    c.line(0, 440, kWidth, 440, kWoodDark, 4);
    bunting(c);
    door(c);
    // the till's counter
    c.rounded_rect(172, 354, 88, 88, 4);
    c.fill_outlined(pf::rgb(150, 100, 60), kWoodDark, 3);
    c.rounded_rect(168, 348, 96, 12, 4);
    c.fill_outlined(kWood, kWoodDark, 2.5);
    draw_star(c, 216, 398, 14, pf::rgb(255, 214, 80));
    cupboard(c, 258, 634);
    cupboard(c, 662, 1258);
    for (const Board& b : boards()) {
      c.rounded_rect(b.x0 - 6, b.top, b.x1 - b.x0 + 12, kBoardFront, 3);
      c.fill_outlined(pf::rgb(176, 116, 64), kWoodDark, 2.5);
      c.line(b.x0 - 4, b.top + 3, b.x1 + 4, b.top + 3, pf::rgb(206, 150, 94), 2);
    }
    draw_bell(c, 0);
    draw_crank(c, 0, false);
    draw_till(c, 0);
  });
}

}  // namespace tapo::media::shop_art
