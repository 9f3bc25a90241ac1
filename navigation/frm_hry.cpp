// The games menu: a toy shop.  Each toy on the shelves plays its little show
// and opens its game; Tapo explains the menu, the jester puppet dances, and
// the sign with the piglet leads back to the players.
//
// The menu is hidden, not unloaded, while a game runs; the game's leave
// control shows it again.  It is unloaded only on the way back to the players.
#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "core/animation.h"
#include "core/captions.h"
#include "core/media.h"
#include "core/screen.h"
#include "core/screens.h"
#include "core/tapo_iii.h"
#include "games/common/asleep.h"
#include "games/games.h"
#include "platform/i18n.h"
#include "platform/loop.h"
#include "platform/sound.h"
#include "platform/ui.h"
#include "players/record.h"

namespace tapo::navigation {

namespace pf = tapo::platform;
using core::MediaPath;
using core::Root;

namespace {

namespace screens = core::screens;

// The click areas on the menu picture, numbered as the control array
// `akt_plocha` numbers them, each with the game whose toy it lies on: the car
// and the teddy bear take clicks in two places.
struct ToyArea {
  pf::Rect area;
  const core::Game* game;
};
constexpr std::array<ToyArea, 11> kToys = {{
    {{124, 96, 41, 193}, &games::had::kGame},
    {{208, 84, 65, 73}, &games::drak::kGame},
    {{280, 84, 65, 85}, &games::pexeso::kGame},
    {{248, 168, 53, 49}, &games::sneci::kGame},
    {{252, 252, 93, 45}, &games::housenka::kGame},
    {{400, 84, 117, 89}, &games::dril::kGame},
    {{396, 172, 65, 121}, &games::terc::kGame},
    {{556, 92, 61, 97}, &games::vahy::kGame},
    {{556, 200, 73, 93}, &games::pretah::kGame},
    {{304, 196, 45, 57}, &games::housenka::kGame},
    {{208, 196, 53, 53}, &games::sneci::kGame},
}};

const core::Game& game_at(int index) { return *kToys[static_cast<size_t>(index)].game; }

constexpr std::array<pf::Rect, kToys.size()> toy_areas() {
  std::array<pf::Rect, kToys.size()> out{};
  for (size_t i = 0; i < kToys.size(); ++i) out[i] = kToys[i].area;
  return out;
}

constexpr pf::Rect kAsleepSign{150, 392, 470, 80};
constexpr const char* kAsleepWords =
    pf::tr_later("The games are asleep until tomorrow. The toy shop and your room are still open.");

// What a click asked for, besides the toys 0..10.
constexpr int kNothing = -1;
constexpr int kPuppet = 100;
constexpr int kPlayers = 101;


}  // namespace

class FrmHry : public core::Screen {
 public:
  FrmHry() : Screen(std::string(screens::kGamesMenu), "OBCHOD") {}

  void on_load() override {
    load_screen();
    // Later areas lie above earlier ones where they overlap; the talking
    // head and the toys' shows lie above them all.
    const auto areas = pf::add_control_array<pf::Label>(*this, "akt_plocha", toy_areas(), &FrmHry::akt_plocha_click);
    for (size_t i = 0; i < areas.size(); ++i)
      areas[i]->on_mouse_move = [this, i](int, int) { point_at(static_cast<int>(i)); };
    pf::add_controls(*this, kControls);
    video_ = &control_as<pf::PictureBox>("video");
    video_->visible = false;
    // Off the toys, nothing is lit.
    for (const char* other : {"tapo_help", "kaspar", "cmd_vyber_hracu", "video"})
      control(other)->on_mouse_move = [this](int, int) { point_at(kNothing); };
  }

  void on_mouse_move(int, int) override { point_at(kNothing); }

  // Back from a game: the games may have fallen asleep meanwhile.
  void on_activate() override { check_asleep(); }

  void draw_above(pf::Surface& scene, int ox, int oy) const override {
    if (asleep_) {
      pf::Rect shelves;  // night falls on the shelves at once, as one
      for (const core::Game* g : games::kGames) shelves = pf::bounding(shelves, g->toy.box);
      games::darken(scene, {shelves.x + ox, shelves.y + oy, shelves.w, shelves.h});
      games::draw_asleep_sign(scene, {kAsleepSign.x + ox, kAsleepSign.y + oy, kAsleepSign.w, kAsleepSign.h},
                              pf::tr(kAsleepWords));
      return;
    }
    if (pointed_ == kNothing) return;
    const pf::Rect& box = game_at(pointed_).toy.box;
    light(scene, {box.x + ox, box.y + oy, box.w, box.h});
  }

  void describe(pf::JsonObject& vars) const override {
    vars.add("leaving", leaving)
        .add("toy_playing", toy_playing_)
        .add("helping", helping_)
        .add("waiting", waiting_)
        .add("video", video_ && video_->visible)
        .add("asleep", asleep_)
        .add("pointed", pointed_ == kNothing ? std::string() : pf::tr(game_at(pointed_).title));
  }

