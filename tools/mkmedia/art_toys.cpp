#include "tools/mkmedia/art_toys.h"

#include <algorithm>
#include <cmath>

#include "tools/mkmedia/art_kit.h"
#include "tools/mkmedia/art_util.h"

namespace tapo::media {

namespace pf = tapo::platform;

namespace {

using kit::kBlack, kit::kGold, kit::kWhite;
constexpr Rgb kRed = pf::rgb(220, 52, 48);

void eye(Canvas& c, double x, double y, double r) {
  c.ellipse(x, y, r, r);
  c.fill_outlined(kWhite, kInk, 1.5);
  c.ellipse(x + r * 0.2, y + r * 0.1, r * 0.55, r * 0.55);
  c.fill(kBlack);
}

// A green snake hanging from a peg: its body sways, its tongue flicks.
void snake(Canvas& c, double t) {
  const Rgb green = pf::rgb(92, 184, 72), light = pf::rgb(236, 220, 90);
  const double sway = 10 * std::sin(2 * M_PI * 2 * t);
  c.ellipse(145, 100, 6, 6);
  c.fill_outlined(pf::rgb(150, 100, 60));
  cairo_t* cr = c.cr();
  auto body = [&] {
    cairo_move_to(cr, 145, 112);
    cairo_curve_to(cr, 126 + sway, 150, 166 - sway, 190, 144, 228);
    cairo_curve_to(cr, 128 + sway * 0.5, 252, 150, 272, 146, 270);
  };
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  body();
  c.stroke(kInk, 19);
  body();
  c.stroke(green, 13);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  body();
  const double dash[] = {4, 8};
  cairo_set_dash(cr, dash, 2, 0);
  c.stroke(light, 13);
  cairo_set_dash(cr, nullptr, 0, 0);
  // The head at the bottom looks up at the child.
  const double hx = 146, hy = 276;
  if (t > 0.2 && t < 0.9 && std::fmod(t * 6, 1.0) < 0.6) {
    c.line(hx, hy + 10, hx, hy + 18, kRed, 2.5);
    c.line(hx, hy + 18, hx - 3, hy + 22, kRed, 2);
    c.line(hx, hy + 18, hx + 3, hy + 22, kRed, 2);
  }
  c.ellipse(hx, hy, 14, 11);
  c.fill_outlined(green);
  eye(c, hx - 6, hy - 3, 4);
  eye(c, hx + 6, hy - 3, 4);
}

// A little green dragon sitting on the shelf: it flaps its wings and puffs a flame.
void dragon(Canvas& c, double t) {
  const Rgb green = pf::rgb(80, 170, 90), belly = pf::rgb(240, 224, 140), wing = pf::rgb(60, 130, 150);
  const double flap = std::sin(2 * M_PI * 3 * t) * 0.5;
  for (int side : {-1, 1}) {
    turn_about(c, 240 + side * 10, 120, side * (-0.3 + flap));
    c.polygon({{240 + side * 10, 118}, {240 + side * 34, 92}, {240 + side * 30, 112}, {240 + side * 36, 124}});
    c.fill_outlined(wing, kInk, 2.5);
    cairo_restore(c.cr());
  }
  // tail
  cairo_move_to(c.cr(), 254, 148);
  cairo_curve_to(c.cr(), 274, 152, 276, 136, 268, 128);
  c.stroke(kInk, 9);
  cairo_move_to(c.cr(), 254, 148);
  cairo_curve_to(c.cr(), 274, 152, 276, 136, 268, 128);
  c.stroke(green, 5);
  c.ellipse(240, 134, 20, 22);
  c.fill_outlined(green);
  c.ellipse(240, 140, 12, 15);
  c.fill(belly);
  c.ellipse(228, 154, 8, 5);
  c.fill_outlined(green);
  c.ellipse(252, 154, 8, 5);
  c.fill_outlined(green);
  // head with horns
  for (int side : {-1, 1}) {
    c.polygon({{240 + side * 8, 96}, {240 + side * 13, 84}, {240 + side * 15, 98}});
    c.fill_outlined(kGold, kInk, 2);
  }
  c.ellipse(240, 106, 17, 14);
  c.fill_outlined(green);
  c.ellipse(240, 113, 11, 7);
  c.fill_outlined(pf::rgb(120, 200, 120), kInk, 2);
  c.ellipse(236, 112, 1.5, 1.5);
  c.fill(kInk);
  c.ellipse(244, 112, 1.5, 1.5);
  c.fill(kInk);
  eye(c, 233, 101, 4);
  eye(c, 247, 101, 4);
  // a puff of flame in the middle of the show
  const double puff = std::sin(M_PI * std::clamp((t - 0.35) / 0.4, 0.0, 1.0));
  if (puff > 0.05) {
    c.ellipse(258 + 10 * puff, 110 - 4 * puff, 12 * puff, 8 * puff);
    c.fill_outlined(pf::rgb(255, 150, 40), kInk, 2);
    c.ellipse(260 + 10 * puff, 110 - 4 * puff, 6 * puff, 4 * puff);
    c.fill(pf::rgb(255, 230, 90));
  }
}

// Memory cards: two stand face down, the front one turns round and shows a star.
void cards(Canvas& c, double t) {
  const Rgb back = pf::rgb(70, 120, 210);
  auto card_back = [&](double x, double y, double angle) {
    turn_about(c, x + 20, y + 56, angle);
    c.rounded_rect(x, y, 40, 56, 5);
    c.fill_outlined(back);
    c.rounded_rect(x + 6, y + 6, 28, 44, 3);
    c.stroke(pf::rgb(170, 200, 250), 2);
    c.ellipse(x + 20, y + 28, 6, 6);
    c.fill(pf::rgb(250, 220, 90));
    cairo_restore(c.cr());
  };
  card_back(290, 88, -0.18);
  card_back(305, 92, 0.15);
  // the front card flips: its width follows a cosine, its face shows while turned
  const double flip = std::cos(2 * M_PI * t);
  const double w = 42 * std::fabs(flip);
  const double x = 312 - w / 2;
  if (w > 1) {
    c.rounded_rect(x, 112, w, 56, 5);
    if (flip > 0) {
      c.fill_outlined(pf::rgb(250, 244, 230));
      draw_star(c, 312, 134, 11 * std::fabs(flip) + 1, kGold);
      c.text("3", 312, 157, 13, kRed);
    } else {
      c.fill_outlined(pf::rgb(250, 244, 230));
      c.ellipse(312, 140, 12 * std::fabs(flip) + 1, 11);
      c.fill_outlined(kRed, kInk, 2);
    }
  }
}

// A red racing car with a big 1, driving up its ramp.
void car(Canvas& c, double t) {
  const double drive = 10 * std::sin(M_PI * t);
  const double jiggle = 1.5 * std::sin(2 * M_PI * 8 * t);
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_translate(cr, 256 + drive * 0.8, 212 - drive * 0.6 + jiggle);
  cairo_rotate(cr, -0.62);
  // body (pointing to +x)
  c.polygon({{-44, 6}, {-44, -10}, {-20, -12}, {-8, -22}, {10, -22}, {18, -10}, {46, -4}, {46, 6}});
  c.fill_outlined(kRed);
  c.rounded_rect(-50, -20, 10, 14, 2);  // spoiler
  c.fill_outlined(pf::rgb(60, 60, 70));
  c.ellipse(-1, -14, 8, 6);
  c.fill_outlined(pf::rgb(250, 220, 70), kInk, 2);  // helmet
  c.ellipse(-24, -2, 8, 7);
  c.fill_outlined(kWhite, kInk, 2);
  c.text("1", -24, -2, 11, kInk);
  const double spin = 2 * M_PI * 4 * t;
  for (double wx : {-30.0, 30.0}) {
    c.ellipse(wx, 8, 11, 11);
    c.fill_outlined(kBlack);
    c.ellipse(wx, 8, 4.5, 4.5);
    c.fill(pf::rgb(200, 200, 210));
    c.line(wx + 8 * std::cos(spin), 8 + 8 * std::sin(spin), wx - 8 * std::cos(spin), 8 - 8 * std::sin(spin),
           pf::rgb(110, 110, 120), 2);
  }
  cairo_restore(cr);
}

// A honey-brown teddy bear sitting with its legs out; it waves.
void teddy(Canvas& c, double t) {
  const Rgb fur = pf::rgb(200, 140, 80), pale = pf::rgb(245, 215, 170);
  const double wave = std::sin(2 * M_PI * 2 * t);
  // legs stretched to the front-left
  c.ellipse(278, 283, 24, 12);
  c.fill_outlined(fur);
  c.ellipse(258, 280, 8, 11);
  c.fill_outlined(pale);
  c.ellipse(306, 287, 22, 11);
  c.fill_outlined(fur);
  c.ellipse(288, 288, 7, 9);
  c.fill_outlined(pale);
  c.ellipse(322, 262, 24, 28);
  c.fill_outlined(fur);
  c.ellipse(322, 268, 14, 16);
  c.fill(pale);
  // arms: the left rests, the right waves
  inked_line(c, 302, 252, 292, 270, 11, fur);
  const double a = -0.6 - 1.4 * std::max(0.0, wave) * std::sin(M_PI * t);
  inked_line(c, 342, 250, 342 + 22 * std::sin(-a), 250 + 22 * std::cos(a), 11, fur);
  // head
  for (double ex : {308.0, 342.0}) {
    c.ellipse(ex, 204, 8, 8);
    c.fill_outlined(fur);
    c.ellipse(ex, 204, 4, 4);
    c.fill(pale);
  }
  c.ellipse(325, 222, 21, 19);
  c.fill_outlined(fur);
  c.ellipse(325, 230, 9, 7);
  c.fill_outlined(pale, kInk, 1.5);
  c.ellipse(325, 226, 3.5, 2.5);
  c.fill(kInk);
  eye(c, 317, 216, 3);
  eye(c, 333, 216, 3);
  cairo_arc(c.cr(), 325, 230, 4, 0.3, M_PI - 0.3);
  c.stroke(kInk, 1.5);
  // a red bow
  c.polygon({{325, 243}, {315, 237}, {315, 249}});
  c.polygon({{325, 243}, {335, 237}, {335, 249}});
  c.fill_outlined(kRed, kInk, 1.5);
}

// A yellow-and-red toy aeroplane: the propeller spins and it takes off a little.
void plane(Canvas& c, double t) {
  const double lift = 12 * std::sin(M_PI * t);
  const double tilt = -0.12 * std::sin(M_PI * t);
  turn_about(c, 458, 140, tilt);
  cairo_translate(c.cr(), 0, -lift);
  const Rgb yellow = pf::rgb(250, 206, 60), blue = pf::rgb(70, 130, 220);
  // wheels
  for (double wx : {430.0, 478.0}) {
    c.line(wx, 150, wx, 160, kInk, 3);
    c.ellipse(wx, 163, 7, 7);
    c.fill_outlined(kBlack);
  }
  // back wing and tail fin
  c.polygon({{494, 130}, {508, 100}, {514, 102}, {510, 134}});
  c.fill_outlined(kRed);
  // body
  cairo_move_to(c.cr(), 412, 128);
  cairo_curve_to(c.cr(), 412, 112, 440, 112, 470, 120);
  cairo_line_to(c.cr(), 512, 128);
  cairo_line_to(c.cr(), 510, 138);
  cairo_curve_to(c.cr(), 470, 150, 430, 152, 412, 142);
  cairo_close_path(c.cr());
  c.fill_outlined(yellow);
  c.ellipse(446, 121, 10, 8);
  c.fill_outlined(pf::rgb(170, 220, 250), kInk, 2);
  // wing
  c.rounded_rect(428, 130, 54, 12, 5);
  c.fill_outlined(kRed);
  c.ellipse(468, 134, 5, 5);
  c.fill(blue);
  // propeller at the nose
  const double spin = 2 * M_PI * 6 * t;
  const double len = 22 * std::fabs(std::cos(spin)) + 3;
  c.rounded_rect(403, 135 - len, 6, 2 * len, 3);
  c.fill_outlined(pf::rgb(120, 90, 60), kInk, 2);
  c.ellipse(408, 135, 5, 5);
  c.fill_outlined(kRed, kInk, 2);
  cairo_restore(c.cr());
}

// A jolly pirate with a hat, an eye patch and a wooden sword; he hops and swings it.
void pirate(Canvas& c, double t) {
  const double hop = 10 * std::fabs(std::sin(2 * M_PI * t));
  cairo_save(c.cr());
  cairo_translate(c.cr(), 0, -hop);
  const Rgb skin = pf::rgb(250, 210, 170), stripe = pf::rgb(230, 60, 60);
  // legs: one boot, one wooden peg
  c.rounded_rect(412, 258, 12, 30, 4);
  c.fill_outlined(pf::rgb(60, 70, 120));
  c.rounded_rect(406, 280, 20, 12, 5);
  c.fill_outlined(kBlack);
  c.rounded_rect(432, 258, 12, 22, 4);
  c.fill_outlined(pf::rgb(60, 70, 120));
  c.rounded_rect(434, 276, 8, 16, 3);
  c.fill_outlined(pf::rgb(170, 120, 70));
  // striped shirt
  c.rounded_rect(404, 216, 48, 48, 12);
  c.fill_outlined(kWhite);
  for (int k = 0; k < 4; ++k) {
    cairo_save(c.cr());
    c.rounded_rect(404, 216, 48, 48, 12);
    cairo_clip(c.cr());
    c.line(404, 224 + 11 * k, 452, 224 + 11 * k, stripe, 5);
    cairo_restore(c.cr());
  }
  c.rounded_rect(404, 216, 48, 48, 12);
  c.stroke(kInk, 3);
  c.rounded_rect(404, 252, 48, 7, 2);
  c.fill_outlined(pf::rgb(130, 80, 40), kInk, 2);
  c.rounded_rect(424, 252, 8, 7, 1);
  c.fill_outlined(kGold, kInk, 1.5);
  // the sword arm swings
  const double swing = -0.4 - 0.9 * std::sin(2 * M_PI * t);
  const double hx = 452 + 16 * std::cos(swing), hy = 232 + 16 * std::sin(swing);
  inked_line(c, 448, 228, hx, hy, 9, skin);
  inked_line(c, hx, hy, hx + 18 * std::cos(swing - 1.2), hy + 18 * std::sin(swing - 1.2), 4, pf::rgb(200, 200, 215));
  inked_line(c, 408, 228, 398, 250, 9, skin);
  // head
  c.ellipse(428, 202, 17, 17);
  c.fill_outlined(skin);
  cairo_move_to(c.cr(), 413, 206);
  cairo_curve_to(c.cr(), 414, 226, 442, 226, 443, 206);
  cairo_curve_to(c.cr(), 434, 214, 422, 214, 413, 206);
  c.fill_outlined(pf::rgb(150, 80, 40), kInk, 2);  // beard
  eye(c, 435, 198, 3.5);
  c.ellipse(421, 198, 5, 4.5);
  c.fill(kBlack);  // eye patch
  c.line(412, 190, 440, 198, kBlack, 2);
  c.ellipse(428, 205, 3.5, 3);
  c.fill_outlined(pf::rgb(240, 150, 130), kInk, 1.5);
  cairo_arc(c.cr(), 428, 208, 6, 0.4, M_PI - 0.4);
  c.stroke(kInk, 2);
  draw_pirate_hat(c, 428, 184, 50, 0.1 * std::sin(2 * M_PI * t));
  cairo_restore(c.cr());
}

// Balance scales: the beam tips one way and the other.
void scales(Canvas& c, double t) {
  const Rgb brass = pf::rgb(230, 180, 70);
  c.rounded_rect(587, 178, 34, 10, 4);
  c.fill_outlined(pf::rgb(150, 100, 60));
  c.rounded_rect(600, 108, 8, 72, 3);
  c.fill_outlined(brass);
  const double a = 0.3 * std::sin(2 * M_PI * 1.5 * t) * (1 - t);
  const double cx = 604, cy = 108;
  const double lx = cx - 22 * std::cos(a), ly = cy - 22 * std::sin(a);
  const double rx = cx + 22 * std::cos(a), ry = cy + 22 * std::sin(a);
  inked_line(c, lx, ly, rx, ry, 5, brass);
  c.ellipse(cx, cy, 6, 6);
  c.fill_outlined(kRed, kInk, 2);
  for (int side : {-1, 1}) {
    const double px = side < 0 ? lx : rx, py = side < 0 ? ly : ry;
    c.line(px, py, px - 12, py + 34, kInk, 1.5);
    c.line(px, py, px + 12, py + 34, kInk, 1.5);
    cairo_move_to(c.cr(), px - 16, py + 34);
    cairo_line_to(c.cr(), px + 16, py + 34);
    cairo_curve_to(c.cr(), px + 12, py + 46, px - 12, py + 46, px - 16, py + 34);
    c.fill_outlined(brass, kInk, 2);
    if (side < 0) {
      c.ellipse(px, py + 29, 7, 7);
      c.fill_outlined(kRed, kInk, 2);  // an apple
      c.line(px, py + 22, px + 2, py + 18, pf::rgb(100, 70, 40), 2);
    } else {
      c.rounded_rect(px - 8, py + 20, 16, 14, 3);
      c.fill_outlined(pf::rgb(120, 120, 140), kInk, 2);
      c.text("1", px, py + 27, 10, kWhite);
    }
  }
}

// A friendly bulldog sitting on the shelf; it bounces and barks.
void bulldog(Canvas& c, double t) {
  const Rgb fur = pf::rgb(230, 200, 160), patch = pf::rgb(170, 110, 60);
  const double bounce = 6 * std::fabs(std::sin(2 * M_PI * 1.5 * t));
  const double bark = std::max(0.0, std::sin(2 * M_PI * 3 * t));
  cairo_save(c.cr());
  cairo_translate(c.cr(), 0, -bounce);
  c.ellipse(604, 262, 28, 28);
  c.fill_outlined(fur);
  c.ellipse(584, 284, 10, 7);
  c.fill_outlined(fur);
  c.ellipse(624, 284, 10, 7);
  c.fill_outlined(fur);
  c.ellipse(604, 268, 14, 16);
  c.fill(pf::rgb(250, 240, 220));
  // collar with a golden tag
  c.line(584, 238, 624, 238, kRed, 6);
  c.ellipse(604, 244, 5, 5);
  c.fill_outlined(kGold, kInk, 1.5);
  // ears and head
  for (int side : {-1, 1}) {
    c.polygon({{604 + side * 18, 212}, {604 + side * 32, 206}, {604 + side * 26, 224}});
    c.fill_outlined(patch, kInk, 2);
  }
  c.ellipse(604, 222, 26, 20);
  c.fill_outlined(fur);
  c.ellipse(594, 216, 8, 7);
  c.fill(patch);
  // jowls and the barking mouth
  c.ellipse(604, 236 + 3 * bark, 7, 2 + 5 * bark);
  c.fill_outlined(pf::rgb(160, 50, 50), kInk, 2);
  c.ellipse(596, 230, 9, 7);
  c.fill_outlined(pf::rgb(250, 240, 220), kInk, 2);
  c.ellipse(612, 230, 9, 7);
  c.fill_outlined(pf::rgb(250, 240, 220), kInk, 2);
  c.ellipse(604, 225, 5, 3.5);
  c.fill(kInk);
  eye(c, 595, 215, 3.5);
  eye(c, 613, 215, 3.5);
  cairo_restore(c.cr());
  if (bark > 0.5) {  // "woof" lines
    c.line(632, 224 - bounce, 640, 220 - bounce, kInk, 2);
    c.line(633, 232 - bounce, 641, 232 - bounce, kInk, 2);
  }
}

// A jester puppet on strings: red and yellow, a three-pointed cap with bells.
void puppet(Canvas& c, double t) {
  const double jump = 12 * std::fabs(std::sin(2 * M_PI * 1.5 * t));
  const double arms = 0.9 * std::sin(2 * M_PI * 3 * t);
  const double spin = std::sin(2 * M_PI * t) * 0.25;
  // the cross bar and strings
  c.rounded_rect(44, 104, 70, 7, 3);
  c.fill_outlined(pf::rgb(150, 100, 60), kInk, 2);
  const double y0 = 140 - jump;
  const Rgb string = pf::rgb(90, 80, 80);
  c.line(50, 110, 50 + 2, y0 + 38, string, 1);
  c.line(108, 110, 106, y0 + 38, string, 1);
  c.line(79, 110, 79, y0 - 20, string, 1);
  turn_about(c, 79, y0 + 20, spin);
  const Rgb red = pf::rgb(226, 50, 50), yellow = pf::rgb(250, 210, 60), skin = pf::rgb(250, 214, 180);
  // legs
  inked_line(c, 72, y0 + 42, 66, y0 + 56 + jump * 0.2, 7, yellow);
  inked_line(c, 86, y0 + 42, 92, y0 + 56 + jump * 0.2, 7, red);
  // body, half red half yellow
  c.rounded_rect(64, y0 + 12, 30, 34, 8);
  c.fill_outlined(red);
  cairo_save(c.cr());
  c.rounded_rect(64, y0 + 12, 30, 34, 8);
  cairo_clip(c.cr());
  cairo_rectangle(c.cr(), 79, y0 + 12, 15, 34);
  c.fill(yellow);
  cairo_restore(c.cr());
  c.rounded_rect(64, y0 + 12, 30, 34, 8);
  c.stroke(kInk, 2.5);
  // arms
  inked_line(c, 66, y0 + 18, 50 + 2, y0 + 38 - arms * 14, 6, yellow);
  inked_line(c, 92, y0 + 18, 106, y0 + 38 + arms * 14, 6, red);
  // ruff
  for (int k = 0; k < 5; ++k) {
    c.ellipse(67 + k * 6, y0 + 12, 5, 4);
    c.fill_outlined(kWhite, kInk, 1.5);
  }
  // head
  c.ellipse(79, y0, 13, 12);
  c.fill_outlined(skin);
  c.ellipse(79, y0 + 1, 3.5, 3.5);
  c.fill(red);
  c.ellipse(74, y0 - 3, 1.8, 1.8);
  c.fill(kInk);
  c.ellipse(84, y0 - 3, 1.8, 1.8);
  c.fill(kInk);
  cairo_arc(c.cr(), 79, y0 + 3, 6, 0.3, M_PI - 0.3);
  c.stroke(kInk, 1.5);
  // the cap: three points with bells
  const double bell = 2 * std::sin(2 * M_PI * 4 * t);
  const double tips[3][2] = {{60, y0 - 22 + bell}, {79, y0 - 30}, {98, y0 - 22 - bell}};
  const Rgb cap[3] = {red, yellow, red};
  for (int k = 0; k < 3; ++k) {
    c.polygon({{68 + k * 6, y0 - 8}, {tips[k][0], tips[k][1]}, {74 + k * 6, y0 - 8}});
    c.fill_outlined(cap[k], kInk, 2);
  }
  c.rounded_rect(66, y0 - 12, 26, 6, 3);
  c.fill_outlined(pf::rgb(70, 120, 210), kInk, 2);
  for (auto& tip : tips) {
    c.ellipse(tip[0], tip[1], 3, 3);
    c.fill_outlined(kGold, kInk, 1.2);
  }
  cairo_restore(c.cr());
}

}  // namespace

void draw_toy(Canvas& c, Toy toy, double t) {
  switch (toy) {
    case Toy::Snake: snake(c, t); break;
    case Toy::Dragon: dragon(c, t); break;
    case Toy::Cards: cards(c, t); break;
    case Toy::Car: car(c, t); break;
    case Toy::Teddy: teddy(c, t); break;
    case Toy::Plane: plane(c, t); break;
    case Toy::Pirate: pirate(c, t); break;
    case Toy::Scales: scales(c, t); break;
    case Toy::Bulldog: bulldog(c, t); break;
    case Toy::Puppet: puppet(c, t); break;
  }
}

}  // namespace tapo::media
