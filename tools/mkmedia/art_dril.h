// The drill workbook's desk: a classroom wall with a chalkboard, Tapo
// standing behind the desk, and the big open workbook lying on it with its
// ten ruled rows, the three buttons below.  Tapo stands behind the workbook,
// so every picture of him is the whole scene drawn again with his look.
#pragma once

#include <functional>

#include "games/dril/layout.h"
#include "tools/mkmedia/art_util.h"
#include "tools/mkmedia/cast.h"

namespace tapo::media::workbook {

// Tapo's box (scale 1): his head over the desk, left of the chalkboard; the
// head that talks (cast.h's kTapoHead) ends above the workbook's cover.
inline constexpr int kTapoX = 68, kTapoY = 20;
inline constexpr int kCoverTop = 132;

inline constexpr Rgb kPaper = platform::rgb(255, 252, 238), kRule = platform::rgb(105, 135, 200);
// The white boxes of the page: the screen's answer boxes and the sign boxes.
inline constexpr Rgb kBoxFill = platform::rgb(255, 255, 255), kBoxEdge = platform::rgb(120, 140, 190);

// The scene with Tapo in `look` (none when `tapo` is false) and whatever
// `extra` paints over everything.
Surface scene(bool tapo, const TapoLook& look = {}, const std::function<void(Canvas&)>& extra = {});

// Which button: 0 check, 1 new page, 2 change type; `lit` the hover look.
// Drawn into `c` with the button's rect at (x, y).
void draw_button(Canvas& c, int which, double x, double y, bool lit);

}  // namespace tapo::media::workbook
