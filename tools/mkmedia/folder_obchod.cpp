// OBCHOD: the games menu.  A toy shop with nine toys on its shelves, each one
// the way into a game; Tapo stands below (click him for help), a jester
// puppet hangs on the left, and a sign with a piglet leads back to the players.
#include <algorithm>
#include <array>
#include <cmath>

#include "games/games.h"
#include "navigation/menu_layout.h"
#include "tools/mkmedia/art_kit.h"
#include "tools/mkmedia/art_toys.h"
#include "tools/mkmedia/art_util.h"
#include "tools/mkmedia/cast.h"
#include "tools/mkmedia/folder_obchod.h"
#include "tools/mkmedia/folders.h"
#include "tools/mkmedia/words.h"

namespace tapo::media {
namespace {

namespace pf = tapo::platform;
namespace menu = tapo::navigation::menu;
namespace games = tapo::games;

// Tapo, small, standing in the help area at the bottom left.
constexpr double kMenuTapoX = 30, kMenuTapoY = 294, kMenuTapoScale = 0.6;

struct ToyShow {
  Toy toy;
  core::MenuToy place;     // its show, the script, clip and sound \OBCHOD\<show>, in its box
  int frames;
  std::initializer_list<double> tune;
  double dx = 0;           // moved this far left or right of where the toy is drawn
};

// The boxes hold each toy's whole movement.
const std::array<ToyShow, kMenuToys> kShows = {{
    {Toy::Snake, games::had::kGame.toy, 14, {523, 659, 784}},
    {Toy::Dragon, games::drak::kGame.toy, 14, {392, 494, 587}},
    {Toy::Cards, games::pexeso::kGame.toy, 12, {784, 988, 1175}},
    {Toy::Car, games::sneci::kGame.toy, 14, {440, 554, 659, 880}},
    {Toy::Teddy, games::housenka::kGame.toy, 14, {349, 440, 523}},
    {Toy::Plane, games::dril::kGame.toy, 14, {587, 740, 880}},
    {Toy::Pirate, games::terc::kGame.toy, 14, {330, 440, 554, 659}},
    {Toy::Scales, games::vahy::kGame.toy, 14, {659, 587, 659}, -20},
    {Toy::Bulldog, games::pretah::kGame.toy, 14, {294, 247, 294}, -12},
    {Toy::Puppet, {"PANAC", menu::kPuppet}, 16, {784, 659, 523, 659, 784}},
}};

void menu_toy(Canvas& c, const ToyShow& s, double t) {
  cairo_save(c.cr());
  cairo_translate(c.cr(), s.dx, 0);
  draw_toy(c, s.toy, t);
  cairo_restore(c.cr());
}

void wall_and_shelves(Canvas& c) {
  cairo_t* cr = c.cr();
  // warm wallpaper with soft stripes
  c.set_colour(pf::rgb(252, 232, 196));
  cairo_paint(cr);
  for (int x = 0; x < 640; x += 32) {
    cairo_rectangle(cr, x, 0, 14, 420);
    c.fill(pf::rgb(248, 222, 182));
  }
  // wooden floor
  cairo_rectangle(cr, 0, 420, 640, 60);
  c.fill(pf::rgb(196, 138, 84));
  for (int x = -40; x < 640; x += 80) c.line(x, 480, x + 30, 420, pf::rgb(176, 120, 70), 2);
  c.line(0, 420, 640, 420, pf::rgb(140, 90, 50), 4);
  // a window with sky, top left, and the shop's name above the shelves
  c.rounded_rect(20, 14, 70, 58, 6);
  c.fill_outlined(pf::rgb(170, 215, 250), pf::rgb(150, 100, 60), 6);
  c.line(55, 14, 55, 72, pf::rgb(150, 100, 60), 4);
  c.line(20, 43, 90, 43, pf::rgb(150, 100, 60), 4);
  c.ellipse(36, 30, 8, 8);
  c.fill(pf::rgb(255, 220, 80));
  c.rounded_rect(220, 14, 320, 46, 12);
  c.fill_outlined(pf::rgb(250, 180, 70), pf::rgb(150, 90, 40), 4);
  c.text(word("toys-and-games"), 380, 38, 26, pf::rgb(200, 60, 40));
  // shelves: a cupboard back, then the boards
  c.rounded_rect(190, 72, 450, 236, 6);
  c.fill(pf::rgb(226, 178, 120));
  for (int x = 190; x < 640; x += 30) c.line(x, 74, x, 306, pf::rgb(214, 166, 110), 1.5);
  for (double y : {172.0, 294.0}) {
    c.rounded_rect(186, y, 460, 12, 3);
    c.fill_outlined(pf::rgb(176, 116, 64), pf::rgb(110, 70, 36), 2.5);
  }
  c.rounded_rect(186, 66, 460, 10, 3);
  c.fill_outlined(pf::rgb(176, 116, 64), pf::rgb(110, 70, 36), 2.5);
  c.rounded_rect(540, 184, 100, 8, 2);  // a small shelf for the scales
  c.fill_outlined(pf::rgb(176, 116, 64), pf::rgb(110, 70, 36), 2);
  // a toy box and a ball on the floor, for a cosy shop
  c.rounded_rect(470, 350, 120, 70, 8);
  c.fill_outlined(pf::rgb(90, 160, 220));
  c.rounded_rect(462, 340, 136, 16, 6);
  c.fill_outlined(pf::rgb(70, 130, 200));
  draw_star(c, 530, 388, 16, pf::rgb(250, 210, 70));
  c.ellipse(400, 396, 24, 24);
  c.fill_outlined(pf::rgb(240, 80, 80));
  cairo_arc(cr, 400, 396, 24, -0.6, 0.6);
  c.stroke(pf::rgb(255, 255, 255), 5);
}

// The way back to the players: a round sign on a post with a piglet and an arrow.
void players_sign(Canvas& c) {
  c.rounded_rect(80, 262, 8, 30, 2);
  c.fill_outlined(pf::rgb(150, 100, 60), kInk, 2);
  c.ellipse(84, 240, 38, 36);
  c.fill_outlined(pf::rgb(250, 240, 200), pf::rgb(150, 100, 60), 5);
  draw_piglet(c, 0, 62, 212, {}, 0.42);
  // a curved arrow pointing back (to the left)
  cairo_arc_negative(c.cr(), 84, 240, 30, -0.3, -2.4);
  c.stroke(pf::rgb(40, 150, 70), 5);
  const double ax = 84 + 30 * std::cos(-2.4), ay = 240 + 30 * std::sin(-2.4);
  c.polygon({{ax - 9, ay + 4}, {ax + 4, ay - 8}, {ax + 6, ay + 9}});
  c.fill_outlined(pf::rgb(40, 150, 70), kInk, 1.5);
}

void tapo_at_rest(Canvas& c, int mouth) { draw_tapo(c, kMenuTapoX, kMenuTapoY, {TapoPose::Stand, 0, mouth, mouth > 0}, kMenuTapoScale); }

// The room with everything at rest except `moving` (drawn at phase t).
Surface scene(const Surface& room, int moving, double t, int mouth = 0) {
  return painted(room, [&](Canvas& c) {
    players_sign(c);
    for (int k = 0; k < static_cast<int>(kShows.size()); ++k) menu_toy(c, kShows[k], k == moving ? t : 0.0);
    tapo_at_rest(c, mouth);
  });
}

void make_obchod(Pack& pack) {
  const Surface room = painted(Surface(640, 480), wall_and_shelves);
  const Surface menu = scene(room, -1, 0);
  pack.bmp("\\OBCHOD\\POZADI.BMP", menu);

  // Each toy's show: a box around it, opaque, so it carries the shop behind.
  for (int k = 0; k < static_cast<int>(kShows.size()); ++k) {
    const ToyShow& s = kShows[k];
    std::vector<Surface> frames;
    for (int f = 0; f < s.frames; ++f) frames.push_back(crop(scene(room, k, f / double(s.frames)), s.place.box));
    const std::string stem = std::string("\\OBCHOD\\") + s.place.show;
    pack.clip(stem + ".AVI", frames);
    pack.tone(stem + ".WAV", s.tune, 0.16);
    std::vector<Step> steps = run_of(0, s.frames - 1, 70);
    steps.push_back({0, 250});  // the toy comes to rest before the game opens
    pack.script(stem + ".DAT", stem, s.place.box.x, s.place.box.y, s.place.box.w, s.place.box.h, 0, steps);
  }

  // The talking head: Tapo's head out of the shop picture, the mouth closed
  // in frame 0 and open wider in frames 1..4.
  const Rect head{static_cast<int>(kMenuTapoX + kTapoHead.x * kMenuTapoScale), static_cast<int>(kMenuTapoY + kTapoHead.y * kMenuTapoScale),
                  static_cast<int>(kTapoHead.w * kMenuTapoScale), static_cast<int>(kTapoHead.h * kMenuTapoScale)};
  std::vector<Surface> mouths;
  for (int m = 0; m <= 4; ++m) mouths.push_back(crop(scene(room, -1, 0, m), head));
  pack.clip("\\OBCHOD\\MLUVI.AVI", mouths);
  pack.text("\\OBCHOD\\MLUVI.DAT", "0\r\n" + std::to_string(head.x) + "\r\n" + std::to_string(head.y) + "\r\n");
  pack.speak("\\OBCHOD\\HELP");
  pack.speak("\\OBCHOD\\SPI", Where::Own);  // the game's own: the toys sleep until tomorrow
}

}  // namespace

MenuToyReach menu_toy_reach(int k) {
  const ToyShow& s = kShows.at(static_cast<size_t>(k));
  // Drawn alone on a canvas with a wide margin round the scene, so that
  // what the scene would cut off shows too.
  constexpr int kMargin = 64;
  Canvas c(640 + 2 * kMargin, 480 + 2 * kMargin);
  cairo_translate(c.cr(), kMargin, kMargin);
  for (int f = 0; f < s.frames; ++f) menu_toy(c, s, f / double(s.frames));
  const Surface ink = c.keyed();
  int x0 = ink.width(), y0 = ink.height(), x1 = -1, y1 = -1;
  for (int y = 0; y < ink.height(); ++y)
    for (int x = 0; x < ink.width(); ++x)
      if (ink.at(x, y) != kKey) {
        x0 = std::min(x0, x), y0 = std::min(y0, y);
        x1 = std::max(x1, x), y1 = std::max(y1, y);
      }
  if (x1 < 0) return {s.place.box, {}};
  return {s.place.box, {x0 - kMargin, y0 - kMargin, x1 - x0 + 1, y1 - y0 + 1}};
}

}  // namespace tapo::media

MKMEDIA_FOLDER("OBCHOD", make_obchod)
