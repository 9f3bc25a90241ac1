#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tools/mkmedia/art_kit.h"
#include "tools/mkmedia/folder_cunici_art.h"
#include "tools/mkmedia/pack.h"
#include "tools/mkmedia/words.h"

namespace tapo::media::cunici {

namespace pf = tapo::platform;

cairo_t* cr_of(Canvas& c);
// Fills the current path with soft shading and outlines it.
void soft_fill(Canvas& c, Rgb base);

namespace {

constexpr double kTapoScale = 0.8;
constexpr int kTapoLeft = 525, kTapoTop = 318;

constexpr Rgb kWood = pf::rgb(232, 196, 138);
constexpr Rgb kWoodDark = pf::rgb(170, 120, 70);
using kit::kWhite;

void set_rgba(cairo_t* cr, Rgb c, double a) {
  cairo_set_source_rgba(cr, ((c >> 16) & 255) / 255.0, ((c >> 8) & 255) / 255.0, (c & 255) / 255.0, a);
}

void add_stop(cairo_pattern_t* p, double at, Rgb c, double a = 1) {
  cairo_pattern_add_color_stop_rgba(p, at, ((c >> 16) & 255) / 255.0, ((c >> 8) & 255) / 255.0, (c & 255) / 255.0, a);
}

void vertical_fill(Canvas& c, double y0, double y1, Rgb top, Rgb bottom) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  add_stop(p, 0, top);
  add_stop(p, 1, bottom);
  cairo_set_source(c.cr(), p);
  cairo_fill(c.cr());
  cairo_pattern_destroy(p);
}

void inked(Canvas& c, double x0, double y0, double x1, double y1, double w, Rgb fill) {
  c.line(x0, y0, x1, y1, kInk, w + 4);
  c.line(x0, y0, x1, y1, fill, w);
}

// Sky, sun, hills and grass: the open air of both the meadow and the titles.
void open_air(Canvas& c, double horizon) {
  cairo_t* cr = c.cr();
  cairo_rectangle(cr, 0, 0, 640, 480);
  vertical_fill(c, 0, horizon, pf::rgb(120, 190, 248), pf::rgb(214, 238, 252));
  // far hills
  cairo_move_to(cr, 0, horizon);
  for (int x = 0; x <= 640; x += 8) cairo_line_to(cr, x, horizon - 22 - 16 * std::sin(x / 95.0) - 8 * std::sin(x / 37.0 + 1));
  cairo_line_to(cr, 640, 480);
  cairo_line_to(cr, 0, 480);
  cairo_close_path(cr);
  vertical_fill(c, horizon - 46, horizon + 30, pf::rgb(160, 214, 130), pf::rgb(130, 196, 104));
  // the meadow
  cairo_move_to(cr, 0, horizon + 14);
  for (int x = 0; x <= 640; x += 8) cairo_line_to(cr, x, horizon + 10 + 8 * std::sin(x / 120.0 + 2));
  cairo_line_to(cr, 640, 480);
  cairo_line_to(cr, 0, 480);
  cairo_close_path(cr);
  vertical_fill(c, horizon, 480, pf::rgb(126, 198, 96), pf::rgb(92, 166, 70));
}

void sun(Canvas& c, double x, double y, double r) {
  for (int k = 0; k < 10; ++k) {
    const double a = k * M_PI / 5 + 0.2;
    c.line(x + (r + 6) * std::cos(a), y + (r + 6) * std::sin(a), x + (r + 16) * std::cos(a), y + (r + 16) * std::sin(a),
           pf::rgb(255, 200, 60), 4);
  }
  c.ellipse(x, y, r, r);
  c.fill_outlined(pf::rgb(255, 220, 80), pf::rgb(240, 170, 40), 2.5);
}

void cloud(Canvas& c, std::initializer_list<std::array<double, 4>> puffs) {
  for (const auto& p : puffs) {
    c.ellipse(p[0], p[1], p[2] + 2.5, p[3] + 2.5);
    c.fill(pf::rgb(200, 222, 240));
  }
  for (const auto& p : puffs) {
    c.ellipse(p[0], p[1], p[2], p[3]);
    c.fill(pf::rgb(252, 253, 255));
  }
}

void flower(Canvas& c, double x, double y, Rgb petals) {
  c.line(x, y, x, y + 10, pf::rgb(60, 130, 50), 2);
  for (int k = 0; k < 5; ++k) {
    const double a = k * 2 * M_PI / 5;
    c.ellipse(x + 3.5 * std::cos(a), y + 3.5 * std::sin(a), 3, 3);
    c.fill(petals);
  }
  c.ellipse(x, y, 2.2, 2.2);
  c.fill(pf::rgb(255, 210, 60));
}

void tuft(Canvas& c, double x, double y) {
  for (double dx : {-4.0, 0.0, 4.0}) c.line(x, y, x + dx * 1.4, y - 9 + std::abs(dx), pf::rgb(70, 146, 56), 2);
}

void house(Canvas& c) {
  cairo_t* cr = c.cr();
  // the roof, then the walls
  c.polygon({{342, 134}, {442, 58}, {542, 134}});
  c.fill_outlined(pf::rgb(200, 84, 62));
  for (int k = 1; k < 5; ++k) {
    const double y = 58 + k * 15.2;
    const double half = (y - 58) / 76 * 100;
    c.line(442 - half + 4, y, 442 + half - 4, y, pf::rgb(170, 64, 48), 2);
  }
  c.rounded_rect(356, 130, 172, 172, 3);
  vertical_fill(c, 130, 302, pf::rgb(252, 234, 200), pf::rgb(238, 210, 170));
  c.rounded_rect(356, 130, 172, 172, 3);
  c.stroke(kInk, 3);
  // the little bell tower on the ridge
  c.rounded_rect(410, 26, 46, 64, 2);
  c.fill_outlined(pf::rgb(252, 234, 200));
  c.polygon({{403, 31}, {433, 3}, {463, 31}});
  c.fill_outlined(pf::rgb(200, 84, 62));
  cairo_new_sub_path(cr);
  cairo_arc(cr, 432.5, 50, 17.5, M_PI, 2 * M_PI);
  cairo_line_to(cr, 450, 80);
  cairo_line_to(cr, 415, 80);
  cairo_close_path(cr);
  c.fill_outlined(pf::rgb(72, 50, 44), kInk, 2.5);
  c.rounded_rect(421, 36, 23, 4, 1.5);
  c.fill(pf::rgb(130, 86, 50));
  // the toy shop's window with toys in it, under a striped awning
  c.rounded_rect(446, 180, 74, 70, 4);
  c.fill_outlined(pf::rgb(190, 226, 250), kWoodDark, 5);
  c.ellipse(472, 226, 12, 13);  // a teddy
  c.fill_outlined(pf::rgb(190, 130, 70), kInk, 2);
  for (double ex : {462.0, 482.0}) {
    c.ellipse(ex, 212, 5, 5);
    c.fill_outlined(pf::rgb(190, 130, 70), kInk, 2);
  }
  c.ellipse(472, 209, 10, 9);
  c.fill_outlined(pf::rgb(190, 130, 70), kInk, 2);
  c.ellipse(468, 207, 1.5, 1.5);
  c.fill(kInk);
  c.ellipse(476, 207, 1.5, 1.5);
  c.fill(kInk);
  c.ellipse(472, 212, 3, 2);
  c.fill(kInk);
  c.ellipse(502, 236, 9, 9);  // a ball
  c.fill_outlined(pf::rgb(240, 80, 70), kInk, 2);
  cairo_arc(cr, 502, 236, 9, -0.5, 1.2);
  c.stroke(kWhite, 3);
  c.rounded_rect(492, 200, 18, 18, 2);  // a block with a number
  c.fill_outlined(pf::rgb(90, 160, 230), kInk, 2);
  c.text("3", 501, 209, 13, kWhite);
  for (int k = 0; k < 6; ++k) {
    c.rounded_rect(438 + k * 15, 152, 15, 24, 0);
    c.fill(k % 2 ? kWhite : pf::rgb(226, 64, 60));
    c.ellipse(445.5 + k * 15, 176, 7.5, 5);
    c.fill(k % 2 ? kWhite : pf::rgb(226, 64, 60));
  }
  c.rounded_rect(438, 152, 90, 24, 0);
  c.stroke(kInk, 2);
  c.rounded_rect(434, 147, 98, 8, 4);
  c.fill_outlined(pf::rgb(150, 150, 170), kInk, 2);
  // the rod from the crank up to the awning
  cairo_move_to(cr, 416, 250);
  cairo_line_to(cr, 416, 151);
  cairo_line_to(cr, 436, 151);
  c.stroke(kInk, 7);
  cairo_move_to(cr, 416, 250);
  cairo_line_to(cr, 416, 151);
  cairo_line_to(cr, 436, 151);
  c.stroke(pf::rgb(150, 150, 170), 3.5);
  c.ellipse(416, 257, 15, 15);
  c.fill_outlined(pf::rgb(200, 200, 214), kInk, 2.5);
  c.ellipse(416, 257, 10, 10);
  c.stroke(pf::rgb(160, 160, 178), 2);
}

void tree(Canvas& c) {
  c.rounded_rect(606, 60, 24, 250, 8);
  vertical_fill(c, 60, 310, pf::rgb(150, 100, 60), pf::rgb(120, 80, 50));
  c.rounded_rect(606, 60, 24, 250, 8);
  c.stroke(kInk, 3);
  // the branch the puppet hangs from
  cairo_move_to(cr_of(c), 610, 96);
  cairo_curve_to(cr_of(c), 590, 92, 570, 86, 550, 84);
  c.stroke(kInk, 9);
  cairo_move_to(cr_of(c), 610, 96);
  cairo_curve_to(cr_of(c), 590, 92, 570, 86, 550, 84);
  c.stroke(pf::rgb(140, 94, 56), 5);
  for (auto [x, y, r] : {std::tuple{560.0, 30.0, 34.0}, {604.0, 18.0, 36.0}, {632.0, 52.0, 30.0}, {586.0, 58.0, 30.0},
                         {540.0, 62.0, 22.0}}) {
    c.ellipse(x, y, r + 2.5, r + 2.5);
    c.fill(kInk);
  }
  for (auto [x, y, r] : {std::tuple{560.0, 30.0, 34.0}, {604.0, 18.0, 36.0}, {632.0, 52.0, 30.0}, {586.0, 58.0, 30.0},
                         {540.0, 62.0, 22.0}}) {
    c.ellipse(x, y, r, r);
    c.fill(pf::rgb(86, 166, 70));
  }
  for (auto [x, y] : {std::pair{552.0, 22.0}, {598.0, 8.0}, {626.0, 44.0}, {580.0, 50.0}}) {
    c.ellipse(x, y, 12, 9);
    c.fill(pf::rgb(120, 196, 96));
  }
  for (auto [x, y] : {std::pair{566.0, 44.0}, {616.0, 30.0}, {596.0, 70.0}, {546.0, 70.0}}) {
    c.ellipse(x, y, 4, 4);
    c.fill_outlined(pf::rgb(230, 60, 60), kInk, 1.5);
  }
  // the puppet's string down to the top of its box
  c.line(586.5, 90, 586.5, kPuppetBox.y, kInk, 1.2);
}

void rocking_horse(Canvas& c) {
  cairo_t* cr = c.cr();
  const Rgb coat = pf::rgb(250, 244, 230), mane = pf::rgb(150, 90, 50);
  // tail
  cairo_move_to(cr, 558, 246);
  cairo_curve_to(cr, 546, 246, 544, 258, 548, 266);
  c.stroke(kInk, 8);
  cairo_move_to(cr, 558, 246);
  cairo_curve_to(cr, 546, 246, 544, 258, 548, 266);
  c.stroke(mane, 4.5);
  for (auto [x0, x1] : {std::pair{566.0, 560.0}, {574.0, 572.0}, {588.0, 590.0}, {596.0, 603.0}}) inked(c, x0, 254, x1, 274, 5, coat);
  // the rocker
  cairo_move_to(cr, 549, 270);
  cairo_curve_to(cr, 566, 288, 600, 288, 617, 270);
  c.stroke(kInk, 9);
  cairo_move_to(cr, 549, 270);
  cairo_curve_to(cr, 566, 288, 600, 288, 617, 270);
  c.stroke(pf::rgb(226, 64, 60), 5);
  // body, neck and head
  inked(c, 594, 246, 606, 232, 11, coat);
  c.ellipse(580, 248, 23, 11);
  soft_fill(c, coat);
  c.rounded_rect(570, 236, 18, 8, 3);
  c.fill_outlined(pf::rgb(226, 64, 60), kInk, 2);
  c.rounded_rect(568, 243, 22, 9, 2);
  c.fill_outlined(pf::rgb(70, 130, 220), kInk, 2);
  cairo_save(cr);
  cairo_translate(cr, 610, 229);
  cairo_rotate(cr, 0.35);
  c.ellipse(0, 0, 11, 7.5);
  soft_fill(c, coat);
  cairo_restore(cr);
  cairo_move_to(cr, 603, 222);
  cairo_line_to(cr, 604, 213);
  cairo_line_to(cr, 608, 221);
  c.fill_outlined(coat, kInk, 2);
  for (int k = 0; k < 4; ++k) c.line(600 - k * 2.5, 224 + k * 5, 595 - k * 2.5, 226 + k * 5, mane, 4);
  c.ellipse(609, 227, 1.8, 1.8);
  c.fill(kInk);
  c.line(606, 232, 600, 230, pf::rgb(240, 190, 40), 3);  // the handle
}

void stool(Canvas& c) {
  for (double x : {404.0, 432.0, 460.0}) inked(c, x, 352, x + (x - 432) * 0.15, 392, 5, kWoodDark);
  c.ellipse(432, 350, 38, 8);
  c.fill_outlined(kWood);
}

void board(Canvas& c, const SlotPlace& s) {
  const Rect& b = s.board;
  const bool above = b.y < s.feet - 60;
  const double post_end = above ? s.feet - 6 : b.y + b.h + 11;
  for (double x : {b.x + 14.0, b.x + b.w - 14.0}) inked(c, x, b.y + b.h, x, post_end, 4, kWoodDark);
  c.rounded_rect(b.x - 5, b.y - 3, b.w + 10, b.h + 6, 5);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, b.y - 3, 0, b.y + b.h + 3);
  add_stop(p, 0, pf::rgb(246, 222, 176));
  add_stop(p, 1, pf::rgb(228, 196, 144));
  cairo_set_source(c.cr(), p);
  cairo_fill_preserve(c.cr());
  cairo_pattern_destroy(p);
  c.stroke(kInk, 2.5);
  for (double x : {b.x - 1.5, b.x + b.w + 1.5}) {
    c.ellipse(x, b.y + b.h / 2.0, 1.5, 1.5);
    c.fill(kWoodDark);
  }
}

}  // namespace

