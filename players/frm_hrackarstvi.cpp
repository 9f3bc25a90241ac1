// The toy shop, two screens wide: every toy the player does not own yet
// stands on the shelves with its price tag; a click on a tag buys the toy
// when the coins are enough.  Tapo comes in and greets once per visit of the
// players' screen; the bell leads home through the town, the crank back to
// the players.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <utility>
#include <string>
#include <vector>

#include "core/animation.h"
#include "core/keying.h"
#include "core/listinput.h"
#include "core/media.h"
#include "core/screen.h"
#include "core/screens.h"
#include "core/sliding_view.h"
#include "core/tapo_iii.h"
#include "platform/loop.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "players/catalogue.h"
#include "players/record.h"
#include "players/shop_layout.h"

namespace tapo::players {

namespace pf = tapo::platform;
namespace screens = core::screens;
using core::MediaPath;
using core::Root;

namespace {

constexpr pf::Point kTagSize{36, 22};

// A price tag: a little card with the price on it.
class PriceTag : public pf::Label {
 public:
  using Label::Label;
  void draw(pf::Surface& scene, int ox, int oy) const override {
    const pf::Rect card{ox + rect.x, oy + rect.y, rect.w, rect.h};
    scene.fill_rect(card, pf::rgb(60, 40, 30));
    scene.fill_rect({card.x + 2, card.y + 2, card.w - 4, card.h - 4}, pf::rgb(255, 248, 214));
    Label::draw(scene, ox, oy);
  }
  bool opaque() const override { return true; }
};

// The player's piggy bank: a keyed picture that stays in its corner of the
// scene while the shop slides under it.
class ShopPiggyBank : public pf::Control {
 public:
  ShopPiggyBank(pf::Form& owner, pf::Surface sprite)
      : Control(owner, "prasatko", {shop::kPiglet.x, shop::kPiglet.y, sprite.width(), sprite.height()}),
        sprite_(std::move(sprite)),
        key_(core::key_colour(sprite_)) {}
  void draw(pf::Surface& scene, int ox, int oy) const override {
    const pf::Rect part = pf::intersection(scene.clip(), {ox + rect.x, oy + rect.y, rect.w, rect.h});
    for (int y = part.y; y < part.y + part.h; ++y)
      for (int x = part.x; x < part.x + part.w; ++x)
        if (const pf::Rgb c = sprite_.at(x - ox - rect.x, y - oy - rect.y); c != key_) scene.set(x, y, c);
  }

 private:
  pf::Surface sprite_;
  pf::Rgb key_;
};

class FrmHrackarstvi : public core::Screen {
 public:
  FrmHrackarstvi() : Screen(std::string(screens::kToyShop), "HRACKAR") {}

  void on_load() override {
    pozadi_ = &load_wide_screen("pozadi");
    pozadi_->on_mouse_move = [this](int x, int y) { pozadi_move(x + pozadi_->rect.x, y); };
    view_.emplace(*pozadi_);
    crank_strip_ = core::load_media_picture(file("KLIKA.BMP"));
    bell_strip_ = core::load_media_picture(file("ZVON.BMP"));
    if (!fill_shelves()) return;

    // The piggy bank and its balance stay in view on both halves.
    if (auto piglet = core::load_media_picture({Root::Media, "\\CUNICI\\XL\\" + core::player_id + ".BMP"}))
      add<ShopPiggyBank>(std::move(*piglet));
    balance_ = &add<pf::Label>("lbl_penize_v_pokladne", shop::kBalance);
    balance_->centred = true;
    show_balance();
    pf::add_controls(*this, kControls);
    zdroj_ = &control_as<pf::PictureBox>("zdroj");
    zdroj_->visible = false;
    help_ = control("tapo_help");
    control("cmd_domu")->on_mouse_move = [this](int, int) { hover("ZVONEK"); };
    control("cmd_pred_obchod")->on_mouse_move = [this](int, int) { hover("KLIKA"); };
    // The bell, the crank and Tapo stand on the shop's left half.
    for (const char* rider : {"cmd_domu", "cmd_pred_obchod", "tapo_help"}) view_->carry(*control(rider));
  }

  void on_activate() override {
    if (activated_ || broken_) return;
    activated_ = true;
    // Tapo comes into the shop and stays there.
    come_in({Root::Data, "\\TAPO.DAT"}, {Root::Data, "\\TAPO.AVI"}, 12);
    if (shown_count_ == 0) {
      help_->visible = false;
      come_in({Root::Data, "\\TAPO2.DAT"}, {Root::Data, "\\TAPO2.AVI"}, 7);
      say("PRAZDNY.DAT", "MLUVI2.AVI");
    } else if (!core::shop_greeting_done) {
      say("INTRO.DAT", "MLUVI.AVI");
      core::shop_greeting_done = true;  // not reached when the shop is left meanwhile
    }
  }