 private:
  void akt_plocha_click(int index) {
    if (check_asleep()) return say_asleep();
    if (wait_for_tapo(index)) return;
    play_toy(index);
  }

  // Once the piglet's play time for the day is over the toys sleep (the
  // shop and the room stay open); true while they do.
  bool check_asleep() {
    const bool asleep = players::record::day_is_over();
    if (asleep != asleep_) {
      asleep_ = asleep;
      point_at(kNothing);
      refresh();
    }
    return asleep_;
  }

  // The toy under the pointer (kNothing: none) is lit and its game named.
  void point_at(int index) {
    if (index == pointed_ || (asleep_ && index != kNothing)) return;
    if (pointed_ != kNothing) refresh(game_at(pointed_).toy.box);
    pointed_ = index;
    if (pointed_ != kNothing) refresh(game_at(pointed_).toy.box);
    core::set_screen_caption(pointed_ == kNothing ? std::string() : pf::tr(game_at(pointed_).title));
  }

  // A soft warm light over `box` of the scene: strongest in the middle,
  // fading to nothing at the box's edge, so no frame shows.
  static void light(pf::Surface& scene, pf::Rect box) {
    const pf::Rect part = pf::intersection(scene.clip(), box);
    const double cx = box.x + box.w / 2.0, cy = box.y + box.h / 2.0;
    for (int py = part.y; py < part.y + part.h; ++py)
      for (int px = part.x; px < part.x + part.w; ++px) {
        const double dx = (px + 0.5 - cx) / (box.w / 2.0), dy = (py + 0.5 - cy) / (box.h / 2.0);
        const double d = dx * dx + dy * dy;
        if (d >= 1) continue;
        const double a = kLight * (1 - d);
        const pf::Rgb c = scene.at(px, py);
        auto mix = [a](int from, int to) { return static_cast<int>(from + (to - from) * a + 0.5); };
        scene.set(px, py, pf::rgb(mix((c >> 16) & 255, 255), mix((c >> 8) & 255, 248), mix(c & 255, 200)));
      }
  }

  void kaspar_click() {
    if (wait_for_tapo(kPuppet)) return;
    core::play_animation({Root::Media, "\\OBCHOD\\PANAC.DAT"}, *video_);
  }

  // Tapo explains the menu.  A click on his head stops him (the `video`
  // click); a click on the rest of him starts him again from the beginning.
  void tapo_help_click() { talk({Root::Media, "\\OBCHOD\\HELP.DAT"}); }

  // Tapo tells why the toys open nothing (unless he is speaking already).
  void say_asleep() {
    if (helping_ == 0) talk({Root::Own, "\\OBCHOD\\SPI.DAT"});
  }

  // Tapo speaks; what was clicked meanwhile is done when he has finished.
  void talk(const MediaPath& marks) {
    ++helping_;
    core::say(marks, {Root::Media, "\\OBCHOD\\MLUVI.AVI"}, *video_);
    --helping_;
    if (helping_ > 0 || waiting_ == kNothing) return;
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
    if (leaving || wait_for_tapo(kPlayers)) return;
    if (video_->visible) silence_tapo();
    core::play_wav({Root::Media, "\\CUNICI\\ZARZANI.WAV"});
    screens::show(screens::kPlayers);
    core::wait_for_sound_without_events();
    unload();
    leaving = true;
  }

  // The toy's show, then its game; the menu stays loaded behind it.
  void play_toy(int index) {
    point_at(kNothing);
    const core::Game& game = game_at(index);
    toy_playing_ = index;
    core::play_animation({Root::Media, std::string("\\OBCHOD\\") + game.toy.show + ".DAT"}, *video_);
    toy_playing_ = kNothing;
    // Shown last, the game is the active form and takes the keys (the target
    // game's digits among them).
    screens::show(game.frame.form);
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

  void silence_tapo() { core::hush(*video_); }

  static const std::array<pf::ControlRow<FrmHry>, 4> kControls;

  pf::PictureBox* video_ = nullptr;
  int toy_playing_ = kNothing;  // the toy whose show plays
  int helping_ = 0;             // Tapo's explanations running (one restarts another)
  int waiting_ = kNothing;      // what was clicked while he spoke
  int pointed_ = kNothing;      // the toy under the pointer
  bool asleep_ = false;         // the day's play is over
  static constexpr double kLight = 0.45;  // how much the middle of a lit toy is lightened
};

const std::array<pf::ControlRow<FrmHry>, 4> FrmHry::kControls = {{
    {pf::Area, "tapo_help", {16, 292, 113, 125}, &FrmHry::tapo_help_click},
    {pf::Area, "kaspar", {32, 112, 93, 85}, &FrmHry::kaspar_click},
    {pf::Area, "cmd_vyber_hracu", {44, 204, 81, 77}, &FrmHry::cmd_vyber_hracu_click},
    {pf::Picture, "video", {28, 20, 41, 37}, &FrmHry::video_click},
}};

TAPO_REGISTER_FORM(screens::kGamesMenu, FrmHry)

}  // namespace tapo::navigation
