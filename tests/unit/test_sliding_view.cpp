// The two-screen view of the shop and the room on the virtual clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "core/flight.h"
#include "core/sliding_view.h"
#include "tests/unit/test_support.h"

namespace tapo::testing {
namespace {

class SlidingViewTest : public LoopTest {
 protected:
  void SetUp() override {
    LoopTest::SetUp();
    form_ = std::make_shared<platform::Form>("test_sliding");
    box_ = &form_->add<platform::PictureBox>("pozadi", platform::Rect{0, 0, 1280, 480});
  }
  std::shared_ptr<platform::Form> form_;
  platform::PictureBox* box_ = nullptr;
};

TEST_F(SlidingViewTest, ThePointerAtAnEdgeSlidesAPixelAStepWithTheBoxDisabledMeanwhile) {
  core::SlidingView view(*box_);
  EXPECT_FALSE(view.follow_pointer(638)) << "not yet at the right edge";
  EXPECT_FALSE(view.follow_pointer(0)) << "the left half shows already";
  bool disabled_midway = false;
  platform::Timer probe;
  probe.set_interval(1000);
  probe.on_timer = [&] { disabled_midway = !box_->enabled && view.left() < 0 && view.left() > -640; };
  probe.set_enabled(true);
  const platform::Ms t0 = loop().now();
  EXPECT_TRUE(view.follow_pointer(639));
  EXPECT_TRUE(view.right_half());
  EXPECT_GE(loop().now() - t0, 640 * core::SlidingView::kStepMs);
  EXPECT_TRUE(disabled_midway);
  EXPECT_TRUE(box_->enabled);
  EXPECT_FALSE(view.follow_pointer(639));
  EXPECT_TRUE(view.follow_pointer(0));
  EXPECT_EQ(view.left(), 0);
}

// A move keeps the pace of a pixel every 5 ms and ends exactly when the last
// pixel has had its time, but the thing is placed once a display frame,
// where the pace has brought it by then.
TEST_F(SlidingViewTest, AMoveKeepsItsPaceButPlacesOnceAFrame) {
  std::vector<std::pair<platform::Ms, int>> placed;
  const platform::Ms t0 = loop().now();
  core::move_at_pace(0, -640, core::SlidingView::kStepMs, [&](int x) { placed.emplace_back(loop().now() - t0, x); });
  EXPECT_EQ(loop().now() - t0, 640 * core::SlidingView::kStepMs);
  ASSERT_FALSE(placed.empty());
  EXPECT_EQ(placed.front(), (std::pair<platform::Ms, int>{0, -1})) << "the first pixel at once";
  EXPECT_EQ(placed.back().second, -640);
  EXPECT_LE(placed.size(), 3200u / 16 + 2) << "once a frame, not once a pixel";
  for (const auto& [at, x] : placed)
    EXPECT_EQ(-x, std::min<platform::Ms>(640, at / core::SlidingView::kStepMs + 1)) << "at " << at << " ms";
}

}  // namespace
}  // namespace tapo::testing
