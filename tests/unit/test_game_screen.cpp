// The base of the game screens on the virtual clock with the demo pack: the
// hover pictures, help on and off, the introduction once, leaving in the
// middle of it, and the coin award around the piggy bank.
#include <gtest/gtest.h>

#include <string>

#include "core/media.h"
#include "games/common/game_screen.h"
#include "games/terc/layout.h"
#include "platform/sound.h"
#include "players/profiles.h"
#include "tests/unit/test_support.h"

namespace tapo::testing {
namespace {

using platform::Ms;

// A game screen with nothing but the frame; its opening counts itself, and
// after it the mascot praises and a coin is paid.
class FrameOnly : public games::GameScreen {
 public:
  FrameOnly() : GameScreen(games::terc::kFrame) {}
  int openings = 0;
  int praised = 0;

 private:
  void open_game() override {
    ++openings;
    players::CoinsDue due(1);
    comment("SPRAVNE", 1, "MLUVI2.AVI");
    ++praised;
    award(due, {100, 200});
  }
};

class GameFrameTest : public LoopTest {
 protected:
  void SetUp() override {
    LoopTest::SetUp();
    platform::SoundChannel::instance().close();
    trace_.emplace();
    const fs::path demo(TAPO_DEMO_DIR);
    core::media_root = (demo / "media").string();
    core::data_dir = (demo / "data").string() + "/";
    core::work_dir = dir_.path().string();
    platform::Forms::register_factory(
        "frm_ramecek", [] { return std::static_pointer_cast<platform::Form>(std::make_shared<FrameOnly>()); });
    game_ = std::static_pointer_cast<FrameOnly>(forms().get("frm_ramecek"));
  }
  void TearDown() override {
    players::set_piggy_bank(nullptr);
    for (const auto& t : trace_->lines()) EXPECT_NE(t.event, "missing") << t.args;
    game_.reset();
    trace_.reset();
    LoopTest::TearDown();
  }
  int count(const std::string& event, const std::string& args) {
    int n = 0;
    for (const auto& t : trace_->lines()) n += t.event == event && t.args == args;
    return n;
  }

  TempDir dir_;
  std::optional<TraceCapture> trace_;
  std::shared_ptr<FrameOnly> game_;
};

TEST_F(GameFrameTest, ControlsLightUpOnceAndGoDarkOnTheBackground) {
  auto& stopy = game_->leave_control();
  auto& kruh = game_->help_control();
  EXPECT_EQ(stopy.rect.x, 7);
  EXPECT_EQ(kruh.rect.y, 383);
  EXPECT_EQ(stopy.tag, "False");
  const auto normal = stopy.image.pixels();
  stopy.on_mouse_move(1, 1);
  EXPECT_EQ(stopy.tag, "True");
  EXPECT_NE(stopy.image.pixels(), normal) << "the lit footprints differ from the plain ones";
  stopy.on_mouse_move(2, 2);
  EXPECT_EQ(stopy.tag, "True");
  game_->on_mouse_move(300, 200);
  EXPECT_EQ(stopy.tag, "False");
  EXPECT_EQ(stopy.image.pixels(), normal);
  EXPECT_EQ(kruh.tag, "False");
}

TEST_F(GameFrameTest, HelpStartsAndASecondClickStopsIt) {
  game_->help_click();
  EXPECT_EQ(core::sound_mode(), 526);
  EXPECT_EQ(count("sound", "HD:\\TERC\\HELP.WAV"), 1);
  game_->help_click();
  EXPECT_NE(core::sound_mode(), 526);
  EXPECT_EQ(count("sound", "HD:\\TERC\\HELP.WAV"), 1);
}

TEST_F(GameFrameTest, TheIntroductionRunsOnceThenTheOpeningWhosePiggyBankHoldsTheWayOut) {
  bool could_leave = true;
  platform::Point where;
  players::set_piggy_bank([&](int, platform::Point at) {
    could_leave = game_->leave_control().enabled;
    where = at;
  });
  game_->run_handler([this] { game_->on_activate(); });
  EXPECT_EQ(count("talk", "HD:\\TERC\\INTRO.DAT HD:\\TERC\\MLUVI.AVI"), 1);
  EXPECT_GT(loop().now(), 1000) << "the introduction takes its time";
  EXPECT_EQ(game_->openings, 1);
  EXPECT_TRUE(game_->started);
  EXPECT_FALSE(could_leave) << "the footprints wait while the piggy bank counts";
  EXPECT_EQ(where.x, 100);
  EXPECT_EQ(where.y, 200);
  EXPECT_TRUE(game_->leave_control().enabled);
  game_->run_handler([this] { game_->on_activate(); });
  EXPECT_EQ(count("talk", "HD:\\TERC\\INTRO.DAT HD:\\TERC\\MLUVI.AVI"), 1);
  EXPECT_EQ(game_->openings, 1);
}

TEST_F(GameFrameTest, LeavingEndsTheHandlerWhereverItWaits) {
  // The first pass of events comes before the introduction; the next one
  // runs inside it.
  loop().post([this] { loop().post([this] { game_->leave_click(); }); });
  game_->run_handler([this] { game_->on_activate(); });
  EXPECT_EQ(count("talk-end", "aborted"), 1);
  EXPECT_EQ(count("show", "frm_hry"), 1);
  EXPECT_FALSE(game_->loaded());
  EXPECT_TRUE(game_->leaving);
  EXPECT_EQ(game_->openings, 0);
  EXPECT_EQ(forms().cursor_count(), 0);
}

TEST_F(GameFrameTest, LeavingDuringThePraiseSkipsTheCoin) {
  int paid = 0;
  players::set_piggy_bank([&](int, platform::Point) { ++paid; });
  // Leave once the praise has begun.
  bool armed = false;
  auto leave_when_praised = [&] {
    if (!armed && core::talk_active && count("talk", "HD:\\TERC\\SPRAVNE1.DAT HD:\\TERC\\MLUVI2.AVI") == 1) {
      armed = true;
      game_->leave_click();
    }
  };
  platform::Timer poll;
  poll.set_interval(50);
  poll.on_timer = leave_when_praised;
  poll.set_enabled(true);
  game_->run_handler([this] { game_->on_activate(); });
  EXPECT_TRUE(armed);
  EXPECT_EQ(game_->openings, 1);
  EXPECT_EQ(game_->praised, 0);
  EXPECT_EQ(paid, 0);
}

}  // namespace
}  // namespace tapo::testing
