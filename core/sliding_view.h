// A picture two screens wide (the toy shop, the toy room) in a picture box
// of which one half shows: the box's left is 0 (left half) or -640 (right
// half).  The pointer against the scene's right edge slides the view to the
// right half, against the left edge back; one pixel every 5 ms with events
// going on, the box disabled meanwhile.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace tapo::core {

class SlidingView {
 public:
  static constexpr int kHalf = 640;
  static constexpr int kStepMs = 5;

  explicit SlidingView(platform::PictureBox& box) : box_(box) {}

  int left() const { return box_.rect.x; }
  bool right_half() const { return left() == -kHalf; }

  // Where a pointer at scene column x sends a view whose left is `left`:
  // -640 from the left half at the right edge, 0 from the right half at the
  // left edge, otherwise nowhere.
  static std::optional<int> edge_target(int x, int left);
  // Where the arrow key `key` sends it: Right to the right half, Left back.
  static std::optional<int> key_target(const std::string& key, int left);

  // Slides when the pointer at scene column x is at an edge; true when it slid.
  bool follow_pointer(int x);
  // Slides the view to `left` (0 or -640), a pixel per step.
  void slide_to(int left);

  // A control standing on the picture (a price tag, a toy's click area):
  // it moves with the view.
  void carry(platform::Control& rider) { riders_.push_back(&rider); }

 private:
  platform::PictureBox& box_;
  std::vector<platform::Control*> riders_;
};

}  // namespace tapo::core
