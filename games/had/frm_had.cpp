// The snake game: a chain of examples along the bottom, each result the first
// number of the next.  Every right answer takes the walk a step along the
// 47 footprints to Tapo, every wrong one a step back; at some steps someone
// is met on the way, and at the end Tapo pays 25 coins and a new chain starts.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "core/animation.h"
#include "core/listinput.h"
#include "core/media.h"
#include "core/random.h"
#include "core/screens.h"
#include "core/tapo_iii.h"
#include "games/common/areas.h"
#include "games/common/game_screen.h"
#include "games/had/layout.h"
#include "games/had/retez.h"
#include "platform/loop.h"
#include "platform/text.h"
#include "platform/ui.h"

namespace tapo::games::had {

namespace pf = tapo::platform;
using core::MediaPath;
using core::Root;

namespace {

constexpr std::size_t kMostPositions = 50;
constexpr std::size_t kMostDigits = 3;
constexpr int kBlinkMs = 500;
constexpr int kScrollStep = 2, kScrollMs = 25;

// Who is met at which step; the keyed ones are mixed onto the scene.
struct Encounter {
  int step;
  const char* script;
  bool keyed;
};
constexpr std::array<Encounter, 10> kEncounters{{{8, "HRIBY", false},
                                                 {10, "JEZEV", false},
                                                 {12, "ZIZAL", true},
                                                 {17, "ZABA", false},
                                                 {24, "HAD", false},
                                                 {30, "LISKA", false},
                                                 {36, "VLK", true},
                                                 {39, "SKRET", false},
                                                 {44, "VEVER", false},
                                                 {47, "TAPO_HAD", false}}};

}  // namespace

class FrmHad : public GameScreen {
 public:
  FrmHad() : GameScreen(kFrame) {}

 private:
  void load_game() override {
    const MediaPath positions = file("STOPY\\POZICE.DAT");
    const auto text = core::read_text_file(core::real_path(positions));
    auto read = text ? read_positions(*text, 3, kSteps, kMostPositions) : std::nullopt;
    if (!read) return file_broken(positions);
    positions_ = std::move(*read);

    std::array<pf::Rect, 10> digits;
    for (int d = 0; d < 10; ++d) digits[static_cast<std::size_t>(d)] = digit_area(d);
    klikaci_cislo_ = pf::add_control_array<pf::Label>(*this, "klikaci_cislo", digits, &FrmHad::digit);
    ok_button_ = &add<pf::Label>("ok_button", kCheck);
    back_button_ = &add<pf::Label>("back_button", kErase);
    ok_button_->on_click = [this] { check(); };
    back_button_->on_click = [this] { erase(); };
    set_buttons(false);

    stopa_ = &add<pf::PictureBox>("stopa", pf::Rect{0, 0, 1, 1});
    stopa_->visible = false;
    ticker_ = &add<pf::PictureBox>("viditelny_ticker",
                                   pf::Rect{0, kChainTop, bounds.w, pf::measure_text("999", kChainFont).h});
    ticker_->visible = false;
  }

  // Before Tapo explains, the snake opens its eyes.
  void introduce() override {
    core::play_animation(file("OCI1.DAT"), head());
    GameScreen::introduce();
  }

  void open_game() override {
    core::play_animation(file("OCI2.DAT"), head());
    core::show_avi_frame(file("OCI.AVI"), head(), 0);
    keep_in_scene(head());
    head().visible = false;
    pocatecni_cislo();
    set_buttons(true);
  }

  void describe_game(pf::JsonObject& vars) const override {
    vars.add("first_number", retez_.first_number)
        .add("second_number", retez_.second_number)
        .add("result", retez_.result)
        .add("operation", retez_.operation)
        .add("plain_streak", retez_.plain_streak)
        .add("step", step_)
        .add("chain", retez_.chain)
        .add("answer", answer_)
        .add("scroll_offset", scroll_offset_)
        .add("scrolling", scrolling_)
        .add("position_count", static_cast<int>(positions_.size()))
        .add("blinking", casomira_stopa_.enabled());
  }

  void set_buttons(bool enabled) {
    for (pf::Label* d : klikaci_cislo_) d->enabled = enabled;
    ok_button_->enabled = back_button_->enabled = enabled;
  }

  // ---- the chain -----------------------------------------------------------------

  void pocatecni_cislo() {
    scroll_offset_ = 0;
    retez_ = start_chain(core::player_level, core::rng(), core::clock_seed());
    answer_.clear();
    zobraz_retezec();
    step_ = 1;
    nova_pozice();
  }

  // The chain line, slid left 2 pixels every 25 ms until its end (and room
  // for the answer) is in view.
  void zobraz_retezec() {
    scrolling_ = true;
    const int width = pf::measure_text(retez_.chain, kChainFont).w;
    int target = 0;
    if (width > bounds.w) {
      target = bounds.w - width;
      if (retez_.chain.ends_with('?')) target -= pf::measure_text("     ", kChainFont).w;
    }
    if (target < 0) {
      for (int offset = scroll_offset_; offset >= target;) {
        offset -= kScrollStep;
        print_chain(offset);
        core::wait_ms(kScrollMs);
      }
    }
    print_chain(target);
    scroll_offset_ = target;
    scrolling_ = false;
  }

