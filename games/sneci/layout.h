// The snail race: where the common frame's controls stand.
#pragma once

#include "core/game_layout.h"

namespace tapo::games::sneci {

inline constexpr core::GameLayout kFrame{"frm_sneci", "HLEM", {3, 433, 64, 84}, {582, 428, 58, 62}, "MLUVI.AVI", "video"};

}  // namespace tapo::games::sneci
