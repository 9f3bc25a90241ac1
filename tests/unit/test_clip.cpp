#include "platform/clip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "platform/ui.h"
#include "tools/media_writers/clip_writer.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using tapo::platform::Clip;
using tapo::platform::Form;
using tapo::platform::Rect;
using tapo::platform::Rgb;
using tapo::platform::rgb;
using tapo::platform::Surface;
using tapo::testing::ClipCodec;
using tapo::testing::ClipOptions;
using tapo::testing::TempDir;
using tapo::testing::write_clip;

constexpr Rgb kKey = rgb(255, 0, 255);  // the colour sprites leave transparent
constexpr Rgb kSky = rgb(40, 90, 160);
const std::vector<Rgb> kMarks = {
    rgb(230, 30, 30),  rgb(30, 200, 40),  rgb(250, 220, 20), rgb(20, 20, 20),
    rgb(0, 220, 220),  rgb(255, 140, 0),  rgb(120, 60, 200), rgb(255, 255, 255),
    rgb(90, 50, 20),   rgb(160, 160, 160), rgb(0, 100, 0),   rgb(255, 150, 200),
};

// Frame k: a 16 x 16 block of its own colour at its own place over a fixed
// scene with a key-colour area and a line of single-pixel detail.
Surface picture(int k, int w = 80, int h = 48) {
  Surface s(w, h, kSky);
  s.fill_rect(Rect{w - 16, 0, 16, h / 2}, kKey);
  s.fill_rect(Rect{w - 16, h / 2, 16, h - h / 2}, rgb(250, 240, 200));
  for (int x = 0; x < w - 16; ++x) s.set(x, h - 2, kMarks[static_cast<size_t>(x) % kMarks.size()]);
  const int spots = (w - 16) / 16, rows = (h - 4) / 16;
  s.fill_rect(Rect{16 * (k % spots), 16 * ((k / spots) % rows), 16, 16},
              kMarks[static_cast<size_t>(k) % kMarks.size()]);
  return s;
}

std::vector<Surface> pictures(int count) {
  std::vector<Surface> out;
  for (int k = 0; k < count; ++k) out.push_back(picture(k));
  return out;
}

bool lossless(ClipCodec c) { return c == ClipCodec::Raw24 || c == ClipCodec::Raw8 || c == ClipCodec::Rle8; }

// "" when equal, else where they first differ.
std::string difference(const Surface& got, const Surface& want) {
  if (got.width() != want.width() || got.height() != want.height())
    return "size " + std::to_string(got.width()) + "x" + std::to_string(got.height());
  for (int y = 0; y < want.height(); ++y)
    for (int x = 0; x < want.width(); ++x)
      if (got.at(x, y) != want.at(x, y)) {
        char buf[96];
        std::snprintf(buf, sizeof buf, "(%d,%d) is %06X, not %06X", x, y, got.at(x, y), want.at(x, y));
        return buf;
      }
  return "";
}

// Mean difference per colour channel.
double mean_error(const Surface& a, const Surface& b) {
  double sum = 0;
  for (size_t i = 0; i < a.pixels().size(); ++i) {
    const Rgb p = a.pixels()[i], q = b.pixels()[i];
    for (int shift = 0; shift <= 16; shift += 8)
      sum += std::abs(static_cast<int>((p >> shift) & 255) - static_cast<int>((q >> shift) & 255));
  }
  return sum / (3.0 * static_cast<double>(a.pixels().size()));
}

// Lossless clips give back the very picture; lossy ones something close to
// it and closer to it than to any other frame's picture.
void expect_frame(ClipCodec codec, const Surface* got, const std::vector<Surface>& want, int n) {
  SCOPED_TRACE("frame " + std::to_string(n));
  ASSERT_NE(got, nullptr);
  ASSERT_EQ(got->width(), want[static_cast<size_t>(n)].width());
  ASSERT_EQ(got->height(), want[static_cast<size_t>(n)].height());
  if (lossless(codec)) {
    EXPECT_EQ(difference(*got, want[static_cast<size_t>(n)]), "");
    return;
  }
  const double own = mean_error(*got, want[static_cast<size_t>(n)]);
  EXPECT_LT(own, 8.0);
  for (size_t m = 0; m < want.size(); ++m) {
    if (want[m].pixels() != want[static_cast<size_t>(n)].pixels()) {
      EXPECT_LT(own, mean_error(*got, want[m])) << "looks more like frame " << m;
    }
  }
}

