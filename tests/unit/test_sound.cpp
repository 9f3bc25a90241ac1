// WAV reading (PCM and both ADPCM kinds, damaged files) and the sound
// channel on the virtual clock.
#include <gtest/gtest.h>

#include <algorithm>

#include <SDL.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <numbers>
#include <optional>
#include <random>
#include <string>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/log.h>
}

#include "platform/loop.h"
#include "platform/sound.h"
#include "test_support.h"
#include "tools/media_writers/wav_writer.h"

namespace {

namespace fs = std::filesystem;
namespace wav = tapo::testing::wav;
using tapo::platform::load_wav;
using tapo::platform::Ms;
using tapo::platform::SoundChannel;
using tapo::platform::WavData;
using tapo::testing::TempDir;

using Samples = std::vector<std::int16_t>;

class WavTest : public ::testing::Test {
 protected:
  std::optional<WavData> load(const std::string& bytes, const std::string& name = "t.wav") {
    const fs::path file = dir_ / name;
    wav::write(file, bytes);
    return load_wav(file);
  }
  TempDir dir_;
};

// ---------------------------------------------------------------- PCM

TEST_F(WavTest, SixteenBitStereoKeepsTheInterleavedSamples) {
  const Samples s = {0, -1, 32767, -32768, 1234, -4321};
  auto w = load(wav::riff({wav::pcm_fmt(2, 22050, 16), wav::chunk("data", wav::samples16(s))}));
  ASSERT_TRUE(w);
  EXPECT_EQ(w->format, 1);
  EXPECT_EQ(w->rate, 22050);
  EXPECT_EQ(w->channels, 2);
  EXPECT_EQ(w->bits, 16);
  EXPECT_EQ(w->block_align, 4);
  EXPECT_EQ(w->avg_bytes_per_sec, 88200);
  EXPECT_EQ(w->data_bytes, 12u);
  EXPECT_EQ(w->frames(), 3u);
  EXPECT_EQ(w->pcm, s);
}

TEST_F(WavTest, EightBitUnsignedMapsOntoSixteenBitSigned) {
  auto mono = load(wav::riff({wav::pcm_fmt(1, 11025, 8),
                              wav::chunk("data", wav::samples8({0, 128, 255, 1, 127}))}));
  ASSERT_TRUE(mono);
  EXPECT_EQ(mono->pcm, (Samples{-32768, 0, 32512, -32512, -256}));
  EXPECT_EQ(mono->frames(), 5u);
  EXPECT_EQ(mono->block_align, 1);
  EXPECT_EQ(mono->avg_bytes_per_sec, 11025);

  auto stereo = load(wav::riff({wav::pcm_fmt(2, 8000, 8),
                                wav::chunk("data", wav::samples8({128, 0, 192, 64}))}));
  ASSERT_TRUE(stereo);
  EXPECT_EQ(stereo->pcm, (Samples{0, -32768, 16384, -16384}));
  EXPECT_EQ(stereo->frames(), 2u);
  EXPECT_EQ(stereo->avg_bytes_per_sec, 16000);
}

TEST_F(WavTest, ChunksInAnyOrderWithOddSizesAndPadding) {
  // An odd-sized data chunk first (its pad byte must be skipped to find the
  // format), then unknown chunks of odd and even size, the format last.
  const std::string data = wav::chunk("data", wav::samples8({10, 20, 30}));
  ASSERT_EQ(data.size(), 8u + 3u + 1u);
  auto w = load(wav::riff({wav::chunk("LIST", "INFOabc"), data, wav::chunk("fact", wav::le32(3)),
                           wav::chunk("junk", "x"), wav::pcm_fmt(1, 8000, 8)}));
  ASSERT_TRUE(w);
  EXPECT_EQ(w->data_bytes, 3u);
  EXPECT_EQ(w->pcm, (Samples{(10 - 128) * 256, (20 - 128) * 256, (30 - 128) * 256}));

  // A pad byte ignored would shift the next chunk by one: the file is unreadable.
  std::string unpadded = "LIST" + wav::le32(3) + "abc";
  EXPECT_FALSE(load(wav::riff({unpadded, wav::pcm_fmt(1, 8000, 8), wav::chunk("data", "ab")})));
}

TEST_F(WavTest, DataLongerThanTheFileIsCutToWhatIsThere) {
  const Samples s = {1, 2, 3, 4, 5};
  auto w = load(wav::riff({wav::pcm_fmt(1, 8000, 16),
                           wav::chunk_claiming("data", 0xFFFFFFFFu, wav::samples16(s))}));
  ASSERT_TRUE(w);
  EXPECT_EQ(w->data_bytes, 10u);
  EXPECT_EQ(w->pcm, s);
  EXPECT_TRUE(w->damaged) << "played, but the file is named";

  // A partial frame at the end holds no sample.
  auto stereo = load(wav::riff({wav::pcm_fmt(2, 8000, 16),
                                wav::chunk_claiming("data", 1000, wav::samples16({7, 8, 9}) + "\x01")}));
  ASSERT_TRUE(stereo);
  EXPECT_EQ(stereo->data_bytes, 7u);
  EXPECT_EQ(stereo->pcm, (Samples{7, 8}));

  // The RIFF size may lie either way.
  std::string file = wav::riff({wav::pcm_fmt(1, 8000, 8), wav::chunk("data", "abcd")});
  file.replace(4, 4, wav::le32(0xFFFFFFF0u));
  EXPECT_TRUE(load(file));
  file.replace(4, 4, wav::le32(4));
  EXPECT_TRUE(load(file));
}

// The header's byte rate and block size play no part in the timing, but one
// that is not the format's own marks the file damaged; rounding does not.
TEST_F(WavTest, AByteRateOrBlockSizeNotTheFormatsOwnMarksTheFileDamaged) {
  const std::string data = wav::chunk("data", wav::samples16({1, 2, 3, 4}));
  auto with = [&](int format, int avg, int align, int bits, const std::string& ext = {}) {
    return load(wav::riff({wav::chunk("fmt ", wav::fmt_body(format, 1, 22050, avg, align, bits, ext)), data}));
  };
  auto clean = with(1, 44100, 2, 16);
  ASSERT_TRUE(clean);
  EXPECT_FALSE(clean->damaged);
  auto slow = with(1, 1, 2, 16);
  ASSERT_TRUE(slow);
  EXPECT_TRUE(slow->damaged);
  EXPECT_EQ(slow->avg_bytes_per_sec, 44100) << "timed by the format all the same";
  auto misaligned = with(1, 44100, 3, 16);
  ASSERT_TRUE(misaligned);
  EXPECT_TRUE(misaligned->damaged);
  // IMA ADPCM, 256-byte blocks of 505 frames: 11177.8 bytes a second, written either way.
  for (int avg : {11177, 11178}) {
    auto ima = with(0x11, avg, 256, 4, wav::le16(505));
    ASSERT_TRUE(ima) << avg;
    EXPECT_FALSE(ima->damaged) << avg;
  }
  EXPECT_TRUE(with(0x11, 5000, 256, 4, wav::le16(505))->damaged);
}

TEST_F(WavTest, MissingByteRateIsComputedAndExtensibleHeadersAreRead) {
  // No average byte rate in the header: computed from rate and frame size.
  auto w = load(wav::riff({wav::chunk("fmt ", wav::fmt_body(1, 2, 11025, 0, 4, 16)),
                           wav::chunk("data", wav::samples16({1, 2}))}));
  ASSERT_TRUE(w);
  EXPECT_EQ(w->avg_bytes_per_sec, 44100);

  // The extensible header names its real format in the sub-format.
  std::string ext = wav::le16(16) + wav::le32(3) + wav::le16(1) + std::string(14, '\x11');
  auto x = load(wav::riff({wav::chunk("fmt ", wav::fmt_body(0xFFFE, 1, 8000, 16000, 2, 16, ext)),
                           wav::chunk("data", wav::samples16({-5, 5}))}));
  ASSERT_TRUE(x);
  EXPECT_EQ(x->format, 1);
  EXPECT_EQ(x->pcm, (Samples{-5, 5}));
}

TEST_F(WavTest, UnreadableFilesGiveNothing) {
  const std::string fmt = wav::pcm_fmt(1, 8000, 16);
  const std::string data = wav::chunk("data", wav::samples16({1, 2}));
  auto fmt_with = [](int format, int channels, int rate, int bits, int align = 2) {
    return wav::chunk("fmt ", wav::fmt_body(format, channels, rate, 16000, align, bits));
  };

  EXPECT_FALSE(load_wav(dir_ / "absent.wav"));
  EXPECT_FALSE(load_wav(dir_.path()));  // a folder
  EXPECT_FALSE(load(""));
  EXPECT_FALSE(load("RIFF"));
  EXPECT_FALSE(load("RIFF" + wav::le32(4) + "WAVE"));
  EXPECT_FALSE(load("RIFX" + wav::le32(100) + "WAVE" + fmt + data));
  EXPECT_FALSE(load("RIFF" + wav::le32(100) + "AVI " + fmt + data));
  EXPECT_FALSE(load(wav::riff({fmt})));                                       // no data
  EXPECT_FALSE(load(wav::riff({data})));                                      // no format
  EXPECT_FALSE(load(wav::riff({wav::chunk("fmt ", std::string(14, '\1')), data})));  // short format
  EXPECT_FALSE(load(wav::riff({wav::chunk_claiming("fmt ", 0xFFFFFFFFu, fmt.substr(8)), data})));
  EXPECT_FALSE(load(wav::riff({wav::chunk_claiming("LIST", 0xFFFFFFF0u, "abcd"), fmt, data})));
  EXPECT_FALSE(load(wav::riff({fmt_with(1, 0, 8000, 16), data})));   // no channels
  EXPECT_FALSE(load(wav::riff({fmt_with(1, 3, 8000, 16), data})));   // three channels
  EXPECT_FALSE(load(wav::riff({fmt_with(1, 1, 0, 16), data})));      // no rate
  EXPECT_FALSE(load(wav::riff({fmt_with(1, 1, 8000, 24), data})));   // 24 bit
  EXPECT_FALSE(load(wav::riff({fmt_with(1, 1, 8000, 0), data})));
  EXPECT_FALSE(load(wav::riff({fmt_with(3, 1, 8000, 32), data})));   // float
  EXPECT_FALSE(load(wav::riff({fmt_with(0x55, 1, 8000, 0), data})));  // MPEG layer 3
  EXPECT_FALSE(load(wav::riff({fmt_with(0x11, 1, 8000, 4, 0), data})));  // ADPCM without blocks
  EXPECT_FALSE(load(wav::riff({fmt_with(0x11, 1, 8000, 3, 256), data})));
  EXPECT_FALSE(load(wav::riff({fmt_with(2, 1, 8000, 4, 256), data})));  // no coefficient table
  EXPECT_FALSE(load(wav::riff({wav::chunk("fmt ", wav::fmt_body(2, 1, 8000, 4000, 6, 4,
                                                                 wav::ms_adpcm_extension(0))),
                               data})));  // block smaller than its header

  std::mt19937 rng(7);
  std::string noise(3000, '\0');
  for (auto& c : noise) c = static_cast<char>(rng());
  EXPECT_FALSE(load(noise));
  EXPECT_FALSE(load("RIFF" + wav::le32(3000) + "WAVE" + noise));
}

// ---------------------------------------------------------------- ADPCM by hand

std::string ms_fmt(int channels, int rate, int block_align) {
  const int per_block = 2 + (block_align - 7 * channels) * 2 / channels;
  return wav::chunk("fmt ", wav::fmt_body(2, channels, rate, rate * block_align / per_block, block_align, 4,
                                          wav::ms_adpcm_extension(per_block)));
}

std::string ima_fmt(int channels, int rate, int block_align, int avg = 0) {
  const int per_block = 1 + (block_align - 4 * channels) * 2 / channels;
  if (!avg) avg = rate * block_align / per_block;
  return wav::chunk("fmt ", wav::fmt_body(0x11, channels, rate, avg, block_align, 4, wav::le16(per_block)));
}

TEST_F(WavTest, MicrosoftAdpcmBlocksDecodeToKnownValues) {
  // Mono: predictor 0 (256, 0), delta 16, first samples 100 and 50 (stored
  // newest first, played oldest first), nibbles 1 2 7 -8.
  std::string mono = std::string("\0", 1) + wav::le16(16) + wav::le16(100) + wav::le16(50) + "\x12\x78";
  auto m = load(wav::riff({ms_fmt(1, 8000, 9), wav::chunk("data", mono)}));
  ASSERT_TRUE(m);
  EXPECT_EQ(m->format, 2);
  EXPECT_EQ(m->pcm, (Samples{50, 100, 116, 148, 260, -44}));

  // Stereo: left predictor 0, right predictor 1 (512, -256); the high nibble
  // of each byte is the left channel.
  std::string stereo = std::string("\0\1", 2) + wav::le16(16) + wav::le16(20) + wav::le16(100) +
                       wav::le16(static_cast<std::uint16_t>(-10)) + wav::le16(50) +
                       wav::le16(static_cast<std::uint16_t>(-20)) + "\x12\x78";
  auto s = load(wav::riff({ms_fmt(2, 8000, 16), wav::chunk("data", stereo)}));
  ASSERT_TRUE(s);
  EXPECT_EQ(s->pcm, (Samples{50, -20, 100, -10, 116, 40, 228, -46}));

  // A predictor beyond the coefficient table is a damaged file.
  stereo[1] = 7;
  EXPECT_FALSE(load(wav::riff({ms_fmt(2, 8000, 16), wav::chunk("data", stereo)})));
}

TEST_F(WavTest, ImaAdpcmBlocksDecodeToKnownValues) {
  const std::string left = wav::le16(1000) + std::string("\0\0", 2);
  const std::string left_nibbles("\x74\x08\xFF\x00", 4);
  const Samples left_out = {1000, 1007, 1023, 1021, 1023, 993, 930, 939, 947};

  auto m = load(wav::riff({ima_fmt(1, 8000, 8), wav::chunk("data", left + left_nibbles)}));
  ASSERT_TRUE(m);
  EXPECT_EQ(m->format, 0x11);
  EXPECT_EQ(m->pcm, left_out);

  // Stereo: both headers, then four bytes of each channel in turn.
  const std::string right = wav::le16(static_cast<std::uint16_t>(-500)) + std::string("\0\0", 2);
  const Samples right_out = {-500, -493, -483, -482, -481, -480, -479, -479, -479};
  auto s = load(wav::riff({ima_fmt(2, 8000, 16),
                           wav::chunk("data", left + right + left_nibbles + std::string("\x44\0\0\0", 4))}));
  ASSERT_TRUE(s);
  Samples interleaved;
  for (std::size_t i = 0; i < left_out.size(); ++i) {
    interleaved.push_back(left_out[i]);
    interleaved.push_back(right_out[i]);
  }
  EXPECT_EQ(s->pcm, interleaved);

  // Saturation at both ends, in a last block cut short after one byte.
  auto c = load(wav::riff({ima_fmt(1, 8000, 8),
                           wav::chunk("data", left + left_nibbles + wav::le16(32700) + std::string("\x58\0\xF7\x0F", 4))}));
  ASSERT_TRUE(c);
  Samples expected = left_out;
  expected.insert(expected.end(), {32700, 32767, -28669, -32768, -28673});
  EXPECT_EQ(c->pcm, expected);
  EXPECT_EQ(c->data_bytes, 14u);

  // A step index beyond the table is a damaged file.
  EXPECT_FALSE(load(wav::riff({ima_fmt(1, 8000, 8), wav::chunk("data", wav::le16(0) + std::string("\x59\0", 2) + "abcd")})));
}

TEST_F(WavTest, TruncatedAdpcmBlocksKeepWhatTheyHold) {
  std::mt19937 rng(11);
  auto block = [&](int size, int channels) {
    std::string b(size, '\0');
    for (auto& ch : b) ch = static_cast<char>(rng());
    for (int c = 0; c < channels; ++c) b[c] = static_cast<char>(rng() % 7);  // predictors
    return b;
  };
  // MS mono, 256-byte blocks of 500 frames: two whole blocks and 100 bytes.
  const std::string ms = block(256, 1) + block(256, 1) + block(100, 1);
  auto m = load(wav::riff({ms_fmt(1, 22050, 256), wav::chunk("data", ms)}));
  ASSERT_TRUE(m);
  EXPECT_EQ(m->frames(), 500u + 500u + 2u + 93u * 2u);
  EXPECT_EQ(m->frame_at_byte(0), 0u);
  EXPECT_EQ(m->frame_at_byte(256), 500u);
  EXPECT_EQ(m->frame_at_byte(256 + 128), 750u);
  EXPECT_EQ(m->frame_at_byte(512 + 50), 1000u + 50u * 500u / 256u);
  EXPECT_EQ(m->frame_at_byte(612), m->frames());
  EXPECT_EQ(m->frame_at_byte(0xFFFFFFFFu), m->frames());

  // A last block shorter than its header adds nothing.
  auto h = load(wav::riff({ms_fmt(1, 22050, 256), wav::chunk("data", ms.substr(0, 512 + 6))}));
  ASSERT_TRUE(h);
  EXPECT_EQ(h->frames(), 1000u);

  // IMA stereo, 40-byte blocks of 1 + 4 * 8 frames; the cut block keeps its
  // header frame and one whole group (a group cut inside the right channel's
  // bytes yields the frames both channels have: two).
  std::string ima = block(40, 0) + block(40, 0).substr(0, 8 + 8 + 5);
  for (std::size_t at : {2, 6, 40 + 2, 40 + 6}) ima[at] = 10;  // valid step indexes
  auto i = load(wav::riff({ima_fmt(2, 11025, 40), wav::chunk("data", ima)}));
  ASSERT_TRUE(i);
  EXPECT_EQ(i->frames(), 33u + 1u + 8u + 2u);
  EXPECT_EQ(i->frame_at_byte(40), 33u);
  EXPECT_EQ(i->frame_at_byte(20), 33u * 20u / 40u);
}

// Damaged copies of valid files: every cut and random byte changes load
// without touching memory outside the file (the sanitizer build checks) and
// whatever loads is self-consistent.
TEST_F(WavTest, DamagedFilesNeverCrash) {
  std::mt19937 rng(3);
  auto random_bytes = [&](std::size_t n) {
    std::string s(n, '\0');
    for (auto& c : s) c = static_cast<char>(rng());
    return s;
  };
  std::string ms_blocks = random_bytes(2 * 64);
  ms_blocks[0] = 1;
  ms_blocks[64] = 2;
  std::string ima_blocks = random_bytes(2 * 24);
  ima_blocks[2] = 5;
  ima_blocks[6] = 30;
  ima_blocks[26] = 88;
  ima_blocks[30] = 0;
  const std::vector<std::string> originals = {
      wav::riff({wav::chunk("LIST", "abc"), wav::pcm_fmt(2, 22050, 16), wav::chunk("data", random_bytes(41))}),
      wav::riff({wav::pcm_fmt(1, 8000, 8), wav::chunk("data", random_bytes(33))}),
      wav::riff({ms_fmt(1, 8000, 64), wav::chunk("data", ms_blocks)}),
      wav::riff({ima_fmt(2, 8000, 24), wav::chunk("data", ima_blocks)}),
  };
  int loaded = 0;
  auto check = [&](const std::string& bytes) {
    auto w = load(bytes);
    if (!w) return;
    ++loaded;
    ASSERT_TRUE(w->channels == 1 || w->channels == 2);
    ASSERT_EQ(w->pcm.size() % w->channels, 0u);
    ASSERT_LE(w->data_bytes, bytes.size());
    ASSERT_GT(w->avg_bytes_per_sec, 0);
    ASSERT_LE(w->frame_at_byte(w->data_bytes), w->frames());
  };
  for (const auto& original : originals) {
    ASSERT_TRUE(load(original));
    for (std::size_t n = 0; n < original.size(); ++n) check(original.substr(0, n));
    for (int round = 0; round < 200; ++round) {
      std::string damaged = original;
      const int changes = 1 + static_cast<int>(rng() % 4);
      for (int k = 0; k < changes; ++k) damaged[rng() % damaged.size()] = static_cast<char>(rng());
      check(damaged);
    }
  }
  EXPECT_GT(loaded, 100);  // the damage did not simply make every file unreadable
}

// ---------------------------------------------------------------- ADPCM from FFmpeg

struct Encoded {
  Samples source;  // interleaved, as handed to the encoder
  int block_align = 0;
  int frame_size = 0;
};

// Encodes `blocks` frames of the encoder's size of `signal` into a WAV file.
std::optional<Encoded> encode_with_ffmpeg(const char* encoder, int channels, int rate, int blocks,
                                          const std::function<double(double, int)>& signal,
                                          const fs::path& file) {
  av_log_set_level(AV_LOG_ERROR);
  const AVCodec* codec = avcodec_find_encoder_by_name(encoder);
  if (!codec) return std::nullopt;
  AVFormatContext* oc = nullptr;
  if (avformat_alloc_output_context2(&oc, nullptr, "wav", file.c_str()) < 0) return std::nullopt;
  AVCodecContext* ctx = avcodec_alloc_context3(codec);
  AVFrame* frame = av_frame_alloc();
  AVPacket* pkt = av_packet_alloc();
  struct Cleanup {
    AVFormatContext*& oc;
    AVCodecContext*& ctx;
    AVFrame*& frame;
    AVPacket*& pkt;
    ~Cleanup() {
      av_packet_free(&pkt);
      av_frame_free(&frame);
      avcodec_free_context(&ctx);
      if (oc->pb) avio_closep(&oc->pb);
      avformat_free_context(oc);
    }
  } cleanup{oc, ctx, frame, pkt};

  ctx->sample_fmt = codec->sample_fmts[0];
  ctx->sample_rate = rate;
  av_channel_layout_default(&ctx->ch_layout, channels);
  ctx->time_base = {1, rate};
  AVDictionary* opts = nullptr;
  av_dict_set(&opts, "block_size", "256", 0);
  const int opened = avcodec_open2(ctx, codec, &opts);
  av_dict_free(&opts);
  if (opened < 0) return std::nullopt;
  AVStream* st = avformat_new_stream(oc, nullptr);
  if (!st || avcodec_parameters_from_context(st->codecpar, ctx) < 0) return std::nullopt;
  st->time_base = ctx->time_base;
  if (avio_open(&oc->pb, file.c_str(), AVIO_FLAG_WRITE) < 0) return std::nullopt;
  if (avformat_write_header(oc, nullptr) < 0) return std::nullopt;

  Encoded out;
  out.frame_size = ctx->frame_size;
  out.block_align = ctx->block_align;
  auto drain = [&] {
    int err;
    while ((err = avcodec_receive_packet(ctx, pkt)) == 0) {
      pkt->stream_index = st->index;
      av_packet_rescale_ts(pkt, ctx->time_base, st->time_base);
      if (av_interleaved_write_frame(oc, pkt) < 0) return false;
    }
    return err == AVERROR(EAGAIN) || err == AVERROR_EOF;
  };
  frame->nb_samples = ctx->frame_size;
  frame->format = ctx->sample_fmt;
  frame->sample_rate = rate;
  if (av_channel_layout_copy(&frame->ch_layout, &ctx->ch_layout) < 0 || av_frame_get_buffer(frame, 0) < 0)
    return std::nullopt;
  const bool planar = av_sample_fmt_is_planar(ctx->sample_fmt);
  for (int b = 0; b < blocks; ++b) {
    if (av_frame_make_writable(frame) < 0) return std::nullopt;
    for (int i = 0; i < ctx->frame_size; ++i) {
      const std::int64_t n = static_cast<std::int64_t>(b) * ctx->frame_size + i;
      for (int c = 0; c < channels; ++c) {
        const auto v = static_cast<std::int16_t>(std::lround(signal(static_cast<double>(n) / rate, c)));
        out.source.push_back(v);
        if (planar)
          reinterpret_cast<std::int16_t*>(frame->data[c])[i] = v;
        else
          reinterpret_cast<std::int16_t*>(frame->data[0])[i * channels + c] = v;
      }
    }
    frame->pts = static_cast<std::int64_t>(b) * ctx->frame_size;
    if (avcodec_send_frame(ctx, frame) < 0 || !drain()) return std::nullopt;
  }
  if (avcodec_send_frame(ctx, nullptr) < 0 || !drain()) return std::nullopt;
  if (av_write_trailer(oc) < 0) return std::nullopt;
  return out;
}

// FFmpeg's own decoding of a file, interleaved.
std::optional<Samples> decode_with_ffmpeg(const fs::path& file) {
  AVFormatContext* ic = nullptr;
  if (avformat_open_input(&ic, file.c_str(), nullptr, nullptr) < 0) return std::nullopt;
  AVCodecContext* ctx = nullptr;
  AVFrame* frame = av_frame_alloc();
  AVPacket* pkt = av_packet_alloc();
  struct Cleanup {
    AVFormatContext*& ic;
    AVCodecContext*& ctx;
    AVFrame*& frame;
    AVPacket*& pkt;
    ~Cleanup() {
      av_packet_free(&pkt);
      av_frame_free(&frame);
      avcodec_free_context(&ctx);
      avformat_close_input(&ic);
    }
  } cleanup{ic, ctx, frame, pkt};
  if (avformat_find_stream_info(ic, nullptr) < 0 || ic->nb_streams != 1) return std::nullopt;
  const AVCodec* codec = avcodec_find_decoder(ic->streams[0]->codecpar->codec_id);
  if (!codec) return std::nullopt;
  ctx = avcodec_alloc_context3(codec);
  if (avcodec_parameters_to_context(ctx, ic->streams[0]->codecpar) < 0 || avcodec_open2(ctx, codec, nullptr) < 0)
    return std::nullopt;
  Samples out;
  auto drain = [&] {
    while (avcodec_receive_frame(ctx, frame) == 0) {
      const int channels = frame->ch_layout.nb_channels;
      for (int i = 0; i < frame->nb_samples; ++i)
        for (int c = 0; c < channels; ++c) {
          if (frame->format == AV_SAMPLE_FMT_S16P)
            out.push_back(reinterpret_cast<const std::int16_t*>(frame->extended_data[c])[i]);
          else if (frame->format == AV_SAMPLE_FMT_S16)
            out.push_back(reinterpret_cast<const std::int16_t*>(frame->data[0])[i * channels + c]);
        }
    }
  };
  while (av_read_frame(ic, pkt) >= 0) {
    avcodec_send_packet(ctx, pkt);
    av_packet_unref(pkt);
    drain();
  }
  avcodec_send_packet(ctx, nullptr);
  drain();
  return out;
}

// Root mean square of a - b over the common length, and of a.
std::pair<double, double> error_and_level(const Samples& a, const Samples& b) {
  double err = 0, level = 0;
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    err += std::pow(static_cast<double>(a[i]) - b[i], 2);
    level += std::pow(static_cast<double>(a[i]), 2);
  }
  return {std::sqrt(err / n), std::sqrt(level / n)};
}

