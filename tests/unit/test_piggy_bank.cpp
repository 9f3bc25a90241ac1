// The piggy bank of the coin award on the virtual clock: where it opens,
// what it shows, which jingle plays, when each coin is counted, and that the
// balance is saved only after the window has closed.
#include <gtest/gtest.h>

#include <optional>

#include <cstdio>
#include <functional>
#include <map>
#include <tuple>
#include <vector>

#include "core/media.h"
#include "platform/ini.h"
#include "platform/sound.h"
#include "platform/text.h"
#include "players/frm_prasatko.h"
#include "players/profiles.h"
#include "tests/unit/test_support.h"
#include "tools/media_writers/wav_writer.h"

namespace tapo::testing {
namespace {

using platform::Ms;
using platform::Rect;
using platform::rgb;
using platform::Rgb;

constexpr Rgb kKey = rgb(255, 0, 255);
constexpr Rgb kSkin = rgb(250, 170, 180);
constexpr Rgb kPlaque = rgb(255, 250, 232);
// The game screen sits in the scene away from its top-left corner, so a
// window placed relative to the scene instead of the screen is caught.
constexpr Rect kScreenPlace{16, 8, 600, 460};

// Every pixel of the game screen's picture is different.
Rgb screen_pixel(int x, int y) { return rgb(x % 256, y % 256, 100 + x / 256 * 40 + y / 256 * 20); }

class GameScreen : public platform::Form {
 public:
  GameScreen() : Form("test_piggy_game") {}
  void on_load() override {
    bounds = kScreenPlace;
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x) picture.set(x, y, screen_pixel(x, y));
    box = &add<platform::PictureBox>("box", Rect{340, 335, 20, 20});
    box->image.fill(rgb(0, 200, 0));
    box->visible = false;
  }
  platform::PictureBox* box = nullptr;
};
const bool registered = platform::Forms::register_factory("test_piggy_game", [] {
  return std::static_pointer_cast<platform::Form>(std::make_shared<GameScreen>());
});

// The player's piggy bank: a body of skin colour with a pale plaque, the
// corners (and so the top-left pixel) in the key colour.
platform::Surface piggy_picture() {
  platform::Surface s(90, 70, kKey);
  s.fill_rect({10, 8, 76, 56}, kSkin);
  s.fill_rect({34, 14, 50, 24}, kPlaque);
  s.set(20, 40, kKey);  // a key-coloured pixel inside the figure lets the game through too
  return s;
}

class PiggyBank : public LoopTest {
 protected:
  void SetUp() override {
    LoopTest::SetUp();
    (void)registered;
    platform::SoundChannel::instance().close();
    trace_.emplace();
    for (const char* d : {"media/CUNICI/XL", "media/UNI_SND", "data"}) fs::create_directories(dir_ / d);
    core::media_root = (dir_ / "media").string();
    core::data_dir = (dir_ / "data").string();
    ASSERT_TRUE(piggy_picture().save_bmp(dir_ / "media/CUNICI/XL/PZP.BMP"));
    // Jingles of 0.12 s, 0.45 s and 2 s.
    write_wav(dir_ / "media/UNI_SND/CINK1.WAV", 2646);
    write_wav(dir_ / "media/UNI_SND/CINK5.WAV", 9922);
    write_wav(dir_ / "media/UNI_SND/CINK20.WAV", 44100);

    core::player_id = "PZP";
    core::player_name = "Eva";
    core::player_level = 2;
    core::player_coins = 40;
    players::install_piggy_bank();
    forms().on_cursor_change = [this](bool shown) { pointer_.emplace_back(loop().now(), shown); };
    game_ = std::static_pointer_cast<GameScreen>(forms().get("test_piggy_game"));
    game_->show();
    loop().do_events();  // the screen's activation
  }
  void TearDown() override {
    platform::SoundChannel::instance().close();
    platform::close_fonts();
    trace_.reset();
    LoopTest::TearDown();
  }

