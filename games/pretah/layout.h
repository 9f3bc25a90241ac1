// The sausage tug: where the common frame's controls stand.
#pragma once

#include "core/game_layout.h"

namespace tapo::games::pretah {

inline constexpr core::GameLayout kFrame{"frm_pretah", "PRETAH", {21, 425, 64, 84}, {565, 419, 58, 62}, "MLUVI.AVI", "video"};

}  // namespace tapo::games::pretah
