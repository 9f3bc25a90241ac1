// The snail race's garden: two lanes climbing from their start lines beside
// the garage to the big strawberry, the garage whose door shows the chosen
// snail, the start flag, the example's strip and the number buttons along
// the bottom, a little group of fans for each snail and Tapo at the top
// right.  Everything that moves is drawn over the still garden, so a clip is
// the garden cut to its box with its moment painted in.
#pragma once

#include <vector>

#include "games/sneci/layout.h"
#include "tools/mkmedia/art_util.h"
#include "tools/mkmedia/cast.h"

namespace tapo::media::race {

// Tapo's box (scale 1) on the grass at the top right.
inline constexpr int kTapoX = 488, kTapoY = 8;
// The opponent; the child's snails are 1..kSnails.
inline constexpr int kRival = 0;
// The fans: the child's ladybugs on the left, the opponent's beetles on the right.
inline constexpr Rect kCheerBox{84, 84, 124, 78}, kFansBox{380, 80, 100, 76};
// The start signal's board, at the hand's place.
inline constexpr Rect kSignalBox{270, 320, 80, 32};

// A snail with the middle of its foot at (x, y).
struct Snail {
  int who = kRival;
  double x = 0, y = 0;
  double angle = 0;     // the slope of its foot (radians)
  bool left = false;    // facing left
  double stretch = 0;   // 0 gathered .. 1 head stretched forward (crawling)
  bool tucked = false;  // eyes drawn in (sliding down)
};

// The child's snail after k stages (0 at the start line, 10 at the
// strawberry), the opponent after s stages (0..8), each facing up its lane;
// the child's snail n in the garage's doorway, facing left.
Snail own_at(int n, int k);
Snail rival_at(int s);
Snail in_doorway(int n);
// A snail moved by (dx, dy), level, facing left or right: crawling along the
// bottom between the garage and the start lines.
Snail level(Snail s, double dx, double dy, bool left);

struct Moment {
  double door = 0;        // the garage door: 0 shut .. 1 rolled up
  int in_garage = 0;      // the snail behind the open door (0 none)
  double berry = 1;       // the strawberry: 1 whole .. 0 eaten
  double berry_size = 1;  // a new strawberry growing: 0 .. 1
  double cheer = 0;       // the ladybugs cheering: 0 (and 1) at rest
  double fans = 0;        // the beetles cheering
  std::vector<Snail> snails;  // in front of everything
};

// The garden without Tapo at moment `m`, cut to `box`.
Surface garden(const Moment& m, Rect box = {0, 0, 640, 480});
void draw_snail(Canvas& c, const Snail& s);
// The box round everything the snail paints, with a margin.
Rect extent(const Snail& s);
// A white glove pointing up with its finger tip at (x, y).
void draw_hand(Canvas& c, double x, double y);

}  // namespace tapo::media::race
