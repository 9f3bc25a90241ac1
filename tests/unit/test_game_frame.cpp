// The frame of the game screens on the virtual clock with the demo pack: the
// layout table, the hover pictures, help on and off, the introduction once,
// and leaving in the middle of it.
#include <gtest/gtest.h>

#include <string>

#include "core/game_frame.h"
#include "core/media.h"
#include "platform/sound.h"
#include "tests/unit/test_support.h"

namespace tapo::testing {
namespace {

using platform::Ms;

// A game screen with nothing but the frame; its opening counts itself.
class FrameOnly : public platform::Form {
 public:
  FrameOnly() : Form("frm_ramecek"), frame(*this, *core::game_frame_layout("frm_terc")) {}
  void on_load() override { frame.load(); }
  void on_activate() override {
    frame.activate([this] { ++openings; });
  }
  void on_mouse_move(int, int) override { frame.mouse_move(); }
  core::GameFrame frame;
  int openings = 0;
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

TEST(GameFrameLayout, EveryGameHasItsRowAndTwoUseTheMixingSurfaceAsTheHead) {
  const char* const games[] = {"frm_terc", "frm_drak", "frm_vahy", "frm_housenka", "frm_had",
                               "frm_dril", "frm_pretah", "frm_sneci", "frm_pexeso"};
  for (const char* g : games) {
    const auto* l = core::game_frame_layout(g);
    ASSERT_NE(l, nullptr) << g;
    const std::string form = g;
    EXPECT_EQ(std::string(l->head), form == "frm_dril" || form == "frm_housenka" ? "michacka" : "video") << g;
  }
  EXPECT_EQ(core::game_frame_layout("frm_hry"), nullptr);
  const auto* terc = core::game_frame_layout("frm_terc");
  EXPECT_EQ(std::string(terc->folder), "TERC");
  EXPECT_EQ(terc->leave_x, 7);
  EXPECT_EQ(terc->leave_y, 390);
  EXPECT_EQ(terc->help_x, 577);
  EXPECT_EQ(terc->help_y, 383);
}

TEST_F(GameFrameTest, ControlsLightUpOnceAndGoDarkOnTheBackground) {
  auto& stopy = game_->frame.leave_control();
  auto& kruh = game_->frame.help_control();
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
  game_->frame.help_click();
  EXPECT_EQ(core::sound_mode(), 526);
  EXPECT_EQ(count("sound", "HD:\\TERC\\HELP.WAV"), 1);
  game_->frame.help_click();
  EXPECT_NE(core::sound_mode(), 526);
  EXPECT_EQ(count("sound", "HD:\\TERC\\HELP.WAV"), 1);
}

TEST_F(GameFrameTest, TheIntroductionRunsOnceAndThenTheOpening) {
  game_->on_activate();
  EXPECT_EQ(count("talk", "HD:\\TERC\\INTRO.DAT HD:\\TERC\\MLUVI.AVI"), 1);
  EXPECT_EQ(count("talk-end", "done"), 1);
  EXPECT_GT(loop().now(), 1000) << "the introduction takes its time";
  EXPECT_EQ(game_->openings, 1);
  EXPECT_TRUE(game_->frame.started);
  game_->on_activate();
  EXPECT_EQ(count("talk", "HD:\\TERC\\INTRO.DAT HD:\\TERC\\MLUVI.AVI"), 1);
  EXPECT_EQ(game_->openings, 1);
}

TEST_F(GameFrameTest, LeavingDuringTheIntroductionSkipsTheOpening) {
  bool left_before_unload = false;
  game_->frame.before_unload = [&] { left_before_unload = true; };
  // The first pass of events comes before the introduction; the next one
  // runs inside it.
  loop().post([this] { loop().post([this] { game_->frame.leave_click(); }); });
  game_->on_activate();
  EXPECT_EQ(count("talk-end", "aborted"), 1);
  EXPECT_EQ(count("show", "frm_hry"), 1);
  EXPECT_FALSE(game_->loaded());
  EXPECT_TRUE(left_before_unload);
  EXPECT_TRUE(game_->frame.leaving);
  EXPECT_EQ(game_->openings, 0);
  EXPECT_FALSE(game_->frame.comment("SPRAVNE", 1, "MLUVI2.AVI")) << "a comment after leaving says stop";
}

}  // namespace
}  // namespace tapo::testing
