// The animations and the talking head on the virtual clock, with
// clips and sounds made by the tests.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <optional>
#include <set>

#include "core/animation.h"
#include "core/media.h"
#include "platform/sound.h"
#include "tests/unit/test_support.h"
#include "tools/media_writers/avi_writer.h"
#include "tools/media_writers/wav_writer.h"

namespace tapo::testing {
namespace {

using core::MediaPath;
using core::Root;
using platform::rgb;

constexpr platform::Rgb kKey = rgb(255, 0, 255);
constexpr platform::Rgb kBackground = rgb(0, 0, 200);

// Frame k of the test clip: colour k + 1 everywhere but a key-coloured
// square in the top-left corner.
platform::Rgb frame_colour(int k) { return rgb(10 * (k + 1), 255 - 10 * k, 40); }

class AnimationForm : public platform::Form {
 public:
  AnimationForm() : Form("test_animation_form") {}
  void on_load() override {
    picture.fill(kBackground);
    video = &add<platform::PictureBox>("video", platform::Rect{0, 0, 10, 10});
    video->visible = false;
  }
  platform::PictureBox* video = nullptr;
};
const bool registered = platform::Forms::register_factory("test_animation_form", [] {
  return std::static_pointer_cast<platform::Form>(std::make_shared<AnimationForm>());
});

class Animations : public LoopTest {
 protected:
  void SetUp() override {
    LoopTest::SetUp();
    (void)registered;
    trace_.emplace();
    for (const char* d : {"media/A", "work", "data"}) fs::create_directories(dir_ / d);
    core::media_root = (dir_ / "media").string();
    core::work_dir = (dir_ / "work").string();
    core::data_dir = (dir_ / "data").string() + "/";
    write_clip(dir_ / "media/A/CLIP.AVI", 8, 40, 30);
    write_wav(dir_ / "media/A/CLIP.WAV", 22050);  // one second
    form_ = std::static_pointer_cast<AnimationForm>(forms().get("test_animation_form"));
    form_->show();
  }
  void TearDown() override {
    trace_.reset();
    LoopTest::TearDown();
  }

  static void write_clip(const fs::path& file, int frames, int w, int h) {
    media::Palette palette{};
    palette[0] = kKey;
    for (int k = 0; k < 254; ++k) palette[static_cast<size_t>(k + 1)] = frame_colour(k);
    std::vector<media::IndexedFrame> list;
    for (int k = 0; k < frames; ++k) {
      media::IndexedFrame f{w, h, std::vector<std::uint8_t>(static_cast<size_t>(w) * h, static_cast<std::uint8_t>(k + 1))};
      for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) f.pixels[static_cast<size_t>(y) * w + x] = 0;
      list.push_back(std::move(f));
    }
    ASSERT_TRUE(media::write_rle8_avi(file, list, palette, 10));
  }

  static void write_wav(const fs::path& file, int samples) {
    wav::write(file, wav::riff({wav::pcm_fmt(1, 22050, 16),
                                wav::chunk("data", wav::samples16(std::vector<std::int16_t>(static_cast<size_t>(samples), 100)))}));
  }

  static void write_text(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
  }

  // The trace so far as (time, event, args).
  std::vector<std::tuple<long long, std::string, std::string>> trace() {
    std::vector<std::tuple<long long, std::string, std::string>> out;
    for (auto& t : trace_->lines()) out.emplace_back(t.ms, t.event, t.args);
    return out;
  }
  std::vector<long long> times_of(const std::string& event) {
    std::vector<long long> t;
    for (const auto& [ms, ev, args] : trace())
      if (ev == event) t.push_back(ms);
    return t;
  }

