// POKOJ: the child's room at home, two screens wide, where the toys bought in
// the shop stand.  Each toy has its own little show (the ball bounces, the
// rocket lifts off...), played keyed over the room with the toy's own place
// emptied first, so the toy moves over the bare room and ends where it stood.
#include <array>
#include <cmath>

#include "players/room_layout.h"
#include "tools/mkmedia/art_playthings.h"
#include "tools/mkmedia/art_sounds.h"
#include "tools/mkmedia/art_kit.h"
#include "tools/mkmedia/folders.h"
#include "tools/mkmedia/game_kit.h"

namespace tapo::media {
namespace {

namespace pf = tapo::platform;

// Where a toy stands in the room, the box its show plays in (which holds the
// toy and its whole movement, inside one half, and meets no other toy's
// place: the show's last frame stays on the room), how it moves, its tune.
enum class Move { Stay, Bounce, Fly, Drive, Hop, Rock, Lift };
struct RoomToy {
  int x, y;
  Rect box;
  Move move;
  std::initializer_list<double> tune;
};

// In the order of kPlaythings (the shop's catalogue).
const std::array<RoomToy, kPlaythings.size()> kRoom = {{
    {300, 404, {290, 296, 76, 172}, Move::Bounce, {523, 784, 659, 1047}},     // ball, on the rug
    {272, 120, {262, 110, 80, 78}, Move::Stay, {1047, 1175, 1319, 1397}},     // top, on the wall shelf
    {1150, 140, {1140, 104, 110, 110}, Move::Rock, {392, 440, 392, 330}},    // boat, on the bookcase
    {150, 250, {90, 40, 180, 312}, Move::Fly, {659, 784, 880, 1047, 880}},   // kite, by the window
    {440, 404, {434, 380, 84, 98}, Move::Stay, {196, 196, 262, 196}},         // drum, before the bed
    {710, 244, {704, 232, 112, 72}, Move::Stay, {523, 587, 659, 698, 784, 880}},  // xylophone, on the table
    {520, 200, {512, 180, 76, 124}, Move::Hop, {784, 988, 1175}},             // doll, on the bed
    {424, 212, {416, 190, 92, 116}, Move::Hop, {330, 392, 494}},              // teddy, on the bed
    {110, 400, {104, 390, 170, 76}, Move::Drive, {440, 554, 440, 554}},       // car, on the floor
    {890, 270, {880, 260, 90, 114}, Move::Stay, {880, 660, 880, 660}},       // robot
    {960, 392, {952, 376, 126, 100}, Move::Hop, {147, 131, 110}},             // dinosaur
    {760, 404, {754, 392, 200, 80}, Move::Drive, {587, 587, 784, 659}},       // train
    {1110, 370, {1104, 214, 62, 262}, Move::Lift, {262, 330, 392, 523, 659, 784}},  // rocket
    {1020, 110, {1012, 84, 126, 130}, Move::Stay, {523, 659, 784, 1047}},     // castle, on the bookcase
}};

constexpr int kShowFrames = 18, kShowHold = 80;  // a show of about 1.5 seconds

// Where the moving toy is at `u` (0..1) of its show, relative to its place.
struct Pose {
  double dx = 0, dy = 0, turn = 0;
};
Pose pose(Move m, double u) {
  const double s = std::sin(M_PI * u);
  switch (m) {
    case Move::Stay: return {};
    case Move::Bounce: return {0, -100 * std::fabs(std::sin(3 * M_PI * u)) * (1 - 0.5 * u), 0};
    case Move::Fly: return {30 * std::sin(2 * M_PI * u), -170 * s, 0.25 * std::sin(4 * M_PI * u)};
    case Move::Drive: return {60 * s, 0, 0};
    case Move::Hop: return {0, -14 * std::fabs(std::sin(2 * M_PI * u)), 0};
    case Move::Rock: return {0, -3 * s, 0.18 * std::sin(4 * M_PI * u)};
    case Move::Lift: return {0, -150 * s * s, 0};
  }
  return {};
}

Surface room() {
  return painted(Surface(1280, 480), [](Canvas& c) {
    cairo_t* cr = c.cr();
    c.set_colour(pf::rgb(200, 226, 250));
    cairo_paint(cr);
    for (int x = 0; x < 1280; x += 64)
      for (int y = 30; y < 330; y += 64) {
        c.ellipse(x + 32 + (y / 64 % 2) * 32, y, 5, 5);
        c.fill(pf::rgb(226, 238, 255));
      }
    // the floor: planks repeating every half, so the exit's corner looks the same on both
    cairo_rectangle(cr, 0, 340, 1280, 140);
    c.fill(pf::rgb(214, 160, 104));
    for (int x = 0; x < 1280; x += 80) c.line(x, 340, x - 30, 480, pf::rgb(190, 138, 86), 2);
    c.rounded_rect(-4, 332, 1288, 12, 2);
    c.fill_outlined(pf::rgb(250, 250, 250), pf::rgb(170, 150, 130), 2);
    // left half: the window, the wall shelf, the rug, the bed
    c.rounded_rect(56, 56, 178, 160, 8);
    c.fill_outlined(pf::rgb(150, 210, 250), pf::rgb(250, 250, 250), 8);
    c.ellipse(196, 96, 18, 18);
    c.fill(pf::rgb(255, 220, 80));
    c.line(145, 58, 145, 214, pf::rgb(250, 250, 250), 6);
    c.line(58, 136, 232, 136, pf::rgb(250, 250, 250), 6);
    for (double x : {40.0, 218.0}) {
      c.rounded_rect(x, 44, 34, 186, 10);
      c.fill_soft(pf::rgb(250, 150, 170));
    }
    c.rounded_rect(246, 184, 120, 12, 3);
    c.fill_outlined(pf::rgb(176, 116, 64), pf::rgb(120, 76, 40), 2.5);
    c.ellipse(330, 436, 150, 36);
    c.fill_outlined(pf::rgb(140, 200, 120), pf::rgb(100, 160, 90), 3);
    c.ellipse(330, 436, 110, 24);
    c.stroke(pf::rgb(250, 230, 120), 4);
    c.rounded_rect(600, 220, 30, 180, 8);  // headboard
    c.fill_soft(pf::rgb(170, 110, 70));
    c.rounded_rect(390, 300, 226, 60, 10);
    c.fill_soft(pf::rgb(250, 250, 245));
    c.rounded_rect(392, 318, 214, 62, 8);
    c.fill_soft(pf::rgb(110, 150, 240));
    for (int k = 0; k < 5; ++k) draw_star(c, 414 + k * 44, 348, 7, pf::rgb(255, 230, 100));
    c.ellipse(578, 298, 26, 14);
    c.fill_soft(pf::rgb(255, 255, 255));
    c.rounded_rect(396, 370, 10, 30, 3);
    c.fill_outlined(pf::rgb(170, 110, 70));
    c.rounded_rect(590, 370, 10, 30, 3);
    c.fill_outlined(pf::rgb(170, 110, 70));
    // right half: a picture of the town, the table, the bookcase, a toy chest
    cairo_save(cr);
    c.rounded_rect(730, 80, 130, 100, 4);
    cairo_clip_preserve(cr);
    c.fill(pf::rgb(190, 230, 255));
    c.ellipse(795, 190, 80, 36);
    c.fill(pf::rgb(130, 200, 95));
    c.polygon({{770, 150}, {790, 130}, {810, 150}});
    c.fill_outlined(pf::rgb(230, 80, 70), kInk, 2);
    c.rounded_rect(774, 150, 32, 22, 2);
    c.fill_outlined(pf::rgb(255, 210, 130), kInk, 2);
    cairo_restore(cr);
    c.rounded_rect(730, 80, 130, 100, 4);
    c.stroke(pf::rgb(200, 140, 60), 7);
    c.rounded_rect(696, 300, 170, 12, 3);
    c.fill_outlined(pf::rgb(200, 140, 84), pf::rgb(120, 76, 40), 2.5);
    for (double x : {706.0, 846.0}) {
      c.rounded_rect(x, 310, 10, 70, 3);
      c.fill_outlined(pf::rgb(200, 140, 84), pf::rgb(120, 76, 40), 2);
    }
    c.rounded_rect(1000, 60, 262, 280, 6);
    c.fill_outlined(pf::rgb(240, 200, 150), pf::rgb(120, 76, 40), 4);
    for (double y : {210.0, 330.0}) {
      c.rounded_rect(996, y, 270, 12, 3);
      c.fill_outlined(pf::rgb(176, 116, 64), pf::rgb(120, 76, 40), 2.5);
    }
    for (int k = 0; k < 6; ++k) {  // books
      c.rounded_rect(1012 + k * 16, 274 + (k % 2) * 6, 13, 56 - (k % 2) * 6, 2);
      c.fill_outlined(k % 3 == 0 ? pf::rgb(230, 90, 80) : k % 3 == 1 ? pf::rgb(90, 160, 230) : pf::rgb(250, 200, 70), kInk, 1.5);
    }
    c.rounded_rect(1176, 396, 96, 72, 6);
    c.fill_soft(pf::rgb(250, 170, 70));
    c.rounded_rect(1170, 386, 108, 16, 6);
    c.fill_outlined(pf::rgb(240, 120, 60));
    draw_star(c, 1224, 436, 14, pf::rgb(255, 240, 120));
  });
}

void make_pokoj(Pack& pack) {
  const Surface home = room();
  pack.bmp("\\POKOJ\\POZADI.BMP", home);
  const Rect exit = players::room::kExit;
  pack.bmp("\\POKOJ\\STOPYOFF.BMP", leave_picture(home, exit, false));
  pack.bmp("\\POKOJ\\STOPY_ON.BMP", leave_picture(home, exit, true));

  std::string positions;
  for (size_t k = 0; k < kPlaythings.size(); ++k) {
    const auto& look = kPlaythings[k];
    const RoomToy& r = kRoom[k];
    const Rect place{r.x, r.y, look.w, look.h};
    if (!r.box.contains(place) || r.box.x / 640 != (r.box.x + r.box.w - 1) / 640)
      fail(std::string("the show of ") + look.name + " leaves its box or its half");
    for (size_t j = 0; j < kPlaythings.size(); ++j)
      if (j != k && !pf::intersection(r.box, {kRoom[j].x, kRoom[j].y, kPlaythings[j].w, kPlaythings[j].h}).empty())
        fail(std::string("the show of ") + look.name + " covers " + kPlaythings[j].name);
    const std::string name = look.name;
    Canvas still(look.w, look.h);
    draw_plaything(still, look.kind, 0, 0);
    pack.bmp("\\POKOJ\\HRACKY\\" + name + ".BMP", still.keyed());
    pack.bmp("\\POKOJ\\HRACKY_\\" + name + ".BMP", crop(home, place));
    positions += "\"" + name + "\"," + std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(r.x) + "," +
                 std::to_string(r.y) + "," + std::to_string(look.w) + "," + std::to_string(look.h) + "\r\n";

    std::vector<Surface> frames;
    for (int f = 0; f < kShowFrames; ++f) {
      const bool rest = f == 0 || f == kShowFrames - 1;
      const double u = f / double(kShowFrames - 1);
      const Pose p = rest ? Pose{} : pose(r.move, u);
      Canvas c(r.box.w, r.box.h);
      const double cx = r.x - r.box.x + look.w / 2.0 + p.dx, bottom = r.y - r.box.y + look.h + p.dy;
      cairo_translate(c.cr(), cx, bottom);
      cairo_rotate(c.cr(), p.turn);
      draw_plaything(c, look.kind, -look.w / 2.0, -look.h, rest ? 0 : u);
      frames.push_back(c.keyed());
      if (frames.back().at(0, 0) != kKey) fail(std::string("the show of ") + look.name + " touches its box's corner");
    }
    const std::string stem = "\\POKOJ\\" + name;
    pack.clip(stem + ".AVI", frames);
    // The show plays in the half the toy stands in, placed on the screen.
    pack.keyed_script(stem + ".DAT", stem, r.box.x % 640, r.box.y, r.box.w, r.box.h, 0, run_of(0, kShowFrames - 1, kShowHold));
    std::vector<double> tune;
    int n = 0;
    for (double f : r.tune) sounds::pluck(tune, n++ * (kShowFrames * kShowHold / 1000.0 - 0.3) / r.tune.size(), f, 0.35, 0.45);
    pack.sound(stem + ".WAV", tune);
  }
  pack.text("\\POKOJ\\HRACKY\\POZICE.DAT", positions);
}

}  // namespace
}  // namespace tapo::media

MKMEDIA_FOLDER("POKOJ", make_pokoj)
