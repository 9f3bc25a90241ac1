#include "tools/mkmedia/art_bublifuk.h"

#include <cmath>
#include <functional>

#include "tools/mkmedia/art_kit.h"
#include "tools/mkmedia/quantize.h"

namespace tapo::media::bubbles {

namespace pf = tapo::platform;

namespace {

// The caterpillar's segments: centres along a gentle wave, the head at the
// left end with segment 1 just behind it.
constexpr double kSegmentRx = 26, kSegmentRy = 25, kBelly = 21;
constexpr double kHeadX = 120, kHeadY = 405, kHeadR = 28;

double segment_x(int k) { return 170 + 48.0 * (k - 1); }
double segment_y(int k) { return 418 - 7 * std::cos((k - 1) * 0.95); }

// The wand: a stick of kStick pixels from Tapo's left paw to its ring,
// tilted `angle` from upright (negative leans left).
constexpr double kStick = 64, kRing = 11;
constexpr double kWandRest = -0.4, kWandRaised = 0.45;

void land(Canvas& c) {
  cairo_t* cr = c.cr();
  c.paint_vertical({0.64, 0.83, 0.98}, {0.91, 0.96, 1.0}, 300);
  // two faint clouds, soft enough for the bubbles to stand out over them
  for (auto [x, y, r] : {std::tuple{70.0, 76.0, 18.0}, {94.0, 68.0, 24.0}, {120.0, 78.0, 16.0}, {300.0, 150.0, 16.0},
                         {322.0, 142.0, 21.0}, {344.0, 152.0, 14.0}}) {
    c.ellipse(x, y, r * 1.3, r * 0.8);
    c.set_colour(pf::rgb(255, 255, 255), 0.55);
    cairo_fill(cr);
  }
  // pale far hills at the foot of the sky
  c.ground(292, {{140, 262, 260, 300, 380, 288}, {480, 278, 560, 262, 640, 276}});
  c.fill(pf::rgb(206, 232, 190));
  c.ground(330, {{160, 314, 330, 334, 640, 318}});
  c.fill(pf::rgb(190, 222, 168));
  // the meadow: flat below the sky, a knoll on the right for Tapo
  c.ground(356, {{160, 353, 380, 358, 500, 354}, {540, 326, 590, 300, 640, 302}});
  c.set_colour(pf::rgb(122, 192, 86));
  cairo_fill_preserve(cr);
  c.stroke(shade(pf::rgb(122, 192, 86), 0.75), 2);
  // tufts and flowers, placed by a fixed rule away from the caterpillar
  for (int k = 0; k < 30; ++k) {
    const double x = std::fmod(k * 157.0, 630.0) + 5, y = 364 + std::fmod(k * 71.0, 112.0);
    const bool free = x < 84 || y > 466 || (x > 590 && y < 380);
    if (!free) continue;
    draw_flower(c, x, y, k);
  }
  for (int k = 0; k < 14; ++k) {
    const double x = std::fmod(k * 97.0 + 30, 640.0), y = 470 + std::fmod(k * 13.0, 8.0);
    for (double s : {-1.0, 0.0, 1.0}) c.line(x, y, x + 5 * s, y - 9 + 2 * std::fabs(s), pf::rgb(80, 150, 60), 2);
  }
}

void caterpillar(Canvas& c) {
  const Rgb body[2] = {pf::rgb(132, 204, 84), pf::rgb(176, 214, 70)};
  const Rgb belly = pf::rgb(255, 251, 228);
  for (int k = 10; k >= 1; --k) {
    const double x = segment_x(k), y = segment_y(k);
    for (double s : {-1.0, 1.0}) {  // two little legs under each segment
      inked_line(c, x + 9 * s, y + 18, x + 11 * s, y + 31, 4, shade(body[k % 2], 0.8));
    }
    c.ellipse(x, y, kSegmentRx, kSegmentRy);
    c.fill_soft(body[k % 2], 3);
    c.ellipse(x, y, kBelly, kBelly);
    c.fill_outlined(belly, shade(body[k % 2], 0.7), 1.5);
  }
  // the head, looking up to the left, with two antennae
  for (auto [dx, tip_x, tip_y] : {std::tuple{-9.0, 100.0, 362.0}, {9.0, 138.0, 360.0}}) {
    inked_line(c, kHeadX + dx, kHeadY - 22, tip_x, tip_y, 2.5, pf::rgb(90, 150, 60));
    c.ellipse(tip_x, tip_y, 5, 5);
    c.fill_soft(pf::rgb(250, 120, 90), 2);
  }
  c.ellipse(kHeadX, kHeadY, kHeadR, kHeadR);
  c.fill_soft(pf::rgb(150, 214, 96));
  for (double ex : {-11.0, 8.0}) {
    c.ellipse(kHeadX + ex, kHeadY - 6, 7, 8.5);
    c.fill_outlined(pf::rgb(255, 255, 255), kInk, 2);
    c.ellipse(kHeadX + ex - 2.5, kHeadY - 8, 3.5, 4.2);
    c.fill(kInk);
    c.ellipse(kHeadX + ex - 3.5, kHeadY - 10, 1.2, 1.2);
    c.fill(pf::rgb(255, 255, 255));
  }
  for (double ex : {-18.0, 14.0}) {
    c.ellipse(kHeadX + ex, kHeadY + 8, 5, 3.5);
    c.set_colour(pf::rgb(250, 130, 140), 0.7);
    cairo_fill(c.cr());
  }
  cairo_move_to(c.cr(), kHeadX - 10, kHeadY + 10);
  cairo_curve_to(c.cr(), kHeadX - 5, kHeadY + 18, kHeadX + 5, kHeadY + 18, kHeadX + 9, kHeadY + 10);
  c.stroke(kInk, 2.5);
}

struct Spot {
  double x, y;
};

// Where the cast draws Tapo's left paw (in his box) in `look`.
Spot left_paw(const TapoLook& look) {
  double a = -0.2, lift = 0;
  if (look.pose == TapoPose::Cheer) a = -2.6 - 0.2 * std::sin(look.phase * 2 * M_PI);
  if (look.pose == TapoPose::Jump) {
    a = -1.2;
    lift = -30 * std::sin(M_PI * look.phase);
  }
  return {38 + 40 * std::sin(a), 118 + 40 * std::cos(a) + lift};
}

// Tapo in `look` holding his wand at `angle`; returns where its ring is.
Spot tapo_with_wand(Canvas& c, const TapoLook& look, double angle) {
  draw_tapo(c, kTapoX, kTapoY, look);
  const auto paw = left_paw(look);
  const double hx = kTapoX + paw.x, hy = kTapoY + paw.y;
  const double dx = std::sin(angle), dy = -std::cos(angle);
  const Spot ring{hx + dx * kStick, hy + dy * kStick};
  inked_line(c, hx - dx * 6, hy - dy * 6, ring.x - dx * kRing, ring.y - dy * kRing, 3.5, pf::rgb(250, 204, 60));
  c.ellipse(ring.x, ring.y, kRing - 1, kRing - 1);
  c.set_colour(pf::rgb(236, 246, 255), 0.45);
  cairo_fill(c.cr());
  c.ellipse(ring.x, ring.y, kRing, kRing);
  c.stroke(kInk, 5.5);
  c.ellipse(ring.x, ring.y, kRing, kRing);
  c.stroke(pf::rgb(240, 90, 160), 3);
  c.ellipse(hx, hy, 7, 7);  // the paw round the stick
  c.fill_outlined(pf::rgb(196, 136, 72), kInk, 2.5);
  return ring;
}

// A little bubble that leaves the ring: blown out to the left over `grow`,
// then drifting off; `age` 0..1 through its flight.
// It pops before it would touch the edge of the show's `box`.
void little_bubble(Canvas& c, Rect box, Spot ring, double r, double age, double drift_x, double drift_y, int k) {
  const double grow = std::min(1.0, age * 6);
  const double fly = std::max(0.0, age * 6 - 1) / 5;  // 0..1 after it has left
  const double cx = ring.x - r * grow + drift_x * fly, cy = ring.y + drift_y * fly + 3 * std::sin(fly * 7 + k);
  const double rr = std::max(2.0, r * grow);
  if (cx - rr < box.x + 3 || cy - rr < box.y + 3 || cx + rr > box.x + box.w - 3) return;
  draw_bubble(c, cx, cy, rr, 0.8);
}

using Figure = std::function<void(Canvas&)>;

Surface with(const Surface& stage, const Figure& figure) { return painted(stage, figure); }

// The blowing show at t (0..1): the wand rises to his mouth, he blows four
// little bubbles off to the left, and lowers the wand again.
Figure blowing(double t) {
  return [t](Canvas& c) {
    double angle = kWandRaised;
    if (t < 0.22) angle = kWandRest + (kWandRaised - kWandRest) * ease(t / 0.22);
    if (t > 0.78) angle = kWandRaised + (kWandRest - kWandRaised) * ease((t - 0.78) / 0.22);
    const bool puff = t >= 0.26 && t <= 0.74;
    const Spot ring = tapo_with_wand(c, {TapoPose::Stand, 0, puff ? 1 : 0}, t >= 1 ? kWandRest : angle);
    for (int k = 0; k < 4; ++k) {
      const double age = (t - 0.26 - 0.085 * k) / 0.42;
      if (age <= 0 || age >= 1) continue;
      const double r[4] = {8, 6, 9, 7};
      little_bubble(c, kBlowBox, ring, r[k], age, -80 - 6 * k, -30 - 14 * (k % 2), k);
    }
  };
}

// The joy show at t (0..1): Tapo jumps with the wand held out, then cheers
// with it high while little bubbles stream from it.
Figure joy(double t) {
  return [t](Canvas& c) {
    if (t <= 0 || t >= 1) {
      tapo_with_wand(c, {}, kWandRest);
      return;
    }
    if (t < 0.45) {
      const double out = std::min(1.0, t / 0.1);  // the wand swings out as he takes off
      tapo_with_wand(c, {TapoPose::Jump, t / 0.45, 3}, kWandRest + (-0.9 - kWandRest) * out);
      return;
    }
    const double u = (t - 0.45) / 0.55;
    const Spot ring = tapo_with_wand(c, {TapoPose::Cheer, u, u < 0.8 ? 3 : 2}, -0.3 + 0.25 * std::sin(u * 2 * M_PI));
    for (int k = 0; k < 5; ++k) {
      const double age = (u - 0.14 * k) / 0.45;
      if (age <= 0 || age >= 1) continue;
      little_bubble(c, kJoyBox, ring, 6 + k % 3, age, -40 + 30 * (k % 3), -60 - 8 * k, k);
    }
  };
}

Meadow make() {
  constexpr int kBlowFrames = 14, kJoyFrames = 16;
  const Surface stage = painted(Surface(640, 480), [](Canvas& c) {
    land(c);
    caterpillar(c);
  });
  std::vector<Surface> all = {stage, with(stage, [](Canvas& c) { tapo_with_wand(c, {}, kWandRest); })};
  for (int f = 0; f < kBlowFrames; ++f) all.push_back(crop(with(stage, blowing(f / double(kBlowFrames - 1))), kBlowBox));
  for (int f = 0; f < kJoyFrames; ++f) all.push_back(crop(with(stage, joy(f / double(kJoyFrames - 1))), kJoyBox));
  const std::vector<Surface> mapped = in_one_palette(all);
  Meadow m;
  m.stage = mapped[0];
  m.background = mapped[1];
  m.blow.assign(mapped.begin() + 2, mapped.begin() + 2 + kBlowFrames);
  m.joy.assign(mapped.begin() + 2 + kBlowFrames, mapped.end());
  // at rest the shows end on the background's own pixels
  m.blow.back() = crop(m.background, kBlowBox);
  m.joy.back() = crop(m.background, kJoyBox);
  return m;
}

}  // namespace

const Meadow& meadow() {
  static const Meadow m = make();
  return m;
}

Rect segment_text(int k) {
  const int x = static_cast<int>(std::lround(segment_x(k))), y = static_cast<int>(std::lround(segment_y(k)));
  return {x - 16, y - 13, 32, 26};
}

void draw_bubble(Canvas& c, double cx, double cy, double r, double film) {
  cairo_t* cr = c.cr();
  cairo_pattern_t* p = cairo_pattern_create_radial(cx - 0.2 * r, cy - 0.2 * r, 0, cx, cy, r);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, film);
  cairo_pattern_add_color_stop_rgba(p, 0.6, 0.96, 0.98, 1, film);
  cairo_pattern_add_color_stop_rgba(p, 1, 0.80, 0.89, 0.98, film);
  c.ellipse(cx, cy, r, r);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  // the rainbow sheen: tints along the rim, strongest at the lower right
  const struct {
    double from, to;
    Rgb colour;
  } sheen[4] = {{0.05, 0.45, pf::rgb(255, 160, 215)},
                {0.45, 0.8, pf::rgb(255, 226, 120)},
                {1.55, 1.85, pf::rgb(140, 224, 240)},
                {1.85, 2.05, pf::rgb(196, 160, 255)}};
  for (const auto& s : sheen) {
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r * 0.84, s.from * M_PI, s.to * M_PI);
    c.set_colour(s.colour, 0.85);
    cairo_set_line_width(cr, std::max(1.5, r * 0.16));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
  }
  c.ellipse(cx, cy, r, r);
  c.stroke(pf::rgb(96, 138, 200), std::max(2.0, r * 0.08));
  // the highlight at the upper left
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, r * 0.68, 1.12 * M_PI, 1.42 * M_PI);
  c.stroke(pf::rgb(255, 255, 255), std::max(1.5, r * 0.13));
  c.ellipse(cx - r * 0.2, cy - r * 0.7, r * 0.07 + 0.5, r * 0.07 + 0.5);
  c.fill(pf::rgb(255, 255, 255));
}

}  // namespace tapo::media::bubbles