  TempDir dir_;
  std::shared_ptr<AnimationForm> form_;
  std::optional<TraceCapture> trace_;
};

TEST_F(Animations, StepsAreShownAtTheSumOfTheEarlierHoldTimes) {
  write_text(dir_ / "media/A/RUN.DAT", "\"\\A\\CLIP\"\n100\n50\n40\n30\n0\n1x100\n2x0\n3x50\n4x30\n");
  // While the animation runs, the form takes no input and the pointer is hidden.
  platform::Timer probe;
  bool enabled_seen = true;
  int cursor_seen = 0;
  probe.set_interval(120);
  probe.on_timer = [&] {
    probe.set_enabled(false);
    enabled_seen = form_->enabled;
    cursor_seen = forms().cursor_count();
  };
  probe.set_enabled(true);

  core::play_animation({Root::Media, "\\A\\RUN.DAT"}, *form_->video);
  EXPECT_EQ(times_of("anim-frame"), (std::vector<long long>{100, 100, 150}));
  ASSERT_EQ(times_of("anim-end").size(), 1u);
  EXPECT_EQ(times_of("anim-end")[0], 180);
  EXPECT_FALSE(enabled_seen);
  EXPECT_EQ(cursor_seen, -1);
  EXPECT_TRUE(form_->enabled);
  EXPECT_EQ(forms().cursor_count(), 0);
  EXPECT_FALSE(form_->video->visible);
  EXPECT_EQ(form_->video->rect.x, 100);
  EXPECT_EQ(form_->video->rect.w, 40);
  // The last step shows frame 4, scaled into the box.
  EXPECT_EQ(form_->video->image.at(20, 20), frame_colour(4));
  // The sound played from the work folder's copy.
  EXPECT_TRUE(fs::exists(dir_ / "work/ZVUK.WAV"));
  bool played_copy = false;
  for (const auto& [ms, ev, args] : trace()) played_copy = played_copy || (ev == "sound" && args == "HD2:\\ZVUK.WAV");
  EXPECT_TRUE(played_copy);
}

TEST_F(Animations, ClosingFrameStaysOnTheBackgroundAndScriptsWithoutStepsShowFrameZero) {
  write_text(dir_ / "media/A/FIN.DAT", "\\A\\CLIP\n200\n100\n40\n30\n6\n");
  core::play_animation({Root::Media, "\\A\\FIN.DAT"}, *form_->video);
  EXPECT_EQ(times_of("anim-end"), (std::vector<long long>{0}));
  EXPECT_EQ(form_->video->image.at(20, 20), frame_colour(0)) << "frame 0, shown once";
  EXPECT_FALSE(form_->video->visible);
  EXPECT_EQ(form_->picture.at(220, 120), frame_colour(6)) << "the closing frame is part of the background now";
  EXPECT_EQ(form_->picture.at(199, 120), kBackground);
}

TEST_F(Animations, DataFolderCopyReplacesTheScriptAndMissingScriptsAreSkipped) {
  write_text(dir_ / "media/A/OVR.DAT", "\\A\\CLIP\n0\n0\n40\n30\n0\n1x500\n");
  write_text(dir_ / "data/OVR.DAT", "\\A\\CLIP\n0\n0\n40\n30\n0\n2x70\n");
  core::play_animation({Root::Media, "\\A\\OVR.DAT"}, *form_->video);
  EXPECT_EQ(times_of("anim-end"), (std::vector<long long>{70}));
  bool from_data = false;
  for (const auto& [ms, ev, args] : trace()) from_data = from_data || (ev == "anim" && args == "HD_SHORT:\\OVR.DAT");
  EXPECT_TRUE(from_data);

  const auto before = loop().now();
  core::play_animation({Root::Media, "\\A\\NONE.DAT"}, *form_->video);
  EXPECT_EQ(loop().now(), before);
  EXPECT_TRUE(form_->enabled);
  EXPECT_EQ(forms().cursor_count(), 0);
  int missing = 0;
  for (const auto& [ms, ev, args] : trace()) missing += ev == "missing" && args == "HD:\\A\\NONE.DAT";
  EXPECT_EQ(missing, 1);
}

// Files that are there but cannot be used are told as damaged and skipped
// like missing ones.
TEST_F(Animations, DamagedFilesAreToldAndSkipped) {
  write_text(dir_ / "media/A/BIG.DAT", "\\A\\CLIP\n0\n0\n40000\n40000\n0\n1x500\n");
  const auto before = loop().now();
  core::play_animation({Root::Media, "\\A\\BIG.DAT"}, *form_->video);
  EXPECT_EQ(loop().now(), before);
  EXPECT_EQ(form_->video->image.width(), 10);

  // A bitmap header claiming 30000 x 30000 in a file of 69 bytes.
  std::string bmp = "BM" + wav::le32(69) + wav::le32(0) + wav::le32(54) + wav::le32(40) + wav::le32(30000) +
                    wav::le32(30000) + wav::le16(1) + wav::le16(24) + std::string(24 + 15, '\0');
  write_text(dir_ / "media/A/BIG.BMP", bmp);
  EXPECT_FALSE(core::load_media_picture({Root::Media, "\\A\\BIG.BMP"}));

  std::set<std::string> damaged;
  for (const auto& [ms, ev, args] : trace())
    if (ev == "damaged") damaged.insert(args);
  EXPECT_EQ(damaged, (std::set<std::string>{"HD:\\A\\BIG.DAT", "HD:\\A\\BIG.BMP"}));
}

TEST_F(Animations, KeyedAnimationsLetTheBackgroundThroughTheKeyColour) {
  form_->picture.fill_rect({0, 0, 640, 480}, kBackground);
  form_->picture.set(302, 202, rgb(1, 2, 3));  // a detail of the background under the key square
  write_text(dir_ / "media/A/KEY.DAT", "\\A\\CLIP\n300\n200\n40\n30\n0\n2x10\n3x10\n");
  core::play_animation_keyed({Root::Media, "\\A\\KEY.DAT"}, *form_->video);
  EXPECT_TRUE(form_->video->visible) << "the keyed animation leaves its last picture up";
  EXPECT_EQ(form_->video->image.at(2, 2), rgb(1, 2, 3));
  EXPECT_EQ(form_->video->image.at(0, 0), kBackground);
  EXPECT_EQ(form_->video->image.at(10, 10), frame_colour(3));

  form_->video->visible = false;
  write_text(dir_ / "media/A/FRM.DAT", "\\A\\CLIP\n100\n100\n5\n5\n1\n1x10\n5x20\n");
  core::play_animation_frames({Root::Media, "\\A\\FRM.DAT"}, *form_->video);
  EXPECT_EQ(form_->video->rect.w, 40) << "sized to the clip, not to the script";
  EXPECT_FALSE(form_->video->visible);
  EXPECT_EQ(form_->picture.at(110, 110), frame_colour(5)) << "the last mixed picture stays on the background";
  EXPECT_EQ(form_->picture.at(101, 101), kBackground);
  EXPECT_EQ(times_of("anim-end").back(), 50);
}

TEST_F(Animations, DecodingAnimationEndsTheGameWhenItsClipIsMissing) {
  write_text(dir_ / "media/A/BAD.DAT", "\\A\\NOCLIP\n0\n0\n10\n10\n0\n1x10\n");
  EXPECT_THROW(core::play_animation_frames({Root::Media, "\\A\\BAD.DAT"}, *form_->video), platform::ProgramExit);
  bool told = false;
  for (const auto& [ms, ev, args] : trace()) told = told || (ev == "msgbox" && args == "Tapo - Numerino | Stop!");
  EXPECT_TRUE(told);
}

TEST_F(Animations, TalkingHeadPausesAtEachMarkAndNeverRepeatsAMouth) {
  // 22050 samples of 16-bit mono: 44100 bytes, one second.  Marks at a
  // quarter and at a half.
  write_text(dir_ / "media/A/TALK.DAT", "11024\n22050\n");
  fs::copy_file(dir_ / "media/A/CLIP.WAV", dir_ / "media/A/TALK.WAV");
  write_text(dir_ / "media/A/CLIP.DAT", "0,123,45\n");

  std::vector<platform::Rgb> mouths;
  platform::Timer sampler;
  sampler.set_interval(100);
  sampler.on_timer = [&] {
    if (form_->video->visible) mouths.push_back(form_->video->image.at(20, 20));
  };
  sampler.set_enabled(true);
  core::talk_abort = false;
  core::play_talking_clip({Root::Media, "\\A\\TALK.DAT"}, {Root::Media, "\\A\\CLIP.AVI"}, *form_->video);
  sampler.set_enabled(false);

  std::vector<std::string> sounds;
  for (const auto& [ms, ev, args] : trace())
    if (ev == "sound") sounds.push_back(std::to_string(ms) + " " + args);
  ASSERT_EQ(sounds.size(), 3u) << "two marks: three segments";
  EXPECT_EQ(sounds[0], "0 HD:\\A\\TALK.WAV 0 11024");
  const auto talk_end = times_of("talk-end");
  ASSERT_EQ(talk_end.size(), 1u);
  // One second of speech and two pauses of 300 ms, give or take a mouth frame.
  EXPECT_GE(talk_end[0], 1600);
  EXPECT_LE(talk_end[0], 1800);
  EXPECT_EQ(std::get<2>(trace().back()), "done");
  EXPECT_EQ(form_->video->rect.x, 123);
  EXPECT_EQ(form_->video->rect.y, 45);
  EXPECT_FALSE(form_->video->visible);
  EXPECT_FALSE(core::talk_active);
  EXPECT_EQ(platform::SoundChannel::instance().mode(), 0) << "the sound channel is closed at the end";
  ASSERT_GT(mouths.size(), 5u);
  for (size_t i = 1; i < mouths.size(); ++i) EXPECT_NE(mouths[i], mouths[i - 1]) << "sample " << i;
  for (auto m : mouths) EXPECT_NE(m, frame_colour(0)) << "frame 0 is the closed mouth, never a talking one";
}

TEST_F(Animations, TalkingHeadStopsAtItsNextFrameWhenAborted) {
  write_text(dir_ / "media/A/TALK.DAT", "");
  fs::copy_file(dir_ / "media/A/CLIP.WAV", dir_ / "media/A/TALK.WAV");
  platform::Timer leave;
  leave.set_interval(250);
  leave.on_timer = [&] {
    leave.set_enabled(false);
    core::talk_abort = true;
  };
  leave.set_enabled(true);
  core::talk_abort = false;
  core::play_talking_clip({Root::Media, "\\A\\TALK.DAT"}, {Root::Media, "\\A\\CLIP.AVI"}, *form_->video);
  const auto end = times_of("talk-end");
  ASSERT_EQ(end.size(), 1u);
  EXPECT_GE(end[0], 250);
  EXPECT_LE(end[0], 350);
  EXPECT_EQ(std::get<2>(trace().back()), "aborted");
  EXPECT_TRUE(form_->video->visible) << "the handler that aborted hides the head";
  EXPECT_FALSE(core::talk_active);
}

TEST_F(Animations, MarksBeyondTheSoundOrOutOfOrderEndTheTalk) {
  fs::copy_file(dir_ / "media/A/CLIP.WAV", dir_ / "media/A/ODD.WAV");
  write_text(dir_ / "media/A/ODD.DAT", "30000\n10000\n999999\n");
  core::talk_abort = false;
  core::play_talking_clip({Root::Media, "\\A\\ODD.DAT"}, {Root::Media, "\\A\\CLIP.AVI"}, *form_->video);
  const auto end = times_of("talk-end");
  ASSERT_EQ(end.size(), 1u);
  EXPECT_LT(end[0], 5000);

  // No sound at all: the talk ends at once.
  core::play_talking_clip({Root::Media, "\\A\\NOWAV.DAT"}, {Root::Media, "\\A\\CLIP.AVI"}, *form_->video);
  EXPECT_EQ(times_of("talk-end").size(), 2u);
  EXPECT_LE(times_of("talk-end")[1] - end[0], 1);
}

TEST_F(Animations, RideMovesTheBoxToEachFramesPositionAndSkipsTheFirstHold) {
  write_text(dir_ / "media/A/JIZDA.DAT", "\\A\\CLIP\n0\n0\n40\n30\n0\n1x500\n2x40\n2x40\n3x40\n");
  write_text(dir_ / "media/A/JIZDA.POS", "0,10,10\n1,50,60\n2,300,200\n");
  core::play_ride({Root::Media, "\\A\\JIZDA.DAT"}, *form_->video, {Root::Media, "\\A\\JIZDA.POS"});
  EXPECT_EQ(times_of("anim-frame"), (std::vector<long long>{0, 40, 80}));
  EXPECT_EQ(times_of("anim-end"), (std::vector<long long>{120}));
  EXPECT_EQ(form_->video->rect.x, 300);
  EXPECT_EQ(form_->video->rect.y, 200);
  EXPECT_EQ(form_->video->image.at(20, 20), frame_colour(3));
  EXPECT_FALSE(form_->video->visible);
}

TEST_F(Animations, SingleFrameIntoABox) {
  core::show_avi_frame({Root::Media, "\\A\\CLIP.AVI"}, *form_->video, 5);
  EXPECT_EQ(form_->video->rect.w, 40);
  EXPECT_EQ(form_->video->rect.h, 30);
  EXPECT_EQ(form_->video->image.at(30, 20), frame_colour(5));
  EXPECT_EQ(form_->video->image.at(1, 1), kKey);
}

}  // namespace
}  // namespace tapo::testing
