// The player-selection screen, for now: Tapo greets the child, and the bell
// leads to the closing picture.  The piglets, coins and hat follow.
#include "core/animation.h"
#include "core/keying.h"
#include "core/media.h"
#include "core/tapo_iii.h"
#include "platform/ui.h"

namespace tapo::players {

namespace pf = tapo::platform;
using core::MediaPath;
using core::Root;

class FrmHraci : public pf::Form {
 public:
  FrmHraci() : Form("frm_hraci") {}

  void on_load() override {
    caption = "Tapo - Numerino";
    core::clear_player();
    if (auto room = pf::Surface::load_bmp(core::real_path(Root::Media, "\\CUNICI\\POZADI.BMP")))
      picture.blit(*room, 0, 0);
    else
      core::note_missing({Root::Media, "\\CUNICI\\POZADI.BMP"});
    // The hat on its stool, drawn with its key colour transparent.
    if (auto hat = pf::Surface::load_bmp(core::real_path(Root::Media, "\\CUNICI\\KLOBOUK.BMP")))
      core::blit_keyed(picture, *hat, 0, 0, hat->width(), hat->height(), 400, 296, core::key_colour(*hat));
    // The bell: cell 0 of its strip of four.
    const pf::Rect bell{416, 36, 33, 37};
    if (auto strip = pf::Surface::load_bmp(core::real_path(Root::Media, "\\CUNICI\\ZVONEK.BMP")))
      picture.blit(*strip, 0, 0, strip->width() / 4, strip->height(), bell.x, bell.y);
    zvonec_ = &add<pf::Label>("zvonec", bell);
    zvonec_->enabled = false;
    zvonec_->on_click = [this] { leave(); };
    video_ = &add<pf::PictureBox>("video", pf::Rect{0, 0, 1, 1});
    video_->visible = false;
    video_->on_click = [this] {
      core::talk_abort = true;
      core::close_sound();
      video_->visible = false;
      refresh();
    };
  }

  void on_activate() override {
    if (activated_) return;
    core::play_animation({Root::Media, "\\CUNICI\\GESTO.DAT"}, *video_);
    core::talk_abort = false;
    core::play_talking_clip({Root::Media, "\\CUNICI\\INTRO.DAT"}, {Root::Media, "\\CUNICI\\MLUVI.AVI"}, *video_);
    if (!loaded()) return;
    core::play_animation({Root::Media, "\\CUNICI\\GESTOREV.DAT"}, *video_);
    core::show_avi_frame({Root::Media, "\\CUNICI\\GESTO.AVI"}, *video_, 11);
    picture.blit(video_->image, video_->rect.x, video_->rect.y);  // Tapo keeps standing there
    video_->visible = false;
    activated_ = true;
    zvonec_->enabled = true;
    refresh();
  }

  void describe(pf::JsonObject& vars) const override { vars.add("activated", activated_); }

 private:
  void leave() {
    core::play_wav({Root::Media, "\\CUNICI\\ZVONECEK.WAV"});
    core::closing = true;
    pf::Forms::instance().get("frm_inout")->show();
    unload();
  }

  pf::Label* zvonec_ = nullptr;
  pf::PictureBox* video_ = nullptr;
  bool activated_ = false;
};

TAPO_REGISTER_FORM("frm_hraci", FrmHraci)

}  // namespace tapo::players