cairo_t* cr_of(Canvas& c) { return c.cr(); }

void soft_fill(Canvas& c, Rgb base) { c.fill_soft(base, 2.5, 1.2); }

Surface meadow() {
  Surface s(640, 480);
  Canvas c(640, 480);
  open_air(c, 200);
  sun(c, 322, 44, 22);
  cloud(c, {{118, 102, 40, 26}, {162, 80, 50, 34}, {214, 86, 36, 28}, {166, 110, 72, 22}, {100, 116, 28, 16}});
  cloud(c, {{300, 150, 30, 12}, {326, 144, 26, 14}});
  tree(c);
  house(c);
  for (auto [x, y] : {std::pair{20.0, 300.0}, {140.0, 312.0}, {250.0, 296.0}, {352.0, 330.0}, {350.0, 420.0}, {480.0, 330.0},
                      {12.0, 452.0}, {250.0, 470.0}, {500.0, 410.0}, {120.0, 226.0}, {230.0, 222.0}, {345.0, 250.0}})
    tuft(c, x, y);
  int k = 0;
  for (auto [x, y] : {std::pair{130.0, 330.0}, {250.0, 318.0}, {346.0, 372.0}, {488.0, 360.0}, {360.0, 460.0}, {108.0, 444.0},
                      {492.0, 450.0}, {20.0, 222.0}, {338.0, 212.0}}) {
    const Rgb colours[] = {pf::rgb(255, 255, 255), pf::rgb(250, 220, 60), pf::rgb(240, 120, 170), pf::rgb(160, 140, 240)};
    flower(c, x, y, colours[k++ % 4]);
  }
  rocking_horse(c);
  stool(c);
  for (const auto& slot : kSlots) board(c, slot);
  c.over(s, 0, 0);
  return s;
}

