// The player-selection screen, for now a plain screen whose bell leads to the
// closing picture.
#include "core/tapo_iii.h"
#include "platform/text.h"
#include "platform/ui.h"

namespace tapo::players {

namespace pf = tapo::platform;

class FrmHraci : public pf::Form {
 public:
  FrmHraci() : Form("frm_hraci") {}

  void on_load() override {
    core::clear_player();
    picture.fill(pf::rgb(250, 226, 180));
    pf::draw_text(picture, 40, 40, "Tapo - Numerino", {36, true, pf::rgb(120, 60, 20)});
    pf::draw_text(picture, 40, 100, "The players' room is being built.", {20, false, pf::rgb(90, 60, 40)});
    // The bell: a click ends the game through the closing picture.
    const pf::Rect bell{540, 360, 80, 100};
    picture.fill_rect(bell, pf::rgb(230, 180, 40));
    pf::draw_text(picture, bell.x + 14, bell.y + 38, "Bye!", {20, true, pf::rgb(80, 40, 0)});
    auto& zvonec = add<pf::Label>("zvonec", bell);
    zvonec.on_click = [this] { leave(); };
  }

 private:
  void leave() {
    core::closing = true;
    pf::Forms::instance().get("frm_inout")->show();
    unload();
  }
};

TAPO_REGISTER_FORM("frm_hraci", FrmHraci)

}  // namespace tapo::players