class ClipCodecs : public ::testing::TestWithParam<ClipCodec> {
 protected:
  TempDir dir_;
};

TEST_P(ClipCodecs, EveryFrameComesOutRightInAnyOrder) {
  const ClipCodec codec = GetParam();
  const auto frames = pictures(12);
  ClipOptions opt;
  opt.key_interval = 4;  // frames between key frames depend on the ones before
  const fs::path file = dir_ / "CLIP.AVI";
  ASSERT_EQ(write_clip(file, codec, frames, opt), "");

  Clip::Error error = Clip::Error::Open;
  auto clip = Clip::open(file, &error);
  ASSERT_NE(clip, nullptr);
  EXPECT_EQ(error, Clip::Error::None);
  EXPECT_EQ(clip->start(), 0);
  EXPECT_EQ(clip->length(), 12);
  EXPECT_EQ(clip->width(), 80);
  EXPECT_EQ(clip->height(), 48);

  // The first frame asked for is a late one, so decoding starts at a key
  // frame well after the first packet; then random orders, twice (the second
  // time mostly from what was kept), and backwards.
  std::vector<int> order{10};
  std::mt19937 rng(static_cast<unsigned>(codec) + 7);
  for (int pass = 0; pass < 2; ++pass) {
    std::vector<int> all(12);
    std::iota(all.begin(), all.end(), 0);
    std::shuffle(all.begin(), all.end(), rng);
    order.insert(order.end(), all.begin(), all.end());
  }
  for (int n = 11; n >= 0; --n) order.push_back(n);
  for (int n : order) expect_frame(codec, clip->frame(n), frames, n);

  // A fresh clip read straight through gives the same pictures.
  auto again = Clip::open(file);
  ASSERT_NE(again, nullptr);
  for (int n = 0; n < 12; ++n) {
    const Surface* a = again->frame(n);
    const Surface* b = clip->frame(n);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->pixels(), b->pixels()) << "frame " << n;
  }

  if (lossless(codec)) {
    // The key colour must survive to the last bit, or sprites get fringes.
    const Surface* f = clip->frame(5);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->at(70, 3), kKey);
    EXPECT_EQ(f->at(64, 23), kKey);
  }
}

TEST_P(ClipCodecs, EmptyChunksShowThePreviousFrameAgain) {
  const ClipCodec codec = GetParam();
  auto frames = pictures(10);
  ClipOptions opt;
  opt.key_interval = 3;
  opt.repeats = {3, 4, 9};  // 9: empty chunks at the very end count too
  for (int r : opt.repeats) frames[static_cast<size_t>(r)] = frames[static_cast<size_t>(r) - 1];
  const fs::path file = dir_ / "REPEAT.AVI";
  ASSERT_EQ(write_clip(file, codec, frames, opt), "");

  auto clip = Clip::open(file);
  ASSERT_NE(clip, nullptr);
  ASSERT_EQ(clip->length(), 10);
  for (int n : {9, 4, 0, 5, 3, 8, 1, 2, 6, 7}) expect_frame(codec, clip->frame(n), frames, n);

  // A repeated frame shows exactly the picture of the frame before it, for
  // the lossy codecs too.
  for (int r : opt.repeats) {
    const Surface* repeat = clip->frame(r);
    ASSERT_NE(repeat, nullptr);
    const std::vector<Rgb> shown = repeat->pixels();
    const Surface* earlier = clip->frame(r - 1);
    ASSERT_NE(earlier, nullptr);
    EXPECT_EQ(shown, earlier->pixels()) << "frame " << r;
  }
}

INSTANTIATE_TEST_SUITE_P(Clip, ClipCodecs,
                         ::testing::Values(ClipCodec::Raw24, ClipCodec::Raw8, ClipCodec::Rle8,
                                           ClipCodec::Video1, ClipCodec::Cinepak),
                         [](const auto& info) { return tapo::testing::clip_codec_name(info.param); });

