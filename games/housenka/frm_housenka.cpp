// The bubble caterpillar: Tapo blows a row of ten bubbles, each with a number
// or a small example, that float slowly upwards.  The child pops them from
// the smallest value up, and each popped value fills the caterpillar's next
// segment.  A whole row pays five coins less one per wrong click; a bubble
// that escapes over the top, or a fifth wrong click, loses the row.  Every
// click on a bubble is judged on the scene at once (a tick where a bubble
// pops, a cross by one clicked out of turn, or where one escaped), and a row
// lost by a fifth wrong click shows, for a moment, the bubble that was to be
// popped next.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "core/animation.h"
#include "core/keying.h"
#include "core/listinput.h"
#include "core/media.h"
#include "core/random.h"
#include "core/tapo_iii.h"
#include "games/common/areas.h"
#include "games/common/game_screen.h"
#include "games/housenka/cisla.h"
#include "games/housenka/layout.h"
#include "platform/loop.h"
#include "platform/text.h"
#include "platform/ui.h"

namespace tapo::games::housenka {

namespace pf = tapo::platform;
using core::MediaPath;
using core::Root;

namespace {

constexpr int kFloatMs = 50;
constexpr int kJump = 15;
constexpr int kMostWrong = 5;
constexpr std::size_t kMostSegments = 100;
// How far a bubble floats while its verdict shows.
constexpr int kRiseWhileShown = kSignShownMs / kFloatMs;

}  // namespace

class FrmHousenka : public GameScreen {
 public:
  FrmHousenka() : GameScreen(kFrame) {}

 private:
  struct Bubble {
    int x = 0, y = 0;
    int value = 0;
    std::string text;
    bool alive = false;
    pf::Surface look;  // the bubble with its text, key colour around
  };

  void load_game() override {
    const MediaPath segments = file("CISLA.DAT");
    const auto text = core::read_text_file(core::real_path(segments));
    const auto areas = text ? read_areas(*text, kMostSegments) : std::nullopt;
    if (!areas) return file_broken(segments);
    // A segment off the scene, or without a size, cannot be clicked: the game goes on without it.
    const pf::Rect scene{0, 0, 640, 480};
    if (areas->empty() ||
        std::any_of(areas->begin(), areas->end(), [&](const pf::Rect& r) { return !scene.contains(r) || r.empty(); }))
      core::note_unreadable(segments);
    std::vector<pf::Rect> places{pf::Rect{}};
    places.insert(places.end(), areas->begin(), areas->end());
    cislo_ = pf::add_control_array<pf::Label>(*this, "cislo", places);
    for (pf::Label* segment : cislo_) {
      segment->centred = true;
      segment->font_size = kSegmentFont.size;
      segment->fore_color = kSegmentFont.color;
    }
    cislo_[0]->visible = false;
    if (auto pic = core::load_media_picture(file("BUBLINA1.BMP"))) bublina_ = std::move(*pic);
    for (int k = 0; k < 2; ++k)
      if (auto pic = core::load_media_picture(file("BUBLINA" + std::to_string(k + 2) + ".BMP"))) prask_[k] = std::move(*pic);
    zaloha_pozadi_.reset(kSky.w, kSky.h);
    bubble_count_ = 0;
  }

  void introduce() override {
    zaloha_pozadi_.blit(picture, kSky.x, kSky.y, kSky.w, kSky.h, 0, 0);
    GameScreen::introduce();
  }

  void open_game() override {
    set_floating(false);
    vypust_bubliny();
  }

  void describe_game(pf::JsonObject& vars) const override {
    std::string pos = "[", values = "[", texts = "[", alive = "[";
    for (std::size_t i = 0; i < bubbles_.size(); ++i) {
      const Bubble& b = bubbles_[i];
      const std::string sep = i ? ", " : "";
      pos += sep + "[" + std::to_string(b.x) + ", " + std::to_string(b.y) + "]";
      values += sep + std::to_string(b.value);
      texts += sep + pf::json_quote(b.text);
      alive += sep + (b.alive ? "true" : "false");
    }
    vars.add("bubble_count", bubble_count_)
        .add_raw("bubble_pos", pos + "]")
        .add_raw("bubble_value", values + "]")
        .add_raw("bubble_text", texts + "]")
        .add_raw("bubble_alive", alive + "]")
        .add_raw("bubble_size", "[" + std::to_string(bublina_.width()) + ", " + std::to_string(bublina_.height()) + "]")
        .add("next_rank", next_rank_)
        .add("wrong_count", wrong_count_)
        .add("expression_count", expression_count_)
        .add("floating", casomira_.enabled());
  }