  void on_key(const std::string& key) override {
    if (const auto target = core::SlidingView::key_target(key, view_->left())) slide(*target);
  }

  void describe(pf::JsonObject& vars) const override {
    vars.add("leaving", leaving)
        .add("toy_count", static_cast<int>(places_.size()))
        .add("shown_count", shown_count_)
        .add("left", pozadi_ ? pozadi_->rect.x : 0)
        .add("player_coins", core::player_coins)
        .add("anim_cell", anim_cell_)
        .add("hover", hover_);
    pf::JsonObject tags;
    for (const auto* t : tags_) {
      pf::JsonObject one;
      one.add("name", t->tag).add("price", t->caption).add("visible", t->visible);
      one.add_raw("rect", pf::json_numbers({t->rect.x, t->rect.y, t->rect.w, t->rect.h}));
      tags.add(t->name(), one);
    }
    vars.add("tags", tags);
  }

 private:
  // The shelves: every toy not owned yet with its tag.  False (after the
  // message, on the way back to the players) when the catalogue is broken.
  bool fill_shelves() {
    core::MediaPath broken;
    auto stock = load_shop(broken);
    if (!stock) {
      broken_ = true;
      catalogue_broken(*this, broken);
      return false;
    }
    places_ = std::move(stock->places);
    for (const Offer& o : stock->offers) {
      const ShopPlace& p = places_[static_cast<size_t>(o.entry)];
      auto& tag = add<PriceTag>(pf::element_name("cenovka", ++shown_count_), pf::Rect{p.tag.x, p.tag.y, kTagSize.x, kTagSize.y});
      tag.caption = std::to_string(o.price);
      tag.tag = p.name;
      tag.centred = true;
      tag.fore_color = pf::rgb(60, 40, 30);
      tag.on_click = [this, &tag] { cenovka_click(tag); };
      view_->carry(tag);
      tags_.push_back(&tag);
      if (auto toy = core::load_media_picture(file("HRACKY\\" + p.name + ".BMP")))
        core::blit_transparent(pozadi_->image, p.toy.x, p.toy.y, toy->width(), toy->height(), *toy, 0, 0, core::key_colour(*toy));
    }
    if (shown_count_ == 0) crank_strip_ = core::load_media_picture(file("KLIKA2.BMP"));
    return true;
  }

  // The balance on the plaque, in smaller figures when it would not fit.
  void show_balance() {
    balance_->caption = std::to_string(core::player_coins);
    for (balance_->font_size = 18; balance_->font_size > 10; --balance_->font_size)
      if (pf::measure_text(balance_->caption, {balance_->font_size, false, 0}).w <= balance_->rect.w - 4) break;
    balance_->refresh();
  }

  // One of Tapo's clips in the mascot's box; its last picture stays on the shop.
  void come_in(const MediaPath& script, const MediaPath& clip, int rest) {
    core::play_animation(script, *zdroj_);
    core::show_avi_frame(clip, *zdroj_, rest);
    pozadi_->image.blit(zdroj_->image, zdroj_->rect.x - pozadi_->rect.x, zdroj_->rect.y);
    zdroj_->visible = false;
    pozadi_->refresh();
  }

  void say(const char* dat, const char* face) {
    core::say(file(dat), file(face), *zdroj_);
  }

  void interrupt_talk() { core::interrupt_talk(*zdroj_); }

  // ---- buying ----------------------------------------------------------------

