// The toy shop's interior (two screens wide), shared by the shop's folder and
// the data folder's clips of Tapo walking in: walls, the door with its bell,
// the crank, the till on its counter and the shelves, without the toys.
#pragma once

#include <vector>

#include "players/shop_layout.h"
#include "tools/mkmedia/art_util.h"

namespace tapo::media::shop_art {

inline constexpr int kWidth = 1280, kHeight = 480;

// Tapo at rest in his corner (his box's top left; drawn at kTapoScale).
inline constexpr double kTapoX = 40, kTapoY = 240, kTapoScale = 0.8;

// The till on its counter, beside Tapo's corner.
inline constexpr Rect kTill{178, 294, 76, 62};

// A shelf board: toys stand on `top`, their price tags hang on its front,
// which is kBoardFront pixels high.
struct Board {
  int x0, x1, top;
};
inline constexpr int kBoardFront = 24;
const std::vector<Board>& boards();  // left half first, each half top down

Surface interior();

// One cell of the bell's and the crank's strips (0 at rest, 1 and 2 swinging),
// drawn at their places in the shop.  Each stands on a round plate that
// covers its whole swing, so a cell drawn over another hides it.
void draw_bell(Canvas& c, int cell);
void draw_crank(Canvas& c, int cell, bool sold_out);
// The till; `open` 0..1 slides its drawer out.
void draw_till(Canvas& c, double open);

}  // namespace tapo::media::shop_art
