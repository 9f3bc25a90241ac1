// Sounds: any file is decoded whole or refused, and every byte position of
// its data maps to a decoded frame.
#include "platform/sound.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto file = fuzz::scratch_file("SOUND.WAV", {reinterpret_cast<const char*>(data), size});
  const auto wav = tapo::platform::load_wav(file);
  if (!wav) return 0;
  FUZZ_CHECK(wav->channels == 1 || wav->channels == 2, "mono or stereo");
  FUZZ_CHECK(wav->rate > 0 && wav->avg_bytes_per_sec > 0, "a playable rate");
  FUZZ_CHECK(wav->pcm.size() % static_cast<std::size_t>(wav->channels) == 0, "whole frames");
  for (const std::uint32_t byte : {0u, wav->data_bytes / 2, wav->data_bytes, 0xFFFFFFFFu})
    FUZZ_CHECK(wav->frame_at_byte(byte) <= wav->frames(), "a position within the sound");
  return 0;
}