// `tolerance`: the largest difference allowed from FFmpeg's own decoder.
void check_ffmpeg_round_trip(const char* encoder, int format, int channels, int rate, int tolerance,
                             const fs::path& file) {
  const double pi = std::numbers::pi;
  auto signal = [&](double t, int c) {
    return c == 0 ? 12000 * std::sin(2 * pi * 440 * t) : 7000 * std::sin(2 * pi * 300 * t + 1) + 3000 * std::sin(2 * pi * 1250 * t);
  };
  auto encoded = encode_with_ffmpeg(encoder, channels, rate, 6, signal, file);
  ASSERT_TRUE(encoded) << encoder;
  auto w = load_wav(file);
  ASSERT_TRUE(w) << encoder;
  EXPECT_EQ(w->format, format);
  EXPECT_EQ(w->channels, channels);
  EXPECT_EQ(w->rate, rate);
  EXPECT_EQ(w->bits, 4);
  EXPECT_EQ(w->block_align, encoded->block_align);
  EXPECT_EQ(w->data_bytes, static_cast<std::uint32_t>(6 * encoded->block_align));
  ASSERT_EQ(w->pcm.size(), encoded->source.size());
  EXPECT_EQ(w->frame_at_byte(encoded->block_align), static_cast<std::size_t>(encoded->frame_size));
  EXPECT_EQ(w->frame_at_byte(w->data_bytes), w->frames());

  // Sample for sample what FFmpeg's decoder makes of the file...
  auto reference = decode_with_ffmpeg(file);
  ASSERT_TRUE(reference);
  ASSERT_EQ(w->pcm.size(), reference->size());
  if (tolerance == 0) {
    EXPECT_EQ(w->pcm, *reference);
  } else {
    int largest = 0;
    for (std::size_t i = 0; i < w->pcm.size(); ++i)
      largest = std::max(largest, std::abs(w->pcm[i] - (*reference)[i]));
    EXPECT_LE(largest, tolerance) << encoder;
  }
  // ...and close to the signal encoded, channel by channel.
  for (int c = 0; c < channels; ++c) {
    Samples got, want;
    for (std::size_t i = c; i < w->pcm.size(); i += channels) {
      got.push_back(w->pcm[i]);
      want.push_back(encoded->source[i]);
    }
    auto [err, level] = error_and_level(want, got);
    EXPECT_GT(level, 3000) << encoder << " channel " << c;
    EXPECT_LT(err, level / 10) << encoder << " channel " << c;  // better than 20 dB
  }
}

