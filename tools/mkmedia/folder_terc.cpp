// TERC: the target game.  A beach with Tapo and his toy cannon on the left;
// on the plank wall to the right hang the targets: the lower one with fields
// worth 1 to 9, the upper one, from level 3 on, with fields worth 10 to 90.
// Each target picture has a file of hole positions per field.
#include <array>
#include <cmath>
#include <map>

#include "games/terc/layout.h"
#include "games/terc/priklad.h"
#include "tools/mkmedia/art_terc.h"
#include "tools/mkmedia/art_kit.h"
#include "tools/mkmedia/folders.h"
#include "tools/mkmedia/game_kit.h"
#include "tools/mkmedia/target_board.h"

namespace tapo::media {
namespace {

namespace pf = tapo::platform;
namespace terc = tapo::games::terc;

// ---- the targets ---------------------------------------------------------------

namespace board = target_board;
constexpr Rect kUpper = terc::kUpperTarget, kLower = terc::kLowerTarget;  // the lower one stands on a post

// Four looks for each target: the eight wedges' colours, then the bull's.
// Every field is light, so the dark numbers and the black holes always show.
const std::array<std::array<Rgb, 9>, terc::kTargetLooks> kLooks = {{
    {pf::rgb(255, 244, 200), pf::rgb(170, 214, 250), pf::rgb(255, 244, 200), pf::rgb(170, 214, 250),
     pf::rgb(255, 244, 200), pf::rgb(170, 214, 250), pf::rgb(255, 244, 200), pf::rgb(170, 214, 250),
     pf::rgb(255, 206, 70)},
    {pf::rgb(255, 255, 255), pf::rgb(178, 234, 180), pf::rgb(255, 255, 255), pf::rgb(178, 234, 180),
     pf::rgb(255, 255, 255), pf::rgb(178, 234, 180), pf::rgb(255, 255, 255), pf::rgb(178, 234, 180),
     pf::rgb(255, 176, 120)},
    {pf::rgb(255, 190, 190), pf::rgb(255, 222, 170), pf::rgb(255, 245, 170), pf::rgb(205, 240, 170),
     pf::rgb(170, 235, 215), pf::rgb(175, 215, 250), pf::rgb(210, 200, 250), pf::rgb(245, 198, 235),
     pf::rgb(255, 255, 255)},
    {pf::rgb(255, 205, 220), pf::rgb(255, 240, 160), pf::rgb(255, 205, 220), pf::rgb(255, 240, 160),
     pf::rgb(255, 205, 220), pf::rgb(255, 240, 160), pf::rgb(255, 205, 220), pf::rgb(255, 240, 160),
     pf::rgb(160, 225, 245)},
}};

constexpr double kFont = 20;       // digits about 15 pixels high
constexpr double kLabelGap = 2;    // between a number and its field's border
constexpr double kHoleRadius = 5;  // as the game draws a hole
// A hole's centre keeps this far from its field's border (the border lines
// are 2 pixels wide: 3 clear pixels stay around the hole) and from the ink
// of its number (2 clear pixels).
constexpr double kHoleGap = kHoleRadius + 4, kNumberGap = kHoleRadius + 2.5;
constexpr double kHoleSpacing = 2 * kHoleRadius + 3.2;  // between two holes' centres: they never touch

// Where a field's number stands: its ink box.
struct Label {
  int value;
  double x, y, w, h;  // centre and size
};

// Points of the board: clockwise angle from the top, radius.
double px(const board::Board& b, double a, double r) { return b.cx + r * std::sin(a); }
double py(const board::Board& b, double a, double r) { return b.cy - r * std::cos(a); }

// The numbers: the bull's above its centre, each wedge's as near the bull as
// it fits with room around it, so the wide outer part is left for holes.
std::vector<Label> labels(Canvas& c, const board::Board& b) {
  std::vector<Label> out;
  for (int k = 0; k < 9; ++k) {
    const int value = (k + 1) * b.unit;
    const auto [w, h] = c.text_size(std::to_string(value), kFont);
    if (h < 14) fail("a number too small on a target");
    if (k == 8) {
      out.push_back({value, b.cx, b.cy - 7, w, h});
      continue;
    }
    const double mid = b.first_wedge + (k + 0.5) * board::kWedge;
    bool placed = false;
    for (double r = b.bull; r < b.outer && !placed; r += 0.5) {
      const double x = px(b, mid, r), y = py(b, mid, r);
      placed = true;
      for (double sx : {-1.0, 1.0})
        for (double sy : {-1.0, 1.0}) {
          const double cx = x + sx * (w / 2 + kLabelGap), cy = y + sy * (h / 2 + kLabelGap);
          placed = placed && board::value_at(b, cx, cy) == value && board::border_distance(b, cx, cy) >= 0.5;
        }
      if (placed) out.push_back({value, x, y, w, h});
    }
    if (!placed) fail("a number does not fit its field on a target");
  }
  return out;
}

// One target picture: the wall behind it, the board, the numbers.
Surface target_picture(const Surface& wall, Rect where, const board::Board& b, int look) {
  return painted(crop(wall, where), [&](Canvas& c) {
    cairo_t* cr = c.cr();
    if (b.unit == 1) {  // the lower target stands on a post
      c.rounded_rect(b.cx - 7, b.cy + 60, 14, kLower.h - b.cy - 60, 3);
      c.fill_outlined(pf::rgb(140, 90, 50));
    }
    c.ellipse(b.cx + 3, b.cy + 4, b.outer + 2, b.outer + 2);
    c.fill(pf::rgb(110, 70, 40));  // a soft shadow on the wall
    for (int k = 0; k < 8; ++k) {
      const double a0 = b.first_wedge + k * board::kWedge, a1 = a0 + board::kWedge;
      cairo_new_path(cr);
      cairo_arc(cr, b.cx, b.cy, b.outer, a0 - M_PI / 2, a1 - M_PI / 2);
      cairo_arc_negative(cr, b.cx, b.cy, b.bull, a1 - M_PI / 2, a0 - M_PI / 2);
      cairo_close_path(cr);
      c.fill(kLooks[look][k]);
    }
    for (int k = 0; k < 8; ++k) {
      const double a = b.first_wedge + k * board::kWedge;
      c.line(px(b, a, b.bull), py(b, a, b.bull), px(b, a, b.outer), py(b, a, b.outer), kInk, 2);
    }
    c.ellipse(b.cx, b.cy, b.bull, b.bull);
    c.fill_outlined(kLooks[look][8], kInk, 2);
    c.ellipse(b.cx, b.cy, b.outer, b.outer);
    c.stroke(kInk, 2);
    for (const Label& l : labels(c, b)) c.text(std::to_string(l.value), l.x, l.y, kFont, kInk);
  });
}

struct Hole {
  int x, y;
};

// Hole centres for each field, spread over it: clear of its borders and of
// its number, far enough apart that no two holes of one picture touch.  Even
// x on the lower target, odd x on the upper one: a place never serves both.
std::map<int, std::vector<Hole>> holes(const board::Board& b) {
  Canvas measure(1, 1);
  const auto marks = labels(measure, b);
  std::map<int, std::vector<Hole>> out;
  for (const Label& l : marks) {
    std::vector<Hole> room;
    for (int y = 0; y < 200; ++y)
      for (int x = b.unit == 1 ? 0 : 1; x < 200; x += 2) {
        const double off_x = std::max(0.0, std::fabs(x - l.x) - l.w / 2), off_y = std::max(0.0, std::fabs(y - l.y) - l.h / 2);
        if (board::value_at(b, x, y) == l.value && board::border_distance(b, x, y) >= kHoleGap &&
            std::hypot(off_x, off_y) >= kNumberGap)
          room.push_back({x, y});
      }
    // Packed from the board's edge inwards, where the field is widest.
    std::stable_sort(room.begin(), room.end(), [&](const Hole& p, const Hole& q) {
      return std::hypot(p.x - b.cx, p.y - b.cy) > std::hypot(q.x - b.cx, q.y - b.cy);
    });
    std::vector<Hole>& chosen = out[l.value];
    for (const Hole& h : room) {
      if (chosen.size() == 8) break;
      if (std::all_of(chosen.begin(), chosen.end(), [&](const Hole& o) { return std::hypot(h.x - o.x, h.y - o.y) >= kHoleSpacing; }))
        chosen.push_back(h);
    }
    if (chosen.size() < static_cast<size_t>(terc::most_hits(l.value))) fail("too few hole positions for a field of a target");
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
    const board::Board low = board::board(1, n - 1), high = board::board(10, n - 1);
    pack.bmp(lower + ".BMP", target_picture(rest, kLower, low, n - 1));
    pack.bmp(upper + ".BMP", target_picture(rest, kUpper, high, n - 1));
    pack.text(lower + ".DAT", positions_text(holes(low)));
    pack.text(upper + ".DAT", positions_text(holes(high)));
  }

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

  game_talks(pack, terc::kFrame);
}

}  // namespace
}  // namespace tapo::media

MKMEDIA_FOLDER("TERC", make_terc)
