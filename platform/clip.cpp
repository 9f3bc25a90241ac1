#include "platform/clip.h"

#include "platform/clip_cache.h"
#include "platform/clip_dib.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
#include <libavutil/log.h>
#include <libavutil/pixfmt.h>
#include <libswscale/swscale.h>
}

#include <dlfcn.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace tapo::platform {

namespace {

// FFmpeg is loaded the first time a clip needs it: its libraries bring in
// dozens of others (tens of megabytes, and time at every start) that the
// era's simple clips, read without it, never need.
#define TAPO_FFMPEG_FUNCTIONS(X)                                                                       \
  X(av_find_input_format) X(av_frame_alloc) X(av_frame_free) X(av_frame_unref) X(av_log_get_level)      \
  X(av_log_set_level) X(av_packet_alloc) X(av_packet_free) X(av_packet_get_side_data)                   \
  X(av_packet_move_ref) X(av_packet_new_side_data) X(av_packet_unref) X(av_read_frame)                  \
  X(avcodec_alloc_context3) X(avcodec_find_decoder) X(avcodec_flush_buffers) X(avcodec_free_context)    \
  X(avcodec_open2) X(avcodec_parameters_to_context) X(avcodec_receive_frame) X(avcodec_send_packet)     \
  X(avformat_close_input) X(avformat_find_stream_info) X(avformat_open_input) X(sws_scale)              \
  X(sws_getCachedContext) X(sws_freeContext)

struct Ffmpeg {
#define TAPO_FFMPEG_POINTER(name) decltype(&::name) name = nullptr;
  TAPO_FFMPEG_FUNCTIONS(TAPO_FFMPEG_POINTER)
#undef TAPO_FFMPEG_POINTER
};
Ffmpeg ff;

#define TAPO_STR2(x) #x
#define TAPO_STR(x) TAPO_STR2(x)
#define TAPO_SONAME(lib, major) "lib" lib ".so." TAPO_STR(major)

// True once every function is there; the libraries stay loaded for the run.
bool load_ffmpeg() {
  static const bool loaded = [] {
    std::vector<void*> libs;
    for (const char* soname : {TAPO_SONAME("avutil", LIBAVUTIL_VERSION_MAJOR), TAPO_SONAME("swscale", LIBSWSCALE_VERSION_MAJOR),
                               TAPO_SONAME("avcodec", LIBAVCODEC_VERSION_MAJOR), TAPO_SONAME("avformat", LIBAVFORMAT_VERSION_MAJOR)})
      if (void* lib = dlopen(soname, RTLD_NOW | RTLD_LOCAL)) libs.push_back(lib);
    auto find = [&libs](const char* symbol) -> void* {
      for (void* lib : libs)
        if (void* f = dlsym(lib, symbol)) return f;
      return nullptr;
    };
    bool all = true;
#define TAPO_FFMPEG_FIND(name)                                       \
  ff.name = reinterpret_cast<decltype(ff.name)>(find(#name));     \
  all = all && ff.name != nullptr;
    TAPO_FFMPEG_FUNCTIONS(TAPO_FFMPEG_FIND)
#undef TAPO_FFMPEG_FIND
    return all;
  }();
  return loaded;
}


struct FormatCloser {
  void operator()(AVFormatContext* f) const { ff.avformat_close_input(&f); }
};
struct CodecCloser {
  void operator()(AVCodecContext* c) const { ff.avcodec_free_context(&c); }
};
struct PacketFreer {
  void operator()(AVPacket* p) const { ff.av_packet_free(&p); }
};
struct FrameFreer {
  void operator()(AVFrame* f) const { ff.av_frame_free(&f); }
};
struct SwsFreer {
  void operator()(SwsContext* s) const { ff.sws_freeContext(s); }
};

using FormatPtr = std::unique_ptr<AVFormatContext, FormatCloser>;
using CodecPtr = std::unique_ptr<AVCodecContext, CodecCloser>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFreer>;
using FramePtr = std::unique_ptr<AVFrame, FrameFreer>;

void quiet_logging() {
  // Damaged clips are reported through Clip's own results; the libraries'
  // messages would only clutter the terminal.
  if (ff.av_log_get_level() > AV_LOG_FATAL) ff.av_log_set_level(AV_LOG_FATAL);
}

// One stored picture of the stream: a non-empty packet and the frame number
// it shows.  Empty chunks ("show the previous frame again") are not stored.
struct StoredPicture {
  PacketPtr packet;
  int frame = 0;
  int key = 0;  // index of the key picture decoding has to start from
};

class AviClip final : public Clip {
 public:
  AviClip(CodecPtr decoder, std::vector<StoredPicture> pictures, int length, int width, int height, bool damaged)
      : damaged_(damaged),
        dec_(std::move(decoder)),
        pictures_(std::move(pictures)),
        length_(length),
        width_(width),
        height_(height),
        decoded_(ff.av_frame_alloc()) {}

  int start() const override { return 0; }
  int length() const override { return length_; }
  int width() const override { return width_; }
  int height() const override { return height_; }
  bool damaged() const override { return damaged_; }

  const Surface* frame(int n) override {
    if (n < 0 || n >= length_ || pictures_.empty()) return nullptr;
    const Surface* shown = picture(stored_picture_at(pictures_, n));
    damaged_ |= shown == nullptr;  // a stored picture its decoder cannot read
    return shown;
  }

 private:
  // The picture stored packet `wanted` shows.  A packet the decoder takes
  // without a picture coming out (Indeo's null frames) changes nothing: it
  // shows the picture before it, which may lie before its key picture, so
  // the search goes back key by key, each run of packets decoded once.
  const Surface* picture(int wanted) {
    std::vector<std::pair<int, int>> unshown;  // runs of packets that showed nothing of their own
    for (int index = wanted;;) {
      const int shown = shows_[static_cast<size_t>(index)];
      if (shown >= 0) {
        if (const Surface* hit = cache_.find(shown)) {
          for (const auto& [first, last] : unshown) std::fill(shows_.begin() + first, shows_.begin() + last + 1, shown);
          return hit;
        }
      }
      if (!decoded_) return nullptr;
      const int key = pictures_[static_cast<size_t>(index)].key;
      const int from = decode(key, index);
      const int now_shown = shows_[static_cast<size_t>(index)];
      if (now_shown >= 0) {
        if (cache_.contains(now_shown)) continue;  // found on the next pass
        return nullptr;                            // not decodable again
      }
      // Nothing came out from the key on, every packet taken: the picture
      // before the key shows.  Anything else (a refused packet, the first
      // picture) shows nothing.
      if (from != key || key == 0 || !all_taken_) return nullptr;
      unshown.emplace_back(key, index);
      index = key - 1;
    }
  }

  // Decodes packets up to `index`, from the key picture or from where the
  // decoder stands when that is on the way; returns the first packet sent.
  // Afterwards shows_ tells for each packet sent the picture it shows, as far
  // as known.
  int decode(int key, int index) {
    int from = key;
    int showing = -1;  // what the packet before `from` shows
    if (next_ > key && next_ <= index) {
      from = next_;
      showing = shows_[static_cast<size_t>(from - 1)];
    } else {
      ff.avcodec_flush_buffers(dec_.get());
    }
    next_ = -1;  // unknown until this run ends well

    std::vector<bool> taken;
    taken.reserve(static_cast<size_t>(index - from + 1));
    for (int i = from; i <= index; ++i) {
      const AVPacket* packet = pictures_[static_cast<size_t>(i)].packet.get();
      int sent = ff.avcodec_send_packet(dec_.get(), packet);
      if (sent == AVERROR(EAGAIN)) {
        // Only a decoder that holds pictures back gets here: take what it
        // has ready, then the packet goes in.
        receive(i);
        sent = ff.avcodec_send_packet(dec_.get(), packet);
      }
      // A packet the decoder refuses leaves its picture out; the ones after
      // it may still come out.
      if (sent >= 0) receive(i);
      taken.push_back(sent >= 0);
    }
    if (!cache_.contains(index) && (dec_->codec->capabilities & AV_CODEC_CAP_DELAY)) {
      // A decoder that holds pictures back gives them up when drained; it
      // has to be flushed before it takes packets again.
      if (ff.avcodec_send_packet(dec_.get(), nullptr) >= 0) receive(index);
      ff.avcodec_flush_buffers(dec_.get());
    } else {
      next_ = index + 1;
    }
    all_taken_ = true;
    for (int i = from; i <= index; ++i) {
      int& s = shows_[static_cast<size_t>(i)];
      if (s == i) {
        showing = i;
      } else if (taken[static_cast<size_t>(i - from)]) {
        s = showing;
      } else {
        showing = -1;
        all_taken_ = false;
      }
    }
    return from;
  }

  // Takes every picture the decoder has ready into the cache; `sent` is the
  // index of the packet sent last (used when a picture carries no number).
  void receive(int sent) {
    while (ff.avcodec_receive_frame(dec_.get(), decoded_.get()) >= 0) {
      std::int64_t ts = decoded_->pts;
      if (ts == AV_NOPTS_VALUE) ts = decoded_->pkt_dts;
      if (ts == AV_NOPTS_VALUE || ts < 0 || ts >= static_cast<std::int64_t>(pictures_.size())) ts = sent;
      const int index = static_cast<int>(ts);
      if (!cache_.contains(index)) {
        Surface s;
        if (convert(*decoded_, s)) cache_.store(index, std::move(s));
      }
      if (cache_.contains(index)) shows_[static_cast<size_t>(index)] = index;
      ff.av_frame_unref(decoded_.get());
    }
  }

  bool convert(const AVFrame& f, Surface& out) {
    if (f.width <= 0 || f.height <= 0) return false;
    out = Surface(width_, height_);
    auto& px = out.pixels();
    if (f.format == AV_PIX_FMT_PAL8 && f.width == width_ && f.height == height_ && f.data[1]) {
      // Palette pictures are looked up directly so that every colour comes
      // out exactly as the palette has it.
      const auto* pal = reinterpret_cast<const std::uint32_t*>(f.data[1]);  // native ARGB
      for (int y = 0; y < height_; ++y) {
        const std::uint8_t* row = f.data[0] + static_cast<std::ptrdiff_t>(y) * f.linesize[0];
        Rgb* dst = &px[static_cast<size_t>(y) * width_];
        for (int x = 0; x < width_; ++x) dst[x] = pal[row[x]] & 0xFFFFFF;
      }
      return true;
    }
    // AV_PIX_FMT_RGB32 is 0xAARRGGBB in native byte order, the surface's
    // layout once the top byte is cleared.
    sws_.reset(ff.sws_getCachedContext(sws_.release(), f.width, f.height,
                                    static_cast<AVPixelFormat>(f.format), width_, height_,
                                    AV_PIX_FMT_RGB32, SWS_BICUBIC | SWS_ACCURATE_RND, nullptr,
                                    nullptr, nullptr));
    if (!sws_) return false;
    std::uint8_t* dst[4] = {reinterpret_cast<std::uint8_t*>(px.data()), nullptr, nullptr, nullptr};
    int stride[4] = {width_ * 4, 0, 0, 0};
    if (ff.sws_scale(sws_.get(), f.data, f.linesize, 0, f.height, dst, stride) <= 0) return false;
    for (Rgb& p : px) p &= 0xFFFFFF;
    return true;
  }

  bool damaged_;
  CodecPtr dec_;
  std::vector<StoredPicture> pictures_;
  int length_, width_, height_;
  FramePtr decoded_;
  std::unique_ptr<SwsContext, SwsFreer> sws_;
  int next_ = -1;  // the picture the decoder can take next without a restart
  // Per packet: the picture it shows (itself, or an earlier one for a packet
  // that changed nothing); -1 while not known.
  std::vector<int> shows_ = std::vector<int>(pictures_.size(), -1);
  bool all_taken_ = true;  // the last decode's packets all went in

  PictureCache cache_;
};

void fail(Clip::Error* error, Clip::Error why) {
  if (error) *error = why;
}

}  // namespace

namespace {

struct Kept {
  std::filesystem::path file;
  std::uintmax_t size = 0;
  std::filesystem::file_time_type written;
  std::shared_ptr<Clip> clip;
  const Form* owner = nullptr;
};

Kept& kept_clip() {
  static Kept k;
  return k;
}

}  // namespace

std::shared_ptr<Clip> Clip::open_kept(const std::filesystem::path& file, Error* error, const Form* owner) {
  Kept& kept = kept_clip();
  std::error_code e1, e2;
  const auto size = std::filesystem::file_size(file, e1);
  const auto written = std::filesystem::last_write_time(file, e2);
  if (error) *error = Error::None;
  if (kept.clip && !e1 && !e2 && kept.file == file && kept.size == size && kept.written == written) {
    kept.owner = owner;
    return kept.clip;
  }
  kept = {};  // its memory goes before the next clip's comes
  std::shared_ptr<Clip> clip = open(file, error);
  if (clip && !e1 && !e2) kept = {file, size, written, clip, owner};
  return clip;
}

void Clip::release_kept(const Form* owner) {
  if (kept_clip().owner == owner) kept_clip() = {};
}

std::unique_ptr<Clip> Clip::open(const std::filesystem::path& file, Error* error) {
  if (error) *error = Error::None;
  if (auto simple = open_dib_clip(file)) return simple;
  if (!load_ffmpeg()) {
    std::error_code ec;
    fail(error, std::filesystem::exists(file, ec) ? Error::Decoder : Error::Open);
    return nullptr;
  }
  quiet_logging();

  // The clips are AVI files; probing for other formats could take a damaged
  // clip or a stray file for something else entirely.
  AVFormatContext* raw_fmt = nullptr;
  if (ff.avformat_open_input(&raw_fmt, file.c_str(), ff.av_find_input_format("avi"), nullptr) < 0) {
    fail(error, Error::Open);
    return nullptr;
  }
  FormatPtr fmt(raw_fmt);

  AVStream* stream = nullptr;
  for (unsigned i = 0; i < fmt->nb_streams; ++i) {
    AVStream* s = fmt->streams[i];
    if (s->codecpar->codec_type == AVMEDIA_TYPE_VIDEO && !(s->disposition & AV_DISPOSITION_ATTACHED_PIC)) {
      stream = s;
      break;
    }
  }
  if (!stream) {
    fail(error, Error::NoVideo);
    return nullptr;
  }
  if (stream->codecpar->width <= 0 || stream->codecpar->height <= 0)
    ff.avformat_find_stream_info(fmt.get(), nullptr);
  const int width = stream->codecpar->width, height = stream->codecpar->height;
  if (width <= 0 || height <= 0 || width > Surface::kMaxSide || height > Surface::kMaxSide) {
    fail(error, Error::Info);
    return nullptr;
  }

  const AVCodec* codec = ff.avcodec_find_decoder(stream->codecpar->codec_id);
  CodecPtr dec(codec ? ff.avcodec_alloc_context3(codec) : nullptr);
  if (!dec || ff.avcodec_parameters_to_context(dec.get(), stream->codecpar) < 0) {
    fail(error, Error::Decoder);
    return nullptr;
  }
  dec->thread_count = 1;  // pictures come out in order, one per packet
  if (ff.avcodec_open2(dec.get(), codec, nullptr) < 0) {
    fail(error, Error::Decoder);
    return nullptr;
  }

  // Read the whole stream once: the clips are small, and an own list of the
  // packets makes any frame reachable without trusting the file's seeking.
  std::vector<StoredPicture> pictures;
  std::vector<std::uint8_t> palette;  // the last palette the stream set
  std::int64_t last_frame = -1;
  int last_key = 0;
  PacketPtr pkt(ff.av_packet_alloc());
  if (!pkt) {
    fail(error, Error::Open);
    return nullptr;
  }
  while (ff.av_read_frame(fmt.get(), pkt.get()) >= 0) {
    if (pkt->stream_index != stream->index) {
      ff.av_packet_unref(pkt.get());
      continue;
    }
    std::int64_t ts = pkt->pts != AV_NOPTS_VALUE ? pkt->pts : pkt->dts;
    std::int64_t n = ts != AV_NOPTS_VALUE ? ts : last_frame + 1;
    if (n <= last_frame) n = last_frame + 1;
    if (n >= kMaxClipFrames) {
      ff.av_packet_unref(pkt.get());
      break;
    }
    last_frame = n;

    std::size_t pal_size = 0;
    if (const std::uint8_t* pal = ff.av_packet_get_side_data(pkt.get(), AV_PKT_DATA_PALETTE, &pal_size))
      palette.assign(pal, pal + pal_size);

    if (pkt->size <= 0) {  // an empty chunk repeats the previous frame
      ff.av_packet_unref(pkt.get());
      continue;
    }
    const bool key = pictures.empty() || (pkt->flags & AV_PKT_FLAG_KEY);
    if (key) {
      last_key = static_cast<int>(pictures.size());
      // Decoding may start here without having seen the packet that set the
      // palette, so every key picture carries the palette in force.
      if (!palette.empty() && !ff.av_packet_get_side_data(pkt.get(), AV_PKT_DATA_PALETTE, nullptr)) {
        if (std::uint8_t* side = ff.av_packet_new_side_data(pkt.get(), AV_PKT_DATA_PALETTE, palette.size()))
          std::memcpy(side, palette.data(), palette.size());
      }
    }
    // Number the packet by its place in the list, so that decoded pictures
    // can be matched to it.
    pkt->pts = pkt->dts = static_cast<std::int64_t>(pictures.size());
    StoredPicture p;
    p.packet.reset(ff.av_packet_alloc());
    if (!p.packet) break;
    ff.av_packet_move_ref(p.packet.get(), pkt.get());
    p.frame = static_cast<int>(n);
    p.key = last_key;
    pictures.push_back(std::move(p));
  }
  pkt.reset();
  const std::int64_t nb_frames = stream->nb_frames;
  fmt.reset();  // everything needed is in memory now

  // The index's frame count; without one, the frames the stream holds.
  std::int64_t length = nb_frames > 0 ? nb_frames : last_frame + 1;
  if (pictures.empty() || length <= 0 || length > kMaxClipFrames) {
    fail(error, Error::Info);
    return nullptr;
  }
  // An index that counts more frames than the stream holds: the file was cut short.
  const bool cut_short = nb_frames > last_frame + 1;
  return std::make_unique<AviClip>(std::move(dec), std::move(pictures), static_cast<int>(length),
                                   width, height, cut_short);
}

}  // namespace tapo::platform
