// The players' screen: six piglets, one for each profile.  The child picks a
// piglet (or makes a new player: a name on the board, then a level coin),
// takes away a player with the magic hat, and goes on to the games (rocking
// horse), the toy shop (crank) or home (bell).  Tapo greets and gives hints.
#include <array>
#include <optional>
#include <utility>

#include "core/animation.h"
#include "core/keying.h"
#include "core/media.h"
#include "core/screen.h"
#include "core/screens.h"
#include "core/tapo_iii.h"
#include "platform/sound.h"
#include "platform/ui.h"
#include "platform/utf8.h"
#include "players/journal.h"
#include "players/meadow_layout.h"
#include "players/profiles.h"
#include "players/purse.h"
#include "players/record.h"

namespace tapo::players {

namespace pf = tapo::platform;
using core::MediaPath;
using core::Root;

namespace {

using meadow::kLevelCoins, meadow::kNameBoxes, meadow::kPigletAreas;
constexpr std::array<pf::Rect, 3> kLevelAreas = {{{96, 84, 37, 45}, {140, 56, 37, 45}, {196, 60, 37, 41}}};
// The chosen player's coins, beside the level coins.
constexpr pf::Rect kPurse{4, 94, 82, 26};
constexpr int kHatX = meadow::kHat.x, kHatY = meadow::kHat.y;
constexpr int kHatHop = 6;  // how high the hat hops while its question waits
constexpr int kNoTarget = 99;
constexpr std::size_t kNameChars = 12;
constexpr const char* kHintFace = "MLUVI_.AVI";

namespace screens = core::screens;

bool blank(const std::string& s) { return s.find_first_not_of(" \t") == std::string::npos; }

}  // namespace

class FrmHraci : public core::Screen {
 public:
  FrmHraci() : Screen(std::string(screens::kPlayers), "CUNICI") {}

  void on_load() override;
  void on_activate() override;
  void on_mouse_move(int x, int y) override;
  void on_mouse_up(int x, int y) override;
  void on_text(const std::string& text) override;
  void on_key(const std::string& key) override;
  void describe(pf::JsonObject& vars) const override;

 private:
  // Piglets, names and levels.
  void piglet_click(int i);
  void level_click(int j);
  void games_click();
  void crank_click();
  void bell_click();
  void grownups_click();
  void draw_book();
  // Tapo says a speech of the screen's folder with the face `face` (a clip there).
  void say(const std::string& dat, const char* face);
  void hint(const char* name) { say(std::string(name) + ".DAT", kHintFace); }
  void kaspar_click();
  void tapo_help_click();
  void video_click();
  void interrupt_talk() { core::interrupt_talk(*video_); }
  void zhasni_mince();
  void rozsvit_aktualni_minci();
  // A picture of the screen's folder drawn into the scene at (x, y).
  void draw_on_background(const std::string& name, int x, int y);
  void draw_level_coin(int j, bool lit);
  std::optional<pf::Surface> picture_of(const std::string& name) const { return core::load_media_picture(file(name)); }
  pf::TextBox* entry_box() const;
  void end_entry();
  void put_down(int slot);
  // Hover animations.
  void crank_tick();
  void bell_tick();
  void show_cell(pf::PictureBox& box, const std::optional<pf::Surface>& strip, int cells, int cell);
  // The hat.
  void hat_down(int x, int y);
  void hat_move(int x, int y);
  void hat_up(int x, int y);
  void hat_blink();
  void draw_hat_at(int x, int y, int lift = 0);
  void restore_under_hat();
  void end_hat_drag();
  void delete_slot(int i);

  static const std::array<pf::ControlRow<FrmHraci>, 5> kControls;

  std::vector<pf::Label*> cunik_;
  std::vector<pf::Label*> jmeno_lbl_;
  std::vector<pf::TextBox*> jmeno_txt_;
  std::vector<pf::Label*> level_plocha_;
  pf::PictureBox* klobouk_ = nullptr;
  pf::PictureBox* klika_ = nullptr;
  pf::PictureBox* zvonec_ = nullptr;
  pf::Label* cmd_hry_ = nullptr;
  pf::Label* kaspar_ = nullptr;
  pf::Label* tapo_help_ = nullptr;
  pf::PictureBox* video_ = nullptr;
  pf::PictureBox* grownups_ = nullptr;
  Purse* purse_ = nullptr;
  pf::FormTimer casomira_klika{*this, 150, [this] { crank_tick(); }};
  pf::FormTimer casomira_zvonec{*this, 150, [this] { bell_tick(); }};
  pf::FormTimer casomira_klobouk{*this, 200, [this] { hat_blink(); }};

