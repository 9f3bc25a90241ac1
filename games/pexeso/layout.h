// The memory cards: where the common frame's controls stand, and the places
// the screen and its media maker share.
#pragma once

#include "core/game_layout.h"
#include "platform/text.h"

namespace tapo::games::pexeso {

inline constexpr core::GameLayout kFrame{"frm_pexeso", "PEXESO", core::leave_at(517, 0), core::help_at(587, 7), "MLUVI2.AVI", "video"};
// Its name, its toy on the games menu, and what it pays: five coins for the
// whole table, one fewer for each wrong pair.
inline constexpr core::Game kGame{kFrame, platform::tr_later("Memory cards"), {"PEXESO", {274, 80, 84, 96}}, {5, 1, core::CoinRule::Mistakes::CostOneEach}};

// Twenty cards in five columns and four rows: card k = 5 (row - 1) + column.
inline constexpr int kColumns = 5, kRows = 4, kCards = kColumns * kRows;
inline constexpr int kGridLeft = 4, kGridTop = 31, kPitch = 97;
inline constexpr platform::Rect card_place(int k) {  // k = 1..20
  return {kGridLeft + kPitch * ((k - 1) % kColumns), kGridTop + kPitch * ((k - 1) / kColumns), kPitch, kPitch};
}
// The writing on a card's face.
inline constexpr platform::TextStyle kCardFont{23, true, platform::rgb(20, 30, 90)};
// Where the piggy bank opens.
inline constexpr platform::Point kCoins{548, 409};

}  // namespace tapo::games::pexeso
