// The sausage tug: Tapo and another dog pull a sausage.  The opponent pulls
// on its clock; each right sign the child clicks makes Tapo pull it back
// further.  Tapo's win pays twelve coins; either way the sausage slides back
// to the middle and the tug goes on.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "core/animation.h"
#include "core/keying.h"
#include "core/media.h"
#include "core/random.h"
#include "core/tapo_iii.h"
#include "games/common/game_screen.h"
#include "games/common/review_queue.h"
#include "games/pretah/layout.h"
#include "games/pretah/priklad.h"
#include "platform/loop.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "players/record.h"

namespace tapo::games::pretah {

namespace pf = tapo::platform;
using core::MediaPath;
using core::Root;

namespace {

constexpr int kTapoPull = 14, kOpponentPull = 2;
constexpr int kPictureMs = 150, kRestMs = 1250;
constexpr int kSlideStep = 2, kSlideMs = 25;
constexpr int kMostWrong = 3;
constexpr int kCellW = kExample.w / 5;  // a cell of the example

// Cell i of a picture of three equal cells side by side.
pf::Surface cell(const pf::Surface& cells, int i) {
  const int w = cells.width() / 3;
  pf::Surface out(w, cells.height());
  out.blit(cells, w * i, 0, w, cells.height(), 0, 0);
  return out;
}

}  // namespace

class FrmPretah : public GameScreen {
 public:
  FrmPretah() : GameScreen(kFrame) {}

 private:
  void load_game() override {
    no_clock_ = players::record::settings().no_clock;
    review_.load();
    clean_ = picture;
    auto load = [this](const char* name) { return core::load_media_picture(file(name)).value_or(pf::Surface{}); };
    sausage_ = load("JITRNICE.BMP");
    neznama_ = load("NEZNAMA.BMP");
    tapo_cells_ = load("TAPO.BMP");
    opponent_cells_ = load("PES.BMP");
    const int level = core::player_level;
    operator_panel_ = load(level >= 3 ? "L2.BMP" : "L1.BMP");
    if (level >= 2) relation_panel_ = load("L3.BMP");

    priklad_box_ = &add<pf::PictureBox>("priklad", kExample);
    priklad_box_->visible = false;
    klikaci_plocha_ = pf::add_control_array<pf::Label>(*this, "klikaci_plocha", kButtons, &FrmPretah::klikaci_plocha_click);
    show_buttons(false);
    for (pf::Label* b : klikaci_plocha_) b->enabled = false;
    tapo_box_ = &add<pf::PictureBox>("tapo", pf::Rect{kTapoAt.x, kTapoAt.y, 1, 1});
    tapo_box_->visible = false;

    sausage_x_ = kMiddle;
    draw_tug();
    zero_free_run_ = zero_free_run_start;
  }

  void introduce() override {
    help_control().enabled = false;
    GameScreen::introduce();
    help_control().enabled = true;
  }

  void open_game() override { vymysli_priklad(); }

  void describe_game(pf::JsonObject& vars) const override {
    vars.add("sausage_x", sausage_x_)
        .add("number_a", priklad_.number_a)
        .add("number_b", priklad_.number_b)
        .add("number_r", priklad_.number_r)
        .add("answer", priklad_.answer)
        .add("comparison", priklad_.comparison)
        .add("busy", busy_)
        .add("wrong_count", wrong_count_)
        .add("zero_free_run", zero_free_run_)
        .add("opponent_picture", opponent_cell_)
        .add("example_shown", priklad_box_->visible)
        .add("from_review", from_review_);
  }

  // The help stops only itself; any other sound gives way to it.
  void help_click() override {
    if (core::sound_playing(file("HELP.WAV")))
      core::close_sound();
    else
      core::play_wav(file("HELP.WAV"));
  }

  // ---- the scene -----------------------------------------------------------------

  pf::Rect tapo_place() const { return {kTapoAt.x, kTapoAt.y, tapo_cells_.width() / 3, tapo_cells_.height()}; }
  pf::Rect opponent_place() const {
    return {kOpponentAt.x, kOpponentAt.y, opponent_cells_.width() / 3, opponent_cells_.height()};
  }