  void print_chain(int offset) {
    const pf::Rect r = ticker_->rect;
    pf::Surface line(r.w, r.h);
    line.blit(picture, r.x, r.y, r.w, r.h, 0, 0);
    pf::draw_text(line, offset, 0, retez_.chain, kChainFont);
    ticker_->image = std::move(line);
    ticker_->visible = true;
    ticker_->refresh();
  }

  // ---- the walk ----------------------------------------------------------------------

  void nova_pozice() {
    casomira_stopa_.set_enabled(false);
    if (auto pic = core::load_media_picture(file("STOPY\\S" + std::to_string(step_) + ".BMP"))) {
      const pf::Point at = positions_[static_cast<std::size_t>(step_ - 1)];
      stopa_->rect = {at.x, at.y, pic->width(), pic->height()};
      stopa_->image = std::move(*pic);
    }
    stopa_->visible = true;
    stopa_->refresh();
    casomira_stopa_.set_enabled(true);
  }

  void blink() { stopa_->visible = !stopa_->visible; }

  // ---- the answer ----------------------------------------------------------------------

  bool busy() const { return core::talk_active || scrolling_ || head().visible; }

  void digit(int d) {
    if (busy() || answer_.size() >= kMostDigits) return;
    answer_ += static_cast<char>('0' + d);
    if (retez_.chain.ends_with('?')) retez_.chain.pop_back();
    retez_.chain += static_cast<char>('0' + d);
    zobraz_retezec();
  }

  void erase() {
    if (busy() || answer_.empty()) return;
    answer_.pop_back();
    retez_.chain.pop_back();
    if (answer_.empty()) retez_.chain += '?';
    zobraz_retezec();
  }

  void on_text(const std::string& text) override {
    if (!casomira_stopa_.enabled()) return;
    for (char c : text)
      if (c >= '0' && c <= '9') digit(c - '0');
  }

  void on_key(const std::string& key) override {
    if (!casomira_stopa_.enabled()) return;
    if (key == "Backspace") erase();
    if (key == "Enter") check();
  }

  void check() {
    if (busy() || retez_.chain.ends_with('?') || answer_.empty()) return;
    if (std::stoi(answer_) == retez_.result) return right();
    core::play_wav({Root::Media, "\\UNI_SND\\CHYBA.WAV"});
    step_ = std::max(1, step_ - 1);
    nova_pozice();
    retez_.chain.resize(retez_.chain.size() - answer_.size());
    answer_.clear();
    if (!retez_.chain.ends_with('?')) retez_.chain += '?';
    zobraz_retezec();
  }

  void right() {
    step_ = std::min(step_ + 1, kSteps);
    nova_pozice();
    casomira_stopa_.set_enabled(false);
    stopa_->visible = true;
    for (const Encounter& e : kEncounters) {
      if (e.step != step_) continue;
      const MediaPath script = file(std::string(e.script) + ".DAT");
      if (e.keyed) {
        core::play_animation_keyed(script, head());
        head().visible = false;
      } else {
        core::play_animation(script, head());
      }
    }
    if (step_ == kSteps) return finale();
    casomira_stopa_.set_enabled(true);
    continue_chain(retez_, core::player_level, core::rng(), core::clock_seed());
    answer_.clear();
    zobraz_retezec();
  }

  void finale() {
    players::CoinsDue due(25);
    set_buttons(false);
    core::randomize();
    say(file("FINALNI" + std::to_string(core::rnd_between(1, 4)) + ".DAT"), "TAPO_.AVI");
    core::play_animation(file("TAPOREV.DAT"), head());
    core::show_avi_frame(file("TAPO_HAD.AVI"), head(), 4);
    keep_in_scene(head());
    head().visible = false;
    ticker_->visible = false;
    award(due, kCoins);
    core::wait_ms(1500);
    pocatecni_cislo();
    set_buttons(true);
  }

  std::vector<pf::Label*> klikaci_cislo_;
  pf::Label* ok_button_ = nullptr;
  pf::Label* back_button_ = nullptr;
  pf::PictureBox* stopa_ = nullptr;
  pf::PictureBox* ticker_ = nullptr;
  std::vector<pf::Point> positions_;
  Retez retez_;
  std::string answer_;  // the digits typed so far (the check button's Tag)
  int step_ = 1;
  int scroll_offset_ = 0;
  bool scrolling_ = false;
  pf::FormTimer casomira_stopa_{*this, kBlinkMs, [this] { blink(); }};
};

TAPO_REGISTER_FORM(core::screens::kSnake, FrmHad)

}  // namespace tapo::games::had
