// The installation's data folder: the target game's shared animations, which
// the game opens from there (Tapo's jump before the first example, the cannon
// shots before every example, and the cheer after five right answers in a row),
// Tapo coming into the toy shop, the scales game's pans tipping, and the
// drill workbook's celebration of a faultless page.
#include <cmath>

#include "players/shop_layout.h"
#include "tools/mkmedia/art_bublifuk.h"
#include "tools/mkmedia/art_dril.h"
#include "tools/mkmedia/art_shop.h"
#include "tools/mkmedia/art_sounds.h"
#include "tools/mkmedia/art_terc.h"
#include "tools/mkmedia/art_kit.h"
#include "tools/mkmedia/art_vahy.h"
#include "tools/mkmedia/folders.h"

namespace tapo::media {
namespace {

namespace pf = tapo::platform;

template <class Draw>
void data_show(Pack& pack, const std::string& name, Rect box, int frames, int hold, Draw&& draw,
               std::initializer_list<double> tune, double tone_s) {
  std::vector<Surface> pictures;
  for (int f = 0; f < frames; ++f) pictures.push_back(crop(draw(f / double(frames - 1)), box));
  pack.clip("\\" + name + ".AVI", pictures, Where::Data);
  pack.tone("\\" + name + ".WAV", tune, tone_s, Where::Data);
  pack.script("\\" + name + ".DAT", "\\" + name, box.x, box.y, box.w, box.h, 0, run_of(0, frames - 1, hold), Where::Data);
}

// Tapo in his corner of the toy shop, `dx` pixels left of his resting place,
// `tilt` leaning (radians, about his feet).
Surface shop_tapo(const Surface& shop, double dx, double tilt, const TapoLook& look) {
  return crop(painted(shop,
                      [&](Canvas& c) {
                        const double s = shop_art::kTapoScale;
                        const double fx = shop_art::kTapoX - dx + 70 * s, fy = shop_art::kTapoY + 196 * s;
                        cairo_translate(c.cr(), fx, fy);
                        cairo_rotate(c.cr(), tilt);
                        cairo_translate(c.cr(), -fx, -fy);
                        draw_tapo(c, shop_art::kTapoX - dx, shop_art::kTapoY, look, s);
                      }),
              players::shop::kSource);
}

void shop_clip(Pack& pack, const std::string& name, const std::vector<Surface>& frames, int hold, const std::vector<double>& sound) {
  const Rect box = players::shop::kSource;
  pack.clip("\\" + name + ".AVI", frames, Where::Data);
  pack.sound("\\" + name + ".WAV", sound, Where::Data);
  pack.script("\\" + name + ".DAT", "\\" + name, box.x, box.y, box.w, box.h, 0,
              run_of(0, static_cast<int>(frames.size()) - 1, hold), Where::Data);
}

void shop_arrivals(Pack& pack) {
  const Surface shop = shop_art::interior();
  // TAPO: he trots in from the door to his corner; frame 12 is him at rest.
  std::vector<Surface> walk;
  for (int f = 0; f <= 12; ++f) {
    const double u = f / 12.0;
    const bool rest = f == 12;
    walk.push_back(shop_tapo(shop, 130 * (1 - ease(u)), rest ? 0 : 0.05 * std::sin(u * 8 * M_PI),
                             rest ? TapoLook{} : TapoLook{TapoPose::Wave, u, f > 8 ? 2 : 0}));
  }
  std::vector<double> steps;
  for (int k = 0; k < 6; ++k) sounds::pluck(steps, k * 0.14, k % 2 ? 392 : 330, 0.1, 0.35);
  sounds::pluck(steps, 0.9, 523, 0.3, 0.4);
  sounds::pluck(steps, 0.9, 659, 0.3, 0.3);
  shop_clip(pack, "TAPO", walk, 90, steps);

  // TAPO2: he looks round the empty shelves, to one side and the other, and
  // raises his brows; frame 7 is him at rest so.
  std::vector<Surface> look;
  for (int f = 0; f <= 7; ++f) {
    const double lean = f == 7 ? 0 : 0.12 * std::sin(f / 7.0 * 2 * M_PI);
    look.push_back(shop_tapo(shop, 0, lean, {TapoPose::Stand, f == 7 ? 0 : f / 7.0, 0, f >= 3}));
  }
  std::vector<double> hmm;
  sounds::glide(hmm, 0, 440, 330, 0.35, 0.4);
  sounds::glide(hmm, 0.45, 330, 494, 0.4, 0.4);
  shop_clip(pack, "TAPO2", look, 140, hmm);
}

// BEZCHYB: a faultless page.  Tapo hops up behind the workbook, a gold star
// rises beside him and confetti rains over the top of the page.
void faultless_page(Pack& pack) {
  const Rgb colours[5] = {pf::rgb(240, 70, 70), pf::rgb(60, 140, 230), pf::rgb(255, 200, 40), pf::rgb(90, 190, 90),
                          pf::rgb(240, 120, 200)};
  data_show(pack, "BEZCHYB", {72, 0, 272, 168}, 16, 95,
            [&](double t) {
              if (t <= 0 || t >= 1) return workbook::scene(true);
              const TapoLook look = t < 0.5 ? TapoLook{TapoPose::Jump, t * 2, 3} : TapoLook{TapoPose::Cheer, t, 2};
              return workbook::scene(true, look, [&](Canvas& c) {
                const double grow = ease(std::min(1.0, t * 2.5));
                draw_star(c, 262, 92 - 30 * grow, 8 + 26 * grow, pf::rgb(255, 206, 40), t * 3);
                cairo_set_antialias(c.cr(), CAIRO_ANTIALIAS_NONE);  // flat pieces: few colours in the clip
                for (int k = 0; k < 22; ++k) {  // each piece falls from its own height at its own speed
                  const double x = 84 + std::fmod(k * 83.0, 250.0) + 10 * std::sin(t * 9 + k);
                  const double y = -20 + std::fmod(k * 37.0, 60.0) + t * (100 + 8 * (k % 5));
                  cairo_save(c.cr());
                  cairo_translate(c.cr(), x, y);
                  cairo_rotate(c.cr(), k + t * (k % 2 ? 8 : -8));
                  c.rounded_rect(-5, -3, 10, 6, 1.5);
                  c.fill(colours[k % 5]);
                  cairo_restore(c.cr());
                }
              });
            },
            {523, 659, 784, 1047, 784, 1047}, 0.22);
}

// VYFOUK: Tapo blows a row of bubbles through his wand; RADOST: his joy
// after a won row.  Both end on him at rest, the background's own pixels.
void bubble_shows(Pack& pack) {
  const auto show = [&](const std::string& name, Rect box, const std::vector<Surface>& frames, int hold,
                        const std::vector<double>& sound) {
    pack.clip("\\" + name + ".AVI", frames, Where::Data);
    pack.sound("\\" + name + ".WAV", sound, Where::Data);
    pack.script("\\" + name + ".DAT", "\\" + name, box.x, box.y, box.w, box.h, 0,
                run_of(0, static_cast<int>(frames.size()) - 1, hold), Where::Data);
  };
  std::vector<double> blow;
  sounds::hiss(blow, 0.3, 0.55, 0.6, 99);
  for (int k = 0; k < 4; ++k) sounds::glide(blow, 0.36 + 0.1 * k, 500 + 90 * k, 1100 + 120 * k, 0.09, 0.45);
  show("VYFOUK", bubbles::kBlowBox, bubbles::meadow().blow, 85, blow);
  std::vector<double> hooray;
  sounds::glide(hooray, 0, 392, 784, 0.3, 0.55);
  for (int k = 0; k < 5; ++k) sounds::pluck(hooray, 0.7 + 0.12 * k, 784 + 110 * k, 0.14, 0.5);
  show("RADOST", bubbles::kJoyBox, bubbles::meadow().joy, 95, hooray);
}

void make_data(Pack& pack) {
  bubble_shows(pack);
  shop_arrivals(pack);
  faultless_page(pack);
  for (const auto& pan : {games::vahy::kLeftDown, games::vahy::kLeftUp, games::vahy::kRightDown, games::vahy::kRightUp})
    pack.clip(pan.file, scales::pan_frames(pan), Where::Data);
  const Surface sand = beach::sand();

  // SKOK: Tapo jumps for joy twice.
  data_show(pack, "SKOK", {160, 132, 160, 248}, 14, 70,
            [&](double t) {
              const double p = std::fmod(t * 2, 1.0);
              return beach::scene(sand, t >= 1 ? TapoLook{} : TapoLook{TapoPose::Jump, p, p > 0.2 && p < 0.8 ? 2 : 0});
            },
            {523, 784, 523, 784}, 0.12);

  // STRELBA: Tapo waves "fire!", the cannon pops three times, balls fly off to the targets.
  data_show(pack, "STRELBA", {160, 120, 289, 260}, 20, 70,
            [&](double t) {
              const double shots = std::max(0.0, (t - 0.2) / 0.75 * 3);  // 0..3 through the three shots
              const int shot = static_cast<int>(shots);
              const double u = shots - shot;  // 0..1 within one shot
              const bool firing = t > 0.2 && shot < 3;
              const double recoil = firing ? std::max(0.0, 1 - u * 2.5) : 0;
              const double flash = firing ? std::max(0.0, std::sin(M_PI * std::min(1.0, u * 2))) : 0;
              const TapoLook look = t < 0.97 ? TapoLook{TapoPose::Wave, t, t < 0.2 ? 2 : 0} : TapoLook{};
              return beach::scene(sand, look, recoil, flash, [&](Canvas& c) {
                if (!firing || u < 0.15) return;
                const double v = (u - 0.15) / 0.85;  // the ball flies right and a little up, out of the box
                beach::draw_ball(c, beach::kMuzzleX + 10 + 60 * v, beach::kMuzzleY - 40 * v - (shot - 1) * 20 * v);
              });
            },
            {196, 147, 196, 147, 220}, 0.2);

  // SUPER: Tapo cheers among golden stars.
  data_show(pack, "SUPER", {130, 100, 220, 280}, 18, 80,
            [&](double t) {
              return beach::scene(sand, t >= 1 ? TapoLook{} : TapoLook{TapoPose::Cheer, t, 3}, 0, 0, [&](Canvas& c) {
                if (t >= 1) return;
                for (int k = 0; k < 7; ++k) {
                  const double a = k * 2 * M_PI / 7 + t * 2;
                  const double r = 70 + 30 * t;
                  const Rgb col = k % 2 ? pf::rgb(255, 220, 60) : pf::rgb(255, 150, 200);
                  draw_star(c, 240 + r * std::cos(a), 230 + r * 0.9 * std::sin(a), 10 + 4 * std::sin(t * 10 + k), col, t * 4);
                }
              });
            },
            {523, 659, 784, 1047, 784, 1047}, 0.18);
}

}  // namespace
}  // namespace tapo::media

MKMEDIA_FOLDER("DATA", make_data)
