// Writes small AVI clips for the tests with the media generator's writer:
// raw 24-bit and 8-bit pictures, 8-bit run-length pictures, and pictures
// compressed with the library's Video 1 and Cinepak encoders.  Also an AVI
// with sound only, and hand-made Indeo 3 pictures.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/frame.h>
}

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "platform/surface.h"
#include "tools/media_writers/avi_writer.h"

namespace tapo::testing {

namespace clip_detail {

constexpr int kSoundRate = 11025;

// `count` chunks of `samples` of silence each.
inline media::AviSound silence(std::size_t count, int samples) {
  media::AviSound s;
  s.rate = kSoundRate;
  s.chunks.assign(count, std::vector<std::int16_t>(static_cast<std::size_t>(samples), 0));
  return s;
}

}  // namespace clip_detail

// An AVI holding one second of silence and no video.
inline std::string write_sound_only_avi(const std::filesystem::path& file) {
  return media::write_avi(file, clip_detail::silence(10, clip_detail::kSoundRate / 10)) ? "" : "cannot write the file";
}

// Indeo 3 pictures made by hand (there is no encoder): a key picture of one
// flat cell per plane, and the codec's "null" picture that changes nothing.
namespace indeo3 {

inline void put16(std::vector<std::uint8_t>& v, std::size_t at, unsigned x) {
  v[at] = static_cast<std::uint8_t>(x & 255);
  v[at + 1] = static_cast<std::uint8_t>((x >> 8) & 255);
}
inline void put32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x) {
  for (int i = 0; i < 4; ++i) v[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((x >> (8 * i)) & 255);
}

// The 16-byte frame header: number, a free word, checksum, data size.
inline void frame_header(std::vector<std::uint8_t>& p, std::uint32_t size) {
  constexpr std::uint32_t kId = 0x46524D48u;  // "FRMH"
  put32(p, 0, 0);
  put32(p, 4, 0);
  put32(p, 8, size ^ kId);
  put32(p, 12, size);
}

// A key picture of w x h (multiples of 16): every 4 x 4 block copies the line
// above it, starting from the codec's mid-grey border, so the picture is
// grey.  With `lighter`, the first line of each luma block gets a small delta
// first, which gives another, lighter picture.
inline std::vector<std::uint8_t> flat_picture(int w, int h, bool lighter = false) {
  auto plane = [](int pw, int ph, bool delta) {
    // No motion vectors; tree codes "intra", then "cell data"; mode 0.
    std::vector<std::uint8_t> d = {0, 0, 0, 0, 0xB0, 0x00};
    for (int i = 0; i < (pw / 4) * (ph / 4); ++i) {
      if (delta) d.insert(d.end(), {1, 1});  // a pair of deltas for line 0
      d.push_back(0xFD);                      // copy the remaining lines
    }
    return d;
  };
  const int cw = std::max(4, (w / 4 + 3) & ~3), ch = std::max(4, (h / 4 + 3) & ~3);
  const auto y = plane(w, h, lighter), u = plane(cw, ch, false), v = plane(cw, ch, false);
  const std::size_t yo = 48, vo = yo + y.size(), uo = vo + v.size(), end = uo + u.size() + 16;
  std::vector<std::uint8_t> p(16 + end, 0);
  frame_header(p, static_cast<std::uint32_t>(end));
  const std::size_t b = 16;  // the picture header
  put16(p, b + 0, 32);       // version
  put16(p, b + 2, 4);        // key frame
  put32(p, b + 4, static_cast<std::uint32_t>(end * 8));
  put16(p, b + 12, static_cast<unsigned>(h));
  put16(p, b + 14, static_cast<unsigned>(w));
  put32(p, b + 16, static_cast<std::uint32_t>(yo));
  put32(p, b + 20, static_cast<std::uint32_t>(vo));
  put32(p, b + 24, static_cast<std::uint32_t>(uo));
  std::copy(y.begin(), y.end(), p.begin() + static_cast<long>(b + yo));
  std::copy(v.begin(), v.end(), p.begin() + static_cast<long>(b + vo));
  std::copy(u.begin(), u.end(), p.begin() + static_cast<long>(b + uo));
  return p;
}

inline std::vector<std::uint8_t> null_picture() {
  std::vector<std::uint8_t> p(32, 0);
  frame_header(p, 16);
  put16(p, 16, 32);   // version
  put32(p, 20, 128);  // 16 bytes: nothing follows
  return p;
}

}  // namespace indeo3

enum class ClipCodec { Raw24, Raw8, Rle8, Video1, Cinepak };

inline const char* clip_codec_name(ClipCodec c) {
  switch (c) {
    case ClipCodec::Raw24: return "Raw24";
    case ClipCodec::Raw8: return "Raw8";
    case ClipCodec::Rle8: return "Rle8";
    case ClipCodec::Video1: return "Video1";
    case ClipCodec::Cinepak: return "Cinepak";
  }
  return "?";
}

inline void PrintTo(ClipCodec c, std::ostream* os) { *os << clip_codec_name(c); }

struct ClipOptions {
  int fps = 15;
  // Every key_interval-th stored picture is a key frame; the others depend
  // on the pictures before them (run-length, Video 1 and Cinepak clips).
  int key_interval = 1;
  // Frames stored as empty chunks: a player shows the previous frame again.
  // Their pictures are not used.
  std::set<int> repeats;
  bool sound = false;  // a sound stream before the video, its chunks between the pictures
};

namespace clip_detail {

// Fills video.pictures with the encoder's packets (the repeats stay empty).
inline std::string encode(ClipCodec codec, const std::vector<platform::Surface>& frames, const ClipOptions& opt,
                          media::AviVideo& video) {
  auto& packets = video.pictures;
  const int w = video.width, h = video.height;
  const AVCodec* enc = avcodec_find_encoder(codec == ClipCodec::Video1 ? AV_CODEC_ID_MSVIDEO1
                                                                        : AV_CODEC_ID_CINEPAK);
  if (!enc) return "no encoder";
  AVCodecContext* ctx = avcodec_alloc_context3(enc);
  AVFrame* frame = av_frame_alloc();
  AVPacket* pkt = av_packet_alloc();
  struct Done {
    AVCodecContext*& ctx;
    AVFrame*& frame;
    AVPacket*& pkt;
    ~Done() {
      av_packet_free(&pkt);
      av_frame_free(&frame);
      avcodec_free_context(&ctx);
    }
  } done{ctx, frame, pkt};
  if (!ctx || !frame || !pkt) return "out of memory";
  ctx->width = w;
  ctx->height = h;
  ctx->time_base = AVRational{1, opt.fps};
  ctx->pix_fmt = codec == ClipCodec::Video1 ? AV_PIX_FMT_RGB555LE : AV_PIX_FMT_RGB24;
  ctx->gop_size = opt.key_interval;
  ctx->keyint_min = opt.key_interval;
  if (avcodec_open2(ctx, enc, nullptr) < 0) return "cannot open the encoder";
  video.compression = video.handler = media::fourcc(codec == ClipCodec::Video1 ? "MSVC" : "cvid");
  video.bits = ctx->bits_per_coded_sample > 0 ? ctx->bits_per_coded_sample : 24;

  std::string result;
  auto drain = [&]() {
    while (avcodec_receive_packet(ctx, pkt) >= 0) {
      if (pkt->pts >= 0 && pkt->pts < static_cast<std::int64_t>(packets.size())) {
        media::AviPicture& p = packets[static_cast<std::size_t>(pkt->pts)];
        p.data.assign(pkt->data, pkt->data + pkt->size);
        p.key = (pkt->flags & AV_PKT_FLAG_KEY) != 0;
      } else {
        result = "a packet without its frame number";
      }
      av_packet_unref(pkt);
    }
  };
  for (std::size_t k = 0; k < frames.size() && result.empty(); ++k) {
    if (opt.repeats.contains(static_cast<int>(k))) continue;
    frame->format = ctx->pix_fmt;
    frame->width = w;
    frame->height = h;
    if (av_frame_get_buffer(frame, 0) < 0) return "out of memory";
    for (int y = 0; y < h; ++y) {
      std::uint8_t* row = frame->data[0] + static_cast<std::ptrdiff_t>(y) * frame->linesize[0];
      for (int x = 0; x < w; ++x) {
        const platform::Rgb c = frames[k].at(x, y);
        const int r = (c >> 16) & 255, g = (c >> 8) & 255, b = c & 255;
        if (codec == ClipCodec::Video1) {
          const unsigned v = static_cast<unsigned>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
          row[2 * x] = static_cast<std::uint8_t>(v & 255);
          row[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
        } else {
          row[3 * x] = static_cast<std::uint8_t>(r);
          row[3 * x + 1] = static_cast<std::uint8_t>(g);
          row[3 * x + 2] = static_cast<std::uint8_t>(b);
        }
      }
    }
    frame->pts = static_cast<std::int64_t>(k);
    if (avcodec_send_frame(ctx, frame) < 0) result = "cannot encode a frame";
    av_frame_unref(frame);
    drain();
  }
  if (avcodec_send_frame(ctx, nullptr) >= 0) drain();
  return result;
}

}  // namespace clip_detail

// Writes `frames` (all of one size) as an AVI clip.  Returns "" or what went
// wrong.
inline std::string write_clip(const std::filesystem::path& file, ClipCodec codec,
                              const std::vector<platform::Surface>& frames, const ClipOptions& opt = {}) {
  if (frames.empty()) return "no frames";
  media::AviVideo video;
  video.width = frames[0].width();
  video.height = frames[0].height();
  video.fps = opt.fps;
  video.pictures.resize(frames.size());
  for (const auto& f : frames)
    if (f.width() != video.width || f.height() != video.height) return "frames of different sizes";

  if (codec == ClipCodec::Video1 || codec == ClipCodec::Cinepak) {
    if (std::string e = clip_detail::encode(codec, frames, opt, video); !e.empty()) return e;
  } else {
    // 8-bit clips share one palette, in the order colours first appear.
    std::map<platform::Rgb, std::uint8_t> index_of;
    if (codec != ClipCodec::Raw24) {
      for (const auto& f : frames) {
        platform::Rgb last = ~platform::Rgb{0};
        for (platform::Rgb c : f.pixels()) {
          if (c == last) continue;
          last = c;
          if (!index_of.contains(c)) {
            if (video.palette.size() == 256) return "more than 256 colours";
            index_of[c] = static_cast<std::uint8_t>(video.palette.size());
            video.palette.push_back(c);
          }
        }
      }
      video.bits = 8;
    }
    if (codec == ClipCodec::Rle8) {
      video.compression = 1;
      video.handler = media::fourcc("mrle");
    }
    const int interval = std::max(1, opt.key_interval);
    media::IndexedFrame before;
    int stored = 0;
    for (std::size_t k = 0; k < frames.size(); ++k) {
      if (opt.repeats.contains(static_cast<int>(k))) continue;
      media::AviPicture& p = video.pictures[k];
      if (codec == ClipCodec::Raw24) {
        p.data = media::dib_picture(frames[k]);
        continue;
      }
      media::IndexedFrame idx{video.width, video.height, {}};
      idx.pixels.reserve(frames[k].pixels().size());
      platform::Rgb last = ~platform::Rgb{0};
      std::uint8_t last_index = 0;
      for (platform::Rgb c : frames[k].pixels()) {
        if (c != last) last_index = index_of[last = c];
        idx.pixels.push_back(last_index);
      }
      if (codec == ClipCodec::Raw8) {
        p.data = media::dib_picture(idx);
        continue;
      }
      p.key = stored++ % interval == 0;
      p.data = media::rle8_picture(idx, p.key ? nullptr : &before);
      before = std::move(idx);
    }
  }
  if (!opt.sound) return media::write_avi(file, video) ? "" : "cannot write the file";
  const auto sound = clip_detail::silence(frames.size(), clip_detail::kSoundRate / video.fps);
  return media::write_avi(file, video, sound) ? "" : "cannot write the file";
}

}  // namespace tapo::testing
