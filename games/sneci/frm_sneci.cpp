// The snail race: the child picks one of five snails in the garage and
// sends it to the start; after the start signal the opponent crawls up the
// track on its clock, the child's snail one stage for every solved example.
// Whoever reaches the strawberry first eats it; a win pays twelve coins, and
// both snails slide back down for the next race.
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
#include "games/sneci/layout.h"
#include "games/sneci/priklad.h"
#include "platform/loop.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "players/record.h"

namespace tapo::games::sneci {

namespace pf = tapo::platform;
using core::MediaPath;
using core::Root;

namespace {

constexpr int kStepMs = 150, kFrameMs = 175, kRestMs = 5000;
constexpr int kOpenGarageFrame = 4, kRivalAtStartFrame = 21;
constexpr int kMostWrong = 3;

}  // namespace

class FrmSneci : public GameScreen {
 public:
  FrmSneci() : GameScreen(kFrame) {}

 private:
  void load_game() override {
    no_clock_ = players::record::settings().no_clock;
    zaloha_pozadi_ = picture;
    const MediaPath rival = file("POHYB\\SOUPER\\DRAHA.DAT");
    auto path = read_path(rival, 2, kRivalStages);
    if (!path) return file_broken(rival);
    rival_path_ = std::move(*path);
    // Every snail's path is read again when it is chosen; a broken one is
    // told now, before a race could need it.
    for (snail_no_ = 1; snail_no_ <= kSnails; ++snail_no_) {
      const MediaPath own = file(snail("POHYB\\H#\\POZICE.DAT"));
      if (!read_path(own, 3, kOwnStages)) return file_broken(own);
    }
    snail_no_ = 1;

    pravy_snek_ = &add<pf::PictureBox>("pravy_snek", pf::Rect{0, 0, 1, 1});
    pravy_snek_->visible = false;
    animace_ = &add<pf::PictureBox>("animace_pic", pf::Rect{0, 0, 1, 1});
    animace_->visible = false;
    ruka_ = &add<pf::PictureBox>("ruka", pf::Rect{kHandAt.x, kHandAt.y, 1, 1});
    if (auto hand = core::load_media_picture(file("RUKA.BMP"))) hand_ = std::move(*hand);
    ruka_->visible = false;
    ruka_->on_click = [this] { zmen_sneka(); };
    // The whole garage answers, as the help tells, not only its doorway.
    snek_v_garazi_ = &add<pf::Label>("snek_v_garazi", kGarage);
    snek_v_garazi_->on_click = [this] { snek_v_garazi_click(); };
    cmd_start_ = &add<pf::Label>("cmd_start", kStart);
    cmd_start_->on_click = [this] { cmd_start_click(); };
    snek_v_garazi_->enabled = cmd_start_->enabled = false;
    klik_cislo_ = pf::add_control_array<pf::Label>(*this, "klik_cislo", kNumbers, &FrmSneci::klik_cislo_click);
    enable_numbers(false);
    for (const char* name : {"leve_cislo", "znamenko", "prave_cislo", "rovna_se", "otaznik"}) {
      pf::Label& l = add<pf::Label>(name, pf::Rect{0, kExampleTop, kNumberWidth, kExampleHeight});
      l.centred = true;
      l.font_size = kExampleFont.size;
      l.fore_color = kExampleFont.color;
      l.visible = false;
      example_.push_back(&l);
    }
    example_[1]->rect = kSign;
    example_[3]->rect = kEquals;
    example_[3]->caption = "=";
    example_[4]->caption = "?";
  }

  void introduce() override {
    core::play_animation(file("JAHODA.DAT"), head());
    GameScreen::introduce();
  }

  void open_game() override {
    otevri_garaz();
    show_hand();
    snek_v_garazi_->enabled = true;
  }

  void describe_game(pf::JsonObject& vars) const override {
    vars.add("snail_no", snail_no_)
        .add("answer_number", priklad_.answer_number)
        .add("previous_answer", previous_answer_)
        .add("own_stage", own_stage_)
        .add("rival_stage", rival_stage_)
        .add("rival_frame", rival_frame_)
        .add("garage_open", garage_open_)
        .add("rival_at_start", rival_at_start_)
        .add("rival_finished", rival_finished_)
        .add("own_finished", own_finished_)
        .add("wrong_count", wrong_count_)
        .add("zero_free_run", zero_free_run_)
        .add("racing", casomira_.enabled() || casomira_levy_snek_.enabled());
  }