  static void write_wav(const fs::path& file, int samples) {
    wav::write(file, wav::riff({wav::pcm_fmt(1, 22050, 16),
                                wav::chunk("data", wav::samples16(std::vector<std::int16_t>(static_cast<size_t>(samples), 300)))}));
  }

  using Line = std::tuple<long long, std::string, std::string>;
  std::vector<Line> trace() {
    std::vector<Line> out;
    for (auto& t : trace_->lines()) out.emplace_back(t.ms, t.event, t.args);
    return out;
  }
  // The trace lines of the given events from `since` on, in order.
  std::vector<Line> lines_of(std::initializer_list<std::string> events, Ms since = 0) {
    std::vector<Line> out;
    for (const auto& l : trace())
      for (const auto& e : events)
        if (std::get<1>(l) == e && std::get<0>(l) >= since) out.push_back(l);
    return out;
  }

  static std::shared_ptr<platform::Form> bank() { return forms().find("frm_prasatko"); }
  static std::string counter() {
    auto f = bank();
    if (!f) return "closed";
    auto* label = dynamic_cast<platform::Label*>(f->control("cislice"));
    return label ? label->caption : "no counter";
  }

  // Runs the award and returns what the counter showed at the given moments
  // (timers of a moment run before the count goes on at that moment, so a
  // coin counted at t shows from t + 1 on).  The award returns when the
  // window has closed.
  std::map<Ms, std::string> award_watching(int coins, std::vector<Ms> moments) {
    std::map<Ms, std::string> seen;
    platform::Timer probe;
    size_t next = 0;
    probe.on_timer = [&] {
      seen[loop().now()] = counter();
      if (on_sample) on_sample();
      if (++next < moments.size())
        probe.set_interval(moments[next] - loop().now());
      else
        probe.set_enabled(false);
    };
    if (!moments.empty()) {
      probe.set_interval(moments[0] - loop().now());
      probe.set_enabled(true);
    }
    players::award_coins(coins, {264, 329});
    return seen;
  }

