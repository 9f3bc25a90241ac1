// The snake game: a chain of examples along the bottom, each result the first
// number of the next.  Every right answer takes the walk a step along the
// 47 footprints to Tapo, every wrong one a step back; at some steps someone
// is met on the way, and at the end Tapo pays 25 coins and a new chain starts.
// Every checked answer is judged on the scene at once, by its room at the
// chain's end; a wrong one stands crossed for a moment before it is erased.
// The little snake at its step blinks by a ring of light around it, so it is
// always there to be found.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "core/animation.h"
#include "core/listinput.h"
#include "core/media.h"
#include "core/random.h"
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
// Room right of the answer's digits for the verdict's badge.
constexpr int kSignGap = 24;
// The ring of light around the little snake: how far it reaches past the
// step's picture, and its colours.
constexpr int kGlow = 12;
constexpr pf::Rgb kGlowRing = pf::rgb(255, 236, 60), kGlowEdge = pf::rgb(200, 60, 20);

// The step's picture on the scene under `box` (the picture stands in its
// middle), plain or in a ring of light.
pf::Surface marker(const pf::Surface& scene, const pf::Surface& step, pf::Rect box, bool lit) {
  pf::Surface out(box.w, box.h);
  out.blit(scene, box.x, box.y, box.w, box.h, 0, 0);
  out.blit(step, (box.w - step.width()) / 2, (box.h - step.height()) / 2);
  if (lit) {
    const double cx = box.w / 2.0, cy = box.h / 2.0, outer = std::min(box.w, box.h) / 2.0 - 0.5;
    for (int y = 0; y < box.h; ++y)
      for (int x = 0; x < box.w; ++x) {
        const double r = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
        if (r <= outer && r >= outer - 7) out.set(x, y, r >= outer - 2 || r <= outer - 6 ? kGlowEdge : kGlowRing);
      }
  }
  return out;
}

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
    const pf::Rect room = answer_room();
    vars.add("first_number", retez_.first_number)
        .add("second_number", retez_.second_number)
        .add("result", retez_.result)
        .add("operation", retez_.operation)
        .add("plain_streak", retez_.plain_streak)
        .add("step", step_)
        .add("chain", retez_.chain)
        .add("answer", answer_)
        .add("scroll_offset", scroll_offset_)
        .add_raw("answer_room", pf::json_numbers({room.x, room.y, room.w, room.h}))
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
    example_posed();
    answer_.clear();
    zobraz_retezec();
    step_ = 1;
    nova_pozice();
  }

  // Where the answer starts on the chain line (unslid): after the chain
  // without the digits typed, or without its "?".
  int answer_start() const {
    const std::size_t typed = retez_.chain.ends_with('?') ? 1 : answer_.size();
    return pf::measure_text(retez_.chain.substr(0, retez_.chain.size() - typed), kChainFont).w;
  }

  // The place of the answer `digits`, with the chain slid by `offset`: the
  // digits and, right of them, the room the verdict's badge stands over.
  pf::Rect answer_place(int offset, const std::string& digits = "999") const {
    const pf::Rect line = ticker_->rect;
    return {line.x + offset + answer_start(), line.y, pf::measure_text(digits, kChainFont).w + kSignGap, line.h};
  }

  // The answer's whole room: its place and the badge beside it.
  pf::Rect answer_room() const {
    const pf::Rect place = answer_place(scroll_offset_);
    const pf::Rect sign = sign_rect({0, place.y, place.w, place.h});
    return {place.x, std::min(place.y, sign.y), std::max(place.w, sign.x + sign.w),
            std::max(place.y + place.h, sign.y + sign.h) - std::min(place.y, sign.y)};
  }

  // The chain line, slid left 2 pixels every 25 ms until the answer's whole
  // room at its end is in view.
  void zobraz_retezec() {
    scrolling_ = true;
    const pf::Rect room = answer_room();
    const int target = std::min(0, scroll_offset_ + bounds.w - (room.x + room.w));
    if (target < scroll_offset_) {
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
    stopa_->refresh();
    if (auto pic = core::load_media_picture(file("STOPY\\S" + std::to_string(step_) + ".BMP"))) {
      const pf::Point at = positions_[static_cast<std::size_t>(step_ - 1)];
      stopa_->rect = {at.x - kGlow, at.y - kGlow, pic->width() + 2 * kGlow, pic->height() + 2 * kGlow};
      step_picture_ = std::move(*pic);
    }
    lit_ = true;
    show_marker();
    casomira_stopa_.set_enabled(true);
  }

  void show_marker() {
    stopa_->image = marker(picture, step_picture_, stopa_->rect, lit_);
    stopa_->visible = true;
    stopa_->refresh();
  }

  // The ring of light comes and goes; the little snake stays.
  void blink() {
    lit_ = !lit_;
    show_marker();
  }

  // ---- the answer ----------------------------------------------------------------------

  bool busy() const { return core::talk_active || scrolling_ || judging_ || head().visible; }

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
    const bool is_right = std::stoi(answer_) == retez_.result;
    judge(is_right ? Verdict::Right : Verdict::Wrong, "odpoved", answer_place(scroll_offset_, answer_));
    record_answer(retez_.operation, std::to_string(retez_.first_number) + " " + retez_.operation + " " +
                  std::to_string(retez_.second_number) + " = ?",
                  std::to_string(retez_.result), answer_, is_right);
    if (is_right) return right();
    core::play_wav({Root::Media, "\\UNI_SND\\CHYBA.WAV"});
    step_ = std::max(1, step_ - 1);
    nova_pozice();
    hold_judged_answer(pf::Loop::instance().now());
    retez_.chain.resize(retez_.chain.size() - answer_.size());
    answer_.clear();
    if (!retez_.chain.ends_with('?')) retez_.chain += '?';
    zobraz_retezec();
  }

  // The judged answer stays on the chain line until its verdict has shown.
  void hold_judged_answer(pf::Ms judged_at) {
    judging_ = true;
    const pf::Ms left = judged_at + kSignShownMs - pf::Loop::instance().now();
    if (left > 0) core::wait_ms(static_cast<int>(left));
    judging_ = false;
  }

  void right() {
    const pf::Ms judged_at = pf::Loop::instance().now();
    step_ = std::min(step_ + 1, kSteps);
    nova_pozice();
    casomira_stopa_.set_enabled(false);
    for (const Encounter& e : kEncounters) {
      if (e.step != step_) continue;
      const MediaPath script = file(std::string(e.name) + ".DAT");
      if (e.keyed) {
        core::play_animation_keyed(script, head());
        head().visible = false;
      } else {
        core::play_animation(script, head());
      }
    }
    if (step_ == kSteps) return finale();
    casomira_stopa_.set_enabled(true);
    hold_judged_answer(judged_at);
    continue_chain(retez_, core::player_level, core::rng(), core::clock_seed());
    example_posed();
    answer_.clear();
    zobraz_retezec();
  }

  void finale() {
    players::CoinsDue due(kGame.coins.due(0));
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
  pf::Surface step_picture_;  // the little snake at its step, as the media has it
  bool lit_ = true;           // the ring of light is on
  pf::PictureBox* ticker_ = nullptr;
  std::vector<pf::Point> positions_;
  Retez retez_;
  std::string answer_;  // the digits typed so far (the check button's Tag)
  int step_ = 1;
  int scroll_offset_ = 0;
  bool scrolling_ = false;
  bool judging_ = false;  // a checked answer stands with its verdict
  pf::FormTimer casomira_stopa_{*this, kBlinkMs, [this] { blink(); }};
};

TAPO_REGISTER_FORM(kFrame.form, FrmHad)

}  // namespace tapo::games::had
