// The target game's boards: a round board of nine fields, a bull in the
// middle worth 9 (or 90) and eight wedges around it worth 1..8 (10..80), each
// wide enough for its number and for holes that lie clearly inside it.  The
// art, the hole positions and the pack's check all read this geometry.
#pragma once

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tapo::media::target_board {

struct Board {
  double cx, cy;      // the centre, in the target picture
  double bull;        // the bull's radius
  double outer;       // the board's radius
  double first_wedge;  // where the wedge worth 1 (or 10) starts, radians clockwise from the top
  int unit;           // 1 on the lower target, 10 on the upper one
};

inline constexpr double kWedge = std::numbers::pi / 4;

// Picture `look` (0, 1, 2, ...) of the lower (unit 1) or upper (unit 10)
// target; each picture turns its numbers round to another place.
inline Board board(int unit, int look) {
  const double cy = unit == 1 ? 92 : 90, outer = unit == 1 ? 89 : 87;
  return {95, cy, 27, outer, ((look * 3 + (unit == 1 ? 0 : 1)) % 8) * kWedge, unit};
}

// Clockwise angle from the top of the board, 0 .. 2 pi.
inline double angle_of(const Board& b, double x, double y) {
  const double a = std::atan2(x - b.cx, b.cy - y);
  return a < 0 ? a + 2 * std::numbers::pi : a;
}

// The wedge (0 = worth 1 .. 7 = worth 8) under a direction.
inline int wedge_at(const Board& b, double angle) {
  double turned = std::fmod(angle - b.first_wedge, 2 * std::numbers::pi);
  if (turned < 0) turned += 2 * std::numbers::pi;
  return std::min(7, static_cast<int>(turned / kWedge));
}

// The value of the field under (x, y); 0 off the board.
inline int value_at(const Board& b, double x, double y) {
  const double r = std::hypot(x - b.cx, y - b.cy);
  if (r >= b.outer) return 0;
  if (r < b.bull) return 9 * b.unit;
  return (wedge_at(b, angle_of(b, x, y)) + 1) * b.unit;
}

// How far (x, y) lies from the nearest border of its field: the board's
// edge, the bull's edge, a wedge's sides.
inline double border_distance(const Board& b, double x, double y) {
  const double r = std::hypot(x - b.cx, y - b.cy);
  double d = std::fabs(b.outer - r);
  d = std::min(d, std::fabs(r - b.bull));
  if (r >= b.bull) {
    const int k = wedge_at(b, angle_of(b, x, y));
    for (int side : {k, k + 1}) {
      // A side is the ray from the centre along its direction, from the bull out.
      const double a = b.first_wedge + side * kWedge;
      const double dx = std::sin(a), dy = -std::cos(a);
      const double along = (x - b.cx) * dx + (y - b.cy) * dy;
      const double across = std::fabs((x - b.cx) * dy - (y - b.cy) * dx);
      d = std::min(d, along > 0 ? across : r);
    }
  }
  return d;
}

}  // namespace tapo::media::target_board
