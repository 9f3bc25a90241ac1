#include "tools/mkmedia/cast.h"

#include <array>
#include <cmath>

namespace tapo::media {

namespace {

constexpr Rgb kFur = platform::rgb(196, 136, 72);
constexpr Rgb kFurDark = platform::rgb(140, 88, 44);
constexpr Rgb kMuzzle = platform::rgb(250, 236, 214);
constexpr Rgb kCollar = platform::rgb(220, 40, 40);
constexpr Rgb kWhite = platform::rgb(255, 255, 255);

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

  c.ellipse(52, 186, 16, 11);
  c.fill_outlined(kFur);
  c.ellipse(88, 186, 16, 11);
  c.fill_outlined(kFur);
  c.ellipse(70, 142, 38, 44);
  c.fill_outlined(kFur);
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
  c.fill_outlined(kFurDark);
  c.ellipse(110, 58, 13, 30);
  c.fill_outlined(kFurDark);
  c.ellipse(70, 56, 40, 38);
  c.fill_outlined(kFur);
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
  c.ellipse(70, 64, 8, 6);
  c.fill(platform::rgb(30, 20, 20));
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

void draw_piglet(Canvas& c, int slot, double x, double y, const PigletLook& look, double scale) {
  // Each piglet wears its own colour of hat and scarf.
  static constexpr std::array<Rgb, kPigletCount> kWear = {
      platform::rgb(220, 50, 50),  platform::rgb(240, 190, 40), platform::rgb(60, 120, 220),
      platform::rgb(60, 170, 80),  platform::rgb(240, 130, 30), platform::rgb(150, 80, 190)};
  const Rgb wear = kWear[static_cast<size_t>(slot % kPigletCount)];
  const Rgb pink = platform::rgb(246, 170, 180);
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, scale, scale);
  if (look.pose == PigletPose::Lifted) cairo_translate(cr, 0, -12 * std::sin(M_PI * look.phase));
  c.ellipse(32, 100, 10, 7);
  c.fill_outlined(pink);
  c.ellipse(58, 100, 10, 7);
  c.fill_outlined(pink);
  c.ellipse(45, 76, 30, 26);
  c.fill_outlined(pink);
  c.line(24, 58, 66, 58, wear, 8);
  c.ellipse(45, 40, 28, 25);
  c.fill_outlined(pink);
  c.ellipse(26, 22, 8, 10);
  c.fill_outlined(pink);
  c.ellipse(64, 22, 8, 10);
  c.fill_outlined(pink);
  c.ellipse(45, 48, 11, 8);
  c.fill_outlined(shade(pink, 0.85), kInk, 2);
  c.ellipse(41, 48, 2, 3);
  c.fill(kInk);
  c.ellipse(49, 48, 2, 3);
  c.fill(kInk);
  c.ellipse(36, 34, 3.5, 4);
  c.fill(kInk);
  c.ellipse(54, 34, 3.5, 4);
  c.fill(kInk);
  // The hat.
  c.rounded_rect(28, 6, 34, 14, 5);
  c.fill_outlined(wear);
  c.rounded_rect(22, 16, 46, 6, 3);
  c.fill_outlined(shade(wear, 0.8));
  cairo_restore(cr);
}

void draw_coin(Canvas& c, double cx, double cy, double r, const std::string& label, bool lit) {
  const Rgb gold = lit ? platform::rgb(255, 204, 40) : platform::rgb(150, 130, 90);
  c.ellipse(cx, cy, r, r);
  c.fill_outlined(gold, kInk, std::max(2.0, r / 10));
  c.ellipse(cx, cy, r * 0.78, r * 0.78);
  c.stroke(shade(gold, lit ? 0.8 : 0.9), std::max(1.5, r / 14));
  if (!label.empty()) c.text(label, cx, cy, r * 1.1, lit ? platform::rgb(150, 80, 0) : platform::rgb(90, 80, 60));
}

}  // namespace tapo::media
