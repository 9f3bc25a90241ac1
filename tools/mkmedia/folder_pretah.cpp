// PRETAH: the sausage tug.  A garden with the example board, a sandy track
// and a rope between Tapo (left) and the other dog (right) with the sausage
// tied into its middle; the dogs' pull pictures, the button panels, the
// question mark, both dogs' wins, birds flying by and Tapo's talks.
//
// The dogs and the sausage are sprites over the yard, and every clip starts
// and ends with the yard and the dog's rest picture exactly as the screen
// shows them: all pictures and clips are made in one palette.
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "games/pretah/layout.h"
#include "tools/mkmedia/art_pretah.h"
#include "tools/mkmedia/art_sounds.h"
#include "tools/mkmedia/art_kit.h"
#include "tools/mkmedia/folders.h"
#include "tools/mkmedia/game_kit.h"
#include "tools/mkmedia/quantize.h"

namespace tapo::media {
namespace {

namespace pf = tapo::platform;
namespace pretah = tapo::games::pretah;
using tug::DogLook;

// Pictures (one surface) and clips (their frames), written in one palette.
class Batch {
 public:
  void bmp(const std::string& dos, Surface s) { items_.push_back({dos, {std::move(s)}}); }
  void clip(const std::string& dos, std::vector<Surface> frames) { items_.push_back({dos, std::move(frames)}); }
  // Writes everything; gives back the first picture as written.
  Surface write(Pack& pack) {
    std::vector<Surface> all;
    for (const auto& item : items_) all.insert(all.end(), item.second.begin(), item.second.end());
    const std::vector<Surface> mapped = in_one_palette(all);
    size_t next = 0;
    for (const auto& [dos, frames] : items_) {
      const std::vector<Surface> own(mapped.begin() + static_cast<long>(next),
                                     mapped.begin() + static_cast<long>(next + frames.size()));
      next += frames.size();
      if (dos.ends_with(".BMP")) pack.bmp(dos, own.front());
      else pack.clip(dos, own);
    }
    return mapped.front();
  }