  std::optional<pf::Surface> hat_, crank_strip_, bell_strip_;
  pf::Surface background_;     // the persistent picture while a hat drag runs over the saved screen
  pf::Surface zaloha_pozadi_;  // the screen as it was when the drag started
  std::string selected_slot_;
  bool activated_ = false;
  bool dragging_ = false;
  int grab_x_ = 0, grab_y_ = 0, hat_x_ = kHatX, hat_y_ = kHatY;
  int hat_target_ = kNoTarget;
  int crank_tag_ = 0, bell_tag_ = 0, blink_tag_ = 0;
};

void FrmHraci::on_load() {
  load_screen();
  hat_ = picture_of("KLOBOUK.BMP");
  crank_strip_ = picture_of("KLIKA.BMP");
  bell_strip_ = picture_of("ZVONEK.BMP");
  record::session_ended();  // back on the players' screen, the piglet stops playing
  core::clear_player();
  repair_profiles();

  cunik_ = pf::add_control_array<pf::Label>(*this, "cunik", kPigletAreas, &FrmHraci::piglet_click);
  for (size_t i = 0; i < 6; ++i) cunik_[i]->tag = std::string(kSlotKeys[i]);
  level_plocha_ = pf::add_control_array<pf::Label>(*this, "level_plocha", kLevelAreas, &FrmHraci::level_click);
  for (auto* area : level_plocha_) area->visible = false;
  // Each board is a label with the name and, over it, the box a new name is typed in.
  for (size_t i = 0; i < 6; ++i) {
    const std::string name = pf::stored_text_to_utf8(slot_name(kSlotKeys[i]), core::language);
    const int slot = static_cast<int>(i);
    auto& label = add<pf::Label>(pf::element_name("jmeno_lbl", slot), kNameBoxes[i]);
    auto& box = add<pf::TextBox>(pf::element_name("jmeno_txt", slot), kNameBoxes[i]);
    for (pf::Label* l : {static_cast<pf::Label*>(&label), static_cast<pf::Label*>(&box)}) {
      l->caption = name;
      l->centred = true;
      l->font_size = 16;
      l->fore_color = pf::rgb(70, 40, 20);
    }
    label.on_click = [this, slot] { piglet_click(slot); };
    box.max_chars = kNameChars;
    box.visible = box.enabled = false;
    jmeno_lbl_.push_back(&label);
    jmeno_txt_.push_back(&box);
  }

  const int hat_w = hat_ ? hat_->width() : 64, hat_h = hat_ ? hat_->height() : 52;
  klobouk_ = &add<pf::PictureBox>("klobouk", pf::Rect{kHatX, kHatY, hat_w, hat_h});
  draw_hat_at(kHatX, kHatY);
  klobouk_->on_mouse_down = [this](int x, int y) { hat_down(x, y); };
  klobouk_->on_mouse_move = [this](int x, int y) { hat_move(x + klobouk_->rect.x, y + klobouk_->rect.y); };
  klobouk_->on_mouse_up = [this](int x, int y) { hat_up(x + klobouk_->rect.x, y + klobouk_->rect.y); };

  const int crank_w = crank_strip_ ? crank_strip_->width() / 3 : 52, crank_h = crank_strip_ ? crank_strip_->height() : 52;
  klika_ = &add<pf::PictureBox>("klika", pf::Rect{meadow::kCrank.x, meadow::kCrank.y, crank_w, crank_h});
  show_cell(*klika_, crank_strip_, 3, 0);
  klika_->on_click = [this] { crank_click(); };
  klika_->on_mouse_move = [this](int, int) { if (!casomira_klika.enabled()) casomira_klika.set_enabled(true); };

  pf::add_controls(*this, kControls);
  zvonec_ = &control_as<pf::PictureBox>("zvonec");
  show_cell(*zvonec_, bell_strip_, 4, 0);
  zvonec_->on_mouse_move = [this](int, int) { if (!casomira_zvonec.enabled()) casomira_zvonec.set_enabled(true); };
  cmd_hry_ = &control_as<pf::Label>("cmd_hry");
  kaspar_ = &control_as<pf::Label>("kaspar");
  tapo_help_ = &control_as<pf::Label>("tapo_help");
  video_ = &control_as<pf::PictureBox>("video");
  video_->visible = false;
  purse_ = &add<Purse>("dukaty", kPurse);
  grownups_ = &add<pf::PictureBox>("grownups", meadow::kBook);
  grownups_->on_click = [this] { grownups_click(); };
  grownups_->pointer = pf::Pointer::Hand;
  draw_book();

  selected_slot_.clear();
  activated_ = false;
  core::shop_greeting_done = false;
  hat_target_ = kNoTarget;
  for (pf::Control* c :
       std::initializer_list<pf::Control*>{tapo_help_, zvonec_, klika_, cmd_hry_, kaspar_, klobouk_, grownups_})
    c->enabled = false;
}

void FrmHraci::kaspar_click() {
  interrupt_talk();
  core::play_animation(file("PANAC.DAT"), *video_);
}

void FrmHraci::tapo_help_click() {
  interrupt_talk();
  say("HELP.DAT", kHintFace);
}

void FrmHraci::video_click() { core::hush(*video_); }

void FrmHraci::on_activate() {
  // Back from the games or the shop: the coins may have changed.
  if (!core::player_name.empty()) purse_->show(core::player_coins, purse_->visible);
  if (activated_) return;
  if (!std::exchange(returning_from_corner, false)) {
    core::play_animation(file("GESTO.DAT"), *video_);
    core::say(file("INTRO.DAT"), file("MLUVI.AVI"), *video_);
    core::play_animation(file("GESTOREV.DAT"), *video_);
  }
  core::show_avi_frame(file("GESTO.AVI"), *video_, 11);
  picture.blit(video_->image, video_->rect.x, video_->rect.y);  // Tapo keeps standing there
  video_->visible = false;
  activated_ = true;
  for (pf::Control* c : std::initializer_list<pf::Control*>{zvonec_, tapo_help_, cmd_hry_, kaspar_, klobouk_, grownups_})
    c->enabled = true;
  refresh();
}

void FrmHraci::describe(pf::JsonObject& vars) const {
  const auto review = core::player_id.empty() ? std::vector<journal::ReviewItem>{}
                                              : journal::Journal(record::file()).review(core::player_id);
  std::string names = "[";
  for (size_t i = 0; i < 6; ++i) names += (i ? ", " : "") + pf::json_quote(jmeno_lbl_[i]->caption);
  const pf::TextBox* box = entry_box();
  vars.add("selected_slot", selected_slot_)
      .add("activated", activated_)
      .add("hat_target", hat_target_)
      .add("hat_x", hat_x_)
      .add("hat_y", hat_y_)
      .add("entry", box ? box->caption : std::string())
      .add("level_areas", level_plocha_[0]->visible)
      .add("crank_enabled", klika_->enabled)
      .add("balance", purse_->visible ? purse_->caption : std::string())
      .add_raw("review", journal::review_json(review))
      .add_raw("review_due", journal::due_json(review))
      .add_raw("names", names + "]");
}

// ---- talk -------------------------------------------------------------------

void FrmHraci::say(const std::string& dat, const char* face) {
  const bool help_was = tapo_help_->enabled;
  tapo_help_->enabled = false;
  core::say(file(dat), file(face), *video_);
  tapo_help_->enabled = help_was && !dragging_;
}

// ---- piglets and names --------------------------------------------------------

pf::TextBox* FrmHraci::entry_box() const {
  for (auto* box : jmeno_txt_)
    if (box->enabled) return box;
  return nullptr;
}

void FrmHraci::end_entry() {
  for (auto* box : jmeno_txt_) {
    box->enabled = box->visible = box->focused = false;
  }
  for (auto* area : level_plocha_) area->visible = false;
}

void FrmHraci::draw_on_background(const std::string& name, int x, int y) {
  if (auto s = picture_of(name)) picture.blit(*s, x, y);
  refresh();
}

void FrmHraci::draw_level_coin(int j, bool lit) {
  const auto& coin = kLevelCoins[static_cast<size_t>(j)];
  draw_on_background(std::string(coin.name) + (lit ? "_" : "") + ".BMP", coin.box.x, coin.box.y);
}

void FrmHraci::zhasni_mince() {
  for (int j = 0; j < 3; ++j)
    if (core::player_level != 0 && j + 1 != core::player_level)
      draw_level_coin(j, false);
}

void FrmHraci::rozsvit_aktualni_minci() {
  if (core::player_level < 1 || core::player_level > 3) return;
  draw_level_coin(core::player_level - 1, true);
}

void FrmHraci::put_down(int slot) {
  const std::string key(kSlotKeys[static_cast<size_t>(slot)]);
  core::play_animation(file(key + "_REV.DAT"), *video_);
  core::show_avi_frame(file(key + ".AVI"), *video_, 0);
  picture.blit(video_->image, video_->rect.x, video_->rect.y);
  video_->visible = false;
  refresh();
}

void FrmHraci::piglet_click(int i) {
  const std::string key(kSlotKeys[static_cast<size_t>(i)]);
  interrupt_talk();
  if (key == selected_slot_) return;
  {
    core::HiddenCursor hidden;
    if (!selected_slot_.empty()) {
      end_entry();
      for (int k = 0; k < 6; ++k)
        if (kSlotKeys[static_cast<size_t>(k)] == selected_slot_) put_down(k);
    }
    core::play_animation(file(key + ".DAT"), *video_);
    selected_slot_ = key;
  }

  const std::string& name = jmeno_lbl_[static_cast<size_t>(i)]->caption;
  if (blank(name)) {
    choose_slot(key, "");
    for (auto* area : level_plocha_) area->visible = true;
    draw_on_background("MINCE.BMP", meadow::kCoinArea.x, meadow::kCoinArea.y);
    auto* box = jmeno_txt_[static_cast<size_t>(i)];
    box->caption.clear();
    box->enabled = box->visible = box->focused = true;
    klika_->enabled = false;
    purse_->visible = false;
  } else {
    choose_slot(key, name);
    for (auto* area : level_plocha_) area->visible = false;
    draw_on_background("MINCE_.BMP", meadow::kCoinArea.x, meadow::kCoinArea.y);
    zhasni_mince();
    rozsvit_aktualni_minci();
    klika_->enabled = true;
    purse_->show(core::player_coins);
  }
  refresh();
}

void FrmHraci::on_text(const std::string& text) {
  if (auto* box = entry_box(); box && !dragging_) box->type(text);
}

void FrmHraci::on_key(const std::string& key) {
  if (key == "Backspace")
    if (auto* box = entry_box(); box && !dragging_) box->backspace();
}

void FrmHraci::level_click(int j) {
  interrupt_talk();
  pf::TextBox* box = entry_box();
  if (!box) return;
  if (blank(box->caption)) {
    hint("MISSNAME");
    return;
  }
  core::play_wav(file("CINK.WAV"));
  if (!create_profile(selected_slot_, box->caption, j + 1)) return;
  for (size_t i = 0; i < 6; ++i)
    if (jmeno_txt_[i] == box) jmeno_lbl_[i]->caption = box->caption = core::player_name;
  end_entry();
  zhasni_mince();
  klika_->enabled = true;
  purse_->show(core::player_coins);
  refresh();
}

// ---- leaving ------------------------------------------------------------------

void FrmHraci::games_click() {
  interrupt_talk();
  if (blank(selected_slot_)) return hint("ZVOLHRAC");
  if (core::player_name.empty()) {
    const pf::TextBox* box = entry_box();
    if (!box || blank(box->caption) || core::player_level != 0) return hint("NONAME");
    return hint("DO_KOLIK");
  }
  core::play_wav(file("ZARZANI.WAV"));
  screens::show(screens::kGamesMenu);
  // The whinny ends before this screen goes, with nothing else happening.
  core::wait_for_sound_without_events();
  hide();
}

void FrmHraci::crank_click() {
  interrupt_talk();
  if (core::player_name.empty()) return hint("ZVOLHRAC");
  core::play_wav(file("KLIKA.WAV"));
  screens::show(screens::kToyShop);
  casomira_klika.set_enabled(false);
  crank_tag_ = 0;
  show_cell(*klika_, crank_strip_, 3, 0);
  hide();
}

void FrmHraci::bell_click() {
  interrupt_talk();
  core::play_wav(file("ZVONECEK.WAV"));
  core::closing = true;
  screens::show(screens::kStartUp);
  unload();
}

// The grown-ups' corner: the piglet stops playing, and the meadow is loaded
// afresh on the way back (a level may have changed there).
void FrmHraci::grownups_click() {
  interrupt_talk();
  record::session_ended();
  core::clear_player();
  screens::show(screens::kGrownUps);
  unload();
}

// A small closed book with a clasp, in the sky's corner: easy to find for a
// grown-up who knows of it, nothing a child looks for.
void FrmHraci::draw_book() {
  const pf::Rect r = meadow::kBook;
  pf::Surface& book = grownups_->image;
  book = pf::Surface(r.w, r.h);
  book.blit(picture, r.x, r.y, r.w, r.h, 0, 0);
  book.fill_rect({3, 2, r.w - 6, r.h - 4}, pf::rgb(120, 70, 40));        // the cover
  book.fill_rect({r.w - 5, 4, 2, r.h - 8}, pf::rgb(245, 235, 210));      // the pages' edge
  book.fill_rect({6, 5, r.w - 13, 1}, pf::rgb(170, 110, 70));
  book.fill_rect({r.w - 9, r.h / 2 - 3, 7, 6}, pf::rgb(220, 180, 60));   // the clasp
  book.fill_rect({r.w - 7, r.h / 2 - 1, 3, 2}, pf::rgb(120, 90, 30));
}

// ---- hover ------------------------------------------------------------------

void FrmHraci::show_cell(pf::PictureBox& box, const std::optional<pf::Surface>& strip, int cells, int cell) {
  if (!strip) return;
  const int w = strip->width() / cells;
  box.image.reset(w, strip->height());
  box.image.blit(*strip, w * cell, 0, w, strip->height(), 0, 0);
  box.refresh();
}

void FrmHraci::crank_tick() {
  if (++crank_tag_ > 2) crank_tag_ = -2;
  show_cell(*klika_, crank_strip_, 3, std::abs(crank_tag_));
}

void FrmHraci::bell_tick() {
  if (++bell_tag_ > 3) bell_tag_ = 0;
  show_cell(*zvonec_, bell_strip_, 4, bell_tag_);
}

void FrmHraci::on_mouse_move(int x, int y) {
  if (dragging_) return hat_move(x, y);
  if (casomira_klika.enabled() || crank_tag_ != 0) {
    casomira_klika.set_enabled(false);
    crank_tag_ = 0;
    show_cell(*klika_, crank_strip_, 3, 0);
  }
  if (casomira_zvonec.enabled() || bell_tag_ != 0) {
    casomira_zvonec.set_enabled(false);
    bell_tag_ = 0;
    show_cell(*zvonec_, bell_strip_, 4, 0);
  }
}

void FrmHraci::on_mouse_up(int x, int y) {
  if (dragging_) hat_up(x, y);
}

// ---- the hat ------------------------------------------------------------------

// The hat at (x, y), drawn `lift` pixels higher: its picture composed over
// what the saved screen shows there.
void FrmHraci::draw_hat_at(int x, int y, int lift) {
  if (!hat_) return;
  const pf::Surface& under = dragging_ ? zaloha_pozadi_ : picture;
  pf::Surface mix(hat_->width(), hat_->height());
  mix.blit(under, x, y - lift, hat_->width(), hat_->height(), 0, 0);
  core::compose_transparent(*hat_, hat_->width(), hat_->height(), core::key_colour(*hat_), mix, mix);
  klobouk_->image = mix;
  klobouk_->rect.x = hat_x_ = x;
  hat_y_ = y;
  klobouk_->rect.y = y - lift;
  klobouk_->visible = true;
  klobouk_->refresh();
}

void FrmHraci::restore_under_hat() {
  klobouk_->visible = false;
  refresh();
}

void FrmHraci::hat_down(int x, int y) {
  if (dragging_ || casomira_klobouk.enabled()) return;
  interrupt_talk();
  for (auto* box : jmeno_txt_) box->visible = false;
  for (auto* area : level_plocha_) area->visible = false;
  zvonec_->visible = klika_->visible = false;
  cmd_hry_->enabled = tapo_help_->enabled = false;
  grab_x_ = x;
  grab_y_ = y;
  // The screen as it is now (names included) becomes the background of the drag.
  klobouk_->visible = false;
  background_ = picture;
  zaloha_pozadi_ = pf::Forms::instance().compose();
  picture = zaloha_pozadi_;
  for (auto* l : jmeno_lbl_) l->visible = false;
  for (auto* a : cunik_) a->visible = false;
  purse_->visible = false;
  dragging_ = true;
  draw_hat_at(hat_x_, hat_y_);
}

void FrmHraci::hat_move(int x, int y) {
  if (!dragging_ || casomira_klobouk.enabled()) return;
  draw_hat_at(x - grab_x_, y - grab_y_);
}

void FrmHraci::hat_up(int x, int y) {
  if (!dragging_) return;
  auto inside = [x, y](const pf::Rect& r) { return x >= r.x && y >= r.y && x <= r.x + r.w && y <= r.y + r.h; };
  if (casomira_klobouk.enabled()) {
    // The answer to the question: the same piglet again is yes.
    if (inside(kPigletAreas[static_cast<size_t>(hat_target_)])) {
      restore_under_hat();
      delete_slot(hat_target_);
    }
    return end_hat_drag();
  }
  for (int i = 0; i < 6; ++i) {
    if (!inside(kPigletAreas[static_cast<size_t>(i)])) continue;
    if (blank(jmeno_lbl_[static_cast<size_t>(i)]->caption)) break;
    core::play_wav(file("SMAZAT.WAV"));
    hat_target_ = i;
    blink_tag_ = 0;
    casomira_klobouk.set_enabled(true);
    return;
  }
  end_hat_drag();
}

// While the question waits, the hat hops on the piglet: it stays in view
// (blinking out, it was lost half of the time) and still asks for an answer.
void FrmHraci::hat_blink() {
  blink_tag_ = 1 - blink_tag_;
  draw_hat_at(hat_x_, hat_y_, blink_tag_ * kHatHop);
}

void FrmHraci::delete_slot(int i) {
  const std::string key(kSlotKeys[static_cast<size_t>(i)]);
  delete_profile(key);
  jmeno_lbl_[static_cast<size_t>(i)]->caption.clear();
  jmeno_txt_[static_cast<size_t>(i)]->caption.clear();
  const pf::Rect& board = kNameBoxes[static_cast<size_t>(i)];
  if (auto blank_board = picture_of("DESKA" + std::to_string(i) + ".BMP")) {
    background_.blit(*blank_board, board.x, board.y);
    zaloha_pozadi_.blit(*blank_board, board.x, board.y);
  }
  if (!entry_box()) {
    if (auto coins = picture_of("MINCE_.BMP")) background_.blit(*coins, meadow::kCoinArea.x, meadow::kCoinArea.y);
  }
  if (key == selected_slot_) {
    picture = background_;
    put_down(i);
    background_ = picture;
    selected_slot_.clear();
  }
  hat_target_ = kNoTarget;
}

void FrmHraci::end_hat_drag() {
  casomira_klobouk.set_enabled(false);
  hat_target_ = kNoTarget;
  dragging_ = false;
  if (core::sound_playing()) core::close_sound();
  for (auto* l : jmeno_lbl_) l->visible = true;
  for (auto* a : cunik_) a->visible = true;
  purse_->visible = !core::player_name.empty();
  zvonec_->visible = klika_->visible = true;
  cmd_hry_->enabled = tapo_help_->enabled = true;
  if (pf::TextBox* box = entry_box()) {
    box->visible = box->focused = true;
    for (auto* area : level_plocha_) area->visible = true;
  }
  picture = background_;
  draw_hat_at(kHatX, kHatY);
}

const std::array<pf::ControlRow<FrmHraci>, 5> FrmHraci::kControls = {{
    {pf::Picture, "zvonec", meadow::kBell, &FrmHraci::bell_click},
    {pf::Area, "cmd_hry", {544, 224, 77, 61}, &FrmHraci::games_click},
    {pf::Area, "kaspar", meadow::kPuppet, &FrmHraci::kaspar_click},
    {pf::Area, "tapo_help", {540, 328, 81, 149}, &FrmHraci::tapo_help_click},
    {pf::Picture, "video", {0, 0, 1, 1}, &FrmHraci::video_click},
}};

TAPO_REGISTER_FORM(screens::kPlayers, FrmHraci)

}  // namespace tapo::players
