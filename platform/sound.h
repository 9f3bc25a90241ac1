// WAV files and the game's one sound channel.
//
// Positions and ranges are bytes of the file's sample data (not counting the
// header), as the original's byte time format counted them.  The channel's
// position follows the loop's clock, real or virtual, so waits for the end
// of a sound behave the same in scripted play; where no audio device exists
// the channel still reports modes and positions as if it played.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "platform/loop.h"

struct _SDL_AudioStream;
typedef struct _SDL_AudioStream SDL_AudioStream;

namespace tapo::platform {

struct WavData {
  int rate = 0;                 // frames per second
  int channels = 0;             // 1 or 2
  int format = 0;               // 1 PCM, 2 Microsoft ADPCM, 0x11 IMA ADPCM
  int bits = 0;                 // bits per sample as stored
  int block_align = 1;          // bytes per stored block
  int avg_bytes_per_sec = 0;    // of the stored data
  std::uint32_t data_bytes = 0; // size of the stored sample data
  std::vector<std::int16_t> pcm;  // decoded, interleaved, 16-bit
  // The header claims what the file is not (more data than it holds, a byte
  // rate or block size not its format's): played as far as it goes, and
  // the caller names the file.
  bool damaged = false;

  std::size_t frames() const { return channels ? pcm.size() / channels : 0; }
  // The decoded frame at which a byte offset of the stored data plays.
  std::size_t frame_at_byte(std::uint32_t byte) const;
};

// Reads PCM (8/16 bit, mono/stereo, any rate), Microsoft ADPCM and IMA ADPCM
// WAV files; nullopt for a missing, unreadable or unsupported file.
std::optional<WavData> load_wav(const std::filesystem::path& file);

class SoundChannel {
 public:
  static constexpr int kStopped = 525;
  static constexpr int kPlaying = 526;

  static SoundChannel& instance();

  // Opens the audio device (nothing happens without one).  Idempotent.
  void open_device();
  void close_device();

  // "Close": silences and releases whatever is open.
  void close();
  // "Open": false, and the channel stays closed, for a file that cannot be read.
  bool open(const std::filesystem::path& file);
  // "Open" on a sound decoded before, to play one file in parts without
  // reading and decoding it again each time.
  void open(std::shared_ptr<const WavData> wav);
  // "Play" from..to (bytes of sample data; to = nullopt: to the end); returns at once.
  void play(std::uint32_t from = 0, std::optional<std::uint32_t> to = std::nullopt);

  bool is_open() const { return wav_ != nullptr; }
  // 525 stopped, 526 playing, 0 when closed.
  int mode() const;
  std::uint32_t position() const;
  std::uint32_t length() const;
  // The SDL audio device the channel plays on; 0 when there is none.
  std::uint32_t device() const { return device_; }
  // The next `len` bytes for the device (silence when nothing plays); the
  // audio thread calls this with the device locked.
  void pull(std::uint8_t* out, int len);
  // When the sound that plays will end (nullopt when nothing plays).
  std::optional<Ms> end_moment() const;
  // When the sound that plays reaches `byte` of its data (nullopt when
  // nothing plays or the part played does not reach it).
  std::optional<Ms> moment_at(std::uint32_t byte) const;

 private:
  SoundChannel();

  // What the audio thread plays: the part from..to of a sound, converted
  // to the device's format as the device asks for it.
  struct Feed {
    std::shared_ptr<const WavData> wav;
    SDL_AudioStream* stream = nullptr;
    std::size_t next = 0, last = 0;  // decoded frames
  };
  static void fill(void* self, std::uint8_t* out, int len) { static_cast<SoundChannel*>(self)->pull(out, len); }
  void stop_feed();

  std::shared_ptr<const WavData> wav_;
  Feed feed_;  // guarded by the audio device's lock
  bool playing_ = false;
  std::uint32_t from_ = 0, to_ = 0;
  Ms started_ = 0;
  std::uint32_t device_ = 0;  // SDL audio device id, 0 = none
  int device_rate_ = 0;
  int device_channels_ = 0;
  int wake_id_ = 0;
};

}  // namespace tapo::platform
