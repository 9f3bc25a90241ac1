// The scales game: where the common frame's controls stand.
#pragma once

#include "core/game_layout.h"

namespace tapo::games::vahy {

inline constexpr core::GameLayout kFrame{"frm_vahy", "VAHY", {2, 436, 64, 84}, {589, 430, 58, 62}, "MLUVI.AVI", "video"};

}  // namespace tapo::games::vahy
