// The memory cards: twenty cards face up, ten examples and their ten
// results.  The child clicks an example and the card of its result; the
// pair is judged on the card that completes it: a right pair gets a fanfare
// and leaves the table, a wrong pair stays framed until the next click.  A
// whole deal pays five coins less one per wrong pair.
#include <array>
#include <string>

#include "core/animation.h"
#include "core/media.h"
#include "core/random.h"
#include "core/tapo_iii.h"
#include "games/common/game_screen.h"
#include "games/common/review_queue.h"
#include "games/pexeso/layout.h"
#include "games/pexeso/priklady.h"
#include "platform/loop.h"
#include "platform/text.h"
#include "platform/ui.h"

namespace tapo::games::pexeso {

namespace pf = tapo::platform;
using core::MediaPath;
using core::Root;

namespace {

constexpr int kDealPauseMs = 50;
constexpr int kTooManyWrongPairs = 5;

}  // namespace

class FrmPexeso : public GameScreen {
 public:
  FrmPexeso() : GameScreen(kFrame) {}

 private:
  enum class Look { Back, Face, Framed };

  void load_game() override {
    for (auto [look, name] : {std::pair{&back_, "ZADNI.BMP"}, {&face_, "PREDNI.BMP"}, {&framed_, "RAMECEK.BMP"}})
      if (auto pic = core::load_media_picture(file(name))) *look = std::move(*pic);
    std::array<pf::Rect, kCards + 1> places{};
    for (int k = 1; k <= kCards; ++k) places[static_cast<std::size_t>(k)] = card_place(k);
    klikaci_plocha_ = pf::add_control_array<pf::Label>(*this, "klikaci_plocha", places, &FrmPexeso::klikaci_plocha_click);
    klikaci_plocha_[0]->visible = false;
    for (pf::Label* area : klikaci_plocha_) area->enabled = false;
    wrong_pairs_ = 0;
  }

  // The backs are dealt one by one before Tapo explains.
  void introduce() override {
    stamp_all(Look::Back);
    open_count_ = 0;
    say(file("INTRO.DAT"), kFrame.face);
  }

  void open_game() override { vymysli_priklady(); }

  void describe_game(pf::JsonObject& vars) const override {
    std::string cards = "[";
    for (int k = 1; k <= kCards; ++k) {
      pf::JsonObject card;
      card.add("text", area(k).tag).add("key", keys_[static_cast<std::size_t>(k)]).add("visible", area(k).visible);
      cards += (k > 1 ? ", " : "") + card.str();
    }
    vars.add_raw("cards", cards + "]")
        .add("open_count", open_count_)
        .add("first_card", first_card_)
        .add("second_card", second_card_)
        .add("wrong_pairs", wrong_pairs_)
        .add("text_size", text_size_)
        .add_raw("from_review", pf::json_strings(from_review_));
  }

  // ---- the cards ---------------------------------------------------------------

  pf::Label& area(int k) const { return *klikaci_plocha_[static_cast<std::size_t>(k)]; }

  // Card k shows its back, its face or its framed face; a face carries the
  // card's text in the deal's size.
  void stamp(int k, Look look) {
    const pf::Rect place = card_place(k);
    picture.blit(look == Look::Back ? back_ : look == Look::Face ? face_ : framed_, place.x, place.y);
    if (look != Look::Back) {
      const std::string& text = area(k).tag;
      pf::TextStyle style = kCardFont;
      style.size = text_size_;
      const pf::Rect size = pf::measure_text(text, style);
      pf::draw_text(picture, place.x + (place.w - size.w) / 2, place.y + (place.h - size.h) / 2, text, style);
    }
    refresh(place);
  }

  void stamp_all(Look look) {
    for (int k = 1; k <= kCards; ++k) {
      stamp(k, look);
      core::wait_ms(kDealPauseMs);
    }
  }

  void set_frame_controls(bool shown) {
    leave_control().visible = help_control().visible = shown;
  }

