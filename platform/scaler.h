// Where the 640 x 480 scene stands in a window of any size, and the scaling
// that draws it there: the scene as large as the window allows with its
// aspect ratio kept, centred, sharp (nearest neighbour, each window pixel
// taking the scene pixel under its centre).  The same placement and pixels
// as SDL's renderer with a logical size, so both presentation paths show the
// same picture and map the mouse the same way.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/surface.h"

namespace tapo::platform {

class Scaler {
 public:
  // Places the scene in a window of w x h pixels.
  void resize(int w, int h);
  int window_width() const { return win_w_; }
  int window_height() const { return win_h_; }
  // The window rectangle the scene covers.
  Rect viewport() const { return view_; }

  // The scene point under window point (x, y); outside the scene near the
  // borders, as SDL reports it.
  Point to_scene(int x, int y) const;
  // The window pixels that show the scene rectangle r.
  Rect to_window(Rect r) const;

  // Draws the scene rectangle r into a 32-bit window picture (0x00RRGGBB
  // pixels, `pitch` bytes a row) and returns the window rectangle it drew.
  Rect draw(const Surface& scene, Rect r, std::uint32_t* pixels, int pitch) const;

  // How far the window shows a scene shifted `dx` pixels sideways: whole
  // window pixels, so that shifts summed up stay where the scene is.
  int window_offset(int dx) const;
  // Shifts what the window shows of the scene rectangle r `window_dx`
  // window pixels sideways, draws what that leaves empty from `scene`, and
  // returns the window rectangle of r.
  Rect shift(const Surface& scene, Rect r, int window_dx, std::uint32_t* pixels, int pitch) const;

 private:
  int win_w_ = 0, win_h_ = 0;
  float scale_ = 1;
  Rect view_;
  std::vector<int> src_col_, src_row_;      // scene column / row of each viewport column / row
  std::vector<int> first_col_, first_row_;  // first viewport column / row showing scene column / row i
};

}  // namespace tapo::platform