 private:
  std::vector<std::pair<std::string, std::vector<Surface>>> items_;
};

// Three cells side by side.
Surface cells(const Surface& a, const Surface& b, const Surface& c) {
  Surface out(a.width() * 3, a.height());
  out.blit(a, 0, 0);
  out.blit(b, a.width(), 0);
  out.blit(c, a.width() * 2, 0);
  return out;
}

// ---- the panels and the question mark ------------------------------------------------

constexpr Rect kPanel{pretah::kPanelAt.x, pretah::kPanelAt.y, 453, 58};

// A sign drawn big in white with a dark outline, centred on (cx, cy).
void draw_sign(Canvas& c, int k, double cx, double cy) {
  const Rgb white = pf::rgb(255, 255, 255);
  if (k == 2 || k == 3) {  // times: one dot; divide: two
    for (double dy : k == 2 ? std::vector<double>{0} : std::vector<double>{-10, 10}) {
      c.ellipse(cx, cy + dy, k == 2 ? 8.5 : 7, k == 2 ? 8.5 : 7);
      c.fill_outlined(white, kInk, 3);
    }
    return;
  }
  const char* glyphs[7] = {"+", "\u2212", "", "", "<", "=", ">"};
  c.text(glyphs[k], cx, cy, 42, white, true);
}

Surface panel(const Surface& yard, std::initializer_list<int> buttons) {
  const Rgb colours[7] = {pf::rgb(226, 72, 60),  pf::rgb(56, 120, 220), pf::rgb(54, 164, 80),  pf::rgb(236, 146, 36),
                          pf::rgb(150, 92, 210), pf::rgb(30, 160, 160), pf::rgb(150, 92, 210)};
  return painted(crop(yard, kPanel), [&](Canvas& c) {
    c.rounded_rect(1.5, 1.5, kPanel.w - 3, kPanel.h - 3, 10);
    c.fill_soft(pf::rgb(196, 138, 80), 3);
    for (int k : buttons) {
      const Rect b = pretah::kButtons[static_cast<size_t>(k)];
      const double x = b.x - kPanel.x, y = b.y - kPanel.y;
      c.rounded_rect(x + 1.5, y + 1.5, b.w - 3, b.h - 3, 10);
      c.fill_soft(colours[k], 3, 1.3);
      draw_sign(c, k, x + b.w / 2.0, y + b.h / 2.0);
    }
  });
}

Surface question_mark() {
  return painted(Surface(40, 50, tug::kBoardFace), [](Canvas& c) {
    c.rounded_rect(2, 2, 36, 46, 8);
    c.set_colour(pf::rgb(255, 226, 150));
    cairo_fill_preserve(c.cr());
    c.stroke(pf::rgb(230, 130, 40), 2.5);
    c.text("?", 20, 25, 38, pf::rgb(232, 84, 36), true);
  });
}

// ---- the dogs' shows -----------------------------------------------------------------

// A dog's box cut from `base` with the dog in `look` over it, and whatever
// `extra` paints over everything.
template <class Sprite, class Extra>
Surface dog_frame(const Surface& base, Rect box, Sprite&& sprite, const Extra& extra) {
  Surface s = crop(base, box);
  tug::stamp(s, sprite, 0, 0);
  return painted(s, extra);
}

void no_extra(Canvas&) {}

// Stars twinkling round a happy dog, brighter in the middle of the show.
auto stars(double t, double cx) {
  return [t, cx](Canvas& c) {
    const double glow = std::sin(M_PI * t);
    const double at[3][2] = {{-40, 26}, {36, 14}, {44, 64}};
    for (int k = 0; k < 3; ++k)
      draw_star(c, cx + at[k][0], at[k][1], 3 + 6 * glow * (0.6 + 0.4 * std::sin(t * 12 + k * 2)), pf::rgb(255, 214, 50), t * 4);
  };
}

// A dog wins: it gives the last yank, lets go of the rope, sits down with a
// bump and cheers.  Frame 0 is the rest picture, the last the cheering dog.
std::vector<DogLook> win_looks() {
  std::vector<DogLook> out = {tug::pull(0), tug::pull(1), tug::pull(2)};
  out.push_back({0.30, 4, false, false, 0, 3});
  out.push_back({0.18, 12, false, true, 0, 3});
  out.push_back({0.06, 18, false, true, 0, 4});
  out.push_back({0, 16, false, true, 0.15, 2});
  out.push_back({0, 16, false, true, 0.35, 1});
  out.push_back({0, 16, false, true, 0.6, 1});
  out.push_back({0, 16, false, true, 0, 0});
  return out;
}

// Cheering while sitting: the paws wave twice and the dog bounces; both ends
// are the cheering dog of the win's last frame.
DogLook dance(double t) {
  DogLook l = win_looks().back();
  if (t <= 0 || t >= 1) return l;
  l.phase = 2 * t;
  l.drop = 16 - 5 * std::fabs(std::sin(2 * M_PI * t));
  l.mouth = static_cast<int>(std::lround(t * 11)) % 3 == 1 ? 3 : 1;
  return l;
}

// Getting ready again: a lean forward and back, a grin, and the rest picture.
DogLook ready(double t) {
  DogLook l = tug::pull(0);
  if (t <= 0 || t >= 1) return l;
  l.lean = tug::kRest.lean - 0.12 * std::sin(2 * M_PI * t);
  l.mouth = 1;
  l.brows = true;
  return l;
}

// ---- the sounds ------------------------------------------------------------------------

std::vector<double> stretch() {
  std::vector<double> out;
  sounds::glide(out, 0, 260, 150, 0.22, 0.35);
  sounds::hiss(out, 0, 0.1, 0.2, 11);
  return out;
}

std::vector<double> win_sound(double base) {
  std::vector<double> out;
  sounds::glide(out, 0, base, base * 2, 0.3, 0.4);
  sounds::pluck(out, 0.35, base / 2, 0.2, 0.5);
  int k = 0;
  for (double f : {1.0, 1.26, 1.5, 2.0}) sounds::pluck(out, 0.5 + 0.12 * k++, base * f, 0.3, 0.35);
  return out;
}

std::vector<double> woofs() {
  std::vector<double> out;
  for (int k = 0; k < 3; ++k) {
    sounds::glide(out, k * 0.32, 520, 300, 0.14, 0.55);
    sounds::hiss(out, k * 0.32, 0.1, 0.25, 5 + k);
  }
  return out;
}

std::vector<double> chirps() {
  std::vector<double> out;
  for (int k = 0; k < 6; ++k) sounds::glide(out, 0.15 + k * 0.19 + (k % 2) * 0.05, 2600, 3500, 0.07, 0.25);
  return out;
}

std::vector<double> rub() {
  std::vector<double> out;
  for (int k = 0; k < 4; ++k) sounds::hiss(out, k * 0.12, 0.09, 0.3, 21 + k);
  sounds::pluck(out, 0.55, 660, 0.15, 0.3);
  return out;
}

// ---- the folder ------------------------------------------------------------------------

std::string placement(Rect r) { return "0\r\n" + std::to_string(r.x) + "\r\n" + std::to_string(r.y) + "\r\n"; }

void make_pretah(Pack& pack) {
  const std::string dir = "\\PRETAH\\";
  const Surface yard = tug::yard(), sausage = tug::sausage();
  const Rect tbox = tug::kTapoBox, rbox = tug::kRivalBox;
  Surface yard_lost = yard;  // the sausage at the other dog's end
  tug::stamp(yard_lost, sausage, pretah::kOpponentWins, pretah::kSausageY);
  const auto tapo_at = [&](const DogLook& l, auto&& extra) { return dog_frame(yard, tbox, tug::tapo(l), extra); };
  const auto rival_at = [&](const DogLook& l, auto&& extra) { return dog_frame(yard_lost, rbox, tug::rival(l), extra); };

  Batch batch;
  batch.bmp(dir + "POZADI.BMP", yard);
  batch.bmp(dir + "JITRNICE.BMP", sausage);
  batch.bmp(dir + "NEZNAMA.BMP", question_mark());
  batch.bmp(dir + "L1.BMP", panel(yard, {0, 1}));
  batch.bmp(dir + "L2.BMP", panel(yard, {0, 1, 2, 3}));
  batch.bmp(dir + "L3.BMP", panel(yard, {4, 5, 6}));
  batch.bmp(dir + "TAPO.BMP", cells(tug::tapo(tug::pull(0)), tug::tapo(tug::pull(1)), tug::tapo(tug::pull(2))));
  batch.bmp(dir + "PES.BMP", cells(tug::rival(tug::pull(0)), tug::rival(tug::pull(1)), tug::rival(tug::pull(2))));

  // Tapo's talking heads: the introduction, "I won!", "He won this time".
  const DogLook won = win_looks().back();
  const auto heads = [&](const std::string& clip, const DogLook& look, bool sad) {
    const Rect head = tug::tapo_head(look);
    std::vector<Surface> frames;
    for (int m = 0; m <= 4; ++m) {
      DogLook l = look;
      l.mouth = m;
      l.brows = m > 0 && !sad;
      l.sad = m > 0 && sad;
      Surface scene = yard;
      tug::stamp(scene, tug::tapo(l), tbox.x, tbox.y);
      frames.push_back(crop(scene, head));
    }
    batch.clip(dir + clip + ".AVI", frames);
    pack.text(dir + clip + ".DAT", placement(head));
  };
  heads("MLUVI1", tug::kRest, false);
  heads("MLUVI2", won, false);
  heads("MLUVI3", tug::kRest, true);

  // The wins: the dog's show from its rest picture, its dance, its getting ready.
  std::vector<Surface> tapo_win, rival_win, tapo_dance, rival_dance, tapo_ready, rival_ready;
  for (const DogLook& l : win_looks()) {
    tapo_win.push_back(tapo_at(l, no_extra));
    rival_win.push_back(rival_at(l, no_extra));
  }
  constexpr int kDance = 12, kReady = 9;
  for (int f = 0; f < kDance; ++f) {
    const double t = f / double(kDance - 1);
    const auto extra = [&](double cx) {
      return [t, cx](Canvas& c) {
        if (t > 0 && t < 1) stars(t, cx)(c);
      };
    };
    tapo_dance.push_back(tapo_at(dance(t), extra(56)));
    rival_dance.push_back(rival_at(dance(t), extra(76)));
  }
  for (int f = 0; f < kReady; ++f) {
    tapo_ready.push_back(tapo_at(ready(f / double(kReady - 1)), no_extra));
    rival_ready.push_back(rival_at(ready(f / double(kReady - 1)), no_extra));
  }
  const int win_last = static_cast<int>(tapo_win.size()) - 1;
  batch.clip(dir + "LEVA.AVI", tapo_win);
  batch.clip(dir + "PRAVA.AVI", rival_win);
  batch.clip(dir + "TAPO1.AVI", keyed_at_corner(tapo_dance));
  batch.clip(dir + "PES1.AVI", keyed_at_corner(rival_dance));
  batch.clip(dir + "TAPO1_.AVI", tapo_ready);
  batch.clip(dir + "PES1_.AVI", keyed_at_corner(rival_ready));

  // Birds flying by over the garden, each flock in its own stretch of sky.
  const auto birds = [&](const std::string& stem, Rect box, double facing) {
    constexpr int kFrames = 18;
    std::vector<Surface> frames;
    const Rgb colours[3] = {pf::rgb(90, 150, 230), pf::rgb(240, 200, 60), pf::rgb(236, 100, 90)};
    for (int f = 0; f < kFrames; ++f) {
      const double t = f / double(kFrames - 1);
      frames.push_back(painted(crop(yard, box), [&](Canvas& c) {
        for (int k = 0; k < 3; ++k) {
          const double run = -40 - 60 * k + (box.w + 240) * t;
          const double x = facing > 0 ? run : box.w - run;
          const double y = 30 + 22 * k + 8 * std::sin(t * 6 + k);
          tug::draw_bird(c, x, y, std::sin(t * 30 + k * 2), colours[k], facing);
        }
      }));
    }
    frames.front() = crop(yard, box);
    frames.back() = crop(yard, box);
    batch.clip(dir + stem + ".AVI", frames);
    pack.script(dir + stem + ".DAT", dir + stem, box.x, box.y, box.w, box.h, 0, run_of(0, kFrames - 1, 90));
    pack.sound(dir + stem + ".WAV", chirps());
  };
  birds("PTACI1", {100, 14, 400, 100}, 1);
  birds("PTACI2", {130, 18, 380, 96}, -1);

  const Surface written = batch.write(pack);
  game_controls(pack, pretah::kFrame, written);

  // The scripts: the wins end on the cheering dog, which stays on the form
  // until the way back; the frames player's dances and getting ready keep
  // their last picture.
  pack.script(dir + "LEVA.DAT", dir + "LEVA", tbox.x, tbox.y, tbox.w, tbox.h, win_last, run_of(0, win_last, 90));
  pack.script(dir + "LEVA_REV.DAT", dir + "LEVA", tbox.x, tbox.y, tbox.w, tbox.h, 0, run_of(win_last, 0, 80));
  pack.keyed_script(dir + "TAPO1.DAT", dir + "TAPO1", tbox.x, tbox.y, tbox.w, tbox.h, 1, run_of(0, kDance - 1, 85));
  pack.script(dir + "TAPO1RV_.DAT", dir + "TAPO1_", tbox.x, tbox.y, tbox.w, tbox.h, 0, run_of(kReady - 1, 0, 90));
  pack.script(dir + "PRAVA.DAT", dir + "PRAVA", rbox.x, rbox.y, rbox.w, rbox.h, win_last, run_of(0, win_last, 90));
  pack.script(dir + "PRAVAREV.DAT", dir + "PRAVA", rbox.x, rbox.y, rbox.w, rbox.h, 0, run_of(win_last, 0, 80));
  pack.keyed_script(dir + "PES1.DAT", dir + "PES1", rbox.x, rbox.y, rbox.w, rbox.h, 1, run_of(0, kDance - 1, 85));
  pack.keyed_script(dir + "PES1_REV.DAT", dir + "PES1_", rbox.x, rbox.y, rbox.w, rbox.h, 1, run_of(kReady - 1, 0, 90));

  pack.sound(dir + "JITRNICE.WAV", stretch());
  pack.sound(dir + "LEVA.WAV", win_sound(523));
  pack.sound(dir + "PRAVA.WAV", win_sound(392));
  pack.sound(dir + "TAPO1.WAV", sounds::tune({784, 659, 784, 1047, 880, 1047}, 0.13, 0.3));
  pack.sound(dir + "PES1.WAV", woofs());
  pack.sound(dir + "TAPO1_.WAV", rub());
  pack.sound(dir + "PES1_.WAV", rub());

  pack.speak(dir + "INTRO");
  pack.say(dir + "HELP");
  for (int n = 1; n <= 3; ++n) {
    pack.speak(dir + "VYHRAL" + std::to_string(n));
    pack.speak(dir + "PROHRAL" + std::to_string(n));
  }
}

}  // namespace
}  // namespace tapo::media

MKMEDIA_FOLDER("PRETAH", make_pretah)
