// The target game's scene: where its controls and targets stand, and the
// media names the screen and its media maker share.
#pragma once

#include <array>

#include "core/game_layout.h"

namespace tapo::games::terc {

inline constexpr core::GameLayout kFrame{"frm_terc", "TERC", core::leave_at(7, 390), core::help_at(577, 383), "MLUVI.AVI", "video"};
// Its name, its toy on the games menu, and what it pays: a coin for an example
// right at the first try.
inline constexpr core::Game kGame{kFrame, platform::tr_later("Target"), {"PIRAT", {384, 150, 106, 148}}, {1, 1, core::CoinRule::Mistakes::CostAll}};

// The targets on the plank wall: the upper one (values 10..90, from level 3)
// and the lower one on its post (values 1..9).
inline constexpr platform::Rect kUpperTarget{449, 0, 191, 181};
inline constexpr platform::Rect kLowerTarget{449, 181, 191, 198};
inline constexpr int kTargetLooks = 4;  // TERCE\1_1 .. 1_4 and 2_1 .. 2_4

// The answer box and the buttons below the scene: digits 1-5 over 6-9 and 0,
// the rubber beside them and the tall check button at the end.
inline constexpr platform::Rect kAnswer{84, 392, 116, 76};
inline constexpr int kCheckButton = 10, kDeleteButton = 11;
inline constexpr std::array<platform::Rect, 12> kButtons = {{
    {404, 432, 44, 42},  // 0
    {212, 386, 44, 42},  {260, 386, 44, 42}, {308, 386, 44, 42}, {356, 386, 44, 42}, {404, 386, 44, 42},
    {212, 432, 44, 42},  {260, 432, 44, 42}, {308, 432, 44, 42}, {356, 432, 44, 42},
    {512, 386, 54, 88},  // check
    {456, 386, 52, 88},  // delete the last digit
}};

// Where the piggy bank opens for the coin of a right first try.
inline constexpr int kCoinX = 271, kCoinY = 410;

// The talking head of praise and hints (the introduction uses kFrame.face).
inline constexpr const char* kTalkFace = "MLUVI2.AVI";

}  // namespace tapo::games::terc