TEST_F(WavTest, MicrosoftAdpcmFromFfmpegMatchesItsSource) {
  check_ffmpeg_round_trip("adpcm_ms", 2, 1, 22050, 0, dir_ / "ms_mono.wav");
  check_ffmpeg_round_trip("adpcm_ms", 2, 2, 11025, 0, dir_ / "ms_stereo.wav");
}

TEST_F(WavTest, ImaAdpcmFromFfmpegMatchesItsSource) {
  // FFmpeg expands a nibble with one multiplication where the standard
  // decoder adds shifted steps; the two round differently, a little.
  check_ffmpeg_round_trip("adpcm_ima_wav", 0x11, 1, 22050, 48, dir_ / "ima_mono.wav");
  check_ffmpeg_round_trip("adpcm_ima_wav", 0x11, 2, 8000, 48, dir_ / "ima_stereo.wav");
}

// ---------------------------------------------------------------- the channel

class SoundChannelTest : public tapo::testing::LoopTest {
 protected:
  void SetUp() override {
    LoopTest::SetUp();
    ch().close();
  }
  void TearDown() override {
    ch().close();
    LoopTest::TearDown();
  }
  static SoundChannel& ch() { return SoundChannel::instance(); }

  // One second of 16-bit mono at 8000 Hz: 16000 bytes a second.
  fs::path second_of_sound() {
    Samples s(8000);
    for (std::size_t i = 0; i < s.size(); ++i) s[i] = static_cast<std::int16_t>(i);
    const fs::path file = dir_ / "second.wav";
    wav::write(file, wav::riff({wav::pcm_fmt(1, 8000, 16), wav::chunk("data", wav::samples16(s))}));
    return file;
  }

