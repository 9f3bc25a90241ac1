// The child's room, two screens wide: every toy the player has bought stands
// at its place and plays its little show when clicked.  The footprints lead
// back to the players.  The room only looks: it writes nothing.
#include <string>
#include <vector>

#include "core/animation.h"
#include "core/keying.h"
#include "core/media.h"
#include "core/screen.h"
#include "core/screens.h"
#include "core/sliding_view.h"
#include "core/tapo_iii.h"
#include "platform/loop.h"
#include "platform/ui.h"
#include "players/catalogue.h"
#include "players/room_layout.h"

namespace tapo::players {

namespace pf = tapo::platform;
namespace screens = core::screens;
using core::Root;

class FrmPokoj : public core::Screen {
 public:
  FrmPokoj() : Screen(std::string(screens::kRoom), "POKOJ") {}

  void on_load() override {
    pozadi_ = &load_wide_screen("pozadi");
    pozadi_->on_mouse_move = [this](int x, int) { pozadi_move(x + pozadi_->rect.x); };
    view_.emplace(*pozadi_);
    if (!fill_room()) return;
    video_ = &add<pf::PictureBox>("video", pf::Rect{0, 0, 1, 1});
    video_->visible = false;
    exit_off_ = core::load_media_picture(file("STOPYOFF.BMP"));
    exit_on_ = core::load_media_picture(file("STOPY_ON.BMP"));
    cmd_zpet_ = &add<pf::PictureBox>("cmd_zpet", room::kExit);
    cmd_zpet_->on_click = [this] { cmd_zpet_click(); };
    cmd_zpet_->on_mouse_move = [this](int, int) { show_exit(true); };
    show_exit(false);
  }

  void on_key(const std::string& key) override {
    if (const auto target = core::SlidingView::key_target(key, view_->left())) slide(*target);
  }

  void describe(pf::JsonObject& vars) const override {
    vars.add("leaving", leaving).add("room_toy_count", static_cast<int>(room_.size())).add("left", pozadi_->rect.x);
    pf::JsonObject areas;
    for (const auto* a : areas_)
      areas.add_raw(a->tag, pf::json_numbers({a->rect.x, a->rect.y, a->rect.w, a->rect.h}));
    vars.add("toys", areas);
  }

 private:
  // Every owned toy at its place with its click area.  False (after the
  // message, on the way back to the players) when the catalogue is broken.
  bool fill_room() {
    core::MediaPath broken;
    auto stock = load_room(broken);
    if (!stock) {
      catalogue_broken(*this, broken);
      return false;
    }
    room_ = std::move(stock->places);
    for (int entry : stock->owned) {
      const RoomPlace& p = room_[static_cast<size_t>(entry)];
      if (auto toy = core::load_media_picture(file("HRACKY\\" + p.name + ".BMP")))
        core::blit_transparent(pozadi_->image, p.toy.x, p.toy.y, toy->width(), toy->height(), *toy, 0, 0, core::key_colour(*toy));
      auto& area = add<pf::Label>(pf::element_name("klik_anim", static_cast<int>(areas_.size()) + 1), p.area);
      area.tag = p.name;
      area.on_click = [this, &p] { klik_anim_click(p); };
      view_->carry(area);
      areas_.push_back(&area);
    }
    show_view();
    return true;
  }

  // The form underneath holds the same view as the room's picture box.
  void show_view() {
    picture.blit(pozadi_->image, -pozadi_->rect.x, 0, 640, 480, 0, 0);
    refresh();
  }

  // The toy's show over an empty place: its room picture is painted out of
  // the background first, and the show's last picture stays in the room.
  void klik_anim_click(const RoomPlace& toy) {
    pozadi_->visible = false;
    video_->visible = false;
    if (auto empty = core::load_media_picture(file("HRACKY_\\" + toy.name + ".BMP"))) {
      const int x = toy.toy.x < 631 ? toy.toy.x : toy.toy.x - 640;
      core::blit_keyed(picture, *empty, 0, 0, empty->width(), empty->height(), x, toy.toy.y, pf::rgb(255, 0, 255));
    }
    core::play_animation_keyed(file(toy.name + ".DAT"), *video_);
    // The show's last picture goes into the room itself (and the form, which
    // the next show plays over), and the show's box goes: left standing, it
    // would lie over this toy's click area and swallow every further click.
    picture.blit(video_->image, video_->rect.x, video_->rect.y);
    pozadi_->image.blit(video_->image, video_->rect.x - pozadi_->rect.x, video_->rect.y);
    video_->visible = false;
    pozadi_->visible = true;
  }

  void pozadi_move(int x) {
    if (const auto target = core::SlidingView::edge_target(x, view_->left())) return slide(*target);
    show_exit(false);
  }

  void slide(int target) {
    video_->visible = false;
    view_->slide_to(target);
    show_view();
  }

  void show_exit(bool on) {
    const auto& picture_file = on ? exit_on_ : exit_off_;
    if (cmd_zpet_->tag == (on ? "True" : "False")) return;
    cmd_zpet_->tag = on ? "True" : "False";
    if (picture_file) cmd_zpet_->image = *picture_file;
    cmd_zpet_->refresh();
  }

  void cmd_zpet_click() {
    core::silence();
    screens::show(screens::kPlayers);
    unload();
    leaving = true;
  }

  pf::PictureBox* pozadi_ = nullptr;
  pf::PictureBox* video_ = nullptr;
  pf::PictureBox* cmd_zpet_ = nullptr;
  std::optional<core::SlidingView> view_;
  std::vector<RoomPlace> room_;
  std::vector<pf::Label*> areas_;
  std::optional<pf::Surface> exit_off_, exit_on_;
};

TAPO_REGISTER_FORM(screens::kRoom, FrmPokoj)

}  // namespace tapo::players