  void cenovka_click(PriceTag& tag) {
    interrupt_talk();
    const bool left_half = !view_->right_half();
    const int price = core::clamped_int(core::val(tag.caption), 0, std::numeric_limits<int>::max());
    if (price > core::player_coins) {
      if (left_half)
        say("MALO.DAT", "MLUVI.AVI");
      else
        core::play_wav(file("MALO.WAV"));
      return;
    }
    const auto at = std::find_if(places_.begin(), places_.end(), [&](const ShopPlace& p) { return p.name == tag.tag; });
    if (at == places_.end()) return catalogue_broken(*this, {core::Root::Media, "\\HRACKAR\\POZICE.DAT"});
    if (left_half)
      core::play_animation_frames(file("KASA.DAT"), *zdroj_);
    else
      core::play_wav(file("KASA.WAV"));
    if (!buy_toy(static_cast<int>(at - places_.begin()), price)) return;
    record::toy_bought(at->name, price);
    show_balance();
    core::wait_for_sound_without_events();

    // The toy vanishes from its shelf.
    tag.visible = false;
    if (auto empty = core::load_media_picture(file("HRACKY_\\" + at->name + ".BMP"))) {
      core::play_wav(file("ZMIZENI.WAV"));
      pozadi_->image.blit(*empty, at->toy.x, at->toy.y);
      if (at->name == "auto") picture.blit(*empty, at->toy.x, at->toy.y);
      pozadi_->refresh();
      core::wait_for_sound_without_events();
    }
    if (std::any_of(tags_.begin(), tags_.end(), [](const PriceTag* t) { return t->visible; })) return;
    // The last toy is sold.
    if (left_half)
      say("POSLEDNI.DAT", "MLUVI.AVI");
    else
      core::play_wav(file("POSLEDNI.WAV"));
    help_->visible = false;
  }

  // ---- sliding and hovering ----------------------------------------------------

  void pozadi_move(int x, int /*y*/) {
    if (const auto target = core::SlidingView::edge_target(x, view_->left())) return slide(*target);
    if (hover_.empty()) return;
    casomira_.set_enabled(false);
    draw_cell(hover_, 0);
    hover_.clear();
  }

  void slide(int target) {
    interrupt_talk();
    zdroj_->visible = false;
    view_->slide_to(target);
    refresh();
  }

  void hover(const char* what) {
    if (hover_ == what) return;
    if (!hover_.empty()) draw_cell(hover_, 0);
    hover_ = what;
    anim_cell_ = 1;
    casomira_.set_enabled(true);
  }

  void hover_tick() {
    draw_cell(hover_, std::abs(anim_cell_));
    if (++anim_cell_ > 2) anim_cell_ = -2;
  }

  // Cell `cell` of the bell's or the crank's strip, drawn onto the shop.
  void draw_cell(const std::string& what, int cell) {
    const bool bell = what == "ZVONEK";
    const auto& strip = bell ? bell_strip_ : crank_strip_;
    if (!strip) return;
    const pf::Rect at = bell ? shop::kBell : shop::kCrank;
    const int w = strip->width() / 3;
    core::blit_transparent(pozadi_->image, at.x, at.y, w, strip->height(), *strip, w * cell, 0, core::key_colour(*strip));
    pozadi_->refresh();
  }

  // ---- leaving -----------------------------------------------------------------

  void cmd_domu_click() { leave_to(screens::kTown); }
  void cmd_pred_obchod_click() { leave_to(screens::kPlayers); }

  void leave_to(std::string_view screen) {
    core::silence();
    screens::show(screen);
    unload();
    leaving = true;
  }

  void tapo_help_click() {
    help_->enabled = false;
    say("HELP.DAT", "MLUVI.AVI");
    help_->enabled = true;
  }

  void zdroj_click() {
    if (!zdroj_->visible) return;
    interrupt_talk();
  }

  static const std::array<pf::ControlRow<FrmHrackarstvi>, 4> kControls;

  pf::PictureBox* pozadi_ = nullptr;
  pf::PictureBox* zdroj_ = nullptr;
  pf::Label* balance_ = nullptr;
  pf::Control* help_ = nullptr;
  std::optional<core::SlidingView> view_;
  std::vector<ShopPlace> places_;
  std::vector<PriceTag*> tags_;
  std::optional<pf::Surface> crank_strip_, bell_strip_;
  int shown_count_ = 0;
  int anim_cell_ = 0;
  std::string hover_;  // "ZVONEK", "KLIKA" or ""
  bool activated_ = false;
  bool broken_ = false;
  pf::FormTimer casomira_{*this, 150, [this] { hover_tick(); }};
};

const std::array<pf::ControlRow<FrmHrackarstvi>, 4> FrmHrackarstvi::kControls = {{
    {pf::Area, "cmd_domu", shop::kBell, &FrmHrackarstvi::cmd_domu_click},
    {pf::Area, "cmd_pred_obchod", shop::kCrank, &FrmHrackarstvi::cmd_pred_obchod_click},
    {pf::Area, "tapo_help", shop::kHelp, &FrmHrackarstvi::tapo_help_click},
    {pf::Picture, "zdroj", shop::kSource, &FrmHrackarstvi::zdroj_click},
}};

}  // namespace

TAPO_REGISTER_FORM(screens::kToyShop, FrmHrackarstvi)

}  // namespace tapo::players
