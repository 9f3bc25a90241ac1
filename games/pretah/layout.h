// The sausage tug: where the common frame's controls stand, and the places
// the screen and its media maker share.
#pragma once

#include <array>

#include "core/game_layout.h"
#include "platform/text.h"

namespace tapo::games::pretah {

inline constexpr core::GameLayout kFrame{"frm_pretah", "PRETAH", core::leave_at(21, 425), core::help_at(565, 419), "MLUVI1.AVI", "video"};
// Its name, its toy on the games menu, far enough from the right edge for its
// whole show to stay in the scene, and what it pays: 12 coins for a tug won.
inline constexpr core::Game kGame{kFrame, platform::tr_later("Sausage tug"), {"BULD", {548, 184, 86, 114}}, {12}};

// The example box: five cells of a fifth of its width (a, sign, b, "=" or
// sign, r), written in the example's font.
inline constexpr platform::Rect kExample{184, 143, 225, 69};
inline constexpr platform::TextStyle kExampleFont{32, true, platform::rgb(30, 40, 110)};

// The answer buttons "+", "-", ".", ":", "<", "=", ">" on the panel of the
// level and mode, drawn at kPanelAt.
inline constexpr platform::Point kPanelAt{94, 412};
inline constexpr std::array<platform::Rect, 7> kButtons{{{100, 416, 49, 49},
                                                         {164, 416, 49, 49},
                                                         {228, 416, 53, 49},
                                                         {296, 416, 49, 49},
                                                         {360, 416, 49, 49},
                                                         {424, 416, 49, 49},
                                                         {488, 416, 53, 49}}};
inline constexpr std::array<const char*, 7> kSigns{"+", "-", ".", ":", "<", "=", ">"};

// The sausage: its top edge, and its left edge in the middle and at either
// dog's win.  The other dog wins as soon as the sausage's end is in his
// front paws (it is 140 wide): it must not sit there before he wins.
inline constexpr int kSausageY = 304, kMiddle = 308, kTapoWins = 152, kOpponentWins = 364;
// Tapo pulling, and the opponent (whose box also shows the talks).
inline constexpr platform::Point kTapoAt{12, 234}, kOpponentAt{476, 218};
// Where the piggy bank opens after Tapo's win.
inline constexpr platform::Point kCoins{257, 142};

}  // namespace tapo::games::pretah
