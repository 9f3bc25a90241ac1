// The games menu: a toy shop.  Each toy on the shelves plays its little show
// and opens its game; Tapo explains the menu, the jester puppet dances, and
// the sign with the piglet leads back to the players.
//
// The menu is hidden, not unloaded, while a game runs; the game's leave
// control shows it again.  It is unloaded only on the way back to the players.
#include <array>
#include <string>
#include <utility>

#include "core/animation.h"
#include "core/media.h"
#include "core/tapo_iii.h"
#include "navigation/frm_game_placeholder.h"
#include "platform/loop.h"
#include "platform/sound.h"
#include "platform/ui.h"

namespace tapo::navigation {

namespace pf = tapo::platform;
using core::MediaPath;
using core::Root;

namespace {

struct Toy {
  pf::Rect area;       // the click area on the menu picture
  const char* script;  // its show
  const char* game;    // the form of its game
};

// The toys, as the control array `akt_plocha` numbers their click areas.  The
// car and the teddy bear stand on the shelves twice.
constexpr std::array<Toy, 11> kToys = {{
    {{124, 96, 41, 193}, "\\OBCHOD\\HAD.DAT", "frm_had"},
    {{208, 84, 65, 73}, "\\OBCHOD\\DRAK.DAT", "frm_drak"},
    {{280, 84, 65, 85}, "\\OBCHOD\\PEXESO.DAT", "frm_pexeso"},
    {{248, 168, 53, 49}, "\\OBCHOD\\F1.DAT", "frm_sneci"},
    {{252, 252, 93, 45}, "\\OBCHOD\\MEDA.DAT", "frm_housenka"},
    {{400, 84, 117, 89}, "\\OBCHOD\\LETADLO.DAT", "frm_dril"},
    {{396, 172, 65, 121}, "\\OBCHOD\\PIRAT.DAT", "frm_terc"},
    {{576, 92, 61, 97}, "\\OBCHOD\\VAHA.DAT", "frm_vahy"},
    {{568, 200, 73, 93}, "\\OBCHOD\\BULD.DAT", "frm_pretah"},
    {{304, 196, 45, 57}, "\\OBCHOD\\MEDA.DAT", "frm_housenka"},
    {{208, 196, 53, 53}, "\\OBCHOD\\F1.DAT", "frm_sneci"},
}};

constexpr pf::Rect kTapoHelp{16, 292, 113, 125};
constexpr pf::Rect kKaspar{32, 112, 93, 85};
constexpr pf::Rect kVyberHracu{44, 204, 81, 77};
constexpr pf::Rect kVideo{28, 20, 41, 37};

// What a click asked for, besides the toys 0..10.
constexpr int kNothing = -1;
constexpr int kPuppet = 100;
constexpr int kPlayers = 101;


}  // namespace

class FrmHry : public pf::Form {
 public:
  FrmHry() : Form("frm_hry") {}

  void on_load() override {
    caption = "Tapo - Numerino";
    bounds = {0, 0, 640, 480};
    if (auto shop = core::load_media_picture({Root::Media, "\\OBCHOD\\POZADI.BMP"})) picture.blit(*shop, 0, 0);

    // Later areas lie above earlier ones where they overlap; the talking
    // head and the toys' shows lie above them all.
    for (int i = 0; i < static_cast<int>(kToys.size()); ++i) {
      akt_plocha_[i] = &add<pf::Label>("akt_plocha(" + std::to_string(i) + ")", kToys[i].area);
      akt_plocha_[i]->on_click = [this, i] { akt_plocha_click(i); };
    }
    tapo_help_ = &add<pf::Label>("tapo_help", kTapoHelp);
    tapo_help_->on_click = [this] { tapo_help_click(); };
    kaspar_ = &add<pf::Label>("kaspar", kKaspar);
    kaspar_->on_click = [this] { kaspar_click(); };
    cmd_vyber_hracu_ = &add<pf::Label>("cmd_vyber_hracu", kVyberHracu);
    cmd_vyber_hracu_->on_click = [this] { cmd_vyber_hracu_click(); };
    video_ = &add<pf::PictureBox>("video", kVideo);
    video_->visible = false;
    video_->on_click = [this] { video_click(); };
    leaving_ = false;
  }

