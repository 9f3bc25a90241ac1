// The players' meadow: where its things stand, shared by the screen and its
// media maker (the pictures are drawn at these places and sizes).
#pragma once

#include <array>

#include "platform/surface.h"

namespace tapo::players::meadow {

using platform::Rect;

// Piglet i (profile slot i): the click area over it, and its name box.
inline constexpr std::array<Rect, 6> kPigletAreas = {{{28, 192, 89, 57}, {132, 188, 89, 61}, {244, 176, 69, 93},
                                                      {32, 348, 89, 53}, {136, 400, 93, 61}, {260, 348, 73, 101}}};
inline constexpr std::array<Rect, 6> kNameBoxes = {{{20, 264, 105, 21}, {132, 272, 103, 21}, {224, 128, 101, 21},
                                                    {20, 411, 101, 21}, {136, 356, 93, 21}, {222, 311, 100, 21}}};

// The level coins: each one's picture ("M10.BMP", lit "M10_.BMP") and place,
// and the picture of the three together (MINCE.BMP, lit MINCE_.BMP).
struct LevelCoin {
  const char* name;
  Rect box;
};
inline constexpr std::array<LevelCoin, 3> kLevelCoins = {{
    {"M10", {90, 86, 42, 42}},
    {"M20", {132, 53, 53, 50}},
    {"M100", {185, 54, 52, 48}},
}};
inline constexpr Rect kCoinArea{91, 53, 146, 75};

// The crank (three cells of KLIKA.BMP side by side), the bell (ZVONEK.BMP),
// the puppet and the magic hat (KLOBOUK.BMP).
inline constexpr Rect kCrank{390, 231, 52, 52};
inline constexpr Rect kBell{416, 36, 33, 37};
inline constexpr Rect kPuppet{540, 100, 93, 93};
inline constexpr Rect kHat{400, 296, 64, 52};
// The grown-ups' book, small in the sky's corner.
inline constexpr Rect kBook{6, 6, 26, 30};

}  // namespace tapo::players::meadow
