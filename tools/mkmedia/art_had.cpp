#include "tools/mkmedia/art_had.h"

#include <algorithm>
#include <cmath>

#include "tools/mkmedia/art_kit.h"

namespace tapo::media::trail {

namespace pf = tapo::platform;
namespace had = tapo::games::had;

namespace {

const Rgb kGrass = pf::rgb(128, 196, 92), kSand = pf::rgb(234, 210, 150), kSandEdge = pf::rgb(196, 160, 100);
const Rgb kWater = pf::rgb(96, 170, 226), kLeaf = pf::rgb(70, 150, 70), kBark = pf::rgb(140, 92, 52);
const Rgb kSnakeGreen = pf::rgb(110, 200, 70), kBelly = pf::rgb(240, 226, 120);
using kit::kWhite;

// The path's middle line: row A rightwards at y 340, a half turn round
// (500, 295), row B leftwards at y 250, a half turn round (90, 205), and
// row C rightwards at y 160 up to the place before Tapo.
constexpr double kR = 45, kRowA = 340, kRowB = 250, kRowC = 160;
constexpr double kAStart = 100, kRight = 500, kLeft = 90, kCEnd = 470;
constexpr double kLenA = kRight - kAStart, kLenB = kRight - kLeft, kLenC = kCEnd - kLeft, kTurn = M_PI * kR;
constexpr double kLength = kLenA + kTurn + kLenB + kTurn + kLenC;

Place along(double s) {
  if (s <= kLenA) return {kAStart + s, kRowA, 1, 0};
  s -= kLenA;
  if (s <= kTurn) {  // round the right, upwards
    const double a = M_PI / 2 - s / kR;
    return {kRight + kR * std::cos(a), kRowB + kR + kR * std::sin(a), std::sin(a), -std::cos(a)};
  }
  s -= kTurn;
  if (s <= kLenB) return {kRight - s, kRowB, -1, 0};
  s -= kLenB;
  if (s <= kTurn) {  // round the left, upwards
    const double a = M_PI / 2 + s / kR;
    return {kLeft + kR * std::cos(a), kRowC + kR + kR * std::sin(a), -std::sin(a), std::cos(a)};
  }
  s -= kTurn;
  return {kLeft + s, kRowC, 1, 0};
}

void trace_path(Canvas& c) {
  cairo_t* cr = c.cr();
  cairo_move_to(cr, 62, kRowA);
  cairo_line_to(cr, kRight, kRowA);
  cairo_arc_negative(cr, kRight, kRowB + kR, kR, M_PI / 2, -M_PI / 2);
  cairo_line_to(cr, kLeft, kRowB);
  cairo_arc(cr, kLeft, kRowC + kR, kR, M_PI / 2, 3 * M_PI / 2);
  cairo_line_to(cr, kCEnd + 40, kRowC);
  cairo_curve_to(cr, kCEnd + 60, kRowC, kTapoX + 40, kTapoY + 190, kTapoX + 70, kTapoY + 190);
}

// A round tree crown of soft leaves.
void crown(Canvas& c, double x, double y, double r, Rgb leaf) {
  c.ellipse(x, y, r, r * 0.9);
  c.fill_soft(leaf, 2.5, 1.15);
}

void land(Canvas& c) {
  cairo_t* cr = c.cr();
  c.paint_vertical({0.55, 0.80, 0.98}, {0.80, 0.93, 0.99}, 70);
  cairo_rectangle(cr, 0, 78, 640, 290);
  c.fill(kGrass);
  // the wood's edge: trunks, then two rows of crowns
  for (int k = 0; k < 14; ++k) {
    const double x = 18 + k * 48 + (k % 2) * 8;
    c.rounded_rect(x - 6, 40, 12, 58 - (k % 3) * 4, 4);
    c.fill_soft(kBark, 2);
  }
  for (int k = 0; k < 15; ++k) crown(c, -6 + k * 46, 24 + (k % 2) * 8, 32, shade(kLeaf, 0.85));
  for (int k = 0; k < 14; ++k) crown(c, 16 + k * 46, 52 + (k % 3) * 5, 26, kLeaf);
  // tufts of grass and flowers, placed by a fixed rule (the path covers some)
  for (int k = 0; k < 40; ++k) {
    const double x = std::fmod(k * 151.0, 630.0) + 5, y = 104 + std::fmod(k * 71.0, 254.0);
    if (k % 2) {
      draw_flower(c, x, y, k, 0.92);
    } else {
      for (int b = -1; b <= 1; ++b) c.line(x, y + 4, x + 4 * b, y - 4 + std::abs(b) * 2, shade(kGrass, 0.78), 2);
    }
  }
  // the pond on the right, between the path's turn and the edge
  c.ellipse(606, 296, 40, 34);
  c.fill_outlined(kWater, shade(kGrass, 0.7), 4);
  c.ellipse(598, 282, 16, 5);
  c.fill(shade(kWater, 1.25));
  for (auto [x, y] : {std::pair{576.0, 322.0}, {630.0, 270.0}}) {
    c.line(x, y, x - 2, y - 22, pf::rgb(90, 130, 60), 3);
    c.rounded_rect(x - 5, y - 34, 8, 16, 4);
    c.fill_outlined(pf::rgb(130, 80, 40), kInk, 1.5);
  }
  // the path
  for (auto [w, col] : {std::pair{38.0, kSandEdge}, {32.0, kSand}}) {
    trace_path(c);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    c.stroke(col, w);
  }
  // pebbles along its rows
  for (int k = 0; k < 30; ++k) {
    const Place p = along(std::fmod(k * 53.0 + 20, kLength));
    c.ellipse(p.x - p.dy * 12, p.y + p.dx * 12, 2, 1.5);
    c.fill(kSandEdge);
  }
  // the big tree of the squirrel, and its branch
  c.rounded_rect(414, 10, 18, 132, 6);
  c.fill_soft(kBark, 2.5);
  c.polygon({{416, 106}, {386, 100}, {386, 106}, {416, 114}});
  c.fill_outlined(kBark, kInk, 2);
  crown(c, 424, 8, 34, shade(kLeaf, 1.05));
}

// ---- the bottom band: the chain line, the digits, check and erase -------------------

void band(Canvas& c) {
  cairo_t* cr = c.cr();
  const Rgb board = pf::rgb(196, 150, 96);
  cairo_rectangle(cr, 0, 364, 640, 116);
  c.fill(board);
  c.line(0, 364, 640, 364, kInk, 3);
  // the chain's strip: one plain light colour where the game prints
  cairo_rectangle(cr, 0, had::kChainTop - 3, 640, 44);
  c.fill(pf::rgb(255, 250, 232));
  c.line(0, had::kChainTop - 3, 640, had::kChainTop - 3, shade(board, 0.7), 2);
  c.line(0, had::kChainTop + 41, 640, had::kChainTop + 41, shade(board, 0.7), 2);
  for (int d = 0; d <= 9; ++d) {
    const Rect r = had::digit_area(d);
    c.rounded_rect(r.x + 1.5, r.y + 1.5, r.w - 3, r.h - 3, 7);
    c.fill_outlined(pf::rgb(255, 238, 176), kInk, 2);
    c.text(std::to_string(d), r.x + r.w / 2.0, r.y + r.h / 2.0 + 0.5, 27, had::kChainFont.color);
  }
  for (const Rect& r : {had::kCheck, had::kErase}) {
    c.rounded_rect(r.x + 1, r.y + 1, r.w - 2, r.h - 2, 6);
    c.fill_outlined(pf::rgb(255, 250, 232), kInk, 2);
  }
  // the check: a green tick
  const Rect k = had::kCheck;
  for (auto [w, col] : {std::pair{7.0, kInk}, {4.0, pf::rgb(50, 180, 60)}}) {
    cairo_move_to(cr, k.x + 7, k.y + 15);
    cairo_line_to(cr, k.x + 12, k.y + 21);
    cairo_line_to(cr, k.x + 22, k.y + 8);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    c.stroke(col, w);
  }
  // the erase: an arrow back to the left
  const Rect e = had::kErase;
  const double my = e.y + e.h / 2.0;
  c.polygon({{e.x + 5.0, my}, {e.x + 13.0, my - 8}, {e.x + 13.0, my - 3.5}, {e.x + 23.0, my - 3.5},
             {e.x + 23.0, my + 3.5}, {e.x + 13.0, my + 3.5}, {e.x + 13.0, my + 8}});
  c.fill_outlined(pf::rgb(230, 90, 60), kInk, 1.5);
}

// ---- the little snakes --------------------------------------------------------------------

void eye(Canvas& c, double x, double y, double r, double open) {
  if (open < 0.15) {
    c.line(x - r, y, x + r, y, kInk, 1.6);
    return;
  }
  c.ellipse(x, y, r, r * open);
  c.fill_outlined(kWhite, kInk, 1.2);
  c.ellipse(x + r * 0.25, y, r * 0.5, r * 0.5 * open);
  c.fill(kInk);
}

// The nest snake coiled in the grass; its head at the right, looking at the path.
void nest(Canvas& c, const Moment& m) {
  cairo_t* cr = c.cr();
  const double x = kNest.x + 4, y = kNest.y;
  for (int k = 0; k < 9; ++k) {  // the grass of the nest, behind
    const double gx = x + 6 + k * 7.5;
    c.line(gx, y + 64, gx + (k % 3 - 1) * 5, y + 38 + (k % 2) * 6, shade(kGrass, 0.72), 3);
  }
  c.ellipse(x + 32, y + 54, 26, 10);
  c.fill_soft(kSnakeGreen, 2.5);
  c.ellipse(x + 30, y + 44, 19, 8);
  c.fill_soft(kSnakeGreen, 2.5);
  // the neck and the head
  const double hx = x + 48 + 4 * m.lift, hy = y + 34 - 16 * m.lift;
  for (auto [w, col] : {std::pair{13.0, kInk}, {8.0, kSnakeGreen}}) {
    cairo_move_to(cr, x + 40, y + 44);
    cairo_curve_to(cr, x + 48, y + 42, hx - 6, hy + 10, hx, hy);
    c.stroke(col, w);
  }
  if (m.tongue) {
    c.line(hx + 12, hy + 3, hx + 17, hy + 3, pf::rgb(220, 40, 60), 2);
    c.line(hx + 17, hy + 3, hx + 19, hy + 1, pf::rgb(220, 40, 60), 1.5);
    c.line(hx + 17, hy + 3, hx + 19, hy + 5, pf::rgb(220, 40, 60), 1.5);
  }
  c.ellipse(hx + 2, hy, 12, 9);
  c.fill_soft(kSnakeGreen, 2.5);
  c.ellipse(hx + 4, hy + 4, 7, 3);
  c.fill(kBelly);
  eye(c, hx - 2, hy - 3, 4, m.eyes);
  eye(c, hx + 7, hy - 3, 4, m.wink ? 0 : m.eyes);
  if (m.eyes > 0.9) {
    cairo_move_to(cr, hx + 3, hy + 5);
    cairo_curve_to(cr, hx + 6, hy + 8, hx + 10, hy + 7, hx + 12, hy + 4);
    c.stroke(kInk, 1.5);
  }
  for (int k = 0; k < 7; ++k) {  // blades in front of the coils
    const double gx = x + 4 + k * 10;
    c.line(gx, y + 68, gx + (k % 2 ? 4 : -3), y + 54 + (k % 3) * 3, shade(kGrass, 0.8), 2.5);
  }
  if (m.eyes < 0.1) c.text("z", x + 58, y + 12, 13, pf::rgb(80, 90, 160));
}

// ---- the animals --------------------------------------------------------------------------

void mushroom(Canvas& c, double x, double base, double size) {
  if (size < 1) return;
  c.rounded_rect(x - size * 0.25, base - size * 0.7, size * 0.5, size * 0.7, size * 0.15);
  c.fill_outlined(pf::rgb(250, 240, 220), kInk, 1.5);
  c.dome(x, base - size * 0.6, size * 0.62, size * 0.55);
  c.fill_outlined(pf::rgb(220, 50, 40), kInk, 1.8);
  for (double k : {-0.3, 0.1, 0.35}) {
    c.ellipse(x + k * size, base - size * (0.85 - std::fabs(k) * 0.3), size * 0.08, size * 0.07);
    c.fill(kWhite);
  }
}

// Two small mushrooms; in the show three big ones pop up one after another.
void mushrooms(Canvas& c, double t) {
  for (int k = 0; k < 3; ++k) {
    const double u = std::clamp((t - 0.12 * k) / 0.7, 0.0, 1.0);
    const double pop = std::sin(M_PI * u);
    const double rest = k == 1 ? 0 : 14;
    mushroom(c, 16 + k * 14, 44 + (k == 1 ? 2 : 0), rest + (k == 1 ? 30 : 10) * pop);
  }
}

// A badger peeking from its burrow; in the show it climbs up and waves.
void badger(Canvas& c, double t) {
  cairo_t* cr = c.cr();
  const double rise = 8 + 24 * std::pow(std::sin(M_PI * t), 0.7);
  c.ellipse(31, 42, 29, 8);
  c.fill_soft(pf::rgb(150, 104, 60), 2);
  c.ellipse(31, 41, 17, 5);
  c.fill(pf::rgb(50, 32, 22));
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, 62, 42);
  cairo_clip(cr);
  const double hy = 44 - rise;
  c.ellipse(31, hy + 16, 13, 14);
  c.fill_soft(pf::rgb(150, 150, 150), 2);
  for (double s : {-1.0, 1.0}) {
    c.ellipse(31 + s * 9, hy - 7, 3.5, 3.5);
    c.fill_outlined(pf::rgb(120, 120, 120), kInk, 1.5);
  }
  c.ellipse(31, hy + 2, 11, 10);
  c.fill_outlined(kWhite, kInk, 2);
  for (double s : {-1.0, 1.0}) {  // the black stripes through the eyes
    c.polygon({{31 + s * 3, hy - 8}, {31 + s * 9, hy - 5}, {31 + s * 7, hy + 8}, {31 + s * 3, hy + 6}});
    c.fill(pf::rgb(40, 40, 40));
    c.ellipse(31 + s * 5.5, hy + 1, 1.6, 1.6);
    c.fill(kWhite);
  }
  c.ellipse(31, hy + 10, 3, 2.2);
  c.fill(kInk);
  cairo_restore(cr);
  if (rise > 24) {  // a paw waving over the rim
    const double a = std::sin(t * 6 * M_PI) * 0.5;
    const double px = 48 + 8 * std::sin(a), py = 30 - 8 * std::cos(a);
    c.line(42, 38, px, py, kInk, 7);
    c.line(42, 38, px, py, pf::rgb(150, 150, 150), 4);
  }
  c.ellipse(31, 46, 24, 4);  // the rim in front
  c.fill(pf::rgb(150, 104, 60));
}

// A little heap by a hole; in the show a pink earthworm wriggles out and back.
void earthworm(Canvas& c, double t) {
  cairo_t* cr = c.cr();
  c.ellipse(26, 43, 18, 5);
  c.fill(pf::rgb(150, 104, 60));
  c.ellipse(26, 42, 8, 3);
  c.fill(pf::rgb(60, 38, 24));
  const double h = 34 * std::sin(M_PI * t);
  if (h < 2) return;
  const int n = 12;
  for (auto [w, col] : {std::pair{9.0, kInk}, {6.0, pf::rgb(240, 150, 160)}}) {
    for (int k = 0; k <= n; ++k) {
      const double u = k / double(n);
      const double x = 26 + 6 * u * std::sin(u * 5 + t * 18), y = 42 - h * u;
      if (k == 0) cairo_move_to(cr, x, y);
      else cairo_line_to(cr, x, y);
    }
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    c.stroke(col, w);
  }
  const double hx = 26 + 6 * std::sin(5 + t * 18), hy = 42 - h;
  eye(c, hx - 2, hy + 1, 1.8, 1);
  eye(c, hx + 2, hy + 1, 1.8, 1);
}

// A frog on a lily pad; in the show it puffs its throat, leaps and lands.
void frog(Canvas& c, double t) {
  const double pad_x = 38, pad_y = 56;
  c.ellipse(pad_x, pad_y, 26, 9);
  c.fill_outlined(pf::rgb(80, 170, 80), kInk, 2);
  c.polygon({{pad_x, pad_y}, {pad_x + 20, pad_y - 4}, {pad_x + 22, pad_y + 2}});
  c.fill(kWater);
  const double u = std::clamp((t - 0.25) / 0.5, 0.0, 1.0), hop = 26 * std::sin(M_PI * u);
  const double y = pad_y - 10 - hop;
  const Rgb green = pf::rgb(90, 190, 80);
  const bool flying = u > 0 && u < 1;
  for (double s : {-1.0, 1.0}) {  // the back legs: folded, or stretched in the leap
    c.ellipse(pad_x + s * 12, y + (flying ? 12 : 4), flying ? 4 : 8, flying ? 10 : 5);
    c.fill_outlined(green, kInk, 1.8);
  }
  c.ellipse(pad_x, y, 15, 11);
  c.fill_soft(green, 2);
  c.ellipse(pad_x, y + 4, 9, 5);
  c.fill(pf::rgb(230, 240, 170));
  for (double s : {-1.0, 1.0}) eye(c, pad_x + s * 7, y - 10, 4.5, 1);
  const double croak = t < 0.25 ? std::sin(t / 0.25 * 2 * M_PI) : t > 0.75 ? std::sin((t - 0.75) / 0.25 * M_PI) : 0;
  if (croak > 0.1) {
    c.ellipse(pad_x, y + 7, 6 * croak + 2, 4 * croak + 2);
    c.fill_outlined(pf::rgb(250, 240, 190), kInk, 1.2);
  } else {
    cairo_move_to(c.cr(), pad_x - 7, y);
    cairo_curve_to(c.cr(), pad_x - 3, y + 4, pad_x + 3, y + 4, pad_x + 7, y);
    c.stroke(kInk, 1.6);
  }
  if (u >= 1 && t < 1) {  // rings on the water after the landing
    const double r = 10 + (t - 0.75) * 60;
    c.ellipse(pad_x, pad_y + 2, std::min(31.0, r + 12), r * 0.3 + 4);
    c.stroke(shade(kWater, 1.3), 1.5);
  }
}

// An orange striped snake behind a stone; in the show it rises, sways and
// flicks its tongue.
void snake(Canvas& c, double t) {
  cairo_t* cr = c.cr();
  const double up = std::sin(M_PI * t), sway = 8 * std::sin(t * 4 * M_PI) * up;
  const double hx = 40 + sway, hy = 32 - 16 * up;
  const Rgb orange = pf::rgb(246, 150, 50);
  for (int pass = 0; pass < 3; ++pass) {
    cairo_move_to(cr, 18, 40);
    cairo_curve_to(cr, 34, 43, 40, 40, hx, hy);
    if (pass == 2) {
      const double dash[2] = {4, 6};
      cairo_set_dash(cr, dash, 2, 0);
    }
    c.stroke(pass == 0 ? kInk : pass == 1 ? orange : pf::rgb(150, 70, 30), pass == 0 ? 12 : pass == 1 ? 8 : 8);
    cairo_set_dash(cr, nullptr, 0, 0);
  }
  if (std::fmod(t * 5, 1) > 0.5 && up > 0.3) {
    c.line(hx + 10, hy + 2, hx + 18, hy + 2, pf::rgb(220, 40, 60), 2);
    c.line(hx + 18, hy + 2, hx + 21, hy - 1, pf::rgb(220, 40, 60), 1.5);
    c.line(hx + 18, hy + 2, hx + 21, hy + 5, pf::rgb(220, 40, 60), 1.5);
  }
  c.ellipse(hx + 2, hy, 10, 8);
  c.fill_soft(orange, 2);
  eye(c, hx, hy - 3, 3.2, 1);
  eye(c, hx + 7, hy - 3, 3.2, 1);
  // the stone in front
  c.polygon({{2, 47}, {4, 32}, {14, 24}, {28, 28}, {32, 47}});
  c.fill_soft(pf::rgb(160, 160, 168), 2);
}

// A fox sitting in the grass; in the show it wags its tail and tilts its head.
void fox(Canvas& c, double t) {
  cairo_t* cr = c.cr();
  const double wag = 0.5 * std::sin(t * 6 * M_PI) * std::sin(M_PI * t), tilt = 0.18 * std::sin(M_PI * t);
  const Rgb red = pf::rgb(232, 110, 40);
  cairo_save(cr);  // the tail, from the back
  cairo_translate(cr, 44, 42);
  cairo_rotate(cr, -0.5 + wag);
  c.ellipse(14, 0, 16, 7);
  c.fill_soft(red, 2);
  c.ellipse(26, 0, 5, 4.5);
  c.fill(kWhite);
  cairo_restore(cr);
  c.ellipse(36, 36, 12, 12);
  c.fill_soft(red, 2);
  c.ellipse(36, 40, 6, 7);
  c.fill(kWhite);
  cairo_save(cr);
  cairo_translate(cr, 34, 20);
  cairo_rotate(cr, tilt);
  for (double s : {-1.0, 1.0}) {
    c.polygon({{s * 4, -6}, {s * 12, -15}, {s * 12, -3}});
    c.fill_outlined(red, kInk, 1.8);
  }
  c.polygon({{-12, -4}, {12, -4}, {0, 12}});
  c.fill_outlined(red, kInk, 2);
  c.polygon({{-6, 3}, {6, 3}, {0, 12}});
  c.fill(kWhite);
  c.ellipse(0, 11, 2.5, 2);
  c.fill(kInk);
  eye(c, -5, -1, 2.6, 1);
  eye(c, 5, -1, 2.6, 1);
  cairo_restore(cr);
}

// A grey wolf sitting at the wood's edge; in the show it raises its head and howls.
void wolf(Canvas& c, double t) {
  cairo_t* cr = c.cr();
  const double howl = std::sin(M_PI * std::clamp((t - 0.1) / 0.8, 0.0, 1.0));
  const Rgb grey = pf::rgb(140, 144, 156), light = pf::rgb(210, 212, 220);
  c.ellipse(74, 70, 18, 6);  // the tail lying on the ground
  c.fill_soft(grey, 2);
  c.ellipse(52, 56, 18, 24);
  c.fill_soft(grey, 2.5);
  c.ellipse(48, 62, 9, 14);
  c.fill(light);
  for (double x : {42.0, 58.0}) {
    c.rounded_rect(x - 4, 64, 9, 18, 4);
    c.fill_outlined(grey, kInk, 2);
  }
  cairo_save(cr);
  cairo_translate(cr, 48, 30);
  cairo_rotate(cr, 0.55 * howl);
  for (double s : {-1.0, 1.0}) {
    c.polygon({{s * 3, -10}, {s * 11, -22}, {s * 13, -6}});
    c.fill_outlined(grey, kInk, 2);
  }
  c.ellipse(0, 0, 14, 12);
  c.fill_soft(grey, 2.5);
  if (howl > 0.4) {  // the open jaw below the snout
    c.polygon({{-8, 8}, {-24, 10 + 4 * howl}, {-22, 14 + 4 * howl}, {-6, 12}});
    c.fill_outlined(grey, kInk, 1.8);
    c.polygon({{-9, 9}, {-22, 8}, {-21, 10 + 4 * howl}});
    c.fill(pf::rgb(150, 30, 40));
  }
  c.polygon({{-11, -2}, {-27, 3}, {-26, 9}, {-8, 9}});  // the snout, to the left
  c.fill_outlined(grey, kInk, 2);
  c.polygon({{-10, 4}, {-25, 8}, {-8, 9}});
  c.fill(light);
  c.ellipse(-26, 4, 2.8, 2.4);
  c.fill(kInk);
  eye(c, -5, -3, 3, howl > 0.6 ? 0 : 1);
  cairo_restore(cr);
  if (howl > 0.6) {  // his song
    for (int k = 0; k < 2; ++k) {
      const double nx = 12 + k * 12, ny = 22 - k * 7 - 4 * howl;
      c.ellipse(nx, ny, 3, 2.4);
      c.fill(pf::rgb(60, 60, 120));
      c.line(nx + 2.6, ny, nx + 2.6, ny - 10, pf::rgb(60, 60, 120), 1.5);
    }
  }
}

// A little goblin with a red pointed hat by a stump; in the show he hops and waves.
void goblin(Canvas& c, double t) {
  cairo_t* cr = c.cr();
  c.rounded_rect(38, 52, 18, 22, 3);  // the stump
  c.fill_soft(kBark, 2);
  c.ellipse(47, 52, 9, 3);
  c.fill_outlined(pf::rgb(220, 180, 120), kInk, 1.5);
  const double hop = 10 * std::fabs(std::sin(t * 2 * M_PI)), y = 74 - hop;
  const double wave = std::sin(M_PI * t) * (0.6 + 0.5 * std::sin(t * 8 * M_PI));
  c.polygon({{10, y - 2}, {34, y - 2}, {30, y - 26}, {14, y - 26}});  // the coat
  c.fill_outlined(pf::rgb(60, 110, 200), kInk, 2);
  const double ax = 30 + 14 * std::sin(0.6 + wave * 1.6), ay = y - 22 - 14 * std::cos(0.6 + wave * 1.6) + 10;
  c.line(30, y - 22, ax, ay, kInk, 6);
  c.line(30, y - 22, ax, ay, pf::rgb(60, 110, 200), 3);
  c.ellipse(ax, ay, 3, 3);
  c.fill_outlined(pf::rgb(250, 200, 170), kInk, 1.2);
  c.ellipse(22, y - 34, 9, 9);
  c.fill_outlined(pf::rgb(250, 200, 170), kInk, 2);
  c.polygon({{14, y - 32}, {30, y - 32}, {22, y - 16}});  // the beard
  c.fill_outlined(kWhite, kInk, 1.5);
  eye(c, 19, y - 35, 1.8, 1);
  eye(c, 25, y - 35, 1.8, 1);
  c.ellipse(22, y - 31, 2.4, 2);
  c.fill(pf::rgb(230, 120, 110));
  cairo_move_to(cr, 11, y - 39);  // the hat, its tip bobbing
  cairo_line_to(cr, 33, y - 39);
  cairo_line_to(cr, 24 + 3 * std::sin(t * 4 * M_PI), y - 66 + hop * 0.3);
  cairo_close_path(cr);
  c.fill_outlined(pf::rgb(220, 40, 40), kInk, 2);
}

// A squirrel with a nut on the branch of the big tree; in the show it runs
// up the trunk and back down.
void squirrel(Canvas& c, double t) {
  cairo_t* cr = c.cr();
  const Rgb fur = pf::rgb(200, 100, 40);
  const double climb = std::sin(M_PI * t), y = 92 - 56 * climb;
  const bool on_trunk = climb > 0.15;
  const double x = on_trunk ? 34 : 20;
  cairo_save(cr);
  cairo_translate(cr, x, y);
  if (on_trunk) cairo_rotate(cr, t < 0.5 ? M_PI / 2 : -M_PI / 2);  // head up, then head down
  // the tail curled up behind
  for (auto [w, col] : {std::pair{14.0, kInk}, {10.0, fur}}) {
    cairo_move_to(cr, 8, 8);
    cairo_curve_to(cr, 24, 6, 22, -20, 10, -16);
    c.stroke(col, w);
  }
  c.ellipse(0, 4, 9, 8);
  c.fill_soft(fur, 2);
  c.ellipse(-7, -6, 7, 6);
  c.fill_soft(fur, 2);
  c.polygon({{-7, -11}, {-4, -18}, {-2, -10}});
  c.fill_outlined(fur, kInk, 1.5);
  eye(c, -9, -7, 2, 1);
  c.ellipse(-5, 3, 3, 3.5);  // the nut
  c.fill_outlined(pf::rgb(150, 100, 50), kInk, 1.2);
  cairo_restore(cr);
}

void draw_meet(Canvas& c, int who, double t) {
  const Rect b = kEncounters[who].box;
  cairo_save(c.cr());
  cairo_translate(c.cr(), b.x, b.y);
  switch (who) {
    case kMushrooms: mushrooms(c, t); break;
    case kBadger: badger(c, t); break;
    case kEarthworm: earthworm(c, t); break;
    case kFrog: frog(c, t); break;
    case kSnake: snake(c, t); break;
    case kFox: fox(c, t); break;
    case kWolf: wolf(c, t); break;
    case kGoblin: goblin(c, t); break;
    default: squirrel(c, t); break;
  }
  cairo_restore(c.cr());
}

}  // namespace

