#include "platform/sound.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <string_view>

#include "platform/paths.h"

namespace tapo::platform {

namespace {

constexpr int kFormatPcm = 1;
constexpr int kFormatMsAdpcm = 2;
constexpr int kFormatImaAdpcm = 0x11;
constexpr int kFormatExtensible = 0xFFFE;
// Rates outside these make no sound the game plays (and a damaged rate of a
// few hertz would stretch a whinny over hours).
constexpr int kMinRate = 1'000;
constexpr int kMaxRate = 1'000'000;

// Little-endian reads from a byte span whose bounds the caller has checked.
std::uint16_t le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::int16_t sle16(const std::uint8_t* p) { return static_cast<std::int16_t>(le16(p)); }
std::uint32_t le32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::int16_t clip16(std::int64_t v) {
  return static_cast<std::int16_t>(std::clamp<std::int64_t>(v, -32768, 32767));
}

// Frames one ADPCM block of `block_align` bytes decodes to (0: no valid layout).
std::size_t adpcm_samples_per_block(int format, int channels, int block_align) {
  if (channels < 1) return 0;
  const int ch = channels;
  if (format == kFormatMsAdpcm) {
    if (block_align < 7 * ch) return 0;
    return 2 + static_cast<std::size_t>(block_align - 7 * ch) * 2 / ch;
  }
  if (format == kFormatImaAdpcm) {
    if (block_align < 4 * ch) return 0;
    return 1 + static_cast<std::size_t>(block_align - 4 * ch) * 2 / ch;
  }
  return 0;
}

// ---- PCM -------------------------------------------------------------------

void decode_pcm(const std::uint8_t* data, std::uint32_t bytes, int channels, int bits,
                std::vector<std::int16_t>& out) {
  const std::size_t sample_bytes = bits / 8;
  const std::size_t frame_bytes = sample_bytes * channels;
  const std::size_t samples = bytes / frame_bytes * channels;
  out.resize(samples);
  for (std::size_t i = 0; i < samples; ++i) {
    if (bits == 8)
      out[i] = static_cast<std::int16_t>((static_cast<int>(data[i]) - 128) * 256);
    else
      out[i] = sle16(data + 2 * i);
  }
}

// ---- Microsoft ADPCM -------------------------------------------------------

constexpr std::array<int, 16> kMsAdaptation = {230, 230, 230, 230, 307, 409, 512, 614,
                                               768, 614, 512, 409, 307, 230, 230, 230};

struct MsState {
  int coef1 = 0, coef2 = 0;
  std::int32_t delta = 0;
  std::int16_t sample1 = 0, sample2 = 0;

