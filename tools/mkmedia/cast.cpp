#include "tools/mkmedia/cast.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "tools/mkmedia/art_kit.h"

namespace tapo::media {

namespace {

constexpr Rgb kFur = platform::rgb(196, 136, 72);
constexpr Rgb kFurDark = platform::rgb(140, 88, 44);
constexpr Rgb kMuzzle = platform::rgb(250, 236, 214);
constexpr Rgb kCollar = platform::rgb(220, 40, 40);
using kit::kWhite;

void limb(Canvas& c, double x0, double y0, double x1, double y1, double w, Rgb fill) {
  c.line(x0, y0, x1, y1, kInk, w + 5);
  c.line(x0, y0, x1, y1, fill, w);
}


}  // namespace

void draw_tapo(Canvas& c, double x, double y, const TapoLook& look, double scale) {
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, scale, scale);
  // A jump lifts the whole dog; a fall tips him over.
  double lift = 0;
  if (look.pose == TapoPose::Jump) lift = -30 * std::sin(M_PI * look.phase);
  if (look.pose == TapoPose::Fall) {
    cairo_translate(cr, 70, 190);
    cairo_rotate(cr, look.phase * M_PI / 2.2);
    cairo_translate(cr, -70, -190);
  }
  cairo_translate(cr, 0, lift);

  // The tail, wagging a little as he moves.
  const double wag = 6 * std::sin(look.phase * 2 * M_PI * 2);
  for (auto [colour, width] : {std::pair{kInk, 11.0}, {kFurDark, 6.0}}) {
    cairo_move_to(cr, 98, 168);
    cairo_curve_to(cr, 114, 164, 120 + wag, 150, 122 + wag, 136);
    c.stroke(colour, width);
  }
  c.ellipse(52, 186, 16, 11);
  c.fill_soft(kFur);
  c.ellipse(88, 186, 16, 11);
  c.fill_soft(kFur);
  c.ellipse(70, 142, 38, 44);
  c.fill_soft(kFur);
  c.ellipse(70, 150, 24, 30);
  c.fill(kMuzzle);

  // Arms: the left one rests (or rises to cheer); the right one waves,
  // cheers or gives a thumbs-up.
  const double wave = 2.3 + 0.35 * std::sin(look.phase * 2 * M_PI * 2);
  double left = -0.2, right = 0.35;
  switch (look.pose) {
    case TapoPose::Wave: right = wave; break;
    case TapoPose::Cheer: left = -2.6 - 0.2 * std::sin(look.phase * 2 * M_PI); right = 2.6 + 0.2 * std::sin(look.phase * 2 * M_PI); break;
    case TapoPose::ThumbsUp: right = 1.9; break;
    case TapoPose::Jump: left = -1.2; right = 1.2; break;
    case TapoPose::Clap: left = -0.45 + 1.15 * look.phase; right = -left; break;
    default: break;
  }
  const double lx = 38 + 40 * std::sin(left), ly = 118 + 40 * std::cos(left);
  const double rx = 102 + 40 * std::sin(right), ry = 118 + 40 * std::cos(right);
  limb(c, 38, 118, lx, ly, 12, kFur);
  limb(c, 102, 118, rx, ry, 12, kFur);
  c.ellipse(lx, ly, 8, 8);
  c.fill_outlined(kFur, kInk, 2.5);
  c.ellipse(rx, ry, 8, 8);
  c.fill_outlined(kFur, kInk, 2.5);
  if (look.pose == TapoPose::ThumbsUp) {
    c.rounded_rect(rx - 3, ry - 20, 7, 16, 3.5);
    c.fill_outlined(kFur, kInk, 2.5);
  }