Surface title_picture(bool closing) {
  Surface s(640, 480);
  Canvas c(640, 480);
  open_air(c, 300);
  sun(c, 606, 36, 18);
  cloud(c, {{120, 200, 40, 18}, {150, 190, 34, 20}});
  cloud(c, {{470, 230, 36, 16}, {500, 222, 30, 18}});
  c.text("Tapo - Numerino", 320, 74, 52, pf::rgb(250, 150, 40), true);
  c.text(word(closing ? "farewell" : "greeting"), 320, 140, 30, pf::rgb(50, 80, 170));
  // Coins and numbers floating around, for a game of counting.
  const char* numbers[] = {"1", "2", "3", "5", "10"};
  const double spots[][2] = {{70, 150}, {190, 260}, {440, 290}, {580, 170}, {80, 290}};
  for (int k = 0; k < 5; ++k) draw_coin(c, spots[k][0], spots[k][1], 20, numbers[k], true);
  const double tapo_scale = 1.2;
  c.ellipse(320, 444, 70, 9);
  c.set_colour(kInk, 0.18);
  cairo_fill(c.cr());
  draw_tapo(c, 320 - 70 * tapo_scale, 446 - 200 * tapo_scale, {TapoPose::Wave, closing ? 0.6 : 0.25, 1}, tapo_scale);
  const double xs[] = {18, 92, 166, 398, 472, 546};
  for (int i = 0; i < kPigletCount; ++i) {
    const double y = 362 + (i % 2) * 12;
    c.ellipse(xs[i] + 38, y + 92, 30, 5);
    c.set_colour(kInk, 0.18);
    cairo_fill(c.cr());
    draw_piglet(c, i, xs[i], y, {closing ? PigletPose::Wave : PigletPose::Stand, 0.15 * i, true}, 0.85);
  }
  c.over(s, 0, 0);
  return s;
}

