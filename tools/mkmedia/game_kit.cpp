#include "tools/mkmedia/game_kit.h"

#include <algorithm>

#include "tools/mkmedia/cast.h"

namespace tapo::media {

namespace {

namespace pf = tapo::platform;

const Rgb kLit = pf::rgb(255, 224, 90), kLitEdge = pf::rgb(200, 120, 30);

}  // namespace

Surface leave_picture(const Surface& bg, Rect at, bool lit) {
  const double sx = at.w / double(core::kLeaveWidth), sy = at.h / double(core::kLeaveHeight), s = std::min(sx, sy);
  return painted(crop(bg, at), [&](Canvas& c) {
    c.ellipse(at.w / 2.0, at.h / 2.0, at.w / 2.0 - 2, at.h / 2.0 - 2);
    c.fill_outlined(lit ? kLit : pf::rgb(255, 244, 214), lit ? kLitEdge : kInk, 3);
    const Rgb paw = lit ? pf::rgb(150, 70, 20) : pf::rgb(140, 96, 60);
    const double prints[4][3] = {{42, 66, -0.5}, {24, 52, -0.4}, {40, 34, -0.5}, {22, 18, -0.4}};
    for (const auto& p : prints) {
      cairo_save(c.cr());
      cairo_translate(c.cr(), p[0] * sx, p[1] * sy);
      cairo_rotate(c.cr(), p[2]);
      cairo_scale(c.cr(), s, s);
      c.ellipse(0, 3, 5.5, 4.5);
      c.fill(paw);
      for (int k = -1; k <= 1; ++k) {
        c.ellipse(k * 4.2, -3.5 - (k == 0 ? 1.2 : 0), 2, 2.4);
        c.fill(paw);
      }
      cairo_restore(c.cr());
    }
  });
}

namespace {

// A big question mark in a round bubble; lit: a yellow bubble.
Surface help_picture(const Surface& bg, Rect at, bool lit) {
  return painted(crop(bg, at), [&](Canvas& c) {
    const double cx = at.w / 2.0, cy = at.h / 2.0;
    c.ellipse(cx, cy, cx - 2, cy - 2);
    c.fill_outlined(lit ? kLit : pf::rgb(110, 170, 240), lit ? kLitEdge : kInk, 3);
    c.text("?", cx, cy, 40 * std::min(at.w / double(core::kHelpWidth), at.h / double(core::kHelpHeight)), lit ? pf::rgb(200, 60, 30) : pf::rgb(255, 255, 255),
           true);
  });
}

}  // namespace

void game_controls(Pack& pack, const core::GameLayout& frame, const Surface& background) {
  const std::string folder = std::string("\\") + frame.folder + "\\";
  pack.bmp(folder + "STOPY_NO.BMP", leave_picture(background, frame.leave, false));
  pack.bmp(folder + "STOPY.BMP", leave_picture(background, frame.leave, true));
  pack.bmp(folder + "OTAZ_NO.BMP", help_picture(background, frame.help, false));
  pack.bmp(folder + "OTAZ.BMP", help_picture(background, frame.help, true));
}

void talking_head(Pack& pack, const core::GameLayout& frame, const std::string& clip, const Surface& stage, int tapo_x,
                  int tapo_y, std::initializer_list<int> mouths, bool brows) {
  const Rect head{tapo_x + kTapoHead.x, tapo_y + kTapoHead.y, kTapoHead.w, kTapoHead.h};
  std::vector<Surface> frames;
  for (int m : mouths)
    frames.push_back(crop(painted(stage, [&](Canvas& c) { draw_tapo(c, tapo_x, tapo_y, {TapoPose::Stand, 0, m, brows && m > 0}); }),
                          head));
  const std::string stem = std::string("\\") + frame.folder + "\\" + clip.substr(0, clip.rfind('.'));
  pack.clip(stem + ".AVI", frames);
  pack.text(stem + ".DAT", "0\r\n" + std::to_string(head.x) + "\r\n" + std::to_string(head.y) + "\r\n");
}

void game_talks(Pack& pack, const core::GameLayout& frame) {
  const std::string folder = "\\" + std::string(frame.folder) + "\\";
  pack.speak(folder + "INTRO");
  pack.say(folder + "HELP");
  for (int n = 1; n <= 3; ++n) {
    pack.speak(folder + "SPRAVNE" + std::to_string(n));
    pack.speak(folder + "SPATNE" + std::to_string(n));
  }
}

std::vector<Surface> keyed_at_corner(std::vector<Surface> frames) {
  for (auto& f : frames) f.set(0, 0, kKey);
  return frames;
}

}  // namespace tapo::media
