// PEXESO: the memory cards.  A wooden table with a green felt mat under the
// card grid and Tapo standing on a rug to the right of it; the card's back,
// face and framed face, the fanfare of a right pair, Tapo's applause when all
// pairs are found, and his talks.
#include <cmath>
#include <functional>

#include "games/pexeso/layout.h"
#include "tools/mkmedia/art_sounds.h"
#include "tools/mkmedia/art_kit.h"
#include "tools/mkmedia/cast.h"
#include "tools/mkmedia/folders.h"
#include "tools/mkmedia/game_kit.h"
#include "tools/mkmedia/quantize.h"

namespace tapo::media {
namespace {

namespace pf = tapo::platform;
namespace pexeso = tapo::games::pexeso;

// The felt is one flat colour wherever a card can lie, so one card picture
// fits every place.
constexpr Rgb kFelt = pf::rgb(34, 122, 76);
constexpr Rgb kWood = pf::rgb(200, 146, 92), kGrain = pf::rgb(170, 116, 66);
constexpr Rgb kCream = pf::rgb(255, 251, 238);
constexpr int kCard = 96;  // a card picture; its place is one pixel wider and higher

// Tapo's box (scale 1), right of the grid, below the leave and help controls.
constexpr int kTableTapoX = 498, kTableTapoY = 178;
// The applause's box: Tapo with his spread paws, clear of the piggy bank below.
constexpr Rect kApplause{495, 174, 145, 210};

// ---- the table -----------------------------------------------------------------

// A paw print centred on (x, y), `size` 1 about 14 pixels high.
void paw(Canvas& c, double x, double y, double size, Rgb colour, double turn = 0) {
  cairo_save(c.cr());
  cairo_translate(c.cr(), x, y);
  cairo_rotate(c.cr(), turn);
  cairo_scale(c.cr(), size, size);
  c.ellipse(0, 3, 5.5, 4.5);
  c.fill(colour);
  for (int k = -1; k <= 1; ++k) {
    c.ellipse(k * 4.4, -3.8 - (k == 0 ? 1.3 : 0), 2.1, 2.5);
    c.fill(colour);
  }
  cairo_restore(c.cr());
}

void wood(Canvas& c) {
  cairo_t* cr = c.cr();
  c.set_colour(kWood);
  cairo_paint(cr);
  // planks across the table, each with a few grain lines at fixed places
  for (int top = 0; top < 480; top += 48) {
    c.line(0, top + 0.5, 640, top + 0.5, shade(kWood, 0.72), 2);
    for (int k = 0; k < 3; ++k) {
      const double y = top + 12 + k * 12 + std::fmod(top * 0.37 + k * 5, 6.0);
      cairo_move_to(cr, 0, y);
      for (int x = 0; x <= 640; x += 40) cairo_line_to(cr, x, y + 2.5 * std::sin(x * 0.02 + top + k));
      c.stroke(kGrain, 1.2);
    }
    // a knot in some planks
    const double kx = std::fmod(top * 7.3 + 90, 600.0) + 20;
    c.ellipse(kx, top + 24, 9, 4);
    c.stroke(kGrain, 1.6);
  }
}

// The felt mat under the grid: a stitched seam just outside the cards.
void mat(Canvas& c) {
  c.rounded_rect(-20, 20, 517, 409, 14);
  c.fill_outlined(kFelt, kInk, 3);
  cairo_t* cr = c.cr();
  const double dash[] = {6, 4};
  cairo_set_dash(cr, dash, 2, 0);
  c.rounded_rect(-20, 25, 512, 399, 10);
  c.stroke(pf::rgb(150, 210, 160), 1.5);
  cairo_set_dash(cr, nullptr, 0, 0);
}

// Tapo's rug, and a little stack of spare cards on the table's bottom edge.
void props(Canvas& c) {
  c.ellipse(568, 374, 66, 16);
  c.fill_outlined(pf::rgb(230, 90, 80), kInk, 2.5);
  c.ellipse(568, 374, 52, 11);
  c.stroke(pf::rgb(255, 210, 90), 2.5);
  for (int k = 0; k < 3; ++k) {
    cairo_save(c.cr());
    cairo_translate(c.cr(), 430 + k * 5, 452 - k * 3);
    cairo_rotate(c.cr(), -0.25 + k * 0.2);
    c.rounded_rect(-16, -14, 32, 28, 4);
    c.fill_outlined(pf::rgb(70, 120, 210), kInk, 2);
    paw(c, 0, 0, 0.7, pf::rgb(250, 220, 90));
    cairo_restore(c.cr());
  }
}

// The scene; Tapo in `look` when `tapo`, and `extra` over everything.
Surface scene(bool tapo, const TapoLook& look = {}, const std::function<void(Canvas&)>& extra = {}) {
  Canvas c(640, 480);
  wood(c);
  mat(c);
  props(c);
  if (tapo) draw_tapo(c, kTableTapoX, kTableTapoY, look);
  if (extra) extra(c);
  Surface out(640, 480);
  c.over(out, 0, 0);
  // The grid's area is felt and nothing else (the mat's seam stays outside it).
  const Rect grid = pexeso::card_place(1);
  out.fill_rect({grid.x, grid.y, pexeso::kPitch * pexeso::kColumns, pexeso::kPitch * pexeso::kRows}, kFelt);
  return out;
}

// ---- the cards -----------------------------------------------------------------

// A card picture: the card's shape on the felt, filled by `draw`.
template <class Draw>
Surface card(Draw&& draw) {
  Surface felt(kCard, kCard);
  felt.fill_rect({0, 0, kCard, kCard}, kFelt);
  return painted(felt, [&](Canvas& c) {
    c.rounded_rect(1.5, 1.5, kCard - 3, kCard - 3, 10);
    draw(c);
  });
}

// The back: blue with a light inner frame, rows of paw prints and a gold
// badge with a big paw in the middle.
Surface back() {
  return card([](Canvas& c) {
    c.fill_outlined(pf::rgb(70, 120, 210), kInk, 2.5);
    c.rounded_rect(8, 8, kCard - 16, kCard - 16, 6);
    c.stroke(pf::rgb(170, 200, 250), 2);
    for (int row = 0; row < 4; ++row)
      for (int col = 0; col < 4; ++col) {
        const double x = 20 + col * 19 + (row % 2) * 9, y = 20 + row * 19;
        if (std::hypot(x - 48, y - 48) < 26 || x > 80) continue;
        paw(c, x, y, 0.55, pf::rgb(110, 158, 235), row % 2 ? 0.3 : -0.3);
      }
    c.ellipse(48, 48, 20, 20);
    c.fill_outlined(pf::rgb(255, 214, 80), kInk, 2.5);
    paw(c, 48, 49, 1.45, pf::rgb(150, 96, 50));
  });
}

// The face: a cream card with a thin coloured edge and tiny paws in two
// corners; the middle stays plain for the writing.  `framed`: a thick bright
// orange frame with a yellow light inside it.
Surface face(bool framed) {
  return card([&](Canvas& c) {
    c.fill_outlined(kCream, kInk, 2.5);
    if (framed) {
      c.rounded_rect(6, 6, kCard - 12, kCard - 12, 7);
      c.stroke(pf::rgb(255, 128, 0), 7);
      c.rounded_rect(10.5, 10.5, kCard - 21, kCard - 21, 4);
      c.stroke(pf::rgb(255, 222, 60), 2);
      return;
    }
    c.rounded_rect(5.5, 5.5, kCard - 11, kCard - 11, 7);
    c.stroke(pf::rgb(180, 200, 235), 1.5);
    paw(c, 16, 16, 0.6, pf::rgb(230, 200, 160), -0.4);
    paw(c, kCard - 16, kCard - 16, 0.6, pf::rgb(230, 200, 160), 2.7);
  });
}

// ---- the sounds ------------------------------------------------------------------

// A bright horn note: a few harmonics, a quick swell and a short fade.
void horn(std::vector<double>& out, double at, double f, double len, double loud) {
  const size_t from = static_cast<size_t>(at * sounds::kRate), n = static_cast<size_t>(len * sounds::kRate);
  if (out.size() < from + n) out.resize(from + n, 0.0);
  for (size_t i = 0; i < n; ++i) {
    const double t = i / sounds::kRate;
    const double env = std::min({1.0, t / 0.02, (len - t) / 0.08}) * (0.8 + 0.2 * std::exp(-6 * t));
    double wave = 0;
    for (int h = 1; h <= 5; ++h) wave += std::sin(2 * M_PI * f * h * t * (1 + 0.002 * std::sin(2 * M_PI * 5 * t))) / h;
    out[from + i] += loud * env * wave / 2.3;
  }
}

// Ta-ta-ta-taaa: up the chord, then the chord held.
std::vector<double> fanfare() {
  std::vector<double> out;
  const double steps[4] = {392, 523, 659, 784};
  for (int k = 0; k < 4; ++k) horn(out, k * 0.11, steps[k], k < 3 ? 0.1 : 0.14, 0.7);
  for (double f : {523.0, 659.0, 784.0, 1047.0}) horn(out, 0.48, f, 0.55, 0.28);
  return out;
}

// Tapo's applause: `claps` claps `beat` seconds apart, each a short burst
// of noise, and a happy little whistle at the end.
std::vector<double> applause(int claps, double beat) {
  std::vector<double> out;
  for (int k = 0; k < claps; ++k) sounds::hiss(out, beat * (k + 0.5), 0.09, 0.95, 1234u + 77u * k);
  sounds::glide(out, beat * claps, 660, 990, 0.25, 0.35);
  return out;
}

// ---- the folder -------------------------------------------------------------------

// Tapo's applause (TLESK): five claps with a sparkle between the paws at
// each, then Tapo at rest.
constexpr int kClaps = 5, kClapFrames = 2 * kClaps + 2, kClapHold = 120;

// The stage, the background, then the applause's frames, all in one
// palette, so that the applause ends on exactly the background's pixels.
std::vector<Surface> scenes() {
  std::vector<Surface> all = {scene(false), scene(true)};
  for (int f = 0; f < kClapFrames; ++f) {
    const bool rest = f == kClapFrames - 1, together = f % 2 == 1 && !rest;
    const TapoLook look = rest ? TapoLook{} : TapoLook{TapoPose::Clap, together ? 1.0 : 0.0, together ? 3 : 2};
    all.push_back(crop(scene(true, look,
                             [&](Canvas& c) {
                               if (!together) return;
                               for (int k = 0; k < 3; ++k)
                                 draw_star(c, kTableTapoX + 70 + 30 * std::cos(k * 2.1 + f), kTableTapoY + 128 + 24 * std::sin(k * 2.1 + f),
                                           6, pf::rgb(255, 214, 60), f);
                             }),
                       kApplause));
  }
  return in_one_palette(all);
}

void make_pexeso(Pack& pack) {
  const std::vector<Surface> all = scenes();
  const Surface& stage = all[0];
  const Surface& background = all[1];
  pack.bmp("\\PEXESO\\POZADI.BMP", background);
  game_controls(pack, pexeso::kFrame, background);
  talking_head(pack, pexeso::kFrame, pexeso::kFrame.face, stage, kTableTapoX, kTableTapoY, {0, 1, 2, 3, 4}, true);

  pack.bmp("\\PEXESO\\ZADNI.BMP", back());
  pack.bmp("\\PEXESO\\PREDNI.BMP", face(false));
  pack.bmp("\\PEXESO\\RAMECEK.BMP", face(true));
  pack.sound("\\PEXESO\\FANFARA.WAV", fanfare());
  pack.caption("\\PEXESO\\FANFARA.WAV", "sound-right");

  pack.clip("\\PEXESO\\TLESK.AVI", std::vector<Surface>(all.begin() + 2, all.end()));
  pack.sound("\\PEXESO\\TLESK.WAV", applause(kClaps, 2 * kClapHold / 1000.0));
  pack.caption("\\PEXESO\\TLESK.WAV", "sound-applause");
  pack.script("\\PEXESO\\TLESK.DAT", "\\PEXESO\\TLESK", kApplause.x, kApplause.y, kApplause.w, kApplause.h, 0,
              run_of(0, kClapFrames - 1, kClapHold));

  for (const char* talk : {"INTRO", "FINALNI1", "FINALNI2", "FINALNI3", "TOOMUCH"}) pack.speak(std::string("\\PEXESO\\") + talk);
  pack.say("\\PEXESO\\HELP");
}

}  // namespace
}  // namespace tapo::media

MKMEDIA_FOLDER("PEXESO", make_pexeso)
