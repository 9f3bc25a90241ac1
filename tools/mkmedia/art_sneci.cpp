#include "tools/mkmedia/art_sneci.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "tools/mkmedia/art_kit.h"
#include "tools/mkmedia/words.h"

namespace tapo::media::race {

namespace pf = tapo::platform;
namespace sneci = tapo::games::sneci;

namespace {

// The lanes: the child's climbs to the right, the opponent's to the left, a
// stage a fixed step, both ending at the strawberry's foot.
constexpr double kOwnX = 50, kOwnY = 305, kOwnDx = 20, kOwnDy = -12;
constexpr double kRivalX = 590, kRivalY = 305, kRivalDx = -30, kRivalDy = -15;
constexpr double kDoorX = 306, kDoorY = 309;  // the foot of a snail in the doorway
constexpr double kSnailScale = 1.2;

const Rgb kSand = pf::rgb(236, 208, 150), kGrass = pf::rgb(150, 206, 104), kWood = pf::rgb(196, 142, 88);

struct Looks {
  Rgb body, shell, spiral;
};
// [0] the opponent: a brown shell with a yellow spiral on a sage body.
const Looks kLooks[sneci::kSnails + 1] = {
    {pf::rgb(178, 204, 150), pf::rgb(150, 96, 52), pf::rgb(255, 214, 80)},
    {pf::rgb(255, 226, 168), pf::rgb(232, 66, 58), pf::rgb(255, 236, 220)},
    {pf::rgb(255, 226, 168), pf::rgb(66, 128, 232), pf::rgb(226, 240, 255)},
    {pf::rgb(255, 226, 168), pf::rgb(70, 180, 80), pf::rgb(230, 255, 220)},
    {pf::rgb(255, 226, 168), pf::rgb(250, 196, 40), pf::rgb(170, 100, 20)},
    {pf::rgb(255, 226, 168), pf::rgb(160, 90, 214), pf::rgb(245, 225, 255)},
};

// A ribbon of sand from (x0, y0) to (x1, y1).
void lane(Canvas& c, double x0, double y0, double x1, double y1, Rgb edge) {
  c.line(x0, y0, x1, y1, edge, 38);
  c.line(x0, y0, x1, y1, kSand, 31);
}

// Black and white squares across a lane at (x, y), the lane heading (dx, dy).
void chequers(Canvas& c, double x, double y, double dx, double dy) {
  const double len = std::hypot(dx, dy), ux = dx / len, uy = dy / len, nx = -uy, ny = ux;
  for (int row = 0; row < 2; ++row)
    for (int k = -3; k < 3; ++k) {
      const double a = k * 5.5, b = row * 5.5 - 2;
      c.polygon({{x + nx * a + ux * b, y + ny * a + uy * b},
                 {x + nx * (a + 5.5) + ux * b, y + ny * (a + 5.5) + uy * b},
                 {x + nx * (a + 5.5) + ux * (b + 5.5), y + ny * (a + 5.5) + uy * (b + 5.5)},
                 {x + nx * a + ux * (b + 5.5), y + ny * a + uy * (b + 5.5)}});
      c.fill((k + row) % 2 ? pf::rgb(255, 255, 255) : pf::rgb(40, 40, 40));
    }
}

void sky_and_lawn(Canvas& c) {
  c.paint_vertical({0.55, 0.80, 0.98}, {0.84, 0.94, 0.99}, 70);
  for (auto [x, y, r] : {std::tuple{150.0, 24.0, 15.0}, {172.0, 18.0, 20.0}, {196.0, 26.0, 14.0}, {390.0, 30.0, 13.0},
                         {410.0, 24.0, 18.0}}) {
    c.ellipse(x, y, r, r * 0.7);
    c.fill(pf::rgb(255, 255, 255));
  }
  // the hedge at the back of the garden
  cairo_t* cr = c.cr();
  cairo_move_to(cr, 0, 80);
  for (int k = 0; k <= 16; ++k) cairo_curve_to(cr, k * 40 + 8, 44, k * 40 + 32, 44, k * 40 + 40, 64);
  cairo_line_to(cr, 640, 90);
  cairo_line_to(cr, 0, 90);
  cairo_close_path(cr);
  c.fill_soft(pf::rgb(80, 150, 70), 2.5, 1.15);
  c.ground(70, {{200, 64, 440, 76, 640, 68}});
  c.fill(kGrass);
  for (int k = 0; k < 40; ++k) {
    const double x = std::fmod(k * 157.0, 630.0) + 5, y = 96 + std::fmod(k * 71.0, 320.0);
    for (int s = -1; s <= 1; ++s) c.line(x, y, x + 4 * s, y - 7 + 2 * std::abs(s), pf::rgb(104, 170, 76), 2);
  }
  const double flowers[][2] = {{30, 150}, {120, 220}, {180, 300}, {400, 240}, {470, 330}, {560, 230},
                               {20, 370}, {620, 380}, {230, 110}, {360, 210}, {440, 400}, {150, 400}};
  for (int k = 0; k < static_cast<int>(std::size(flowers)); ++k) draw_flower(c, flowers[k][0], flowers[k][1], k);
}

void lanes(Canvas& c) {
  lane(c, kOwnX - 1.6 * kOwnDx, kOwnY - 1.6 * kOwnDy + 2, kOwnX + 10.4 * kOwnDx, kOwnY + 10.4 * kOwnDy + 2,
       pf::rgb(200, 80, 70));
  lane(c, kRivalX - 1.2 * kRivalDx, kRivalY - 1.2 * kRivalDy + 2, kRivalX + 8.3 * kRivalDx, kRivalY + 8.3 * kRivalDy + 2,
       pf::rgb(150, 100, 60));
  // a pebble at the lane's edge for every stage
  for (int k = 1; k < sneci::kOwnStages; ++k) {
    c.ellipse(kOwnX + k * kOwnDx + 8, kOwnY + k * kOwnDy + 15, 3.5, 2.5);
    c.fill_outlined(pf::rgb(250, 250, 245), kInk, 1.2);
  }
  for (int s = 1; s < sneci::kRivalStages; ++s) {
    c.ellipse(kRivalX + s * kRivalDx - 6, kRivalY + s * kRivalDy + 16, 3.5, 2.5);
    c.fill_outlined(pf::rgb(250, 250, 245), kInk, 1.2);
  }
  chequers(c, kOwnX + 1.15 * kOwnDx, kOwnY + 1.15 * kOwnDy + 2, kOwnDx, kOwnDy);
  chequers(c, kRivalX + 0.85 * kRivalDx, kRivalY + 0.85 * kRivalDy + 2, kRivalDx, kRivalDy);
}

// The shed with its dark doorway; the door itself moves (door()).
void garage(Canvas& c) {
  const Rect g = sneci::kGarage;
  const double left = g.x, right = g.x + g.w, mid = g.x + g.w / 2.0, top = g.y, bottom = g.y + g.h;
  c.polygon({{left + 10, top + 34}, {right - 10, top + 34}, {right - 10, bottom}, {left + 10, bottom}});
  c.fill_soft(pf::rgb(210, 96, 72), 2.5, 1.1);
  for (double y = top + 46; y < bottom - 2; y += 11) c.line(left + 12, y, left + 38, y, pf::rgb(176, 74, 56), 1.5);
  c.polygon({{left, top + 38}, {mid, top}, {right, top + 38}});
  c.fill_soft(pf::rgb(110, 74, 56), 3, 1.15);
  c.ellipse(mid, top + 24, 9, 9);
  c.fill_outlined(pf::rgb(255, 240, 170), kInk, 2);
  const Rect d = sneci::kGarageSnail;
  c.polygon({{d.x + 0.0, d.y + 0.0}, {d.x + d.w + 0.0, d.y + 0.0}, {d.x + d.w + 0.0, d.y + d.h + 0.0}, {d.x + 0.0, d.y + d.h + 0.0}});
  c.fill_outlined(pf::rgb(70, 52, 44), kInk, 2.5);
}

void door(Canvas& c, double open) {
  const Rect d = sneci::kGarageSnail;
  const double h = (d.h - 2) * (1 - open);
  if (h > 0.5) {
    c.rounded_rect(d.x + 2, d.y + 1, d.w - 4, h, 1);
    c.fill_outlined(pf::rgb(236, 216, 170), kInk, 2);
    for (double y = d.y + 8; y < d.y + h - 2; y += 8) c.line(d.x + 4, y, d.x + d.w - 4, y, pf::rgb(196, 170, 120), 1.5);
    c.rounded_rect(d.x + d.w / 2.0 - 8, d.y + h - 7, 16, 4, 2);
    c.fill(pf::rgb(120, 90, 60));
  }
  c.rounded_rect(d.x - 3, d.y - 5, d.w + 6, 7, 3);  // the roll above the doorway
  c.fill_outlined(pf::rgb(170, 120, 80), kInk, 2);
}

void start_flag(Canvas& c) {
  const Rect f = sneci::kStart;
  c.line(f.x + 8, f.y + 3, f.x + 8, f.y + f.h - 2, kInk, 4);
  c.line(f.x + 8, f.y + 3, f.x + 8, f.y + f.h - 2, pf::rgb(190, 190, 200), 2);
  for (int r = 0; r < 3; ++r)
    for (int k = 0; k < 6; ++k) {
      cairo_rectangle(c.cr(), f.x + 10 + k * 8, f.y + 4 + r * 7, 8, 7);
      c.fill((k + r) % 2 ? pf::rgb(255, 255, 255) : pf::rgb(30, 30, 30));
    }
  cairo_rectangle(c.cr(), f.x + 10, f.y + 4, 48, 21);
  c.stroke(kInk, 1.5);
  c.rounded_rect(f.x + 1, f.y + 30, f.w - 2, 24, 6);
  c.fill_soft(pf::rgb(60, 170, 80), 2.5);
  c.text(word("start"), f.x + f.w / 2.0, f.y + 42, 17, pf::rgb(255, 255, 255), true);
}

void example_strip(Canvas& c) {
  c.rounded_rect(180.5, 352.5, 240, 40, 8);
  c.fill_outlined(pf::rgb(255, 252, 238), pf::rgb(150, 120, 80), 2);
}

void number_buttons(Canvas& c) {
  c.rounded_rect(80, 420, 484, 70, 12);
  c.fill_soft(kWood, 2.5, 1.1);
  const Rgb colours[5] = {pf::rgb(232, 72, 64), pf::rgb(246, 150, 40), pf::rgb(60, 170, 80), pf::rgb(60, 130, 220),
                          pf::rgb(150, 90, 200)};
  for (int k = 0; k <= 10; ++k) {
    const Rect t = sneci::kNumbers[k];
    c.rounded_rect(t.x + 1.5, t.y + 1.5, t.w - 3, t.h - 3, 7);
    c.fill_soft(colours[k % 5], 2.5);
    c.text(std::to_string(k), t.x + t.w / 2.0, t.y + t.h / 2.0, k < 10 ? 30 : 26, pf::rgb(255, 255, 255), true);
  }
}

// The leaf a group of fans sits on.
void fans_leaf(Canvas& c, Rect box) {
  c.ellipse(box.x + box.w / 2.0, box.y + box.h - 12, box.w / 2.0 - 4, 9);
  c.fill_soft(pf::rgb(90, 170, 70), 2.5);
  c.line(box.x + 14, box.y + box.h - 12, box.x + box.w - 14, box.y + box.h - 12, pf::rgb(60, 130, 50), 1.5);
}

const Surface& still() {
  static const Surface out = [] {
    Canvas c(640, 480);
    sky_and_lawn(c);
    lanes(c);
    garage(c);
    start_flag(c);
    example_strip(c);
    number_buttons(c);
    fans_leaf(c, kCheerBox);
    fans_leaf(c, kFansBox);
    Surface s(640, 480);
    c.over(s, 0, 0);
    return s;
  }();
  return out;
}

// The strawberry in its place: `size` grows it from its foot, `eaten` bites
// it away from the bottom up (its leaves fall to the ground at the end).
void strawberry(Canvas& c, double eaten, double size) {
  const Rect r = sneci::kStrawberry;
  const double cx = r.x + r.w / 2.0, foot = r.y + r.h - 2;
  cairo_t* cr = c.cr();
  if (eaten >= 1) {
    c.ellipse(cx, foot - 4, 14, 4);
    c.fill_outlined(pf::rgb(70, 160, 60), kInk, 1.5);
    return;
  }
  cairo_save(cr);
  cairo_translate(cr, cx, foot);
  cairo_scale(cr, size, size);
  cairo_push_group(cr);
  cairo_move_to(cr, 0, 0);
  cairo_curve_to(cr, -20, -6, -36, -40, -34, -64);
  cairo_curve_to(cr, -32, -84, -12, -90, 0, -84);
  cairo_curve_to(cr, 12, -90, 32, -84, 34, -64);
  cairo_curve_to(cr, 36, -40, 20, -6, 0, 0);
  cairo_close_path(cr);
  c.fill_soft(pf::rgb(232, 44, 52), 3, 1.25);
  for (int k = 0; k < 16; ++k) {
    const double sx = -24 + (k % 4) * 16 + (k / 4 % 2) * 8, sy = -70 + (k / 4) * 16;
    if (std::fabs(sx) > 30 - (sy + 70) * 0.3) continue;
    c.ellipse(sx, sy, 1.8, 2.8);
    c.fill(pf::rgb(255, 230, 120));
  }
  if (eaten > 0) {  // bites from both sides of the foot
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    for (double side : {-1.0, 1.0})
      for (int k = 0; k < 3; ++k) {
        cairo_arc(cr, side * (26 - k * 10), -4 - k * 30 * eaten, 8 + 26 * eaten, 0, 2 * M_PI);
        cairo_fill(cr);
      }
    cairo_arc(cr, 0, -4 - 40 * eaten, 8 + 26 * eaten, 0, 2 * M_PI);  // and the tip between them
    cairo_rectangle(cr, -20, -8, 40, 16);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  }
  cairo_pop_group_to_source(cr);
  cairo_paint(cr);
  // the leaves and the stalk
  for (int k = -2; k <= 2; ++k) {
    const double a = k * 0.55;
    c.polygon({{0, -84}, {std::sin(a - 0.2) * 22, -84 - std::cos(a - 0.2) * 10},
               {std::sin(a) * 30, -86 - std::cos(a) * 12}, {std::sin(a + 0.2) * 22, -84 - std::cos(a + 0.2) * 10}});
    c.fill_outlined(pf::rgb(70, 160, 60), kInk, 1.5);
  }
  c.line(0, -86, 2, -102, kInk, 5);
  c.line(0, -86, 2, -102, pf::rgb(90, 150, 60), 3);
  cairo_restore(cr);
}

// A fan sitting on the leaf with its feet at (x, y); `hop` lifts it, `up`
// raises its arms.
void draw_fan(Canvas& c, double x, double y, bool ladybug, double hop, bool up) {
  const double by = y - 13 - hop;
  const Rgb body = ladybug ? pf::rgb(228, 48, 44) : pf::rgb(60, 110, 210);
  for (double side : {-1.0, 1.0}) {
    if (up) inked_line(c, x + side * 8, by - 2, x + side * 16, by - 18, 2, pf::rgb(40, 40, 40));
    else inked_line(c, x + side * 9, by, x + side * 14, by + 6, 2, pf::rgb(40, 40, 40));
    c.line(x + side * 3, by - 17, x + side * 7, by - 25, kInk, 1.5);
    c.ellipse(x + side * 7, by - 25, 1.8, 1.8);
    c.fill(kInk);
  }
  c.ellipse(x, by, 11, 12);
  c.fill_soft(body, 2);
  c.line(x, by - 11, x, by + 11, kInk, 1.5);
  if (ladybug)
    for (auto [dx, dy] : {std::pair{-5.0, -3.0}, {5.0, -3.0}, {-5.0, 5.0}, {5.0, 5.0}}) {
      c.ellipse(x + dx, by + dy, 2.2, 2.2);
      c.fill(kInk);
    }
  c.ellipse(x, by - 12, 7, 6);
  c.fill_outlined(pf::rgb(50, 40, 40), kInk, 1.5);
  for (double side : {-1.0, 1.0}) {
    c.ellipse(x + side * 2.8, by - 13, 2, 2.2);
    c.fill(pf::rgb(255, 255, 255));
  }
  if (up) {
    c.ellipse(x, by - 9, 2.5, 1.6);
    c.fill(pf::rgb(250, 130, 130));
  }
}

void fans(Canvas& c, Rect box, bool ladybugs, double t) {
  for (int k = 0; k < 3; ++k) {
    const bool rest = t <= 0 || t >= 1;
    const double hop = rest ? 0 : 10 * std::fabs(std::sin(t * 3 * M_PI + k * 1.1));
    draw_fan(c, box.x + 26 + k * (box.w - 52) / 2.0, box.y + box.h - 12, ladybugs, hop, !rest);
  }
  if (t > 0 && t < 1)
    for (int k = 0; k < 3; ++k)
      draw_star(c, box.x + 14 + k * (box.w - 28) / 2.0, box.y + 10 + 6 * std::sin(t * 9 + k), 5,
                ladybugs ? pf::rgb(255, 120, 160) : pf::rgb(255, 210, 60), t * 4);
}

}  // namespace

Snail own_at(int n, int k) {
  return {n, kOwnX + k * kOwnDx, kOwnY + k * kOwnDy, std::atan2(kOwnDy, kOwnDx), false, 0, false};
}

Snail rival_at(int s) {
  return {kRival, kRivalX + s * kRivalDx, kRivalY + s * kRivalDy, std::atan2(-kRivalDy, -kRivalDx), true, 0, false};
}

Snail in_doorway(int n) { return {n, kDoorX, kDoorY, 0, true, 0, false}; }

Snail level(Snail s, double dx, double dy, bool left) {
  s.x += dx;
  s.y += dy;
  s.angle = 0;
  s.left = left;
  return s;
}

void draw_snail(Canvas& c, const Snail& s) {
  cairo_t* cr = c.cr();
  const Looks& look = kLooks[s.who];
  cairo_save(cr);
  cairo_translate(cr, s.x, s.y);
  cairo_rotate(cr, s.angle);
  cairo_scale(cr, s.left ? -kSnailScale : kSnailScale, kSnailScale);
  const double head = 10 + 6 * s.stretch, tail = -18 + 3 * s.stretch;
  // the eye stalks behind the head
  const double stalk = s.tucked ? 5 : 11;
  inked_line(c, head - 2, -13, head - 1, -13 - stalk, 1.5, look.body);
  inked_line(c, head + 2, -13, head + 5, -13 - stalk, 1.5, look.body);
  cairo_move_to(cr, tail, 0);
  cairo_line_to(cr, head + 4, 0);
  cairo_curve_to(cr, head + 10, 0, head + 9, -15, head + 1, -16);
  cairo_curve_to(cr, head - 5, -17, head - 7, -11, head - 8, -7);
  cairo_line_to(cr, tail + 4, -6);
  cairo_curve_to(cr, tail, -5, tail - 3, -1, tail, 0);
  cairo_close_path(cr);
  c.fill_soft(look.body, 2);
  for (double ex : {head - 1, head + 5}) {
    const double ey = -13 - stalk;
    c.ellipse(ex, ey, 3.2, 3.2);
    c.fill_outlined(pf::rgb(255, 255, 255), kInk, 1.3);
    c.ellipse(ex + 1, ey, 1.5, 1.7);
    c.fill(kInk);
  }
  cairo_new_path(cr);
  cairo_arc(cr, head + 3, -8, 3.5, 0.1 * M_PI, 0.7 * M_PI);
  c.stroke(kInk, 1.5);
  // the shell with its spiral
  c.ellipse(-4, -15, 12.5, 12);
  c.fill_soft(look.shell, 2.2);
  cairo_new_path(cr);
  for (int i = 0; i <= 40; ++i) {
    const double a = i / 40.0 * 3.2 * M_PI, r = 1.5 + 8 * i / 40.0;
    const double x = -4 + r * std::cos(a + 0.6), y = -15 + r * std::sin(a + 0.6);
    i ? cairo_line_to(cr, x, y) : cairo_move_to(cr, x, y);
  }
  c.stroke(look.spiral, 2.2);
  cairo_restore(cr);
}

Rect extent(const Snail& s) {
  constexpr int kSide = 120;
  Snail at = s;
  at.x = kSide / 2 + (s.x - std::floor(s.x));
  at.y = kSide / 2 + (s.y - std::floor(s.y));
  Canvas c(kSide, kSide);
  draw_snail(c, at);
  const Surface ink = c.keyed();
  int x0 = kSide, y0 = kSide, x1 = -1, y1 = -1;
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x)
      if (ink.at(x, y) != kKey) {
        x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
      }
  constexpr int kMargin = 3;
  const int ox = static_cast<int>(std::floor(s.x)) - kSide / 2, oy = static_cast<int>(std::floor(s.y)) - kSide / 2;
  return {ox + x0 - kMargin, oy + y0 - kMargin, x1 - x0 + 1 + 2 * kMargin, y1 - y0 + 1 + 2 * kMargin};
}