  std::int16_t expand(int nibble) {
    std::int64_t predicted =
        (static_cast<std::int64_t>(sample1) * coef1 + static_cast<std::int64_t>(sample2) * coef2) / 256;
    const int signed_nibble = nibble & 8 ? nibble - 16 : nibble;
    predicted += static_cast<std::int64_t>(signed_nibble) * delta;
    sample2 = sample1;
    sample1 = clip16(predicted);
    std::int64_t next = (static_cast<std::int64_t>(kMsAdaptation[nibble]) * delta) >> 8;
    delta = static_cast<std::int32_t>(std::clamp<std::int64_t>(next, 16, std::numeric_limits<std::int32_t>::max() / 768));
    return sample1;
  }
};

// Decodes the blocks of `data` (the last one may be short); false for a block
// that cannot be decoded.
bool decode_ms_adpcm(const std::uint8_t* data, std::uint32_t bytes, int channels, int block_align,
                     const std::vector<std::pair<int, int>>& coefs, std::vector<std::int16_t>& out) {
  const int ch = channels;
  const std::size_t header = 7 * static_cast<std::size_t>(ch);
  for (std::size_t at = 0; at < bytes; at += block_align) {
    const std::size_t len = std::min<std::size_t>(block_align, bytes - at);
    if (len < header) break;  // a truncated block without its header holds nothing
    const std::uint8_t* b = data + at;
    std::array<MsState, 2> st;
    for (int c = 0; c < ch; ++c) {
      const std::size_t index = b[c];
      if (index >= coefs.size()) return false;
      st[c].coef1 = coefs[index].first;
      st[c].coef2 = coefs[index].second;
      st[c].delta = sle16(b + ch + 2 * c);
      st[c].sample1 = sle16(b + 3 * ch + 2 * c);
      st[c].sample2 = sle16(b + 5 * ch + 2 * c);
    }
    for (int c = 0; c < ch; ++c) out.push_back(st[c].sample2);
    for (int c = 0; c < ch; ++c) out.push_back(st[c].sample1);
    // High nibble first; in stereo the high nibble is the left channel.
    for (std::size_t i = header; i < len; ++i) {
      out.push_back(st[0].expand(b[i] >> 4));
      out.push_back(st[ch - 1].expand(b[i] & 0x0F));
    }
  }
  return true;
}

// ---- IMA ADPCM -------------------------------------------------------------

constexpr std::array<int, 16> kImaIndex = {-1, -1, -1, -1, 2, 4, 6, 8, -1, -1, -1, -1, 2, 4, 6, 8};
constexpr std::array<int, 89> kImaStep = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,
    25,    28,    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,
    88,    97,    107,   118,   130,   143,   157,   173,   190,   209,   230,   253,   279,
    307,   337,   371,   408,   449,   494,   544,   598,   658,   724,   796,   876,   963,
    1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,  2272,  2499,  2749,  3024,  3327,
    3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,  9493,  10442, 11487,
    12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};

struct ImaState {
  std::int16_t predictor = 0;
  int index = 0;

  std::int16_t expand(int nibble) {
    const int step = kImaStep[index];
    int diff = step >> 3;
    if (nibble & 4) diff += step;
    if (nibble & 2) diff += step >> 1;
    if (nibble & 1) diff += step >> 2;
    predictor = clip16(nibble & 8 ? predictor - diff : predictor + diff);
    index = std::clamp(index + kImaIndex[nibble], 0, 88);
    return predictor;
  }
};

bool decode_ima_adpcm(const std::uint8_t* data, std::uint32_t bytes, int channels, int block_align,
                      std::vector<std::int16_t>& out) {
  const int ch = channels;
  const std::size_t header = 4 * static_cast<std::size_t>(ch);
  const std::size_t group = 4 * static_cast<std::size_t>(ch);  // 8 frames
  for (std::size_t at = 0; at < bytes; at += block_align) {
    const std::size_t len = std::min<std::size_t>(block_align, bytes - at);
    if (len < header) break;
    const std::uint8_t* b = data + at;
    std::array<ImaState, 2> st;
    for (int c = 0; c < ch; ++c) {
      st[c].predictor = sle16(b + 4 * c);
      if (b[4 * c + 2] > 88) return false;
      st[c].index = b[4 * c + 2];
      out.push_back(st[c].predictor);
    }
    for (std::size_t g = header; g < len; g += group) {
      // Every channel's four bytes (eight samples, low nibble first) in turn;
      // a short last group yields the frames all channels have.
      const std::size_t have = len - g;
      std::size_t frames = 8;
      for (int c = 0; c < ch; ++c) {
        const std::size_t start = 4 * static_cast<std::size_t>(c);
        const std::size_t bytes_c = have > start ? std::min<std::size_t>(4, have - start) : 0;
        frames = std::min(frames, 2 * bytes_c);
      }
      std::array<std::array<std::int16_t, 8>, 2> s{};
      for (int c = 0; c < ch; ++c)
        for (std::size_t k = 0; k < frames; ++k) {
          const std::uint8_t byte = b[g + 4 * c + k / 2];
          s[c][k] = st[c].expand(k % 2 ? byte >> 4 : byte & 0x0F);
        }
      for (std::size_t k = 0; k < frames; ++k)
        for (int c = 0; c < ch; ++c) out.push_back(s[c][k]);
    }
  }
  return true;
}

}  // namespace

