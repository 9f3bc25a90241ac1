// Clips: any file opens as a clip whose frames are pictures of its size, or
// is refused; frames out of range give nothing.
#include "platform/clip.h"
#include "tests/fuzz/fuzz_support.h"

namespace pf = tapo::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto file = fuzz::scratch_file("CLIP.AVI", {reinterpret_cast<const char*>(data), size});
  auto clip = pf::Clip::open(file);
  if (!clip) return 0;
  FUZZ_CHECK(clip->width() > 0 && clip->height() > 0, "a clip has a picture size");
  const int first = clip->start(), length = clip->length();
  FUZZ_CHECK(clip->frame(first - 1) == nullptr, "nothing before the first frame");
  FUZZ_CHECK(clip->frame(first + length) == nullptr, "nothing after the last frame");
  // The last frames first, then from the start: decoding in any order.
  for (int n : {first + length - 1, first, first + 1, first + length / 2}) {
    if (n < first || n >= first + length) continue;
    if (const pf::Surface* f = clip->frame(n))
      FUZZ_CHECK(f->width() == clip->width() && f->height() == clip->height(), "frames of the clip's size");
  }
  return 0;
}
