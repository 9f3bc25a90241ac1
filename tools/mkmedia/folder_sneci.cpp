// HLEM: the snail race.  The garden with the two lanes up to the strawberry,
// the five snails (their step pictures, places, garage, crawl to the start
// and back, eating, sliding down), the opponent's stages, crawl to the start,
// eating and slide, the start signal, both groups of fans, a new strawberry,
// Tapo's talking head and his talks.
//
// Every clip that shows a piece of the garden is fitted into one palette
// together with the garden: the game stamps their last frames onto the scene
// and restores it from the background, so the two must match exactly.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "games/sneci/layout.h"
#include "tools/mkmedia/art_sneci.h"
#include "tools/mkmedia/art_sounds.h"
#include "tools/mkmedia/folders.h"
#include "tools/mkmedia/game_kit.h"
#include "tools/mkmedia/quantize.h"

namespace tapo::media {
namespace {

namespace pf = tapo::platform;
namespace sneci = tapo::games::sneci;
using race::Moment;
using race::Snail;

const std::string kDir = "\\HLEM\\";

std::string num(int n) { return std::to_string(n); }

// The clips of the garden, kept until all of them can share the palette.
class GardenClips {
 public:
  // `keyed`: for the players that mix frames with the top-left pixel's colour.
  void add(const std::string& stem, std::vector<Surface> frames, bool keyed = false) {
    clips_.push_back({stem, first_ + all_.size(), frames.size(), keyed});
    for (auto& f : frames) all_.push_back(std::move(f));
  }
  // A keyed picture that the game draws over the garden, in the same colours.
  void picture(const std::string& bmp, Surface s) {
    pictures_.push_back({bmp, first_ + all_.size(), 1, false});
    all_.push_back(std::move(s));
  }
  // Writes every clip and returns the garden in their palette.
  Surface write(Pack& pack, const Surface& garden) {
    std::vector<Surface> all{garden};
    for (auto& f : all_) all.push_back(std::move(f));
    const std::vector<Surface> mapped = in_one_palette(all);
    for (const Clip& c : clips_) {
      std::vector<Surface> frames(mapped.begin() + static_cast<long>(c.first), mapped.begin() + static_cast<long>(c.first + c.count));
      if (c.keyed)
        for (auto& f : frames) f.set(0, 0, kKey);
      pack.clip(c.stem + ".AVI", frames);
    }
    for (const Clip& p : pictures_) pack.bmp(p.stem, mapped[p.first]);
    return mapped[0];
  }

