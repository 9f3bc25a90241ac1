// The snake game: where the common frame's controls stand, and the places the
// screen and its media maker share.
#pragma once

#include "core/game_layout.h"
#include "platform/text.h"

namespace tapo::games::had {

inline constexpr core::GameLayout kFrame{"frm_had", "HAD", core::leave_at(8, 433), core::help_at(578, 431), "MLUVI.AVI", "video"};

// The digits 0..9 painted in a row on the background, each under a 35 x 35
// click area; the check and erase buttons right of them.
inline constexpr platform::Rect digit_area(int d) { return {96 + 35 * d, 430, 35, 35}; }
inline constexpr platform::Rect kCheck{516, 416, 29, 29}, kErase{516, 448, 29, 29};

// The chain line: a strip the width of the scene, one line of the chain's
// font high, on which the examples are printed and scrolled.
inline constexpr int kChainTop = 370;
inline constexpr platform::TextStyle kChainFont{32, true, platform::rgb(30, 40, 110)};

// The walk: 47 steps, each a picture placed at its position from the position file.
inline constexpr int kSteps = 47;
// Where the piggy bank opens after the finale.
inline constexpr platform::Point kCoins{273, 347};

}  // namespace tapo::games::had
