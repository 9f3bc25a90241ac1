#include "tools/mkmedia/art_terc.h"

#include <cmath>

namespace tapo::media::beach {

namespace pf = tapo::platform;

Surface sand() {
  return painted(Surface(640, 480), [](Canvas& c) {
    cairo_t* cr = c.cr();
    // sky, sun and a cloud
    c.paint_vertical({0.45, 0.72, 0.96}, {0.78, 0.90, 0.99}, 230);
    c.ellipse(360, 60, 30, 30);
    c.fill(pf::rgb(255, 222, 90));
    for (auto [x, y, r] : {std::tuple{200.0, 70.0, 22.0}, {226.0, 62.0, 28.0}, {254.0, 72.0, 20.0}}) {
      c.ellipse(x, y, r, r * 0.7);
      c.fill(pf::rgb(255, 255, 255));
    }
    // the sea with a little ship far away
    cairo_rectangle(cr, 0, 206, 640, 60);
    c.fill(pf::rgb(60, 150, 200));
    for (int x = 0; x < 640; x += 40) {
      cairo_arc(cr, x + 20, 226 + (x / 40 % 2) * 14, 10, M_PI * 1.1, M_PI * 1.9);
      c.stroke(pf::rgb(150, 210, 240), 2);
    }
    c.polygon({{96, 206}, {136, 206}, {130, 214}, {102, 214}});
    c.fill_outlined(pf::rgb(130, 80, 40), kInk, 1.5);
    c.line(116, 206, 116, 182, kInk, 1.5);
    c.polygon({{117, 184}, {132, 202}, {117, 202}});
    c.fill_outlined(pf::rgb(255, 255, 255), kInk, 1.5);
    // the beach
    c.ground(262, {{160, 246, 320, 270, 640, 252}});
    c.fill(pf::rgb(244, 218, 150));
    for (int k = 0; k < 40; ++k) {  // a few grains, placed by a fixed rule
      const double x = std::fmod(k * 137.0, 430.0) + 10, y = 290 + std::fmod(k * 71.0, 180.0);
      c.ellipse(x, y, 2, 1.2);
      c.fill(pf::rgb(226, 196, 126));
    }
    // a palm on the left
    cairo_move_to(cr, 72, 372);
    cairo_curve_to(cr, 78, 300, 60, 230, 84, 150);
    cairo_line_to(cr, 98, 152);
    cairo_curve_to(cr, 76, 232, 96, 300, 94, 372);
    cairo_close_path(cr);
    c.fill_outlined(pf::rgb(170, 112, 60));
    for (int k = 0; k < 6; ++k) {
      const double a = -M_PI + k * M_PI / 5;
      cairo_move_to(cr, 91, 150);
      cairo_curve_to(cr, 91 + 30 * std::cos(a), 130 + 30 * std::sin(a) - 20, 91 + 60 * std::cos(a),
                     150 + 40 * std::sin(a) - 5, 91 + 66 * std::cos(a), 168 + 30 * std::sin(a));
      cairo_curve_to(cr, 91 + 50 * std::cos(a), 150 + 30 * std::sin(a), 91 + 30 * std::cos(a),
                     150 + 20 * std::sin(a), 91, 156);
      c.fill_outlined(pf::rgb(80, 170, 70), kInk, 2);
    }
    for (double x : {84.0, 100.0}) {
      c.ellipse(x, 160, 7, 7);
      c.fill_outlined(pf::rgb(130, 90, 50), kInk, 2);
    }
    // a treasure chest by the palm
    c.rounded_rect(22, 326, 64, 40, 4);
    c.fill_outlined(pf::rgb(170, 100, 50));
    c.rounded_rect(18, 312, 72, 18, 6);
    c.fill_outlined(pf::rgb(150, 86, 40));
    c.line(22, 346, 86, 346, pf::rgb(230, 180, 70), 3);
    c.rounded_rect(48, 324, 12, 12, 2);
    c.fill_outlined(pf::rgb(250, 210, 70), kInk, 1.5);
    // the plank wall the targets hang on, with a pirate flag at its top
    cairo_rectangle(cr, 446, 0, 194, 386);
    c.fill(pf::rgb(186, 130, 80));
    for (int x = 446; x < 640; x += 24) {
      c.line(x, 0, x, 386, pf::rgb(150, 100, 58), 2);
      c.ellipse(x + 12, 14, 1.5, 1.5);
      c.fill(pf::rgb(110, 70, 40));
    }
    c.line(446, 386, 640, 386, pf::rgb(130, 86, 48), 4);
    c.line(446, 0, 446, 386, pf::rgb(130, 86, 48), 4);
    c.rounded_rect(494, 40, 100, 70, 6);
    c.fill_outlined(pf::rgb(40, 36, 40));
    c.ellipse(544, 68, 14, 13);
    c.fill(pf::rgb(255, 255, 255));
    c.rounded_rect(536, 76, 16, 10, 3);
    c.fill(pf::rgb(255, 255, 255));
    c.ellipse(539, 66, 4, 4);
    c.fill(pf::rgb(40, 36, 40));
    c.ellipse(549, 66, 4, 4);
    c.fill(pf::rgb(40, 36, 40));
    c.line(526, 92, 562, 104, pf::rgb(255, 255, 255), 4);
    c.line(526, 104, 562, 92, pf::rgb(255, 255, 255), 4);
  });
}

void draw_cannon(Canvas& c, double recoil, double flash) {
  cairo_t* cr = c.cr();
  const double dx = -8 * recoil;
  cairo_save(cr);
  cairo_translate(cr, dx, 0);
  // the barrel, tipped up a little towards the targets
  cairo_save(cr);
  cairo_translate(cr, 350, 346);
  cairo_rotate(cr, -0.35);
  c.polygon({{-30, -14}, {52, -10}, {52, 10}, {-30, 14}});
  c.fill_outlined(pf::rgb(70, 70, 84));
  c.rounded_rect(50, -13, 10, 26, 3);
  c.fill_outlined(pf::rgb(90, 90, 106));
  c.line(10, -12, 10, 12, pf::rgb(230, 180, 70), 4);
  c.ellipse(-32, 0, 8, 8);
  c.fill_outlined(pf::rgb(90, 90, 106));
  cairo_restore(cr);
  // the carriage and its wheels
  c.rounded_rect(318, 346, 70, 18, 5);
  c.fill_outlined(pf::rgb(176, 110, 56));
  for (double wx : {332.0, 374.0}) {
    c.ellipse(wx, 366, 13, 13);
    c.fill_outlined(pf::rgb(150, 90, 44));
    c.ellipse(wx, 366, 4, 4);
    c.fill(pf::rgb(230, 180, 70));
  }
  cairo_restore(cr);
  if (flash > 0.02) {
    for (int k = 0; k < 5; ++k) {
      const double a = k * 2 * M_PI / 5;
      c.ellipse(kMuzzleX + 8 + 10 * flash * std::cos(a), kMuzzleY + 10 * flash * std::sin(a), 9 * flash, 9 * flash);
      c.fill_outlined(pf::rgb(250, 250, 245), pf::rgb(180, 180, 190), 1.5);
    }
    c.ellipse(kMuzzleX + 8, kMuzzleY, 6 * flash, 6 * flash);
    c.fill(pf::rgb(255, 200, 70));
  }
}

void draw_ball(Canvas& c, double x, double y, double r) {
  c.ellipse(x, y, r, r);
  c.fill_outlined(pf::rgb(240, 90, 60), kInk, 2);
  c.ellipse(x - r * 0.35, y - r * 0.35, r * 0.3, r * 0.3);
  c.fill(pf::rgb(255, 200, 180));
}

}  // namespace tapo::media::beach