void draw_level_coin(Canvas& c, int k, bool lit) {
  const LevelCoin& coin = kCoins[static_cast<size_t>(k)];
  draw_coin(c, coin.cx, coin.cy, coin.r, coin.label, lit);
}

void draw_crank(Canvas& c, int cell) {
  const double a = (20 + 60 * cell) * M_PI / 180;
  const double hx = 416, hy = 257, ex = hx + 18 * std::cos(a), ey = hy + 18 * std::sin(a);
  inked(c, hx, hy, ex, ey, 6, pf::rgb(120, 130, 150));
  c.ellipse(hx, hy, 5, 5);
  c.fill_outlined(pf::rgb(200, 200, 214), kInk, 2);
  c.ellipse(ex, ey, 6.5, 6.5);
  soft_fill(c, pf::rgb(236, 70, 60));
}

void draw_bell(Canvas& c, int cell) {
  static constexpr double kSwing[] = {0, -0.2, 0, 0.2};
  static constexpr double kClapper[] = {0, 3.5, -3.5, -3.5};
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_translate(cr, 432.5, 39);
  cairo_rotate(cr, kSwing[cell % 4]);
  c.ellipse(kClapper[cell % 4], 27, 3.2, 3.2);
  c.fill_outlined(pf::rgb(120, 90, 40), kInk, 1.5);
  c.rounded_rect(-3, 0, 6, 6, 2);
  c.fill_outlined(pf::rgb(200, 150, 40), kInk, 1.5);
  cairo_move_to(cr, -7, 12);
  cairo_curve_to(cr, -7, 2, 7, 2, 7, 12);
  cairo_curve_to(cr, 7, 18, 10, 22, 10.5, 25);
  cairo_curve_to(cr, 4, 28, -4, 28, -10.5, 25);
  cairo_curve_to(cr, -10, 22, -7, 18, -7, 12);
  cairo_close_path(cr);
  soft_fill(c, pf::rgb(250, 200, 50));
  c.line(-8, 21, 8, 21, pf::rgb(220, 160, 30), 1.5);
  c.ellipse(-3, 10, 1.5, 3);
  c.fill(pf::rgb(255, 240, 180));
  cairo_restore(cr);
}