std::size_t WavData::frame_at_byte(std::uint32_t byte) const {
  if (format == kFormatPcm) return std::min<std::size_t>(byte / std::max(block_align, 1), frames());
  const std::size_t per_block = adpcm_samples_per_block(format, channels, block_align);
  if (!per_block) return 0;
  const std::size_t whole = byte / block_align;
  const std::size_t part = byte % block_align;
  return std::min(whole * per_block + part * per_block / block_align, frames());
}

std::optional<WavData> load_wav(const std::filesystem::path& file) {
  auto bytes = read_whole_file(file);
  if (!bytes) return std::nullopt;
  const std::uint8_t* p = bytes->data();
  const std::size_t size = bytes->size();
  if (size < 12 || std::memcmp(p, "RIFF", 4) != 0 || std::memcmp(p + 8, "WAVE", 4) != 0)
    return std::nullopt;

  const std::uint8_t* fmt = nullptr;
  std::size_t fmt_size = 0;
  const std::uint8_t* data = nullptr;
  std::uint32_t data_size = 0;
  bool data_cut = false;  // the data chunk claims more than the file holds
  // The RIFF size is not trusted: the chunks run to the end of the file.
  for (std::size_t at = 12; at + 8 <= size && !(fmt && data);) {
    const std::string_view id(reinterpret_cast<const char*>(p + at), 4);
    const std::uint32_t chunk = le32(p + at + 4);
    const std::size_t body = at + 8;
    const std::size_t avail = size - body;
    if (id == "fmt " && !fmt) {
      if (chunk > avail) return std::nullopt;
      fmt = p + body;
      fmt_size = chunk;
    } else if (id == "data" && !data) {
      data = p + body;
      data_size = static_cast<std::uint32_t>(std::min<std::size_t>(chunk, avail));
      data_cut = chunk > avail;
    }
    const std::uint64_t next = static_cast<std::uint64_t>(body) + chunk + (chunk & 1);
    if (next > size) break;
    at = static_cast<std::size_t>(next);
  }
  if (!fmt || !data || fmt_size < 16) return std::nullopt;

  WavData w;
  w.format = le16(fmt);
  w.channels = le16(fmt + 2);
  const std::uint32_t rate = le32(fmt + 4);
  w.block_align = le16(fmt + 12);
  const std::uint32_t header_avg = le32(fmt + 8);
  const int header_align = w.block_align;
  w.bits = le16(fmt + 14);
  const std::size_t ext_size = fmt_size >= 18 ? std::min<std::size_t>(le16(fmt + 16), fmt_size - 18) : 0;
  const std::uint8_t* ext = fmt + 18;
  if (w.format == kFormatExtensible) {
    // The real format is the first two bytes of the sub-format GUID.
    if (ext_size < 22) return std::nullopt;
    w.format = le16(ext + 6);
  }
  if (w.channels < 1 || w.channels > 2 || rate < kMinRate || rate > kMaxRate) return std::nullopt;
  w.rate = static_cast<int>(rate);
  w.data_bytes = data_size;

  std::uint64_t computed_avg = 0;
  if (w.format == kFormatPcm) {
    if (w.bits != 8 && w.bits != 16) return std::nullopt;
    w.block_align = w.channels * w.bits / 8;
    computed_avg = static_cast<std::uint64_t>(rate) * w.block_align;
    decode_pcm(data, data_size, w.channels, w.bits, w.pcm);
  } else if (w.format == kFormatMsAdpcm) {
    if (w.bits != 4 || ext_size < 4) return std::nullopt;
    const std::size_t per_block = adpcm_samples_per_block(w.format, w.channels, w.block_align);
    if (!per_block) return std::nullopt;
    const std::size_t count = le16(ext + 2);
    if (count < 1 || 4 + 4 * count > ext_size) return std::nullopt;
    std::vector<std::pair<int, int>> coefs(count);
    for (std::size_t i = 0; i < count; ++i)
      coefs[i] = {sle16(ext + 4 + 4 * i), sle16(ext + 6 + 4 * i)};
    computed_avg = static_cast<std::uint64_t>(rate) * w.block_align / per_block;
    w.pcm.reserve(static_cast<std::size_t>(data_size / w.block_align + 1) * per_block * w.channels);
    if (!decode_ms_adpcm(data, data_size, w.channels, w.block_align, coefs, w.pcm)) return std::nullopt;
  } else if (w.format == kFormatImaAdpcm) {
    if (w.bits != 4) return std::nullopt;
    const std::size_t per_block = adpcm_samples_per_block(w.format, w.channels, w.block_align);
    if (!per_block) return std::nullopt;
    computed_avg = static_cast<std::uint64_t>(rate) * w.block_align / per_block;
    w.pcm.reserve(static_cast<std::size_t>(data_size / w.block_align + 1) * per_block * w.channels);
    if (!decode_ima_adpcm(data, data_size, w.channels, w.block_align, w.pcm)) return std::nullopt;
  } else {
    return std::nullopt;
  }
  // The timing comes from the format itself: the header's own byte rate is
  // one field a damaged file can set to anything (1 would make a second of
  // sound last hours).
  w.avg_bytes_per_sec = static_cast<int>(std::min<std::uint64_t>(computed_avg, std::numeric_limits<int>::max()));
  if (w.avg_bytes_per_sec <= 0) return std::nullopt;
  // Encoders round an ADPCM byte rate either way; anything farther off is no rounding.
  const std::uint64_t off = header_avg > computed_avg ? header_avg - computed_avg : computed_avg - header_avg;
  // A header without a byte rate (0) leaves it to the format.
  w.damaged = data_cut || header_align != w.block_align || (header_avg != 0 && off * 100 > computed_avg);
  return w;
}