  // The sausage and both dogs over the clean scene, so nothing leaves a trace.
  void draw_tug() {
    const pf::Rect strip{0, kSausageY, bounds.w, sausage_.height()};
    for (const pf::Rect& r : {strip, tapo_place(), opponent_place()}) picture.blit(clean_, r.x, r.y, r.w, r.h, r.x, r.y);
    core::blit_keyed(picture, sausage_, 0, 0, sausage_.width(), sausage_.height(), sausage_x_, kSausageY,
                     core::key_colour(sausage_));
    const pf::Surface tapo = cell(tapo_cells_, tapo_cell_), opponent = cell(opponent_cells_, opponent_cell_);
    const pf::Rgb tapo_key = tapo_cells_.empty() ? 0 : tapo_cells_.at(tapo_cells_.width() - 1, 0);
    core::blit_keyed(picture, tapo, 0, 0, tapo.width(), tapo.height(), kTapoAt.x, kTapoAt.y, tapo_key);
    core::blit_keyed(picture, opponent, 0, 0, opponent.width(), opponent.height(), kOpponentAt.x, kOpponentAt.y,
                     core::key_colour(opponent_cells_));
    for (const pf::Rect& r : {strip, tapo_place(), opponent_place()}) refresh(r);
  }

  // ---- an example ----------------------------------------------------------------------

  void show_buttons(bool comparison) {
    const int operators = core::player_level >= 3 ? 4 : 2;
    for (int i = 0; i < 7; ++i) klikaci_plocha_[static_cast<std::size_t>(i)]->visible = comparison ? i >= 4 : i < operators;
  }

  void enable_buttons(bool on) {
    for (pf::Label* b : klikaci_plocha_) b->enabled = on;
  }

  void vymysli_priklad() {
    casomira_.set_enabled(false);
    // Now and then a fact of the piglet's review that the tug can ask.
    const auto due = review_.next([](const players::review::Fact& f) { return example_of(f, core::player_level); });
    from_review_ = due.has_value();
    priklad_ = due ? *due : draw_example(core::player_level, zero_free_run_, core::rng(), core::clock_seed());
    pf::Surface box(kExample.w, kExample.h);
    box.blit(picture, kExample.x, kExample.y, kExample.w, kExample.h, 0, 0);
    for (int k = 0; k < 5; ++k) {
      const std::string& text = priklad_.cells[static_cast<std::size_t>(k)];
      if (k == priklad_.mark_cell) {
        core::blit_keyed(box, neznama_, 0, 0, neznama_.width(), neznama_.height(), (kCellW - neznama_.width()) / 2 + k * kCellW,
                         (kExample.h - neznama_.height()) / 2, core::key_colour(neznama_));
      } else {
        print_in_cell(box, text, k);
      }
    }
    priklad_box_->image = std::move(box);
    const bool comparison = priklad_.comparison && !relation_panel_.empty();
    show_buttons(comparison);
    picture.blit(comparison ? relation_panel_ : operator_panel_, kPanelAt.x, kPanelAt.y);
    refresh();
    core::wait_ms(200);
    priklad_box_->visible = true;
    priklad_box_->refresh();
    enable_buttons(true);
    casomira_.set_interval(kPictureMs);
    casomira_.set_enabled(!no_clock_);
    busy_ = false;
    example_posed();
  }

  // The example as the child reads it, "7 ? 5 = 12" ("?" where the sign goes).
  std::string example_text() const {
    std::string text;
    for (std::size_t k = 0; k < priklad_.cells.size(); ++k) {
      const std::string& cell = static_cast<int>(k) == priklad_.mark_cell ? std::string("?") : priklad_.cells[k];
      if (!cell.empty()) text += (text.empty() ? "" : " ") + cell;
    }
    return text;
  }

  void print_in_cell(pf::Surface& box, const std::string& text, int k, pf::Rgb ink = kExampleFont.color) {
    pf::TextStyle style = kExampleFont;
    style.color = ink;
    const pf::Rect size = pf::measure_text(text, style);
    pf::draw_text(box, (kCellW - size.w) / 2 + k * kCellW, (kExample.h - size.h) / 2, text, style);
  }