 private:
  struct Clip {
    std::string stem;
    size_t first, count;
    bool keyed;
  };
  static constexpr size_t first_ = 1;  // after the garden itself
  std::vector<Clip> clips_, pictures_;
  std::vector<Surface> all_;
};

// The box round the snails, gathered or stretched, and `also`.
Rect around(std::initializer_list<Snail> snails, Rect also = {}) {
  Rect out = also;
  for (const Snail& s : snails) {
    out = pf::bounding(out, race::extent(s));
    Snail stretched = s;
    stretched.stretch = 1;
    out = pf::bounding(out, race::extent(stretched));
  }
  return out;
}

Rect on_screen(Rect r) { return pf::intersection(r, {0, 0, 640, 480}); }

std::string place(int k, int x, int y) { return num(k) + ", " + num(x) + ", " + num(y) + "\r\n"; }

// ---- sounds ---------------------------------------------------------------------------

// Soft squelches of a crawl, `count` of them `step` seconds apart.
std::vector<double> crawl(int count, double step, double pitch, std::uint32_t seed) {
  std::vector<double> out;
  for (int k = 0; k < count; ++k) {
    sounds::glide(out, k * step, pitch * 1.3, pitch, step * 0.6, 0.3);
    sounds::hiss(out, k * step + step * 0.3, step * 0.3, 0.25, seed + static_cast<std::uint32_t>(k));
  }
  return out;
}

std::vector<double> munch(double seconds) {
  std::vector<double> out;
  for (int k = 0; k * 0.22 < seconds; ++k) {
    sounds::hiss(out, k * 0.22, 0.09, 0.5, 77u + static_cast<std::uint32_t>(k));
    sounds::pluck(out, k * 0.22, k % 2 ? 147 : 131, 0.1, 0.35);
  }
  return out;
}

std::vector<double> cheering(bool applause) {
  std::vector<double> out;
  std::uint32_t seed = applause ? 4242 : 777;
  for (int k = 0; k < 40; ++k) {
    seed = seed * 1664525u + 1013904223u;
    sounds::hiss(out, (seed >> 8) % 1800 / 1000.0, 0.05, 0.35, seed);
  }
  if (applause) sounds::pluck(out, 0.1, 784, 0.3, 0.3);
  for (int k = 0; k < 3; ++k) sounds::glide(out, 0.2 + k * 0.55, applause ? 700 : 500, applause ? 1100 : 800, 0.3, 0.25);
  return out;
}

// ---- the child's snails ---------------------------------------------------------------

// The six step pictures side by side: the snail crawls one stage across its
// cell, cell 0 at the stage's start, cell 5 where the next stage's cell 0 stands.
struct Cells {
  Rect first;  // stage 1's cell on the screen
  int dx, dy;  // one stage further
};

Cells cells() {
  const Snail a = race::own_at(1, 0), b = race::own_at(1, 1);
  Snail end = a;
  end.x = b.x, end.y = b.y;
  return {around({a, end}), static_cast<int>(b.x - a.x), static_cast<int>(b.y - a.y)};
}

// The snail as cell `f` (0..5) of the step shows it, on the screen.
Snail stepping(int n, int f) {
  Snail s = race::own_at(n, 0);
  const Snail next = race::own_at(n, 1);
  s.x += (next.x - s.x) * f / 5.0;
  s.y += (next.y - s.y) * f / 5.0;
  s.stretch = f % 5 ? std::sin(M_PI * f / 5.0) : 0;  // exactly gathered where stages meet
  return s;
}

// A snail drawn alone into `box` (screen coordinates), the key colour around it.
Surface alone(const Snail& s, Rect box) {
  Canvas c(box.w, box.h);
  cairo_translate(c.cr(), -box.x, -box.y);
  race::draw_snail(c, s);
  return c.keyed();
}

void own_snail(Pack& pack, GardenClips& clips, int n) {
  const std::string h = kDir + "POHYB\\H" + num(n) + "\\";
  const Cells cell = cells();
  const Rect r = cell.first;
  Surface strip(r.w * sneci::kCellsPerStep, r.h, kKey);
  for (int f = 0; f < sneci::kCellsPerStep; ++f) strip.blit(alone(stepping(n, f), r), f * r.w, 0);
  clips.picture(h + "H" + num(n) + ".BMP", strip);
  std::string places;
  for (int k = 1; k <= sneci::kOwnStages; ++k) places += place(k, r.x + (k - 1) * cell.dx, r.y + (k - 1) * cell.dy);
  pack.text(h + "POZICE.DAT", places);
  pack.sound(h + "H" + num(n) + ".WAV", crawl(2, 0.42, 150 + 20 * n, 10u * static_cast<std::uint32_t>(n)));

  // The garage: 0 shut, 1..3 rolling up, 4 open with the snail inside; 5..7
  // the snail out in front while the door comes down behind it.
  const Rect g = sneci::kGarageSnail;
  std::vector<Surface> garage;
  for (int f = 0; f <= 7; ++f) {
    Moment m;
    if (f <= 4) {
      m.door = f / 4.0;
      m.in_garage = f ? n : 0;
    } else {
      m.door = (7 - f) / 3.0;
      m.snails = {race::in_doorway(n)};
    }
    garage.push_back(race::garden(m, g));
  }
  clips.add(kDir + "G" + num(n), garage);
  pack.script(kDir + "G" + num(n) + ".DAT", kDir + "G" + num(n), g.x, g.y, g.w, g.h, 0, run_of(0, 4, 110));
  pack.script(kDir + "G" + num(n) + "Z.DAT", kDir + "G" + num(n), g.x, g.y, g.w, g.h, 0, run_of(4, 7, 110));
  std::vector<double> rattle;
  for (int k = 0; k < 8; ++k) sounds::hiss(rattle, k * 0.055, 0.05, 0.3, 90u + static_cast<std::uint32_t>(k));
  sounds::pluck(rattle, 0.44, 220, 0.15, 0.35);
  pack.sound(kDir + "G" + num(n) + ".WAV", rattle);

  // Out of the garage along the bottom to the start line (the last frame
  // turned up the lane stays on the scene), and back in.
  const Snail door = race::in_doorway(n), start = race::own_at(n, 0);
  const double run_x = start.x - door.x, run_y = start.y - door.y;
  const Rect way = around({door, race::level(start, 0, 0, true), start});
  std::vector<Surface> out, in;
  for (int f = 0; f <= 8; ++f) {
    Snail s = race::level(door, run_x * f / 8, run_y * f / 8, true);
    s.stretch = std::fabs(std::sin(M_PI * f / 2));
    out.push_back(race::garden({.snails = {s}}, way));
  }
  out.push_back(race::garden({.snails = {start}}, way));
  in.push_back(race::garden({.snails = {start}}, way));
  for (int f = 0; f <= 7; ++f) {
    Snail s = race::level(start, -run_x * f / 7, -run_y * f / 7, false);
    s.stretch = std::fabs(std::sin(M_PI * f / 2));
    in.push_back(race::garden({.snails = {s}}, way));
  }
  in.push_back(race::garden({}, way));
  const std::string there = kDir + "DOPLAZ\\H" + num(n) + "D", back = kDir + "DOSKLUZ\\H" + num(n);
  clips.add(there, out);
  clips.add(back, in);
  pack.script(there + ".DAT", there, way.x, way.y, way.w, way.h, 9, run_of(0, 9, 110));
  pack.script(back + ".DAT", back, way.x, way.y, way.w, way.h, 9, run_of(0, 9, 110));
  pack.sound(there + ".WAV", crawl(5, 0.22, 160 + 20 * n, 20u * static_cast<std::uint32_t>(n)));
  pack.sound(back + ".WAV", crawl(5, 0.22, 160 + 20 * n, 30u * static_cast<std::uint32_t>(n)));

  // Sliding back down: the snail with its eyes drawn in, at each stage's end
  // and half way to the one before, down to the start line.
  Snail slide = start;
  slide.tucked = true;
  clips.picture(kDir + "SKLUZ\\H" + num(n) + ".BMP", alone(slide, r));
  std::string lines;
  for (int k = sneci::kOwnStages; k >= 1; --k) {
    lines += place(k, r.x + k * cell.dx, r.y + k * cell.dy);
    lines += place(k, r.x + k * cell.dx - cell.dx / 2, r.y + k * cell.dy - cell.dy / 2);
  }
  lines += place(1, r.x, r.y);
  pack.text(kDir + "SKLUZ\\H" + num(n) + ".DAT", lines);
}

// ---- the opponent ----------------------------------------------------------------------

Snail rival_crawling(int s, int f) {
  Snail a = race::rival_at(s - 1);
  const Snail b = race::rival_at(s);
  a.x += (b.x - a.x) * f / 10.0;
  a.y += (b.y - a.y) * f / 10.0;
  a.stretch = f % 5 ? std::fabs(std::sin(M_PI * f / 5.0)) : 0;
  return a;
}

void rival(Pack& pack, GardenClips& clips) {
  const std::string dir = kDir + "POHYB\\SOUPER\\";
  std::string path;
  for (int s = 1; s <= sneci::kRivalStages; ++s) {
    const Rect box = around({race::rival_at(s - 1), race::rival_at(s)});
    std::vector<Surface> frames;
    for (int f = 0; f < sneci::kRivalFrames; ++f) frames.push_back(race::garden({.snails = {rival_crawling(s, f)}}, box));
    clips.add(dir + "S" + num(s), frames);
    path += num(box.x) + ", " + num(box.y) + "\r\n";
  }
  pack.text(dir + "DRAHA.DAT", path);

  // In from the right edge to the start line: frame 21 turned up the lane.
  const Snail start = race::rival_at(0);
  const Rect way = on_screen(around({race::level(start, 80, 0, true), start}));
  std::vector<Surface> in;
  for (int f = 0; f <= 20; ++f) {
    Snail s = race::level(start, 80 * (1 - f / 20.0), 0, true);
    s.stretch = std::fabs(std::sin(M_PI * f / 4));
    in.push_back(race::garden({.snails = {s}}, way));
  }
  in.push_back(race::garden({.snails = {start}}, way));
  const std::string there = kDir + "DOPLAZ\\SOUPER";
  clips.add(there, in);
  pack.script(there + ".DAT", there, way.x, way.y, way.w, way.h, 0, run_of(0, 21, 70));
  pack.sound(there + ".WAV", crawl(7, 0.21, 120, 500));

  const Rect picture = around({start});
  Snail slide = start;
  slide.tucked = true;
  clips.picture(kDir + "SKLUZ\\SOUPER.BMP", alone(slide, picture));
  const int ox = static_cast<int>(start.x) - picture.x, oy = static_cast<int>(start.y) - picture.y;
  std::string lines;
  for (int s = sneci::kRivalStages; s >= 1; --s) {
    const Snail at = race::rival_at(s), before = race::rival_at(s - 1);
    for (int third = 0; third < 3; ++third) {
      const double x = at.x + (before.x - at.x) * third / 3, y = at.y + (before.y - at.y) * third / 3;
      lines += place(s, static_cast<int>(std::lround(x)) - ox, static_cast<int>(std::lround(y)) - oy);
    }
  }
  lines += place(1, picture.x, picture.y);
  pack.text(kDir + "SKLUZ\\SOUPER.DAT", lines);
}

// ---- the end of a race ---------------------------------------------------------------------

// Eating the strawberry: each eater takes bites from its own `start` frame on.
std::vector<Surface> eating(const std::vector<std::pair<Snail, int>>& eaters, Rect box) {
  std::vector<Surface> frames;
  constexpr int kFrames = 8;
  for (int f = 0; f < kFrames; ++f) {
    Moment m;
    m.berry = 1 - std::min(1.0, std::max(0, f - 1) / 5.0);
    for (auto [s, from] : eaters) {
      s.stretch = f >= from && f < kFrames - 1 ? (f % 2 ? 0.7 : 0.1) : 0;
      m.snails.push_back(s);
    }
    frames.push_back(race::garden(m, box));
  }
  return frames;
}

void eat(Pack& pack, GardenClips& clips, const std::string& name, const std::vector<std::pair<Snail, int>>& eaters,
         bool mixed) {
  Rect box = sneci::kStrawberry;
  for (const auto& [s, from] : eaters) box = pf::bounding(box, around({s}));
  const std::string stem = kDir + "ZEROU\\" + name;
  clips.add(stem, eating(eaters, box), mixed);
  if (mixed) pack.keyed_script(stem + ".DAT", stem, box.x, box.y, box.w, box.h, 1, run_of(0, 7, 180));
  else pack.script(stem + ".DAT", stem, box.x, box.y, box.w, box.h, 7, run_of(0, 7, 180));
  pack.sound(stem + ".WAV", munch(1.4));
}

void race_end(Pack& pack, GardenClips& clips) {
  const Snail rival_there = race::rival_at(sneci::kRivalStages);
  eat(pack, clips, "SOUPER", {{rival_there, 1}}, true);
  for (int n = 1; n <= sneci::kSnails; ++n) {
    const Snail own_there = race::own_at(n, sneci::kOwnStages);
    eat(pack, clips, "Z" + num(n), {{own_there, 1}}, true);
    eat(pack, clips, num(n) + "S", {{own_there, 1}, {rival_there, 3}}, false);
    eat(pack, clips, "S" + num(n), {{rival_there, 1}, {own_there, 3}}, false);
  }

  // The fans jump and cheer twice over, then sit down again.
  std::vector<Step> twice = run_of(0, 6, 120);
  for (const Step& s : run_of(1, 7, 120)) twice.push_back(s);
  for (auto [name, box, ladybugs] : {std::tuple{"TLESK", race::kCheerBox, true}, {"FAN", race::kFansBox, false}}) {
    std::vector<Surface> frames;
    for (int f = 0; f <= 7; ++f) {
      Moment m;
      (ladybugs ? m.cheer : m.fans) = f / 7.0;
      frames.push_back(race::garden(m, box));
    }
    clips.add(kDir + name, frames);
    pack.script(kDir + name + ".DAT", kDir + name, box.x, box.y, box.w, box.h, 0, twice);
    pack.sound(kDir + name + ".WAV", cheering(ladybugs));
    pack.caption(kDir + name + ".WAV", "sound-cheering");
  }

  // A new strawberry grows from the ground; its last frame stays.
  const Rect b = sneci::kStrawberry;
  std::vector<Surface> grow;
  for (int f = 0; f <= 7; ++f) {
    Moment m;
    m.berry_size = ease(f / 7.0);
    grow.push_back(race::garden(m, b));
  }
  clips.add(kDir + "JAHODA", grow);
  pack.script(kDir + "JAHODA.DAT", kDir + "JAHODA", b.x, b.y, b.w, b.h, 7, run_of(0, 7, 110));
  pack.sound(kDir + "JAHODA.WAV", sounds::tune({523, 659, 784, 1047, 1319}, 0.14, 0.3, 0.4));

  std::vector<double> whistle;
  sounds::glide(whistle, 0, 1600, 300, 1.4, 0.5);
  pack.sound(kDir + "SKLUZ\\SJEZD.WAV", whistle);
}

// START: a board counting 3, 2, 1 and GO!
void start_signal(Pack& pack, GardenClips& clips) {
  const Rect box = race::kSignalBox;
  std::vector<Surface> frames;
  const char* texts[4] = {"3", "2", "1", "GO!"};
  const Rgb lights[4] = {pf::rgb(230, 60, 50), pf::rgb(240, 150, 40), pf::rgb(250, 210, 40), pf::rgb(60, 180, 80)};
  for (int f = 0; f < 4; ++f)
    frames.push_back(painted(race::garden({}, box), [&](Canvas& c) {
      c.rounded_rect(2, 1, box.w - 4, box.h - 2, 8);
      c.fill_outlined(lights[f], kInk, 2.5);
      c.text(texts[f], box.w / 2.0, box.h / 2.0, 24, pf::rgb(255, 255, 255), true);
    }));
  clips.add(kDir + "START", frames);
  pack.script(kDir + "START.DAT", kDir + "START", box.x, box.y, box.w, box.h, 0, {{0, 600}, {1, 600}, {2, 600}, {3, 800}});
  pack.sound(kDir + "START.WAV", sounds::tune({440, 0, 0, 440, 0, 0, 440, 0, 0, 880}, 0.2, 0.25, 0.45));
}

void make_hlem(Pack& pack) {
  GardenClips clips;
  for (int n = 1; n <= sneci::kSnails; ++n) own_snail(pack, clips, n);
  rival(pack, clips);
  race_end(pack, clips);
  start_signal(pack, clips);
  const Surface stage = clips.write(pack, race::garden({}));
  const Surface background = painted(stage, [](Canvas& c) { draw_tapo(c, race::kTapoX, race::kTapoY, {}); });
  pack.bmp(kDir + "POZADI.BMP", background);
  pack.bmp(kDir + "JAHODA.BMP", crop(stage, sneci::kStrawberry));
  const Rect hand{sneci::kHandAt.x, sneci::kHandAt.y, 50, 40};
  pack.bmp(kDir + "RUKA.BMP", painted(crop(background, hand), [](Canvas& c) { race::draw_hand(c, 25, 2); }));
  game_controls(pack, sneci::kFrame, background);
  talking_head(pack, sneci::kFrame, sneci::kFrame.face, stage, race::kTapoX, race::kTapoY, {0, 1, 2, 3, 4}, true);

  pack.speak(kDir + "INTRO");
  pack.say(kDir + "HELP");
  for (int n = 1; n <= 3; ++n) {
    pack.speak(kDir + "VYHRAL" + num(n));
    pack.speak(kDir + "PROHRAL" + num(n));
  }
}

}  // namespace
}  // namespace tapo::media

MKMEDIA_FOLDER("HLEM", make_hlem)
