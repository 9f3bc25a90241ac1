// The bubble caterpillar (its mixing surface is the mascot's head): where the common frame's controls stand.
#pragma once

#include "core/game_layout.h"

namespace tapo::games::housenka {

inline constexpr core::GameLayout kFrame{"frm_housenka", "BUBLIFUK", {521, 0, 64, 84}, {588, 12, 58, 62}, "MLUVI.AVI", "michacka"};

}  // namespace tapo::games::housenka