  // ---- the opponent ----------------------------------------------------------------------

  void casomira_tick() {
    if (!priklad_box_->visible) return;
    casomira_.set_enabled(false);
    pf::Loop::instance().do_events();
    opponent_cell_ = (opponent_cell_ + 1) % 3;
    draw_tug();
    if (opponent_cell_ == 0 && !busy_) {
      sausage_x_ += kOpponentPull;
      if (!core::sound_playing()) core::play_wav(file("JITRNICE.WAV"));
      if (sausage_x_ >= kOpponentWins) return opponent_wins();
      draw_tug();
    }
    casomira_.set_interval(opponent_cell_ == 0 ? kRestMs : kPictureMs);
    casomira_.set_enabled(true);
  }

  // Without the clock the other dog waits while the child thinks, and pulls
  // for each wrong sign as hard as Tapo does for a right one.  True when
  // that pull won the tug.
  bool opponent_tugs() {
    busy_ = true;
    for (int c : {1, 2, 0}) {
      opponent_cell_ = c;
      draw_tug();
      core::wait_ms(kPictureMs);
    }
    sausage_x_ += kTapoPull;
    busy_ = false;
    if (sausage_x_ < kOpponentWins) {
      draw_tug();
      return false;
    }
    opponent_wins();
    return true;
  }

  // ---- answering ---------------------------------------------------------------------------

  void klikaci_plocha_click(int i) {
    if (busy_) return;
    enable_buttons(false);
    const std::string sign = kSigns[static_cast<std::size_t>(i)];
    const bool right = priklad_.answer.find(sign) != std::string::npos;
    // Judged at the button taken a little taller, so that the badge over its
    // corner stands higher and leaves the sign painted on it whole.
    const pf::Rect b = klikaci_plocha_[static_cast<std::size_t>(i)]->rect;
    judge(right ? Verdict::Right : Verdict::Wrong, klikaci_plocha_[static_cast<std::size_t>(i)]->name(),
          {b.x, b.y - b.h / 4, b.w, b.h + b.h / 4});
    record_answer(priklad_.comparison ? "comparison" : "missing operator " + priklad_.operation, example_text(),
                  priklad_.answer, sign, right);
    if (!right) {
      core::play_wav({Root::Media, "\\UNI_SND\\CHYBA.WAV"});
      if (no_clock_ && opponent_tugs()) return;
      if (++wrong_count_ < kMostWrong) return enable_buttons(true);
      wrong_count_ = 0;
      show_right_sign();
      priklad_box_->visible = false;
      return vymysli_priklad();
    }
    write_sign(sign);
    wrong_count_ = 0;
    busy_ = true;
    for (int c : {0, 1, 2, 0}) {
      tapo_cell_ = c;
      draw_tug();
      core::wait_ms(100);
    }
    sausage_x_ -= kTapoPull;
    if (!core::sound_playing()) core::play_wav(file("JITRNICE.WAV"));
    if (sausage_x_ > kTapoWins) {
      draw_tug();
      busy_ = false;
      priklad_box_->visible = false;
      return vymysli_priklad();
    }
    tapo_wins();
  }

  // The sign takes the question mark's place.
  void write_sign(const std::string& sign, pf::Rgb ink = kExampleFont.color) {
    pf::Surface& box = priklad_box_->image;
    const int k = priklad_.mark_cell;
    box.blit(picture, kExample.x + k * kCellW, kExample.y, kCellW, kExample.h, k * kCellW, 0);
    print_in_cell(box, sign, k, ink);
    priklad_box_->refresh();
  }

  // After the last try the right sign stands in its place, green and
  // ticked, for a moment before the next example; the other dog waits.
  void show_right_sign() {
    busy_ = true;
    write_sign(priklad_.answer.substr(0, 1), kRightInk);
    const int k = priklad_.mark_cell;
    show_right("priklad", {kExample.x + k * kCellW, kExample.y, kCellW, kExample.h});
    busy_ = false;
  }

