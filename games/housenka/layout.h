// The bubble caterpillar: where the common frame's controls stand, and the
// places the screen and its media maker share.
#pragma once

#include "core/game_layout.h"
#include "platform/text.h"

namespace tapo::games::housenka {

inline constexpr core::GameLayout kFrame{"frm_housenka", "BUBLIFUK", core::leave_at(521, 0), core::help_at(588, 12), "MLUVI.AVI", "michacka"};
// Its name, its toy on the games menu, and what it pays: five coins for a row
// of bubbles, one fewer for each wrong bubble.
inline constexpr core::Game kGame{kFrame, platform::tr_later("Bubble caterpillar"), {"MEDA", {244, 186, 132, 116}}, {5, 1, core::CoinRule::Mistakes::CostOneEach}};

// The bubbles float in the top-left part of the scene, whose clean copy
// wipes their trails; a row is blown 48 pixels apart along its bottom.
inline constexpr platform::Rect kSky{0, 0, 500, 350};
inline constexpr int kBubbleStep = 48, kRowTop = 280;
inline constexpr int kBubbles = 10;
// Where the piggy bank opens.
inline constexpr platform::Point kCoins{0, 409};
// The writing on a bubble, and on the caterpillar's segments.
inline constexpr platform::TextStyle kBubbleFont{16, true, platform::rgb(20, 30, 90)};
inline constexpr platform::TextStyle kSegmentFont{20, true, platform::rgb(20, 30, 90)};

}  // namespace tapo::games::housenka
