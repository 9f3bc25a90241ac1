// Small helpers shared by the hub and target-game folders: cutting pieces out
// of a scene, painting a drawing over a copy of it, and the outlined strokes
// the toys are made of.
#pragma once

#include <cmath>
#include <utility>
#include <vector>

#include "tools/mkmedia/canvas.h"
#include "tools/mkmedia/pack.h"

namespace tapo::media {

using platform::Rect;

// The w x h block of `s` at (r.x, r.y).
inline Surface crop(const Surface& s, Rect r) {
  Surface out(r.w, r.h);
  out.blit(s, r.x, r.y, r.w, r.h, 0, 0);
  return out;
}

// A copy of `base` with whatever `draw` paints on a canvas of the same size laid over it.
template <class Draw>
Surface painted(const Surface& base, Draw&& draw) {
  Surface out = base;
  Canvas c(base.width(), base.height());
  draw(c);
  c.over(out, 0, 0);
  return out;
}

// A thick line with a dark outline and round ends.
inline void inked_line(Canvas& c, double x0, double y0, double x1, double y1, double w, Rgb fill) {
  c.line(x0, y0, x1, y1, kInk, w + 5);
  c.line(x0, y0, x1, y1, fill, w);
}

// Steps showing frames first..last, each for `hold` ms.
inline std::vector<Step> run_of(int first, int last, int hold) {
  std::vector<Step> out;
  for (int k = first; first <= last ? k <= last : k >= last; k += first <= last ? 1 : -1) out.push_back({k, hold});
  return out;
}

inline double ease(double t) { return 0.5 - 0.5 * std::cos(M_PI * t); }

}  // namespace tapo::media