  c.line(44, 98, 96, 98, kCollar, 9);
  c.ellipse(30, 58, 13, 30);
  c.fill_soft(kFurDark);
  c.ellipse(110, 58, 13, 30);
  c.fill_soft(kFurDark);
  c.ellipse(70, 56, 40, 38);
  c.fill_soft(kFur);
  c.ellipse(70, 74, 24, 18);
  c.fill(kMuzzle);
  c.ellipse(55, 46, 7, 8);
  c.fill(kWhite);
  c.ellipse(85, 46, 7, 8);
  c.fill(kWhite);
  c.ellipse(56, 48, 4, 5);
  c.fill(kInk);
  c.ellipse(84, 48, 4, 5);
  c.fill(kInk);
  if (look.brows) {
    for (double bx : {55.0, 85.0}) {
      cairo_move_to(cr, bx - 8, 34);
      cairo_curve_to(cr, bx - 4, 28, bx + 4, 28, bx + 8, 34);
      c.stroke(kFurDark, 3.5);
    }
  }
  c.ellipse(70, 64, 8, 6);
  c.fill(platform::rgb(30, 20, 20));
  c.ellipse(67, 62, 2.5, 1.6);
  c.fill(platform::rgb(120, 110, 110));
  if (look.mouth <= 0) {
    cairo_move_to(cr, 61, 79);
    cairo_curve_to(cr, 65, 85, 75, 85, 79, 79);
    c.stroke(kInk, 3);
  } else {
    const double open = 3 + 2.5 * look.mouth;
    c.ellipse(70, 82, 8 + look.mouth, open);
    c.fill_outlined(platform::rgb(150, 30, 40), kInk, 2);
    c.ellipse(70, 82 + open * 0.5, 5 + look.mouth * 0.5, open * 0.45);
    c.fill(platform::rgb(240, 120, 140));
  }
  cairo_restore(cr);
}

