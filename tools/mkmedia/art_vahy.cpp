#include "tools/mkmedia/art_vahy.h"

#include <cmath>

#include "tools/mkmedia/art_kit.h"
#include "tools/mkmedia/quantize.h"

namespace tapo::media::scales {

namespace pf = tapo::platform;
namespace vahy = tapo::games::vahy;

namespace {

const Rgb kBrass = pf::rgb(226, 170, 60), kBoard = pf::rgb(255, 251, 236), kWood = pf::rgb(168, 108, 58);

// The beam's pivot, hidden in the red head of the balance; the arms come out
// of its sides, so where they cross the clips' edges they are always covered.
constexpr double kPivotX = 306, kArmY = 92;
constexpr Rect kHead{200, 50, 212, 90};

void sky_and_meadow(Canvas& c) {
  c.paint_vertical({0.50, 0.76, 0.97}, {0.82, 0.93, 0.99}, 250);
  c.ellipse(600, 44, 28, 28);
  c.fill(pf::rgb(255, 222, 90));
  for (auto [x, y, r] : {std::tuple{250.0, 212.0, 18.0}, {272.0, 204.0, 24.0}, {296.0, 214.0, 16.0},
                         {24.0, 40.0, 16.0}, {44.0, 34.0, 20.0}}) {
    c.ellipse(x, y, r, r * 0.7);
    c.fill(pf::rgb(255, 255, 255));
  }
  // far hills, then the meadow
  c.ground(250, {{120, 206, 220, 228, 330, 236}, {450, 244, 540, 200, 640, 226}});
  c.fill(pf::rgb(150, 204, 110));
  c.ground(290, {{200, 262, 420, 282, 640, 270}});
  c.fill(pf::rgb(118, 190, 84));
  // a fence along the meadow
  for (int x = 6; x < 640; x += 34) {
    c.rounded_rect(x, 252, 10, 44, 3);
    c.fill_outlined(pf::rgb(222, 186, 132), kInk, 2);
  }
  for (double y : {262.0, 280.0}) {
    c.rounded_rect(0, y, 640, 7, 2);
    c.fill_outlined(pf::rgb(232, 198, 146), kInk, 2);
  }
  // flowers, placed by a fixed rule
  for (int k = 0; k < 26; ++k) {
    const double x = std::fmod(k * 149.0, 620.0) + 10, y = 312 + std::fmod(k * 67.0, 160.0);
    draw_flower(c, x, y, k);
  }
  // a tree on the right
  c.rounded_rect(592, 150, 22, 170, 6);
  c.fill_soft(pf::rgb(140, 90, 50));
  for (auto [x, y, r] : {std::tuple{584.0, 150.0, 40.0}, {620.0, 126.0, 40.0}, {606.0, 172.0, 36.0}}) {
    c.ellipse(x, y, r, r);
    c.fill_soft(pf::rgb(86, 168, 76), 2.5);
  }
}

// One pan hanging from its arm, shifted `dy` pixels from rest.
void draw_pan(Canvas& c, bool left, double dy) {
  const Rect text = left ? vahy::kLeftText : vahy::kRightText;
  const double hx = text.x + text.w / 2.0, side = left ? -1 : 1;
  const double end = hx + side * 22;
  const double end_y = kArmY + dy * (end - kPivotX) / (hx - kPivotX);
  inked_line(c, kPivotX, kArmY, end, end_y, 7, kBrass);
  c.ellipse(end, end_y, 6, 6);
  c.fill_outlined(kBrass, kInk, 2.5);
  // the loop on the arm, the strings, the dish and the board standing in it
  const double hy = kArmY + dy, rim = 206 + dy;
  c.ellipse(hx, hy, 7, 7);
  c.stroke(kInk, 2.5);
  c.line(hx, hy + 7, hx, hy + 14, kInk, 2.5);
  for (double s : {-1.0, 1.0}) c.line(hx, hy + 14, hx + s * 58, rim, kInk, 2);
  cairo_t* cr = c.cr();
  cairo_move_to(cr, hx - 64, rim);
  cairo_curve_to(cr, hx - 50, rim + 24, hx + 50, rim + 24, hx + 64, rim);
  cairo_close_path(cr);
  c.fill_soft(kBrass, 2.5);
  c.rounded_rect(text.x - 7, text.y - 7 + dy, text.w + 14, text.h + 14, 6);
  c.fill_outlined(kBoard, kInk, 3);
  c.ellipse(hx, rim, 64, 5);
  c.fill_outlined(shade(kBrass, 1.15), kInk, 2);
}

// The post, the head that hides the pivot, the holder of the sign and the lock.
void draw_balance(Canvas& c) {
  c.polygon({{246, 430}, {370, 430}, {348, 398}, {268, 398}});
  c.fill_soft(kWood);
  c.rounded_rect(295, 130, 24, 272, 5);
  c.fill_soft(kWood);
  c.rounded_rect(kHead.x, kHead.y, kHead.w, kHead.h, 24);
  c.fill_soft(pf::rgb(214, 72, 60));
  c.rounded_rect(kHead.x + 8, kHead.y + 8, kHead.w - 16, kHead.h - 16, 18);
  c.stroke(pf::rgb(255, 214, 100), 3);
  c.ellipse(kPivotX, 42, 9, 9);
  c.fill_soft(kBrass, 2.5);
  c.ellipse(kPivotX, kArmY + 3, 30, 30);
  c.fill_soft(kBrass);
  draw_star(c, kPivotX, kArmY + 3, 18, pf::rgb(255, 244, 170));
  // the sign's holder
  const Rect sign = vahy::kSign, lock = vahy::kLock;
  c.ellipse(sign.x + sign.w / 2.0, sign.y + sign.h / 2.0, 25, 25);
  c.fill_outlined(pf::rgb(236, 236, 228), kInk, 3);
  // the lock: a brass plate and a red lever
  const double lx = lock.x + lock.w / 2.0;
  c.rounded_rect(lock.x + 3, lock.y + 3, lock.w - 6, lock.h - 6, 7);
  c.fill_soft(kBrass);
  inked_line(c, lx, lock.y + 30, lx - 10, lock.y + 12, 4, pf::rgb(220, 40, 40));
  c.ellipse(lx - 10, lock.y + 12, 6, 6);
  c.fill_soft(pf::rgb(230, 50, 50), 2.5);
  c.ellipse(lx, lock.y + 30, 4, 4);
  c.fill_outlined(pf::rgb(120, 120, 120), kInk, 2);
}

Surface scene(double left_dy, double right_dy, bool hedgehog, bool mouse) {
  return painted(Surface(640, 480), [&](Canvas& c) {
    sky_and_meadow(c);
    draw_pan(c, true, left_dy);
    draw_pan(c, false, right_dy);
    draw_balance(c);
    if (hedgehog) draw_hedgehog(c);
    if (mouse) draw_mouse(c, vahy::kMouse.x + 50, vahy::kMouse.y + 72);
  });
}

struct Shared {
  Meadow meadow;
  std::vector<std::vector<Surface>> pans;  // per clip below
};

constexpr vahy::PanClip kClips[4] = {vahy::kLeftDown, vahy::kLeftUp, vahy::kRightDown, vahy::kRightUp};

// Everything the pans' clips cover, in one palette.
const Shared& shared() {
  static const Shared out = [] {
    std::vector<Surface> all = {scene(0, 0, true, true), scene(0, 0, false, true), scene(0, 0, true, false)};
    for (const auto& clip : kClips)
      for (int i = 1; i < vahy::kPanFrames; ++i) {
        const double dy = vahy::pan_shift(i, clip.down);
        all.push_back(crop(scene(clip.left ? dy : 0, clip.left ? 0 : dy, true, true), clip.box));
      }
    const std::vector<Surface> mapped = in_one_palette(all);
    Shared s;
    s.meadow.stage = mapped[0];
    s.meadow.no_hedgehog = mapped[1];
    s.meadow.no_mouse = mapped[2];
    s.meadow.background = painted(mapped[0], [](Canvas& c) { draw_tapo(c, kTapoX, kTapoY, {}); });
    size_t next = 3;
    for (const auto& clip : kClips) {
      std::vector<Surface> frames = {crop(s.meadow.stage, clip.box)};
      for (int i = 1; i < vahy::kPanFrames; ++i) frames.push_back(mapped[next++]);
      s.pans.push_back(std::move(frames));
    }
    return s;
  }();
  return out;
}

}  // namespace

Meadow meadow() { return shared().meadow; }

std::vector<Surface> pan_frames(const vahy::PanClip& clip) {
  for (int k = 0; k < 4; ++k)
    if (kClips[k].box == clip.box) return shared().pans[static_cast<size_t>(k)];
  fail("no such pan clip");
}

void draw_hedgehog(Canvas& c, double squash, double wave) {
  const Rect at = vahy::kHedgehog;
  const double cx = at.x + 30, feet = at.y + at.h - 4;
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_translate(cr, cx, feet);
  cairo_scale(cr, 1 + 0.15 * squash, 1 - 0.3 * squash);
  cairo_translate(cr, -cx, -feet);
  for (double s : {-1.0, 1.0}) {  // feet
    c.ellipse(cx + s * 11 + 4, feet - 3, 10, 5);
    c.fill_outlined(pf::rgb(150, 100, 70), kInk, 2);
  }
  // the spiny back: a zigzag round the body
  const double bx = cx - 4, by = feet - 58, rx = 26, ry = 50;
  cairo_new_path(cr);
  for (int k = 0; k <= 36; ++k) {
    const double a = M_PI * 0.35 + k * (M_PI * 1.5) / 36;
    const double r = k % 2 ? 1.0 : 1.28;
    cairo_line_to(cr, bx + rx * r * std::cos(a), by + ry * r * std::sin(a));
  }
  cairo_close_path(cr);
  c.fill_outlined(pf::rgb(120, 84, 60), kInk, 2.5);
  // the belly and the face, turned towards the balance
  c.ellipse(cx + 6, feet - 48, 20, 40);
  c.fill_soft(pf::rgb(240, 214, 170), 2.5);
  c.polygon({{cx + 14, feet - 104}, {cx + 36, feet - 92}, {cx + 14, feet - 82}});
  c.fill_outlined(pf::rgb(240, 214, 170), kInk, 2.5);
  c.ellipse(cx + 36, feet - 92, 4, 4);
  c.fill(pf::rgb(30, 20, 20));
  c.ellipse(cx + 14, feet - 98, 3.2, 4);
  c.fill(pf::rgb(30, 20, 20));
  cairo_new_path(cr);
  cairo_arc(cr, cx + 20, feet - 90, 7, 0.2 * M_PI, 0.7 * M_PI);
  c.stroke(kInk, 2);
  c.ellipse(cx + 8, feet - 86, 4, 2.5);
  c.fill(pf::rgb(250, 160, 160));
  // a paw, raised by `wave`
  const double a = 0.6 - 1.9 * wave;
  inked_line(c, cx + 10, feet - 60, cx + 10 + 20 * std::cos(a), feet - 60 + 20 * std::sin(a), 5, pf::rgb(240, 214, 170));
  cairo_restore(cr);
}

void draw_hedgehog_ball(Canvas& c, double cx, double cy, double turn) {
  cairo_t* cr = c.cr();
  cairo_new_path(cr);
  for (int k = 0; k < 32; ++k) {
    const double a = turn + k * 2 * M_PI / 32;
    const double r = k % 2 ? 26.0 : 34.0;
    cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
  }
  cairo_close_path(cr);
  c.fill_outlined(pf::rgb(120, 84, 60), kInk, 2.5);
  c.ellipse(cx + 8 * std::cos(turn), cy + 8 * std::sin(turn), 10, 10);
  c.fill_soft(pf::rgb(240, 214, 170), 2);
}

void draw_mouse(Canvas& c, double x, double y, double facing, double step, bool upright) {
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, facing, 1);
  const Rgb fur = pf::rgb(168, 164, 176), pink = pf::rgb(250, 160, 170);
  // the tail curls away behind
  cairo_new_path(cr);
  cairo_move_to(cr, 26, -10);
  cairo_curve_to(cr, 60, -6, 70, -40, 52, -50);
  c.stroke(kInk, 4.5);
  cairo_move_to(cr, 26, -10);
  cairo_curve_to(cr, 60, -6, 70, -40, 52, -50);
  c.stroke(pink, 2);
  for (double s : {-1.0, 1.0}) {
    c.ellipse(s * 12 + 6 * step * s, -3, 8, 4);
    c.fill_outlined(pink, kInk, 2);
  }
  const double lift = upright ? 12 : 0;
  c.ellipse(6, -20 - lift / 2, 30 - lift / 2, 20 + lift / 2);
  c.fill_soft(fur);
  const double hx = -22 + lift / 2, hy = -34 - lift * 1.4;
  for (double ex : {4.0, 18.0}) {
    c.ellipse(hx + ex, hy - 15, 10, 10);
    c.fill_outlined(fur, kInk, 2.5);
    c.ellipse(hx + ex, hy - 15, 5.5, 5.5);
    c.fill(pink);
  }
  c.ellipse(hx + 4, hy, 17, 14);
  c.fill_soft(fur);
  c.polygon({{hx - 8, hy - 6}, {hx - 24, hy + 4}, {hx - 6, hy + 10}});
  c.fill_outlined(fur, kInk, 2.5);
  c.ellipse(hx - 24, hy + 4, 4, 4);
  c.fill(pink);
  c.ellipse(hx - 2, hy - 3, 3, 3.6);
  c.fill(pf::rgb(30, 20, 20));
  for (double s : {-1.0, 1.0}) c.line(hx - 18, hy + 5, hx - 30, hy + 5 + s * 5, kInk, 1.2);
  cairo_restore(cr);
}

}  // namespace tapo::media::scales
