// The dragon game: where the common frame's controls stand.
#pragma once

#include "core/game_layout.h"

namespace tapo::games::drak {

inline constexpr core::GameLayout kFrame{"frm_drak", "DRAK", {3, 431, 64, 84}, {585, 426, 58, 62}, "MLUVI.AVI", "video"};

}  // namespace tapo::games::drak
