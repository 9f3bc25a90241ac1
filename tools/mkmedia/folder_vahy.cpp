// VAHY: the scales game.  A meadow with a big balance: a number or a small
// example on the board in each pan, the sign between them, the red lock
// below it, a hedgehog and a mouse that play when clicked, and Tapo at the
// bottom left.  The pans' clips are in the data folder (folder_data.cpp).
#include <cmath>

#include "games/vahy/layout.h"
#include "tools/mkmedia/art_sounds.h"
#include "tools/mkmedia/art_vahy.h"
#include "tools/mkmedia/folders.h"
#include "tools/mkmedia/game_kit.h"

namespace tapo::media {
namespace {

namespace pf = tapo::platform;
namespace vahy = tapo::games::vahy;

// A sign on its round holder: "?" before the child chooses, then ">", "<", "=".
Surface sign_picture(const Surface& background, const std::string& symbol, Rgb colour) {
  const Rect at = vahy::kSign;
  return painted(crop(background, at), [&](Canvas& c) {
    c.ellipse(at.w / 2.0, at.h / 2.0, 24, 24);
    c.fill_outlined(pf::rgb(255, 255, 255), kInk, 3);
    c.text(symbol, at.w / 2.0, at.h / 2.0, 40, colour);
  });
}

// An animation of an animal over `base` (the scene without it), cut to `box`;
// the last frame is the animal at rest again.
template <class Draw>
void animal_show(Pack& pack, const std::string& stem, const Surface& base, Rect box, int frames, int hold, Draw&& draw,
                 const std::vector<double>& sound) {
  std::vector<Surface> pictures;
  for (int f = 0; f < frames; ++f)
    pictures.push_back(crop(painted(base, [&](Canvas& c) { draw(c, f / double(frames - 1)); }), box));
  pack.clip(stem + ".AVI", pictures);
  pack.sound(stem + ".WAV", sound);
  pack.script(stem + ".DAT", stem, box.x, box.y, box.w, box.h, 0, run_of(0, frames - 1, hold));
}

void make_sounds(Pack& pack) {
  std::vector<double> clunk;
  sounds::hiss(clunk, 0, 0.06, 0.8, 7);
  sounds::pluck(clunk, 0.02, 110, 0.25, 0.6);
  sounds::pluck(clunk, 0.02, 165, 0.18, 0.3);
  pack.sound("\\VAHY\\ARETACE.WAV", clunk);

  std::vector<double> oh;
  sounds::glide(oh, 0, 330, 660, 0.25, 0.5);
  sounds::glide(oh, 0.22, 660, 520, 0.35, 0.45);
  pack.sound("\\VAHY\\PREKVAP.WAV", oh);

  // Tipping: a creak sliding down with a soft thump; returning: sliding up.
  for (int n = 1; n <= 2; ++n) {
    std::vector<double> down, up;
    const double f = n == 1 ? 520 : 440;
    sounds::glide(down, 0, f, f * 0.55, 0.4, 0.45);
    sounds::pluck(down, 0.33, 98, 0.15, 0.5);
    sounds::glide(up, 0, f * 0.55, f, 0.4, 0.4);
    sounds::pluck(up, 0.34, n == 1 ? 784 : 659, 0.12, 0.25);
    pack.sound("\\VAHY\\DOLU" + std::to_string(n) + ".WAV", down);
    pack.sound("\\VAHY\\NAHORU" + std::to_string(n) + ".WAV", up);
  }
}

void make_vahy(Pack& pack) {
  const scales::Meadow m = scales::meadow();
  pack.bmp("\\VAHY\\POZADI.BMP", m.background);
  game_controls(pack, vahy::kFrame, m.background);
  talking_head(pack, vahy::kFrame, vahy::kFrame.face, m.stage, scales::kTapoX, scales::kTapoY, {0, 1, 2, 3, 4}, true);

  pack.bmp("\\VAHY\\OTAZNIK.BMP", sign_picture(m.background, "?", pf::rgb(110, 110, 120)));
  pack.bmp("\\VAHY\\VETSI.BMP", sign_picture(m.background, ">", pf::rgb(40, 120, 210)));
  pack.bmp("\\VAHY\\MENSI.BMP", sign_picture(m.background, "<", pf::rgb(40, 120, 210)));
  pack.bmp("\\VAHY\\ROVNO.BMP", sign_picture(m.background, "=", pf::rgb(40, 150, 70)));
  make_sounds(pack);

  // JEZEK: the hedgehog crouches, rolls into a ball that bounces twice, and
  // stands up again with a wave.
  const Rect hog = vahy::kHedgehog;
  std::vector<double> boing;
  for (int k = 0; k < 2; ++k) sounds::glide(boing, 0.3 + k * 0.45, 300, 700, 0.3, 0.45);
  sounds::pluck(boing, 1.2, 784, 0.25, 0.4);
  animal_show(pack, "\\VAHY\\JEZEK", m.no_hedgehog, {hog.x - 12, hog.y - 26, 90, 156}, 16, 95,
              [&](Canvas& c, double t) {
                if (t < 0.15 || t > 0.8) {
                  const double crouch = t < 0.15 ? t / 0.15 : 0;
                  const double wave = t > 0.8 && t < 1 ? std::sin(M_PI * (t - 0.8) / 0.2 * 2) * 0.5 + 0.5 : 0;
                  scales::draw_hedgehog(c, crouch, t >= 1 ? 0 : wave);
                  return;
                }
                const double u = (t - 0.15) / 0.65;  // two bounces
                const double hop = std::fabs(std::sin(2 * M_PI * u));
                scales::draw_hedgehog_ball(c, hog.x + 32, hog.y + hog.h - 36 - 50 * hop, 4 * M_PI * u);
              },
              boing);

  // MYS: the mouse scurries off to the right, turns, stands up to sniff, and
  // scurries back to its place.
  const Rect mouse = vahy::kMouse;
  std::vector<double> squeak;
  for (int k = 0; k < 6; ++k) sounds::pluck(squeak, k * 0.09, k % 2 ? 1760 : 1568, 0.06, 0.25);
  sounds::glide(squeak, 0.7, 1500, 2400, 0.15, 0.3);
  sounds::glide(squeak, 0.9, 1500, 2600, 0.15, 0.3);
  for (int k = 0; k < 6; ++k) sounds::pluck(squeak, 1.15 + k * 0.09, k % 2 ? 1760 : 1568, 0.06, 0.25);
  animal_show(pack, "\\VAHY\\MYS", m.no_mouse, {mouse.x - 16, mouse.y - 24, 176, 104}, 16, 95,
              [&](Canvas& c, double t) {
                const double home = mouse.x + 50, feet = mouse.y + 72;
                const double step = std::sin(t * 16 * M_PI);
                if (t == 0) scales::draw_mouse(c, home, feet);
                else if (t < 0.35) scales::draw_mouse(c, home + 30 * (t / 0.35), feet, -1, step);
                else if (t < 0.7) scales::draw_mouse(c, home + 30, feet, 1, 0, true);
                else if (t < 1) scales::draw_mouse(c, home + 30 * (1 - (t - 0.7) / 0.3), feet, 1, step);
                else scales::draw_mouse(c, home, feet);
              },
              squeak);

  game_talks(pack, vahy::kFrame);
}

}  // namespace
}  // namespace tapo::media

MKMEDIA_FOLDER("VAHY", make_vahy)