  TempDir dir_;
};

TEST_F(SoundChannelTest, PlaysARangeAndStopsAtItsComputedEnd) {
  ASSERT_TRUE(ch().open(second_of_sound()));
  EXPECT_TRUE(ch().is_open());
  EXPECT_EQ(ch().mode(), SoundChannel::kStopped);
  EXPECT_EQ(ch().position(), 0u);
  EXPECT_EQ(ch().length(), 16000u);

  ch().play(1000, 5000);  // 4000 bytes: 250 ms
  EXPECT_EQ(ch().mode(), SoundChannel::kPlaying);
  EXPECT_EQ(ch().position(), 1000u);
  loop().wait_ms(100);
  EXPECT_EQ(ch().mode(), SoundChannel::kPlaying);
  EXPECT_EQ(ch().position(), 1000u + 100u * 16u);
  loop().wait_until(249);
  EXPECT_EQ(ch().mode(), SoundChannel::kPlaying);
  EXPECT_EQ(ch().position(), 1000u + 249u * 16u);
  loop().wait_until(250);
  EXPECT_EQ(ch().mode(), SoundChannel::kStopped);
  EXPECT_EQ(ch().position(), 5000u);
  loop().wait_ms(1000);
  EXPECT_EQ(ch().position(), 5000u);
  EXPECT_EQ(ch().length(), 16000u);
}