  // A path file of exactly `count` records; their last two numbers are x, y.
  std::optional<std::vector<pf::Point>> read_path(const MediaPath& path, std::size_t fields, std::size_t count) {
    const auto text = core::read_text_file(core::real_path(path));
    return text ? read_positions(*text, fields, count, count) : std::nullopt;
  }

  std::string snail(const char* pattern) const {
    std::string s = pattern;
    for (auto at = s.find('#'); at != std::string::npos; at = s.find('#')) s.replace(at, 1, std::to_string(snail_no_));
    return s;
  }

  void enable_numbers(bool on) {
    for (pf::Label* n : klik_cislo_) n->enabled = on;
  }

  // The clean scene back over a part of the form.
  void restore(pf::Rect r) {
    picture.blit(zaloha_pozadi_, r.x, r.y, r.w, r.h, r.x, r.y);
    refresh(r);
  }

  // ---- the garage ------------------------------------------------------------------

  void show_hand() {
    ruka_->image = hand_;
    ruka_->rect = {kHandAt.x, kHandAt.y, hand_.width(), hand_.height()};
    ruka_->visible = true;
    ruka_->refresh();
  }

  // Frame `frame` of the garage clip stamped where the garage stands.
  void show_garage(int frame) {
    core::show_avi_frame(file(snail("G#.AVI")), *animace_, frame);
    animace_->visible = false;
    const pf::Rect at = garage_box_;
    picture.blit(animace_->image, 0, 0, at.w, at.h, at.x, at.y);
    refresh(at);
  }

  void otevri_garaz() {
    core::play_animation(file(snail("G#.DAT")), head());
    garage_box_ = head().rect;
    show_garage(kOpenGarageFrame);
    garage_open_ = true;
  }

  void zmen_sneka() {
    if (!garage_open_) return;
    snail_no_ = snail_no_ % kSnails + 1;
    show_garage(kOpenGarageFrame);
  }

  void snek_v_garazi_click() {
    snek_v_garazi_->enabled = false;
    if (garage_open_) {
      zavri_garaz();
    } else {
      // Back into the garage: no race from there.
      cmd_start_->enabled = false;
      core::play_animation(file(snail("DOSKLUZ\\H#.DAT")), head());
      otevri_garaz();
      show_hand();
    }
    snek_v_garazi_->enabled = true;
  }

  void zavri_garaz() {
    const MediaPath path = file(snail("POHYB\\H#\\POZICE.DAT"));
    auto own = read_path(path, 3, kOwnStages);
    if (!own) return file_broken(path);
    own_path_ = std::move(*own);
    if (auto cells = core::load_media_picture(file(snail("POHYB\\H#\\H#.BMP")))) own_cells_ = std::move(*cells);
    ruka_->visible = false;
    core::play_animation(file(snail("G#Z.DAT")), head());
    show_garage(0);
    core::play_animation(file(snail("DOPLAZ\\H#D.DAT")), head());
    if (!rival_at_start_) {
      core::play_animation(file("DOPLAZ\\SOUPER.DAT"), *pravy_snek_);
      core::show_avi_frame(file("DOPLAZ\\SOUPER.AVI"), *pravy_snek_, kRivalAtStartFrame);
      keep_in_scene(*pravy_snek_);
      pravy_snek_->visible = false;
      rival_at_start_ = true;
    }
    cmd_start_->enabled = true;
    garage_open_ = false;
  }

  // ---- the race ------------------------------------------------------------------------

  void cmd_start_click() {
    snek_v_garazi_->enabled = cmd_start_->enabled = false;
    core::play_animation(file("START.DAT"), *ruka_);
    ruka_->visible = false;
    vymysli_priklad();
    rival_stage_ = 1;
    rival_frame_ = 0;
    own_stage_ = 1;
    rival_finished_ = own_finished_ = false;
    rival_stamp_ = own_stamp_ = pf::Rect{};
    casomira_.set_interval(kRestMs);
    casomira_.set_enabled(!no_clock_);
    enable_numbers(true);
  }