  // ---- drawing ---------------------------------------------------------------------

  int w() const { return bublina_.width(); }
  int h() const { return bublina_.height(); }

  // The clean scene back over a part of the sky.
  void restore(pf::Rect r) {
    const pf::Rect part = pf::intersection(r, kSky);
    if (part.empty()) return;
    picture.blit(zaloha_pozadi_, part.x - kSky.x, part.y - kSky.y, part.w, part.h, part.x, part.y);
    refresh(part);
  }

  // A picture keyed by its top-left colour, over the clean scene at (x, y).
  void draw_at(const pf::Surface& look, int x, int y) {
    restore({x, y, look.width(), look.height()});
    core::blit_keyed(picture, look, 0, 0, look.width(), look.height(), x, y, core::key_colour(look));
    refresh({x, y, look.width(), look.height()});
  }

  // The bubble with its text centred, drawn smaller when it would not fit.
  pf::Surface bubble_look(const std::string& text) const {
    pf::Surface look = bublina_;
    if (text.empty()) return look;
    pf::TextStyle style = kBubbleFont;
    while (pf::measure_text(text, style).w > w() - 4 && style.size > 8) --style.size;
    const pf::Rect size = pf::measure_text(text, style);
    pf::draw_text(look, (w() - size.w) / 2, (h() - size.h) / 2, text, style);
    return look;
  }

  std::string name_of(const Bubble& b) const {
    return "bublina(" + std::to_string(&b - bubbles_.data()) + ")";
  }

  // A cross by a bubble clicked out of turn.  The bubble floats on, so the
  // badge stands above it by as much as it rises while the badge shows, and
  // never covers its writing.
  void judge_wrong(const Bubble& b) {
    const int lift = kRiseWhileShown + kJump / 2;
    judge(Verdict::Wrong, name_of(b), {b.x, b.y - lift, w(), h() + lift});
  }

  // The bubble that was to be popped next, ticked for a moment before the
  // row is lost.
  void show_right_bubble() {
    const int value = rada_.seradiste.hodnota(next_rank_);
    for (Bubble& b : bubbles_)
      if (b.alive && b.value == value) {
        // Standing still, above the bubble, so its writing stays in view.
        show_right(name_of(b), {b.x, b.y - kJump, w(), h() + kJump});
        return;
      }
  }

  void burst(Bubble& b) {
    for (const pf::Surface& stage : prask_) {
      draw_at(stage, b.x, b.y);
      core::wait_ms(50);
    }
    restore({b.x, b.y, w(), h()});
  }

  // ---- a row -------------------------------------------------------------------------

  void vypust_bubliny() {
    if (bubble_count_ > 0) {
      bubbles_ = {};
      for (pf::Label* segment : cislo_) segment->caption.clear();
      refresh();
    }
    core::play_animation({Root::Data, "\\VYFOUK.DAT"}, head());
    pf::Loop::instance().do_events();
    bubble_count_ = kBubbles;
    core::randomize();
    for (int i = kBubbles; i >= 1; --i) {
      Bubble& b = bubbles_[static_cast<std::size_t>(i - 1)];
      b.x = kBubbleStep * i - kBubbleStep;
      b.y = kRowTop + core::rnd_between(10, 20);
      b.look = bublina_;
      b.alive = true;
      draw_at(b.look, b.x, b.y);
      core::wait_ms(50);
    }
    rada_ = draw_row(core::player_level, core::rng(), core::clock_seed());
    expression_count_ = 0;
    for (std::size_t i = 0; i < bubbles_.size(); ++i) {
      Bubble& b = bubbles_[i];
      b.value = rada_.bubliny[i].value;
      b.text = rada_.bubliny[i].text;
      expression_count_ += rada_.bubliny[i].example;
      b.look = bubble_look(b.text);
      draw_at(b.look, b.x, b.y);
      core::wait_ms(50);
    }
    next_rank_ = 1;
    wrong_count_ = 0;
    set_floating(true);
    example_posed();
  }

  void set_floating(bool on) {
    casomira_.set_enabled(on);
    if (!on) {
      pointer = pf::Pointer::Arrow;
      pf::Forms::instance().set_pointer(pointer);
    }
  }