TEST_F(SoundChannelTest, WaitingForTheEndWakesExactlyWhenTheSoundEnds) {
  ASSERT_TRUE(ch().open(second_of_sound()));
  loop().wait_ms(30);
  ch().play(0, 4000);
  loop().wait_while([] { return ch().mode() == SoundChannel::kPlaying; });
  ASSERT_EQ(loop().now(), 30 + 250);  // not the script's far moment
  EXPECT_EQ(ch().position(), 4000u);

  // An end between two milliseconds: 8-bit mono at 11025 bytes a second.
  const fs::path odd = dir_ / "odd.wav";
  wav::write(odd, wav::riff({wav::pcm_fmt(1, 11025, 8), wav::chunk("data", std::string(5000, '\x80'))}));
  ASSERT_TRUE(ch().open(odd));
  const Ms start = loop().now();
  ch().play(0, 1000);  // 90.7 ms
  loop().wait_until(start + 90);
  EXPECT_EQ(ch().mode(), SoundChannel::kPlaying);
  EXPECT_EQ(ch().position(), 992u);
  loop().wait_while([] { return ch().mode() == SoundChannel::kPlaying; });
  ASSERT_EQ(loop().now(), start + 91);
  EXPECT_EQ(ch().position(), 1000u);

  // Once nothing plays the wait for the end returns at once and the clock
  // then runs to the script's next moment, not to a stale end.
  loop().wait_while([] { return ch().mode() == SoundChannel::kPlaying; });
  ASSERT_EQ(loop().now(), start + 91);
  bool woke = false;
  tapo::platform::Timer t;
  t.on_timer = [&] { woke = true; };
  t.set_interval(5000);
  t.set_enabled(true);
  loop().wait_while([&] { return !woke; });
  ASSERT_EQ(loop().now(), start + 91 + 5000);
}

