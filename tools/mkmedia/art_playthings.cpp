#include "tools/mkmedia/art_playthings.h"

#include <cmath>

#include "tools/mkmedia/art_kit.h"
#include "tools/mkmedia/art_util.h"

namespace tapo::media {

namespace pf = tapo::platform;

namespace {

using kit::kWhite;
constexpr Rgb kRed = pf::rgb(230, 60, 56), kBlue = pf::rgb(70, 130, 220),
              kYellow = pf::rgb(255, 210, 60), kGreen = pf::rgb(90, 180, 80), kWood = pf::rgb(196, 140, 84),
              kGrey = pf::rgb(170, 180, 196), kPink = pf::rgb(250, 160, 190), kOrange = pf::rgb(250, 150, 50);

void eye(Canvas& c, double x, double y, double r) {
  c.ellipse(x, y, r, r);
  c.fill_outlined(kWhite, kInk, 1.5);
  c.ellipse(x + r * 0.15, y + r * 0.1, r * 0.55, r * 0.55);
  c.fill(kInk);
}

void smile(Canvas& c, double x, double y, double r, double width = 2) {
  cairo_arc(c.cr(), x, y, r, 0.3, M_PI - 0.3);
  c.stroke(kInk, width);
}

void wheel(Canvas& c, double x, double y, double r, double turn) {
  c.ellipse(x, y, r, r);
  c.fill_outlined(pf::rgb(60, 60, 70), kInk, 2);
  c.ellipse(x, y, r * 0.45, r * 0.45);
  c.fill_outlined(kGrey, kInk, 1.5);
  c.line(x, y, x + r * 0.4 * std::cos(turn), y + r * 0.4 * std::sin(turn), kInk, 1.5);
}

void ball(Canvas& c) {
  c.ellipse(28, 28, 25, 25);
  c.fill_outlined(kRed);
  cairo_t* cr = c.cr();
  cairo_save(cr);
  c.ellipse(28, 28, 23.5, 23.5);
  cairo_clip(cr);
  cairo_rectangle(cr, 0, 22, 56, 12);
  c.fill(kWhite);
  c.ellipse(28, 28, 6, 6);
  c.fill(kBlue);
  cairo_restore(cr);
  c.ellipse(28, 28, 25, 25);
  c.stroke(kInk, 3);
  c.ellipse(19, 16, 6, 4);
  c.fill(pf::rgb(255, 190, 180));
}

void spinning_top(Canvas& c, double t) {
  const double spin = t * 6 * M_PI;
  c.line(30, 4, 30, 16, kInk, 6);
  c.line(30, 4, 30, 16, kWood, 3);
  c.polygon({{4, 24}, {56, 24}, {34, 60}, {26, 60}});
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_clip_preserve(cr);
  c.fill(kYellow);
  for (int k = 0; k < 4; ++k) {
    const double x = 30 + 34 * std::sin(spin + k * M_PI / 2);
    if (std::cos(spin + k * M_PI / 2) < 0) continue;  // the stripes on the back are hidden
    c.polygon({{x - 6, 14}, {x + 6, 14}, {30 + (x - 30) * 0.1 + 2, 62}, {30 + (x - 30) * 0.1 - 2, 62}});
    c.fill(k % 2 ? kRed : kBlue);
  }
  cairo_restore(cr);
  c.polygon({{4, 24}, {56, 24}, {34, 60}, {26, 60}});
  c.stroke(kInk, 3);
  c.ellipse(30, 22, 26, 7);
  c.fill_outlined(pf::rgb(255, 120, 120), kInk, 2.5);
}

void boat(Canvas& c) {
  c.line(44, 8, 44, 50, kInk, 4);
  c.polygon({{47, 10}, {47, 46}, {78, 46}});
  c.fill_outlined(kWhite, kInk, 2.5);
  c.polygon({{41, 16}, {41, 46}, {18, 46}});
  c.fill_outlined(kYellow, kInk, 2.5);
  c.polygon({{44, 4}, {56, 8}, {44, 12}});
  c.fill_outlined(kRed, kInk, 1.5);
  c.polygon({{4, 48}, {86, 48}, {74, 66}, {16, 66}});
  c.fill_soft(kBlue);
  c.line(10, 55, 80, 55, kWhite, 2.5);
  for (double x : {30.0, 45.0, 60.0}) {
    c.ellipse(x, 60, 3, 3);
    c.fill_outlined(kWhite, kInk, 1);
  }
}

void kite(Canvas& c, double t) {
  const double sway = 6 * std::sin(t * 4 * M_PI);
  cairo_t* cr = c.cr();
  cairo_move_to(cr, 32, 66);
  cairo_curve_to(cr, 22 + sway, 76, 44 - sway, 84, 30 + sway, 94);
  c.stroke(kInk, 1.5);
  for (int k = 0; k < 3; ++k) {  // three bows along the tail
    const double by = 73 + k * 8.5, bx = 31 + (k % 2 ? -sway : sway) * 0.5;
    c.polygon({{bx - 8, by - 4}, {bx + 8, by + 4}, {bx + 8, by - 4}, {bx - 8, by + 4}});
    c.fill_outlined(k % 2 ? kBlue : kGreen, kInk, 1.2);
  }
  c.polygon({{32, 2}, {60, 26}, {32, 66}, {4, 26}});
  cairo_save(cr);
  cairo_clip_preserve(cr);
  c.fill(kRed);
  c.polygon({{32, 2}, {60, 26}, {32, 26}});
  c.fill(kYellow);
  c.polygon({{32, 26}, {4, 26}, {32, 66}});
  c.fill(kYellow);
  cairo_restore(cr);
  c.polygon({{32, 2}, {60, 26}, {32, 66}, {4, 26}});
  c.stroke(kInk, 3);
  c.line(32, 4, 32, 64, kInk, 1.5);
  c.line(6, 26, 58, 26, kInk, 1.5);
  eye(c, 25, 20, 3.5);
  eye(c, 39, 20, 3.5);
  smile(c, 32, 32, 6);
}

void drum(Canvas& c, double t) {
  c.rounded_rect(8, 24, 56, 40, 4);
  c.fill_soft(kRed);
  for (int k = 0; k < 5; ++k) c.line(10 + k * 13, 28, 16 + k * 13 - (k % 2) * 12, 60, kYellow, 2.5);
  c.ellipse(36, 62, 28, 7);
  c.fill_outlined(kWhite, kInk, 2.5);
  c.rounded_rect(8, 24, 56, 40, 4);
  c.stroke(kInk, 3);
  c.ellipse(36, 24, 28, 8);
  c.fill_outlined(pf::rgb(250, 244, 226), kInk, 3);
  // Two sticks, beating in turns during the show.
  const double left = t > 0 ? std::fabs(std::sin(t * 5 * M_PI)) : 0, right = t > 0 ? std::fabs(std::cos(t * 5 * M_PI)) : 0;
  inked_line(c, 14, 6 - 6 * left, 30, 20 - 4 * left, 3, kWood);
  c.ellipse(30, 20 - 4 * left, 4, 4);
  c.fill_outlined(kYellow, kInk, 1.5);
  inked_line(c, 60, 4 - 6 * right, 44, 18 - 4 * right, 3, kWood);
  c.ellipse(44, 18 - 4 * right, 4, 4);
  c.fill_outlined(kYellow, kInk, 1.5);
}

void xylophone(Canvas& c, double t) {
  c.polygon({{4, 34}, {96, 40}, {96, 48}, {4, 50}});
  c.fill_outlined(kWood, kInk, 2);
  const Rgb bars[] = {kRed, kOrange, kYellow, kGreen, kBlue, pf::rgb(150, 100, 220)};
  for (int k = 0; k < 6; ++k) {
    const double x = 8 + k * 14.5, h = 40 - k * 4;
    c.rounded_rect(x, 44 - h * 0.5 - 6 + k * 1.2, 12, h * 0.5 + 8, 3);
    c.fill_soft(bars[k], 2);
    c.ellipse(x + 6, 40 - h * 0.5 + k * 1.2, 1.5, 1.5);
    c.fill(kWhite);
  }
  // the mallet, tapping along the bars during the show
  const double along = t > 0 ? 8 + 76 * t : 70, lift = t > 0 ? 6 * std::fabs(std::sin(t * 6 * M_PI)) : 0;
  inked_line(c, along + 20, 4 - lift, along, 18 - lift, 3, kWood);
  c.ellipse(along, 18 - lift, 5, 5);
  c.fill_outlined(kRed, kInk, 1.5);
}

void doll(Canvas& c, double t) {
  const double wave = t > 0 ? 0.6 * std::sin(t * 4 * M_PI) : 0;
  // hair behind, dress, arms, head
  c.ellipse(30, 26, 22, 22);
  c.fill_outlined(pf::rgb(240, 180, 60));
  c.polygon({{30, 40}, {54, 92}, {6, 92}});
  c.fill_soft(kPink);
  c.line(14, 80, 46, 80, kWhite, 3);
  c.line(20, 92, 20, 98, kInk, 5);
  c.line(40, 92, 40, 98, kInk, 5);
  inked_line(c, 22, 50, 10, 68, 5, pf::rgb(252, 214, 180));
  cairo_save(c.cr());
  cairo_translate(c.cr(), 38, 50);
  cairo_rotate(c.cr(), -wave);
  inked_line(c, 0, 0, 12, 16, 5, pf::rgb(252, 214, 180));
  cairo_restore(c.cr());
  c.ellipse(30, 28, 16, 16);
  c.fill_soft(pf::rgb(252, 220, 190));
  c.dome(30, 20, 17, 10);
  c.fill_outlined(pf::rgb(240, 180, 60));
  c.ellipse(16, 20, 5, 5);
  c.fill_outlined(kRed, kInk, 1.5);
  c.ellipse(44, 20, 5, 5);
  c.fill_outlined(kRed, kInk, 1.5);
  eye(c, 24, 28, 3);
  eye(c, 36, 28, 3);
  c.ellipse(20, 35, 3, 2);
  c.fill(kPink);
  c.ellipse(40, 35, 3, 2);
  c.fill(kPink);
  smile(c, 30, 33, 4, 1.8);
}

void teddy(Canvas& c, double t) {
  const Rgb fur = pf::rgb(190, 130, 70), light = pf::rgb(240, 210, 160);
  const double wave = t > 0 ? 0.7 * std::fabs(std::sin(t * 3 * M_PI)) : 0;
  c.ellipse(20, 80, 13, 9);
  c.fill_soft(fur);
  c.ellipse(56, 80, 13, 9);
  c.fill_soft(fur);
  c.ellipse(38, 60, 24, 26);
  c.fill_soft(fur);
  c.ellipse(38, 64, 14, 16);
  c.fill(light);
  inked_line(c, 18, 52, 10, 66, 10, fur);
  cairo_save(c.cr());
  cairo_translate(c.cr(), 58, 52);
  cairo_rotate(c.cr(), -wave * 1.6);
  inked_line(c, 0, 0, 8, 14, 10, fur);
  cairo_restore(c.cr());
  for (double x : {18.0, 58.0}) {
    c.ellipse(x, 12, 9, 9);
    c.fill_soft(fur);
    c.ellipse(x, 12, 4.5, 4.5);
    c.fill(light);
  }
  c.ellipse(38, 26, 22, 20);
  c.fill_soft(fur);
  c.ellipse(38, 33, 9, 7);
  c.fill(light);
  c.ellipse(38, 30, 3.5, 2.5);
  c.fill(kInk);
  smile(c, 38, 33, 4, 1.8);
  eye(c, 30, 22, 3);
  eye(c, 46, 22, 3);
  c.polygon({{30, 44}, {38, 48}, {46, 44}, {46, 52}, {38, 48}, {30, 52}});
  c.fill_outlined(kRed, kInk, 1.5);
}

void car(Canvas& c, double t) {
  const double turn = t * 8 * M_PI;
  c.polygon({{28, 24}, {38, 6}, {68, 6}, {80, 24}});
  c.fill_outlined(kRed);
  c.polygon({{36, 22}, {42, 10}, {52, 10}, {52, 22}});
  c.fill_outlined(pf::rgb(190, 230, 255), kInk, 1.5);
  c.polygon({{56, 22}, {56, 10}, {66, 10}, {74, 22}});
  c.fill_outlined(pf::rgb(190, 230, 255), kInk, 1.5);
  c.rounded_rect(4, 22, 92, 24, 9);
  c.fill_soft(kRed);
  c.ellipse(92, 32, 4, 4);
  c.fill_outlined(kYellow, kInk, 1.5);
  c.line(52, 26, 52, 42, kInk, 1.5);
  wheel(c, 26, 46, 12, turn);
  wheel(c, 74, 46, 12, turn);
}

void robot(Canvas& c, double t) {
  const double wave = t > 0 ? std::sin(t * 4 * M_PI) : 0;
  const bool blink = t > 0 && std::fmod(t * 8, 1.0) < 0.5;
  c.line(35, 4, 35, 16, kInk, 2);
  c.ellipse(35, 5, 4.5, 4.5);
  c.fill_outlined(blink ? kYellow : kRed, kInk, 1.5);
  c.rounded_rect(16, 14, 38, 30, 6);
  c.fill_soft(kGrey);
  c.rounded_rect(22, 21, 26, 12, 4);
  c.fill(pf::rgb(60, 80, 110));
  c.ellipse(29, 27, 3, 3);
  c.fill(pf::rgb(120, 240, 255));
  c.ellipse(41, 27, 3, 3);
  c.fill(pf::rgb(120, 240, 255));
  c.line(28, 38, 42, 38, kInk, 2);
  inked_line(c, 16, 52, 6, 74, 5, kGrey);
  cairo_save(c.cr());
  cairo_translate(c.cr(), 54, 52);
  cairo_rotate(c.cr(), -1.2 * std::fabs(wave) - 0.1);
  inked_line(c, 0, 0, 8, 20, 5, kGrey);
  c.ellipse(9, 23, 4, 4);
  c.fill_outlined(kRed, kInk, 1.5);
  cairo_restore(c.cr());
  c.ellipse(6, 76, 4, 4);
  c.fill_outlined(kRed, kInk, 1.5);
  c.rounded_rect(20, 80, 10, 16, 3);
  c.fill_outlined(pf::rgb(120, 130, 150));
  c.rounded_rect(40, 80, 10, 16, 3);
  c.fill_outlined(pf::rgb(120, 130, 150));
  c.rounded_rect(14, 46, 42, 36, 6);
  c.fill_soft(kBlue);
  for (int k = 0; k < 3; ++k) {
    c.ellipse(24 + k * 11, 58, 3.5, 3.5);
    c.fill_outlined(k == 1 ? kYellow : kGreen, kInk, 1);
  }
  c.rounded_rect(22, 68, 26, 6, 2);
  c.fill_outlined(kWhite, kInk, 1);
}

void dino(Canvas& c, double t) {
  const Rgb green = pf::rgb(110, 196, 90), belly = pf::rgb(230, 240, 150);
  const double nod = t > 0 ? 0.25 * std::sin(t * 4 * M_PI) : 0;
  cairo_t* cr = c.cr();
  // tail, legs, body with spikes
  c.polygon({{22, 48}, {2, 62}, {28, 62}});
  c.fill_outlined(green);
  for (int k = 0; k < 4; ++k) {
    c.polygon({{28 + k * 12, 34 - (k == 1 || k == 2 ? 3 : 0)}, {34 + k * 12, 22 - (k == 1 || k == 2 ? 3 : 0)}, {40 + k * 12, 34}});
    c.fill_outlined(kOrange, kInk, 2);
  }
  for (double x : {32.0, 66.0}) {
    c.rounded_rect(x, 58, 14, 20, 4);
    c.fill_soft(green);
  }
  c.ellipse(50, 50, 30, 18);
  c.fill_soft(green);
  c.ellipse(50, 56, 18, 8);
  c.fill(belly);
  // the neck and head, nodding
  cairo_save(cr);
  cairo_translate(cr, 74, 44);
  cairo_rotate(cr, nod);
  inked_line(c, 0, 0, 14, -20, 12, green);
  c.ellipse(22, -26, 15, 11);
  c.fill_soft(green);
  eye(c, 22, -30, 3.5);
  c.ellipse(32, -24, 1.3, 1.3);
  c.fill(kInk);
  cairo_arc(cr, 26, -24, 6, 0.4, 1.6);
  c.stroke(kInk, 1.8);
  cairo_restore(cr);
  for (double x : {34.0, 42.0, 68.0, 76.0}) {
    c.ellipse(x, 77, 2, 1.5);
    c.fill(kWhite);
  }
}

void train(Canvas& c, double t) {
  const double turn = t * 10 * M_PI;
  // the wagon, its coupling, the engine
  c.line(50, 46, 62, 46, kInk, 3);
  c.rounded_rect(4, 26, 46, 24, 4);
  c.fill_soft(kBlue);
  c.rounded_rect(10, 14, 34, 14, 3);
  c.fill_outlined(kYellow);
  c.ellipse(18, 14, 6, 5);
  c.fill_outlined(kRed, kInk, 1.5);
  c.ellipse(34, 14, 6, 5);
  c.fill_outlined(kGreen, kInk, 1.5);
  wheel(c, 16, 52, 8, turn);
  wheel(c, 38, 52, 8, turn);
  c.rounded_rect(60, 28, 62, 22, 4);
  c.fill_soft(kRed);
  c.rounded_rect(60, 8, 28, 24, 3);
  c.fill_soft(kRed);
  c.rounded_rect(64, 12, 20, 12, 2);
  c.fill_outlined(pf::rgb(190, 230, 255), kInk, 1.5);
  c.rounded_rect(56, 4, 36, 7, 2);
  c.fill_outlined(pf::rgb(60, 60, 70));
  c.rounded_rect(100, 12, 12, 18, 2);
  c.fill_outlined(pf::rgb(60, 60, 70));
  c.rounded_rect(97, 8, 18, 6, 2);
  c.fill_outlined(kYellow, kInk, 1.5);
  c.polygon({{122, 42}, {128, 52}, {114, 52}});
  c.fill_outlined(kYellow, kInk, 1.5);
  wheel(c, 74, 52, 10, turn);
  wheel(c, 104, 52, 10, turn);
}

void rocket(Canvas& c, double t) {
  // the flame only while it flies
  if (t > 0) {
    const double f = 0.7 + 0.3 * std::sin(t * 30);
    c.polygon({{16, 92}, {25, 92 + 18 * f}, {34, 92}});
    c.fill_outlined(kOrange, kInk, 1.5);
    c.polygon({{20, 92}, {25, 92 + 10 * f}, {30, 92}});
    c.fill(kYellow);
  }
  c.polygon({{12, 70}, {2, 96}, {14, 92}});
  c.fill_outlined(kRed, kInk, 2);
  c.polygon({{38, 70}, {48, 96}, {36, 92}});
  c.fill_outlined(kRed, kInk, 2);
  cairo_t* cr = c.cr();
  cairo_move_to(cr, 25, 2);
  cairo_curve_to(cr, 44, 20, 40, 60, 36, 94);
  cairo_line_to(cr, 14, 94);
  cairo_curve_to(cr, 10, 60, 6, 20, 25, 2);
  cairo_close_path(cr);
  c.fill_soft(kWhite);
  cairo_move_to(cr, 25, 2);
  cairo_curve_to(cr, 33, 8, 36, 14, 37, 20);
  cairo_line_to(cr, 13, 20);
  cairo_curve_to(cr, 14, 14, 17, 8, 25, 2);
  cairo_close_path(cr);
  c.fill_outlined(kRed, kInk, 2);
  c.ellipse(25, 42, 8, 8);
  c.fill_outlined(pf::rgb(120, 200, 250), kInk, 2.5);
  c.ellipse(22, 39, 2.5, 2);
  c.fill(kWhite);
  c.line(25, 62, 25, 88, kRed, 4);
}

void castle(Canvas& c, double t) {
  const Rgb stone = pf::rgb(230, 210, 170), roof = pf::rgb(90, 120, 220);
  const double flutter = t > 0 ? std::sin(t * 8 * M_PI) : 0;
  for (double x : {6.0, 78.0}) {
    c.polygon({{x + 13, 4}, {x + 16 + 4 * flutter, 8}, {x + 13, 12}});
    c.fill_outlined(kRed, kInk, 1);
    c.line(x + 13, 4, x + 13, 22, kInk, 1.5);
  }
  c.rounded_rect(26, 40, 58, 58, 2);
  c.fill_soft(stone);
  for (int k = 0; k < 4; ++k) {
    c.rounded_rect(26 + k * 16, 32, 10, 10, 1);
    c.fill_outlined(stone, kInk, 2);
  }
  for (double x : {4.0, 76.0}) {
    c.rounded_rect(x, 30, 30, 68, 2);
    c.fill_soft(stone);
    c.polygon({{x - 3, 32}, {x + 15, 14}, {x + 33, 32}});
    c.fill_outlined(roof, kInk, 2.5);
    c.rounded_rect(x + 10, 48, 10, 14, 5);
    c.fill_outlined(pf::rgb(80, 60, 50), kInk, 1.5);
  }
  c.dome(55, 98, 14, 26);
  c.fill_outlined(pf::rgb(150, 90, 50), kInk, 2.5);
  c.line(55, 72, 55, 98, kInk, 1.5);
  draw_star(c, 55, 54, 7, kYellow);
}

}  // namespace

void draw_plaything(Canvas& c, Plaything kind, double x, double y, double t) {
  cairo_save(c.cr());
  cairo_translate(c.cr(), x, y);
  switch (kind) {
    case Plaything::Ball: ball(c); break;
    case Plaything::Top: spinning_top(c, t); break;
    case Plaything::Boat: boat(c); break;
    case Plaything::Kite: kite(c, t); break;
    case Plaything::Drum: drum(c, t); break;
    case Plaything::Xylophone: xylophone(c, t); break;
    case Plaything::Doll: doll(c, t); break;
    case Plaything::Teddy: teddy(c, t); break;
    case Plaything::Car: car(c, t); break;
    case Plaything::Robot: robot(c, t); break;
    case Plaything::Dino: dino(c, t); break;
    case Plaything::Train: train(c, t); break;
    case Plaything::Rocket: rocket(c, t); break;
    case Plaything::Castle: castle(c, t); break;
  }
  cairo_restore(c.cr());
}

}  // namespace tapo::media