// Clips with a sound track: the sound is stream 0 and its chunks sit between
// the pictures; the clip is the video stream all the same.
TEST(ClipStreams, SoundStreamBeforeTheVideoIsPassedOver) {
  TempDir dir;
  const ClipCodec codec = ClipCodec::Rle8;
  const auto frames = pictures(6);
  ClipOptions opt;
  opt.sound = true;
  opt.key_interval = 2;
  const fs::path file = dir / "SOUND.AVI";
  ASSERT_EQ(write_clip(file, codec, frames, opt), "");

  auto clip = Clip::open(file);
  ASSERT_NE(clip, nullptr);
  EXPECT_EQ(clip->length(), 6);
  EXPECT_EQ(clip->width(), 80);
  for (int n : {5, 2, 0, 3, 1, 4}) expect_frame(codec, clip->frame(n), frames, n);
}

// More decoded pictures than a clip keeps: those that were let go come back
// right when asked for again.
TEST(ClipCache, PicturesLetGoAreDecodedAgain) {
  TempDir dir;
  constexpr int kFrames = 240, kW = 320, kH = 240;  // about 70 MB of pictures
  std::vector<Surface> frames;
  for (int k = 0; k < kFrames; ++k) frames.push_back(picture(k, kW, kH));
  ClipOptions opt;
  opt.key_interval = 30;
  const fs::path file = dir / "LONG.AVI";
  ASSERT_EQ(write_clip(file, ClipCodec::Rle8, frames, opt), "");

  auto clip = Clip::open(file);
  ASSERT_NE(clip, nullptr);
  ASSERT_EQ(clip->length(), kFrames);
  for (int n = 0; n < kFrames; ++n) ASSERT_NE(clip->frame(n), nullptr);
  std::vector<int> order(kFrames);
  std::iota(order.begin(), order.end(), 0);
  std::shuffle(order.begin(), order.end(), std::mt19937(3));
  order.resize(60);
  for (int n : order) {
    const Surface* f = clip->frame(n);
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(difference(*f, frames[static_cast<size_t>(n)]), "") << "frame " << n;
  }
}

// The clip kept open is handed out again only while its file is unchanged.
TEST(ClipKept, ANewFileUnderTheSameNameIsReadAgain) {
  TempDir dir;
  const fs::path file = dir / "KEPT.AVI";
  ASSERT_EQ(write_clip(file, ClipCodec::Rle8, pictures(3), {}), "");
  auto first = Clip::open_kept(file);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(Clip::open_kept(file), first);
  ASSERT_EQ(write_clip(file, ClipCodec::Rle8, pictures(5), {}), "");
  auto second = Clip::open_kept(file);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->length(), 5);
  EXPECT_EQ(difference(*second->frame(4), picture(4)), "");
}

// The clip kept for a screen goes with that screen and only with it; the
// screen that asked for it last is the one it is kept for.
TEST(ClipKept, GoesWithTheScreenItIsKeptFor) {
  TempDir dir;
  const fs::path file = dir / "KEPT.AVI";
  ASSERT_EQ(write_clip(file, ClipCodec::Rle8, pictures(3), {}), "");
  const Form menu("menu"), game("game");
  std::weak_ptr<Clip> kept = Clip::open_kept(file, nullptr, &menu);
  ASSERT_FALSE(kept.expired());
  Clip::release_kept(&game);
  EXPECT_FALSE(kept.expired()) << "another screen's going leaves it open";
  EXPECT_EQ(Clip::open_kept(file, nullptr, &game), kept.lock()) << "asked for again, it is not read again";
  Clip::release_kept(&menu);
  EXPECT_FALSE(kept.expired()) << "the game asked for it last";
  Clip::release_kept(&game);
  EXPECT_TRUE(kept.expired());
}

// Indeo 3 "null" pictures are taken by the decoder without a picture coming
// out: the frame shows the previous picture, like an empty chunk.
// An Indeo 3 clip of 32 x 16 with `n` packets still to be filled.
tapo::media::AviVideo indeo_video(std::size_t n) {
  tapo::media::AviVideo video;
  video.compression = video.handler = tapo::media::fourcc("IV32");
  video.width = 32;
  video.height = 16;
  video.pictures.resize(n);
  return video;
}