  // ---- the ends of a tug ------------------------------------------------------------------

  void wait_for_sound() {
    while (core::sound_playing()) core::wait_ms(50);
  }

  void tapo_wins() {
    players::CoinsDue due(kGame.coins.due(0));
    sausage_x_ = kTapoWins;
    draw_tug();
    busy_ = false;
    priklad_box_->visible = false;
    enable_buttons(false);
    core::play_animation(file("LEVA.DAT"), *tapo_box_);
    core::play_animation_frames(file("TAPO1.DAT"), *tapo_box_);
    wait_for_sound();
    core::randomize();
    say(file("VYHRAL" + std::to_string(core::rnd_between(1, 3)) + ".DAT"), "MLUVI2.AVI");
    core::play_animation(file("LEVA_REV.DAT"), *tapo_box_);
    core::show_avi_frame(file("LEVA.AVI"), *tapo_box_, 0);
    keep_in_scene(*tapo_box_);
    core::play_animation(file("PTACI1.DAT"), *tapo_box_);
    award(due, kCoins);
    jitrnice_na_zacatek();
    core::play_animation(file("TAPO1RV_.DAT"), *tapo_box_);
    core::show_avi_frame(file("TAPO1_.AVI"), *tapo_box_, 0);
    keep_in_scene(*tapo_box_);
    tapo_box_->visible = false;
    core::wait_ms(3000);
    vymysli_priklad();
  }

  void opponent_wins() {
    sausage_x_ = kOpponentWins;
    draw_tug();
    priklad_box_->visible = false;
    enable_buttons(false);
    core::play_animation(file("PRAVA.DAT"), head());
    core::play_animation_frames(file("PES1.DAT"), head());
    wait_for_sound();
    core::randomize();
    say(file("PROHRAL" + std::to_string(core::rnd_between(1, 3)) + ".DAT"), "MLUVI3.AVI");
    core::play_animation(file("PRAVAREV.DAT"), head());
    core::show_avi_frame(file("PRAVA.AVI"), head(), 0);
    keep_in_scene(head());
    core::play_animation(file("PTACI2.DAT"), head());
    core::play_animation_frames(file("PES1_REV.DAT"), head());
    keep_in_scene(head());
    head().visible = false;
    const bool could_leave = leave_control().enabled;
    leave_control().enabled = false;
    jitrnice_na_zacatek();
    core::wait_ms(3000);
    leave_control().enabled = could_leave;
    vymysli_priklad();
  }

  // The sausage slides back to the middle, 2 pixels at least every 25 ms.
  void jitrnice_na_zacatek() {
    auto& loop = pf::Loop::instance();
    while (sausage_x_ != kMiddle) {
      const pf::Ms began = loop.now();
      sausage_x_ += sausage_x_ < kMiddle ? std::min(kSlideStep, kMiddle - sausage_x_) : -std::min(kSlideStep, sausage_x_ - kMiddle);
      draw_tug();
      loop.do_events();
      loop.wait_until(began + kSlideMs);
    }
  }

  pf::PictureBox* priklad_box_ = nullptr;
  pf::PictureBox* tapo_box_ = nullptr;
  std::vector<pf::Label*> klikaci_plocha_;
  pf::Surface clean_, sausage_, neznama_, tapo_cells_, opponent_cells_, operator_panel_, relation_panel_;
  Priklad priklad_;
  int sausage_x_ = kMiddle;
  bool no_clock_ = false;  // a grown-up's setting for the piglet
  ReviewQueue review_;
  bool from_review_ = false;  // the example is a fact of the review
  int tapo_cell_ = 0, opponent_cell_ = 0;
  int wrong_count_ = 0;
  int zero_free_run_ = zero_free_run_start;
  bool busy_ = false;
  pf::FormTimer casomira_{*this, kPictureMs, [this] { casomira_tick(); }};
};

TAPO_REGISTER_FORM(kFrame.form, FrmPretah)

}  // namespace tapo::games::pretah
