// The games menu's scene: the box each toy's show plays in, which holds the
// whole toy through its show, shared by the screen (it lights the toy under
// the pointer there) and its media maker (it draws the toy inside it).
#pragma once

#include "platform/surface.h"

namespace tapo::navigation::menu {

inline constexpr platform::Rect kSnake{112, 90, 68, 214};
inline constexpr platform::Rect kDragon{200, 78, 84, 96};
inline constexpr platform::Rect kCards{274, 80, 84, 96};
inline constexpr platform::Rect kCar{196, 150, 120, 112};
inline constexpr platform::Rect kTeddy{244, 186, 132, 116};
inline constexpr platform::Rect kPlane{394, 72, 128, 108};
inline constexpr platform::Rect kPirate{384, 150, 106, 148};
// The scales and the bulldog stand far enough from the right edge for all
// of them (and the bulldog's barks) to be in the scene.
inline constexpr platform::Rect kScales{540, 86, 88, 106};
inline constexpr platform::Rect kBulldog{548, 184, 86, 114};
inline constexpr platform::Rect kPuppet{30, 72, 98, 132};

}  // namespace tapo::navigation::menu
