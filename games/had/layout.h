// The snake game: where the common frame's controls stand.
#pragma once

#include "core/game_layout.h"

namespace tapo::games::had {

inline constexpr core::GameLayout kFrame{"frm_had", "HAD", {8, 433, 64, 84}, {578, 431, 58, 62}, "MLUVI.AVI", "video"};

}  // namespace tapo::games::had
