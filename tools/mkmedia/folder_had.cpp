// HAD: the snake game.  The landscape with the path of 47 steps from the
// little snake's nest to Tapo, the picture of the little snake at every step
// with the steps' places (STOPY), the shows of the animals met on the way,
// the nest snake waking up and winking, Tapo's welcome and cheer, his two
// talking heads and his talks.
#include <cmath>
#include <string>

#include "games/had/layout.h"
#include "tools/mkmedia/art_had.h"
#include "tools/mkmedia/art_sounds.h"
#include "tools/mkmedia/art_kit.h"
#include "tools/mkmedia/folders.h"
#include "tools/mkmedia/game_kit.h"

namespace tapo::media {
namespace {

namespace pf = tapo::platform;
namespace had = tapo::games::had;
using trail::Moment;

bool overlap(Rect a, Rect b) { return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h; }

// A moment of the scene cut to a show's box.  The show must change nothing
// outside it: the game would leave such a piece standing still.
Surface cut(const Surface& moment, Rect box, const Surface& background, const std::string& show) {
  for (int y = 0; y < moment.height(); ++y)
    for (int x = 0; x < moment.width(); ++x)
      if (moment.at(x, y) != background.at(x, y) && !(x >= box.x && x < box.x + box.w && y >= box.y && y < box.y + box.h))
        fail(show + " draws outside its box at " + std::to_string(x) + ", " + std::to_string(y));
  return crop(moment, box);
}

// The little snake at every step on the background, and the steps' places.
void steps(Pack& pack, const Surface& background) {
  std::string places;
  for (int k = 1; k <= had::kSteps; ++k) {
    const Rect r = trail::step_rect(k);
    pack.bmp("\\HAD\\STOPY\\S" + std::to_string(k) + ".BMP", crop(painted(background, [&](Canvas& c) {
                                                                      trail::draw_walker(c, trail::step_place(k));
                                                                    }),
                                                                    r));
    places += std::to_string(k) + ", " + std::to_string(r.x) + ", " + std::to_string(r.y) + "\r\n";
  }
  pack.text("\\HAD\\STOPY\\POZICE.DAT", places);
}

std::vector<double> encounter_sound(int who) {
  std::vector<double> s;
  switch (who) {
    case trail::kMushrooms:
      for (int k = 0; k < 3; ++k) sounds::glide(s, 0.12 + k * 0.17, 300 + k * 120, 900 + k * 200, 0.12, 0.5);
      break;
    case trail::kBadger:
      for (int k = 0; k < 3; ++k) sounds::hiss(s, 0.2 + k * 0.22, 0.12, 0.5, 11 + k);
      sounds::pluck(s, 0.8, 196, 0.3, 0.4);
      break;
    case trail::kEarthworm:
      for (int k = 0; k < 4; ++k) sounds::glide(s, 0.1 + k * 0.28, k % 2 ? 700 : 500, k % 2 ? 500 : 700, 0.26, 0.35);
      break;
    case trail::kFrog:
      for (double at : {0.0, 1.05})
        for (int k = 0; k < 2; ++k) sounds::pluck(s, at + k * 0.12, 150, 0.12, 0.6);
      sounds::glide(s, 0.35, 400, 900, 0.3, 0.4);
      sounds::hiss(s, 0.95, 0.25, 0.35, 5);
      break;
    case trail::kSnake: sounds::hiss(s, 0.15, 1.1, 0.35, 7); break;
    case trail::kFox:
      for (int k = 0; k < 2; ++k) sounds::glide(s, 0.3 + k * 0.35, 800, 1300, 0.16, 0.45);
      break;
    case trail::kWolf:
      sounds::glide(s, 0.2, 300, 620, 0.5, 0.45);
      sounds::glide(s, 0.68, 620, 420, 0.7, 0.45);
      break;
    case trail::kGoblin: s = sounds::tune({784, 988, 784, 1175, 0, 1568}, 0.13, 0.2, 0.4); break;
    default:
      for (int k = 0; k < 10; ++k) sounds::pluck(s, 0.1 + k * 0.11, k % 2 ? 1320 : 1180, 0.06, 0.3);
      break;
  }
  return s;
}

// Each animal's show: from its rest through its moment and back to rest.
void encounters(Pack& pack, const Surface& background) {
  constexpr int kFrames = 14;
  for (int who = 0; who < trail::kMeets; ++who) {
    const trail::Encounter& e = trail::kEncounters[who];
    if (overlap(e.box, trail::step_rect(e.step)) || e.box.y + e.box.h > 364)
      fail(std::string("the show ") + e.name + " covers its step or the bottom band");
    std::vector<Surface> frames;
    for (int f = 0; f < kFrames; ++f) {
      Moment m;
      m.meet[who] = f == kFrames - 1 ? 0 : f / double(kFrames - 1);
      frames.push_back(cut(trail::scene(m), e.box, background, e.name));
    }
    const std::string stem = std::string("\\HAD\\") + e.name;
    const auto run = run_of(0, kFrames - 1, 100);
    if (e.keyed) {
      pack.clip(stem + ".AVI", keyed_at_corner(frames));
      pack.keyed_script(stem + ".DAT", stem, e.box.x, e.box.y, e.box.w, e.box.h, 0, run);
    } else {
      pack.clip(stem + ".AVI", frames);
      pack.script(stem + ".DAT", stem, e.box.x, e.box.y, e.box.w, e.box.h, 0, run);
    }
    pack.sound(stem + ".WAV", encounter_sound(who));
  }
}

// The nest snake: OCI1 wakes it up before the introduction, OCI2 makes it
// raise its head and wink after it; both leave it awake on the scene, as
// OCI.AVI's one frame shows it afterwards.
void eyes(Pack& pack, const Surface& background) {
  const Rect box = trail::kNest;
  const auto at = [&](double eyes, double lift, bool wink, bool tongue) {
    Moment m;
    m.eyes = eyes, m.lift = lift, m.wink = wink, m.tongue = tongue;
    return cut(trail::scene(m), box, background, "the nest snake");
  };
  std::vector<Surface> wake;
  for (double e : {0.0, 0.0, 0.3, 0.6, 1.0, 1.0, 0.1, 1.0, 1.0}) wake.push_back(at(e, 0, false, false));
  pack.clip("\\HAD\\OCI1.AVI", wake);
  pack.script("\\HAD\\OCI1.DAT", "\\HAD\\OCI1", box.x, box.y, box.w, box.h, 8, run_of(0, 8, 130));
  std::vector<double> yawn;
  sounds::glide(yawn, 0.1, 260, 520, 0.5, 0.4);
  sounds::pluck(yawn, 0.75, 784, 0.3, 0.35);
  pack.sound("\\HAD\\OCI1.WAV", yawn);

  std::vector<Surface> wink;
  for (double l : {0.0, 0.35, 0.7, 1.0}) wink.push_back(at(1, l, false, l > 0.5));
  wink.push_back(at(1, 1, true, false));
  wink.push_back(at(1, 1, true, true));
  for (double l : {1.0, 0.6, 0.3, 0.0}) wink.push_back(at(1, l, false, l == 0.6));
  const int last = static_cast<int>(wink.size()) - 1;
  pack.clip("\\HAD\\OCI2.AVI", wink);
  std::vector<Step> run = run_of(0, last, 110);
  run[4].hold_ms = run[5].hold_ms = 260;
  pack.script("\\HAD\\OCI2.DAT", "\\HAD\\OCI2", box.x, box.y, box.w, box.h, last, run);
  std::vector<double> ding;
  sounds::glide(ding, 0.1, 500, 800, 0.3, 0.3);
  sounds::pluck(ding, 0.5, 1568, 0.4, 0.45);
  pack.sound("\\HAD\\OCI2.WAV", ding);
  pack.clip("\\HAD\\OCI.AVI", {at(1, 0, false, false)});
}

// Tapo at the end of the path: TAPO_HAD welcomes the little snake (its frame
// 4, Tapo at rest, is the picture the game leaves there afterwards) and
// TAPOREV is his cheer after the last talk.
void tapo_shows(Pack& pack, const Surface& background) {
  const Rect box{trail::kTapoX, trail::kTapoY, 150, 206};
  if (overlap(box, trail::step_rect(had::kSteps))) fail("Tapo's shows cover the last step");
  const auto tapo = [&](const TapoLook& look, bool stars, double t) {
    Moment m;
    m.tapo_look = look;
    return cut(painted(trail::scene(m),
                        [&](Canvas& c) {
                          if (!stars) return;
                          for (int k = 0; k < 4; ++k)
                            draw_star(c, box.x + 14 + (k % 2) * 110, box.y + 30 + k * 40, 6 + 4 * std::sin(t * 9 + k * 2),
                                      pf::rgb(255, 216, 60), t * 3 + k);
                        }),
               box, background, "Tapo's show");
  };
  constexpr int kFrames = 12;
  std::vector<Surface> welcome;
  std::vector<Step> run;
  for (int f = 0; f < kFrames; ++f) {
    const double t = f / double(kFrames - 1);
    const bool rest = f == 0 || f == kFrames - 1;
    welcome.push_back(rest ? tapo({}, false, 0) : tapo({TapoPose::Wave, t, f % 3 == 2 ? 3 : 1}, false, t));
  }
  // the rest at the end is frame 4, the waving moved up behind it
  welcome.insert(welcome.begin() + 4, welcome.back());
  welcome.pop_back();
  for (int f : {0, 1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 4}) run.push_back({f, 100});
  pack.clip("\\HAD\\TAPO_HAD.AVI", welcome);
  pack.script("\\HAD\\TAPO_HAD.DAT", "\\HAD\\TAPO_HAD", box.x, box.y, box.w, box.h, 0, run);
  pack.sound("\\HAD\\TAPO_HAD.WAV", sounds::tune({523, 659, 784, 659, 784, 1047}, 0.16, 0.3));

  std::vector<Surface> cheer;
  for (int f = 0; f < kFrames; ++f) {
    const double t = f / double(kFrames - 1);
    const bool rest = f == 0 || f == kFrames - 1;
    cheer.push_back(rest ? tapo({}, false, 0) : tapo({TapoPose::Cheer, t, 2 + f % 2 * 2}, true, t));
  }
  pack.clip("\\HAD\\TAPOREV.AVI", cheer);
  pack.script("\\HAD\\TAPOREV.DAT", "\\HAD\\TAPOREV", box.x, box.y, box.w, box.h, 0, run_of(0, kFrames - 1, 110));
  pack.sound("\\HAD\\TAPOREV.WAV", sounds::tune({523, 659, 784, 1047, 0, 784, 1047, 1319}, 0.13, 0.3));
}

void make_had(Pack& pack) {
  const Surface background = trail::scene();
  Moment no_tapo;
  no_tapo.tapo = false;
  const Surface stage = trail::scene(no_tapo);
  pack.bmp("\\HAD\\POZADI.BMP", background);
  game_controls(pack, had::kFrame, background);
  talking_head(pack, had::kFrame, had::kFrame.face, stage, trail::kTapoX, trail::kTapoY, {0, 1, 2, 3, 4}, true);
  talking_head(pack, had::kFrame, "TAPO_.AVI", stage, trail::kTapoX, trail::kTapoY, {0, 1, 2, 3, 4}, false);

  steps(pack, background);
  encounters(pack, background);
  eyes(pack, background);
  tapo_shows(pack, background);

  pack.speak("\\HAD\\INTRO");
  pack.say("\\HAD\\HELP");
  for (int n = 1; n <= 4; ++n) pack.speak("\\HAD\\FINALNI" + std::to_string(n));
}

}  // namespace
}  // namespace tapo::media

MKMEDIA_FOLDER("HAD", make_had)
