// What every game screen has in the same places but each game places itself,
// and what the rest of the program knows of a game (its name, its toy on the
// games menu, what it pays): one row per game, written in the game's own
// layout header (games/<game>/layout.h), which its media maker includes too;
// games/games.h lists the rows.
#pragma once

#include <algorithm>

#include "platform/i18n.h"
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

// What a game pays: `coins` for each `run` of right answers in a row, where
// a right answer is the game's own unit (an example, a page, a race); a
// mistake on the way costs nothing, everything, or one coin each.
struct CoinRule {
  enum class Mistakes { CostNothing, CostAll, CostOneEach };
  int coins;
  int run = 1;
  Mistakes mistakes = Mistakes::CostNothing;

  // The coins due after `mistakes` mistakes.
  constexpr int due(int made) const {
    switch (mistakes) {
      case Mistakes::CostAll: return made > 0 ? 0 : coins;
      case Mistakes::CostOneEach: return std::max(0, coins - made);
      case Mistakes::CostNothing: break;
    }
    return coins;
  }
};

// A game's toy on the games menu's shelves: the show it plays, the menu
// folder's "<show>.DAT" (its clip "<show>.AVI"), inside `box`, which holds
// the whole toy through its show and is lit while the pointer is on it.
struct MenuToy {
  const char* show;
  platform::Rect box;
};

struct Game {
  GameLayout frame;   // frame.form is its screen's name
  const char* title;  // its name in the caption strip (English; translated where shown)
  MenuToy toy;
  CoinRule coins;
};
}  // namespace tapo::core
