// The games menu on the virtual clock with the demo pack: the toys' shows and
// the games they open, Tapo's help, the puppet, and the way back to the
// players.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <set>
#include <tuple>

#include "core/media.h"
#include "core/screens.h"
#include "games/games.h"
#include "platform/sound.h"
#include "platform/text.h"
#include "tests/unit/test_support.h"
#include "tools/mkmedia/canvas.h"
#include "tools/mkmedia/folder_obchod.h"

namespace tapo::testing {
namespace {

using platform::InputEvent;
using platform::Ms;

// Clicks at given moments of the virtual clock.
class ClickFeed : public platform::ScriptFeed {
 public:
  void click(Ms at, int x, int y) {
    for (auto kind : {InputEvent::Kind::MouseMove, InputEvent::Kind::MouseDown, InputEvent::Kind::MouseUp}) {
      InputEvent ev;
      ev.kind = kind;
      ev.x = x;
      ev.y = y;
      queue_.emplace_back(at, ev);
    }
    std::stable_sort(queue_.begin(), queue_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  }
  void run_due(Ms now) override {
    while (!queue_.empty() && queue_.front().first <= now) {
      platform::Loop::instance().deliver(queue_.front().second);
      queue_.erase(queue_.begin());
    }
  }
  std::optional<Ms> next_due(Ms) override {
    return queue_.empty() ? Ms{100'000'000} : queue_.front().first;
  }

 private:
  std::vector<std::pair<Ms, InputEvent>> queue_;
};

struct ToyCase {
  int x, y;  // a point inside its click area only
  const char* script;
  const char* game;
};

// A point on each toy, in the order of the click areas.
const ToyCase kToyCases[] = {
    {144, 150, "HD:\\OBCHOD\\HAD.DAT", "frm_had"},
    {240, 120, "HD:\\OBCHOD\\DRAK.DAT", "frm_drak"},
    {312, 120, "HD:\\OBCHOD\\PEXESO.DAT", "frm_pexeso"},
    {285, 185, "HD:\\OBCHOD\\F1.DAT", "frm_sneci"},
    {280, 280, "HD:\\OBCHOD\\MEDA.DAT", "frm_housenka"},
    {460, 120, "HD:\\OBCHOD\\LETADLO.DAT", "frm_dril"},
    {430, 230, "HD:\\OBCHOD\\PIRAT.DAT", "frm_terc"},
    {605, 140, "HD:\\OBCHOD\\VAHA.DAT", "frm_vahy"},
    {600, 250, "HD:\\OBCHOD\\BULD.DAT", "frm_pretah"},
    {325, 225, "HD:\\OBCHOD\\MEDA.DAT", "frm_housenka"},
    {225, 225, "HD:\\OBCHOD\\F1.DAT", "frm_sneci"},
};
constexpr int kTapoBody[] = {70, 400};  // the help area below Tapo's talking head
constexpr int kPuppet[] = {60, 140};
constexpr int kWayBack[] = {84, 250};

struct Event {
  Ms ms;
  std::string name, args;
  std::string str() const { return name + (args.empty() ? "" : " " + args); }
};

class GamesMenu : public LoopTest {
 protected:
  void SetUp() override {
    LoopTest::SetUp();
    loop().use_virtual_clock(&clicks_);
    platform::SoundChannel::instance().close();  // nothing left over from an earlier test
    trace_.emplace();
    // The demo pack, linked file by file into a folder of the test's own.
    const fs::path demo(TAPO_DEMO_DIR);
    for (const auto& e : fs::recursive_directory_iterator(demo / "media")) {
      const fs::path to = dir_ / "media" / fs::relative(e.path(), demo / "media");
      if (e.is_directory())
        fs::create_directories(to);
      else
        fs::create_symlink(e.path(), to);
    }
    fs::copy(demo / "data", dir_ / "data", fs::copy_options::recursive);
    fs::create_directories(dir_ / "work");
    core::media_root = (dir_ / "media").string();
    core::work_dir = (dir_ / "work").string();
    core::data_dir = (dir_ / "data").string() + "/";
    loop().set_input_handler([](const InputEvent& e) { platform::Forms::instance().dispatch(e); });
    menu_ = forms().get("frm_hry");
    menu_->show();
    loop().do_events();
  }
  void TearDown() override {
    for (const auto& e : events()) EXPECT_NE(e.name, "missing") << e.str();
    trace_.reset();
    LoopTest::TearDown();
    platform::close_fonts();  // the games' lettering
  }