  void smaz_priklad() {
    for (pf::Label* l : example_) l->visible = false;
  }

  void vymysli_priklad() {
    smaz_priklad();
    clear_judgement();
    otaznik_zpet_.set_enabled(false);
    example_[4]->caption = "?";
    example_[4]->fore_color = kExampleFont.color;
    wrong_count_ = 0;
    pf::Loop::instance().do_events();
    priklad_ = draw_example(core::player_level, previous_answer_, zero_free_run_, core::rng(), core::clock_seed());
    pf::Label &leve = *example_[0], &znamenko = *example_[1], &prave = *example_[2], &otaznik = *example_[4];
    leve.caption = std::to_string(priklad_.leve_cislo);
    znamenko.caption = priklad_.znamenko;
    prave.caption = std::to_string(priklad_.prave_cislo);
    leve.rect.x = kNumberPlaces[0];
    (priklad_.place == 1 ? prave : otaznik).rect.x = kNumberPlaces[1];
    (priklad_.place == 1 ? otaznik : prave).rect.x = kNumberPlaces[2];
    core::wait_ms(200);
    for (pf::Label* l : example_) l->visible = true;
    enable_numbers(true);
    example_posed();
  }

  // The clicked number takes the question mark's place and is judged there;
  // a right one stays while the snail takes its step.
  void klik_cislo_click(int k) {
    enable_numbers(false);
    otaznik_zpet_.set_enabled(false);
    pf::Label& answer = *example_[4];
    answer.caption = std::to_string(k);
    answer.refresh();
    const bool right = k == priklad_.answer_number;
    judge(right ? Verdict::Right : Verdict::Wrong, answer.name(), answer_place());
    const std::string left = std::to_string(priklad_.leve_cislo) + " " + priklad_.znamenko + " ";
    record_answer(priklad_.place == 1 ? "result " + priklad_.znamenko : "missing number " + priklad_.znamenko,
                  priklad_.place == 1 ? left + std::to_string(priklad_.prave_cislo) + " = ?"
                                      : left + "? = " + std::to_string(priklad_.prave_cislo),
                  std::to_string(priklad_.answer_number), std::to_string(k), right);
    if (right) {
      pf::Loop::instance().do_events();
      own_cell_ = 0;
      if (!own_stamp_.empty()) restore(own_stamp_);
      pohyb_leveho_sneka();
      casomira_levy_snek_.set_enabled(true);
      return;
    }
    core::play_wav({Root::Media, "\\UNI_SND\\CHYBA.WAV"});
    if (no_clock_ && !casomira_.enabled()) {  // without the clock the rival crawls a stage for a wrong number
      casomira_.set_interval(kFrameMs);
      casomira_.set_enabled(true);
    }
    if (++wrong_count_ < kMostWrong) {
      otaznik_zpet_.set_enabled(true);
      return enable_numbers(true);
    }
    show_right_number();
    if (!rival_finished_) vymysli_priklad();  // the race may have ended meanwhile
  }

  // After the last try the right number stands in its place, green and
  // ticked, for a moment before the next example.
  void show_right_number() {
    pf::Label& answer = *example_[4];
    answer.caption = std::to_string(priklad_.answer_number);
    answer.fore_color = kRightInk;
    answer.refresh();
    show_right(answer.name(), answer_place());
  }

  // The answer's place as judged: the question mark's, made wider when the
  // sign over its corner would cover part of a number of two digits.
  pf::Rect answer_place() const {
    const pf::Label& answer = *example_[4];
    pf::Rect place = answer.rect;
    const int text_right = place.x + (place.w + pf::measure_text(answer.caption, kExampleFont).w) / 2;
    place.w += std::max(0, text_right - sign_rect(place).x);
    return place;
  }

  // A wrong number leaves the answer's place with its sign.
  void otaznik_zpet() {
    otaznik_zpet_.set_enabled(false);
    example_[4]->caption = "?";
    example_[4]->refresh();
  }

