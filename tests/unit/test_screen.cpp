// What every screen shares: what a screen alone held goes with it.
#include <gtest/gtest.h>

#include <memory>

#include "core/media.h"
#include "core/screen.h"
#include "platform/clip.h"
#include "tests/unit/test_support.h"
#include "tools/media_writers/avi_writer.h"

namespace tapo::testing {
namespace {

namespace pf = tapo::platform;

constexpr pf::Rgb kLeft = pf::rgb(200, 40, 40);

class TestScreen : public core::Screen {
 public:
  TestScreen() : Screen("test_screen", "W") {}
  void on_load() override { video = &add<pf::PictureBox>("video", pf::Rect{0, 0, 1, 1}); }
  pf::PictureBox* video = nullptr;
};
const bool registered = pf::Forms::register_factory("test_screen", [] {
  return std::static_pointer_cast<pf::Form>(std::make_shared<TestScreen>());
});

class Screens : public LoopTest {
 protected:
  void SetUp() override {
    LoopTest::SetUp();
    (void)registered;
    fs::create_directories(dir_ / "W");
    core::media_root = dir_.path().string();
  }
  TempDir dir_;
};

// The clip a screen showed stays open while the screen is up and goes with it.
TEST_F(Screens, TheClipKeptForAScreenGoesWithIt) {
  media::Palette palette{};
  palette[1] = kLeft;
  ASSERT_TRUE(media::write_rle8_avi(dir_ / "W/CLIP.AVI", {{8, 8, std::vector<std::uint8_t>(64, 1)}}, palette, 10));
  auto screen = std::static_pointer_cast<TestScreen>(forms().get("test_screen"));
  core::show_avi_frame({core::Root::Media, "\\W\\CLIP.AVI"}, *screen->video, 0);
  EXPECT_EQ(screen->video->image.at(0, 0), kLeft);
  std::weak_ptr<pf::Clip> kept = pf::Clip::open_kept(dir_ / "W/CLIP.AVI", nullptr, screen.get());
  core::show_avi_frame({core::Root::Media, "\\W\\CLIP.AVI"}, *screen->video, 0);
  EXPECT_FALSE(kept.expired()) << "shown again on its screen, the clip is the one kept";
  screen->unload();
  EXPECT_TRUE(kept.expired());
}

}  // namespace
}  // namespace tapo::testing
