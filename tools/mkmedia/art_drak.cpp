#include "tools/mkmedia/art_drak.h"

#include <array>
#include <cmath>
#include <string>

#include "tools/mkmedia/art_kit.h"
#include "tools/mkmedia/quantize.h"

namespace tapo::media::dragon {

namespace pf = tapo::platform;
namespace drak = tapo::games::drak;

namespace {

const Rgb kEarth = pf::rgb(166, 112, 66), kHole = pf::rgb(58, 38, 28), kDragon = pf::rgb(86, 176, 92);
const Rgb kSpike = pf::rgb(255, 170, 60), kWood = pf::rgb(190, 132, 80);

// How far each figure is up (0 hidden in its burrow, 1 up) and whether it
// blinks; the bell's swing (radians).
struct Look {
  std::array<double, drak::kFigures + 1> rise{};  // by figure, [0] unused
  std::array<bool, drak::kFigures + 1> blink{};
  double bell = 0;
};

// A figure's top (its head's top) when it is `rise` up from its burrow: at 0
// it is all below the burrow's opening, at 1 its ball stands clear.
double figure_top(int d, double rise) { return burrow(d).y + 12 - 102 * rise; }

void sky_and_meadow(Canvas& c) {
  c.paint_vertical({0.52, 0.78, 0.98}, {0.84, 0.94, 0.99}, 200);
  c.ellipse(470, 42, 24, 24);
  c.fill(pf::rgb(255, 222, 90));
  for (auto [x, y, r] : {std::tuple{236.0, 34.0, 16.0}, {258.0, 28.0, 22.0}, {282.0, 36.0, 15.0}, {372.0, 54.0, 14.0},
                         {392.0, 48.0, 19.0}}) {
    c.ellipse(x, y, r, r * 0.7);
    c.fill(pf::rgb(255, 255, 255));
  }
  c.ground(170, {{140, 130, 300, 150, 400, 156}, {500, 162, 580, 128, 640, 150}});
  c.fill(pf::rgb(170, 214, 140));
}

// The dragon lies along the back with its head raised on the left, looking
// at the burrows, its tail curled up on the right.
void draw_dragon(Canvas& c) {
  cairo_t* cr = c.cr();
  for (auto [x, y] : {std::pair{168.0, 92.0}, {204.0, 80.0}, {238.0, 94.0}, {338.0, 82.0}, {374.0, 72.0},
                      {410.0, 84.0}, {446.0, 110.0}}) {
    c.polygon({{x - 10, y + 10}, {x, y - 14}, {x + 10, y + 10}});
    c.fill_outlined(kSpike, kInk, 2.5);
  }
  cairo_move_to(cr, 60, 214);
  cairo_curve_to(cr, 56, 170, 70, 130, 92, 104);  // the neck's front
  cairo_line_to(cr, 132, 104);
  cairo_curve_to(cr, 160, 84, 206, 72, 240, 100);  // the first hump
  cairo_curve_to(cr, 266, 118, 300, 112, 326, 92);
  cairo_curve_to(cr, 360, 68, 408, 76, 432, 104);  // the second hump
  cairo_curve_to(cr, 456, 130, 486, 136, 508, 122);
  cairo_curve_to(cr, 526, 110, 530, 96, 522, 84);  // the tail, curling up
  cairo_curve_to(cr, 542, 96, 540, 132, 512, 150);
  cairo_curve_to(cr, 494, 162, 480, 170, 476, 214);
  cairo_close_path(cr);
  c.fill_soft(kDragon);
  c.polygon({{522, 84}, {512, 66}, {536, 70}});
  c.fill_outlined(kSpike, kInk, 2.5);
  // the folded wing and the light belly
  cairo_move_to(cr, 266, 132);
  cairo_curve_to(cr, 276, 110, 286, 100, 298, 94);
  cairo_line_to(cr, 354, 104);
  cairo_curve_to(cr, 346, 114, 338, 118, 328, 116);
  cairo_curve_to(cr, 322, 126, 312, 130, 302, 126);
  cairo_curve_to(cr, 294, 134, 280, 136, 266, 132);
  cairo_close_path(cr);
  c.fill_soft(pf::rgb(130, 206, 120), 2.5);
  c.line(298, 96, 328, 116, kInk, 2);
  c.line(298, 96, 302, 126, kInk, 2);
  cairo_move_to(cr, 70, 214);
  cairo_curve_to(cr, 70, 176, 80, 146, 96, 128);
  cairo_curve_to(cr, 108, 150, 112, 184, 112, 214);
  c.fill(pf::rgb(226, 236, 150));
  // the head: horns, a round head, the long snout, a big friendly eye
  for (double x : {106.0, 132.0}) {
    c.polygon({{x - 8, 62}, {x + 6, 30}, {x + 8, 64}});
    c.fill_outlined(pf::rgb(255, 244, 200), kInk, 2.5);
  }
  c.ellipse(114, 80, 40, 32);
  c.fill_soft(kDragon);
  c.ellipse(70, 94, 38, 24);
  c.fill_soft(kDragon);
  for (double x : {46.0, 60.0}) {
    c.ellipse(x, 86, 3.5, 2.5);
    c.fill(kInk);
  }
  c.ellipse(116, 72, 12, 14);
  c.fill_outlined(pf::rgb(255, 255, 255), kInk, 2.5);
  c.ellipse(112, 75, 6, 8);
  c.fill(kInk);
  c.ellipse(110, 71, 2, 2.5);
  c.fill(pf::rgb(255, 255, 255));
  cairo_new_path(cr);
  cairo_arc(cr, 72, 90, 26, 0.2 * M_PI, 0.7 * M_PI);
  c.stroke(kInk, 3);
  c.ellipse(102, 100, 9, 6);
  c.fill(pf::rgb(250, 150, 150));
}

void front_meadow(Canvas& c) {
  c.ground(198, {{160, 186, 330, 206, 640, 192}});
  c.fill(pf::rgb(142, 202, 98));
  // tufts and flowers, placed by a fixed rule
  for (int k = 0; k < 30; ++k) {
    const double x = std::fmod(k * 173.0, 620.0) + 10, y = 212 + std::fmod(k * 59.0, 200.0);
    for (int s = -1; s <= 1; ++s) c.line(x, y, x + 5 * s, y - 8 + 2 * std::abs(s), pf::rgb(96, 160, 70), 2);
  }
  for (int k = 0; k < 16; ++k) {
    const double x = std::fmod(k * 211.0, 600.0) + 20, y = 250 + std::fmod(k * 83.0, 160.0);
    draw_flower(c, x, y, k);
  }
}

// The bell hanging in its little wooden frame; `swing` turns it about its hook.
void draw_bell(Canvas& c, double swing) {
  const Rect at = drak::kBell;
  const double hx = at.x + at.w / 2.0, hy = at.y + 12;
  for (double x : {at.x + 3.0, at.x + at.w - 9.0}) {
    c.rounded_rect(x, at.y + 4, 6, at.h - 6, 2);
    c.fill_outlined(kWood, kInk, 2);
  }
  c.rounded_rect(at.x, at.y + 2, at.w, 9, 3);
  c.fill_outlined(shade(kWood, 1.1), kInk, 2);
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_translate(cr, hx, hy);
  cairo_rotate(cr, swing);
  c.line(0, -2, 0, 8, kInk, 3);
  c.ellipse(0, 60, 6, 6);  // the clapper
  c.fill_outlined(pf::rgb(150, 110, 60), kInk, 2);
  cairo_move_to(cr, -18, 54);
  cairo_curve_to(cr, -16, 30, -14, 8, 0, 8);
  cairo_curve_to(cr, 14, 8, 16, 30, 18, 54);
  cairo_close_path(cr);
  c.fill_soft(pf::rgb(244, 196, 64));
  c.ellipse(0, 54, 20, 5);
  c.fill_outlined(pf::rgb(226, 170, 50), kInk, 2.5);
  c.polygon({{-9, 8}, {-14, 2}, {0, 6}, {14, 2}, {9, 8}});
  c.fill_outlined(pf::rgb(220, 50, 50), kInk, 2);
  cairo_restore(cr);
}

void number_strip(Canvas& c) {
  const Rect first = number_tile(1), last = number_tile(10);
  c.rounded_rect(first.x - 6, first.y - 6, last.x + last.w - first.x + 12, first.h + 12, 8);
  c.fill_soft(kWood, 2.5, 1.12);
  const Rgb colours[5] = {pf::rgb(232, 72, 64), pf::rgb(246, 150, 40), pf::rgb(60, 170, 80), pf::rgb(60, 130, 220),
                          pf::rgb(150, 90, 200)};
  for (int k = 1; k <= drak::kFigures; ++k) {
    const Rect t = number_tile(k);
    c.rounded_rect(t.x + 1.5, t.y + 1.5, t.w - 3, t.h - 3, 7);
    c.fill_soft(colours[(k - 1) % 5]);
    c.text(std::to_string(k), t.x + t.w / 2.0, t.y + t.h / 2.0, k < 10 ? 34 : 28, pf::rgb(255, 255, 255), true);
  }
}

// The back of figure d's burrow: the earth around it and the dark opening.
void burrow_back(Canvas& c, int d) {
  const auto [x, y] = burrow(d);
  c.ellipse(x, y + 3, 40, 15);
  c.fill_soft(kEarth, 2.5);
  c.ellipse(x, y, 30, 10);
  c.fill(kHole);
}

// The front lip of the burrow, over the figure's lower part.
void burrow_front(Canvas& c, int d) {
  const auto [x, y] = burrow(d);
  cairo_t* cr = c.cr();
  cairo_new_path(cr);
  cairo_save(cr);
  cairo_translate(cr, x, y + 3);
  cairo_scale(cr, 40, 15);
  cairo_arc(cr, 0, 0, 1, 0, M_PI);
  cairo_restore(cr);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, 30, 10);
  cairo_arc_negative(cr, 0, 0, 1, M_PI, 0);
  cairo_restore(cr);
  cairo_close_path(cr);
  c.fill_outlined(shade(kEarth, 1.08), kInk, 2.5);
}

struct Critter {
  Rgb fur;
  Rgb face;  // the muzzle or face patch (the fur's colour: none)
};

const Critter kCritters[drak::kFigures + 1] = {
    {},
    {pf::rgb(255, 214, 60), pf::rgb(255, 214, 60)},    // 1 the chick
    {pf::rgb(250, 250, 250), pf::rgb(250, 250, 250)},  // 2 the bunny
    {pf::rgb(172, 172, 188), pf::rgb(214, 214, 226)},  // 3 the mouse
    {pf::rgb(240, 132, 52), pf::rgb(255, 246, 232)},   // 4 the fox
    {pf::rgb(168, 108, 62), pf::rgb(226, 190, 140)},   // 5 the bear
    {pf::rgb(150, 112, 204), pf::rgb(220, 200, 240)},  // 6 the owl
    {pf::rgb(224, 56, 52), pf::rgb(224, 56, 52)},      // 7 the ladybird
    {pf::rgb(244, 146, 190), pf::rgb(252, 200, 220)},  // 8 the baby dragon
    {pf::rgb(250, 250, 250), pf::rgb(250, 250, 250)},  // 9 the panda
    {pf::rgb(46, 58, 96), pf::rgb(250, 250, 250)},     // 10 the penguin
};

// Figure d with its head's top at `top`: what sits behind the head first
// (ears, horns, feelers), then the body with the ball in its paws,
// the head and the face.
void draw_figure(Canvas& c, int d, double top, bool blink) {
  const Critter& k = kCritters[d];
  const double x = burrow(d).x, hy = top + 25;
  const Rgb dark = shade(k.fur, 0.75), pink = pf::rgb(250, 160, 170), black = pf::rgb(34, 30, 34);
  cairo_t* cr = c.cr();
  switch (d) {
    case 2:
      for (double s : {-1.0, 1.0}) {
        c.ellipse(x + 10 * s, top - 1, 7, 17);
        c.fill_outlined(k.fur, kInk, 2.5);
        c.ellipse(x + 10 * s, top + 1, 3.5, 11);
        c.fill(pink);
      }
      break;
    case 3:
      for (double s : {-1.0, 1.0}) {
        c.ellipse(x + 20 * s, top + 6, 13, 13);
        c.fill_outlined(k.fur, kInk, 2.5);
        c.ellipse(x + 20 * s, top + 6, 7, 7);
        c.fill(pink);
      }
      break;
    case 4:
    case 6:
      for (double s : {-1.0, 1.0}) {
        c.polygon({{x + 6 * s, top + 6}, {x + 18 * s, top - (d == 4 ? 12 : 6)}, {x + 23 * s, top + 16}});
        c.fill_outlined(d == 4 ? k.fur : dark, kInk, 2.5);
      }
      break;
    case 5:
    case 9:
      for (double s : {-1.0, 1.0}) {
        c.ellipse(x + 18 * s, top + 5, 9, 9);
        c.fill_outlined(d == 9 ? black : k.fur, kInk, 2.5);
      }
      break;
    case 7:
      for (double s : {-1.0, 1.0}) {
        c.line(x + 7 * s, top + 4, x + 15 * s, top - 12, kInk, 2.5);
        c.ellipse(x + 15 * s, top - 12, 4, 4);
        c.fill(black);
      }
      break;
    case 8:
      for (double s : {-1.0, 1.0}) {
        c.polygon({{x + 6 * s, top + 6}, {x + 12 * s, top - 12}, {x + 18 * s, top + 8}});
        c.fill_outlined(pf::rgb(255, 226, 120), kInk, 2.5);
      }
      break;
    default:
      break;
  }
  c.rounded_rect(x - 26, top + 34, 52, 110, 22);
  c.fill_soft(k.fur);
  if (d == 7)
    for (auto [dx, dy] : {std::pair{-15.0, 44.0}, {16.0, 48.0}, {-17.0, 88.0}, {17.0, 92.0}}) {
      c.ellipse(x + dx, top + dy, 5, 5);
      c.fill(black);
    }
  c.ellipse(x, hy, 24, 22);
  c.fill_soft(k.fur);
  if (d == 1)
    for (double s : {-1.0, 0.0, 1.0}) {
      c.ellipse(x + 5 * s, top - 3, 3.5, 7);
      c.fill_outlined(k.fur, kInk, 2);
    }
  if (d == 10) {
    c.ellipse(x, hy + 3, 18, 16);
    c.fill(k.face);
  } else if (k.face != k.fur) {
    c.ellipse(x, hy + 9, 13, 9);
    c.fill(k.face);
  }
  if (d == 9)
    for (double s : {-1.0, 1.0}) {
      c.ellipse(x + 9 * s, hy - 1, 7, 8);
      c.fill(black);
    }
  for (double s : {-1.0, 1.0}) {
    const double ex = x + 9 * s, ey = hy - 2;
    if (d == 6) {
      c.ellipse(ex, ey, 9, 9);
      c.fill_outlined(pf::rgb(255, 210, 90), kInk, 2);
    }
    if (blink) {
      cairo_new_path(cr);
      cairo_arc(cr, ex, ey - 2, 4.5, 0.15 * M_PI, 0.85 * M_PI);
      c.stroke(d == 9 ? pf::rgb(255, 255, 255) : kInk, 2.5);
    } else {
      c.ellipse(ex, ey, 4.5, 5.5);
      c.fill(pf::rgb(255, 255, 255));
      c.ellipse(ex + 0.5, ey + 1, 2.8, 3.4);
      c.fill(kInk);
    }
    if (d != 9 && d != 10 && d != 7) {
      c.ellipse(x + 16 * s, hy + 8, 4, 2.6);
      c.fill(pink);
    }
  }
  if (d == 1 || d == 6 || d == 10) {  // a beak
    c.polygon({{x - 6, hy + 5}, {x + 6, hy + 5}, {x, hy + 13}});
    c.fill_outlined(pf::rgb(250, 150, 40), kInk, 2);
  } else {
    if (d != 2) {
      c.ellipse(x, hy + 5, d == 8 ? 6 : 4, 3);
      c.fill(d == 3 || d == 8 ? pink : black);
    }
    cairo_new_path(cr);
    cairo_arc(cr, x, hy + 6, 6, 0.2 * M_PI, 0.8 * M_PI);
    c.stroke(kInk, 2);
  }
  // The ball held in both paws: the same for every figure, so that nothing
  // a figure holds tells a number; the child counts the figures themselves.
  const double py = top + drak::kBallInClip.y - (figure_top(d, 1.0) - figure_box(d).y);
  const double r = drak::kBallRadius;
  c.ellipse(x, py, r, r);
  c.fill_outlined(pf::rgb(230, 60, 60), kInk, 2.5);
  cairo_new_path(cr);
  cairo_arc(cr, x, py + r * 1.6, r * 1.5, 1.32 * M_PI, 1.68 * M_PI);
  c.stroke(pf::rgb(255, 236, 120), 3.5);
  c.ellipse(x - r * 0.4, py - r * 0.45, r * 0.25, r * 0.18);
  c.fill(pf::rgb(255, 255, 255));
  for (double s : {-1.0, 1.0}) {
    c.ellipse(x + 18 * s, py + 4, 6, 7);
    c.fill_outlined(d == 10 || d == 9 ? black : dark, kInk, 2);
  }
}

void draw_scene(Canvas& c, const Look& look) {
  sky_and_meadow(c);
  draw_dragon(c);
  front_meadow(c);
  draw_bell(c, look.bell);
  number_strip(c);
  cairo_t* cr = c.cr();
  for (int d = 1; d <= drak::kFigures; ++d) {
    burrow_back(c, d);
    if (look.rise[d] > 0) {
      const auto [x, y] = burrow(d);
      cairo_save(cr);
      cairo_new_path(cr);
      cairo_rectangle(cr, x - 60, y - 140, 120, 140);
      cairo_save(cr);
      cairo_translate(cr, x, y);
      cairo_scale(cr, 30, 10);
      cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
      cairo_restore(cr);
      cairo_clip(cr);
      draw_figure(c, d, figure_top(d, look.rise[d]), look.blink[d]);
      cairo_restore(cr);
    }
    burrow_front(c, d);
  }
}

// The `box` of the scene in `look`, without Tapo.
Surface scene_part(Rect box, const Look& look) {
  return painted(Surface(box.w, box.h), [&](Canvas& c) {
    cairo_translate(c.cr(), -box.x, -box.y);
    draw_scene(c, look);
  });
}

constexpr double kRising[] = {0, 0.18, 0.4, 0.62, 0.82, 0.97, 1.05, 1.0};
constexpr double kSinking[] = {0, 1.0, 0.78, 0.52, 0.28, 0.1};
constexpr double kSwings[] = {0.0, 0.22, -0.2, 0.17, -0.14, 0.1, -0.06, 0.03, 0.0};

Look raised(int d, double rise, bool blink = false) {
  Look l;
  l.rise[d] = rise;
  l.blink[d] = blink;
  return l;
}

struct Shared {
  Surface stage;
  std::vector<std::vector<Surface>> rising, sinking;  // by figure, [0] empty
  std::vector<Surface> bell;
};

const Shared& shared() {
  static const Shared out = [] {
    std::vector<Surface> all = {scene_part({0, 0, 640, 480}, Look{})};
    for (int d = 1; d <= drak::kFigures; ++d) {
      for (size_t i = 1; i < std::size(kRising); ++i) all.push_back(scene_part(figure_box(d), raised(d, kRising[i])));
      for (size_t i = 1; i < std::size(kSinking); ++i)
        all.push_back(scene_part(figure_box(d), raised(d, kSinking[i], i == 1)));
    }
    for (double swing : kSwings) {
      Look look;
      look.bell = swing;
      all.push_back(scene_part(drak::kBell, look));
    }
    const std::vector<Surface> mapped = in_one_palette(all);
    Shared s;
    s.stage = mapped[0];
    s.rising.resize(drak::kFigures + 1);
    s.sinking.resize(drak::kFigures + 1);
    size_t next = 1;
    for (int d = 1; d <= drak::kFigures; ++d) {
      const Surface rest = crop(s.stage, figure_box(d));
      s.rising[d] = {rest};
      for (size_t i = 1; i < std::size(kRising); ++i) s.rising[d].push_back(mapped[next++]);
      s.sinking[d] = {rest};
      for (size_t i = 1; i < std::size(kSinking); ++i) s.sinking[d].push_back(mapped[next++]);
    }
    s.bell.assign(mapped.begin() + static_cast<long>(next), mapped.end());
    return s;
  }();
  return out;
}

}  // namespace

pf::Point burrow(int d) { return {56 + (d - 1) * 44, d % 2 ? 228 : 362}; }

Rect figure_box(int d) {
  const pf::Point b = burrow(d);
  return {b.x - 40, b.y - 116, 80, 132};
}

Rect number_tile(int k) { return {78 + (k - 1) * 50, 424, 45, 50}; }

Surface stage() { return shared().stage; }

Surface background() {
  return painted(shared().stage, [](Canvas& c) { draw_tapo(c, kTapoX, kTapoY, {}); });
}

const std::vector<Surface>& rising_frames(int d) { return shared().rising.at(static_cast<size_t>(d)); }
const std::vector<Surface>& sinking_frames(int d) { return shared().sinking.at(static_cast<size_t>(d)); }
const std::vector<Surface>& bell_frames() { return shared().bell; }

}  // namespace tapo::media::dragon
