// The talking head's mark file (byte offsets of the pauses in its sound),
// placement file (unused, left, top) and captions (start, tab, sentence).
// Input: a first byte choosing the file, then its text.
#include <cstdint>

#include "core/talk_files.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const int kind = in.byte();
  const std::string text(in.rest());
  if (kind & 2) {
    const auto lines = tapo::core::read_captions(text);
    for (size_t k = 0; k < lines.size(); ++k)
      if (lines[k].text.empty() || lines[k].text.find('\n') != std::string::npos ||
          (k > 0 && lines[k].start < lines[k - 1].start))
        __builtin_trap();
  } else if (kind & 1) {
    bool damaged = false;
    if (const auto at = tapo::core::read_placement(text, damaged)) {
      if (at->x < -32768 || at->x > 32768 || at->y < -32768 || at->y > 32768) __builtin_trap();
    } else if (!damaged) {
      __builtin_trap();  // a file that gives no place is damaged
    }
  } else if (tapo::core::read_marks(text).size() > 20) {
    __builtin_trap();
  }
  return 0;
}
