// Writes small AVI clips for the tests: raw 24-bit and 8-bit pictures,
// 8-bit run-length pictures coded here, and pictures compressed with the
// library's Video 1 and Cinepak encoders.  Also an AVI with sound only.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/frame.h>
#include <libavutil/opt.h>
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

namespace tapo::testing {

// One chunk of a clip's video stream as it is stored in the file.
struct ClipPacket {
  std::vector<std::uint8_t> data;  // empty: "show the previous frame again"
  bool key = true;
};

// The video stream's header.
struct ClipStream {
  AVCodecID codec = AV_CODEC_ID_RAWVIDEO;
  std::uint32_t tag = 0;  // the bitmap header's compression field; 0 lets the muxer choose
  int width = 0, height = 0;
  int bits = 24;
  int fps = 15;
  std::vector<platform::Rgb> palette;  // stored after the bitmap header (8-bit streams)
  bool sound = false;  // a sound stream before the video, its chunks interleaved with the pictures
};

namespace clip_detail {

constexpr int kSoundRate = 11025;

// A mono 16-bit PCM stream.
inline AVStream* add_sound_stream(AVFormatContext* oc) {
  AVStream* st = avformat_new_stream(oc, nullptr);
  if (!st) return nullptr;
  st->time_base = AVRational{1, kSoundRate};
  AVCodecParameters* par = st->codecpar;
  par->codec_type = AVMEDIA_TYPE_AUDIO;
  par->codec_id = AV_CODEC_ID_PCM_S16LE;
  par->sample_rate = kSoundRate;
  av_channel_layout_default(&par->ch_layout, 1);
  par->bits_per_coded_sample = 16;
  par->block_align = 2;
  par->bit_rate = kSoundRate * 16;
  return st;
}

// `samples` of silence starting at sample `first`.
inline int write_silence(AVFormatContext* oc, AVStream* st, AVPacket* pkt, std::int64_t first, int samples) {
  if (av_new_packet(pkt, samples * 2) < 0) return -1;
  std::memset(pkt->data, 0, static_cast<std::size_t>(samples) * 2);
  pkt->stream_index = st->index;
  pkt->pts = pkt->dts = first;
  pkt->duration = samples;
  pkt->flags = AV_PKT_FLAG_KEY;
  av_packet_rescale_ts(pkt, AVRational{1, kSoundRate}, st->time_base);
  const int r = av_write_frame(oc, pkt);
  av_packet_unref(pkt);
  return r;
}

struct OutputCloser {
  AVFormatContext* oc;
  ~OutputCloser() {
    if (oc->pb) avio_closep(&oc->pb);
    avformat_free_context(oc);
  }
};

}  // namespace clip_detail

// Writes one packet per frame, in order.  Returns "" or what went wrong.
inline std::string write_avi(const std::filesystem::path& file, const ClipStream& video,
                             const std::vector<ClipPacket>& packets) {
  AVFormatContext* oc = nullptr;
  if (avformat_alloc_output_context2(&oc, nullptr, "avi", file.c_str()) < 0 || !oc)
    return "no AVI muxer";
  clip_detail::OutputCloser done{oc};

  AVStream* sound = video.sound ? clip_detail::add_sound_stream(oc) : nullptr;
  if (video.sound && !sound) return "no sound stream";
  AVStream* st = avformat_new_stream(oc, nullptr);
  if (!st) return "no stream";
  st->time_base = AVRational{1, video.fps};
  AVCodecParameters* par = st->codecpar;
  par->codec_type = AVMEDIA_TYPE_VIDEO;
  par->codec_id = video.codec;
  par->codec_tag = video.tag;
  par->width = video.width;
  par->height = video.height;
  par->bits_per_coded_sample = video.bits;
  if (video.bits <= 8) {
    par->format = AV_PIX_FMT_PAL8;
    // RGBQUADs: blue, green, red, 0.
    const std::size_t colours = std::size_t{1} << video.bits;
    par->extradata = static_cast<std::uint8_t*>(av_mallocz(colours * 4 + AV_INPUT_BUFFER_PADDING_SIZE));
    if (!par->extradata) return "out of memory";
    par->extradata_size = static_cast<int>(colours * 4);
    for (std::size_t i = 0; i < std::min(colours, video.palette.size()); ++i) {
      const platform::Rgb c = video.palette[i];
      par->extradata[4 * i] = static_cast<std::uint8_t>(c & 255);
      par->extradata[4 * i + 1] = static_cast<std::uint8_t>((c >> 8) & 255);
      par->extradata[4 * i + 2] = static_cast<std::uint8_t>((c >> 16) & 255);
    }
  }

  if (avio_open(&oc->pb, file.c_str(), AVIO_FLAG_WRITE) < 0) return "cannot create the file";
  AVDictionary* options = nullptr;
  // Raw pictures are stored bottom-up, the way the era's tools wrote them.
  av_dict_set(&options, "flipped_raw_rgb", "1", 0);
  const int header = avformat_write_header(oc, &options);
  av_dict_free(&options);
  if (header < 0) return "cannot write the header";

  // Empty chunks are written by the muxer itself when the frame numbers of
  // the stored packets leave a gap (and after the last one, by its duration).
  int last = -1;
  for (std::size_t i = 0; i < packets.size(); ++i)
    if (!packets[i].data.empty()) last = static_cast<int>(i);
  AVPacket* pkt = av_packet_alloc();
  if (!pkt) return "out of memory";
  std::string result;
  for (int i = 0; i <= last && result.empty(); ++i) {
    const ClipPacket& p = packets[static_cast<std::size_t>(i)];
    if (sound) {
      const int samples = clip_detail::kSoundRate / video.fps;
      if (clip_detail::write_silence(oc, sound, pkt, static_cast<std::int64_t>(i) * samples, samples) < 0)
        result = "cannot write a sound packet";
    }
    if (p.data.empty()) continue;
    if (av_new_packet(pkt, static_cast<int>(p.data.size())) < 0) {
      result = "out of memory";
      break;
    }
    std::memcpy(pkt->data, p.data.data(), p.data.size());
    pkt->stream_index = st->index;
    pkt->pts = pkt->dts = i;
    pkt->duration = i == last ? static_cast<std::int64_t>(packets.size()) - i : 1;
    pkt->flags = p.key ? AV_PKT_FLAG_KEY : 0;
    av_packet_rescale_ts(pkt, AVRational{1, video.fps}, st->time_base);
    if (av_write_frame(oc, pkt) < 0) result = "cannot write a packet";
    av_packet_unref(pkt);
  }
  av_packet_free(&pkt);
  if (av_write_trailer(oc) < 0 && result.empty()) result = "cannot finish the file";
  return result;
}

// An AVI holding one second of silence and no video.
inline std::string write_sound_only_avi(const std::filesystem::path& file) {
  AVFormatContext* oc = nullptr;
  if (avformat_alloc_output_context2(&oc, nullptr, "avi", file.c_str()) < 0 || !oc)
    return "no AVI muxer";
  clip_detail::OutputCloser done{oc};
  AVStream* st = clip_detail::add_sound_stream(oc);
  if (!st) return "no stream";
  if (avio_open(&oc->pb, file.c_str(), AVIO_FLAG_WRITE) < 0) return "cannot create the file";
  if (avformat_write_header(oc, nullptr) < 0) return "cannot write the header";
  AVPacket* pkt = av_packet_alloc();
  if (!pkt) return "out of memory";
  std::string result;
  constexpr int kSamples = clip_detail::kSoundRate / 10;
  for (int i = 0; i < 10 && result.empty(); ++i)
    if (clip_detail::write_silence(oc, st, pkt, std::int64_t{i} * kSamples, kSamples) < 0)
      result = "cannot write a packet";
  av_packet_free(&pkt);
  if (av_write_trailer(oc) < 0 && result.empty()) result = "cannot finish the file";
  return result;
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
  bool sound = false;  // see ClipStream::sound
};

namespace clip_detail {

// Runs of one colour as (count, index); other stretches of three or more
// pixels as literal blocks, padded to whole 16-bit words.
inline void rle8_span(std::vector<std::uint8_t>& out, const std::uint8_t* px, int n) {
  int x = 0;
  while (x < n) {
    int run = 1;
    while (x + run < n && run < 255 && px[x + run] == px[x]) ++run;
    if (run >= 2) {
      out.push_back(static_cast<std::uint8_t>(run));
      out.push_back(px[x]);
      x += run;
      continue;
    }
    int lit = 1;
    while (x + lit < n && lit < 255 && !(x + lit + 1 < n && px[x + lit] == px[x + lit + 1])) ++lit;
    if (lit < 3) {
      for (int i = 0; i < lit; ++i) {
        out.push_back(1);
        out.push_back(px[x + i]);
      }
    } else {
      out.push_back(0);
      out.push_back(static_cast<std::uint8_t>(lit));
      out.insert(out.end(), px + x, px + x + lit);
      if (lit & 1) out.push_back(0);
    }
    x += lit;
  }
}

// An 8-bit run-length picture, bottom line first.  With `before`, only the
// lines and stretches that changed are coded: unchanged lines are passed with
// end-of-line codes, unchanged pixels with skip codes, and the picture ends
// with end-of-bitmap after its last change.
inline std::vector<std::uint8_t> rle8_picture(const std::vector<std::uint8_t>& idx,
                                              const std::vector<std::uint8_t>* before, int w, int h) {
  std::vector<std::uint8_t> out;
  int last_changed = 0;  // bottom-up number of the last line that has to be coded
  for (int line = 0; line < h; ++line) {
    const std::size_t row = static_cast<std::size_t>(h - 1 - line) * w;
    if (!before || !std::equal(idx.begin() + static_cast<long>(row),
                               idx.begin() + static_cast<long>(row) + w,
                               before->begin() + static_cast<long>(row)))
      last_changed = line;
  }
  for (int line = 0; line < h; ++line) {
    const std::size_t row = static_cast<std::size_t>(h - 1 - line) * w;
    const std::uint8_t* px = idx.data() + row;
    int a = 0, b = w;
    if (before) {
      const std::uint8_t* old = before->data() + row;
      while (a < w && px[a] == old[a]) ++a;
      while (b > a && px[b - 1] == old[b - 1]) --b;
    }
    if (a < b) {
      int x = 0;
      while (x + 255 < a) {  // skip (0, 2, dx, dy)
        out.insert(out.end(), {0, 2, 255, 0});
        x += 255;
      }
      if (x < a) out.insert(out.end(), {0, 2, static_cast<std::uint8_t>(a - x), 0});
      rle8_span(out, px + a, b - a);
    }
    if (before && line == last_changed) break;
    if (line + 1 < h) out.insert(out.end(), {0, 0});  // end of line
  }
  out.insert(out.end(), {0, 1});  // end of bitmap
  return out;
}

inline std::string encode(ClipCodec codec, const std::vector<platform::Surface>& frames,
                          const ClipOptions& opt, ClipStream& video, std::vector<ClipPacket>& packets) {
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
  video.codec = enc->id;
  video.bits = ctx->bits_per_coded_sample > 0 ? ctx->bits_per_coded_sample : 24;

  std::string result;
  auto drain = [&]() {
    while (avcodec_receive_packet(ctx, pkt) >= 0) {
      if (pkt->pts >= 0 && pkt->pts < static_cast<std::int64_t>(packets.size())) {
        ClipPacket& p = packets[static_cast<std::size_t>(pkt->pts)];
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
  ClipStream video;
  video.width = frames[0].width();
  video.height = frames[0].height();
  video.fps = opt.fps;
  video.sound = opt.sound;
  const int w = video.width, h = video.height;
  const int interval = std::max(1, opt.key_interval);
  std::vector<ClipPacket> packets(frames.size());

  if (codec == ClipCodec::Video1 || codec == ClipCodec::Cinepak) {
    if (std::string e = clip_detail::encode(codec, frames, opt, video, packets); !e.empty()) return e;
    return write_avi(file, video, packets);
  }

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
    video.codec = AV_CODEC_ID_MSRLE;
    video.tag = 1;  // BI_RLE8
  }

  std::vector<std::uint8_t> before;
  int stored = 0;
  for (std::size_t k = 0; k < frames.size(); ++k) {
    if (opt.repeats.contains(static_cast<int>(k))) continue;
    const platform::Surface& f = frames[k];
    if (f.width() != w || f.height() != h) return "frames of different sizes";
    ClipPacket& p = packets[k];
    if (codec == ClipCodec::Raw24 || codec == ClipCodec::Raw8) {
      // Bottom line first, lines padded to whole 32-bit words.
      const int bpp = codec == ClipCodec::Raw24 ? 3 : 1;
      const std::size_t stride = (static_cast<std::size_t>(w) * bpp + 3) & ~std::size_t{3};
      p.data.assign(stride * h, 0);
      for (int y = 0; y < h; ++y) {
        std::uint8_t* row = p.data.data() + stride * (h - 1 - y);
        for (int x = 0; x < w; ++x) {
          const platform::Rgb c = f.at(x, y);
          if (bpp == 1) {
            row[x] = index_of[c];
          } else {
            row[3 * x] = static_cast<std::uint8_t>(c & 255);
            row[3 * x + 1] = static_cast<std::uint8_t>((c >> 8) & 255);
            row[3 * x + 2] = static_cast<std::uint8_t>((c >> 16) & 255);
          }
        }
      }
      p.key = true;
    } else {
      std::vector<std::uint8_t> idx(static_cast<std::size_t>(w) * h);
      platform::Rgb last = f.pixels()[0];
      std::uint8_t last_index = index_of[last];
      for (std::size_t i = 0; i < idx.size(); ++i) {
        if (f.pixels()[i] != last) {
          last = f.pixels()[i];
          last_index = index_of[last];
        }
        idx[i] = last_index;
      }
      p.key = stored % interval == 0;
      p.data = clip_detail::rle8_picture(idx, p.key ? nullptr : &before, w, h);
      before = std::move(idx);
    }
    ++stored;
  }
  return write_avi(file, video, packets);
}

}  // namespace tapo::testing