Place step_place(int k) { return along((k - 1) * kLength / (had::kSteps - 1)); }

Rect step_rect(int k) {
  const Place p = step_place(k);
  return {static_cast<int>(std::lround(p.x)) - kWalker / 2, static_cast<int>(std::lround(p.y)) - kWalker / 2, kWalker, kWalker};
}

void draw_walker(Canvas& c, const Place& p) {
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_translate(cr, p.x, p.y);
  // heading left it is mirrored rather than turned, so it never lies on its back
  if (p.dx < -0.01) {
    cairo_scale(cr, -1, 1);
    cairo_rotate(cr, std::atan2(p.dy, -p.dx));
  } else {
    cairo_rotate(cr, std::atan2(p.dy, p.dx));
  }
  for (auto [w, col] : {std::pair{10.0, kInk}, {6.5, kSnakeGreen}}) {
    cairo_move_to(cr, -17, 4);
    cairo_curve_to(cr, -12, -8, -6, -8, -2, 0);
    cairo_curve_to(cr, 2, 8, 8, 6, 10, 0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    c.stroke(col, w);
  }
  c.line(-8, -4.5, -5, -4, kBelly, 2);
  c.line(2, 4, 5, 4.5, kBelly, 2);
  c.line(17, 1, 21, 1, pf::rgb(220, 40, 60), 1.6);
  c.ellipse(12, -1, 7, 5.5);
  c.fill_soft(kSnakeGreen, 2);
  eye(c, 13, -3, 2.6, 1);
  cairo_restore(cr);
}

Surface scene(const Moment& m) {
  return painted(Surface(640, 480), [&](Canvas& c) {
    land(c);
    band(c);
    for (int k = 0; k < kMeets; ++k) draw_meet(c, k, m.meet[k]);
    nest(c, m);
    if (m.tapo) draw_tapo(c, kTapoX, kTapoY, m.tapo_look);
  });
}

}  // namespace tapo::media::trail
