// The talking head's mark file (byte offsets of the pauses in its sound) and
// placement file (unused, left, top), converted as play_talking_clip
// converts them.  Input: a first byte choosing the file, then its text.
#include <cstdint>

#include "core/listinput.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const bool placement = in.byte() & 1;
  const auto items = tapo::core::list_items(in.rest());
  volatile std::int64_t sink = 0;  // keeps the conversions
  if (placement) {
    if (items.size() >= 3) {
      sink = static_cast<int>(tapo::core::val(items[1]));
      sink = static_cast<int>(tapo::core::val(items[2]));
    }
  } else {
    for (const auto& item : items) {
      const double v = tapo::core::val(item);
      sink = v <= 0 ? 0u : v >= 4294967295.0 ? 4294967295u : static_cast<std::uint32_t>(v);
    }
  }
  (void)sink;
  return 0;
}