TEST_F(SoundChannelTest, PositionFollowsTheClockInWholeFrames) {
  // 16-bit stereo at 22050 Hz: 88200 bytes a second in frames of four.
  const fs::path file = dir_ / "stereo.wav";
  wav::write(file, wav::riff({wav::pcm_fmt(2, 22050, 16), wav::chunk("data", std::string(88200, '\0'))}));
  ASSERT_TRUE(ch().open(file));
  ch().play();
  loop().wait_ms(7);  // 617.4 bytes
  EXPECT_EQ(ch().position(), 616u);
  loop().wait_ms(3);  // 882 bytes
  EXPECT_EQ(ch().position(), 880u);
  loop().wait_while([] { return ch().mode() == SoundChannel::kPlaying; });
  ASSERT_EQ(loop().now(), 1000);
  EXPECT_EQ(ch().position(), 88200u);

  // ADPCM positions step by whole blocks: IMA mono, 256-byte blocks, 4055
  // bytes a second as the header says.
  const fs::path ima = dir_ / "ima.wav";
  wav::write(ima, wav::riff({ima_fmt(1, 8000, 256, 4055), wav::chunk("data", std::string(4 * 256, '\0'))}));
  ASSERT_TRUE(ch().open(ima));
  const Ms start = loop().now();
  ch().play(256);
  loop().wait_until(start + 50);  // 202 bytes in
  EXPECT_EQ(ch().position(), 256u);
  loop().wait_until(start + 100);  // 405 bytes in
  EXPECT_EQ(ch().position(), 512u);
  loop().wait_while([] { return ch().mode() == SoundChannel::kPlaying; });
  ASSERT_EQ(loop().now(), start + (768 * 1000 + 4054) / 4055);
  EXPECT_EQ(ch().position(), 1024u);
}

