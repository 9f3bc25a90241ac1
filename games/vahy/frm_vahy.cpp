// The scales game: a number or a small example on each pan; the child turns
// the sign between them to ">", "<" or "=" and releases the lock.  The pans
// tip by their true values (or stay level when equal), the sign is judged
// (a miss is shown the right sign), Tapo comments, and a new pair comes.
// Five right answers in a row earn two coins.
#include <array>
#include <memory>
#include <string>

#include "core/animation.h"
#include "core/media.h"
#include "core/random.h"
#include "core/tapo_iii.h"
#include "games/common/game_screen.h"
#include "games/common/review_queue.h"
#include "games/vahy/cisla.h"
#include "games/vahy/layout.h"
#include "platform/clip.h"
#include "platform/i18n.h"
#include "platform/loop.h"
#include "platform/text.h"
#include "platform/ui.h"

namespace tapo::games::vahy {

namespace pf = tapo::platform;
using core::MediaPath;
using core::Root;

namespace {

constexpr pf::Point kCoins{280, 410};
const pf::TextStyle kPanFont{29, false, pf::rgb(0, 0, 0)};

// Where a pan's text stands, centred in its box, in a picture whose top
// left is at `origin`.
pf::Point text_place(const std::string& text, pf::Rect box, pf::Point origin, int shift) {
  const pf::Rect size = pf::measure_text(text, kPanFont);
  return {box.x - origin.x + (box.w - size.w) / 2, box.y - origin.y + (box.h - size.h) / 2 + shift};
}

std::unique_ptr<pf::Clip> open_pan(const char* name) {
  const MediaPath file{Root::Data, name};
  pf::Clip::Error error = pf::Clip::Error::None;
  auto clip = pf::Clip::open(core::real_path(file), &error);
  if (!clip) {
    core::note_unreadable(file);
    core::clip_failure(error == pf::Clip::Error::Decoder, pf::tr("Stop!"));
  }
  return clip;
}


}  // namespace

class FrmVahy : public GameScreen {
 public:
  FrmVahy() : GameScreen(kFrame) {}

 private:
  // One pan on its way down or up: its clip, its picture box and place.
  struct Move {
    const PanClip& pan;
    std::unique_ptr<pf::Clip> clip;
    pf::PictureBox* box;
    std::string text;
  };

  void load_game() override {
    zero_free_run_ = zero_free_run_start;
    review_.load();
    levy_ = &add<pf::PictureBox>("levy_pic", kLeftDown.box);
    pravy_ = &add<pf::PictureBox>("pravy_pic", kRightDown.box);
    levy_->visible = pravy_->visible = false;
    znamenko_ = &add<pf::PictureBox>("znamenko_pic", kSign);
    znamenko_->on_click = [this] { znamenko_click(); };
    show_sign("?");
    aretace_ = &add<pf::Label>("aretace", kLock);
    aretace_->on_click = [this] { aretace_click(); };
    aretace_->enabled = false;
    jezek_ = &add<pf::Label>("cmd_jezek", kHedgehog);
    jezek_->on_click = [this] { core::play_animation(file("JEZEK.DAT"), head()); };
    krysa_ = &add<pf::Label>("cmd_krysa", kMouse);
    krysa_->on_click = [this] { krysa_click(); };
    jezek_->enabled = krysa_->enabled = false;
  }

  void open_game() override {
    jezek_->enabled = krysa_->enabled = true;
    run_ = 0;
    vymysli_cisla();
  }

  void describe_game(pf::JsonObject& vars) const override {
    vars.add("left_value", pans_.left_value)
        .add("right_value", pans_.right_value)
        .add("left_text", pans_.left_text)
        .add("right_text", pans_.right_text)
        .add("zero_free_run", zero_free_run_)
        .add("correct_run", run_)
        .add("sign", znamenko_->tag)
        .add("lock_enabled", aretace_->enabled)
        .add("from_review", from_review_);
  }

  // ---- a new pair ----------------------------------------------------------

  void vymysli_cisla() {
    // Now and then a comparison of the piglet's review.
    const auto due = review_.next([](const players::review::Fact& f) { return pans_of(f, core::player_level); });
    from_review_ = due.has_value();
    pans_ = due ? *due : draw_pans(core::player_level, zero_free_run_, core::rng(), core::clock_seed());
    clear_judgement();
    show_sign("?");
    for (const auto& [text, box] : {std::pair{pans_.left_text, kLeftText}, std::pair{pans_.right_text, kRightText}}) {
      const pf::Point at = text_place(text, box, {0, 0}, 0);
      pf::draw_text(picture, at.x, at.y, text, kPanFont);
    }
    refresh();
    znamenko_->visible = znamenko_->enabled = true;
    aretace_->enabled = false;
    jezek_->enabled = krysa_->enabled = true;
    example_posed();
  }

  void show_sign(const std::string& sign) {
    static const std::array<std::pair<const char*, const char*>, 4> kPictures = {
        {{"?", "OTAZNIK.BMP"}, {">", "VETSI.BMP"}, {"<", "MENSI.BMP"}, {"=", "ROVNO.BMP"}}};
    for (const auto& [tag, name] : kPictures)
      if (sign == tag)
        if (auto p = core::load_media_picture(file(name))) znamenko_->image = std::move(*p);
    znamenko_->rect.w = znamenko_->image.width();
    znamenko_->rect.h = znamenko_->image.height();
    znamenko_->tag = sign;
    znamenko_->refresh();
  }

