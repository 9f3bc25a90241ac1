// The talking head's mark file (byte offsets of the pauses in its sound) and
// placement file (unused, left, top).  Input: a first byte choosing the
// file, then its text.
#include <cstdint>

#include "core/talk_files.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const bool placement = in.byte() & 1;
  const std::string text(in.rest());
  if (placement) {
    bool damaged = false;
    if (const auto at = tapo::core::read_placement(text, damaged)) {
      if (damaged || at->x < -32768 || at->x > 32768 || at->y < -32768 || at->y > 32768) __builtin_trap();
    }
  } else if (tapo::core::read_marks(text).size() > 20) {
    __builtin_trap();
  }
  return 0;
}