// Four header bytes saying one byte a second must not stretch a second of
// sound over hours: the timing comes from rate and frame size.
TEST_F(SoundChannelTest, TheHeadersByteRateDoesNotTimeTheSound) {
  const fs::path file = dir_ / "slow.wav";
  wav::write(file, wav::riff({wav::chunk("fmt ", wav::fmt_body(1, 1, 8000, 1, 2, 16)),
                              wav::chunk("data", wav::samples16(Samples(8000)))}));
  ASSERT_TRUE(ch().open(file));
  const Ms start = loop().now();
  ch().play();
  loop().wait_while([] { return ch().mode() == SoundChannel::kPlaying; });
  EXPECT_EQ(loop().now(), start + 1000);
}

TEST_F(SoundChannelTest, ANewRangeReplacesTheOldOne) {
  ASSERT_TRUE(ch().open(second_of_sound()));
  ch().play();  // the whole second
  loop().wait_ms(100);
  EXPECT_EQ(ch().position(), 1600u);
  ch().play(8000, 8800);  // 50 ms
  EXPECT_EQ(ch().mode(), SoundChannel::kPlaying);
  EXPECT_EQ(ch().position(), 8000u);
  loop().wait_while([] { return ch().mode() == SoundChannel::kPlaying; });
  ASSERT_EQ(loop().now(), 150);
  EXPECT_EQ(ch().position(), 8800u);
  loop().wait_ms(2000);  // past the end of the first range too
  EXPECT_EQ(ch().mode(), SoundChannel::kStopped);
  EXPECT_EQ(ch().position(), 8800u);

  // Beyond the data the range ends with the data.
  ch().play(15000, 99999);
  const Ms start = loop().now();
  loop().wait_while([] { return ch().mode() == SoundChannel::kPlaying; });
  ASSERT_EQ(loop().now(), start + 63);  // 62.5 ms
  EXPECT_EQ(ch().position(), 16000u);
}