// ---- the channel -----------------------------------------------------------

SoundChannel& SoundChannel::instance() {
  static SoundChannel channel;
  return channel;
}

SoundChannel::SoundChannel() = default;

void SoundChannel::open_device() {
  if (device_) return;
  if (!SDL_WasInit(SDL_INIT_AUDIO) && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
  // The game's sounds are 22 kHz mono: asked for in that format, they reach
  // the sound system without a conversion here (it mixes them as it does any).
  SDL_AudioSpec want{};
  want.freq = 22050;
  want.format = AUDIO_S16SYS;
  want.channels = 1;
  want.samples = 1024;
  want.callback = &SoundChannel::fill;
  want.userdata = this;
  SDL_AudioSpec have{};
  const SDL_AudioDeviceID id =
      SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
  if (id == 0) return;  // no device: the channel runs on silently
  device_ = id;
  device_rate_ = have.freq;
  device_channels_ = have.channels;
}

void SoundChannel::close_device() {
  if (!device_) return;
  stop_feed();
  SDL_CloseAudioDevice(device_);
  device_ = 0;
  device_rate_ = 0;
  device_channels_ = 0;
}

void SoundChannel::close() {
  stop_feed();
  if (wake_id_) Loop::instance().remove_wake_source(wake_id_);
  wake_id_ = 0;
  wav_.reset();
  playing_ = false;
  from_ = to_ = 0;
  started_ = 0;
}

bool SoundChannel::open(const std::filesystem::path& file) {
  close();
  auto loaded = load_wav(file);
  if (loaded) wav_ = std::make_shared<const WavData>(std::move(*loaded));
  return wav_ != nullptr;
}

void SoundChannel::open(std::shared_ptr<const WavData> wav) {
  close();
  wav_ = std::move(wav);
}

void SoundChannel::play(std::uint32_t from, std::optional<std::uint32_t> to) {
  if (!wav_) return;
  auto& loop = Loop::instance();
  stop_feed();
  const std::uint32_t end = wav_->data_bytes;
  from_ = std::min(from, end);
  to_ = std::max(from_, std::min(to.value_or(end), end));
  started_ = loop.now();
  playing_ = true;

  // The loop wakes when the sound ends (the registration is renewed each time,
  // since the loop may have dropped it).
  if (wake_id_) loop.remove_wake_source(wake_id_);
  wake_id_ = 0;
  if (from_ < to_) {
    wake_id_ = loop.add_wake_source([this]() -> std::optional<Ms> {
      auto end = end_moment();
      if (end && Loop::instance().now() < *end) return end;
      return std::nullopt;
    });
  }

  if (!device_ || loop.virtual_clock() || from_ >= to_) return;
  const WavData& w = *wav_;
  const std::size_t first = w.frame_at_byte(from_);
  const std::size_t last = std::max(first, w.frame_at_byte(to_));
  if (first >= last) return;
  SDL_AudioStream* stream =
      SDL_NewAudioStream(AUDIO_S16SYS, static_cast<Uint8>(w.channels), w.rate, AUDIO_S16SYS,
                         static_cast<Uint8>(device_channels_), device_rate_);
  if (!stream) return;
  SDL_LockAudioDevice(device_);
  feed_ = {wav_, stream, first, last};
  SDL_UnlockAudioDevice(device_);
  SDL_PauseAudioDevice(device_, 0);
}

void SoundChannel::stop_feed() {
  if (!device_) return;
  SDL_LockAudioDevice(device_);
  Feed old = std::move(feed_);
  feed_ = {};
  SDL_UnlockAudioDevice(device_);
  if (old.stream) SDL_FreeAudioStream(old.stream);
}

// On SDL's audio thread: converts as much of the playing part as the device
// asks for, so a sound cut short was never converted beyond where it stopped.
void SoundChannel::pull(std::uint8_t* out, int len) {
  std::memset(out, 0, static_cast<size_t>(len));
  Feed& feed = feed_;
  if (!feed.stream) return;
  constexpr std::size_t kChunkFrames = 4096;
  const int channels = feed.wav->channels;
  while (SDL_AudioStreamAvailable(feed.stream) < len && feed.next < feed.last) {
    const std::size_t n = std::min(kChunkFrames, feed.last - feed.next);
    const std::int16_t* src = feed.wav->pcm.data() + feed.next * static_cast<std::size_t>(channels);
    if (SDL_AudioStreamPut(feed.stream, src, static_cast<int>(n * sizeof(std::int16_t) * channels)) != 0) {
      feed.next = feed.last;
      break;
    }
    feed.next += n;
    if (feed.next == feed.last) SDL_AudioStreamFlush(feed.stream);
  }
  SDL_AudioStreamGet(feed.stream, out, len);
}

std::optional<Ms> SoundChannel::end_moment() const {
  if (!wav_ || !playing_) return std::nullopt;
  const std::int64_t bytes = static_cast<std::int64_t>(to_) - from_;
  const std::int64_t rate = wav_->avg_bytes_per_sec;
  return started_ + (bytes * 1000 + rate - 1) / rate;
}

std::optional<Ms> SoundChannel::moment_at(std::uint32_t byte) const {
  if (!wav_ || !playing_ || byte < from_ || byte > to_) return std::nullopt;
  const std::int64_t rate = wav_->avg_bytes_per_sec;
  return started_ + ((static_cast<std::int64_t>(byte) - from_) * 1000 + rate - 1) / rate;
}

int SoundChannel::mode() const {
  if (!wav_) return 0;
  if (!playing_) return kStopped;
  return Loop::instance().now() < *end_moment() ? kPlaying : kStopped;
}

std::uint32_t SoundChannel::position() const {
  if (!wav_ || !playing_) return 0;
  const Ms elapsed = std::max<Ms>(0, Loop::instance().now() - started_);
  const std::int64_t raw = from_ + elapsed * wav_->avg_bytes_per_sec / 1000;
  if (raw >= to_) return to_;
  const std::int64_t aligned = raw - raw % std::max(wav_->block_align, 1);
  return static_cast<std::uint32_t>(std::max<std::int64_t>(aligned, from_));
}

std::uint32_t SoundChannel::length() const { return wav_ ? wav_->data_bytes : 0; }

}  // namespace tapo::platform