  // The child's snail at its stage, in step picture `own_cell_`.
  void pohyb_leveho_sneka() {
    const int w = own_cells_.width() / kCellsPerStep, h = own_cells_.height();
    const pf::Point at = own_path_[static_cast<std::size_t>(own_stage_ - 1)];
    pf::Surface frame(w, h);
    frame.blit(zaloha_pozadi_, at.x, at.y, w, h, 0, 0);
    pf::Surface cell(w, h);
    cell.blit(own_cells_, w * own_cell_, 0, w, h, 0, 0);
    core::blit_keyed(frame, cell, 0, 0, w, h, 0, 0, core::key_colour(cell));
    head().rect = {at.x, at.y, w, h};
    head().image = std::move(frame);
    head().visible = true;
    head().refresh();
  }

  void step_tick() {
    casomira_levy_snek_.set_enabled(false);
    ++own_cell_;
    if (own_cell_ == 1 && !core::sound_playing()) core::play_wav(file(snail("POHYB\\H#\\H#.WAV")));
    if (own_cell_ < kCellsPerStep) {
      pohyb_leveho_sneka();
      casomira_levy_snek_.set_enabled(true);
      return;
    }
    own_cell_ = 0;
    ++own_stage_;
    keep_in_scene(head());
    own_stamp_ = head().rect;
    head().visible = false;
    if (own_stage_ <= kOwnStages)
      vymysli_priklad();
    else if (!rival_finished_)
      own_arrives();
  }

  void rival_tick() {
    casomira_.set_enabled(false);
    const pf::Point at = rival_path_[static_cast<std::size_t>(rival_stage_ - 1)];
    if (rival_frame_ == 0 && !rival_stamp_.empty()) restore(rival_stamp_);
    pravy_snek_->rect.x = at.x;
    pravy_snek_->rect.y = at.y;
    core::show_avi_frame(rival_clip(rival_stage_), *pravy_snek_, rival_frame_);
    pravy_snek_->visible = true;
    ++rival_frame_;
    casomira_.set_interval(kFrameMs);
    if (rival_frame_ < kRivalFrames) return casomira_.set_enabled(true);
    if (own_finished_) return;
    rival_frame_ = 0;
    ++rival_stage_;
    if (rival_stage_ <= kRivalStages) {
      if (rival_path_[static_cast<std::size_t>(rival_stage_ - 1)].x != pravy_snek_->rect.x) stamp_rival();
      casomira_.set_interval(kRestMs);
      casomira_.set_enabled(!no_clock_);  // without the clock it waits for the next wrong number
      return;
    }
    rival_arrives();
  }

  MediaPath rival_clip(int stage) const { return file("POHYB\\SOUPER\\S" + std::to_string(stage) + ".AVI"); }

  // The opponent's last picture of its stage stays in the scene.
  void stamp_rival() {
    pravy_snek_->visible = false;
    keep_in_scene(*pravy_snek_);
    rival_stamp_ = pravy_snek_->rect;
  }

  // ---- the ends of a race ------------------------------------------------------------------

  void rival_arrives() {
    rival_stage_ = kRivalStages;
    rival_finished_ = true;
    while (casomira_levy_snek_.enabled()) core::wait_ms(kStepMs);
    stamp_rival();
    smaz_priklad();
    enable_numbers(false);
    if (own_stage_ <= kOwnStages)
      core::play_animation_frames(file("ZEROU\\SOUPER.DAT"), head());
    else
      core::play_animation(file(snail("ZEROU\\S#.DAT")), head());
    core::play_animation(file("FAN.DAT"), head());
    core::randomize();
    say(file("PROHRAL" + std::to_string(core::rnd_between(1, 3)) + ".DAT"), kFrame.face);
    sklouzni_sneky();
    snek_v_garazi_->enabled = cmd_start_->enabled = true;
  }

