// The snail race: where the common frame's controls stand, and the places
// the screen and its media maker share.
#pragma once

#include <array>

#include "core/game_layout.h"
#include "platform/text.h"

namespace tapo::games::sneci {

inline constexpr core::GameLayout kFrame{"frm_sneci", "HLEM", core::leave_at(3, 433), core::help_at(582, 428), "MLUVI.AVI", "video"};
// Its name, its toy on the games menu, and what it pays: 12 coins for a race
// won.
inline constexpr core::Game kGame{kFrame, platform::tr_later("Snail race"), {"F1", {196, 150, 120, 112}}, {12}};

inline constexpr int kSnails = 5;      // to choose from in the garage
inline constexpr int kOwnStages = 10;  // the child's snail's stages to the strawberry
inline constexpr int kRivalStages = 8;
inline constexpr int kRivalFrames = 11;  // frames 0..10 of each stage clip
inline constexpr int kCellsPerStep = 6;  // the child's snail's step pictures

// The hand that shows the next snail, the garage (its roof's tip at the top
// middle), its doorway where the snail waits, the start flag, and the
// strawberry at the top of the track.
inline constexpr platform::Point kHandAt{285, 322};
inline constexpr platform::Rect kGarage{228, 206, 134, 114};
inline constexpr platform::Rect kGarageSnail{268, 252, 77, 61}, kStart{8, 60, 69, 57};
inline constexpr platform::Rect kStrawberry{266, 88, 72, 108};

// The number buttons 0..10 painted on the background.
inline constexpr std::array<platform::Rect, 11> kNumbers{{{88, 428, 44, 45},
                                                          {132, 432, 40, 37},
                                                          {172, 432, 44, 37},
                                                          {216, 432, 44, 37},
                                                          {260, 432, 40, 37},
                                                          {300, 432, 44, 37},
                                                          {344, 432, 40, 37},
                                                          {384, 432, 44, 37},
                                                          {428, 432, 44, 37},
                                                          {472, 432, 40, 37},
                                                          {512, 428, 45, 45}}};

// The example's line: the sign and "=" stand still, the numbers and "?"
// take the places around them.
inline constexpr int kExampleTop = 356, kExampleHeight = 33, kNumberWidth = 57;
inline constexpr platform::Rect kSign{253, 356, 23, 33}, kEquals{333, 356, 22, 33};
inline constexpr std::array<int, 3> kNumberPlaces{196, 276, 355};
inline constexpr platform::TextStyle kExampleFont{32, true, platform::rgb(30, 40, 110)};

// Where the piggy bank opens after a win.
inline constexpr platform::Point kCoins{264, 329};

}  // namespace tapo::games::sneci
