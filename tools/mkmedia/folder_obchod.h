// The games menu's toys as the media maker draws them, for the checks of
// the menu's pictures.
#pragma once

#include "platform/surface.h"

namespace tapo::media {

// The toys with a show: the nine ways into the games and the jester puppet.
inline constexpr int kMenuToys = 10;

struct MenuToyReach {
  platform::Rect box;    // where its show plays
  platform::Rect reach;  // all it paints, at rest and through its show
};
MenuToyReach menu_toy_reach(int k);

}  // namespace tapo::media