TEST(ClipIndeo, NullPicturesKeepThePreviousOne) {
  TempDir dir;
  namespace iv3 = tapo::testing::indeo3;
  tapo::media::AviVideo video = indeo_video(5);
  auto& packets = video.pictures;
  packets[0].data = iv3::flat_picture(32, 16);
  packets[1].data = iv3::null_picture();
  packets[2].data = iv3::flat_picture(32, 16, true);
  packets[3].data = iv3::null_picture();
  packets[4].data = iv3::null_picture();
  packets[1].key = packets[3].key = packets[4].key = false;
  ASSERT_TRUE(tapo::media::write_avi(dir / "IV32.AVI", video));

  auto clip = Clip::open(dir / "IV32.AVI");
  ASSERT_NE(clip, nullptr);
  EXPECT_EQ(clip->length(), 5);
  EXPECT_EQ(clip->width(), 32);
  EXPECT_EQ(clip->height(), 16);
  std::vector<std::vector<Rgb>> shown(5);
  for (int n : {4, 1, 3, 0, 2}) {
    const Surface* f = clip->frame(n);
    ASSERT_NE(f, nullptr) << "frame " << n;
    shown[static_cast<size_t>(n)] = f->pixels();
  }
  EXPECT_EQ(shown[1], shown[0]);
  EXPECT_EQ(shown[3], shown[2]);
  EXPECT_EQ(shown[4], shown[2]);
  EXPECT_NE(shown[2], shown[0]);
  for (Rgb p : shown[0]) {  // the flat picture is mid-grey
    for (int shift = 0; shift <= 16; shift += 8) {
      const int c = static_cast<int>((p >> shift) & 255);
      ASSERT_NEAR(c, 128, 12) << std::hex << p;
    }
  }
}

// A long run of null pictures, one of them marked as a key, still shows the
// first picture; the lookup goes back through them without recursing.
TEST(ClipIndeo, LongRunsOfNullPicturesShowThePictureBefore) {
  TempDir dir;
  namespace iv3 = tapo::testing::indeo3;
  tapo::media::AviVideo video = indeo_video(4000);
  auto& packets = video.pictures;
  packets[0].data = iv3::flat_picture(32, 16);
  for (std::size_t i = 1; i < packets.size(); ++i) {
    packets[i].data = iv3::null_picture();
    packets[i].key = i == 2000;
  }
  ASSERT_TRUE(tapo::media::write_avi(dir / "NULLS.AVI", video));

  auto clip = Clip::open(dir / "NULLS.AVI");
  ASSERT_NE(clip, nullptr);
  ASSERT_EQ(clip->length(), 4000);
  const Surface* last = clip->frame(3999);
  ASSERT_NE(last, nullptr);
  const std::vector<Rgb> shown = last->pixels();
  for (int n : {1999, 2000, 0}) {
    const Surface* f = clip->frame(n);
    ASSERT_NE(f, nullptr) << "frame " << n;
    EXPECT_EQ(f->pixels(), shown) << "frame " << n;
  }
}

struct Patch {
  const char* field;  // the chunk tag to look for
  size_t offset;      // from the tag's start
  std::string bytes;
};

// Replaces a few bytes of a file's headers.
void patch(const fs::path& file, const std::vector<Patch>& patches) {
  std::string data = tapo::testing::slurp(file);
  for (const Patch& p : patches) {
    const size_t at = data.find(p.field);
    ASSERT_NE(at, std::string::npos) << p.field;
    data.replace(at + p.offset, p.bytes.size(), p.bytes);
  }
  std::ofstream(file, std::ios::binary | std::ios::trunc) << data;
}

class ClipErrors : public ::testing::Test {
 protected:
  // A good clip with a few bytes of its headers replaced.
  fs::path patched(const std::string& name, const std::vector<Patch>& patches) {
    const fs::path file = dir_ / name;
    EXPECT_EQ(write_clip(file, ClipCodec::Rle8, pictures(3)), "");
    patch(file, patches);
    return file;
  }

  static Clip::Error open_error(const fs::path& file) {
    Clip::Error error = Clip::Error::None;
    auto clip = Clip::open(file, &error);
    EXPECT_EQ(clip, nullptr);
    return error;
  }

  TempDir dir_;
};

