// HRACKAR: the toy shop, two screens wide.  The door with its bell and the
// crank are on the left, with Tapo's corner, the till and the player's piggy
// bank; shelves full of toys run over both halves, each toy with a price tag
// hanging on the board below it.
#include <array>
#include <cmath>

#include "players/shop_layout.h"
#include "tools/mkmedia/art_playthings.h"
#include "tools/mkmedia/art_shop.h"
#include "tools/mkmedia/art_sounds.h"
#include "tools/mkmedia/art_kit.h"
#include "tools/mkmedia/cast.h"
#include "tools/mkmedia/folders.h"

namespace tapo::media {
namespace {

namespace pf = tapo::platform;
namespace layout = tapo::players::shop;
using shop_art::boards;

inline constexpr int kTagW = 36, kTagH = 22;  // the game's price label

// The shop writes the balance on the piggy bank's plaque.
static_assert(layout::kBalance == Rect{layout::kPiglet.x + kPiggyBankPlaque.x, layout::kPiglet.y + kPiggyBankPlaque.y,
                                       kPiggyBankPlaque.w, kPiggyBankPlaque.h});

// Each toy's price and the board it stands on, in catalogue order: a few
// cheap toys to start with, the castle dearest.
struct Offer {
  int price;
  int board;
};
constexpr std::array<Offer, kPlaythings.size()> kOffers = {{
    {3, 0}, {5, 0}, {8, 0}, {12, 1}, {15, 1}, {18, 2}, {22, 2},
    {25, 3}, {30, 3}, {35, 3}, {40, 4}, {48, 4}, {52, 5}, {60, 5},
}};

struct Place {
  Rect toy;
  int tag_x, tag_y;
};

// The toys of each board spread evenly along it, standing on it, their tags
// centred below them on the board's front.
std::array<Place, kPlaythings.size()> places() {
  std::array<Place, kPlaythings.size()> out{};
  for (int b = 0; b < static_cast<int>(boards().size()); ++b) {
    const auto& board = boards()[b];
    int used = 0, count = 0;
    for (size_t k = 0; k < kOffers.size(); ++k)
      if (kOffers[k].board == b) used += kPlaythings[k].w, ++count;
    const int gap = (board.x1 - board.x0 - used) / (count + 1);
    if (gap < 8) fail("too many toys on a shelf of the toy shop");
    int x = board.x0 + gap;
    for (size_t k = 0; k < kOffers.size(); ++k) {
      if (kOffers[k].board != b) continue;
      const auto& look = kPlaythings[k];
      out[k] = {{x, board.top - look.h, look.w, look.h}, x + look.w / 2 - kTagW / 2, board.top + 1};
      x += look.w + gap;
    }
  }
  return out;
}

Surface with_tapo(const Surface& shop, int mouth, bool brows) {
  return painted(shop, [&](Canvas& c) {
    draw_tapo(c, shop_art::kTapoX, shop_art::kTapoY, {TapoPose::Stand, 0, mouth, brows}, shop_art::kTapoScale);
  });
}

// A talking head: Tapo's head out of the shop with him at rest; frame 0 the
// mouth closed.  `brows` raised all along (the empty shop's talk).
void talking_head(Pack& pack, const Surface& shop, const std::string& stem, bool brows) {
  const double s = shop_art::kTapoScale;
  const Rect head{static_cast<int>(shop_art::kTapoX + kTapoHead.x * s), static_cast<int>(shop_art::kTapoY + kTapoHead.y * s),
                  static_cast<int>(kTapoHead.w * s), static_cast<int>(kTapoHead.h * s)};
  std::vector<Surface> mouths;
  for (int m = 0; m <= 4; ++m) mouths.push_back(crop(with_tapo(shop, m, brows || m > 0), head));
  pack.clip(stem + ".AVI", mouths);
  pack.text(stem + ".DAT", "0\r\n" + std::to_string(head.x) + "\r\n" + std::to_string(head.y) + "\r\n");
}

template <class Draw>
Surface strip(Rect cell, Draw&& draw) {
  Canvas c(cell.w * 3, cell.h);
  for (int k = 0; k < 3; ++k) {
    cairo_save(c.cr());
    cairo_rectangle(c.cr(), k * cell.w, 0, cell.w, cell.h);
    cairo_clip(c.cr());
    cairo_translate(c.cr(), k * cell.w - cell.x, -cell.y);
    draw(c, k);
    cairo_restore(c.cr());
  }
  return c.keyed();
}

// The till rings: its drawer slides out, coins hop up and drop in, a star
// twinkles; keyed, over the till at rest on the shop picture.
void till(Pack& pack) {
  const Rect box{166, 230, 100, 128};
  constexpr int kFrames = 12;
  std::vector<Surface> frames;
  for (int f = 0; f < kFrames; ++f) {
    const double u = f / double(kFrames - 1);
    Canvas c(box.w, box.h);
    cairo_translate(c.cr(), -box.x, -box.y);
    shop_art::draw_till(c, std::sin(M_PI * u));
    if (u > 0.1 && u < 0.9) {
      for (int k = 0; k < 3; ++k) {
        const double v = std::clamp((u - 0.1 - k * 0.08) / 0.6, 0.0, 1.0);
        if (v <= 0 || v >= 1) continue;
        draw_coin(c, shop_art::kTill.x + 20 + k * 18, shop_art::kTill.y + 50 - 150 * v * (1 - v) * 1.3, 8, "", true);
      }
      draw_star(c, shop_art::kTill.x + 68, shop_art::kTill.y - 40, 10 * std::sin(M_PI * u), pf::rgb(255, 230, 80), u * 3);
    }
    frames.push_back(c.keyed());
  }
  pack.clip("\\HRACKAR\\KASA.AVI", frames);
  pack.keyed_script("\\HRACKAR\\KASA.DAT", "\\HRACKAR\\KASA", box.x, box.y, box.w, box.h, 0, run_of(0, kFrames - 1, 80));
  std::vector<double> ring;
  sounds::hiss(ring, 0, 0.25, 0.35, 7);
  for (double at : {0.12, 0.2, 0.3}) sounds::pluck(ring, at, 3136 + at * 2000, 0.12, 0.25);  // the coins
  sounds::pluck(ring, 0.4, 2093, 0.7, 0.45);                                                 // ding!
  sounds::pluck(ring, 0.4, 2637, 0.7, 0.3);
  pack.sound("\\HRACKAR\\KASA.WAV", ring);
}

void make_hrackar(Pack& pack) {
  const Surface shop = shop_art::interior();
  pack.bmp("\\HRACKAR\\POZADI.BMP", shop);

  const auto at = places();
  std::string positions, prices;
  for (size_t k = 0; k < kPlaythings.size(); ++k) {
    const auto& look = kPlaythings[k];
    const Place& p = at[k];
    Canvas toy(look.w, look.h);
    draw_plaything(toy, look.kind, 0, 0);
    pack.bmp(std::string("\\HRACKAR\\HRACKY\\") + look.name + ".BMP", toy.keyed());
    pack.bmp(std::string("\\HRACKAR\\HRACKY_\\") + look.name + ".BMP", crop(shop, p.toy));
    const std::string name = std::string("\"") + look.name + "\",";
    positions += name + std::to_string(p.toy.x) + "," + std::to_string(p.toy.y) + "," + std::to_string(p.tag_x) + "," +
                 std::to_string(p.tag_y) + "\r\n";
    prices += name + std::to_string(kOffers[k].price) + "\r\n";
  }
  pack.text("\\HRACKAR\\POZICE.DAT", positions);
  pack.text("\\HRACKAR\\HRACKY.IDX", prices);

  pack.bmp("\\HRACKAR\\ZVON.BMP", strip(layout::kBell, [](Canvas& c, int k) { shop_art::draw_bell(c, k); }));
  pack.bmp("\\HRACKAR\\KLIKA.BMP", strip(layout::kCrank, [](Canvas& c, int k) { shop_art::draw_crank(c, k, false); }));
  pack.bmp("\\HRACKAR\\KLIKA2.BMP", strip(layout::kCrank, [](Canvas& c, int k) { shop_art::draw_crank(c, k, true); }));

  talking_head(pack, shop, "\\HRACKAR\\MLUVI", false);
  talking_head(pack, shop, "\\HRACKAR\\MLUVI2", true);
  for (const char* talk : {"INTRO", "MALO", "POSLEDNI", "PRAZDNY", "HELP"}) pack.speak(std::string("\\HRACKAR\\") + talk);

  till(pack);
  std::vector<double> poof;
  sounds::hiss(poof, 0, 0.35, 0.6, 99);
  sounds::glide(poof, 0.02, 1800, 500, 0.3, 0.3);
  for (int k = 0; k < 4; ++k) sounds::pluck(poof, 0.18 + k * 0.06, 2637 + k * 400, 0.15, 0.18);
  pack.sound("\\HRACKAR\\ZMIZENI.WAV", poof);
}

}  // namespace
}  // namespace tapo::media

MKMEDIA_FOLDER("HRACKAR", make_hrackar)
