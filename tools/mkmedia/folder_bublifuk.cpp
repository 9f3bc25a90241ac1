// BUBLIFUK: the bubble caterpillar.  A meadow under a calm sky where the
// bubbles float, the caterpillar along the grass with a light belly on each
// of its ten segments for the popped numbers, Tapo on a knoll at the right
// with his bubble wand; the bubble and its two bursting stages, the pop, and
// Tapo's talks.  His blowing and his joy are in the data folder.
#include <string>

#include "games/housenka/layout.h"
#include "tools/mkmedia/art_bublifuk.h"
#include "tools/mkmedia/art_sounds.h"
#include "tools/mkmedia/folders.h"
#include "tools/mkmedia/game_kit.h"

namespace tapo::media {
namespace {

namespace pf = tapo::platform;
namespace housenka = tapo::games::housenka;

constexpr int kSize = 48;  // the bubble pictures, one step of a row wide
constexpr double kMid = kSize / 2.0;
const Rgb kEdge = pf::rgb(96, 138, 200), kDrop = pf::rgb(206, 228, 252);

Surface bubble() {
  Canvas c(kSize, kSize);
  bubbles::draw_bubble(c, kMid, kMid, kMid - 1.5, 1);
  return c.keyed();
}

// The first stage of a burst: the film torn into shreds curling outwards
// from where its rim was, and splashes flying off between them.
Surface splash() {
  Canvas c(kSize, kSize);
  cairo_t* cr = c.cr();
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int k = 0; k < 7; ++k) {
    const double a = k * 2 * M_PI / 7 + 0.3, r = 15 + 3 * (k % 3), len = 0.45 + 0.1 * (k % 2);
    for (auto [colour, width] : {std::pair{kEdge, 5.0}, {k % 2 ? pf::rgb(255, 200, 230) : pf::rgb(190, 236, 250), 2.0}}) {
      cairo_new_path(cr);
      cairo_arc(cr, kMid, kMid, r, a, a + len);
      c.stroke(colour, width);
    }
    const double s = a + len + 0.22, d = 20 + 2 * (k % 2);
    c.ellipse(kMid + d * std::cos(s), kMid + d * std::sin(s), 2.2, 2.2);
    c.fill_outlined(kDrop, kEdge, 1.8);
  }
  return c.keyed();
}

// The second stage: only droplets are left, scattered round where it was.
Surface droplets() {
  Canvas c(kSize, kSize);
  for (int k = 0; k < 12; ++k) {
    const double a = k * M_PI / 6 + 0.2, d = k % 2 ? 19 : 13, r = k % 3 == 0 ? 3.2 : 2.5;
    c.ellipse(kMid + d * std::cos(a), kMid + d * std::sin(a), r, r);
    c.fill_outlined(kDrop, kEdge, 1.8);
  }
  return c.keyed();
}

// A pop: a short bright crack of air and a tiny falling squeak.
std::vector<double> pop() {
  std::vector<double> out;
  sounds::hiss(out, 0, 0.05, 2.0, 4711);
  sounds::pluck(out, 0, 1760, 0.04, 0.5);
  sounds::glide(out, 0.01, 1500, 600, 0.07, 0.4);
  return out;
}

void make_bublifuk(Pack& pack) {
  const bubbles::Meadow& m = bubbles::meadow();
  pack.bmp("\\BUBLIFUK\\POZADI.BMP", m.background);
  game_controls(pack, housenka::kFrame, m.background);
  talking_head(pack, housenka::kFrame, housenka::kFrame.face, m.stage, bubbles::kTapoX, bubbles::kTapoY,
               {0, 1, 2, 3, 4}, true);

  std::string segments;
  for (int k = 1; k <= housenka::kBubbles; ++k) {
    const Rect r = bubbles::segment_text(k);
    segments += std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(r.w) + "," +
                std::to_string(r.h) + "\r\n";
  }
  pack.text("\\BUBLIFUK\\CISLA.DAT", segments);

  pack.bmp("\\BUBLIFUK\\BUBLINA1.BMP", bubble());
  pack.bmp("\\BUBLIFUK\\BUBLINA2.BMP", splash());
  pack.bmp("\\BUBLIFUK\\BUBLINA3.BMP", droplets());
  pack.sound("\\BUBLIFUK\\PRASK.WAV", pop());

  game_talks(pack, housenka::kFrame);
  pack.speak("\\BUBLIFUK\\TOOMUCH1");
  pack.speak("\\BUBLIFUK\\TOOMUCH2");
}

}  // namespace
}  // namespace tapo::media

MKMEDIA_FOLDER("BUBLIFUK", make_bublifuk)
