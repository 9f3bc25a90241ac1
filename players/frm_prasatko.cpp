// The piggy bank: the current player's own piglet, enlarged, standing on the
// game screen with the coin counter on its side.  Opened modally by the coin
// award; it counts the new coins in with a jingle and closes itself, and only
// then does the award add them to the balance.
//
// Pacing of one award of n coins (all waits process events):
//   1000 ms; n = 1: CINK1 and the counter + 1 at once;
//   2..5 coins: CINK5, each coin + 1 then 450 ms; more: CINK20, each + 1 then 100 ms;
//   400 ms; the sound is closed; 1100 ms; the window unloads itself.
#include "players/frm_prasatko.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "core/keying.h"
#include "core/listinput.h"
#include "core/media.h"
#include "core/screen.h"
#include "core/screens.h"
#include "core/tapo_iii.h"
#include "platform/loop.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "players/profiles.h"

namespace tapo::players {

namespace pf = tapo::platform;
using core::MediaPath;
using core::Root;

namespace {

constexpr int kWaitBeforeMs = 1000;
constexpr int kSlowCoinMs = 450;   // 2 to 5 coins
constexpr int kFastCoinMs = 100;   // more than 5 coins
constexpr int kSoundTailMs = 400;  // before the jingle is cut
constexpr int kWaitAfterMs = 1100;
constexpr int kSlowCountUpTo = 5;

// The window as designed: the plaque on the piglet's side that carries the
// counter, and the size it has when the piglet's picture cannot be read.
constexpr pf::Rect kCounterPlace{34, 14, 50, 24};
constexpr int kDesignWidth = 90, kDesignHeight = 70;
constexpr int kCounterFontPx = 18;  // 13.5 pt

// A number as the counter shows it: decimal digits, "-" when negative.
std::string decimal(double v) {
  char buf[64];
  if (std::isfinite(v) && std::fabs(v) < 1e15 && v == std::floor(v))
    std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(v));
  else
    std::snprintf(buf, sizeof buf, "%g", v);
  return buf;
}

// The counter: its text centred on the plaque, in a smaller size when a
// large balance would not fit.
class CounterLabel : public pf::Label {
 public:
  using pf::Label::Label;
  void draw(pf::Surface& scene, int ox, int oy) const override {
    if (caption.empty()) return;
    pf::TextStyle style{font_size, false, fore_color};
    pf::Rect size = pf::measure_text(caption, style);
    while (size.w > rect.w && style.size > 8) {
      --style.size;
      size = pf::measure_text(caption, style);
    }
    pf::draw_text(scene, ox + rect.x + (rect.w - size.w) / 2, oy + rect.y + (rect.h - size.h) / 2, caption,
                  style, {ox + rect.x, oy + rect.y, rect.w, rect.h});
  }
};

// A window of its own size over the game, not a scene: it takes nothing of
// the screens' common load, only their folder and `leaving`.
class FrmPrasatko : public core::Screen {
 public:
  FrmPrasatko() : Screen(std::string(core::screens::kPiggyBank), "CUNICI") {}

  // The number of coins to count in, as text.
  std::string tag;

  void on_load() override {
    caption = core::app_title();
    // The player's own piglet; the window takes its size.
    zdroj_ = &add<pf::PictureBox>("zdroj", pf::Rect{0, 0, kDesignWidth, kDesignHeight});
    zdroj_->visible = false;
    const MediaPath own = file("XL\\" + core::player_id + ".BMP");
    auto piglet = pf::Surface::load_bmp(core::real_path(own));
    if (!piglet || piglet->empty()) core::note_unreadable(own);
    if (piglet && !piglet->empty()) {
      zdroj_->image = std::move(*piglet);
      zdroj_->rect.w = zdroj_->image.width();
      zdroj_->rect.h = zdroj_->image.height();
    }
    bounds.w = zdroj_->rect.w;
    bounds.h = zdroj_->rect.h;
    has_piglet_ = piglet && !piglet->empty();

    cislice_ = &add<CounterLabel>("cislice", kCounterPlace);
    cislice_->font_size = kCounterFontPx;
    cislice_->caption = decimal(core::player_coins);  // the balance before the award
  }

  // Counts `count` coins in, standing at `at` of the active screen; returns
  // when the window has closed itself.
  void open(int count, pf::Point at) {
    tag = std::to_string(count);
    auto& forms = pf::Forms::instance();
    pf::Rect screen{0, 0, 640, 480};
    if (auto active = forms.active(); active && active.get() != this) screen = active->bounds;
    bounds.x = screen.x + at.x;
    bounds.y = screen.y + at.y;
    // What the game shows beneath the window, with the piglet over it.
    pf::Surface michacka(bounds.w, bounds.h);
    michacka.blit(forms.compose(), bounds.x, bounds.y, bounds.w, bounds.h, 0, 0);
    if (has_piglet_)
      core::compose_transparent(zdroj_->image, bounds.w, bounds.h, core::key_colour(zdroj_->image), michacka, michacka);
    picture = michacka;
    refresh();
    show_modal();
  }

  void on_activate() override {
    if (started_) return;
    started_ = true;
    auto keep = shared_from_this();  // the count unloads this window at its end
    auto& loop = pf::Loop::instance();
    const double n = core::val(tag);

    stage_ = "wait";
    loop.do_events();
    core::wait_ms(kWaitBeforeMs);

    stage_ = "count";
    if (n == 1) {
      core::play_wav({Root::Media, "\\UNI_SND\\CINK1.WAV"});
      add_one();
    } else if (n > 1) {
      const bool slow = n <= kSlowCountUpTo;
      core::play_wav({Root::Media, slow ? "\\UNI_SND\\CINK5.WAV" : "\\UNI_SND\\CINK20.WAV"});
      for (long long i = 1; i <= n; ++i) {
        add_one();
        loop.do_events();
        core::wait_ms(slow ? kSlowCoinMs : kFastCoinMs);
      }
    }

    stage_ = "close";
    core::wait_ms(kSoundTailMs);
    core::close_sound();
    core::wait_ms(kWaitAfterMs);
    stage_ = "done";
    leaving = true;
    unload();
  }

  void describe(pf::JsonObject& vars) const override {
    vars.add("tag", tag);
    vars.add("cislice", cislice_ ? cislice_->caption : std::string());
    vars.add("counted", counted_);
    vars.add("stage", stage_);
  }

 private:
  // The counter's caption goes up by one (it is display only).
  void add_one() {
    cislice_->caption = decimal(core::val(cislice_->caption) + 1);
    ++counted_;
    cislice_->refresh();
  }

  pf::PictureBox* zdroj_ = nullptr;
  bool has_piglet_ = false;
  CounterLabel* cislice_ = nullptr;
  bool started_ = false;
  int counted_ = 0;
  const char* stage_ = "loaded";
};

}  // namespace

TAPO_REGISTER_FORM(core::screens::kPiggyBank, FrmPrasatko)

void show_piggy_bank(int count, pf::Point at) {
  auto form = std::dynamic_pointer_cast<FrmPrasatko>(pf::Forms::instance().get(std::string(core::screens::kPiggyBank)));
  if (form) form->open(count, at);
}

void install_piggy_bank() { set_piggy_bank(show_piggy_bank); }

namespace {
const bool installed = (install_piggy_bank(), core::on_reset_shared_state(install_piggy_bank));
}  // namespace

}  // namespace tapo::players
