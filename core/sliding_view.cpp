#include "core/sliding_view.h"

#include "core/flight.h"

namespace tapo::core {

std::optional<int> SlidingView::edge_target(int x, int left) {
  if (x >= kHalf - 1 && left == 0) return -kHalf;
  if (x <= 0 && left == -kHalf) return 0;
  return std::nullopt;
}

std::optional<int> SlidingView::key_target(const std::string& key, int left) {
  if (key == "Right" && left == 0) return -kHalf;
  if (key == "Left" && left == -kHalf) return 0;
  return std::nullopt;
}

bool SlidingView::follow_pointer(int x) {
  const auto target = edge_target(x, left());
  if (!target) return false;
  slide_to(*target);
  return true;
}

void SlidingView::slide_to(int target) {
  const bool was_enabled = box_.enabled;
  box_.enabled = false;
  struct Enable {
    platform::PictureBox& box;
    bool enabled;
    ~Enable() { box.enabled = enabled; }
  } enable{box_, was_enabled};
  std::vector<const platform::Control*> carried{&box_};
  carried.insert(carried.end(), riders_.begin(), riders_.end());
  move_at_pace(left(), target, kStepMs, [&](int x) {
    const int by = x - left();
    box_.rect.x = x;
    for (platform::Control* rider : riders_) rider->rect.x += by;
    platform::Forms::instance().scroll(box_.form().bounds, by, carried);
  });
}

}  // namespace tapo::core
