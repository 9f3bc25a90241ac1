// The toy room's scene: its footprints exit, shared by the screen and its
// media maker (STOPYOFF.BMP / STOPY_ON.BMP are drawn at this size).  The room
// keeps this corner clear on both halves, so one picture suits both.
#pragma once

#include "platform/surface.h"

namespace tapo::players::room {

inline constexpr platform::Rect kExit{8, 392, 64, 84};

}  // namespace tapo::players::room
