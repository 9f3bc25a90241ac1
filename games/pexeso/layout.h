// The memory cards: where the common frame's controls stand.
#pragma once

#include "core/game_layout.h"

namespace tapo::games::pexeso {

inline constexpr core::GameLayout kFrame{"frm_pexeso", "PEXESO", {517, 0, 64, 84}, {587, 7, 58, 62}, "MLUVI.AVI", "video"};

}  // namespace tapo::games::pexeso