  void vymysli_priklady() {
    set_frame_controls(false);
    ReviewQueue review;
    review.load();
    const Rozdani deal = deal_cards(core::player_level, core::rng(), core::clock_seed(), review.due());
    from_review_.clear();
    for (std::size_t i = 0; i < deal.from_review.size(); ++i)
      if (deal.from_review[i]) from_review_.push_back(deal.example_text[i]);
    text_size_ = card_text_size(deal.karty);
    for (int k = 1; k <= kCards; ++k) {
      const Karta& card = deal.karty[static_cast<std::size_t>(k - 1)];
      area(k).tag = card.text;
      keys_[static_cast<std::size_t>(k)] = card.key;
    }
    stamp_all(Look::Face);
    for (int k = 1; k <= kCards; ++k) area(k).enabled = true;
    wrong_pairs_ = 0;
    set_frame_controls(true);
  }

  // ---- choosing ------------------------------------------------------------------

  void klikaci_plocha_click(int k) {
    if (open_count_ == 2) {
      clear_judgement();
      stamp(first_card_, Look::Face);
      stamp(second_card_, Look::Face);
      open_count_ = first_card_ = second_card_ = 0;
      for (int j = 1; j <= kCards; ++j) area(j).enabled = j != k;
    }
    area(k).enabled = false;
    pf::Loop::instance().do_events();
    ++open_count_;
    (open_count_ == 1 ? first_card_ : second_card_) = k;
    stamp(k, Look::Framed);
    if (open_count_ < 2) return example_posed();  // the first card asks for its pair
    const bool pair = keys_[static_cast<std::size_t>(k)] == keys_[static_cast<std::size_t>(first_card_)];
    judge(pair, area(k));
    record_answer("pair", area(first_card_).tag, keys_[static_cast<std::size_t>(first_card_)], area(k).tag, pair, 1);
    if (!pair) {
      core::play_wav({Root::Media, "\\UNI_SND\\CHYBA.WAV"});
      ++wrong_pairs_;
      return;
    }
    core::play_wav(file("FANFARA.WAV"));
    for (int j = 1; j <= kCards; ++j) area(j).enabled = false;
    stamp(first_card_, Look::Back);
    stamp(second_card_, Look::Back);
    core::wait_ms(1000);
    area(first_card_).visible = area(second_card_).visible = false;
    open_count_ = first_card_ = second_card_ = 0;
    odkryl_vsechno();
    for (int j = 1; j <= kCards; ++j) area(j).enabled = true;
  }

  // The end of a deal: the comment, the coins, and at once a new deal (the
  // found pairs already lie face down).
  void odkryl_vsechno() {
    for (int k = 1; k <= kCards; ++k)
      if (area(k).visible) return;
    if (wrong_pairs_ >= kTooManyWrongPairs) {
      say(file("TOOMUCH.DAT"), kFrame.face);
    } else {
      players::CoinsDue due(kGame.coins.due(wrong_pairs_));
      core::play_animation(file("TLESK.DAT"), head());
      core::randomize();
      say(file("FINALNI" + std::to_string(core::rnd_between(1, 3)) + ".DAT"), kFrame.face);
      award(due, kCoins);
    }
    open_count_ = 0;
    vymysli_priklady();
    for (int k = 1; k <= kCards; ++k) area(k).visible = area(k).enabled = true;
  }

  std::vector<pf::Label*> klikaci_plocha_;
  std::array<std::string, kCards + 1> keys_;  // each card's pair key: its result
  pf::Surface back_, face_, framed_;
  int open_count_ = 0;
  int first_card_ = 0, second_card_ = 0;
  int wrong_pairs_ = 0;
  int text_size_ = kCardFont.size;
  std::vector<std::string> from_review_;  // the examples of the deal that are facts of the review
};

TAPO_REGISTER_FORM(kFrame.form, FrmPexeso)

}  // namespace tapo::games::pexeso
