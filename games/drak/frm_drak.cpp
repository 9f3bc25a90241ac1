// The dragon game: the child rings the bell, some of the ten figures rise
// one after another, and the child clicks the number of figures risen.
// Every third right answer in a row earns a thumb and a coin; after three
// wrong tries Tapo tells how many there were, and that number stands ticked
// for a moment.  Then the figures sink.  Every click on a number is judged on
// the scene at once, with a tick or a cross by the tile.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "core/animation.h"
#include "core/listinput.h"
#include "core/media.h"
#include "core/random.h"
#include "core/tapo_iii.h"
#include "games/common/areas.h"
#include "games/common/game_screen.h"
#include "games/drak/layout.h"
#include "games/drak/priklad.h"
#include "platform/loop.h"
#include "platform/ui.h"

namespace tapo::games::drak {

namespace pf = tapo::platform;
using core::MediaPath;
using core::Root;

namespace {

// How far above its tile a number's verdict stands.
constexpr int kSignLift = 16;

}  // namespace

class FrmDrak : public GameScreen {
 public:
  FrmDrak() : GameScreen(kFrame) {}

 private:
  void load_game() override {
    const MediaPath numbers = file("CISLA.DAT");
    const auto text = core::read_text_file(core::real_path(numbers));
    const auto areas = text ? read_areas(*text, kFigures) : std::nullopt;
    if (!areas) return file_broken(numbers);
    // A number without its area, or with one off the scene, cannot be clicked: the game goes on without it.
    const pf::Rect scene{0, 0, 640, 480};
    if (areas->size() != kFigures ||
        std::any_of(areas->begin(), areas->end(), [&](const pf::Rect& r) { return !scene.contains(r) || r.empty(); }))
      core::note_unreadable(numbers);
    // Element k is number k's area; element 0 is none.
    std::vector<pf::Rect> places{pf::Rect{}};
    places.insert(places.end(), areas->begin(), areas->end());
    klik_cislo_ = pf::add_control_array<pf::Label>(*this, "klik_cislo", places, &FrmDrak::klik_cislo_click);
    for (pf::Label* area : klik_cislo_) area->visible = false;
    zvonec_ = &add<pf::Label>("zvonec", kBell);
    zvonec_->on_click = [this] { zvonec_click(); };
  }

  void describe_game(pf::JsonObject& vars) const override {
    std::string raised = "[";
    for (int d = 1; d <= kFigures; ++d) raised += std::string(d > 1 ? ", " : "") + (priklad_.raised[d - 1] ? "true" : "false");
    vars.add("raised_count", priklad_.raised_count)
        .add_raw("raised", raised + "]")
        .add("correct_run", run_.count())
        .add("wrong_count", wrong_count_);
  }

  // The numbers' click areas (the file may give fewer than ten).
  void show_numbers(bool shown) {
    for (std::size_t k = 1; k < klik_cislo_.size(); ++k) klik_cislo_[k]->visible = shown;
  }

  // ---- an example ----------------------------------------------------------------

  void zvonec_click() {
    zvonec_->enabled = false;
    interrupt_talk();
    core::play_animation(file("ZVONEK.DAT"), head());
    core::wait_ms(1000);
    vyber_priklad();
  }

  void vyber_priklad() {
    show_numbers(false);
    priklad_ = draw_example(core::rng(), core::clock_seed());
    for (int d : priklad_.order) {
      const MediaPath up = file("D" + std::to_string(d) + "UP.DAT");
      if (mixed_by_frames(d))
        core::play_animation_frames(up, head());
      else
        core::play_animation(up, head());
      pf::Loop::instance().do_events();
    }
    wrong_count_ = 0;
    show_numbers(true);
    example_posed();
  }

  // ---- the answer ------------------------------------------------------------------

  // Where number k is judged: the tile taken taller, so the badge stands
  // above its top right corner and the number itself stays in view.
  pf::Rect number_place(int k) const {
    const pf::Rect r = klik_cislo_[static_cast<std::size_t>(k)]->rect;
    return {r.x, r.y - kSignLift, r.w, r.h + kSignLift};
  }
  std::string number_name(int k) const { return klik_cislo_[static_cast<std::size_t>(k)]->name(); }

  void klik_cislo_click(int k) {
    show_numbers(false);
    core::randomize();
    judge(k == priklad_.raised_count ? Verdict::Right : Verdict::Wrong, number_name(k), number_place(k));
    record_answer("count", "how many rose? (" + std::to_string(priklad_.raised_count) + " figures)",
                  std::to_string(priklad_.raised_count), std::to_string(k), k == priklad_.raised_count);
    if (k == priklad_.raised_count) {
      if (!run_.right()) {
        head().visible = false;
        comment_shared(core::rnd_between(1, 6), kFrame.face);
      } else {
        players::CoinsDue due(kGame.coins.due(0));
        core::play_animation_keyed(file("PALEC.DAT"), head());
        head().visible = false;
        comment("SPRAVNE", core::rnd_between(1, 3), kFrame.face);
        award(due, kCoins);
        run_.restart();
      }
      lower_figures();
      zvonec_->enabled = true;
      return;
    }
    run_.restart();
    if (++wrong_count_ > 2) {
      say(file("ZVEDL" + std::to_string(priklad_.raised_count) + ".DAT"), kFrame.face);
      // The number Tapo told stands ticked for a moment while the figures are
      // still up to be counted again.
      if (static_cast<std::size_t>(priklad_.raised_count) < klik_cislo_.size()) {
        show_right(number_name(priklad_.raised_count), number_place(priklad_.raised_count));
      }
      lower_figures();
      zvonec_->enabled = true;
      return;
    }
    comment("SPATNE", core::rnd_between(1, 3), kFrame.face);
    show_numbers(true);
  }

  // The raised figures sink in turn and stay in the scene at rest.
  void lower_figures() {
    core::HiddenCursor hidden;
    for (int d = 1; d <= kFigures; ++d) {
      if (!priklad_.raised[static_cast<std::size_t>(d - 1)]) continue;
      const std::string stem = "D" + std::to_string(d) + "DOWN";
      if (mixed_by_frames(d)) {
        core::play_animation_frames(file(stem + ".DAT"), head());
      } else {
        core::play_animation(file(stem + ".DAT"), head());
        core::show_avi_frame(file(stem + ".AVI"), head(), 0);
      }
      keep_in_scene(head());
    }
  }

  std::vector<pf::Label*> klik_cislo_;
  pf::Label* zvonec_ = nullptr;
  Priklad priklad_;
  RightRun run_{kGame.coins.run};
  int wrong_count_ = 0;
};

TAPO_REGISTER_FORM(kFrame.form, FrmDrak)

}  // namespace tapo::games::drak
