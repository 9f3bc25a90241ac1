// What every game screen has in the same places but each game places itself:
// one row per game, written in the game's own layout header
// (games/<game>/layout.h), which its media maker includes too.
#pragma once

#include <algorithm>

#include "platform/surface.h"

namespace tapo::core {

// The footprints' and the question mark's own size, and a control of that
// size standing at (x, y): drawn smaller, its shape kept, where it would
// otherwise pass the scene's edge (the places are the game's; the scene
// ends at 640 x 480).
inline constexpr int kLeaveWidth = 64, kLeaveHeight = 84, kHelpWidth = 58, kHelpHeight = 62;
constexpr platform::Rect within_scene(int x, int y, int w, int h) {
  const double room = std::min({1.0, (640.0 - x) / w, (480.0 - y) / h});
  return {x, y, static_cast<int>(w * room), static_cast<int>(h * room)};
}
constexpr platform::Rect leave_at(int x, int y) { return within_scene(x, y, kLeaveWidth, kLeaveHeight); }
constexpr platform::Rect help_at(int x, int y) { return within_scene(x, y, kHelpWidth, kHelpHeight); }

struct GameLayout {
  const char* form;    // "frm_terc"
  const char* folder;  // the game's media folder, "TERC"
  // The footprints back to the games menu and the help question mark; the
  // controls take the size of their pictures, these sizes are what the
  // pictures are drawn at.
  platform::Rect leave;
  platform::Rect help;
  const char* face;  // the talking-head clip of the introduction, in the folder
  const char* head;  // the picture box that is the talking head: "video" or "michacka"
};

}  // namespace tapo::core