void draw_puppet(Canvas& c, int frame) {
  const double a = frame == 0 ? 0 : std::sin(2 * M_PI * (frame - 1) / (kPuppetFrames - 1) + 0.5);
  const double bob = frame == 0 ? 0 : -3 * std::abs(a);
  const double cx = 586.5, bar_y = 106;
  const double tilt = 0.3 * a;
  const double bl = cx - 20 * std::cos(tilt), br = cx + 20 * std::cos(tilt);
  const double bly = bar_y - 20 * std::sin(tilt), bry = bar_y + 20 * std::sin(tilt);
  const double hy = 126 + bob;
  const double lhx = 566, lhy = 154 - 22 * std::max(0.0, a) + bob, rhx = 607, rhy = 154 - 22 * std::max(0.0, -a) + bob;
  const double lfx = 580 - 5 * a, lfy = 186 - 9 * std::max(0.0, a), rfx = 593 - 5 * a, rfy = 186 - 9 * std::max(0.0, -a);
  const Rgb red = pf::rgb(226, 60, 56), yellow = pf::rgb(250, 206, 60), skin = pf::rgb(252, 214, 180);
  c.line(cx, kPuppetBox.y, cx, bar_y, kInk, 1.2);
  // strings
  for (auto [x0, y0, x1, y1] : {std::tuple{bl, bly, lhx, lhy}, {br, bry, rhx, rhy}, {cx, bar_y, cx, hy - 12}})
    c.line(x0, y0, x1, y1, pf::rgb(90, 80, 80), 1);
  inked(c, bl, bly, br, bry, 4, kWoodDark);
  // legs and shoes
  inked(c, 582, 160 + bob, lfx, lfy, 5, yellow);
  inked(c, 591, 160 + bob, rfx, rfy, 5, red);
  c.ellipse(lfx - 2, lfy + 2, 6, 3.5);
  c.fill_outlined(red, kInk, 2);
  c.ellipse(rfx + 2, rfy + 2, 6, 3.5);
  c.fill_outlined(yellow, kInk, 2);
  // arms
  inked(c, 578, 142 + bob, lhx, lhy, 4.5, red);
  inked(c, 595, 142 + bob, rhx, rhy, 4.5, yellow);
  c.ellipse(lhx, lhy, 3.5, 3.5);
  c.fill_outlined(skin, kInk, 1.5);
  c.ellipse(rhx, rhy, 3.5, 3.5);
  c.fill_outlined(skin, kInk, 1.5);
  // the tunic, half red and half yellow, with buttons
  cairo_t* cr = c.cr();
  c.polygon({{577, 138 + bob}, {586.5, 138 + bob}, {586.5, 164 + bob}, {574, 163 + bob}});
  c.fill(yellow);
  c.polygon({{586.5, 138 + bob}, {596, 138 + bob}, {599, 163 + bob}, {586.5, 164 + bob}});
  c.fill(red);
  c.polygon({{577, 138 + bob}, {596, 138 + bob}, {599, 163 + bob}, {574, 163 + bob}});
  c.stroke(kInk, 2);
  for (double y : {146.0, 154.0}) {
    c.ellipse(586.5, y + bob, 1.6, 1.6);
    c.fill(kWhite);
  }
  // the collar and the head with its jester's cap
  for (int k = 0; k < 5; ++k) {
    cairo_move_to(cr, 576 + k * 5, 136 + bob);
    cairo_line_to(cr, 578.5 + k * 5, 142 + bob);
    cairo_line_to(cr, 581 + k * 5, 136 + bob);
  }
  c.fill_outlined(kWhite, kInk, 1.2);
  c.ellipse(cx, hy, 10, 10);
  soft_fill(c, skin);
  c.ellipse(cx - 3.5, hy - 1, 1.3, 1.6);
  c.fill(kInk);
  c.ellipse(cx + 3.5, hy - 1, 1.3, 1.6);
  c.fill(kInk);
  c.ellipse(cx, hy + 2, 2, 1.6);
  c.fill(red);
  cairo_move_to(cr, cx - 4, hy + 5);
  cairo_curve_to(cr, cx - 2, hy + 7.5, cx + 2, hy + 7.5, cx + 4, hy + 5);
  c.stroke(kInk, 1.3);
  for (double side : {-1.0, 1.0}) {
    cairo_move_to(cr, cx - 9 * side, hy - 5);
    cairo_curve_to(cr, cx - 10 * side, hy - 14, cx - 18 * side, hy - 14, cx - 20 * side, hy - 4);
    cairo_line_to(cr, cx, hy - 10);
    cairo_close_path(cr);
    c.fill_outlined(side < 0 ? red : yellow, kInk, 1.5);
    c.ellipse(cx - 20 * side, hy - 3, 2.5, 2.5);
    c.fill_outlined(yellow, kInk, 1.2);
  }
  c.rounded_rect(cx - 10, hy - 8, 20, 4, 2);
  c.fill_outlined(kWhite, kInk, 1.2);
}