Surface garden(const Moment& m, Rect box) {
  Surface out = crop(still(), box);
  Canvas c(box.w, box.h);
  cairo_translate(c.cr(), -box.x, -box.y);
  if (m.in_garage) draw_snail(c, in_doorway(m.in_garage));
  door(c, m.door);
  if (m.berry_size > 0) strawberry(c, 1 - m.berry, m.berry_size);
  fans(c, kCheerBox, true, m.cheer);
  fans(c, kFansBox, false, m.fans);
  for (const Snail& s : m.snails) draw_snail(c, s);
  c.over(out, 0, 0);
  return out;
}

void draw_hand(Canvas& c, double x, double y) {
  const Rgb glove = pf::rgb(255, 255, 255);
  c.rounded_rect(x - 4.5, y, 9, 24, 4.5);  // the finger
  c.fill_outlined(glove, kInk, 2);
  c.rounded_rect(x - 13, y + 16, 28, 20, 8);  // the fist
  c.fill_outlined(glove, kInk, 2);
  c.rounded_rect(x - 4.5, y + 2, 9, 20, 4.5);
  c.fill(glove);
  for (double dx : {4.0, 10.0}) c.line(x + dx, y + 19, x + dx, y + 27, kInk, 1.5);
  c.rounded_rect(x - 17, y + 20, 9, 9, 4);  // the thumb
  c.fill_outlined(glove, kInk, 2);
}

}  // namespace tapo::media::race