namespace {

struct PigletStyle {
  Rgb skin;
  Rgb wear;
  int pattern;  // the scarf: 0 plain, 1 stripes, 2 dots
};

constexpr std::array<PigletStyle, kPigletCount> kPiglets = {{
    {platform::rgb(247, 172, 182), platform::rgb(222, 52, 52), 1},
    {platform::rgb(250, 186, 168), platform::rgb(246, 196, 40), 2},
    {platform::rgb(242, 164, 188), platform::rgb(58, 118, 222), 0},
    {platform::rgb(248, 178, 178), platform::rgb(58, 170, 84), 1},
    {platform::rgb(252, 190, 190), platform::rgb(246, 134, 32), 2},
    {platform::rgb(238, 160, 180), platform::rgb(150, 82, 196), 0},
}};

const PigletStyle& style_of(int slot) { return kPiglets[static_cast<size_t>(((slot % kPigletCount) + kPigletCount) % kPigletCount)]; }

void piglet_hat(Canvas& c, int slot, Rgb wear) {
  cairo_t* cr = c.cr();
  const Rgb white = platform::rgb(255, 255, 255);
  switch (slot % kPigletCount) {
    case 0:  // a bobble cap
      c.dome(45, 22, 23, 15);
      c.fill_soft(wear);
      c.rounded_rect(21, 16, 48, 9, 4.5);
      c.fill_soft(shade(wear, 0.8), 2.5);
      for (double x = 27; x < 66; x += 8) c.line(x, 18, x, 23, shade(wear, 1.35), 2);
      c.ellipse(45, 6, 6, 6);
      c.fill_soft(white, 2.5);
      break;
    case 1:  // a sun hat with a flower
      c.ellipse(45, 18, 36, 6.5);
      c.fill_soft(wear, 2.5);
      cairo_new_sub_path(cr);
      cairo_move_to(cr, 30, 18);
      cairo_curve_to(cr, 29, 2, 61, 2, 60, 18);
      cairo_close_path(cr);
      c.fill_soft(wear, 2.5);
      c.rounded_rect(30.5, 12, 29, 5, 2);
      c.fill(platform::rgb(230, 70, 90));
      for (int k = 0; k < 5; ++k) {
        const double a = k * 2 * M_PI / 5;
        c.ellipse(54 + 3.2 * std::cos(a), 13 + 3.2 * std::sin(a), 2.6, 2.6);
        c.fill_outlined(white, kInk, 1);
      }
      c.ellipse(54, 13, 2, 2);
      c.fill(platform::rgb(250, 200, 40));
      break;
    case 2:  // a cap with a peak
      c.dome(45, 22, 24, 17);
      c.fill_soft(wear);
      c.line(45, 6, 45, 21, shade(wear, 0.75), 1.5);
      c.ellipse(58, 22, 21, 4.5);
      c.fill_soft(shade(wear, 0.75), 2.5);
      c.ellipse(45, 5.5, 3, 3);
      c.fill_outlined(shade(wear, 1.3), kInk, 1.5);
      break;
    case 3:  // a party hat with dots
      cairo_new_sub_path(cr);
      cairo_move_to(cr, 29, 21);
      cairo_line_to(cr, 47, 4);
      cairo_line_to(cr, 63, 20);
      cairo_curve_to(cr, 52, 25, 40, 25, 29, 21);
      cairo_close_path(cr);
      c.fill_soft(wear, 2.5);
      for (auto [dx, dy] : {std::pair{40.0, 17.0}, {50.0, 13.0}, {55.0, 19.0}, {46.0, 20.5}}) {
        c.ellipse(dx, dy, 2, 2);
        c.fill(platform::rgb(255, 230, 80));
      }
      c.ellipse(47, 4.5, 4.2, 4.2);
      c.fill_soft(platform::rgb(255, 230, 80), 2);
      break;
    case 4:  // a big bow
      for (double side : {-1.0, 1.0}) {
        cairo_new_sub_path(cr);
        cairo_move_to(cr, 45, 14);
        cairo_curve_to(cr, 45 + side * 8, 0, 45 + side * 24, 2, 45 + side * 22, 13);
        cairo_curve_to(cr, 45 + side * 21, 24, 45 + side * 8, 22, 45, 14);
        cairo_close_path(cr);
        c.fill_soft(wear, 2.5);
      }
      c.ellipse(45, 14, 5, 5);
      c.fill_soft(shade(wear, 0.85), 2.5);
      break;
    default: {  // a crown with purple jewels
      const Rgb gold = platform::rgb(250, 206, 60);
      cairo_new_sub_path(cr);
      c.polygon({{27, 22}, {27, 8}, {36, 15}, {45, 4}, {54, 15}, {63, 8}, {63, 22}});
      c.fill_soft(gold, 2.5);
      for (auto [tx, ty] : {std::pair{27.0, 7.0}, {45.0, 3.5}, {63.0, 7.0}}) {
        c.ellipse(tx, ty, 2.6, 2.6);
        c.fill_outlined(gold, kInk, 1.5);
      }
      c.ellipse(45, 16, 3.5, 3.5);
      c.fill_outlined(wear, kInk, 1.5);
      c.ellipse(34.5, 18, 2.3, 2.3);
      c.fill_outlined(wear, kInk, 1.2);
      c.ellipse(55.5, 18, 2.3, 2.3);
      c.fill_outlined(wear, kInk, 1.2);
      break;
    }
  }
}

void piglet_scarf(Canvas& c, const PigletStyle& st) {
  cairo_t* cr = c.cr();
  // The loose end hangs down on the piglet's left.
  cairo_new_sub_path(cr);
  c.polygon({{56, 60}, {66, 60}, {68, 80}, {58, 79}});
  c.fill_soft(shade(st.wear, 0.9), 2.5);
  c.rounded_rect(21, 55, 48, 10, 5);
  c.fill_soft(st.wear, 2.5);
  const Rgb mark = st.pattern == 1 ? platform::rgb(255, 255, 255) : shade(st.wear, 1.55);
  if (st.pattern == 1) {
    for (double x = 28; x < 66; x += 9) c.line(x, 57, x - 2, 63, mark, 2.5);
    c.line(59, 70, 66, 70, mark, 2.5);
  } else if (st.pattern == 2) {
    for (double x = 28; x < 66; x += 8) {
      c.ellipse(x, 60, 1.8, 1.8);
      c.fill(mark);
    }
    c.ellipse(62, 71, 1.8, 1.8);
    c.fill(mark);
  } else {
    c.line(60, 76, 67, 76, shade(st.wear, 0.6), 2);
  }
}

// The head with its ears, face and hat, around (45, 38) of the 90 x 110 box.
void piglet_head(Canvas& c, int slot, bool happy) {
  const PigletStyle& st = style_of(slot);
  const Rgb skin = st.skin;
  cairo_t* cr = c.cr();
  // Ears, then the head over their roots.
  for (double side : {-1.0, 1.0}) {
    cairo_new_sub_path(cr);
    cairo_move_to(cr, 45 + side * 12, 18);
    cairo_curve_to(cr, 45 + side * 22, 4, 45 + side * 32, 4, 45 + side * 33, 8);
    cairo_curve_to(cr, 45 + side * 34, 16, 45 + side * 30, 24, 45 + side * 24, 28);
    cairo_close_path(cr);
    c.fill_soft(skin, 2.5);
    cairo_new_sub_path(cr);
    cairo_move_to(cr, 45 + side * 19, 18);
    cairo_curve_to(cr, 45 + side * 24, 11, 45 + side * 29, 10, 45 + side * 29, 12);
    cairo_curve_to(cr, 45 + side * 29, 17, 45 + side * 27, 20, 45 + side * 24, 23);
    cairo_close_path(cr);
    c.fill(shade(skin, 0.82));
  }
  c.ellipse(45, 38, 28, 24);
  c.fill_soft(skin);
  for (double cx : {27.0, 63.0}) {
    c.ellipse(cx, 47, 6, 4);
    c.set_colour(platform::rgb(240, 100, 120), 0.45);
    cairo_fill(cr);
  }
  for (double ex : {35.0, 55.0}) {
    c.ellipse(ex, 33, 5.5, 6.5);
    c.fill_outlined(platform::rgb(255, 255, 255), kInk, 1.5);
    c.ellipse(ex + 1, 34, 3.2, 4);
    c.fill(kInk);
    c.ellipse(ex + 2, 32.3, 1.3, 1.3);
    c.fill(platform::rgb(255, 255, 255));
  }
  if (slot % kPigletCount == 4) {  // lashes
    c.line(30, 28, 27.5, 25.5, kInk, 1.5);
    c.line(60, 28, 62.5, 25.5, kInk, 1.5);
  }
  c.ellipse(45, 46, 12, 8.5);
  c.fill_soft(shade(skin, 0.9), 2.2);
  for (double nx : {40.5, 49.5}) {
    c.ellipse(nx, 46, 2.2, 3.2);
    c.fill(shade(skin, 0.45));
  }
  if (happy) {
    cairo_new_sub_path(cr);
    cairo_move_to(cr, 37, 55.5);
    cairo_curve_to(cr, 40, 63, 50, 63, 53, 55.5);
    cairo_close_path(cr);
    c.fill_outlined(platform::rgb(160, 40, 60), kInk, 2);
    c.ellipse(45, 59.5, 4, 2);
    c.fill(platform::rgb(250, 130, 150));
  } else {
    cairo_move_to(cr, 39, 57);
    cairo_curve_to(cr, 42, 60, 48, 60, 51, 57);
    c.stroke(kInk, 2);
  }
  piglet_hat(c, slot, st.wear);
}

}  // namespace