  TempDir dir_;
  std::shared_ptr<GameScreen> game_;
  std::vector<std::pair<Ms, bool>> pointer_;
  std::function<void()> on_sample;
  std::optional<TraceCapture> trace_;
};

std::string results_dukaty(const fs::path& data) {
  return platform::read_ini(data / "VYSLEDKY.DAT", "PZP", "Dukaty");
}

TEST_F(PiggyBank, OneCoinClinksOnceAfterTheFirstSecond) {
  const auto seen = award_watching(1, {500, 1001, 1002, 2503});
  EXPECT_EQ(seen.at(500), "40") << "the balance before the award";
  EXPECT_EQ(seen.at(1001), "40");
  EXPECT_EQ(seen.at(1002), "41");
  EXPECT_EQ(seen.at(2503), "41") << "still open until 1 + 0.4 + 1.1 s";
  EXPECT_EQ(loop().now(), 2503);
  EXPECT_EQ(counter(), "closed");

  EXPECT_EQ(lines_of({"sound", "sound-close", "unload", "ini"}),
            (std::vector<Line>{{0, "ini", "HD_SHORT:\\VYSLEDKY.DAT PZP Dukaty=41"},
                               {1001, "sound", "HD:\\UNI_SND\\CINK1.WAV"},
                               {1402, "sound-close", ""},
                               {2503, "unload", "frm_prasatko"}}))
      << "the balance is saved before the piggy bank counts";
  EXPECT_EQ(core::player_coins, 41);
  EXPECT_EQ(results_dukaty(dir_ / "data"), "41");
  EXPECT_TRUE(lines_of({"missing"}).empty());
}

TEST_F(PiggyBank, FiveCoinsAreCountedSlowlySixAndMoreFast) {
  // Five: one coin every 450 ms (each wait lasts until the clock has passed it).
  auto seen = award_watching(5, {1001, 1002, 1452, 1453, 2805, 2806, 4758});
  EXPECT_EQ(seen.at(1001), "40");
  EXPECT_EQ(seen.at(1002), "41");
  EXPECT_EQ(seen.at(1452), "41");
  EXPECT_EQ(seen.at(1453), "42");
  EXPECT_EQ(seen.at(2805), "44");
  EXPECT_EQ(seen.at(2806), "45");
  EXPECT_EQ(seen.at(4758), "45");
  EXPECT_EQ(loop().now(), 4758);
  EXPECT_EQ(lines_of({"sound", "sound-close", "unload", "ini"}),
            (std::vector<Line>{{0, "ini", "HD_SHORT:\\VYSLEDKY.DAT PZP Dukaty=45"},
                               {1001, "sound", "HD:\\UNI_SND\\CINK5.WAV"},
                               {3657, "sound-close", ""},
                               {4758, "unload", "frm_prasatko"}}));

  // Six, in the next window: it starts from the new balance, 100 ms a coin.
  const Ms t0 = loop().now();
  seen = award_watching(6, {t0 + 1001, t0 + 1002, t0 + 1102, t0 + 1506, t0 + 1507, t0 + 3109});
  EXPECT_EQ(seen.at(t0 + 1001), "45");
  EXPECT_EQ(seen.at(t0 + 1002), "46");
  EXPECT_EQ(seen.at(t0 + 1102), "46");
  EXPECT_EQ(seen.at(t0 + 1506), "50");
  EXPECT_EQ(seen.at(t0 + 1507), "51");
  EXPECT_EQ(seen.at(t0 + 3109), "51");
  EXPECT_EQ(loop().now(), t0 + 3109);
  const auto lines = lines_of({"sound", "sound-close", "unload"}, t0 + 1);
  EXPECT_EQ(lines, (std::vector<Line>{{t0 + 1001, "sound", "HD:\\UNI_SND\\CINK20.WAV"},
                                      {t0 + 2008, "sound-close", ""},
                                      {t0 + 3109, "unload", "frm_prasatko"}}));
  EXPECT_EQ(results_dukaty(dir_ / "data"), "51");
}

TEST_F(PiggyBank, TwentyFiveCoinsTakeAboutFiveSecondsAndThePointerStaysHidden) {
  int cursor_inside = 99;
  std::string dumped;
  on_sample = [&] {
    if (loop().now() != 2000) return;
    cursor_inside = forms().cursor_count();
    platform::JsonObject vars;
    if (auto f = forms().active()) f->describe(vars);
    dumped = vars.str();
  };
  const auto seen = award_watching(25, {2000, 3425, 3426, 5028});
  EXPECT_EQ(seen.at(2000), "50") << "ten coins counted at 1001 .. 1910";
  EXPECT_EQ(seen.at(3425), "64");
  EXPECT_EQ(seen.at(3426), "65");
  EXPECT_EQ(seen.at(5028), "65");
  EXPECT_EQ(loop().now(), 5028);
  EXPECT_EQ(cursor_inside, -1);
  EXPECT_EQ(dumped, R"({"tag": "25", "cislice": "50", "counted": 10, "stage": "count"})");
  EXPECT_EQ(pointer_, (std::vector<std::pair<Ms, bool>>{{0, false}, {5028, true}}));
  EXPECT_EQ(forms().cursor_count(), 0);

  const auto lines = lines_of({"show", "sound", "unload", "ini"});
  EXPECT_EQ(lines, (std::vector<Line>{{0, "show", "test_piggy_game"},
                                      {0, "ini", "HD_SHORT:\\VYSLEDKY.DAT PZP Dukaty=65"},
                                      {0, "show", "frm_prasatko"},
                                      {1001, "sound", "HD:\\UNI_SND\\CINK20.WAV"},
                                      {5028, "unload", "frm_prasatko"}}));
  EXPECT_EQ(results_dukaty(dir_ / "data"), "65");
  EXPECT_EQ(forms().active(), game_) << "the game screen takes the input again";
}

TEST_F(PiggyBank, OpensAtTheGamesPlaceOverWhatTheScreenShows) {
  game_->box->visible = true;  // something of the game beneath the window, above its picture
  Rect place{};
  platform::Surface window;
  platform::Surface scene;
  bool modal_on_top = false;
  on_sample = [&] {
    auto f = bank();
    place = f->bounds;
    window = f->picture;
    scene = forms().compose();
    modal_on_top = forms().active() == f;
  };
  award_watching(2, {1500});

  EXPECT_EQ(place.x, kScreenPlace.x + 264);
  EXPECT_EQ(place.y, kScreenPlace.y + 329);
  EXPECT_EQ(place.w, 90);
  EXPECT_EQ(place.h, 70);
  EXPECT_TRUE(modal_on_top);
  ASSERT_EQ(window.width(), 90);
  ASSERT_EQ(window.height(), 70);
  // The key colour lets the game's picture through at the matching place,
  // also inside the figure.
  EXPECT_EQ(window.at(0, 0), screen_pixel(264, 329));
  EXPECT_EQ(window.at(89, 69), screen_pixel(264 + 89, 329 + 69));
  EXPECT_EQ(window.at(20, 40), screen_pixel(264 + 20, 329 + 40));
  // The game's picture box beneath (76..95, 6..25 of the window) shows
  // through too, where the piglet does not stand in front of it.
  EXPECT_EQ(window.at(87, 20), rgb(0, 200, 0));
  EXPECT_EQ(window.at(80, 10), kSkin);
  EXPECT_EQ(window.at(75, 5), screen_pixel(264 + 75, 329 + 5));
  // In the scene the window covers the game's box, and the counter is
  // written on the plaque (anything other than the plaque there is text).
  EXPECT_EQ(scene.at(place.x + 80, place.y + 10), kSkin);
  EXPECT_EQ(scene.at(place.x + 87, place.y + 20), rgb(0, 200, 0));
  int ink = 0;
  for (int y = 14; y < 38; ++y)
    for (int x = 34; x < 84; ++x) ink += scene.at(place.x + x, place.y + y) != kPlaque;
  EXPECT_GT(ink, 0) << "the counter is drawn on the plaque";
}

// The caption strip lies over every screen, not on the game: the window
// takes the game as it is beneath it, and the strip still lies over both.
TEST_F(PiggyBank, TheCaptionStripOverTheGameIsNotTakenIntoTheWindow) {
  constexpr Rgb kStrip = rgb(1, 2, 3);
  forms().set_overlay({0, 300, 640, 180}, [](platform::Surface& scene) { scene.fill_rect({0, 300, 640, 180}, kStrip); });
  platform::Surface window, scene;
  on_sample = [&] {
    window = bank()->picture;
    scene = forms().compose(true);
  };
  award_watching(1, {1500});
  forms().clear_overlay();
  ASSERT_EQ(window.width(), 90);
  EXPECT_EQ(window.at(0, 0), screen_pixel(264, 329));
  EXPECT_EQ(window.at(20, 40), screen_pixel(264 + 20, 329 + 40));
  EXPECT_EQ(window.at(80, 10), kSkin);
  EXPECT_EQ(scene.at(kScreenPlace.x + 264 + 80, kScreenPlace.y + 329 + 10), kStrip);
}

TEST_F(PiggyBank, NothingToCountStillShowsTheBalanceAndCloses) {
  core::player_id = "PFP";  // a slot whose picture is missing
  const auto seen = award_watching(0, {1002, 2503});
  EXPECT_EQ(seen.at(1002), "40");
  EXPECT_EQ(seen.at(2503), "40");
  EXPECT_EQ(loop().now(), 2503);
  EXPECT_TRUE(lines_of({"sound"}).empty()) << "no jingle without coins";
  EXPECT_EQ(lines_of({"missing"}), (std::vector<Line>{{0, "missing", "HD:\\CUNICI\\XL\\PFP.BMP"}}));
  EXPECT_EQ(lines_of({"ini"}), (std::vector<Line>{{0, "ini", "HD_SHORT:\\VYSLEDKY.DAT PFP Dukaty=40"}}));
}

}  // namespace
}  // namespace tapo::testing