void draw_magic_hat(Canvas& c) {
  cairo_t* cr = c.cr();
  const Rgb felt = pf::rgb(62, 52, 86);
  c.ellipse(32, 44, 29, 6.5);
  soft_fill(c, felt);
  cairo_move_to(cr, 15, 11);
  cairo_line_to(cr, 18, 44);
  cairo_curve_to(cr, 26, 47, 38, 47, 46, 44);
  cairo_line_to(cr, 49, 11);
  cairo_close_path(cr);
  soft_fill(c, felt);
  c.rounded_rect(17, 34, 30, 7, 1);
  c.fill_outlined(pf::rgb(226, 60, 56), kInk, 1.5);
  c.ellipse(32, 11, 17, 5);
  soft_fill(c, shade(felt, 0.8));
  // a little star on the front
  cairo_move_to(cr, 32, 17);
  for (int k = 1; k <= 10; ++k) {
    const double a = -M_PI / 2 + k * M_PI / 5, r = k % 2 ? 3.5 : 8;
    cairo_line_to(cr, 32 + r * std::cos(a), 25 + r * std::sin(a));
  }
  cairo_close_path(cr);
  c.fill_outlined(pf::rgb(255, 220, 70), kInk, 1.2);
  c.line(52, 8, 56, 4, pf::rgb(255, 240, 150), 2);
  c.line(56, 12, 61, 11, pf::rgb(255, 240, 150), 2);
}

