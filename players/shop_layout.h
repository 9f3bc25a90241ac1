// The toy shop's scene: where its controls stand on the left half of the
// 1280-pixel shop picture, shared by the screen and its media maker.
#pragma once

#include "platform/surface.h"

namespace tapo::players::shop {

// The bell above the door (back to the town) and the crank on the wall (back
// to the players): one cell of their three-cell strips, ZVON.BMP and KLIKA.BMP.
inline constexpr platform::Rect kBell{62, 6, 64, 64};
inline constexpr platform::Rect kCrank{186, 226, 56, 56};
// Tapo's corner: the box his walk-in and the talks play in (`zdroj`), and
// Tapo himself resting there, which is clicked for help.
inline constexpr platform::Rect kSource{0, 226, 180, 180};
inline constexpr platform::Rect kHelp{40, 240, 112, 160};
// The player's piggy bank in the bottom left corner of the scene, on both
// halves of the shop, and its coin balance on the plaque on its side (the
// piggy bank picture's plaque, clear of its head).
inline constexpr platform::Point kPiglet{77, 408};
inline constexpr platform::Rect kBalance{111, 422, 50, 24};

}  // namespace tapo::players::shop
