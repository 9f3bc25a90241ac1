// TERC: the target game.  A beach with Tapo and his toy cannon on the left;
// on the plank wall to the right hang the targets: the lower one with rings
// worth 1 (outside) to 9 (the bull), the upper one, from level 3 on, with rings
// worth 10 to 90.  Each target picture has a file of hole positions per ring.
#include <array>
#include <cmath>
#include <map>
#include <set>

#include "games/terc/layout.h"
#include "tools/mkmedia/art_terc.h"
#include "tools/mkmedia/art_toys.h"
#include "tools/mkmedia/folders.h"
#include "tools/mkmedia/game_kit.h"

namespace tapo::media {
namespace {

namespace pf = tapo::platform;
namespace terc = tapo::games::terc;

// ---- the targets ---------------------------------------------------------------

constexpr Rect kUpper = terc::kUpperTarget, kLower = terc::kLowerTarget;  // the lower one stands on a post
constexpr double kCentreX = 95, kUpperCentreY = 90, kLowerCentreY = 92;
constexpr double kBull = 16, kRing = 9;  // the bull's radius and the width of each ring

// Ring k (1 = outside .. 9 = the bull): its inner and outer radius.
double inner(int k) { return k == 9 ? 0 : kBull + (8 - k) * kRing; }
double outer(int k) { return k == 9 ? kBull : kBull + (9 - k) * kRing; }

// Four looks for each target; ring colours from the outside in.  No ring is
// dark, so the black holes always show.
const std::array<std::array<Rgb, 9>, terc::kTargetLooks> kLooks = {{
    {pf::rgb(255, 255, 255), pf::rgb(232, 232, 236), pf::rgb(150, 200, 245), pf::rgb(100, 160, 235),
     pf::rgb(245, 150, 140), pf::rgb(232, 90, 80), pf::rgb(255, 236, 150), pf::rgb(250, 200, 80),
     pf::rgb(255, 220, 40)},
    {pf::rgb(200, 160, 240), pf::rgb(150, 160, 245), pf::rgb(120, 200, 245), pf::rgb(110, 215, 200),
     pf::rgb(130, 210, 120), pf::rgb(200, 230, 110), pf::rgb(255, 235, 110), pf::rgb(255, 180, 90),
     pf::rgb(245, 100, 90)},
    {pf::rgb(255, 255, 255), pf::rgb(240, 110, 110), pf::rgb(255, 255, 255), pf::rgb(240, 110, 110),
     pf::rgb(255, 255, 255), pf::rgb(240, 110, 110), pf::rgb(255, 255, 255), pf::rgb(240, 110, 110),
     pf::rgb(255, 214, 60)},
    {pf::rgb(255, 248, 220), pf::rgb(120, 200, 120), pf::rgb(255, 248, 220), pf::rgb(120, 200, 120),
     pf::rgb(255, 248, 220), pf::rgb(120, 200, 120), pf::rgb(255, 248, 220), pf::rgb(120, 200, 120),
     pf::rgb(245, 120, 80)},
}};

bool light(Rgb c) { return 0.3 * (c >> 16 & 255) + 0.59 * (c >> 8 & 255) + 0.11 * (c & 255) > 150; }

// One target picture: the wall behind it, the rings, and each ring's value
// written on it twice, in a column above and below the bull.
Surface target_picture(const Surface& wall, Rect where, double cy, int look, int unit) {
  return painted(crop(wall, where), [&](Canvas& c) {
    if (unit == 1) {  // the lower target stands on a post
      c.rounded_rect(kCentreX - 7, cy + 60, 14, kLower.h - cy - 60, 3);
      c.fill_outlined(pf::rgb(140, 90, 50));
    }
    c.ellipse(kCentreX + 3, cy + 4, outer(1) + 2, outer(1) + 2);
    c.fill(pf::rgb(110, 70, 40));  // a soft shadow on the wall
    for (int k = 1; k <= 9; ++k) {
      c.ellipse(kCentreX, cy, outer(k), outer(k));
      c.fill_outlined(kLooks[look][k - 1], kInk, k == 1 ? 3 : 1.2);
    }
    for (int k = 1; k <= 9; ++k) {
      const std::string label = std::to_string(k * unit);
      const Rgb ink = light(kLooks[look][k - 1]) ? kInk : pf::rgb(255, 255, 255);
      const double size = k == 9 ? 12.5 : 10.5;
      if (k == 9) {
        c.text(label, kCentreX, cy - 3, size, ink);
        continue;
      }
      const double r = (inner(k) + outer(k)) / 2;
      c.text(label, kCentreX, cy - r, size, ink);
      c.text(label, kCentreX, cy + r, size, ink);
    }
  });
}

struct Hole {
  int x, y;
  bool operator<(const Hole& o) const { return x != o.x ? x < o.x : y < o.y; }
};

// Hole centres for each ring, away from the column of written values,
// a few degrees apart from picture to picture and between the two targets.
std::map<int, std::vector<Hole>> holes(double cy, int look, int unit) {
  std::map<int, std::vector<Hole>> out;
  const double turn = (look * 4 + (unit == 10 ? 2 : 0)) * M_PI / 180;
  for (int k = 1; k <= 9; ++k) {
    std::vector<Hole>& ring = out[k * unit];
    if (k == 9) {  // the bull: a 9 (or 90) is hit at most once an example
      for (int a : {45, 90, 135}) {  // below the written value, so it stays readable
        const double rad = a * M_PI / 180 + turn;
        const int x = 2 * static_cast<int>(std::floor((kCentreX + 10 * std::cos(rad)) / 2)) + (unit == 10 ? 1 : 0);
        ring.push_back({x, static_cast<int>(std::lround(cy + 10 * std::sin(rad)))});
      }
      continue;
    }
    const double r = (inner(k) + outer(k)) / 2;
    for (int a : {0, 30, 55, 150, 180, 210, 235, 330}) {
      const double rad = a * M_PI / 180 + turn;
      // Even x on the lower target, odd x on the upper one: the two never share a place.
      const int x = 2 * static_cast<int>(std::floor((kCentreX + r * std::cos(rad)) / 2)) + (unit == 10 ? 1 : 0);
      ring.push_back({x, static_cast<int>(std::lround(cy + r * std::sin(rad)))});
    }
  }
  // Every hole lies well inside its own ring, and no two holes of a picture share a place.
  std::set<Hole> seen;
  for (const auto& [value, ring] : out) {
    const int k = value / unit;
    // Up to five shots an example may hit one ring (a 9 or a 90 only once).
    if (ring.size() < (k == 9 ? 1u : 5u)) fail("too few hole positions for a ring in the target game");
    for (const Hole& h : ring) {
      const double d = std::hypot(h.x - kCentreX, h.y - cy);
      if (d < inner(k) + 1.5 || d > outer(k) - 1.5) fail("a hole off its ring in the target game");
      if (!seen.insert(h).second) fail("two holes in one place in the target game");
    }
  }
  return out;
}

std::string positions_text(const std::map<int, std::vector<Hole>>& rings) {
  std::string s;
  for (const auto& [value, ring] : rings) {
    s += std::to_string(value) + "," + std::to_string(ring.size()) + "\r\n";
    for (const Hole& h : ring) s += std::to_string(h.x) + "," + std::to_string(h.y) + "\r\n";
  }
  return s;
}

// ---- Tapo's clips on the beach ---------------------------------------------------------

// An animation on the beach: `frames` pictures of the scene cut to `box`, then back at rest.
template <class Draw>
void beach_show(Pack& pack, const std::string& stem, Rect box, int frames, int hold, Draw&& draw,
                std::initializer_list<double> tune, double tone_s) {
  std::vector<Surface> pictures;
  for (int f = 0; f < frames; ++f) pictures.push_back(crop(draw(f / double(frames - 1)), box));
  pack.clip(stem + ".AVI", pictures);
  pack.tone(stem + ".WAV", tune, tone_s);
  pack.script(stem + ".DAT", stem, box.x, box.y, box.w, box.h, 0, run_of(0, frames - 1, hold));
}

void make_terc(Pack& pack) {
  const Surface sand = beach::sand();
  const Surface rest = beach::scene(sand);
  pack.bmp("\\TERC\\POZADI.BMP", rest);
  game_controls(pack, terc::kFrame, rest);

  for (int n = 1; n <= terc::kTargetLooks; ++n) {
    const std::string lower = "\\TERC\\TERCE\\1_" + std::to_string(n), upper = "\\TERC\\TERCE\\2_" + std::to_string(n);
    pack.bmp(lower + ".BMP", target_picture(rest, kLower, kLowerCentreY, n - 1, 1));
    pack.bmp(upper + ".BMP", target_picture(rest, kUpper, kUpperCentreY, n - 1, 10));
    const auto low = holes(kLowerCentreY, n - 1, 1);
    pack.text(lower + ".DAT", positions_text(low));
    pack.text(upper + ".DAT", positions_text(holes(kUpperCentreY, n - 1, 10)));
  }
  // A shot on one target never lands where a shot on the other could: the
  // game refuses the same place twice in one example, on either target.
  std::set<Hole> lower_all;
  for (int n = 0; n < terc::kTargetLooks; ++n)
    for (const auto& [v, ring] : holes(kLowerCentreY, n, 1)) lower_all.insert(ring.begin(), ring.end());
  for (int n = 0; n < terc::kTargetLooks; ++n)
    for (const auto& [v, ring] : holes(kUpperCentreY, n, 10))
      for (const Hole& h : ring)
        if (lower_all.count(h)) fail("a hole of the upper target where the lower target has one");

  const Surface stage = painted(sand, [](Canvas& c) { beach::draw_cannon(c); });
  talking_head(pack, terc::kFrame, terc::kFrame.face, stage, beach::kTapoX, beach::kTapoY, {0, 1, 2, 3, 4}, true);
  talking_head(pack, terc::kFrame, terc::kTalkFace, stage, beach::kTapoX, beach::kTapoY, {0, 2, 4, 1, 3}, false);

  // NE: after the second wrong answer Tapo wobbles, nearly topples, and stands again.
  beach_show(pack, "\\TERC\\NE", {160, 130, 270, 250}, 12, 80,
             [&](double t) { return beach::scene(sand, {TapoPose::Fall, 0.45 * std::sin(M_PI * t), t > 0.2 && t < 0.8 ? 2 : 0}); },
             {392, 370, 330}, 0.22);
  // JABKO: an apple on Tapo's head; a ball knocks it off, and Tapo cheers.
  beach_show(pack, "\\TERC\\JABKO", {150, 90, 299, 290}, 18, 80,
             [&](double t) {
               const double hit = 0.35;
               const TapoLook look = t < hit ? TapoLook{} : TapoLook{TapoPose::Cheer, (t - hit) / (1 - hit), 3};
               return beach::scene(sand, t > 0.95 ? TapoLook{} : look, 0, 0, [&](Canvas& c) {
                 const double ax0 = beach::kTapoX + 70, ay0 = beach::kTapoY + 8;
                 if (t < hit) {
                   const double u = t / hit;  // the ball comes in from the right
                   beach::draw_ball(c, 446 - (446 - ax0 - 14) * u, 130 + (ay0 - 130) * u);
                 }
                 const double fly = std::max(0.0, (t - hit) / (1 - hit));
                 if (fly < 0.9) {
                   const double ax = ax0 - 120 * fly, ay = ay0 - 140 * fly + 260 * fly * fly;
                   c.ellipse(ax, ay, 12, 11);
                   c.fill_outlined(pf::rgb(226, 40, 40));
                   c.line(ax, ay - 10, ax + 3, ay - 17, pf::rgb(110, 70, 40), 2.5);
                   c.ellipse(ax + 8, ay - 15, 6, 3);
                   c.fill_outlined(pf::rgb(90, 180, 70), kInk, 1.5);
                 }
                 if (t > hit && t < hit + 0.2) draw_star(c, ax0 + 10, ay0 - 8, 14, pf::rgb(255, 220, 60));
               });
             },
             {523, 659, 784, 1047}, 0.18);
  // HLAVA: a pirate hat drops onto Tapo's head; he gives a thumbs-up, stars twinkle.
  beach_show(pack, "\\TERC\\HLAVA", {150, 80, 200, 300}, 16, 90,
             [&](double t) {
               const bool end = t > 0.95;
               return beach::scene(sand, end ? TapoLook{} : TapoLook{TapoPose::ThumbsUp, t, t > 0.5 ? 1 : 0}, 0, 0,
                                   [&](Canvas& c) {
                                     if (end) return;
                                     const double drop = std::min(1.0, t / 0.4);
                                     draw_pirate_hat(c, beach::kTapoX + 70, 90 + (beach::kTapoY + 20 - 90) * ease(drop), 96,
                                                     0.3 * (1 - drop));
                                     if (t > 0.4)
                                       for (int k = 0; k < 3; ++k)
                                         draw_star(c, 180 + k * 60, 110 + (k % 2) * 30, 8 + 4 * std::sin(t * 12 + k),
                                                   pf::rgb(255, 220, 60), t * 3);
                                   });
             },
             {659, 784, 988, 784, 988}, 0.2);

  pack.speak("\\TERC\\INTRO");
  // HELP is a plain sound (the help control plays it without marks).
  pack.say("\\TERC\\HELP");
  for (int n = 1; n <= 3; ++n) {
    pack.speak("\\TERC\\SPRAVNE" + std::to_string(n));
    pack.speak("\\TERC\\SPATNE" + std::to_string(n));
  }
}

}  // namespace
}  // namespace tapo::media

MKMEDIA_FOLDER("TERC", tapo::media::make_terc)
