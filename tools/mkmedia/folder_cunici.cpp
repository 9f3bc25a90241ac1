// CUNICI: the opening and closing pictures and the players' screen: a sunny
// meadow with the six piglets on their name boards, the level coins in a
// cloud, the toy shop with its crank and the bell in its little tower, the
// magic hat on a stool, the rocking horse to the games, the puppet in the
// tree, and Tapo greeting and giving hints.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/mkmedia/cast.h"
#include "tools/mkmedia/folder_cunici_art.h"
#include "tools/mkmedia/folders.h"

namespace tapo::media {
namespace {

namespace pf = tapo::platform;
using namespace cunici;

Surface crop(const Surface& s, Rect r) {
  Surface out(r.w, r.h);
  out.blit(s, r.x, r.y, r.w, r.h, 0, 0);
  return out;
}

// The part `box` of `base` with whatever `draw` paints (in screen
// coordinates) laid over it.
template <class Draw>
Surface piece(const Surface& base, Rect box, Draw&& draw) {
  Surface out = crop(base, box);
  Canvas c(box.w, box.h);
  cairo_translate(c.cr(), -box.x, -box.y);
  draw(c);
  c.over(out, 0, 0);
  return out;
}

// Everything at rest on the meadow: what the players' screen shows.
Surface whole_scene(const Surface& base) {
  Surface s = base;
  Canvas c(640, 480);
  for (int k = 0; k < 3; ++k) draw_level_coin(c, k, false);
  draw_crank(c, 0);
  draw_bell(c, 0);
  draw_puppet(c, 0);
  for (int i = 0; i < kPigletCount; ++i) draw_slot_piglet(c, i, 0);
  draw_tapo_here(c, {});
  c.over(s, 0, 0);
  return s;
}

// A sound of our own: samples in -1..1 to a 22050 Hz 16-bit mono WAV.
std::string wav_of(const std::vector<double>& samples) {
  std::string out = "RIFF";
  auto put = [&out](std::uint32_t v, int bytes) {
    for (int b = 0; b < bytes; ++b) out += static_cast<char>((v >> (8 * b)) & 0xFF);
  };
  put(static_cast<std::uint32_t>(36 + samples.size() * 2), 4);
  out += "WAVEfmt ";
  for (auto [v, n] : {std::pair{16u, 4}, {1u, 2}, {1u, 2}, {22050u, 4}, {44100u, 4}, {2u, 2}, {16u, 2}}) put(v, n);
  out += "data";
  put(static_cast<std::uint32_t>(samples.size() * 2), 4);
  for (double v : samples) put(static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 12000))), 2);
  return out;
}

// A friendly whinny: a wobbling voice sliding down, soft at both ends.
std::vector<double> whinny() {
  std::vector<double> out;
  const double len = 0.95;
  double phase = 0;
  for (int i = 0; i < static_cast<int>(22050 * len); ++i) {
    const double t = i / 22050.0;
    const double f = 980 - 480 * t / len + 110 * std::sin(2 * M_PI * 12 * t) * (0.3 + t / len);
    phase += 2 * M_PI * f / 22050;
    const double env = std::min(1.0, t / 0.04) * std::pow(1 - t / len, 1.2);
    out.push_back(env * (0.7 * std::sin(phase) + 0.2 * std::sin(2 * phase) + 0.08 * std::sin(3 * phase)));
  }
  return out;
}

// The crank's soft ratchet: little wooden ticks.
std::vector<double> ratchet() {
  std::vector<double> out(static_cast<size_t>(22050 * 0.62), 0.0);
  std::uint32_t seed = 12345;
  for (int k = 0; k < 8; ++k) {
    const int at = k * 1700;
    for (int i = 0; i < 500; ++i) {
      seed = seed * 1664525u + 1013904223u;
      const double noise = ((seed >> 9) & 0xFFFF) / 32768.0 - 1;
      const double t = i / 22050.0;
      out[static_cast<size_t>(at + i)] += std::exp(-t * 260) * (0.35 * noise + 0.6 * std::sin(2 * M_PI * 1150 * t));
    }
  }
  return out;
}

