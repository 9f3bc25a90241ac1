// DRAK: the dragon game.  The meadow with the dragon lying along the back and
// ten burrows, from each of which its own little animal rises and sinks
// again; the bell that starts an example, the number tiles the child answers
// on (CISLA.DAT), Tapo's thumbs up and his talks.
#include <cmath>
#include <string>

#include "games/drak/layout.h"
#include "tools/mkmedia/art_drak.h"
#include "tools/mkmedia/art_sounds.h"
#include "tools/mkmedia/art_kit.h"
#include "tools/mkmedia/folders.h"
#include "tools/mkmedia/game_kit.h"

namespace tapo::media {
namespace {

namespace pf = tapo::platform;
namespace drak = tapo::games::drak;

// A pop up the burrow, higher for higher figures; sinking: a slide down.
std::vector<double> pop(int d, bool up) {
  const double f = 330 * std::pow(2.0, (d - 1) / 12.0);
  std::vector<double> out;
  if (up) {
    sounds::glide(out, 0, f, f * 2, 0.22, 0.5);
    sounds::pluck(out, 0.2, f * 2, 0.18, 0.35);
  } else {
    sounds::glide(out, 0, f * 1.6, f * 0.7, 0.35, 0.45);
  }
  return out;
}

void figure(Pack& pack, int d) {
  const Rect box = dragon::figure_box(d);
  const std::string stem = "\\DRAK\\D" + std::to_string(d);
  const auto& rising = dragon::rising_frames(d);
  const auto& sinking = dragon::sinking_frames(d);
  const int up = static_cast<int>(rising.size()) - 1, low = static_cast<int>(sinking.size()) - 1;
  // Up: from the rest to the last frame, which stays in the scene.
  // Down: frame 1 is the figure up, then lower and lower, then frame 0 at rest.
  std::vector<Step> down = run_of(1, low, 70);
  down.front().hold_ms = 140;
  down.push_back({0, 80});
  if (drak::mixed_by_frames(d)) {
    pack.clip(stem + "UP.AVI", keyed_at_corner(rising));
    pack.keyed_script(stem + "UP.DAT", stem + "UP", box.x, box.y, box.w, box.h, 1, run_of(0, up, 70));
    pack.clip(stem + "DOWN.AVI", keyed_at_corner(sinking));
    pack.keyed_script(stem + "DOWN.DAT", stem + "DOWN", box.x, box.y, box.w, box.h, 1, down);
  } else {
    pack.clip(stem + "UP.AVI", rising);
    pack.script(stem + "UP.DAT", stem + "UP", box.x, box.y, box.w, box.h, up, run_of(0, up, 70));
    pack.clip(stem + "DOWN.AVI", sinking);
    pack.script(stem + "DOWN.DAT", stem + "DOWN", box.x, box.y, box.w, box.h, 0, down);
  }
  pack.sound(stem + "UP.WAV", pop(d, true));
  pack.sound(stem + "DOWN.WAV", pop(d, false));
}

// ZVONEK: the bell swings to and fro and comes to rest.
void bell(Pack& pack) {
  const Rect box = drak::kBell;
  const auto& frames = dragon::bell_frames();
  pack.clip("\\DRAK\\ZVONEK.AVI", frames);
  pack.script("\\DRAK\\ZVONEK.DAT", "\\DRAK\\ZVONEK", box.x, box.y, box.w, box.h, 0,
              run_of(0, static_cast<int>(frames.size()) - 1, 80));
  std::vector<double> ding;
  for (int k = 0; k < 3; ++k) {
    sounds::pluck(ding, k * 0.22, 1319, 0.6, 0.35);
    sounds::pluck(ding, k * 0.22, 1976, 0.4, 0.15);
  }
  pack.sound("\\DRAK\\ZVONEK.WAV", ding);
}

// PALEC: Tapo hops and gives a thumbs up among twinkling stars.  Mixed with
// the key colour of the top-left pixel over the scene, where Tapo already
// stands: each frame is the whole place, so only that pixel lets the scene through.
void thumbs_up(Pack& pack) {
  const Rect box{dragon::kTapoX, dragon::kTapoY, 148, 200};
  constexpr int kFrames = 12;
  std::vector<Surface> frames;
  const Surface stage = dragon::stage();
  for (int f = 0; f < kFrames; ++f) {
    const double t = f / double(kFrames - 1);
    const bool rest = f == 0 || f == kFrames - 1;
    frames.push_back(crop(painted(stage,
                                  [&](Canvas& c) {
                                    if (rest) {
                                      draw_tapo(c, dragon::kTapoX, dragon::kTapoY, {});
                                      return;
                                    }
                                    const double hop = 6 * std::fabs(std::sin(t * 2 * M_PI));
                                    draw_tapo(c, dragon::kTapoX, dragon::kTapoY - hop,
                                              {TapoPose::ThumbsUp, t, f % 3 == 1 ? 2 : 1});
                                    const double sparkle[3][2] = {{14, 22}, {124, 24}, {134, 66}};
                                    for (int k = 0; k < 3; ++k)
                                      draw_star(c, dragon::kTapoX + sparkle[k][0], dragon::kTapoY + sparkle[k][1],
                                                6 + 4 * std::sin(t * 9 + k * 2), pf::rgb(255, 220, 60), t * 3);
                                  }),
                          box));
  }
  pack.clip("\\DRAK\\PALEC.AVI", keyed_at_corner(frames));
  pack.keyed_script("\\DRAK\\PALEC.DAT", "\\DRAK\\PALEC", box.x, box.y, box.w, box.h, 0, run_of(0, kFrames - 1, 85));
  pack.sound("\\DRAK\\PALEC.WAV", sounds::tune({523, 659, 784, 1047}, 0.16, 0.35));
  pack.caption("\\DRAK\\PALEC.WAV", "sound-right");
}

void make_drak(Pack& pack) {
  const Surface background = dragon::background();
  pack.bmp("\\DRAK\\POZADI.BMP", background);
  game_controls(pack, drak::kFrame, background);
  talking_head(pack, drak::kFrame, drak::kFrame.face, dragon::stage(), dragon::kTapoX, dragon::kTapoY, {0, 1, 2, 3, 4},
               true);

  std::string tiles;
  for (int k = 1; k <= drak::kFigures; ++k) {
    const Rect t = dragon::number_tile(k);
    tiles += std::to_string(t.x) + ", " + std::to_string(t.y) + ", " + std::to_string(t.w) + ", " + std::to_string(t.h) + "\r\n";
  }
  pack.text("\\DRAK\\CISLA.DAT", tiles);

  for (int d = 1; d <= drak::kFigures; ++d) figure(pack, d);
  bell(pack);
  thumbs_up(pack);

  game_talks(pack, drak::kFrame);
  for (int n = 1; n <= drak::kFigures; ++n) pack.speak("\\DRAK\\ZVEDL" + std::to_string(n));
}

}  // namespace
}  // namespace tapo::media

MKMEDIA_FOLDER("DRAK", make_drak)