  std::vector<Event> events() {
    std::vector<Event> out;
    for (auto& t : trace_->lines()) out.push_back({t.ms, t.event, t.args});
    return out;
  }
  // The moments of an event (with these arguments, when given) from `from` on.
  std::vector<Ms> times_of(const std::string& name, const std::string& args = "*", Ms from = 0) {
    std::vector<Ms> t;
    for (const auto& e : events())
      if (e.ms >= from && e.name == name && (args == "*" || e.args == args)) t.push_back(e.ms);
    return t;
  }
  // The events from `from` on that change what the child sees or hears, in order.
  std::vector<std::string> story(Ms from) {
    std::vector<std::string> s;
    for (const auto& e : events())
      if (e.ms >= from && (e.name == "anim" || e.name == "anim-end" || e.name == "show" || e.name == "hide" ||
                           e.name == "unload" || e.name == "talk" || e.name == "talk-end" ||
                           e.name == "sound-close" || (e.name == "sound" && e.args.find("ZVUK") == std::string::npos)))
        s.push_back(e.str());
    return s;
  }

  void click(Ms at, int x, int y) { clicks_.click(at, x, y); }
  void run_until(Ms t) { loop().wait_until(t); }
  platform::JsonObject describe_menu() const {
    platform::JsonObject vars;
    menu_->describe(vars);
    return vars;
  }
  // Saves a picture for a person to look at when TAPO_SHOT_DIR names a folder.
  static void keep_shot(const platform::Surface& scene, const std::string& name) {
    if (const char* dir = std::getenv("TAPO_SHOT_DIR")) {
      ASSERT_TRUE(scene.save_png(fs::path(dir) / name));
    }
  }

