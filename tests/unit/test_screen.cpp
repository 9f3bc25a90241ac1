// What every screen shares: a picture two screens wide read once into its
// box, and what a screen alone held going with it.
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

constexpr pf::Rgb kLeft = pf::rgb(200, 40, 40), kRight = pf::rgb(40, 40, 200);

class TestScreen : public core::Screen {
 public:
  TestScreen() : Screen("test_screen", "W") {}
  void on_load() override {
    wide = &load_wide_screen("pozadi");
    video = &add<pf::PictureBox>("video", pf::Rect{0, 0, 1, 1});
  }
  pf::PictureBox* wide = nullptr;
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

TEST_F(Screens, AWidePictureFillsItsBoxAndTheFormShowsItsLeftHalf) {
  pf::Surface wide(1280, 480, kLeft);
  wide.fill_rect({640, 0, 640, 480}, kRight);
  ASSERT_TRUE(wide.save_bmp(dir_ / "W/POZADI.BMP"));
  auto screen = std::static_pointer_cast<TestScreen>(forms().get("test_screen"));
  EXPECT_EQ(screen->wide->rect, (pf::Rect{0, 0, 1280, 480}));
  EXPECT_EQ(screen->wide->image.pixels(), wide.pixels());
  ASSERT_EQ(screen->picture.width(), 640);
  EXPECT_EQ(screen->picture.at(639, 479), kLeft);
  screen->unload();
}

TEST_F(Screens, WithoutItsPictureTheBoxIsBlackAndTheFileIsNamed) {
  TraceCapture trace;
  auto screen = std::static_pointer_cast<TestScreen>(forms().get("test_screen"));
  EXPECT_EQ(screen->wide->image.width(), 1280);
  EXPECT_EQ(screen->wide->image.at(1279, 0), 0u);
  bool named = false;
  for (const auto& l : trace.lines()) named = named || (l.event == "missing" && l.args == "HD:\\W\\POZADI.BMP");
  EXPECT_TRUE(named);
  screen->unload();
}

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