Rgb piglet_colour(int slot) { return style_of(slot).wear; }

void draw_piglet(Canvas& c, int slot, double x, double y, const PigletLook& look, double scale) {
  const PigletStyle& st = style_of(slot);
  const Rgb skin = st.skin;
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, scale, scale);
  if (look.pose == PigletPose::Lifted) cairo_translate(cr, 0, -12 * std::sin(M_PI * look.phase));

  // The curly tail peeps out on the right.
  for (auto [colour, width] : {std::pair{kInk, 5.0}, {skin, 2.2}}) {
    cairo_move_to(cr, 70, 88);
    cairo_curve_to(cr, 78, 86, 80, 80, 76, 79);
    cairo_curve_to(cr, 72, 78, 74, 73, 81, 74);
    c.stroke(colour, width);
  }

  for (double fx : {34.0, 56.0}) {
    c.ellipse(fx, 101, 11, 7);
    c.fill_soft(shade(skin, 0.9));
    c.line(fx, 104, fx, 107.5, kInk, 1.5);
  }
  c.ellipse(45, 79, 28, 24);
  c.fill_soft(skin);
  c.ellipse(45, 85, 17, 13);
  c.fill(shade(skin, 1.2));

  // Arms: resting at the sides, or the right one (on the picture) waving.
  limb(c, 22, 68, 14, 86, 8, skin);
  c.ellipse(14, 87, 5, 5);
  c.fill_soft(skin, 2.5);
  double hx = 77, hy = 87;
  if (look.pose == PigletPose::Wave) {
    const double a = -1.25 + 0.4 * std::sin(look.phase * 2 * M_PI * 2);
    hx = 68 + 20 * std::cos(a);
    hy = 68 + 20 * std::sin(a);
  }
  limb(c, 68, 68, hx, hy, 8, skin);
  c.ellipse(hx, hy, 5, 5);
  c.fill_soft(skin, 2.5);

  piglet_scarf(c, st);

  piglet_head(c, slot, look.happy);
  cairo_restore(cr);
}