  ClickFeed clicks_;
  TempDir dir_;
  std::shared_ptr<platform::Form> menu_;
  std::optional<TraceCapture> trace_;
};

TEST_F(GamesMenu, EveryToyPlaysItsShowThenOpensItsGameAndTheMenuWaitsBehind) {
  keep_shot(forms().compose(), "menu.png");
  Ms t0 = 100;
  std::set<std::string> opened;
  for (size_t i = 0; i < std::size(kToyCases); ++i) {
    SCOPED_TRACE("toy " + std::to_string(i));
    const ToyCase& toy = kToyCases[i];
    const std::string game = toy.game;
    opened.insert(game);
    EXPECT_TRUE(forms().known(game)) << "every toy opens a game of its own";
    click(t0, toy.x, toy.y);
    run_until(t0 + 3000);
    auto s = story(t0);
    std::erase(s, "sound-close");
    ASSERT_GE(s.size(), 4u);
    EXPECT_EQ(s[0], std::string("anim ") + toy.script);
    EXPECT_EQ(s[1], std::string("anim-end ") + toy.script);
    EXPECT_EQ(s[2], "show " + game);
    EXPECT_EQ(s[3], "hide frm_hry");
    const auto shown = times_of("show", game, t0);
    const auto hidden = times_of("hide", "frm_hry", t0);
    // A game of its own goes on with its introduction and shows after this.
    const auto ended = times_of("anim-end", toy.script, t0);
    ASSERT_EQ(shown.size(), 1u);
    ASSERT_EQ(hidden.size(), 1u);
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_GE(ended[0] - t0, 1000) << "every toy's show in the pack lasts over a second";
    EXPECT_EQ(shown[0], ended[0]) << "the game opens when the show has ended";
    EXPECT_EQ(hidden[0], ended[0]);
    EXPECT_TRUE(menu_->loaded()) << "hidden, not unloaded";
    EXPECT_FALSE(menu_->visible());
    auto active = forms().active();
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(active->name(), game);
    // What a game's leave control does.
    menu_->show();
    active->unload();
    loop().do_events();
    EXPECT_TRUE(menu_->visible());
    EXPECT_TRUE(menu_->enabled);
    EXPECT_EQ(forms().active(), menu_);
    t0 = std::max(t0 + 3500, loop().now() + 100);
  }
  std::set<std::string> listed;
  for (const auto* g : tapo::games::kGames) listed.insert(g->frame.form);
  EXPECT_EQ(opened, listed) << "every game, and only a game, has its toy on the shelves";
  // Both cars and both bears are the same toy with the same game.
  EXPECT_EQ(times_of("anim", "HD:\\OBCHOD\\F1.DAT").size(), 2u);
  EXPECT_EQ(times_of("anim", "HD:\\OBCHOD\\MEDA.DAT").size(), 2u);
}

TEST_F(GamesMenu, AScreenNobodyBuiltIsAnError) {
  EXPECT_THROW(core::screens::show("frm_nikde"), std::logic_error);
}

TEST_F(GamesMenu, ClicksDuringAShowDoNothing) {
  // The dragon's show from 100; from 400 the child clicks everything else.
  click(100, kToyCases[1].x, kToyCases[1].y);
  click(400, kToyCases[7].x, kToyCases[7].y);
  click(410, kTapoBody[0], kTapoBody[1]);
  click(420, kPuppet[0], kPuppet[1]);
  click(430, kWayBack[0], kWayBack[1]);
  platform::Timer probe;
  bool enabled_seen = true;
  int cursor_seen = 0;
  std::string vars_seen;
  probe.set_interval(450);
  probe.on_timer = [&] {
    probe.set_enabled(false);
    enabled_seen = menu_->enabled;
    cursor_seen = forms().cursor_count();
    vars_seen = describe_menu().str();
    keep_shot(forms().compose(), "menu_mid_show.png");
  };
  probe.set_enabled(true);
  run_until(3000);
  EXPECT_FALSE(enabled_seen);
  EXPECT_EQ(cursor_seen, -1) << "no pointer during the show";
  EXPECT_NE(vars_seen.find("\"toy_playing\": 1"), std::string::npos) << vars_seen;
  EXPECT_EQ(times_of("anim").size(), 1u);
  EXPECT_TRUE(times_of("talk", "HD:\\OBCHOD\\HELP.DAT HD:\\OBCHOD\\MLUVI.AVI").empty()) << "no help during the show";
  EXPECT_TRUE(times_of("sound", "HD:\\CUNICI\\ZARZANI.WAV").empty());
  EXPECT_EQ(times_of("show", "frm_drak").size(), 1u);
  EXPECT_EQ(forms().cursor_count(), 0);
}

TEST_F(GamesMenu, PuppetDancesAndTheMenuStays) {
  click(100, kPuppet[0], kPuppet[1]);
  run_until(5000);
  auto s = story(100);
  std::erase(s, "sound-close");
  EXPECT_EQ(s, (std::vector<std::string>{"anim HD:\\OBCHOD\\PANAC.DAT", "anim-end HD:\\OBCHOD\\PANAC.DAT"}));
  EXPECT_TRUE(menu_->visible());
  EXPECT_TRUE(menu_->enabled);
  EXPECT_FALSE(menu_->control("video")->visible);
}

TEST_F(GamesMenu, HelpStartsOnTapoAndStopsOnAClickOnHisHead) {
  const std::string talk = "talk HD:\\OBCHOD\\HELP.DAT HD:\\OBCHOD\\MLUVI.AVI";
  // Tapo's head is placed at (42, 298) by the pack; a click there stops him.
  const int head_x = 52, head_y = 308;
  click(100, kTapoBody[0], kTapoBody[1]);
  click(1000, head_x, head_y);
  auto* head = menu_->control("video");
  platform::Timer probe;
  bool head_seen = false, talking_seen = false;
  platform::Rect head_rect;
  probe.set_interval(600);
  probe.on_timer = [&] {
    probe.set_enabled(false);
    head_seen = head->visible;
    head_rect = head->rect;
    talking_seen = core::talk_active;
    keep_shot(forms().compose(), "menu_help.png");
  };
  probe.set_enabled(true);
  run_until(2000);
  EXPECT_TRUE(head_seen);
  EXPECT_TRUE(talking_seen);
  EXPECT_TRUE(head_rect.contains(head_x, head_y));
  const platform::Rect help{16, 292, 113, 125};
  EXPECT_TRUE(help.contains(head_rect.x, head_rect.y) &&
              help.contains(head_rect.x + head_rect.w - 1, head_rect.y + head_rect.h - 1))
      << "the head lies on the help area";
  // The help's first sentence: up to the first mark of its mark file.
  std::ifstream marks(dir_ / "media/OBCHOD/HELP.DAT");
  std::string first_mark;
  std::getline(marks, first_mark);
  const std::string first_sentence = "sound HD:\\OBCHOD\\HELP.WAV 0 " + std::to_string(std::stol(first_mark));
  auto s = story(100);
  ASSERT_GE(s.size(), 4u);
  EXPECT_EQ(s[0], talk);
  EXPECT_EQ(s[1], first_sentence);
  EXPECT_EQ(s[2], "sound-close");
  EXPECT_EQ(s[3], "talk-end aborted");
  EXPECT_EQ(times_of("sound-close", "*", 1000).at(0), 1000) << "silent at once";
  EXPECT_LE(times_of("talk-end").at(0), 1100);
  EXPECT_FALSE(head->visible);
  EXPECT_FALSE(core::talk_active);
  EXPECT_EQ(core::sound_mode(), 0);

  // Clicking the rest of him during his help starts it again; it then runs
  // to its end, and the head goes.
  click(3000, kTapoBody[0], kTapoBody[1]);
  click(3700, kTapoBody[0], kTapoBody[1]);
  run_until(30000);
  EXPECT_EQ(times_of("talk", "*", 3000), (std::vector<Ms>{3000, 3700}));
  EXPECT_EQ(times_of("sound", first_sentence.substr(6), 3000), (std::vector<Ms>{3000, 3700}));
  const auto ends = times_of("talk-end", "done", 3000);
  ASSERT_EQ(ends.size(), 2u);
  const auto help_sound = platform::load_wav(dir_ / "media/OBCHOD/HELP.WAV");
  ASSERT_TRUE(help_sound);
  EXPECT_GT(ends[0], 3700 + static_cast<Ms>(help_sound->frames() * 1000 / static_cast<size_t>(help_sound->rate))) << "the help was heard to its end";
  EXPECT_LE(ends[1] - ends[0], 100) << "the first talk ends with the second";
  EXPECT_FALSE(head->visible);
  EXPECT_TRUE(menu_->enabled);
}

TEST_F(GamesMenu, AToyClickedWhileTapoSpeaksSilencesHimAndPlaysAfterHisTalk) {
  click(100, kTapoBody[0], kTapoBody[1]);
  click(900, kToyCases[6].x, kToyCases[6].y);
  run_until(4000);
  const auto s = story(900);
  ASSERT_GE(s.size(), 3u);
  EXPECT_EQ(s[0], "sound-close");
  EXPECT_EQ(s[1], "talk-end aborted");
  EXPECT_EQ(s[2], "anim HD:\\OBCHOD\\PIRAT.DAT");
  EXPECT_EQ(times_of("sound-close", "*", 900)[0], 900);
  EXPECT_LE(times_of("anim", "*", 900)[0], 1000);
  for (const auto& e : events())
    EXPECT_FALSE(e.ms >= 900 && e.name == "sound" && e.args.starts_with("HD:\\OBCHOD\\HELP.WAV")) << "no more of the help";
  EXPECT_EQ(times_of("show", "frm_terc").size(), 1u);
  EXPECT_EQ(times_of("hide", "frm_hry").size(), 1u);
  EXPECT_TRUE(menu_->enabled) << "ready for the way back from the game";
  EXPECT_FALSE(core::talk_active);
}

TEST_F(GamesMenu, WayBackPlaysTheWhinnyToItsEndThenTheMenuGoes) {
  const auto whinny = platform::load_wav(dir_ / "media/CUNICI/ZARZANI.WAV");
  ASSERT_TRUE(whinny);
  const Ms length = static_cast<Ms>(whinny->frames() * 1000 / whinny->rate);
  ASSERT_GT(length, 300);

  // While Tapo speaks: he is silenced first.
  click(100, kTapoBody[0], kTapoBody[1]);
  click(800, kWayBack[0], kWayBack[1]);
  // A click that arrives during the whinny waits until the menu has gone:
  // the menu never takes it (the whinny plays once).
  click(900, kWayBack[0], kWayBack[1]);
  run_until(800 + length + 200);
  const auto s = story(800);
  ASSERT_GE(s.size(), 5u);
  EXPECT_EQ(s[0], "sound-close");
  EXPECT_EQ(s[1], "talk-end aborted");
  EXPECT_EQ(s[2], "sound HD:\\CUNICI\\ZARZANI.WAV");
  EXPECT_EQ(s[3], "show frm_hraci");
  EXPECT_EQ(s[4], "unload frm_hry");
  const Ms start = times_of("sound", "HD:\\CUNICI\\ZARZANI.WAV")[0];
  EXPECT_LE(start, 900);
  const Ms gone = times_of("unload", "frm_hry")[0];
  EXPECT_GE(gone, start + length) << "the whinny was heard to its end";
  EXPECT_LE(gone, start + length + 20);
  EXPECT_FALSE(menu_->loaded());
  EXPECT_FALSE(core::talk_active);
  EXPECT_EQ(times_of("sound", "HD:\\CUNICI\\ZARZANI.WAV").size(), 1u);
  EXPECT_NE(describe_menu().str().find("\"leaving\": true"), std::string::npos);
}

// Every toy of the menu picture, at rest and all through its show, is
// painted wholly inside the scene (none cut by its edge) and inside the box
// its show plays in (none leaves a trace behind when the show ends).
TEST(GamesMenuPicture, EveryToyLiesInsideTheSceneAndItsShowsBox) {
  for (int k = 0; k < media::kMenuToys; ++k) {
    SCOPED_TRACE("toy " + std::to_string(k));
    const auto [box, reach] = media::menu_toy_reach(k);
    ASSERT_FALSE(reach.empty());
    EXPECT_TRUE((platform::Rect{1, 1, 638, 478}.contains(reach)))
        << reach.x << "," << reach.y << " " << reach.w << "x" << reach.h;
    EXPECT_TRUE(box.contains(reach)) << reach.x << "," << reach.y << " " << reach.w << "x" << reach.h << " in " << box.x
                                     << "," << box.y << " " << box.w << "x" << box.h;
  }
  media::release_drawing_caches();  // the drawing's font caches are no leak of the game's
}

}  // namespace
}  // namespace tapo::testing