  void znamenko_click() {
    const std::string& s = znamenko_->tag;
    show_sign(s == "?" || s == "=" ? ">" : s == ">" ? "<" : "=");
    aretace_->enabled = true;
  }

  // ---- the balance -----------------------------------------------------------

  void aretace_click() {
    aretace_->enabled = krysa_->enabled = jezek_->enabled = znamenko_->enabled = false;
    core::play_wav(file("ARETACE.WAV"));
    if (pans_.left_value == pans_.right_value) {
      core::wait_for_sound_without_events();
      core::play_wav(file("PREKVAP.WAV"));
    } else {
      auto moves = pan_moves(true);
      core::randomize();
      core::wait_for_sound_without_events();
      core::play_wav(file("DOLU" + std::to_string(core::rnd_between(1, 2)) + ".WAV"));
      for (int i = 0; i <= 4; ++i) {
        for (Move& m : moves) show_pan(m, i);
        core::wait_ms(25);
      }
    }
    vyhodnot_vysledek();
  }

  // Both pans' clips and places for the way the balance tips.
  std::array<Move, 2> pan_moves(bool with_text) {
    const bool left_down = pans_.left_value > pans_.right_value;
    const PanClip& left = left_down ? kLeftDown : kLeftUp;
    const PanClip& right = left_down ? kRightUp : kRightDown;
    return {Move{left, open_pan(left.file), levy_, with_text ? pans_.left_text : ""},
            Move{right, open_pan(right.file), pravy_, with_text ? pans_.right_text : ""}};
  }

  // Frame i of a pan, with its text riding on it.
  void show_pan(Move& m, int i) {
    const pf::Rect place = m.pan.box;
    pf::Surface buffer(place.w, place.h);
    if (const pf::Surface* f = m.clip->frame(m.clip->start() + i)) buffer.blit(*f, 0, 0);
    if (!m.text.empty()) {
      const pf::Point at = text_place(m.text, m.pan.left ? kLeftText : kRightText, {place.x, place.y}, pan_shift(i, m.pan.down));
      pf::draw_text(buffer, at.x, at.y, m.text, kPanFont);
    }
    m.box->rect = place;
    m.box->image = std::move(buffer);
    m.box->visible = true;
    m.box->refresh();
  }

  void vrat_vahy() {
    auto moves = pan_moves(false);
    core::randomize();
    core::wait_for_sound_without_events();
    core::play_wav(file("NAHORU" + std::to_string(core::rnd_between(1, 2)) + ".WAV"));
    for (int i = 4; i >= 0; --i) {
      for (Move& m : moves) show_pan(m, i);
      core::wait_ms(50);
    }
    for (Move& m : moves) {
      picture.blit(m.box->image, m.pan.box.x, m.pan.box.y);
      m.box->visible = false;
    }
    refresh();
  }

  // The level pans, which also wipe the old texts.
  void level_pans() {
    for (const PanClip* pan : {&kLeftDown, &kRightDown}) {
      auto clip = open_pan(pan->file);
      if (const pf::Surface* f = clip->frame(clip->start())) picture.blit(*f, pan->box.x, pan->box.y);
    }
    refresh();
  }

  // ---- judging ---------------------------------------------------------------

  void vyhodnot_vysledek() {
    const bool right = znamenko_->tag == right_sign(pans_);
    judge(right, *znamenko_);
    record_answer("comparison", pans_.left_text + " ? " + pans_.right_text, right_sign(pans_), znamenko_->tag, right);
    core::randomize();
    if (right) {
      ++run_;
      if (run_ < kGame.coins.run) comment_shared(core::rnd_between(1, 6), kFrame.face);
    } else {
      run_ = 0;
      comment("SPATNE", core::rnd_between(1, 3), kFrame.face);
      show_right_sign();
    }
    if (run_ >= kGame.coins.run) {
      players::CoinsDue due(kGame.coins.due(0));
      run_ = 0;
      core::randomize();
      comment("SPRAVNE", core::rnd_between(1, 3), kFrame.face);
      award(due, kCoins);
    }
    if (pans_.left_value == pans_.right_value) {
      level_pans();
    } else {
      core::wait_ms(500);
      vrat_vahy();
    }
    core::wait_ms(1000);
    vymysli_cisla();
  }

  // After a miss the right sign stands in its cell, ticked, while the pans
  // still show why, so that the child sees what it should have been.
  void show_right_sign() {
    show_sign(right_sign(pans_));
    show_right(*znamenko_);
  }

  void krysa_click() {
    help_control().visible = false;
    core::play_animation(file("MYS.DAT"), head());
    help_control().visible = true;
  }

  pf::PictureBox* levy_ = nullptr;
  pf::PictureBox* pravy_ = nullptr;
  pf::PictureBox* znamenko_ = nullptr;
  pf::Label* aretace_ = nullptr;
  pf::Label* jezek_ = nullptr;
  pf::Label* krysa_ = nullptr;
  Par pans_;
  ReviewQueue review_;
  bool from_review_ = false;  // the pans are a comparison of the review
  int zero_free_run_ = zero_free_run_start;
  int run_ = 0;  // right answers in a row, 0..5
};

TAPO_REGISTER_FORM(kFrame.form, FrmVahy)

}  // namespace tapo::games::vahy
