// MESTECKO: the ride home from the toy shop.  A little town of houses and
// trees with a road running across it to Tapo's home at its far end; Tapo
// drives along it in his little red car.  The car's box moves with it, so
// each clip frame carries the town behind the car at that place.
#include <cmath>

#include "tools/mkmedia/art_sounds.h"
#include "tools/mkmedia/art_kit.h"
#include "tools/mkmedia/art_util.h"
#include "tools/mkmedia/cast.h"
#include "tools/mkmedia/folders.h"

namespace tapo::media {
namespace {

namespace pf = tapo::platform;

constexpr int kBoxW = 120, kBoxH = 90;  // the car's clip frames
constexpr int kRideFrames = 96, kRideHold = 75;  // about 7 seconds
constexpr double kStartX = 60, kEndX = 500;  // the car's middle, first and last

// The middle line of the road: low on the left, rising gently to the home.
double road_y(double x) { return 408 - 52 * ease(std::clamp(x / 600.0, 0.0, 1.0)); }

void house(Canvas& c, double x, double base, double w, double h, Rgb wall, Rgb roof) {
  c.rounded_rect(x, base - h, w, h, 3);
  c.fill_soft(wall);
  c.polygon({{x - 8, base - h + 2}, {x + w / 2, base - h - w * 0.45}, {x + w + 8, base - h + 2}});
  c.fill_outlined(roof);
  for (int k = 0; k < 2; ++k) {
    c.rounded_rect(x + 8 + k * (w - 30), base - h + 12, 14, 14, 2);
    c.fill_outlined(pf::rgb(255, 240, 160), kInk, 2);
  }
  c.rounded_rect(x + w / 2 - 8, base - 24, 16, 24, 6);
  c.fill_outlined(pf::rgb(150, 96, 54), kInk, 2);
}

void tree(Canvas& c, double x, double base, double r) {
  c.rounded_rect(x - 5, base - r - 10, 10, r + 10, 3);
  c.fill_outlined(pf::rgb(150, 100, 60), kInk, 2);
  c.ellipse(x, base - r * 1.6, r, r * 1.1);
  c.fill_soft(pf::rgb(100, 190, 90));
  c.ellipse(x - r * 0.3, base - r * 1.8, 4, 4);
  c.fill_outlined(pf::rgb(240, 70, 60), kInk, 1.2);
  c.ellipse(x + r * 0.4, base - r * 1.4, 4, 4);
  c.fill_outlined(pf::rgb(240, 70, 60), kInk, 1.2);
}

// Tapo's home at the end of the road: a round-roofed kennel-house with a bone
// over the door.
void home(Canvas& c) {
  c.rounded_rect(520, 222, 110, 118, 6);
  c.fill_soft(pf::rgb(255, 200, 120));
  c.polygon({{506, 228}, {575, 160}, {644, 228}});
  c.fill_outlined(pf::rgb(220, 70, 60), kInk, 3);
  c.dome(575, 340, 26, 60);
  c.fill_outlined(pf::rgb(120, 70, 40), kInk, 2.5);
  c.rounded_rect(556, 192, 38, 14, 7);
  c.fill_outlined(pf::rgb(255, 255, 240), kInk, 2);
  for (int side : {-1, 1}) {
    c.ellipse(575 + side * 19, 195, 6, 6);
    c.fill_outlined(pf::rgb(255, 255, 240), kInk, 2);
    c.ellipse(575 + side * 19, 203, 6, 6);
    c.fill_outlined(pf::rgb(255, 255, 240), kInk, 2);
  }
  c.rounded_rect(556, 192, 38, 14, 7);
  c.fill(pf::rgb(255, 255, 240));
  c.rounded_rect(532, 238, 20, 20, 3);
  c.fill_outlined(pf::rgb(180, 230, 255), kInk, 2);
  draw_star(c, 612, 248, 8, pf::rgb(255, 220, 70));
}

Surface town() {
  return painted(Surface(640, 480), [](Canvas& c) {
    cairo_t* cr = c.cr();
    c.paint_vertical({0.55, 0.8, 1.0}, {0.85, 0.95, 1.0}, 300);
    c.ellipse(70, 60, 30, 30);
    c.fill_outlined(pf::rgb(255, 220, 70), pf::rgb(240, 170, 40), 3);
    for (auto [x, y] : {std::pair{220.0, 60.0}, {420.0, 40.0}}) {
      for (int k = 0; k < 3; ++k) {
        c.ellipse(x + k * 22, y - (k == 1 ? 8 : 0), 20, 14);
        c.fill(pf::rgb(255, 255, 255));
      }
    }
    // hills, grass
    c.ellipse(160, 330, 260, 120);
    c.fill(pf::rgb(150, 214, 110));
    c.ellipse(520, 320, 240, 110);
    c.fill(pf::rgb(140, 206, 100));
    cairo_rectangle(cr, 0, 300, 640, 180);
    c.fill(pf::rgb(130, 200, 95));
    // the houses and trees of the town along the road
    house(c, 30, 320, 80, 70, pf::rgb(250, 230, 160), pf::rgb(90, 140, 220));
    tree(c, 140, 318, 20);
    house(c, 180, 310, 90, 84, pf::rgb(190, 225, 250), pf::rgb(230, 110, 80));
    house(c, 300, 304, 70, 60, pf::rgb(255, 200, 210), pf::rgb(120, 180, 90));
    tree(c, 400, 300, 22);
    house(c, 430, 296, 62, 54, pf::rgb(220, 200, 250), pf::rgb(240, 160, 60));
    home(c);
    // the road, with a dashed middle line
    auto road = [&] {
      cairo_move_to(cr, -10, road_y(-10));
      for (int x = 0; x <= 560; x += 10) cairo_line_to(cr, x, road_y(x));
    };
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    road();
    c.stroke(kInk, 62);
    road();
    c.stroke(pf::rgb(150, 150, 160), 56);
    road();
    const double dash[] = {18, 16};
    cairo_set_dash(cr, dash, 2, 0);
    c.stroke(pf::rgb(255, 255, 255), 4);
    cairo_set_dash(cr, nullptr, 0, 0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    // flowers in the grass below the road
    for (int k = 0; k < 12; ++k) {
      const double x = 20 + k * 52, y = 462 - (k % 3) * 6;
      c.ellipse(x, y, 5, 5);
      c.fill_outlined(k % 2 ? pf::rgb(255, 120, 160) : pf::rgb(255, 230, 80), kInk, 1.2);
    }
  });
}

// Tapo in his car, the car's middle at (cx, its wheels' bottom at) by; `u`
// runs through the ride (wheels, a bounce, puffs behind).
void car(Canvas& c, double cx, double by, double u) {
  const double bob = 1.5 * std::sin(u * 60);
  for (int k = 0; k < 2; ++k) {
    const double p = std::fmod(u * 24 + k * 0.5, 1.0);
    c.ellipse(cx - 52 - 14 * p, by - 16 - 8 * p, 4 + 5 * p, 4 + 5 * p);
    c.fill_outlined(pf::rgb(230, 230, 236), pf::rgb(150, 150, 160), 1.5);
  }
  cairo_save(c.cr());  // Tapo sits in the car: nothing of him below its rim
  cairo_rectangle(c.cr(), cx - 60, by - 100, 120, 70 + bob);
  cairo_clip(c.cr());
  draw_tapo(c, cx - 38, by - 74 + bob, {TapoPose::Wave, std::fmod(u * 6, 1.0), 2}, 0.42);
  cairo_restore(c.cr());
  c.rounded_rect(cx - 48, by - 36 + bob, 96, 24, 10);
  c.fill_soft(pf::rgb(230, 60, 56));
  c.rounded_rect(cx + 4, by - 48 + bob, 8, 14, 2);
  c.fill_outlined(pf::rgb(180, 230, 255), kInk, 2);
  c.ellipse(cx + 44, by - 26 + bob, 4, 4);
  c.fill_outlined(pf::rgb(255, 220, 70), kInk, 1.5);
  draw_star(c, cx - 14, by - 24 + bob, 6, pf::rgb(255, 220, 70));
  for (double wx : {cx - 28, cx + 28}) {
    c.ellipse(wx, by - 10, 10, 10);
    c.fill_outlined(pf::rgb(60, 60, 70), kInk, 2);
    c.ellipse(wx, by - 10, 4, 4);
    c.fill_outlined(pf::rgb(200, 200, 210), kInk, 1.5);
    const double a = -u * 120;
    c.line(wx, by - 10, wx + 7 * std::cos(a), by - 10 + 7 * std::sin(a), kInk, 1.5);
  }
}

void make_mestecko(Pack& pack) {
  const Surface scene = town();
  pack.bmp("\\MESTECKO\\POZADI.BMP", scene);

  std::vector<Surface> frames;
  std::vector<Rect> boxes;
  for (int f = 0; f < kRideFrames; ++f) {
    const double u = f / double(kRideFrames - 1);
    const double cx = kStartX + (kEndX - kStartX) * ease(u), by = road_y(cx) + 14;
    const Rect box{static_cast<int>(std::lround(cx)) - kBoxW / 2, static_cast<int>(std::lround(by)) - kBoxH + 4, kBoxW, kBoxH};
    frames.push_back(crop(painted(scene, [&](Canvas& c) { car(c, cx, by, u); }), box));
    boxes.push_back(box);
  }
  pack.clip("\\MESTECKO\\JIZDA.AVI", frames);
  // Frame 0 shows at the script's place; position record i serves frame i + 1.
  pack.script("\\MESTECKO\\JIZDA.DAT", "\\MESTECKO\\JIZDA", boxes[0].x, boxes[0].y, kBoxW, kBoxH, 0,
              run_of(0, kRideFrames - 1, kRideHold));
  std::string positions;
  for (int i = 0; i + 1 < kRideFrames; ++i)
    positions += std::to_string(i) + "," + std::to_string(boxes[i + 1].x) + "," + std::to_string(boxes[i + 1].y) + "\r\n";
  pack.text("\\MESTECKO\\JIZDA.POS", positions);

  const double seconds = kRideFrames * kRideHold / 1000.0 + 0.3;
  std::vector<double> ride;
  sounds::motor(ride, seconds, 0.35);
  const double step = 0.225;  // a cheerful tune over the motor, twice round
  for (int round = 0; round < 2; ++round) {
    int k = 0;
    for (double f : {523.0, 659.0, 784.0, 659.0, 698.0, 880.0, 784.0, 0.0, 587.0, 698.0, 880.0, 698.0, 659.0, 523.0, 587.0, 0.0})
      if (f > 0) sounds::pluck(ride, round * 16 * step + k++ * step, f, 0.3, 0.35);
      else ++k;
  }
  ride.resize(static_cast<size_t>(seconds * sounds::kRate));
  pack.sound("\\MESTECKO\\JIZDA.WAV", ride);
}

}  // namespace
}  // namespace tapo::media

MKMEDIA_FOLDER("MESTECKO", make_mestecko)
