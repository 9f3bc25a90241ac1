// The dragon game: where the common frame's controls stand, and the places
// the screen and its media maker share.
#pragma once

#include "core/game_layout.h"

namespace tapo::games::drak {

inline constexpr core::GameLayout kFrame{"frm_drak", "DRAK", core::leave_at(3, 431), core::help_at(585, 426), "MLUVI.AVI", "video"};
// Its name, its toy on the games menu, and what it pays: a coin for every three
// right counts in a row.
inline constexpr core::Game kGame{kFrame, platform::tr_later("Dragon"), {"DRAK", {200, 78, 84, 96}}, {1, 3}};

// The bell that starts every example.
inline constexpr platform::Rect kBell{556, 16, 72, 92};
// Where the piggy bank opens.
inline constexpr platform::Point kCoins{0, 409};
inline constexpr int kFigures = 10;
// Figures 2 and 9 are mixed onto the scene frame by frame (each frame a whole
// picture of their place, keyed by its top-left pixel), without a rest clip;
// the others play as clips of their own.
constexpr bool mixed_by_frames(int figure) { return figure == 2 || figure == 9; }
// Every risen figure holds the same plain ball (no number: the count is what
// is asked): its middle in the last picture of a figure's rising clip, and
// its radius.
inline constexpr platform::Point kBallInClip{40, 90};
inline constexpr int kBallRadius = 15;

}  // namespace tapo::games::drak