void draw_piggy_bank(Canvas& c, int slot, double x, double y) {
  const PigletStyle& st = style_of(slot);
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rectangle(cr, 0, 0, kPiggyBankWidth, kPiggyBankHeight);
  cairo_clip(cr);
  for (double lx : {34.0, 46.0, 68.0, 79.0}) {
    c.rounded_rect(lx - 5, 50, 10, 17, 4);
    c.fill_soft(shade(st.skin, 0.9), 2.5);
  }
  // the curly tail, then the round body with the plaque and the coin slot
  cairo_move_to(cr, 84, 32);
  cairo_curve_to(cr, 90, 30, 90, 24, 86, 23);
  c.stroke(kInk, 4.5);
  cairo_move_to(cr, 84, 32);
  cairo_curve_to(cr, 90, 30, 90, 24, 86, 23);
  c.stroke(st.skin, 2);
  c.ellipse(57, 35, 30, 26);
  c.fill_soft(st.skin);
  const auto& p = kPiggyBankPlaque;
  c.rounded_rect(p.x, p.y, p.w, p.h, 5);
  c.fill_outlined(platform::rgb(255, 250, 232), kInk, 2.2);
  c.ellipse(62, 7, 6, 6);
  c.fill_soft(platform::rgb(255, 204, 40), 1.8);
  c.rounded_rect(53, 10, 18, 4, 2);
  c.fill(platform::rgb(90, 50, 40));
  // the scarf round the neck, then the head turned to us
  c.rounded_rect(24, 22, 10, 32, 5);
  c.fill_soft(st.wear, 2.2);
  if (st.pattern == 1) {
    for (double yy = 28; yy < 52; yy += 7) c.line(26, yy, 32, yy - 2, platform::rgb(255, 255, 255), 2);
  } else if (st.pattern == 2) {
    for (double yy = 28; yy < 52; yy += 7) {
      c.ellipse(29, yy, 1.5, 1.5);
      c.fill(shade(st.wear, 1.55));
    }
  }
  constexpr double s = 0.57;
  cairo_save(cr);
  cairo_translate(cr, 18.5 - 45 * s, 35 - 38 * s);
  cairo_scale(cr, s, s);
  piglet_head(c, slot, true);
  cairo_restore(cr);
  cairo_restore(cr);
}

void draw_coin(Canvas& c, double cx, double cy, double r, const std::string& label, bool lit) {
  const Rgb gold = lit ? platform::rgb(255, 204, 40) : platform::rgb(150, 134, 100);
  c.ellipse(cx, cy, r, r);
  c.fill_soft(gold, std::max(2.0, r / 10));
  c.ellipse(cx, cy, r * 0.78, r * 0.78);
  c.stroke(shade(gold, lit ? 0.78 : 0.88), std::max(1.5, r / 14));
  if (lit) {  // a glint
    cairo_arc(c.cr(), cx, cy, r * 0.62, M_PI * 1.05, M_PI * 1.45);
    c.stroke(platform::rgb(255, 250, 220), std::max(1.5, r / 12));
  }
  if (!label.empty()) {
    const double size = r * (label.size() > 2 ? 0.78 : 1.05);
    c.text(label, cx, cy, size, lit ? platform::rgb(140, 70, 0) : platform::rgb(86, 76, 58));
  }
}

}  // namespace tapo::media
