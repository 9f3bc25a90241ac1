// The drill workbook (its mixing surface is the mascot's head): where the common frame's controls stand.
#pragma once

#include "core/game_layout.h"

namespace tapo::games::dril {

inline constexpr core::GameLayout kFrame{"frm_dril", "DRIL", {4, 0, 64, 84}, {587, 8, 58, 62}, "MLUVI.AVI", "michacka"};

}  // namespace tapo::games::dril