void draw_slot_piglet(Canvas& c, int slot, int f) {
  const SlotPlace& s = kSlots[static_cast<size_t>(slot)];
  double lift = 0, sx = 1, sy = 1, glow = 0;
  PigletLook look;
  if (f == 1 || f == 6) {
    sx = 1.05;
    sy = 0.93;
    glow = f == 6 ? 0.5 : 0;
  } else if (f >= 2 && f <= 5) {
    lift = s.hop * std::sin(M_PI * (f - 1) / 5);
    sy = 1.03;
  } else if (f >= 7) {
    look = {PigletPose::Wave, f == 11 ? 0 : (f - 7) / 4.0, true};
    glow = 1;
  }
  cairo_t* cr = c.cr();
  if (glow > 0) {
    cairo_pattern_t* p = cairo_pattern_create_radial(s.cx, s.feet - 1, 2, s.cx, s.feet - 1, 40 * s.scale);
    add_stop(p, 0, pf::rgb(255, 250, 190), 0.95 * glow);
    add_stop(p, 0.7, pf::rgb(255, 220, 80), 0.85 * glow);
    add_stop(p, 1, pf::rgb(255, 200, 60), 0);
    cairo_save(cr);
    cairo_translate(cr, s.cx, s.feet - 1);
    cairo_scale(cr, 1, 6.5 / (40 * s.scale));
    cairo_translate(cr, -s.cx, -(s.feet - 1));
    cairo_arc(cr, s.cx, s.feet - 1, 40 * s.scale, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
  }
  const double shadow = 1 - lift / (s.hop * 3 + 1);
  c.ellipse(s.cx, s.feet - 1, 28 * s.scale * shadow, 3.5);
  set_rgba(cr, kInk, 0.2);
  cairo_fill(cr);
  cairo_save(cr);
  cairo_translate(cr, s.cx, s.feet - lift);
  cairo_scale(cr, sx, sy);
  draw_piglet(c, slot, -45 * s.scale, -108 * s.scale, look, s.scale);
  cairo_restore(cr);
}

void draw_tapo_here(Canvas& c, const TapoLook& look) {
  c.ellipse(kTapoLeft + 70 * kTapoScale, kTapoTop + 154, 44, 4);
  set_rgba(c.cr(), kInk, 0.2);
  cairo_fill(c.cr());
  draw_tapo(c, kTapoLeft, kTapoTop, look, kTapoScale);
}

Rect tapo_box() {
  return {kTapoLeft, kTapoTop, static_cast<int>(std::lround(kTapoWidth * kTapoScale)),
          static_cast<int>(std::lround(kTapoHeight * kTapoScale))};
}

Rect tapo_head_box() {
  return {kTapoLeft + static_cast<int>(std::lround(kTapoHead.x * kTapoScale)),
          kTapoTop + static_cast<int>(std::lround(kTapoHead.y * kTapoScale)),
          static_cast<int>(std::lround(kTapoHead.w * kTapoScale)), static_cast<int>(std::lround(kTapoHead.h * kTapoScale))};
}

Rect piglet_clip_box(int slot) {
  const SlotPlace& s = kSlots[static_cast<size_t>(slot)];
  const int left = static_cast<int>(std::floor(s.cx - 45 * s.scale * 1.05)) - 1;
  const int right = static_cast<int>(std::ceil(s.cx + 45 * s.scale * 1.05)) + 1;
  const int top = static_cast<int>(std::floor(s.feet - 108 * s.scale * 1.03 - s.hop)) - 1;
  const int bottom = static_cast<int>(std::ceil(s.feet + 6));
  return {left, top, right - left, bottom - top};
}

void check_layout() {
  auto meets = [](Rect a, Rect b) { return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h; };
  auto grow = [](Rect r, int dx, int dy) { return Rect{r.x - dx, r.y - dy, r.w + 2 * dx, r.h + 2 * dy}; };
  auto name = [](Rect r) {
    return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.w) + "x" + std::to_string(r.h);
  };
  std::vector<Rect> still = {kCoinArea, kCrankBox, kBellBox, kPuppetBox, kHatPlace, tapo_box()};
  for (const auto& s : kSlots) still.push_back(grow(s.board, 6, 4));
  for (int i = 0; i < kPigletCount; ++i) {
    const Rect box = piglet_clip_box(i);
    if (box.x < 0 || box.y < 0 || box.x + box.w > 640 || box.y + box.h > 480) fail("piglet clip off the screen: " + name(box));
    for (const Rect& r : still)
      if (meets(box, r)) fail("piglet clip " + name(box) + " covers " + name(r));
    for (int j = i + 1; j < kPigletCount; ++j)
      if (meets(box, piglet_clip_box(j))) fail("piglet clips meet: " + name(box) + " and " + name(piglet_clip_box(j)));
  }
}

}  // namespace tapo::media::cunici
