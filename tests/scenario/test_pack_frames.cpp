// The demo pack's pictures of what every game screen shares, against the
// scene they stand in.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "core/game_layout.h"
#include "games/games.h"
#include "platform/surface.h"

namespace fs = std::filesystem;
namespace pf = tapo::platform;

// The footprints and the question mark stand where each game puts them with
// the size of their pictures: all of each picture lies inside the scene.
TEST(DemoPack, EveryGameFramesControlsLieWhollyInsideTheScene) {
  for (const auto* game : tapo::games::kGames) {
    const auto* frame = &game->frame;
    for (const auto& [file, at] : {std::pair{"STOPY_NO.BMP", frame->leave}, {"STOPY.BMP", frame->leave},
                                   {"OTAZ_NO.BMP", frame->help}, {"OTAZ.BMP", frame->help}}) {
      SCOPED_TRACE(std::string(frame->folder) + "/" + file);
      const auto pic = pf::Surface::load_bmp(fs::path(TAPO_DEMO_DIR) / "media" / frame->folder / file);
      ASSERT_TRUE(pic);
      EXPECT_TRUE((pf::Rect{0, 0, 640, 480}.contains(pf::Rect{at.x, at.y, pic->width(), pic->height()})))
          << at.x << "," << at.y << " " << pic->width() << "x" << pic->height();
      EXPECT_GE(pic->height(), 40) << "still large enough to find and click";
    }
  }
}