// A piglet's happy little "oink".
std::vector<double> oink() {
  std::vector<double> out;
  const double len = 0.28;
  double phase = 0;
  for (int i = 0; i < static_cast<int>(22050 * len); ++i) {
    const double t = i / 22050.0;
    const double f = 330 + 160 * std::sin(M_PI * t / len);
    phase += 2 * M_PI * f / 22050;
    double v = 0;
    for (int h = 1; h <= 6; ++h) v += std::sin(h * phase) / std::pow(h, 1.4);
    const double env = std::min(1.0, t / 0.02) * std::min(1.0, (len - t) / 0.08) * (0.75 + 0.25 * std::sin(2 * M_PI * 28 * t));
    out.push_back(0.45 * env * v);
  }
  return out;
}

std::string number(int v) { return std::to_string(v) + "\r\n"; }

void make_cunici(Pack& pack) {
  check_layout();
  const Surface base = meadow();
  const Surface scene = whole_scene(base);

  // Opening and closing pictures.
  pack.bmp("\\CUNICI\\INTRO.BMP", title_picture(false));
  pack.bmp("\\CUNICI\\OUTRO.BMP", title_picture(true));
  pack.bmp("\\CUNICI\\POZADI.BMP", scene);

  // Tapo: GESTO frames 0..10 wave, frame 11 stands at rest; the wave ends at
  // rest and that picture stays on the background while he talks.
  const Rect tapo = tapo_box();
  std::vector<Surface> wave;
  for (int k = 0; k < 11; ++k)
    wave.push_back(piece(base, tapo, [&](Canvas& c) { draw_tapo_here(c, {TapoPose::Wave, k / 10.0, k % 4 == 1 ? 1 : 0}); }));
  wave.push_back(crop(scene, tapo));
  pack.clip("\\CUNICI\\GESTO.AVI", wave);
  pack.tone("\\CUNICI\\GESTO.WAV", {660, 880}, 0.18);
  std::vector<Step> there, back;
  for (int k = 0; k <= 10; ++k) there.push_back({k, 90});
  for (int k = 10; k >= 0; k -= 2) back.push_back({k, 60});
  back.push_back({11, 60});
  pack.script("\\CUNICI\\GESTO.DAT", "\\CUNICI\\GESTO", tapo.x, tapo.y, tapo.w, tapo.h, 11, there);
  pack.script("\\CUNICI\\GESTOREV.DAT", "\\CUNICI\\GESTO", tapo.x, tapo.y, tapo.w, tapo.h, 0, back);

  // The talking heads: frame 0 the closed mouth, 1..4 speaking.  MLUVI for
  // the greeting, MLUVI_ (eyebrows up, explaining) for hints and help.
  const Rect head = tapo_head_box();
  for (const bool hint : {false, true}) {
    std::vector<Surface> mouths;
    for (int m = 0; m <= 4; ++m)
      mouths.push_back(piece(base, head, [&](Canvas& c) { draw_tapo_here(c, {TapoPose::Stand, 0, m, hint}); }));
    const std::string stem = hint ? "\\CUNICI\\MLUVI_" : "\\CUNICI\\MLUVI";
    pack.clip(stem + ".AVI", mouths);
    pack.text(stem + ".DAT", number(0) + number(head.x) + number(head.y));
  }
  for (const char* talk : {"INTRO", "HELP", "ZVOLHRAC", "NONAME", "DO_KOLIK", "MISSNAME"})
    pack.speak(std::string("\\CUNICI\\") + talk);
  // The question before a name is taken away is played as a bare sound.
  pack.say("\\CUNICI\\SMAZAT");

  // The piglets: picked up (a hop, then a happy wave on a golden spot) and
  // put down again (the same clip backwards).  Frame 0 is the piglet at rest.
  for (int i = 0; i < kPigletCount; ++i) {
    const Rect box = piglet_clip_box(i);
    std::vector<Surface> frames;
    for (int f = 0; f < kPigletFrames; ++f) frames.push_back(piece(base, box, [&](Canvas& c) { draw_slot_piglet(c, i, f); }));
    const std::string stem = std::string("\\CUNICI\\") + kSlots[i].key;
    pack.clip(stem + ".AVI", frames);
    pack.text(stem + ".WAV", wav_of(oink()));
    pack.script(stem + ".DAT", stem, box.x, box.y, box.w, box.h, kPigletFrames - 1,
                {{0, 40}, {1, 70}, {2, 50}, {3, 50}, {4, 50}, {5, 50}, {6, 70}, {7, 90}, {8, 90}, {9, 90}, {10, 90}, {11, 60}});
    pack.script(stem + "_REV.DAT", stem, box.x, box.y, box.w, box.h, 0, {{11, 60}, {6, 80}, {1, 80}, {0, 60}});
    // The big picture of the piggy bank.
    Canvas xl(kPiggyBankWidth, kPiggyBankHeight);
    draw_piggy_bank(xl, i, 0, 0);
    pack.bmp(std::string("\\CUNICI\\XL\\") + kSlots[i].key + ".BMP", xl.keyed());
  }

  // Boards without a name.
  for (int i = 0; i < kPigletCount; ++i) pack.bmp("\\CUNICI\\DESKA" + std::to_string(i) + ".BMP", crop(scene, kSlots[i].board));

  // The level coins: all three offered (lit), all three dark, and each alone.
  pack.bmp("\\CUNICI\\MINCE.BMP", piece(base, kCoinArea, [](Canvas& c) {
             for (int k = 0; k < 3; ++k) draw_level_coin(c, k, true);
           }));
  pack.bmp("\\CUNICI\\MINCE_.BMP", crop(scene, kCoinArea));
  for (int k = 0; k < 3; ++k) {
    const std::string name = std::string("\\CUNICI\\") + kCoins[k].name;
    pack.bmp(name + ".BMP", crop(scene, kCoins[k].box));
    pack.bmp(name + "_.BMP", piece(base, kCoins[k].box, [k](Canvas& c) { draw_level_coin(c, k, true); }));
  }
  pack.tone("\\CUNICI\\CINK.WAV", {1568, 2093}, 0.14);

  // The magic hat.
  Canvas hat(kHatWidth, kHatHeight);
  draw_magic_hat(hat);
  pack.bmp("\\CUNICI\\KLOBOUK.BMP", hat.keyed());

  // The crank (3 cells) and the bell (4 cells): equal cells in a row.
  Surface crank(kCrankBox.w * 3, kCrankBox.h);
  for (int k = 0; k < 3; ++k) crank.blit(piece(base, kCrankBox, [k](Canvas& c) { draw_crank(c, k); }), k * kCrankBox.w, 0);
  pack.bmp("\\CUNICI\\KLIKA.BMP", crank);
  Surface bell(kBellBox.w * 4, kBellBox.h);
  for (int k = 0; k < 4; ++k) bell.blit(piece(base, kBellBox, [k](Canvas& c) { draw_bell(c, k); }), k * kBellBox.w, 0);
  pack.bmp("\\CUNICI\\ZVONEK.BMP", bell);
  pack.text("\\CUNICI\\KLIKA.WAV", wav_of(ratchet()));
  pack.tone("\\CUNICI\\ZVONECEK.WAV", {1319, 1319, 1047}, 0.32);
  pack.text("\\CUNICI\\ZARZANI.WAV", wav_of(whinny()));

  // The puppet dances on its strings.
  std::vector<Surface> dance;
  for (int f = 0; f < kPuppetFrames; ++f) dance.push_back(piece(base, kPuppetBox, [f](Canvas& c) { draw_puppet(c, f); }));
  pack.clip("\\CUNICI\\PANAC.AVI", dance);
  std::vector<Step> steps;
  for (int round = 0; round < 2; ++round)
    for (int f = 1; f < kPuppetFrames; ++f) steps.push_back({f, 75});
  steps.push_back({0, 60});
  pack.script("\\CUNICI\\PANAC.DAT", "\\CUNICI\\PANAC", kPuppetBox.x, kPuppetBox.y, kPuppetBox.w, kPuppetBox.h, 0, steps);
  pack.tone("\\CUNICI\\PANAC.WAV", {523, 659, 784, 659, 523, 659, 784, 1047}, 0.15);
}

}  // namespace
}  // namespace tapo::media

MKMEDIA_FOLDER("CUNICI", make_cunici)
