// The ride home: Tapo's little car crosses the town with its sound, then the
// toy room opens.  There is no way out during the ride.
#include <string>

#include "core/animation.h"
#include "core/screen.h"
#include "core/screens.h"
#include "platform/loop.h"
#include "platform/ui.h"

namespace tapo::navigation {

namespace pf = tapo::platform;
namespace screens = core::screens;

class FrmMestecko : public core::Screen {
 public:
  FrmMestecko() : Screen(std::string(screens::kTown), "MESTECKO") {}

  void on_load() override {
    load_screen();
    video_ = &add<pf::PictureBox>("video", pf::Rect{0, 0, 1, 1});
    video_->visible = false;
  }

  void on_activate() override {
    if (ridden_) return;
    ridden_ = true;
    pf::Loop::instance().do_events();
    core::play_ride(file("JIZDA.DAT"), *video_, file("JIZDA.POS"));
    pf::Loop::instance().do_events();
    // The ride goes before the room comes: its clip's pictures are let go
    // before the room, the largest screen, loads (nothing is drawn between).
    unload();
    leaving = true;
    screens::show(screens::kRoom);
  }

  void describe(pf::JsonObject& vars) const override { vars.add("leaving", leaving).add("ridden", ridden_); }

 private:
  pf::PictureBox* video_ = nullptr;
  bool ridden_ = false;
};

TAPO_REGISTER_FORM(screens::kTown, FrmMestecko)

}  // namespace tapo::navigation