TEST_F(SoundChannelTest, EmptyRangesStopAtOnce) {
  ASSERT_TRUE(ch().open(second_of_sound()));
  ch().play(20000);
  EXPECT_EQ(ch().mode(), SoundChannel::kStopped);
  EXPECT_EQ(ch().position(), 16000u);
  ch().play(4000, 4000);
  EXPECT_EQ(ch().mode(), SoundChannel::kStopped);
  EXPECT_EQ(ch().position(), 4000u);
  ch().play(6000, 2000);
  EXPECT_EQ(ch().mode(), SoundChannel::kStopped);
  // Stopping a sound by playing nothing.
  ch().play();
  loop().wait_ms(10);
  ch().play(16000);
  EXPECT_EQ(ch().mode(), SoundChannel::kStopped);
  loop().wait_while([] { return ch().mode() == SoundChannel::kPlaying; });
  ASSERT_EQ(loop().now(), 10);
}

TEST_F(SoundChannelTest, ClosedOrUnreadableChannelsReportNothing) {
  EXPECT_FALSE(ch().is_open());
  EXPECT_EQ(ch().mode(), 0);
  ch().play();  // nothing open: nothing happens
  EXPECT_EQ(ch().mode(), 0);

  ASSERT_TRUE(ch().open(second_of_sound()));
  ch().play();
  loop().wait_ms(100);
  ch().close();
  EXPECT_FALSE(ch().is_open());
  EXPECT_EQ(ch().mode(), 0);
  EXPECT_EQ(ch().position(), 0u);
  EXPECT_EQ(ch().length(), 0u);

  // Opening anything closes what played before, even when it fails.
  ASSERT_TRUE(ch().open(second_of_sound()));
  ch().play();
  EXPECT_FALSE(ch().open(dir_ / "absent.wav"));
  EXPECT_EQ(ch().mode(), 0);
  EXPECT_EQ(ch().length(), 0u);
  const fs::path garbage = dir_ / "garbage.wav";
  wav::write(garbage, wav::riff({wav::chunk("LIST", "not a sound at all")}));
  EXPECT_FALSE(ch().open(garbage));
  EXPECT_FALSE(ch().is_open());
  EXPECT_EQ(ch().mode(), 0);
  EXPECT_EQ(ch().position(), 0u);
  // Nothing is left to wake the loop early: it runs on to the script's next
  // moment, not to the end of the sound that was playing.
  loop().wait_while([] { return loop().now() < 500; });
  ASSERT_EQ(loop().now(), 1'000'000);
}

// With an audio device (SDL's silent "dummy" one) sound is played on the real
// clock only; scripted play stays silent.
TEST_F(SoundChannelTest, AudioIsPlayedOnTheRealClockOnly) {
  if (SDL_WasInit(SDL_INIT_AUDIO)) GTEST_SKIP() << "audio was set up elsewhere in this process";
  ::setenv("SDL_AUDIODRIVER", "dummy", 1);
  ch().open_device();
  ::unsetenv("SDL_AUDIODRIVER");
  const SDL_AudioDeviceID device = ch().device();
  if (!device) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    GTEST_SKIP() << "SDL has no dummy audio driver here";
  }
  struct Release {
    ~Release() {
      SoundChannel::instance().close_device();
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
  } release;
  ch().open_device();  // again: still the same device
  EXPECT_EQ(ch().device(), device);

  // Bytes of sound the device would get before silence (the test takes the
  // device's place: it is paused).
  auto sound_bytes = [&] {
    SDL_PauseAudioDevice(device, 1);
    std::vector<std::uint8_t> buf(4096);
    std::size_t total = 0;
    for (int i = 0; i < 1000; ++i) {
      SDL_LockAudioDevice(device);
      ch().pull(buf.data(), static_cast<int>(buf.size()));
      SDL_UnlockAudioDevice(device);
      if (std::all_of(buf.begin(), buf.end(), [](std::uint8_t b) { return b == 0; })) break;
      total += buf.size();
    }
    return total;
  };

  ASSERT_TRUE(ch().open(second_of_sound()));
  ch().play();
  EXPECT_EQ(ch().mode(), SoundChannel::kPlaying);
  EXPECT_EQ(sound_bytes(), 0u);

  loop().reset_for_tests();  // the real clock
  ASSERT_FALSE(loop().virtual_clock());
  ch().play(0, 8000);  // half a second
  EXPECT_EQ(ch().mode(), SoundChannel::kPlaying);
  EXPECT_EQ(SDL_GetAudioDeviceStatus(device), SDL_AUDIO_PLAYING);
  // Only the range, in the device's format (16-bit, 48 kHz stereo at most).
  const std::size_t played = sound_bytes();
  EXPECT_GT(played, 0u);
  EXPECT_LE(played, 4u * 48000u / 2u + 4096u);
  ch().play(0, 8000);
  ch().close();
  EXPECT_EQ(sound_bytes(), 0u);
  EXPECT_EQ(ch().mode(), 0);
}

}  // namespace