  void describe(pf::JsonObject& vars) const override {
    vars.add("leaving", leaving_)
        .add("toy_playing", toy_playing_)
        .add("helping", helping_)
        .add("waiting", waiting_)
        .add("video", video_ && video_->visible);
  }

 private:
  void akt_plocha_click(int index) {
    if (wait_for_tapo(index)) return;
    play_toy(index);
  }

  void kaspar_click() {
    if (wait_for_tapo(kPuppet)) return;
    core::play_animation({Root::Media, "\\OBCHOD\\PANAC.DAT"}, *video_);
  }

  // Tapo explains the menu.  A click on his head stops him (the `video`
  // click); a click on the rest of him starts him again from the beginning.
  void tapo_help_click() {
    core::talk_abort = false;
    ++helping_;
    core::play_talking_clip({Root::Media, "\\OBCHOD\\HELP.DAT"}, {Root::Media, "\\OBCHOD\\MLUVI.AVI"}, *video_);
    --helping_;
    if (helping_ > 0 || waiting_ == kNothing || !loaded() || leaving_) return;
    // Something was clicked while he spoke: its turn has come.
    const int action = std::exchange(waiting_, kNothing);
    enabled = true;
    if (action == kPuppet)
      kaspar_click();
    else if (action == kPlayers)
      cmd_vyber_hracu_click();
    else
      play_toy(action);
  }

  void video_click() {
    if (!video_->visible) return;
    silence_tapo();
  }

  // Back to the players: the whinny plays to its end, with nothing else
  // happening meanwhile, before the menu goes.
  void cmd_vyber_hracu_click() {
    if (leaving_ || wait_for_tapo(kPlayers)) return;
    if (video_->visible) silence_tapo();
    core::play_wav({Root::Media, "\\CUNICI\\ZARZANI.WAV"});
    pf::Forms::instance().get("frm_hraci")->show();
    core::wait_for_sound_without_events();
    unload();
    leaving_ = true;
  }

  // The toy's show, then its game (or the placeholder of a game still to
  // come); the menu stays loaded behind it.
  void play_toy(int index) {
    const Toy& toy = kToys[static_cast<size_t>(index)];
    toy_playing_ = index;
    core::play_animation({Root::Media, toy.script}, *video_);
    toy_playing_ = kNothing;
    if (!loaded() || leaving_) return;
    auto& forms = pf::Forms::instance();
    // Shown last, the game is the active form and takes the keys (the target
    // game's digits among them).
    if (forms.known(toy.game))
      forms.get(toy.game)->show();
    else
      show_game_placeholder(toy.game, toy.area);
    hide();
  }

  // While Tapo speaks, a click silences him and waits, with the menu taking
  // no further clicks, until his talk has returned; the help handler then
  // carries it out.  Shows and games never start inside his talk.
  bool wait_for_tapo(int action) {
    if (helping_ == 0) return false;
    silence_tapo();
    waiting_ = action;
    enabled = false;
    return true;
  }

  void silence_tapo() {
    core::talk_abort = true;
    core::close_sound();
    video_->visible = false;
    refresh();
  }

  std::array<pf::Label*, kToys.size()> akt_plocha_{};
  pf::Label* tapo_help_ = nullptr;
  pf::Label* kaspar_ = nullptr;
  pf::Label* cmd_vyber_hracu_ = nullptr;
  pf::PictureBox* video_ = nullptr;
  bool leaving_ = false;
  int toy_playing_ = kNothing;  // the toy whose show plays
  int helping_ = 0;             // Tapo's explanations running (one restarts another)
  int waiting_ = kNothing;      // what was clicked while he spoke
};

TAPO_REGISTER_FORM("frm_hry", FrmHry)

}  // namespace tapo::navigation