  void own_arrives() {
    players::CoinsDue due(kGame.coins.due(0));
    own_finished_ = true;
    // A stage the rival is crawling is finished; one it rests before (or,
    // without the clock, waits before) is not taken.
    while (casomira_.enabled() && casomira_.interval() != kRestMs) core::wait_ms(kFrameMs);
    if (casomira_.interval() == kRestMs) {
      casomira_.set_enabled(false);
      --rival_stage_;
    }
    if (rival_stage_ > 1) stamp_rival();
    smaz_priklad();
    if (rival_stage_ < kRivalStages)
      core::play_animation_frames(file(snail("ZEROU\\Z#.DAT")), *ruka_);
    else
      core::play_animation(file(snail("ZEROU\\#S.DAT")), *ruka_);
    core::play_animation(file("TLESK.DAT"), head());
    core::randomize();
    say(file("VYHRAL" + std::to_string(core::rnd_between(1, 3)) + ".DAT"), kFrame.face);
    award(due, kCoins);
    sklouzni_sneky();
    snek_v_garazi_->enabled = cmd_start_->enabled = true;
  }

  // Both snails slide back down: first the opponent, then the child's snail,
  // each through the places of its slide file up to the stage it reached.
  void sklouzni_sneky() {
    for (pf::Rect* left : {&rival_stamp_, &own_stamp_}) {
      if (!left->empty()) restore(*left);
      *left = pf::Rect{};
    }
    slide(file("SKLUZ\\SOUPER.BMP"), file("SKLUZ\\SOUPER.DAT"), rival_stage_);
    slide(file(snail("SKLUZ\\H#.BMP")), file(snail("SKLUZ\\H#.DAT")), own_stage_ - 1);
    enable_numbers(false);
    core::play_animation(file("JAHODA.DAT"), head());
  }

  void slide(const MediaPath& picture_file, const MediaPath& path_file, int reached) {
    const auto sliding = core::load_media_picture(picture_file);
    const auto text = core::read_text_file(core::real_path(path_file));
    const auto lines = text ? read_records(*text, 3, 0, 100) : std::nullopt;
    if (!sliding || !lines) return core::note_unreadable(path_file);
    if (reached > 1) core::play_wav(file("SKLUZ\\SJEZD.WAV"));
    pf::Rect was{};
    for (std::size_t i = 0; i < lines->size(); i += 3) {
      if ((*lines)[i] > reached) continue;
      const pf::Rect now{(*lines)[i + 1], (*lines)[i + 2], sliding->width(), sliding->height()};
      if (!was.empty()) restore(was);
      restore(now);
      core::blit_keyed(picture, *sliding, 0, 0, now.w, now.h, now.x, now.y, core::key_colour(*sliding));
      refresh(now);
      was = now;
      core::wait_ms(50);
    }
  }

  pf::PictureBox* pravy_snek_ = nullptr;
  pf::PictureBox* animace_ = nullptr;
  pf::PictureBox* ruka_ = nullptr;
  pf::Label* snek_v_garazi_ = nullptr;
  pf::Label* cmd_start_ = nullptr;
  std::vector<pf::Label*> klik_cislo_;
  std::vector<pf::Label*> example_;  // leve_cislo, znamenko, prave_cislo, rovna_se, otaznik
  pf::Surface zaloha_pozadi_, hand_, own_cells_;
  pf::Rect garage_box_{}, rival_stamp_{}, own_stamp_{};
  std::vector<pf::Point> rival_path_, own_path_;
  Priklad priklad_;
  int snail_no_ = 1;
  int previous_answer_ = 0;
  int zero_free_run_ = zero_free_run_start;
  int own_stage_ = 1, own_cell_ = 0;
  int rival_stage_ = 1, rival_frame_ = 0;
  int wrong_count_ = 0;
  bool no_clock_ = false;  // a grown-up's setting for the piglet
  bool garage_open_ = false, rival_at_start_ = false, rival_finished_ = false, own_finished_ = false;
  pf::FormTimer casomira_{*this, kRestMs, [this] { rival_tick(); }};
  pf::FormTimer casomira_levy_snek_{*this, kStepMs, [this] { step_tick(); }};
  pf::FormTimer otaznik_zpet_{*this, kSignShownMs, [this] { otaznik_zpet(); }};
};

TAPO_REGISTER_FORM(kFrame.form, FrmSneci)

}  // namespace tapo::games::sneci
