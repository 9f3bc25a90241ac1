// The snake game: where the common frame's controls stand, and the places the
// screen and its media maker share.
#pragma once

#include <array>

#include "core/game_layout.h"
#include "platform/text.h"

namespace tapo::games::had {

inline constexpr core::GameLayout kFrame{"frm_had", "HAD", core::leave_at(8, 433), core::help_at(578, 431), "MLUVI.AVI", "video"};
// Its name, its toy on the games menu, and what it pays: 25 coins at the end of
// the chain.
inline constexpr core::Game kGame{kFrame, platform::tr_later("Snake"), {"HAD", {112, 90, 68, 214}}, {25}};

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
// Who is met at which step of the walk, reached with a right answer: the
// show's script, clip and sound (NAME.DAT, .AVI, .WAV in the game's folder),
// its box (between the path's rows, or in front of the wood), and whether it
// is mixed over the scene with the key colour.  The last is Tapo himself at
// the end of the walk.
struct Encounter {
  int step;
  const char* name;
  platform::Rect box;
  bool keyed;
};
inline constexpr std::array<Encounter, 10> kEncounters = {{
    {8, "HRIBY", {276, 271, 60, 49}, false},
    {10, "JEZEV", {340, 271, 62, 49}, false},
    {12, "ZIZAL", {404, 271, 52, 49}, true},
    {17, "ZABA", {564, 246, 72, 76}, false},
    {24, "HAD", {318, 181, 66, 49}, false},
    {30, "LISKA", {140, 181, 80, 49}, false},
    {36, "VLK", {52, 56, 100, 84}, true},
    {39, "SKRET", {224, 64, 58, 76}, false},
    {44, "VEVER", {380, 10, 64, 128}, false},
    {kSteps, "TAPO_HAD", {}, false},
}};
// Where the piggy bank opens after the finale.
inline constexpr platform::Point kCoins{273, 347};

}  // namespace tapo::games::had
