// The games menu's scene: the box the jester puppet's show plays in, shared
// by the screen and its media maker.  The games' toys stand where each game's
// row says (games/<game>/layout.h).
#pragma once

#include "platform/surface.h"

namespace tapo::navigation::menu {

inline constexpr platform::Rect kPuppet{30, 72, 98, 132};

}  // namespace tapo::navigation::menu