  // Every tick the bubbles rise a pixel; one that has left the top loses the row.
  void float_up() {
    bool escaped = false;
    for (Bubble& b : bubbles_) {
      if (!b.alive) continue;
      --b.y;
      draw_at(b.look, b.x, b.y);
      restore({b.x, b.y + h(), w(), 1});
      escaped = escaped || b.y <= -h();
    }
    if (!escaped) return;
    set_floating(false);
    // The row is lost where the bubble left (the badge stays in the scene).
    for (const Bubble& b : bubbles_)
      if (b.alive && b.y <= -h()) {
        judge(Verdict::Wrong, name_of(b), {b.x, b.y, w(), h()});
        break;
      }
    for (Bubble& b : bubbles_)
      if (b.alive) burst(b);
    core::randomize();
    comment("SPATNE", core::rnd_between(1, 3), kFrame.face);
    next_row_after(1000);
  }

  void next_row_after(int ms) {
    core::wait_ms(ms);
    pf::Loop::instance().do_events();
    vypust_bubliny();
  }

  // ---- popping -----------------------------------------------------------------------

  Bubble* bubble_at(int x, int y) {
    for (Bubble& b : bubbles_)
      if (b.alive && x >= b.x && x <= b.x + w() && y >= b.y && y <= b.y + h()) return &b;
    return nullptr;
  }

  void game_mouse_move(int x, int y) override {
    pointer = casomira_.enabled() && bubble_at(x, y) ? pf::Pointer::Hand : pf::Pointer::Arrow;
  }

  void on_mouse_up(int x, int y) override {
    if (!casomira_.enabled()) return;
    Bubble* hit = bubble_at(x, y);
    if (!hit) return;
    set_floating(false);
    // Each click is judged: the bubble clicked against the smallest one left.
    const int wanted = rada_.seradiste.hodnota(next_rank_);
    record_answer("smallest next", "the smallest bubble left (" + std::to_string(wanted) + ")", std::to_string(wanted),
                  hit->text, hit->value == wanted);
    if (hit->value == wanted) {
      example_posed(false);  // the next bubble of the same example is asked for from now on
      return popped(*hit);
    }
    ++wrong_count_;
    if (wrong_count_ < kMostWrong) {
      hit->y -= kJump;
      judge_wrong(*hit);
      draw_at(hit->look, hit->x, hit->y);
      restore({hit->x, hit->y + h(), w(), kJump});
      set_floating(true);
      return;
    }
    judge_wrong(*hit);
    core::wait_ms(kSignShownMs);
    show_right_bubble();
    for (Bubble& b : bubbles_) {
      if (!b.alive) continue;
      core::play_wav(file("PRASK.WAV"));
      burst(b);
    }
    core::randomize();
    comment("TOOMUCH", core::rnd_between(1, 2), kFrame.face);
    next_row_after(1000);
  }

  void popped(Bubble& b) {
    judge(Verdict::Right, name_of(b), {b.x, b.y, w(), h()});
    if (static_cast<std::size_t>(next_rank_) < cislo_.size()) cislo_[static_cast<std::size_t>(next_rank_)]->caption = std::to_string(b.value);
    refresh();
    ++next_rank_;
    b.alive = false;
    // Decided now: a click during the burst may pop the last bubble itself
    // and win the row there.
    const bool last = std::none_of(bubbles_.begin(), bubbles_.end(), [](const Bubble& o) { return o.alive; });
    set_floating(!last);
    core::play_wav(file("PRASK.WAV"));
    burst(b);
    if (!last) return;
    const int coins = kGame.coins.due(wrong_count_);
    players::CoinsDue due(coins);
    leave_control().visible = help_control().visible = false;
    core::play_animation({Root::Data, "\\RADOST.DAT"}, head());
    core::randomize();
    comment("SPRAVNE", core::rnd_between(1, 3), kFrame.face);
    if (coins > 0) award(due, kCoins);
    leave_control().visible = help_control().visible = true;
    pf::Loop::instance().do_events();
    next_row_after(1250);
  }

  std::vector<pf::Label*> cislo_;  // the caterpillar's segments 1..; element 0 is none
  pf::Surface bublina_;
  std::array<pf::Surface, 2> prask_;
  pf::Surface zaloha_pozadi_;  // the clean sky
  std::array<Bubble, kBubbles> bubbles_;
  Rada rada_;
  int bubble_count_ = 0;
  int next_rank_ = 1;
  int wrong_count_ = 0;
  int expression_count_ = 0;
  pf::FormTimer casomira_{*this, kFloatMs, [this] { float_up(); }};
};

TAPO_REGISTER_FORM(kFrame.form, FrmHousenka)

}  // namespace tapo::games::housenka