TEST_F(ClipErrors, TellWhyAFileIsNoClip) {
  EXPECT_EQ(open_error(dir_ / "MISSING.AVI"), Clip::Error::Open);
  EXPECT_EQ(Clip::open(dir_ / "MISSING.AVI"), nullptr);  // no place for the reason

  std::ofstream(dir_ / "NOTES.AVI") << "This is a shopping list, not a clip.\nmilk\nbread\n";
  EXPECT_EQ(open_error(dir_ / "NOTES.AVI"), Clip::Error::Open);

  std::ofstream(dir_ / "EMPTY.AVI");
  EXPECT_EQ(open_error(dir_ / "EMPTY.AVI"), Clip::Error::Open);

  ASSERT_EQ(tapo::testing::write_sound_only_avi(dir_ / "SOUND.AVI"), "");
  EXPECT_EQ(open_error(dir_ / "SOUND.AVI"), Clip::Error::NoVideo);

  // strh: tag, size, type, handler.  strf: tag, size, then the bitmap header
  // (size, width, height, planes, depth, compression).
  EXPECT_EQ(open_error(patched("NOWIDTH.AVI", {{"strf", 12, std::string(4, '\0')}})), Clip::Error::Info);
  EXPECT_EQ(open_error(patched("UNKNOWN.AVI", {{"strh", 12, "QQQQ"}, {"strf", 24, "QQQQ"}})),
            Clip::Error::Decoder);
}

TEST(ClipFrames, OutOfRangeOrUndecodableGivesNothing) {
  TempDir dir;
  const auto frames = pictures(4);
  ASSERT_EQ(write_clip(dir / "FOUR.AVI", ClipCodec::Raw24, frames), "");
  auto clip = Clip::open(dir / "FOUR.AVI");
  ASSERT_NE(clip, nullptr);
  for (int n : {-1, 4, 5, INT_MAX, INT_MIN}) EXPECT_EQ(clip->frame(n), nullptr) << n;
  expect_frame(ClipCodec::Raw24, clip->frame(3), frames, 3);

  // A stream whose packets are too short for the decoder to make anything of.
  tapo::media::AviVideo video;
  video.compression = video.handler = tapo::media::fourcc("cvid");
  video.width = 32;
  video.height = 32;
  video.pictures.resize(3);
  for (auto& p : video.pictures) p.data = {1, 2, 3};
  ASSERT_TRUE(tapo::media::write_avi(dir / "JUNK.AVI", video));
  Clip::Error error = Clip::Error::Open;
  auto bad = Clip::open(dir / "JUNK.AVI", &error);
  ASSERT_NE(bad, nullptr);
  EXPECT_EQ(error, Clip::Error::None);
  EXPECT_EQ(bad->length(), 3);
  for (int n : {2, 0, 1}) EXPECT_EQ(bad->frame(n), nullptr) << n;
}

TEST(ClipFrames, CountedWhenTheHeadersGiveNoNumber) {
  TempDir dir;
  const auto frames = pictures(12);
  const fs::path file = dir / "NOLENGTH.AVI";
  ASSERT_EQ(write_clip(file, ClipCodec::Raw24, frames), "");
  // avih: tag, size, then 4 words before the total frames; strh: tag, size,
  // then 32 bytes before the stream's length.
  patch(file, {{"avih", 24, std::string(4, '\0')}, {"strh", 40, std::string(4, '\0')}});

  auto clip = Clip::open(file);
  ASSERT_NE(clip, nullptr);
  EXPECT_EQ(clip->length(), 12);
  for (int n : {11, 0, 6}) expect_frame(ClipCodec::Raw24, clip->frame(n), frames, n);
}

// Raw pictures, and RLE pictures that only code what changed: without the
// index at the file's end, the coded ones are decoded from the first on.
TEST(ClipFrames, CutShortFileKeepsTheFramesItHas) {
  for (ClipCodec codec : {ClipCodec::Raw24, ClipCodec::Rle8}) {
    SCOPED_TRACE(tapo::testing::clip_codec_name(codec));
    TempDir dir;
    const auto frames = pictures(12);
    const fs::path file = dir / "CUT.AVI";
    ClipOptions opt;
    opt.key_interval = 4;
    ASSERT_EQ(write_clip(file, codec, frames, opt), "");
    fs::resize_file(file, fs::file_size(file) * 6 / 10);

    auto clip = Clip::open(file);
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clip->length(), 12);  // as the header says
    expect_frame(codec, clip->frame(0), frames, 0);
    int whole = 0;
    for (int n = 11; n >= 0; --n) {
      const Surface* f = clip->frame(n);
      if (!f) continue;
      // Whatever comes out is one of the clip's pictures, never garbage.
      const bool known = std::any_of(frames.begin(), frames.end(),
                                     [&](const Surface& s) { return s.pixels() == f->pixels(); });
      EXPECT_TRUE(known) << "frame " << n;
      if (f->pixels() == frames[static_cast<size_t>(n)].pixels()) ++whole;
    }
    EXPECT_GE(whole, 3);
  }
}

}  // namespace
